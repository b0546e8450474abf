// Measures one run of a program: the wall time from its creation to its end,
// or to the first time its box is on the screen, after which the program is
// ended: with --band, when the screen shows the band colour at a point; with
// --dialog, when a window of the program shows the dialog face colour at a
// point of its client area (the platform's message box). Also its peak
// working set and its exit code. Prints one line:
// elapsed_ms=... peak_kb=... exit=... measured=...
//   probe.exe [--band X Y | --dialog X Y] <program> [arguments...]
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

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// Whether the screen shows the colour at the point: a point of the screen, or
// with a process, a point of the client area of its first visible window.
bool Shows(HDC screen, const PROCESS_INFORMATION* owner, int x, int y, COLORREF color)
{
    POINT point{x, y};
    if (owner != nullptr) {
        WindowSearch search{owner->dwProcessId, nullptr};
        EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found == nullptr || !ClientToScreen(search.found, &point)) {
            return false;
        }
    }
    return GetPixel(screen, point.x, point.y) == color;
}

bool WaitForColor(const PROCESS_INFORMATION& process, bool inWindow, int x, int y, COLORREF color)
{
    HDC screen = GetDC(nullptr);
    const ULONGLONG deadline = GetTickCount64() + kLimitMs;
    bool seen = false;
    while (!seen && GetTickCount64() < deadline && WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
        seen = Shows(screen, inWindow ? &process : nullptr, x, y, color);
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
    bool dialog = false;
    int x = 0;
    int y = 0;
    if (argc > 4 && (std::wcscmp(argv[1], L"--band") == 0 || std::wcscmp(argv[1], L"--dialog") == 0)) {
        band = true;
        dialog = std::wcscmp(argv[1], L"--dialog") == 0;
        x = _wtoi(argv[2]);
        y = _wtoi(argv[3]);
        first = 4;
    }
    if (first >= argc) {
        std::fputs("usage: probe.exe [--band X Y | --dialog X Y] <program> [arguments...]\n", stderr);
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
        measured = WaitForColor(process, dialog, x, y, dialog ? GetSysColor(COLOR_BTNFACE) : kBandColor);
    } else {
        measured = WaitForSingleObject(process.hProcess, kLimitMs) == WAIT_OBJECT_0;
    }
    LARGE_INTEGER end;
    QueryPerformanceCounter(&end);
    // Read while the program still runs: this Wine reports nothing for a
    // process that has ended (bench/run.sh measures those with time(1)).
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory);
    if (band || !measured) {
        TerminateProcess(process.hProcess, 99);
        WaitForSingleObject(process.hProcess, kLimitMs);
    }
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::printf("elapsed_ms=%.3f peak_kb=%llu exit=%lu measured=%d\n", Milliseconds(start, end),
                static_cast<unsigned long long>(memory.PeakWorkingSetSize / 1024), exitCode, measured ? 1 : 0);
    return measured ? 0 : 1;
}
