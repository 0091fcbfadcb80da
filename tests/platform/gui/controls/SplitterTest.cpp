// The splitter dragged with the mouse: the control before it resized within MinSize and the room the
// parent has, the inverted bar while dragging, live resizing, folding away with AutoSnap, and
// OnCanResize's say.

#include "platform/gui/controls/Panel.h"
#include "platform/gui/controls/Splitter.h"

#include "tests/platform/gui/core/ControlsFixture.h"
#include "tests/platform/gui/core/DrawingChecks.h"

namespace guitest {
namespace {

class SplitterTest : public ControlsTest {
public:
    void Moved(classes::TObject*) { ++moves; }
    void CanResize(classes::TObject*, int& newSize, bool& accept)
    {
        asked.push_back(newSize);
        accept = newSize != refuse;
    }

protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        form = MakeForm(400, 200);
        outline = Make<gui::TPanel>(form, "Outline", 0, 0, 100, 200);
        outline->SetAlign(gui::alLeft);
        splitter = new gui::TSplitter(form);
        splitter->SetName("Splitter1");
        splitter->SetLeft(100);
        splitter->SetWidth(4);
        splitter->SetParent(form);
        splitter->OnMoved = classes::TNotifyEvent::Of<&SplitterTest::Moved>(this);
        form->Show();
        driver.Pump();
    }
    // Drags the splitter by dx in steps, checking `during` before the release.
    void Drag(int dx, const std::function<void()>& during = {})
    {
        const int x = splitter->Left() + 1;
        // Pumped at each step: the window the pointer's messages go to depends on the capture.
        driver.MouseDown(form->Handle(), win::TestDriver::Button::Left, x, 100);
        driver.Pump();
        driver.MouseMove(form->Handle(), x + dx / 2, 100);
        driver.Pump();
        driver.MouseMove(form->Handle(), x + dx, 100);
        driver.Pump();
        if (during) {
            during();
        }
        driver.MouseUp(form->Handle(), win::TestDriver::Button::Left, x + dx, 100);
        driver.Pump();
    }

    gui::TForm* form = nullptr;
    gui::TPanel* outline = nullptr;
    gui::TSplitter* splitter = nullptr;
    int moves = 0;
    std::vector<int> asked;
    int refuse = -1;
};

TEST_F(SplitterTest, ADragResizesTheControlBeforeItWithAnInvertedBarUntilTheRelease)
{
    ASSERT_EQ(splitter->Left(), 100);
    const win::DWORD face = win::TestDriver::PixelAt(form->Handle(), 151, 100);
    Drag(50, [&] {
        EXPECT_EQ(outline->Width(), 100) << "not before the release";
        int inverted = 0;
        for (int x = 150; x < 154; ++x) {
            inverted += win::TestDriver::PixelAt(form->Handle(), x, 100) != face ? 1 : 0;
        }
        EXPECT_EQ(inverted, 2) << "every other pixel of the bar";
    });
    EXPECT_EQ(outline->Width(), 150);
    EXPECT_EQ(splitter->Left(), 150);
    EXPECT_EQ(moves, 1);
    EXPECT_EQ(win::TestDriver::PixelAt(form->Handle(), 151, 100), face) << "the bar is gone";
}

TEST_F(SplitterTest, TheBarShowsOverAWindowedNeighbourToo)
{
    gui::TPanel* rest = Make<gui::TPanel>(form, "Rest", 104, 0, 296, 200);
    rest->SetAlign(gui::alClient);
    driver.Pump();
    const win::DWORD face = win::TestDriver::PixelAt(rest->Handle(), 151 - rest->Left(), 100);
    Drag(50, [&] {
        int inverted = 0;
        for (int x = 150; x < 154; ++x) {
            inverted += win::TestDriver::PixelAt(rest->Handle(), x - rest->Left(), 100) != face ? 1 : 0;
        }
        EXPECT_EQ(inverted, 2) << "every other pixel of the bar, over the panel";
    });
    EXPECT_EQ(outline->Width(), 150);
    EXPECT_EQ(win::TestDriver::PixelAt(rest->Handle(), 151 - rest->Left(), 100), face) << "the bar is gone";
}

TEST_F(SplitterTest, TheSizeStaysWithinMinSizeAndTheRoomOfTheParent)
{
    struct Case {
        bool autoSnap;
        int dx;
        int width;
    };
    // 400 - 30 (MinSize left for the rest) - 4 (the splitter) = 366 at most.
    for (const Case& c : {Case{false, -90, 30}, {true, -80, 30}, {true, -90, 0}, {false, 500, 366}}) {
        SCOPED_TRACE(c.dx);
        outline->SetWidth(100);
        driver.Pump();
        splitter->SetAutoSnap(c.autoSnap);
        Drag(c.dx);
        EXPECT_EQ(outline->Width(), c.width);
    }
}

TEST_F(SplitterTest, LiveResizingFollowsThePointerAndOnCanResizeMayRefuse)
{
    splitter->SetResizeStyle(gui::rsUpdate);
    Drag(40, [&] { EXPECT_EQ(outline->Width(), 140) << "at once"; });
    EXPECT_EQ(outline->Width(), 140);
    splitter->OnCanResize = gui::TSplitterCanResizeEvent::Of<&SplitterTest::CanResize>(this);
    refuse = 120;
    splitter->SetResizeStyle(gui::rsPattern);
    Drag(-20);
    EXPECT_EQ(outline->Width(), 130) << "the half-way size taken, the refused one not";
    EXPECT_EQ(asked, (std::vector<int>{130, 120}));
}

}  // namespace
}  // namespace guitest
