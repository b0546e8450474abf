#pragma once
// One reply handed out as a message-mode pipe does: each read takes what fits
// and says whether more is left; reads past failAfter bring nothing. The
// capacity of every read is kept.
#include <string>
#include <vector>

#include "firmware/receive_wmi_script_results.h"

struct MessageSource final : ReplySource {
    MessageSource(std::wstring text, std::size_t failAfterReads) : message(std::move(text)), failAfter(failAfterReads) {}
    ReplyRead Read(wchar_t* into, std::size_t capacity) noexcept override
    {
        capacities.push_back(capacity);
        if (capacities.size() > failAfter) {
            return {};
        }
        const std::size_t count = message.copy(into, capacity, at);
        return at += count, ReplyRead{count, at < message.size()};
    }
    std::wstring message;
    std::size_t failAfter, at = 0;
    std::vector<std::size_t> capacities;
};
