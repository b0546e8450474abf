#pragma once
// Starting the companion configuration tool, which lives next to the program.
#include <string_view>

#include "app/actions/shell.h"

inline constexpr wchar_t kConfigToolName[] = L"OrvexConfigTool.exe";

// Starts the tool from programFolder and returns at once: 0 when the shell
// started it, 1 when not. Without a program folder nothing is started.
[[nodiscard]] int LaunchConfigTool(std::wstring_view programFolder, Shell& shell) noexcept;
