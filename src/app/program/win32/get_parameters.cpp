#include <windows.h>
#include <shellapi.h>

#include <span>
#include <string_view>

#include "app/program/win32/startup.h"
#include "ground/win32/trace_log.h"
#include "ground/win32/unique_handle.h"

ProgramAction GetParameters(std::uint32_t& showMsg) noexcept
{
    int count = 0;
    const UniqueArgumentList arguments(CommandLineToArgvW(GetCommandLineW(), &count));
    if (!arguments) {
        ORVEX_TRACE(TRACE_ERROR, L"Load program options failed.\n");
        return kDefaultAction;
    }
    // The first argument is the program path.
    std::span<LPWSTR> options(arguments.Get(), count > 1 ? static_cast<std::size_t>(count) : 1u);
    bool showMsgCleared = false;
    const ProgramAction action = ChooseAction(options.subspan(1), showMsgCleared);
    if (showMsgCleared) {
        showMsg = 0;
    }
    return action;
}
