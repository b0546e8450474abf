// The diagnostic log: its filters, its outputs, its bound, and the lines
// the memory and file services write through it.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "baselib/base_lib_log.h"
#include "baselib_test_support.h"

namespace {

LogConfig MakeConfig(std::uint32_t outputs, std::uint32_t levels, std::uint32_t categories, const char* path = "")
{
    LogConfig config{};
    config.enabled = 1;
    config.outputs = outputs;
    config.levelMask = levels;
    config.categoryMask = categories;
    std::snprintf(config.path, sizeof config.path, "%s", path);
    return config;
}

testing::AssertionResult Holds(const std::string& out, const std::string& line)
{
    if (out.find(line) != std::string::npos) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << "no \"" << line << "\" in:\n" << out;
}

std::string Pointer(const void* p)
{
    char text[64];
    std::snprintf(text, sizeof text, "%p", p);
    return text;
}

struct FilterCase {
    const char* what;
    std::uint32_t enabled;
    std::uint32_t outputs;
    std::uint32_t levels;
    std::uint32_t categories;
    std::int32_t level;
    std::uint32_t category;
    std::uint32_t result;
    const char* line;   // what reaches standard output
};

TEST(BaseLibLog, LevelsAndCategoriesDecideWhetherALineIsProduced)
{
    const FilterCase cases[] = {
        {"logging off", 0, kLogToStdout, 7, 7, kLogInfo, 4, 0, ""},
        {"no output", 1, 0, 7, 7, kLogInfo, 4, 0, ""},
        {"info", 1, kLogToStdout, 1, 7, kLogInfo, 4, 1, "[INFO][Fn()] n=42\n"},
        {"error", 1, kLogToStdout, 4, 7, kLogError, 4, 1, "[ERRO][Fn()] n=42\n"},
        {"level bit missing", 1, kLogToStdout, 5, 7, kLogWarn, 4, 0, ""},
        {"no such level", 1, kLogToStdout, 7, 7, 3, 4, 0, ""},
        {"category shares a bit", 1, kLogToStdout, 1, 2, kLogInfo, 6, 1, "[INFO][Fn()] n=42\n"},
        {"category shares none", 1, kLogToStdout, 1, 1, kLogInfo, 4, 0, ""},
        {"mask 7 passes all", 1, kLogToStdout, 1, 7, kLogInfo, 0, 1, "[INFO][Fn()] n=42\n"},
        {"mask above 7 passes all", 1, kLogToStdout, 1, 8, kLogInfo, 1, 1, "[INFO][Fn()] n=42\n"},
    };
    for (const FilterCase& c : cases) {
        ScopedTable t;
        LogConfig config = MakeConfig(c.outputs, c.levels, c.categories);
        config.enabled = c.enabled;
        ASSERT_EQ(BaseLib_ConfigureLog(&t.table, config), 1u);
        std::uint32_t result = 99;
        const std::string out =
            CapturedStdout([&] { result = t.table.BaseLib_Log(t.ctx(), c.level, c.category, "Fn", "n=%d", 42); });
        EXPECT_EQ(result, c.result) << c.what;
        EXPECT_EQ(out, c.line) << c.what;
    }
}

TEST(BaseLibLog, WritesToTheFileToStandardOutputOrBoth)
{
    for (std::uint32_t outputs : {kLogToFile, kLogToStdout, kLogToFile | kLogToStdout}) {
        TempFile file("log");
        ScopedTable t;
        ASSERT_EQ(BaseLib_ConfigureLog(&t.table, MakeConfig(outputs, 7, 7, file.path())), 1u);
        const std::string out = CapturedStdout([&] {
            EXPECT_EQ(t.table.BaseLib_Log(t.ctx(), kLogWarn, 4, "First", "%s and %d", "text", 7), 1u);
            EXPECT_EQ(t.table.BaseLib_Log(t.ctx(), kLogError, 4, "Second", "plain"), 1u);
        });
        const std::string lines = "[WARN][First()] text and 7\n[ERRO][Second()] plain\n";
        EXPECT_EQ(out, (outputs & kLogToStdout) != 0 ? lines : "") << outputs;
        EXPECT_EQ(file.Read(), (outputs & kLogToFile) != 0 ? lines : "") << outputs;
    }
}

TEST(BaseLibLog, ALineOfMoreThan1020CharactersIsDroppedWhole)
{
    ScopedTable t;
    ASSERT_EQ(BaseLib_ConfigureLog(&t.table, MakeConfig(kLogToStdout, 7, 7)), 1u);
    const std::string frame = "[INFO][F()] \n";
    const std::string fits(1020 - frame.size(), 'x');
    const std::string tooLong(fits.size() + 1, 'x');

    std::uint32_t result = 0;
    std::string out =
        CapturedStdout([&] { result = t.table.BaseLib_Log(t.ctx(), kLogInfo, 4, "F", "%s", fits.c_str()); });
    EXPECT_EQ(result, 1u);
    EXPECT_EQ(out.size(), 1020u);
    EXPECT_EQ(out, "[INFO][F()] " + fits + "\n");

    out = CapturedStdout(
        [&] { result = t.table.BaseLib_Log(t.ctx(), kLogInfo, 4, "F", "%s", tooLong.c_str()); });
    EXPECT_EQ(result, 1u);
    EXPECT_EQ(out, "");
    // The caller's format is part of the line's format and bounded with it.
    out = CapturedStdout([&] { t.table.BaseLib_Log(t.ctx(), kLogInfo, 4, "F", tooLong.c_str()); });
    EXPECT_EQ(out, "");
}

TEST(BaseLibLog, RefusesMissingArgumentsAndTakesAPercentInTheNameLiterally)
{
    ScopedTable t;
    ASSERT_EQ(BaseLib_ConfigureLog(&t.table, MakeConfig(kLogToStdout, 7, 7)), 1u);
    std::string out = CapturedStdout([&] {
        EXPECT_EQ(t.table.BaseLib_Log(nullptr, kLogInfo, 4, "F", "x"), 0u);
        EXPECT_EQ(t.table.BaseLib_Log(t.ctx(), kLogInfo, 4, nullptr, "x"), 0u);
        EXPECT_EQ(t.table.BaseLib_Log(t.ctx(), kLogInfo, 4, "F", nullptr), 0u);
    });
    EXPECT_EQ(out, "");
    out = CapturedStdout([&] { t.table.BaseLib_Log(t.ctx(), kLogInfo, 4, "odd%sname%", "%d", 5); });
    EXPECT_EQ(out, "[INFO][odd%sname%()] 5\n");

    BaseLibTable cleared{};
    EXPECT_EQ(BaseLib_ConfigureLog(&cleared, MakeConfig(kLogToStdout, 7, 7)), 0u);
    LogConfig unterminated = MakeConfig(kLogToStdout, 7, 7);
    std::memset(unterminated.path, 'p', sizeof unterminated.path);
    EXPECT_EQ(BaseLib_ConfigureLog(&t.table, unterminated), 0u);
}

TEST(BaseLibLog, ServicesWriteEntryAndExitMarkersAndTheirStatusWords)
{
    ScopedTable t;
    ASSERT_EQ(BaseLib_ConfigureLog(&t.table, MakeConfig(kLogToStdout, 7, 4)), 1u);
    void* block = nullptr;
    std::string out = CapturedStdout([&] { block = t.table.BaseLib_MmAllocMem(t.ctx(), 16); });
    EXPECT_EQ(out, "[INFO][BaseLib_MmAllocMem()] (==\n"
                   "[ERRO][BaseLib_MmAllocMem()] PASSED A memory(0x" +
                       Pointer(block) + ") was allocated in 16 byte(s).\n"
                   "[INFO][BaseLib_MmAllocMem()] ==)\n");

    // A service's result is that of its closing log line: 1 while it is written.
    std::uint32_t result = 0;
    out = CapturedStdout([&] { result = t.table.BaseLib_MmFreeMem(t.ctx(), block); });
    EXPECT_EQ(result, 1u);
    EXPECT_EQ(out, "[INFO][BaseLib_MmFreeMem()] (==\n[INFO][BaseLib_MmFreeMem()] ==)\n");

    out = CapturedStdout([&] { result = t.table.BaseLib_MmZeroMem(t.ctx(), nullptr, 4); });
    EXPECT_EQ(result, 1u);
    EXPECT_EQ(out, "[INFO][BaseLib_MmZeroMem()] (==\n"
                   "[ERRO][BaseLib_MmZeroMem()] FAILED Failed to check input parameter(s).\n");

    int unknown = 0;
    out = CapturedStdout([&] { t.table.BaseLib_MmFreeMemWithTag(t.ctx(), &unknown); });
    EXPECT_EQ(out, "[INFO][BaseLib_MmFreeMemWithTag()] (==\n"
                   "[ERRO][BaseLib_MmFreeMemWithTag()] FAILED Indicated memory(0x" + Pointer(&unknown) +
                       ") is not found in LinkedList\n"
                   "[INFO][BaseLib_MmFreeMemWithTag()] ==)\n");

    const char same[] = "abc";
    const char other[] = "abd";
    out = CapturedStdout([&] {
        EXPECT_EQ(t.table.BaseLib_MmCmpMem(t.ctx(), same, same, 3), 1u);
        EXPECT_EQ(t.table.BaseLib_MmCmpMem(t.ctx(), same, other, 3), 1u);
    });
    EXPECT_TRUE(Holds(out, "[ERRO][BaseLib_MmCmpMem()] PASSED Memories are THE SAME.\n"));
    EXPECT_TRUE(Holds(out, "[ERRO][BaseLib_MmCmpMem()] PASSED Memories are DIFFERENT.\n"));
}

}  // namespace
