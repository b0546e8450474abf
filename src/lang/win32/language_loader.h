#pragma once
// The owner of the base library's tables and of the loading of the string
// catalog. The tables are g_BaseLibTable and g_IniParserTable
// (baselib/process_tables.h); test a table's Initialised flag before every
// call through it.
#include "lang/language_platform.h"
#include "lang/string_catalog.h"

class LanguageLoader {
public:
    // Holds the platform only; nothing is set up before LanguageLoader_Load.
    // The platform must outlive the loader.
    explicit LanguageLoader(const LanguagePlatform& platform) noexcept : platform_(platform) {}
    // Tears down the reader, then the main table.
    ~LanguageLoader();

    LanguageLoader(const LanguageLoader&) = delete;
    LanguageLoader& operator=(const LanguageLoader&) = delete;

    // Sets up the base library's tables, zeroes g_StringCatalog and fills it
    // from the built-in language file. Never fails its caller: without
    // usable language data the catalog stays all zero.
    void LanguageLoader_Load() noexcept;

private:
    const LanguagePlatform& platform_;
};

// The process-wide catalog: all zero until LanguageLoader_Load fills it,
// only read afterwards.
extern StringCatalog g_StringCatalog;
