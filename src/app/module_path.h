#pragma once
// Paths next to the program file.
#include <string>
#include <string_view>

// The directory part of a path with its trailing backslash; the path
// unchanged when it holds no backslash.
[[nodiscard]] std::wstring DirectoryOfPath(std::wstring_view path);

// The program's directory.
extern std::wstring g_ModuleDirectory;
