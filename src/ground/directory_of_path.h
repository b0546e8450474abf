#pragma once
// The one rule for the folder of a file: everything up to and including the
// last backslash. A path without a backslash names no folder at all, so that
// nothing is ever built from a bare file name or an empty folder.
#include <string>
#include <string_view>

[[nodiscard]] std::wstring DirectoryOfPath(std::wstring_view path);
