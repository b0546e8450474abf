// The base library's table: set-up and tear-down, and its print, memory,
// file, string and log services.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <tuple>

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
        EXPECT_EQ(heap.Live() + heap.Foreign(), 0u);
    }
    for (std::size_t refused = 0; refused < blocks; ++refused) {
        CountingHeap heap;
        heap.Refuse(refused);
        BaseLibTable main{};
        IniParserTable reader{};
        EXPECT_EQ(BaseLib_Setup(1, &main) & IniParser_Setup(1, &reader), 0u) << "block " << refused;
        (void)IniParser_Setup(0, &reader);
        (void)BaseLib_Setup(0, &main);
        EXPECT_EQ(heap.Live(), 0u) << "block " << refused;
    }
    BaseLibTable table{};
    EXPECT_EQ(BaseLib_Setup(2, &table), 0u) << "an unknown request";
}

TEST(BaseLibServices, PrintNeedsRoomForTheTextAndFourMoreAndTaggedBlocksAreListedUntilFreed)
{
    CountingHeap heap;
    ScopedTable t;
    for (const auto& [text, result, buffer] : {std::tuple{"abcdef", 1u, std::string("abcdef\0\0\0\0", 10)},
                                               std::tuple{"abcdefg", 0u, std::string(10, '#')}}) {
        char out[10];
        std::memset(out, '#', sizeof out);
        EXPECT_EQ(t.table.BaseLib_SPrint(t.ctx(), out, 10, "%s", text), result) << text;
        EXPECT_EQ(std::string(out, 10), buffer) << text;
    }
    const std::size_t base = heap.Live();
    void* first = t.table.BaseLib_MmAllocMemWithTag(t.ctx(), 32, MakeTag("AAAA"));
    void* second = t.table.BaseLib_MmAllocMemWithTag(t.ctx(), 8, MakeTag("BBBB"));
    ASSERT_TRUE(first != nullptr && AllZero(first, 32));
    EXPECT_EQ(ListElement<TagInfo>(t.table.Context.pTagList->next)->pAddress, second);   // newest first
    int unknown = 0;
    t.table.BaseLib_MmFreeMemWithTag(t.ctx(), &unknown);
    EXPECT_EQ(heap.Live(), base + 4);   // each block has its record
    t.table.BaseLib_MmFreeMemWithTag(t.ctx(), first);
    t.table.BaseLib_MmFreeMemWithTag(t.ctx(), second);
    EXPECT_EQ(t.table.Context.pListOps->LinkedList_IsEmpty(t.table.Context.pTagList), 1u);
    for (std::size_t refused : {0u, 1u}) {   // the record, then the block
        heap.Refuse(refused);
        EXPECT_EQ(t.table.BaseLib_MmAllocMemWithTag(t.ctx(), 16, kFileHandleTag), nullptr);
        EXPECT_EQ(heap.Live(), base);
    }
}

TEST(BaseLibServices, AnOpenFileHoldsOneTaggedHandleUntilItIsClosed)
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
    EXPECT_EQ(t.table.BaseLib_FileAppendStr(t.ctx(), file.path(), "ij"), 1u);
    FileHandle* in = t.table.BaseLib_FileOpen(t.ctx(), file.path(), "rb");
    ASSERT_NE(in, nullptr);
    EXPECT_EQ(t.table.BaseLib_FileLength(t.ctx(), in), 10u);
    char text[11] = {};
    EXPECT_EQ(t.table.BaseLib_FileRead(t.ctx(), text, 1, 10, in), 10u);   // rewound by the length
    EXPECT_STREQ(text, "abcdefghij");
    t.table.BaseLib_FileClose(t.ctx(), in);
    EXPECT_EQ(heap.Live(), base);
    heap.Refuse(0);   // no block for the handle: the stream is closed again
    EXPECT_EQ(t.table.BaseLib_FileOpen(t.ctx(), file.path(), "rb"), nullptr);
    EXPECT_EQ(heap.Live(), base);
}

TEST(BaseLibString, HexTextBecomesANumberOfTheGivenWidthAndTrimStaysWithinItsSize)
{
    constexpr std::uint32_t kUntouched = 0xA5A5A5A5u;
    const struct { const char* text; std::uint8_t width; std::uint32_t result, stored; } cases[] = {
        {" 0x0404", 2, 1, 0x0404},
        {"0x12345", 2, 1, kUntouched},   // five digits do not fit two bytes
        {"ff", 1, 1, 0xFF},
        {"0xDEADbeef", 4, 1, 0xDEADBEEF},
        {"12G4", 2, 0, 0x1200},          // digits before a stray one keep their weight
        {"ab0x1f", 1, 1, 0x1F},          // everything up to "0x" goes
        {"", 2, 0, kUntouched},
        {"0x0409", 3, 0, kUntouched},
    };
    ScopedTable t;
    for (const auto& c : cases) {
        std::uint32_t output = kUntouched, expected = kUntouched;
        if (c.stored != kUntouched) {
            std::memcpy(&expected, &c.stored, c.width);   // only the width's bytes are written
        }
        EXPECT_EQ(t.table.BaseLib_StrHexToNum(t.ctx(), c.text, &output, c.width), c.result) << c.text;
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
    LogConfig config{1, outputs, levels, categories};
    std::snprintf(config.path, sizeof config.path, "%s", path);
    return config;
}

TEST(BaseLibLog, LevelsAndCategoriesDecideWhetherALineIsWritten)
{
    const struct { std::uint32_t levels, categories; std::int32_t level; std::uint32_t category;
        const char* line; } cases[] = {
        {1, 7, kLogInfo, 4, "[INFO][Fn()] n=42\n"},
        {2, 7, kLogWarn, 4, "[WARN][Fn()] n=42\n"},
        {4, 7, kLogError, 4, "[ERRO][Fn()] n=42\n"},
        {5, 7, kLogWarn, 4, ""},                       // its level bit is missing
        {1, 2, kLogInfo, 6, "[INFO][Fn()] n=42\n"},    // the category shares a bit
        {1, 1, kLogInfo, 4, ""},                       // it shares none
        {1, 8, kLogInfo, 1, "[INFO][Fn()] n=42\n"},    // a mask above 7 passes all
    };
    for (const auto& c : cases) {
        ScopedTable t;
        ASSERT_EQ(BaseLib_ConfigureLog(&t.table, Config(kLogToStdout, c.levels, c.categories)), 1u);
        EXPECT_EQ(CapturedStdout([&] { t.table.BaseLib_Log(t.ctx(), c.level, c.category, "Fn", "n=%d", 42); }),
                  c.line)
            << c.levels << " " << c.categories << " " << c.level << " " << c.category;
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
    ASSERT_EQ(BaseLib_ConfigureLog(&t.table, Config(kLogToStdout, 7, 4)), 1u);
    EXPECT_EQ(CapturedStdout([&] { t.table.BaseLib_MmZeroMem(t.ctx(), nullptr, 4); }),
              "[INFO][BaseLib_MmZeroMem()] (==\n[ERRO][BaseLib_MmZeroMem()] FAILED Failed to check input parameter(s).\n");
}

}  // namespace
