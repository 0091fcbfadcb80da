// The radio-button images: the system radio measured, its shape, the image keys, the colours of kinds,
// states and emphasis, and the rebuild after a change of the system colours.

#include "controls/clRadioButtonImages.h"

#include "controls/uxOffice11Colors.h"
#include "platform/gdi/SystemInfo.h"
#include "tests/controls/ControlsFixture.h"
#include "tests/support/DrawingSurface.h"

#include <vector>

namespace {

using namespace controls;
using testsupport::Surface;

using controlstest::kGround;

class RadioButtonImagesTest : public controlstest::ControlsTest {
protected:
    static TclRadioButtonImageList& Images() { return *clRadioButtonImages(); }
    // A cell of the code nearest the middle of the top half: a stable place to read that code's colour.
    static win::POINT CellOf(int code)
    {
        const auto& pattern = Images().Pattern();
        for (std::size_t y = 0; y < pattern.size(); ++y)
            for (std::size_t x = 0; x < pattern[y].size(); ++x)
                if (pattern[y][x] == code)
                    return win::POINT{int(x), int(y)};
        ADD_FAILURE() << "no cell of code " << code;
        return win::POINT{0, 0};
    }
    static win::COLORREF Drawn(const TclCustomLookAndFeelPainter& painter, TclButtonState state, bool checked,
                               bool emphasised, bool unlessDisabled, win::POINT at)
    {
        Surface surface(20, 20, kGround);
        gui::TCanvas frame;
        frame.SetHandle(surface.DC());
        {
            TclCanvas canvas(&frame);
            painter.PaintRadioButton(canvas, 3, 4, state, checked, emphasised, gui::clDefault, unlessDisabled);
        }
        frame.SetHandle(nullptr);
        return win::GetPixel(surface.DC(), 3 + at.x, 4 + at.y);
    }
};

TEST_F(RadioButtonImagesTest, KeysAndImageCount)
{
    EXPECT_EQ(TclRadioButtonImageList::ImageKey(lfStandard, cxbsNormal, true, false, false), 12);
    EXPECT_EQ(TclRadioButtonImageList::ImageKey(lfOffice11, cxbsDisabled, false, true, false), 91);
    EXPECT_EQ(TclRadioButtonImageList::ImageKey(lfFlat, cxbsHot, false, false, true), 33);
    EXPECT_EQ(Images().Images()->Count(), 128);
    win::SIZE size{};
    Images().ImageSize(size);
    // The system's 13 x 13 check-box cell holds a 12 x 12 radio.
    EXPECT_EQ(size.cx, 12);
    EXPECT_EQ(size.cy, 12);
    TclStandardLookAndFeelPainter::Class()->RadioButtonExtent(size);
    EXPECT_EQ(size.cx, 12);
}

TEST_F(RadioButtonImagesTest, ShapeHasTwoRingsBodyAndDot)
{
    const auto& pattern = Images().Pattern();
    const int h = int(pattern.size());
    const int w = int(pattern[0].size());
    // Turned a half turn, the upper-left side of each ring is the lower-right one.
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int code = pattern[std::size_t(y)][std::size_t(x)];
            const int opposite = pattern[std::size_t(h - 1 - y)][std::size_t(w - 1 - x)];
            if (code == 2) {
                EXPECT_EQ(opposite, 1) << x << ", " << y;
            } else if (code == 4) {
                EXPECT_EQ(opposite, 3) << x << ", " << y;
            } else if (code == 0 || code == 5 || code == 6) {
                EXPECT_EQ(opposite, code) << x << ", " << y;
            }
        }
    // Corners outside, the middle the dot, the ends of the middle rows the outer ring.
    EXPECT_EQ(pattern[0][0], 0);
    EXPECT_EQ(pattern[std::size_t(h - 1)][std::size_t(w - 1)], 0);
    EXPECT_EQ(pattern[std::size_t(h / 2)][std::size_t(w / 2)], 6);
    EXPECT_EQ(pattern[std::size_t(h / 2 - 1)][0], 1);
    EXPECT_EQ(pattern[std::size_t(h / 2)][std::size_t(w - 1)], 2);
    EXPECT_EQ(pattern[std::size_t(h / 2 - 1)][1], 3);
    EXPECT_EQ(pattern[std::size_t(h / 2)][std::size_t(w - 2)], 4);
    const win::RECT dot = Images().DotRect();
    EXPECT_GT(dot.right - dot.left, 0);
    EXPECT_EQ(dot.right - dot.left, dot.bottom - dot.top);
}

TEST_F(RadioButtonImagesTest, ColoursByKindStateAndEmphasis)
{
    const win::POINT outer = CellOf(1);
    const win::POINT inner = CellOf(3);
    const win::POINT body = CellOf(5);
    const win::POINT dot = CellOf(6);
    const TclCustomLookAndFeelPainter& standard = *TclStandardLookAndFeelPainter::Class();
    const TclCustomLookAndFeelPainter& flat = *TclFlatLookAndFeelPainter::Class();
    const TclCustomLookAndFeelPainter& ultra = *TclUltraFlatLookAndFeelPainter::Class();
    const TclCustomLookAndFeelPainter& office = *TclOffice11LookAndFeelPainter::Class();
    const TclCustomLookAndFeelPainter& themed = *TclWinXPLookAndFeelPainter::Class();
    struct Case {
        const char* name;
        const TclCustomLookAndFeelPainter& painter;
        TclButtonState state;
        bool checked, emphasised, unlessDisabled;
        win::POINT at;
        gui::TColor expected;
    };
    const Case cases[] = {
        {"standard outer", standard, cxbsNormal, false, false, false, outer, gui::clBtnShadow},
        {"standard inner", standard, cxbsNormal, false, false, false, inner, gui::cl3DDkShadow},
        {"standard body", standard, cxbsNormal, false, false, false, body, gui::clWindow},
        {"standard pressed body", standard, cxbsPressed, false, false, false, body, gui::clBtnFace},
        {"standard dot", standard, cxbsNormal, true, false, false, dot, gui::clWindowText},
        {"standard disabled dot", standard, cxbsDisabled, true, false, false, dot, gui::clBtnShadow},
        {"flat inner", flat, cxbsNormal, false, false, false, inner, gui::cl3DLight},
        {"themed falls back to standard", themed, cxbsNormal, false, false, false, inner, gui::cl3DDkShadow},
        {"ultra-flat ring", ultra, cxbsNormal, false, false, false, outer, gui::clBtnShadow},
        {"ultra-flat hot ring", ultra, cxbsHot, false, false, false, outer, gui::clHighlight},
        {"ultra-flat hot body", ultra, cxbsHot, false, false, false, inner, clHotTintColor()},
        {"ultra-flat disabled emphasised", ultra, cxbsDisabled, false, true, false, outer, gui::clHighlight},
        {"ultra-flat disabled, emphasised unless disabled", ultra, cxbsDisabled, false, false, true, outer,
         gui::clBtnShadow},
        {"ultra-flat normal, emphasised unless disabled", ultra, cxbsNormal, false, false, true, outer,
         gui::clHighlight},
        {"office ring", office, cxbsNormal, false, false, false, outer, gui::clBtnText},
        {"office emphasised ring", office, cxbsNormal, false, true, false, outer, uxOffice11SelectedBorderColor()},
        {"office disabled emphasised ring", office, cxbsDisabled, false, true, false, outer,
         uxOffice11DisabledTextColor()},
        {"office hot body", office, cxbsHot, false, false, false, body, uxOffice11HotColor()},
        {"office disabled dot", office, cxbsDisabled, true, false, false, dot, uxOffice11DisabledTextColor()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Drawn(c.painter, c.state, c.checked, c.emphasised, c.unlessDisabled, c.at),
                  gui::ColorToRGB(c.expected))
            << c.name;
    // Outside the radio the ground shows through.
    EXPECT_EQ(Drawn(standard, cxbsNormal, false, false, false, win::POINT{0, 0}), kGround);
}

TEST_F(RadioButtonImagesTest, BackgroundColourFillsBehindTheRadio)
{
    Surface surface(12, 12, kGround);
    gui::TCanvas frame;
    frame.SetHandle(surface.DC());
    {
        TclCanvas canvas(&frame);
        TclStandardLookAndFeelPainter::Class()->PaintRadioButton(canvas, 0, 0, cxbsNormal, false, false, gui::clRed);
    }
    frame.SetHandle(nullptr);
    EXPECT_EQ(win::GetPixel(surface.DC(), 0, 0), win::RGB(255, 0, 0));
    EXPECT_EQ(win::GetPixel(surface.DC(), 6, 6), gui::ColorToRGB(gui::clWindow));
}

TEST_F(RadioButtonImagesTest, SystemColourChangeShowsInTheNextRadioDrawn)
{
    const win::POINT body = CellOf(5);
    const TclCustomLookAndFeelPainter& standard = *TclStandardLookAndFeelPainter::Class();
    EXPECT_EQ(Drawn(standard, cxbsNormal, false, false, false, body), gui::ColorToRGB(gui::clWindow));
    const int index = 5;  // COLOR_WINDOW
    const win::COLORREF window = win::RGB(250, 240, 200);
    win::SetSysColors(1, &index, &window);
    EXPECT_EQ(Drawn(standard, cxbsNormal, false, false, false, body), window);
}

TEST_F(RadioButtonImagesTest, NoImagesOnceThePaintersHaveEnded)
{
    ASSERT_NE(clRadioButtonImages(), nullptr);
    controls::finalize();
    EXPECT_EQ(clRadioButtonImages(), nullptr);
    controls::initialize();
}

}  // namespace
