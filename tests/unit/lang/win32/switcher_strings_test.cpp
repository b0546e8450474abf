// The string table that the program file carries beside its language file.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "lang/default_language_file.h"
#include "../loader_rig.h"

namespace {

// The program file, found from this test's own place in the build tree.
std::wstring ProgramPath()
{
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring self(path, length);
    return self.substr(0, self.find_last_of(L'\\') + 1) + ORVEX_PROGRAM_FROM_TEST;
}

// One string of a string table in exactly the given language, or "<absent>".
std::wstring StringInLanguage(HMODULE module, UINT id, LANGID language)
{
    HRSRC block = FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW(id / 16 + 1), language);
    if (block == nullptr) {
        return L"<absent>";
    }
    const auto* entry = static_cast<const WCHAR*>(LockResource(LoadResource(module, block)));
    const DWORD size = SizeofResource(module, block) / sizeof(WCHAR);
    DWORD at = 0;
    // A block holds 16 strings, each its length followed by its characters.
    for (UINT index = 0; index < id % 16; ++index) {
        if (at >= size) {
            return L"<absent>";
        }
        at += 1 + entry[at];
    }
    if (at >= size || entry[at] == 0 || at + 1 + entry[at] > size) {
        return L"<absent>";
    }
    return std::wstring(entry + at + 1, entry[at]);
}

class SwitcherStrings : public ::testing::Test {
protected:
    void SetUp() override
    {
        program_ = LoadLibraryExW(ProgramPath().c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(program_, nullptr) << "cannot read the program file, error " << GetLastError();
    }
    void TearDown() override
    {
        if (program_ != nullptr) {
            FreeLibrary(program_);
        }
    }
    HMODULE program_ = nullptr;
};

TEST_F(SwitcherStrings, MirrorTheSwitcherTextsInEnglishAndSimplifiedChinese)
{
    const LANGID english = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    const LANGID chinese = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
    ASSERT_EQ(english, 1033);
    ASSERT_EQ(chinese, 2052);

    // Each table says what the language file says on a system of its
    // language; the English table alone carries the base switch text.
    LoaderRig englishFile;
    englishFile.Load(DefaultLanguageFileText(), 0x0409);
    LoaderRig chineseFile;
    chineseFile.Load(DefaultLanguageFileText(), 0x0804);
    ASSERT_EQ(englishFile.catalog.Loaded, 1u);
    ASSERT_EQ(chineseFile.catalog.Loaded, 1u);

    const struct {
        UINT id;
        CatalogEntry entry;
    } cases[] = {
        {140, CatalogEntry::OSSWITCHER_IDS_APP_TITLE},
        {141, CatalogEntry::OSSWITCHER_IDS_SWITCH_JUMP_LIST},
        {142, CatalogEntry::OSSWITCHER_IDS_SWITCH_WITH_LEGACY},
        {143, CatalogEntry::OSSWITCHER_IDS_SWITCH_REBOOT},
        {144, CatalogEntry::OSSWITCHER_IDS_SWITCH_CONTINUE},
        {145, CatalogEntry::OSSWITCHER_IDS_SWITCH_FEATURE_NOT_READY},
    };
    for (const auto& c : cases) {
        const std::wstring base = c.id == 144 ? L"Going to switch to another OS." : englishFile.Text(c.entry);
        EXPECT_EQ(StringInLanguage(program_, c.id, english), base) << c.id;
        EXPECT_EQ(StringInLanguage(program_, c.id, chinese), chineseFile.Text(c.entry)) << c.id;
    }
    EXPECT_NE(chineseFile.Text(CatalogEntry::OSSWITCHER_IDS_SWITCH_CONTINUE).find(L"Android"), std::wstring::npos);

    // Only these six ids, and no third language.
    EXPECT_EQ(StringInLanguage(program_, 139, english), L"<absent>");
    EXPECT_EQ(StringInLanguage(program_, 146, english), L"<absent>");
    EXPECT_EQ(StringInLanguage(program_, 144, MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT)), L"<absent>");
    EXPECT_EQ(StringInLanguage(program_, 144, MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_TRADITIONAL)), L"<absent>");
}

}  // namespace
