#include "lang/win32/language_platform.h"

#include <windows.h>

namespace {

std::uint32_t SystemDefaultLocale() noexcept
{
    return GetSystemDefaultLCID();
}

constexpr LanguagePlatform kWin32Platform = {SystemDefaultLocale, Win32Utf8ToWide};

}  // namespace

int Win32Utf8ToWide(const char* text, wchar_t* buffer, int bufferUnits) noexcept
{
    // Flags 0: a malformed sequence becomes U+FFFD instead of failing.
    return MultiByteToWideChar(CP_UTF8, 0, text, -1, buffer, bufferUnits);
}

const LanguagePlatform& Win32LanguagePlatform() noexcept
{
    return kWin32Platform;
}
