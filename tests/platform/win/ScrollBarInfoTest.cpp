// What GetScrollBarInfo reports of a window's bars: where each bar lies on the screen, where its thumb
// lies along it for the range, page and position, and which parts show and can be used.

#include "WinFixture.h"

#include "platform/gdi/SystemInfo.h"
#include "platform/win/ScrollBar.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"

namespace wintest {
namespace {

using namespace win;

class ScrollBarInfoTest : public WinTest {
protected:
    void SetUp() override
    {
        WinTest::SetUp();
        RegisterRecorderClass();
        // A popup without a frame: the client area is the window less the bars.
        hwnd = CreateWindowEx(0, "Recorder", "", WS_POPUP | WS_VISIBLE, 10, 20, 200, 200, nullptr, nullptr, nullptr, nullptr);
    }
    void SetBar(int bar, int max, UINT page, int pos, UINT extra = 0)
    {
        SCROLLINFO info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | extra;
        info.nMax = max;
        info.nPage = page;
        info.nPos = pos;
        SetScrollInfo(hwnd, bar, &info, TRUE);
    }
    HWND hwnd = nullptr;
};

TEST_F(ScrollBarInfoTest, TheThumbLiesAlongTheTrackAsRangePageAndPositionSay)
{
    const int arrow = GetSystemMetrics(SM_CYVSCROLL);
    const int width = GetSystemMetrics(SM_CXVSCROLL);
    const int track = 200 - 2 * arrow;
    struct Case {
        int max;
        UINT page;
        int pos;
        int thumbTop;
        int thumbBottom;
    };
    // 100 positions, a page of half: the thumb is half the track, and moves over the other half.
    const Case cases[] = {
            {99, 50, 0, arrow, arrow + track / 2},
            {99, 50, 50, 200 - arrow - track / 2, 200 - arrow},
            {99, 50, 25, arrow + track / 4, arrow + track / 4 + track / 2},
            {399, 100, 300, 200 - arrow - track / 4, 200 - arrow},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.max << " / " << c.page << " at " << c.pos);
        SetBar(SB_VERT, c.max, c.page, c.pos);
        SCROLLBARINFO info;
        ASSERT_TRUE(GetScrollBarInfo(hwnd, OBJID_VSCROLL, &info));
        EXPECT_EQ(info.rcScrollBar, (RECT{10 + 200 - width, 20, 10 + 200, 20 + 200}));
        EXPECT_EQ(info.dxyLineButton, arrow);
        EXPECT_EQ(info.xyThumbTop, c.thumbTop);
        EXPECT_EQ(info.xyThumbBottom, c.thumbBottom);
        for (DWORD state : info.rgstate) {
            EXPECT_EQ(state, 0u);
        }
    }
}

TEST_F(ScrollBarInfoTest, HiddenDisabledAndBlockedPartsAreReported)
{
    const int height = GetSystemMetrics(SM_CYHSCROLL);
    SCROLLBARINFO info;
    ASSERT_TRUE(GetScrollBarInfo(hwnd, OBJID_HSCROLL, &info));
    EXPECT_EQ(info.rgstate[0], STATE_SYSTEM_INVISIBLE) << "no bar yet";

    SetBar(SB_HORZ, 999, 100, 0);
    ASSERT_TRUE(GetScrollBarInfo(hwnd, OBJID_HSCROLL, &info));
    EXPECT_EQ(info.rcScrollBar, (RECT{10, 20 + 200 - height, 10 + 200, 20 + 200}));
    EXPECT_EQ(info.rgstate[0], 0u);

    EnableScrollBar(hwnd, SB_HORZ, ESB_DISABLE_LTUP);
    ASSERT_TRUE(GetScrollBarInfo(hwnd, OBJID_HSCROLL, &info));
    EXPECT_EQ(info.rgstate[1], STATE_SYSTEM_UNAVAILABLE);
    EXPECT_EQ(info.rgstate[5], 0u);
    EXPECT_EQ(info.rgstate[0], 0u);

    // Nothing to scroll, kept disabled: shown, both arrows unavailable, no thumb.
    SetBar(SB_HORZ, 99, 100, 0, SIF_DISABLENOSCROLL);
    ASSERT_TRUE(GetScrollBarInfo(hwnd, OBJID_HSCROLL, &info));
    EXPECT_EQ(info.rgstate[0], STATE_SYSTEM_UNAVAILABLE);
    EXPECT_EQ(info.rgstate[1], STATE_SYSTEM_UNAVAILABLE);
    EXPECT_EQ(info.rgstate[3], STATE_SYSTEM_INVISIBLE);
    EXPECT_EQ(info.rgstate[5], STATE_SYSTEM_UNAVAILABLE);

    // Nothing to scroll, hidden.
    SetBar(SB_VERT, 99, 100, 0);
    ASSERT_TRUE(GetScrollBarInfo(hwnd, OBJID_VSCROLL, &info));
    EXPECT_TRUE(info.rgstate[0] & STATE_SYSTEM_INVISIBLE);

    SCROLLBARINFO wrongSize;
    wrongSize.cbSize = 8;
    EXPECT_FALSE(GetScrollBarInfo(hwnd, OBJID_VSCROLL, &wrongSize));
    EXPECT_FALSE(GetScrollBarInfo(hwnd, -4, &info)) << "the client object is no window bar";
    EXPECT_FALSE(GetScrollBarInfo(nullptr, OBJID_VSCROLL, &info));
}

}  // namespace
}  // namespace wintest
