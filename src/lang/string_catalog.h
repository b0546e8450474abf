#pragma once
// The string catalog: the texts the program takes from its language file.
// One process-wide catalog (g_StringCatalog, lang/win32/language_loader.h)
// is filled once by the language loader and only read afterwards.
#include <cstddef>
#include <cstdint>

// The 36 texts of the catalog, in catalog order; each is named after the
// language-file key that fills it.
enum class CatalogEntry : std::uint32_t {
    BTN_TEXT_OK,
    BTN_TEXT_YES,
    BTN_TEXT_NO,
    BTN_TEXT_CANCEL,
    BTN_TEXT_ABORT,
    BTN_TEXT_RETRY,
    BTN_TEXT_IGNORE,
    BTN_TEXT_TRY,
    BTN_TEXT_CONTINUE,
    CFGTOOL_IDS_APP_TITLE,
    CFGTOOL_IDS_ABOUTBOX,
    CFGTOOL_IDS_INSTALL_WITH_LEGACY,
    CFGTOOL_IDS_ENABLE_WITH_LEGACY,
    CFGTOOL_IDS_SWITCH_WITH_LEGACY,
    CFGTOOL_IDS_ERR_INVALID_PARAM,
    CFGTOOL_IDS_ERR_ACCESS_WMI,
    CFGTOOL_IDS_ERR_LEGACY_ENABLED,
    CFGTOOL_IDS_ERR_ACCESS_SERVICE,
    CFGTOOL_IDS_ERR_ACCESS_PARTITION,
    CFGTOOL_IDS_ERR_SHRINK_PARTITION,
    CFGTOOL_IDS_ERR_EXTEND_PARTITION,
    CFGTOOL_IDS_ERR_COPY_DELETE_FILE,
    CFGTOOL_IDS_ERR_UNZIP_ANDROID_IMG,
    CFGTOOL_IDS_ERR_ACCESS_WIN_REG,
    CFGTOOL_IDS_ERR_ANDROID_NOT_FOUND,
    CFGTOOL_IDS_ERR_GENERAL,
    CFGTOOL_IDS_SWITCH_ENABLE,
    CFGTOOL_IDS_SWITCH_DISABLE,
    OSSWITCHER_IDS_APP_TITLE,
    OSSWITCHER_IDS_SWITCH_JUMP_LIST,
    OSSWITCHER_IDS_SWITCH_WITH_LEGACY,
    OSSWITCHER_IDS_SWITCH_REBOOT,
    OSSWITCHER_IDS_SWITCH_CONTINUE,
    OSSWITCHER_IDS_SWITCH_FEATURE_NOT_READY,
    WIXCA_IDS_REBOOT,
    WIXCA_IDS_CONTINUE,
};

inline constexpr std::size_t kCatalogEntryCount = 36;
inline constexpr std::size_t kLanguageSupportsListSize = 32;

// The language-file key of a catalog entry ("BTN_TEXT_OK", ...).
[[nodiscard]] const char* CatalogKeyName(CatalogEntry entry) noexcept;

struct StringCatalog {
    std::uint32_t Loaded;
    std::uint16_t LanguageIdentifier;
    std::uint32_t LanguageSupportsList[kLanguageSupportsListSize];
    std::uint32_t SilenceMode;
    std::uint32_t RebootAfterInstallation;
    std::uint64_t Unused;   // keeps the record's layout; nothing reads or writes it
    // Heap texts owned by the catalog for the life of the process; null
    // means that no text was loaded for the entry. A copy shares them.
    const wchar_t* Texts[kCatalogEntryCount];

    [[nodiscard]] const wchar_t* Text(CatalogEntry entry) const noexcept
    {
        return Texts[static_cast<std::size_t>(entry)];
    }
};
