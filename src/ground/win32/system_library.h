#pragma once
// Libraries and files of the system folder, named by their full path or
// searched there only: a file of the same name planted next to the program
// is never loaded.
#include <windows.h>

#include <string>

#include "ground/win32/unique_handle.h"

// The full path of a file in the system folder; empty when the folder
// cannot be read.
[[nodiscard]] std::wstring SystemFilePath(const wchar_t* fileName);

// How long a library loaded by SystemLibrary stays: as long as its owner,
// or, like an imported library, until the process ends (COM's libraries,
// whose own threads may run their code after the last call).
enum class LibraryLifetime { Owner, Process };

// A library from the system folder, loaded for the owner's lifetime.
class SystemLibrary {
public:
    explicit SystemLibrary(const wchar_t* fileName, LibraryLifetime lifetime = LibraryLifetime::Owner) noexcept;

    // The exported function, typed by its declaration (decltype of the
    // platform's own); null when the library or the function is missing,
    // with the reason in LastError().
    template <class Function>
    [[nodiscard]] Function* Find(const char* functionName) noexcept
    {
        return reinterpret_cast<Function*>(FindAddress(functionName));
    }

    [[nodiscard]] DWORD LastError() const noexcept { return lastError_; }

private:
    [[nodiscard]] void* FindAddress(const char* functionName) noexcept;

    UniqueModule module_;
    DWORD lastError_ = ERROR_SUCCESS;
};
