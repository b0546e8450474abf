#include "baselib/base_lib_heap.h"

#include <cstdlib>
#include <cstring>

namespace {

class CrtHeap final : public BaseLibHeap {
public:
    void* Allocate(std::size_t size) noexcept override { return std::malloc(size); }
    void Release(void* block) noexcept override { std::free(block); }
};

CrtHeap g_CrtHeap;
BaseLibHeap* g_Heap = &g_CrtHeap;

}  // namespace

BaseLibHeap* BaseLib_SetHeap(BaseLibHeap* heap) noexcept
{
    BaseLibHeap* const previous = g_Heap;
    g_Heap = heap != nullptr ? heap : &g_CrtHeap;
    return previous;
}

void* BaseLibHeap_Allocate(std::size_t size) noexcept
{
    // The zero fill is ours, whichever heap is in place.
    const std::size_t bytes = size == 0 ? 1 : size;
    void* const block = g_Heap->Allocate(bytes);
    if (block != nullptr) {
        std::memset(block, 0, bytes);
    }
    return block;
}

void BaseLibHeap_Release(void* block) noexcept
{
    if (block != nullptr) {
        g_Heap->Release(block);
    }
}
