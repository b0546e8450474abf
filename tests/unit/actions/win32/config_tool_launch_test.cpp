#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/win32/config_tool_launch.h"

namespace {

struct DirectoryCase {
    std::wstring path;
    std::wstring expected;
};

TEST(DirectoryOfPath, KeepsDriveAndDirectoryWithTheirSeparator)
{
    const std::wstring longDirectory = L"\\" + std::wstring(253, L'd') + L"\\";   // 255 characters
    const DirectoryCase cases[] = {
        {L"C:\\Apps\\OrvexConfigTool.exe", L"C:\\Apps\\"},
        {L"C:/Apps/tool.exe", L"C:/Apps/"},
        {L"\\\\server\\share\\tool.exe", L"\\\\server\\share\\"},
        {L"C:tool.exe", L"C:"},
        {L"tool.exe", L""},
        {L"", L""},
        {L"C:\\Apps\\", L"C:\\Apps\\"},
        {L"C:" + longDirectory + L"tool.exe", L"C:" + longDirectory},
        // One character more than the directory buffer holds.
        {L"C:" + longDirectory + L"\\tool.exe", L""},
        {L"C:" + std::wstring(5000, L'\\') + L"tool.exe", L""},
    };
    for (const DirectoryCase& c : cases) {
        EXPECT_EQ(GetDirectoryOfPath(c.path), c.expected) << "path of " << c.path.size() << " characters";
    }
}

TEST(ShellOpen, AMissingFileStartsNothingAndShowsNoDialog)
{
    wchar_t directory[MAX_PATH] = {};
    ASSERT_NE(GetTempPathW(MAX_PATH, directory), 0u);
    const std::wstring missing = std::wstring(directory) + L"no-such-folder-3f1c\\OrvexConfigTool.exe";
    // A dialog would block here: SEE_MASK_FLAG_NO_UI keeps the shell quiet.
    EXPECT_EQ(ShellOpen(missing), 0);
    EXPECT_EQ(ShellOpen(L""), 0);
}

}  // namespace
