#pragma once

// The notice before a shutdown or reboot when ShowMsg is exactly 1; its
// caption is string 2017 of the platform's logon program.
void ShowShutdownNotice() noexcept;
