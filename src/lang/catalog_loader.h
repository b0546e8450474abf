#pragma once
// Filling the string catalog from a language file: the choice of language,
// its base section, its customized section and the installer settings.
#include <cstdint>

#include "lang/string_catalog.h"
#include "baselib/base_lib_table.h"
#include "baselib/ini_parser_table.h"
#include "lang/catalog_text.h"
#include "lang/language_platform.h"

// Parses `languageFile` into `reader` and fills `catalog`, which the caller
// hands in as construction left it (all zero). Every call through a table
// is made only while its flag is set. Never fails its caller: without usable
// language data `Loaded` stays 0 and every text entry null.
void LoadStringCatalog(BaseLibTable& main, IniParserTable& reader, const char* languageFile,
                       const LanguagePlatform& platform, StringCatalog& catalog) noexcept;
