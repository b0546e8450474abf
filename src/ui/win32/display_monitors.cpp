#include "ui/win32/display_monitors.h"

#include <cwchar>

#include "ui/win32/rect_conversion.h"

namespace {

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) noexcept
{
    auto& desk = *reinterpret_cast<DeskMonitors*>(data);
    if (desk.count >= kMaxMonitors) {
        return FALSE;
    }
    MONITORINFOEXW info{};
    info.cbSize = sizeof info;
    // A monitor that went away between the listing and this call is left out.
    if (GetMonitorInfoW(monitor, &info) != FALSE) {
        MonitorArea& area = desk.monitors[desk.count++];
        area.area = ToBoxRect(info.rcMonitor);
        static_assert(kMonitorNameSize == CCHDEVICENAME);
        std::wcsncpy(area.name, info.szDevice, kMonitorNameSize - 1);
        area.primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
    }
    return TRUE;
}

}  // namespace

DeskMonitors ReadMonitors() noexcept
{
    DeskMonitors desk;
    if (EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&desk)) == FALSE &&
        desk.count < kMaxMonitors) {
        desk.count = 0;
    }
    return desk;
}

BoxRect VirtualScreenArea() noexcept
{
    return VeilArea(GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                    GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN),
                    GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

bool ForegroundWindowArea(BoxRect& area) noexcept
{
    const HWND window = GetForegroundWindow();
    if (window == nullptr || window == GetDesktopWindow() || window == GetShellWindow() ||
        IsWindowVisible(window) == FALSE || IsIconic(window) != FALSE) {
        return false;
    }
    RECT rect{};
    if (GetWindowRect(window, &rect) == FALSE) {
        return false;
    }
    area = ToBoxRect(rect);
    return true;
}
