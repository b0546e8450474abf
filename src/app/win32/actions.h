#pragma once
// The actions that the command line selects. Each takes nothing and returns
// the process exit code.

[[nodiscard]] int DoS3() noexcept;
[[nodiscard]] int DoS4() noexcept;
[[nodiscard]] int DoS5() noexcept;
[[nodiscard]] int DoHybridShutdown() noexcept;
[[nodiscard]] int DoShutdown() noexcept;
[[nodiscard]] int DoReboot() noexcept;
[[nodiscard]] int DoTaskbarPin() noexcept;
[[nodiscard]] int DoTaskbarUnpin() noexcept;
[[nodiscard]] int LaunchConfigTool() noexcept;
[[nodiscard]] int DoSwitch() noexcept;
[[nodiscard]] int DoSwitchNow() noexcept;
