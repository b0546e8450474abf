#pragma once
// Start-up: the steps that turn the process's command line, registry and
// path into the state the actions read.
#include <windows.h>

#include <cstdint>
#include <string>

#include "app/program/program_options.h"

// Reads the process command line; "-nomsg" clears g_ShowMsg on the way.
[[nodiscard]] ProgramAction GetParameters() noexcept;

// The folder of the module's file with its trailing backslash; empty when
// the path cannot be read whole.
[[nodiscard]] std::wstring GetModuleDirectory(HMODULE module);

// The message policy in the registry; 0 when it cannot be read as a DWORD.
[[nodiscard]] std::uint32_t ReadShowMsg() noexcept;

// The process-wide message policy: set by start-up, read by the wiring.
extern std::uint32_t g_ShowMsg;
