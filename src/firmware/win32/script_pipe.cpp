#include "firmware/win32/script_pipe.h"

#include <limits>
#include <new>
#include <string>

#include "firmware/receive_wmi_script_results.h"

namespace {

class PipeReplySource final : public ReplySource {
public:
    explicit PipeReplySource(HANDLE pipe) noexcept : pipe_(pipe) {}

    ReplyRead Read(wchar_t* into, std::size_t capacity) noexcept override
    {
        DWORD bytes = 0;
        const BOOL read = ReadFile(pipe_, into, static_cast<DWORD>(capacity * sizeof(wchar_t)), &bytes, nullptr);
        const bool moreData = !read && GetLastError() == ERROR_MORE_DATA;
        if (bytes % sizeof(wchar_t) != 0) {
            // A message of an odd length: its last character is the last
            // byte alone.
            reinterpret_cast<unsigned char*>(into)[bytes] = 0;
        }
        return {(bytes + sizeof(wchar_t) - 1) / sizeof(wchar_t), moreData};
    }

private:
    HANDLE pipe_;
};

}  // namespace

DWORD OpenScriptServerPipe(UniqueFileHandle& pipe) noexcept
{
    pipe.Reset();
    for (;;) {
        // Whoever created the pipe first may be a stand-in for the server:
        // it may learn who the user is, never act as the user.
        HANDLE handle = CreateFileW(kScriptServerPipeName, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                    SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            pipe.Reset(handle);
            return ERROR_SUCCESS;
        }
        const DWORD error = GetLastError();
        if (error != ERROR_PIPE_BUSY) {
            return error;
        }
        // Every instance serves another client; wait for one to be free.
        if (!WaitNamedPipeW(kScriptServerPipeName, kPipeBusyWaitMilliseconds)) {
            return GetLastError();
        }
    }
}

DWORD SendWmiScript(HANDLE pipe, const WmiScript& script) noexcept
{
    DWORD mode = PIPE_READMODE_MESSAGE;
    if (!SetNamedPipeHandleState(pipe, &mode, nullptr, nullptr)) {
        return GetLastError();
    }
    std::wstring text;
    try {
        text = script.Text();
    } catch (const std::bad_alloc&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return ERROR_NOT_ENOUGH_MEMORY;
    }
    if (text.size() > std::numeric_limits<DWORD>::max() / sizeof(wchar_t)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return ERROR_INVALID_PARAMETER;
    }
    DWORD written = 0;
    if (!WriteFile(pipe, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &written, nullptr)) {
        return GetLastError();
    }
    return ERROR_SUCCESS;
}

DWORD ReceiveWmiScriptResults(HANDLE pipe, WmiScriptResults* table) noexcept
{
    PipeReplySource source(pipe);
    try {
        if (!ReceiveWmiScriptResultsFrom(source, table)) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return ERROR_INVALID_PARAMETER;
        }
    } catch (const std::bad_alloc&) {
        // The table keeps what was stored before memory ran out.
    }
    return ERROR_SUCCESS;
}
