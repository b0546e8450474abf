#include "baselib/base_lib_log.h"

#include <cstdarg>
#include <cstring>

#include "baselib/base_lib_output.h"
#include "baselib/base_lib_print.h"

namespace {

const char* LineTemplate(std::int32_t level) noexcept
{
    switch (level) {
    case kLogInfo:
        return "[INFO][%s()] %s\n";
    case kLogWarn:
        return "[WARN][%s()] %s\n";
    case kLogError:
        return "[ERRO][%s()] %s\n";
    default:
        return nullptr;
    }
}

// The function name becomes part of a format; a "%" in it is doubled so that
// it prints as itself instead of reading an argument nobody passed.
bool EscapePercents(const char* text, char (&out)[kFixedTextBufferSize]) noexcept
{
    std::size_t used = 0;
    for (const char* p = text; *p != '\0'; ++p) {
        const std::size_t needed = *p == '%' ? 2 : 1;
        if (used + needed >= sizeof out) {
            return false;
        }
        out[used++] = *p;
        if (*p == '%') {
            out[used++] = '%';
        }
    }
    out[used] = '\0';
    return true;
}

}  // namespace

std::uint32_t BaseLib_Log(BaseLibContext* pContext, std::int32_t level, std::uint32_t category,
                          const char* function, const char* format, ...) noexcept
{
    if (pContext == nullptr || function == nullptr || format == nullptr || pContext->pLogConfig == nullptr) {
        return 0;
    }
    const LogConfig& config = *pContext->pLogConfig;
    if (config.enabled == 0 || config.outputs == 0) {
        return 0;
    }
    if (config.categoryMask < kLogAllCategories && (config.categoryMask & category) == 0) {
        return 0;
    }
    const char* const lineTemplate = LineTemplate(level);
    if (lineTemplate == nullptr || (config.levelMask & static_cast<std::uint32_t>(level)) == 0) {
        return 0;
    }

    // The caller's format becomes part of the line's format, so the level,
    // the name and the text are formatted in one pass into the fixed buffer.
    char name[kFixedTextBufferSize];
    char lineFormat[kFixedTextBufferSize] = {};
    if (EscapePercents(function, name)) {
        BaseLib_SPrint(pContext, lineFormat, static_cast<std::int32_t>(sizeof lineFormat), lineTemplate, name, format);
    }
    char line[kFixedTextBufferSize];
    va_list args;
    va_start(args, format);
    const std::size_t length = lineFormat[0] != '\0' ? FormatFixedText(line, lineFormat, args) : 0;
    va_end(args);

    if (length > 0) {
        if ((config.outputs & kLogToFile) != 0) {
            BaseLib_FileAppendStr(pContext, config.path, line);
        }
        if ((config.outputs & kLogToStdout) != 0) {
            // Neither the console writer nor its scratch block logs, so this
            // never comes back here.
            BaseLib_Print(pContext, "%s", line);
        }
    }
    return 1;
}

std::uint32_t BaseLib_ConfigureLog(BaseLibTable* pTable, const LogConfig& config) noexcept
{
    if (pTable == nullptr || pTable->Initialised == 0 || pTable->Context.pLogConfig == nullptr ||
        std::memchr(config.path, '\0', sizeof config.path) == nullptr) {
        return 0;
    }
    *pTable->Context.pLogConfig = config;
    return 1;
}
