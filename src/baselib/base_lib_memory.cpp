#include "baselib/base_lib_memory.h"

#include <cstring>

#include "baselib/base_lib_heap.h"
#include "baselib/base_lib_log.h"

namespace {

std::uint32_t LogMarker(BaseLibContext* pContext, const char* function, const char* marker) noexcept
{
    return BaseLib_Log(pContext, kLogInfo, kLogCategoryBaseLib, function, "%s", marker);
}

std::uint32_t LogParameterFailure(BaseLibContext* pContext, const char* function) noexcept
{
    return BaseLib_Log(pContext, kLogError, kLogCategoryBaseLib, function, "%s Failed to check input parameter(s).",
                       kLogFailed);
}

std::uint32_t LogNullContext(BaseLibContext* pContext, const char* function) noexcept
{
    return BaseLib_Log(pContext, kLogError, kLogCategoryBaseLib, function,
                       "%s Failed to check input parameter(s), pContext is NULL", kLogFailed);
}

// A context whose tag list can be used: set up and not yet torn down.
bool HasTagList(const BaseLibContext* pContext) noexcept
{
    return pContext != nullptr && pContext->pTagList != nullptr && pContext->pListOps != nullptr &&
           pContext->pListOps->Initialised != 0;
}

}  // namespace

std::uint32_t BaseLib_MmZeroMem(BaseLibContext* pContext, void* block, std::int32_t size) noexcept
{
    LogMarker(pContext, __func__, kLogEntryMarker);
    // A negative size is refused like a missing block: it cannot name bytes.
    if (pContext == nullptr || block == nullptr || size < 0) {
        return LogParameterFailure(pContext, __func__);
    }
    std::memset(block, 0, static_cast<std::size_t>(size));
    return LogMarker(pContext, __func__, kLogExitMarker);
}

std::uint32_t BaseLib_MmCopyMem(BaseLibContext* pContext, void* destination, const void* source,
                                std::int32_t size) noexcept
{
    LogMarker(pContext, __func__, kLogEntryMarker);
    // Copying through a missing block is refused too, except for no bytes.
    if (pContext == nullptr || size < 0 || (size > 0 && (destination == nullptr || source == nullptr))) {
        return LogParameterFailure(pContext, __func__);
    }
    if (size > 0) {
        std::memmove(destination, source, static_cast<std::size_t>(size));
    }
    BaseLib_Log(pContext, kLogInfo, kLogCategoryBaseLib, __func__,
                "%s Memory has been copied, Dest(0x%p) <-- Src(0x%p) in %d byte(s).", kLogPassed, destination,
                source, size);
    return LogMarker(pContext, __func__, kLogExitMarker);
}

std::uint32_t BaseLib_MmCmpMem(BaseLibContext* pContext, const void* first, const void* second,
                               std::int32_t size) noexcept
{
    LogMarker(pContext, __func__, kLogEntryMarker);
    if (pContext == nullptr || size < 0 || (size > 0 && (first == nullptr || second == nullptr))) {
        BaseLib_Log(pContext, kLogError, kLogCategoryBaseLib, __func__, "%s Failed to check input parameter(s)",
                    kLogFailed);
        return 0;
    }
    const bool same = size == 0 || std::memcmp(first, second, static_cast<std::size_t>(size)) == 0;
    BaseLib_Log(pContext, kLogError, kLogCategoryBaseLib, __func__, "%s Memories are %s.", kLogPassed,
                same ? "THE SAME" : "DIFFERENT");
    LogMarker(pContext, __func__, kLogExitMarker);
    return 1;
}

void* BaseLib_MmAllocMem(BaseLibContext* pContext, std::uint32_t size) noexcept
{
    LogMarker(pContext, __func__, kLogEntryMarker);
    if (pContext == nullptr) {
        LogNullContext(pContext, __func__);
        return nullptr;
    }
    void* const block = BaseLibHeap_Allocate(size);
    if (block != nullptr) {
        BaseLib_Log(pContext, kLogError, kLogCategoryBaseLib, __func__,
                    "%s A memory(0x%p) was allocated in %d byte(s).", kLogPassed, block, static_cast<int>(size));
    } else {
        BaseLib_Log(pContext, kLogInfo, kLogCategoryBaseLib, __func__, "%s Failed to allocate memory in %d byte(s).",
                    kLogFailed, static_cast<int>(size));
    }
    LogMarker(pContext, __func__, kLogExitMarker);
    return block;
}

void* BaseLib_MmAllocMemWithTag(BaseLibContext* pContext, std::int32_t size, std::uint32_t tag) noexcept
{
    LogMarker(pContext, __func__, kLogEntryMarker);
    if (!HasTagList(pContext)) {
        LogNullContext(pContext, __func__);
        return nullptr;
    }
    char tagText[5] = {};
    std::memcpy(tagText, &tag, 4);
    BaseLib_Log(pContext, kLogInfo, kLogCategoryBaseLib, __func__, "pContext=0X%.8X  iSize=%d  Tag=%s",
                static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(pContext)), static_cast<int>(size), tagText);

    auto* const record = static_cast<TagInfo*>(BaseLibHeap_Allocate(sizeof(TagInfo)));
    if (record == nullptr) {
        BaseLib_Log(pContext, kLogError, kLogCategoryBaseLib, __func__,
                    "%s Failed to allocate memory in %d byte(s) for pNewAllocTagInfo.", kLogFailed,
                    static_cast<int>(sizeof(TagInfo)));
        return nullptr;
    }
    void* const block = size >= 0 ? BaseLibHeap_Allocate(static_cast<std::size_t>(size)) : nullptr;
    if (block == nullptr) {
        BaseLibHeap_Release(record);
        BaseLib_Log(pContext, kLogError, kLogCategoryBaseLib, __func__,
                    "%s Failed to alocate memory in %d byte(s) for pNewAllocTagInfo->pAddress.", kLogFailed,
                    static_cast<int>(size));
        return nullptr;
    }
    record->pAddress = block;
    record->iSize = size;
    record->Tag = tag;
    pContext->pListOps->LinkedList_InsertHead(pContext->pTagList, &record->Link);
    BaseLib_Log(pContext, kLogInfo, kLogCategoryBaseLib, __func__,
                "%s Memories TagInfo(0x%p) TagInfo.pAddress(0x%p) are allocated", kLogPassed,
                static_cast<void*>(record), block);
    LogMarker(pContext, __func__, kLogExitMarker);
    return block;
}

std::uint32_t BaseLib_MmFreeMem(BaseLibContext* pContext, void* block) noexcept
{
    LogMarker(pContext, __func__, kLogEntryMarker);
    if (pContext == nullptr) {
        return LogNullContext(pContext, __func__);
    }
    BaseLibHeap_Release(block);
    return LogMarker(pContext, __func__, kLogExitMarker);
}

std::uint32_t BaseLib_MmFreeMemWithTag(BaseLibContext* pContext, void* block) noexcept
{
    LogMarker(pContext, __func__, kLogEntryMarker);
    if (!HasTagList(pContext)) {
        return LogNullContext(pContext, __func__);
    }
    if (block == nullptr) {
        return BaseLib_Log(pContext, kLogError, kLogCategoryBaseLib, __func__,
                           "%s Failed to check input parameter(s), pBuffer is NULL", kLogFailed);
    }
    ListLink* const head = pContext->pTagList;
    TagInfo* found = nullptr;
    for (ListLink* link = head->next; link != head; link = link->next) {
        TagInfo* const record = ListElement<TagInfo>(link);
        if (record->pAddress == block) {
            found = record;
            break;
        }
    }
    if (found == nullptr) {
        BaseLib_Log(pContext, kLogError, kLogCategoryBaseLib, __func__,
                    "%s Indicated memory(0x%p) is not found in LinkedList", kLogFailed, block);
        return LogMarker(pContext, __func__, kLogExitMarker);
    }
    BaseLibHeap_Release(found->pAddress);
    BaseLib_Log(pContext, kLogInfo, kLogCategoryBaseLib, __func__, "%s pMmTagInfo->pAddress(0x%p) has been released.",
                kLogPassed, block);
    found->pAddress = nullptr;
    pContext->pListOps->LinkedList_Remove(&found->Link);
    BaseLibHeap_Release(found);
    BaseLib_Log(pContext, kLogInfo, kLogCategoryBaseLib, __func__, "%s pMmTagInfo(0x%p) has been released.",
                kLogPassed, static_cast<void*>(found));
    return LogMarker(pContext, __func__, kLogExitMarker);
}

std::uint32_t BaseLib_MmGetStatus(BaseLibContext* pContext, BaseLibStatus* status) noexcept
{
    LogMarker(pContext, __func__, kLogEntryMarker);
    if (pContext == nullptr || status == nullptr) {
        LogParameterFailure(pContext, __func__);
        return 1;
    }
    LogMarker(pContext, __func__, kLogExitMarker);
    return 1;
}
