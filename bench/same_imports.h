#pragma once
// Makes a baseline program import the same system libraries as
// OrvexSwitcher.exe, so that both pay the same start-up. COM and the power
// library are not among them: the program loads those at run time, only
// when a box, the shortcut or a power action needs them. Each import is
// reached through a volatile pointer so that the linker keeps it.
#include <windows.h>
#include <shellapi.h>

inline void* volatile g_sameImports[] = {
    reinterpret_cast<void*>(&GetSystemMetrics),   // user32
    reinterpret_cast<void*>(&CreateFontW),        // gdi32
    reinterpret_cast<void*>(&RegGetValueW),       // advapi32
    reinterpret_cast<void*>(&CommandLineToArgvW), // shell32
};
