// A library an attacker plants beside the program as powrprof.dll (or as
// winlogon.exe, for its strings). Loaded, it leaves planted-library-ran.txt
// beside itself; it reports every power state supported and accepts every call.
#include <windows.h>

#include <powrprof.h>

#include <string>

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID)
{
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(self, path, MAX_PATH);
    if (reason == DLL_PROCESS_ATTACH && length != 0 && length < MAX_PATH) {
        std::wstring mark(path, length);
        mark.resize(mark.rfind(L'\\') + 1);
        CloseHandle(CreateFileW((mark + L"planted-library-ran.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                0, nullptr));
    }
    return TRUE;
}

extern "C" __declspec(dllexport) BOOLEAN WINAPI GetPwrCapabilities(PSYSTEM_POWER_CAPABILITIES capabilities)
{
    ZeroMemory(capabilities, sizeof *capabilities);
    capabilities->SystemS3 = capabilities->SystemS4 = capabilities->SystemS5 = capabilities->FastSystemS4 = TRUE;
    return TRUE;
}

extern "C" __declspec(dllexport) BOOLEAN WINAPI SetSuspendState(BOOLEAN, BOOLEAN, BOOLEAN)
{
    return TRUE;
}
