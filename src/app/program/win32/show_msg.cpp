#include <windows.h>

#include "app/program/win32/startup.h"

std::uint32_t ReadShowMsg() noexcept
{
    DWORD value = 0;
    DWORD size = sizeof value;
    // No view flag: a 64-bit program reads the native view.
    const LSTATUS status = RegGetValueW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Norlak\\NorlakPivra", L"ShowMsg",
                                        RRF_RT_DWORD, nullptr, &value, &size);
    return status == ERROR_SUCCESS ? value : 0;
}
