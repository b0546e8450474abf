#include "baselib/ini_line_scan.h"

namespace {

// The white space of the C library's scanners in the "C" locale.
bool IsScanSpace(char c) noexcept
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool EndsKey(char c) noexcept
{
    return c == '=' || c == '^' || c == ';' || c == '#';
}

bool EndsValue(char c) noexcept
{
    return c == '\n' || c == '#' || c == ';';
}

}  // namespace

IniLineScan ScanIniLine(std::string_view line) noexcept
{
    if (line.empty()) {
        return {IniLineKind::Other, {}, {}};
    }
    if (line.front() == '[') {
        const std::string_view rest = line.substr(1);
        const std::string_view name = rest.substr(0, rest.find(']'));
        if (!name.empty()) {
            return {IniLineKind::Section, name, {}};
        }
        // "[]" names no section; it is read as a key line like any other.
    }

    std::size_t at = 0;
    while (at < line.size() && !EndsKey(line[at])) {
        ++at;
    }
    if (at == 0) {
        return {IniLineKind::Other, {}, {}};
    }
    const std::string_view key = line.substr(0, at);
    while (at < line.size() && IsScanSpace(line[at])) {
        ++at;
    }
    if (at == line.size() || line[at] != '=') {
        return {IniLineKind::Key, key, {}};
    }
    ++at;
    while (at < line.size() && IsScanSpace(line[at])) {
        ++at;
    }
    const std::size_t valueStart = at;
    while (at < line.size() && !EndsValue(line[at])) {
        ++at;
    }
    return {IniLineKind::Key, key, line.substr(valueStart, at - valueStart)};
}
