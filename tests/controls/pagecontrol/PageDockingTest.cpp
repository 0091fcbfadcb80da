// The page control as a dock site: a docked form gets an active sheet of its own whose tab follows the
// form's text and visibility, and leaving frees the sheet; a docked control docks only once.

#include "tests/controls/pagecontrol/PageFixture.h"

#include "platform/gui/core/Drag.h"
#include "platform/gui/core/Form.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"

#include <string>

namespace pctest {
namespace {

class PageDockingTest : public PageTest {
protected:
    // A page control taking docked windows, and a window "Notes" docked into it.
    TclPageControl* MakeSiteWithNotes()
    {
        TclPageControl* control = MakePages();
        control->SetDockSite(true);
        notes = new gui::TForm(nullptr);
        notes->SetCaption("Notes");
        notes->SetBounds(500, 100, 200, 150);
        notes->Show();
        driver.Pump();
        notes->ManualDock(control);
        driver.Pump();
        return control;
    }
    void TearDown() override
    {
        delete notes;
        PageTest::TearDown();
    }

    gui::TForm* notes = nullptr;
};

TEST_F(PageDockingTest, ADockedFormGetsAnActiveSheetNamedAfterItsFirstLine)
{
    TclPageControl* control = MakeSiteWithNotes();
    ASSERT_EQ(control->PageCount(), 4);
    TclTabSheet* sheet = control->Pages(3);
    EXPECT_EQ(sheet->Caption(), "Notes");
    EXPECT_EQ(control->Tabs()->Tab(3)->Caption(), "Notes");
    EXPECT_EQ(control->ActivePage(), sheet);
    EXPECT_EQ(control->TabIndex(), 3);
    EXPECT_EQ(notes->Parent(), sheet);
    EXPECT_EQ(notes->HostDockSite(), control);
    EXPECT_EQ(notes->Align(), gui::alClient);

    notes->SetCaption("Notes 2\r\nx");
    EXPECT_EQ(sheet->Caption(), "Notes 2");
    EXPECT_EQ(control->Tabs()->Tab(3)->Caption(), "Notes 2");

    notes->Hide();
    EXPECT_FALSE(sheet->TabVisible());
    EXPECT_FALSE(control->Tabs()->Tab(3)->Visible());
    EXPECT_NE(control->ActivePage(), sheet) << "a hidden tab is never current";
    notes->Show();
    EXPECT_TRUE(sheet->TabVisible());
}

TEST_F(PageDockingTest, FloatingTheDockedFormFreesItsSheetAndActivatesTheNextPage)
{
    TclPageControl* control = MakeSiteWithNotes();
    TclTabSheet* first = control->Pages(0);
    ASSERT_TRUE(notes->ManualFloat({500, 100, 700, 250}));
    driver.Pump();
    EXPECT_EQ(control->PageCount(), 3);
    EXPECT_EQ(control->ActivePage(), first) << "the next page, wrapping past the end";
    EXPECT_EQ(notes->Parent(), nullptr);
    EXPECT_EQ(notes->HostDockSite(), nullptr);
    EXPECT_EQ(notes->Align(), gui::alNone);
    EXPECT_EQ(Shown(control), (std::vector<std::string>{"Horse Power"}));
}

TEST_F(PageDockingTest, AControlDocksOnlyOnceAndTheWholeWindowIsOffered)
{
    TclPageControl* control = MakeSiteWithNotes();
    win::RECT influence{};
    bool canDock = true;
    control->GetSiteInfo(notes, influence, {0, 0}, canDock);
    EXPECT_FALSE(canDock) << "already docked in a page";
    win::RECT window{};
    win::GetWindowRect(control->Handle(), &window);
    EXPECT_EQ(influence, window);

    auto* other = new gui::TForm(nullptr);
    canDock = false;
    control->GetSiteInfo(other, influence, {0, 0}, canDock);
    EXPECT_TRUE(canDock);
    gui::TDragDockObject dock(other);
    bool accept = true;
    control->DockOver(&dock, 10, 10, gui::dsDragMove, accept);
    EXPECT_EQ(dock.DockRect(), window);
    delete other;
}

TEST_F(PageDockingTest, FreeingTheDockSiteOrTheDockedFormInEitherOrderIsClean)
{
    for (bool siteFirst : {true, false}) {
        TclPageControl* control = MakeSiteWithNotes();
        if (siteFirst) {
            delete control;
            delete notes;
        } else {
            delete notes;
            EXPECT_EQ(control->PageCount(), 4) << "the sheet stays until the form leaves by docking";
            delete control;
        }
        notes = nullptr;
    }
}

TEST_F(PageDockingTest, PressingADockedPagesTabDragsItsControlAndADoubleClickFloatsIt)
{
    TclPageControl* control = MakeSiteWithNotes();
    const win::POINT notesTab = TabCenter(control, 3);
    const win::POINT firstTab = TabCenter(control, 0);
    driver.MouseDown(control->Handle(), win::TestDriver::Button::Left, firstTab.x, firstTab.y);
    driver.Pump();
    EXPECT_FALSE(notes->Dragging()) << "a page without a docked control";
    driver.MouseUp(control->Handle(), win::TestDriver::Button::Left, firstTab.x, firstTab.y);
    driver.Pump();
    driver.MouseDown(control->Handle(), win::TestDriver::Button::Left, notesTab.x, notesTab.y);
    driver.Pump();
    EXPECT_TRUE(notes->Dragging());
    driver.MouseUp(control->Handle(), win::TestDriver::Button::Left, notesTab.x, notesTab.y);
    driver.Pump();
    EXPECT_FALSE(notes->Dragging());
    EXPECT_EQ(notes->HostDockSite(), control) << "a click without a move leaves it docked";

    driver.Click(control->Handle(), win::TestDriver::Button::Left, notesTab.x, notesTab.y);
    driver.Click(control->Handle(), win::TestDriver::Button::Left, notesTab.x, notesTab.y);
    driver.Pump();
    EXPECT_EQ(notes->HostDockSite(), nullptr);
    EXPECT_EQ(notes->Parent(), nullptr);
    EXPECT_EQ(control->PageCount(), 3);
}

TEST_F(PageDockingTest, AFreedDockSheetLeavesItsFormFreeToFloat)
{
    TclPageControl* control = MakeSiteWithNotes();
    delete control->Pages(3);
    EXPECT_EQ(control->PageCount(), 3);
    EXPECT_EQ(control->ActivePage(), control->Pages(2)) << "the page before the last";
    EXPECT_EQ(notes->Parent(), nullptr);
    ASSERT_TRUE(notes->ManualFloat({500, 100, 700, 250}));
    driver.Pump();
    EXPECT_EQ(control->PageCount(), 3);
    EXPECT_EQ(notes->HostDockSite(), nullptr);
    EXPECT_EQ(control->ActivePage(), control->Pages(2)) << "no other sheet goes with the form";
}

}  // namespace
}  // namespace pctest
