// Test support: calls Orvex_SendCommand as the switch flows do, or sends a
// script text of its own to the script server.
//   send_command.exe CODE[:PRESET]...
//     one call per argument; prints per call the result and the value after
//     it, both as 0x%08x. CODE and PRESET are decimal or 0x hex; PRESET
//     defaults to 0x40000000.
//   send_command.exe --script TEXT
//     sends TEXT as one message and prints the reply's entries as KEY=VALUE
//     lines (UTF-8).
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <string>

#include "firmware/win32/orvex_send_command.h"
#include "firmware/win32/script_pipe.h"

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

void PrintUtf8Line(const std::wstring& text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                         nullptr);
    std::string bytes(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    bytes += '\n';
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

int SendScriptText(const std::wstring& text)
{
    UniqueFileHandle pipe;
    if (const DWORD error = OpenScriptServerPipe(pipe); error != ERROR_SUCCESS) {
        std::fprintf(stderr, "send_command: cannot open the pipe [Err=%lu]\n", error);
        return 1;
    }
    DWORD mode = PIPE_READMODE_MESSAGE;
    DWORD written = 0;
    if (!SetNamedPipeHandleState(pipe.Get(), &mode, nullptr, nullptr) ||
        !WriteFile(pipe.Get(), text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &written, nullptr)) {
        std::fprintf(stderr, "send_command: cannot send [Err=%lu]\n", GetLastError());
        return 1;
    }
    WmiScriptResults reply;
    (void)ReceiveWmiScriptResults(pipe.Get(), &reply);
    for (const auto& [key, value] : reply.Items()) {
        PrintUtf8Line(key + L"=" + value);
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc == 3 && std::wcscmp(argv[1], L"--script") == 0) {
        return SendScriptText(argv[2]);
    }
    if (argc < 2) {
        std::fputs("usage: send_command.exe CODE[:PRESET]... | --script TEXT\n", stderr);
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
