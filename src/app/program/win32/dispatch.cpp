#include "app/program/win32/dispatch.h"

#include "app/program/win32/wiring.h"

namespace {

using ActionOperation = int (*)() noexcept;

// Indexed by action number; action 0 has no operation.
constexpr ActionOperation kActionTable[] = {
    nullptr,       DoS3,         DoS4,           DoS5,
    DoHybridShutdown, DoShutdown, DoReboot,      DoTaskbarPin,
    DoTaskbarUnpin, LaunchConfigTool, DoSwitch, DoSwitchNow,
};

}  // namespace

int RunProgramAction(ProgramAction action) noexcept
{
    const auto number = static_cast<std::int32_t>(action);
    if (number <= 0 || number >= static_cast<std::int32_t>(std::size(kActionTable))) {
        return 1;
    }
    return kActionTable[number]();
}
