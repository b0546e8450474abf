// debug_capture.exe PROGRAM [ARGUMENT...] (no quotes): runs the program as a
// debuggee, prints each string it passes to OutputDebugString on a line of its
// own (characters above 255 as "?") and exits with the program's exit code.
#include <windows.h>

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv)
{
    std::wstring commandLine;
    for (int i = 1; i < argc; ++i) {
        commandLine += (i > 1 ? L" \"" : L"\"") + std::wstring(argv[i]) + L"\"";
    }
    STARTUPINFOW startup{sizeof startup};
    PROCESS_INFORMATION process{};
    if (argc < 2 || !CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, DEBUG_ONLY_THIS_PROCESS,
                                    nullptr, nullptr, &startup, &process)) {
        return 2;
    }
    for (DEBUG_EVENT event{}; WaitForDebugEvent(&event, INFINITE);) {
        DWORD status = DBG_CONTINUE;
        const auto code = event.dwDebugEventCode;
        if (code == OUTPUT_DEBUG_STRING_EVENT) {
            const OUTPUT_DEBUG_STRING_INFO& info = event.u.DebugString;
            const std::size_t width = info.fUnicode ? 2 : 1;
            std::string bytes(info.nDebugStringLength * width, '\0'), line;
            ReadProcessMemory(process.hProcess, info.lpDebugStringData, bytes.data(), bytes.size(), nullptr);
            for (std::size_t at = 0; at < bytes.size(); at += width) {
                const auto byte = [&](std::size_t i) { return static_cast<unsigned>(static_cast<unsigned char>(bytes[i])); };
                const unsigned value = byte(at) | (width == 2 ? byte(at + 1) << 8 : 0);
                if (value == 0) {
                    break;
                }
                line += value > 255 ? '?' : static_cast<char>(value);
            }
            std::printf("%s%s", line.c_str(), !line.empty() && line.back() == '\n' ? "" : "\n");
            std::fflush(stdout);
        } else if (code == EXCEPTION_DEBUG_EVENT) {
            // Only the loader's first breakpoint belongs to us.
            const bool ours = event.u.Exception.ExceptionRecord.ExceptionCode == EXCEPTION_BREAKPOINT;
            status = ours ? DBG_CONTINUE : DBG_EXCEPTION_NOT_HANDLED;
        } else if (code == CREATE_PROCESS_DEBUG_EVENT || code == LOAD_DLL_DEBUG_EVENT) {
            CloseHandle(code == LOAD_DLL_DEBUG_EVENT ? event.u.LoadDll.hFile : event.u.CreateProcessInfo.hFile);
        } else if (code == EXIT_PROCESS_DEBUG_EVENT) {
            ContinueDebugEvent(event.dwProcessId, event.dwThreadId, DBG_CONTINUE);
            return static_cast<int>(event.u.ExitProcess.dwExitCode);
        }
        ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
    }
    return 2;
}
