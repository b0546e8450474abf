#pragma once
// A UTF-8 to UTF-16 conversion with the contract of MultiByteToWideChar
// (code page 65001, flags 0, length -1) for builds without the platform:
// malformed bytes become U+FFFD, characters beyond the BMP surrogate pairs,
// one UTF-16 unit in each wchar_t whatever its width.
[[nodiscard]] int PortableUtf8ToWide(const char* text, wchar_t* buffer, int bufferUnits) noexcept;
