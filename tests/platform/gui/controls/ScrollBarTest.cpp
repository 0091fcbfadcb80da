// The scroll bar driven by the mouse and keys on the virtual clock: arrows that repeat while held, pages,
// the thumb, OnScroll's say over the position, OnChange from code and from the user, a disabled bar, and
// the range checks.

#include "platform/gui/controls/ScrollBar.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/ScrollBar.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"
#include "platform/wintypes/ControlMessages.h"

#include "tests/platform/gui/core/ControlsFixture.h"

namespace guitest {
namespace {

class ScrollBarTest : public ControlsTest {
public:
    void Changed(classes::TObject*) { changes.push_back(bar->Position()); }
    void Scrolled(classes::TObject*, gui::TScrollCode code, int& position)
    {
        codes.push_back(code);
        if (limit >= 0) {
            position = std::min(position, limit);
        }
    }

protected:
    void MakeBar(gui::TScrollBarKind kind = gui::sbHorizontal)
    {
        form = MakeForm();
        bar = Make<gui::TScrollBar>(form, "Bar3D", 10, 10, 200, 17);
        bar->SetKind(kind);
        bar->SetBounds(10, 10, kind == gui::sbHorizontal ? 200 : 17, kind == gui::sbHorizontal ? 17 : 200);
        bar->OnChange = classes::TNotifyEvent::Of<&ScrollBarTest::Changed>(this);
        bar->OnScroll = gui::TScrollEvent::Of<&ScrollBarTest::Scrolled>(this);
        form->Show();
        driver.Pump();
    }
    // A point on the bar `along` pixels from its start, in the middle of its thickness.
    std::pair<int, int> At(int along) const
    {
        return bar->Kind() == gui::sbHorizontal ? std::pair{along, 8} : std::pair{8, along};
    }

    gui::TForm* form = nullptr;
    gui::TScrollBar* bar = nullptr;
    std::vector<int> changes;
    std::vector<gui::TScrollCode> codes;
    int limit = -1;
};

TEST_F(ScrollBarTest, PositionFromCodeFiresOnChangeOnceAndOnlyWhenItChanges)
{
    MakeBar();
    bar->SetPosition(15);
    EXPECT_EQ(changes, std::vector<int>{15});
    bar->SetPosition(15);
    EXPECT_EQ(changes.size(), 1u);
    EXPECT_EQ(win::SendMessage(bar->Handle(), win::SBM_GETPOS, 0, 0), 15) << "the window follows";
    bar->SetPosition(500);
    EXPECT_EQ(bar->Position(), 100) << "kept within the range";
    bar->SetMax(50);
    EXPECT_EQ(bar->Position(), 50);
    EXPECT_EQ(changes, (std::vector<int>{15, 100, 50}));
}

TEST_F(ScrollBarTest, AHeldArrowRepeatsOnTheClockUntilReleased)
{
    for (gui::TScrollBarKind kind : {gui::sbHorizontal, gui::sbVertical}) {
        SCOPED_TRACE(kind);
        changes.clear();
        MakeBar(kind);
        const auto [x, y] = At(200 - 5);  // on the down / right arrow
        driver.MouseDown(bar->Handle(), win::TestDriver::Button::Left, x, y);
        driver.Pump();
        EXPECT_EQ(bar->Position(), 1) << "at once";
        driver.AdvanceBy(399);
        EXPECT_EQ(bar->Position(), 1) << "not before the first delay";
        driver.AdvanceBy(1);
        EXPECT_EQ(bar->Position(), 2);
        driver.AdvanceBy(500);
        EXPECT_EQ(bar->Position(), 7) << "then every 100 ms";
        driver.MouseUp(bar->Handle(), win::TestDriver::Button::Left, x, y);
        driver.AdvanceBy(1000);
        EXPECT_EQ(bar->Position(), 7) << "released";
        EXPECT_EQ(codes.back(), gui::scEndScroll);
        codes.clear();
        delete form;
    }
}

TEST_F(ScrollBarTest, PagesTheThumbTheKeysAndTheEnds)
{
    MakeBar();
    bar->SetLargeChange(10);
    bar->SetSmallChange(3);
    driver.Click(bar->Handle(), win::TestDriver::Button::Left, 150, 8);  // the page right of the thumb
    driver.Pump();
    EXPECT_EQ(bar->Position(), 10);
    EXPECT_EQ(codes.front(), gui::scPageDown);

    bar->SetFocus();
    driver.PressKey(win::VK_RIGHT);
    driver.PressKey(win::VK_END);
    driver.Pump();
    EXPECT_EQ(bar->Position(), 100);
    driver.PressKey(win::VK_PRIOR);
    driver.PressKey(win::VK_LEFT);
    driver.Pump();
    EXPECT_EQ(bar->Position(), 87);
    driver.PressKey(win::VK_HOME);
    driver.Pump();
    EXPECT_EQ(bar->Position(), 0);

    // The thumb dragged to the middle of the track stands for the middle of the range.
    win::SCROLLINFO info;
    bar->SetPageSize(20);
    const int arrow = 17;
    const int track = 200 - 2 * arrow;
    const int thumb = track * 20 / 101;
    driver.MouseDown(bar->Handle(), win::TestDriver::Button::Left, arrow + 2, 8);
    driver.MouseMove(bar->Handle(), arrow + 2 + (track - thumb) / 2, 8);
    driver.Pump();
    info.fMask = win::SIF_TRACKPOS;
    win::SendMessage(bar->Handle(), win::SBM_GETSCROLLINFO, 0, reinterpret_cast<win::LPARAM>(&info));
    EXPECT_NEAR(info.nTrackPos, 41, 1) << "(100 - 20 + 1) / 2";
    EXPECT_EQ(bar->Position(), info.nTrackPos) << "tracking moves the position";
    driver.MouseUp(bar->Handle(), win::TestDriver::Button::Left, arrow + 2 + (track - thumb) / 2, 8);
    driver.Pump();
    EXPECT_EQ(codes[codes.size() - 2], gui::scPosition);
    EXPECT_EQ(codes.back(), gui::scEndScroll);
    driver.PressKey(win::VK_END);
    driver.Pump();
    EXPECT_EQ(bar->Position(), 81) << "the page leaves room at the end";
}

TEST_F(ScrollBarTest, OnScrollDecidesThePosition)
{
    MakeBar();
    limit = 2;
    bar->SetFocus();
    for (int i = 0; i < 5; ++i) {
        driver.PressKey(win::VK_RIGHT);
    }
    driver.Pump();
    EXPECT_EQ(bar->Position(), 2);
    EXPECT_EQ(changes, (std::vector<int>{1, 2}));
}

TEST_F(ScrollBarTest, ADisabledBarIgnoresTheMouseAndKeys)
{
    MakeBar();
    bar->SetFocus();
    bar->SetEnabled(false);
    driver.Pump();
    driver.Click(bar->Handle(), win::TestDriver::Button::Left, 195, 8);
    driver.Click(bar->Handle(), win::TestDriver::Button::Left, 150, 8);
    driver.PressKey(win::VK_RIGHT);
    driver.AdvanceBy(1000);
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_TRUE(codes.empty());
    bar->SetPosition(15);
    EXPECT_EQ(changes, std::vector<int>{15}) << "code still moves it";
}

TEST_F(ScrollBarTest, ARangeThatCannotHoldThePageIsRefused)
{
    MakeBar();
    bar->SetPageSize(20);
    EXPECT_THROW(bar->SetMax(10), rtl::EInvalidOperation);
    EXPECT_THROW(bar->SetParams(0, 50, 40), rtl::EInvalidOperation);
    EXPECT_EQ(bar->Max(), 100);
    EXPECT_EQ(bar->Min(), 0);
    bar->SetParams(70, 60, 90);
    EXPECT_EQ(bar->Position(), 70);
    EXPECT_EQ(bar->Min(), 60);
}

}  // namespace
}  // namespace guitest
