// The program defines the module directory with its other process-wide
// objects; the tests' own copy starts empty like the program's.
#include <string>

#include "app/module_path.h"

std::wstring g_ModuleDirectory;
