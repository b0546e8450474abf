#pragma once
// What a reply to the OrvexNotify script means for the caller: the call's
// result, the caller's value, and the failing action to log.
#include <cstdint>
#include <string>

#include "firmware/wmi_script_results.h"

// The result when the reply carries no readable WMIS_HRESULT, an empty
// reply included: E_FAIL, so that such a call is logged as a failure.
inline constexpr std::int32_t kNoResultInReply = static_cast<std::int32_t>(0x80004005u);

struct OrvexNotifyOutcome {
    std::int32_t result = kNoResultInReply;
    std::wstring actionIndex;   // WMIS_ActionIndex as sent, empty when missing
};

// Reads the result from WMIS_HRESULT and, whatever it is, stores
// NotifycationReturnValue into value when the reply carries a number there.
// Otherwise value keeps the caller's preset: the callers judge by value
// alone and treat their preset as "no answer".
[[nodiscard]] OrvexNotifyOutcome ReadOrvexNotifyReply(const WmiScriptResults& reply, std::uint32_t& value);
