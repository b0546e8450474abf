#pragma once
// The stand-in script server's command line:
//   OrvexScriptServer.exe [--profile NAME] [setting...] [--record FILE]
//                         [--time-limit SECONDS] [--instances N] [--byte-pipe]
//   OrvexScriptServer.exe --stop
// The settings are those of firmware_profile.h as --NAME VALUE. Without a
// --profile the server starts from the profile "ready".
#include <cstdint>
#include <string>
#include <vector>

#include "script_server/firmware_profile.h"

struct ServerOptions {
    FirmwareProfile profile;
    std::wstring recordPath;             // empty: scripts are not recorded
    std::uint32_t timeLimitSeconds = 0;  // 0: runs until stopped
    std::uint32_t instances = 0;         // 0: as many as clients need
    bool bytePipe = false;               // a byte-type pipe, which clients cannot use
    bool stop = false;                   // ask the running server to stop
    bool help = false;
};

[[nodiscard]] bool ParseServerArguments(const std::vector<std::wstring>& arguments, ServerOptions& options,
                                        std::wstring& error);

[[nodiscard]] const wchar_t* ServerUsage() noexcept;
