#pragma once

// Enables a privilege, such as "SeShutdownPrivilege", in the process token.
// Non-zero on success, 0 on failure with the failing step's code as the
// thread's last error. A privilege that the user does not hold is a
// failure too, with ERROR_NOT_ALL_ASSIGNED, so that the log names this step
// rather than the call that would need the privilege.
[[nodiscard]] int EnablePrivilege(const wchar_t* privilegeName) noexcept;
