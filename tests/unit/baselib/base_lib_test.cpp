// The base library's table: set-up and tear-down, and its print, memory,
// file, string and log services.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "baselib/base_lib_log.h"
#include "baselib/process_tables.h"
#include "baselib_rig.h"

namespace {

bool AllZero(const void* block, std::size_t size)
{
    const auto* bytes = static_cast<const unsigned char*>(block);
    return std::all_of(bytes, bytes + size, [](unsigned char b) { return b == 0; });
}

TEST(BaseLibTables, TearDownReleasesEveryBlockAndAMissingBlockFailsTheSetUpCleanly)
{
    std::size_t blocks = 0;
    {
        CountingHeap heap;
        BaseLibTable main{};
        IniParserTable reader{};
        SetUpProcessTables(&main, &reader);
        ASSERT_EQ(main.Initialised & reader.Initialised, 1u);
        blocks = heap.Allocations();
        EXPECT_NE(main.BaseLib_MmAllocMemWithTag(&main.Context, 64, MakeTag("TEST")), nullptr);
        EXPECT_EQ(reader.IniParser_ParseBuffer(&reader.Context, "[A]\nk=a\\nb\n[B]\n"), 1u);
        TearDownProcessTables(&main, &reader);
        EXPECT_TRUE(AllZero(&main, sizeof main) && AllZero(&reader, sizeof reader));
        EXPECT_EQ(heap.Live(), 0u);
        EXPECT_EQ(heap.Foreign(), 0u);
    }
    for (std::size_t refused = 0; refused < blocks; ++refused) {
        CountingHeap heap;
        heap.Refuse(refused);
        BaseLibTable main{};
        IniParserTable reader{};
        const std::uint32_t made = BaseLib_Setup(1, &main) & IniParser_Setup(1, &reader);
        EXPECT_EQ(made, 0u) << "block " << refused;
        (void)IniParser_Setup(0, &reader);
        (void)BaseLib_Setup(0, &main);
        EXPECT_EQ(heap.Live(), 0u) << "block " << refused;
    }
    BaseLibTable table{};
    EXPECT_EQ(BaseLib_Setup(1, nullptr), 0u);
    EXPECT_EQ(BaseLib_Setup(2, &table), 0u);
}

TEST(BaseLibLists, InsertAndRemoveKeepTheRingClosed)
{
    ScopedTable t;
    LinkedListOps& ops = *t.table.Context.pListOps;
    ListLink head, a, b, c;
    ops.LinkedList_Init(&head);
    EXPECT_EQ(ops.LinkedList_IsEmpty(&head), 1u);
    EXPECT_EQ(ops.LinkedList_InsertTail(&head, &a), &head);
    EXPECT_EQ(ops.LinkedList_InsertTail(&head, &b), &a);
    EXPECT_EQ(ops.LinkedList_InsertHead(&head, &c), &a);   // c a b
    EXPECT_EQ(ops.LinkedList_IsEmpty(&head), 0u);
    EXPECT_EQ(ops.LinkedList_RemoveHead(&head), &c);
    EXPECT_EQ(ops.LinkedList_RemoveTail(&head), &b);
    EXPECT_EQ(ops.LinkedList_Remove(&a), 1u);   // the last one leaves the list empty
    EXPECT_EQ(head.next, &head);
    EXPECT_EQ(head.prev, &head);
}

TEST(BaseLibPrint, ABufferNeedsRoomForTheTextAndFourMoreOrStaysUntouched)
{
    ScopedTable t;
    const struct {
        const char* text;
        std::uint32_t result;
        std::string buffer;
    } cases[] = {
        {"abcdef", 1, std::string("abcdef\0\0\0\0", 10)},
        {"abcdefg", 0, "##########"},
    };
    for (const auto& c : cases) {
        char buffer[10];
        std::memset(buffer, '#', sizeof buffer);
        EXPECT_EQ(t.table.BaseLib_SPrint(t.ctx(), buffer, 10, "%s", c.text), c.result) << c.text;
        EXPECT_EQ(std::string(buffer, 10), c.buffer) << c.text;
    }
    std::uint32_t result = 0;
    EXPECT_EQ(CapturedStdout([&] { result = t.table.BaseLib_Print(t.ctx(), "%s=%d\n", "n", 5); }), "n=5\n");
    EXPECT_EQ(result, 4u);
    TempFile file("print");
    EXPECT_EQ(t.table.BaseLib_FilePrint(t.ctx(), file.path(), "%d;", 1), 1u);
    EXPECT_EQ(t.table.BaseLib_FilePrint(t.ctx(), file.path(), "%s", std::string(1021, 'z').c_str()), 1u);
    EXPECT_EQ(t.table.BaseLib_FileAppendStr(t.ctx(), file.path(), "two"), 1u);
    EXPECT_EQ(file.Read(), "1;two");
}

TEST(BaseLibMemory, TaggedBlocksAreListedUntilFreedAndAMissingBlockLeavesNothing)
{
    CountingHeap heap;
    ScopedTable t;
    const std::size_t base = heap.Live();
    void* first = t.table.BaseLib_MmAllocMemWithTag(t.ctx(), 32, MakeTag("AAAA"));
    void* second = t.table.BaseLib_MmAllocMemWithTag(t.ctx(), 8, MakeTag("BBBB"));
    ASSERT_TRUE(first != nullptr && second != nullptr);
    EXPECT_TRUE(AllZero(first, 32));
    EXPECT_EQ(ListElement<TagInfo>(t.table.Context.pTagList->next)->pAddress, second);   // newest first
    int unknown = 0;
    t.table.BaseLib_MmFreeMemWithTag(t.ctx(), &unknown);
    EXPECT_EQ(heap.Live(), base + 4);   // each block has its record
    t.table.BaseLib_MmFreeMemWithTag(t.ctx(), first);
    t.table.BaseLib_MmFreeMemWithTag(t.ctx(), second);
    EXPECT_EQ(heap.Live(), base);
    for (std::size_t refused : {0u, 1u}) {   // the record, then the block
        heap.Refuse(refused);
        EXPECT_EQ(t.table.BaseLib_MmAllocMemWithTag(t.ctx(), 16, kFileHandleTag), nullptr);
        EXPECT_EQ(heap.Live(), base);
    }
    unsigned char a[6] = {1, 2, 3, 4, 5, 6}, b[6] = {};
    t.table.BaseLib_MmCopyMem(t.ctx(), b, a, 4);
    t.table.BaseLib_MmZeroMem(t.ctx(), a + 1, 2);
    EXPECT_EQ(std::memcmp(b, "\1\2\3\4\0\0", 6), 0);
    EXPECT_EQ(std::memcmp(a, "\1\0\0\4\5\6", 6), 0);
}

TEST(BaseLibFile, AnOpenFileHoldsOneTaggedHandleUntilItIsClosed)
{
    CountingHeap heap;
    TempFile file("file");
    ScopedTable t;
    const std::size_t base = heap.Live();
    FileHandle* out = t.table.BaseLib_FileOpen(t.ctx(), file.path(), "wb");
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(ListElement<TagInfo>(t.table.Context.pTagList->next)->Tag, kFileHandleTag);
    EXPECT_EQ(t.table.BaseLib_FileWrite(t.ctx(), "abcdefgh", 2, 4, out), 4u);
    t.table.BaseLib_FileClose(t.ctx(), out);
    EXPECT_EQ(heap.Live(), base);
    FileHandle* in = t.table.BaseLib_FileOpen(t.ctx(), file.path(), "rb");
    ASSERT_NE(in, nullptr);
    EXPECT_EQ(t.table.BaseLib_FileLength(t.ctx(), in), 8u);
    char text[9] = {};
    EXPECT_EQ(t.table.BaseLib_FileRead(t.ctx(), text, 1, 8, in), 8u);   // rewound by the length
    EXPECT_STREQ(text, "abcdefgh");
    t.table.BaseLib_FileClose(t.ctx(), in);
    EXPECT_EQ(t.table.BaseLib_FileOpen(t.ctx(), (std::string(file.path()) + ".absent").c_str(), "r"), nullptr);
    heap.Refuse(0);   // no block for the handle: the stream is closed again
    EXPECT_EQ(t.table.BaseLib_FileOpen(t.ctx(), file.path(), "rb"), nullptr);
    EXPECT_EQ(heap.Live(), base);
}

TEST(BaseLibString, HexTextBecomesANumberOfTheGivenWidth)
{
    constexpr std::uint32_t kUntouched = 0xA5A5A5A5u;
    const struct {
        const char* text;
        std::uint8_t width;
        std::uint32_t result;
        std::uint32_t stored;
    } cases[] = {
        {" 0x0404", 2, 1, 0x0404},
        {"0x12345", 2, 1, kUntouched},   // five digits do not fit two bytes
        {"FFFF", 1, 1, kUntouched},
        {"ff", 1, 1, 0xFF},
        {"0xDEADbeef", 4, 1, 0xDEADBEEF},
        {"12G4", 2, 0, 0x1200},          // digits before a stray one keep their weight
        {"ab0x1f", 1, 1, 0x1F},          // everything up to "0x" goes
        {"", 2, 0, kUntouched},
        {"0x0409", 3, 0, kUntouched},
    };
    ScopedTable t;
    for (const auto& c : cases) {
        std::uint32_t output = kUntouched;
        EXPECT_EQ(t.table.BaseLib_StrHexToNum(t.ctx(), c.text, &output, c.width), c.result) << c.text;
        std::uint32_t expected = kUntouched;
        if (c.stored != kUntouched) {
            std::memcpy(&expected, &c.stored, c.width);   // only the width's bytes are written
        }
        EXPECT_EQ(output, expected) << c.text;
    }
    char text[8] = "ab  ";
    EXPECT_EQ(t.table.BaseLib_StrTrimRight(t.ctx(), text, 3), 0u);   // no NUL within the size
    EXPECT_EQ(t.table.BaseLib_StrTrimRight(t.ctx(), text, 8), 1u);
    EXPECT_STREQ(text, "ab");
    std::strcpy(text, "   ");
    EXPECT_EQ(t.table.BaseLib_StrTrimRight(t.ctx(), text, 3), 1u);
    EXPECT_STREQ(text, "");
}

LogConfig Config(std::uint32_t outputs, std::uint32_t levels, std::uint32_t categories, const char* path = "")
{
    LogConfig config{};
    config.enabled = 1;
    config.outputs = outputs;
    config.levelMask = levels;
    config.categoryMask = categories;
    std::snprintf(config.path, sizeof config.path, "%s", path);
    return config;
}

TEST(BaseLibLog, LevelsAndCategoriesDecideWhetherALineIsWritten)
{
    const struct {
        const char* what;
        std::uint32_t levels, categories;
        std::int32_t level;
        std::uint32_t category;
        const char* line;
    } cases[] = {
        {"info", 1, 7, kLogInfo, 4, "[INFO][Fn()] n=42\n"},
        {"warn", 2, 7, kLogWarn, 4, "[WARN][Fn()] n=42\n"},
        {"error", 4, 7, kLogError, 4, "[ERRO][Fn()] n=42\n"},
        {"level bit missing", 5, 7, kLogWarn, 4, ""},
        {"category shares a bit", 1, 2, kLogInfo, 6, "[INFO][Fn()] n=42\n"},
        {"category shares none", 1, 1, kLogInfo, 4, ""},
        {"a mask above 7 passes all", 1, 8, kLogInfo, 1, "[INFO][Fn()] n=42\n"},
    };
    for (const auto& c : cases) {
        ScopedTable t;
        ASSERT_EQ(BaseLib_ConfigureLog(&t.table, Config(kLogToStdout, c.levels, c.categories)), 1u);
        EXPECT_EQ(CapturedStdout([&] { t.table.BaseLib_Log(t.ctx(), c.level, c.category, "Fn", "n=%d", 42); }),
                  c.line)
            << c.what;
    }
    TempFile file("log");
    ScopedTable t;
    ASSERT_EQ(BaseLib_ConfigureLog(&t.table, Config(kLogToFile, 7, 7, file.path())), 1u);
    const std::string fits(1020 - std::strlen("[INFO][odd%s()] \n"), 'x');
    const std::string tooLong(1021 - std::strlen("[INFO][F()] \n"), 'y');
    EXPECT_EQ(t.table.BaseLib_Log(t.ctx(), kLogInfo, 4, "odd%s", "%s", fits.c_str()), 1u);
    EXPECT_EQ(t.table.BaseLib_Log(t.ctx(), kLogInfo, 4, "F", "%s", tooLong.c_str()), 1u);
    EXPECT_EQ(file.Read(), "[INFO][odd%s()] " + fits + "\n")
        << "a line over 1020 characters is dropped whole; a % in the name stays itself";
}

TEST(BaseLibLog, ServicesWriteEntryAndExitMarkers)
{
    ScopedTable t;
    ASSERT_EQ(BaseLib_ConfigureLog(&t.table, Config(kLogToStdout, 7, 4)), 1u);
    std::uint32_t result = 0;
    EXPECT_EQ(CapturedStdout([&] { result = t.table.BaseLib_MmZeroMem(t.ctx(), nullptr, 4); }),
              "[INFO][BaseLib_MmZeroMem()] (==\n[ERRO][BaseLib_MmZeroMem()] FAILED Failed to check input parameter(s).\n");
    EXPECT_EQ(result, 1u);   // the result of its last log line
    void* block = nullptr;
    static_cast<void>(CapturedStdout([&] { block = t.table.BaseLib_MmAllocMem(t.ctx(), 16); }));
    EXPECT_EQ(CapturedStdout([&] { t.table.BaseLib_MmFreeMem(t.ctx(), block); }),
              "[INFO][BaseLib_MmFreeMem()] (==\n[INFO][BaseLib_MmFreeMem()] ==)\n");
}

}  // namespace
