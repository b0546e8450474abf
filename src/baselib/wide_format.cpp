#include "baselib/wide_format.h"

#include <cwchar>

#include "baselib/base_lib_heap.h"

#if defined(_WIN32)

int WideFormatLength(const wchar_t* format, va_list args) noexcept
{
    va_list copy;
    va_copy(copy, args);
    const int length = _vscwprintf(format, copy);
    va_end(copy);
    return length;
}

int WideFormat(wchar_t* buffer, std::size_t count, const wchar_t* format, va_list args) noexcept
{
    va_list copy;
    va_copy(copy, args);
    // _vsnwprintf leaves the text unterminated when it fills the buffer
    // exactly, so it gets one character less than there is room for.
    const int written = count > 0 ? _vsnwprintf(buffer, count - 1, format, copy) : -1;
    va_end(copy);
    if (written < 0) {
        return -1;
    }
    buffer[written] = L'\0';
    return written;
}

#else

int WideFormatLength(const wchar_t* format, va_list args) noexcept
{
    // C99 cannot measure a wide result: try ever larger scratch buffers.
    constexpr std::size_t kLargest = std::size_t{1} << 24;
    for (std::size_t count = 256; count <= kLargest; count *= 2) {
        auto* const scratch = static_cast<wchar_t*>(BaseLibHeap_Allocate(count * sizeof(wchar_t)));
        if (scratch == nullptr) {
            return -1;
        }
        va_list copy;
        va_copy(copy, args);
        const int length = std::vswprintf(scratch, count, format, copy);
        va_end(copy);
        BaseLibHeap_Release(scratch);
        if (length >= 0) {
            return length;
        }
    }
    return -1;
}

int WideFormat(wchar_t* buffer, std::size_t count, const wchar_t* format, va_list args) noexcept
{
    va_list copy;
    va_copy(copy, args);
    const int written = std::vswprintf(buffer, count, format, copy);
    va_end(copy);
    return written;
}

#endif

namespace {

// Appends the UTF-8 bytes of one code point; returns how many.
std::size_t EncodeUtf8(char32_t point, unsigned char* out) noexcept
{
    if (point < 0x80) {
        out[0] = static_cast<unsigned char>(point);
        return 1;
    }
    if (point < 0x800) {
        out[0] = static_cast<unsigned char>(0xC0 | (point >> 6));
        out[1] = static_cast<unsigned char>(0x80 | (point & 0x3F));
        return 2;
    }
    if (point < 0x10000) {
        out[0] = static_cast<unsigned char>(0xE0 | (point >> 12));
        out[1] = static_cast<unsigned char>(0x80 | ((point >> 6) & 0x3F));
        out[2] = static_cast<unsigned char>(0x80 | (point & 0x3F));
        return 3;
    }
    out[0] = static_cast<unsigned char>(0xF0 | (point >> 18));
    out[1] = static_cast<unsigned char>(0x80 | ((point >> 12) & 0x3F));
    out[2] = static_cast<unsigned char>(0x80 | ((point >> 6) & 0x3F));
    out[3] = static_cast<unsigned char>(0x80 | (point & 0x3F));
    return 4;
}

bool IsHighSurrogate(char32_t unit) noexcept { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char32_t unit) noexcept { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

void WriteWideAsUtf8(std::FILE* stream, const wchar_t* text, std::size_t length) noexcept
{
    unsigned char chunk[256];
    std::size_t used = 0;
    for (std::size_t i = 0; i < length; ++i) {
        char32_t point = static_cast<char32_t>(text[i]);
        if (sizeof(wchar_t) == 2 && IsHighSurrogate(point) && i + 1 < length &&
            IsLowSurrogate(static_cast<char32_t>(text[i + 1]))) {
            point = 0x10000 + ((point - 0xD800) << 10) + (static_cast<char32_t>(text[i + 1]) - 0xDC00);
            ++i;
        } else if (IsHighSurrogate(point) || IsLowSurrogate(point) || point > 0x10FFFF) {
            point = 0xFFFD;
        }
        if (used + 4 > sizeof chunk) {
            std::fwrite(chunk, 1, used, stream);
            used = 0;
        }
        used += EncodeUtf8(point, chunk + used);
    }
    std::fwrite(chunk, 1, used, stream);
}
