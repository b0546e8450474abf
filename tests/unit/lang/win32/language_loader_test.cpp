// The process-wide loader on the real platform: its construction sets the
// tables up, its load fills the process catalog for the system's locale.
#include "lang/win32/language_loader.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "app/ground/records.h"
#include "baselib/process_tables.h"
#include "lang/language_choice.h"
#include "lang/win32/windows_language_platform.h"

namespace {

TEST(ProcessLanguageLoader, LoadFillsTheProcessCatalogInTheLanguageOfTheSystemLocale)
{
    const WindowsLanguagePlatform platform;
    LanguageLoader loader(platform);
    ASSERT_NE(g_BaseLibTable.Initialised & g_IniParserTable.Initialised, 0u);
    EXPECT_EQ(g_StringCatalog.Text(CatalogEntry::BTN_TEXT_OK), nullptr) << "nothing before the load";
    loader.LanguageLoader_Load();
    EXPECT_EQ(g_StringCatalog.Loaded, 1u);
    EXPECT_EQ(std::count(std::begin(g_StringCatalog.Texts), std::end(g_StringCatalog.Texts), nullptr), 0);
    const std::uint16_t language = ChooseLanguage(GetSystemDefaultLCID(), 0, g_StringCatalog.LanguageSupportsList);
    if (language == 0x0409) {
        EXPECT_STREQ(g_StringCatalog.Text(CatalogEntry::OSSWITCHER_IDS_SWITCH_CONTINUE), L"Going to switch to android OS.");
    } else if (language == 0x0411) {
        EXPECT_STREQ(g_StringCatalog.Text(CatalogEntry::BTN_TEXT_CANCEL), L"\u30ad\u30e3\u30f3\u30bb\u30eb");
    }
}

}  // namespace
