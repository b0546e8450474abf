#pragma once
// The program's main BaseLibTable and its INI reader. The language loader
// sets both up in its load step, the first step of wWinMain, and its
// destruction, when wWinMain returns, tears them down. Both stay cleared (flag 0) when their set-up fails, and
// every user tests the flag before each call.
#include "baselib/base_lib_table.h"
#include "baselib/ini_parser_table.h"

extern BaseLibTable g_BaseLibTable;
extern IniParserTable g_IniParserTable;

// Sets up the main table, then the reader. Each may fail alone.
void SetUpProcessTables(BaseLibTable* main, IniParserTable* reader) noexcept;
// Tears down the reader first, then the main table. Safe to repeat.
void TearDownProcessTables(BaseLibTable* main, IniParserTable* reader) noexcept;
