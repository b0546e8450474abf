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

CountingHeap::CountingHeap() : previous_(BaseLib_SetHeap(this)) {}

CountingHeap::~CountingHeap()
{
    BaseLib_SetHeap(previous_);
    for (void* block : live_) {
        std::free(block);
    }
}

void* CountingHeap::Allocate(std::size_t size) noexcept
{
    const std::size_t number = allocations_++;
    if (number == refused_) {
        return nullptr;
    }
    void* const block = std::malloc(size);
    if (block != nullptr) {
        live_.insert(block);
    }
    return block;
}

void CountingHeap::Release(void* block) noexcept
{
    if (live_.erase(block) == 0) {
        ++foreignReleases_;
        return;
    }
    std::free(block);
}

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
