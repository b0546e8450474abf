#pragma once
// What the power actions ask of the platform: the power-management calls,
// the process token and the notice caption.
#include <cstdint>
#include <string>

// The fields of the platform's SYSTEM_POWER_CAPABILITIES that the actions
// test, and the last-error code that stands after the query. A failed query
// leaves every field false.
struct PowerCapabilities {
    bool SystemS3 = false;
    bool SystemS4 = false;
    bool SystemS5 = false;
    bool FastSystemS4 = false;
    std::uint32_t LastError = 0;
};

// A platform call's success and, when it failed, the last-error code read
// right after it.
struct PlatformCallResult {
    bool Succeeded = false;
    std::uint32_t LastError = 0;
};

class PowerPlatform {
public:
    [[nodiscard]] virtual PowerCapabilities QueryCapabilities() noexcept = 0;
    [[nodiscard]] virtual PlatformCallResult EnablePrivilege(const wchar_t* privilegeName) noexcept = 0;
    [[nodiscard]] virtual PlatformCallResult RequestSuspend(bool hibernate, bool force,
                                                            bool wakeupEventsDisabled) noexcept = 0;
    [[nodiscard]] virtual PlatformCallResult RequestExitWindows(std::uint32_t flags,
                                                                std::uint32_t reason) noexcept = 0;
    // The caption of the shutdown notice; empty when it cannot be loaded.
    [[nodiscard]] virtual std::wstring NoticeCaption() noexcept = 0;

protected:
    ~PowerPlatform() = default;
};
