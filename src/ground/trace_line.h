#pragma once
// The parts of a trace record that need no platform call: the level names,
// the place of the log file, how its open waits for other runs and the bytes
// that a line becomes in the file.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

enum TraceLevel : int { TRACE_ERROR = 0, TRACE_WARN = 1, TRACE_INFO = 2, TRACE_DEBUG = 3 };

[[nodiscard]] const char* TraceLevelName(int level) noexcept;

inline constexpr std::size_t kLogPathSize = 260;   // characters, terminator included
inline constexpr std::wstring_view kLogTag = L"ORVEXLOG";

// The log file's path for the program file at programPath: LogTag and ".log"
// in the program's directory. Empty (no file output) when the path holds no
// backslash or the result would not fit in kLogPathSize.
[[nodiscard]] std::wstring LogPathForProgram(std::wstring_view programPath);

// The platform's errors that the log's open tells apart.
inline constexpr std::uint32_t kErrorFileNotFound = 2;
inline constexpr std::uint32_t kErrorSharingViolation = 32;
inline constexpr std::uint32_t kErrorLockViolation = 33;
inline constexpr std::uint32_t kErrorFileExists = 80;

// Runs started together take turns at the log, which each holds for one
// line: a run waits for the others this long at most, in short steps.
inline constexpr std::uint32_t kLogWaitMs = 1000;
inline constexpr std::uint32_t kLogWaitStepMs = 10;

// The attempts of the log's open: open the file that stands, create it
// where nothing stands, open the one that another run has just created,
// wait a step and open, or give the record up.
enum class LogOpenStep { Open, Create, OpenTheirs, WaitThenOpen, Drop };

// What an open may still do. It waits no more once a wait of its run has
// run out: the log is then held by something other than a run taking its
// turn. It creates nothing when it opens again, through the file's filter,
// a file that it has already checked.
struct LogOpenLimits {
    bool mayWait = true;
    bool mayCreate = true;
};

// What the log's open does after the attempt failed with error, elapsedMs
// after the first. A run that finds the log held waits its turn; a run that
// loses the race to create it opens the other run's file, once: a name that
// stands but opens nothing (a dangling link) drops the record at once, as
// every other failure does.
[[nodiscard]] LogOpenStep NextLogOpenStep(LogOpenStep failed, std::uint32_t error, std::uint64_t elapsedMs,
                                          LogOpenLimits limits = {}) noexcept;

// The 8-bit text of a line in the file: one byte per character up to the
// first character above 255, each line feed written as CR LF.
[[nodiscard]] std::string EncodeLogFileLine(std::wstring_view line);

// Text from outside the program (what a server sends) as it may stand in a
// record: every control character, and the platform's line and paragraph
// separators, become a visible escape ("\x0d", "\u2028"), so that such a
// text can never end a record early or start a forged one.
[[nodiscard]] std::wstring EscapeForRecord(std::wstring_view text);
