#pragma once
#include <windows.h>

#include <string>

// The full path of a module's file (null: the program's). Empty when it
// cannot be read, and also when it fills the whole buffer: the system then
// cuts it, and a cut path names another file or one of the folders above
// the real one.
[[nodiscard]] std::wstring ModuleFilePath(HMODULE module);
