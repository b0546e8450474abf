// The choice of language and the filling of the catalog from a language file.
#include <gtest/gtest.h>

#include <string>

#include "lang/default_language_file.h"
#include "lang/language_choice.h"
#include "loader_rig.h"

namespace {

// The built-in file with the first `from` replaced by `to`; for a key, the
// rest of its first line (the file pads keys to 40 characters) becomes `to`.
std::string BuiltInFile(std::string from = "", std::string to = "", bool key = false)
{
    std::string text(DefaultLanguageFileText(), DefaultLanguageFileSize());
    if (key) {
        from += std::string(40 - from.size(), ' ') + "=";
        to = from + to;
        from = text.substr(text.find(from), text.find('\n', text.find(from)) - text.find(from));
    }
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

using E = CatalogEntry;

TEST(LanguageChoice, FollowsTheSystemLocaleUnlessTheFileNamesALanguage)
{
    const std::uint32_t builtIn[kLanguageSupportsListSize] = {0x0409, 0x0404, 0x0804, 0x0411};
    const std::uint32_t shortList[kLanguageSupportsListSize] = {0x0404, 0, 0x0C04, 0x00010412};
    const std::uint32_t odd[kLanguageSupportsListSize] = {0x0211, 0x00010000};
    const struct { const char* name; const std::uint32_t (&list)[kLanguageSupportsListSize]; std::uint32_t locale;
        std::uint16_t named, chosen; } cases[] = {
        {"an offered locale", builtIn, 0x0804, 0, 0x0804},
        {"Hong Kong takes the first Chinese entry", builtIn, 0x0C04, 0, 0x0404},
        {"Korean is not offered", builtIn, 0x0412, 0, 0x0409},
        {"the named language wins even when nothing offers it", builtIn, 0x0411, 0x0407, 0x0407},
        {"the exact scan stops at the first zero", shortList, 0x0C04, 0, 0x0404},
        {"the primary-language scan goes past it and keeps the low 16 bits", shortList, 0x0812, 0, 0x0412},
        {"all ten bits of the primary language count", odd, 0x0411, 0, 0x0409},
        {"an entry whose low 16 bits are 0 gives English", odd, 0x0400, 0, 0x0409},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ChooseLanguage(c.locale, c.named, c.list), c.chosen) << c.name;
    }
}

TEST(LanguageLoad, FileLanguageSectionsAndTextsDecideTheCatalog)
{
    const std::wstring japanese = L"Android OS \u306b\u5207\u308a\u66ff\u3048\u307e\u3059\u3002";
    const std::wstring customized = L"Going to switch to android OS.", base = L"Going to switch to another OS.";
    std::string many;
    for (int i = 0; i < 31; ++i) {
        many += "0x0409,";
    }
    const std::string builtIn = BuiltInFile();
    const struct { const char* name; std::string file; std::uint32_t locale, loaded;
        std::wstring continueText, cancel; std::uint32_t silenceMode = 1; } cases[] = {
        {"English, customized", builtIn, 0x0409, 1, customized, L"Cancel"},
        {"Japanese, customized", builtIn, 0x0411, 1, japanese, L"\u30ad\u30e3\u30f3\u30bb\u30eb"},
        {"the file names Simplified Chinese", BuiltInFile("LanguageIdentifier", "0804", true), 0x0409, 1,
         L"\u5373\u5c06\u5207\u6362\u5230 Android \u64cd\u4f5c\u7cfb\u7edf\u3002", L"\u53d6\u6d88"},
        {"the file names German, which it lacks", BuiltInFile("LanguageIdentifier", "0x0407", true), 0x0409, 0, L"<null>",
         L"<null>"},
        {"the 32nd entry of the list is read", BuiltInFile("LanguageSupportsList", many + "0x0411", true), 0x0411, 1,
         japanese, L"\u30ad\u30e3\u30f3\u30bb\u30eb"},
        {"the 33rd is not", BuiltInFile("LanguageSupportsList", many + "0x0409,0x0411", true), 0x0411, 1, customized,
         L"Cancel"},
        {"a customized value of 2 is never used", BuiltInFile("CUSTOMIZED_STRING", "2", true), 0x0409, 1, base, L"Cancel"},
        {"a section without LANG_ID_IDENTIFIER does not count", BuiltInFile("LANG_ID_IDENTIFIER", "LANG_ID"), 0x0409, 1,
         base, L"Cancel"},
        {"1023 characters fit", BuiltInFile("OSSWITCHER_IDS_SWITCH_CONTINUE", std::string(1023, 'a'), true), 0x0409, 1,
         std::wstring(1023, L'a'), L"Cancel"},
        {"1024 leave the base text", BuiltInFile("OSSWITCHER_IDS_SWITCH_CONTINUE", std::string(1024, 'a'), true), 0x0409,
         1, base, L"Cancel"},
        {"SilenceMode x", BuiltInFile("SilenceMode", "x", true), 0x0409, 1, customized, L"Cancel", 0},
        {"SilenceMode 2abc", BuiltInFile("SilenceMode", "2abc", true), 0x0409, 1, customized, L"Cancel", 1},
    };
    for (const auto& c : cases) {
        LoaderRig rig;
        rig.Load(c.file, c.locale);
        EXPECT_EQ(rig.catalog.Loaded, c.loaded) << c.name;
        EXPECT_EQ(rig.Text(E::OSSWITCHER_IDS_SWITCH_CONTINUE), c.continueText) << c.name;
        EXPECT_EQ(rig.Text(E::BTN_TEXT_CANCEL), c.cancel) << c.name;
        EXPECT_EQ(rig.NullEntries(), c.loaded != 0 ? 0 : kCatalogEntryCount) << c.name;
        EXPECT_EQ(rig.catalog.SilenceMode, c.silenceMode) << c.name;
    }
    // Each text in a block of exactly its size; the replaced base text is kept.
    LoaderRig rig;
    rig.Load(builtIn, 0x0409);
    EXPECT_EQ(g_blocks.size(), kCatalogEntryCount + 1);
    EXPECT_NE(std::find(g_blocks.begin(), g_blocks.end(), std::pair<void*, std::uint32_t>(
                  const_cast<wchar_t*>(rig.catalog.Text(E::BTN_TEXT_CANCEL)), sizeof L"Cancel")), g_blocks.end());
}

TEST(LanguageLoad, WithoutBlocksOrTablesEntriesStayAsTheyWere)
{
    const struct { const char* name; int blocks; bool reader, main; std::uint32_t loaded;
        std::size_t nullEntries; } cases[] = {
        {"no blocks at all", 0, true, true, 1, kCatalogEntryCount},
        {"all but the last base text", 35, true, true, 1, 1},
        {"no reader", -1, false, true, 0, kCatalogEntryCount},
        {"no main table", -1, true, false, 0, kCatalogEntryCount},
    };
    for (const auto& c : cases) {
        LoaderRig rig;
        g_blocksLeft = c.blocks;
        if (!c.reader) {
            (void)IniParser_Setup(0, &rig.reader);
        }
        if (!c.main) {
            (void)BaseLib_Setup(0, &rig.main);
        }
        rig.Load(BuiltInFile(), 0x0409);
        EXPECT_EQ(rig.catalog.Loaded, c.loaded) << c.name;
        EXPECT_EQ(rig.NullEntries(), c.nullEntries) << c.name;
    }
}

}  // namespace
