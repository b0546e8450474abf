#include "app/ground/win32/plain_file.h"

#include <new>
#include <vector>

#include "app/ground/directory_of_path.h"
#include "app/ground/win32/unique_handle.h"

namespace {

// The final path of an open file or folder, as the system resolves every
// link on the way; empty when it cannot be read.
std::wstring FinalPath(HANDLE handle)
{
    const DWORD needed = GetFinalPathNameByHandleW(handle, nullptr, 0, FILE_NAME_NORMALIZED);
    if (needed == 0) {
        return {};
    }
    std::vector<wchar_t> buffer(needed + 1);
    const DWORD length = GetFinalPathNameByHandleW(handle, buffer.data(), needed + 1, FILE_NAME_NORMALIZED);
    if (length == 0 || length > needed) {
        return {};
    }
    return std::wstring(buffer.data(), length);
}

std::wstring FinalFolderPath(const std::wstring& folder)
{
    const UniqueFileHandle handle(CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!handle) {
        return {};
    }
    std::wstring path = FinalPath(handle.Get());
    if (!path.empty() && path.back() != L'\\') {
        path += L'\\';
    }
    return path;
}

bool SameText(const std::wstring& left, const std::wstring& right) noexcept
{
    return CompareStringOrdinal(left.c_str(), static_cast<int>(left.size()), right.c_str(),
                                static_cast<int>(right.size()), TRUE) == CSTR_EQUAL;
}

// Nothing in the folder answers to the name, a dangling link included.
bool NameIsFree(const std::wstring& path) noexcept
{
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    }
    FindClose(search);
    return false;
}

}  // namespace

bool IsPlainFileIn(HANDLE file, const std::wstring& folder) noexcept
{
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(file, &information)) {
        return false;
    }
    constexpr DWORD kNotPlain = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
    if ((information.dwFileAttributes & kNotPlain) != 0 || information.nNumberOfLinks != 1) {
        return false;
    }
    try {
        // The checks above miss a link that the system does not report as a
        // reparse point (Wine's view of a host link); the final path does not.
        const std::wstring finalFolder = FinalFolderPath(folder);
        const std::wstring finalFile = FinalPath(file);
        return !finalFolder.empty() && SameText(DirectoryOfPath(finalFile), finalFolder);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool IsPlainFileOrAbsent(const std::wstring& path) noexcept
{
    if (NameIsFree(path)) {
        return true;
    }
    try {
        wchar_t fullPath[MAX_PATH] = {};
        const DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH, fullPath, nullptr);
        if (length == 0 || length >= MAX_PATH) {
            return false;
        }
        const UniqueFileHandle file(CreateFileW(fullPath, FILE_READ_ATTRIBUTES,
                                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                                OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
        return file && IsPlainFileIn(file.Get(), DirectoryOfPath(std::wstring_view(fullPath, length)));
    } catch (const std::bad_alloc&) {
        return false;
    }
}
