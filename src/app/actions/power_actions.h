#pragma once
// The power-state actions: a capability test (sleep, hibernate, power-off
// and hybrid shutdown only), the shutdown privilege, the notice (shutdown and
// reboot only), then one power call. Each returns the exit code: 0 when the
// power call was accepted, 1 otherwise, with one ERROR record that names the
// action and the line where it runs its steps.
#include <cstdint>

#include "app/actions/box_shower.h"
#include "app/actions/error_trace.h"
#include "app/actions/power_platform.h"

// ExitWindowsEx flags: the action's kind of end, always forced.
inline constexpr std::uint32_t kExitPowerOff = 0x0000000C;          // EWX_POWEROFF | EWX_FORCE
inline constexpr std::uint32_t kExitHybridShutdown = 0x00400005;    // EWX_HYBRID_SHUTDOWN | EWX_SHUTDOWN | EWX_FORCE
inline constexpr std::uint32_t kExitShutdown = 0x00000005;          // EWX_SHUTDOWN | EWX_FORCE
inline constexpr std::uint32_t kExitReboot = 0x00000006;            // EWX_REBOOT | EWX_FORCE
// SHTDN_REASON_FLAG_PLANNED, major and minor reason "other".
inline constexpr std::uint32_t kPlannedShutdownReason = 0x80000000;

inline constexpr wchar_t kShutdownPrivilege[] = L"SeShutdownPrivilege";

[[nodiscard]] int DoS3(PowerPlatform& platform, ErrorTrace& trace) noexcept;
[[nodiscard]] int DoS4(PowerPlatform& platform, ErrorTrace& trace) noexcept;
[[nodiscard]] int DoS5(PowerPlatform& platform, ErrorTrace& trace) noexcept;
[[nodiscard]] int DoHybridShutdown(PowerPlatform& platform, ErrorTrace& trace) noexcept;
// The notice shows only for the message policy showMsg 1.
[[nodiscard]] int DoShutdown(PowerPlatform& platform, BoxShower& box, ErrorTrace& trace,
                             std::uint32_t showMsg) noexcept;
[[nodiscard]] int DoReboot(PowerPlatform& platform, BoxShower& box, ErrorTrace& trace,
                           std::uint32_t showMsg) noexcept;
