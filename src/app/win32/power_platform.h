#pragma once
// The power actions' platform: the power-management calls, the process
// token, the notice and the trace log of this machine.
#include "app/power_actions.h"

class Win32PowerPlatform final : public PowerPlatform {
public:
    [[nodiscard]] PowerCapabilities QueryCapabilities() noexcept override;
    [[nodiscard]] PlatformCallResult EnablePrivilege(const wchar_t* privilegeName) noexcept override;
    [[nodiscard]] PlatformCallResult RequestSuspend(bool hibernate, bool force,
                                                    bool wakeupEventsDisabled) noexcept override;
    [[nodiscard]] PlatformCallResult RequestExitWindows(std::uint32_t flags, std::uint32_t reason) noexcept override;
    void ShowShutdownNotice() noexcept override;
    void TraceError(const char* function, int line, const wchar_t* format, std::uint32_t lastError) noexcept override;
};
