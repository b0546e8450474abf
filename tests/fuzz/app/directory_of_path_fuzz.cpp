// The one path rule: the folder of a path is empty or a prefix of the path
// that ends at its last backslash. The input is UTF-16LE text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/ground/directory_of_path.h"
#include "../utf16_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::wstring path = Utf16Input(data, size);
    const std::wstring folder = DirectoryOfPath(path);
    const std::size_t lastSlash = path.rfind(L'\\');
    if (lastSlash == std::wstring::npos ? !folder.empty()
                                        : folder.size() != lastSlash + 1 || path.compare(0, folder.size(), folder) != 0) {
        std::abort();
    }
    return 0;
}
