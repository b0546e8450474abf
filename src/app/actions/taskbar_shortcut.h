#pragma once
// The taskbar options write a shell shortcut to the program into the
// temporary-files folder and delete it again at once.
#include <string_view>

#include "app/actions/shell.h"

inline constexpr wchar_t kShortcutTargetName[] = L"OrvexSwitcher.exe";
inline constexpr wchar_t kShortcutName[] = L"OrvexSwitcher.lnk";

// Writes and deletes the shortcut to programFolder's OrvexSwitcher.exe and
// returns the options' exit code, always 1. Without a program folder, or
// when the name in the temporary folder is taken by anything but a plain
// file, no shortcut is written or deleted.
[[nodiscard]] int WriteAndDeleteShortcut(std::wstring_view programFolder, Shell& shell) noexcept;
