#pragma once
// The string services of a BaseLibTable (slots 7 to 10). Narrow texts,
// changed in place. Users reach them through the table.
#include <cstdint>

#include "baselib/base_lib_table.h"

// Overwrites the trailing blanks with NULs. 0, with nothing changed, when
// the text is longer than size.
std::uint32_t BaseLib_StrTrimRight(BaseLibContext* pContext, char* text, std::int32_t size) noexcept;
// a to z become A to Z; every other byte stays.
std::uint32_t BaseLib_StrToUpper(BaseLibContext* pContext, char* text) noexcept;
// Upper-cases the text and keeps only what follows its first "0X". At most
// size bytes are written, so pass the size of the text's buffer.
std::uint32_t BaseLib_StrSkipHexPrefix(BaseLibContext* pContext, char* text, std::uint32_t size) noexcept;
// Converts hexadecimal text ("0x0409", " 0X0404", "0409") into a 1-, 2- or
// 4-byte unsigned number at output:
// - 1 with the value stored;
// - 1 with the output untouched when the digits do not fit the width;
// - 0 with the digits before the first stray character stored ("12G4"
//   gives 0x1200);
// - 0 with the output untouched for a bad argument or an empty text.
std::uint32_t BaseLib_StrHexToNum(BaseLibContext* pContext, const char* text, void* output,
                                  std::uint8_t width) noexcept;
