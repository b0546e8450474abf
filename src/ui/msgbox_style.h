#pragma once
// What a message-box style word asks for. The values are the platform's
// message-box flags and answers; only the button set (the low four bits) and
// the icon (bits 4 to 7) are used, every other bit is ignored.
#include <cstdint>

#include "ui/button_labels.h"
#include "ui/msgbox_answer.h"

// One button of a set: its answer, the slot of ButtonLabels its caption
// comes from, and the User32 string that holds the platform's caption.
struct ButtonEntry {
    std::int32_t id;
    ButtonSlot slot;
    std::uint32_t systemStringId;
};

struct ButtonSet {
    std::int32_t count;
    ButtonEntry buttons[3];
};

// The buttons, left to right, for the low four bits of style. The
// retry/cancel set (5) and the values 7 to 15 give the single OK button,
// whose platform caption is string 905 rather than 800.
[[nodiscard]] ButtonSet ButtonSetOfStyle(std::uint32_t style) noexcept;

// The platform icon for bits 4 to 7 of style (hand 32513, question 32514,
// exclamation 32515, asterisk 32516); 0 for none.
[[nodiscard]] std::uint32_t IconIdOfStyle(std::uint32_t style) noexcept;

// Escape answers cancel only for the sets that the platform lets it close:
// OK, OK/Cancel, Yes/No/Cancel and Cancel/Try Again/Continue.
[[nodiscard]] bool EscapeAllowed(std::uint32_t style) noexcept;
