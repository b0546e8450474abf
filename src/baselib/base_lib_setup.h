#pragma once
// Set-up and tear-down of a BaseLibTable.
#include <cstdint>

#include "baselib/base_lib_table.h"

// bInit 1 sets a cleared table up: its four blocks (status, tag-list head,
// LogConfig, list operations) from the heap, the 29 slots, the flag and the
// signature. On a missing block it releases what it got, leaves the table
// cleared and returns 0. Set up a cleared or torn-down table only: set-up
// clears the table first and would lose the blocks of a set-up one.
//
// bInit 0 tears a table down: releases every tagged block still held, the
// four blocks, and clears the table. A table that is not set up is left
// alone, so a second tear-down is harmless. Returns 1.
//
// Both return 0 when pTable is null; any other bInit returns 0 too.
[[nodiscard]] std::uint32_t BaseLib_Setup(std::uint32_t bInit, BaseLibTable* pTable) noexcept;

// The contract that every set-up entry of the library shares: bInit 1 sets
// the table up, 0 tears it down; another value, or no table, gives 0.
template <typename Table>
[[nodiscard]] std::uint32_t SetUpOrTearDown(std::uint32_t bInit, Table* pTable,
                                            std::uint32_t (*setUp)(Table*) noexcept,
                                            std::uint32_t (*tearDown)(Table*) noexcept) noexcept
{
    if (pTable == nullptr || bInit > 1) {
        return 0;
    }
    return bInit == 1 ? setUp(pTable) : tearDown(pTable);
}
