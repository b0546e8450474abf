#include <windows.h>

#include "app/program/fill_button_labels.h"
#include "app/program/win32/dispatch.h"
#include "app/program/win32/startup.h"
#include "app/program/win32/wiring.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    // Libraries that the program loads from here on come from the system
    // folder only, never from the program's own folder (often Downloads).
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    g_LanguageLoader.LanguageLoader_Load();
    FillButtonLabels(g_StringCatalog, g_ButtonLabels);
    g_ModuleDirectory = GetModuleDirectory(instance);
    // The registry comes first so that "-nomsg" always wins over it.
    g_ShowMsg = ReadShowMsg();
    const ProgramAction action = GetParameters();
    return RunProgramAction(action);
}
