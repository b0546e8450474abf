#pragma once

// Starts the companion configuration tool: 0 when it was started, 1 when not.
class ToolLauncher {
public:
    virtual int LaunchConfigTool() noexcept = 0;

protected:
    ~ToolLauncher() = default;
};
