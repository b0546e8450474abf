#include "lang/win32/language_loader.h"

#include <cstring>

#include "app/records.h"

LanguageLoader::LanguageLoader() noexcept
{
    std::memset(&g_StringCatalog, 0, sizeof g_StringCatalog);
}

LanguageLoader::~LanguageLoader() = default;

void LanguageLoader::LanguageLoader_Load() noexcept
{
    // The built-in language file is not carried yet: the catalog stays all
    // zero, and message boxes take the platform's captions.
}
