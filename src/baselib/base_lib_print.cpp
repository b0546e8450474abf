#include "baselib/base_lib_print.h"

#include <cstdio>
#include <cstring>

#include "baselib/base_lib_output.h"
#include "baselib/base_lib_heap.h"
#include "baselib/wide_format.h"

namespace {

// Characters the format yields with these arguments, or -1. The arguments
// are left unread.
int FormattedLength(const char* format, va_list args) noexcept
{
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    return length;
}

// The shared path of BaseLib_SPrint and BaseLib_VSPrint: the length, or -1
// with the buffer untouched.
int FormatIntoCallerBuffer(BaseLibContext* pContext, char* buffer, std::int32_t size, const char* format,
                           va_list args) noexcept
{
    if (pContext == nullptr || buffer == nullptr || format == nullptr) {
        return -1;
    }
    const int length = FormattedLength(format, args);
    const long long needed = static_cast<long long>(length) + static_cast<long long>(kTextReserve);
    if (length < 0 || static_cast<long long>(size) < needed) {
        return -1;
    }
    const std::size_t room = static_cast<std::size_t>(length) + kTextReserve;
    std::memset(buffer, 0, room);
    va_list copy;
    va_copy(copy, args);
    std::vsnprintf(buffer, room, format, copy);
    va_end(copy);
    return length;
}

}  // namespace

std::uint32_t BaseLib_Print(BaseLibContext* pContext, const char* format, ...) noexcept
{
    if (pContext == nullptr || format == nullptr) {
        return 0;
    }
    va_list args;
    va_start(args, format);
    std::uint32_t result = 0;
    const int length = FormattedLength(format, args);
    if (length >= 0) {
        // Straight from the heap: the log writes its lines through here, so
        // this must not log itself.
        const std::size_t room = static_cast<std::size_t>(length) + kTextReserve;
        if (auto* const scratch = static_cast<char*>(BaseLibHeap_Allocate(room))) {
            std::vsnprintf(scratch, room, format, args);
            WriteToStdout(scratch, static_cast<std::size_t>(length));
            BaseLibHeap_Release(scratch);
            result = static_cast<std::uint32_t>(length);
        }
    }
    va_end(args);
    return result;
}

std::uint32_t BaseLib_SPrint(BaseLibContext* pContext, char* buffer, std::int32_t size, const char* format,
                             ...) noexcept
{
    va_list args;
    va_start(args, format);
    const int length = FormatIntoCallerBuffer(pContext, buffer, size, format, args);
    va_end(args);
    return length >= 0 ? 1 : 0;
}

std::uint32_t BaseLib_VSPrint(BaseLibContext* pContext, char* buffer, std::int32_t size, const char* format,
                              va_list args) noexcept
{
    const int length = FormatIntoCallerBuffer(pContext, buffer, size, format, args);
    return length >= 0 ? static_cast<std::uint32_t>(length) : kBaseLibFailed;
}

std::uint32_t BaseLib_FilePrint(BaseLibContext* pContext, const char* fileName, const char* format, ...) noexcept
{
    if (pContext == nullptr || fileName == nullptr || format == nullptr) {
        return 0;
    }
    char text[kFixedTextBufferSize];
    va_list args;
    va_start(args, format);
    FormatFixedText(text, format, args);
    va_end(args);
    return BaseLib_FileAppendStr(pContext, fileName, text);
}

std::uint32_t BaseLib_PrintMsg(BaseLibContext* /*pContext*/, const char* format, ...) noexcept
{
    char text[kFixedTextBufferSize];
    va_list args;
    va_start(args, format);
    const std::size_t length = FormatFixedText(text, format, args);
    va_end(args);
    WriteToStdout(text, length);
    return 1;
}

std::uint32_t BaseLib_PrintW(BaseLibContext* pContext, const wchar_t* format, ...) noexcept
{
    if (pContext == nullptr || format == nullptr) {
        return 0;
    }
    va_list args;
    va_start(args, format);
    std::uint32_t result = 0;
    const int length = WideFormatLength(format, args);
    if (length >= 0) {
        const std::size_t room = static_cast<std::size_t>(length) + kTextReserve;
        if (auto* const scratch = static_cast<wchar_t*>(BaseLibHeap_Allocate(room * sizeof(wchar_t)))) {
            const int written = WideFormat(scratch, room, format, args);
            if (written >= 0) {
                WriteWideAsUtf8(stdout, scratch, static_cast<std::size_t>(written));
                std::fflush(stdout);
                result = static_cast<std::uint32_t>(written);
            }
            BaseLibHeap_Release(scratch);
        }
    }
    va_end(args);
    return result;
}

std::uint32_t BaseLib_SPrintW(BaseLibContext* pContext, wchar_t* buffer, std::int32_t sizeInBytes,
                              const wchar_t* format, ...) noexcept
{
    if (pContext == nullptr || buffer == nullptr || format == nullptr) {
        return kBaseLibFailed;
    }
    va_list args;
    va_start(args, format);
    std::uint32_t result = kBaseLibFailed;
    const int length = WideFormatLength(format, args);
    if (length >= 0) {
        const std::size_t room = static_cast<std::size_t>(length) + kTextReserve;
        if (sizeInBytes >= 0 && static_cast<std::size_t>(sizeInBytes) >= room * sizeof(wchar_t)) {
            std::memset(buffer, 0, room * sizeof(wchar_t));
            const int written = WideFormat(buffer, room, format, args);
            if (written >= 0) {
                result = static_cast<std::uint32_t>(written);
            }
        }
    }
    va_end(args);
    return result;
}
