#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "ui/win32/load_res_string.h"

namespace {

std::wstring Repeated(const std::wstring& part, int times)
{
    std::wstring text;
    for (int i = 0; i < times; ++i) {
        text += part;
    }
    return text;
}

TEST(LoadResString, LoadsAStringOfAnyModuleWholeAndIsEmptyOtherwise)
{
    const HMODULE program = GetModuleHandleW(nullptr);
    const HMODULE user32 = GetModuleHandleW(L"User32.dll");
    ASSERT_NE(user32, nullptr);
    wchar_t platformOk[64] = {};
    const int platformLength = LoadStringW(user32, 800, platformOk, 64);

    const struct {
        const char* name;
        HMODULE module;
        UINT id;
        std::wstring expected;
    } cases[] = {
        {"a short string", program, 101, L"Short"},
        {"a string longer than any fixed buffer", program, 102, Repeated(L"0123456789", 30)},
        {"text outside ASCII", program, 103, L"Gr\u00fc\u00dfe \u65e5\u672c"},
        {"a missing id", program, 104, L""},
        {"a missing id in another block", program, 5000, L""},
        {"no module is the program", nullptr, 101, L"Short"},
        {"the platform's own caption", user32, 800, std::wstring(platformOk, platformLength > 0 ? platformLength : 0)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LoadResString(c.module, c.id), c.expected) << c.name;
    }
}

TEST(LoadResString, AModuleLoadedAsDataGivesItsStrings)
{
    wchar_t path[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameW(nullptr, path, MAX_PATH), 0u);
    const HMODULE data = LoadLibraryExW(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(LoadResString(data, 101), L"Short");
    EXPECT_EQ(LoadResString(data, 104), L"");
    // The data module stays mapped until the test program ends.
}

}  // namespace
