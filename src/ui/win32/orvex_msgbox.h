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
#include "ui/win32/load_res_string.h"
#include "ui/win32/msgbox_accessible.h"
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
    // The answer: the platform's IDOK, IDCANCEL, ... Text and caption may be
    // null. A timeout of -1 means none.
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
    // Band height, buttons and timeout timer for a box window of this size,
    // at the resolution of its screen; the box window runs it when it is
    // created. Returns 1.
    std::int32_t Layout(HWND window, std::int32_t width, std::int32_t height) noexcept;

private:
    // How the caption line and the message text are measured (with
    // DT_CALCRECT) and drawn.
    static constexpr UINT kCaptionFormat = DT_SINGLELINE | DT_END_ELLIPSIS;
    static constexpr UINT kTextFormat = DT_WORDBREAK | DT_EDITCONTROL | DT_END_ELLIPSIS;

    static LRESULT CALLBACK MsgBoxWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    static LRESULT CALLBACK BkgndWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

    [[nodiscard]] std::int32_t RegisterClasses() noexcept;
    void DetectRightToLeft() noexcept;
    [[nodiscard]] std::int32_t CreateFonts(std::int32_t resolution) noexcept;
    // Fonts, icon and distances for another resolution.
    void ApplyDpi(std::int32_t newDpi) noexcept;
    // Measures the texts (the band height only when asked) and lays the box
    // out for a client area of this size.
    void Arrange(HWND window, std::int32_t width, std::int32_t height, bool measureBand) noexcept;
    // The band's monitor when the box appears and the veil over every
    // monitor; the band moves to a remaining monitor when its own goes.
    void ChooseStartingMonitor() noexcept;
    void FollowMonitors() noexcept;
    // Both windows moved to their areas, without hiding or activating
    // anything, so the box keeps the keyboard.
    void PlaceWindows() noexcept;
    // The box's own colours, or the theme's in high contrast.
    void RefreshColors() noexcept;
    void RunModalLoop() noexcept;
    void DestroyLeftoverWindows() noexcept;

    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    void OnKeyDown(HWND window, std::uint32_t key) noexcept;
    void OnKeyUp(HWND window, std::uint32_t key) noexcept;
    void OnMouseMove(HWND window) noexcept;
    void OnLButtonDown(HWND window, std::int32_t x, std::int32_t y) noexcept;
    void OnLButtonUp(HWND window, std::int32_t x, std::int32_t y) noexcept;
    void OnTimer(HWND window, UINT_PTR id) noexcept;
    void OnDisplayChange(HWND window, bool measureBand) noexcept;
    void OnThemeChange(HWND window) noexcept;
    void Apply(HWND window, const InputOutcome& outcome) noexcept;
    void AnswerAndClose(std::int32_t answer) noexcept;
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
    UniqueIcon icon;
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
    std::int32_t result = 1;
    MsgBoxButton buttons[kMaxButtons];
    ButtonLabels labels;
    // Set with the answer: the windows are closing and take no more input.
    bool answered = false;
    // What screen readers read and press.
    MsgBoxAccessibility accessibility;
};
