#pragma once
// Wide formatting over the platform's C library, whose wide conventions
// differ: the Windows runtime reads "%s" as a wide text, C99 as a narrow one.
// "%ls" means a wide text on both.
#include <cstdarg>
#include <cstddef>
#include <cstdio>

// Characters the format yields with these arguments, or -1 when it cannot
// be formatted. The arguments are left unread.
[[nodiscard]] int WideFormatLength(const wchar_t* format, va_list args) noexcept;

// Formats into `count` characters, the NUL included. Returns the characters
// written, or -1 when the result does not fit.
int WideFormat(wchar_t* buffer, std::size_t count, const wchar_t* format, va_list args) noexcept;

// Writes wide text to a byte stream as UTF-8, so that the stream stays
// byte-oriented on every platform. An unpaired surrogate becomes U+FFFD.
void WriteWideAsUtf8(std::FILE* stream, const wchar_t* text, std::size_t length) noexcept;
