// Baseline of the firmware-path figure: the same five exchanges with the
// script server that the switch makes (17, 24, 16, 24, 20), with nothing
// around them: open, message mode, one write, one read, close. It loads the
// same system libraries as OrvexSwitcher.exe, so that both pay the same
// start-up.
#include <windows.h>

#include "same_imports.h"

#include <string>

namespace {

std::wstring ScriptFor(unsigned commandCode)
{
    return L"[100=root\\wmi,0,][101=4,3,0,][102=Select * from OrvexMethod,16,][200=-1,][401=__PATH,]"
           L"[104=OrvexMethod,OrvexNotify,][300=NotificationCode," +
           std::to_wstring(commandCode) +
           L",][300=NotifycationParmeter,0,][105=$(__PATH),0,][301=NotifycationReturnValue,]";
}

bool Exchange(unsigned commandCode)
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
    const std::wstring script = ScriptFor(commandCode);
    DWORD written = 0;
    char reply[4096];
    DWORD read = 0;
    const bool ok = SetNamedPipeHandleState(pipe, &mode, nullptr, nullptr) &&
                    WriteFile(pipe, script.data(), static_cast<DWORD>(script.size() * 2), &written, nullptr) &&
                    (ReadFile(pipe, reply, sizeof reply, &read, nullptr) || GetLastError() == ERROR_MORE_DATA);
    CloseHandle(pipe);
    return ok;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    if (g_sameImports[0] == nullptr) {
        return 1;
    }
    for (unsigned code : {17u, 24u, 16u, 24u, 20u}) {
        if (!Exchange(code)) {
            return 1;
        }
    }
    return 0;
}
