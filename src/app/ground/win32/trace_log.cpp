#include "app/ground/win32/trace_log.h"

#include "app/ground/win32/module_file_path.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <memory>
#include <new>
#include <share.h>
#include <vector>

namespace {

// The build's date and time, as the compiler spells them: "Jul 23 2015" and
// "23:35:43".
constexpr const char kBuildDate[] = __DATE__;
constexpr const char kBuildTime[] = __TIME__;
constexpr const wchar_t kHeaderFormat[] = L"[%S %S] [%S][%S():%d] ";

// The Microsoft CRT's own formatting keeps the platform's meaning of %s and
// %S in wide formats; MinGW's C99 printf family would swap them.
int MeasureFormatted(const wchar_t* format, va_list args) noexcept
{
    va_list copy;
    va_copy(copy, args);
    const int length = _vscwprintf(format, copy);
    va_end(copy);
    return length;
}

int MeasureHeader(const wchar_t* format, ...) noexcept
{
    va_list args;
    va_start(args, format);
    const int length = MeasureFormatted(format, args);
    va_end(args);
    return length;
}

void FormatInto(wchar_t* buffer, std::size_t count, const wchar_t* format, ...) noexcept
{
    va_list args;
    va_start(args, format);
    _vsnwprintf(buffer, count, format, args);
    va_end(args);
}

void AppendToFile(const std::wstring& path, std::wstring_view line) noexcept
{
    // Nobody else may open the file while the line goes in; when somebody
    // else holds it, the line reaches the debugger only.
    FILE* file = _wfsopen(path.c_str(), L"ab", _SH_DENYRW);
    if (file == nullptr) {
        return;
    }
    const std::string bytes = EncodeLogFileLine(line);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

}  // namespace

TraceLog& TraceLog::Instance() noexcept
{
    // Single-threaded program: a function-local static is the one-time flag.
    static TraceLog instance;
    return instance;
}

TraceLog::TraceLog() noexcept : MinimumLevel(0), LogTag(kLogTag)
{
    LogPath = LogPathForProgram(ModuleFilePath(nullptr));
}

void TraceLog::Write(int level, const char* function, int line, const wchar_t* format, ...) noexcept
{
    if (MinimumLevel > level || LogPath.empty()) {
        return;
    }
    const char* levelName = TraceLevelName(level);
    const int headerLength = MeasureHeader(kHeaderFormat, kBuildDate, kBuildTime, levelName, function, line);

    va_list args;
    va_start(args, format);
    const int messageLength = MeasureFormatted(format, args);
    if (headerLength < 0 || messageLength < 0) {
        va_end(args);
        return;
    }
    const std::size_t total = static_cast<std::size_t>(headerLength) + static_cast<std::size_t>(messageLength) + 1;
    std::unique_ptr<wchar_t[]> buffer(new (std::nothrow) wchar_t[total]);
    if (!buffer) {
        va_end(args);
        return;
    }
    FormatInto(buffer.get(), static_cast<std::size_t>(headerLength) + 1, kHeaderFormat, kBuildDate, kBuildTime,
               levelName, function, line);
    _vsnwprintf(buffer.get() + headerLength, static_cast<std::size_t>(messageLength) + 1, format, args);
    va_end(args);
    buffer[total - 1] = L'\0';

    AppendToFile(LogPath, std::wstring_view(buffer.get(), total - 1));
    OutputDebugStringW(buffer.get());
}
