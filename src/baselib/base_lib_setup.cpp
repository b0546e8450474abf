#include "baselib/base_lib_setup.h"

#include <cstring>

#include "baselib/base_lib_bits.h"
#include "baselib/base_lib_file.h"
#include "baselib/base_lib_heap.h"
#include "baselib/base_lib_log.h"
#include "baselib/base_lib_memory.h"
#include "baselib/base_lib_output.h"
#include "baselib/base_lib_print.h"
#include "baselib/base_lib_string.h"

namespace {

// Set-up BaseLibTables in the process; reported, never consulted.
std::uint32_t g_BaseLibTableCount = 0;

std::uint32_t BaseLib_GetInstanceCount() noexcept
{
    return g_BaseLibTableCount;
}

void FillSlots(BaseLibTable* pTable) noexcept
{
    pTable->BaseLib_GetInstanceCount = &BaseLib_GetInstanceCount;
    pTable->BaseLib_Print = &BaseLib_Print;
    pTable->BaseLib_SPrint = &BaseLib_SPrint;
    pTable->BaseLib_VSPrint = &BaseLib_VSPrint;
    pTable->BaseLib_FilePrint = &BaseLib_FilePrint;
    pTable->BaseLib_PrintMsg = &BaseLib_PrintMsg;
    pTable->BaseLib_Log = &BaseLib_Log;
    pTable->BaseLib_StrTrimRight = &BaseLib_StrTrimRight;
    pTable->BaseLib_StrToUpper = &BaseLib_StrToUpper;
    pTable->BaseLib_StrSkipHexPrefix = &BaseLib_StrSkipHexPrefix;
    pTable->BaseLib_StrHexToNum = &BaseLib_StrHexToNum;
    pTable->BaseLib_PrintW = &BaseLib_PrintW;
    pTable->BaseLib_SPrintW = &BaseLib_SPrintW;
    pTable->BaseLib_FileOpen = &BaseLib_FileOpen;
    pTable->BaseLib_FileRead = &BaseLib_FileRead;
    pTable->BaseLib_FileWrite = &BaseLib_FileWrite;
    pTable->BaseLib_FileClose = &BaseLib_FileClose;
    pTable->BaseLib_FileLength = &BaseLib_FileLength;
    pTable->BaseLib_FileAppendStr = &BaseLib_FileAppendStr;
    pTable->BaseLib_MmZeroMem = &BaseLib_MmZeroMem;
    pTable->BaseLib_MmCopyMem = &BaseLib_MmCopyMem;
    pTable->BaseLib_MmCmpMem = &BaseLib_MmCmpMem;
    pTable->BaseLib_MmAllocMem = &BaseLib_MmAllocMem;
    pTable->BaseLib_MmAllocMemWithTag = &BaseLib_MmAllocMemWithTag;
    pTable->BaseLib_MmFreeMem = &BaseLib_MmFreeMem;
    pTable->BaseLib_MmFreeMemWithTag = &BaseLib_MmFreeMemWithTag;
    pTable->BaseLib_MmGetStatus = &BaseLib_MmGetStatus;
    pTable->BaseLib_BitIsSet = &BaseLib_BitIsSet;
    pTable->BaseLib_BitIsClear = &BaseLib_BitIsClear;
}

std::uint32_t SetUp(BaseLibTable* pTable) noexcept
{
    std::memset(pTable, 0, sizeof *pTable);
    auto* const status = static_cast<BaseLibStatus*>(BaseLibHeap_Allocate(sizeof(BaseLibStatus)));
    auto* const tagList = static_cast<ListLink*>(BaseLibHeap_Allocate(sizeof(ListLink)));
    auto* const logConfig = static_cast<LogConfig*>(BaseLibHeap_Allocate(sizeof(LogConfig)));
    auto* const listOps = static_cast<LinkedListOps*>(BaseLibHeap_Allocate(sizeof(LinkedListOps)));
    if (status == nullptr || tagList == nullptr || logConfig == nullptr || listOps == nullptr) {
        BaseLibHeap_Release(status);
        BaseLibHeap_Release(tagList);
        BaseLibHeap_Release(logConfig);
        BaseLibHeap_Release(listOps);
        return 0;
    }
    // Zeroed here as well, whatever heap is in place: a zero LogConfig keeps
    // the log off.
    std::memset(status, 0, sizeof *status);
    std::memset(tagList, 0, sizeof *tagList);
    std::memset(logConfig, 0, sizeof *logConfig);
    std::memset(listOps, 0, sizeof *listOps);

    LinkedListOps_Fill(listOps);
    listOps->LinkedList_Init(tagList);

    BaseLibContext& context = pTable->Context;
    context.pStatus = status;
    context.pTagList = tagList;
    context.pLogConfig = logConfig;
    context.pListOps = listOps;
    FillSlots(pTable);
    pTable->Initialised = 1;
    ++g_BaseLibTableCount;
    std::memcpy(context.Signature, kBaseLibSignature, sizeof context.Signature);
    return 1;
}

std::uint32_t TearDown(BaseLibTable* pTable) noexcept
{
    BaseLibContext& context = pTable->Context;
    LinkedListOps* const listOps = context.pListOps;
    if (listOps == nullptr) {
        return 1;
    }
    --g_BaseLibTableCount;
    if (listOps->Initialised != 0 && context.pTagList != nullptr) {
        // Blocks whose users never freed them go with the table.
        while (listOps->LinkedList_IsEmpty(context.pTagList) == 0) {
            TagInfo* const record = ListElement<TagInfo>(listOps->LinkedList_RemoveTail(context.pTagList));
            BaseLibHeap_Release(record->pAddress);
            BaseLibHeap_Release(record);
        }
    }
    if (listOps->Initialised != 0) {
        LinkedListOps_Clear(listOps);
    }
    BaseLibHeap_Release(context.pStatus);
    BaseLibHeap_Release(context.pTagList);
    BaseLibHeap_Release(context.pLogConfig);
    BaseLibHeap_Release(listOps);
    std::memset(pTable, 0, sizeof *pTable);
    return 1;
}

}  // namespace

std::uint32_t BaseLib_Setup(std::uint32_t bInit, BaseLibTable* pTable) noexcept
{
    return SetUpOrTearDown(bInit, pTable, SetUp, TearDown);
}
