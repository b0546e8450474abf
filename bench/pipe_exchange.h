#pragma once
// One exchange with the script server as the switch makes it: open the pipe
// (waiting while every instance is busy), message mode, one script written,
// one reply read, close. Shared by the baselines that stand for a path
// through the firmware.
#include <windows.h>

#include <string>

inline bool ExchangeWithScriptServer(unsigned commandCode)
{
    const std::wstring script =
        L"[100=root\\wmi,0,][101=4,3,0,][102=Select * from OrvexMethod,16,][200=-1,][401=__PATH,]"
        L"[104=OrvexMethod,OrvexNotify,][300=NotificationCode," +
        std::to_wstring(commandCode) +
        L",][300=NotifycationParmeter,0,][105=$(__PATH),0,][301=NotifycationReturnValue,]";
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
                    WriteFile(pipe, script.data(), static_cast<DWORD>(script.size() * 2), &written, nullptr) &&
                    (ReadFile(pipe, reply, sizeof reply, &read, nullptr) || GetLastError() == ERROR_MORE_DATA);
    CloseHandle(pipe);
    return ok;
}
