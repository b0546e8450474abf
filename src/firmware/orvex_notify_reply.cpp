#include "firmware/orvex_notify_reply.h"

#include <optional>

#include "firmware/decimal_number.h"
#include "firmware/orvex_notify_script.h"

OrvexNotifyOutcome ReadOrvexNotifyReply(const WmiScriptResults& reply, std::uint32_t& value)
{
    OrvexNotifyOutcome outcome;
    if (const std::optional<std::int32_t> result = ReadSignedDecimal(reply.Read(kResultKey))) {
        outcome.result = *result;
    }
    const std::wstring returned = reply.Read(kReturnValueKey);
    if (!returned.empty()) {
        if (const std::optional<std::uint32_t> number = ReadUnsignedDecimal(returned)) {
            value = *number;
        }
    }
    outcome.actionIndex = reply.Read(kActionIndexKey);
    return outcome;
}
