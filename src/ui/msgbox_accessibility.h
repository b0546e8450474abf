#pragma once
// What a screen reader is told about a message box. The box is a dialog
// whose children are its buttons: child id 0 is the box itself, 1 to the
// button count the buttons, left to right in the layout. Roles, states and
// directions are the platform's Active Accessibility values.
#include <cstdint>

#include "ui/msgbox_button.h"
#include "ui/msgbox_input.h"

inline constexpr std::int32_t kChildSelf = 0;

inline constexpr std::int32_t kRoleDialog = 0x12;
inline constexpr std::int32_t kRolePushButton = 0x2B;

inline constexpr std::uint32_t kStateFocused = 0x4;
inline constexpr std::uint32_t kStatePressed = 0x8;
inline constexpr std::uint32_t kStateFocusable = 0x100000;

inline constexpr std::int32_t kNavUp = 1;
inline constexpr std::int32_t kNavDown = 2;
inline constexpr std::int32_t kNavLeft = 3;
inline constexpr std::int32_t kNavRight = 4;
inline constexpr std::int32_t kNavNext = 5;
inline constexpr std::int32_t kNavPrevious = 6;
inline constexpr std::int32_t kNavFirstChild = 7;
inline constexpr std::int32_t kNavLastChild = 8;

// Navigation that leads to no element, and a question that names no child
// of the box or no direction.
inline constexpr std::int32_t kNoChild = -1;
inline constexpr std::int32_t kBadChild = -2;

// Whether childId names the box or one of its buttons.
[[nodiscard]] bool IsBoxChild(std::int32_t childId, std::int32_t buttonCount) noexcept;

// The box is named by its caption, or by its text when the caption is empty
// (as the switch's confirmation has it); null counts as empty.
[[nodiscard]] const wchar_t* AccessibleBoxName(const wchar_t* caption, const wchar_t* text) noexcept;

[[nodiscard]] std::int32_t AccessibleRole(std::int32_t childId) noexcept;

// Every button can take the focus; the focused one has it while the box
// window has the keyboard focus, and the pressed one shows pressed.
[[nodiscard]] std::uint32_t AccessibleState(std::int32_t childId, const MsgBoxInput& input,
                                            bool windowFocused) noexcept;

// The button with the keyboard focus, or kNoChild while the box window does
// not have it.
[[nodiscard]] std::int32_t FocusedChild(const MsgBoxInput& input, bool windowFocused) noexcept;

// Where a direction leads from start: the buttons stand in one row, so up
// and down lead nowhere, and left and right follow the screen, which a
// mirrored box shows in the reverse order. The box's first and last children
// are its outer buttons; its siblings are not its business.
[[nodiscard]] std::int32_t NavigateChild(std::int32_t start, std::int32_t direction, std::int32_t buttonCount,
                                         bool mirrored) noexcept;

// Where the box window's client area lies on the screen. A mirrored window
// counts its client x from the right edge.
struct ClientOnScreen {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    bool mirrored = false;
};

[[nodiscard]] BoxRect RectOnScreen(const BoxRect& client, const ClientOnScreen& where) noexcept;
[[nodiscard]] BoxPoint PointInClient(std::int32_t screenX, std::int32_t screenY, const ClientOnScreen& where) noexcept;

// The button under a point of the client area, else the box itself.
[[nodiscard]] std::int32_t ChildAtPoint(const MsgBoxButton* buttons, std::int32_t buttonCount, std::int32_t x,
                                        std::int32_t y) noexcept;
