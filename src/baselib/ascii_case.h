#pragma once
// The case fold of the names the program compares (options, reply keys):
// only the letters A to Z fold to a to z, every other character stays as it
// is, whatever the locale.

[[nodiscard]] constexpr wchar_t FoldAsciiCase(wchar_t c) noexcept
{
    return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}
