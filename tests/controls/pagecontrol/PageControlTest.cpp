// The page control: the order of its events on clicks and from code, refusals, the page by index, the
// focus moving with the page, hidden tabs and removed sheets, moving sheets, finding neighbours, and
// handlers that raise or free what the switch works on.

#include "tests/controls/pagecontrol/PageFixture.h"

#include "platform/gui/controls/Edit.h"
#include "platform/gui/core/Form.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/Input.h"

#include <string>
#include <vector>

namespace pctest {
namespace {

using Log = std::vector<std::string>;

TEST_F(PageTest, AClickOnATabAsksHidesShowsAndReportsInThatOrder)
{
    TclPageControl* control = MakePages();
    TclTabSheet* first = control->Pages(0);
    ASSERT_EQ(control->ActivePage(), first);
    log.Attach(control);
    ClickTab(control, 1);
    EXPECT_EQ(log.entries, (Log{"changing:Torque", "hide:Horse Power", "show:Torque", "change:Torque"}));
    EXPECT_EQ(Shown(control), (std::vector<std::string>{"Torque"}));
    EXPECT_EQ(control->TabIndex(), 1);

    log.entries.clear();
    log.allow = false;
    ClickTab(control, 2);
    EXPECT_EQ(log.entries, (Log{"changing:AC Motor"}));
    EXPECT_EQ(control->ActivePage(), control->Pages(1));
    EXPECT_EQ(Shown(control), (std::vector<std::string>{"Torque"}));
    EXPECT_EQ(control->TabIndex(), 1);
    // A key on the focused tabs goes the same road.
    log.entries.clear();
    log.allow = true;
    control->SetFocus();
    driver.Pump();
    Press(win::VK_LEFT);
    EXPECT_EQ(log.entries, (Log{"changing:Horse Power", "hide:Torque", "show:Horse Power", "change:Horse Power"}));
}

TEST_F(PageTest, SettingThePageByIndexFiresOneQuestionAndOneChange)
{
    struct Case {
        int index;
        Log expected;
        int activeIndex;
    };
    const Case cases[] = {
        {2, {"changing:AC Motor", "hide:Horse Power", "show:AC Motor", "change:AC Motor"}, 2},
        {-1, {"changing:nil", "hide:Horse Power", "change:nil"}, -1},
        {3, {"changing:nil", "hide:Horse Power", "change:nil"}, -1},
        {0, {}, 0},
    };
    for (const Case& c : cases) {
        TclPageControl* control = MakePages();
        log.entries.clear();
        log.Attach(control);
        control->SetActivePageIndex(c.index);
        EXPECT_EQ(log.entries, c.expected) << c.index;
        EXPECT_EQ(control->ActivePageIndex(), c.activeIndex) << c.index;
        EXPECT_EQ(control->TabIndex(), c.activeIndex) << c.index;
        EXPECT_EQ(Shown(control).size(), c.activeIndex == -1 ? 0u : 1u) << c.index;
        delete control;
    }
}

TEST_F(PageTest, AChangeHandlerMaySetThePageBack)
{
    // As the analysis window does when its data is incomplete: back to the first page.
    for (bool byClick : {true, false}) {
        TclPageControl* control = MakePages();
        log.entries.clear();
        log.Attach(control);
        log.actAt = "change:AC Motor";
        log.action = [&] { control->SetActivePageIndex(0); };
        if (byClick) {
            ClickTab(control, 2);
        } else {
            control->SetActivePageIndex(2);
        }
        const char* how = byClick ? "click" : "code";
        EXPECT_EQ(log.entries, (Log{"changing:AC Motor", "hide:Horse Power", "show:AC Motor", "change:AC Motor",
                                    "changing:Horse Power", "hide:AC Motor", "show:Horse Power", "change:Horse Power"}))
            << how;
        EXPECT_EQ(control->ActivePage(), control->Pages(0)) << how;
        EXPECT_EQ(control->TabIndex(), 0) << how;
        EXPECT_EQ(Shown(control), (std::vector<std::string>{"Horse Power"})) << how;
        delete control;
    }
}

TEST_F(PageTest, ThePageCountHoldsHiddenTabsAndAnEmptyControlHasNoActivePage)
{
    TclPageControl* control = MakePages();
    control->Pages(1)->SetTabVisible(false);
    EXPECT_EQ(control->PageCount(), 3);
    EXPECT_EQ(control->VisibleTabs().Count(), 2);

    TclPageControl* empty = MakePages({});
    EXPECT_EQ(empty->PageCount(), 0);
    EXPECT_EQ(empty->ActivePageIndex(), -1);
    EXPECT_EQ(empty->ActivePage(), nullptr);
    EXPECT_THROW(empty->Pages(0), rtl::EListError);
}

TEST_F(PageTest, TheFocusFollowsThePageOnlyWhenItWasInsideTheOldPage)
{
    TclPageControl* control = MakePages();
    auto* edit1 = new gui::TEdit(form);
    edit1->SetParent(control->Pages(0));
    auto* label = new gui::TEdit(form);  // no tab stop: skipped when the first child is chosen
    label->SetTabStop(false);
    label->SetParent(control->Pages(1));
    auto* edit2 = new gui::TEdit(form);
    edit2->SetParent(control->Pages(1));
    driver.Pump();
    edit1->SetFocus();
    driver.Pump();
    ASSERT_TRUE(edit1->Focused());

    Press(win::VK_TAB, {win::VK_CONTROL});
    EXPECT_EQ(control->ActivePage(), control->Pages(1));
    EXPECT_TRUE(edit2->Focused());
    EXPECT_EQ(form->ActiveControl(), edit2);

    control->SetFocus();
    driver.Pump();
    Press(win::VK_RIGHT);
    EXPECT_EQ(control->ActivePage(), control->Pages(2));
    EXPECT_TRUE(control->Focused()) << "the focus stays on the tabs";
}

TEST_F(PageTest, AFocusThatCannotLeaveTheOldPageSetsTheTabsBack)
{
    TclPageControl* control = MakePages();
    auto* edit = new gui::TEdit(form);
    edit->SetParent(control->Pages(0));
    driver.Pump();
    edit->SetFocus();
    driver.Pump();
    // The edit takes the focus back as soon as it loses it.
    struct Stubborn {
        gui::TEdit* edit;
        void Exit(classes::TObject*) { edit->SetFocus(); }
    } stubborn{edit};
    edit->OnExit = classes::TNotifyEvent::Of<&Stubborn::Exit>(&stubborn);
    log.Attach(control);
    ClickTab(control, 1);
    EXPECT_EQ(control->ActivePage(), control->Pages(0));
    EXPECT_EQ(control->TabIndex(), 0);
    EXPECT_EQ(Shown(control), (std::vector<std::string>{"Horse Power"}));
    EXPECT_TRUE(edit->Focused());
}

TEST_F(PageTest, HidingOrFreeingTheActiveSheetActivatesTheSheetThatTakesItsPlace)
{
    struct Case {
        const char* what;
        std::function<void(TclPageControl*)> act;
        int expectedActive;  // index among the original sheets, -1 none
    };
    std::vector<TclTabSheet*> original;
    const Case cases[] = {
        {"hiding the middle", [](TclPageControl* c) { c->SetActivePageIndex(1); c->Pages(1)->SetTabVisible(false); }, 2},
        {"hiding the last", [](TclPageControl* c) { c->SetActivePageIndex(2); c->Pages(2)->SetTabVisible(false); }, 1},
        {"freeing the first", [](TclPageControl* c) { delete c->Pages(0); }, 1},
        {"freeing the last", [](TclPageControl* c) { c->SetActivePageIndex(2); delete c->Pages(2); }, 1},
        {"hiding every tab",
         [](TclPageControl* c) {
             for (int i = 0; i < c->PageCount(); ++i) {
                 c->Pages(i)->SetTabVisible(false);
             }
         },
         -1},
        {"freeing an inactive sheet", [](TclPageControl* c) { c->SetActivePageIndex(2); delete c->Pages(0); }, 2},
    };
    for (const Case& c : cases) {
        TclPageControl* control = MakePages();
        original.assign({control->Pages(0), control->Pages(1), control->Pages(2)});
        c.act(control);
        TclTabSheet* expected = c.expectedActive == -1 ? nullptr : original[std::size_t(c.expectedActive)];
        EXPECT_EQ(control->ActivePage(), expected) << c.what;
        if (expected) {
            EXPECT_EQ(control->TabIndex(), expected->Tab()->Index()) << c.what;
            EXPECT_TRUE(expected->Visible()) << c.what;
        } else {
            EXPECT_EQ(control->TabIndex(), -1) << c.what;
        }
        EXPECT_EQ(Shown(control).size(), expected ? 1u : 0u) << c.what;
        delete control;
    }
}

TEST_F(PageTest, ARefusedNeighbourLeavesNoPageWhenTheActiveSheetGoes)
{
    TclPageControl* control = MakePages();
    log.Attach(control);
    log.allow = false;
    delete control->Pages(0);
    EXPECT_EQ(control->ActivePage(), nullptr);
    EXPECT_EQ(control->TabIndex(), -1);
    EXPECT_EQ(log.entries, (Log{"changing:Torque", "change:nil"}));
    EXPECT_EQ(control->PageCount(), 2);
    EXPECT_TRUE(Shown(control).empty());
}

TEST_F(PageTest, PageIndexMovesTheSheetAndItsTabOrRefusesAnIndexOutOfRange)
{
    TclPageControl* control = MakePages();
    TclTabSheet* third = control->Pages(2);
    control->SetActivePageIndex(1);
    TclTabSheet* active = control->ActivePage();
    try {
        third->SetPageIndex(5);
        ADD_FAILURE() << "no error";
    } catch (const rtl::EListError& error) {
        EXPECT_EQ(error.Message(), "5 is an invalid PageIndex value.  PageIndex must be between 0 and 2");
    }
    EXPECT_EQ(third->PageIndex(), 2);
    EXPECT_THROW(third->SetPageIndex(-1), rtl::EListError);

    third->SetPageIndex(0);
    EXPECT_EQ(control->Pages(0), third);
    EXPECT_EQ(control->Tabs()->Tab(0)->Caption(), "AC Motor");
    EXPECT_EQ(control->Tabs()->Tab(1)->Caption(), "Horse Power");
    EXPECT_EQ(control->ActivePage(), active);
    EXPECT_EQ(control->ActivePageIndex(), 2);
    EXPECT_EQ(control->TabIndex(), 2);
}

TEST_F(PageTest, AnActiveSheetMovedToAnotherPageControlIsHiddenThere)
{
    TclPageControl* from = MakePages();
    TclPageControl* to = MakePages({"Ohms Law", "Power AC"});
    TclTabSheet* moved = from->Pages(0);
    moved->SetPageControl(to);
    EXPECT_EQ(from->ActivePage(), from->Pages(0));
    EXPECT_EQ(from->ActivePage()->Caption(), "Torque");
    EXPECT_EQ(Shown(from), (std::vector<std::string>{"Torque"}));
    EXPECT_EQ(to->PageCount(), 3);
    EXPECT_EQ(moved->PageIndex(), 2);
    EXPECT_EQ(to->Tabs()->Tab(2)->Caption(), "Horse Power");
    EXPECT_EQ(Shown(to), (std::vector<std::string>{"Ohms Law"}));
    to->SetActivePage(moved);
    EXPECT_EQ(Shown(to), (std::vector<std::string>{"Horse Power"}));
}

TEST_F(PageTest, NeighboursAreFoundWithAndWithoutWrapAndTheVisibilityCheck)
{
    TclPageControl* control = MakePages();
    TclTabSheet* s1 = control->Pages(0);
    TclTabSheet* s2 = control->Pages(1);
    TclTabSheet* s3 = control->Pages(2);
    struct Case {
        TclTabSheet* from;
        bool forward;
        bool wrap;
        bool check;
        TclTabSheet* expected;
    };
    const Case plain[] = {
        {s3, true, true, false, s1},  {s3, true, false, false, nullptr}, {s1, false, true, false, s3},
        {s1, false, false, false, nullptr}, {s2, true, false, false, s3}, {nullptr, true, false, false, s1},
        {nullptr, false, false, false, s3},
    };
    for (const Case& c : plain) {
        EXPECT_EQ(control->FindNeighbourPage(c.from, c.forward, c.wrap, c.check), c.expected)
            << PageLog::NameOf(c.from) << " " << c.forward << c.wrap;
    }
    s2->SetEnabled(false);
    EXPECT_EQ(control->FindNeighbourPage(s1, true, false, true), s3);
    EXPECT_EQ(control->FindNeighbourPage(s1, true, false, false), s2);
    s3->SetTabVisible(false);
    EXPECT_EQ(control->FindNeighbourPage(s1, true, true, true), s1) << "a full cycle comes back";
    s1->SetTabVisible(false);
    EXPECT_EQ(control->FindNeighbourPage(s1, true, true, true), nullptr);
    EXPECT_EQ(MakePages({})->FindNeighbourPage(nullptr, true, true, false), nullptr);
}

TEST_F(PageTest, SelectingTheNeighbourWrapsAndSkipsDisabledPagesWhenAsked)
{
    struct Case {
        bool forward;
        bool check;
        const char* expected;
    };
    const Case cases[] = {
        {true, false, "Torque"},
        {true, true, "AC Motor"},
        {false, true, "AC Motor"},
        {false, false, "AC Motor"},
    };
    for (const Case& c : cases) {
        TclPageControl* control = MakePages();
        control->Pages(1)->SetEnabled(false);
        log.entries.clear();
        log.Attach(control);
        control->SelectNeighbourPage(c.forward, c.check);
        EXPECT_EQ(control->ActivePage()->Caption(), c.expected) << c.forward << c.check;
        EXPECT_EQ(log.entries.front(), std::string("changing:") + c.expected);
        EXPECT_EQ(log.entries.back(), std::string("change:") + c.expected);
        delete control;
    }
    TclPageControl* single = MakePages({"Horse Power"});
    log.entries.clear();
    log.Attach(single);
    single->SelectNeighbourPage(true, true);
    EXPECT_TRUE(log.entries.empty()) << "the only page is its own neighbour";
}

TEST_F(PageTest, ARaisingShowHandlerReachesTheApplicationAndTheSwitchCompletes)
{
    TclPageControl* control = MakePages();
    struct Catcher {
        std::vector<std::string> messages;
        void Caught(classes::TObject*, const std::exception& error) { messages.push_back(error.what()); }
    } catcher;
    gui::Application()->OnException = gui::TExceptionEvent::Of<&Catcher::Caught>(&catcher);
    log.Attach(control);
    log.actAt = "show:Torque";
    log.action = [] { throw rtl::Exception("show failed"); };
    ClickTab(control, 1);
    gui::Application()->OnException = nullptr;
    EXPECT_EQ(catcher.messages, (std::vector<std::string>{"show failed"}));
    EXPECT_EQ(control->ActivePage(), control->Pages(1));
    EXPECT_EQ(log.entries.back(), "change:Torque");
    EXPECT_EQ(Shown(control), (std::vector<std::string>{"Torque"}));
}

TEST_F(PageTest, AHandlerFreeingTheControlOrTheActiveSheetEndsTheSwitch)
{
    const char* events[] = {"changing", "hide", "show", "change"};
    for (bool byClick : {true, false}) {
        for (const char* event : events) {
            for (bool freeControl : {true, false}) {
                const std::string what =
                    std::string(event) + (freeControl ? " frees the control" : " frees the sheet") + (byClick ? " (click)" : " (code)");
                TclPageControl* control = MakePages();
                log.entries.clear();
                log.Attach(control);
                log.actAt = event;
                TclTabSheet* victim = control->Pages(0);
                log.action = [&] {
                    if (freeControl) {
                        delete control;
                        control = nullptr;
                    } else {
                        delete victim;
                        victim = nullptr;
                    }
                };
                if (byClick) {
                    ClickTab(control, 1);
                } else {
                    control->SetActivePageIndex(1);
                }
                driver.Pump();
                EXPECT_EQ(log.action, nullptr) << what << ": the handler ran";
                if (control) {
                    EXPECT_EQ(control->PageCount(), 2) << what;
                    EXPECT_TRUE(control->ActivePage() == nullptr || control->ActivePage()->Visible()) << what;
                    EXPECT_EQ(control->TabIndex(), control->ActivePageIndex()) << what;
                    EXPECT_LE(Shown(control).size(), 1u) << what;
                    delete control;
                }
                log.action = nullptr;
            }
        }
    }
}

TEST_F(PageTest, TheCloseButtonAsksAndFreesTheActiveSheetOrEndsWithTheControl)
{
    for (bool freeControl : {false, true}) {
        TclPageControl* control = MakePages();
        control->SetOptions(control->Options() | pagecontrol::clPCOptionBit(pagecontrol::pcoCloseButton));
        driver.Pump();
        const win::RECT button =
            static_cast<pagecontrol::TclPCStandardPainter*>(control->Painter())->NavigatorButtonBounds(pagecontrol::nbClose);
        ASSERT_LT(button.left, button.right);
        log.entries.clear();
        log.Attach(control);
        if (freeControl) {
            log.actAt = "canclose";
            log.action = [&] { delete control; control = nullptr; };
        }
        driver.Click(form->Handle(), win::TestDriver::Button::Left, control->Left() + (button.left + button.right) / 2,
                     control->Top() + (button.top + button.bottom) / 2);
        driver.Pump();
        if (freeControl) {
            EXPECT_EQ(control, nullptr);
            EXPECT_EQ(log.entries, (Log{"canclose"}));
            continue;
        }
        EXPECT_EQ(log.entries, (Log{"canclose", "changing:Torque", "show:Torque", "change:Torque"}));
        EXPECT_EQ(control->PageCount(), 2);
        EXPECT_EQ(control->ActivePage()->Caption(), "Torque");
        delete control;
    }
}

TEST_F(PageTest, ClosingTheActiveTabFreesItsSheet)
{
    TclPageControl* control = MakePages();
    int freed = 0;
    struct Watch : classes::TComponent {
        int& count;
        Watch(int& c) : TComponent(nullptr), count(c) {}
        void Notification(classes::TComponent*, classes::TOperation operation) override
        {
            count += operation == classes::TOperation::Remove;
        }
    } watch(freed);
    control->Pages(0)->FreeNotification(&watch);
    control->CloseActiveTab();
    EXPECT_EQ(freed, 1);
    EXPECT_EQ(control->PageCount(), 2);
    EXPECT_EQ(control->ActivePage(), control->Pages(0));
    EXPECT_EQ(control->ActivePage()->Caption(), "Torque");
}

TEST_F(PageTest, AWindowIsTornDownCleanlyWhicheverOfControlAndSheetsGoesFirst)
{
    for (bool sheetsFirst : {true, false}) {
        auto* window = new gui::TForm(nullptr);
        window->SetBounds(0, 0, 300, 200);
        std::vector<TclTabSheet*> sheets;
        auto makeSheets = [&] {
            for (const char* caption : {"Horse Power", "Torque"}) {
                sheets.push_back(new TclTabSheet(window));
                sheets.back()->SetCaption(caption);
            }
        };
        if (sheetsFirst) {
            makeSheets();
        }
        auto* control = new TclPageControl(window);
        control->SetParent(window);
        control->SetAlign(gui::alClient);
        if (!sheetsFirst) {
            makeSheets();
        }
        for (TclTabSheet* sheet : sheets) {
            sheet->SetPageControl(control);
        }
        auto* edit = new gui::TEdit(window);
        edit->SetParent(sheets[0]);
        window->Show();
        driver.Pump();
        edit->SetFocus();
        driver.Pump();
        log.entries.clear();
        log.Attach(control);
        delete window;
        driver.Pump();
        EXPECT_TRUE(log.entries.empty()) << (sheetsFirst ? "sheets first" : "control first");
    }
}

// The program's look: slanted tabs 35 high and 100 wide.
class SlantedPageTest : public PageTest {
protected:
    bool KeepsBuiltInStyles() const override { return true; }
};

TEST_F(SlantedPageTest, AClickOnTheOverlapOfTwoSlantedTabsShowsTheFirstSheet)
{
    TclPageControl* control = MakePages();
    control->SetStyle(9);
    control->SetTabHeight(35);
    control->SetTabWidth(100);
    control->SetActivePageIndex(2);
    driver.Pump();
    for (int i = 0; i < control->PageCount(); ++i) {
        TclTabSheet* sheet = control->Pages(i);
        EXPECT_EQ((win::RECT{sheet->Left(), sheet->Top(), sheet->Left() + sheet->Width(), sheet->Top() + sheet->Height()}),
                  (win::RECT{0, 36, 400, 300}))
            << i;
    }
    log.Attach(control);
    driver.Click(control->Handle(), win::TestDriver::Button::Left, 95, 30);
    driver.Pump();
    EXPECT_EQ(control->ActivePage(), control->Pages(0));
    EXPECT_EQ(Shown(control), (std::vector<std::string>{"Horse Power"}));
    EXPECT_EQ(log.entries, (Log{"changing:Horse Power", "hide:AC Motor", "show:Horse Power", "change:Horse Power"}));
}

TEST_F(SlantedPageTest, WithTheFrameShownTheSheetsLieInsideIt)
{
    TclPageControl* control = MakePages();
    control->SetStyle(9);
    control->SetTabHeight(35);
    control->SetTabWidth(100);
    control->SetShowFrame(true);
    driver.Pump();
    for (int i = 0; i < control->PageCount(); ++i) {
        TclTabSheet* sheet = control->Pages(i);
        EXPECT_EQ((win::RECT{sheet->Left(), sheet->Top(), sheet->Left() + sheet->Width(), sheet->Top() + sheet->Height()}),
                  (win::RECT{1, 36, 399, 299}))
            << i;
    }
    control->Repaint();
    control->ActivePage()->Repaint();
    for (const win::POINT at : {win::POINT{0, 200}, win::POINT{399, 200}, win::POINT{200, 299}}) {
        EXPECT_EQ(win::TestDriver::PixelAt(control->Handle(), at.x, at.y), gui::ColorToRGB(gui::clBtnShadow))
            << at.x << "," << at.y;
    }
}

TEST_F(SlantedPageTest, AnEmptyPageControlPaintsOnlyItsBackground)
{
    TclPageControl* control = MakePages({});
    control->SetStyle(9);
    control->SetTabHeight(35);
    driver.Pump();
    control->Repaint();
    EXPECT_EQ(control->ActivePageIndex(), -1);
    for (const win::POINT at : {win::POINT{0, 0}, win::POINT{5, 35}, win::POINT{200, 150}, win::POINT{399, 299}}) {
        EXPECT_EQ(win::TestDriver::PixelAt(control->Handle(), at.x, at.y), gui::ColorToRGB(gui::clBtnFace))
            << at.x << "," << at.y;
    }
}

}  // namespace
}  // namespace pctest
