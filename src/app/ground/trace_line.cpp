#include "app/ground/trace_line.h"

#include "app/ground/directory_of_path.h"

const char* TraceLevelName(int level) noexcept
{
    static constexpr const char* kNames[] = {"ERROR", "WARN", "INFO", "DEBUG"};
    return (level >= 0 && level <= 3) ? kNames[level] : "";
}

std::wstring LogPathForProgram(std::wstring_view programPath)
{
    std::wstring path = DirectoryOfPath(programPath);
    if (path.empty()) {
        return {};
    }
    path += kLogTag;
    path += L".log";
    if (path.size() + 1 > kLogPathSize) {
        return {};
    }
    return path;
}

std::string EncodeLogFileLine(std::wstring_view line)
{
    std::string bytes;
    bytes.reserve(line.size() + 2);
    for (const wchar_t c : line) {
        if (static_cast<unsigned long>(c) > 255) {
            break;
        }
        if (c == L'\n') {
            bytes += '\r';
        }
        bytes += static_cast<char>(static_cast<unsigned char>(c));
    }
    return bytes;
}
