#pragma once
// The formatted-output services of a BaseLibTable (slots 1 to 5, 11 and 12).
// Users reach them through the table; the set-up fills the slots from here.
#include <cstdarg>
#include <cstddef>
#include <cstdint>

#include "baselib/base_lib_output.h"
#include "baselib/base_lib_table.h"

// Writes the formatted text to standard output; its length, 0 on failure.
std::uint32_t BaseLib_Print(BaseLibContext* pContext, const char* format, ...) noexcept;
// Formats into buffer when size >= length + 4; 1, or 0 with the buffer untouched.
std::uint32_t BaseLib_SPrint(BaseLibContext* pContext, char* buffer, std::int32_t size,
                             const char* format, ...) noexcept;
// As BaseLib_SPrint; the length, or kBaseLibFailed.
std::uint32_t BaseLib_VSPrint(BaseLibContext* pContext, char* buffer, std::int32_t size,
                              const char* format, va_list args) noexcept;
// Appends the formatted text to the file; 1 when every byte was written.
std::uint32_t BaseLib_FilePrint(BaseLibContext* pContext, const char* fileName, const char* format, ...) noexcept;
// Writes the formatted text to standard output, nothing when it is too long. Always 1.
std::uint32_t BaseLib_PrintMsg(BaseLibContext* pContext, const char* format, ...) noexcept;
// Writes the formatted wide text to standard output as UTF-8; its length in
// characters, 0 on failure.
std::uint32_t BaseLib_PrintW(BaseLibContext* pContext, const wchar_t* format, ...) noexcept;
// Formats into a wide buffer that has room for length + 4 characters (on
// Windows 2 × length + 8 bytes); the length, or kBaseLibFailed.
std::uint32_t BaseLib_SPrintW(BaseLibContext* pContext, wchar_t* buffer, std::int32_t sizeInBytes,
                              const wchar_t* format, ...) noexcept;
