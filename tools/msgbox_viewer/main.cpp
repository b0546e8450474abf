// The box viewer: shows one message box from its command line and exits
// with the answer, so that people and tests can look at the box without the
// firmware. See viewer_options.h for the command line.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ui/win32/orvex_msgbox.h"
#include "viewer_options.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    std::vector<std::wstring> arguments;
    for (int i = 1; i < __argc; ++i) {
        arguments.emplace_back(__wargv[i]);
    }
    const auto options = ParseViewerOptions(arguments);
    if (!options) {
        std::fputws(L"usage: msgbox_viewer [-labels \"OK|Cancel|Abort|Try|Retry|Ignore|Yes|No|Continue\"] [-repeat N] "
                    L"[TEXT [CAPTION [STYLE [TIMEOUT]]]]\n",
                    stderr);
        return kViewerBadCommand;
    }
    // Without -labels every caption is empty, so the box takes the
    // platform's own.
    int answer = kViewerNotShown;
    for (std::int32_t shown = 0; shown < options->repeat; ++shown) {
        OrvexMsgBox box(options->labels);
        if (box.Init() != 1) {
            return kViewerNotShown;
        }
        answer = box.Show(options->text ? options->text->c_str() : nullptr,
                          options->caption ? options->caption->c_str() : nullptr, options->style,
                          options->timeoutSeconds);
        if (options->repeat > 1) {
            std::printf("%d\n", answer);
            std::fflush(stdout);
        }
    }
    return answer;
}
