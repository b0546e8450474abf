#pragma once
// Starting the companion configuration tool, which lives next to the
// program, through the shell. LaunchConfigTool itself is in actions.h.
#include <string>

// Starts the file with the shell's "open" verb in the file's own directory
// and returns at once; non-zero when the shell started it. No error dialog.
[[nodiscard]] int ShellOpen(const std::wstring& filePath) noexcept;

// The drive and directory of a path, with the trailing backslash ("C:\a\"
// for "C:\a\b.exe"). Empty when the directory part is longer than 255
// characters, which the program does not provide for.
[[nodiscard]] std::wstring GetDirectoryOfPath(const std::wstring& path);
