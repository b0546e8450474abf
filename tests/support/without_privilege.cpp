// without_privilege.exe PRIVILEGE COMMAND-LINE: runs the command line with a
// token that lacks PRIVILEGE, as a standard user's token lacks
// SeShutdownPrivilege on a server edition, and exits with its exit code;
// 255 if it cannot.
#include <windows.h>

#include <string>

int wmain(int argc, wchar_t** argv)
{
    HANDLE own = nullptr;
    LUID_AND_ATTRIBUTES dropped{};
    if (argc != 3 || !OpenProcessToken(GetCurrentProcess(), TOKEN_ALL_ACCESS, &own) ||
        !LookupPrivilegeValueW(nullptr, argv[1], &dropped.Luid)) {
        return 255;
    }
    HANDLE restricted = nullptr;
    if (!CreateRestrictedToken(own, 0, 0, nullptr, 1, &dropped, 0, nullptr, &restricted)) {
        return 255;
    }
    std::wstring commandLine = argv[2];
    STARTUPINFOW startup{sizeof startup};
    PROCESS_INFORMATION process{};
    if (!CreateProcessAsUserW(restricted, nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                              &startup, &process)) {
        return 255;
    }
    DWORD exitCode = 255;
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    CloseHandle(restricted);
    CloseHandle(own);
    return static_cast<int>(exitCode);
}
