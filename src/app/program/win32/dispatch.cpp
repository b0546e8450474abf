#include "app/program/win32/dispatch.h"

#include <cstddef>

namespace {

using ActionOperation = int (*)(const ProgramState&) noexcept;

struct ActionRow {
    ProgramAction action;
    ActionOperation operation;
};

// Indexed by action number; action 0 has no operation.
constexpr ActionRow kActionTable[] = {
    {ProgramAction::None, nullptr},
    {ProgramAction::S3, DoS3},
    {ProgramAction::S4, DoS4},
    {ProgramAction::S5, DoS5},
    {ProgramAction::Hybrid, DoHybridShutdown},
    {ProgramAction::Shutdown, DoShutdown},
    {ProgramAction::Reboot, DoReboot},
    {ProgramAction::TaskbarPin, DoTaskbarPin},
    {ProgramAction::TaskbarUnpin, DoTaskbarUnpin},
    {ProgramAction::Config, LaunchConfigTool},
    {ProgramAction::Switch, DoSwitch},
    {ProgramAction::SwitchNow, DoSwitchNow},
};

constexpr bool EachRowAtItsActionNumber() noexcept
{
    for (std::size_t row = 0; row < std::size(kActionTable); ++row) {
        if (static_cast<std::size_t>(kActionTable[row].action) != row) {
            return false;
        }
    }
    return true;
}

static_assert(EachRowAtItsActionNumber(), "a row of the dispatch table stands at another action's number");
static_assert(std::size(kActionTable) == static_cast<std::size_t>(ProgramAction::SwitchNow) + 1,
              "every action number up to the last (SwitchNow) has its row");

}  // namespace

int RunProgramAction(ProgramAction action, const ProgramState& state) noexcept
{
    const auto number = static_cast<std::int32_t>(action);
    if (number <= 0 || number >= static_cast<std::int32_t>(std::size(kActionTable))) {
        return 1;
    }
    return kActionTable[number].operation(state);
}
