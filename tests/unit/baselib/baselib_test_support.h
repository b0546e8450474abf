#pragma once
// Helpers of the base library's tests: a heap that counts and refuses
// blocks, set-up tables that tear themselves down, temporary files and the
// capture of standard output.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "baselib/base_lib_heap.h"
#include "baselib/base_lib_table.h"
#include "baselib/ini_parser_table.h"

// Puts itself in place of the heap for its lifetime. Create it before any
// table that should use it and let it go after their tear-down.
class CountingHeap final : public BaseLibHeap {
public:
    CountingHeap();
    ~CountingHeap();
    CountingHeap(const CountingHeap&) = delete;
    CountingHeap& operator=(const CountingHeap&) = delete;

    void* Allocate(std::size_t size) noexcept override;
    void Release(void* block) noexcept override;

    [[nodiscard]] std::size_t LiveBlocks() const { return live_.size(); }
    [[nodiscard]] std::size_t Allocations() const { return allocations_; }
    // Releases of blocks this heap never handed out.
    [[nodiscard]] std::size_t ForeignReleases() const { return foreignReleases_; }
    // The allocation with this number (0 for the next one) fails.
    void RefuseAllocation(std::size_t fromNow) { refused_ = allocations_ + fromNow; }

private:
    BaseLibHeap* previous_;
    std::set<void*> live_;
    std::size_t allocations_ = 0;
    std::size_t foreignReleases_ = 0;
    std::size_t refused_ = static_cast<std::size_t>(-1);
};

// The counters of the three kinds of table.
struct InstanceCounts {
    std::uint32_t baseLib;
    std::uint32_t linkedList;
    std::uint32_t iniParser;
    bool operator==(const InstanceCounts&) const = default;
};
[[nodiscard]] InstanceCounts CurrentInstanceCounts();

// A BaseLibTable set up for one test.
struct ScopedTable {
    ScopedTable();
    ~ScopedTable();
    ScopedTable(const ScopedTable&) = delete;
    ScopedTable& operator=(const ScopedTable&) = delete;
    BaseLibContext* ctx() { return &table.Context; }

    BaseLibTable table{};
};

// An INI reader set up for one test.
struct ScopedReader {
    ScopedReader();
    ~ScopedReader();
    ScopedReader(const ScopedReader&) = delete;
    ScopedReader& operator=(const ScopedReader&) = delete;
    IniParserContext* ctx() { return &reader.Context; }
    [[nodiscard]] std::uint32_t Parse(const std::string& text)
    {
        return reader.IniParser_ParseBuffer(ctx(), text.c_str());
    }

    IniParserTable reader{};
};

// The tree as text: "[name]#index" lines, each key below as
// "  index:name=value (nameSize,valueSize)", CR and LF shown as <CR>, <LF>.
[[nodiscard]] std::string DumpTree(IniParserTable& reader);

// A fresh path in the temporary-files folder; the file is removed with the object.
class TempFile {
public:
    explicit TempFile(const char* stem);
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    [[nodiscard]] const char* path() const { return Path.c_str(); }
    // The file's text as the C library reads it in text mode; empty when absent.
    [[nodiscard]] std::string Read() const;
    void WriteBinary(const std::string& bytes) const;

private:
    std::string Path;
};

[[nodiscard]] bool AllBytesZero(const void* block, std::size_t size);

[[nodiscard]] std::string DropCarriageReturns(std::string text);

// Standard output of a callable, with carriage returns dropped so that the
// same text is expected on every platform.
template <typename Action>
std::string CapturedStdout(Action&& action)
{
    testing::internal::CaptureStdout();
    action();
    std::fflush(stdout);
    return DropCarriageReturns(testing::internal::GetCapturedStdout());
}
