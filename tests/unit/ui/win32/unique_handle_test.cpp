#include <gtest/gtest.h>

#include <windows.h>

#include <utility>
#include <vector>

#include "app/win32/unique_handle.h"

namespace {

std::vector<int> g_closed;

struct CountedTraits {
    using Type = int;
    static constexpr Type Invalid() noexcept { return -1; }
    static void Close(Type handle) noexcept { g_closed.push_back(handle); }
};

struct Pair {
    int first = 0;
    int second = 0;
    friend bool operator==(const Pair&, const Pair&) = default;
};

std::vector<Pair> g_closedPairs;

struct PairTraits {
    using Type = Pair;
    static constexpr Type Invalid() noexcept { return {}; }
    static void Close(Type handle) noexcept { g_closedPairs.push_back(handle); }
};

using Owner = UniqueHandle<CountedTraits>;

TEST(UniqueHandle, EachHandleIsReleasedExactlyOnceByWhoeverOwnsItLast)
{
    g_closed.clear();
    {
        Owner none;
        EXPECT_FALSE(none);
        Owner zero(0);   // only the traits' invalid value means none
        EXPECT_TRUE(zero);
    }
    EXPECT_EQ(g_closed, (std::vector<int>{0}));

    g_closed.clear();
    {
        Owner a(1);
        Owner b(std::move(a));
        EXPECT_FALSE(a);
        EXPECT_EQ(b.Get(), 1);
        Owner c(2);
        c = std::move(b);   // 2 goes, 1 moves on
        EXPECT_EQ(g_closed, (std::vector<int>{2}));
        auto& alias = c;
        c = std::move(alias);   // moving into itself keeps the handle
        EXPECT_EQ(c.Get(), 1);
        c.Reset(3);
        EXPECT_EQ(g_closed, (std::vector<int>{2, 1}));
        const int kept = c.Release();
        EXPECT_EQ(kept, 3);
        EXPECT_FALSE(c);
        c.Reset();
        c.Reset();
    }
    EXPECT_EQ(g_closed, (std::vector<int>{2, 1}));
}

TEST(UniqueHandle, AHandleOfSeveralValuesIsNoneOnlyWhenAllAreNone)
{
    g_closedPairs.clear();
    {
        UniqueHandle<PairTraits> first(Pair{0, 7});
        UniqueHandle<PairTraits> second(Pair{7, 0});
        UniqueHandle<PairTraits> none(Pair{0, 0});
        EXPECT_TRUE(first);
        EXPECT_TRUE(second);
        EXPECT_FALSE(none);
    }
    EXPECT_EQ(g_closedPairs, (std::vector<Pair>{{7, 0}, {0, 7}}));
}

}  // namespace
