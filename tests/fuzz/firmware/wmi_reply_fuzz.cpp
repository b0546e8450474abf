// A reply of any UTF-16LE bytes, read through the buffer in passes (the
// first byte says after how many reads the message ends early), then read
// as the outcome of a notify call.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "firmware/orvex_notify_reply.h"
#include "firmware/receive_wmi_script_results.h"

namespace {

struct FuzzSource final : ReplySource {
    ReplyRead Read(wchar_t* into, std::size_t capacity) noexcept override
    {
        if (capacity == 0 || capacity > kReplyBufferCharacters) {
            std::abort();   // no read for nothing, none beyond the buffer
        }
        if (reads++ == failAfter) {
            return {};
        }
        const std::size_t count = std::min(capacity, message.size() - at);
        at += message.copy(into, count, at);
        return {count, at < message.size()};
    }
    std::wstring message;
    std::size_t failAfter, at = 0, reads = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    FuzzSource source;
    source.failAfter = data[0] < 128 ? data[0] : SIZE_MAX;
    for (std::size_t i = 1; i + 1 < size; i += 2) {
        source.message += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
    }
    WmiScriptResults table;
    if (!ReceiveWmiScriptResultsFrom(source, &table)) {
        std::abort();
    }
    std::uint32_t value = 0x40000000;
    (void)ReadOrvexNotifyReply(table, value);
    return 0;
}
