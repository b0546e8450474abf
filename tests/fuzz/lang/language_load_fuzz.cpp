// The language load over any language file: the first two bytes are the
// system locale, the rest is the file. Fresh tables for every input; the
// blocks the catalog took are released afterwards, so that a leak shows.
#include <cstdint>
#include <vector>

#include "baselib/base_lib_setup.h"
#include "baselib/ini_parser_setup.h"
#include "lang/catalog_loader.h"
#include "portable_utf8.h"

namespace {

class FuzzPlatform final : public LanguagePlatform {
public:
    explicit FuzzPlatform(std::uint32_t locale) noexcept : locale_(locale) {}
    std::uint32_t SystemDefaultLocale() const noexcept override { return locale_; }
    int Utf8ToWide(const char* text, wchar_t* buffer, int units) const noexcept override
    {
        return PortableUtf8ToWide(text, buffer, units);
    }

private:
    std::uint32_t locale_;
};

std::vector<void*> g_blocks;
void* (*g_allocate)(BaseLibContext*, std::uint32_t) noexcept = nullptr;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    BaseLibTable main{};
    IniParserTable reader{};
    if (size < 2 || BaseLib_Setup(1, &main) == 0 || IniParser_Setup(1, &reader) == 0) {
        return 0;
    }
    g_allocate = main.BaseLib_MmAllocMem;
    main.BaseLib_MmAllocMem = [](BaseLibContext* context, std::uint32_t bytes) noexcept {
        void* block = g_allocate(context, bytes);
        g_blocks.push_back(block);
        return block;
    };
    std::vector<char> file(data + 2, data + size);
    file.push_back('\0');
    StringCatalog catalog{};
    LoadStringCatalog(main, reader, file.data(), FuzzPlatform(data[0] | data[1] << 8), catalog);
    for (void* block : g_blocks) {
        (void)main.BaseLib_MmFreeMem(&main.Context, block);
    }
    g_blocks.clear();
    (void)IniParser_Setup(0, &reader);
    (void)BaseLib_Setup(0, &main);
    return 0;
}
