#include "baselib/process_tables.h"

#include "baselib/base_lib_setup.h"
#include "baselib/ini_parser_setup.h"

// Plain records, zero before any code runs: no order of construction to
// worry about.
BaseLibTable g_BaseLibTable{};
IniParserTable g_IniParserTable{};

void SetUpProcessTables(BaseLibTable* main, IniParserTable* reader) noexcept
{
    (void)BaseLib_Setup(1, main);
    (void)IniParser_Setup(1, reader);
}

void TearDownProcessTables(BaseLibTable* main, IniParserTable* reader) noexcept
{
    (void)IniParser_Setup(0, reader);
    (void)BaseLib_Setup(0, main);
}
