#pragma once
// The INI reader's table of 12 operations and the tree it builds: sections
// in text order, each with its keys in text order.
//
// A user holds a set-up reader (IniParser_Setup, ini_parser_setup.h), tests
// its Initialised flag before every call and passes &reader.Context first:
//
//     if (reader.Initialised != 0 &&
//         reader.IniParser_ParseBuffer(&reader.Context, text) != 0) {
//         IniSection* general = reader.IniParser_FindSectionByName(&reader.Context, "GENERAL");
//         IniKey* key = general != nullptr
//             ? reader.IniParser_FindKeyByName(&reader.Context, general->SectionIndex, "LanguageIdentifier")
//             : nullptr;
//         // key->Value is the value, NUL-terminated; it lives until the
//         // reader's tear-down.
//     }
//
// Names and values are the bytes of the text (UTF-8 passes through), never
// case-folded. A key name keeps the blanks before its "="; name lookups
// compare only as many bytes as the name asked for, so "BTN_TEXT" finds
// "BTN_TEXT_OK": ask for full key names.
#include <cstddef>
#include <cstdint>

#include "baselib/base_lib_table.h"
#include "baselib/linked_list_ops.h"

struct IniSection {
    ListLink Link;                // place in the reader's section list
    ListLink Keys;                // head of the section's key list
    std::uint32_t SectionIndex;   // 0 for the first header, counting up
    char* Name;                   // the text between "[" and "]"
    std::uint32_t NameSize;       // bytes of Name's buffer, NUL included
};

struct IniKey {
    ListLink Link;                // place in its section's key list
    std::uint32_t KeyIndex;       // 0 for a section's first key, counting up
    std::uint32_t SectionIndex;
    char* Name;                   // as scanned, trailing blanks included
    std::uint32_t NameSize;       // length + 1
    char* Value;                  // escapes "\r" and "\n" already replaced
    std::uint32_t ValueSize;      // length + 1, or 0 for an empty value
};

struct IniParserContext {
    char Signature[4];            // "IniP" once set up
    BaseLibTable* pBaseLib;       // the reader's own table, on the heap
    LinkedListOps* pListOps;      // the reader's own list operations, on the heap
    ListLink Sections;            // head of the section list
};

// A reader whose operations can work: set up and not yet torn down.
[[nodiscard]] inline bool IniParser_IsUsable(const IniParserContext* pContext) noexcept
{
    return pContext != nullptr && pContext->pBaseLib != nullptr && pContext->pListOps != nullptr &&
           pContext->pBaseLib->Initialised != 0 && pContext->pListOps->Initialised != 0;
}

inline constexpr char kIniParserSignature[4] = {'I', 'n', 'i', 'P'};

// The longest line the reader takes whole: it works on 2048-byte lines. The
// bytes of a longer line beyond these are passed over.
inline constexpr std::size_t kIniLineBufferSize = 2048;
inline constexpr std::size_t kIniMaxLineLength = kIniLineBufferSize - 1;

struct IniParserTable {
    std::uint32_t Initialised;

    // Slot 0: number of set-up readers in the process. No context.
    std::uint32_t (*IniParser_GetInstanceCount)() noexcept;
    // The head of the section list, to walk it with ListElement<IniSection>;
    // null for an invalid reader.
    ListLink* (*IniParser_GetSectionList)(IniParserContext* pContext) noexcept;
    // Parses NUL-terminated UTF-8 or ASCII text and appends what it finds to
    // the tree. A second text's sections are numbered on after the first
    // one's. 1, or 0 for a null text or an invalid reader.
    std::uint32_t (*IniParser_ParseBuffer)(IniParserContext* pContext, const char* text) noexcept;
    // Reads the file whole in text mode and parses it; 0 when it cannot.
    std::uint32_t (*IniParser_LoadFile)(IniParserContext* pContext, const char* fileName) noexcept;
    std::uint32_t (*IniParser_GetSectionCount)(IniParserContext* pContext) noexcept;
    std::uint32_t (*IniParser_GetKeyCount)(IniParserContext* pContext, std::uint32_t sectionIndex) noexcept;
    IniSection* (*IniParser_FindSectionByIndex)(IniParserContext* pContext, std::uint32_t sectionIndex) noexcept;
    // The first section with exactly this name (case-sensitive), or null.
    IniSection* (*IniParser_FindSectionByName)(IniParserContext* pContext, const char* name) noexcept;
    IniKey* (*IniParser_FindKeyByIndex)(IniParserContext* pContext, std::uint32_t sectionIndex,
                                        std::uint32_t keyIndex) noexcept;
    // The first key of the section whose name begins with `name`, or null.
    IniKey* (*IniParser_FindKeyByName)(IniParserContext* pContext, std::uint32_t sectionIndex,
                                       const char* name) noexcept;
    // Copy-out of a key's name or value. *size holds the buffer's size on
    // entry. A null buffer with *size 0 asks for the needed size (stored in
    // *size, result 1). Otherwise 1 with the bytes and the NUL copied and
    // the needed size in *size, or 0 with the buffer untouched when it is
    // too small or no key is found. An empty value copies nothing.
    std::uint32_t (*IniParser_GetKeyName)(IniParserContext* pContext, std::uint32_t sectionIndex,
                                          std::uint32_t keyIndex, char* buffer, std::uint32_t* size) noexcept;
    std::uint32_t (*IniParser_GetValue)(IniParserContext* pContext, std::uint32_t sectionIndex, const char* name,
                                        char* buffer, std::uint32_t* size) noexcept;

    IniParserContext Context;
};

static_assert(offsetof(IniParserTable, IniParser_GetValue) - offsetof(IniParserTable, IniParser_GetInstanceCount) ==
              11 * sizeof(void (*)()));
