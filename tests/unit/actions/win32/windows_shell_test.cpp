#include <gtest/gtest.h>

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include <cstring>
#include <string>

#include "app/actions/win32/windows_shell.h"
#include "app/ground/win32/com_apartment.h"
#include "app/ground/win32/unique_handle.h"

namespace {

bool FileExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void WriteFileText(const std::wstring& path, const char* text)
{
    const UniqueFileHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file.Valid());
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file.Get(), text, static_cast<DWORD>(std::strlen(text)), &written, nullptr));
}

struct LinkContent {
    std::wstring target;
    std::wstring iconPath;
    int iconIndex = -1;
};

// Reads a saved link back through the shell's own link object.
LinkContent ReadLink(const std::wstring& path)
{
    LinkContent content;
    const ComApartment apartment;
    ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(link.Put())))) {
        return content;
    }
    ComPtr<IPersistFile> file;
    if (FAILED(link.Get()->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Put()))) ||
        FAILED(file.Get()->Load(path.c_str(), STGM_READ))) {
        return content;
    }
    wchar_t buffer[MAX_PATH] = {};
    if (SUCCEEDED(link.Get()->GetPath(buffer, MAX_PATH, nullptr, SLGP_RAWPATH))) {
        content.target = buffer;
    }
    wchar_t icon[MAX_PATH] = {};
    if (SUCCEEDED(link.Get()->GetIconLocation(icon, MAX_PATH, &content.iconIndex))) {
        content.iconPath = icon;
    }
    return content;
}

class ShortcutFiles : public testing::Test {
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH] = {};
        ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
        Folder = std::wstring(temp) + L"orvex-shortcut-test-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
        ASSERT_TRUE(CreateDirectoryW(Folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
        Target = Folder + L"OrvexSwitcher.exe";
        WriteFileText(Target, "MZ");
    }
    void TearDown() override
    {
        DeleteFileW(Target.c_str());
        DeleteFileW((Folder + L"OrvexSwitcher.lnk").c_str());
        RemoveDirectoryW(Folder.c_str());
    }

    std::wstring Folder;
    std::wstring Target;
};

TEST_F(ShortcutFiles, ASavedShortcutReplacesAFileOfItsNameAndPointsAtTheTargetAndItsFirstIcon)
{
    const std::wstring shortcut = Folder + L"OrvexSwitcher.lnk";
    WriteFileText(shortcut, "not a link");
    ASSERT_EQ(WindowsShell{}.SaveShortcut(shortcut, Target), 1);
    const LinkContent content = ReadLink(shortcut);
    EXPECT_EQ(content.target, Target);
    EXPECT_EQ(content.iconPath, Target);
    EXPECT_EQ(content.iconIndex, 0);
}

TEST_F(ShortcutFiles, AShortcutInAMissingFolderIsNotSaved)
{
    const std::wstring shortcut = Folder + L"missing\\OrvexSwitcher.lnk";
    EXPECT_EQ(WindowsShell{}.SaveShortcut(shortcut, Target), 0);
    EXPECT_FALSE(FileExists(shortcut));
}

TEST_F(ShortcutFiles, DeletingRemovesTheFileAndReportsWhetherItWasThere)
{
    const std::wstring file = Folder + L"OrvexSwitcher.lnk";
    WriteFileText(file, "x");
    EXPECT_EQ(WindowsShell{}.DeleteShellFile(file), 1);
    EXPECT_FALSE(FileExists(file));
    // Nothing left to delete: the shell reports a failure, silently.
    EXPECT_EQ(WindowsShell{}.DeleteShellFile(file), 0);
    // Only the one named file goes, never its folder's other files.
    const std::wstring neighbour = Folder + L"OrvexSwitcher.lnk2";
    WriteFileText(neighbour, "y");
    EXPECT_EQ(WindowsShell{}.DeleteShellFile(file), 0);
    EXPECT_TRUE(FileExists(neighbour));
    EXPECT_TRUE(FileExists(Target));
    DeleteFileW(neighbour.c_str());
}

TEST(TempDirectory, IsThePlatformsWithItsSeparatorOrEmptyWhenTooLong)
{
    wchar_t expected[MAX_PATH] = {};
    ASSERT_NE(GetTempPathW(MAX_PATH, expected), 0u);
    const std::wstring directory = WindowsShell{}.TempDirectory();
    EXPECT_EQ(directory, expected);
    ASSERT_FALSE(directory.empty());
    EXPECT_EQ(directory.back(), L'\\');

    // GetTempPathW takes TMP first; one longer than the buffer is no path.
    wchar_t saved[32768] = {};
    const DWORD savedLength = GetEnvironmentVariableW(L"TMP", saved, 32768);
    const std::wstring tooLong = L"C:\\" + std::wstring(300, L't');
    ASSERT_TRUE(SetEnvironmentVariableW(L"TMP", tooLong.c_str()));
    EXPECT_EQ(WindowsShell{}.TempDirectory(), L"");
    SetEnvironmentVariableW(L"TMP", savedLength != 0 ? saved : nullptr);
    EXPECT_EQ(WindowsShell{}.TempDirectory(), expected);
}

TEST(ShellOpen, AMissingFileStartsNothingAndShowsNoDialog)
{
    const std::wstring missing = WindowsShell{}.TempDirectory() + L"no-such-folder-3f1c\\OrvexConfigTool.exe";
    // A dialog would block here: SEE_MASK_FLAG_NO_UI keeps the shell quiet.
    EXPECT_EQ(WindowsShell{}.Open(missing), 0);
    EXPECT_EQ(WindowsShell{}.Open(L""), 0);
}

}  // namespace
