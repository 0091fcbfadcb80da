// The painters: orientation routines, colours of captions, the clip stack, page margins, standard tab
// sizes, the frame and the navigator buttons' pixels, and the colour and border routines.

#include "controls/pagecontrol/clPCPainters.h"
#include "controls/pagecontrol/clPCStandardPainter.h"
#include "tests/controls/pagecontrol/TabFixture.h"

#include "controls/clGraphics.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Paint.h"
#include "platform/wintypes/Messages.h"
#include "tests/controls/SurfaceCanvas.h"

#include <string>
#include <vector>

namespace pctest {
namespace {

using namespace pagecontrol;

struct OrientCase {
    TclTabPosition position;
    win::RECT expected;
};

class OrientRectTest : public ::testing::TestWithParam<OrientCase> {};

TEST_P(OrientRectTest, ARectangleForTopTabsTurnsToThePositionAndBack)
{
    const win::RECT given{1, 2, 3, 4};
    const win::RECT turned = clPCOrientRect(given, GetParam().position);
    EXPECT_EQ(turned, GetParam().expected);
    EXPECT_EQ(clPCOrientRectInverse(turned, GetParam().position), given);
}

INSTANTIATE_TEST_SUITE_P(Positions, OrientRectTest,
                         ::testing::Values(OrientCase{tpTop, {1, 2, 3, 4}}, OrientCase{tpBottom, {3, 4, 1, 2}},
                                           OrientCase{tpLeft, {2, 3, 4, 1}}, OrientCase{tpRight, {4, 1, 2, 3}}));

TEST(OrientRect, TheInverseOfLeftIsRightsMapping)
{
    const win::RECT r{1, 2, 3, 4};
    EXPECT_EQ(clPCOrientRectInverse(r, tpLeft), clPCOrientRect(r, tpRight));
    EXPECT_EQ(clPCOrientRectInverse(r, tpRight), clPCOrientRect(r, tpLeft));
}

TEST(OrientationCodes, EveryRowSideAndCaptionDirectionHasItsCode)
{
    const int expected[4][3] = {{1, 2, 3}, {10, 11, 12}, {6, 4, 5}, {9, 7, 8}};
    for (int side = 0; side < 4; ++side) {
        for (int direction = 0; direction < 3; ++direction) {
            EXPECT_EQ(clPCContentOrientationCode(TclTabPosition(side), TclPCCaptionDirection(direction)),
                      expected[side][direction]);
        }
    }
}

struct RotateCase {
    TclTabPosition position;
    win::RECT r;
    win::POINT given;
    win::POINT expected;
};

class PointRotationTest : public TabTest, public ::testing::WithParamInterface<RotateCase> {};

TEST_P(PointRotationTest, APointOfATopShapeTurnsWithTheTabs)
{
    TclCustomTabControl* control = Make(300, 200, {"A"});
    control->SetTabPosition(GetParam().position);
    EXPECT_EQ(control->Painter()->RotatePoint(GetParam().given, GetParam().r), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Points, PointRotationTest,
                         ::testing::Values(RotateCase{tpBottom, {0, 0, 100, 35}, {0, 34}, {0, 0}},
                                           RotateCase{tpLeft, {0, 0, 35, 100}, {0, 99}, {34, 99}},
                                           RotateCase{tpLeft, {0, 0, 35, 100}, {34, 65}, {0, 65}},
                                           RotateCase{tpRight, {0, 0, 35, 100}, {34, 65}, {34, 65}}));

// ------------------------------------------------------------------------------------------------------------

TEST_F(TabTest, CaptionColoursFollowTheTabState)
{
    Fixed({{"A", 60}, {"B", 60}});
    TclCustomTabControl* control = Make(300, 200, {"A", "B"});
    control->SetHotTrack(true);
    TclPCCustomPainter* painter = control->Painter();
    EXPECT_EQ(painter->GetTabTextColor(1), gui::clBtnText);
    driver.MouseMove(control->Handle(), 70, 10);
    driver.Pump();
    ASSERT_EQ(control->HotTab(), 1);
    EXPECT_EQ(painter->GetTabTextColor(1), gui::TColor(win::GetSysColor(win::COLOR_HOTLIGHT)));
    control->Tabs()->Tab(1)->SetHighlighted(true);
    EXPECT_EQ(painter->GetTabTextColor(1), gui::clHighlightText);
}

TEST_F(TabTest, PrintClientPaintsIntoTheGivenContextEvenAOnePixelOne)
{
    Fixed({{"A", 60}});
    TclCustomTabControl* control = Make(300, 200, {"A"});
    control->Tabs()->Tab(0)->SetColor(gui::clLime);
    for (int size : {1, 300}) {
        testsupport::Surface surface(size, size, win::RGB(1, 2, 3));
        win::SendMessage(control->Handle(), win::WM_PRINTCLIENT, reinterpret_cast<win::WPARAM>(surface.DC()),
                         win::PRF_CLIENT);
        win::SelectClipRgn(surface.DC(), nullptr);
        EXPECT_EQ(win::GetPixel(surface.DC(), 0, 0), gui::ColorToRGB(gui::clLime)) << size;
    }
}

TEST_F(TabTest, PaintingThatFailsStillRestoresTheClipAndErasingPaintsNothing)
{
    Fixed({{"A", 60}});
    TclCustomTabControl* control = Make(300, 200, {"A"});
    setup.onPaint = [](TclPCStandardPainter& painter) {
        painter.ClipToRect({0, 0, 10, 10});
        throw rtl::Exception("painting failed");
    };
    try {
        control->Repaint();
    } catch (const rtl::Exception&) {
    }
    setup.onPaint = nullptr;
    EXPECT_EQ(control->Painter()->SavedClipRegionCount(), 0);
    testsupport::Surface surface(4, 4, win::RGB(1, 2, 3));
    EXPECT_NE(win::SendMessage(control->Handle(), win::WM_ERASEBKGND, reinterpret_cast<win::WPARAM>(surface.DC()), 0), 0);
    EXPECT_EQ(win::GetPixel(surface.DC(), 1, 1), win::RGB(1, 2, 3));
}

TEST_F(TabTest, HideTabsZeroesTheFrameMargins)
{
    Fixed({{"A", 60}});
    TclCustomTabControl* control = Make(300, 200, {"A"});
    win::RECT margins{};
    control->Painter()->GetPageFrameMargins(margins);
    EXPECT_EQ(margins, (win::RECT{0, 20, 0, 0}));
    control->SetHideTabs(true);
    control->Painter()->GetPageFrameMargins(margins);
    EXPECT_EQ(margins, (win::RECT{0, 0, 0, 0}));
    EXPECT_EQ(control->Painter()->GetPageClientRect(), (win::RECT{0, 0, 300, 200}));
}

TEST_F(TabTest, TheClipStackRestoresEachLevelExactly)
{
    Fixed({{"A", 60}});
    TclCustomTabControl* control = Make(300, 200, {"A"});
    bool ran = false;
    setup.onPaint = [&](TclPCStandardPainter& painter) {
        ran = true;
        const win::HDC dc = painter.Canvas().GetDCHandle();
        auto clip = [dc]() {
            const win::HRGN region = win::CreateRectRgn(0, 0, 0, 0);
            const int has = win::GetClipRgn(dc, region);
            win::RECT box{};
            if (has == 1) {
                win::GetRgnBox(region, &box);
            }
            win::DeleteObject(region);
            return std::pair<int, win::RECT>{has, box};
        };
        const int depth = painter.SavedClipRegionCount();
        const auto outer = clip();
        ASSERT_TRUE(painter.ClipToRect({10, 10, 50, 50}));
        const auto clipped = clip();
        EXPECT_EQ(clipped.second, (win::RECT{10, 10, 50, 50}));
        painter.SaveClipRegion();
        win::SelectClipRgn(dc, nullptr);
        painter.SaveClipRegion();
        win::IntersectClipRect(dc, 0, 0, 5, 5);
        painter.RestoreClipRegion();
        EXPECT_EQ(clip().first, 0) << "a saved nil restores no clipping";
        painter.RestoreClipRegion();
        EXPECT_EQ(clip(), clipped);
        painter.RestoreClipRegion();
        EXPECT_EQ(clip(), outer);
        EXPECT_EQ(painter.SavedClipRegionCount(), depth);
        EXPECT_FALSE(painter.ClipToRect({5, 5, 5, 40})) << "an empty rectangle";
    };
    control->Repaint();
    EXPECT_TRUE(ran);
}

// ------------------------------------------------------------------------------------------------------------
// Standard sizes and pixels

TEST_F(TabTest, StandardTabSizesComeFromTheCaptionTabWidthAndTabHeight)
{
    TclCustomTabControl* control = Make(400, 200, {"Report", "W"});
    const int report = controls::clMeasureTextWidthInFont(control->Font(), "Report");
    EXPECT_EQ(control->Tabs()->Tab(0)->NormalWidth(), std::max(12 + report, 42));
    EXPECT_EQ(control->Tabs()->Tab(1)->NormalWidth(), 42) << "at least the minimal width";
    control->SetTabWidth(100);
    EXPECT_EQ(control->Tabs()->Tab(0)->NormalWidth(), 100);
    EXPECT_EQ(control->Tabs()->Tab(1)->NormalWidth(), 100);
    const int zg = controls::clMeasureTextInFont(control->Font(), "Zg").cy;
    EXPECT_EQ(control->Tabs()->TabNormalHeight(), std::max(zg + 8, 18));
    control->SetTabHeight(35);
    EXPECT_EQ(control->Tabs()->TabNormalHeight(), 35);
}

TEST_F(TabTest, TabWidthsOutsideSixteenBitsAreRefused)
{
    TclCustomTabControl* control = Make(400, 200, {"A"});
    EXPECT_THROW(control->SetTabWidth(40000), rtl::Exception);
    EXPECT_THROW(control->SetTabHeight(-40000), rtl::Exception);
    EXPECT_EQ(control->TabWidth(), 0);
    EXPECT_EQ(control->TabHeight(), 0);
}

TEST_F(TabTest, TheFrameIsTwoToneInsideTwoTone)
{
    TclCustomTabControl* control = Make(300, 200, {"A"});
    control->SetTabHeight(30);
    control->SetShowFrame(true);
    struct Expected {
        int x;
        int y;
        gui::TColor color;
    };
    for (const Expected& e : {Expected{0, 30, gui::clBtnHighlight}, Expected{1, 31, gui::cl3DLight},
                              Expected{299, 199, gui::cl3DDkShadow}, Expected{298, 198, gui::clBtnShadow}}) {
        EXPECT_EQ(Pixel(control, e.x, e.y), gui::ColorToRGB(e.color)) << e.x << "," << e.y;
    }
}

class NavigatorPixelsTest : public TabTest {
protected:
    TclCustomTabControl* MakeRow(TclPCOptions options = clPCDefaultOptions)
    {
        TclCustomTabControl* control = Make(300, 200, {"A", "B", "C", "D", "E"});
        control->SetTabWidth(100);
        control->SetOptions(options);
        return control;
    }
    win::DWORD At(TclCustomTabControl* control, win::POINT origin, int x, int y)
    {
        return win::TestDriver::PixelAt(control->Handle(), origin.x + x, origin.y + y);
    }
    // Per column from..to of the button: the number of pixels of the colour and the first row holding one.
    std::vector<std::pair<int, int>> Columns(TclCustomTabControl* control, win::POINT origin, int from, int to,
                                             int height, gui::TColor color)
    {
        std::vector<std::pair<int, int>> result;
        for (int x = from; x <= to; ++x) {
            int count = 0;
            int first = -1;
            for (int y = 0; y < height; ++y) {
                if (At(control, origin, x, y) == gui::ColorToRGB(color)) {
                    first = first == -1 ? y : first;
                    ++count;
                }
            }
            result.emplace_back(count, first);
        }
        return result;
    }
};

TEST_F(NavigatorPixelsTest, AnArrowButtonHasA3DBorderAndACentredGlyph)
{
    TclCustomTabControl* control = MakeRow();
    const win::POINT o{280, 0};
    control->Repaint();
    EXPECT_EQ(At(control, o, 0, 0), gui::ColorToRGB(gui::cl3DLight));
    EXPECT_EQ(At(control, o, 1, 1), gui::ColorToRGB(gui::clBtnHighlight));
    EXPECT_EQ(At(control, o, 19, 19), gui::ColorToRGB(gui::cl3DDkShadow));
    EXPECT_EQ(At(control, o, 18, 18), gui::ColorToRGB(gui::clBtnShadow));
    EXPECT_EQ(Columns(control, o, 6, 12, 20, gui::clBtnText),
              (std::vector<std::pair<int, int>>{{0, -1}, {9, 5}, {7, 6}, {5, 7}, {3, 8}, {1, 9}, {0, -1}}));

    driver.MouseDown(control->Handle(), win::TestDriver::Button::Left, 290, 10);
    driver.Pump();
    control->Repaint();
    EXPECT_EQ(At(control, o, 0, 0), gui::ColorToRGB(gui::clBtnShadow));
    EXPECT_EQ(At(control, o, 1, 1), gui::ColorToRGB(gui::cl3DDkShadow));
    EXPECT_EQ(At(control, o, 19, 19), gui::ColorToRGB(gui::clBtnHighlight));
    EXPECT_EQ(At(control, o, 18, 18), gui::ColorToRGB(gui::cl3DLight));
    EXPECT_EQ(Columns(control, o, 8, 8, 20, gui::clBtnText).front(), (std::pair<int, int>{9, 6}));
    driver.MouseUp(control->Handle(), win::TestDriver::Button::Left, 290, 10);
    driver.Pump();
}

TEST_F(NavigatorPixelsTest, ADisabledArrowIsEmbossed)
{
    TclCustomTabControl* control = MakeRow();
    for (int i = 0; i < 5; ++i) {
        control->ScrollTabs(nbBottomRight);
    }
    ASSERT_EQ(control->NavigatorButtonState(nbBottomRight), nbsDisabled);
    const win::POINT o{280, 0};
    control->Repaint();
    EXPECT_EQ(Columns(control, o, 7, 7, 17, gui::clBtnShadow).front(), (std::pair<int, int>{9, 5}))
        << "the glyph, above the inner border";
    EXPECT_EQ(At(control, o, 12, 10), gui::ColorToRGB(gui::clBtnHighlight));
    EXPECT_EQ(Columns(control, o, 7, 11, 20, gui::clBtnText),
              (std::vector<std::pair<int, int>>(5, std::pair<int, int>{0, -1})));
}

TEST_F(NavigatorPixelsTest, TheGoButtonGlyphPointsDown)
{
    TclCustomTabControl* control = MakeRow(clPCDefaultOptions | clPCOptionBit(pcoGoDialog));
    const win::POINT o{248, 0};
    control->Repaint();
    std::vector<std::pair<int, int>> rows;
    for (int y = 8; y <= 13; ++y) {
        int count = 0;
        int first = -1;
        for (int x = 0; x < 12; ++x) {
            if (At(control, o, x, y) == gui::ColorToRGB(gui::clBtnText)) {
                first = first == -1 ? x : first;
                ++count;
            }
        }
        rows.emplace_back(count, first);
    }
    EXPECT_EQ(rows, (std::vector<std::pair<int, int>>{{0, -1}, {7, 2}, {5, 3}, {3, 4}, {1, 5}, {0, -1}}));
}

// ------------------------------------------------------------------------------------------------------------
// Colour and border routines

TEST(ColorRoutines, HueSaturationBrightness)
{
    struct Case {
        gui::TColor color;
        double hue;
        double saturation;
        double brightness;
    };
    for (const Case& c : {Case{gui::TColor(win::RGB(255, 0, 0)), 0, 100, 100},
                          Case{gui::TColor(win::RGB(128, 128, 128)), 0, 0, 128 * 100.0 / 255},
                          Case{gui::TColor(win::RGB(0, 0, 255)), 240, 100, 100},
                          Case{gui::TColor(win::RGB(255, 0, 128)), (0 - 128) * 60.0 / 255 + 360, 100, 100}}) {
        double hue = -1;
        double saturation = -1;
        double brightness = -1;
        clPCColorToHSB(c.color, hue, saturation, brightness);
        EXPECT_DOUBLE_EQ(hue, c.hue);
        EXPECT_DOUBLE_EQ(saturation, c.saturation);
        EXPECT_DOUBLE_EQ(brightness, c.brightness);
    }
    EXPECT_EQ(clPCHSBToColor(120, 100, 100), gui::TColor(win::RGB(0, 255, 0)));
    EXPECT_EQ(clPCHSBToColor(0, 0, 0), gui::clBlack);
    for (gui::TColor color : {gui::TColor(win::RGB(255, 0, 0)), gui::TColor(win::RGB(0, 0, 255))}) {
        EXPECT_EQ(clPCBrightenColor(color, 0), color);
    }
    EXPECT_EQ(clPCBrightenColor(gui::TColor(win::RGB(100, 0, 0)), 100), gui::TColor(win::RGB(200, 0, 0)));
    EXPECT_EQ(clPCBrightenColor(gui::TColor(win::RGB(200, 0, 0)), 100), gui::TColor(win::RGB(255, 0, 0)))
        << "capped at 100";
}

TEST_F(TabTest, LightBrushAndOneNoteColoursWithoutAScheme)
{
    EXPECT_EQ(gui::ColorToRGB(clPCLightBrushColor()), win::RGB(232, 228, 220));
    const gui::TColor expected[] = {gui::clBtnShadow, gui::clBtnShadow, gui::TColor(win::RGB(255, 255, 255)),
                                    gui::TColor(win::RGB(10, 36, 106)), gui::clBtnFace, gui::clBtnFace};
    for (int i = 1; i <= 6; ++i) {
        EXPECT_EQ(clPCOneNoteColors(i), expected[i - 1]) << i;
    }
}

// A visual-styles library in the blue Office 2003 scheme, switched on while the test runs.
bool schemeActive = false;

win::BOOL SchemeActive() { return schemeActive; }

controls::HRESULT SchemeName(char16_t* file, int, char16_t* color, int, char16_t* size, int)
{
    const std::u16string fileName = u"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles";
    const std::u16string colorName = u"NormalColor";
    std::copy(fileName.begin(), fileName.end(), file);
    file[fileName.size()] = 0;
    std::copy(colorName.begin(), colorName.end(), color);
    color[colorName.size()] = 0;
    size[0] = 0;
    return controls::S_OK;
}

class BlueSchemeTest : public TabTest {
protected:
    void SetUp() override
    {
        schemeActive = false;
        library_.IsThemeActive = &SchemeActive;
        library_.GetCurrentThemeName = &SchemeName;
        TabTest::SetUp();
    }
    controls::TclEntryPoints EntryPoints() const override
    {
        controls::TclEntryPoints entries = controls::PlatformEntryPoints();
        entries.ThemeLibrary = &library_;
        return entries;
    }
    controls::TuxThemeLibrary library_;
};

TEST_F(BlueSchemeTest, TheOneNoteColoursFollowTheSchemeAfterAPaletteChange)
{
    EXPECT_EQ(clPCOneNoteColors(1), gui::clBtnShadow);
    schemeActive = true;
    win::SendMessage(win::HWND_BROADCAST, win::WM_THEMECHANGED, 0, 0);
    EXPECT_EQ(clPCOneNoteColors(1), gui::clBtnShadow) << "until the palette notification";
    const int index = 5;  // COLOR_WINDOW
    const win::COLORREF color = win::GetSysColor(index);
    win::SetSysColors(1, &index, &color);
    EXPECT_EQ(gui::ColorToRGB(clPCOneNoteColors(1)), win::RGB(59, 97, 156));
    EXPECT_EQ(gui::ColorToRGB(clPCOneNoteColors(6)), win::RGB(117, 166, 241));
}

TEST_F(TabTest, ABorderDrawsItsSidesInOrderAndLeavesTheClip)
{
    testsupport::Surface surface(20, 20, win::RGB(255, 255, 255));
    controlstest::SurfaceCanvas canvas(surface);
    win::RECT rect{0, 0, 10, 10};
    clPCDrawBorder(canvas.canvas,
                   rect,
                   {{gui::clRed, bsLeft}, {gui::clLime, bsTop}, {gui::clBlue, bsRight}, {gui::clYellow, bsBottom}},
                   true);
    EXPECT_EQ(rect, (win::RECT{1, 1, 9, 9}));
    canvas.canvas.FillRectColor({0, 0, 20, 20}, gui::clWhite);
    win::SelectClipRgn(surface.DC(), nullptr);
    struct Expected {
        int x;
        int y;
        win::COLORREF color;
    };
    for (const Expected& e : {Expected{0, 0, win::RGB(255, 0, 0)}, Expected{0, 9, win::RGB(255, 0, 0)},
                              Expected{1, 0, win::RGB(0, 255, 0)}, Expected{9, 0, win::RGB(0, 255, 0)},
                              Expected{9, 1, win::RGB(0, 0, 255)}, Expected{1, 9, win::RGB(255, 255, 0)},
                              Expected{8, 9, win::RGB(255, 255, 0)}, Expected{5, 5, win::RGB(255, 255, 255)},
                              Expected{12, 12, win::RGB(255, 255, 255)}}) {
        EXPECT_EQ(win::GetPixel(surface.DC(), e.x, e.y), e.color) << e.x << "," << e.y;
    }
}

}  // namespace
}  // namespace pctest
