// A reply of any UTF-16LE bytes, read through the buffer in passes (the
// first byte says after how many reads the message ends early), then read
// as the outcome of a notify call. No read may ask for nothing or for more
// than the buffer holds.
#include <cstdint>
#include <algorithm>
#include <cstdlib>

#include "../../unit/firmware/message_source.h"
#include "firmware/orvex_notify_reply.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::wstring reply;
    for (std::size_t i = 1; i + 1 < size; i += 2) {
        reply += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
    }
    MessageSource source(reply, size > 0 && data[0] < 128 ? data[0] : SIZE_MAX);
    WmiScriptResults table;
    if (!ReceiveWmiScriptResultsFrom(source, &table) ||
        std::any_of(source.capacities.begin(), source.capacities.end(),
                    [](std::size_t capacity) { return capacity == 0 || capacity > kReplyBufferCharacters; })) {
        std::abort();
    }
    std::uint32_t value = 0x40000000;
    (void)ReadOrvexNotifyReply(table, value);
    return 0;
}
