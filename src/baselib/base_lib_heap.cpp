#include "baselib/base_lib_heap.h"

#include <cstdlib>

namespace {

void* CrtAllocate(std::size_t size) noexcept
{
    return std::calloc(size == 0 ? 1 : size, 1);
}

void CrtRelease(void* block) noexcept
{
    std::free(block);
}

constexpr BaseLibHeap kCrtHeap = {&CrtAllocate, &CrtRelease};

const BaseLibHeap* g_Heap = &kCrtHeap;

}  // namespace

const BaseLibHeap* BaseLib_SetHeap(const BaseLibHeap* heap) noexcept
{
    const BaseLibHeap* const previous = g_Heap;
    g_Heap = heap != nullptr ? heap : &kCrtHeap;
    return previous;
}

void* BaseLibHeap_Allocate(std::size_t size) noexcept
{
    return g_Heap->Allocate(size);
}

void BaseLibHeap_Release(void* block) noexcept
{
    if (block != nullptr) {
        g_Heap->Release(block);
    }
}
