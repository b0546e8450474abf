// The language load over any language file: the first two bytes are the
// system locale, the rest is the file. Fresh tables for every input; the
// blocks the catalog took are released afterwards, so that a leak shows.
#include <cstdint>
#include <vector>

#include "../../unit/lang/portable_utf8.h"
#include "baselib/base_lib_setup.h"
#include "baselib/ini_parser_setup.h"
#include "lang/catalog_loader.h"

namespace {

struct FuzzPlatform final : LanguagePlatform {
    std::uint32_t SystemDefaultLocale() const noexcept override { return locale; }
    int Utf8ToWide(const char* text, wchar_t* buffer, int units) const noexcept override
    {
        return PortableUtf8ToWide(text, buffer, units);
    }
    std::uint32_t locale;
};

std::vector<void*> g_blocks;
void* (*g_allocate)(BaseLibContext*, std::uint32_t) noexcept = nullptr;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    BaseLibTable main{};
    IniParserTable reader{};
    if (size < 2 || (BaseLib_Setup(1, &main) & IniParser_Setup(1, &reader)) == 0) {
        return 0;
    }
    g_allocate = main.BaseLib_MmAllocMem;
    main.BaseLib_MmAllocMem = [](BaseLibContext* context, std::uint32_t bytes) noexcept {
        return g_blocks.emplace_back(g_allocate(context, bytes));
    };
    std::vector<char> file(data + 2, data + size);
    file.push_back('\0');
    StringCatalog catalog{};
    FuzzPlatform platform;
    platform.locale = data[0] | data[1] << 8;
    LoadStringCatalog(main, reader, file.data(), platform, catalog);
    for (void* block : g_blocks) {
        (void)main.BaseLib_MmFreeMem(&main.Context, block);
    }
    g_blocks.clear();
    (void)IniParser_Setup(0, &reader);
    (void)BaseLib_Setup(0, &main);
    return 0;
}
