#pragma once
// The WMI script that calls the firmware's OrvexNotify method with one
// notification code, and the reply keys that carry its outcome.
#include <cstdint>
#include <string_view>

#include "firmware/wmi_script.h"

inline constexpr std::wstring_view kResultKey = L"WMIS_HRESULT";
inline constexpr std::wstring_view kActionIndexKey = L"WMIS_ActionIndex";
inline constexpr std::wstring_view kReturnValueKey = L"NotifycationReturnValue";

// Ten actions: connect to root\wmi, find the OrvexMethod instance and keep
// its __PATH, then run OrvexNotify on it with NotificationCode =
// commandCode and NotifycationParmeter = 0, and hand back
// NotifycationReturnValue. Only the command code differs between calls.
[[nodiscard]] WmiScript BuildOrvexNotifyScript(std::uint32_t commandCode);
