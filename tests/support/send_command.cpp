// Calls Orvex_SendCommand once per argument CODE[:PRESET] (PRESET 0x40000000
// unless given) and prints the result and the value after each call.
#include <cstdio>
#include <cwchar>

#include "firmware/win32/orvex_send_command.h"

int wmain(int argc, wchar_t** argv)
{
    for (int i = 1; i < argc; ++i) {
        wchar_t* end = nullptr;
        const auto code = static_cast<std::uint32_t>(std::wcstoul(argv[i], &end, 0));
        auto value = static_cast<std::uint32_t>(*end == L':' ? std::wcstoul(end + 1, &end, 0) : 0x40000000);
        if (*end != L'\0') {
            return 2;
        }
        const auto result = static_cast<unsigned>(Orvex_SendCommand(code, 0, &value));
        std::printf("0x%08x 0x%08x\n", result, value);
        std::fflush(stdout);
    }
    return argc > 1 ? 0 : 2;
}
