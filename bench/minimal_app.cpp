// Baseline of the start-up figure: a Win32 program that starts as
// OrvexSwitcher.exe starts (the same system libraries imported, resolved and
// initialised by the loader; the stack canary seeded the same way) and only
// returns 1.
#include <windows.h>

#include "same_imports.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    return g_sameImports[0] != nullptr ? 1 : 0;
}
