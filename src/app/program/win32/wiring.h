#pragma once
// The actions that the command line selects, bound to this machine in
// wiring.cpp. Each takes what start-up gathered and returns the process exit
// code.
#include <cstdint>
#include <string>

#include "lang/string_catalog.h"
#include "ui/button_labels.h"

// What start-up gathered, in its order: the catalog and the captions, the
// program's folder, and the message policy after the command line.
struct ProgramState {
    const StringCatalog& catalog;
    const ButtonLabels& labels;
    std::wstring moduleDirectory;  // empty when the path could not be read whole
    std::uint32_t showMsg;         // 0 after "-nomsg"
};

[[nodiscard]] int DoS3(const ProgramState& state) noexcept;
[[nodiscard]] int DoS4(const ProgramState& state) noexcept;
[[nodiscard]] int DoS5(const ProgramState& state) noexcept;
[[nodiscard]] int DoHybridShutdown(const ProgramState& state) noexcept;
[[nodiscard]] int DoShutdown(const ProgramState& state) noexcept;
[[nodiscard]] int DoReboot(const ProgramState& state) noexcept;
[[nodiscard]] int DoTaskbarPin(const ProgramState& state) noexcept;
[[nodiscard]] int DoTaskbarUnpin(const ProgramState& state) noexcept;
[[nodiscard]] int LaunchConfigTool(const ProgramState& state) noexcept;
[[nodiscard]] int DoSwitch(const ProgramState& state) noexcept;
[[nodiscard]] int DoSwitchNow(const ProgramState& state) noexcept;
