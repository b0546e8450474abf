#pragma once
// How keyboard, mouse and timer input turn into the state and the answer of
// a message box. The window procedure hands over what each message carries
// (which key, where the pointer is, which mouse buttons are down).
//
// A box is at rest (no button pressed), pressed (Enter or Space down, or the
// left button down on a button), or answered (released over the same button
// or by key). Tab, Escape while pressed, a release elsewhere and a pointer
// moved without the left button down bring it back to rest.
#include <cstdint>

#include "ui/msgbox_button.h"

inline constexpr std::uint32_t kKeyTab = 0x09;
inline constexpr std::uint32_t kKeyEnter = 0x0D;
inline constexpr std::uint32_t kKeyEscape = 0x1B;
inline constexpr std::uint32_t kKeySpace = 0x20;

// A mouse message's flag for its left button (MK_LBUTTON). The flags name
// the logical buttons: with swapped buttons the left one is the physical
// right, the one that pressed and holds a box button.
inline constexpr std::uint32_t kMouseLeftButton = 0x0001;

// The id of the box window's timeout timer.
inline constexpr std::uintptr_t MSGBOX_TIMER_ID = 172;

struct MsgBoxInput {
    std::int32_t focusedIndex = 0;
    std::int32_t pressedIndex = -1;   // -1: none
    std::int32_t focusVisible = 0;    // non-zero: the focused button shows the focus mark
};

struct InputOutcome {
    bool repaint = false;
    bool answered = false;
    std::int32_t answer = 0;   // when answered
    friend constexpr bool operator==(const InputOutcome&, const InputOutcome&) = default;
};

// Tab moves the focus right and round, shows the focus mark and drops a
// press; Enter and Space press the focused button; Escape drops a press or,
// without one, answers cancel where the style allows it. Other keys do
// nothing. A held key repeats its action.
[[nodiscard]] InputOutcome KeyDownRule(MsgBoxInput& input, std::uint32_t key, std::uint32_t style,
                                       std::int32_t buttonCount) noexcept;

// Releasing Enter or Space while a button is pressed answers the focused
// button, whichever key made the press.
[[nodiscard]] InputOutcome KeyUpRule(const MsgBoxInput& input, std::uint32_t key, const MsgBoxButton* buttons,
                                     std::int32_t buttonCount) noexcept;

// A pointer moved without the left button down (in the message's button
// flags) drops a press; the box repaints either way, so that the hover
// colour follows the pointer.
[[nodiscard]] InputOutcome MouseMoveRule(MsgBoxInput& input, std::uint32_t buttonFlags) noexcept;

// Pressing on a button focuses and presses it and hides the focus mark.
[[nodiscard]] InputOutcome LButtonDownRule(MsgBoxInput& input, const MsgBoxButton* buttons,
                                           std::int32_t buttonCount, std::int32_t x, std::int32_t y) noexcept;

// Releasing answers the pressed button when the pointer is still on it, and
// otherwise only drops the press.
[[nodiscard]] InputOutcome LButtonUpRule(MsgBoxInput& input, const MsgBoxButton* buttons,
                                         std::int32_t buttonCount, std::int32_t x, std::int32_t y) noexcept;

// The timeout answers OK whatever buttons the box shows.
[[nodiscard]] InputOutcome TimeoutRule() noexcept;

// The timer interval for a timeout in seconds: false for a negative one (no
// timer); a very long one is held at the platform's longest interval.
[[nodiscard]] bool TimeoutInterval(std::int32_t timeoutSeconds, std::uint32_t& milliseconds) noexcept;
