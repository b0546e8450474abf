#include "baselib/linked_list_ops.h"

#include <cstring>

namespace {

// Filled LinkedListOps tables in the process; reported, never consulted.
std::uint32_t g_LinkedListOpsCount = 0;

std::uint32_t LinkedList_GetInstanceCount() noexcept
{
    return g_LinkedListOpsCount;
}

void LinkedList_Init(ListLink* head) noexcept
{
    head->next = head;
    head->prev = head;
}

std::uint32_t LinkedList_IsEmpty(ListLink* head) noexcept
{
    return head->next == head ? 1 : 0;
}

std::uint32_t LinkedList_Remove(ListLink* element) noexcept
{
    ListLink* const before = element->prev;
    ListLink* const after = element->next;
    before->next = after;
    after->prev = before;
    // Only the head is left when both neighbours were the same node.
    return before == after ? 1 : 0;
}

ListLink* LinkedList_RemoveHead(ListLink* head) noexcept
{
    ListLink* const first = head->next;
    LinkedList_Remove(first);
    return first;
}

ListLink* LinkedList_RemoveTail(ListLink* head) noexcept
{
    ListLink* const last = head->prev;
    LinkedList_Remove(last);
    return last;
}

ListLink* LinkedList_InsertTail(ListLink* head, ListLink* element) noexcept
{
    ListLink* const last = head->prev;
    element->prev = last;
    element->next = head;
    last->next = element;
    head->prev = element;
    return last;
}

ListLink* LinkedList_InsertHead(ListLink* head, ListLink* element) noexcept
{
    ListLink* const first = head->next;
    element->next = first;
    element->prev = head;
    first->prev = element;
    head->next = element;
    return first;
}

}  // namespace

void LinkedListOps_Fill(LinkedListOps* ops) noexcept
{
    ops->Initialised = 1;
    ops->LinkedList_GetInstanceCount = &LinkedList_GetInstanceCount;
    ops->LinkedList_Init = &LinkedList_Init;
    ops->LinkedList_IsEmpty = &LinkedList_IsEmpty;
    ops->LinkedList_Remove = &LinkedList_Remove;
    ops->LinkedList_RemoveHead = &LinkedList_RemoveHead;
    ops->LinkedList_RemoveTail = &LinkedList_RemoveTail;
    ops->LinkedList_InsertTail = &LinkedList_InsertTail;
    ops->LinkedList_InsertHead = &LinkedList_InsertHead;
    std::memcpy(ops->Signature, kLinkedListSignature, sizeof ops->Signature);
    ++g_LinkedListOpsCount;
}

void LinkedListOps_Clear(LinkedListOps* ops) noexcept
{
    ops->Initialised = 0;
    ops->LinkedList_GetInstanceCount = nullptr;
    ops->LinkedList_Init = nullptr;
    ops->LinkedList_IsEmpty = nullptr;
    ops->LinkedList_Remove = nullptr;
    ops->LinkedList_RemoveHead = nullptr;
    ops->LinkedList_RemoveTail = nullptr;
    ops->LinkedList_InsertTail = nullptr;
    ops->LinkedList_InsertHead = nullptr;
    --g_LinkedListOpsCount;
}
