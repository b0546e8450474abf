// Under Windows the tests convert with the platform, as the program does.
#include "lang/win32/windows_language_platform.h"
#include "../loader_rig.h"

namespace {

int PlatformUtf8ToWide(const char* text, wchar_t* buffer, int bufferUnits) noexcept
{
    return WindowsLanguagePlatform{}.Utf8ToWide(text, buffer, bufferUnits);
}

}  // namespace

TestUtf8Conversion TestUtf8ToWide() noexcept
{
    return PlatformUtf8ToWide;
}
