#pragma once
// Plays the WMI Script Server inside a test: one pipe instance on the real
// pipe name, served on a thread of its own for a given number of clients.
#include <windows.h>

#include <optional>
#include <string_view>
#include <thread>
#include <vector>

#include "app/ground/win32/unique_handle.h"

using Bytes = std::vector<unsigned char>;

// The UTF-16LE bytes of text.
[[nodiscard]] Bytes Utf16Le(std::wstring_view text);

class FakeScriptServer {
public:
    // reply: the message sent back to each script; nullopt closes the
    // connection without answering. pipeType: PIPE_TYPE_MESSAGE or
    // PIPE_TYPE_BYTE.
    explicit FakeScriptServer(std::optional<Bytes> reply, int clients = 1, DWORD pipeType = PIPE_TYPE_MESSAGE);
    ~FakeScriptServer();
    FakeScriptServer(const FakeScriptServer&) = delete;
    FakeScriptServer& operator=(const FakeScriptServer&) = delete;

    [[nodiscard]] bool Listening() const noexcept { return pipe_.Valid(); }

    // Waits until every client has been served; then the scripts received,
    // one per client that sent one.
    [[nodiscard]] const std::vector<Bytes>& Finish();

private:
    void Serve(int clients);

    UniqueFileHandle pipe_;
    std::optional<Bytes> reply_;
    std::vector<Bytes> received_;
    std::thread thread_;
};
