#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/actions/shutdown_notice.h"

namespace {

struct ShownBox {
    std::wstring text;
    std::wstring caption;
    std::uint32_t style;
    std::int32_t timeoutSeconds;

    bool operator==(const ShownBox&) const = default;
};

// Records the boxes shown and counts how often the caption is loaded.
class NoticeRig final : public PowerPlatform, public BoxShower {
public:
    explicit NoticeRig(std::wstring caption) : caption_(std::move(caption)) {}

    std::wstring NoticeCaption() noexcept override
    {
        ++loads;
        return caption_;
    }
    std::int32_t Show(const wchar_t* text, const wchar_t* caption, std::uint32_t style,
                      std::int32_t timeout) noexcept override
    {
        boxes.push_back({text != nullptr ? text : L"(null)", caption != nullptr ? caption : L"(null)", style, timeout});
        // The answer is not read: a cancel ends the notice like OK.
        return 2;
    }
    PowerCapabilities QueryCapabilities() noexcept override { return {}; }
    PlatformCallResult EnablePrivilege(const wchar_t*) noexcept override { return {}; }
    PlatformCallResult RequestSuspend(bool, bool, bool) noexcept override { return {}; }
    PlatformCallResult RequestExitWindows(std::uint32_t, std::uint32_t) noexcept override { return {}; }
    void TraceError(const char*, int, const wchar_t*, std::uint32_t) noexcept override {}

    int loads = 0;
    std::vector<ShownBox> boxes;

private:
    std::wstring caption_;
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
        NoticeRig rig(c.caption);
        PresentShutdownNotice(c.showMsg, rig, rig);
        EXPECT_EQ(rig.boxes, c.boxes) << "ShowMsg " << c.showMsg;
        EXPECT_EQ(rig.loads, c.boxes.empty() ? 0 : 1) << "ShowMsg " << c.showMsg;
    }
}

}  // namespace
