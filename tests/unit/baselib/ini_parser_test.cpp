// The INI reader: what text becomes which tree, and the lookups over it.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "baselib/base_lib_log.h"
#include "baselib/ini_parser_setup.h"
#include "baselib_test_support.h"

namespace {

struct ParseCase {
    const char* what;
    std::string text;
    std::string tree;
};

TEST(IniParser, TextBecomesSectionsAndKeysInTextOrder)
{
    const ParseCase cases[] = {
        {"byte-order mark", "\xEF\xBB\xBF[GENERAL]\nLanguageIdentifier                      =\n",
         "[GENERAL]#0\n  0:LanguageIdentifier                      = (41,0)\n"},
        {"CR LF line ends stay in values and bare keys", "[A]\r\nk = v\r\nbare\r\n\r\nw =\r\n",
         "[A]#0\n  0:k =v<CR> (3,3)\n  1:bare<CR>= (6,0)\n  2:<CR>= (2,0)\n  3:w = (3,0)\n"},
        {"inline comments end the value", "[S]\na=b #c\nc= #x\nd=;y\ne = 1;2#3\n",
         "[S]#0\n  0:a=b  (2,3)\n  1:c= (2,0)\n  2:d= (2,0)\n  3:e =1 (3,2)\n"},
        {"comments and lines that begin with = or ^", "[S]\n#0x0409=English-USA\n;x\n=v\n^k=v\nabc\n",
         "[S]#0\n  0:abc= (4,0)\n"},
        {"keys before the first header are dropped", "k=v\n\n[S]\nj=w", "[S]#0\n  0:j=w (2,2)\n"},
        {"repeated sections and keys", "[L]\na=1\na=2\n[L]\na=3\n",
         "[L]#0\n  0:a=1 (2,2)\n  1:a=2 (2,2)\n[L]#1\n  0:a=3 (2,2)\n"},
        {"escapes", "[S]\nv=\\n\\rx\nw=a\\n\nz=\\\\n\n",
         "[S]#0\n  0:v=<LF><CR>x (2,4)\n  1:w=a<LF> (2,3)\n  2:z=\\<LF> (2,3)\n"},
        {"headers", "[S] trailing ; text\n[open\n[]=x\n[",
         "[S]#0\n[open]#1\n  0:[]=x (3,2)\n  1:[= (2,0)\n"},
        {"value keeps = and ^ and its trailing blanks", "[S]\nk=a=b^c  \n", "[S]#0\n  0:k=a=b^c   (2,8)\n"},
        {"tabs around =", "[S]\nk\t=\tv\n", "[S]#0\n  0:k\t=v (3,2)\n"},
        {"UTF-8 passes through", "[S]\nt=\xe4\xb8\xad\xe6\x96\x87\n", "[S]#0\n  0:t=\xe4\xb8\xad\xe6\x96\x87 (2,7)\n"},
        {"no line feed at all", "[ONLY]", "[ONLY]#0\n"},
        {"nothing", "", ""},
    };
    for (const ParseCase& c : cases) {
        CountingHeap heap;
        {
            ScopedReader r;
            EXPECT_EQ(r.Parse(c.text), 1u) << c.what;
            EXPECT_EQ(DumpTree(r.reader), c.tree) << c.what;
        }
        EXPECT_EQ(heap.LiveBlocks(), 0u) << c.what;
    }
}

TEST(IniParser, ALongLineIsCutAtTheLineBufferAndItsRestPassedOver)
{
    ScopedReader r;
    const std::string kept(kIniMaxLineLength - 2, 'a');
    const std::string text = "[S]\nk=" + kept + "[X]\nj=" + std::string(3000, 'b') + "\n[T]\nm=1\n";
    EXPECT_EQ(r.Parse(text), 1u);
    EXPECT_EQ(DumpTree(r.reader), "[S]#0\n  0:k=" + kept + " (2,2046)\n  1:j=" + std::string(2045, 'b') +
                                      " (2,2046)\n[T]#1\n  0:m=1 (2,2)\n");
}

TEST(IniParser, ASecondTextNumbersItsSectionsOnAndKeepsItsKeys)
{
    ScopedReader r;
    EXPECT_EQ(r.Parse("[A]\nk=1\n"), 1u);
    EXPECT_EQ(r.Parse("stray=0\n[B]\nk=2\n"), 1u);
    EXPECT_EQ(DumpTree(r.reader), "[A]#0\n  0:k=1 (2,2)\n[B]#1\n  0:k=2 (2,2)\n");
    EXPECT_STREQ(r.reader.IniParser_FindKeyByName(r.ctx(), 1, "k")->Value, "2");
}

TEST(IniParser, ARefusedBlockDropsOnlyItsLineAndTearDownStillLeavesNothing)
{
    const std::string text = "[A]\nk1=x\\ny\nk2=v\n[B]\nk3=w\n";
    std::size_t blocks = 0;
    std::string whole;
    {
        CountingHeap heap;
        ScopedReader r;
        const std::size_t before = heap.Allocations();
        ASSERT_EQ(r.Parse(text), 1u);
        blocks = heap.Allocations() - before;
        whole = DumpTree(r.reader);
    }
    for (std::size_t refused = 0; refused < blocks; ++refused) {
        CountingHeap heap;
        {
            ScopedReader r;
            heap.RefuseAllocation(refused);
            EXPECT_EQ(r.Parse(text), 1u) << refused;
            // Something is missing (or an escape stayed unreplaced), and what
            // is held is whole: the dump reads every name and value.
            const std::string tree = DumpTree(r.reader);
            EXPECT_NE(tree, whole) << refused;
        }
        EXPECT_EQ(heap.LiveBlocks(), 0u) << refused;
        EXPECT_EQ(heap.ForeignReleases(), 0u) << refused;
    }
}

class IniLookup : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(r.Parse("[GENERAL]\n"
                          "LanguageIdentifier                      =\n"
                          "BTN_TEXT_OK=OK\n"
                          "BTN_TEXT=short\n"
                          "BTN_TEXT_OK=second\n"
                          "[LANGUAGE_EN]\n"
                          "Empty=\n"
                          "[LANGUAGE_EN]\n"
                          "Text=later\n"),
                  1u);
    }

    IniParserContext* ctx() { return r.ctx(); }
    IniParserTable& reader() { return r.reader; }

    ScopedReader r;
};

TEST_F(IniLookup, SectionsAreFoundByExactNameAndByIndexFirstInListOrder)
{
    EXPECT_EQ(reader().IniParser_GetSectionCount(ctx()), 3u);
    EXPECT_EQ(reader().IniParser_FindSectionByName(ctx(), "LANGUAGE_EN")->SectionIndex, 1u);
    EXPECT_EQ(reader().IniParser_FindSectionByName(ctx(), "general"), nullptr);
    EXPECT_EQ(reader().IniParser_FindSectionByName(ctx(), "GENERA"), nullptr);
    EXPECT_EQ(reader().IniParser_FindSectionByName(ctx(), nullptr), nullptr);
    EXPECT_STREQ(reader().IniParser_FindSectionByIndex(ctx(), 2)->Name, "LANGUAGE_EN");
    EXPECT_EQ(reader().IniParser_FindSectionByIndex(ctx(), 2)->NameSize, 12u);
    EXPECT_EQ(reader().IniParser_FindSectionByIndex(ctx(), 3), nullptr);
    EXPECT_EQ(reader().IniParser_GetKeyCount(ctx(), 0), 4u);
    EXPECT_EQ(reader().IniParser_GetKeyCount(ctx(), 1), 1u);
    EXPECT_EQ(reader().IniParser_GetKeyCount(ctx(), 7), 0u);
}

TEST_F(IniLookup, KeysAreFoundByTheirFirstBytesFirstInTextOrder)
{
    const struct {
        const char* name;
        const char* value;   // null: not found
    } cases[] = {
        {"LanguageIdentifier", ""},   // the stored name's trailing blanks do not matter
        {"BTN_TEXT_OK", "OK"},        // the first of two
        {"BTN_TEXT", "OK"},           // a prefix finds the first key that begins with it
        {"BTN_TEXT_CANCEL", nullptr},
        {"btn_text_ok", nullptr},
        {"LanguageIdentifier                       x", nullptr},
    };
    for (const auto& c : cases) {
        const IniKey* key = reader().IniParser_FindKeyByName(ctx(), 0, c.name);
        if (c.value == nullptr) {
            EXPECT_EQ(key, nullptr) << c.name;
        } else {
            ASSERT_NE(key, nullptr) << c.name;
            EXPECT_STREQ(key->Value, c.value) << c.name;
        }
    }
    EXPECT_EQ(reader().IniParser_FindKeyByName(ctx(), 0, nullptr), nullptr);
    EXPECT_EQ(reader().IniParser_FindKeyByName(ctx(), 9, "BTN_TEXT_OK"), nullptr);
    EXPECT_STREQ(reader().IniParser_FindKeyByIndex(ctx(), 0, 3)->Value, "second");
    EXPECT_EQ(reader().IniParser_FindKeyByIndex(ctx(), 0, 4), nullptr);
    EXPECT_STREQ(reader().IniParser_FindKeyByIndex(ctx(), 2, 0)->Name, "Text");
}

TEST_F(IniLookup, CopyOutAnswersSizeQueriesAndNeverWritesPastTheBuffer)
{
    char buffer[8];
    std::uint32_t size = 0;
    EXPECT_EQ(reader().IniParser_GetValue(ctx(), 0, "BTN_TEXT_OK", nullptr, &size), 1u);
    EXPECT_EQ(size, 3u);
    std::memset(buffer, '#', sizeof buffer);
    size = 2;
    EXPECT_EQ(reader().IniParser_GetValue(ctx(), 0, "BTN_TEXT_OK", buffer, &size), 0u);
    EXPECT_EQ(buffer[0], '#');
    size = 2;
    EXPECT_EQ(reader().IniParser_GetValue(ctx(), 0, "BTN_TEXT_OK", nullptr, &size), 0u);
    size = sizeof buffer;
    EXPECT_EQ(reader().IniParser_GetValue(ctx(), 0, "BTN_TEXT_OK", buffer, &size), 1u);
    EXPECT_EQ(size, 3u);
    EXPECT_EQ(std::string(buffer, 4), std::string("OK\0#", 4));

    // An empty value needs nothing and copies nothing.
    std::memset(buffer, '#', sizeof buffer);
    size = sizeof buffer;
    EXPECT_EQ(reader().IniParser_GetValue(ctx(), 1, "Empty", buffer, &size), 1u);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(buffer[0], '#');

    size = 0;
    EXPECT_EQ(reader().IniParser_GetKeyName(ctx(), 0, 1, nullptr, &size), 1u);
    EXPECT_EQ(size, 12u);
    size = sizeof buffer;
    EXPECT_EQ(reader().IniParser_GetKeyName(ctx(), 0, 1, buffer, &size), 0u);
    size = 12;
    char name[12];
    EXPECT_EQ(reader().IniParser_GetKeyName(ctx(), 0, 1, name, &size), 1u);
    EXPECT_STREQ(name, "BTN_TEXT_OK");

    EXPECT_EQ(reader().IniParser_GetValue(ctx(), 0, "BTN_TEXT_OK", buffer, nullptr), 0u);
    size = 0;
    EXPECT_EQ(reader().IniParser_GetValue(ctx(), 0, "Missing", nullptr, &size), 0u);
    EXPECT_EQ(reader().IniParser_GetKeyName(ctx(), 0, 9, nullptr, &size), 0u);
}

TEST(IniParser, AReaderThatIsNotSetUpAnswersNothing)
{
    IniParserTable cleared{};
    IniParserContext* ctx = &cleared.Context;
    ScopedReader r;   // its operations, called on the cleared context
    std::uint32_t size = 0;
    EXPECT_EQ(r.reader.IniParser_ParseBuffer(ctx, "[S]\nk=v\n"), 0u);
    EXPECT_EQ(r.reader.IniParser_ParseBuffer(r.ctx(), nullptr), 0u);
    EXPECT_EQ(r.reader.IniParser_LoadFile(ctx, "x.ini"), 0u);
    EXPECT_EQ(r.reader.IniParser_GetSectionList(ctx), nullptr);
    EXPECT_EQ(r.reader.IniParser_GetSectionCount(ctx), 0u);
    EXPECT_EQ(r.reader.IniParser_GetKeyCount(ctx, 0), 0u);
    EXPECT_EQ(r.reader.IniParser_FindSectionByIndex(ctx, 0), nullptr);
    EXPECT_EQ(r.reader.IniParser_FindSectionByName(ctx, "S"), nullptr);
    EXPECT_EQ(r.reader.IniParser_FindKeyByIndex(ctx, 0, 0), nullptr);
    EXPECT_EQ(r.reader.IniParser_FindKeyByName(ctx, 0, "k"), nullptr);
    EXPECT_EQ(r.reader.IniParser_GetKeyName(ctx, 0, 0, nullptr, &size), 0u);
    EXPECT_EQ(r.reader.IniParser_GetValue(ctx, 0, "k", nullptr, &size), 0u);
    EXPECT_EQ(r.reader.IniParser_GetSectionList(r.ctx())->next, r.reader.IniParser_GetSectionList(r.ctx()));
}

TEST(IniParser, LoadFileParsesTheWholeFileAndClosesIt)
{
    TempFile file("load");
    file.WriteBinary("[S]\nk=v\nlast=end");
    ScopedReader r;
    EXPECT_EQ(r.reader.IniParser_LoadFile(r.ctx(), file.path()), 1u);
    EXPECT_EQ(DumpTree(r.reader), "[S]#0\n  0:k=v (2,2)\n  1:last=end (5,4)\n");
    BaseLibContext& services = r.reader.Context.pBaseLib->Context;
    EXPECT_EQ(services.pListOps->LinkedList_IsEmpty(services.pTagList), 1u);

    const std::string missing = std::string(file.path()) + ".absent";
    EXPECT_EQ(r.reader.IniParser_LoadFile(r.ctx(), missing.c_str()), 0u);
    EXPECT_EQ(r.reader.IniParser_LoadFile(r.ctx(), nullptr), 0u);
    EXPECT_EQ(r.reader.IniParser_GetSectionCount(r.ctx()), 1u);
}

TEST(IniParser, TheReadersOwnTableLogsWhenAToolTurnsItOn)
{
    ScopedReader r;
    LogConfig config{};
    config.enabled = 1;
    config.outputs = kLogToStdout;
    config.levelMask = kLogInfo;
    config.categoryMask = kLogAllCategories;
    ASSERT_EQ(BaseLib_ConfigureLog(r.reader.Context.pBaseLib, config), 1u);
    const std::string out = CapturedStdout([&] { EXPECT_EQ(r.Parse("[S]\n"), 1u); });
    EXPECT_NE(out.find("[INFO][BaseLib_MmAllocMem()] (==\n"), std::string::npos) << out;
    EXPECT_NE(out.find("[INFO][BaseLib_MmCopyMem()] PASSED Memory has been copied"), std::string::npos) << out;
}

}  // namespace
