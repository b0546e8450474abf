#include "ui/msgbox_monitor.h"

#include <algorithm>

namespace {

std::int64_t OverlapArea(const BoxRect& a, const BoxRect& b) noexcept
{
    const std::int64_t width = std::int64_t{std::min(a.right, b.right)} - std::max(a.left, b.left);
    const std::int64_t height = std::int64_t{std::min(a.bottom, b.bottom)} - std::max(a.top, b.top);
    return width > 0 && height > 0 ? width * height : 0;
}

std::int32_t PrimaryOrFirst(const MonitorArea* monitors, std::int32_t count) noexcept
{
    for (std::int32_t i = 0; i < count; ++i) {
        if (monitors[i].primary) {
            return i;
        }
    }
    return count > 0 ? 0 : -1;
}

bool SameName(const wchar_t* a, const wchar_t* b) noexcept
{
    for (std::int32_t i = 0; i < kMonitorNameSize; ++i) {
        if (a[i] != b[i]) {
            return false;
        }
        if (a[i] == L'\0') {
            return true;
        }
    }
    return true;
}

}  // namespace

BoxRect VeilArea(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height,
                 std::int32_t primaryWidth, std::int32_t primaryHeight) noexcept
{
    if (width <= 0 || height <= 0) {
        return {0, 0, std::max(primaryWidth, 0), std::max(primaryHeight, 0)};
    }
    const auto edge = [](std::int32_t origin, std::int32_t size) noexcept {
        return static_cast<std::int32_t>(std::min<std::int64_t>(std::int64_t{origin} + size, INT32_MAX));
    };
    return {left, top, edge(left, width), edge(top, height)};
}

std::int32_t StartingMonitor(const MonitorArea* monitors, std::int32_t count, const BoxRect* foregroundWindow,
                             const BoxPoint* pointer) noexcept
{
    if (monitors == nullptr || count <= 0) {
        return -1;
    }
    count = std::min(count, kMaxMonitors);
    if (foregroundWindow != nullptr) {
        // As the platform assigns a window to a monitor: by the largest
        // overlap, the first of equals.
        std::int32_t best = -1;
        std::int64_t bestArea = 0;
        for (std::int32_t i = 0; i < count; ++i) {
            if (const std::int64_t area = OverlapArea(monitors[i].area, *foregroundWindow); area > bestArea) {
                best = i;
                bestArea = area;
            }
        }
        if (best >= 0) {
            return best;
        }
    }
    if (pointer != nullptr) {
        for (std::int32_t i = 0; i < count; ++i) {
            if (monitors[i].area.Contains(pointer->x, pointer->y)) {
                return i;
            }
        }
    }
    return PrimaryOrFirst(monitors, count);
}

std::int32_t RemainingMonitor(const MonitorArea* monitors, std::int32_t count, const wchar_t* name) noexcept
{
    if (monitors == nullptr || count <= 0) {
        return -1;
    }
    count = std::min(count, kMaxMonitors);
    if (name != nullptr && name[0] != L'\0') {
        for (std::int32_t i = 0; i < count; ++i) {
            if (SameName(monitors[i].name, name)) {
                return i;
            }
        }
    }
    return PrimaryOrFirst(monitors, count);
}
