#include "app/program/program_options.h"

#include "baselib/ascii_case.h"

namespace {

struct OptionName {
    std::wstring_view name;
    ProgramAction action;
};

constexpr OptionName kOptions[] = {
    {L"-s3", ProgramAction::S3},
    {L"-s4", ProgramAction::S4},
    {L"-s5", ProgramAction::S5},
    {L"-hybrid", ProgramAction::Hybrid},
    {L"-shutdown", ProgramAction::Shutdown},
    {L"-reboot", ProgramAction::Reboot},
    {L"-taskbarpin", ProgramAction::TaskbarPin},
    {L"-taskbarunpin", ProgramAction::TaskbarUnpin},
    {L"-config", ProgramAction::Config},
    {L"-now", ProgramAction::SwitchNow},
};

constexpr std::wstring_view kNoMsgOption = L"-nomsg";

}  // namespace

bool EqualsIgnoringAsciiCase(std::wstring_view left, std::wstring_view right) noexcept
{
    if (left.size() != right.size()) {
        return false;
    }
    for (std::size_t i = 0; i < left.size(); ++i) {
        if (FoldAsciiCase(left[i]) != FoldAsciiCase(right[i])) {
            return false;
        }
    }
    return true;
}

ArgumentEffect ClassifyArgument(std::wstring_view argument) noexcept
{
    if (EqualsIgnoringAsciiCase(argument, kNoMsgOption)) {
        return {true, ProgramAction::None};
    }
    for (const OptionName& option : kOptions) {
        if (EqualsIgnoringAsciiCase(argument, option.name)) {
            return {false, option.action};
        }
    }
    return {false, ProgramAction::None};
}
