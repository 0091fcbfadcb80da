// The tab control: keys, accelerators, the mouse in plain, pressed-tab and multi-select styles, change
// events and their refusal, choosing the painter, rotation, loading, closing a tab, hot tracking and
// owner drawing.

#include "controls/pagecontrol/clPCPainters.h"
#include "tests/controls/pagecontrol/TabFixture.h"

#include "controls/clLookAndFeels.h"
#include "platform/gui/core/Messages.h"
#include "platform/win/Input.h"

#include <algorithm>
#include <string>
#include <vector>

namespace pctest {
namespace {

using namespace pagecontrol;

// Notes the change events in order; refuses changes while told.
struct Recorder {
    std::vector<std::string> log;
    bool allow = true;
    bool canClose = true;
    TclCustomTabControl* freeOn = nullptr;
    std::string freeAt;

    void Changing(classes::TObject*, bool& allowChange)
    {
        log.push_back("changing");
        allowChange = allow;
        FreeIf("changing");
    }
    void Change(classes::TObject*)
    {
        log.push_back("change");
        FreeIf("change");
    }
    void CanClose(classes::TObject*, bool& value)
    {
        log.push_back("canclose");
        value = canClose;
        FreeIf("canclose");
    }
    void FreeIf(const std::string& at)
    {
        if (freeOn && freeAt == at) {
            TclCustomTabControl* control = freeOn;
            freeOn = nullptr;
            delete control;
        }
    }
    void Attach(TclCustomTabControl* control)
    {
        control->OnChanging = TclTabChangingEvent::Of<&Recorder::Changing>(this);
        control->OnChange = classes::TNotifyEvent::Of<&Recorder::Change>(this);
        control->OnCanClose = TclPCCanCloseEvent::Of<&Recorder::CanClose>(this);
    }
};

class TabControlTest : public TabTest {
protected:
    TclCustomTabControl* MakeFive(TclTabPosition position = tpTop)
    {
        Fixed({{"A", 60}, {"B", 60}, {"C", 60}, {"D", 60}, {"E", 60}});
        TclCustomTabControl* control = Make(position == tpTop ? 400 : 200, position == tpTop ? 200 : 400,
                                            {"A", "B", "C", "D", "E"});
        control->SetTabPosition(position);
        return control;
    }
    void Focus(gui::TWinControl* control)
    {
        control->SetFocus();
        driver.Pump();
    }
    void Click(TclCustomTabControl* control, int x, int y)
    {
        driver.Click(control->Handle(), win::TestDriver::Button::Left, x, y);
        driver.Pump();
    }
    static bool Handles(TclCustomTabControl* control, win::WORD key, gui::TShiftState shift = 0)
    {
        return control->ProcessNavigationKey(key, shift);
    }

    Recorder recorder;
};

constexpr gui::TShiftState ctrl = gui::TShiftState(1u << gui::ssCtrl);
constexpr gui::TShiftState alt = gui::TShiftState(1u << gui::ssAlt);
constexpr gui::TShiftState shiftKey = gui::TShiftState(1u << gui::ssShift);

TEST_F(TabControlTest, KeysWalkTheSelectableTabsWithOneEventPairPerChange)
{
    TclCustomTabControl* control = MakeFive();
    control->Tabs()->Tab(2)->SetEnabled(false);
    recorder.Attach(control);
    Focus(control);
    struct Step {
        win::UINT key;
        std::initializer_list<win::UINT> modifiers;
        int expected;
        bool changes;
    };
    const Step steps[] = {
        {win::VK_RIGHT, {}, 1, true},
        {win::VK_RIGHT, {}, 3, true},
        {win::VK_END, {}, 4, true},
        {win::VK_RIGHT, {}, 4, false},
        {win::VK_TAB, {win::VK_CONTROL}, 0, true},
        {win::VK_TAB, {win::VK_CONTROL, win::VK_SHIFT}, 4, true},
        {win::VK_HOME, {}, 0, true},
        {win::VK_LEFT, {}, 0, false},
    };
    for (const Step& step : steps) {
        recorder.log.clear();
        Press(step.key, step.modifiers);
        EXPECT_EQ(control->TabIndex(), step.expected) << "key " << step.key;
        const std::vector<std::string> expectedLog =
            step.changes ? std::vector<std::string>{"changing", "change"} : std::vector<std::string>{};
        EXPECT_EQ(recorder.log, expectedLog) << "key " << step.key;
    }
    EXPECT_TRUE(Handles(control, win::VK_RIGHT)) << "stepping past the end is handled";
    EXPECT_FALSE(Handles(control, win::VK_RIGHT, alt));
    EXPECT_FALSE(Handles(control, win::VK_RIGHT, gui::TShiftState(alt | shiftKey)));
    EXPECT_FALSE(Handles(control, win::VK_TAB));
}

TEST_F(TabControlTest, ARefusedChangeKeepsTheTab)
{
    TclCustomTabControl* control = MakeFive();
    recorder.Attach(control);
    recorder.allow = false;
    control->SetTabIndex(3);
    EXPECT_EQ(control->TabIndex(), 0);
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"changing"}));
}

TEST_F(TabControlTest, BadIndexesAreIgnored)
{
    TclCustomTabControl* control = MakeFive();
    recorder.Attach(control);
    for (int index : {-2, 5, 1000}) {
        control->SetTabIndex(index);
        EXPECT_EQ(control->TabIndex(), 0);
    }
    EXPECT_TRUE(recorder.log.empty());
}

TEST_F(TabControlTest, CtrlTabWorksFromAFocusedChild)
{
    TclCustomTabControl* control = MakeFive();
    auto* child = new TclCustomTabControl(form);
    child->Tabs()->Add("inner");
    child->SetBounds(10, 60, 100, 80);
    child->SetParent(control);
    Focus(child);
    ASSERT_TRUE(child->Focused());
    Press(win::VK_TAB, {win::VK_CONTROL});
    EXPECT_EQ(control->TabIndex(), 1);
}

struct LeftKeyCase {
    win::WORD key;
    int expected;
};

class LeftTabKeysTest : public TabControlTest, public ::testing::WithParamInterface<LeftKeyCase> {};

TEST_P(LeftTabKeysTest, KeysFollowTheRowFromTheBottom)
{
    Fixed({{"A", 60}, {"B", 60}, {"C", 60}});
    TclCustomTabControl* control = Make(200, 400, {"A", "B", "C"});
    control->SetTabPosition(tpLeft);
    control->SetTabIndex(1);
    win::WORD key = GetParam().key;
    EXPECT_TRUE(control->ProcessNavigationKey(key, 0));
    EXPECT_EQ(control->TabIndex(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Keys, LeftTabKeysTest,
                         ::testing::Values(LeftKeyCase{win::VK_DOWN, 0}, LeftKeyCase{win::VK_UP, 2},
                                           LeftKeyCase{win::VK_HOME, 2}, LeftKeyCase{win::VK_END, 0}));

TEST_F(TabControlTest, AnAcceleratorSelectsItsTab)
{
    Fixed({{"&Alpha", 60}, {"&Beta", 60}});
    TclCustomTabControl* control = Make(400, 200, {"&Alpha", "&Beta"});
    Focus(control);
    Press('B', {win::VK_MENU});
    EXPECT_EQ(control->TabIndex(), 1);
    EXPECT_FALSE(control->SelectTabByAccel('Z'));
}

TEST_F(TabControlTest, AClickSelectsAndADisabledTabIsNotSelected)
{
    TclCustomTabControl* control = MakeFive();
    recorder.Attach(control);
    control->Tabs()->Tab(1)->SetEnabled(false);
    Click(control, 70, 10);
    EXPECT_EQ(control->TabIndex(), 0);
    Click(control, 190, 10);
    EXPECT_EQ(control->TabIndex(), 3);
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"changing", "change"}));
}

// ------------------------------------------------------------------------------------------------------------
// Pressed-tab and multi-select styles

class ButtonStyleTest : public TabControlTest {
protected:
    void SetUp() override
    {
        TabControlTest::SetUp();
        Register(buttons);
    }
    TestPainterClass buttons{StyleTraits{101, "Btn", 1}};
};

TEST_F(ButtonStyleTest, ArrowsMoveOnlyTheKeyboardFocusAndEnterSelects)
{
    TclCustomTabControl* control = MakeFive();
    control->SetStyle(101);
    recorder.Attach(control);
    Focus(control);
    setup.repaints.clear();
    Press(win::VK_RIGHT);
    EXPECT_EQ(control->TabIndex(), 0);
    EXPECT_EQ(control->FocusedTab(), 1);
    EXPECT_NE(std::find(setup.repaints.begin(), setup.repaints.end(), std::pair<int, int>{1, clpcrKeyboardFocus}),
              setup.repaints.end());
    EXPECT_TRUE(recorder.log.empty());
    Press(win::VK_RETURN);
    EXPECT_EQ(control->TabIndex(), 1);
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"changing", "change"}));
}

TEST_F(ButtonStyleTest, APressMarksTheTabMovingOffCancelsAndReleaseSelects)
{
    TclCustomTabControl* control = MakeFive();
    control->SetStyle(101);
    const win::HWND hwnd = control->Handle();
    const win::RECT second = TabRect(control, 1);
    const int x = (second.left + second.right) / 2;
    setup.repaints.clear();
    driver.MouseDown(hwnd, win::TestDriver::Button::Left, x, 10);
    driver.Pump();
    EXPECT_EQ(control->PressedTab(), 1);
    EXPECT_NE(std::find(setup.repaints.begin(), setup.repaints.end(), std::pair<int, int>{1, clpcrPressed}),
              setup.repaints.end());
    driver.MouseMove(hwnd, x, 150);
    driver.Pump();
    EXPECT_EQ(control->PressedTab(), -1);
    driver.MouseUp(hwnd, win::TestDriver::Button::Left, x, 150);
    driver.Pump();
    EXPECT_EQ(control->TabIndex(), 0);
    driver.MouseDown(hwnd, win::TestDriver::Button::Left, x, 10);
    driver.MouseUp(hwnd, win::TestDriver::Button::Left, x, 10);
    driver.Pump();
    EXPECT_EQ(control->TabIndex(), 1);
    EXPECT_EQ(control->PressedTab(), -1);
}

TEST_F(ButtonStyleTest, SelectingASecondTabTurnsMultiSelectionOnAndCtrlClickToggles)
{
    TclCustomTabControl* control = MakeFive();
    control->SetStyle(101);
    TclTabs* tabs = control->Tabs();
    tabs->Tab(0)->SetSelected(true);
    EXPECT_FALSE(control->IsMultiSelectActive());
    tabs->Tab(2)->SetSelected(true);
    EXPECT_TRUE(control->IsMultiSelectActive());
    const win::RECT fourth = TabRect(control, 3);
    driver.KeyDown(win::VK_CONTROL);
    driver.Click(control->Handle(), win::TestDriver::Button::Left, (fourth.left + fourth.right) / 2, 10);
    driver.Pump();
    EXPECT_TRUE(tabs->Tab(3)->Selected());
    EXPECT_EQ(control->TabIndex(), 0) << "a Ctrl-click toggles, it does not change the current tab";
    driver.Click(control->Handle(), win::TestDriver::Button::Left, (fourth.left + fourth.right) / 2, 10);
    driver.KeyUp(win::VK_CONTROL);
    driver.Pump();
    EXPECT_FALSE(tabs->Tab(3)->Selected());
}

TEST_F(TabControlTest, OnlyTheCurrentTabCanBeSelectedInOtherStyles)
{
    TclCustomTabControl* control = MakeFive();
    control->Tabs()->Tab(2)->SetSelected(true);
    EXPECT_FALSE(control->Tabs()->Tab(2)->Selected());
    control->Tabs()->Tab(0)->SetSelected(true);
    EXPECT_TRUE(control->Tabs()->Tab(0)->Selected());
    control->SetTabIndex(1);
    EXPECT_FALSE(control->Tabs()->Tab(0)->Selected()) << "a tab change clears the selection";
}

// ------------------------------------------------------------------------------------------------------------
// Choosing the painter and rotation

TEST_F(TabControlTest, RotationIsRefusedByAStyleThatCannotRotateAndClearedWhenSwitchingToIt)
{
    TestPainterClass noRotation{StyleTraits{102, "NoRot", 0, false}};
    Register(noRotation);
    TclCustomTabControl* control = MakeFive();
    control->SetRotate(true);
    ASSERT_TRUE(control->Rotate());
    control->SetStyle(102);
    EXPECT_EQ(control->Style(), 102);
    EXPECT_FALSE(control->Rotate());
    try {
        control->SetRotate(true);
        ADD_FAILURE() << "no exception";
    } catch (const rtl::Exception& error) {
        EXPECT_EQ(error.Message(), "NoRot style does not support rotation of tabs");
    }
    EXPECT_FALSE(control->Rotate());
}

TEST_F(TabControlTest, StyleZeroFollowsTheLookAndFeelAndUnknownIdsAreIgnored)
{
    TestPainterClass ultraFlat{StyleTraits{106, "Claims2", 0, true, 2}};
    Register(ultraFlat);
    TclCustomTabControl* control = MakeFive();
    control->LookAndFeel()->SetKind(controls::lfUltraFlat);
    EXPECT_EQ(control->PainterClass(), &ultraFlat);
    EXPECT_EQ(control->Style(), 0);
    control->LookAndFeel()->SetKind(controls::lfStandard);
    EXPECT_EQ(control->PainterClass(), &fixedStyle) << "with no claim, the first registered class";
    control->SetStyle(4);
    EXPECT_EQ(control->Style(), 0);
    EXPECT_EQ(control->PainterClass(), &fixedStyle);
}

TEST_F(TabControlTest, FactoryErrorsAndLookUps)
{
    TestPainterClass later{StyleTraits{107, "Later", 0, true, 1}};
    TestPainterClass latest{StyleTraits{108, "Latest", 0, true, 1}};
    Register(later);
    Register(latest);
    Register(later);
    TclPCPaintersFactory* factory = PaintersFactory();
    ASSERT_NE(factory, nullptr);
    EXPECT_EQ(factory->PainterClassCount(), 3) << "a class registered twice is listed once";
    controls::TclLookAndFeel lookAndFeel(nullptr);
    lookAndFeel.SetKind(controls::lfStandard);
    EXPECT_EQ(factory->FindStyleIDForLookAndFeel(&lookAndFeel), 108) << "searched from the last registered";
    EXPECT_EQ(factory->FindPainterClass(107), &later);
    EXPECT_EQ(factory->FindPainterClass(4), nullptr);
    try {
        factory->GetPainterInstance(nullptr, nullptr);
        ADD_FAILURE() << "no exception";
    } catch (const rtl::Exception& error) {
        EXPECT_EQ(error.Message(), "TclPCPaintersFactory.GetPainterInstance: PCPainterClass is nil");
    }
    for (const TestPainterClass* style : registered) {
        clPCUnregisterPainter(style);
    }
    registered.clear();
    EXPECT_EQ(PaintersFactory(), nullptr);
    TclPCPaintersFactory empty;
    try {
        empty.GetDefaultStyleID(&lookAndFeel);
        ADD_FAILURE() << "no exception";
    } catch (const rtl::Exception& error) {
        EXPECT_EQ(error.Message(), "TclPCPaintersFactory.GetDefaultStyleID: There are no styles registered");
    }
}

TEST_F(TabControlTest, AnAbstractOperationRaises)
{
    TclCustomTabControl* control = MakeFive();
    TclPCCustomPainter base(control, clPCCustomPainterClass());
    try {
        base.CalculateTabNormalHeight();
        ADD_FAILURE() << "no exception";
    } catch (const rtl::EAbstractError& error) {
        EXPECT_EQ(error.Message(), "Abstract Error");
    }
}

// ------------------------------------------------------------------------------------------------------------
// Loading, closing, hot tracking, drawing events

class LoadingTabControl : public TclCustomTabControl {
public:
    using TclCustomTabControl::TclCustomTabControl;
    void BeginLoading() { SetState(classes::csLoading); }
};

TEST_F(TabControlTest, ATabIndexSetWhileLoadingFiresNothingAndHoldsAfterwards)
{
    Fixed({{"A", 60}, {"B", 60}, {"C", 60}});
    auto* control = new LoadingTabControl(form);
    control->SetParent(form);
    recorder.Attach(control);
    control->BeginLoading();
    for (const char* caption : {"A", "B", "C"}) {
        control->Tabs()->Add(caption);
    }
    control->SetTabIndex(2);
    EXPECT_EQ(control->TabIndex(), -1);
    control->Loaded();
    EXPECT_EQ(control->TabIndex(), 2);
    EXPECT_TRUE(recorder.log.empty());
}

TEST_F(TabControlTest, CanCloseDecidesWhetherTheCloseButtonDeletesTheTab)
{
    Fixed({{"A", 60}, {"B", 60}});
    TclCustomTabControl* control = Make(300, 200, {"A", "B"});
    control->SetOptions(clPCOptionBit(pcoCloseButton));
    recorder.Attach(control);
    recorder.canClose = false;
    Click(control, 290, 10);
    EXPECT_EQ(control->Tabs()->Count(), 2);
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"canclose"}));
    recorder.log.clear();
    recorder.canClose = true;
    Click(control, 290, 10);
    EXPECT_EQ(control->Tabs()->Count(), 1);
    EXPECT_EQ(control->Tabs()->Strings(0), "B");
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"canclose", "change"}));
}

struct FreeCase {
    const char* at;
    bool close;
};

class FreeingHandlerTest : public TabControlTest, public ::testing::WithParamInterface<FreeCase> {};

TEST_P(FreeingHandlerTest, AHandlerThatFreesTheControlEndsTheProcessing)
{
    Fixed({{"A", 60}, {"B", 60}});
    TclCustomTabControl* control = Make(300, 200, {"A", "B"});
    recorder.Attach(control);
    recorder.freeOn = control;
    recorder.freeAt = GetParam().at;
    if (GetParam().close) {
        control->SetOptions(clPCOptionBit(pcoCloseButton));
        Click(control, 290, 10);
    } else {
        Click(control, 70, 10);
    }
    EXPECT_EQ(recorder.freeOn, nullptr) << "the handler ran";
    EXPECT_EQ(form->ControlCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Handlers, FreeingHandlerTest,
                         ::testing::Values(FreeCase{"changing", false}, FreeCase{"change", false},
                                           FreeCase{"canclose", true}, FreeCase{"change", true}));

TEST_F(TabControlTest, HotTrackingRepaintsTheOldAndNewHotTab)
{
    TclCustomTabControl* control = MakeFive();
    control->SetHotTrack(true);
    const win::HWND hwnd = control->Handle();
    driver.MouseMove(hwnd, 70, 10);
    driver.Pump();
    EXPECT_EQ(control->HotTab(), 1);
    setup.repaints.clear();
    driver.MouseMove(hwnd, 130, 10);
    driver.Pump();
    EXPECT_EQ(control->HotTab(), 2);
    EXPECT_EQ(setup.repaints, (std::vector<std::pair<int, int>>{{1, clpcrHot}, {2, clpcrHot}}));
}

struct DrawRecorder {
    std::vector<int> drawn;
    bool leaveDefault = false;
    gui::TColor color = gui::clRed;
    void Draw(TclCustomTabControl*, TclTab* tab, bool& defaultDraw)
    {
        drawn.push_back(tab->Index());
        defaultDraw = leaveDefault;
    }
    void DrawEx(TclCustomTabControl*, TclTab*, gui::TFont* font) { font->SetColor(color); }
};

TEST_F(TabControlTest, AnOwnerDrawnTabIsLeftToTheHandler)
{
    setup.height = 20;
    TclCustomTabControl* control = Make(400, 200, {"Alpha", "Beta"});
    DrawRecorder draw;
    control->SetOwnerDraw(true);
    control->OnDrawTab = TclDrawTabEvent::Of<&DrawRecorder::Draw>(&draw);
    control->Tabs()->Tab(1)->SetColor(gui::clLime);
    const win::RECT beta = TabRect(control, 1);
    const win::DWORD before = Pixel(control, beta.right - 2, beta.bottom - 2);
    EXPECT_NE(before, gui::ColorToRGB(gui::clLime)) << "the handler drew it, not the painter";
    EXPECT_EQ(draw.drawn, (std::vector<int>{0, 1}));
    draw.leaveDefault = true;
    EXPECT_EQ(Pixel(control, beta.right - 2, beta.bottom - 2), gui::ColorToRGB(gui::clLime));
}

TEST_F(TabControlTest, DrawTabExChangesTheCaptionFont)
{
    setup.height = 20;
    TclCustomTabControl* control = Make(400, 200, {"WWWW"});
    DrawRecorder draw;
    control->OnDrawTabEx = TclDrawTabExEvent::Of<&DrawRecorder::DrawEx>(&draw);
    control->Repaint();
    const win::RECT text = setup.contentRects.at(0).second;
    int red = 0;
    for (int y = text.top; y < text.bottom; ++y) {
        for (int x = text.left; x < text.right; ++x) {
            const win::DWORD pixel = win::TestDriver::PixelAt(control->Handle(), x, y);
            red += win::GetRValue(pixel) > 200 && win::GetGValue(pixel) < 60 && win::GetBValue(pixel) < 60;
        }
    }
    EXPECT_GT(red, 5);
}

}  // namespace
}  // namespace pctest
