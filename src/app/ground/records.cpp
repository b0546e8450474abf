#include "app/ground/records.h"

#include <cstring>

StringCatalog g_StringCatalog{};
ButtonLabels g_ButtonLabels{};
std::uint32_t g_ShowMsg = 0;

namespace {

constexpr const char* kCatalogKeyNames[kCatalogEntryCount] = {
    "BTN_TEXT_OK",
    "BTN_TEXT_YES",
    "BTN_TEXT_NO",
    "BTN_TEXT_CANCEL",
    "BTN_TEXT_ABORT",
    "BTN_TEXT_RETRY",
    "BTN_TEXT_IGNORE",
    "BTN_TEXT_TRY",
    "BTN_TEXT_CONTINUE",
    "CFGTOOL_IDS_APP_TITLE",
    "CFGTOOL_IDS_ABOUTBOX",
    "CFGTOOL_IDS_INSTALL_WITH_LEGACY",
    "CFGTOOL_IDS_ENABLE_WITH_LEGACY",
    "CFGTOOL_IDS_SWITCH_WITH_LEGACY",
    "CFGTOOL_IDS_ERR_INVALID_PARAM",
    "CFGTOOL_IDS_ERR_ACCESS_WMI",
    "CFGTOOL_IDS_ERR_LEGACY_ENABLED",
    "CFGTOOL_IDS_ERR_ACCESS_SERVICE",
    "CFGTOOL_IDS_ERR_ACCESS_PARTITION",
    "CFGTOOL_IDS_ERR_SHRINK_PARTITION",
    "CFGTOOL_IDS_ERR_EXTEND_PARTITION",
    "CFGTOOL_IDS_ERR_COPY_DELETE_FILE",
    "CFGTOOL_IDS_ERR_UNZIP_ANDROID_IMG",
    "CFGTOOL_IDS_ERR_ACCESS_WIN_REG",
    "CFGTOOL_IDS_ERR_ANDROID_NOT_FOUND",
    "CFGTOOL_IDS_ERR_GENERAL",
    "CFGTOOL_IDS_SWITCH_ENABLE",
    "CFGTOOL_IDS_SWITCH_DISABLE",
    "OSSWITCHER_IDS_APP_TITLE",
    "OSSWITCHER_IDS_SWITCH_JUMP_LIST",
    "OSSWITCHER_IDS_SWITCH_WITH_LEGACY",
    "OSSWITCHER_IDS_SWITCH_REBOOT",
    "OSSWITCHER_IDS_SWITCH_CONTINUE",
    "OSSWITCHER_IDS_SWITCH_FEATURE_NOT_READY",
    "WIXCA_IDS_REBOOT",
    "WIXCA_IDS_CONTINUE",
};

constexpr CatalogEntry kSlotEntries[kButtonSlotCount] = {
    CatalogEntry::BTN_TEXT_OK,     CatalogEntry::BTN_TEXT_CANCEL, CatalogEntry::BTN_TEXT_ABORT,
    CatalogEntry::BTN_TEXT_TRY,    CatalogEntry::BTN_TEXT_RETRY,  CatalogEntry::BTN_TEXT_IGNORE,
    CatalogEntry::BTN_TEXT_YES,    CatalogEntry::BTN_TEXT_NO,     CatalogEntry::BTN_TEXT_CONTINUE,
};

}  // namespace

const char* CatalogKeyName(CatalogEntry entry) noexcept
{
    const auto index = static_cast<std::size_t>(entry);
    return index < kCatalogEntryCount ? kCatalogKeyNames[index] : "";
}

CatalogEntry CatalogEntryOfSlot(ButtonSlot slot) noexcept
{
    return kSlotEntries[static_cast<std::size_t>(slot)];
}

void CopyCaption(const wchar_t* text, wchar_t (&caption)[kButtonCaptionSize]) noexcept
{
    std::size_t length = 0;
    if (text != nullptr) {
        while (length + 1 < kButtonCaptionSize && text[length] != L'\0') {
            caption[length] = text[length];
            ++length;
        }
    }
    caption[length] = L'\0';
}

void FillButtonLabels(const StringCatalog& catalog, ButtonLabels& labels) noexcept
{
    std::memset(&labels, 0, sizeof labels);
    labels.fromLanguageFile = catalog.Loaded != 0 ? 1 : 0;
    for (std::size_t slot = 0; slot < kButtonSlotCount; ++slot) {
        CopyCaption(catalog.Text(kSlotEntries[slot]), labels.Captions[slot]);
    }
}
