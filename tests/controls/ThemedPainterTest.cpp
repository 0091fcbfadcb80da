// The themed painter with a visual-styles library of the test's own: metrics read from the theme classes
// (content rects of 100 x 100, part sizes, colours), themed text flags, the parts and states it draws,
// and the look-and-feel choosing the themed painter for the native style; without a library, the same
// pictures as its fallbacks.

#include "controls/clLookAndFeels.h"

#include "platform/gdi/Region.h"
#include "platform/text/DrawText.h"
#include "tests/controls/ControlsFixture.h"
#include "tests/controls/SurfaceCanvas.h"
#include "tests/support/DrawingSurface.h"

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

using namespace controls;

// Handles are 1 + the index of the class list opened.
struct Theme {
    std::vector<std::u16string> classes;
    struct TextCall {
        std::u16string cls;
        int part;
        int state;
        std::u16string text;
        win::DWORD flags;
        win::RECT rect;
    };
    std::vector<TextCall> texts;
    struct PartCall {
        std::u16string cls;
        int part;
        int state;
        friend bool operator==(const PartCall&, const PartCall&) = default;
    };
    std::vector<PartCall> parts;
    std::vector<win::RECT> partRects;
    std::u16string colorName = u"NormalColor";
};
Theme theme;

std::u16string ClassOf(HTHEME handle)
{
    const auto index = std::size_t(reinterpret_cast<std::uintptr_t>(handle)) - 1;
    return index < theme.classes.size() ? theme.classes[index] : u"";
}

HTHEME Open(win::HWND, const char16_t* list)
{
    theme.classes.emplace_back(list);
    return reinterpret_cast<HTHEME>(std::uintptr_t(theme.classes.size()));
}

HRESULT Close(HTHEME)
{
    return S_OK;
}

win::BOOL Active()
{
    return true;
}

// Insets (left, top, right, bottom) of each class's content.
HRESULT Content(HTHEME handle, win::HDC, int, int, const win::RECT* bounds, win::RECT* content)
{
    static const std::map<std::u16string, win::RECT> insets = {
        {u"Button", {3, 3, 4, 5}}, {u"Header", {2, 4, 2, 2}}, {u"TrackBar", {5, 1, 1, 1}}, {u"Tab", {2, 1, 4, 3}}};
    const auto it = insets.find(ClassOf(handle));
    if (it == insets.end())
        return E_FAIL;
    *content = win::RECT{bounds->left + it->second.left, bounds->top + it->second.top,
                         bounds->right - it->second.right, bounds->bottom - it->second.bottom};
    return S_OK;
}

HRESULT PartSize(HTHEME handle, win::HDC, int part, int, const win::RECT*, int kind, win::SIZE* size)
{
    const std::u16string cls = ClassOf(handle);
    const std::map<std::pair<std::u16string, int>, win::SIZE> sizes = {
        {{u"TreeView", 2}, {9, 9}},   {{u"ExplorerBar", 7}, {17, 17}}, {{u"Button", 3}, {15, 14}},
        {{u"Button", 2}, {16, 15}},   {{u"Window", 19}, {13, 12}},     {{u"ScrollBar", 9}, {8, 9}},
        {{u"ScrollBar", 8}, {4, 8}},
    };
    if (cls == u"ScrollBar" && kind == 0) {
        // Least sizes: 6 down the vertical gripper, 3 along the horizontal one.
        *size = part == 9 ? win::SIZE{0, 6} : win::SIZE{3, 0};
        return S_OK;
    }
    const auto it = sizes.find({cls, part});
    if (it == sizes.end())
        return E_FAIL;
    *size = it->second;
    return S_OK;
}

HRESULT Colour(HTHEME handle, int, int state, int property, win::COLORREF* color)
{
    const std::u16string cls = ClassOf(handle);
    if (cls == u"ComboBox" && property == 3801)
        *color = win::RGB(1, 2, 3);
    else if (cls == u"Button" && property == 3802)
        *color = win::RGB(10, 20, state);
    else if (cls == u"Button" && property == 3803)
        *color = win::RGB(30, 40, state);
    else
        return E_FAIL;
    return S_OK;
}

win::BOOL Transparent(HTHEME handle, int, int)
{
    return ClassOf(handle) == u"Button";
}

HRESULT Text(HTHEME handle, win::HDC, int part, int state, const char16_t* text, int, win::DWORD flags, win::DWORD,
             const win::RECT* rect)
{
    theme.texts.push_back({ClassOf(handle), part, state, text, flags, *rect});
    return S_OK;
}

HRESULT Background(HTHEME handle, win::HDC, int part, int state, const win::RECT* rect, const win::RECT*)
{
    theme.parts.push_back({ClassOf(handle), part, state});
    theme.partRects.push_back(*rect);
    return S_OK;
}

HRESULT Edge(HTHEME handle, win::HDC, int part, int state, const win::RECT*, win::UINT, win::UINT, win::RECT*)
{
    theme.parts.push_back({ClassOf(handle), part, state});
    return S_OK;
}

// The expand button's region leaves out a two-pixel rim.
HRESULT Region(HTHEME, win::HDC, int, int, const win::RECT* rect, win::HRGN* region)
{
    *region = win::CreateRectRgn(rect->left + 2, rect->top + 2, rect->right - 2, rect->bottom - 2);
    return S_OK;
}

HRESULT Name(char16_t* file, int fileLength, char16_t* color, int colorLength, char16_t*, int)
{
    const std::u16string luna = u"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles";
    if (fileLength <= int(luna.size()) || colorLength <= int(theme.colorName.size()))
        return E_FAIL;
    std::copy(luna.begin(), luna.end(), file);
    file[luna.size()] = 0;
    std::copy(theme.colorName.begin(), theme.colorName.end(), color);
    color[theme.colorName.size()] = 0;
    return S_OK;
}

void PrintTo(const Theme::PartCall& call, std::ostream* os)
{
    *os << std::string(call.cls.begin(), call.cls.end()) << " part " << call.part << " state " << call.state;
}

class ThemedPainterTest : public controlstest::ControlsTest {
protected:
    void SetUp() override
    {
        theme = Theme{};
        library_.OpenThemeData = &Open;
        library_.CloseThemeData = &Close;
        library_.IsThemeActive = &Active;
        library_.GetThemeBackgroundContentRect = &Content;
        library_.GetThemePartSize = &PartSize;
        library_.GetThemeColor = &Colour;
        library_.IsThemeBackgroundPartiallyTransparent = &Transparent;
        library_.DrawThemeText = &Text;
        library_.DrawThemeBackground = &Background;
        library_.DrawThemeEdge = &Edge;
        library_.GetCurrentThemeName = &Name;
        library_.GetThemeBackgroundRegion = &Region;
        ControlsTest::SetUp();
    }
    TclEntryPoints EntryPoints() const override
    {
        TclEntryPoints entries = PlatformEntryPoints();
        entries.ThemeLibrary = &library_;
        return entries;
    }
    static const TclWinXPLookAndFeelPainter& Themed()
    {
        return static_cast<const TclWinXPLookAndFeelPainter&>(*TclWinXPLookAndFeelPainter::Class());
    }

    TuxThemeLibrary library_;
};

TEST_F(ThemedPainterTest, MetricsComeFromTheThemeClasses)
{
    const TclWinXPLookAndFeelPainter& p = Themed();
    EXPECT_EQ(p.BorderWidth(), 1);
    for (TclButtonState state : {cxbsDefault, cxbsNormal, cxbsPressed})
        EXPECT_EQ(p.ButtonFrameWidth(state), 3);
    win::RECT margins{};
    p.ButtonGroupMargins(3, 1, margins);
    // Insets 3, 3, 4, 5, each one less for a partly transparent button.
    EXPECT_EQ(margins.left, 2);
    EXPECT_EQ(margins.top, 2);
    EXPECT_EQ(margins.right, 3);
    EXPECT_EQ(margins.bottom, 4);
    win::RECT grouped{};
    p.GroupedButtonRect(win::RECT{10, 10, 40, 30}, 3, 1, grouped);
    EXPECT_EQ(grouped.left, 9);
    EXPECT_EQ(grouped.bottom, 31);
    EXPECT_EQ(p.HeaderFrameWidth(), 3);
    EXPECT_EQ(p.HeaderSectionFrameWidth(cxbsPressed), 3);
    win::RECT section{};
    p.HeaderSectionContentRect(win::RECT{0, 0, 50, 20}, cxbsNormal, section);
    EXPECT_EQ(section.left, 3);
    EXPECT_EQ(section.bottom, 17);
    EXPECT_EQ(p.HeaderHeightForFont(13), 13 + 2 * 3 + 4);
    EXPECT_EQ(p.FooterCellFrameWidth(), 5);
    EXPECT_EQ(p.FooterCellSpacing(), 1);
    EXPECT_EQ(p.ExpandButtonExtent(), 9);
    EXPECT_EQ(p.SmallExpandButtonExtent(), 9);
    EXPECT_EQ(p.GroupExpandButtonExtent(), 17);
    EXPECT_EQ(p.CheckFrameWidth(), 0);
    win::SIZE size{};
    p.CheckBoxExtent(size);
    EXPECT_EQ(size.cx, 15);
    EXPECT_EQ(size.cy, 14);
    p.RadioButtonExtent(size);
    EXPECT_EQ(size.cx, 16);
    EXPECT_EQ(size.cy, 15);
    win::POINT extent{};
    p.FilterCheckExtent(extent);
    EXPECT_EQ(extent.x, 15);
    p.FilterDismissButtonExtent(extent);
    EXPECT_EQ(extent.x, 17);
    EXPECT_EQ(extent.y, 16);
    EXPECT_TRUE(p.CanPaintTab(false));
    EXPECT_TRUE(p.HasHotTabs(true));
    // The larger of the least size and the size + 4 along the bar, at least 8.
    EXPECT_EQ(p.ScrollThumbMinExtent(true), 13);
    EXPECT_EQ(p.ScrollThumbMinExtent(false), 8);
    EXPECT_EQ(win::COLORREF(p.ThinFrameColor()), win::RGB(1, 2, 3));
    EXPECT_EQ(win::COLORREF(p.ButtonFaceColor(cxbsHot)), win::RGB(10, 20, 2));
    EXPECT_EQ(win::COLORREF(p.ButtonFaceColor(cxbsDefault)), win::RGB(10, 20, 5));
    EXPECT_EQ(win::COLORREF(p.ButtonGlyphColor(cxbsDisabled, gui::clRed)), win::RGB(30, 40, 4));

    testsupport::Surface surface(40, 40, 0);
    gui::TCanvas frame;
    frame.SetHandle(surface.DC());
    {
        TclCanvas canvas(&frame);
        win::RECT focus{};
        p.ButtonFocusFrameRect(canvas, win::RECT{0, 0, 30, 20}, focus);
        EXPECT_EQ(focus.left, 3);
        EXPECT_EQ(focus.right, 26);
        EXPECT_EQ(focus.bottom, 15);
    }
    frame.SetHandle(nullptr);
}

TEST_F(ThemedPainterTest, ThemedTextFlagsFollowTheLayout)
{
    testsupport::Surface surface(80, 40, 0);
    gui::TCanvas frame;
    frame.SetHandle(surface.DC());
    {
        TclCanvas canvas(&frame);
        HTHEME header = AcquireThemeHandle(totHeader);
        const win::RECT rect{2, 2, 78, 38};
        Themed().PaintThemedText(canvas, header, gui::clWindow, gui::clRed, nullptr, "", false, false, false,
                                 clvaTop, clhaLeft, rect, rect, 1, 1);
        EXPECT_TRUE(theme.texts.empty());
        Themed().PaintThemedText(canvas, header, gui::clWindow, gui::clRed, nullptr, "Head", false, true, false,
                                 clvaBottom, clhaCenter, rect, rect, 2, 1);
        Themed().PaintThemedText(canvas, header, gui::clWindow, gui::clRed, nullptr, "&Head", true, false, false,
                                 clvaCenter, clhaRight, rect, rect, 3, 1);
        EXPECT_EQ(canvas.GetCanvasFont()->Color(), gui::clRed);
    }
    frame.SetHandle(nullptr);
    ASSERT_EQ(theme.texts.size(), 2u);
    EXPECT_EQ(theme.texts[0].cls, u"Header");
    EXPECT_EQ(theme.texts[0].text, u"Head");
    EXPECT_EQ(theme.texts[0].state, 2);
    EXPECT_EQ(theme.texts[0].flags, win::DT_CENTER | win::DT_BOTTOM | win::DT_SINGLELINE | win::DT_END_ELLIPSIS |
                                        win::DT_NOPREFIX | win::DT_EDITCONTROL);
    EXPECT_EQ(theme.texts[1].flags, win::DT_RIGHT | win::DT_VCENTER | win::DT_SINGLELINE | win::DT_EDITCONTROL);
}

using Parts = std::vector<Theme::PartCall>;

TEST_F(ThemedPainterTest, DrawingFollowsThePartAndStateMaps)
{
    const TclWinXPLookAndFeelPainter& p = Themed();
    const win::RECT r{2, 2, 30, 20};
    struct Case {
        const char* name;
        std::function<void(TclCanvas&)> draw;
        Parts parts;
    };
    const Case cases[] = {
        {"hot vertical thumb", [&](TclCanvas& c) { p.PaintScrollBarPart(c, false, r, clsbpThumb, cxbsHot); },
         {{u"ScrollBar", 3, 2}, {u"ScrollBar", 9, 0}}},
        {"disabled horizontal thumb", [&](TclCanvas& c) { p.PaintScrollBarPart(c, true, r, clsbpThumb, cxbsDisabled); },
         {{u"ScrollBar", 2, 4}, {u"ScrollBar", 8, 0}}},
        {"pressed down arrow",
         [&](TclCanvas& c) { p.PaintScrollBarPart(c, false, r, clsbpSecondButton, cxbsPressed); },
         {{u"ScrollBar", 1, 7}}},
        {"disabled left arrow", [&](TclCanvas& c) { p.PaintScrollBarPart(c, true, r, clsbpFirstButton, cxbsDisabled); },
         {{u"ScrollBar", 1, 12}}},
        {"hot right arrow", [&](TclCanvas& c) { p.PaintScrollArrowButton(c, r, cxbsHot, cladRight, true); },
         {{u"ScrollBar", 1, 14}}},
        {"vertical upper track, hot", [&](TclCanvas& c) { p.PaintScrollBarPart(c, false, r, clsbpFirstPage, cxbsHot); },
         {{u"ScrollBar", 6, 2}}},
        {"horizontal right track", [&](TclCanvas& c) { p.PaintScrollBarPart(c, true, r, clsbpSecondPage, cxbsNormal); },
         {{u"ScrollBar", 5, 1}}},
        {"an empty part", [&](TclCanvas& c) { p.PaintScrollBarPart(c, true, win::RECT{5, 5, 5, 9}, clsbpThumb, cxbsNormal); },
         {}},
        {"default push button", [&](TclCanvas& c) { p.PaintButton(c, r, "", cxbsDefault); }, {{u"Button", 1, 5}}},
        {"pressed arrow face", [&](TclCanvas& c) { p.PaintArrowButtonFace(c, r, cxbsPressed); }, {{u"Button", 1, 3}}},
        {"normal toolbar button", [&](TclCanvas& c) { p.PaintNavigatorToolButton(c, r, cxbsNormal); },
         {{u"ToolBar", 1, 2}}},
        {"hot toolbar button", [&](TclCanvas& c) { p.PaintNavigatorToolButton(c, r, cxbsHot); }, {{u"ToolBar", 1, 5}}},
        {"checked hot check box", [&](TclCanvas& c) { p.PaintCheckMark(c, r, cxbsHot, true, gui::clRed); },
         {{u"Button", 3, 6}}},
        {"unchecked disabled check box", [&](TclCanvas& c) { p.PaintCheckMark(c, r, cxbsDisabled, false, gui::clRed); },
         {{u"Button", 3, 4}}},
        {"check-box frame", [&](TclCanvas& c) { p.PaintCheckBoxFrame(c, r, cxbsNormal); }, {}},
        {"checked pressed radio", [&](TclCanvas& c) { p.PaintRadioButton(c, 4, 5, cxbsPressed, true, true); },
         {{u"Button", 2, 7}}},
        {"expanded hot group button", [&](TclCanvas& c) { p.PaintGroupExpandButton(c, r, true, cxbsHot); },
         {{u"ExplorerBar", 6, 2}}},
        {"collapsed default group button", [&](TclCanvas& c) { p.PaintGroupExpandButton(c, r, false, cxbsDefault); },
         {{u"ExplorerBar", 7, 1}}},
        {"expanded tree glyph", [&](TclCanvas& c) { p.PaintExpandButton(c, r, true, gui::clRed); },
         {{u"TreeView", 2, 2}}},
        {"collapsed small expand button", [&](TclCanvas& c) { p.PaintSmallExpandButton(c, r, false, gui::clRed); },
         {{u"TreeView", 2, 1}}},
        {"pressed filter dismiss button", [&](TclCanvas& c) { p.PaintFilterDismissButton(c, r, cxbsPressed); },
         {{u"Window", 19, 3}}},
        {"hot active filter drop button", [&](TclCanvas& c) { p.PaintFilterDropButton(c, r, cxbsHot, true); },
         {{u"ComboBox", 1, 2}}},
        {"size grip", [&](TclCanvas& c) { p.PaintSizeGripBox(c, r, gui::clBtnFace); }, {{u"ScrollBar", 10, 1}}},
        {"progress", [&](TclCanvas& c) { p.PaintProgressGauge(c, r, win::RECT{2, 2, 10, 20}, TclBackground{}, false); },
         {{u"Progress", 1, 1}, {u"Progress", 3, 1}}},
        {"border", [&](TclCanvas& c) { p.PaintBorder(c, r); }, {{u"ListView", 5, 1}}},
        {"footer frame", [&](TclCanvas& c) { p.PaintFooterFrame(c, r); }, {{u"Edit", 0, 0}}},
        {"footer cell", [&](TclCanvas& c) {
             p.PaintFooterCell(c, r, clhaLeft, clvaCenter, false, "Sum", nullptr, gui::clBlack, gui::clWindow, {});
         },
         {{u"TrackBar", 1, 1}}},
        {"pressed header section", [&](TclCanvas& c) {
             p.PaintHeaderSection(c, r, r, 0, clAllSides, cxbsPressed, clhaLeft, clvaCenter, false, false, "", nullptr,
                                  gui::clBlack, gui::clBtnFace);
         },
         {{u"Header", 1, 3}}},
        {"arrow header, nothing to its right", [&](TclCanvas& c) {
             p.PaintArrowHeader(c, r, "May", clSideLeft, TclViewParams{}, 3, 2, {});
         },
         {{u"Header", 3, 1}}},
        {"arrow header, a neighbour to its right", [&](TclCanvas& c) {
             p.PaintArrowHeader(c, r, "May", clSideRight, TclViewParams{}, 3, 2, {});
         },
         {{u"Header", 1, 1}}},
        {"disabled header cell", [&](TclCanvas& c) {
             p.PaintHeaderCellEx(c, r, r, 0, clAllSides, cxbsDisabled, clhaLeft, clvaCenter, false, false, "", nullptr,
                                 gui::clBlack, gui::clBtnFace, {}, false, false);
         },
         {{u"Header", 1, 1}}},
    };
    for (const Case& c : cases) {
        theme.parts.clear();
        theme.partRects.clear();
        testsupport::Surface surface(40, 30, 0);
        {
            controlstest::SurfaceCanvas on(surface);
            c.draw(on.canvas);
        }
        EXPECT_EQ(theme.parts, c.parts) << c.name;
    }
    // The radio part takes its true size at its corner.
    theme.partRects.clear();
    testsupport::Surface surface(40, 30, 0);
    {
        controlstest::SurfaceCanvas on(surface);
        p.PaintRadioButton(on.canvas, 4, 5, cxbsNormal, false, false);
    }
    ASSERT_EQ(theme.partRects.size(), 1u);
    EXPECT_EQ(theme.partRects[0].left, 4);
    EXPECT_EQ(theme.partRects[0].top, 5);
    EXPECT_EQ(theme.partRects[0].right, 4 + 16);
    EXPECT_EQ(theme.partRects[0].bottom, 5 + 15);
}

TEST_F(ThemedPainterTest, TheLastHeaderItemTakesTheRightItemPartUnderBlueAndOliveOnly)
{
    struct Case {
        std::u16string scheme;
        bool lastItem;
        TclButtonState state;
        int part;
    };
    const Case cases[] = {
        {u"NormalColor", true, cxbsNormal, 3}, {u"HomeStead", true, cxbsNormal, 3},
        {u"Metallic", true, cxbsNormal, 1},    {u"NormalColor", false, cxbsNormal, 1},
        {u"NormalColor", true, cxbsHot, 1},    {u"HomeStead", true, cxbsDisabled, 3},
    };
    for (const Case& c : cases) {
        theme.colorName = c.scheme;
        theme.parts.clear();
        theme.texts.clear();
        testsupport::Surface surface(60, 20, 0);
        {
            controlstest::SurfaceCanvas on(surface);
            Themed().PaintHeaderCellEx(on.canvas, win::RECT{0, 0, 60, 20}, win::RECT{2, 2, 58, 18}, 0, clAllSides,
                                       c.state, clhaLeft, clvaCenter, false, false, "Name", nullptr, gui::clBlack,
                                       gui::clBtnFace, {}, c.lastItem, false);
        }
        ASSERT_EQ(theme.parts.size(), 1u);
        EXPECT_EQ(theme.parts[0].part, c.part) << std::string(c.scheme.begin(), c.scheme.end()) << " last "
                                               << c.lastItem << " state " << int(c.state);
        ASSERT_EQ(theme.texts.size(), 1u);
        EXPECT_EQ(theme.texts[0].part, c.part);
    }
    // Pressed, the text moves one pixel right and down.
    theme.texts.clear();
    testsupport::Surface surface(60, 20, 0);
    {
        controlstest::SurfaceCanvas on(surface);
        Themed().PaintHeaderCellEx(on.canvas, win::RECT{0, 0, 60, 20}, win::RECT{2, 2, 58, 18}, 0, clAllSides,
                                   cxbsPressed, clhaLeft, clvaCenter, false, false, "Name", nullptr, gui::clBlack,
                                   gui::clBtnFace, {}, false, false);
    }
    ASSERT_EQ(theme.texts.size(), 1u);
    EXPECT_EQ(theme.texts[0].rect.left, 3);
    EXPECT_EQ(theme.texts[0].rect.top, 3);
    EXPECT_EQ(theme.texts[0].state, 3);
}

TEST_F(ThemedPainterTest, TabsStripsAndNavigationButtons)
{
    const TclWinXPLookAndFeelPainter& p = Themed();
    struct Case {
        const char* name;
        std::function<void(TclCanvas&)> draw;
        Theme::PartCall part;
        win::RECT partRect;
        win::RECT textRect;  // left at -1: no text
    };
    const Case cases[] = {
        {"first horizontal tab, hot",
         [&](TclCanvas& c) {
             p.PaintTabItem(c, win::RECT{10, 5, 50, 25}, clSideLeft, "Tab", cxbsHot, false, nullptr, gui::clBlack,
                            gui::clBtnFace, true);
         },
         {u"Tab", 1, 2}, {10, 5, 52, 25}, {10, 5, 50, 25}},
        {"selected horizontal tab",
         [&](TclCanvas& c) {
             p.PaintTabItem(c, win::RECT{10, 5, 50, 25}, 0, "Tab", cxbsPressed, false, nullptr, gui::clBlack,
                            gui::clBtnFace, true);
         },
         {u"Tab", 1, 3}, {8, 5, 52, 25}, {10, 3, 50, 23}},
        {"vertical tab, drawn turned",
         [&](TclCanvas& c) {
             p.PaintTabItem(c, win::RECT{5, 10, 25, 50}, 0, "Tab", cxbsDisabled, true, nullptr, gui::clBlack,
                            gui::clBtnFace, true);
         },
         {u"Tab", 1, 4}, {0, 0, 44, 20}, {5, 10, 25, 50}},
        {"strip under top tabs",
         [&](TclCanvas& c) { p.PaintTabStrip(c, win::RECT{0, 30, 60, 34}, clSideTop, false); },
         {u"Tab", 9, 1}, {-2, 30, 64, 44}, {-1, 0, 0, 0}},
        {"next navigation button, hot",
         [&](TclCanvas& c) { p.PaintSchedulerNavButton(c, win::RECT{0, 0, 20, 40}, win::RECT{4, 15, 16, 25}, true,
                                                        cxbsHot); },
         {u"Tab", 1, 2}, {0, 0, 40, 20}, {-1, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        theme.parts.clear();
        theme.partRects.clear();
        theme.texts.clear();
        testsupport::Surface surface(70, 60, 0);
        {
            controlstest::SurfaceCanvas on(surface);
            c.draw(on.canvas);
        }
        ASSERT_EQ(theme.parts, Parts{c.part}) << c.name;
        EXPECT_EQ(theme.partRects[0], c.partRect) << c.name;
        if (c.textRect.left >= 0) {
            ASSERT_EQ(theme.texts.size(), 1u) << c.name;
            EXPECT_EQ(theme.texts[0].rect, c.textRect) << c.name;
            EXPECT_EQ(theme.texts[0].flags, win::DT_CENTER | win::DT_VCENTER | win::DT_SINGLELINE | win::DT_EDITCONTROL)
                << c.name;
        }
    }
    EXPECT_EQ(p.TabFrameWidth(false), 1);

    // Hits count inside the part's region only.
    EXPECT_TRUE(p.HitTestGroupExpandButton(win::RECT{0, 0, 17, 17}, win::POINT{8, 8}));
    EXPECT_FALSE(p.HitTestGroupExpandButton(win::RECT{0, 0, 17, 17}, win::POINT{1, 8}));

    // A splitter: its two long lines in the combo box's border colour, the background between them.
    testsupport::Surface splitter(30, 6, 0);
    {
        controlstest::SurfaceCanvas on(splitter);
        p.PaintSplitterFrame(on.canvas, win::RECT{0, 0, 30, 6}, TclBackground{nullptr, gui::clLime}, true);
    }
    EXPECT_EQ(win::GetPixel(splitter.DC(), 10, 0), win::RGB(1, 2, 3));
    EXPECT_EQ(win::GetPixel(splitter.DC(), 10, 5), win::RGB(1, 2, 3));
    EXPECT_EQ(win::GetPixel(splitter.DC(), 10, 2), gui::ColorToRGB(gui::clLime));
}

TEST_F(ThemedPainterTest, NativeStyleChoosesTheThemedPainter)
{
    TclLookAndFeel look(nullptr);
    look.SetNativeStyle(true);
    EXPECT_EQ(look.GetActivePainter(), TclWinXPLookAndFeelPainter::Class());
    EXPECT_EQ(look.PainterForThemedType(totScrollBar), TclWinXPLookAndFeelPainter::Class());
    look.SetNativeStyle(false);
    EXPECT_EQ(look.GetActivePainter(), TclUltraFlatLookAndFeelPainter::Class());
}

}  // namespace

namespace {

// Without a visual-styles library every themed operation draws as its fallback does.
class UnthemedPainterTest : public controlstest::ControlsTest {};

TEST_F(UnthemedPainterTest, EveryOperationDrawsAsItsFallback)
{
    using Draw = std::function<void(const TclCustomLookAndFeelPainter&, TclCanvas&)>;
    const win::RECT r{2, 2, 30, 20};
    struct Case {
        const char* name;
        Draw draw;
        // The painter that draws the same without a theme.
        TclCustomLookAndFeelPainterClass fallback;
    };
    const TclCustomLookAndFeelPainterClass standard = TclStandardLookAndFeelPainter::Class();
    const Case cases[] = {
        {"scroll thumb", [&](auto& p, auto& c) { p.PaintScrollBarPart(c, false, r, clsbpThumb, cxbsHot); }, standard},
        {"scroll arrow", [&](auto& p, auto& c) { p.PaintScrollBarPart(c, true, r, clsbpSecondButton, cxbsPressed); },
         standard},
        {"scroll page", [&](auto& p, auto& c) { p.PaintScrollBarPart(c, true, r, clsbpFirstPage, cxbsNormal); },
         standard},
        {"arrow button", [&](auto& p, auto& c) { p.PaintScrollArrowButton(c, r, cxbsHot, cladUp, true); }, standard},
        {"arrow face", [&](auto& p, auto& c) { p.PaintArrowButtonFace(c, r, cxbsPressed); }, standard},
        {"push button", [&](auto& p, auto& c) { p.PaintButton(c, r, "OK", cxbsDefault); }, standard},
        {"border", [&](auto& p, auto& c) { p.PaintBorder(c, r); }, standard},
        {"expand button", [&](auto& p, auto& c) { p.PaintExpandButton(c, r, true, gui::clRed); }, standard},
        {"group expand button", [&](auto& p, auto& c) { p.PaintGroupExpandButton(c, r, false, cxbsHot); }, standard},
        {"small expand button",
         [&](auto& p, auto& c) { p.PaintSmallExpandButton(c, win::RECT{2, 2, 11, 11}, true, gui::clRed); }, standard},
        {"check box", [&](auto& p, auto& c) { p.PaintCheckBox(c, win::RECT{2, 2, 15, 15}, cxbsNormal, clcbsChecked); },
         standard},
        {"header cell", [&](auto& p, auto& c) {
             p.PaintHeaderCellEx(c, r, r, 0, clAllSides, cxbsPressed, clhaLeft, clvaCenter, false, false, "Name",
                                 nullptr, gui::clBlack, gui::clBtnFace, {}, true, false);
         },
         standard},
        {"header section", [&](auto& p, auto& c) {
             p.PaintHeaderSection(c, r, r, 0, clAllSides, cxbsNormal, clhaLeft, clvaCenter, false, false, "Name",
                                  nullptr, gui::clBlack, gui::clBtnFace);
         },
         standard},
        {"footer frame", [&](auto& p, auto& c) { p.PaintFooterFrame(c, r); }, standard},
        {"footer cell", [&](auto& p, auto& c) {
             p.PaintFooterCell(c, r, clhaLeft, clvaCenter, false, "Sum", nullptr, gui::clBlack, gui::clWindow, {});
         },
         standard},
        {"filter dismiss button", [&](auto& p, auto& c) { p.PaintFilterDismissButton(c, r, cxbsHot); }, standard},
        {"filter drop button", [&](auto& p, auto& c) { p.PaintFilterDropButton(c, r, cxbsNormal, true); }, standard},
        {"tab frame", [&](auto& p, auto& c) { p.PaintTabFrame(c, r, 1, clAllSides, false); }, standard},
        {"size grip", [&](auto& p, auto& c) { p.PaintSizeGripBox(c, r, gui::clBtnFace); }, standard},
        {"progress", [&](auto& p, auto& c) {
             p.PaintProgressGauge(c, r, win::RECT{3, 3, 12, 19}, TclBackground{nullptr, gui::clWindow}, false);
         },
         standard},
        {"navigator button", [&](auto& p, auto& c) { p.PaintNavigatorToolButton(c, r, cxbsHot); }, standard},
        {"radio button", [&](auto& p, auto& c) { p.PaintRadioButton(c, 2, 2, cxbsHot, true, false); }, standard},
        {"tab strip", [&](auto& p, auto& c) { p.PaintTabStrip(c, r, clSideTop | clSideLeft, false); }, standard},
        {"navigation button",
         [&](auto& p, auto& c) { p.PaintSchedulerNavButton(c, r, win::RECT{8, 6, 20, 16}, false, cxbsPressed); },
         standard},
        {"splitter", [&](auto& p, auto& c) { p.PaintSplitterFrame(c, r, TclBackground{nullptr, gui::clLime}, false); },
         standard},
        {"sort mark", [&](auto& p, auto& c) { p.PaintSortMark(c, r, false); }, TclUltraFlatLookAndFeelPainter::Class()},
        {"indicator row cell",
         [&](auto& p, auto& c) { p.PaintIndicatorRowCell(c, r, 1, gui::clBtnFace, {}); },
         TclFlatLookAndFeelPainter::Class()},
    };
    const TclCustomLookAndFeelPainter& themed = *TclWinXPLookAndFeelPainter::Class();
    for (const Case& c : cases) {
        testsupport::Surface mine(40, 30, win::RGB(1, 2, 3));
        testsupport::Surface theirs(40, 30, win::RGB(1, 2, 3));
        {
            controlstest::SurfaceCanvas on(mine);
            c.draw(themed, on.canvas);
        }
        {
            controlstest::SurfaceCanvas on(theirs);
            c.draw(*c.fallback, on.canvas);
        }
        std::string where;
        EXPECT_EQ(mine.Differences(theirs, &where), 0) << c.name << " " << where;
        EXPECT_GT(mine.Painted(win::RGB(1, 2, 3)), 0) << c.name << " draws something";
    }
    // The answers of the fallback column.
    struct Answer {
        const char* name;
        int value;
        int expected;
    };
    win::POINT sortMark{};
    themed.SortMarkExtent(sortMark);
    win::RECT progress{};
    themed.EventProgressMargins(progress);
    const Answer answers[] = {
        {"frame width of a pressed button", themed.ButtonFrameWidth(cxbsPressed), 2},
        {"expand button", themed.ExpandButtonExtent(), 12},
        {"group expand button", themed.GroupExpandButtonExtent(), 15},
        {"small expand button", themed.SmallExpandButtonExtent(), 9},
        {"check frame", themed.CheckFrameWidth(), 2},
        {"header frame", themed.HeaderFrameWidth(), 1},
        {"least thumb", themed.ScrollThumbMinExtent(true), 8},
        {"text indent", themed.ButtonTextIndent(), 2},
        {"pressed shift", themed.ButtonPressedShift(), 0},
        {"hot buttons", themed.HasHotButtons(), 1},
        {"paints tabs", themed.CanPaintTab(false), 0},
        {"hot tabs", themed.HasHotTabs(true), 0},
        {"tab frame", themed.TabFrameWidth(false), 1},
        {"tinted content", int(win::COLORREF(themed.TintedContentColor())), int(win::RGB(255, 255, 213))},
        {"sort mark width", sortMark.x, 7},
        {"progress margin", progress.left, 3},
    };
    for (const Answer& a : answers)
        EXPECT_EQ(a.value, a.expected) << a.name;
    EXPECT_FALSE(themed.HitTestGroupExpandButton(win::RECT{0, 0, 10, 10}, win::POINT{20, 20}));
    EXPECT_TRUE(themed.HitTestGroupExpandButton(win::RECT{0, 0, 10, 10}, win::POINT{5, 5}));
}

}  // namespace
