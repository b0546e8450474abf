// Filling the catalog from the built-in language file and from variations of it.
#include "lang/catalog_loader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lang/default_language_file.h"
#include "loader_rig.h"

namespace {

using E = CatalogEntry;

const wchar_t* const kEnglishCustomized = L"Going to switch to android OS.";
const wchar_t* const kEnglishBase = L"Going to switch to another OS.";

// Key lines of the built-in file, as the variations below find them.
const std::string kEnglishCustomizedLine = KeyLine("OSSWITCHER_IDS_SWITCH_CONTINUE", "Going to switch to android OS.");
const std::string kEnglishBaseHeader =
    KeyLine("CUSTOMIZED_STRING", "0") + "\n" + KeyLine("LANG_ID_IDENTIFIER", "0x0409");

struct LocaleCase {
    const char* name;
    std::uint32_t locale;
    const wchar_t* cancel;
    const wchar_t* yes;
    const wchar_t* continueText;
};

TEST(LanguageLoad, BuiltInFileServesEachLocaleInItsLanguage)
{
    const LocaleCase cases[] = {
        {"English (United States)", 0x0409, L"Cancel", L"Yes", kEnglishCustomized},
        {"Chinese (Taiwan)", 0x0404, L"取消", L"是", L"即將切換至 Android 作業系統。"},
        {"Chinese (PRC)", 0x0804, L"取消", L"是", L"即将切换到 Android 操作系统。"},
        {"Japanese", 0x0411, L"キャンセル", L"Yes", L"Android OS に切り替えます。"},
        {"Chinese (Hong Kong SAR) reads Traditional Chinese", 0x0C04, L"取消", L"是", L"即將切換至 Android 作業系統。"},
        {"Korean reads English", 0x0412, L"Cancel", L"Yes", kEnglishCustomized},
    };
    for (const LocaleCase& c : cases) {
        SCOPED_TRACE(c.name);
        LoaderRig rig;
        rig.Load(DefaultLanguageFileText(), c.locale);
        EXPECT_EQ(rig.catalog.Loaded, 1u);
        EXPECT_EQ(rig.NullEntries(), 0u);
        EXPECT_EQ(rig.Text(E::BTN_TEXT_OK), L"OK");
        EXPECT_EQ(rig.Text(E::BTN_TEXT_CANCEL), c.cancel);
        EXPECT_EQ(rig.Text(E::BTN_TEXT_YES), c.yes);
        EXPECT_EQ(rig.Text(E::OSSWITCHER_IDS_SWITCH_CONTINUE), c.continueText);
        EXPECT_EQ(rig.catalog.LanguageIdentifier, 0u);
        EXPECT_EQ(rig.catalog.SilenceMode, 1u);
        EXPECT_EQ(rig.catalog.RebootAfterInstallation, 0u);
        const std::uint32_t offered[] = {0x0409, 0x0404, 0x0804, 0x0411};
        for (std::size_t i = 0; i < kLanguageSupportsListSize; ++i) {
            EXPECT_EQ(rig.catalog.LanguageSupportsList[i], i < 4 ? offered[i] : 0u) << i;
        }
        // 36 base texts and the customized one, each in a block of exactly
        // its converted size; the replaced base text is kept, not released.
        EXPECT_EQ(rig.BlockCount(), kCatalogEntryCount + 1);
        for (std::size_t i = 0; i < kCatalogEntryCount; ++i) {
            const auto entry = static_cast<CatalogEntry>(i);
            EXPECT_EQ(rig.BlockSize(entry), (rig.Text(entry).size() + 1) * sizeof(wchar_t)) << CatalogKeyName(entry);
        }
    }
}

TEST(LanguageLoad, TheFileCanNameTheLanguageForEverySystem)
{
    struct Case {
        const char* name;
        const char* identifier;
        std::uint32_t locale;
        std::uint16_t stored;
        std::uint32_t loaded;
        const wchar_t* cancel;
    };
    const Case cases[] = {
        {"Simplified Chinese on English", "0x0804", 0x0409, 0x0804, 1, L"取消"},
        {"Simplified Chinese without a prefix", "0804", 0x0411, 0x0804, 1, L"取消"},
        {"German, which the file lacks", "0x0407", 0x0409, 0x0407, 0, L"<null>"},
        {"five digits leave the choice automatic", "0x00409", 0x0411, 0, 1, L"キャンセル"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LoaderRig rig;
        const std::string file = ReplaceFirst(BuiltInFile(), KeyLine("LanguageIdentifier", "") + "\n",
                                              KeyLine("LanguageIdentifier", c.identifier) + "\n");
        rig.Load(file.c_str(), c.locale);
        EXPECT_EQ(rig.catalog.LanguageIdentifier, c.stored);
        EXPECT_EQ(rig.catalog.Loaded, c.loaded);
        EXPECT_EQ(rig.Text(E::BTN_TEXT_CANCEL), c.cancel);
        if (c.loaded == 0) {
            EXPECT_EQ(rig.NullEntries(), kCatalogEntryCount);
            EXPECT_EQ(rig.BlockCount(), 0u);
        }
        // The installer settings are read whatever the language.
        EXPECT_EQ(rig.catalog.SilenceMode, 1u);
        EXPECT_EQ(rig.catalog.RebootAfterInstallation, 0u);
    }
}

TEST(LanguageLoad, SupportsListIsSplitAtCommasAndBoundedAt32)
{
    struct Case {
        const char* name;
        std::string value;
        std::uint32_t locale;
        std::vector<std::uint32_t> list;
        const wchar_t* cancel;
    };
    std::string many = "0x0409";
    for (int i = 1; i < 40; ++i) {
        many += ",0x0409";
    }
    many += ",0x0411";
    const Case cases[] = {
        {"empty pieces are skipped", ",0x0411,,0x0404,", 0x0411, {0x0411, 0x0404}, L"キャンセル"},
        {"a blank before a bare number stops the conversion", "0x0409, 0411", 0x0411, {0x0409, 0}, L"Cancel"},
        {"an empty value offers nothing", "", 0x0411, {}, L"Cancel"},
        {"the 33rd identifier and later are ignored", many, 0x0411,
         std::vector<std::uint32_t>(kLanguageSupportsListSize, 0x0409), L"Cancel"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LoaderRig rig;
        const std::string file =
            ReplaceFirst(BuiltInFile(), KeyLine("LanguageSupportsList", "0x0409, 0x0404, 0x0804, 0x0411"),
                         KeyLine("LanguageSupportsList", c.value));
        rig.Load(file.c_str(), c.locale);
        for (std::size_t i = 0; i < kLanguageSupportsListSize; ++i) {
            EXPECT_EQ(rig.catalog.LanguageSupportsList[i], i < c.list.size() ? c.list[i] : 0u) << i;
        }
        EXPECT_EQ(rig.Text(E::BTN_TEXT_CANCEL), c.cancel);
    }
}

TEST(LanguageLoad, SectionsAreToldApartByTheirCustomizedValueNotTheirName)
{
    struct Case {
        const char* name;
        std::string file;
        std::uint32_t locale;
        std::uint32_t loaded;
        const wchar_t* continueText;
        const wchar_t* cancel;
    };
    const std::string firstCustomized = KeyLine("CUSTOMIZED_STRING", "1");
    const Case cases[] = {
        {"no [GENERAL]: English on a Japanese system", ReplaceFirst(BuiltInFile(), "[GENERAL]", "[GENERAL_OFF]"),
         0x0411, 1, kEnglishCustomized, L"Cancel"},
        {"a customized value of 2 is never used",
         ReplaceFirst(BuiltInFile(), firstCustomized, KeyLine("CUSTOMIZED_STRING", "2")), 0x0409, 1, kEnglishBase,
         L"Cancel"},
        {"an empty customized value makes the first section a base section",
         ReplaceFirst(BuiltInFile(), firstCustomized, KeyLine("CUSTOMIZED_STRING", "")), 0x0409, 1,
         kEnglishCustomized, L"<null>"},
        {"a section without LANG_ID_IDENTIFIER does not qualify",
         ReplaceFirst(BuiltInFile(), KeyLine("LANG_ID_IDENTIFIER", "0x0409"), "LANG_ID=0x0409"), 0x0409, 1,
         kEnglishBase, L"Cancel"},
        {"a customized section without its base section loads nothing",
         ReplaceFirst(BuiltInFile(), kEnglishBaseHeader,
                      KeyLine("CUSTOMIZED_STRING", "0") + "\n" + KeyLine("LANG_ID_IDENTIFIER", "0x0408")),
         0x0409, 0, L"<null>", L"<null>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LoaderRig rig;
        rig.Load(c.file.c_str(), c.locale);
        EXPECT_EQ(rig.catalog.Loaded, c.loaded);
        EXPECT_EQ(rig.Text(E::OSSWITCHER_IDS_SWITCH_CONTINUE), c.continueText);
        EXPECT_EQ(rig.Text(E::BTN_TEXT_CANCEL), c.cancel);
    }
}

TEST(LanguageLoad, OnlyTheKeysOfTheCustomizedSectionReplaceBaseTexts)
{
    // The customized English section also renames OK; the base section loses Abort.
    std::string file = ReplaceFirst(BuiltInFile(), kEnglishCustomizedLine,
                                    kEnglishCustomizedLine + "\n" + KeyLine("BTN_TEXT_OK", "Fine"));
    file = ReplaceFirst(file, KeyLine("BTN_TEXT_ABORT", "Abort") + "\n", "");
    LoaderRig rig;
    rig.Load(file.c_str(), 0x0409);
    EXPECT_EQ(rig.catalog.Loaded, 1u);
    EXPECT_EQ(rig.Text(E::BTN_TEXT_OK), L"Fine");
    EXPECT_EQ(rig.Text(E::OSSWITCHER_IDS_SWITCH_CONTINUE), kEnglishCustomized);
    EXPECT_EQ(rig.Text(E::BTN_TEXT_CANCEL), L"Cancel");
    EXPECT_EQ(rig.Text(E::BTN_TEXT_ABORT), L"<null>") << "a key missing from both sections stays null";
    EXPECT_EQ(rig.NullEntries(), 1u);
}

TEST(LanguageLoad, StoresATextOnlyWhenItConvertsWithinTheBound)
{
    struct Case {
        const char* name;
        std::string customized;   // the English customized OSSWITCHER_IDS_SWITCH_CONTINUE
        std::wstring expected;
    };
    const Case cases[] = {
        {"1023 characters fit", std::string(1023, 'a'), std::wstring(1023, L'a')},
        {"1024 characters leave the base text", std::string(1024, 'a'), kEnglishBase},
        {"a character beyond the BMP counts two units", std::string(1021, 'a') + "\xF0\x9F\x98\x80",
         std::wstring(1021, L'a') + L"\xD83D\xDE00"},
        {"two units too many leave the base text", std::string(1022, 'a') + "\xF0\x9F\x98\x80", kEnglishBase},
        {"three-byte characters count one unit each", [] {
             std::string text;
             for (int i = 0; i < 660; ++i) {
                 text += "\xE5\x88\x87";
             }
             return text;
         }(),
         std::wstring(660, L'\x5207')},
        {"a malformed byte becomes U+FFFD", "a\xFF" "z", L"a\xFFFD" L"z"},
        {"an empty value stores an empty text", "", L""},
        {"escapes become line breaks", "one\\r\\ntwo", L"one\r\ntwo"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = ReplaceFirst(BuiltInFile(), kEnglishCustomizedLine,
                                              KeyLine("OSSWITCHER_IDS_SWITCH_CONTINUE", c.customized));
        LoaderRig rig;
        rig.Load(file.c_str(), 0x0409);
        EXPECT_EQ(rig.Text(E::OSSWITCHER_IDS_SWITCH_CONTINUE), c.expected);
        EXPECT_EQ(rig.NullEntries(), 0u);
    }
}

TEST(LanguageLoad, WithoutBlocksEntriesKeepWhatTheyHad)
{
    struct Case {
        const char* name;
        int blocks;   // blocks handed out before the service fails
        std::size_t nullEntries;
        const wchar_t* continueText;
    };
    const Case cases[] = {
        {"none at all", 0, kCatalogEntryCount, L"<null>"},
        {"the base texts but not the customized one", 36, 0, kEnglishBase},
        {"all but the last base text", 35, 1, kEnglishBase},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LoaderRig rig;
        // The reader has a table of its own: only the catalog runs short.
        rig.FailBlocksAfter(c.blocks);
        rig.Load(DefaultLanguageFileText(), 0x0409);
        EXPECT_EQ(rig.catalog.Loaded, 1u);
        EXPECT_EQ(rig.NullEntries(), c.nullEntries);
        EXPECT_EQ(rig.Text(E::OSSWITCHER_IDS_SWITCH_CONTINUE), c.continueText);
    }
}

TEST(LanguageLoad, TablesThatAreNotSetUpAreNotCalled)
{
    {
        SCOPED_TRACE("no reader: the catalog stays as construction left it");
        LoaderRig rig;
        rig.ClearReader();
        rig.Load(DefaultLanguageFileText(), 0x0409);
        EXPECT_EQ(rig.catalog.Loaded, 0u);
        EXPECT_EQ(rig.NullEntries(), kCatalogEntryCount);
        EXPECT_EQ(rig.catalog.SilenceMode, 0u);
        EXPECT_EQ(rig.catalog.LanguageSupportsList[0], 0u);
    }
    {
        SCOPED_TRACE("no main table: no identifier converts and no text is stored");
        LoaderRig rig;
        rig.ClearMainTable();
        rig.Load(DefaultLanguageFileText(), 0x0409);
        EXPECT_EQ(rig.catalog.Loaded, 0u);
        EXPECT_EQ(rig.NullEntries(), kCatalogEntryCount);
        EXPECT_EQ(rig.catalog.LanguageSupportsList[0], 0u);
        EXPECT_EQ(rig.catalog.SilenceMode, 1u) << "read without the table";
    }
    {
        SCOPED_TRACE("no text at all");
        LoaderRig rig;
        rig.Load(nullptr, 0x0409);
        EXPECT_EQ(rig.catalog.Loaded, 0u);
        EXPECT_EQ(rig.catalog.SilenceMode, 0u);
    }
}

TEST(LanguageLoad, InstallationSettingsAreOneWhenTheirNumberIsNotZero)
{
    struct Case {
        const char* silence;
        std::uint32_t expected;
    };
    const Case cases[] = {{"0", 0}, {"", 0}, {"7", 1}, {"x", 0}, {"2abc", 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.silence);
        LoaderRig rig;
        const std::string file =
            ReplaceFirst(BuiltInFile(), KeyLine("SilenceMode", "1"), KeyLine("SilenceMode", c.silence));
        rig.Load(file.c_str(), 0x0409);
        EXPECT_EQ(rig.catalog.SilenceMode, c.expected);
        EXPECT_EQ(rig.catalog.RebootAfterInstallation, 0u);
    }
    {
        SCOPED_TRACE("reboot set, silence absent");
        LoaderRig rig;
        std::string file = ReplaceFirst(BuiltInFile(), KeyLine("SilenceMode", "1") + "\n", "");
        file = ReplaceFirst(file, KeyLine("RebootAfterInstallation", "0"), KeyLine("RebootAfterInstallation", "1"));
        rig.Load(file.c_str(), 0x0409);
        EXPECT_EQ(rig.catalog.SilenceMode, 0u);
        EXPECT_EQ(rig.catalog.RebootAfterInstallation, 1u);
    }
    {
        SCOPED_TRACE("no [INSTALLATION]");
        LoaderRig rig;
        const std::string file = ReplaceFirst(BuiltInFile(), "[INSTALLATION]", "[INSTALL]");
        rig.Load(file.c_str(), 0x0409);
        EXPECT_EQ(rig.catalog.SilenceMode, 0u);
        EXPECT_EQ(rig.catalog.Loaded, 1u);
    }
}

}  // namespace
