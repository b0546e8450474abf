#pragma once
// Reading one reply message in passes through a fixed buffer of 2048
// characters (4096 bytes on the wire), carrying the unparsed rest of each
// pass into the next.
#include <cstddef>

#include "firmware/wmi_script_results.h"

inline constexpr std::size_t kReplyBufferCharacters = 2048;

struct ReplyRead {
    std::size_t characters = 0;   // brought by this read; 0 ends the reading
    bool moreData = false;        // the message goes on beyond what was read
};

// Where a reply comes from: the pipe, or a test's script of reads.
class ReplySource {
public:
    // Reads at most capacity characters of the reply message into into.
    virtual ReplyRead Read(wchar_t* into, std::size_t capacity) noexcept = 0;

protected:
    ~ReplySource() = default;
};

// Empties table and fills it from the reply. False only when there is no
// table; a read that fails or ends early leaves what was parsed before.
[[nodiscard]] bool ReceiveWmiScriptResultsFrom(ReplySource& source, WmiScriptResults* table);
