// Any text through the INI reader, then every key looked up by its name;
// the tear-down must release everything (the sanitizers judge).
#include <cstdint>
#include <cstdlib>
#include <string>

#include "baselib/ini_parser_setup.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    IniParserTable reader{};
    if (IniParser_Setup(1, &reader) == 0) {
        return 0;
    }
    IniParserContext* const ctx = &reader.Context;
    if (reader.IniParser_ParseBuffer(ctx, text.c_str()) != 1) {
        std::abort();
    }
    for (std::uint32_t s = 0; s < reader.IniParser_GetSectionCount(ctx); ++s) {
        for (std::uint32_t k = 0; k < reader.IniParser_GetKeyCount(ctx, s); ++k) {
            const IniKey* const key = reader.IniParser_FindKeyByIndex(ctx, s, k);
            if (key == nullptr || reader.IniParser_FindKeyByName(ctx, s, key->Name) == nullptr) {
                std::abort();
            }
        }
    }
    (void)IniParser_Setup(0, &reader);
    return 0;
}
