// The one place that binds the program to this machine: the real firmware
// call, message box, shell and power platform, and the actions that hand
// them, with what start-up gathered, to the decisions.
#include "app/program/win32/wiring.h"

#include <windows.h>

#include "app/actions/config_tool_launch.h"
#include "app/actions/power_actions.h"
#include "app/actions/switch_flow.h"
#include "app/actions/taskbar_shortcut.h"
#include "app/actions/win32/windows_power_platform.h"
#include "app/actions/win32/windows_shell.h"
#include "firmware/win32/orvex_send_command.h"
#include "ground/win32/trace_log.h"
#include "ui/win32/orvex_msgbox.h"

namespace {

class PipeFirmware final : public FirmwareChannel {
public:
    std::int32_t SendCommand(std::uint32_t commandCode, std::uint32_t reserved,
                             std::uint32_t* value) noexcept override
    {
        return Orvex_SendCommand(commandCode, reserved, value);
    }
};

// One box for each question; it copies the captions of the run.
class ScreenBox final : public BoxShower {
public:
    explicit ScreenBox(const ButtonLabels& labels) noexcept : labels_(labels) {}

    std::int32_t Show(const wchar_t* text, const wchar_t* caption, std::uint32_t style,
                      std::int32_t timeoutSeconds) noexcept override
    {
        // The box lives for this question only; its destruction releases its
        // icon and fonts and unregisters its classes, also when Init failed.
        OrvexMsgBox box(labels_);
        if (box.Init() == 0) {
            return kIdNone;
        }
        return box.Show(text, caption, style, timeoutSeconds);
    }

private:
    const ButtonLabels& labels_;
};

class LoggedErrors final : public ErrorTrace {
public:
    void TraceError(const char* function, int line, const wchar_t* format, std::uint32_t value) noexcept override
    {
        TraceLog::Instance().Write(TRACE_ERROR, function, line, format, static_cast<unsigned>(value));
    }
};

class CompanionTool final : public ToolLauncher {
public:
    CompanionTool(const std::wstring& programFolder, Shell& shell) noexcept : folder_(programFolder), shell_(shell) {}

    int LaunchConfigTool() noexcept override { return ::LaunchConfigTool(folder_, shell_); }

private:
    const std::wstring& folder_;
    Shell& shell_;
};

int RunSwitch(SwitchFlow flow, const ProgramState& state) noexcept
{
    PipeFirmware firmware;
    ScreenBox box(state.labels);
    WindowsShell shell;
    CompanionTool tool(state.moduleDirectory, shell);
    LoggedErrors trace;
    return RunSwitchFlow(flow, firmware, box, tool, trace, state.showMsg, state.catalog);
}

// The actions that need this machine's power platform and the log, and
// nothing else.
int WithPowerPlatform(int (*action)(PowerPlatform&, ErrorTrace&) noexcept) noexcept
{
    WindowsPowerPlatform platform;
    LoggedErrors trace;
    return action(platform, trace);
}

}  // namespace

int DoS3(const ProgramState&) noexcept
{
    return WithPowerPlatform(DoS3);
}

int DoS4(const ProgramState&) noexcept
{
    return WithPowerPlatform(DoS4);
}

int DoS5(const ProgramState&) noexcept
{
    return WithPowerPlatform(DoS5);
}

int DoHybridShutdown(const ProgramState&) noexcept
{
    return WithPowerPlatform(DoHybridShutdown);
}

int DoShutdown(const ProgramState& state) noexcept
{
    WindowsPowerPlatform platform;
    ScreenBox box(state.labels);
    LoggedErrors trace;
    return DoShutdown(platform, box, trace, state.showMsg);
}

int DoReboot(const ProgramState& state) noexcept
{
    WindowsPowerPlatform platform;
    ScreenBox box(state.labels);
    LoggedErrors trace;
    return DoReboot(platform, box, trace, state.showMsg);
}

int DoTaskbarPin(const ProgramState& state) noexcept
{
    WindowsShell shell;
    return WriteAndDeleteShortcut(state.moduleDirectory, shell);
}

int DoTaskbarUnpin(const ProgramState& state) noexcept
{
    WindowsShell shell;
    return WriteAndDeleteShortcut(state.moduleDirectory, shell);
}

int LaunchConfigTool(const ProgramState& state) noexcept
{
    WindowsShell shell;
    return LaunchConfigTool(state.moduleDirectory, shell);
}

int DoSwitch(const ProgramState& state) noexcept
{
    return RunSwitch(SwitchFlow::Switch, state);
}

int DoSwitchNow(const ProgramState& state) noexcept
{
    return RunSwitch(SwitchFlow::SwitchNow, state);
}
