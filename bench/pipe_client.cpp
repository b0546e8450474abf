// Baseline of the firmware-path figure: the five exchanges with the script
// server that a -nomsg switch makes against the "ready" firmware (17, 24, 16,
// 24, 20; the server's record of such a run holds these five scripts and no
// other), each with its line in the log, with nothing around them. It starts as OrvexSwitcher.exe starts:
// the same imports, the same seeding of the stack canary.
#include <windows.h>

#include "pipe_exchange.h"
#include "same_imports.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    if (g_sameImports[0] == nullptr) {
        return 1;
    }
    const wchar_t* const scripts[] = {ORVEX_BENCH_SCRIPT(L"17"), ORVEX_BENCH_SCRIPT(L"24"), ORVEX_BENCH_SCRIPT(L"16"),
                                        ORVEX_BENCH_SCRIPT(L"24"), ORVEX_BENCH_SCRIPT(L"20")};
    for (const wchar_t* script : scripts) {
        if (!ExchangeWithScriptServer(script)) {
            return 1;
        }
    }
    return 0;
}
