// The base library: its tables' set-up and tear-down, the print, memory,
// string and log services, and the INI reader with its lookups. (The file
// services have no caller in the program or its tools.)
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "baselib/base_lib_heap.h"
#include "baselib/base_lib_log.h"
#include "baselib/base_lib_setup.h"
#include "baselib/ini_parser_setup.h"
#include "baselib/process_tables.h"

namespace {

// Stands in for the heap while it lives: refuses the allocation numbered
// `refused` and counts a release of a block it never gave out as a leak.
struct CountingHeap final : BaseLibHeap {
    CountingHeap() : previous(BaseLib_SetHeap(this)) {}
    ~CountingHeap() { BaseLib_SetHeap(previous), std::for_each(live.begin(), live.end(), [](void* b) { std::free(b); }); }
    void* Allocate(std::size_t size) noexcept override
    {
        void* const block = allocations++ == refused ? nullptr : std::malloc(size);
        return block != nullptr ? *live.insert(block).first : nullptr;
    }
    void Release(void* block) noexcept override { live.erase(block) != 0 ? std::free(block) : void(++foreign); }
    std::size_t Live() const { return live.size() + foreign; }
    BaseLibHeap* previous;
    std::set<void*> live;
    std::size_t allocations = 0, foreign = 0, refused = SIZE_MAX;
};

bool AllZero(const void* block, std::size_t size)
{
    const auto* bytes = static_cast<const unsigned char*>(block);
    return std::all_of(bytes, bytes + size, [](unsigned char b) { return b == 0; });
}

// Standard output of an action, without carriage returns on any platform.
template <typename Action>
std::string CapturedStdout(Action&& action)
{
    testing::internal::CaptureStdout();
    action(), std::fflush(stdout);
    std::string text = testing::internal::GetCapturedStdout();
    std::erase(text, '\r');
    return text;
}

struct Tables {
    Tables() : ok(BaseLib_Setup(1, &main) & IniParser_Setup(1, &reader)) {}
    ~Tables() { (void)IniParser_Setup(0, &reader), (void)BaseLib_Setup(0, &main); }
    BaseLibContext* ctx() { return &main.Context; }
    BaseLibTable main{};
    IniParserTable reader{};
    std::uint32_t ok;
};

TEST(BaseLibTables, TearDownReleasesEveryBlockAndAMissingBlockFailsTheSetUpCleanly)
{
    std::size_t blocks = 0;
    {
        CountingHeap heap;
        BaseLibTable main{};
        IniParserTable reader{};
        SetUpProcessTables(&main, &reader);
        ASSERT_EQ(main.Initialised & reader.Initialised, 1u);
        blocks = heap.allocations;
        EXPECT_NE(main.BaseLib_MmAllocMemWithTag(&main.Context, 64, MakeTag("TEST")), nullptr);
        EXPECT_EQ(reader.IniParser_ParseBuffer(&reader.Context, "[A]\nk=a\\nb\n[B]\n"), 1u);
        TearDownProcessTables(&main, &reader);
        EXPECT_TRUE(AllZero(&main, sizeof main) && AllZero(&reader, sizeof reader));
        EXPECT_EQ(heap.Live(), 0u);
    }
    for (std::size_t refused = 0; refused < blocks; ++refused) {
        CountingHeap heap;
        heap.refused = heap.allocations + refused;
        EXPECT_EQ(Tables().ok, 0u) << "block " << refused;
        EXPECT_EQ(heap.Live(), 0u) << "block " << refused;
    }
    BaseLibTable table{};
    EXPECT_EQ(BaseLib_Setup(2, &table), 0u) << "an unknown request";
}

TEST(BaseLibServices, PrintNeedsRoomForTheTextAndFourMoreAndTaggedBlocksAreListedUntilFreed)
{
    CountingHeap heap;
    Tables t;
    char out[10];
    std::memset(out, '#', sizeof out);
    EXPECT_EQ(t.main.BaseLib_SPrint(t.ctx(), out, 10, "%s", "abcdefg"), 0u);
    EXPECT_EQ(std::string(out, 10), std::string(10, '#'));
    EXPECT_EQ(t.main.BaseLib_SPrint(t.ctx(), out, 10, "%s", "abcdef"), 1u);
    EXPECT_EQ(std::string(out, 10), std::string("abcdef\0\0\0\0", 10));

    const std::size_t base = heap.Live();
    void* first = t.main.BaseLib_MmAllocMemWithTag(t.ctx(), 32, MakeTag("AAAA"));
    void* second = t.main.BaseLib_MmAllocMemWithTag(t.ctx(), 8, MakeTag("BBBB"));
    ASSERT_TRUE(first != nullptr && AllZero(first, 32));
    EXPECT_EQ(ListElement<TagInfo>(t.main.Context.pTagList->next)->pAddress, second);   // newest first
    int unknown = 0;
    t.main.BaseLib_MmFreeMemWithTag(t.ctx(), &unknown);
    EXPECT_EQ(heap.Live(), base + 4);   // each block has its record
    t.main.BaseLib_MmFreeMemWithTag(t.ctx(), first);
    t.main.BaseLib_MmFreeMemWithTag(t.ctx(), second);
    EXPECT_EQ(t.main.Context.pListOps->LinkedList_IsEmpty(t.main.Context.pTagList), 1u);
    for (std::size_t refused : {0u, 1u}) {   // the record, then the block
        heap.refused = heap.allocations + refused;
        EXPECT_EQ(t.main.BaseLib_MmAllocMemWithTag(t.ctx(), 16, MakeTag("CCCC")), nullptr);
        EXPECT_EQ(heap.Live(), base);
    }
}

TEST(BaseLibString, HexTextBecomesANumberOfTheGivenWidthAndTrimStaysWithinItsSize)
{
    constexpr std::uint32_t kUntouched = 0xA5A5A5A5u;
    const struct { const char* text; std::uint8_t width; std::uint32_t result, stored; } cases[] = {
        {" 0x0404", 2, 1, 0x0404}, {"0xDEADbeef", 4, 1, 0xDEADBEEF}, {"0x0409", 3, 0, kUntouched},
        {"0x12345", 2, 1, kUntouched},   // five digits do not fit two bytes
        {"12G4", 2, 0, 0x1200},          // digits before a stray one keep their weight
        {"ab0x1f", 1, 1, 0x1F},          // everything up to "0x" goes
    };
    Tables t;
    for (const auto& c : cases) {
        std::uint32_t output = kUntouched, expected = kUntouched;
        if (c.stored != kUntouched) {
            std::memcpy(&expected, &c.stored, c.width);   // only the width's bytes are written
        }
        EXPECT_EQ(t.main.BaseLib_StrHexToNum(t.ctx(), c.text, &output, c.width), c.result) << c.text;
        EXPECT_EQ(output, expected) << c.text;
    }
    char text[8] = "ab  ";
    EXPECT_EQ(t.main.BaseLib_StrTrimRight(t.ctx(), text, 3), 0u);   // no NUL within the size
    EXPECT_EQ(t.main.BaseLib_StrTrimRight(t.ctx(), text, 8), 1u);
    EXPECT_STREQ(text, "ab");
    std::strcpy(text, "   ");
    EXPECT_EQ(t.main.BaseLib_StrTrimRight(t.ctx(), text, 3), 1u);
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
        {2, 7, kLogWarn, 4, "[WARN][Fn()] n=42\n"},
        {5, 7, kLogWarn, 4, ""},                       // its level bit is missing
        {1, 2, kLogInfo, 6, "[INFO][Fn()] n=42\n"},    // the category shares a bit
        {1, 1, kLogInfo, 4, ""},                       // it shares none
        {1, 8, kLogInfo, 1, "[INFO][Fn()] n=42\n"},    // a mask above 7 passes all
    };
    Tables t;
    for (const auto& c : cases) {
        ASSERT_EQ(BaseLib_ConfigureLog(&t.main, Config(kLogToStdout, c.levels, c.categories)), 1u);
        EXPECT_EQ(CapturedStdout([&] { t.main.BaseLib_Log(t.ctx(), c.level, c.category, "Fn", "n=%d", 42); }), c.line)
            << c.levels << " " << c.categories << " " << c.level << " " << c.category;
    }
    const auto path = std::filesystem::temp_directory_path() / ("orvex_log" + std::to_string(std::rand()));
    std::remove(path.string().c_str());   // left by a run that crashed
    ASSERT_EQ(BaseLib_ConfigureLog(&t.main, Config(kLogToFile, 7, 7, path.string().c_str())), 1u);
    const std::string fits(1020 - std::strlen("[INFO][odd%s()] \n"), 'x');
    const std::string tooLong(1021 - std::strlen("[INFO][F()] \n"), 'y');
    EXPECT_EQ(t.main.BaseLib_Log(t.ctx(), kLogInfo, 4, "odd%s", "%s", fits.c_str()), 1u);
    EXPECT_EQ(t.main.BaseLib_Log(t.ctx(), kLogInfo, 4, "F", "%s", tooLong.c_str()), 1u);
    std::ifstream in(path);
    const std::string written(std::istreambuf_iterator<char>(in), {});
    in.close();
    EXPECT_EQ(written, "[INFO][odd%s()] " + fits + "\n")
        << "a line over 1020 characters is dropped whole; a % in the name stays itself";
    std::remove(path.string().c_str());
    ASSERT_EQ(BaseLib_ConfigureLog(&t.main, Config(kLogToStdout, 7, 4)), 1u);
    EXPECT_EQ(CapturedStdout([&] { t.main.BaseLib_MmZeroMem(t.ctx(), nullptr, 4); }),
              "[INFO][BaseLib_MmZeroMem()] (==\n[ERRO][BaseLib_MmZeroMem()] FAILED Failed to check input parameter(s).\n");
}

// The tree as "[name]#index" lines, each key below as "  index:name=value
// (nameSize,valueSize)", with CR and LF shown as <CR> and <LF>.
std::string Tree(IniParserTable& reader)
{
    const auto visible = [](const char* text) {
        std::string out;
        for (; *text != '\0'; ++text) {
            out += *text == '\r' ? "<CR>" : *text == '\n' ? "<LF>" : std::string(1, *text);
        }
        return out;
    };
    std::string out;
    ListLink* const sections = reader.IniParser_GetSectionList(&reader.Context);
    for (ListLink* s = sections->next; s != sections; s = s->next) {
        IniSection* const section = ListElement<IniSection>(s);
        out += "[" + visible(section->Name) + "]#" + std::to_string(section->SectionIndex) + "\n";
        for (ListLink* k = section->Keys.next; k != &section->Keys; k = k->next) {
            IniKey* const key = ListElement<IniKey>(k);
            out += "  " + std::to_string(key->KeyIndex) + ":" + visible(key->Name) + "=" + visible(key->Value) +
                   " (" + std::to_string(key->NameSize) + "," + std::to_string(key->ValueSize) + ")\n";
        }
    }
    return out;
}

TEST(IniParser, TextBecomesSectionsAndKeysInTextOrder)
{
    const struct { const char* what; std::string text; std::string tree; } cases[] = {
        {"byte-order mark; blanks before = stay in the name", "\xEF\xBB\xBF[G]\nLang   =\n", "[G]#0\n  0:Lang   = (8,0)\n"},
        {"CR LF line ends stay", "[A]\r\nk = v\r\nbare\r\n", "[A]#0\n  0:k =v<CR> (3,3)\n  1:bare<CR>= (6,0)\n"},
        {"# and ; end a value", "[S]\na=b #c\nd=;y\ne = 1;2\n", "[S]#0\n  0:a=b  (2,3)\n  1:d= (2,0)\n  2:e =1 (3,2)\n"},
        {"comment lines and lines that begin with = or ^; a value keeps = and ^",
         "[S]\n#0x0409=x\n;x\n=v\n^k=v\nabc=a=b^c\n", "[S]#0\n  0:abc=a=b^c (4,6)\n"},
        {"keys before the first header are dropped", "k=v\n[S]\nj=w", "[S]#0\n  0:j=w (2,2)\n"},
        {"repeated sections and keys", "[L]\na=1\na=2\n[L]\na=3\n", "[L]#0\n  0:a=1 (2,2)\n  1:a=2 (2,2)\n[L]#1\n  0:a=3 (2,2)\n"},
        {"escapes", "[S]\nv=\\n\\rx\n", "[S]#0\n  0:v=<LF><CR>x (2,4)\n"},
        {"headers", "[S] text\n[open\n[]=x\n", "[S]#0\n[open]#1\n  0:[]=x (3,2)\n"},
    };
    for (const auto& c : cases) {
        CountingHeap heap;
        {
            Tables t;
            EXPECT_EQ(t.reader.IniParser_ParseBuffer(&t.reader.Context, c.text.c_str()), 1u) << c.what;
            EXPECT_EQ(Tree(t.reader), c.tree) << c.what;
        }
        EXPECT_EQ(heap.Live(), 0u) << c.what;
    }
}

TEST(IniParser, ALongLineIsCutAtTheLineBufferAndASecondTextNumbersOnAndKeysAreFoundByTheirFirstBytes)
{
    Tables t;
    IniParserContext* const ctx = &t.reader.Context;
    EXPECT_EQ(t.reader.IniParser_ParseBuffer(ctx, ("[S]\nk=" + std::string(3000, 'b') + "\n").c_str()), 1u);
    EXPECT_EQ(t.reader.IniParser_ParseBuffer(ctx, "stray=0\n[T]\nm=1\n"), 1u);
    EXPECT_EQ(Tree(t.reader), "[S]#0\n  0:k=" + std::string(kIniMaxLineLength - 2, 'b') + " (2,2046)\n[T]#1\n  0:m=1 (2,2)\n");

    ASSERT_EQ(t.reader.IniParser_ParseBuffer(ctx, "[G]\nLang   =\nBTN_OK=OK\nBTN=short\nBTN_OK=second\n[E]\nEmpty=\n"), 1u);
    const struct { const char* name; const char* value; /* null: not found */ } cases[] = {
        {"Lang", ""},         // the stored name's blanks do not matter
        {"BTN", "OK"},        // a prefix finds the first key that begins with it
        {"btn_ok", nullptr},
        {"BTN_CANCEL", nullptr},
    };
    for (const auto& c : cases) {
        const IniKey* key = t.reader.IniParser_FindKeyByName(ctx, 2, c.name);
        EXPECT_STREQ(key != nullptr ? key->Value : nullptr, c.value) << c.name;
    }
    EXPECT_EQ(t.reader.IniParser_FindSectionByName(ctx, "E")->SectionIndex, 3u);
    EXPECT_EQ(t.reader.IniParser_FindSectionByName(ctx, "e"), nullptr);

    // Copy-out: a size query, a buffer too small (left alone), one that fits, an empty value.
    const struct { std::uint32_t section; const char* name; bool query; std::uint32_t size, result, sizeAfter;
        const char* buffer; } copies[] = {
        {2, "BTN_OK", true, 0, 1, 3, "#"}, {2, "BTN_OK", false, 2, 0, 2, "#"}, {2, "BTN_OK", false, 3, 1, 3, "OK"},
        {3, "Empty", false, 8, 1, 0, "#"}};   // its size is 0: nothing to copy
    for (const auto& c : copies) {
        char buffer[8] = "#";
        std::uint32_t size = c.size;
        EXPECT_EQ(t.reader.IniParser_GetValue(ctx, c.section, c.name, c.query ? nullptr : buffer, &size), c.result);
        EXPECT_EQ(size, c.sizeAfter) << c.name << " " << c.size;
        EXPECT_STREQ(buffer, c.buffer) << c.name << " " << c.size;
    }
}

}  // namespace
