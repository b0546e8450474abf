#pragma once
// The taskbar options write a shell shortcut to the program into the
// temporary-files directory and delete it again at once. DoTaskbarPin and
// DoTaskbarUnpin themselves are in actions.h.
#include <string>

// Saves a shell link at shortcutPath whose target and icon (index 0) are
// targetPath; 1 when the file was saved, 0 otherwise.
[[nodiscard]] int CreateShortcut(const std::wstring& shortcutPath, const std::wstring& targetPath) noexcept;

// Deletes the file outright (no recycle bin), silently; 1 when the shell
// reports success, 0 otherwise.
[[nodiscard]] int DeleteShellFile(const std::wstring& path) noexcept;

// The temporary-files directory with its trailing backslash; empty when it
// cannot be read.
[[nodiscard]] std::wstring GetTempDirectory();
