// Any bytes as INI text: the parse, lookups named by the parsed names, the
// copy-out into a tight buffer, and a tear-down that must leave the
// counters where they were (leaks are the leak checker's to find).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "baselib/base_lib_setup.h"
#include "baselib/ini_parser_setup.h"

namespace {

std::uint32_t ReaderCount()
{
    IniParserTable probe{};
    if (IniParser_Setup(1, &probe) == 0) {
        std::abort();
    }
    const std::uint32_t count = probe.IniParser_GetInstanceCount() - 1;
    (void)IniParser_Setup(0, &probe);
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<char> text(data, data + size);
    text.push_back('\0');
    const std::uint32_t before = ReaderCount();

    IniParserTable reader{};
    if (IniParser_Setup(1, &reader) == 0) {
        return 0;
    }
    IniParserContext* const ctx = &reader.Context;
    if (reader.IniParser_ParseBuffer(ctx, text.data()) != 1) {
        std::abort();
    }
    const std::uint32_t sections = reader.IniParser_GetSectionCount(ctx);
    for (std::uint32_t s = 0; s < sections; ++s) {
        IniSection* const section = reader.IniParser_FindSectionByIndex(ctx, s);
        if (section == nullptr || section->NameSize != std::strlen(section->Name) + 1 ||
            section->NameSize > kIniLineBufferSize ||
            reader.IniParser_FindSectionByName(ctx, section->Name) == nullptr) {
            std::abort();
        }
        const std::uint32_t keys = reader.IniParser_GetKeyCount(ctx, s);
        for (std::uint32_t k = 0; k < keys; ++k) {
            IniKey* const key = reader.IniParser_FindKeyByIndex(ctx, s, k);
            if (key == nullptr || key->NameSize != std::strlen(key->Name) + 1 || key->NameSize > kIniLineBufferSize) {
                std::abort();
            }
            if (reader.IniParser_FindKeyByName(ctx, s, key->Name) == nullptr) {
                std::abort();
            }
            // A buffer of exactly the needed size, so that any byte beyond
            // it is an overflow the sanitizer sees.
            std::uint32_t needed = 0;
            if (reader.IniParser_GetValue(ctx, s, key->Name, nullptr, &needed) != 1) {
                std::abort();
            }
            std::vector<char> value(needed == 0 ? 1 : needed);
            std::uint32_t room = needed;
            if (needed > 0 && reader.IniParser_GetValue(ctx, s, key->Name, value.data(), &room) != 1) {
                std::abort();
            }
            room = needed == 0 ? 0 : needed - 1;
            if (needed > 1 && reader.IniParser_GetValue(ctx, s, key->Name, value.data(), &room) != 0) {
                std::abort();
            }
        }
    }
    if (IniParser_Setup(0, &reader) != 1 || ReaderCount() != before) {
        std::abort();
    }
    return 0;
}
