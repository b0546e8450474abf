#pragma once
// A string resource of any module as a wide string.
#include <windows.h>

#include <string>

// Empty when the module has no such string or memory runs out.
[[nodiscard]] std::wstring LoadResString(HMODULE module, UINT id) noexcept;
