// The themed painter with a visual-styles library of the test's own: metrics read from the theme classes
// (content rects of 100 x 100, part sizes, colours), themed text flags, and the look-and-feel choosing
// the themed painter for the native style.

#include "controls/clLookAndFeels.h"

#include "platform/text/DrawText.h"
#include "tests/controls/ControlsFixture.h"
#include "tests/support/DrawingSurface.h"

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
        {u"Button", {3, 3, 4, 5}}, {u"Header", {2, 4, 2, 2}}, {u"TrackBar", {5, 1, 1, 1}}};
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
