#include "firmware/receive_wmi_script_results.h"

#include <array>
#include <string>
#include <string_view>

#include "firmware/parse_wmi_script_results.h"

bool ReceiveWmiScriptResultsFrom(ReplySource& source, WmiScriptResults* table)
{
    if (table == nullptr) {
        return false;
    }
    table->Clear();
    std::array<wchar_t, kReplyBufferCharacters> buffer{};
    std::size_t carried = 0;
    for (;;) {
        const std::size_t space = buffer.size() - carried;
        if (space == 0) {
            // One field fills the whole buffer: a read for no bytes would
            // bring none, so the reading ends here.
            return true;
        }
        const ReplyRead read = source.Read(buffer.data() + carried, space);
        if (read.characters == 0) {
            return true;
        }
        std::wstring_view text(buffer.data(), carried + (read.characters < space ? read.characters : space));
        text = text.substr(0, text.find(L'\0'));
        const std::wstring_view rest = ParseWmiScriptResults(*table, text, read.moreData);
        if (!read.moreData) {
            return true;
        }
        std::char_traits<wchar_t>::move(buffer.data(), rest.data(), rest.size());
        carried = rest.size();
    }
}
