#include "ground/win32/trace_log.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <memory>
#include <new>

#include "baselib/wide_format.h"
#include "ground/directory_of_path.h"
#include "ground/win32/module_file_path.h"
#include "ground/win32/plain_file.h"
#include "ground/win32/unique_handle.h"

namespace {

// The build's date and time, as the compiler spells them: "Jul 23 2015" and
// "23:35:43".
constexpr const char kBuildDate[] = __DATE__;
constexpr const char kBuildTime[] = __TIME__;
constexpr const wchar_t kHeaderFormat[] = L"[%S %S] [%S][%S():%d] ";

// WideFormat keeps the platform's meaning of %s and %S in wide formats
// (the Microsoft CRT's own formatting); MinGW's C99 printf family would swap
// them.
int MeasureHeader(const wchar_t* format, ...) noexcept
{
    va_list args;
    va_start(args, format);
    const int length = WideFormatLength(format, args);
    va_end(args);
    return length;
}

void FormatInto(wchar_t* buffer, std::size_t count, const wchar_t* format, ...) noexcept
{
    va_list args;
    va_start(args, format);
    static_cast<void>(WideFormat(buffer, count, format, args));
    va_end(args);
}

static_assert(kErrorFileNotFound == ERROR_FILE_NOT_FOUND && kErrorSharingViolation == ERROR_SHARING_VIOLATION &&
              kErrorLockViolation == ERROR_LOCK_VIOLATION && kErrorFileExists == ERROR_FILE_EXISTS);

struct LogFile {
    UniqueFileHandle handle;
    bool created = false;
};

// How the log's open treats a reparse point: the first open reaches the
// reparse point itself, so that a link is not followed; the open that
// writes goes through the filter that owns a file that passed the checks
// (a cloud placeholder), and never creates one.
enum class LogOpen { ReparsePointItself, ThroughItsFilter };

// The log file, created only where no name stands yet; nobody else may open
// it while the line goes in, and runs started together wait their turn,
// until a wait of this run has run out.
LogFile OpenLogFile(const std::wstring& path, LogOpen how, bool& waitRanOut) noexcept
{
    constexpr DWORD kAccess = FILE_APPEND_DATA | FILE_READ_ATTRIBUTES | SYNCHRONIZE;
    const DWORD flags = FILE_ATTRIBUTE_NORMAL | (how == LogOpen::ReparsePointItself ? FILE_FLAG_OPEN_REPARSE_POINT : 0);
    const ULONGLONG start = GetTickCount64();
    LogOpenStep step = LogOpenStep::Open;
    for (;;) {
        if (step == LogOpenStep::WaitThenOpen) {
            Sleep(kLogWaitStepMs);
        }
        // CREATE_NEW fails on any name that stands, a dangling link too. Its
        // handle may delete the file that it made.
        const bool create = step == LogOpenStep::Create;
        const HANDLE file = CreateFileW(path.c_str(), create ? kAccess | DELETE : kAccess, 0, nullptr,
                                        create ? CREATE_NEW : OPEN_EXISTING, flags, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            return {UniqueFileHandle(file), create};
        }
        const DWORD error = GetLastError();
        const ULONGLONG elapsed = GetTickCount64() - start;
        step = NextLogOpenStep(step, error, elapsed, {!waitRanOut, how == LogOpen::ReparsePointItself});
        if (step == LogOpenStep::Drop) {
            waitRanOut = waitRanOut || elapsed >= kLogWaitMs;
            return {};
        }
    }
}

void AppendToFile(const std::wstring& path, std::wstring_view line, bool& waitRanOut) noexcept
{
    // When the file stays held, or the name is a link or has a second name,
    // the line reaches the debugger only.
    LogFile file = OpenLogFile(path, LogOpen::ReparsePointItself, waitRanOut);
    if (!file.handle) {
        return;
    }
    if (!IsPlainFileIn(file.handle.Get(), DirectoryOfPath(path))) {
        if (file.created) {
            // A refused log leaves nothing behind: the file that this run
            // made goes, through its own handle, whatever stands at the name.
            FILE_DISPOSITION_INFO disposition{TRUE};
            static_cast<void>(
                SetFileInformationByHandle(file.handle.Get(), FileDispositionInfo, &disposition, sizeof disposition));
        }
        return;
    }
    if (IsReparsePoint(file.handle.Get())) {
        // A reparse point that redirects nothing, such as a cloud
        // placeholder, belongs to a filter, which a write through the
        // reparse point itself would skip. The checked handle is let go (it
        // shares nothing, not even with this run) and the name opened again
        // through the filter; the line goes in only when that is still the
        // file that was checked, not one put in its place meanwhile.
        const FileIdentity checked = IdentityOf(file.handle.Get());
        file.handle.Reset();
        file = OpenLogFile(path, LogOpen::ThroughItsFilter, waitRanOut);
        if (!file.handle || !checked.Known || !(IdentityOf(file.handle.Get()) == checked)) {
            return;
        }
    }
    try {
        const std::string bytes = EncodeLogFileLine(line);
        DWORD written = 0;
        static_cast<void>(
            WriteFile(file.handle.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    } catch (const std::bad_alloc&) {
    }
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
    const int messageLength = WideFormatLength(format, args);
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
    static_cast<void>(
        WideFormat(buffer.get() + headerLength, static_cast<std::size_t>(messageLength) + 1, format, args));
    va_end(args);

    AppendToFile(LogPath, std::wstring_view(buffer.get(), total - 1), LogWaitRanOut);
    OutputDebugStringW(buffer.get());
}
