#include "app/win32/config_tool_launch.h"

#include <windows.h>

#include <shellapi.h>

#include <cstdlib>
#include <cwchar>

#include "app/module_path.h"
#include "app/win32/actions.h"
#include "app/win32/unique_handle.h"

namespace {

constexpr wchar_t kConfigToolName[] = L"OrvexConfigTool.exe";
constexpr std::size_t kDriveSize = 3;
constexpr std::size_t kDirectorySize = 256;
constexpr std::size_t kJoinedSize = 260;

// The length of the directory part that _wsplitpath_s would return: from
// after the drive up to and including the last separator.
std::size_t DirectoryPartLength(const std::wstring& path) noexcept
{
    const std::size_t start = (path.size() >= 2 && path[1] == L':') ? 2 : 0;
    const std::size_t last = path.find_last_of(L"\\/");
    if (last == std::wstring::npos || last < start) {
        return 0;
    }
    return last + 1 - start;
}

}  // namespace

std::wstring GetDirectoryOfPath(const std::wstring& path)
{
    // A directory part that does not fit would make the CRT call its
    // invalid-parameter handler, which ends the process.
    if (DirectoryPartLength(path) >= kDirectorySize) {
        return {};
    }
    wchar_t drive[kDriveSize] = {};
    wchar_t directory[kDirectorySize] = {};
    if (_wsplitpath_s(path.c_str(), drive, kDriveSize, directory, kDirectorySize, nullptr, 0, nullptr, 0) != 0) {
        return {};
    }
    wchar_t joined[kJoinedSize] = {};
    swprintf_s(joined, kJoinedSize, L"%s%s", drive, directory);
    return joined;
}

int ShellOpen(const std::wstring& filePath) noexcept
{
    try {
        const std::wstring directory = GetDirectoryOfPath(filePath);
        SHELLEXECUTEINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
        info.hwnd = nullptr;
        info.lpVerb = L"open";
        info.lpFile = filePath.c_str();
        info.lpParameters = nullptr;
        info.lpDirectory = directory.c_str();
        info.nShow = SW_SHOWNORMAL;
        const BOOL started = ShellExecuteExW(&info);
        if (!started) {
            // The shell's reason is not reported: the caller only learns that
            // nothing was started.
            return 0;
        }
        // Nothing waits for the tool; the handle is closed at once.
        const UniqueKernelObject process(info.hProcess);
        return started;
    } catch (...) {
        return 0;
    }
}

int LaunchConfigTool() noexcept
{
    try {
        const std::wstring toolPath = g_ModuleDirectory + kConfigToolName;
        return ShellOpen(toolPath) != 0 ? 0 : 1;
    } catch (...) {
        return 1;
    }
}
