// Under Windows the tests convert with the platform, as the program does.
#include "lang/win32/language_platform.h"
#include "../loader_rig.h"

Utf8ToWideFn TestUtf8ToWide() noexcept
{
    return Win32Utf8ToWide;
}
