#include "lang/win32/language_loader.h"

#include "app/records.h"
#include "baselib/process_tables.h"

LanguageLoader::LanguageLoader() noexcept
{
    SetUpProcessTables(&g_BaseLibTable, &g_IniParserTable);
    if (g_BaseLibTable.Initialised != 0) {
        g_BaseLibTable.BaseLib_MmZeroMem(&g_BaseLibTable.Context, &g_StringCatalog,
                                         static_cast<std::int32_t>(sizeof g_StringCatalog));
    }
}

LanguageLoader::~LanguageLoader()
{
    TearDownProcessTables(&g_BaseLibTable, &g_IniParserTable);
}

void LanguageLoader::LanguageLoader_Load() noexcept
{
    // The built-in language file is not carried yet: the catalog stays all
    // zero, and message boxes take the platform's captions.
}
