// The box window: painting the band and turning input into the answer.
#include <windows.h>

#include <windowsx.h>

#include <algorithm>
#include <cstdint>

#include "ui/win32/orvex_msgbox.h"
#include "ui/win32/rect_conversion.h"

namespace {

constexpr UINT kButtonCaptionDraw = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;

static_assert(kMouseLeftButton == MK_LBUTTON);

// Mouse input while Space or Enter is down, or was pressed since the last
// look, is ignored entirely: a click never mixes with a key press. Both are
// read, since each read clears its own "pressed since" bit.
bool KeysHoldTheMouse() noexcept
{
    const bool space = GetAsyncKeyState(VK_SPACE) != 0;
    const bool enter = GetAsyncKeyState(VK_RETURN) != 0;
    return space || enter;
}

void FillSolid(HDC dc, const RECT& rect, ColorRef color) noexcept
{
    SetBkColor(dc, color);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

// Everything inside BeginPaint and EndPaint.
class PaintPass {
public:
    explicit PaintPass(HWND window) noexcept : window(window) { dc = BeginPaint(window, &paint); }
    ~PaintPass() { EndPaint(window, &paint); }
    PaintPass(const PaintPass&) = delete;
    PaintPass& operator=(const PaintPass&) = delete;

    [[nodiscard]] HDC Dc() const noexcept { return dc; }
    [[nodiscard]] const RECT& Update() const noexcept { return paint.rcPaint; }

private:
    HWND window;
    HDC dc = nullptr;
    PAINTSTRUCT paint{};
};

}  // namespace

LRESULT CALLBACK OrvexMsgBox::MsgBoxWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    OrvexMsgBox* box = BoxOfWindow(window, message, lParam, &OrvexMsgBox::hwndMsgBox);
    if (box == nullptr || message == WM_NCCREATE) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return box->OnMessage(window, message, wParam, lParam);
}

LRESULT OrvexMsgBox::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    switch (message) {
    case WM_PAINT:
        Paint(window);
        return 0;
    case WM_ERASEBKGND:
        return 1;   // only the band is ever painted
    case WM_SIZE:
        Layout();
        return 0;
    case WM_DISPLAYCHANGE:
        OnDisplayChange();
        return 0;
    case WM_DPICHANGED:
        OnDpiChanged(LOWORD(wParam));
        return 0;
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
        OnThemeChange(window);
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_SETFOCUS:
        if (!answered) {
            RaiseFocus(window, input.focusedIndex);
        }
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(window, static_cast<std::uint32_t>(wParam));
        return 0;
    case WM_KEYUP:
        OnKeyUp(window, static_cast<std::uint32_t>(wParam));
        return 0;
    case WM_TIMER:
        OnTimer(window, wParam);
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(window, static_cast<std::uint32_t>(wParam));
        return 0;
    case WM_LBUTTONDOWN:
        OnLButtonDown(window, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUp(window, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_GETOBJECT:
        return accessibility.OnGetObject({buttons, &buttonCount, &input, &text, &caption}, window, wParam, lParam);
    case kAccessiblePressMessage:
        OnAccessiblePress(static_cast<std::int32_t>(wParam));
        return 0;
    case WM_DESTROY:
        RaiseDialogEnd(window);
        accessibility.Disconnect();
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

void OrvexMsgBox::OnKeyDown(HWND window, std::uint32_t key) noexcept
{
    if (!answered) {
        const std::int32_t focusedBefore = input.focusedIndex;
        Apply(window, KeyDownRule(input, key, style, buttonCount));
        AnnounceFocusMove(window, focusedBefore);
    }
}

void OrvexMsgBox::OnKeyUp(HWND window, std::uint32_t key) noexcept
{
    if (!answered) {
        Apply(window, KeyUpRule(input, key, buttons, buttonCount));
    }
}

void OrvexMsgBox::OnMouseMove(HWND window, std::uint32_t buttonFlags) noexcept
{
    if (answered || KeysHoldTheMouse()) {
        return;
    }
    Apply(window, MouseMoveRule(input, buttonFlags));
}

void OrvexMsgBox::OnLButtonDown(HWND window, std::int32_t x, std::int32_t y) noexcept
{
    if (answered || KeysHoldTheMouse()) {
        return;
    }
    const std::int32_t focusedBefore = input.focusedIndex;
    Apply(window, LButtonDownRule(input, buttons, buttonCount, x, y));
    AnnounceFocusMove(window, focusedBefore);
}

void OrvexMsgBox::OnLButtonUp(HWND window, std::int32_t x, std::int32_t y) noexcept
{
    if (answered || KeysHoldTheMouse()) {
        return;
    }
    Apply(window, LButtonUpRule(input, buttons, buttonCount, x, y));
}

void OrvexMsgBox::OnTimer(HWND window, UINT_PTR id) noexcept
{
    if (id != MSGBOX_TIMER_ID || answered) {
        return;
    }
    KillTimer(window, MSGBOX_TIMER_ID);
    Apply(window, TimeoutRule());
}

void OrvexMsgBox::OnDpiChanged(std::int32_t newDpi) noexcept
{
    // The box covers its monitor whatever rectangle the system suggests; at
    // the same size it still needs a layout for the new fonts.
    ApplyDpi(newDpi);
    measureBand = true;
    PlaceWindows();
    Layout();
}

void OrvexMsgBox::OnDisplayChange() noexcept
{
    // A monitor added, removed or at another resolution: the veil and the
    // band follow, and a box window of another size is laid out at WM_SIZE.
    FollowMonitors();
    PlaceWindows();
}

void OrvexMsgBox::OnThemeChange(HWND window) noexcept
{
    RefreshColors();
    InvalidateRect(window, nullptr, TRUE);
}

void OrvexMsgBox::Apply(HWND window, const InputOutcome& outcome) noexcept
{
    if (outcome.answered) {
        Answer(outcome.answer);
    } else if (outcome.repaint) {
        InvalidateRect(window, nullptr, TRUE);
    }
}

// A reader's default action answers like a click on that button; only the
// first of several counts.
void OrvexMsgBox::OnAccessiblePress(std::int32_t index) noexcept
{
    if (!answered && index >= 0 && index < buttonCount && index < kMaxButtons) {
        Answer(buttons[index].id);
    }
}

void OrvexMsgBox::AnnounceFocusMove(HWND window, std::int32_t focusedBefore) noexcept
{
    if (!answered && input.focusedIndex != focusedBefore) {
        RaiseFocus(window, input.focusedIndex);
    }
}

// The loop ends after the message that answered; Show then destroys the
// windows.
void OrvexMsgBox::Answer(std::int32_t answer) noexcept
{
    result = answer;
    answered = true;
}

// Draws what the layout holds; the layout is made when the window is
// created and when its screen changes, never here, so a paint of part of the
// window paints exactly that part of the same picture.
void OrvexMsgBox::Paint(HWND window) noexcept
{
    const PaintPass paint(window);
    const BoxRect& band = layout.band;
    RECT unused{};
    const RECT bandRect = ToRect(band);
    if (IntersectRect(&unused, &bandRect, &paint.Update()) == FALSE) {
        return;
    }
    // A mirrored window's band is drawn at its mirrored places into a plain
    // bitmap and copied without mirroring: a copy into a mirrored context
    // would reflect the text and the icon along with the places.
    const bool mirrored = (GetLayout(paint.Dc()) & LAYOUT_RTL) != 0;
    if (mirrored) {
        SetLayout(paint.Dc(), 0);
    }
    // The whole band is drawn off screen and copied in one transfer, which
    // the paint's clipping keeps to the part being repainted.
    const UniqueMemoryDc memory(CreateCompatibleDC(paint.Dc()));
    const UniqueGdiObject bitmap(CreateCompatibleBitmap(paint.Dc(), band.right - band.left, band.bottom - band.top));
    const UniqueSelection selectedBitmap = SelectInto(memory.Get(), bitmap.Get());
    SetWindowOrgEx(memory.Get(), band.left, band.top, nullptr);

    FillSolid(memory.Get(), bandRect, colors.bandColor);
    DrawTexts(memory.Get(), mirrored);
    for (std::int32_t i = 0; i < buttonCount && i < kMaxButtons; ++i) {
        DrawButton(memory.Get(), i, mirrored);
    }
    BitBlt(paint.Dc(), band.left, band.top, band.right - band.left, band.bottom - band.top, memory.Get(), band.left,
           band.top, SRCCOPY);
}

BoxRect OrvexMsgBox::Placed(const BoxRect& rect, bool mirrored) const noexcept
{
    return mirrored ? MirroredIn(rect, layout.band) : rect;
}

void OrvexMsgBox::DrawTexts(HDC dc, bool mirrored) noexcept
{
    // The background colour is still the band's, so no box shows behind text.
    SetTextColor(dc, colors.textColor);
    // Mirrored, the texts start at the column's right edge and still read
    // left to right.
    const UINT alignment = mirrored ? DT_RIGHT : DT_LEFT;
    {
        RECT captionLine = ToRect(Placed(layout.captionLine, mirrored));
        const UniqueSelection font = SelectInto(dc, titleFont.Get());
        DrawTextW(dc, caption, -1, &captionLine, kCaptionFormat | alignment);
    }
    if (icon && !layout.icon.IsEmpty()) {
        const BoxRect place = Placed(layout.icon, mirrored);
        DrawIconEx(dc, place.left, place.top, icon, iconWidth, iconHeight, 0, nullptr, DI_NORMAL | DI_NOMIRROR);
    }
    RECT message = ToRect(Placed(layout.message, mirrored));
    const UniqueSelection font = SelectInto(dc, textFont.Get());
    DrawTextW(dc, text, -1, &message, kTextFormat | alignment);
}

void OrvexMsgBox::DrawButton(HDC dc, std::int32_t index, bool mirrored) noexcept
{
    const MsgBoxButton& button = buttons[index];
    if (button.rect.IsEmpty()) {
        return;
    }
    const BoxRect place = Placed(button.rect, mirrored);

    bool pointerInside = false;
    if (index != input.pressedIndex) {
        // Hover is decided here, from where the pointer is now.
        POINT pointer{};
        if (GetCursorPos(&pointer) != FALSE) {
            MapWindowPoints(nullptr, hwndMsgBox, &pointer, 1);
            pointerInside = button.rect.Contains(pointer.x, pointer.y);
        }
    }
    const ButtonLook look = LookOfButton(colors, index, input.pressedIndex, pointerInside);
    const std::int32_t frame = look.wideFrame ? metrics.frame * 2 : metrics.frame;
    FillSolid(dc, ToRect(place), look.frame);
    RECT face = ToRect(Inset(place, frame));
    FillSolid(dc, face, look.face);
    if (input.focusVisible != 0 && index == input.focusedIndex) {
        const RECT focus = ToRect(Inset(place, frame + metrics.focusInset));
        DrawFocusRect(dc, &focus);
    }
    const UniqueSelection font = SelectInto(dc, textFont.Get());
    SetTextColor(dc, look.caption);
    DrawTextW(dc, button.caption, -1, &face, kButtonCaptionDraw);
}
