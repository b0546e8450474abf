#pragma once

// Enables a privilege, such as "SeShutdownPrivilege", in the process token.
// Non-zero on success, 0 on failure with the failing step's code as the
// thread's last error. A privilege that the user does not hold counts as
// success: the call that needs it fails later and reports it.
[[nodiscard]] int EnablePrivilege(const wchar_t* privilegeName) noexcept;
