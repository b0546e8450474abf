// The process-wide objects that exist before wWinMain. Defined in one place so
// that they are built in this order and destroyed in the reverse one: the
// language loader (and with it the base library's tables) goes first at exit,
// the module directory last.
#include <string>

#include "app/module_path.h"
#include "lang/win32/language_loader.h"

std::wstring g_ModuleDirectory;
LanguageLoader g_LanguageLoader;
