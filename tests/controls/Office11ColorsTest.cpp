// The Office 2003 colour set under the classic scheme (the system's colours blended), its brushes and
// bitmaps, and its drawing: gradients with and without GradientFill, grip dots, the size grip, arrows.

#include "controls/uxOffice11Colors.h"

#include "controls/clLookAndFeels.h"
#include "controls/clPainterResources.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SystemInfo.h"
#include "tests/controls/ControlsFixture.h"
#include "tests/support/DrawingSurface.h"

#include <set>
#include <vector>

namespace {

using testsupport::Surface;

using controlstest::kBlueGround;

class Office11Test : public controlstest::ControlsTest {
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        controls::uxOffice11ColorsAddRef();
    }
    void TearDown() override
    {
        controls::uxOffice11ColorsRelease();
        ControlsTest::TearDown();
    }
};

win::COLORREF Entry(int n)
{
    return win::COLORREF(controls::uxOffice11Color(n));
}

TEST_F(Office11Test, ClassicSchemeBlendsTheSystemColours)
{
    EXPECT_EQ(controls::uxOffice11CurrentScheme(), 0);
    EXPECT_FALSE(controls::uxIsLunaColorSchemeActive());
    struct Row {
        int entry;
        win::COLORREF rgb;
    };
    const Row rows[] = {
        {1, win::RGB(246, 246, 244)},  {2, win::RGB(246, 245, 243)},  {3, win::RGB(214, 210, 202)},
        {10, win::RGB(158, 158, 158)}, {12, win::RGB(167, 167, 167)}, {31, win::RGB(183, 191, 212)},
        {38, win::RGB(210, 211, 216)}, {39, win::RGB(136, 147, 177)},
        {0, win::RGB(212, 208, 200)},  {20, win::RGB(255, 255, 255)}, {42, win::RGB(128, 128, 128)},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Entry(row.entry), row.rgb) << "entry " << row.entry;
    EXPECT_EQ(controls::uxOffice11GradientPercent(), 75);
    EXPECT_EQ(controls::uxOffice11HighlightColor(), controls::uxOffice11Color(20));
    EXPECT_FALSE(controls::uxBlackHighContrastActive());
}

TEST_F(Office11Test, BlackButtonFaceIsHighContrast)
{
    const int index = 15;  // COLOR_BTNFACE
    const win::COLORREF black = 0;
    win::SetSysColors(1, &index, &black);
    EXPECT_TRUE(controls::uxBlackHighContrastActive());
    EXPECT_EQ(win::COLORREF(controls::uxOffice11SystemBlendColor(41, 11, 48)), gui::ColorToRGB(gui::clHighlight));
}

TEST_F(Office11Test, GripDotsRunDownTheRect)
{
    Surface surface(4, 13, kBlueGround);
    controls::uxOffice11DrawGripDots(surface.DC(), win::RECT{0, 0, 4, 13}, true);
    const win::COLORREF dark = Entry(10);
    const win::COLORREF light = Entry(11);
    int darkCount = 0;
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 4; ++x)
            darkCount += win::GetPixel(surface.DC(), x, y) == dark;
    EXPECT_EQ(darkCount, 12);
    for (int top : {1, 5, 9})
        for (int y = top; y < top + 2; ++y)
            for (int x = 0; x < 2; ++x)
                EXPECT_EQ(win::GetPixel(surface.DC(), x, y), dark) << x << "," << y;
    EXPECT_EQ(win::GetPixel(surface.DC(), 2, 2), light);
    EXPECT_EQ(win::GetPixel(surface.DC(), 1, 3), light);
    EXPECT_EQ(win::GetPixel(surface.DC(), 2, 3), light);
    EXPECT_EQ(win::GetPixel(surface.DC(), 0, 0), kBlueGround);
    EXPECT_EQ(win::GetPixel(surface.DC(), 3, 3), kBlueGround);
}

TEST_F(Office11Test, SizeGripHasSixCellsInTheCorner)
{
    Surface surface(20, 20, kBlueGround);
    controls::uxOffice11DrawSizeGrip(surface.DC(), win::RECT{0, 0, 20, 20});
    const win::POINT cells[] = {{8, 17}, {12, 17}, {16, 17}, {12, 13}, {16, 13}, {16, 9}};
    int darkCount = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            darkCount += win::GetPixel(surface.DC(), x, y) == Entry(10);
    EXPECT_EQ(darkCount, 6 * 4);
    for (const win::POINT& cell : cells) {
        EXPECT_EQ(win::GetPixel(surface.DC(), cell.x, cell.y), Entry(10)) << cell.x << "," << cell.y;
        EXPECT_EQ(win::GetPixel(surface.DC(), cell.x + 2, cell.y + 1), Entry(11)) << cell.x << "," << cell.y;
    }
}

// The pixels of a colour in each row (or column) of a 16 x 16 surface: first index and count.
std::vector<std::pair<int, int>> Runs(const Surface& surface, win::COLORREF color, bool columns)
{
    std::vector<std::pair<int, int>> runs;
    for (int a = 0; a < 16; ++a) {
        int first = -1;
        int count = 0;
        for (int b = 0; b < 16; ++b) {
            const win::COLORREF pixel = columns ? win::GetPixel(surface.DC(), a, b) : win::GetPixel(surface.DC(), b, a);
            if (pixel == color) {
                if (first < 0)
                    first = b;
                ++count;
            }
        }
        runs.emplace_back(first, count);
    }
    return runs;
}

TEST_F(Office11Test, FittedArrowsFillTheirTriangles)
{
    {
        Surface surface(16, 16, kBlueGround);
        controls::uxOffice11DrawFittedArrow(surface.DC(), win::RECT{0, 0, 16, 16}, true, true, false);
        const auto runs = Runs(surface, win::RGB(0, 0, 0), false);
        EXPECT_EQ(runs[6], std::make_pair(5, 5));
        EXPECT_EQ(runs[7], std::make_pair(6, 3));
        EXPECT_EQ(runs[8], std::make_pair(7, 1));
        EXPECT_EQ(runs[5].second + runs[9].second, 0);
    }
    {
        Surface surface(16, 16, kBlueGround);
        controls::uxOffice11DrawFittedArrow(surface.DC(), win::RECT{0, 0, 16, 16}, true, false, false);
        const auto runs = Runs(surface, gui::ColorToRGB(gui::clGrayText), false);
        EXPECT_EQ(runs[6], std::make_pair(5, 5));
    }
    {
        Surface surface(16, 16, kBlueGround);
        controls::uxOffice11DrawFittedArrow(surface.DC(), win::RECT{0, 0, 16, 16}, false, true, false);
        const auto runs = Runs(surface, win::RGB(0, 0, 0), true);
        EXPECT_EQ(runs[6], std::make_pair(4, 7));
        EXPECT_EQ(runs[7], std::make_pair(5, 5));
        EXPECT_EQ(runs[8], std::make_pair(6, 3));
        EXPECT_EQ(runs[9], std::make_pair(7, 1));
        EXPECT_EQ(runs[5].second + runs[10].second, 0);
    }
}

TEST_F(Office11Test, TwoPhaseGradientMeetsItsMiddleColourHalfWay)
{
    Surface surface(100, 4, kBlueGround);
    const gui::TColor c1 = gui::TColor(win::RGB(0, 200, 40));
    const gui::TColor c2 = gui::TColor(win::RGB(200, 0, 240));
    controls::uxFillRectTwoPhaseGradient(surface.DC(), win::RECT{0, 0, 100, 4}, c1, c2, true);
    const win::COLORREF middle = win::GetPixel(surface.DC(), 50, 2);
    const auto near = [](int actual, int expected) { return std::abs(actual - expected) <= 1; };
    EXPECT_TRUE(near(int(middle & 0xFF), 0 + 200 * 75 / 200));
    EXPECT_TRUE(near(int((middle >> 8) & 0xFF), 200 - 200 * 75 / 200));
    EXPECT_TRUE(near(int((middle >> 16) & 0xFF), 40 + 200 * 75 / 200));
    EXPECT_EQ(win::GetPixel(surface.DC(), 0, 0), win::COLORREF(c1));
    EXPECT_EQ(win::GetPixel(surface.DC(), 99, 0), win::COLORREF(c2));

    Surface solid(10, 2, kBlueGround);
    // A system colour and its RGB value are equal colours: one solid fill.
    controls::uxFillRectTwoPhaseGradient(solid.DC(), win::RECT{0, 0, 10, 2}, gui::clBtnFace,
                                         gui::TColor(win::RGB(212, 208, 200)), true);
    EXPECT_EQ(solid.Painted(win::RGB(212, 208, 200)), 0);
}

TEST_F(Office11Test, RecolouringSpreadsTheRedsBetweenEntriesTwoAndThree)
{
    gui::TBitmap bitmap;
    bitmap.SetPixelFormat(gui::pf32bit);
    bitmap.SetSize(5, 1);
    const gui::TColor ground = gui::TColor(win::RGB(255, 0, 255));
    const gui::TColor pixels[] = {ground, gui::clBlack, gui::TColor(win::RGB(100, 0, 0)),
                                  gui::TColor(win::RGB(150, 0, 0)), gui::TColor(win::RGB(200, 0, 0))};
    for (int x = 0; x < 5; ++x)
        bitmap.Canvas()->SetPixels(x, 0, pixels[x]);
    controls::uxOffice11RecolorSubMenuExpand(&bitmap);
    EXPECT_EQ(bitmap.Canvas()->Pixels(0, 0), ground);
    EXPECT_EQ(bitmap.Canvas()->Pixels(1, 0), gui::clBlack);
    EXPECT_EQ(win::COLORREF(bitmap.Canvas()->Pixels(2, 0)), Entry(3));
    EXPECT_EQ(win::COLORREF(bitmap.Canvas()->Pixels(3, 0)), win::RGB(230, 228, 223));
    EXPECT_EQ(win::COLORREF(bitmap.Canvas()->Pixels(4, 0)), Entry(2));

    // All of one red: entry 2, no division by zero.
    gui::TBitmap flat;
    flat.SetPixelFormat(gui::pf32bit);
    flat.SetSize(3, 1);
    flat.Canvas()->SetPixels(0, 0, ground);
    flat.Canvas()->SetPixels(1, 0, gui::TColor(win::RGB(90, 90, 90)));
    flat.Canvas()->SetPixels(2, 0, gui::TColor(win::RGB(90, 10, 10)));
    controls::uxOffice11RecolorSubMenuExpand(&flat);
    EXPECT_EQ(win::COLORREF(flat.Canvas()->Pixels(1, 0)), Entry(2));
    EXPECT_EQ(win::COLORREF(flat.Canvas()->Pixels(2, 0)), Entry(2));
}

TEST_F(Office11Test, BitmapsComeFromTheResourcesAndBrushesGoWithTheLastUser)
{
    gui::TBitmap* subMenu = controls::uxOffice11SubMenuExpandBitmap();
    ASSERT_NE(subMenu, nullptr);
    EXPECT_EQ(subMenu->Width(), 16);
    EXPECT_EQ(subMenu->Height(), 16);
    // Only the background and black stay; the greys became the ramp between entries 2 and 3.
    EXPECT_EQ(subMenu->Canvas()->Pixels(0, 0), gui::TColor(win::RGB(255, 0, 255)));
    EXPECT_EQ(win::COLORREF(subMenu->Canvas()->Pixels(15, 15)), Entry(2));
    EXPECT_EQ(win::COLORREF(subMenu->Canvas()->Pixels(1, 0)), Entry(3));
    ASSERT_NE(controls::uxOffice11ExpandButtonBitmap(true), nullptr);
    EXPECT_EQ(controls::uxOffice11ExpandButtonBitmap(false)->Width(), 11);

    win::HBRUSH frame = controls::uxOffice11Brush(32);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(controls::uxOffice11Brush(0), nullptr);
    win::LOGBRUSH logBrush{};
    EXPECT_NE(win::GetObject(frame, sizeof(logBrush), &logBrush), 0);
    EXPECT_EQ(logBrush.lbColor, gui::ColorToRGB(gui::clHighlight));

    // The palette listener of the look-and-feels and painters holds a reference too.
    controls::detail::FinalizePainters();
    controls::detail::FinalizeLookAndFeels();
    controls::uxOffice11ColorsAddRef();
    controls::uxOffice11ColorsRelease();
    EXPECT_NE(win::GetObject(frame, sizeof(logBrush), &logBrush), 0);
    controls::uxOffice11ColorsRelease();
    EXPECT_EQ(win::GetObject(frame, sizeof(logBrush), &logBrush), 0);
    EXPECT_EQ(controls::uxOffice11Brush(32), nullptr);
    controls::uxOffice11ColorsAddRef();  // for TearDown's release
    controls::detail::InitializeLookAndFeels();
    controls::detail::InitializePainters();
}

// Without GradientFill the gradient is drawn in bands.
class SoftwareGradientTest : public controlstest::ControlsTest {
protected:
    controls::TclEntryPoints EntryPoints() const override
    {
        controls::TclEntryPoints entries = controls::PlatformEntryPoints();
        entries.GradientFill = nullptr;
        return entries;
    }
};

TEST_F(SoftwareGradientTest, BandsNeverExceed256AndEndInTheSecondColour)
{
    const gui::TColor c1 = gui::TColor(win::RGB(0, 0, 0));
    const gui::TColor c2 = gui::TColor(win::RGB(255, 255, 255));
    {
        Surface surface(600, 1, kBlueGround);
        controls::uxFillRectGradient(surface.DC(), win::RECT{0, 0, 600, 1}, c1, c2, true);
        const std::vector<win::COLORREF> pixels = surface.Pixels();
        EXPECT_EQ(std::set<win::COLORREF>(pixels.begin(), pixels.end()).size(), 256u);
        EXPECT_EQ(pixels[0], pixels[1]);
        EXPECT_NE(pixels[1], pixels[2]);
        EXPECT_EQ(pixels[599], win::COLORREF(c2));
        EXPECT_EQ(controls::uxGradientColorAt(win::RECT{0, 0, 600, 1}, 2, c1, c2, true), gui::TColor(pixels[2]));
    }
    {
        Surface surface(1, 10, kBlueGround);
        controls::uxFillRectGradient(surface.DC(), win::RECT{0, 0, 1, 10}, c1, c2, false);
        const std::vector<win::COLORREF> pixels = surface.Pixels();
        EXPECT_EQ(std::set<win::COLORREF>(pixels.begin(), pixels.end()).size(), 10u);
        EXPECT_EQ(pixels[0], win::COLORREF(c1));
        EXPECT_EQ(pixels[9], win::COLORREF(c2));
    }
    {
        Surface surface(1, 1, kBlueGround);
        controls::uxFillRectGradient(surface.DC(), win::RECT{0, 0, 1, 1}, c1, c2, true);
        EXPECT_EQ(win::GetPixel(surface.DC(), 0, 0), win::COLORREF(c1));
    }
}

}  // namespace
