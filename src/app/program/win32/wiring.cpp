// The one place that binds the program to this machine: the process-wide
// objects, the real firmware call, message box, shell and power platform,
// and the actions that hand them, with the process-wide records read once,
// to the decisions.
#include "app/program/win32/wiring.h"

#include <windows.h>

#include "app/actions/config_tool_launch.h"
#include "app/actions/power_actions.h"
#include "app/actions/switch_flow.h"
#include "app/actions/taskbar_shortcut.h"
#include "app/actions/win32/windows_power_platform.h"
#include "app/actions/win32/windows_shell.h"
#include "app/program/fill_button_labels.h"
#include "app/program/win32/startup.h"
#include "firmware/win32/orvex_send_command.h"
#include "ground/win32/trace_log.h"
#include "lang/win32/windows_language_platform.h"
#include "ui/win32/orvex_msgbox.h"

namespace {

const WindowsLanguagePlatform kLanguagePlatform;

}  // namespace

std::wstring g_ModuleDirectory;
LanguageLoader g_LanguageLoader(kLanguagePlatform);

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

int RunSwitch(SwitchFlow flow) noexcept
{
    PipeFirmware firmware;
    ScreenBox box(g_ButtonLabels);
    WindowsShell shell;
    CompanionTool tool(g_ModuleDirectory, shell);
    LoggedErrors trace;
    return RunSwitchFlow(flow, firmware, box, tool, trace, g_ShowMsg, g_StringCatalog);
}

}  // namespace

int DoS3() noexcept
{
    WindowsPowerPlatform platform;
    return DoS3(platform);
}

int DoS4() noexcept
{
    WindowsPowerPlatform platform;
    return DoS4(platform);
}

int DoS5() noexcept
{
    WindowsPowerPlatform platform;
    return DoS5(platform);
}

int DoHybridShutdown() noexcept
{
    WindowsPowerPlatform platform;
    return DoHybridShutdown(platform);
}

int DoShutdown() noexcept
{
    WindowsPowerPlatform platform;
    ScreenBox box(g_ButtonLabels);
    return DoShutdown(platform, box, g_ShowMsg);
}

int DoReboot() noexcept
{
    WindowsPowerPlatform platform;
    ScreenBox box(g_ButtonLabels);
    return DoReboot(platform, box, g_ShowMsg);
}

int DoTaskbarPin() noexcept
{
    WindowsShell shell;
    return WriteAndDeleteShortcut(g_ModuleDirectory, shell);
}

int DoTaskbarUnpin() noexcept
{
    WindowsShell shell;
    return WriteAndDeleteShortcut(g_ModuleDirectory, shell);
}

int LaunchConfigTool() noexcept
{
    WindowsShell shell;
    return LaunchConfigTool(g_ModuleDirectory, shell);
}

int DoSwitch() noexcept
{
    return RunSwitch(SwitchFlow::Switch);
}

int DoSwitchNow() noexcept
{
    return RunSwitch(SwitchFlow::SwitchNow);
}
