#pragma once
#include <cstdint>

// The firmware call as the actions use it: command code, reserved (always 0)
// and the in/out value, which keeps its preset when no answer comes. The
// result is the server's HRESULT, which the actions do not read.
class FirmwareChannel {
public:
    virtual std::int32_t SendCommand(std::uint32_t commandCode, std::uint32_t reserved,
                                     std::uint32_t* value) noexcept = 0;

protected:
    ~FirmwareChannel() = default;
};
