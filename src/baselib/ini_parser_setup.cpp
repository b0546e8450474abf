#include "baselib/ini_parser_setup.h"

#include <cstring>

#include "baselib/base_lib_setup.h"
#include "baselib/ini_lookup.h"
#include "baselib/ini_parser.h"

namespace {

// Set-up readers in the process; reported, never consulted.
std::uint32_t g_IniParserCount = 0;

std::uint32_t IniParser_GetInstanceCount() noexcept
{
    return g_IniParserCount;
}

void FillSlots(IniParserTable* pTable) noexcept
{
    pTable->IniParser_GetInstanceCount = &IniParser_GetInstanceCount;
    pTable->IniParser_GetSectionList = &IniParser_GetSectionList;
    pTable->IniParser_ParseBuffer = &IniParser_ParseBuffer;
    pTable->IniParser_LoadFile = &IniParser_LoadFile;
    pTable->IniParser_GetSectionCount = &IniParser_GetSectionCount;
    pTable->IniParser_GetKeyCount = &IniParser_GetKeyCount;
    pTable->IniParser_FindSectionByIndex = &IniParser_FindSectionByIndex;
    pTable->IniParser_FindSectionByName = &IniParser_FindSectionByName;
    pTable->IniParser_FindKeyByIndex = &IniParser_FindKeyByIndex;
    pTable->IniParser_FindKeyByName = &IniParser_FindKeyByName;
    pTable->IniParser_GetKeyName = &IniParser_GetKeyName;
    pTable->IniParser_GetValue = &IniParser_GetValue;
}

// The reader's own blocks come and go through a table that lives for one
// set-up or tear-down only.
class TemporaryTable {
public:
    TemporaryTable() noexcept : Ok(BaseLib_Setup(1, &Table) != 0) {}
    ~TemporaryTable() { (void)BaseLib_Setup(0, &Table); }
    TemporaryTable(const TemporaryTable&) = delete;
    TemporaryTable& operator=(const TemporaryTable&) = delete;

    [[nodiscard]] bool IsSetUp() const noexcept { return Ok; }
    [[nodiscard]] BaseLibContext* Context() noexcept { return &Table.Context; }
    [[nodiscard]] BaseLibTable& Services() noexcept { return Table; }

private:
    BaseLibTable Table{};
    bool Ok;
};

std::uint32_t SetUp(IniParserTable* pTable) noexcept
{
    TemporaryTable temporary;
    if (!temporary.IsSetUp()) {
        return 0;
    }
    BaseLibTable& services = temporary.Services();
    services.BaseLib_MmZeroMem(temporary.Context(), pTable, static_cast<std::int32_t>(sizeof *pTable));

    auto* const baseLib = static_cast<BaseLibTable*>(
        services.BaseLib_MmAllocMem(temporary.Context(), static_cast<std::uint32_t>(sizeof(BaseLibTable))));
    auto* const listOps = static_cast<LinkedListOps*>(
        services.BaseLib_MmAllocMem(temporary.Context(), static_cast<std::uint32_t>(sizeof(LinkedListOps))));
    if (baseLib == nullptr || listOps == nullptr || BaseLib_Setup(1, baseLib) == 0) {
        services.BaseLib_MmFreeMem(temporary.Context(), baseLib);
        services.BaseLib_MmFreeMem(temporary.Context(), listOps);
        return 0;
    }
    LinkedListOps_Fill(listOps);

    IniParserContext& context = pTable->Context;
    context.pBaseLib = baseLib;
    context.pListOps = listOps;
    listOps->LinkedList_Init(&context.Sections);
    ++g_IniParserCount;
    FillSlots(pTable);
    pTable->Initialised = 1;
    std::memcpy(context.Signature, kIniParserSignature, sizeof context.Signature);
    return 1;
}

std::uint32_t TearDown(IniParserTable* pTable) noexcept
{
    IniParserContext& context = pTable->Context;
    LinkedListOps* const listOps = context.pListOps;
    if (listOps == nullptr) {
        return 0;
    }
    TemporaryTable temporary;
    if (!temporary.IsSetUp()) {
        return 0;
    }
    BaseLibTable& services = temporary.Services();
    BaseLibContext* const scratch = temporary.Context();
    --g_IniParserCount;

    if (listOps->Initialised != 0) {
        while (listOps->LinkedList_IsEmpty(&context.Sections) == 0) {
            IniSection* const section = ListElement<IniSection>(listOps->LinkedList_RemoveTail(&context.Sections));
            while (listOps->LinkedList_IsEmpty(&section->Keys) == 0) {
                IniKey* const key = ListElement<IniKey>(listOps->LinkedList_RemoveTail(&section->Keys));
                services.BaseLib_MmFreeMem(scratch, key->Name);
                services.BaseLib_MmFreeMem(scratch, key->Value);
                key->Name = nullptr;
                key->Value = nullptr;
                services.BaseLib_MmFreeMem(scratch, key);
            }
            services.BaseLib_MmFreeMem(scratch, section->Name);
            section->Name = nullptr;
            services.BaseLib_MmFreeMem(scratch, section);
        }
        LinkedListOps_Clear(listOps);
    }
    (void)BaseLib_Setup(0, context.pBaseLib);
    services.BaseLib_MmFreeMem(scratch, context.pBaseLib);
    services.BaseLib_MmFreeMem(scratch, listOps);
    std::memset(pTable, 0, sizeof *pTable);
    return 1;
}

}  // namespace

std::uint32_t IniParser_Setup(std::uint32_t bInit, IniParserTable* pTable) noexcept
{
    return SetUpOrTearDown(bInit, pTable, SetUp, TearDown);
}

