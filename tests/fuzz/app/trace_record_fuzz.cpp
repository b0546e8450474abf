// A record's way into the log: the log path from a program path, outside
// text escaped for a record, and the record's bytes in the file. The input
// is UTF-16LE text (trace_record corpus).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/ground/trace_line.h"

namespace {

bool IsLineBreaking(wchar_t c) noexcept
{
    const auto code = static_cast<std::uint32_t>(c);
    return code < 0x20 || (code >= 0x7F && code <= 0x9F) || code == 0x2028 || code == 0x2029;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::wstring text;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        text += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
    }

    // The log lies in the program's folder and fits the platform's path size.
    const std::wstring logPath = LogPathForProgram(text);
    if (!logPath.empty() && (logPath.size() >= kLogPathSize || logPath.compare(0, logPath.size() - 12,
                                                                              text, 0, logPath.size() - 12) != 0 ||
                             logPath.substr(logPath.size() - 12) != L"ORVEXLOG.log")) {
        std::abort();
    }

    // Escaped outside text keeps no character that could end a line, and
    // grows by at most six characters per character.
    const std::wstring escaped = EscapeForRecord(text);
    for (const wchar_t c : escaped) {
        if (IsLineBreaking(c)) {
            std::abort();
        }
    }
    if (escaped.size() > 6 * text.size()) {
        std::abort();
    }

    // A record's bytes: nothing past the first character above 255, and every
    // line feed after a carriage return.
    const std::string bytes = EncodeLogFileLine(escaped + L"\n");
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) {
            std::abort();
        }
    }
    return 0;
}
