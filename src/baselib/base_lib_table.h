#pragma once
// The base library's table of 29 general services and the context block that
// every service receives first.
//
// A user holds a set-up table (BaseLib_Setup, base_lib_setup.h), tests its
// Initialised flag before every call and passes &table.Context first:
//
//     if (table.Initialised != 0) {
//         void* block = table.BaseLib_MmAllocMem(&table.Context, 64);
//     }
//
// A call skipped because the flag is 0 counts as a call that returned 0 or
// null. Slots 0, 27 and 28 take no context.
#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "baselib/linked_list_ops.h"

// What BaseLib_Log reads. The table's record is zero after set-up, so nothing
// is logged; a user who wants the services' diagnostics fills it with
// BaseLib_ConfigureLog (base_lib_log.h). This program never does.
struct LogConfig {
    std::uint32_t enabled;        // 0: nothing is logged
    std::uint32_t outputs;        // kLogToFile | kLogToStdout
    std::uint32_t levelMask;      // kLogInfo | kLogWarn | kLogError
    std::uint32_t categoryMask;   // below 7: only calls sharing a bit pass; 7 or more: all
    char path[1024];              // the file of kLogToFile, NUL-terminated
};

inline constexpr std::uint32_t kLogToFile = 1;
inline constexpr std::uint32_t kLogToStdout = 2;

// Levels of BaseLib_Log; each is also its bit in LogConfig::levelMask.
inline constexpr std::int32_t kLogInfo = 1;
inline constexpr std::int32_t kLogWarn = 2;
inline constexpr std::int32_t kLogError = 4;

// The category that every service of the table logs under.
inline constexpr std::uint32_t kLogCategoryBaseLib = 4;
inline constexpr std::uint32_t kLogAllCategories = 7;

// An allocation tag: four characters kept in memory in their written order.
[[nodiscard]] constexpr std::uint32_t MakeTag(const char (&text)[5]) noexcept
{
    return static_cast<std::uint32_t>(static_cast<unsigned char>(text[0])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(text[1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(text[2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(text[3])) << 24;
}

// The tag of the file services' handles.
inline constexpr std::uint32_t kFileHandleTag = MakeTag("8541");

// One record for each block from BaseLib_MmAllocMemWithTag, kept in the
// context's tag list until the block is freed or the table is torn down.
struct TagInfo {
    ListLink Link;
    void* pAddress;
    std::int32_t iSize;
    std::uint32_t Tag;
};

// An open file of the file services.
struct FileHandle {
    std::uint32_t Reserved;       // 0 at opening, not otherwise used
    std::FILE* pFileHandler;
};

// The status block of a table: zero at set-up and not otherwise used.
struct BaseLibStatus {
    std::uint64_t Words[3];
};

struct BaseLibContext {
    char Signature[4];            // "BasL" once set up
    LogConfig* pLogConfig;
    ListLink* pTagList;           // head of the TagInfo list
    BaseLibStatus* pStatus;
    LinkedListOps* pListOps;      // the table's own list operations
};

inline constexpr char kBaseLibSignature[4] = {'B', 'a', 's', 'L'};

// Results of the slots that answer 0xFFFFFFFF on failure.
inline constexpr std::uint32_t kBaseLibFailed = 0xFFFFFFFFu;

struct BaseLibTable {
    std::uint32_t Initialised;    // 1 after a successful set-up

    // Slot 0: number of set-up tables in the process. No context.
    std::uint32_t (*BaseLib_GetInstanceCount)() noexcept;

    // Formatted output. Fixed-buffer services accept a text of at most 1020
    // characters and drop a longer one whole.
    std::uint32_t (*BaseLib_Print)(BaseLibContext* pContext, const char* format, ...) noexcept;
    std::uint32_t (*BaseLib_SPrint)(BaseLibContext* pContext, char* buffer, std::int32_t size,
                                    const char* format, ...) noexcept;
    std::uint32_t (*BaseLib_VSPrint)(BaseLibContext* pContext, char* buffer, std::int32_t size,
                                     const char* format, va_list args) noexcept;
    std::uint32_t (*BaseLib_FilePrint)(BaseLibContext* pContext, const char* fileName,
                                       const char* format, ...) noexcept;
    std::uint32_t (*BaseLib_PrintMsg)(BaseLibContext* pContext, const char* format, ...) noexcept;
    std::uint32_t (*BaseLib_Log)(BaseLibContext* pContext, std::int32_t level, std::uint32_t category,
                                 const char* function, const char* format, ...) noexcept;

    // Strings (narrow, changed in place).
    std::uint32_t (*BaseLib_StrTrimRight)(BaseLibContext* pContext, char* text, std::int32_t size) noexcept;
    std::uint32_t (*BaseLib_StrToUpper)(BaseLibContext* pContext, char* text) noexcept;
    std::uint32_t (*BaseLib_StrSkipHexPrefix)(BaseLibContext* pContext, char* text, std::uint32_t size) noexcept;
    // Hexadecimal text to a 1-, 2- or 4-byte unsigned number in *output.
    std::uint32_t (*BaseLib_StrHexToNum)(BaseLibContext* pContext, const char* text, void* output,
                                         std::uint8_t width) noexcept;

    // Wide formatted output. The wide format follows the platform's C
    // library; "%ls" and "%d" mean the same everywhere.
    std::uint32_t (*BaseLib_PrintW)(BaseLibContext* pContext, const wchar_t* format, ...) noexcept;
    std::uint32_t (*BaseLib_SPrintW)(BaseLibContext* pContext, wchar_t* buffer, std::int32_t sizeInBytes,
                                     const wchar_t* format, ...) noexcept;

    // Files over the standard I/O streams. A handle is a tagged block.
    FileHandle* (*BaseLib_FileOpen)(BaseLibContext* pContext, const char* fileName, const char* mode) noexcept;
    std::uint32_t (*BaseLib_FileRead)(BaseLibContext* pContext, void* buffer, std::uint32_t elementSize,
                                      std::uint32_t count, FileHandle* pFileHandle) noexcept;
    std::uint32_t (*BaseLib_FileWrite)(BaseLibContext* pContext, const void* buffer, std::uint32_t elementSize,
                                       std::uint32_t count, FileHandle* pFileHandle) noexcept;
    std::uint32_t (*BaseLib_FileClose)(BaseLibContext* pContext, FileHandle* pFileHandle) noexcept;
    std::uint32_t (*BaseLib_FileLength)(BaseLibContext* pContext, FileHandle* pFileHandle) noexcept;
    std::uint32_t (*BaseLib_FileAppendStr)(BaseLibContext* pContext, const char* fileName, const char* text) noexcept;

    // Memory from the general-purpose heap; every block comes zero-filled.
    std::uint32_t (*BaseLib_MmZeroMem)(BaseLibContext* pContext, void* block, std::int32_t size) noexcept;
    std::uint32_t (*BaseLib_MmCopyMem)(BaseLibContext* pContext, void* destination, const void* source,
                                       std::int32_t size) noexcept;
    std::uint32_t (*BaseLib_MmCmpMem)(BaseLibContext* pContext, const void* first, const void* second,
                                      std::int32_t size) noexcept;
    void* (*BaseLib_MmAllocMem)(BaseLibContext* pContext, std::uint32_t size) noexcept;
    void* (*BaseLib_MmAllocMemWithTag)(BaseLibContext* pContext, std::int32_t size, std::uint32_t tag) noexcept;
    std::uint32_t (*BaseLib_MmFreeMem)(BaseLibContext* pContext, void* block) noexcept;
    std::uint32_t (*BaseLib_MmFreeMemWithTag)(BaseLibContext* pContext, void* block) noexcept;
    std::uint32_t (*BaseLib_MmGetStatus)(BaseLibContext* pContext, BaseLibStatus* status) noexcept;

    // Bits; no context. The bit number counts modulo 32.
    std::uint32_t (*BaseLib_BitIsSet)(std::uint32_t value, std::uint32_t bit) noexcept;
    std::uint32_t (*BaseLib_BitIsClear)(std::uint32_t value, std::uint32_t bit) noexcept;

    BaseLibContext Context;
};

// Code that indexes the slots relies on 29 pointer-sized slots in this order.
static_assert(offsetof(BaseLibTable, BaseLib_BitIsClear) - offsetof(BaseLibTable, BaseLib_GetInstanceCount) ==
              28 * sizeof(void (*)()));
static_assert(offsetof(BaseLibTable, BaseLib_StrHexToNum) - offsetof(BaseLibTable, BaseLib_GetInstanceCount) ==
              10 * sizeof(void (*)()));
static_assert(offsetof(BaseLibTable, BaseLib_MmAllocMem) - offsetof(BaseLibTable, BaseLib_GetInstanceCount) ==
              22 * sizeof(void (*)()));
