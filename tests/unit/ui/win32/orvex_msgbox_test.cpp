// The message box in this process: its classes, its captions, what it leaves
// behind, and its accessible object (other processes' readers are end to end).
#include <gtest/gtest.h>

#include <windows.h>

#include <oleacc.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "ground/win32/system_library.h"
#include "ui/msgbox_style.h"
#include "ui/win32/orvex_msgbox.h"

namespace {

const ButtonLabels kNoLabels{};

bool ClassRegistered(const wchar_t* name)
{
    WNDCLASSEXW info{sizeof info};
    return GetClassInfoExW(GetModuleHandleW(nullptr), name, &info) != FALSE;
}

bool BoxWindowsLeft()
{
    return FindWindowW(kBkgndClassName, nullptr) != nullptr || FindWindowW(kMsgBoxClassName, nullptr) != nullptr;
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
    OrvexMsgBox uninitialised(kNoLabels);
    EXPECT_EQ(uninitialised.Show(L"never shown", nullptr, 4, -1), kIdNone) << "no window, no answer";
    EXPECT_FALSE(ClassRegistered(kBkgndClassName) || ClassRegistered(kMsgBoxClassName)) << "the destructor cleans up";

    // A class name already taken fails Init and leaves the other class free.
    const WNDCLASSEXW other{.cbSize = sizeof other, .lpfnWndProc = DefWindowProcW,
                            .hInstance = GetModuleHandleW(nullptr), .lpszClassName = kMsgBoxClassName};
    ASSERT_NE(RegisterClassExW(&other), 0);
    {
        OrvexMsgBox box(kNoLabels);
        EXPECT_EQ(box.Init(), 0);
        EXPECT_FALSE(ClassRegistered(kBkgndClassName));
    }
    ASSERT_TRUE(UnregisterClassW(kMsgBoxClassName, GetModuleHandleW(nullptr)));
}

TEST(OrvexMsgBox, AQuitThatTheBoxDidNotPostEndsItWithoutAnAnswerAndIsPostedAgain)
{
    OrvexMsgBox box(kNoLabels);
    ASSERT_EQ(box.Init(), 1);
    PostQuitMessage(7);
    EXPECT_EQ(box.Show(L"ended from outside", nullptr, 1, -1), kIdNone);
    EXPECT_FALSE(BoxWindowsLeft());
    MSG quit{};
    ASSERT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 7u);
}

// Without a language file the captions are whatever the platform's user32
// holds (Wine holds none), which only the platform can show.
TEST(OrvexMsgBox, EachButtonTakesTheLanguageFilesCaptionOfItsOwnSlot)
{
    ButtonLabels labels{};
    labels.fromLanguageFile = 1;
    for (std::size_t slot = 0; slot < kButtonSlotCount; ++slot) {
        labels.Captions[slot][0] = static_cast<wchar_t>(L'A' + slot);   // a caption of its own for each slot
    }
    const ButtonSet set = ButtonSetOfStyle(6);   // Cancel, Try Again, Continue
    for (std::int32_t i = 0; i < set.count; ++i) {
        wchar_t caption[kButtonCaptionSize] = {};
        CaptionOfButton(set.buttons[i], labels, caption);
        EXPECT_EQ(std::wstring(caption), std::wstring(labels.Caption(set.buttons[i].slot))) << i;
    }
}

TEST(OrvexMsgBox, ABoxThatNoReaderAsksForLoadsNoComLibrary)
{
    // This test program imports none of them either.
    OrvexMsgBox box(kNoLabels);
    ASSERT_EQ(box.Init(), 1);
    ASSERT_EQ(box.Show(L"read by no one", nullptr, 0x41, 0), kIdOk);
    for (const wchar_t* library : {L"ole32.dll", L"oleaut32.dll", L"oleacc.dll", L"combase.dll", L"rpcrt4.dll"}) {
        EXPECT_EQ(GetModuleHandleW(library), nullptr) << library;
    }
}

VARIANT Child(long id)
{
    VARIANT child{};
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

std::vector<IAccessible*> g_held;   // the object of every box read, which the test then owns

// A reader on the box's own thread: at the box's start it moves the box's
// screen to 150 % (new fonts, icon and layout) and presses the last button,
// then the first: only the first press counts. It loads oleacc.dll as the
// program does, at run time, since the test program imports no COM library.
void CALLBACK OnDialogStart(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) noexcept
{
    static SystemLibrary oleacc(L"oleacc.dll", LibraryLifetime::Process);
    auto* const fromEvent = oleacc.Find<decltype(AccessibleObjectFromEvent)>("AccessibleObjectFromEvent");
    IAccessible* box = nullptr;
    VARIANT id{};
    if (fromEvent == nullptr ||
        FAILED(fromEvent(window, static_cast<DWORD>(object), static_cast<DWORD>(child), &box, &id)) || box == nullptr) {
        ADD_FAILURE() << "no accessible object for the box";
        return;
    }
    // The buttons are laid out again at the new scale: 90 x 32 become 135 x 48.
    const auto size = [box] {
        long left = 0, top = 0, width = 0, height = 0;
        box->accLocation(&left, &top, &width, &height, Child(1));
        return std::pair{width, height};
    };
    EXPECT_EQ(size(), std::pair(90L, 32L));
    RECT suggested{};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(size(), std::pair(135L, 48L));
    long count = 0;
    box->get_accChildCount(&count);
    EXPECT_EQ(box->accDoDefaultAction(Child(count)), S_OK);
    EXPECT_EQ(box->accDoDefaultAction(Child(1)), S_OK);
    EXPECT_EQ(box->accDoDefaultAction(Child(count + 1)), E_INVALIDARG);
    g_held.push_back(box);
}

// The GDI and USER objects (fonts, bitmaps, icons) the process holds, as
// GetGuiResources counts them where it reports, as Windows does; Wine's
// reports 0, and there they are found by the index in their handle's low
// word: any index for GDI, even ones from 0x20 for USER, of which icons are
// the ones a box makes.
std::size_t ObjectsHeld()
{
    const std::size_t reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS) +
                                 GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    if (reported != 0) {
        return reported;
    }
    std::size_t held = 0;
    for (ULONG_PTR index = 1; index < 0x10000; ++index) {
        held += GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0 ? 1 : 0;
    }
    for (ULONG_PTR index = 0x20; index < 0x8000; index += 2) {
        ICONINFO info{};
        if (GetIconInfo(reinterpret_cast<HICON>(index), &info) != FALSE) {
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
            ++held;
        }
    }
    return held;
}

// Fifty presses in a row, each from a reader in another process, are end to
// end (test_msgbox_reader.py); here two rounds of the five kinds of box.
TEST(MsgBoxAccessible, BoxesPressedAtAnotherScaleAnswerTheFirstPressAndLeaveNothingAndHeldObjectsFail)
{
    const HWINEVENTHOOK hook = SetWinEventHook(EVENT_SYSTEM_DIALOGSTART, EVENT_SYSTEM_DIALOGSTART, nullptr,
        OnDialogStart, GetCurrentProcessId(), GetCurrentThreadId(), WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    const std::uint32_t styles[] = {0, 0x41, 0x14, 0x33, 0x26};
    const std::int32_t lastButtons[] = {kIdOk, kIdCancel, kIdNo, kIdCancel, kIdContinue};
    std::size_t before = 0;
    for (int cycle = 0; cycle < 10; ++cycle) {
        OrvexMsgBox box(kNoLabels);
        ASSERT_EQ(box.Init(), 1) << cycle;
        // The timeout's answer comes only once the presses' have been read.
        ASSERT_EQ(box.Show(L"Pressed by a reader", L"Caption", styles[cycle % 5], 0), lastButtons[cycle % 5]) << cycle;
        ASSERT_EQ(g_held.size(), static_cast<std::size_t>(cycle + 1)) << "the box was not read";
        EXPECT_FALSE(BoxWindowsLeft() || ClassRegistered(kBkgndClassName) || ClassRegistered(kMsgBoxClassName));
        if (cycle == 4) {
            before = ObjectsHeld();   // once the platform's caches are filled
        }
    }
    EXPECT_EQ(ObjectsHeld(), before) << "GDI and USER objects held after the first five boxes";
    UnhookWinEvent(hook);
    for (IAccessible* box : g_held) {
        BSTR name = nullptr;
        EXPECT_EQ(box->get_accName(Child(CHILDID_SELF), &name), RPC_E_DISCONNECTED);
        EXPECT_EQ(name, nullptr);
        EXPECT_EQ(box->accDoDefaultAction(Child(1)), RPC_E_DISCONNECTED);
        // The reader's was the last reference: neither the box nor COM kept one.
        EXPECT_EQ(box->Release(), 0u);
    }
}

}  // namespace
