// The one path rule: the folder of a path is empty or a prefix of the path
// that ends at its last backslash. The input is UTF-16LE text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/ground/directory_of_path.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::wstring path;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        path += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
    }
    const std::wstring folder = DirectoryOfPath(path);
    const std::size_t lastSlash = path.rfind(L'\\');
    if (lastSlash == std::wstring::npos ? !folder.empty()
                                        : folder.size() != lastSlash + 1 || path.compare(0, folder.size(), folder) != 0) {
        std::abort();
    }
    return 0;
}
