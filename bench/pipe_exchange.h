#pragma once
// One exchange with the script server as the switch makes it: open the pipe
// (waiting while every instance is busy), message mode, one script written,
// one reply read, close; then the record that the switch must write of
// every firmware answer. Shared by the baselines that stand for a path
// through the firmware.
#include <windows.h>

#include <cwchar>

// The script of one command, as the switch writes it.
#define ORVEX_BENCH_SCRIPT(code)                                                                                     \
    L"[100=root\\wmi,0,][101=4,3,0,][102=Select * from OrvexMethod,16,][200=-1,][401=__PATH,]"                     \
    L"[104=OrvexMethod,OrvexNotify,][300=NotificationCode," code                                                    \
    L",][300=NotifycationParmeter,0,][105=$(__PATH),0,][301=NotifycationReturnValue,]"

// The record of one answer, written as plainly as it can be: one line
// appended to ORVEXLOG.log beside the program, opened for that line alone
// and shared with no one, and the same line to the debugger.
inline void AppendRecord()
{
    static const char line[] =
        "[Dec  7 2026 05:00:00] [INFO][Orvex_SendCommand():47] 0x00000000 = OrvexNotify(0x00000011, 0x00000000).\r\n";
    static const wchar_t name[] = L"ORVEXLOG.log";
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    while (length > 0 && path[length - 1] != L'\\') {
        --length;
    }
    if (length == 0 || length + sizeof name / sizeof name[0] > MAX_PATH) {
        return;
    }
    for (const wchar_t character : name) {
        path[length++] = character;
    }
    const HANDLE log = CreateFileW(path, FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(log, line, sizeof line - 1, &written, nullptr);
        CloseHandle(log);
    }
    OutputDebugStringA(line);
}

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
    AppendRecord();
    return ok;
}
