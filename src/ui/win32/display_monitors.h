#pragma once
// What the platform reports about the desk: its monitors, the virtual
// screen, the window the user works in and the pointer.
#include <windows.h>

#include <cstdint>

#include "ui/msgbox_monitor.h"

struct DeskMonitors {
    MonitorArea monitors[kMaxMonitors];
    std::int32_t count = 0;
};

// The monitors in the platform's order; none when they cannot be listed.
[[nodiscard]] DeskMonitors ReadMonitors() noexcept;

// The virtual screen: every monitor, left of and above the primary too.
[[nodiscard]] BoxRect VirtualScreenArea() noexcept;

// The foreground window's rectangle, when there is one that marks a monitor
// (not the desktop or the shell's window, visible and not minimised).
[[nodiscard]] bool ForegroundWindowArea(BoxRect& area) noexcept;
