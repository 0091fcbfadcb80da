// How windowed controls paint: the parent's picture behind a control, double buffering, painting into a
// device context of one's own; and scrolling content larger than the client area.

#include "platform/gdi/DeviceContext.h"
#include "platform/win/Paint.h"
#include "platform/win/ScrollBar.h"
#include "platform/win/Window.h"

#include "tests/platform/gui/core/ControlsFixture.h"
#include "tests/support/DrawingSurface.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace guitest {
namespace {

// A windowed control that draws nothing of its own.
class TClearControl : public gui::TCustomControl {
public:
    using TCustomControl::TCustomControl;
};

class PaintTest : public ControlsTest {
protected:
    win::COLORREF At(gui::TWinControl* control, int x, int y) const
    {
        return win::TestDriver::PixelAt(control->Handle(), x, y);
    }
};

TEST_F(PaintTest, AControlWithTheParentsBackgroundShowsWhatTheParentPaintsBehindIt)
{
    gui::TForm* form = MakeForm(200, 100);
    auto* panel = Make<TTestPanel>(form, "Panel", 0, 0, 200, 100);
    panel->paintColor = gui::clYellow;
    Make<TTestGraphic>(panel, "Mark", 20, 20, 40, 20);
    auto* glass = Make<TClearControl>(panel, "Glass", 10, 10, 100, 50);
    glass->SetParentBackground(true);
    auto* plain = Make<TClearControl>(panel, "Plain", 120, 10, 60, 50);
    plain->SetColor(gui::clBlue);
    form->Show();
    driver.Pump();
    // (10, 10) of the glass is (20, 20) of the panel: the red mark; (0, 0) the panel's yellow.
    EXPECT_EQ(At(glass, 10, 10), gui::ColorToRGB(gui::clRed));
    EXPECT_EQ(At(glass, 49, 29), gui::ColorToRGB(gui::clRed));
    EXPECT_EQ(At(glass, 0, 0), gui::ColorToRGB(gui::clYellow));
    EXPECT_EQ(At(glass, 60, 10), gui::ColorToRGB(gui::clYellow));
    EXPECT_EQ(At(plain, 5, 5), gui::ColorToRGB(gui::clBlue)) << "without it, its own colour";
}

TEST_F(PaintTest, DoubleBufferingAndPaintingIntoAContextGiveTheSamePixels)
{
    gui::TForm* form = MakeForm(120, 80);
    auto* panel = Make<TTestPanel>(form, "Panel", 0, 0, 120, 80);
    panel->paintColor = gui::clAqua;
    Make<TTestGraphic>(panel, "Mark", 30, 20, 50, 30);
    form->Show();
    driver.Pump();
    // Every seventh pixel of the panel's 120 x 80, read by pixel.
    const auto sample = [](const std::function<win::COLORREF(int x, int y)>& pixel) {
        std::vector<win::COLORREF> pixels;
        for (int y = 0; y < 80; y += 7) {
            for (int x = 0; x < 120; x += 7) {
                pixels.push_back(pixel(x, y));
            }
        }
        return pixels;
    };
    const auto onScreen = [&](int x, int y) { return At(panel, x, y); };
    const std::vector<win::COLORREF> direct = sample(onScreen);
    panel->SetDoubleBuffered(true);
    panel->Invalidate();
    driver.Pump();
    EXPECT_EQ(sample(onScreen), direct);
    // Into a bitmap of its own.
    const testsupport::Surface memory(120, 80, 0);
    panel->PaintTo(memory.DC(), 0, 0);
    EXPECT_EQ(sample([&memory](int x, int y) { return win::GetPixel(memory.DC(), x, y); }), direct);
}

TEST_F(PaintTest, AControlFreedByItsOwnPaintingIntoAContextGoesOncePaintToIsOver)
{
    // Frees itself when it paints, with a child to paint after it.
    class TSelfFreeing : public gui::TCustomControl {
    public:
        using TCustomControl::TCustomControl;
        void Paint() override { Free(); }
    };
    gui::TForm* form = MakeForm(120, 80);
    auto* doomed = Make<TSelfFreeing>(form, "Doomed", 0, 0, 120, 80);
    Make<TClearControl>(doomed, "Inner", 10, 10, 40, 30);
    const testsupport::Surface memory(120, 80, 0);
    doomed->PaintTo(memory.DC(), 0, 0);
    EXPECT_EQ(form->ControlCount(), 0);
}

// A child that fills itself with its colour and, at its first painting, frees a control (itself or a
// sibling).
template <class Base>
class TFreeingChild : public Base {
public:
    using Base::Base;
    gui::TColor color = gui::clRed;
    gui::TControl* toFree = nullptr;

protected:
    void Paint() override
    {
        this->Canvas()->Brush()->SetColor(color);
        this->Canvas()->FillRect(this->ClientRect());
        if (gui::TControl* doomed = std::exchange(toFree, nullptr)) {
            doomed->Free();
        }
    }
};

// Three children side by side paint into a copy of their parent; the painting of one frees itself or a
// sibling. The parent goes on with the children that are left: each of them is painted, and the freed
// one is gone afterwards.
TEST_F(PaintTest, AChildFreedWhileTheParentPaintsItsChildrenLeavesTheOthersPainted)
{
    struct Case {
        const char* name;
        bool windowed;
        int painter;  // the child whose painting frees
        int freed;    // the child it frees
    };
    const Case cases[] = {
        {"graphic, the first frees itself", false, 0, 0},
        {"graphic, the last frees itself", false, 2, 2},
        {"graphic, the first frees the last", false, 0, 2},
        {"windowed, the middle frees itself", true, 1, 1},
        {"windowed, the last frees itself", true, 2, 2},
        {"windowed, the first frees the last", true, 0, 2},
    };
    const gui::TColor colors[] = {gui::clRed, gui::clLime, gui::clBlue};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        gui::TForm* form = MakeForm(200, 40);
        auto* panel = Make<TTestPanel>(form, "Panel", 0, 0, 200, 40);
        panel->paintColor = gui::clYellow;
        std::vector<gui::TControl*> children;
        for (int i = 0; i < 3; ++i) {
            const std::string name = "Child" + std::to_string(i);
            if (c.windowed) {
                auto* child = Make<TFreeingChild<gui::TCustomControl>>(panel, name.c_str(), 10 + 60 * i, 10, 50, 20);
                child->color = colors[i];
                children.push_back(child);
            } else {
                auto* child = Make<TFreeingChild<gui::TGraphicControl>>(panel, name.c_str(), 10 + 60 * i, 10, 50, 20);
                child->color = colors[i];
                children.push_back(child);
            }
        }
        form->Show();
        driver.Pump();
        gui::TControl* doomed = children[std::size_t(c.freed)];
        if (c.windowed) {
            static_cast<TFreeingChild<gui::TCustomControl>*>(children[std::size_t(c.painter)])->toFree = doomed;
        } else {
            static_cast<TFreeingChild<gui::TGraphicControl>*>(children[std::size_t(c.painter)])->toFree = doomed;
        }

        const testsupport::Surface memory(200, 40, 0);
        panel->PaintTo(memory.DC(), 0, 0);
        driver.Pump();
        for (int i = 0; i < 3; ++i) {
            if (i != c.freed) {
                EXPECT_EQ(win::GetPixel(memory.DC(), 35 + 60 * i, 20), gui::ColorToRGB(colors[i])) << "child " << i;
            }
        }
        EXPECT_EQ(panel->ControlCount(), 2);
        EXPECT_EQ(form->FindComponent("Child" + std::to_string(c.freed)), nullptr);
        delete form;
    }
}

TEST_F(PaintTest, ContentBeyondTheClientAreaScrollsAndAFocusedControlIsScrolledIntoView)
{
    gui::TForm* form = MakeForm(200, 100);
    auto* near = Make<TTestControl>(form, "Near", 10, 10);
    auto* far = Make<TTestControl>(form, "Far", 10, 250, 60, 20);
    form->Show();
    driver.Pump();
    EXPECT_EQ(form->VertScrollBar()->Range(), 270);
    EXPECT_TRUE(form->VertScrollBar()->IsScrollBarVisible());
    EXPECT_FALSE(form->HorzScrollBar()->IsScrollBarVisible());
    win::SCROLLINFO info;
    info.fMask = win::SIF_ALL;
    ASSERT_TRUE(win::GetScrollInfo(form->Handle(), win::SB_VERT, &info));
    EXPECT_EQ(info.nMax, 269);
    EXPECT_EQ(int(info.nPage), form->ClientHeight());
    far->SetFocus();
    EXPECT_GE(far->Top(), 0);
    EXPECT_LE(far->Top() + far->Height(), form->ClientHeight());
    EXPECT_EQ(form->VertScrollBar()->Position(), 270 - form->ClientHeight());
    EXPECT_EQ(near->Top(), 10 - form->VertScrollBar()->Position());
    form->VertScrollBar()->SetPosition(0);
    EXPECT_EQ(near->Top(), 10);
    EXPECT_EQ(far->Top(), 250);
}

}  // namespace
}  // namespace guitest
