#include "baselib_test_support.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "baselib/base_lib_setup.h"
#include "baselib/ini_parser_setup.h"

namespace {

std::set<void*>* g_Live = nullptr;
std::size_t g_Allocations = 0;
std::size_t g_ForeignReleases = 0;
std::size_t g_Refused = static_cast<std::size_t>(-1);

void* CountingAllocate(std::size_t size) noexcept
{
    const std::size_t number = g_Allocations++;
    if (number == g_Refused) {
        return nullptr;
    }
    void* const block = std::calloc(size == 0 ? 1 : size, 1);
    if (block != nullptr) {
        g_Live->insert(block);
    }
    return block;
}

void CountingRelease(void* block) noexcept
{
    if (g_Live->erase(block) == 0) {
        ++g_ForeignReleases;
        return;
    }
    std::free(block);
}

constexpr BaseLibHeap kCountingHeap = {&CountingAllocate, &CountingRelease};

}  // namespace

CountingHeap::CountingHeap()
{
    g_Live = new std::set<void*>;
    g_Allocations = 0;
    g_ForeignReleases = 0;
    g_Refused = static_cast<std::size_t>(-1);
    Previous = BaseLib_SetHeap(&kCountingHeap);
}

CountingHeap::~CountingHeap()
{
    BaseLib_SetHeap(Previous);
    for (void* block : *g_Live) {
        std::free(block);
    }
    delete g_Live;
    g_Live = nullptr;
}

std::size_t CountingHeap::LiveBlocks() const { return g_Live->size(); }
std::size_t CountingHeap::Allocations() const { return g_Allocations; }
std::size_t CountingHeap::ForeignReleases() const { return g_ForeignReleases; }
void CountingHeap::RefuseAllocation(std::size_t fromNow) { g_Refused = g_Allocations + fromNow; }

InstanceCounts CurrentInstanceCounts()
{
    // Slot 0 and slot 1 report process-wide counters, so any set-up table
    // can be asked; the one used here counts itself and is taken off.
    BaseLibTable probe{};
    IniParserTable reader{};
    InstanceCounts counts{};
    if (BaseLib_Setup(1, &probe) != 0) {
        counts.baseLib = probe.BaseLib_GetInstanceCount() - 1;
        counts.linkedList = probe.Context.pListOps->LinkedList_GetInstanceCount() - 1;
    }
    if (IniParser_Setup(1, &reader) != 0) {
        counts.iniParser = reader.IniParser_GetInstanceCount() - 1;
    }
    (void)IniParser_Setup(0, &reader);
    (void)BaseLib_Setup(0, &probe);
    return counts;
}

ScopedTable::ScopedTable()
{
    EXPECT_EQ(BaseLib_Setup(1, &table), 1u);
}

ScopedTable::~ScopedTable()
{
    (void)BaseLib_Setup(0, &table);
}

ScopedReader::ScopedReader()
{
    EXPECT_EQ(IniParser_Setup(1, &reader), 1u);
}

ScopedReader::~ScopedReader()
{
    (void)IniParser_Setup(0, &reader);
}

namespace {

void AppendVisible(std::string& out, const char* text)
{
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p == '\r') {
            out += "<CR>";
        } else if (*p == '\n') {
            out += "<LF>";
        } else {
            out += *p;
        }
    }
}

}  // namespace

std::string DumpTree(IniParserTable& reader)
{
    std::string out;
    ListLink* const sections = reader.IniParser_GetSectionList(&reader.Context);
    if (sections == nullptr) {
        return "<invalid reader>";
    }
    for (ListLink* s = sections->next; s != sections; s = s->next) {
        IniSection* const section = ListElement<IniSection>(s);
        out += "[";
        AppendVisible(out, section->Name);
        out += "]#" + std::to_string(section->SectionIndex) + "\n";
        for (ListLink* k = section->Keys.next; k != &section->Keys; k = k->next) {
            IniKey* const key = ListElement<IniKey>(k);
            out += "  " + std::to_string(key->KeyIndex) + ":";
            AppendVisible(out, key->Name);
            out += "=";
            AppendVisible(out, key->Value);
            out += " (" + std::to_string(key->NameSize) + "," + std::to_string(key->ValueSize) + ")\n";
            EXPECT_EQ(key->SectionIndex, section->SectionIndex);
        }
    }
    return out;
}

TempFile::TempFile(const char* stem)
{
    static std::atomic<int> serial{0};
    const std::filesystem::path folder = std::filesystem::temp_directory_path();
    const std::string name = std::string("orvex_baselib_") + stem + "_" +
                             std::to_string(std::rand()) + "_" + std::to_string(serial++) + ".tmp";
    Path = (folder / name).string();
    std::remove(Path.c_str());
}

TempFile::~TempFile()
{
    std::remove(Path.c_str());
}

std::string TempFile::Read() const
{
    std::ifstream in(Path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void TempFile::WriteBinary(const std::string& bytes) const
{
    std::ofstream out(Path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

bool AllBytesZero(const void* block, std::size_t size)
{
    const auto* bytes = static_cast<const unsigned char*>(block);
    for (std::size_t i = 0; i < size; ++i) {
        if (bytes[i] != 0) {
            return false;
        }
    }
    return true;
}

std::string DropCarriageReturns(std::string text)
{
    std::erase(text, '\r');
    return text;
}
