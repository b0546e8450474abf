#pragma once
// The one call through which every firmware query and order passes: the
// firmware's OrvexNotify method, written down as a WMI script and run by the
// local WMI Script Server.
#include <cstdint>

// Sends commandCode to the firmware. value is in and out: the caller presets
// it, and it keeps the preset when no answer carries a return value.
// reserved is not used. Returns the server's HRESULT, or HRESULT_FROM_WIN32
// of the system error when the pipe cannot be opened or written.
std::int32_t Orvex_SendCommand(std::uint32_t commandCode, std::uint32_t reserved, std::uint32_t* value) noexcept;
