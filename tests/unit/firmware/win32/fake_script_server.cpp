#include "fake_script_server.h"

#include "firmware/win32/script_pipe.h"

Bytes Utf16Le(std::wstring_view text)
{
    Bytes bytes;
    for (const wchar_t c : text) {
        bytes.push_back(static_cast<unsigned char>(c & 0xFF));
        bytes.push_back(static_cast<unsigned char>((c >> 8) & 0xFF));
    }
    return bytes;
}

namespace {

// No step of the fake waits longer, so that a test whose client never
// comes still ends.
constexpr DWORD kStepMilliseconds = 15000;

// Runs one overlapped call on pipe to its end. False when it failed or did
// not end in time; error says which.
template <class Call>
bool Await(HANDLE pipe, Call call, DWORD& bytes, DWORD& error)
{
    UniqueKernelObject event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    OVERLAPPED overlapped{};
    overlapped.hEvent = event.Get();
    bytes = 0;
    if (call(&overlapped)) {
        error = ERROR_SUCCESS;
        return GetOverlappedResult(pipe, &overlapped, &bytes, FALSE) != FALSE;
    }
    error = GetLastError();
    if (error != ERROR_IO_PENDING) {
        return false;
    }
    if (WaitForSingleObject(event.Get(), kStepMilliseconds) != WAIT_OBJECT_0) {
        CancelIoEx(pipe, &overlapped);
        GetOverlappedResult(pipe, &overlapped, &bytes, TRUE);
        error = WAIT_TIMEOUT;
        return false;
    }
    const bool done = GetOverlappedResult(pipe, &overlapped, &bytes, FALSE) != FALSE;
    error = done ? ERROR_SUCCESS : GetLastError();
    return done;
}

bool Connect(HANDLE pipe)
{
    DWORD bytes = 0;
    DWORD error = 0;
    return Await(pipe, [&](OVERLAPPED* o) { return ConnectNamedPipe(pipe, o); }, bytes, error) ||
           error == ERROR_PIPE_CONNECTED;
}

// One whole message; nothing when the client closed first.
std::optional<Bytes> ReadMessage(HANDLE pipe)
{
    Bytes message;
    for (;;) {
        unsigned char chunk[1024];
        DWORD got = 0;
        DWORD error = 0;
        const bool done = Await(pipe, [&](OVERLAPPED* o) { return ReadFile(pipe, chunk, sizeof chunk, nullptr, o); },
                                got, error);
        message.insert(message.end(), chunk, chunk + got);
        if (done) {
            return message;
        }
        if (error != ERROR_MORE_DATA) {
            return std::nullopt;
        }
    }
}

void Write(HANDLE pipe, const Bytes& bytes)
{
    DWORD written = 0;
    DWORD error = 0;
    (void)Await(
        pipe,
        [&](OVERLAPPED* o) { return WriteFile(pipe, bytes.data(), static_cast<DWORD>(bytes.size()), nullptr, o); },
        written, error);
}

}  // namespace

FakeScriptServer::FakeScriptServer(std::optional<Bytes> reply, int clients, DWORD pipeType)
    : reply_(std::move(reply))
{
    const DWORD readMode = pipeType == PIPE_TYPE_MESSAGE ? PIPE_READMODE_MESSAGE : PIPE_READMODE_BYTE;
    pipe_.Reset(CreateNamedPipeW(kScriptServerPipeName,
                                 PIPE_ACCESS_DUPLEX | FILE_FLAG_FIRST_PIPE_INSTANCE | FILE_FLAG_OVERLAPPED,
                                 pipeType | readMode | PIPE_WAIT, 1, 65536, 65536, 0, nullptr));
    if (pipe_.Valid()) {
        thread_ = std::thread(&FakeScriptServer::Serve, this, clients);
    }
}

FakeScriptServer::~FakeScriptServer()
{
    if (thread_.joinable()) {
        thread_.join();
    }
}

const std::vector<Bytes>& FakeScriptServer::Finish()
{
    if (thread_.joinable()) {
        thread_.join();
    }
    return received_;
}

void FakeScriptServer::Serve(int clients)
{
    for (int i = 0; i < clients; ++i) {
        if (!Connect(pipe_.Get())) {
            return;
        }
        if (std::optional<Bytes> script = ReadMessage(pipe_.Get())) {
            received_.push_back(std::move(*script));
            if (reply_) {
                Write(pipe_.Get(), *reply_);
                // Until the client closes its end, so that it has read the
                // reply before the instance is disconnected.
                (void)ReadMessage(pipe_.Get());
            }
        }
        DisconnectNamedPipe(pipe_.Get());
    }
}
