#pragma once
// The file services of a BaseLibTable (slots 13 to 18) over the standard
// I/O streams. Users reach them through the table.
#include <cstdint>

#include "baselib/base_lib_table.h"

// Opens a stream; the handle is a block tagged kFileHandleTag. Null on failure.
[[nodiscard]] FileHandle* BaseLib_FileOpen(BaseLibContext* pContext, const char* fileName, const char* mode) noexcept;
// Elements moved; 0 for a null context, buffer, handle or stream.
std::uint32_t BaseLib_FileRead(BaseLibContext* pContext, void* buffer, std::uint32_t elementSize,
                               std::uint32_t count, FileHandle* pFileHandle) noexcept;
std::uint32_t BaseLib_FileWrite(BaseLibContext* pContext, const void* buffer, std::uint32_t elementSize,
                                std::uint32_t count, FileHandle* pFileHandle) noexcept;
// Closes the stream and frees the handle; the result of its last log line.
std::uint32_t BaseLib_FileClose(BaseLibContext* pContext, FileHandle* pFileHandle) noexcept;
// The file's length in bytes, with the stream rewound; 0 on a null argument.
std::uint32_t BaseLib_FileLength(BaseLibContext* pContext, FileHandle* pFileHandle) noexcept;
