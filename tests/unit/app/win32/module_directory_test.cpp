#include <gtest/gtest.h>

#include <windows.h>

#include "app/program/win32/startup.h"

namespace {

TEST(ModuleDirectory, IsTheProgramFilesDirectoryWhateverTheCurrentDirectory)
{
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    ASSERT_GT(length, 0u);
    std::wstring expected(path, length);
    expected.erase(expected.rfind(L'\\') + 1);

    wchar_t previous[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryW(L"C:\\"));
    EXPECT_EQ(GetModuleDirectory(nullptr), expected);
    SetCurrentDirectoryW(previous);
    EXPECT_EQ(GetModuleDirectory(nullptr).back(), L'\\');
}

}  // namespace
