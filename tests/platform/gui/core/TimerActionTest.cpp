// Timers on the virtual clock, and actions with the controls that offer them.

#include "platform/gui/core/ActionList.h"
#include "platform/gui/core/Timer.h"

#include "tests/platform/gui/core/ControlsFixture.h"

namespace guitest {
namespace {

struct Ticks {
    std::vector<std::uint64_t> at;
    rtl::VirtualClock* clock = nullptr;
    bool fail = false;
    void Tick(classes::TObject*)
    {
        at.push_back(clock->TickCount64());
        if (fail) {
            throw rtl::EInvalidOperation("the tick broke");
        }
    }
    void Exception(classes::TObject* sender, const std::exception&) { failedBy.push_back(sender); }
    std::vector<classes::TObject*> failedBy;
};

class TimerActionTest : public ControlsTest {};

TEST_F(TimerActionTest, ATimerTicksEveryIntervalWhileEnabledWithAHandler)
{
    Ticks ticks{{}, &clock, false, {}};
    auto* timer = new gui::TTimer(gui::Application());
    timer->SetInterval(300);
    driver.AdvanceBy(1000);
    EXPECT_TRUE(ticks.at.empty()) << "no handler, no timer";
    const std::uint64_t start = clock.TickCount64();
    timer->SetOnTimer(classes::TNotifyEvent::Of<&Ticks::Tick>(&ticks));
    driver.AdvanceBy(1000);
    EXPECT_EQ(ticks.at, (std::vector<std::uint64_t>{start + 300, start + 600, start + 900}));
    timer->SetEnabled(false);
    driver.AdvanceBy(1000);
    EXPECT_EQ(ticks.at.size(), 3u);
    timer->SetInterval(0);
    timer->SetEnabled(true);
    driver.AdvanceBy(1000);
    EXPECT_EQ(ticks.at.size(), 3u) << "an interval of 0 runs nothing";
    const std::uint64_t restart = clock.TickCount64();
    timer->SetInterval(250);
    driver.AdvanceBy(500);
    EXPECT_EQ(ticks.at.back(), restart + 500);
    delete timer;
    driver.AdvanceBy(1000);
    EXPECT_EQ(ticks.at.size(), 5u) << "a freed timer ticks no more";
}

TEST_F(TimerActionTest, AnExceptionOfATickGoesToTheApplication)
{
    Ticks ticks{{}, &clock, true, {}};
    auto* timer = new gui::TTimer(gui::Application());
    timer->SetInterval(100);
    timer->SetOnTimer(classes::TNotifyEvent::Of<&Ticks::Tick>(&ticks));
    gui::Application()->OnException = gui::TExceptionEvent::Of<&Ticks::Exception>(&ticks);
    driver.AdvanceBy(250);
    EXPECT_EQ(ticks.failedBy, (std::vector<classes::TObject*>{timer, timer}));
}

TEST_F(TimerActionTest, AnActionSetsItsClientsAndAClickRunsIt)
{
    gui::TForm* form = MakeForm();
    auto* list = new gui::TActionList(form);
    auto* action = new gui::TAction(form);
    action->SetName("Save");
    action->SetActionList(list);
    action->SetCaption("&Save");
    action->SetHint("Save the project");
    auto* button = Make<TTestControl>(form, "Button", 10, 10);
    button->SetAction(action);
    EXPECT_EQ(button->Caption(), "&Save");
    EXPECT_EQ(button->Hint(), "Save the project");
    action->SetEnabled(false);
    EXPECT_FALSE(button->Enabled());
    action->SetEnabled(true);
    action->SetCaption("Save &As");
    EXPECT_EQ(button->Caption(), "Save &As");
    action->SetVisible(false);
    EXPECT_FALSE(button->Visible());
    action->SetVisible(true);

    struct Runs {
        std::vector<std::string> seen;
        bool listHandles = false;
        void Execute(classes::TObject* sender)
        {
            auto* a = static_cast<gui::TBasicAction*>(sender);
            seen.push_back("execute by " + (a->ActionComponent() ? a->ActionComponent()->Name() : std::string("code")));
        }
        void ListExecute(gui::TBasicAction*, bool& handled)
        {
            seen.push_back("list");
            handled = listHandles;
        }
    } runs;
    action->SetOnExecute(classes::TNotifyEvent::Of<&Runs::Execute>(&runs));
    EXPECT_TRUE(button->OnClick == action->OnExecute) << "the client's click is the action's";
    form->Show();
    driver.Click(button->Handle(), win::TestDriver::Button::Left, 5, 5);
    driver.Pump();
    list->OnExecute = gui::TActionEvent::Of<&Runs::ListExecute>(&runs);
    runs.listHandles = true;
    action->Execute();
    const std::vector<std::string> expected = {"execute by Button", "list"};
    EXPECT_EQ(runs.seen, expected);
    // A client that was changed away from the action keeps its own value.
    button->SetCaption("Mine");
    action->SetCaption("Save &Copy");
    EXPECT_EQ(button->Caption(), "Mine");
    delete action;
    EXPECT_EQ(button->Action(), nullptr);
    EXPECT_EQ(list->ActionCount(), 0);
}

TEST_F(TimerActionTest, AutoCheckTogglesAndAGroupKeepsOneChecked)
{
    auto* list = new gui::TActionList(gui::Application());
    std::vector<gui::TAction*> actions;
    for (int i = 0; i < 3; ++i) {
        auto* action = new gui::TAction(gui::Application());
        action->SetActionList(list);
        action->SetGroupIndex(1);
        action->SetAutoCheck(true);
        actions.push_back(action);
    }
    actions[0]->SetChecked(true);
    actions[2]->Execute();
    EXPECT_FALSE(actions[0]->Checked());
    EXPECT_TRUE(actions[2]->Checked());
    actions[1]->SetEnabled(false);
    EXPECT_FALSE(actions[1]->Execute()) << "a disabled action does not run";
    EXPECT_FALSE(actions[1]->Checked());
}

}  // namespace
}  // namespace guitest
