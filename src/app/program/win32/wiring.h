#pragma once
// The process-wide objects and the actions that the command line selects,
// bound to this machine in wiring.cpp. Each action takes nothing and returns
// the process exit code.
#include <string>

#include "lang/win32/language_loader.h"

// Built before wWinMain in this order and destroyed in the reverse one: the
// language loader (and with it the base library's tables) goes first at
// exit, the module directory last.
extern std::wstring g_ModuleDirectory;
extern LanguageLoader g_LanguageLoader;

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
