#pragma once
// Whether a name that the program writes or deletes is what it seems: a
// plain file with one name, in the folder that the name says. A planted
// link would otherwise take the write or the deletion somewhere else.
#include <windows.h>

#include <string>

// An open file that IsPlainFile accepts, with its final path checked against
// that of folder (a path with its trailing backslash) where both resolve.
[[nodiscard]] bool IsPlainFileIn(HANDLE file, const std::wstring& folder) noexcept;

// The folder of path can be opened, and nothing of that name exists in it
// (not even a link whose target is missing) or the name is such a plain file.
[[nodiscard]] bool IsPlainFileOrAbsent(const std::wstring& path) noexcept;

// Whether the open file is a reparse point (of any tag).
[[nodiscard]] bool IsReparsePoint(HANDLE file) noexcept;

// Which file a handle reaches: its volume's serial number and the file's
// identifier there. Two handles reach the same file when both are known and
// equal.
struct FileIdentity {
    bool Known = false;
    FILE_ID_INFO Id{};

    [[nodiscard]] bool operator==(const FileIdentity& other) const noexcept;
};

[[nodiscard]] FileIdentity IdentityOf(HANDLE file) noexcept;
