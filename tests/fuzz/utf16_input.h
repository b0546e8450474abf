#pragma once
// Fuzz input as UTF-16LE text: each pair of bytes one character, whatever
// its value (lone surrogates and NULs included); an odd last byte is dropped.
#include <cstddef>
#include <cstdint>
#include <string>

inline std::wstring Utf16Input(const std::uint8_t* data, std::size_t size)
{
    std::wstring text;
    text.reserve(size / 2);
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        text += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
    }
    return text;
}
