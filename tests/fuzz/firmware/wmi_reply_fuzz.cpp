// The reply parser and the passes that feed it: the first byte chooses how
// the message is read, the rest is the reply's UTF-16LE bytes. Whatever the
// reply, every stored key is a non-empty text without "=", ";" or NUL, and
// every value holds no ";" or NUL.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "firmware/orvex_notify_reply.h"
#include "firmware/parse_wmi_script_results.h"
#include "firmware/receive_wmi_script_results.h"
#include "../utf16_input.h"

namespace {

// A message-mode pipe's reads, some of which may end the message early.
class FuzzSource final : public ReplySource {
public:
    FuzzSource(const std::wstring& message, std::size_t failAfter) : message_(message), failAfter_(failAfter) {}

    ReplyRead Read(wchar_t* into, std::size_t capacity) noexcept override
    {
        // No read for nothing, none beyond the buffer, none after the end.
        if (capacity == 0 || capacity > kReplyBufferCharacters || ended_) {
            std::abort();
        }
        if (reads_++ == failAfter_) {
            ended_ = true;
            return {};
        }
        const std::size_t count = std::min(capacity, message_.size() - at_);
        std::copy_n(message_.data() + at_, count, into);
        at_ += count;
        ended_ = at_ == message_.size();
        return {count, !ended_};
    }

private:
    const std::wstring& message_;
    std::size_t at_ = 0;
    std::size_t reads_ = 0;
    std::size_t failAfter_;
    bool ended_ = false;
};

void CheckTable(const WmiScriptResults& table, bool nulAllowed)
{
    for (const auto& [key, value] : table.Items()) {
        if (key.empty() || key.find_first_of(L"=;") != std::wstring::npos ||
            value.find(L';') != std::wstring::npos) {
            std::abort();
        }
        if (!nulAllowed && (key.find(L'\0') != std::wstring::npos || value.find(L'\0') != std::wstring::npos)) {
            std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    const std::uint8_t mode = data[0];
    const std::wstring reply = Utf16Input(data + 1, size - 1);

    // One text, with or without more to follow.
    WmiScriptResults direct;
    const bool moreFollows = (mode & 1) != 0;
    const std::wstring_view carried = ParseWmiScriptResults(direct, reply, moreFollows);
    if (!carried.empty() && (!moreFollows || carried.data() < reply.data() ||
                             carried.data() + carried.size() != reply.data() + reply.size())) {
        std::abort();
    }
    CheckTable(direct, true);

    // The whole message through the buffer, perhaps cut short after a few reads.
    const std::size_t failAfter = (mode & 2) != 0 ? (mode >> 2) : SIZE_MAX;
    FuzzSource source(reply, failAfter);
    WmiScriptResults received;
    if (!ReceiveWmiScriptResultsFrom(source, &received)) {
        std::abort();
    }
    CheckTable(received, false);

    std::uint32_t value = 0x40000000;
    (void)ReadOrvexNotifyReply(received, value);
    return 0;
}
