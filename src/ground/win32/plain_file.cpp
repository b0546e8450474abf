#include "ground/win32/plain_file.h"

#include <cstring>
#include <new>
#include <vector>

#include "ground/directory_of_path.h"
#include "ground/plain_file_rule.h"
#include "ground/win32/unique_handle.h"

static_assert(IsReparseTagNameSurrogate(kReparseTagNameSurrogateBit) != 0 &&
              IsReparseTagNameSurrogate(~kReparseTagNameSurrogateBit) == 0);
static_assert(kAttributeDirectory == FILE_ATTRIBUTE_DIRECTORY &&
              kAttributeReparsePoint == FILE_ATTRIBUTE_REPARSE_POINT);

namespace {

// The final path of an open file or folder, as the system resolves every
// link on the way; empty when it cannot be read, as on volumes that have no
// drive letter and on many RAM disks (ERROR_INVALID_FUNCTION).
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

UniqueFileHandle OpenFolder(const std::wstring& folder) noexcept
{
    return UniqueFileHandle(CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

bool SameText(const std::wstring& left, const std::wstring& right) noexcept
{
    return CompareStringOrdinal(left.c_str(), static_cast<int>(left.size()), right.c_str(),
                                static_cast<int>(right.size()), TRUE) == CSTR_EQUAL;
}

// The attributes, tag and link count miss a link that the system does not
// report as a reparse point (Wine's view of a host link); the final path
// does not, where it can be read.
FinalPlace PlaceOf(HANDLE file, HANDLE folder)
{
    if (folder == INVALID_HANDLE_VALUE) {
        return FinalPlace::Unresolved;
    }
    std::wstring finalFolder = FinalPath(folder);
    const std::wstring finalFile = FinalPath(file);
    if (finalFolder.empty() || finalFile.empty()) {
        return FinalPlace::Unresolved;
    }
    if (finalFolder.back() != L'\\') {
        finalFolder += L'\\';
    }
    return SameText(DirectoryOfPath(finalFile), finalFolder) ? FinalPlace::InFolder : FinalPlace::Elsewhere;
}

bool IsPlainFileInFolder(HANDLE file, HANDLE folder) noexcept
{
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(file, &information)) {
        return false;
    }
    FileFacts facts;
    facts.attributes = information.dwFileAttributes;
    facts.linkCount = information.nNumberOfLinks;
    if ((information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        FILE_ATTRIBUTE_TAG_INFO tag{};
        if (!GetFileInformationByHandleEx(file, FileAttributeTagInfo, &tag, sizeof tag)) {
            return false;
        }
        facts.reparseTag = tag.ReparseTag;
    }
    try {
        facts.place = PlaceOf(file, folder);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return IsPlainFile(facts);
}

// Nothing in the folder answers to the name, a dangling link included.
bool NameIsFree(const wchar_t* path) noexcept
{
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(path, &found);
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
    return IsPlainFileInFolder(file, OpenFolder(folder).Get());
}

bool IsPlainFileOrAbsent(const std::wstring& path) noexcept
{
    try {
        wchar_t fullPath[MAX_PATH] = {};
        const DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH, fullPath, nullptr);
        if (length == 0 || length >= MAX_PATH) {
            return false;
        }
        // The folder is opened before anything is written into it, so that
        // the check after the write does not meet a folder it cannot open.
        const UniqueFileHandle folder = OpenFolder(DirectoryOfPath(std::wstring_view(fullPath, length)));
        if (!folder) {
            return false;
        }
        if (NameIsFree(fullPath)) {
            return true;
        }
        const UniqueFileHandle file(CreateFileW(fullPath, FILE_READ_ATTRIBUTES,
                                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                                OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
        return file && IsPlainFileInFolder(file.Get(), folder.Get());
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool IsReparsePoint(HANDLE file) noexcept
{
    FILE_BASIC_INFO basic{};
    return GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof basic) &&
           (basic.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

bool FileIdentity::operator==(const FileIdentity& other) const noexcept
{
    return Known && other.Known && Id.VolumeSerialNumber == other.Id.VolumeSerialNumber &&
           std::memcmp(Id.FileId.Identifier, other.Id.FileId.Identifier, sizeof Id.FileId.Identifier) == 0;
}

FileIdentity IdentityOf(HANDLE file) noexcept
{
    // FILE_ID_INFO holds ReFS's 128-bit identifiers, which the 64-bit file
    // index of GetFileInformationByHandle cuts short.
    FileIdentity identity;
    identity.Known = GetFileInformationByHandleEx(file, FileIdInfo, &identity.Id, sizeof identity.Id) != FALSE;
    if (!identity.Known) {
        BY_HANDLE_FILE_INFORMATION information{};
        if (GetFileInformationByHandle(file, &information)) {
            identity.Known = true;
            identity.Id.VolumeSerialNumber = information.dwVolumeSerialNumber;
            const ULONGLONG index = (ULONGLONG{information.nFileIndexHigh} << 32) | information.nFileIndexLow;
            std::memcpy(identity.Id.FileId.Identifier, &index, sizeof index);
        }
    }
    return identity;
}
