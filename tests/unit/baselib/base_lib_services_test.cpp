// The formatted-output, memory, file, string and bit services of a table.
#include <gtest/gtest.h>

#include <cstdarg>
#include <cstring>
#include <cwchar>
#include <string>

#include "baselib_test_support.h"

namespace {

std::uint32_t CallVSPrint(BaseLibTable& t, char* buffer, std::int32_t size, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    const std::uint32_t result = t.BaseLib_VSPrint(&t.Context, buffer, size, format, args);
    va_end(args);
    return result;
}

TEST(BaseLibPrint, CallerBuffersNeedRoomForTheTextAndFourMoreOrStayUntouched)
{
    ScopedTable t;
    char buffer[10];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(t.table.BaseLib_SPrint(t.ctx(), buffer, 10, "%s%d", "abcd", 12345), 0u);   // 9 + 4 > 10
    EXPECT_EQ(t.table.BaseLib_SPrint(t.ctx(), buffer, 10, "%s", "abcdefg"), 0u);
    EXPECT_EQ(std::string(buffer, 10), "##########");
    EXPECT_EQ(t.table.BaseLib_SPrint(t.ctx(), buffer, 10, "%s", "abcdef"), 1u);
    EXPECT_EQ(std::string(buffer, 10), std::string("abcdef\0\0\0\0", 10));
    EXPECT_EQ(t.table.BaseLib_SPrint(nullptr, buffer, 10, "x"), 0u);
    EXPECT_EQ(t.table.BaseLib_SPrint(t.ctx(), nullptr, 10, "x"), 0u);
    EXPECT_EQ(t.table.BaseLib_SPrint(t.ctx(), buffer, 10, nullptr), 0u);
    EXPECT_EQ(t.table.BaseLib_SPrint(t.ctx(), buffer, -1, ""), 0u);

    EXPECT_EQ(CallVSPrint(t.table, buffer, 10, "%d-%d", 12, 345), 6u);
    EXPECT_STREQ(buffer, "12-345");
    EXPECT_EQ(CallVSPrint(t.table, buffer, 10, "%d", 1234567), kBaseLibFailed);
    EXPECT_STREQ(buffer, "12-345");

    wchar_t wide[12];
    std::wmemset(wide, L'#', 12);
    const auto room = [](int length) { return static_cast<std::int32_t>((length + 4) * sizeof(wchar_t)); };
    EXPECT_EQ(t.table.BaseLib_SPrintW(t.ctx(), wide, room(5) - 1, L"%ls%d", L"ab", 123), kBaseLibFailed);
    EXPECT_EQ(wide[0], L'#');
    EXPECT_EQ(t.table.BaseLib_SPrintW(t.ctx(), wide, room(5), L"%ls%d", L"ab", 123), 5u);
    EXPECT_EQ(std::wcscmp(wide, L"ab123"), 0);
    EXPECT_EQ(t.table.BaseLib_SPrintW(t.ctx(), nullptr, room(5), L"x"), kBaseLibFailed);
}

TEST(BaseLibPrint, StandardOutputWritersAndTheirResults)
{
    ScopedTable t;
    std::uint32_t result = 0;
    EXPECT_EQ(CapturedStdout([&] { result = t.table.BaseLib_Print(t.ctx(), "%s=%d\n", "n", 5); }), "n=5\n");
    EXPECT_EQ(result, 4u);
    EXPECT_EQ(CapturedStdout([&] { result = t.table.BaseLib_PrintW(t.ctx(), L"\u4e2d%ls", L"\U0001F600"); }),
              "\xe4\xb8\xad\xf0\x9f\x98\x80");
    EXPECT_EQ(t.table.BaseLib_Print(nullptr, "x"), 0u);

    const std::string fits(1020, 'm');
    const std::string tooLong(1021, 'm');
    EXPECT_EQ(CapturedStdout([&] { result = t.table.BaseLib_PrintMsg(t.ctx(), "%s", fits.c_str()); }), fits);
    EXPECT_EQ(result, 1u);
    EXPECT_EQ(CapturedStdout([&] { result = t.table.BaseLib_PrintMsg(t.ctx(), "%s", tooLong.c_str()); }), "");
    EXPECT_EQ(result, 1u);
    EXPECT_EQ(CapturedStdout([&] { result = t.table.BaseLib_PrintMsg(t.ctx(), tooLong.c_str()); }), "");
}

TEST(BaseLibPrint, FilePrintAppendsWholeTextsOnly)
{
    ScopedTable t;
    TempFile file("print");
    EXPECT_EQ(t.table.BaseLib_FilePrint(t.ctx(), file.path(), "%d;", 1), 1u);
    EXPECT_EQ(t.table.BaseLib_FilePrint(t.ctx(), file.path(), "%s", std::string(1021, 'z').c_str()), 1u);
    EXPECT_EQ(t.table.BaseLib_FileAppendStr(t.ctx(), file.path(), "two"), 1u);
    EXPECT_EQ(file.Read(), "1;two");

    const std::string missingFolder = std::string(file.path()) + ".d/none/x.txt";
    EXPECT_EQ(t.table.BaseLib_FilePrint(t.ctx(), missingFolder.c_str(), "x"), 0u);
    EXPECT_EQ(t.table.BaseLib_FileAppendStr(t.ctx(), missingFolder.c_str(), "x"), 0u);
    EXPECT_EQ(t.table.BaseLib_FileAppendStr(t.ctx(), file.path(), nullptr), 0u);
}

TEST(BaseLibMemory, TaggedBlocksAreListedUntilFreedAndUnknownBlocksAreLeftAlone)
{
    CountingHeap heap;
    ScopedTable t;
    const std::size_t base = heap.LiveBlocks();
    auto* first = static_cast<unsigned char*>(t.table.BaseLib_MmAllocMemWithTag(t.ctx(), 32, MakeTag("AAAA")));
    void* second = t.table.BaseLib_MmAllocMemWithTag(t.ctx(), 8, MakeTag("BBBB"));
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(AllBytesZero(first, 32));

    // Newest first in the tag list.
    const TagInfo* head = ListElement<TagInfo>(t.table.Context.pTagList->next);
    EXPECT_EQ(head->pAddress, second);
    EXPECT_EQ(head->iSize, 8);
    EXPECT_EQ(std::memcmp(&head->Tag, "BBBB", 4), 0);

    int unknown = 0;
    t.table.BaseLib_MmFreeMemWithTag(t.ctx(), &unknown);
    t.table.BaseLib_MmFreeMemWithTag(t.ctx(), nullptr);
    EXPECT_EQ(heap.LiveBlocks(), base + 4);
    t.table.BaseLib_MmFreeMemWithTag(t.ctx(), first);
    EXPECT_EQ(heap.LiveBlocks(), base + 2);
    EXPECT_EQ(ListElement<TagInfo>(t.table.Context.pTagList->next)->pAddress, second);
    t.table.BaseLib_MmFreeMemWithTag(t.ctx(), second);
    EXPECT_EQ(t.table.Context.pListOps->LinkedList_IsEmpty(t.table.Context.pTagList), 1u);
    EXPECT_EQ(heap.LiveBlocks(), base);
    EXPECT_EQ(heap.ForeignReleases(), 0u);
}

TEST(BaseLibMemory, AMissingBlockYieldsNullAndLeavesNothingBehind)
{
    CountingHeap heap;
    ScopedTable t;
    const std::size_t base = heap.LiveBlocks();
    for (std::size_t refused : {0u, 1u}) {   // the record, then the block
        heap.RefuseAllocation(refused);
        EXPECT_EQ(t.table.BaseLib_MmAllocMemWithTag(t.ctx(), 16, kFileHandleTag), nullptr);
        EXPECT_EQ(heap.LiveBlocks(), base);
    }
    heap.RefuseAllocation(0);
    EXPECT_EQ(t.table.BaseLib_MmAllocMem(t.ctx(), 16), nullptr);
    EXPECT_EQ(t.table.BaseLib_MmAllocMemWithTag(t.ctx(), -1, kFileHandleTag), nullptr);
    EXPECT_EQ(t.table.BaseLib_MmAllocMem(nullptr, 16), nullptr);
    EXPECT_EQ(heap.LiveBlocks(), base);
    EXPECT_EQ(t.table.Context.pListOps->LinkedList_IsEmpty(t.table.Context.pTagList), 1u);
}

TEST(BaseLibMemory, ZeroCopyAndCompareWorkOnTheBytesAndRefuseBadArguments)
{
    ScopedTable t;
    unsigned char a[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    unsigned char b[8] = {};
    t.table.BaseLib_MmCopyMem(t.ctx(), b, a, 6);
    EXPECT_EQ(std::memcmp(a, b, 6), 0);
    EXPECT_EQ(b[6], 0);
    t.table.BaseLib_MmCopyMem(nullptr, b, a + 2, 6);   // no context: nothing moves
    EXPECT_EQ(b[0], 1);
    t.table.BaseLib_MmCopyMem(t.ctx(), nullptr, a, 4);
    t.table.BaseLib_MmCopyMem(t.ctx(), b, a, -4);
    t.table.BaseLib_MmZeroMem(t.ctx(), a + 1, 3);
    EXPECT_EQ(a[0], 1);
    EXPECT_EQ(a[1] | a[2] | a[3], 0);
    EXPECT_EQ(a[4], 5);
    t.table.BaseLib_MmZeroMem(t.ctx(), a, -1);
    EXPECT_EQ(a[0], 1);

    // The outcome of a comparison is logged, not returned.
    EXPECT_EQ(t.table.BaseLib_MmCmpMem(t.ctx(), a, b, 8), 1u);
    EXPECT_EQ(t.table.BaseLib_MmCmpMem(t.ctx(), a, a, 8), 1u);
    EXPECT_EQ(t.table.BaseLib_MmCmpMem(nullptr, a, a, 8), 0u);
    BaseLibStatus status{};
    EXPECT_EQ(t.table.BaseLib_MmGetStatus(t.ctx(), &status), 1u);
    EXPECT_EQ(t.table.BaseLib_MmGetStatus(t.ctx(), nullptr), 1u);
}

TEST(BaseLibFile, AnOpenFileHoldsOneTaggedHandleUntilItIsClosed)
{
    CountingHeap heap;
    TempFile file("file");
    {
        ScopedTable t;
        const std::size_t base = heap.LiveBlocks();
        FileHandle* out = t.table.BaseLib_FileOpen(t.ctx(), file.path(), "wb");
        ASSERT_NE(out, nullptr);
        const TagInfo* record = ListElement<TagInfo>(t.table.Context.pTagList->next);
        EXPECT_EQ(record->pAddress, out);
        EXPECT_EQ(record->Tag, kFileHandleTag);
        EXPECT_EQ(std::memcmp(&record->Tag, "8541", 4), 0);
        EXPECT_EQ(out->Reserved, 0u);
        EXPECT_EQ(t.table.BaseLib_FileWrite(t.ctx(), "abcdefgh", 2, 4, out), 4u);
        t.table.BaseLib_FileClose(t.ctx(), out);
        EXPECT_EQ(heap.LiveBlocks(), base);

        FileHandle* in = t.table.BaseLib_FileOpen(t.ctx(), file.path(), "rb");
        ASSERT_NE(in, nullptr);
        EXPECT_EQ(t.table.BaseLib_FileLength(t.ctx(), in), 8u);
        char text[9] = {};
        EXPECT_EQ(t.table.BaseLib_FileRead(t.ctx(), text, 1, 8, in), 8u);   // rewound by the length
        EXPECT_STREQ(text, "abcdefgh");
        EXPECT_EQ(t.table.BaseLib_FileRead(t.ctx(), text, 1, 8, in), 0u);
        EXPECT_EQ(t.table.BaseLib_FileRead(t.ctx(), nullptr, 1, 8, in), 0u);
        EXPECT_EQ(t.table.BaseLib_FileWrite(t.ctx(), text, 1, 8, nullptr), 0u);
        EXPECT_EQ(t.table.BaseLib_FileLength(t.ctx(), nullptr), 0u);
        t.table.BaseLib_FileClose(t.ctx(), in);
        t.table.BaseLib_FileClose(t.ctx(), nullptr);
        EXPECT_EQ(t.table.Context.pListOps->LinkedList_IsEmpty(t.table.Context.pTagList), 1u);

        const std::string missing = std::string(file.path()) + ".absent";
        EXPECT_EQ(t.table.BaseLib_FileOpen(t.ctx(), missing.c_str(), "r"), nullptr);
        EXPECT_EQ(t.table.BaseLib_FileOpen(t.ctx(), nullptr, "r"), nullptr);
        EXPECT_EQ(heap.LiveBlocks(), base);

        // A handle is refused when its block is: the stream is closed again.
        heap.RefuseAllocation(0);
        EXPECT_EQ(t.table.BaseLib_FileOpen(t.ctx(), file.path(), "rb"), nullptr);
        EXPECT_EQ(heap.LiveBlocks(), base);
    }
    EXPECT_EQ(heap.LiveBlocks(), 0u);
}

struct HexCase {
    const char* text;
    std::uint8_t width;
    std::uint32_t result;
    std::uint32_t stored;   // kUntouched: the output keeps its sentinel
};

constexpr std::uint32_t kUntouched = 0xA5A5A5A5u;

TEST(BaseLibString, HexTextBecomesANumberOfTheGivenWidth)
{
    const HexCase cases[] = {
        {" 0x0404", 2, 1, 0x0404},
        {"0409", 2, 1, 0x0409},
        {"0x12345", 2, 1, kUntouched},   // five digits do not fit two bytes
        {"", 2, 0, kUntouched},
        {"0x", 2, 1, 0},
        {"FFFF", 1, 1, kUntouched},
        {"ff", 1, 1, 0xFF},
        {"12G4", 2, 0, 0x1200},          // the digits before the stray one keep their weight
        {"0xDEADbeef", 4, 1, 0xDEADBEEF},
        {"ab0x1f", 1, 1, 0x1F},
        {"0x0x1", 2, 0, 0},
        {"0x1 ", 2, 0, 0x10},
        {"0x0409", 3, 0, kUntouched},
    };
    ScopedTable t;
    for (const HexCase& c : cases) {
        unsigned char output[8];
        std::memset(output, 0xA5, sizeof output);
        EXPECT_EQ(t.table.BaseLib_StrHexToNum(t.ctx(), c.text, output, c.width), c.result) << '"' << c.text << '"';
        // Only the width's bytes are written (both targets are little-endian).
        std::uint32_t expected = kUntouched;
        if (c.stored != kUntouched) {
            std::memcpy(&expected, &c.stored, c.width);
        }
        std::uint32_t got = 0;
        std::memcpy(&got, output, 4);
        EXPECT_EQ(got, expected) << '"' << c.text << '"';
        EXPECT_EQ(output[4], 0xA5) << '"' << c.text << '"';
    }
    std::uint16_t output = 0;
    EXPECT_EQ(t.table.BaseLib_StrHexToNum(t.ctx(), nullptr, &output, 2), 0u);
    EXPECT_EQ(t.table.BaseLib_StrHexToNum(t.ctx(), "1", nullptr, 2), 0u);
    EXPECT_EQ(t.table.BaseLib_StrHexToNum(nullptr, "1", &output, 2), 0u);
}

TEST(BaseLibString, TrimUpperCaseAndPrefixWorkInPlaceWithinTheirSize)
{
    ScopedTable t;
    char text[16];
    std::strcpy(text, "ab  ");
    EXPECT_EQ(t.table.BaseLib_StrTrimRight(t.ctx(), text, 3), 0u);
    EXPECT_STREQ(text, "ab  ");
    std::strcpy(text, " a b\t ");
    EXPECT_EQ(t.table.BaseLib_StrTrimRight(t.ctx(), text, 16), 1u);
    EXPECT_STREQ(text, " a b\t");
    std::strcpy(text, "   ");
    EXPECT_EQ(t.table.BaseLib_StrTrimRight(t.ctx(), text, 3), 1u);
    EXPECT_STREQ(text, "");

    std::strcpy(text, "az09\xe9_x");
    EXPECT_EQ(t.table.BaseLib_StrToUpper(t.ctx(), text), 1u);
    EXPECT_STREQ(text, "AZ09\xe9_X");
    EXPECT_EQ(t.table.BaseLib_StrToUpper(t.ctx(), nullptr), 0u);

    std::strcpy(text, "ab0x1f");
    EXPECT_EQ(t.table.BaseLib_StrSkipHexPrefix(t.ctx(), text, 7), 1u);
    EXPECT_STREQ(text, "1F");
    // Never more than size bytes are written back.
    std::strcpy(text, "0x123456");
    EXPECT_EQ(t.table.BaseLib_StrSkipHexPrefix(t.ctx(), text, 2), 1u);
    EXPECT_STREQ(text, "12123456");
    text[0] = '\0';
    EXPECT_EQ(t.table.BaseLib_StrSkipHexPrefix(t.ctx(), text, 1), 0u);
}

TEST(BaseLibBits, BitNumbersCountModulo32)
{
    ScopedTable t;
    const struct {
        std::uint32_t value;
        std::uint32_t bit;
        std::uint32_t set;
    } cases[] = {{0x80000000u, 31, 1}, {0x80000000u, 30, 0}, {1, 32, 1}, {1, 33, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(t.table.BaseLib_BitIsSet(c.value, c.bit), c.set) << c.value << " bit " << c.bit;
        EXPECT_EQ(t.table.BaseLib_BitIsClear(c.value, c.bit), 1 - c.set) << c.value << " bit " << c.bit;
    }
}

}  // namespace
