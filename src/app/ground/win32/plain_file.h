#pragma once
// Whether a name that the program writes or deletes is what it seems: a
// plain file with one name, in the folder that the name says. A planted
// link would otherwise take the write or the deletion somewhere else.
#include <windows.h>

#include <string>

// An open file that is no directory and no reparse point, has one link only,
// and whose final path lies directly in folder (a path with its trailing
// backslash, itself resolved to its final path).
[[nodiscard]] bool IsPlainFileIn(HANDLE file, const std::wstring& folder) noexcept;

// Nothing of that name exists (not even a link whose target is missing), or
// the name is such a plain file in the folder of the name itself.
[[nodiscard]] bool IsPlainFileOrAbsent(const std::wstring& path) noexcept;
