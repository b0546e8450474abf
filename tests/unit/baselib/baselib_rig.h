#pragma once
// The base library's test rig: a heap that counts and refuses blocks, tables
// set up for one test, temporary files and captured standard output.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "baselib/base_lib_heap.h"
#include "baselib/base_lib_setup.h"
#include "baselib/ini_parser_setup.h"

// Stands in for the heap while it lives; create it before the tables that use it.
class CountingHeap final : public BaseLibHeap {
public:
    CountingHeap() : previous_(BaseLib_SetHeap(this)) {}
    ~CountingHeap()
    {
        BaseLib_SetHeap(previous_);
        for (void* block : live_) {
            std::free(block);
        }
    }
    void* Allocate(std::size_t size) noexcept override
    {
        void* const block = allocations_++ == refused_ ? nullptr : std::malloc(size);
        return block != nullptr ? *live_.insert(block).first : nullptr;
    }
    void Release(void* block) noexcept override
    {
        if (live_.erase(block) == 0) {
            ++foreign_;
            return;
        }
        std::free(block);
    }
    std::size_t Live() const { return live_.size(); }
    std::size_t Allocations() const { return allocations_; }
    std::size_t Foreign() const { return foreign_; }
    void Refuse(std::size_t fromNow) { refused_ = allocations_ + fromNow; }

private:
    BaseLibHeap* previous_;
    std::set<void*> live_;
    std::size_t allocations_ = 0, foreign_ = 0, refused_ = static_cast<std::size_t>(-1);
};

struct ScopedTable {
    ScopedTable() { EXPECT_EQ(BaseLib_Setup(1, &table), 1u); }
    ~ScopedTable() { (void)BaseLib_Setup(0, &table); }
    BaseLibContext* ctx() { return &table.Context; }
    BaseLibTable table{};
};

struct ScopedReader {
    ScopedReader() { EXPECT_EQ(IniParser_Setup(1, &reader), 1u); }
    ~ScopedReader() { (void)IniParser_Setup(0, &reader); }
    IniParserContext* ctx() { return &reader.Context; }
    std::uint32_t Parse(const std::string& text) { return reader.IniParser_ParseBuffer(ctx(), text.c_str()); }
    IniParserTable reader{};
};

// A fresh path in the temporary-files folder, removed with the object.
struct TempFile {
    explicit TempFile(const char* stem)
        : path_((std::filesystem::temp_directory_path() / (std::string("orvex_") + stem + std::to_string(std::rand())))
                    .string())
    {
    }
    ~TempFile() { std::remove(path_.c_str()); }
    const char* path() const { return path_.c_str(); }
    std::string Read() const
    {
        std::ifstream in(path_);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::string path_;
};

// Standard output of an action, without carriage returns on any platform.
template <typename Action>
std::string CapturedStdout(Action&& action)
{
    testing::internal::CaptureStdout();
    action();
    std::fflush(stdout);
    std::string text = testing::internal::GetCapturedStdout();
    std::erase(text, '\r');
    return text;
}
