// The language load over arbitrary language files: the first two bytes are
// the system locale, the rest is the file. Fresh tables for every input; the
// catalog's blocks are recorded and released afterwards.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "app/ground/records.h"
#include "baselib/base_lib_setup.h"
#include "baselib/ini_parser_setup.h"
#include "lang/catalog_loader.h"
#include "portable_utf8.h"

namespace {

std::vector<void*> g_blocks;
void* (*g_realAllocate)(BaseLibContext*, std::uint32_t) noexcept = nullptr;

class FuzzPlatform final : public LanguagePlatform {
public:
    explicit FuzzPlatform(std::uint32_t locale) noexcept : locale_(locale) {}
    std::uint32_t SystemDefaultLocale() const noexcept override { return locale_; }
    int Utf8ToWide(const char* text, wchar_t* buffer, int bufferUnits) const noexcept override
    {
        return PortableUtf8ToWide(text, buffer, bufferUnits);
    }

private:
    std::uint32_t locale_;
};

void* RecordingAllocate(BaseLibContext* context, std::uint32_t size) noexcept
{
    void* block = g_realAllocate(context, size);
    if (block != nullptr) {
        g_blocks.push_back(block);
    }
    return block;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2) {
        return 0;
    }
    const FuzzPlatform platform(static_cast<std::uint32_t>(data[0] | data[1] << 8));
    std::vector<char> file(data + 2, data + size);
    file.push_back('\0');

    BaseLibTable main{};
    IniParserTable reader{};
    if (BaseLib_Setup(1, &main) == 0 || IniParser_Setup(1, &reader) == 0) {
        __builtin_trap();
    }
    g_realAllocate = main.BaseLib_MmAllocMem;
    main.BaseLib_MmAllocMem = RecordingAllocate;

    StringCatalog catalog{};
    LoadStringCatalog(main, reader, file.data(), platform, catalog);

    for (void* block : g_blocks) {
        (void)main.BaseLib_MmFreeMem(&main.Context, block);
    }
    g_blocks.clear();
    (void)IniParser_Setup(0, &reader);
    (void)BaseLib_Setup(0, &main);
    return 0;
}
