#include "lang/win32/windows_language_platform.h"

#include <windows.h>

std::uint32_t WindowsLanguagePlatform::SystemDefaultLocale() const noexcept
{
    return GetSystemDefaultLCID();
}

int WindowsLanguagePlatform::Utf8ToWide(const char* text, wchar_t* buffer, int bufferUnits) const noexcept
{
    // Flags 0: a malformed sequence becomes U+FFFD instead of failing.
    return MultiByteToWideChar(CP_UTF8, 0, text, -1, buffer, bufferUnits);
}
