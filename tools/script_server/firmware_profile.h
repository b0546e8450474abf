#pragma once
// The simulated firmware behind the stand-in script server: what it answers
// to each notification code, and how the reply is shaped (failures, delays,
// sizes, raw texts, a reply cut short).
//
// Settings are lines of the form "NAME VALUE", the same on the command line
// (--NAME VALUE) and in the named profiles (one per line):
//   profile NAME           start from a named profile
//   answer CODE=V[,V...]   NotifycationReturnValue; successive calls take
//                          successive values, the last one repeats
//   delay CODE=MS          wait before answering
//   size CODE=BYTES        pad the reply to BYTES bytes with filler fields
//                          ahead of the answer
//   raw CODE=TEXT          send TEXT as the reply (\\ and \uXXXX escapes)
//   cut CODE=BYTES         send only the reply's first BYTES bytes, then
//                          close the connection once the client has read them
// CODE is a notification code or * for every code. answer and raw are a
// code's outcome: each replaces the outcome set before for the
// codes it names (* names every code, those set before included). A code's
// own delay, size and cut beat those of *. A code without any outcome fails as
// an unknown method parameter.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// HRESULTs that the simulated WMI side sends, in the signed form the
// server writes.
inline constexpr std::int32_t kWbemInvalidParameter = static_cast<std::int32_t>(0x80041008u);
inline constexpr std::int32_t kWbemInvalidMethodParameters = static_cast<std::int32_t>(0x8004102Fu);
inline constexpr std::uint32_t kMethodAction = 9;   // the action that runs OrvexNotify

struct CommandBehaviour {
    // The outcome: at most one of answers and rawReply is set.
    std::vector<std::uint32_t> answers;
    std::optional<std::wstring> rawReply;
    // The shape of the reply.
    std::optional<std::uint32_t> delayMilliseconds;
    std::optional<std::uint32_t> replyBytes;
    std::optional<std::uint32_t> cutAfterBytes;

    [[nodiscard]] bool HasOutcome() const noexcept
    {
        return !answers.empty() || rawReply.has_value();
    }
    void ClearOutcome() noexcept
    {
        answers.clear();
        rawReply.reset();
    }
};

struct FirmwareProfile {
    std::map<std::uint32_t, CommandBehaviour> byCode;
    CommandBehaviour everyCode;
};

// The named profiles: ready, legacy, not-ready, feature-off, unconfigured,
// state-unknown, refused, absent.
[[nodiscard]] const std::map<std::wstring_view, std::wstring_view>& NamedProfiles();

// Applies one setting. False with error filled when the name or value is
// not understood.
bool ApplyProfileSetting(FirmwareProfile& profile, std::wstring_view name, std::wstring_view value,
                         std::wstring& error, int depth = 0);

struct ComposedReply {
    std::wstring text;
    std::uint32_t delayMilliseconds = 0;
    bool closeAfterReply = false;   // the text was cut: the connection ends with it
};

// The reply to the callIndex-th (0-based) call with code.
[[nodiscard]] ComposedReply ComposeReply(const FirmwareProfile& profile, std::uint32_t code, std::size_t callIndex);

// The reply to a script that is not the notify script.
[[nodiscard]] std::wstring ComposeScriptError(std::uint32_t wrongAction);
