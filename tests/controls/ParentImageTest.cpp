// What lies behind a control, painted into the control's canvas: the parent's picture moved by the
// control's position, and with the siblings flag the windowed siblings in front of it.

#include "controls/clGraphics.h"

#include "platform/gui/core/CustomControl.h"
#include "tests/controls/ControlsFixture.h"
#include "tests/support/DrawingSurface.h"

namespace {

using testsupport::Surface;

using controlstest::kGround;

// Yellow, with a red mark at (20, 20, 40, 30); remembers whether it painted a copy.
class Backdrop : public gui::TCustomControl {
public:
    using TCustomControl::TCustomControl;
    bool paintedCopy = false;

protected:
    void Paint() override
    {
        paintedCopy = (ControlState() & gui::csPaintCopy) != 0;
        Canvas()->Brush()->SetColor(gui::clRed);
        Canvas()->FillRect(win::RECT{20, 20, 40, 30});
    }
};

class ParentImageTest : public controlstest::ControlsTest {
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        parent = new Backdrop(nullptr);
        parent->SetBounds(0, 0, 100, 80);
        parent->SetColor(gui::clYellow);
        sibling = new gui::TCustomControl(nullptr);
        sibling->SetBounds(5, 5, 20, 20);
        sibling->SetColor(gui::clBlue);
        sibling->SetParent(parent);
        child = new gui::TCustomControl(nullptr);
        child->SetBounds(10, 10, 50, 40);
        child->SetParent(parent);
    }
    void TearDown() override
    {
        delete child;
        delete sibling;
        delete parent;
        ControlsTest::TearDown();
    }
    void Paint(Surface& surface, gui::TControl* control, bool siblings)
    {
        gui::TCanvas frame;
        frame.SetHandle(surface.DC());
        controls::TclCanvas canvas(&frame);
        controls::clPaintParentImage(control, canvas, win::RECT{0, 0, 50, 40}, siblings);
        frame.SetHandle(nullptr);
    }

    Backdrop* parent = nullptr;
    gui::TCustomControl* sibling = nullptr;
    gui::TCustomControl* child = nullptr;
};

TEST_F(ParentImageTest, ParentIsPaintedMovedByTheControlsPosition)
{
    Surface surface(50, 40, kGround);
    Paint(surface, child, false);
    struct Case {
        int x, y;
        gui::TColor color;
    };
    // Child (x, y) is parent (x + 10, y + 10); the sibling is not drawn.
    const Case cases[] = {{0, 0, gui::clYellow}, {10, 10, gui::clRed},   {29, 19, gui::clRed},
                          {30, 20, gui::clYellow}, {2, 2, gui::clYellow}, {49, 39, gui::clYellow}};
    for (const Case& c : cases)
        EXPECT_EQ(win::GetPixel(surface.DC(), c.x, c.y), gui::ColorToRGB(c.color)) << c.x << ", " << c.y;
    EXPECT_TRUE(parent->paintedCopy);
    EXPECT_EQ(parent->ControlState() & gui::csPaintCopy, 0);
    // The canvas's origin is back where it was.
    win::POINT origin{};
    win::GetWindowOrgEx(surface.DC(), &origin);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 0);
}

TEST_F(ParentImageTest, SiblingsInFrontAreDrawnOverTheParent)
{
    Surface surface(50, 40, kGround);
    Paint(surface, child, true);
    // The sibling covers parent (5, 5, 25, 25), child (-5, -5, 15, 15).
    EXPECT_EQ(win::GetPixel(surface.DC(), 2, 2), gui::ColorToRGB(gui::clBlue));
    EXPECT_EQ(win::GetPixel(surface.DC(), 12, 12), gui::ColorToRGB(gui::clBlue));
    EXPECT_EQ(win::GetPixel(surface.DC(), 16, 16), gui::ColorToRGB(gui::clRed));
    EXPECT_EQ(win::GetPixel(surface.DC(), 16, 2), gui::ColorToRGB(gui::clYellow));

    // Siblings after the control are behind it: painting the sibling shows no part of the child.
    Surface behind(50, 40, kGround);
    child->SetColor(gui::clGreen);
    Paint(behind, sibling, true);
    for (win::COLORREF pixel : behind.Pixels())
        ASSERT_NE(pixel, gui::ColorToRGB(gui::clGreen));
}

TEST_F(ParentImageTest, ControlWithoutParentPaintsNothing)
{
    gui::TCustomControl alone(nullptr);
    alone.SetBounds(0, 0, 50, 40);
    Surface surface(50, 40, kGround);
    Paint(surface, &alone, true);
    EXPECT_EQ(surface.Painted(kGround), 0);
}

}  // namespace
