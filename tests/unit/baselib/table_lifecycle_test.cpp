// Set-up and tear-down of the three kinds of table, their counters, and the
// list operations that the tables carry.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

#include "baselib/base_lib_setup.h"
#include "baselib/ini_parser_setup.h"
#include "baselib/process_tables.h"
#include "baselib_test_support.h"

namespace {

struct Node {
    ListLink Link;
    int id;
};

TEST(LinkedList, InsertAndRemoveKeepTheRingClosedAndReportTheFormerNeighbour)
{
    ScopedTable t;
    LinkedListOps& ops = *t.table.Context.pListOps;
    ListLink head;
    Node a{{}, 1}, b{{}, 2}, c{{}, 3};

    ops.LinkedList_Init(&head);
    EXPECT_EQ(ops.LinkedList_IsEmpty(&head), 1u);
    EXPECT_EQ(ops.LinkedList_InsertTail(&head, &a.Link), &head);   // first and last at once
    EXPECT_EQ(head.next, &a.Link);
    EXPECT_EQ(head.prev, &a.Link);
    EXPECT_EQ(ops.LinkedList_IsEmpty(&head), 0u);
    EXPECT_EQ(ops.LinkedList_InsertTail(&head, &b.Link), &a.Link);
    EXPECT_EQ(ops.LinkedList_InsertHead(&head, &c.Link), &a.Link);   // c a b

    int order[3] = {};
    int i = 0;
    for (ListLink* link = head.next; link != &head && i < 3; link = link->next) {
        order[i++] = ListElement<Node>(link)->id;
    }
    EXPECT_EQ(order[0], 3);
    EXPECT_EQ(order[1], 1);
    EXPECT_EQ(order[2], 2);

    EXPECT_EQ(ops.LinkedList_RemoveHead(&head), &c.Link);
    EXPECT_EQ(ops.LinkedList_RemoveTail(&head), &b.Link);
    EXPECT_EQ(b.Link.prev, &a.Link);   // a removed element keeps its own links

    // One of two elements leaves a list that is not empty; the only one, an empty one.
    EXPECT_EQ(ops.LinkedList_InsertTail(&head, &b.Link), &a.Link);
    EXPECT_EQ(ops.LinkedList_Remove(&a.Link), 0u);
    EXPECT_EQ(ops.LinkedList_Remove(&b.Link), 1u);
    EXPECT_EQ(ops.LinkedList_IsEmpty(&head), 1u);
    EXPECT_EQ(head.next, &head);
    EXPECT_EQ(head.prev, &head);
}

TEST(TableSetup, FillsEverySlotAndTearDownReleasesEveryBlockOnce)
{
    CountingHeap heap;
    const InstanceCounts before = CurrentInstanceCounts();
    BaseLibTable table{};
    ASSERT_EQ(BaseLib_Setup(1, &table), 1u);

    EXPECT_EQ(table.Initialised, 1u);
    EXPECT_EQ(std::memcmp(table.Context.Signature, "BasL", 4), 0);
    void (*slots[29])();
    const auto* bytes = reinterpret_cast<const unsigned char*>(&table);
    std::memcpy(slots, bytes + offsetof(BaseLibTable, BaseLib_GetInstanceCount), sizeof slots);
    for (auto* slot : slots) {
        EXPECT_NE(slot, nullptr);
    }
    ASSERT_NE(table.Context.pListOps, nullptr);
    EXPECT_EQ(table.Context.pListOps->Initialised, 1u);
    EXPECT_EQ(std::memcmp(table.Context.pListOps->Signature, "LLst", 4), 0);
    EXPECT_TRUE(AllBytesZero(table.Context.pLogConfig, sizeof(LogConfig)));
    EXPECT_TRUE(AllBytesZero(table.Context.pStatus, sizeof(BaseLibStatus)));
    EXPECT_EQ(table.Context.pTagList->next, table.Context.pTagList);
    EXPECT_EQ(heap.LiveBlocks(), 4u);
    EXPECT_EQ(table.BaseLib_GetInstanceCount(), before.baseLib + 1);
    EXPECT_EQ(table.Context.pListOps->LinkedList_GetInstanceCount(), before.linkedList + 1);

    // Tagged blocks still held at tear-down go with the table.
    for (int size : {1, 4096}) {
        EXPECT_NE(table.BaseLib_MmAllocMemWithTag(&table.Context, size, MakeTag("TEST")), nullptr);
    }
    EXPECT_EQ(heap.LiveBlocks(), 4u + 2 * 2);   // each tagged block has its record
    EXPECT_EQ(BaseLib_Setup(0, &table), 1u);
    EXPECT_TRUE(AllBytesZero(&table, sizeof table));
    EXPECT_EQ(heap.LiveBlocks(), 0u);
    EXPECT_EQ(CurrentInstanceCounts(), before);
    EXPECT_EQ(BaseLib_Setup(0, &table), 1u) << "a second tear-down does nothing";
    EXPECT_EQ(CurrentInstanceCounts(), before);
    EXPECT_EQ(heap.ForeignReleases(), 0u);
}

TEST(TableSetup, RefusesANullTableAndAnUnknownRequest)
{
    BaseLibTable table{};
    IniParserTable reader{};
    EXPECT_EQ(BaseLib_Setup(1, nullptr), 0u);
    EXPECT_EQ(BaseLib_Setup(0, nullptr), 0u);
    EXPECT_EQ(BaseLib_Setup(2, &table), 0u);
    EXPECT_EQ(IniParser_Setup(1, nullptr), 0u);
    EXPECT_EQ(IniParser_Setup(2, &reader), 0u);
    // A reader that was never set up is left alone.
    EXPECT_EQ(IniParser_Setup(0, &reader), 0u);
    EXPECT_TRUE(AllBytesZero(&table, sizeof table));
}

// Every block that a set-up asks for is refused in turn: the set-up fails,
// the table stays cleared and nothing is left behind.
template <typename Table, typename Setup>
void ExpectEveryMissingBlockLeavesNothing(Setup setup)
{
    std::size_t blocks = 0;
    {
        CountingHeap heap;
        Table table{};
        ASSERT_EQ(setup(1, &table), 1u);
        blocks = heap.Allocations();
        (void)setup(0, &table);
    }
    ASSERT_GT(blocks, 0u);
    for (std::size_t refused = 0; refused < blocks; ++refused) {
        CountingHeap heap;
        const InstanceCounts before = CurrentInstanceCounts();
        Table table{};
        heap.RefuseAllocation(refused);
        EXPECT_EQ(setup(1, &table), 0u) << "block " << refused;
        EXPECT_TRUE(AllBytesZero(&table, sizeof table)) << "block " << refused;
        EXPECT_EQ(heap.LiveBlocks(), 0u) << "block " << refused;
        EXPECT_EQ(CurrentInstanceCounts(), before) << "block " << refused;
        EXPECT_EQ(table.Initialised, 0u);
    }
}

TEST(TableSetup, AMissingBlockLeavesTheTableClearedAndNothingBehind)
{
    ExpectEveryMissingBlockLeavesNothing<BaseLibTable>(&BaseLib_Setup);
    ExpectEveryMissingBlockLeavesNothing<IniParserTable>(&IniParser_Setup);
}

TEST(ProcessTables, SetUpMainTableAndReaderAndTearDownReaderFirst)
{
    CountingHeap heap;
    const InstanceCounts before = CurrentInstanceCounts();
    BaseLibTable main{};
    IniParserTable reader{};
    SetUpProcessTables(&main, &reader);
    ASSERT_EQ(main.Initialised, 1u);
    ASSERT_EQ(reader.Initialised, 1u);
    EXPECT_EQ(std::memcmp(reader.Context.Signature, "IniP", 4), 0);
    EXPECT_EQ(std::memcmp(reader.Context.pListOps->Signature, "LLst", 4), 0);
    // The main table and the reader's own one; the list operations of both
    // tables and the reader's own.
    EXPECT_EQ(main.BaseLib_GetInstanceCount(), before.baseLib + 2);
    EXPECT_EQ(main.Context.pListOps->LinkedList_GetInstanceCount(), before.linkedList + 3);
    EXPECT_EQ(reader.IniParser_GetInstanceCount(), before.iniParser + 1);

    // The reader holds sections, keys and escapes of its own when it goes.
    EXPECT_EQ(reader.IniParser_ParseBuffer(&reader.Context, "[A]\nk1=v1\nk2=v2\n[B]\nk3=a\\nb\n[C]\n"), 1u);
    TearDownProcessTables(&main, &reader);
    EXPECT_EQ(main.Initialised, 0u);
    EXPECT_EQ(reader.Initialised, 0u);
    EXPECT_TRUE(AllBytesZero(&reader, sizeof reader));
    EXPECT_EQ(heap.LiveBlocks(), 0u);
    EXPECT_EQ(heap.ForeignReleases(), 0u);
    EXPECT_EQ(CurrentInstanceCounts(), before);
    TearDownProcessTables(&main, &reader);
    EXPECT_EQ(CurrentInstanceCounts(), before);
}

}  // namespace
