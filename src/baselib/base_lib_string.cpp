#include "baselib/base_lib_string.h"

#include <cstring>

#include "baselib/base_lib_heap.h"
#include "baselib/base_lib_print.h"

namespace {

int HexDigitValue(char c) noexcept
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

}  // namespace

std::uint32_t BaseLib_StrTrimRight(BaseLibContext* pContext, char* text, std::int32_t size) noexcept
{
    if (pContext == nullptr || text == nullptr || size < 0) {
        return 0;
    }
    // Looks no further than the size allows: a text without a NUL within it
    // is longer than the size.
    const auto limit = static_cast<std::size_t>(size);
    const void* const end = std::memchr(text, '\0', limit + 1);
    if (end == nullptr) {
        return 0;
    }
    std::size_t length = static_cast<std::size_t>(static_cast<const char*>(end) - text);
    while (length > 0 && text[length - 1] == ' ') {
        text[--length] = '\0';
    }
    return 1;
}

std::uint32_t BaseLib_StrToUpper(BaseLibContext* pContext, char* text) noexcept
{
    if (pContext == nullptr || text == nullptr) {
        return 0;
    }
    for (char* p = text; *p != '\0'; ++p) {
        if (*p >= 'a' && *p <= 'z') {
            *p = static_cast<char>(*p - 'a' + 'A');
        }
    }
    return 1;
}

std::uint32_t BaseLib_StrSkipHexPrefix(BaseLibContext* pContext, char* text, std::uint32_t size) noexcept
{
    if (pContext == nullptr || text == nullptr) {
        return 0;
    }
    BaseLib_StrToUpper(pContext, text);
    const std::size_t scratchSize = 3 * (std::strlen(text) + 1);
    auto* const scratch = static_cast<char*>(BaseLibHeap_Allocate(scratchSize));
    if (scratch == nullptr) {
        return 1;
    }
    // What a failed format leaves behind is an empty text.
    scratch[0] = '\0';
    const char* const prefix = std::strstr(text, "0X");
    const char* const digits = prefix != nullptr ? prefix + 2 : text;
    // An empty text gets a 3-byte scratch buffer, less than the 4 bytes that
    // formatting needs: it fails here.
    const std::uint32_t result =
        BaseLib_SPrint(pContext, scratch, static_cast<std::int32_t>(scratchSize), "%s", digits);
    const std::size_t copied = size < scratchSize ? size : scratchSize;
    std::memcpy(text, scratch, copied);
    BaseLibHeap_Release(scratch);
    return result;
}

std::uint32_t BaseLib_StrHexToNum(BaseLibContext* pContext, const char* text, void* output,
                                  std::uint8_t width) noexcept
{
    if (pContext == nullptr || text == nullptr || output == nullptr || (width != 1 && width != 2 && width != 4)) {
        return 0;
    }
    const std::size_t textSize = std::strlen(text) + 1;
    auto* const copy = static_cast<char*>(BaseLibHeap_Allocate(textSize));
    if (copy == nullptr) {
        return 0;
    }
    std::memcpy(copy, text, textSize);
    if (BaseLib_StrSkipHexPrefix(pContext, copy, static_cast<std::uint32_t>(textSize)) == 0) {
        BaseLibHeap_Release(copy);
        return 0;
    }
    const std::size_t length = std::strlen(copy);
    if (length > 2u * width) {
        BaseLibHeap_Release(copy);
        return 1;
    }
    // Each digit weighs by its place in the whole text, so digits before a
    // stray character keep their weight: "12G4" is 0x1200.
    std::uint32_t value = 0;
    std::uint32_t result = 1;
    for (std::size_t i = 0; i < length; ++i) {
        const int digit = HexDigitValue(copy[i]);
        if (digit < 0) {
            result = 0;
            break;
        }
        value |= static_cast<std::uint32_t>(digit) << (4 * (length - 1 - i));
    }
    if (width == 1) {
        const auto narrow = static_cast<std::uint8_t>(value);
        std::memcpy(output, &narrow, sizeof narrow);
    } else if (width == 2) {
        const auto narrow = static_cast<std::uint16_t>(value);
        std::memcpy(output, &narrow, sizeof narrow);
    } else {
        std::memcpy(output, &value, sizeof value);
    }
    BaseLibHeap_Release(copy);
    return result;
}
