// Test support: calls Orvex_SendCommand as the switch flows do.
//   send_command.exe CODE[:PRESET]...
// One call per argument; prints per call the result and the value after it,
// both as 0x%08x. CODE and PRESET are decimal or 0x hex; PRESET defaults to
// 0x40000000.
#include <cstdint>
#include <cstdio>
#include <cwchar>

#include "firmware/win32/orvex_send_command.h"

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        std::fputs("usage: send_command.exe CODE[:PRESET]...\n", stderr);
        return 2;
    }
    for (int i = 1; i < argc; ++i) {
        wchar_t* end = nullptr;
        const auto code = static_cast<std::uint32_t>(std::wcstoul(argv[i], &end, 0));
        std::uint32_t value = 0x40000000;
        if (*end == L':') {
            value = static_cast<std::uint32_t>(std::wcstoul(end + 1, &end, 0));
        }
        if (*end != L'\0') {
            std::fprintf(stderr, "send_command: bad argument %d\n", i);
            return 2;
        }
        const std::int32_t result = Orvex_SendCommand(code, 0, &value);
        std::printf("0x%08x 0x%08x\n", static_cast<unsigned>(result), static_cast<unsigned>(value));
        std::fflush(stdout);
    }
    return 0;
}
