#pragma once
// The lookups of an INI reader (slots 1 and 4 to 11 of an IniParserTable).
// They walk the lists in order and never change the tree. Users reach them
// through the table, whose header describes each.
#include <cstdint>

#include "baselib/ini_parser_table.h"

ListLink* IniParser_GetSectionList(IniParserContext* pContext) noexcept;
std::uint32_t IniParser_GetSectionCount(IniParserContext* pContext) noexcept;
std::uint32_t IniParser_GetKeyCount(IniParserContext* pContext, std::uint32_t sectionIndex) noexcept;
IniSection* IniParser_FindSectionByIndex(IniParserContext* pContext, std::uint32_t sectionIndex) noexcept;
IniSection* IniParser_FindSectionByName(IniParserContext* pContext, const char* name) noexcept;
IniKey* IniParser_FindKeyByIndex(IniParserContext* pContext, std::uint32_t sectionIndex,
                                 std::uint32_t keyIndex) noexcept;
IniKey* IniParser_FindKeyByName(IniParserContext* pContext, std::uint32_t sectionIndex, const char* name) noexcept;
std::uint32_t IniParser_GetKeyName(IniParserContext* pContext, std::uint32_t sectionIndex, std::uint32_t keyIndex,
                                   char* buffer, std::uint32_t* size) noexcept;
std::uint32_t IniParser_GetValue(IniParserContext* pContext, std::uint32_t sectionIndex, const char* name,
                                 char* buffer, std::uint32_t* size) noexcept;
