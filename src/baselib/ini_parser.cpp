#include "baselib/ini_parser.h"

#include <cstring>
#include <string_view>

#include "baselib/ini_line_scan.h"
#include "baselib/ini_lookup.h"

namespace {

constexpr std::uint32_t kNone = 0xFFFFFFFFu;

// Allocation through the reader's own table.
class ReaderServices {
public:
    explicit ReaderServices(IniParserContext* pContext) noexcept
        : Base(*pContext->pBaseLib), Context(&pContext->pBaseLib->Context)
    {
    }

    [[nodiscard]] void* Allocate(std::size_t size) noexcept
    {
        return size <= 0xFFFFFFFFu ? Base.BaseLib_MmAllocMem(Context, static_cast<std::uint32_t>(size)) : nullptr;
    }

    void Release(void* block) noexcept { Base.BaseLib_MmFreeMem(Context, block); }

    // A NUL-terminated heap copy, or null.
    [[nodiscard]] char* Copy(std::string_view text) noexcept
    {
        auto* const copy = static_cast<char*>(Allocate(text.size() + 1));
        if (copy != nullptr) {
            Base.BaseLib_MmCopyMem(Context, copy, text.data(), static_cast<std::int32_t>(text.size()));
            copy[text.size()] = '\0';
        }
        return copy;
    }

    BaseLibTable& Base;
    BaseLibContext* Context;
};

IniSection* BuildSection(ReaderServices& services, LinkedListOps& lists, std::string_view name,
                         std::uint32_t index) noexcept
{
    auto* const section = static_cast<IniSection*>(services.Allocate(sizeof(IniSection)));
    char* const nameCopy = services.Copy(name);
    if (section == nullptr || nameCopy == nullptr) {
        services.Release(section);
        services.Release(nameCopy);
        return nullptr;
    }
    lists.LinkedList_Init(&section->Keys);
    section->SectionIndex = index;
    section->Name = nameCopy;
    section->NameSize = static_cast<std::uint32_t>(name.size() + 1);
    return section;
}

IniKey* BuildKey(IniParserContext* pContext, ReaderServices& services, std::string_view name,
                 std::string_view value) noexcept
{
    auto* const key = static_cast<IniKey*>(services.Allocate(sizeof(IniKey)));
    char* const nameCopy = services.Copy(name);
    char* valueCopy = services.Copy(value);
    if (key == nullptr || nameCopy == nullptr || valueCopy == nullptr) {
        services.Release(key);
        services.Release(nameCopy);
        services.Release(valueCopy);
        return nullptr;
    }
    // Escapes are the only way to put a line break into a value.
    valueCopy = IniParser_ReplaceAll(pContext, valueCopy, "\\r", "\r");
    valueCopy = IniParser_ReplaceAll(pContext, valueCopy, "\\n", "\n");
    const std::size_t valueLength = std::strlen(valueCopy);
    key->Name = nameCopy;
    key->NameSize = static_cast<std::uint32_t>(name.size() + 1);
    key->Value = valueCopy;
    key->ValueSize = valueLength > 0 ? static_cast<std::uint32_t>(valueLength + 1) : 0;
    return key;
}

}  // namespace

std::uint32_t IniParser_ParseBuffer(IniParserContext* pContext, const char* text) noexcept
{
    if (!IniParser_IsUsable(pContext) || text == nullptr) {
        return 0;
    }
    ReaderServices services(pContext);
    LinkedListOps& lists = *pContext->pListOps;
    if (std::strncmp(text, "\xEF\xBB\xBF", 3) == 0) {
        text += 3;
    }

    // A second text continues the numbering of the first, so that a section
    // index names one section only.
    std::uint32_t sectionCounter = IniParser_GetSectionCount(pContext) - 1;
    std::uint32_t keyCounter = kNone;
    IniSection* current = nullptr;   // the section of this text that keys join

    while (*text != '\0') {
        const char* const lineFeed = std::strchr(text, '\n');
        const std::size_t length = lineFeed != nullptr ? static_cast<std::size_t>(lineFeed - text) : std::strlen(text);
        // Only what fits the line buffer is read; the rest of the line is
        // passed over up to its line feed.
        const std::string_view line(text, length < kIniMaxLineLength ? length : kIniMaxLineLength);
        text += length;
        if (*text == '\n') {
            ++text;
        }

        const IniLineScan scan = ScanIniLine(line);
        if (scan.kind == IniLineKind::Section) {
            keyCounter = kNone;
            current = BuildSection(services, lists, scan.name, sectionCounter + 1);
            if (current != nullptr) {
                ++sectionCounter;
                lists.LinkedList_InsertTail(&pContext->Sections, &current->Link);
            }
        } else if (scan.kind == IniLineKind::Key) {
            IniKey* const key = BuildKey(pContext, services, scan.name, scan.value);
            if (key == nullptr) {
                continue;
            }
            key->KeyIndex = ++keyCounter;
            key->SectionIndex = sectionCounter;
            if (current != nullptr) {
                lists.LinkedList_InsertTail(&current->Keys, &key->Link);
            } else {
                // Before the first section header: no section to join.
                services.Release(key->Name);
                services.Release(key->Value);
                services.Release(key);
            }
        }
    }
    return 1;
}

std::uint32_t IniParser_LoadFile(IniParserContext* pContext, const char* fileName) noexcept
{
    if (!IniParser_IsUsable(pContext) || fileName == nullptr) {
        return 0;
    }
    BaseLibTable& base = *pContext->pBaseLib;
    BaseLibContext* const services = &base.Context;
    FileHandle* const file = base.BaseLib_FileOpen(services, fileName, "r");
    if (file == nullptr) {
        return 0;
    }
    std::uint32_t result = 0;
    const std::uint32_t length = base.BaseLib_FileLength(services, file);
    constexpr std::uint32_t kSlack = 8;
    if (length <= 0xFFFFFFFFu - kSlack) {
        if (auto* const buffer = static_cast<char*>(base.BaseLib_MmAllocMem(services, length + kSlack))) {
            // In text mode fewer bytes may arrive than the file holds.
            const std::uint32_t read = base.BaseLib_FileRead(services, buffer, 1, length, file);
            buffer[read] = '\n';
            result = IniParser_ParseBuffer(pContext, buffer);
            base.BaseLib_MmFreeMem(services, buffer);
        }
    }
    base.BaseLib_FileClose(services, file);
    return result;
}

char* IniParser_ReplaceAll(IniParserContext* pContext, char* text, const char* pattern,
                           const char* replacement) noexcept
{
    if (!IniParser_IsUsable(pContext) || text == nullptr || pattern == nullptr || replacement == nullptr ||
        *pattern == '\0') {
        return text;
    }
    const std::size_t patternLength = std::strlen(pattern);
    const std::size_t replacementLength = std::strlen(replacement);
    std::size_t count = 0;
    for (const char* at = std::strstr(text, pattern); at != nullptr; at = std::strstr(at + patternLength, pattern)) {
        ++count;
    }
    if (count == 0) {
        return text;
    }
    const std::size_t textLength = std::strlen(text);
    const std::size_t resultLength = textLength - count * patternLength + count * replacementLength;
    ReaderServices services(pContext);
    auto* const result = static_cast<char*>(services.Allocate(resultLength + 1));
    if (result == nullptr) {
        return text;
    }
    char* out = result;
    const char* from = text;
    for (const char* at = std::strstr(from, pattern); at != nullptr; at = std::strstr(from, pattern)) {
        std::memcpy(out, from, static_cast<std::size_t>(at - from));
        out += at - from;
        std::memcpy(out, replacement, replacementLength);
        out += replacementLength;
        from = at + patternLength;
    }
    const std::size_t restLength = std::strlen(from);
    std::memcpy(out, from, restLength);
    out[restLength] = '\0';
    services.Release(text);
    return result;
}
