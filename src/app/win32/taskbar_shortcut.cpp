#include "app/win32/taskbar_shortcut.h"

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <memory>
#include <new>

#include "app/module_path.h"
#include "app/win32/actions.h"
#include "app/win32/com_apartment.h"
#include "app/win32/unique_handle.h"

namespace {

constexpr wchar_t kTargetName[] = L"OrvexSwitcher.exe";
constexpr wchar_t kShortcutName[] = L"OrvexSwitcher.lnk";

int WriteAndDeleteShortcut() noexcept
{
    try {
        // The fixed name, not the running program's file name.
        const std::wstring target = g_ModuleDirectory + kTargetName;
        // Without a temporary directory this is the bare name, relative to
        // the current directory.
        const std::wstring shortcut = GetTempDirectory() + kShortcutName;
        static_cast<void>(CreateShortcut(shortcut, target));
        static_cast<void>(DeleteShellFile(shortcut));
    } catch (...) {
    }
    return 1;
}

}  // namespace

int CreateShortcut(const std::wstring& shortcutPath, const std::wstring& targetPath) noexcept
{
    // The apartment is left only after both interfaces have been released.
    const ComApartment apartment;
    ComPtr<IShellLinkW> link;
    HRESULT status = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                      reinterpret_cast<void**>(link.Put()));
    if (SUCCEEDED(status)) {
        static_cast<void>(link.Get()->SetPath(targetPath.c_str()));
        static_cast<void>(link.Get()->SetIconLocation(targetPath.c_str(), 0));
        ComPtr<IPersistFile> file;
        status = link.Get()->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Put()));
        if (SUCCEEDED(status)) {
            status = file.Get()->Save(shortcutPath.c_str(), TRUE);
        }
    }
    return status == S_OK ? 1 : 0;
}

int DeleteShellFile(const std::wstring& path) noexcept
{
    // The shell takes a list of names, each ended by a NUL, the list by a
    // second one.
    const std::size_t length = path.size();
    const std::unique_ptr<wchar_t[]> list(new (std::nothrow) wchar_t[length + 2]);
    if (!list) {
        return 0;
    }
    std::copy(path.begin(), path.end(), list.get());
    list[length] = L'\0';
    list[length + 1] = L'\0';

    SHFILEOPSTRUCTW operation = {};
    operation.hwnd = nullptr;
    operation.wFunc = FO_DELETE;
    operation.pFrom = list.get();
    operation.pTo = nullptr;
    // No FOF_ALLOWUNDO: deleted outright, and the user sees no dialog.
    operation.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR | FOF_NOERRORUI;
    operation.lpszProgressTitle = nullptr;
    return SHFileOperationW(&operation) == 0 ? 1 : 0;
}

std::wstring GetTempDirectory()
{
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = GetTempPathW(MAX_PATH, buffer);
    // Above the buffer's size the result is the size needed, not a path.
    if (length == 0 || length >= MAX_PATH) {
        return {};
    }
    return std::wstring(buffer, length);
}

int DoTaskbarPin() noexcept
{
    return WriteAndDeleteShortcut();
}

int DoTaskbarUnpin() noexcept
{
    return WriteAndDeleteShortcut();
}
