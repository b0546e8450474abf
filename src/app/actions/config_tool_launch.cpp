#include "app/actions/config_tool_launch.h"

#include <new>
#include <string>

int LaunchConfigTool(std::wstring_view programFolder, Shell& shell) noexcept
{
    // A bare tool name would be looked up in the current folder and the
    // search path, not next to the program.
    if (programFolder.empty()) {
        return 1;
    }
    try {
        std::wstring toolPath(programFolder);
        toolPath += kConfigToolName;
        return shell.Open(toolPath) != 0 ? 0 : 1;
    } catch (const std::bad_alloc&) {
        return 1;
    }
}
