#pragma once
// The client side of the WMI Script Server's pipe: open, send one script,
// receive one reply. Each returns ERROR_SUCCESS or the system error code of
// the call that failed (also left as the thread's last error).
#include <windows.h>

#include "ground/win32/unique_handle.h"
#include "firmware/wmi_script.h"
#include "firmware/wmi_script_results.h"

inline constexpr wchar_t kScriptServerPipeName[] = L"\\\\.\\pipe\\OrvexScriptServer";
inline constexpr DWORD kPipeBusyWaitMilliseconds = 5000;

// Closes what pipe holds and connects it to the server, waiting for as long
// as every instance of the pipe stays busy and each wait succeeds.
[[nodiscard]] DWORD OpenScriptServerPipe(UniqueFileHandle& pipe) noexcept;

// Puts the connection into message read mode and writes the script's text
// in one write, UTF-16LE without byte-order mark or terminator.
[[nodiscard]] DWORD SendWmiScript(HANDLE pipe, const WmiScript& script) noexcept;

// Reads the reply message and parses it into table. Fails only without a
// table (ERROR_INVALID_PARAMETER); a failed or short read keeps what was
// parsed before.
[[nodiscard]] DWORD ReceiveWmiScriptResults(HANDLE pipe, WmiScriptResults* table) noexcept;
