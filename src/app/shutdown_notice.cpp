#include "app/shutdown_notice.h"

void PresentShutdownNotice(std::uint32_t showMsg, const NoticeCaptionLoader& loadCaption,
                           const BoxShower& showBox) noexcept
{
    // With 2 or above only the switch confirmation is shown, not this notice.
    if (showMsg != 1) {
        return;
    }
    try {
        const std::wstring caption = loadCaption();
        // OK, Enter, Escape and the timeout all end the notice alike.
        static_cast<void>(showBox(L"", caption.c_str(), kBoxStyleOk, kShutdownNoticeSeconds));
    } catch (...) {
        // Without memory for the caption there is no notice; the power call
        // still follows.
    }
}
