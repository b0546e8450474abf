#pragma once
// What the shell options ask of the desktop shell.
#include <string>

class Shell {
public:
    // Starts the file with the "open" verb in the file's own folder and
    // returns at once; non-zero when the shell started it. No error dialog.
    virtual int Open(const std::wstring& filePath) noexcept = 0;
    // The temporary-files folder with its trailing backslash; empty when it
    // cannot be read.
    virtual std::wstring TempDirectory() noexcept = 0;
    // Saves a shell link at shortcutPath whose target and icon (index 0) are
    // targetPath; 1 when the file was saved, 0 otherwise.
    virtual int SaveShortcut(const std::wstring& shortcutPath, const std::wstring& targetPath) noexcept = 0;
    // Nothing stands at path, or a plain file with one name that lies in
    // the folder that the path names: no link, junction, folder or second
    // name of a file elsewhere.
    virtual bool IsPlainFileOrAbsent(const std::wstring& path) noexcept = 0;
    // Deletes the file outright (no recycle bin), silently; 1 when the shell
    // reports success, 0 otherwise.
    virtual int DeleteShellFile(const std::wstring& path) noexcept = 0;

protected:
    ~Shell() = default;
};
