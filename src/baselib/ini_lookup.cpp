#include "baselib/ini_lookup.h"

#include <cstring>

namespace {

// The first element of the list at head that match accepts; null for none.
template <typename Element, typename Match>
Element* FindInList(ListLink& head, Match match) noexcept
{
    for (ListLink* link = head.next; link != &head; link = link->next) {
        if (Element* const element = ListElement<Element>(link); match(*element)) {
            return element;
        }
    }
    return nullptr;
}

std::uint32_t CountList(const ListLink& head) noexcept
{
    std::uint32_t count = 0;
    for (const ListLink* link = head.next; link != &head; link = link->next) {
        ++count;
    }
    return count;
}

// The copy-out protocol shared by the key's name and its value.
std::uint32_t CopyOut(IniParserContext* pContext, const char* text, std::uint32_t needed, char* buffer,
                      std::uint32_t* size) noexcept
{
    if (buffer == nullptr && *size == 0) {
        *size = needed;
        return 1;
    }
    if (buffer == nullptr || *size < needed) {
        return 0;
    }
    *size = needed;
    BaseLibTable& base = *pContext->pBaseLib;
    base.BaseLib_MmCopyMem(&base.Context, buffer, text, static_cast<std::int32_t>(needed));
    return 1;
}

}  // namespace

ListLink* IniParser_GetSectionList(IniParserContext* pContext) noexcept
{
    return IniParser_IsUsable(pContext) ? &pContext->Sections : nullptr;
}

std::uint32_t IniParser_GetSectionCount(IniParserContext* pContext) noexcept
{
    return IniParser_IsUsable(pContext) ? CountList(pContext->Sections) : 0;
}

std::uint32_t IniParser_GetKeyCount(IniParserContext* pContext, std::uint32_t sectionIndex) noexcept
{
    const IniSection* const section = IniParser_FindSectionByIndex(pContext, sectionIndex);
    return section != nullptr ? CountList(section->Keys) : 0;
}

IniSection* IniParser_FindSectionByIndex(IniParserContext* pContext, std::uint32_t sectionIndex) noexcept
{
    if (!IniParser_IsUsable(pContext)) {
        return nullptr;
    }
    return FindInList<IniSection>(pContext->Sections,
                                  [&](const IniSection& section) { return section.SectionIndex == sectionIndex; });
}

IniSection* IniParser_FindSectionByName(IniParserContext* pContext, const char* name) noexcept
{
    if (!IniParser_IsUsable(pContext) || name == nullptr) {
        return nullptr;
    }
    return FindInList<IniSection>(pContext->Sections,
                                  [&](const IniSection& section) { return std::strcmp(section.Name, name) == 0; });
}

IniKey* IniParser_FindKeyByIndex(IniParserContext* pContext, std::uint32_t sectionIndex,
                                 std::uint32_t keyIndex) noexcept
{
    IniSection* const section = IniParser_FindSectionByIndex(pContext, sectionIndex);
    if (section == nullptr) {
        return nullptr;
    }
    return FindInList<IniKey>(section->Keys, [&](const IniKey& key) { return key.KeyIndex == keyIndex; });
}

IniKey* IniParser_FindKeyByName(IniParserContext* pContext, std::uint32_t sectionIndex, const char* name) noexcept
{
    if (name == nullptr) {
        return nullptr;
    }
    IniSection* const section = IniParser_FindSectionByIndex(pContext, sectionIndex);
    if (section == nullptr) {
        return nullptr;
    }
    // Only the argument's bytes are compared: the blanks that stored names
    // keep before their "=" do not stand in the way.
    const std::size_t length = std::strlen(name);
    return FindInList<IniKey>(section->Keys,
                              [&](const IniKey& key) { return std::strncmp(key.Name, name, length) == 0; });
}

std::uint32_t IniParser_GetKeyName(IniParserContext* pContext, std::uint32_t sectionIndex, std::uint32_t keyIndex,
                                   char* buffer, std::uint32_t* size) noexcept
{
    if (size == nullptr) {
        return 0;
    }
    const IniKey* const key = IniParser_FindKeyByIndex(pContext, sectionIndex, keyIndex);
    return key != nullptr ? CopyOut(pContext, key->Name, key->NameSize, buffer, size) : 0;
}

std::uint32_t IniParser_GetValue(IniParserContext* pContext, std::uint32_t sectionIndex, const char* name,
                                 char* buffer, std::uint32_t* size) noexcept
{
    if (size == nullptr) {
        return 0;
    }
    const IniKey* const key = IniParser_FindKeyByName(pContext, sectionIndex, name);
    return key != nullptr ? CopyOut(pContext, key->Value, key->ValueSize, buffer, size) : 0;
}
