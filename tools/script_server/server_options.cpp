#include "script_server/server_options.h"

#include <algorithm>
#include <optional>
#include <string_view>

namespace {

std::optional<std::uint32_t> ParseCount(std::wstring_view text)
{
    if (text.empty() || text.size() > 9 || !std::all_of(text.begin(), text.end(), [](wchar_t c) {
            return c >= L'0' && c <= L'9';
        })) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(std::stoul(std::wstring(text)));
}

}  // namespace

bool ParseServerArguments(const std::vector<std::wstring>& arguments, ServerOptions& options, std::wstring& error)
{
    const bool namesProfile = std::find(arguments.begin(), arguments.end(), L"--profile") != arguments.end();
    if (!namesProfile && !ApplyProfileSetting(options.profile, L"profile", L"ready", error)) {
        return false;
    }
    for (std::size_t at = 0; at < arguments.size(); ++at) {
        const std::wstring& argument = arguments[at];
        if (argument.size() < 3 || !argument.starts_with(L"--")) {
            error = L"unexpected argument " + argument;
            return false;
        }
        const std::wstring_view name = std::wstring_view(argument).substr(2);
        if (name == L"stop" || name == L"help" || name == L"byte-pipe") {
            (name == L"stop" ? options.stop : name == L"help" ? options.help : options.bytePipe) = true;
            continue;
        }
        if (at + 1 >= arguments.size()) {
            error = argument + L" needs a value";
            return false;
        }
        const std::wstring& value = arguments[++at];
        if (name == L"record") {
            options.recordPath = value;
        } else if (name == L"time-limit" || name == L"instances") {
            const std::optional<std::uint32_t> count = ParseCount(value);
            if (!count) {
                error = argument + L" " + value + L": not a whole number";
                return false;
            }
            (name == L"time-limit" ? options.timeLimitSeconds : options.instances) = *count;
        } else if (!ApplyProfileSetting(options.profile, name, value, error)) {
            return false;
        }
    }
    return true;
}

const wchar_t* ServerUsage() noexcept
{
    return L"usage: OrvexScriptServer.exe [--profile NAME] [--answer CODE=V[,V...]] [--delay CODE=MS]\n"
           L"         [--size CODE=BYTES] [--raw CODE=TEXT] [--cut CODE=BYTES]\n"
           L"         [--record FILE] [--time-limit SECONDS] [--instances N] [--byte-pipe]\n"
           L"       OrvexScriptServer.exe --stop\n"
           L"Profiles: ready legacy not-ready feature-off unconfigured state-unknown refused absent\n"
           L"(default ready). CODE is a notification code or *.\n";
}
