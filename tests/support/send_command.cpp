// Test support: calls Orvex_SendCommand once per argument and prints, one
// line per call, the result and the value after the call, both as 0x%08x.
// Usage:
//   send_command.exe CODE[:PRESET]...
// CODE and PRESET are decimal or 0x hex; PRESET defaults to 0x40000000.
#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <string>

#include "firmware/win32/orvex_send_command.h"

namespace {

bool ParseNumber(const wchar_t* text, std::uint32_t& number)
{
    wchar_t* end = nullptr;
    const unsigned long long value = std::wcstoull(text, &end, 0);
    if (end == text || value > 0xFFFFFFFFull) {
        return false;
    }
    number = static_cast<std::uint32_t>(value);
    return *end == L'\0' || *end == L':';
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        std::fputs("usage: send_command.exe CODE[:PRESET]...\n", stderr);
        return 2;
    }
    for (int i = 1; i < argc; ++i) {
        std::uint32_t code = 0;
        std::uint32_t value = 0x40000000;
        const wchar_t* colon = std::wcschr(argv[i], L':');
        if (!ParseNumber(argv[i], code) || (colon != nullptr && !ParseNumber(colon + 1, value))) {
            std::fprintf(stderr, "send_command: bad argument %d\n", i);
            return 2;
        }
        const std::int32_t result = Orvex_SendCommand(code, 0, &value);
        std::printf("0x%08x 0x%08x\n", static_cast<unsigned>(result), static_cast<unsigned>(value));
        std::fflush(stdout);
    }
    return 0;
}
