// Measures one run of a program: the wall time from its creation to its end
// (or, with --band, to the first time the screen shows the band colour at a
// point, after which the program is ended), its peak working set and its
// exit code. Prints one line: elapsed_ms=... peak_kb=... exit=...
//   probe.exe [--band X Y] <program> [arguments...]
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

constexpr COLORREF kBandColor = RGB(31, 0, 104);
constexpr DWORD kLimitMs = 30000;

std::wstring CommandLineFrom(int first, int argc, wchar_t** argv)
{
    std::wstring line;
    for (int i = first; i < argc; ++i) {
        if (!line.empty()) {
            line += L' ';
        }
        line += L'"';
        line += argv[i];
        line += L'"';
    }
    return line;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool WaitForBand(HANDLE process, int x, int y)
{
    HDC screen = GetDC(nullptr);
    const ULONGLONG deadline = GetTickCount64() + kLimitMs;
    bool seen = false;
    while (!seen && GetTickCount64() < deadline && WaitForSingleObject(process, 0) == WAIT_TIMEOUT) {
        seen = GetPixel(screen, x, y) == kBandColor;
        if (!seen) {
            Sleep(1);
        }
    }
    ReleaseDC(nullptr, screen);
    return seen;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    int first = 1;
    bool band = false;
    int x = 0;
    int y = 0;
    if (argc > 4 && std::wcscmp(argv[1], L"--band") == 0) {
        band = true;
        x = _wtoi(argv[2]);
        y = _wtoi(argv[3]);
        first = 4;
    }
    if (first >= argc) {
        std::fputs("usage: probe.exe [--band X Y] <program> [arguments...]\n", stderr);
        return 2;
    }
    std::wstring commandLine = CommandLineFrom(first, argc, argv);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        std::fprintf(stderr, "probe: cannot start [Err=%lu]\n", GetLastError());
        return 2;
    }
    bool measured = true;
    if (band) {
        measured = WaitForBand(process.hProcess, x, y);
    } else {
        measured = WaitForSingleObject(process.hProcess, kLimitMs) == WAIT_OBJECT_0;
    }
    LARGE_INTEGER end;
    QueryPerformanceCounter(&end);
    if (band || !measured) {
        TerminateProcess(process.hProcess, 99);
        WaitForSingleObject(process.hProcess, kLimitMs);
    }
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::printf("elapsed_ms=%.3f peak_kb=%llu exit=%lu measured=%d\n", Milliseconds(start, end),
                static_cast<unsigned long long>(memory.PeakWorkingSetSize / 1024), exitCode, measured ? 1 : 0);
    return measured ? 0 : 1;
}
