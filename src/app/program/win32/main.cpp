#include <windows.h>

#include "app/program/fill_button_labels.h"
#include "app/program/win32/dispatch.h"
#include "app/program/win32/startup.h"
#include "lang/win32/language_loader.h"
#include "lang/win32/windows_language_platform.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    // Libraries that the program loads from here on come from the system
    // folder only, never from the program's own folder (often Downloads).
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    // The loader sets up the base library's tables in its load step and
    // tears them down, the reader first, when wWinMain returns.
    const WindowsLanguagePlatform languagePlatform;
    LanguageLoader languageLoader(languagePlatform);
    languageLoader.LanguageLoader_Load();
    ButtonLabels labels{};
    FillButtonLabels(g_StringCatalog, labels);
    // The registry comes first so that "-nomsg" always wins over it.
    ProgramState state{g_StringCatalog, labels, GetModuleDirectory(instance), ReadShowMsg()};
    const ProgramAction action = GetParameters(state.showMsg);
    return RunProgramAction(action, state);
}
