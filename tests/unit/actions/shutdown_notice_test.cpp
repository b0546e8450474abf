#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/shutdown_notice.h"

namespace {

struct ShownBox {
    std::wstring text;
    std::wstring caption;
    std::uint32_t style;
    std::int32_t timeoutSeconds;

    bool operator==(const ShownBox&) const = default;
};

struct NoticeCase {
    std::uint32_t showMsg;
    std::wstring caption;   // what the loader returns
    std::vector<ShownBox> boxes;
};

TEST(ShutdownNotice, OnlyAPolicyOfExactlyOneShowsItForFiveSeconds)
{
    const NoticeCase cases[] = {
        {0, L"Shutting down", {}},
        {1, L"Shutting down", {{L"", L"Shutting down", 0, 5}}},
        // No string in the logon program: the notice has an empty caption.
        {1, L"", {{L"", L"", 0, 5}}},
        {2, L"Shutting down", {}},
        {0xFFFFFFFFu, L"Shutting down", {}},
        {0x80000001u, L"Shutting down", {}},
    };
    for (const NoticeCase& c : cases) {
        int loads = 0;
        std::vector<ShownBox> boxes;
        const NoticeCaptionLoader loader = [&] {
            ++loads;
            return c.caption;
        };
        const BoxShower shower = [&](const wchar_t* text, const wchar_t* caption, std::uint32_t style,
                                     std::int32_t timeout) {
            boxes.push_back({text != nullptr ? text : L"(null)", caption != nullptr ? caption : L"(null)", style,
                             timeout});
            // The answer is not read: a cancel ends the notice like OK.
            return std::int32_t{2};
        };
        PresentShutdownNotice(c.showMsg, loader, shower);
        EXPECT_EQ(boxes, c.boxes) << "ShowMsg " << c.showMsg;
        EXPECT_EQ(loads, c.boxes.empty() ? 0 : 1) << "ShowMsg " << c.showMsg;
    }
}

}  // namespace
