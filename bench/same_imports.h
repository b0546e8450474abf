#pragma once
// Makes a baseline program load the same system libraries as
// OrvexSwitcher.exe, so that both pay the same start-up. Each import is
// reached through a volatile pointer so that the linker keeps it.
#include <windows.h>
#include <objbase.h>
#include <powrprof.h>
#include <shellapi.h>

inline void* volatile g_sameImports[] = {
    reinterpret_cast<void*>(&GetSystemMetrics),   // user32
    reinterpret_cast<void*>(&CreateFontW),        // gdi32
    reinterpret_cast<void*>(&RegGetValueW),       // advapi32
    reinterpret_cast<void*>(&CommandLineToArgvW), // shell32
    reinterpret_cast<void*>(&CoInitialize),       // ole32
    reinterpret_cast<void*>(&GetPwrCapabilities), // powrprof
};
