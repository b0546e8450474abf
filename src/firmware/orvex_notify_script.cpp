#include "firmware/orvex_notify_script.h"

#include <string>

WmiScript BuildOrvexNotifyScript(std::uint32_t commandCode)
{
    const std::wstring codeArgument = L"NotificationCode," + std::to_wstring(commandCode);
    WmiScript script;
    script.AddAction(100, L"root\\wmi,0");
    script.AddAction(101, L"4,3,0");
    script.AddAction(102, L"Select * from OrvexMethod,16");
    script.AddAction(200, L"-1");
    script.AddAction(401, L"__PATH");
    script.AddAction(104, L"OrvexMethod,OrvexNotify");
    script.AddAction(300, codeArgument);
    script.AddAction(300, L"NotifycationParmeter,0");
    script.AddAction(105, L"$(__PATH),0");
    script.AddAction(301, kReturnValueKey);
    return script;
}
