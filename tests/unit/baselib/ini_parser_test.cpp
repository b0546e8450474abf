// The INI reader: what text becomes which tree, and the lookups over it.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "baselib_rig.h"

namespace {

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
        {"comment lines and lines that begin with = or ^", "[S]\n#0x0409=x\n;x\n=v\n^k=v\nabc\n", "[S]#0\n  0:abc= (4,0)\n"},
        {"a value keeps = and ^", "[S]\nk=a=b^c\n", "[S]#0\n  0:k=a=b^c (2,6)\n"},
        {"keys before the first header are dropped", "k=v\n[S]\nj=w", "[S]#0\n  0:j=w (2,2)\n"},
        {"repeated sections and keys", "[L]\na=1\na=2\n[L]\na=3\n", "[L]#0\n  0:a=1 (2,2)\n  1:a=2 (2,2)\n[L]#1\n  0:a=3 (2,2)\n"},
        {"escapes", "[S]\nv=\\n\\rx\n", "[S]#0\n  0:v=<LF><CR>x (2,4)\n"},
        {"headers", "[S] text\n[open\n[]=x\n", "[S]#0\n[open]#1\n  0:[]=x (3,2)\n"},
    };
    for (const auto& c : cases) {
        CountingHeap heap;
        {
            ScopedReader r;
            EXPECT_EQ(r.Parse(c.text), 1u) << c.what;
            EXPECT_EQ(Tree(r.reader), c.tree) << c.what;
        }
        EXPECT_EQ(heap.Live(), 0u) << c.what;
    }
}

TEST(IniParser, ALongLineIsCutAtTheLineBufferAndASecondTextNumbersOn)
{
    ScopedReader r;
    const std::string text = "[S]\nk=" + std::string(3000, 'b') + "\n";
    EXPECT_EQ(r.Parse(text), 1u);
    EXPECT_EQ(r.Parse("stray=0\n[T]\nm=1\n"), 1u);
    EXPECT_EQ(Tree(r.reader), "[S]#0\n  0:k=" + std::string(kIniMaxLineLength - 2, 'b') + " (2,2046)\n[T]#1\n  0:m=1 (2,2)\n");
}

TEST(IniParser, KeysAreFoundByTheirFirstBytesFirstInTextOrder)
{
    ScopedReader r;
    ASSERT_EQ(r.Parse("[G]\nLang   =\nBTN_OK=OK\nBTN=short\nBTN_OK=second\n[E]\nEmpty=\n"), 1u);
    const struct { const char* name; const char* value; /* null: not found */ } cases[] = {
        {"Lang", ""},         // the stored name's blanks do not matter
        {"BTN_OK", "OK"},     // the first of two
        {"BTN", "OK"},        // a prefix finds the first key that begins with it
        {"btn_ok", nullptr},
        {"BTN_CANCEL", nullptr},
    };
    for (const auto& c : cases) {
        const IniKey* key = r.reader.IniParser_FindKeyByName(r.ctx(), 0, c.name);
        EXPECT_EQ(key != nullptr, c.value != nullptr) << c.name;
        if (key != nullptr && c.value != nullptr) {
            EXPECT_STREQ(key->Value, c.value) << c.name;
        }
    }
    EXPECT_EQ(r.reader.IniParser_FindSectionByName(r.ctx(), "E")->SectionIndex, 1u);
    EXPECT_EQ(r.reader.IniParser_FindSectionByName(r.ctx(), "e"), nullptr);

    // Copy-out: a size query, a buffer too small, a buffer that fits.
    char buffer[8];
    std::memset(buffer, '#', sizeof buffer);
    std::uint32_t size = 0;
    EXPECT_EQ(r.reader.IniParser_GetValue(r.ctx(), 0, "BTN_OK", nullptr, &size), 1u);
    EXPECT_EQ(size, 3u);
    size = 2;
    EXPECT_EQ(r.reader.IniParser_GetValue(r.ctx(), 0, "BTN_OK", buffer, &size), 0u);
    EXPECT_EQ(buffer[0], '#');
    size = 3;
    EXPECT_EQ(r.reader.IniParser_GetValue(r.ctx(), 0, "BTN_OK", buffer, &size), 1u);
    EXPECT_STREQ(buffer, "OK");
    size = sizeof buffer;
    EXPECT_EQ(r.reader.IniParser_GetValue(r.ctx(), 1, "Empty", buffer, &size), 1u);
    EXPECT_EQ(size, 0u);
}

}  // namespace
