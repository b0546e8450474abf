// Baseline of the start-up figure: a Win32 program that loads the same system
// libraries as OrvexSwitcher.exe and only returns 1.
#include <windows.h>

#include "same_imports.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    return g_sameImports[0] != nullptr ? 1 : 0;
}
