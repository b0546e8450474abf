// Test support: runs a program as a debuggee and prints every string that it
// passes to OutputDebugString, one per line on standard output as UTF-8,
// then exits with the program's exit code. Usage:
//   debug_capture.exe <program> [arguments...]
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::wstring QuoteArgument(const std::wstring& argument)
{
    if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) {
        return argument;
    }
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        if (c == L'"') {
            quoted.append(backslashes * 2 + 1, L'\\');
        } else {
            quoted.append(backslashes, L'\\');
        }
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    quoted += L'"';
    return quoted;
}

void PrintUtf8(const std::wstring& text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                         nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    if (bytes.empty() || bytes.back() != '\n') {
        std::fputc('\n', stdout);
    }
    std::fflush(stdout);
}

std::wstring ReadDebugString(HANDLE process, const OUTPUT_DEBUG_STRING_INFO& info)
{
    const std::size_t length = info.nDebugStringLength;
    if (info.fUnicode) {
        std::vector<wchar_t> buffer(length + 1, L'\0');
        ReadProcessMemory(process, info.lpDebugStringData, buffer.data(), length * sizeof(wchar_t), nullptr);
        return std::wstring(buffer.data());
    }
    std::vector<char> buffer(length + 1, '\0');
    ReadProcessMemory(process, info.lpDebugStringData, buffer.data(), length, nullptr);
    std::wstring text;
    for (const char* p = buffer.data(); *p != '\0'; ++p) {
        text += static_cast<wchar_t>(static_cast<unsigned char>(*p));
    }
    return text;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        std::fputs("usage: debug_capture.exe <program> [arguments...]\n", stderr);
        return 2;
    }
    std::wstring commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) {
            commandLine += L' ';
        }
        commandLine += QuoteArgument(argv[i]);
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, DEBUG_ONLY_THIS_PROCESS, nullptr, nullptr,
                        &startup, &process)) {
        std::fprintf(stderr, "debug_capture: cannot start the program [Err=%lu]\n", GetLastError());
        return 2;
    }
    DWORD exitCode = 2;
    for (bool running = true; running;) {
        DEBUG_EVENT event{};
        if (!WaitForDebugEvent(&event, INFINITE)) {
            break;
        }
        DWORD continueStatus = DBG_CONTINUE;
        switch (event.dwDebugEventCode) {
        case OUTPUT_DEBUG_STRING_EVENT:
            PrintUtf8(ReadDebugString(process.hProcess, event.u.DebugString));
            break;
        case EXCEPTION_DEBUG_EVENT:
            // Only the loader's first breakpoint belongs to us.
            if (event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT) {
                continueStatus = DBG_EXCEPTION_NOT_HANDLED;
            }
            break;
        case CREATE_PROCESS_DEBUG_EVENT:
            CloseHandle(event.u.CreateProcessInfo.hFile);
            break;
        case LOAD_DLL_DEBUG_EVENT:
            CloseHandle(event.u.LoadDll.hFile);
            break;
        case EXIT_PROCESS_DEBUG_EVENT:
            exitCode = event.u.ExitProcess.dwExitCode;
            running = false;
            break;
        default:
            break;
        }
        ContinueDebugEvent(event.dwProcessId, event.dwThreadId, continueStatus);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(exitCode);
}
