#include "lang/win32/language_loader.h"

#include "baselib/process_tables.h"
#include "lang/catalog_loader.h"
#include "lang/default_language_file.h"

StringCatalog g_StringCatalog{};

LanguageLoader::~LanguageLoader()
{
    TearDownProcessTables(&g_BaseLibTable, &g_IniParserTable);
}

void LanguageLoader::LanguageLoader_Load() noexcept
{
    SetUpProcessTables(&g_BaseLibTable, &g_IniParserTable);
    if (g_BaseLibTable.Initialised != 0) {
        g_BaseLibTable.BaseLib_MmZeroMem(&g_BaseLibTable.Context, &g_StringCatalog,
                                         static_cast<std::int32_t>(sizeof g_StringCatalog));
    }
    LoadStringCatalog(g_BaseLibTable, g_IniParserTable, DefaultLanguageFileText(), platform_, g_StringCatalog);
}
