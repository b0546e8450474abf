// without_privilege.exe PRIVILEGE COMMAND-LINE: runs the command line with a
// token that lacks PRIVILEGE, as a standard user's token lacks
// SeShutdownPrivilege on a server edition, and exits with its exit code;
// 255 if it cannot.
#include <windows.h>

#include <string>

#include "ground/win32/unique_handle.h"

int wmain(int argc, wchar_t** argv)
{
    UniqueKernelObject own, restricted;
    LUID_AND_ATTRIBUTES dropped{};
    if (argc != 3 || !OpenProcessToken(GetCurrentProcess(), TOKEN_ALL_ACCESS, own.Put()) ||
        !LookupPrivilegeValueW(nullptr, argv[1], &dropped.Luid) ||
        !CreateRestrictedToken(own.Get(), 0, 0, nullptr, 1, &dropped, 0, nullptr, restricted.Put())) {
        return 255;
    }
    std::wstring commandLine = argv[2];
    STARTUPINFOW startup{sizeof startup};
    PROCESS_INFORMATION process{};
    if (!CreateProcessAsUserW(restricted.Get(), nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              nullptr, &startup, &process)) {
        return 255;
    }
    const UniqueKernelObject thread(process.hThread), child(process.hProcess);
    DWORD exitCode = 255;
    WaitForSingleObject(child.Get(), INFINITE);
    GetExitCodeProcess(child.Get(), &exitCode);
    return static_cast<int>(exitCode);
}
