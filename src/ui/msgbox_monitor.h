#pragma once
// Which screen area the veil covers and which monitor the band is shown on,
// from what the platform reports about its monitors.
#include <cstdint>

#include "ui/msgbox_geometry.h"

// As many monitors as the box tells apart; a desk with more shows the band
// on one of these.
inline constexpr std::int32_t kMaxMonitors = 16;
// The platform's device names (\\.\DISPLAY1) are at most 32 characters with
// the terminating null.
inline constexpr std::int32_t kMonitorNameSize = 32;

struct MonitorArea {
    BoxRect area;   // in virtual-screen pixels, left or above the primary negative
    wchar_t name[kMonitorNameSize] = {};
    bool primary = false;
};

// The veil covers the virtual screen, every monitor's area, given by its
// origin and size; a size the platform could not give leaves the primary
// monitor's area at 0,0.
[[nodiscard]] BoxRect VeilArea(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height,
                               std::int32_t primaryWidth, std::int32_t primaryHeight) noexcept;

// The band's monitor when the box appears: the monitor that holds most of
// the foreground window (null: none, or one that marks no monitor, as the
// desktop), else the one under the pointer (null: unknown), else the
// primary, else the first. -1 only without monitors.
[[nodiscard]] std::int32_t StartingMonitor(const MonitorArea* monitors, std::int32_t count,
                                           const BoxRect* foregroundWindow, const BoxPoint* pointer) noexcept;

// The band's monitor after the monitors changed: the one of this name while
// it exists (perhaps at another size or place), else the primary, else the
// first. -1 only without monitors.
[[nodiscard]] std::int32_t RemainingMonitor(const MonitorArea* monitors, std::int32_t count,
                                            const wchar_t* name) noexcept;
