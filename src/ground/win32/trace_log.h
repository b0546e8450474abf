#pragma once
// The trace log: every failure and every firmware answer, as one line in
// ORVEXLOG.log next to the program and on the debugger output.
#include <string>

#include "ground/trace_line.h"

class TraceLog {
public:
    // The process's log, built on first use.
    [[nodiscard]] static TraceLog& Instance() noexcept;

    // Writes one record. The format follows the platform's wide conventions
    // (%s a wide text, %S an 8-bit text). Never fails its caller.
    void Write(int level, const char* function, int line, const wchar_t* format, ...) noexcept;

    [[nodiscard]] const std::wstring& Path() const noexcept { return LogPath; }

private:
    TraceLog() noexcept;

    int MinimumLevel = 0;
    std::wstring LogTag;
    std::wstring LogPath;   // empty: nothing is output at all
    bool LogWaitRanOut = false;   // a held log no longer waited for
};

// Call sites name themselves: the function and the line of the call.
#define ORVEX_TRACE(level, format, ...) \
    TraceLog::Instance().Write((level), __func__, __LINE__, (format) __VA_OPT__(, ) __VA_ARGS__)
