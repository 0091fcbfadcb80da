// The tab sheets: what they copy to their tabs, their background drawn by the page control's painter in
// its own coordinates, the native branch and the border, and the page control taking the focus on a
// click only over the active page's tab.

#include "tests/controls/pagecontrol/PageFixture.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gui/controls/Edit.h"
#include "platform/gui/core/Messages.h"
#include "platform/gui/graphics/ImageList.h"
#include "platform/win/Paint.h"
#include "platform/win/Window.h"

#include <string>
#include <vector>

namespace pctest {
namespace {

using namespace pagecontrol;

// What the background painter saw.
struct BackgroundLog {
    bool native = false;
    int calls = 0;
    int nativeCalls = 0;
    win::POINT origin{};
    int lockCount = 0;
    win::HDC dc = nullptr;
    gui::TControl* nativePage = nullptr;
};
BackgroundLog* gBackground = nullptr;

// The fixed test tabs, noting each page background it draws; natively it fills with lime.
class BackgroundPainter : public TestPainter {
public:
    using TestPainter::TestPainter;
    void DrawPageBackground() override
    {
        ++gBackground->calls;
        gBackground->origin = Canvas().QueryWindowOrigin();
        gBackground->lockCount = Canvas().Canvas()->LockCount();
        gBackground->dc = Canvas().Canvas()->Handle();
        TestPainter::DrawPageBackground();
    }
    bool IsNativePainting() override { return gBackground->native; }
    void DrawNativePageBackground(win::HDC dc, gui::TControl* page) override
    {
        ++gBackground->nativeCalls;
        gBackground->nativePage = page;
        win::RECT box{};
        win::GetClipBox(dc, &box);
        win::HBRUSH brush = win::CreateSolidBrush(gui::ColorToRGB(gui::clLime));
        win::FillRect(dc, &box, brush);
        win::DeleteObject(brush);
    }
};

class BackgroundPainterClass : public TestPainterClass {
public:
    BackgroundPainterClass() : TestPainterClass(StyleTraits{101, "Background"}) {}
    std::unique_ptr<TclPCCustomPainter> Create(TclCustomTabControl* control) const override
    {
        return std::make_unique<BackgroundPainter>(control, this);
    }
};

class PageSheetTest : public PageTest {
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        gBackground = &background;
        Register(backgroundStyle);
    }
    void TearDown() override
    {
        PageTest::TearDown();
        gBackground = nullptr;
    }
    // Three sheets drawn by the background painter, the second active in yellow.
    TclPageControl* MakeColoured()
    {
        TclPageControl* control = MakePages();
        control->SetStyle(backgroundStyle.GetStyleID());
        control->SetActivePageIndex(1);
        control->Pages(1)->SetColor(gui::clYellow);
        driver.Pump();
        return control;
    }
    static win::LRESULT Erase(gui::TControl* sheet, win::HDC wParamDc, win::HDC lParamDc)
    {
        return sheet->Perform(win::WM_ERASEBKGND, reinterpret_cast<win::WPARAM>(wParamDc),
                              reinterpret_cast<win::LPARAM>(lParamDc));
    }

    BackgroundLog background;
    BackgroundPainterClass backgroundStyle;
};

TEST_F(PageSheetTest, TheSheetsStateIsCopiedToItsTab)
{
    TclPageControl* control = MakePages();
    TclTabSheet* sheet = control->Pages(2);
    TclTab* tab = sheet->Tab();
    ASSERT_EQ(tab, control->Tabs()->Tab(2));
    struct Case {
        const char* what;
        std::function<void()> change;
        std::function<bool()> copied;
    };
    const Case cases[] = {
        {"caption", [&] { sheet->SetCaption("Ohms Law"); }, [&] { return tab->Caption() == "Ohms Law"; }},
        {"enabled", [&] { sheet->SetEnabled(false); }, [&] { return !tab->Enabled(); }},
        {"image index", [&] { sheet->SetImageIndex(4); }, [&] { return tab->ImageIndex() == 4; }},
        {"highlighted", [&] { sheet->SetHighlighted(true); }, [&] { return tab->Highlighted(); }},
        {"tab visible", [&] { sheet->SetTabVisible(false); }, [&] { return !tab->Visible(); }},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(c.copied()) << c.what;
        c.change();
        EXPECT_TRUE(c.copied()) << c.what;
    }
    EXPECT_EQ(control->ActivePage(), control->Pages(0)) << "changes of another sheet keep the page";
}

TEST_F(PageSheetTest, ANewImageListTakesEachSheetsImageIndexAgain)
{
    TclPageControl* control = MakePages();
    control->Pages(1)->SetImageIndex(3);
    // Tabs changed behind the sheets' back.
    control->Tabs()->Tab(0)->SetImageIndex(7);
    control->Tabs()->Tab(1)->SetImageIndex(7);
    auto* images = new gui::TImageList(form);
    control->SetImages(images);
    EXPECT_EQ(control->Tabs()->Tab(0)->ImageIndex(), -1);
    EXPECT_EQ(control->Tabs()->Tab(1)->ImageIndex(), 3);
    EXPECT_EQ(control->Tabs()->Tab(2)->ImageIndex(), -1);
}

TEST_F(PageSheetTest, TheOnlySheetShowingItsTabAgainBecomesActive)
{
    TclPageControl* control = MakePages({"Horse Power"});
    TclTabSheet* sheet = control->Pages(0);
    log.Attach(control);
    sheet->SetTabVisible(false);
    EXPECT_EQ(control->ActivePage(), nullptr);
    EXPECT_EQ(control->TabIndex(), -1);
    sheet->SetTabVisible(true);
    EXPECT_EQ(control->ActivePage(), sheet);
    EXPECT_EQ(control->TabIndex(), 0);
    EXPECT_TRUE(sheet->Visible());
    EXPECT_EQ(log.entries, (std::vector<std::string>{"hide:Horse Power", "change:nil", "changing:Horse Power",
                                                     "show:Horse Power", "change:Horse Power"}));
}

TEST_F(PageSheetTest, TheBackgroundIsThePaintersPageAreaInThePageControlsCoordinates)
{
    TclPageControl* control = MakeColoured();
    TclTabSheet* sheet = control->Pages(1);
    ASSERT_GT(sheet->Top(), 0);
    sheet->Repaint();
    EXPECT_GT(background.calls, 0);
    EXPECT_EQ(background.origin, (win::POINT{sheet->Left(), sheet->Top()}));
    EXPECT_GT(background.lockCount, 0) << "the canvas is locked while it has the sheet's context";
    for (const win::POINT at : {win::POINT{0, 0}, win::POINT{5, 5}, win::POINT{sheet->Width() - 1, sheet->Height() - 1}}) {
        EXPECT_EQ(win::TestDriver::PixelAt(sheet->Handle(), at.x, at.y), gui::ColorToRGB(gui::clYellow))
            << at.x << "," << at.y;
    }

    // Everything lent is given back: the context's origin, the canvas and its lock.
    win::HDC memory = win::CreateCompatibleDC(nullptr);
    EXPECT_EQ(Erase(sheet, memory, memory), 1);
    EXPECT_EQ(background.dc, memory);
    win::POINT origin{-1, -1};
    win::GetWindowOrgEx(memory, &origin);
    EXPECT_EQ(origin, (win::POINT{0, 0}));
    EXPECT_EQ(control->Canvas()->LockCount(), 0);
    win::DeleteDC(memory);
}

TEST_F(PageSheetTest, DoubleBufferedOnlyTheBufferedEraseIsPainted)
{
    TclPageControl* control = MakeColoured();
    TclTabSheet* sheet = control->Pages(1);
    sheet->SetDoubleBuffered(true);
    win::HDC memory = win::CreateCompatibleDC(nullptr);
    background.calls = 0;
    EXPECT_EQ(Erase(sheet, memory, nullptr), 1) << "answered all the same";
    EXPECT_EQ(background.calls, 0);
    Erase(sheet, memory, memory);
    EXPECT_EQ(background.calls, 1);
    win::DeleteDC(memory);
}

TEST_F(PageSheetTest, ANativePainterDrawsTheBackgroundAndTheBorder)
{
    TclPageControl* control = MakeColoured();
    TclTabSheet* sheet = control->Pages(1);
    background.native = true;
    win::HDC memory = win::CreateCompatibleDC(nullptr);
    background.calls = 0;
    Erase(sheet, memory, memory);
    EXPECT_EQ(background.calls, 0);
    EXPECT_EQ(background.nativeCalls, 1);
    EXPECT_EQ(background.nativePage, sheet);
    win::DeleteDC(memory);

    sheet->SetBorderWidth(3);
    driver.Pump();
    control->Repaint();
    sheet->Repaint();
    EXPECT_EQ(sheet->ClientRect(), (win::RECT{0, 0, sheet->Width() - 6, sheet->Height() - 6}));
    const win::POINT origin{sheet->Left(), sheet->Top()};
    EXPECT_EQ(win::TestDriver::PixelAt(control->Handle(), origin.x + 1, origin.y + 1), gui::ColorToRGB(gui::clLime));
    EXPECT_EQ(win::TestDriver::PixelAt(control->Handle(), origin.x + sheet->Width() - 2, origin.y + 10),
              gui::ColorToRGB(gui::clLime));
}

TEST_F(PageSheetTest, WithoutNativePaintingTheBorderHasTheSheetsColour)
{
    TclPageControl* control = MakeColoured();
    TclTabSheet* sheet = control->Pages(1);
    sheet->SetBorderWidth(4);
    auto* edit = new gui::TEdit(form);
    edit->SetParent(sheet);
    edit->SetBounds(0, 0, 50, 20);
    driver.Pump();
    control->Repaint();
    sheet->Repaint();
    EXPECT_EQ(sheet->ClientWidth(), sheet->Width() - 8);
    const win::POINT origin{sheet->Left(), sheet->Top()};
    EXPECT_EQ(win::TestDriver::PixelAt(control->Handle(), origin.x + 2, origin.y + 2), gui::ColorToRGB(gui::clYellow));
    // The sheet's children start inside the border.
    const win::POINT editAt = control->ScreenToClient(edit->ClientToScreen({0, 0}));
    EXPECT_EQ(editAt.x, origin.x + 4 + (edit->Width() - edit->ClientWidth()) / 2);
    EXPECT_EQ(editAt.y, origin.y + 4 + (edit->Height() - edit->ClientHeight()) / 2);
    EXPECT_EQ(background.nativeCalls, 0);
}

TEST_F(PageSheetTest, AColourChangeOfASheetRepaintsItsTab)
{
    TclPageControl* control = MakeColoured();
    control->SetOptions(control->Options() | clPCOptionBit(pcoUsePageColorForTab));
    driver.Pump();
    TclTabSheet* sheet = control->Pages(2);
    const win::RECT tab = control->Tabs()->Tab(2)->VisibleRect();
    const win::POINT at{tab.left + 2, tab.top + 2};  // clear of the caption
    control->Repaint();
    sheet->SetColor(gui::clAqua);
    driver.Pump();
    EXPECT_EQ(win::TestDriver::PixelAt(control->Handle(), at.x, at.y), gui::ColorToRGB(gui::clAqua));
    sheet->SetColor(gui::clFuchsia);
    driver.Pump();
    EXPECT_EQ(win::TestDriver::PixelAt(control->Handle(), at.x, at.y), gui::ColorToRGB(gui::clFuchsia));
}

TEST_F(PageSheetTest, AClickTakesTheFocusOnlyOverTheActivePagesTab)
{
    TclPageControl* control = MakePages();
    auto* edit = new gui::TEdit(form);
    edit->SetParent(control->Pages(0));
    driver.Pump();
    log.Attach(control);
    log.allow = false;
    const win::RECT last = control->Tabs()->Tab(2)->VisibleRect();
    struct Case {
        const char* what;
        win::POINT at;
        bool takes;
    };
    const Case cases[] = {
        {"another page's tab", TabCenter(control, 1), false},
        {"beside the tabs", {last.right + 20, (last.top + last.bottom) / 2}, false},
        {"the active page's tab", TabCenter(control, 0), true},
    };
    for (const Case& c : cases) {
        edit->SetFocus();
        driver.Pump();
        driver.Click(control->Handle(), win::TestDriver::Button::Left, c.at.x, c.at.y);
        driver.Pump();
        EXPECT_EQ(control->Focused(), c.takes) << c.what;
        EXPECT_EQ(edit->Focused(), !c.takes) << c.what;
        EXPECT_EQ(control->ActivePage(), control->Pages(0)) << c.what;
    }
}

}  // namespace
}  // namespace pctest
