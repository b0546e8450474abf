#pragma once
// Set-up and tear-down of an INI reader.
#include <cstdint>

#include "baselib/ini_parser_table.h"

// bInit 1 sets a cleared reader up: its own BaseLibTable and LinkedListOps
// on the heap, an empty section list, the 12 slots, the flag and the
// signature. On a missing block it releases what it got, leaves the table
// cleared and returns 0.
//
// bInit 0 tears a reader down: releases every section and key with their
// names and values, its own table and list operations, and clears the
// table. Returns 1, or 0 for a reader that was never set up or is already
// torn down (which is then left alone).
//
// Both return 0 when pTable is null; any other bInit returns 0 too.
[[nodiscard]] std::uint32_t IniParser_Setup(std::uint32_t bInit, IniParserTable* pTable) noexcept;
