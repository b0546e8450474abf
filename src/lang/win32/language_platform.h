#pragma once
// The platform calls of the language load: the system's default locale and
// the UTF-8 to UTF-16 conversion.
#include "lang/catalog_loader.h"

// GetSystemDefaultLCID and MultiByteToWideChar (code page 65001, flags 0).
[[nodiscard]] const LanguagePlatform& Win32LanguagePlatform() noexcept;

// MultiByteToWideChar(CP_UTF8, 0, text, -1, buffer, bufferUnits).
[[nodiscard]] int Win32Utf8ToWide(const char* text, wchar_t* buffer, int bufferUnits) noexcept;
