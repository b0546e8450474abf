// The message box as a whole, in this process: its classes, its captions,
// its modal loop and what it leaves behind. Input is posted to the box
// window from a timer that runs inside the loop.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "ui/msgbox_style.h"
#include "ui/win32/load_res_string.h"
#include "ui/win32/orvex_msgbox.h"

namespace {

const ButtonLabels kNoLabels{};

bool ClassRegistered(const wchar_t* name)
{
    WNDCLASSEXW info{};
    info.cbSize = sizeof info;
    return GetClassInfoExW(GetModuleHandleW(nullptr), name, &info) != FALSE;
}

bool BoxWindowsLeft()
{
    return FindWindowW(kBkgndClassName, nullptr) != nullptr || FindWindowW(kMsgBoxClassName, nullptr) != nullptr;
}

// The keys posted to the box window once it is up.
std::vector<std::pair<UINT, WPARAM>> g_input;

void CALLBACK PostInput(HWND, UINT, UINT_PTR id, DWORD) noexcept
{
    KillTimer(nullptr, id);
    HWND box = FindWindowW(kMsgBoxClassName, nullptr);
    ASSERT_NE(box, nullptr);
    for (const auto& [message, key] : g_input) {
        PostMessageW(box, message, key, 0);
    }
}

std::int32_t ShowWithInput(std::uint32_t style, std::vector<std::pair<UINT, WPARAM>> input)
{
    OrvexMsgBox box(kNoLabels);
    if (box.Init() != 1) {
        return -1;
    }
    g_input = std::move(input);
    SetTimer(nullptr, 0, 50, PostInput);
    // The timeout only ends a box that ignored its input.
    return box.Show(L"Text", L"Caption", style, 20);
}

TEST(OrvexMsgBox, InitTakesBothClassesAndCleanupReleasesThemAsOftenAsItIsCalled)
{
    {
        OrvexMsgBox box(kNoLabels);
        ASSERT_EQ(box.Init(), 1);
        EXPECT_TRUE(ClassRegistered(kBkgndClassName) && ClassRegistered(kMsgBoxClassName));
        box.Cleanup();
        box.Cleanup();
        EXPECT_FALSE(ClassRegistered(kBkgndClassName) || ClassRegistered(kMsgBoxClassName));
        ASSERT_EQ(box.Init(), 1);
        EXPECT_EQ(box.LoadBoxIcon(32516), 1) << "the program's own icon of that id";
        EXPECT_EQ(box.LoadBoxIcon(32513), 1) << "the system's";
        EXPECT_EQ(box.LoadBoxIcon(4711), 0);
    }
    EXPECT_FALSE(ClassRegistered(kBkgndClassName) || ClassRegistered(kMsgBoxClassName)) << "the destructor cleans up";

    // A class name already taken fails Init and leaves the other class free.
    WNDCLASSEXW other{sizeof other};
    other.lpfnWndProc = DefWindowProcW;
    other.hInstance = GetModuleHandleW(nullptr);
    other.lpszClassName = kMsgBoxClassName;
    ASSERT_NE(RegisterClassExW(&other), 0);
    {
        OrvexMsgBox box(kNoLabels);
        EXPECT_EQ(box.Init(), 0);
        EXPECT_FALSE(ClassRegistered(kBkgndClassName));
    }
    ASSERT_TRUE(UnregisterClassW(kMsgBoxClassName, GetModuleHandleW(nullptr)));
}

TEST(OrvexMsgBox, CaptionsComeFromTheLanguageFileOrElseFromThePlatformsOwnStrings)
{
    ButtonLabels labels{};
    for (std::size_t slot = 0; slot < kButtonSlotCount; ++slot) {
        labels.Captions[slot][0] = static_cast<wchar_t>(L'A' + slot);   // a caption of its own for each slot
    }
    const HMODULE user32 = GetModuleHandleW(L"User32.dll");
    for (std::uint32_t style = 0; style < 7; ++style) {
        const ButtonSet set = ButtonSetOfStyle(style);
        for (std::int32_t i = 0; i < set.count; ++i) {
            const ButtonEntry& entry = set.buttons[i];
            wchar_t fromFile[kButtonCaptionSize] = {};
            labels.fromLanguageFile = 1;
            CaptionOfButton(entry, labels, fromFile);
            EXPECT_EQ(std::wstring(fromFile), std::wstring(labels.Caption(entry.slot))) << style << " " << i;
            // Whatever this platform's User32 holds for the button (Wine holds none).
            wchar_t fromPlatform[kButtonCaptionSize] = {};
            labels.fromLanguageFile = 0;
            CaptionOfButton(entry, labels, fromPlatform);
            EXPECT_EQ(std::wstring(fromPlatform), LoadResString(user32, entry.systemStringId).substr(0, 31));
        }
    }
}

TEST(OrvexMsgBox, ShowAnswersItsInputAndLeavesNoWindowsClassesOrObjects)
{
    const struct { std::uint32_t style; std::vector<std::pair<UINT, WPARAM>> input; std::int32_t answer; } cases[] = {
        {0x41, {{WM_KEYDOWN, VK_RETURN}, {WM_KEYUP, VK_RETURN}}, kIdOk},
        {0x03, {{WM_KEYDOWN, VK_ESCAPE}, {WM_KEYDOWN, VK_SPACE}, {WM_KEYUP, VK_RETURN}}, kIdCancel},
        {0x04, {{WM_KEYDOWN, VK_TAB}, {WM_KEYDOWN, VK_SPACE}, {WM_KEYUP, VK_SPACE}}, kIdNo},
    };
    const DWORD gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int cycle = 0; cycle < 5; ++cycle) {
        for (const auto& c : cases) {
            EXPECT_EQ(ShowWithInput(c.style, c.input), c.answer) << "style " << c.style;
            EXPECT_FALSE(BoxWindowsLeft());
            EXPECT_FALSE(ClassRegistered(kBkgndClassName) || ClassRegistered(kMsgBoxClassName));
        }
    }
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdiBefore);

    OrvexMsgBox box(kNoLabels);
    ASSERT_EQ(box.Init(), 1);
    EXPECT_EQ(box.Show(L"gone at once", nullptr, 4, 0), kIdOk) << "a timeout of 0 answers OK";
    OrvexMsgBox uninitialised(kNoLabels);
    EXPECT_EQ(uninitialised.Show(L"never shown", nullptr, 4, -1), kIdOk);
}

TEST(LoadResString, LoadsAStringOfAnyLengthAndIsEmptyForAMissingOne)
{
    EXPECT_EQ(LoadResString(nullptr, 101), L"Short");
    EXPECT_EQ(LoadResString(GetModuleHandleW(nullptr), 102).size(), 300u);
    EXPECT_EQ(LoadResString(nullptr, 103), L"Gr\u00fc\u00dfe \u65e5\u672c");
    EXPECT_EQ(LoadResString(nullptr, 104), L"");
}

}  // namespace
