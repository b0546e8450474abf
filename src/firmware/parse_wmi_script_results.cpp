#include "firmware/parse_wmi_script_results.h"

std::wstring_view ParseWmiScriptResults(WmiScriptResults& table, std::wstring_view text, bool moreFollows)
{
    std::size_t start = 0;
    for (;;) {
        const std::size_t separator = text.find(L';', start);
        const bool ended = separator != std::wstring_view::npos;
        if (moreFollows && !ended) {
            // The field may go on in the next pass.
            return text.substr(start);
        }
        const std::size_t end = ended ? separator : text.size();
        const std::wstring_view field = text.substr(start, end - start);
        const std::size_t equals = field.find(L'=');
        if (equals == std::wstring_view::npos || equals == 0) {
            return moreFollows ? text.substr(end + 1) : std::wstring_view();
        }
        table.Store(field.substr(0, equals), field.substr(equals + 1));
        if (!ended || end + 1 == text.size()) {
            return {};
        }
        start = end + 1;
    }
}
