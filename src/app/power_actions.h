#pragma once
// The power-state actions: a capability test (sleep, hibernate, power-off
// and hybrid shutdown only), the shutdown privilege, the notice (shutdown and
// reboot only), then one power call. The platform is handed in.
#include <cstdint>

enum class PowerAction : std::uint8_t { S3, S4, S5, Hybrid, Shutdown, Reboot };

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

// ExitWindowsEx flags: the action's kind of end, always forced.
inline constexpr std::uint32_t kExitPowerOff = 0x0000000C;          // EWX_POWEROFF | EWX_FORCE
inline constexpr std::uint32_t kExitHybridShutdown = 0x00400005;    // EWX_HYBRID_SHUTDOWN | EWX_SHUTDOWN | EWX_FORCE
inline constexpr std::uint32_t kExitShutdown = 0x00000005;          // EWX_SHUTDOWN | EWX_FORCE
inline constexpr std::uint32_t kExitReboot = 0x00000006;            // EWX_REBOOT | EWX_FORCE
// SHTDN_REASON_FLAG_PLANNED, major and minor reason "other".
inline constexpr std::uint32_t kPlannedShutdownReason = 0x80000000;

inline constexpr wchar_t kShutdownPrivilege[] = L"SeShutdownPrivilege";

class PowerPlatform {
public:
    virtual ~PowerPlatform() = default;

    [[nodiscard]] virtual PowerCapabilities QueryCapabilities() noexcept = 0;
    [[nodiscard]] virtual PlatformCallResult EnablePrivilege(const wchar_t* privilegeName) noexcept = 0;
    [[nodiscard]] virtual PlatformCallResult RequestSuspend(bool hibernate, bool force,
                                                            bool wakeupEventsDisabled) noexcept = 0;
    [[nodiscard]] virtual PlatformCallResult RequestExitWindows(std::uint32_t flags, std::uint32_t reason) noexcept = 0;
    virtual void ShowShutdownNotice() noexcept = 0;
    // One ERROR record; format takes the last-error code as its one value.
    virtual void TraceError(const char* function, int line, const wchar_t* format, std::uint32_t lastError) noexcept = 0;
};

// Runs the action and returns the exit code: 0 when the power call was
// accepted, 1 otherwise (with one ERROR record naming the action).
[[nodiscard]] int RunPowerAction(PowerAction action, PowerPlatform& platform) noexcept;
