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

class FuzzSource final : public ReplySource {
public:
    FuzzSource(const std::wstring& message, std::size_t failAfter) : message_(message), failAfter_(failAfter) {}
    ReplyRead Read(wchar_t* into, std::size_t capacity) noexcept override
    {
        if (capacity == 0 || capacity > kReplyBufferCharacters) {
            std::abort();   // no read for nothing, none beyond the buffer
        }
        if (reads_++ == failAfter_) {
            return {};
        }
        const std::size_t count = std::min(capacity, message_.size() - at_);
        std::copy_n(message_.data() + at_, count, into);
        at_ += count;
        return {count, at_ < message_.size()};
    }

private:
    const std::wstring& message_;
    std::size_t at_ = 0, reads_ = 0, failAfter_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    std::wstring reply;
    for (std::size_t i = 1; i + 1 < size; i += 2) {
        reply += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
    }
    FuzzSource source(reply, data[0] < 128 ? data[0] : SIZE_MAX);
    WmiScriptResults table;
    if (!ReceiveWmiScriptResultsFrom(source, &table)) {
        std::abort();
    }
    std::uint32_t value = 0x40000000;
    (void)ReadOrvexNotifyReply(table, value);
    return 0;
}
