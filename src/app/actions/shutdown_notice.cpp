#include "app/actions/shutdown_notice.h"

#include <string>

void PresentShutdownNotice(std::uint32_t showMsg, PowerPlatform& platform, BoxShower& box) noexcept
{
    // With 2 or above only the switch confirmation is shown, not this notice.
    if (showMsg != 1) {
        return;
    }
    const std::wstring caption = platform.NoticeCaption();
    // OK, Enter, Escape and the timeout all end the notice alike.
    static_cast<void>(box.Show(L"", caption.c_str(), kBoxStyleOk, kShutdownNoticeSeconds));
}
