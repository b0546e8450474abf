#pragma once
// Start-up: the steps that turn the process's command line, registry and
// path into what the chosen action is handed.
#include <windows.h>

#include <cstdint>
#include <string>

#include "app/program/program_options.h"

// Reads the process command line; "-nomsg" sets showMsg, the message policy
// read from the registry, to 0 on the way.
[[nodiscard]] ProgramAction GetParameters(std::uint32_t& showMsg) noexcept;

// The folder of the module's file with its trailing backslash; empty when
// the path cannot be read whole.
[[nodiscard]] std::wstring GetModuleDirectory(HMODULE module);

// The message policy in the registry; 0 when it cannot be read as a DWORD.
[[nodiscard]] std::uint32_t ReadShowMsg() noexcept;
