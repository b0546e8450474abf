// The choice of language and the filling of the catalog from a language file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lang/language_choice.h"
#include "loader_rig.h"

namespace {

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
        {"a locale with a sort order matches by primary language", builtIn, 0x00020411, 0, 0x0411},
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

const std::wstring kEnglishCustomized = L"Going to switch to android OS.";
const std::wstring kEnglishBase = L"Going to switch to another OS.";
const std::string kCustomizedLine = KeyLine("OSSWITCHER_IDS_SWITCH_CONTINUE", "Going to switch to android OS.");
const std::string kSupportsLine = KeyLine("LanguageSupportsList", "0x0409, 0x0404, 0x0804, 0x0411");

TEST(LanguageLoad, TheBuiltInFileServesEachLocaleWithEveryTextAndItsCustomizedOnes)
{
    const struct { std::uint32_t locale; std::wstring cancel, continueText; } cases[] = {
        {0x0409, L"Cancel", kEnglishCustomized},
        {0x0411, L"\u30ad\u30e3\u30f3\u30bb\u30eb", L"Android OS \u306b\u5207\u308a\u66ff\u3048\u307e\u3059\u3002"},
        {0x0412, L"Cancel", kEnglishCustomized},
    };
    for (const auto& c : cases) {
        LoaderRig rig;
        rig.Load(BuiltInFile(), c.locale);
        EXPECT_EQ(rig.catalog.Loaded, 1u) << c.locale;
        EXPECT_EQ(rig.NullEntries(), 0u) << c.locale;
        EXPECT_EQ(rig.Text(E::BTN_TEXT_CANCEL), c.cancel) << c.locale;
        EXPECT_EQ(rig.Text(E::OSSWITCHER_IDS_SWITCH_CONTINUE), c.continueText) << c.locale;
        EXPECT_EQ(rig.catalog.SilenceMode, 1u);
        // Each text in a block of exactly its size; the replaced base text is kept.
        EXPECT_EQ(rig.BlockCount(), kCatalogEntryCount + 1);
        EXPECT_EQ(rig.BlockSize(E::BTN_TEXT_CANCEL), (c.cancel.size() + 1) * sizeof(wchar_t));
    }
}

TEST(LanguageLoad, VariationsOfTheFileDecideLanguageSectionsAndTexts)
{
    std::string many;
    for (int i = 0; i < 31; ++i) {
        many += "0x0409,";
    }
    const struct { const char* name; std::string file; std::uint32_t locale, loaded;
        std::wstring continueText, cancel; } cases[] = {
        {"the file names Simplified Chinese",
         BuiltInFileWith(KeyLine("LanguageIdentifier", "") + "\n", KeyLine("LanguageIdentifier", "0804") + "\n"),
         0x0409, 1, L"\u5373\u5c06\u5207\u6362\u5230 Android \u64cd\u4f5c\u7cfb\u7edf\u3002", L"\u53d6\u6d88"},
        {"the file names German, which it lacks",
         BuiltInFileWith(KeyLine("LanguageIdentifier", "") + "\n", KeyLine("LanguageIdentifier", "0x0407") + "\n"),
         0x0409, 0, L"<null>", L"<null>"},
        {"the 32nd entry of the list is read", BuiltInFileWith(kSupportsLine, KeyLine("LanguageSupportsList", many + "0x0411")),
         0x0411, 1, L"Android OS \u306b\u5207\u308a\u66ff\u3048\u307e\u3059\u3002", L"\u30ad\u30e3\u30f3\u30bb\u30eb"},
        {"the 33rd is not", BuiltInFileWith(kSupportsLine, KeyLine("LanguageSupportsList", many + "0x0409,0x0411")),
         0x0411, 1, kEnglishCustomized, L"Cancel"},
        {"a customized value of 2 is never used",
         BuiltInFileWith(KeyLine("CUSTOMIZED_STRING", "1"), KeyLine("CUSTOMIZED_STRING", "2")), 0x0409, 1,
         kEnglishBase, L"Cancel"},
        {"a section without LANG_ID_IDENTIFIER does not count",
         BuiltInFileWith(KeyLine("LANG_ID_IDENTIFIER", "0x0409"), "LANG_ID=0x0409"), 0x0409, 1, kEnglishBase,
         L"Cancel"},
        {"1023 characters fit", BuiltInFileWith(kCustomizedLine, KeyLine("OSSWITCHER_IDS_SWITCH_CONTINUE", std::string(1023, 'a'))),
         0x0409, 1, std::wstring(1023, L'a'), L"Cancel"},
        {"1024 leave the base text", BuiltInFileWith(kCustomizedLine, KeyLine("OSSWITCHER_IDS_SWITCH_CONTINUE", std::string(1024, 'a'))),
         0x0409, 1, kEnglishBase, L"Cancel"},
        {"escapes", BuiltInFileWith(kCustomizedLine, KeyLine("OSSWITCHER_IDS_SWITCH_CONTINUE", "a\\r\\nz")), 0x0409, 1,
         L"a\r\nz", L"Cancel"},
    };
    for (const auto& c : cases) {
        LoaderRig rig;
        rig.Load(c.file, c.locale);
        EXPECT_EQ(rig.catalog.Loaded, c.loaded) << c.name;
        EXPECT_EQ(rig.Text(E::OSSWITCHER_IDS_SWITCH_CONTINUE), c.continueText) << c.name;
        EXPECT_EQ(rig.Text(E::BTN_TEXT_CANCEL), c.cancel) << c.name;
    }
}

TEST(LanguageLoad, InstallationSettingsAreOneWhenTheirNumberIsNotZero)
{
    for (const auto& [value, expected] : std::vector<std::pair<std::string, std::uint32_t>>{
             {"0", 0}, {"", 0}, {"x", 0}, {"2abc", 1}}) {
        LoaderRig rig;
        rig.Load(BuiltInFileWith(KeyLine("SilenceMode", "1"), KeyLine("SilenceMode", value)), 0x0409);
        EXPECT_EQ(rig.catalog.SilenceMode, expected) << value;
        EXPECT_EQ(rig.catalog.RebootAfterInstallation, 0u);
    }
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
        rig.FailBlocksAfter(c.blocks);
        if (!c.reader) {
            rig.ClearReader();
        }
        if (!c.main) {
            rig.ClearMainTable();
        }
        rig.Load(BuiltInFile(), 0x0409);
        EXPECT_EQ(rig.catalog.Loaded, c.loaded) << c.name;
        EXPECT_EQ(rig.NullEntries(), c.nullEntries) << c.name;
    }
}

}  // namespace
