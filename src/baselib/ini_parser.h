#pragma once
// Parsing of INI text into a reader's tree (slots 2 and 3 of an
// IniParserTable). Users reach these through the table.
#include <cstdint>

#include "baselib/ini_parser_table.h"

// Parses NUL-terminated text, after a UTF-8 byte-order mark if there is one.
// Lines end at a line feed; the first 2047 bytes of a longer line are taken
// and the rest of it is passed over. Keys before the first section header
// are dropped, and so is a line whose records cannot be obtained. Sections
// of a second text are numbered on after those already held, so indexes
// stay unique and keys stay with their own text's sections.
std::uint32_t IniParser_ParseBuffer(IniParserContext* pContext, const char* text) noexcept;

// Reads the file whole (text mode) and parses it; 0 when the name is null,
// the file cannot be opened or no buffer can be obtained.
std::uint32_t IniParser_LoadFile(IniParserContext* pContext, const char* fileName) noexcept;

// Replaces every non-overlapping occurrence of pattern in a heap text of
// the reader and returns the text that holds the result: a new block, with
// the old one released, or the old one unchanged when there is nothing to
// replace or no block for the result.
[[nodiscard]] char* IniParser_ReplaceAll(IniParserContext* pContext, char* text, const char* pattern,
                                         const char* replacement) noexcept;
