#pragma once
#include <cstdint>

#include "ui/msgbox_answer.h"

// How an action shows a message box: text and caption (either may be null),
// the platform's style value and a timeout in seconds (-1: none). Returns
// the answer (kIdOk, kIdCancel, ...), or kIdNone when no answer came: the
// box could not be set up, or it was ended from outside before the user
// answered.
class BoxShower {
public:
    virtual std::int32_t Show(const wchar_t* text, const wchar_t* caption, std::uint32_t style,
                              std::int32_t timeoutSeconds) noexcept = 0;

protected:
    ~BoxShower() = default;
};

// The platform's message-box styles that the actions use.
inline constexpr std::uint32_t kBoxStyleOk = 0x00;                   // MB_OK
inline constexpr std::uint32_t kBoxStyleErrorOk = 0x10;              // MB_ICONHAND | MB_OK
inline constexpr std::uint32_t kBoxStyleInformationOkCancel = 0x41;  // MB_ICONASTERISK | MB_OKCANCEL
inline constexpr std::int32_t kBoxNoTimeout = -1;
