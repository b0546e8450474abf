// The switch flows on this machine: the real firmware call, the custom
// message box and the companion tool.
#include "app/records.h"
#include "app/switch_flow.h"
#include "app/win32/actions.h"
#include "app/win32/show_box.h"
#include "firmware/win32/orvex_send_command.h"

namespace {

int Run(SwitchFlow flow) noexcept
{
    // The boxes borrow their texts from a catalog copy held for the run.
    const StringCatalog catalog = g_StringCatalog;
    return RunSwitchFlow(flow, Orvex_SendCommand, ShowOrvexMsgBox, LaunchConfigTool, g_ShowMsg, catalog);
}

}  // namespace

int DoSwitch() noexcept
{
    return Run(SwitchFlow::Switch);
}

int DoSwitchNow() noexcept
{
    return Run(SwitchFlow::SwitchNow);
}
