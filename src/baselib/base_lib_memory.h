#pragma once
// The memory services of a BaseLibTable (slots 19 to 26). Blocks come from
// the general-purpose heap (base_lib_heap.h) zero-filled. Users reach the
// services through the table.
#include <cstdint>

#include "baselib/base_lib_table.h"

// Zeroes size bytes. The result of its last log line.
std::uint32_t BaseLib_MmZeroMem(BaseLibContext* pContext, void* block, std::int32_t size) noexcept;
// Copies size bytes. The result of its last log line.
std::uint32_t BaseLib_MmCopyMem(BaseLibContext* pContext, void* destination, const void* source,
                                std::int32_t size) noexcept;
// Compares and logs the outcome; 1 when the comparison was carried out.
std::uint32_t BaseLib_MmCmpMem(BaseLibContext* pContext, const void* first, const void* second,
                               std::int32_t size) noexcept;
// A zero-filled block the caller releases with BaseLib_MmFreeMem, or null.
[[nodiscard]] void* BaseLib_MmAllocMem(BaseLibContext* pContext, std::uint32_t size) noexcept;
// A zero-filled block recorded in the context's tag list, or null. The
// table's tear-down releases it if BaseLib_MmFreeMemWithTag never does.
[[nodiscard]] void* BaseLib_MmAllocMemWithTag(BaseLibContext* pContext, std::int32_t size, std::uint32_t tag) noexcept;
std::uint32_t BaseLib_MmFreeMem(BaseLibContext* pContext, void* block) noexcept;
// Releases a block from BaseLib_MmAllocMemWithTag and its record; a block
// that the tag list does not hold is left alone.
std::uint32_t BaseLib_MmFreeMemWithTag(BaseLibContext* pContext, void* block) noexcept;
// Reports nothing; always 1.
std::uint32_t BaseLib_MmGetStatus(BaseLibContext* pContext, BaseLibStatus* status) noexcept;
