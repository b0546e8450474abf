#pragma once
// The desktop shell of this machine: ShellExecuteExW, the shell-link object
// and SHFileOperationW.
#include "app/actions/shell.h"

class WindowsShell final : public Shell {
public:
    int Open(const std::wstring& filePath) noexcept override;
    std::wstring TempDirectory() noexcept override;
    int SaveShortcut(const std::wstring& shortcutPath, const std::wstring& targetPath) noexcept override;
    bool IsPlainFileOrAbsent(const std::wstring& path) noexcept override;
    int DeleteShellFile(const std::wstring& path) noexcept override;
};
