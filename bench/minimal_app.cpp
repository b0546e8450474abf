// Baseline of the start-up figure: a Win32 program that loads the same system
// libraries as OrvexSwitcher.exe and only returns 1. Each import is reached
// through a volatile pointer so that the linker keeps it.
#include <windows.h>
#include <powrprof.h>
#include <objbase.h>
#include <shellapi.h>

namespace {

void* volatile g_keep[] = {
    reinterpret_cast<void*>(&GetSystemMetrics),   // user32
    reinterpret_cast<void*>(&CreateFontW),        // gdi32
    reinterpret_cast<void*>(&RegGetValueW),       // advapi32
    reinterpret_cast<void*>(&CommandLineToArgvW), // shell32
    reinterpret_cast<void*>(&CoInitialize),       // ole32
    reinterpret_cast<void*>(&GetPwrCapabilities), // powrprof
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    return g_keep[0] != nullptr ? 1 : 0;
}
