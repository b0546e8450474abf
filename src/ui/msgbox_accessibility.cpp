#include "ui/msgbox_accessibility.h"

#include <algorithm>

bool IsBoxChild(std::int32_t childId, std::int32_t buttonCount) noexcept
{
    return childId >= kChildSelf && childId <= std::clamp(buttonCount, 0, kMaxButtons);
}

const wchar_t* AccessibleBoxName(const wchar_t* caption, const wchar_t* text) noexcept
{
    if (caption != nullptr && caption[0] != L'\0') {
        return caption;
    }
    return text != nullptr ? text : L"";
}

std::int32_t AccessibleRole(std::int32_t childId) noexcept
{
    return childId == kChildSelf ? kRoleDialog : kRolePushButton;
}

std::uint32_t AccessibleState(std::int32_t childId, const MsgBoxInput& input, bool windowFocused) noexcept
{
    if (childId == kChildSelf) {
        return kStateFocusable;
    }
    std::uint32_t state = kStateFocusable;
    if (childId == FocusedChild(input, windowFocused)) {
        state |= kStateFocused;
    }
    if (childId == input.pressedIndex + 1 && input.pressedIndex >= 0) {
        state |= kStatePressed;
    }
    return state;
}

std::int32_t FocusedChild(const MsgBoxInput& input, bool windowFocused) noexcept
{
    return windowFocused ? input.focusedIndex + 1 : kNoChild;
}

std::int32_t NavigateChild(std::int32_t start, std::int32_t direction, std::int32_t buttonCount,
                           bool mirrored) noexcept
{
    if (!IsBoxChild(start, buttonCount) || direction < kNavUp || direction > kNavLastChild) {
        return kBadChild;
    }
    const std::int32_t count = std::clamp(buttonCount, 0, kMaxButtons);
    if (start == kChildSelf) {
        if (count == 0) {
            return kNoChild;
        }
        if (direction == kNavFirstChild) {
            return 1;
        }
        return direction == kNavLastChild ? count : kNoChild;
    }
    std::int32_t step = 0;
    switch (direction) {
    case kNavNext:
        step = 1;
        break;
    case kNavPrevious:
        step = -1;
        break;
    case kNavRight:
        step = mirrored ? -1 : 1;
        break;
    case kNavLeft:
        step = mirrored ? 1 : -1;
        break;
    default:
        return kNoChild;   // up, down, and a button has no children
    }
    const std::int32_t target = start + step;
    return target >= 1 && target <= count ? target : kNoChild;
}

BoxRect RectOnScreen(const BoxRect& client, const ClientOnScreen& where) noexcept
{
    if (where.mirrored) {
        const std::int32_t rightEdge = where.left + where.width;
        return {rightEdge - client.right, where.top + client.top, rightEdge - client.left, where.top + client.bottom};
    }
    return {where.left + client.left, where.top + client.top, where.left + client.right, where.top + client.bottom};
}

BoxPoint PointInClient(std::int32_t screenX, std::int32_t screenY, const ClientOnScreen& where) noexcept
{
    // The pixel at screen x covers client x in a mirrored window, so the
    // point maps to the pixel's own left edge.
    const std::int32_t x = where.mirrored ? where.left + where.width - 1 - screenX : screenX - where.left;
    return {x, screenY - where.top};
}

std::int32_t ChildAtPoint(const MsgBoxButton* buttons, std::int32_t buttonCount, std::int32_t x,
                          std::int32_t y) noexcept
{
    return ButtonAt(buttons, buttonCount, x, y) + 1;   // -1, none, becomes the box itself
}
