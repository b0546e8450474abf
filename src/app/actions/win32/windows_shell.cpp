#include "app/actions/win32/windows_shell.h"

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <memory>
#include <new>

#include "ground/directory_of_path.h"
#include "ground/win32/com_apartment.h"
#include "ground/win32/com_library.h"
#include "ground/win32/plain_file.h"
#include "ground/win32/unique_handle.h"

int WindowsShell::Open(const std::wstring& filePath) noexcept
{
    try {
        const std::wstring directory = DirectoryOfPath(filePath);
        SHELLEXECUTEINFOW info = {};
        info.cbSize = sizeof info;
        // The program ends right after the call: the shell finishes the
        // launch before it returns, also one it would carry out in the
        // background (DDE, an extension's thread).
        info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
        info.hwnd = nullptr;
        info.lpVerb = L"open";
        info.lpFile = filePath.c_str();
        info.lpParameters = nullptr;
        info.lpDirectory = directory.c_str();
        info.nShow = SW_SHOWNORMAL;
        // The shell may hand the open to an extension that COM activates,
        // some only in a single-threaded apartment.
        const ComApartment apartment;
        const BOOL started = ShellExecuteExW(&info);
        if (!started) {
            // The shell's reason is not reported: the caller only learns that
            // nothing was started.
            return 0;
        }
        // Nothing waits for the tool; the handle is closed at once. This
        // program has no window then, so the system would keep the tool's
        // window behind the one in front: the tool may take the front, as
        // far as this program may (a launch through DDE gives no process).
        const UniqueKernelObject process(info.hProcess);
        if (const DWORD tool = process ? GetProcessId(process.Get()) : 0; tool != 0) {
            AllowSetForegroundWindow(tool);
        }
        return started;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

std::wstring WindowsShell::TempDirectory() noexcept
{
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = GetTempPathW(MAX_PATH, buffer);
    // Above the buffer's size the result is the size needed, not a path.
    if (length == 0 || length >= MAX_PATH) {
        return {};
    }
    try {
        return std::wstring(buffer, length);
    } catch (const std::bad_alloc&) {
        return {};
    }
}

int WindowsShell::SaveShortcut(const std::wstring& shortcutPath, const std::wstring& targetPath) noexcept
{
    // The apartment is left only after both interfaces have been released.
    const ComApartment apartment;
    ComPtr<IShellLinkW> link;
    HRESULT status = ComLibrary::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
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

bool WindowsShell::IsPlainFileOrAbsent(const std::wstring& path) noexcept
{
    return ::IsPlainFileOrAbsent(path);
}

int WindowsShell::DeleteShellFile(const std::wstring& path) noexcept
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
