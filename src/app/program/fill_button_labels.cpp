#include "app/program/fill_button_labels.h"

#include <cstring>

namespace {

// The catalog entry that fills each caption slot: the slot order is not the
// order of the BTN_TEXT_ keys in the catalog.
constexpr CatalogEntry kSlotEntries[kButtonSlotCount] = {
    CatalogEntry::BTN_TEXT_OK,     CatalogEntry::BTN_TEXT_CANCEL, CatalogEntry::BTN_TEXT_ABORT,
    CatalogEntry::BTN_TEXT_TRY,    CatalogEntry::BTN_TEXT_RETRY,  CatalogEntry::BTN_TEXT_IGNORE,
    CatalogEntry::BTN_TEXT_YES,    CatalogEntry::BTN_TEXT_NO,     CatalogEntry::BTN_TEXT_CONTINUE,
};

}  // namespace

void FillButtonLabels(const StringCatalog& catalog, ButtonLabels& labels) noexcept
{
    std::memset(&labels, 0, sizeof labels);
    labels.fromLanguageFile = catalog.Loaded != 0 ? 1 : 0;
    for (std::size_t slot = 0; slot < kButtonSlotCount; ++slot) {
        CopyCaption(catalog.Text(kSlotEntries[slot]), labels.Captions[slot]);
    }
}
