#pragma once
// The simulated firmware behind the stand-in script server: what it answers
// to each notification code, and how the reply is shaped (failures, delays,
// sizes, raw texts, a dropped connection).
//
// Settings are lines of the form "NAME VALUE", the same on the command line
// (--NAME VALUE) and in a profile file (one per line, # starts a comment):
//   profile NAME|FILE      start from a named profile or a profile file
//   answer CODE=V[,V...]   NotifycationReturnValue; successive calls take
//                          successive values, the last one repeats
//   fail CODE=HRESULT[@N]  WMIS_HRESULT (signed, or 0x hex) and
//                          WMIS_ActionIndex N (default 9), without a value
//   delay CODE=MS          wait before answering
//   size CODE=BYTES        pad the reply to BYTES bytes with filler fields
//                          ahead of the answer
//   raw CODE=TEXT          send TEXT as the reply (\\ and \uXXXX escapes)
//   close CODE             close the connection without answering
//   cut CODE=BYTES         send only the reply's first BYTES bytes, then
//                          close the connection once the client has read them
//   lower-case-keys        write the reply keys in lower case
// CODE is a notification code or * for every code. answer, fail, raw and
// close are a code's outcome: each replaces the outcome set before for the
// codes it names (* names every code, those set before included). A code's
// own delay, size and cut beat those of *. A code without any outcome fails as
// an unknown method parameter.
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// HRESULTs that the simulated WMI side sends, in the signed form the
// server writes.
inline constexpr std::int32_t kWbemNotFound = static_cast<std::int32_t>(0x80041002u);
inline constexpr std::int32_t kWbemInvalidParameter = static_cast<std::int32_t>(0x80041008u);
inline constexpr std::int32_t kWbemInvalidMethodParameters = static_cast<std::int32_t>(0x8004102Fu);
inline constexpr std::uint32_t kMethodAction = 9;   // the action that runs OrvexNotify

struct CommandBehaviour {
    // The outcome: at most one of answers, failure, rawReply and
    // closeWithoutReply is set.
    std::vector<std::uint32_t> answers;
    std::optional<std::int32_t> failure;
    std::optional<std::uint32_t> failingAction;
    std::optional<std::wstring> rawReply;
    bool closeWithoutReply = false;
    // The shape of the reply.
    std::optional<std::uint32_t> delayMilliseconds;
    std::optional<std::uint32_t> replyBytes;
    std::optional<std::uint32_t> cutAfterBytes;

    [[nodiscard]] bool HasOutcome() const noexcept
    {
        return !answers.empty() || failure.has_value() || rawReply.has_value() || closeWithoutReply;
    }
    void ClearOutcome() noexcept
    {
        answers.clear();
        failure.reset();
        failingAction.reset();
        rawReply.reset();
        closeWithoutReply = false;
    }
};

struct FirmwareProfile {
    std::map<std::uint32_t, CommandBehaviour> byCode;
    CommandBehaviour everyCode;
    bool lowerCaseKeys = false;
};

// The named profiles: ready, legacy, not-ready, feature-off, unconfigured,
// state-unknown, refused, absent.
[[nodiscard]] const std::map<std::wstring_view, std::wstring_view>& NamedProfiles();

// Reads a profile file's text (wide) for "profile FILE"; nothing when it
// cannot be read.
using ProfileFileReader = std::function<std::optional<std::wstring>(const std::wstring& path)>;

// Applies one setting. False with error filled when the name or value is
// not understood.
bool ApplyProfileSetting(FirmwareProfile& profile, std::wstring_view name, std::wstring_view value,
                         const ProfileFileReader& readFile, std::wstring& error, int depth = 0);

// Applies every line of a profile text.
bool ApplyProfileText(FirmwareProfile& profile, std::wstring_view text, const ProfileFileReader& readFile,
                      std::wstring& error, int depth = 0);

// True for settings that take no value (lower-case-keys).
[[nodiscard]] bool IsProfileFlag(std::wstring_view name) noexcept;

struct ComposedReply {
    std::wstring text;
    std::uint32_t delayMilliseconds = 0;
    bool closeWithoutReply = false;
    bool closeAfterReply = false;   // the text was cut: the connection ends with it
};

// The reply to the callIndex-th (0-based) call with code.
[[nodiscard]] ComposedReply ComposeReply(const FirmwareProfile& profile, std::uint32_t code, std::size_t callIndex);

// The reply to a script that is not the notify script.
[[nodiscard]] std::wstring ComposeScriptError(const FirmwareProfile& profile, std::uint32_t wrongAction);
