#include "ground/trace_line.h"

#include <cstdint>

#include "ground/directory_of_path.h"

const char* TraceLevelName(int level) noexcept
{
    static constexpr const char* kNames[] = {"ERROR", "WARN", "INFO", "DEBUG"};
    return (level >= 0 && level <= 3) ? kNames[level] : "";
}

std::wstring LogPathForProgram(std::wstring_view programPath)
{
    std::wstring path = DirectoryOfPath(programPath);
    if (path.empty()) {
        return {};
    }
    path += kLogTag;
    path += L".log";
    if (path.size() + 1 > kLogPathSize) {
        return {};
    }
    return path;
}

LogOpenStep NextLogOpenStep(LogOpenStep failed, std::uint32_t error, std::uint64_t elapsedMs,
                            LogOpenLimits limits) noexcept
{
    // Past the wait every step ends, so that no pair of runs that create and
    // delete the file in turn can keep a third one going round.
    if (elapsedMs >= kLogWaitMs) {
        return LogOpenStep::Drop;
    }
    if (error == kErrorSharingViolation || error == kErrorLockViolation) {
        return limits.mayWait ? LogOpenStep::WaitThenOpen : LogOpenStep::Drop;
    }
    if (failed == LogOpenStep::Create) {
        return error == kErrorFileExists ? LogOpenStep::OpenTheirs : LogOpenStep::Drop;
    }
    if (failed != LogOpenStep::OpenTheirs && error == kErrorFileNotFound) {
        return limits.mayCreate ? LogOpenStep::Create : LogOpenStep::Drop;
    }
    return LogOpenStep::Drop;
}

std::string EncodeLogFileLine(std::wstring_view line)
{
    std::string bytes;
    bytes.reserve(line.size() + 2);
    for (const wchar_t c : line) {
        if (static_cast<unsigned long>(c) > 255) {
            break;
        }
        if (c == L'\n') {
            bytes += '\r';
        }
        bytes += static_cast<char>(static_cast<unsigned char>(c));
    }
    return bytes;
}

std::wstring EscapeForRecord(std::wstring_view text)
{
    static constexpr wchar_t kHex[] = L"0123456789abcdef";
    std::wstring escaped;
    escaped.reserve(text.size());
    for (const wchar_t c : text) {
        const auto code = static_cast<std::uint32_t>(c);
        const bool control = code < 0x20 || (code >= 0x7F && code <= 0x9F);
        if (control) {
            escaped += L"\\x";
            escaped += kHex[code >> 4];
            escaped += kHex[code & 0xF];
        } else if (code == 0x2028 || code == 0x2029) {
            escaped += L"\\u";
            for (int shift = 12; shift >= 0; shift -= 4) {
                escaped += kHex[(code >> shift) & 0xF];
            }
        } else {
            escaped += c;
        }
    }
    return escaped;
}
