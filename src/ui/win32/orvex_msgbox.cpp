#include "ui/win32/orvex_msgbox.h"

#include <imm.h>

#include <cstring>
#include <utility>

#include "ground/win32/system_library.h"
#include "ui/msgbox_style.h"
#include "ui/right_to_left.h"
#include "ui/win32/display_monitors.h"
#include "ui/win32/rect_conversion.h"

static_assert(kIdOk == IDOK && kIdCancel == IDCANCEL && kIdAbort == IDABORT && kIdRetry == IDRETRY &&
              kIdIgnore == IDIGNORE && kIdYes == IDYES && kIdNo == IDNO && kIdTryAgain == IDTRYAGAIN &&
              kIdContinue == IDCONTINUE);
static_assert(kKeyTab == VK_TAB && kKeyEnter == VK_RETURN && kKeyEscape == VK_ESCAPE && kKeySpace == VK_SPACE);

namespace {

constexpr int kTitlePoints = 20;
constexpr BYTE kVeilAlpha = 76;   // about 30 % opaque
constexpr int kTextPoints = 12;

// The height of a font description at the given points: a character height
// stays one, anything else becomes the bare number.
LONG FontHeight(LONG described, int points, int resolution) noexcept
{
    return described < 0 ? -MulDiv(points, resolution, 72) : points;
}

// The box reads keys, never text, so its thread needs no input method. The
// platform's input method enters a COM apartment for every thread whose
// window is activated (for its text services), which would load COM for a
// box that no screen reader asks for. It takes effect only before the
// thread's first top-level window is created, which is where Init runs in
// this program; a thread that already had windows keeps its input method.
void DisableInputMethod() noexcept
{
    static SystemLibrary imm32(L"imm32.dll");
    if (auto* const disable = imm32.Find<decltype(ImmDisableIME)>("ImmDisableIME"); disable != nullptr) {
        disable(GetCurrentThreadId());
    }
}

// The resolution of the window's screen; 0 where the system cannot tell a
// window's own (before Windows 10, version 1607), and the system's, which
// Init read, holds.
std::int32_t WindowDpi(HWND window) noexcept
{
    static SystemLibrary user32(L"user32.dll");
    static const auto dpiForWindow = user32.Find<decltype(GetDpiForWindow)>("GetDpiForWindow");
    return dpiForWindow != nullptr ? static_cast<std::int32_t>(dpiForWindow(window)) : 0;
}

}  // namespace

OrvexMsgBox::OrvexMsgBox(const ButtonLabels& buttonLabels) noexcept
    : hInstance(GetModuleHandleW(nullptr)), labels(buttonLabels)
{
}

OrvexMsgBox::~OrvexMsgBox()
{
    Cleanup();
}

std::int32_t OrvexMsgBox::Init() noexcept
{
    // A second Init without a Show in between starts again from nothing.
    Cleanup();
    if (RegisterClasses() == 0) {
        Cleanup();
        return 0;
    }
    DetectRightToLeft();
    // Until the box window knows its screen, the system's resolution.
    std::int32_t resolution = 96;
    if (const UniqueWindowDc screen = TakeWindowDc(nullptr)) {
        resolution = GetDeviceCaps(screen.Get().dc, LOGPIXELSY);
    }
    dpi = resolution > 0 ? resolution : 96;
    metrics = MetricsAt(dpi);
    if (CreateFonts(dpi) == 0) {
        Cleanup();
        return 0;
    }
    // COM is not entered here: only a screen reader's first request for the
    // box's object loads it (MsgBoxAccessibility::OnGetObject).
    DisableInputMethod();
    return 1;
}

std::int32_t OrvexMsgBox::RegisterClasses() noexcept
{
    WNDCLASSEXW background{};
    background.cbSize = sizeof background;
    background.style = CS_NOCLOSE;
    background.lpfnWndProc = BkgndWndProc;
    background.hInstance = hInstance;
    background.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    background.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    background.lpszClassName = kBkgndClassName;
    const ATOM backgroundAtom = RegisterClassExW(&background);
    if (backgroundAtom == 0) {
        return 0;
    }
    bkgndAtom.Reset({backgroundAtom, hInstance});

    WNDCLASSEXW box{};
    box.cbSize = sizeof box;
    box.style = CS_NOCLOSE | CS_DBLCLKS;
    box.lpfnWndProc = MsgBoxWndProc;
    box.hInstance = hInstance;
    box.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    box.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    box.lpszClassName = kMsgBoxClassName;
    const ATOM boxAtom = RegisterClassExW(&box);
    if (boxAtom == 0) {
        return 0;
    }
    msgBoxAtom.Reset({boxAtom, hInstance});
    return 1;
}

void OrvexMsgBox::DetectRightToLeft() noexcept
{
    // The locale signature is a LOCALESIGNATURE returned in a string buffer;
    // its first 16 bytes are the Unicode-subset bits.
    wchar_t signature[16] = {};
    const LCID locale = MAKELCID(GetThreadUILanguage(), SORT_DEFAULT);
    if (GetLocaleInfoW(locale, LOCALE_FONTSIGNATURE, signature, 16) == 0) {
        return;
    }
    std::uint32_t subsets[4] = {};
    std::memcpy(subsets, signature, sizeof subsets);
    if (IsRightToLeftSignature(subsets)) {
        rtlLayout = 1;
    }
}

std::int32_t OrvexMsgBox::CreateFonts(std::int32_t resolution) noexcept
{
    NONCLIENTMETRICSW system{};
    system.cbSize = sizeof system;
    static_assert(sizeof(NONCLIENTMETRICSW) == 504);
    // When the metrics cannot be read the descriptions stay empty, and the
    // fonts are the system's default at the bare heights.
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof system, &system, 0);

    // The heights are set here from the points, so the resolution counts
    // once, whatever resolution the system's descriptions were made for.
    LOGFONTW title = system.lfCaptionFont;
    title.lfHeight = FontHeight(title.lfHeight, kTitlePoints, resolution);
    UniqueGdiObject newTitle(CreateFontIndirectW(&title));
    LOGFONTW message = system.lfMessageFont;
    message.lfHeight = FontHeight(message.lfHeight, kTextPoints, resolution);
    UniqueGdiObject newText(CreateFontIndirectW(&message));
    if (!newTitle || !newText) {
        return 0;
    }
    titleFont = std::move(newTitle);
    textFont = std::move(newText);
    return 1;
}

void OrvexMsgBox::ApplyDpi(std::int32_t newDpi) noexcept
{
    // Fonts that cannot be made leave the box as it was.
    if (newDpi < 1 || newDpi == dpi || CreateFonts(newDpi) == 0) {
        return;
    }
    dpi = newDpi;
    metrics = MetricsAt(dpi);
    if (iconId != 0) {
        LoadBoxIcon(iconId);
    }
}

void OrvexMsgBox::Cleanup() noexcept
{
    icon = nullptr;
    ownIcon.Reset();
    iconId = 0;
    iconWidth = 0;
    iconHeight = 0;
    textFont.Reset();
    titleFont.Reset();
    msgBoxAtom.Reset();
    bkgndAtom.Reset();
    accessibility.LeaveApartment();
}

void CaptionOfButton(const ButtonEntry& entry, const ButtonLabels& labels,
                     wchar_t (&caption)[kButtonCaptionSize]) noexcept
{
    caption[0] = L'\0';   // not every platform clears the buffer for a missing string
    if (labels.fromLanguageFile != 0) {
        CopyCaption(labels.Caption(entry.slot), caption);
    } else if (const HMODULE user32 = GetModuleHandleW(L"User32.dll"); user32 != nullptr) {
        // Cut to the caption's 31 characters; a missing string leaves it empty.
        LoadStringW(user32, entry.systemStringId, caption, static_cast<int>(kButtonCaptionSize));
    }
}

void OrvexMsgBox::PrepareButtons() noexcept
{
    for (MsgBoxButton& button : buttons) {
        button = MsgBoxButton{};
    }
    input.focusedIndex = 0;
    input.pressedIndex = -1;

    const ButtonSet set = ButtonSetOfStyle(style);
    buttonCount = set.count;
    for (std::int32_t i = 0; i < set.count; ++i) {
        buttons[i].id = set.buttons[i].id;
        CaptionOfButton(set.buttons[i], labels, buttons[i].caption);
    }

    if (const std::uint32_t iconId = IconIdOfStyle(style); iconId != 0) {
        LoadBoxIcon(iconId);
    }
}

std::int32_t OrvexMsgBox::LoadBoxIcon(std::uint32_t id) noexcept
{
    if (id == 0 || id > 0xFFFF) {
        return 0;   // not a numeric resource id
    }
    // Loaded at the size it is drawn, never stretched from a smaller image:
    // the program's own not shared, so that the box owns it.
    const LPCWSTR name = MAKEINTRESOURCEW(id);
    const std::int32_t size = metrics.iconSize;
    UniqueIcon loaded(static_cast<HICON>(LoadImageW(hInstance, name, IMAGE_ICON, size, size, 0)));
    HICON shown = loaded.Get();
    if (!loaded) {
        // A system icon is only handed out shared, at the system's size. A
        // copy read again from its resource has the size drawn; without one
        // the shared icon is drawn scaled.
        const auto shared = static_cast<HICON>(LoadImageW(nullptr, name, IMAGE_ICON, 0, 0, LR_SHARED | LR_DEFAULTSIZE));
        if (shared == nullptr) {
            return 0;
        }
        loaded.Reset(static_cast<HICON>(CopyImage(shared, IMAGE_ICON, size, size, LR_COPYFROMRESOURCE)));
        shown = loaded ? loaded.Get() : shared;
    }
    ownIcon = std::move(loaded);
    icon = shown;
    iconId = id;
    iconWidth = size;
    iconHeight = size;
    if (hwndMsgBox != nullptr) {
        InvalidateRect(hwndMsgBox, nullptr, TRUE);
    }
    return 1;
}

void OrvexMsgBox::Layout() noexcept
{
    RECT client{};
    if (hwndMsgBox == nullptr || GetClientRect(hwndMsgBox, &client) == FALSE || IsRectEmpty(&client) != FALSE) {
        return;   // a window without an area yet has nothing to lay out
    }
    const std::int32_t width = client.right;
    const std::int32_t height = client.bottom;
    RECT captionLine{};
    std::int32_t textHeight = 0;
    if (const UniqueWindowDc dc = TakeWindowDc(hwndMsgBox)) {
        const RECT measuring = ToRect(MeasuringRect(width, iconHeight, metrics));
        captionLine = measuring;
        {
            const UniqueSelection font = SelectInto(dc.Get().dc, titleFont.Get());
            DrawTextW(dc.Get().dc, caption, -1, &captionLine, kCaptionFormat | DT_CALCRECT);
        }
        RECT rect = measuring;
        const UniqueSelection font = SelectInto(dc.Get().dc, textFont.Get());
        DrawTextW(dc.Get().dc, text, -1, &rect, kTextFormat | DT_CALCRECT);
        textHeight = rect.bottom - rect.top;
    }
    const std::int32_t captionHeight = captionLine.bottom - captionLine.top;
    if (measureBand || contentHeight == 0) {
        contentHeight = BandHeight(captionHeight, textHeight, iconHeight, metrics);
        measureBand = false;
    }
    LayoutInput input;
    input.width = width;
    input.height = height;
    input.buttonCount = buttonCount;
    input.iconSize = icon ? iconWidth : 0;
    input.bandHeight = contentHeight;
    input.captionWidth = captionLine.right - captionLine.left;
    input.captionHeight = captionHeight;
    layout = LayOutBox(input, metrics);
    for (std::int32_t i = 0; i < kMaxButtons; ++i) {
        buttons[i].rect = layout.buttons[i];
    }
    InvalidateRect(hwndMsgBox, nullptr, TRUE);
}

std::int32_t OrvexMsgBox::Show(const wchar_t* messageText, const wchar_t* captionText, std::uint32_t messageStyle,
                               std::int32_t timeout) noexcept
{
    text = messageText != nullptr ? messageText : L"";
    caption = captionText != nullptr ? captionText : L"";
    style = messageStyle;
    timeoutSeconds = timeout;
    input.focusVisible = 0;
    buttonCount = 1;
    contentHeight = 0;
    measureBand = true;
    layout = BoxLayout{};
    // Only the user's answer, or the timeout's, is an answer.
    result = kIdNone;
    answered = false;

    PrepareButtons();

    RefreshColors();
    ChooseStartingMonitor();
    bool quitReceived = false;
    int quitCode = 0;
    if (CreateWindows()) {
        PlaceWindows();
        // Standing on its monitor, the box window has that monitor's
        // resolution, and is laid out again when it is not the system's.
        if (const std::int32_t monitorDpi = WindowDpi(hwndMsgBox); monitorDpi > 0 && monitorDpi != dpi) {
            OnDpiChanged(monitorDpi);
        }
        // Both shown without taking the activation, and the box told to
        // readers as a dialog; the box window then asks for the activation,
        // and with it the keyboard, for as long as it stands. The system may
        // keep another program in front until the user clicks the box:
        // readers hear of the focused button only once the keyboard comes.
        ShowWindow(hwndBkgnd, SW_SHOWNOACTIVATE);
        ShowWindow(hwndMsgBox, SW_SHOWNA);
        std::uint32_t interval = 0;
        if (TimeoutInterval(timeoutSeconds, interval)) {
            SetTimer(hwndMsgBox, MSGBOX_TIMER_ID, interval, nullptr);
        }
        RaiseDialogStart(hwndMsgBox);
        SetForegroundWindow(hwndMsgBox);
        quitReceived = RunModalLoop(quitCode);
    }
    DestroyWindows();
    Cleanup();
    if (quitReceived) {
        // Not the box's to take: whoever posted it ends its own loop with it.
        PostQuitMessage(quitCode);
    }
    return result;
}

bool OrvexMsgBox::CreateWindows() noexcept
{
    const DWORD bkgndExStyle = rtlLayout != 0
                                   ? WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_LAYOUTRTL |
                                         WS_EX_RTLREADING
                                   : WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    // Both are topmost from their creation on, the box window above the
    // background that owns it.
    if (CreateWindowExW(bkgndExStyle, kBkgndClassName, nullptr, WS_POPUP | WS_DISABLED | WS_CLIPSIBLINGS, 0, 0, 0,
                        0, nullptr, nullptr, hInstance, this) == nullptr) {
        return false;
    }
    SetLayeredWindowAttributes(hwndBkgnd, 0, kVeilAlpha, LWA_ALPHA);
    // No title: screen readers take the caption from the box's own object.
    const DWORD boxExStyle = rtlLayout != 0 ? WS_EX_TOPMOST | WS_EX_LAYOUTRTL : WS_EX_TOPMOST;
    return CreateWindowExW(boxExStyle, kMsgBoxClassName, nullptr, WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0,
                           0, 0, 0, hwndBkgnd, nullptr, hInstance, this) != nullptr;
}

void OrvexMsgBox::ChooseStartingMonitor() noexcept
{
    veilArea = VirtualScreenArea();
    const DeskMonitors desk = ReadMonitors();
    BoxRect foreground;
    const bool hasForeground = ForegroundWindowArea(foreground);
    POINT cursor{};
    const bool hasPointer = GetCursorPos(&cursor) != FALSE;
    const BoxPoint pointer{cursor.x, cursor.y};
    const std::int32_t chosen = StartingMonitor(desk.monitors, desk.count, hasForeground ? &foreground : nullptr,
                                                hasPointer ? &pointer : nullptr);
    if (chosen < 0) {
        // No monitor listed: the primary's area, as the system reports it.
        bandArea = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        bandMonitor[0] = L'\0';
        return;
    }
    StandOn(desk.monitors[chosen]);
}

void OrvexMsgBox::FollowMonitors() noexcept
{
    veilArea = VirtualScreenArea();
    const DeskMonitors desk = ReadMonitors();
    if (const std::int32_t chosen = RemainingMonitor(desk.monitors, desk.count, bandMonitor); chosen >= 0) {
        StandOn(desk.monitors[chosen]);
    }
}

void OrvexMsgBox::StandOn(const MonitorArea& monitor) noexcept
{
    bandArea = monitor.area;
    std::memcpy(bandMonitor, monitor.name, sizeof bandMonitor);
}

void OrvexMsgBox::PlaceWindows() noexcept
{
    constexpr UINT kKeepFocusAndOrder = SWP_NOACTIVATE | SWP_NOZORDER;
    if (hwndBkgnd != nullptr) {
        SetWindowPos(hwndBkgnd, nullptr, veilArea.left, veilArea.top, veilArea.right - veilArea.left,
                     veilArea.bottom - veilArea.top, kKeepFocusAndOrder);
    }
    if (hwndMsgBox != nullptr) {
        SetWindowPos(hwndMsgBox, nullptr, bandArea.left, bandArea.top, bandArea.right - bandArea.left,
                     bandArea.bottom - bandArea.top, kKeepFocusAndOrder);
    }
}

void OrvexMsgBox::RefreshColors() noexcept
{
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    const bool highContrast = SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) != FALSE &&
                              (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
    const SystemColors system{GetSysColor(COLOR_WINDOW),    GetSysColor(COLOR_WINDOWTEXT),
                              GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_HIGHLIGHTTEXT),
                              GetSysColor(COLOR_BTNFACE),   GetSysColor(COLOR_BTNTEXT)};
    colors = ColorsOfTheme(highContrast, system);
}

bool OrvexMsgBox::RunModalLoop(int& quitCode) noexcept
{
    MSG message{};
    BOOL got = TRUE;
    while (!answered && hwndMsgBox != nullptr && (got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (got != 0) {
        return false;
    }
    quitCode = static_cast<int>(message.wParam);
    return true;
}

void OrvexMsgBox::DestroyWindows() noexcept
{
    // A window already gone (destroyed from outside, the box window with the
    // background that owns it) has cleared its handle at WM_NCDESTROY.
    for (HWND window : {hwndMsgBox, hwndBkgnd}) {
        if (window != nullptr) {
            DestroyWindow(window);
        }
    }
}

OrvexMsgBox* OrvexMsgBox::BoxOfWindow(HWND window, UINT message, LPARAM lParam, HWND OrvexMsgBox::*handle) noexcept
{
    if (message == WM_NCCREATE) {
        auto* box = static_cast<OrvexMsgBox*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(box));
        if (box != nullptr) {
            box->*handle = window;
        }
        return box;
    }
    auto* box = reinterpret_cast<OrvexMsgBox*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY && box != nullptr) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        box->*handle = nullptr;
    }
    return box;
}

LRESULT CALLBACK OrvexMsgBox::BkgndWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    // The veil only needs its handle kept; the default procedure paints it
    // with the class's black brush.
    static_cast<void>(BoxOfWindow(window, message, lParam, &OrvexMsgBox::hwndBkgnd));
    return DefWindowProcW(window, message, wParam, lParam);
}
