#include "lang/catalog_text.h"

#include <cstdint>

void StoreCatalogText(BaseLibTable& main, const LanguagePlatform& platform, const char* value,
                      const wchar_t*& entry) noexcept
{
    if (value == nullptr) {
        return;
    }
    const int units = platform.Utf8ToWide(value, nullptr, 0);
    if (units <= 0 || static_cast<std::size_t>(units) > kCatalogTextMaxUnits) {
        return;
    }
    wchar_t scratch[kCatalogTextMaxUnits] = {};
    if (platform.Utf8ToWide(value, scratch, static_cast<int>(kCatalogTextMaxUnits)) != units) {
        return;
    }
    if (main.Initialised == 0) {
        return;
    }
    const auto size = static_cast<std::uint32_t>(static_cast<std::size_t>(units) * sizeof(wchar_t));
    void* const block = main.BaseLib_MmAllocMem(&main.Context, size);
    if (block == nullptr) {
        return;
    }
    (void)main.BaseLib_MmCopyMem(&main.Context, block, scratch, static_cast<std::int32_t>(size));
    entry = static_cast<const wchar_t*>(block);
}
