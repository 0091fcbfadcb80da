// Panels, group boxes, bevels, shapes, pictures and paint boxes drawn on a real window: their frames in
// the classic colours, the client area left to the controls in them, clear and hatched shapes, and where
// a picture lands for each way of fitting it.

#include "platform/gui/controls/Bevel.h"
#include "platform/gui/controls/GroupBox.h"
#include "platform/gui/controls/Image.h"
#include "platform/gui/controls/PaintBox.h"
#include "platform/gui/controls/Panel.h"
#include "platform/gui/controls/ScrollBox.h"
#include "platform/gui/controls/Shape.h"
#include "platform/gui/graphics/Bitmap.h"

#include "tests/platform/gui/core/ControlsFixture.h"
#include "tests/platform/gui/core/DrawingChecks.h"

namespace guitest {
namespace {

class ExtCtrlsTest : public ControlsTest {
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        form = MakeForm();
        form->SetColor(gui::clWhite);
    }
    void ShowForm()
    {
        form->Show();
        driver.Pump();
    }
    // A pixel of a control without a window, read on its parent's window.
    win::COLORREF At(gui::TControl* control, int x, int y)
    {
        return win::TestDriver::PixelAt(control->Parent()->Handle(), control->Left() + x, control->Top() + y);
    }
    win::COLORREF At(gui::TWinControl* control, int x, int y) { return win::TestDriver::PixelAt(control->Handle(), x, y); }
    template <class C>
    C* MakeGraphic(const char* name, int left, int top, int width, int height)
    {
        auto* control = new C(form);
        control->SetName(name);
        control->SetBounds(left, top, width, height);
        control->SetParent(form);
        return control;
    }

    gui::TForm* form = nullptr;
};

TEST_F(ExtCtrlsTest, APanelsBevelsAndBorderFrameItAndTheControlsInItLieInside)
{
    auto* panel = Make<gui::TPanel>(form, "Status", 10, 10, 120, 60);
    panel->SetBevelOuter(gui::bvRaised);
    panel->SetBevelInner(gui::bvLowered);
    panel->SetBevelWidth(2);
    panel->SetBorderWidth(3);
    auto* inside = Make<gui::TPanel>(panel, "Inside", 0, 0);
    inside->SetBevelOuter(gui::bvNone);
    inside->SetColor(gui::clRed);
    inside->SetAlign(gui::alClient);
    ShowForm();
    EXPECT_EQ(inside->BoundsRect(), (win::RECT{7, 7, 113, 53})) << "bevels 2 + border 3 + bevel 2 on every side";
    const win::COLORREF light = Rgb(gui::clBtnHighlight);
    const win::COLORREF dark = Rgb(gui::clBtnShadow);
    const win::COLORREF face = Rgb(gui::clBtnFace);
    struct Case {
        int x, y;
        win::COLORREF colour;
    };
    for (const Case& c : {Case{0, 0, light}, {1, 30, light}, {60, 1, light}, {119, 30, dark}, {60, 59, dark},
                          {118, 58, dark}, {0, 59, dark}, {119, 0, dark}, {2, 2, face}, {4, 30, face},
                          {5, 5, dark}, {6, 30, dark}, {60, 6, dark}, {114, 30, light}, {60, 53, light},
                          {7, 7, Rgb(gui::clRed)}, {112, 52, Rgb(gui::clRed)}}) {
        EXPECT_EQ(At(panel, c.x, c.y), c.colour) << c.x << ", " << c.y;
    }
    // A space bevel is a band of the panel's own colour.
    panel->SetBevelOuter(gui::bvSpace);
    panel->SetColor(gui::clYellow);
    driver.Pump();
    EXPECT_EQ(At(panel, 0, 0), Rgb(gui::clYellow));
    EXPECT_EQ(At(panel, 119, 59), Rgb(gui::clYellow));
}

TEST_F(ExtCtrlsTest, APanelsCaptionIsCentredVerticallyAndPlacedByAlignment)
{
    auto* panel = Make<gui::TPanel>(form, "Banner", 0, 0, 200, 40);
    panel->SetBevelOuter(gui::bvNone);
    panel->SetCaption("Wide");
    ShowForm();
    auto inkColumns = [&] {
        int first = -1;
        int last = -1;
        int top = -1;
        int bottom = -1;
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 200; ++x) {
                if (At(panel, x, y) != Rgb(gui::clBtnFace)) {
                    first = first < 0 ? x : std::min(first, x);
                    last = std::max(last, x);
                    top = top < 0 ? y : top;
                    bottom = y;
                }
            }
        }
        return std::array<int, 4>{first, last, top, bottom};
    };
    const win::SIZE size = MeasureText(panel->Font(), "Wide");
    const auto centred = inkColumns();
    ASSERT_GE(centred[0], 0) << "the caption is drawn";
    EXPECT_NEAR((centred[0] + centred[1] + 1) / 2.0, 100.0, 2.0);
    const int cellTop = (40 - size.cy) / 2;
    EXPECT_GE(centred[2], cellTop);
    EXPECT_LT(centred[3], cellTop + size.cy);
    panel->SetAlignment(gui::taLeftJustify);
    driver.Pump();
    EXPECT_LE(inkColumns()[0], 2);
    panel->SetAlignment(gui::taRightJustify);
    driver.Pump();
    EXPECT_GE(inkColumns()[1], 197);
}

TEST_F(ExtCtrlsTest, AGroupBoxFrameIsEtchedAndBrokenByItsCaption)
{
    auto* box = Make<gui::TGroupBox>(form, "Options", 20, 20, 160, 100);
    box->SetColor(gui::clBtnFace);
    box->SetCaption("Mode");
    auto* inside = Make<gui::TPanel>(box, "Inside", 0, 0);
    inside->SetAlign(gui::alClient);
    ShowForm();
    const win::SIZE size = MeasureText(box->Font(), "Mode");
    const int line = size.cy / 2;
    const win::COLORREF light = Rgb(gui::clBtnHighlight);
    const win::COLORREF dark = Rgb(gui::clBtnShadow);
    // Etched: a shadow line with a highlight line inside and below it, the bottom and right the other way.
    EXPECT_EQ(At(box, 0, line + 10), dark);
    EXPECT_EQ(At(box, 1, line + 10), light);
    EXPECT_EQ(At(box, 4, line), dark);
    EXPECT_EQ(At(box, 4, line + 1), light);
    EXPECT_EQ(At(box, 80, 98), dark);
    EXPECT_EQ(At(box, 80, 99), light);
    EXPECT_EQ(At(box, 158, 50), dark);
    EXPECT_EQ(At(box, 159, 50), light);
    // The caption breaks the top line from x 8 to past its text; the line goes on after it.
    for (int x = 8; x < 8 + size.cx + 2; ++x) {
        EXPECT_NE(At(box, x, line + 1), light) << x;
    }
    EXPECT_EQ(At(box, 8 + size.cx + 4, line), dark);
    EXPECT_EQ(inside->BoundsRect(), (win::RECT{2, size.cy + 2, 158, 98}));
}

struct BevelCase {
    gui::TBevelShape shape;
    gui::TBevelStyle style;
    // (x, y) -> highlight (true) or shadow (false); width and height are 40 x 30.
    std::vector<std::tuple<int, int, bool>> pixels;
};

TEST_F(ExtCtrlsTest, BevelsDrawTheirShapesLoweredOrRaised)
{
    const std::vector<BevelCase> cases{
        {gui::bsBox, gui::bsLowered, {{0, 0, false}, {39, 0, true}, {0, 29, true}, {39, 29, true}, {20, 0, false}, {0, 15, false}}},
        {gui::bsBox, gui::bsRaised, {{0, 0, true}, {20, 29, false}, {39, 15, false}}},
        {gui::bsFrame, gui::bsLowered, {{0, 0, false}, {1, 1, true}, {20, 0, false}, {20, 1, true}, {38, 15, false},
                                        {39, 15, true}, {20, 28, false}, {20, 29, true}}},
        {gui::bsTopLine, gui::bsLowered, {{0, 0, false}, {39, 0, false}, {20, 1, true}}},
        {gui::bsBottomLine, gui::bsRaised, {{20, 28, true}, {20, 29, false}}},
        {gui::bsLeftLine, gui::bsLowered, {{0, 15, false}, {1, 15, true}}},
        {gui::bsRightLine, gui::bsLowered, {{38, 0, false}, {39, 29, true}}},
    };
    auto* bevel = MakeGraphic<gui::TBevel>("Line", 8, 8, 40, 30);
    ShowForm();
    for (const BevelCase& c : cases) {
        bevel->SetShape(c.shape);
        bevel->SetStyle(c.style);
        driver.Pump();
        for (const auto& [x, y, light] : c.pixels) {
            EXPECT_EQ(At(bevel, x, y), Rgb(light ? gui::clBtnHighlight : gui::clBtnShadow))
                << int(c.shape) << "/" << int(c.style) << " at " << x << ", " << y;
        }
        if (c.shape >= gui::bsTopLine) {
            EXPECT_EQ(At(bevel, 20, 15), Rgb(gui::clWhite)) << "a line leaves the middle alone";
        }
    }
    bevel->SetShape(gui::bsSpacer);
    driver.Pump();
    EXPECT_EQ(At(bevel, 0, 0), Rgb(gui::clWhite));
}

TEST_F(ExtCtrlsTest, AClearBrushFrameOutlinesItsPictureWithoutCoveringIt)
{
    // The chooser's highlight: a 98 x 89 frame around a 90 x 79 picture.
    auto* picture = MakeGraphic<gui::TImage>("Image1", 14, 15, 90, 79);
    picture->Picture()->Bitmap()->SetSize(90, 79);
    picture->Canvas()->Brush()->SetColor(gui::clBlue);
    picture->Canvas()->FillRect({0, 0, 90, 79});
    auto* frame = MakeGraphic<gui::TShape>("Shape1", 10, 10, 98, 89);
    frame->Brush()->SetStyle(gui::bsClear);
    ShowForm();
    for (int x = 0; x < 98; ++x) {
        ASSERT_EQ(At(frame, x, 0), Rgb(gui::clBlack)) << x;
        ASSERT_EQ(At(frame, x, 88), Rgb(gui::clBlack)) << x;
    }
    for (int y = 0; y < 89; ++y) {
        ASSERT_EQ(At(frame, 0, y), Rgb(gui::clBlack)) << y;
        ASSERT_EQ(At(frame, 97, y), Rgb(gui::clBlack)) << y;
    }
    EXPECT_EQ(At(frame, 1, 1), Rgb(gui::clWhite)) << "between frame and picture the form shows";
    EXPECT_EQ(At(frame, 4, 5), Rgb(gui::clBlue));
    EXPECT_EQ(At(frame, 93, 83), Rgb(gui::clBlue));
    EXPECT_EQ(At(frame, 94, 84), Rgb(gui::clWhite));
    frame->Hide();
    driver.Pump();
    EXPECT_EQ(At(frame, 0, 0), Rgb(gui::clWhite));
}

TEST_F(ExtCtrlsTest, HatchedShapesShowTheirPatternLikeTheSameBrushOnABitmap)
{
    const gui::TBrushStyle styles[] = {gui::bsBDiagonal, gui::bsCross, gui::bsDiagCross, gui::bsFDiagonal, gui::bsHorizontal};
    auto* shape = MakeGraphic<gui::TShape>("Shape1", 16, 24, 40, 32);
    shape->Brush()->SetColor(gui::clLime);
    ShowForm();
    for (gui::TBrushStyle style : styles) {
        shape->Brush()->SetStyle(style);
        driver.Pump();
        gui::TBitmap reference;
        reference.SetSize(40, 32);
        gui::TCanvas* canvas = reference.Canvas();
        canvas->Brush()->SetColor(gui::clWhite);
        canvas->FillRect({0, 0, 40, 32});
        canvas->SetBrush(shape->Brush());
        canvas->Rectangle(0, 0, 40, 32);
        int lime = 0;
        int other = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 40; ++x) {
                ASSERT_EQ(At(shape, x, y), gui::ColorToRGB(canvas->Pixels(x, y))) << int(style) << " at " << x << ", " << y;
                if (x > 0 && y > 0 && x < 39 && y < 31) {
                    (At(shape, x, y) == Rgb(gui::clLime) ? lime : other) += 1;
                }
            }
        }
        EXPECT_GT(lime, 38) << "at least a line of the hatch";
        EXPECT_GT(other, lime) << "gaps between the hatch lines";
    }
}

TEST_F(ExtCtrlsTest, SquaresAndCirclesTakeTheShorterSideCentred)
{
    auto* shape = MakeGraphic<gui::TShape>("Shape1", 0, 0, 60, 30);
    shape->Brush()->SetColor(gui::clRed);
    shape->SetShape(gui::stSquare);
    ShowForm();
    EXPECT_EQ(At(shape, 14, 15), Rgb(gui::clWhite));
    EXPECT_EQ(At(shape, 15, 15), Rgb(gui::clBlack));
    EXPECT_EQ(At(shape, 30, 15), Rgb(gui::clRed));
    EXPECT_EQ(At(shape, 44, 15), Rgb(gui::clBlack));
    EXPECT_EQ(At(shape, 45, 15), Rgb(gui::clWhite));
    shape->SetShape(gui::stCircle);
    driver.Pump();
    EXPECT_EQ(At(shape, 30, 15), Rgb(gui::clRed));
    EXPECT_EQ(At(shape, 16, 1), Rgb(gui::clWhite)) << "the circle's corner is left out";
    // A wide pen stays inside the bounds.
    shape->SetShape(gui::stRectangle);
    shape->Pen()->SetWidth(5);
    driver.Pump();
    EXPECT_EQ(At(shape, 0, 0), Rgb(gui::clBlack));
    EXPECT_EQ(At(shape, 59, 29), Rgb(gui::clBlack));
    EXPECT_EQ(At(shape, 5, 5), Rgb(gui::clRed));
}

struct FitCase {
    const char* name;
    int pictureWidth, pictureHeight;
    bool center, stretch, proportional;
    win::RECT expected;
};

TEST_F(ExtCtrlsTest, APictureLandsWhereCenterStretchAndProportionalPutIt)
{
    // The logo chooser's 250 x 100 picture box.
    const std::vector<FitCase> cases{
        {"plain", 100, 20, false, false, false, {0, 0, 100, 20}},
        {"centred", 100, 20, true, false, false, {75, 40, 175, 60}},
        {"stretched", 500, 100, false, true, false, {0, 0, 250, 100}},
        {"centred and stretched", 40, 40, true, true, false, {0, 0, 250, 100}},
        {"proportional, wide", 500, 100, true, true, true, {0, 25, 250, 75}},
        {"proportional, tall", 125, 100, true, true, true, {62, 0, 187, 100}},
        {"proportional, small, not stretched", 100, 20, true, false, true, {75, 40, 175, 60}},
        {"proportional, large, not stretched", 1000, 200, false, false, true, {0, 0, 250, 50}},
        {"centred, larger than the box", 300, 120, true, false, false, {-25, -10, 275, 110}},
    };
    auto* logo = MakeGraphic<gui::TImage>("LG1", 20, 20, 250, 100);
    ShowForm();
    for (const FitCase& c : cases) {
        gui::TBitmap bitmap;
        bitmap.SetSize(c.pictureWidth, c.pictureHeight);
        bitmap.Canvas()->Brush()->SetColor(gui::clRed);
        bitmap.Canvas()->FillRect({0, 0, c.pictureWidth, c.pictureHeight});
        logo->Picture()->SetBitmap(&bitmap);
        logo->SetCenter(c.center);
        logo->SetStretch(c.stretch);
        logo->SetProportional(c.proportional);
        driver.Pump();
        EXPECT_EQ(logo->DestRect(), c.expected) << c.name;
        const win::RECT r = c.expected;
        const win::RECT inside{std::max<int>(r.left, 0), std::max<int>(r.top, 0), std::min<int>(r.right, 250),
                               std::min<int>(r.bottom, 100)};
        EXPECT_EQ(At(logo, inside.left, inside.top), Rgb(gui::clRed)) << c.name;
        EXPECT_EQ(At(logo, inside.right - 1, inside.bottom - 1), Rgb(gui::clRed)) << c.name;
        if (inside.left > 0) {
            EXPECT_EQ(At(logo, inside.left - 1, inside.top), Rgb(gui::clWhite)) << c.name;
        }
        if (inside.bottom < 100) {
            EXPECT_EQ(At(logo, inside.right - 1, inside.bottom), Rgb(gui::clWhite)) << c.name;
        }
    }
}

TEST_F(ExtCtrlsTest, AnImageCanvasMakesABitmapOfTheControlsSizeAndAutoSizeFitsThePicture)
{
    auto* image = MakeGraphic<gui::TImage>("Drawing", 0, 0, 30, 20);
    gui::TCanvas* canvas = image->Canvas();
    EXPECT_EQ(image->Picture()->Width(), 30);
    EXPECT_EQ(image->Picture()->Height(), 20);
    canvas->Brush()->SetColor(gui::clGreen);
    canvas->FillRect({0, 0, 30, 20});
    ShowForm();
    EXPECT_EQ(At(image, 29, 19), Rgb(gui::clGreen));
    gui::TBitmap bitmap;
    bitmap.SetSize(64, 48);
    image->SetAutoSize(true);
    image->Picture()->SetBitmap(&bitmap);
    EXPECT_EQ(image->Width(), 64);
    EXPECT_EQ(image->Height(), 48);
}

TEST_F(ExtCtrlsTest, APaintBoxIsPaintedByItsOwnerClippedToItself)
{
    struct Painter {
        gui::TPaintBox* box;
        void Paint(classes::TObject*)
        {
            box->Canvas()->Brush()->SetColor(gui::clNavy);
            box->Canvas()->FillRect({-50, -50, 500, 500});
        }
    };
    auto* box = MakeGraphic<gui::TPaintBox>("Graph", 10, 10, 50, 40);
    Painter painter{box};
    box->OnPaint = classes::TNotifyEvent::Of<&Painter::Paint>(&painter);
    ShowForm();
    EXPECT_EQ(At(box, 0, 0), Rgb(gui::clNavy));
    EXPECT_EQ(At(box, 49, 39), Rgb(gui::clNavy));
    EXPECT_EQ(At(box, 50, 40), Rgb(gui::clWhite));
    EXPECT_EQ(At(box, -1, -1), Rgb(gui::clWhite));
}

TEST_F(ExtCtrlsTest, AScrollBoxIsSunkenAndScrollsToAControlThatTakesTheFocus)
{
    auto* box = Make<gui::TScrollBox>(form, "Bindings", 10, 10, 200, 100);
    auto* far = Make<gui::TPanel>(box, "Far", 10, 300, 50, 20);
    far->SetTabStop(true);
    ShowForm();
    EXPECT_NE(win::GetWindowLongPtr(box->Handle(), win::GWL_EXSTYLE) & win::WS_EX_CLIENTEDGE, 0);
    EXPECT_GT(box->VertScrollBar()->Range(), 300);
    far->SetFocus();
    driver.Pump();
    EXPECT_GT(box->VertScrollBar()->Position(), 0);
    EXPECT_LE(far->Top() + far->Height(), box->ClientHeight());
    box->SetBorderStyle(gui::bsNone);
    EXPECT_EQ(win::GetWindowLongPtr(box->Handle(), win::GWL_EXSTYLE) & win::WS_EX_CLIENTEDGE, 0);
}

}  // namespace
}  // namespace guitest
