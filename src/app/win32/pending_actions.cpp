// Actions whose implementation has not landed yet: each refuses with 1.
#include "app/win32/actions.h"
#include "app/win32/shutdown_notice.h"

int DoSwitch() noexcept { return 1; }
int DoSwitchNow() noexcept { return 1; }
void ShowShutdownNotice() noexcept {}
