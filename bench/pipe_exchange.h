#pragma once
// One exchange with the script server as the switch makes it: open the pipe
// (waiting while every instance is busy), message mode, one script written,
// one reply read, close. Shared by the baselines that stand for a path
// through the firmware.
#include <windows.h>

#include <cwchar>

// The script of one command, as the switch writes it.
#define ORVEX_BENCH_SCRIPT(code)                                                                                     \
    L"[100=root\\wmi,0,][101=4,3,0,][102=Select * from OrvexMethod,16,][200=-1,][401=__PATH,]"                     \
    L"[104=OrvexMethod,OrvexNotify,][300=NotificationCode," code                                                    \
    L",][300=NotifycationParmeter,0,][105=$(__PATH),0,][301=NotifycationReturnValue,]"

inline bool ExchangeWithScriptServer(const wchar_t* script)
{
    HANDLE pipe = INVALID_HANDLE_VALUE;
    for (;;) {
        pipe = CreateFileW(L"\\\\.\\pipe\\OrvexScriptServer", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           0, nullptr);
        if (pipe != INVALID_HANDLE_VALUE) {
            break;
        }
        if (GetLastError() != ERROR_PIPE_BUSY || !WaitNamedPipeW(L"\\\\.\\pipe\\OrvexScriptServer", 5000)) {
            return false;
        }
    }
    DWORD mode = PIPE_READMODE_MESSAGE;
    DWORD written = 0;
    char reply[4096];
    DWORD read = 0;
    const bool ok = SetNamedPipeHandleState(pipe, &mode, nullptr, nullptr) &&
                    WriteFile(pipe, script, static_cast<DWORD>(std::wcslen(script) * 2), &written, nullptr) &&
                    (ReadFile(pipe, reply, sizeof reply, &read, nullptr) || GetLastError() == ERROR_MORE_DATA);
    CloseHandle(pipe);
    return ok;
}
