#include <windows.h>

#include "app/module_path.h"
#include "app/win32/startup.h"

std::wstring GetModuleDirectory(HMODULE module)
{
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
    if (length == 0) {
        return {};
    }
    return DirectoryOfPath(std::wstring_view(path, length));
}
