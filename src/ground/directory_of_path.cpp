#include "ground/directory_of_path.h"

std::wstring DirectoryOfPath(std::wstring_view path)
{
    const std::size_t slash = path.rfind(L'\\');
    if (slash == std::wstring_view::npos) {
        return {};
    }
    return std::wstring(path.substr(0, slash + 1));
}
