#pragma once
// The power actions' platform on this machine: the power-management calls,
// the process token and the logon program's notice caption.
#include "app/actions/power_platform.h"
#include "ground/win32/system_library.h"

class WindowsPowerPlatform final : public PowerPlatform {
public:
    // Loads the power-management library from the system folder only.
    WindowsPowerPlatform() noexcept;

    [[nodiscard]] PowerCapabilities QueryCapabilities() noexcept override;
    [[nodiscard]] PlatformCallResult EnablePrivilege(const wchar_t* privilegeName) noexcept override;
    [[nodiscard]] PlatformCallResult RequestSuspend(bool hibernate, bool force,
                                                    bool wakeupEventsDisabled) noexcept override;
    [[nodiscard]] PlatformCallResult RequestExitWindows(std::uint32_t flags, std::uint32_t reason) noexcept override;
    [[nodiscard]] std::wstring NoticeCaption() noexcept override;

private:
    SystemLibrary powerManagement_;
};
