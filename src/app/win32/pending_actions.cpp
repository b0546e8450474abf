// Actions whose implementation has not landed yet: each refuses with 1.
#include "app/win32/actions.h"

int DoS3() noexcept { return 1; }
int DoS4() noexcept { return 1; }
int DoS5() noexcept { return 1; }
int DoHybridShutdown() noexcept { return 1; }
int DoShutdown() noexcept { return 1; }
int DoReboot() noexcept { return 1; }
int DoSwitch() noexcept { return 1; }
int DoSwitchNow() noexcept { return 1; }
