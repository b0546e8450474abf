#include "lang/catalog_loader.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>

#include "lang/language_choice.h"

namespace {

// The entries of the catalog that a section may fill, in catalog order.
constexpr std::size_t kTextCount = kCatalogEntryCount;

// The loader's view of the two tables: every call is made only while the
// table's flag is set, and a skipped call answers as a failed one would.
class Tables {
public:
    Tables(BaseLibTable& main, IniParserTable& reader) noexcept : main_(main), reader_(reader) {}

    [[nodiscard]] BaseLibTable& Main() noexcept { return main_; }

    [[nodiscard]] std::uint32_t ParseBuffer(const char* text) noexcept
    {
        return reader_.Initialised != 0 ? reader_.IniParser_ParseBuffer(&reader_.Context, text) : 0;
    }
    [[nodiscard]] std::uint32_t SectionCount() noexcept
    {
        return reader_.Initialised != 0 ? reader_.IniParser_GetSectionCount(&reader_.Context) : 0;
    }
    [[nodiscard]] const IniSection* SectionByIndex(std::uint32_t index) noexcept
    {
        return reader_.Initialised != 0 ? reader_.IniParser_FindSectionByIndex(&reader_.Context, index) : nullptr;
    }
    [[nodiscard]] const IniSection* SectionByName(const char* name) noexcept
    {
        return reader_.Initialised != 0 ? reader_.IniParser_FindSectionByName(&reader_.Context, name) : nullptr;
    }
    // The value of the section's first key that begins with `name`, or null.
    [[nodiscard]] const char* Value(std::uint32_t sectionIndex, const char* name) noexcept
    {
        if (reader_.Initialised == 0) {
            return nullptr;
        }
        const IniKey* key = reader_.IniParser_FindKeyByName(&reader_.Context, sectionIndex, name);
        return key != nullptr ? key->Value : nullptr;
    }

    // A language identifier written in hexadecimal. The result starts at 0
    // for every conversion, so a text that the conversion leaves alone (the
    // empty one, one of more than four digits) gives 0.
    [[nodiscard]] std::uint16_t HexToLanguage(const char* text) noexcept
    {
        std::uint16_t language = 0;
        if (main_.Initialised != 0) {
            (void)main_.BaseLib_StrHexToNum(&main_.Context, text, &language, sizeof language);
        }
        return language;
    }

    void Zero(void* block, std::size_t size) noexcept
    {
        if (main_.Initialised != 0) {
            (void)main_.BaseLib_MmZeroMem(&main_.Context, block, static_cast<std::int32_t>(size));
        }
    }

private:
    BaseLibTable& main_;
    IniParserTable& reader_;
};

// atoi, with an absent value counting as 0 like an empty one.
int ValueAsInt(const char* value) noexcept
{
    return value != nullptr ? std::atoi(value) : 0;
}

// "LanguageSupportsList": identifiers separated by commas, empty pieces
// skipped. The pieces keep their blanks; the hexadecimal conversion drops
// everything up to "0x". Identifiers beyond the 32nd are ignored.
void ReadSupportsList(Tables& tables, const char* value, StringCatalog& catalog) noexcept
{
    if (value == nullptr) {
        return;
    }
    // A value is part of one line, which the reader keeps under 2048 bytes;
    // the copy is bounded all the same.
    char copy[kIniLineBufferSize] = {};
    std::strncpy(copy, value, sizeof copy - 1);

    std::size_t count = 0;
    char* piece = copy;
    while (*piece != '\0' && count < kLanguageSupportsListSize) {
        char* end = std::strchr(piece, ',');
        if (end != nullptr) {
            *end = '\0';
        }
        if (*piece != '\0') {
            catalog.LanguageSupportsList[count++] = tables.HexToLanguage(piece);
        }
        if (end == nullptr) {
            break;
        }
        piece = end + 1;
    }
}

void ReadGeneral(Tables& tables, StringCatalog& catalog) noexcept
{
    const IniSection* general = tables.SectionByName("GENERAL");
    if (general == nullptr) {
        return;
    }
    if (const char* identifier = tables.Value(general->SectionIndex, "LanguageIdentifier")) {
        catalog.LanguageIdentifier = tables.HexToLanguage(identifier);
    }
    ReadSupportsList(tables, tables.Value(general->SectionIndex, "LanguageSupportsList"), catalog);
}

// The first section, by index, that names `language` and whose
// CUSTOMIZED_STRING is `customized` (0: base, 1: customized). Sections of the
// same name are told apart only by that value.
const IniSection* FindLanguageSection(Tables& tables, std::uint16_t language, int customized) noexcept
{
    const std::uint32_t count = tables.SectionCount();
    for (std::uint32_t index = 0; index < count; ++index) {
        const char* kind = tables.Value(index, "CUSTOMIZED_STRING");
        const char* identifier = tables.Value(index, "LANG_ID_IDENTIFIER");
        if (kind == nullptr || identifier == nullptr) {
            continue;
        }
        if (tables.HexToLanguage(identifier) == language && ValueAsInt(kind) == customized) {
            return tables.SectionByIndex(index);
        }
    }
    return nullptr;
}

// One pass over a section: each catalog key that it holds replaces its entry.
void StoreSectionTexts(Tables& tables, const IniSection& section, const LanguagePlatform& platform,
                       StringCatalog& catalog) noexcept
{
    for (std::size_t entry = 0; entry < kTextCount; ++entry) {
        const char* value = tables.Value(section.SectionIndex, CatalogKeyName(static_cast<CatalogEntry>(entry)));
        if (value != nullptr) {
            StoreCatalogText(tables.Main(), platform, value, catalog.Texts[entry]);
        }
    }
}

void ReadInstallation(Tables& tables, StringCatalog& catalog) noexcept
{
    const IniSection* installation = tables.SectionByName("INSTALLATION");
    if (installation == nullptr) {
        return;
    }
    if (const char* silence = tables.Value(installation->SectionIndex, "SilenceMode")) {
        catalog.SilenceMode = ValueAsInt(silence) != 0 ? 1 : 0;
    }
    if (const char* reboot = tables.Value(installation->SectionIndex, "RebootAfterInstallation")) {
        catalog.RebootAfterInstallation = ValueAsInt(reboot) != 0 ? 1 : 0;
    }
}

}  // namespace

void LoadStringCatalog(BaseLibTable& main, IniParserTable& reader, const char* languageFile,
                       const LanguagePlatform& platform, StringCatalog& catalog) noexcept
{
    Tables tables(main, reader);
    tables.Zero(catalog.LanguageSupportsList, sizeof catalog.LanguageSupportsList);
    if (tables.ParseBuffer(languageFile) == 0) {
        return;
    }

    ReadGeneral(tables, catalog);
    catalog.Loaded = 0;

    const std::uint32_t systemLocale = platform.SystemDefaultLocale();
    const std::uint16_t language = ChooseLanguage(systemLocale, catalog.LanguageIdentifier,
                                                  catalog.LanguageSupportsList);

    // The base section gives every text; the customized one then replaces
    // the few that it holds.
    if (const IniSection* base = FindLanguageSection(tables, language, 0)) {
        catalog.Loaded = 1;
        StoreSectionTexts(tables, *base, platform, catalog);
        if (const IniSection* customized = FindLanguageSection(tables, language, 1)) {
            StoreSectionTexts(tables, *customized, platform, catalog);
        }
    }

    ReadInstallation(tables, catalog);
}
