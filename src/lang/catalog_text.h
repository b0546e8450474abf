#pragma once
// Storing one text of the language file in a catalog entry.
#include <cstddef>

#include "baselib/base_lib_table.h"
#include "lang/language_platform.h"

// The longest text an entry takes: 2048 bytes of UTF-16, NUL included.
inline constexpr std::size_t kCatalogTextMaxUnits = 1024;

// Converts `value` and stores a block of exactly its converted size, taken
// with the main table's BaseLib_MmAllocMem, in `entry`. A text that does not
// convert, is longer than 1023 characters or finds no block leaves `entry` as
// it was; an entry replaced here is never released (the catalog keeps its
// texts for the life of the process).
void StoreCatalogText(BaseLibTable& main, const LanguagePlatform& platform, const char* value,
                      const wchar_t*& entry) noexcept;
