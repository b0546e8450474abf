// The process-wide loader: its construction sets the tables up, its load
// fills the process catalog for the system's own locale.
#include "lang/win32/language_loader.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/ground/records.h"
#include "baselib/process_tables.h"
#include "lang/default_language_file.h"
#include "lang/win32/windows_language_platform.h"
#include "../loader_rig.h"

namespace {

TEST(ProcessLanguageLoader, LoadFillsTheProcessCatalogAsTheSystemLocaleChooses)
{
    const WindowsLanguagePlatform platform;
    LanguageLoader loader(platform);
    ASSERT_NE(g_BaseLibTable.Initialised, 0u);
    ASSERT_NE(g_IniParserTable.Initialised, 0u);
    EXPECT_EQ(g_StringCatalog.Loaded, 0u) << "nothing before the load";
    EXPECT_EQ(g_StringCatalog.Text(CatalogEntry::BTN_TEXT_OK), nullptr);

    loader.LanguageLoader_Load();

    // The same file on tables of its own, for the locale this system reports.
    LoaderRig expected;
    expected.Load(DefaultLanguageFileText(), GetSystemDefaultLCID());
    EXPECT_EQ(g_StringCatalog.Loaded, 1u);
    EXPECT_EQ(g_StringCatalog.SilenceMode, 1u);
    EXPECT_EQ(g_StringCatalog.RebootAfterInstallation, 0u);
    for (std::size_t i = 0; i < kCatalogEntryCount; ++i) {
        const auto entry = static_cast<CatalogEntry>(i);
        ASSERT_NE(g_StringCatalog.Text(entry), nullptr) << CatalogKeyName(entry);
        EXPECT_EQ(std::wstring(g_StringCatalog.Text(entry)), expected.Text(entry)) << CatalogKeyName(entry);
    }

    // Start-up then gives every box the file's captions.
    FillButtonLabels(g_StringCatalog, g_ButtonLabels);
    EXPECT_EQ(g_ButtonLabels.fromLanguageFile, 1u);
    EXPECT_EQ(std::wstring(g_ButtonLabels.Caption(ButtonSlot::Cancel)), expected.Text(CatalogEntry::BTN_TEXT_CANCEL));
}

}  // namespace
