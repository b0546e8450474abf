#include "ground/directory_of_path.h"
#include "ground/win32/module_file_path.h"
#include "app/program/win32/startup.h"

std::wstring GetModuleDirectory(HMODULE module)
{
    return DirectoryOfPath(ModuleFilePath(module));
}
