#pragma once
// The levelled diagnostic log of a BaseLibTable (slot 6), through which the
// file and memory services report what they do, and the way a user turns it
// on. It is separate from the program's trace log and stays off in the
// program: no operation of the program writes a table's LogConfig.
#include <cstdint>

#include "baselib/base_lib_table.h"

// One line "[INFO][function()] text\n" (WARN, ERRO for levels 2 and 4) to the
// outputs that the context's LogConfig names. 1 when the call passes the
// configuration, 0 when it is filtered out or an argument is null. A line of
// more than 1020 characters is dropped whole and nothing is written.
std::uint32_t BaseLib_Log(BaseLibContext* pContext, std::int32_t level, std::uint32_t category,
                          const char* function, const char* format, ...) noexcept;

// Turns the diagnostics of a set-up table on or off by copying `config` into
// the table's LogConfig, for a tool or a test that wants to watch the
// services (the reader's own table is reached through its context). Returns
// 1, or 0 when the table is not set up or the path is not NUL-terminated.
//
//     LogConfig config{};
//     config.enabled = 1;
//     config.outputs = kLogToStdout;
//     config.levelMask = kLogInfo | kLogWarn | kLogError;
//     config.categoryMask = kLogAllCategories;
//     BaseLib_ConfigureLog(&table, config);
[[nodiscard]] std::uint32_t BaseLib_ConfigureLog(BaseLibTable* pTable, const LogConfig& config) noexcept;

// The markers and the status words of the services' lines.
inline constexpr const char* kLogEntryMarker = "(==";
inline constexpr const char* kLogExitMarker = "==)";
inline constexpr const char* kLogPassed = "PASSED";
inline constexpr const char* kLogFailed = "FAILED";
