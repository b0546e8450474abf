#pragma once
// The custom message box: a band across a dimmed full-screen background,
// with its own modal loop. Construct, Init, and only when Init returned 1,
// Show; Show ends with Cleanup, so showing again needs a fresh Init.
#include <windows.h>

#include <cstdint>

#include "ui/button_labels.h"
#include "ui/msgbox_button.h"
#include "ui/msgbox_colors.h"
#include "ui/msgbox_geometry.h"
#include "ui/msgbox_input.h"
#include "ui/msgbox_monitor.h"
#include "ui/msgbox_style.h"
#include "ground/win32/load_res_string.h"
#include "ui/win32/msgbox_accessibility_host.h"
#include "ui/win32/ui_handles.h"

inline constexpr wchar_t kBkgndClassName[] = L"OrvexBkgnd_Class";
inline constexpr wchar_t kMsgBoxClassName[] = L"OrvexMsgBox_Class";

// A button's caption: from the language file's labels when they were
// loaded, otherwise the platform's own string for the button.
void CaptionOfButton(const ButtonEntry& entry, const ButtonLabels& labels,
                     wchar_t (&caption)[kButtonCaptionSize]) noexcept;

class OrvexMsgBox {
public:
    // Copies the captions that its buttons show.
    explicit OrvexMsgBox(const ButtonLabels& buttonLabels) noexcept;
    ~OrvexMsgBox();
    OrvexMsgBox(const OrvexMsgBox&) = delete;
    OrvexMsgBox& operator=(const OrvexMsgBox&) = delete;

    // 1 when the box can be shown, 0 when not (all acquired is released).
    [[nodiscard]] std::int32_t Init() noexcept;
    // The answer: the platform's IDOK, IDCANCEL, ..., or kIdNone when none
    // came (the windows could not be made, or a quit message that the box
    // did not post ended it, which is then posted again). Text and caption
    // may be null. A timeout of -1 means none.
    [[nodiscard]] std::int32_t Show(const wchar_t* text, const wchar_t* caption, std::uint32_t style,
                                    std::int32_t timeoutSeconds) noexcept;
    // Releases icon, fonts and class registrations, disconnects the object
    // that screen readers read and leaves its COM apartment; safe to repeat.
    void Cleanup() noexcept;

    // Buttons, captions and icon for the current style; Show runs it before
    // any window exists.
    void PrepareButtons() noexcept;
    // 1 when the icon with this resource id was found in the program or
    // among the system's icons, 0 when not (nothing changes then).
    std::int32_t LoadBoxIcon(std::uint32_t id) noexcept;

private:
    // How the caption line and the message text are measured (with
    // DT_CALCRECT) and drawn.
    static constexpr UINT kCaptionFormat = DT_SINGLELINE | DT_END_ELLIPSIS;
    static constexpr UINT kTextFormat = DT_WORDBREAK | DT_EDITCONTROL | DT_END_ELLIPSIS;

    static LRESULT CALLBACK MsgBoxWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    static LRESULT CALLBACK BkgndWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    // The box that a window of either class belongs to; at WM_NCCREATE it
    // is taken from the creation record and the window's handle stored in
    // the member named, which WM_NCDESTROY clears again.
    static OrvexMsgBox* BoxOfWindow(HWND window, UINT message, LPARAM lParam, HWND OrvexMsgBox::*handle) noexcept;

    [[nodiscard]] std::int32_t RegisterClasses() noexcept;
    void DetectRightToLeft() noexcept;
    [[nodiscard]] std::int32_t CreateFonts(std::int32_t resolution) noexcept;
    // Fonts, icon and distances for another resolution.
    void ApplyDpi(std::int32_t newDpi) noexcept;

    // The background, then the box window above it, both hidden and still
    // without a place; false when either could not be made.
    [[nodiscard]] bool CreateWindows() noexcept;
    // The band's monitor when the box appears and the veil over every
    // monitor; after a change of the monitors, the band's own while it
    // exists, else a remaining one.
    void ChooseStartingMonitor() noexcept;
    void FollowMonitors() noexcept;
    // The band's monitor from now on.
    void StandOn(const MonitorArea& monitor) noexcept;
    // Moves and sizes the background over the virtual screen and the box
    // window over the band's monitor, without hiding them or taking the
    // activation; the box window's WM_SIZE lays it out.
    void PlaceWindows() noexcept;
    // Measures the texts (the band only on the first layout and after a
    // change of scale) and places the band, the texts, the icon and the
    // buttons in the box window's client area.
    void Layout() noexcept;
    // The box's own colours, or the theme's in high contrast.
    void RefreshColors() noexcept;
    // Runs the thread's messages until the box is answered or its window is
    // gone. True when a quit message ended it first, which the box never
    // posts itself, with that message's exit code in quitCode.
    [[nodiscard]] bool RunModalLoop(int& quitCode) noexcept;
    void DestroyWindows() noexcept;

    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    void OnKeyDown(HWND window, std::uint32_t key) noexcept;
    void OnKeyUp(HWND window, std::uint32_t key) noexcept;
    void OnMouseMove(HWND window, std::uint32_t buttonFlags) noexcept;
    void OnLButtonDown(HWND window, std::int32_t x, std::int32_t y) noexcept;
    void OnLButtonUp(HWND window, std::int32_t x, std::int32_t y) noexcept;
    void OnTimer(HWND window, UINT_PTR id) noexcept;
    void OnDpiChanged(std::int32_t newDpi) noexcept;
    void OnDisplayChange() noexcept;
    void OnThemeChange(HWND window) noexcept;
    void Apply(HWND window, const InputOutcome& outcome) noexcept;
    void Answer(std::int32_t answer) noexcept;
    void OnAccessiblePress(std::int32_t index) noexcept;
    void AnnounceFocusMove(HWND window, std::int32_t focusedBefore) noexcept;

    void Paint(HWND window) noexcept;
    // Where a part of the layout is drawn in the band's bitmap.
    [[nodiscard]] BoxRect Placed(const BoxRect& rect, bool mirrored) const noexcept;
    void DrawTexts(HDC dc, bool mirrored) noexcept;
    void DrawButton(HDC dc, std::int32_t index, bool mirrored) noexcept;

    HINSTANCE hInstance;
    UniqueClassRegistration bkgndAtom;
    UniqueClassRegistration msgBoxAtom;
    HWND hwndBkgnd = nullptr;
    HWND hwndMsgBox = nullptr;
    std::int32_t rtlLayout = 0;
    // Where the veil and the box window stand, in virtual-screen pixels, and
    // the device name of the band's monitor.
    BoxRect veilArea;
    BoxRect bandArea;
    wchar_t bandMonitor[kMonitorNameSize] = {};
    UniqueGdiObject titleFont;
    UniqueGdiObject textFont;
    // What is drawn: ownIcon, or a shared system icon, which belongs to the
    // system and is never destroyed.
    HICON icon = nullptr;
    UniqueIcon ownIcon;
    std::uint32_t iconId = 0;
    std::int32_t iconWidth = 0;
    std::int32_t iconHeight = 0;
    // The resolution the fonts, the icon and the layout are made for.
    std::int32_t dpi = 96;
    BoxMetrics metrics;
    BoxLayout layout;
    MsgBoxColors colors;
    MsgBoxInput input;     // focusedIndex, pressedIndex, focusVisible
    const wchar_t* text = L"";
    const wchar_t* caption = L"";
    std::uint32_t style = 0;
    std::int32_t timeoutSeconds = -1;
    std::int32_t buttonCount = 1;
    std::int32_t contentHeight = 0;
    // Set for the first layout and after a change of scale: the band is
    // measured again in the fonts; a change of size alone keeps its height.
    bool measureBand = true;
    std::int32_t result = 1;
    MsgBoxButton buttons[kMaxButtons];
    ButtonLabels labels;
    // Set with the answer: the question is over, the loop ends and the
    // windows take no more input.
    bool answered = false;
    // What screen readers read and press.
    MsgBoxAccessibility accessibility;
};
