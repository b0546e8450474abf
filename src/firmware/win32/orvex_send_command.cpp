#include "firmware/win32/orvex_send_command.h"

#include <windows.h>

#include <new>

#include "ground/win32/trace_log.h"
#include "ground/win32/unique_handle.h"
#include "firmware/orvex_notify_reply.h"
#include "firmware/orvex_notify_script.h"
#include "firmware/win32/script_pipe.h"

namespace {

constexpr wchar_t kFailureFormat[] = L"[HRESULT=0x%08x] [ActionIndex=%s] OrvexNotify(0x%08x, 0x%08x).\n";

// The second argument of OrvexNotify; the script always sends 0.
constexpr std::uint32_t kNotifyParameter = 0;

}  // namespace

std::int32_t Orvex_SendCommand(std::uint32_t commandCode, std::uint32_t /*reserved*/, std::uint32_t* value) noexcept
{
    if (value == nullptr) {
        ORVEX_TRACE(TRACE_ERROR, kFailureFormat, static_cast<std::uint32_t>(E_POINTER), L"", commandCode,
                    kNotifyParameter);
        return E_POINTER;
    }
    try {
        UniqueFileHandle pipe;
        if (const DWORD error = OpenScriptServerPipe(pipe); error != ERROR_SUCCESS) {
            ORVEX_TRACE(TRACE_ERROR, L"Fail to open WMI Script Server [Err=%u].\n", error);
            return HRESULT_FROM_WIN32(error);
        }
        const WmiScript script = BuildOrvexNotifyScript(commandCode);
        if (const DWORD error = SendWmiScript(pipe.Get(), script); error != ERROR_SUCCESS) {
            ORVEX_TRACE(TRACE_ERROR, L"Fail to send WMI script [Err=%u].\n", error);
            return HRESULT_FROM_WIN32(error);
        }
        WmiScriptResults reply;
        if (const DWORD error = ReceiveWmiScriptResults(pipe.Get(), &reply); error != ERROR_SUCCESS) {
            ORVEX_TRACE(TRACE_ERROR, L"Fail to receive WMI script results [Err=%u].\n", error);
            return HRESULT_FROM_WIN32(error);
        }
        const OrvexNotifyOutcome outcome = ReadOrvexNotifyReply(reply, *value);
        if (outcome.result == 0) {
            ORVEX_TRACE(TRACE_INFO, L"0x%08x = OrvexNotify(0x%08x, 0x%08x).\n", *value, commandCode, kNotifyParameter);
        } else {
            ORVEX_TRACE(TRACE_ERROR, kFailureFormat, static_cast<std::uint32_t>(outcome.result),
                        EscapeForRecord(outcome.actionIndex).c_str(), commandCode, kNotifyParameter);
        }
        return outcome.result;
    } catch (const std::bad_alloc&) {
        ORVEX_TRACE(TRACE_ERROR, kFailureFormat, static_cast<std::uint32_t>(E_OUTOFMEMORY), L"", commandCode,
                    kNotifyParameter);
        return E_OUTOFMEMORY;
    }
}
