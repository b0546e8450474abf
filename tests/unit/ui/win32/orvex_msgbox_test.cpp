// The message box as a whole, in this process: its classes and fonts, the
// buttons it prepares, its two windows and its modal loop. Input is posted
// to the box window from a timer that runs inside the loop.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "ui/msgbox_style.h"
#include "ui/win32/orvex_msgbox.h"

struct OrvexMsgBoxTestAccess {
    static HGDIOBJ TitleFont(const OrvexMsgBox& box) { return box.titleFont.Get(); }
    static HGDIOBJ TextFont(const OrvexMsgBox& box) { return box.textFont.Get(); }
    static HICON Icon(const OrvexMsgBox& box) { return box.icon.Get(); }
    static std::int32_t IconWidth(const OrvexMsgBox& box) { return box.iconWidth; }
    static std::int32_t IconHeight(const OrvexMsgBox& box) { return box.iconHeight; }
    static ATOM BkgndAtom(const OrvexMsgBox& box) { return box.bkgndAtom.Get().atom; }
    static ATOM MsgBoxAtom(const OrvexMsgBox& box) { return box.msgBoxAtom.Get().atom; }
    static HWND Bkgnd(const OrvexMsgBox& box) { return box.hwndBkgnd; }
    static HWND Box(const OrvexMsgBox& box) { return box.hwndMsgBox; }
    static void SetStyle(OrvexMsgBox& box, std::uint32_t style) { box.style = style; }
    static std::int32_t ButtonCount(const OrvexMsgBox& box) { return box.buttonCount; }
    static const MsgBoxButton& Button(const OrvexMsgBox& box, int i) { return box.buttons[i]; }
    static MsgBoxInput Input(const OrvexMsgBox& box) { return box.input; }
    static std::int32_t ContentHeight(const OrvexMsgBox& box) { return box.contentHeight; }
};

namespace {

// Empty captions: every button shows the platform's own.
const ButtonLabels kNoLabels{};

using Access = OrvexMsgBoxTestAccess;

// Long enough that no test waits for it, short enough that a box which
// ignores its input still ends.
constexpr std::int32_t kSafetyTimeout = 20;

// The window covers the whole screen from its corner.
void ExpectCoversScreen(HWND window, int width, int height)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, width);
    EXPECT_EQ(rect.bottom, height);
}

bool ClassRegistered(const wchar_t* name)
{
    WNDCLASSEXW info{};
    info.cbSize = sizeof info;
    return GetClassInfoExW(GetModuleHandleW(nullptr), name, &info) != FALSE;
}

bool QuitPending()
{
    MSG message;
    return PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != FALSE;
}

bool BoxWindowsLeft()
{
    return FindWindowW(kBkgndClassName, nullptr) != nullptr || FindWindowW(kMsgBoxClassName, nullptr) != nullptr;
}

// The probe: runs once, from the modal loop, as soon as the box is up.
std::function<void(HWND background, HWND box)> g_probe;

void CALLBACK RunProbe(HWND, UINT, UINT_PTR id, DWORD) noexcept
{
    KillTimer(nullptr, id);
    HWND background = FindWindowW(kBkgndClassName, nullptr);
    HWND box = FindWindowW(kMsgBoxClassName, nullptr);
    if (background == nullptr || box == nullptr) {
        ADD_FAILURE() << "the box windows are not there";
        return;
    }
    if (g_probe) {
        g_probe(background, box);
    }
}

std::int32_t ShowAndProbe(OrvexMsgBox& box, const wchar_t* text, const wchar_t* caption, std::uint32_t style,
                          std::int32_t timeout, std::function<void(HWND, HWND)> probe)
{
    g_probe = std::move(probe);
    SetTimer(nullptr, 0, 50, RunProbe);
    const std::int32_t answer = box.Show(text, caption, style, timeout);
    g_probe = nullptr;
    return answer;
}

class MsgBoxTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(BoxWindowsLeft());
        ASSERT_FALSE(ClassRegistered(kBkgndClassName));
        ASSERT_FALSE(ClassRegistered(kMsgBoxClassName));
    }
    void TearDown() override
    {
        EXPECT_FALSE(BoxWindowsLeft());
        EXPECT_FALSE(QuitPending());
    }
};

TEST_F(MsgBoxTest, InitMakesClassesAndFontsThatASecondInitCleanupAndDestructionRelease)
{
    {
        OrvexMsgBox box(kNoLabels);
        ASSERT_EQ(box.Init(), 1);

        EXPECT_TRUE(ClassRegistered(kBkgndClassName));
        EXPECT_TRUE(ClassRegistered(kMsgBoxClassName));

        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
        const UniqueWindowDc screen = TakeWindowDc(nullptr);
        ASSERT_TRUE(screen);
        const int resolution = GetDeviceCaps(screen.Get().dc, LOGPIXELSY);

        LOGFONTW title{};
        ASSERT_EQ(GetObjectW(Access::TitleFont(box), sizeof title, &title), static_cast<int>(sizeof title));
        LOGFONTW message{};
        ASSERT_EQ(GetObjectW(Access::TextFont(box), sizeof message, &message), static_cast<int>(sizeof message));
        ASSERT_LT(metrics.lfCaptionFont.lfHeight, 0) << "the system describes its fonts by character height";
        EXPECT_EQ(title.lfHeight, -MulDiv(20, resolution, 72));
        EXPECT_EQ(message.lfHeight, -MulDiv(12, resolution, 72));
        EXPECT_STREQ(title.lfFaceName, metrics.lfCaptionFont.lfFaceName);
        EXPECT_EQ(title.lfWeight, metrics.lfCaptionFont.lfWeight);
        EXPECT_STREQ(message.lfFaceName, metrics.lfMessageFont.lfFaceName);

        const HGDIOBJ titleFont = Access::TitleFont(box);
        const HGDIOBJ textFont = Access::TextFont(box);
        ASSERT_EQ(box.Init(), 1);
        EXPECT_EQ(GetObjectType(titleFont), 0u) << "the first Init's fonts are gone";
        EXPECT_EQ(GetObjectType(textFont), 0u);
        box.Cleanup();
        box.Cleanup();
        EXPECT_FALSE(ClassRegistered(kBkgndClassName));
        EXPECT_FALSE(ClassRegistered(kMsgBoxClassName));
        EXPECT_EQ(Access::TitleFont(box), nullptr);
        EXPECT_EQ(Access::BkgndAtom(box), 0);
        EXPECT_EQ(Access::MsgBoxAtom(box), 0);
        ASSERT_EQ(box.Init(), 1);
    }
    EXPECT_FALSE(ClassRegistered(kBkgndClassName)) << "the destructor released what Init took";
    EXPECT_FALSE(ClassRegistered(kMsgBoxClassName));
}

TEST_F(MsgBoxTest, AClassNameAlreadyTakenFailsInitAndReleasesEverythingElse)
{
    for (const wchar_t* taken : {kBkgndClassName, kMsgBoxClassName}) {
        SCOPED_TRACE(testing::Message() << "taken: " << (taken == kBkgndClassName ? "background" : "box"));
        WNDCLASSEXW other{};
        other.cbSize = sizeof other;
        other.lpfnWndProc = DefWindowProcW;
        other.hInstance = GetModuleHandleW(nullptr);
        other.lpszClassName = taken;
        ASSERT_NE(RegisterClassExW(&other), 0);

        OrvexMsgBox box(kNoLabels);
        EXPECT_EQ(box.Init(), 0);
        EXPECT_EQ(Access::BkgndAtom(box), 0);
        EXPECT_EQ(Access::MsgBoxAtom(box), 0);
        EXPECT_EQ(Access::TitleFont(box), nullptr);
        EXPECT_EQ(Access::TextFont(box), nullptr);
        const wchar_t* untaken = taken == kBkgndClassName ? kMsgBoxClassName : kBkgndClassName;
        EXPECT_FALSE(ClassRegistered(untaken));

        ASSERT_TRUE(UnregisterClassW(taken, GetModuleHandleW(nullptr)));
    }
}

TEST_F(MsgBoxTest, ButtonCaptionsComeFromTheLabelsOrFromThePlatformStrings)
{
    ButtonLabels labels{};
    const wchar_t* names[kButtonSlotCount] = {L"L-OK",  L"L-Cancel", L"L-Abort", L"L-Try",     L"L-Retry",
                                              L"L-Ignore", L"L-Yes", L"L-No",    L"L-Continue"};
    for (std::size_t slot = 0; slot < kButtonSlotCount; ++slot) {
        std::wcscpy(labels.Captions[slot], names[slot]);
    }
    // A caption that fills its slot without a terminator is still cut at 31.
    std::wmemset(labels.Captions[static_cast<std::size_t>(ButtonSlot::Continue)], L'c', kButtonCaptionSize);

    const HMODULE user32 = GetModuleHandleW(L"User32.dll");
    ASSERT_NE(user32, nullptr);
    const struct {
        std::uint32_t style;
        std::vector<std::int32_t> ids;
        std::vector<std::wstring> fileCaptions;
        std::vector<UINT> systemStrings;
    } cases[] = {
        // Every style's set is checked as a plain table; these two show that
        // the box takes ids and captions from it, slot by slot.
        {0, {1}, {L"L-OK"}, {905}},
        {6, {2, 10, 11}, {L"L-Cancel", L"L-Try", std::wstring(31, L'c')}, {801, 809, 810}},
    };
    for (const std::uint8_t fromFile : {std::uint8_t{1}, std::uint8_t{0}}) {
        labels.fromLanguageFile = fromFile;
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << "style " << c.style << (fromFile ? " from the file" : " from User32"));
            OrvexMsgBox box(labels);
            Access::SetStyle(box, c.style);
            box.PrepareButtons();
            ASSERT_EQ(Access::ButtonCount(box), static_cast<std::int32_t>(c.ids.size()));
            EXPECT_EQ(Access::Input(box).focusedIndex, 0);
            EXPECT_EQ(Access::Input(box).pressedIndex, -1);
            for (std::size_t i = 0; i < c.ids.size(); ++i) {
                const MsgBoxButton& button = Access::Button(box, static_cast<int>(i));
                EXPECT_EQ(button.id, c.ids[i]);
                EXPECT_TRUE(button.rect.IsEmpty());
                if (fromFile) {
                    EXPECT_EQ(std::wstring(button.caption), c.fileCaptions[i]);
                } else {
                    // Whatever this platform's User32 holds, cut to 31 characters.
                    wchar_t expected[kButtonCaptionSize] = {};
                    LoadStringW(user32, c.systemStrings[i], expected, static_cast<int>(kButtonCaptionSize));
                    EXPECT_EQ(std::wstring(button.caption), std::wstring(expected)) << "string " << c.systemStrings[i];
                }
            }
            for (std::size_t i = c.ids.size(); i < 3; ++i) {
                EXPECT_EQ(Access::Button(box, static_cast<int>(i)).id, 0);
                EXPECT_STREQ(Access::Button(box, static_cast<int>(i)).caption, L"");
            }
        }
    }
}

TEST_F(MsgBoxTest, TheIconComesFromTheProgramBeforeTheSystem)
{
    const HMODULE program = GetModuleHandleW(nullptr);
    // This test program carries its own 32516 and none of the others.
    const HANDLE ownInformation = LoadImageW(program, MAKEINTRESOURCEW(32516), IMAGE_ICON, 32, 32, LR_SHARED);
    ASSERT_NE(ownInformation, nullptr);
    const struct {
        std::uint32_t style;
        HANDLE expected;
    } cases[] = {
        {0x41, ownInformation},
        {0x10, LoadImageW(nullptr, MAKEINTRESOURCEW(32513), IMAGE_ICON, 32, 32, LR_SHARED)},
        {0x00, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << c.style);
        OrvexMsgBox box(kNoLabels);
        Access::SetStyle(box, c.style);
        box.PrepareButtons();
        EXPECT_EQ(Access::Icon(box), c.expected);
        EXPECT_EQ(Access::IconWidth(box), c.expected != nullptr ? 32 : 0);
        EXPECT_EQ(Access::IconHeight(box), c.expected != nullptr ? 32 : 0);
    }

    OrvexMsgBox box(kNoLabels);
    ASSERT_EQ(box.LoadBoxIcon(32516), 1);
    EXPECT_EQ(box.LoadBoxIcon(1), 0) << "no icon 1 anywhere";
    EXPECT_EQ(box.LoadBoxIcon(0x10000 + 32513), 0) << "not a resource id";
    EXPECT_EQ(box.LoadBoxIcon(0), 0);
    EXPECT_EQ(Access::Icon(box), ownInformation);
    ASSERT_EQ(box.LoadBoxIcon(32516), 1);
    EXPECT_EQ(Access::Icon(box), ownInformation);
    box.Cleanup();
    EXPECT_EQ(Access::Icon(box), nullptr);
    EXPECT_EQ(Access::IconWidth(box), 0);
}

TEST_F(MsgBoxTest, TheWindowsHaveTheirClassesStylesOwnerAndVeil)
{
    OrvexMsgBox box(kNoLabels);
    ASSERT_EQ(box.Init(), 1);
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    const std::int32_t answer = ShowAndProbe(box, L"text", L"A caption", 1, kSafetyTimeout, [&](HWND background, HWND window) {
        EXPECT_EQ(Access::Bkgnd(box), background);
        EXPECT_EQ(Access::Box(box), window);

        EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(background, GWL_EXSTYLE)) &
                      (WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_LAYOUTRTL | WS_EX_RTLREADING),
                  static_cast<DWORD>(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST));
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(background, GWL_STYLE)) & 0xFFFF0000u, 0x9C000000u);
        BYTE alpha = 0;
        DWORD flags = 0;
        ASSERT_TRUE(GetLayeredWindowAttributes(background, nullptr, &alpha, &flags));
        EXPECT_EQ(alpha, 76);
        EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));
        EXPECT_FALSE(IsWindowEnabled(background));
        EXPECT_EQ(GetWindow(background, GW_OWNER), nullptr);

        EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE)) & (WS_EX_TOPMOST | WS_EX_LAYOUTRTL),
                  static_cast<DWORD>(WS_EX_TOPMOST));
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)) & 0xFFFF0000u, 0x96000000u);
        EXPECT_EQ(GetWindow(window, GW_OWNER), background);
        EXPECT_EQ(GetWindowTextLengthW(window), 0) << "the box window keeps no title";
        EXPECT_EQ(GetWindowLongPtrW(window, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&box));
        EXPECT_TRUE(IsWindowVisible(window));
        EXPECT_TRUE(IsWindowVisible(background));

        for (HWND w : {background, window}) {
            ExpectCoversScreen(w, width, height);
        }

        PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);
    });
    EXPECT_EQ(answer, kIdCancel);
    EXPECT_EQ(Access::Bkgnd(box), nullptr);
    EXPECT_EQ(Access::Box(box), nullptr);
    EXPECT_FALSE(ClassRegistered(kBkgndClassName));
    EXPECT_FALSE(ClassRegistered(kMsgBoxClassName));
}

TEST_F(MsgBoxTest, AChangeOfDisplayPutsBothWindowsBackOverTheWholeScreen)
{
    OrvexMsgBox box(kNoLabels);
    ASSERT_EQ(box.Init(), 1);
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    std::int32_t bandBefore = 0;
    const std::int32_t answer = ShowAndProbe(box, L"display", nullptr, 4, kSafetyTimeout, [&](HWND background, HWND window) {
        bandBefore = Access::ContentHeight(box);
        // As if the screen had been smaller: both windows shrunk and moved.
        SetWindowPos(window, nullptr, 10, 20, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
        SetWindowPos(background, nullptr, 10, 20, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(window, WM_DISPLAYCHANGE, 32, MAKELPARAM(width, height));
        for (HWND w : {background, window}) {
            ExpectCoversScreen(w, width, height);
            EXPECT_TRUE(IsWindowVisible(w));
        }
        EXPECT_NE(GetWindowLongW(background, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
        // The band keeps the height it was given at creation.
        EXPECT_EQ(Access::ContentHeight(box), bandBefore);
        PostMessageW(window, WM_KEYDOWN, VK_TAB, 0);
        PostMessageW(window, WM_KEYDOWN, VK_RETURN, 0);
        PostMessageW(window, WM_KEYUP, VK_RETURN, 0);
    });
    EXPECT_EQ(answer, kIdNo);
    EXPECT_GT(bandBefore, 0);
}

// The key rules are plain functions and are driven through real input end
// to end; here only that once answered the box takes no more input, though
// more is queued.
TEST_F(MsgBoxTest, InputQueuedAfterTheAnswerIsIgnored)
{
    OrvexMsgBox box(kNoLabels);
    ASSERT_EQ(box.Init(), 1);
    const std::int32_t answer = ShowAndProbe(box, L"keys", nullptr, 3, kSafetyTimeout, [](HWND, HWND window) {
        PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);
        PostMessageW(window, WM_KEYDOWN, VK_SPACE, 0);
        PostMessageW(window, WM_KEYUP, VK_RETURN, 0);
    });
    EXPECT_EQ(answer, kIdCancel);
}

TEST_F(MsgBoxTest, TheBandGrowsByALinePerLineOfText)
{
    std::int32_t heights[4] = {};
    LONG lineHeight = 0;
    const wchar_t* texts[4] = {L"one", L"one\ntwo\nthree", nullptr, L""};
    for (int i = 0; i < 4; ++i) {
        OrvexMsgBox box(kNoLabels);
        ASSERT_EQ(box.Init(), 1);
        {
            const UniqueWindowDc screen = TakeWindowDc(nullptr);
            const UniqueSelection font = SelectInto(screen.Get().dc, Access::TextFont(box));
            TEXTMETRICW metrics{};
            GetTextMetricsW(screen.Get().dc, &metrics);
            lineHeight = metrics.tmHeight;
        }
        EXPECT_EQ(ShowAndProbe(box, texts[i], nullptr, 0, kSafetyTimeout,
                               [&](HWND, HWND window) {
                                   heights[i] = Access::ContentHeight(box);
                                   PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);
                               }),
                  kIdCancel);
    }
    EXPECT_GT(lineHeight, 0);
    EXPECT_EQ(heights[1] - heights[0], 2 * lineHeight);
    EXPECT_EQ(heights[2], heights[3]) << "a null text is measured as an empty one";
    EXPECT_GE(heights[2], 82);
}

TEST_F(MsgBoxTest, FiftyBoxesLeaveNoObjectsWindowsOrClassesBehind)
{
    const HANDLE process = GetCurrentProcess();
    const DWORD gdiBefore = GetGuiResources(process, GR_GDIOBJECTS);
    const DWORD userBefore = GetGuiResources(process, GR_USEROBJECTS);
    const std::uint32_t styles[] = {0, 0x41, 0x14, 0x33, 0x26};
    for (int cycle = 0; cycle < 50; ++cycle) {
        OrvexMsgBox box(kNoLabels);
        ASSERT_EQ(box.Init(), 1) << cycle;
        const HGDIOBJ titleFont = Access::TitleFont(box);
        const HGDIOBJ textFont = Access::TextFont(box);
        ASSERT_EQ(box.Show(L"Fifty boxes", L"Caption", styles[cycle % 5], 0), kIdOk) << cycle;
        box.Cleanup();
        ASSERT_EQ(GetObjectType(titleFont), 0u) << cycle;
        ASSERT_EQ(GetObjectType(textFont), 0u) << cycle;
        ASSERT_FALSE(BoxWindowsLeft()) << cycle;
        ASSERT_FALSE(ClassRegistered(kBkgndClassName)) << cycle;
        ASSERT_FALSE(ClassRegistered(kMsgBoxClassName)) << cycle;
    }
    // Under Wine both counts are always 0; on Windows they are the real ones.
    EXPECT_EQ(GetGuiResources(process, GR_GDIOBJECTS), gdiBefore);
    EXPECT_EQ(GetGuiResources(process, GR_USEROBJECTS), userBefore);
}

TEST_F(MsgBoxTest, AShowThatCannotMakeItsWindowsAnswersOkAndLeavesNothing)
{
    {
        // Without Init there are no classes.
        OrvexMsgBox box(kNoLabels);
        EXPECT_EQ(box.Show(L"never shown", nullptr, 4, -1), kIdOk);
    }
    {
        // The box class vanishes behind the object's back: the background's
        // creation fails inside, and no loop is entered.
        OrvexMsgBox box(kNoLabels);
        ASSERT_EQ(box.Init(), 1);
        ASSERT_TRUE(UnregisterClassW(kMsgBoxClassName, GetModuleHandleW(nullptr)));
        EXPECT_EQ(box.Show(L"never shown", nullptr, 4, -1), kIdOk);
        EXPECT_FALSE(ClassRegistered(kBkgndClassName));
        EXPECT_EQ(Access::TextFont(box), nullptr);
    }
}

TEST_F(MsgBoxTest, AQuitFromElsewhereEndsTheBoxAndLeavesNothing)
{
    OrvexMsgBox box(kNoLabels);
    ASSERT_EQ(box.Init(), 1);
    const std::int32_t answer = ShowAndProbe(box, L"quit", nullptr, 4, kSafetyTimeout,
                                             [](HWND, HWND) { PostQuitMessage(0); });
    EXPECT_EQ(answer, kIdOk);
    EXPECT_FALSE(ClassRegistered(kBkgndClassName));
    EXPECT_FALSE(ClassRegistered(kMsgBoxClassName));
    // A fresh Init works, which it would not if a class had stayed.
    ASSERT_EQ(box.Init(), 1);
    EXPECT_EQ(box.Show(L"again", nullptr, 0, 0), kIdOk);
}

}  // namespace
