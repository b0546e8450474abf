#include "ground/win32/system_library.h"

std::wstring SystemFilePath(const wchar_t* fileName)
{
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return {};
    }
    std::wstring path(folder, length);
    if (path.back() != L'\\') {
        path += L'\\';
    }
    return path + fileName;
}

SystemLibrary::SystemLibrary(const wchar_t* fileName, LibraryLifetime lifetime) noexcept
    : module_(LoadLibraryExW(fileName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32))
{
    if (!module_) {
        lastError_ = GetLastError();
        return;
    }
    if (lifetime == LibraryLifetime::Process) {
        // A pinned library ignores FreeLibrary, the owner's included.
        HMODULE pinned = nullptr;
        static_cast<void>(GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_PIN | GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                                             reinterpret_cast<LPCWSTR>(module_.Get()), &pinned));
    }
}

void* SystemLibrary::FindAddress(const char* functionName) noexcept
{
    if (!module_) {
        return nullptr;
    }
    const FARPROC address = GetProcAddress(module_.Get(), functionName);
    if (address == nullptr) {
        lastError_ = GetLastError();
    }
    return reinterpret_cast<void*>(address);
}
