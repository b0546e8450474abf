#pragma once
// A message box's answers: the platform's values (IDOK, IDCANCEL, ...),
// and none when the box ended without one, as the platform's own
// MessageBox answers 0 when it fails. Only constants, so that the actions
// read them without linking the box.
#include <cstdint>

inline constexpr std::int32_t kIdNone = 0;
inline constexpr std::int32_t kIdOk = 1;
inline constexpr std::int32_t kIdCancel = 2;
inline constexpr std::int32_t kIdAbort = 3;
inline constexpr std::int32_t kIdRetry = 4;
inline constexpr std::int32_t kIdIgnore = 5;
inline constexpr std::int32_t kIdYes = 6;
inline constexpr std::int32_t kIdNo = 7;
inline constexpr std::int32_t kIdTryAgain = 10;
inline constexpr std::int32_t kIdContinue = 11;
