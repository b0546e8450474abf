#include "app/win32/shutdown_notice.h"

#include <windows.h>

#include <string>

#include "app/records.h"
#include "app/shutdown_notice.h"
#include "app/win32/show_box.h"
#include "app/win32/unique_handle.h"
#include "ui/win32/load_res_string.h"

namespace {

constexpr UINT kLogonNoticeStringId = 2017;

// The caption comes from the platform's logon program, loaded as data only
// and released at once; empty when it is missing or has no such string.
std::wstring LoadNoticeCaption()
{
    const UniqueModule logon(LoadLibraryExW(L"winlogon.exe", nullptr, LOAD_LIBRARY_AS_DATAFILE));
    if (!logon) {
        return {};
    }
    return LoadResString(logon.Get(), kLogonNoticeStringId);
}

}  // namespace

void ShowShutdownNotice() noexcept
{
    PresentShutdownNotice(g_ShowMsg, LoadNoticeCaption, ShowOrvexMsgBox);
}
