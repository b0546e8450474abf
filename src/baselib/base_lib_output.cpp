#include "baselib/base_lib_output.h"

#include <cstdio>
#include <cstring>

std::size_t FormatFixedText(char (&buffer)[kFixedTextBufferSize], const char* format, va_list args) noexcept
{
    std::memset(buffer, 0, sizeof buffer);
    if (format == nullptr || std::strlen(format) + kTextReserve > sizeof buffer) {
        return 0;
    }
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(buffer, sizeof buffer, format, copy);
    va_end(copy);
    if (length < 0 || static_cast<std::size_t>(length) + kTextReserve > sizeof buffer) {
        // Dropped whole, never cut.
        std::memset(buffer, 0, sizeof buffer);
        return 0;
    }
    return static_cast<std::size_t>(length);
}

void WriteToStdout(const char* text, std::size_t length) noexcept
{
    std::fwrite(text, 1, length, stdout);
    std::fflush(stdout);
}

std::uint32_t BaseLib_FileAppendStr(BaseLibContext* pContext, const char* fileName, const char* text) noexcept
{
    if (pContext == nullptr || fileName == nullptr || text == nullptr) {
        return 0;
    }
    std::FILE* const stream = std::fopen(fileName, "a");
    if (stream == nullptr) {
        return 0;
    }
    const std::size_t length = std::strlen(text);
    const std::size_t written = std::fwrite(text, 1, length, stream);
    // The bytes are only out once the stream is flushed by the close.
    const bool closed = std::fclose(stream) == 0;
    return written == length && closed ? 1 : 0;
}
