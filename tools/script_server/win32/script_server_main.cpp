// The stand-in WMI Script Server: creates \\.\pipe\OrvexScriptServer as a
// message-type pipe with as many instances as clients need, checks that each
// script is the OrvexNotify script, and answers it from the simulated
// firmware of its profile. It records every script to a file (UTF-8, one per
// line), prints one line per exchange, and stops on --stop, Ctrl+C or its
// time limit.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstring>
#include <exception>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "ground/win32/unique_handle.h"
#include "script_server/firmware_profile.h"
#include "script_server/script_check.h"
#include "script_server/server_options.h"

namespace {

constexpr wchar_t kPipeName[] = L"\\\\.\\pipe\\OrvexScriptServer";
constexpr wchar_t kStopEventName[] = L"OrvexScriptServer.Stop";
constexpr DWORD kPipeBufferBytes = 64 * 1024;
constexpr DWORD kReadChunkBytes = 4096;
constexpr DWORD kInstanceRetryMilliseconds = 10;   // after a failed ConnectNamedPipe

struct Server {
    ServerOptions options;
    UniqueKernelObject stopEvent;
    std::mutex mutex;                                // output, record and call counts
    std::map<std::uint32_t, std::size_t> calls;      // per code, for successive answers
    std::uint32_t instances = 0;                     // pipe instances made
    std::uint32_t idleInstances = 0;                 // of those, waiting for a client
};

Server* g_server = nullptr;

std::string Utf8(std::wstring_view text)
{
    if (text.empty()) {
        return {};
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                         nullptr);
    std::string bytes(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

void PrintLine(std::FILE* stream, std::wstring_view text)
{
    const std::string bytes = Utf8(text) + "\n";
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
    std::fflush(stream);
}

// One script per line; the line breaks that a script may hold are written
// as \r and \n so that the line stays one.
void Record(Server& server, std::wstring_view script)
{
    if (server.options.recordPath.empty()) {
        return;
    }
    std::wstring line;
    for (const wchar_t c : script) {
        line += c == L'\r' ? std::wstring(L"\\r") : c == L'\n' ? std::wstring(L"\\n") : std::wstring(1, c);
    }
    const std::string bytes = Utf8(line) + "\n";
    if (std::FILE* file = _wfopen(server.options.recordPath.c_str(), L"ab")) {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
}

// One whole message; false when the client has gone.
bool ReadMessage(HANDLE pipe, std::vector<unsigned char>& message)
{
    message.clear();
    for (;;) {
        const std::size_t start = message.size();
        message.resize(start + kReadChunkBytes);
        DWORD got = 0;
        const BOOL done = ReadFile(pipe, message.data() + start, kReadChunkBytes, &got, nullptr);
        const DWORD error = done ? ERROR_SUCCESS : GetLastError();
        message.resize(start + got);
        if (done) {
            return true;
        }
        if (error != ERROR_MORE_DATA) {
            return false;
        }
    }
}

struct Exchange {
    std::wstring reply;
    std::wstring summary;
    DWORD delay = 0;
    bool closeAfterReply = false;
};

Exchange Answer(Server& server, const std::vector<unsigned char>& message)
{
    std::wstring script(message.size() / 2, L'\0');
    std::memcpy(script.data(), message.data(), script.size() * sizeof(wchar_t));
    ScriptCheck check = CheckNotifyScript(script);
    if (check.wrongAction == 0 && message.size() % 2 != 0) {
        check.wrongAction = kNotifyScriptActionCount + 1;
    }
    Exchange exchange;
    std::lock_guard lock(server.mutex);
    Record(server, script);
    if (check.wrongAction != 0) {
        exchange.reply = ComposeScriptError(check.wrongAction);
        exchange.summary = L"wrong script at action " + std::to_wstring(check.wrongAction) + L": ";
    } else {
        const ComposedReply composed =
            ComposeReply(server.options.profile, check.commandCode, server.calls[check.commandCode]++);
        exchange.reply = composed.text;
        exchange.delay = composed.delayMilliseconds;
        exchange.closeAfterReply = composed.closeAfterReply;
        exchange.summary = L"OrvexNotify(" + std::to_wstring(check.commandCode) + L"): ";
    }
    exchange.summary += exchange.reply.substr(0, 200);
    if (exchange.closeAfterReply) {
        exchange.summary += L" (connection closed after " + std::to_wstring(exchange.reply.size() * 2) + L" bytes)";
    }
    PrintLine(stdout, exchange.summary);
    return exchange;
}

// Answers the scripts of one client until it closes its end; waiting for
// that keeps the reply readable until the client has read it.
void Serve(Server& server, HANDLE pipe)
{
    try {
        std::vector<unsigned char> message;
        while (ReadMessage(pipe, message)) {
            const Exchange exchange = Answer(server, message);
            if (exchange.delay != 0 && WaitForSingleObject(server.stopEvent.Get(), exchange.delay) == WAIT_OBJECT_0) {
                return;
            }
            DWORD written = 0;
            WriteFile(pipe, exchange.reply.data(), static_cast<DWORD>(exchange.reply.size() * sizeof(wchar_t)),
                      &written, nullptr);
            if (exchange.closeAfterReply) {
                // Waits until the client has read the cut reply; the caller
                // then disconnects while the client may still read on.
                FlushFileBuffers(pipe);
                return;
            }
        }
    } catch (const std::exception&) {
        // Out of memory: drop this client.
    }
}

HANDLE CreateInstance(const ServerOptions& options, bool first) noexcept
{
    const DWORD type = options.bytePipe ? (PIPE_TYPE_BYTE | PIPE_READMODE_BYTE)
                                        : (PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE);
    const DWORD instances = options.instances == 0 ? PIPE_UNLIMITED_INSTANCES : options.instances;
    return CreateNamedPipeW(kPipeName, PIPE_ACCESS_DUPLEX | (first ? FILE_FLAG_FIRST_PIPE_INSTANCE : 0),
                            type | PIPE_WAIT, instances, kPipeBufferBytes, kPipeBufferBytes, 0, nullptr);
}

DWORD WINAPI ServeInstance(void* parameter) noexcept;

// Starts a thread that serves instance (which it then owns).
bool StartInstance(Server& server, HANDLE instance) noexcept
{
    {
        std::lock_guard lock(server.mutex);
        ++server.idleInstances;
        ++server.instances;
    }
    UniqueKernelObject thread(CreateThread(nullptr, 0, ServeInstance, instance, 0, nullptr));
    if (!thread) {
        UniqueFileHandle dropped(instance);
        std::lock_guard lock(server.mutex);
        --server.idleInstances;
        --server.instances;
        return false;
    }
    return true;
}

// One pipe instance serves one client after another and is never closed:
// the pipe would vanish with its last instance, and a client waiting for a
// busy pipe would fail instead of getting the instance next.
DWORD WINAPI ServeInstance(void* parameter) noexcept
{
    Server& server = *g_server;
    const UniqueFileHandle pipe(static_cast<HANDLE>(parameter));
    for (;;) {
        if (!ConnectNamedPipe(pipe.Get(), nullptr) && GetLastError() != ERROR_PIPE_CONNECTED) {
            if (WaitForSingleObject(server.stopEvent.Get(), kInstanceRetryMilliseconds) == WAIT_OBJECT_0) {
                return 0;
            }
            continue;
        }
        bool grow = false;
        {
            std::lock_guard lock(server.mutex);
            --server.idleInstances;
            const std::uint32_t limit = server.options.instances;
            grow = server.idleInstances == 0 && (limit == 0 || server.instances < limit);
        }
        if (grow) {
            // Another client may come while this one is served.
            HANDLE next = CreateInstance(server.options, false);
            if (next != INVALID_HANDLE_VALUE) {
                StartInstance(server, next);
            }
        }
        Serve(server, pipe.Get());
        DisconnectNamedPipe(pipe.Get());
        std::lock_guard lock(server.mutex);
        ++server.idleInstances;
    }
}

BOOL WINAPI OnConsoleControl(DWORD) noexcept
{
    SetEvent(g_server->stopEvent.Get());
    return TRUE;
}

int RequestStop()
{
    UniqueKernelObject event(OpenEventW(EVENT_MODIFY_STATE, FALSE, kStopEventName));
    if (!event) {
        PrintLine(stderr, L"OrvexScriptServer: no script server is running");
        return 1;
    }
    SetEvent(event.Get());
    PrintLine(stdout, L"OrvexScriptServer: stop requested");
    return 0;
}

int Run(Server& server)
{
    server.stopEvent.Reset(CreateEventW(nullptr, TRUE, FALSE, kStopEventName));
    if (!server.stopEvent || GetLastError() == ERROR_ALREADY_EXISTS) {
        PrintLine(stderr, L"OrvexScriptServer: another script server is running");
        return 1;
    }
    if (!server.options.recordPath.empty()) {
        std::FILE* file = _wfopen(server.options.recordPath.c_str(), L"wb");
        if (file == nullptr) {
            PrintLine(stderr, L"OrvexScriptServer: cannot write " + server.options.recordPath);
            return 1;
        }
        std::fclose(file);
    }
    HANDLE first = CreateInstance(server.options, true);
    if (first == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        PrintLine(stderr, L"OrvexScriptServer: cannot create the pipe [Err=" + std::to_wstring(error) + L"]");
        return 1;
    }
    SetConsoleCtrlHandler(OnConsoleControl, TRUE);
    if (!StartInstance(server, first)) {
        PrintLine(stderr, L"OrvexScriptServer: cannot start listening");
        return 1;
    }
    PrintLine(stdout, std::wstring(L"OrvexScriptServer: listening on ") + kPipeName);
    const DWORD limit = server.options.timeLimitSeconds == 0 ? INFINITE : server.options.timeLimitSeconds * 1000;
    const bool stopped = WaitForSingleObject(server.stopEvent.Get(), limit) == WAIT_OBJECT_0;
    PrintLine(stdout, stopped ? L"OrvexScriptServer: stopped" : L"OrvexScriptServer: time limit reached");
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    // Lives until the process ends: the client threads use it to the last.
    g_server = new Server;
    std::vector<std::wstring> arguments(argv + 1, argv + argc);
    std::wstring error;
    if (!ParseServerArguments(arguments, g_server->options, error)) {
        PrintLine(stderr, L"OrvexScriptServer: " + error);
        PrintLine(stderr, ServerUsage());
        return 2;
    }
    if (g_server->options.help) {
        PrintLine(stdout, ServerUsage());
        return 0;
    }
    if (g_server->options.stop) {
        return RequestStop();
    }
    return Run(*g_server);
}
