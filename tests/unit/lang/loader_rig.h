#pragma once
// A language load on tables of its own, for a chosen system locale, with the
// platform's UTF-8 conversion written out for builds without the platform.
// The program never releases the catalog's blocks; the rig does, so that a
// leak shows. The unit tests and the fuzz target share it.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "baselib/base_lib_memory.h"
#include "baselib/base_lib_setup.h"
#include "baselib/ini_parser_setup.h"
#include "lang/catalog_loader.h"

// The table's slot takes no user data: one rig at a time keeps its blocks
// (with their sizes) here, and gives out only g_blocksLeft more (-1: any).
inline std::vector<std::pair<void*, std::uint32_t>> g_blocks;
inline int g_blocksLeft = -1;

class LoaderRig final : private LanguagePlatform {
public:
    LoaderRig()
    {
        g_blocks.clear();
        g_blocksLeft = -1;
        main.BaseLib_MmAllocMem = [](BaseLibContext* context, std::uint32_t size) noexcept -> void* {
            void* block = g_blocksLeft == 0 ? nullptr : BaseLib_MmAllocMem(context, size);
            g_blocksLeft -= g_blocksLeft > 0 ? 1 : 0;
            return block != nullptr ? g_blocks.emplace_back(block, size).first : nullptr;
        };
    }
    ~LoaderRig()
    {
        for (const auto& block : g_blocks) {
            (void)main.BaseLib_MmFreeMem(&main.Context, block.first);
        }
        (void)IniParser_Setup(0, &reader), (void)BaseLib_Setup(0, &main);
    }
    void Load(const std::string& file, std::uint32_t locale)
    {
        locale_ = locale;
        LoadStringCatalog(main, reader, file.c_str(), *this, catalog);
    }
    std::wstring Text(CatalogEntry entry) const { return catalog.Text(entry) ? catalog.Text(entry) : L"<null>"; }
    std::size_t NullEntries() const { return std::count(std::begin(catalog.Texts), std::end(catalog.Texts), nullptr); }

    BaseLibTable main{};
    IniParserTable reader{};
    std::uint32_t ok = BaseLib_Setup(1, &main) & IniParser_Setup(1, &reader);
    StringCatalog catalog{};

private:
    std::uint32_t SystemDefaultLocale() const noexcept override { return locale_; }
    // As MultiByteToWideChar does it for a NUL-ended text: 0 units ask for
    // the size, a buffer too small gives 0. The tests' texts are well formed
    // and within the first plane; other input only has to stay inside its bytes.
    int Utf8ToWide(const char* text, wchar_t* buffer, int bufferUnits) const noexcept override
    {
        std::wstring units;
        for (const auto* byte = reinterpret_cast<const unsigned char*>(text); text != nullptr && *byte != 0;) {
            const int extra = *byte < 0xC0 ? 0 : *byte < 0xE0 ? 1 : *byte < 0xF0 ? 2 : 3;
            std::uint32_t code = *byte++ & (0x7Fu >> extra);
            for (int k = 0; k < extra && (*byte & 0xC0) == 0x80; ++k) {
                code = (code << 6) | (*byte++ & 0x3Fu);
            }
            units += static_cast<wchar_t>(code);
        }
        const auto needed = static_cast<int>(units.size() + 1);
        if (text == nullptr || bufferUnits < 0 || (bufferUnits > 0 && (bufferUnits < needed || buffer == nullptr))) {
            return 0;
        }
        if (bufferUnits > 0) {
            buffer[units.copy(buffer, units.size())] = L'\0';
        }
        return needed;
    }
    std::uint32_t locale_ = 0;
};
