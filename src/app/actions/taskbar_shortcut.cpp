#include "app/actions/taskbar_shortcut.h"

#include <new>
#include <string>

int WriteAndDeleteShortcut(std::wstring_view programFolder, Shell& shell) noexcept
{
    if (programFolder.empty()) {
        return 1;
    }
    try {
        // The fixed name, not the running program's file name.
        std::wstring target(programFolder);
        target += kShortcutTargetName;
        // Without a temporary folder this is the bare name, relative to the
        // current folder.
        const std::wstring shortcut = shell.TempDirectory() + kShortcutName;
        // A link planted at the name would take the write or the deletion to
        // its target: the option stops and leaves it alone.
        if (!shell.IsPlainFileOrAbsent(shortcut)) {
            return 1;
        }
        static_cast<void>(shell.SaveShortcut(shortcut, target));
        if (!shell.IsPlainFileOrAbsent(shortcut)) {
            return 1;
        }
        static_cast<void>(shell.DeleteShellFile(shortcut));
    } catch (const std::bad_alloc&) {
    }
    return 1;
}
