#include "baselib/base_lib_file.h"

#include <cstdio>
#include <cstring>

#include "baselib/base_lib_log.h"
#include "baselib/base_lib_memory.h"

namespace {

std::uint32_t LogInfo(BaseLibContext* pContext, const char* function, const char* text) noexcept
{
    return BaseLib_Log(pContext, kLogInfo, kLogCategoryBaseLib, function, "%s", text);
}

}  // namespace

FileHandle* BaseLib_FileOpen(BaseLibContext* pContext, const char* fileName, const char* mode) noexcept
{
    LogInfo(pContext, __func__, kLogEntryMarker);
    if (pContext == nullptr || fileName == nullptr || mode == nullptr) {
        return nullptr;
    }
    std::FILE* const stream = std::fopen(fileName, mode);
    if (stream == nullptr) {
        return nullptr;
    }
    auto* const handle = static_cast<FileHandle*>(
        BaseLib_MmAllocMemWithTag(pContext, static_cast<std::int32_t>(sizeof(FileHandle)), kFileHandleTag));
    if (handle == nullptr) {
        BaseLib_Log(pContext, kLogError, kLogCategoryBaseLib, __func__,
                    "Failed to allocate memory by BaseLib_MmAllocMemWithTag()");
        std::fclose(stream);
        return nullptr;
    }
    handle->pFileHandler = stream;
    BaseLib_Log(pContext, kLogInfo, kLogCategoryBaseLib, __func__, "pFileHandle= 0x%p", static_cast<void*>(handle));
    LogInfo(pContext, __func__, kLogExitMarker);
    return handle;
}

std::uint32_t BaseLib_FileRead(BaseLibContext* pContext, void* buffer, std::uint32_t elementSize,
                               std::uint32_t count, FileHandle* pFileHandle) noexcept
{
    LogInfo(pContext, __func__, kLogEntryMarker);
    if (pContext == nullptr || buffer == nullptr || pFileHandle == nullptr || pFileHandle->pFileHandler == nullptr) {
        BaseLib_Log(pContext, kLogInfo, kLogCategoryBaseLib, __func__, "%s Failed to check input parameter(s).",
                    kLogExitMarker);
        return 0;
    }
    const auto read = static_cast<std::uint32_t>(std::fread(buffer, elementSize, count, pFileHandle->pFileHandler));
    BaseLib_Log(pContext, kLogInfo, kLogCategoryBaseLib, __func__,
                "%d(0x%X) byte(s) were read from pFileHandle->pFileHandler(0x%p).", static_cast<int>(read), read,
                static_cast<void*>(pFileHandle->pFileHandler));
    LogInfo(pContext, __func__, kLogExitMarker);
    return read;
}

std::uint32_t BaseLib_FileWrite(BaseLibContext* pContext, const void* buffer, std::uint32_t elementSize,
                                std::uint32_t count, FileHandle* pFileHandle) noexcept
{
    LogInfo(pContext, __func__, kLogEntryMarker);
    if (pContext == nullptr || buffer == nullptr || pFileHandle == nullptr || pFileHandle->pFileHandler == nullptr) {
        BaseLib_Log(pContext, kLogError, kLogCategoryBaseLib, __func__, "%s Failed to check input parameter(s).",
                    kLogExitMarker);
        return 0;
    }
    const auto written =
        static_cast<std::uint32_t>(std::fwrite(buffer, elementSize, count, pFileHandle->pFileHandler));
    BaseLib_Log(pContext, kLogInfo, kLogCategoryBaseLib, __func__,
                "%d(0x%X) byte(s) were written from pFileHandle->pFileHandler(0x%p).", static_cast<int>(written),
                written, static_cast<void*>(pFileHandle->pFileHandler));
    LogInfo(pContext, __func__, kLogExitMarker);
    return written;
}

std::uint32_t BaseLib_FileClose(BaseLibContext* pContext, FileHandle* pFileHandle) noexcept
{
    LogInfo(pContext, __func__, kLogEntryMarker);
    if (pContext == nullptr || pFileHandle == nullptr) {
        return BaseLib_Log(pContext, kLogError, kLogCategoryBaseLib, __func__,
                           "%s Failed to check input parameter(s).", kLogExitMarker);
    }
    if (pFileHandle->pFileHandler != nullptr) {
        BaseLib_Log(pContext, kLogInfo, kLogCategoryBaseLib, __func__,
                    "pFileHandle->pFileHandler(0x%p) is going to release by fclose().",
                    static_cast<void*>(pFileHandle->pFileHandler));
        std::fclose(pFileHandle->pFileHandler);
        pFileHandle->pFileHandler = nullptr;
    }
    BaseLib_Log(pContext, kLogInfo, kLogCategoryBaseLib, __func__, "pFileHandle(0x%p) is going to release by free().",
                static_cast<void*>(pFileHandle));
    BaseLib_MmFreeMemWithTag(pContext, pFileHandle);
    return LogInfo(pContext, __func__, kLogExitMarker);
}

std::uint32_t BaseLib_FileLength(BaseLibContext* pContext, FileHandle* pFileHandle) noexcept
{
    LogInfo(pContext, __func__, kLogEntryMarker);
    if (pContext == nullptr || pFileHandle == nullptr || pFileHandle->pFileHandler == nullptr) {
        BaseLib_Log(pContext, kLogInfo, kLogCategoryBaseLib, __func__, "%s Failed to check input parameter(s).",
                    kLogExitMarker);
        return 0;
    }
    std::FILE* const stream = pFileHandle->pFileHandler;
    std::uint32_t length = 0;
    if (std::fseek(stream, 0, SEEK_END) == 0) {
        const long end = std::ftell(stream);
        length = end > 0 ? static_cast<std::uint32_t>(end) : 0;
    }
    std::rewind(stream);
    LogInfo(pContext, __func__, kLogExitMarker);
    return length;
}
