#pragma once
#include <cstdint>

// Shows one custom message box built from the process's button captions and
// returns its answer. When the box cannot be set up it is skipped and the
// answer is IDOK, so that the caller goes on as if OK had been pressed.
[[nodiscard]] std::int32_t ShowOrvexMsgBox(const wchar_t* text, const wchar_t* caption, std::uint32_t style,
                                           std::int32_t timeoutSeconds) noexcept;
