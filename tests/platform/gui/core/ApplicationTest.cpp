// The application's loop: the main form, ending, exceptions of handlers, calls of worker threads, the
// messages offered to OnMessage, idle time and help.

#include "platform/gui/core/ActionList.h"
#include "platform/gui/core/Screen.h"
#include "platform/rtl/Threads.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Window.h"

#include "tests/platform/gui/core/ControlsFixture.h"

#include <thread>

namespace guitest {
namespace {

class ApplicationTest : public ControlsTest {
protected:
    // The main form of a loop, with a button.
    void MakeMainForm()
    {
        gui::Application()->CreateForm(main);
        main->SetName("MainWindow");
        main->SetBounds(50, 50, 300, 200);
        button = Make<TTestControl>(main, "Button", 10, 10);
    }

    gui::TForm* main = nullptr;
    TTestControl* button = nullptr;
};

struct Recorder {
    std::vector<std::string> seen;
    void Failing(classes::TObject*) { throw rtl::EConvertError("'abc' is not a valid integer value"); }
    void Exception(classes::TObject* sender, const std::exception& error)
    {
        seen.push_back(static_cast<classes::TComponent*>(sender)->Name() + ": " + error.what());
    }
    bool Help(win::WORD command, int data, bool& callHelp)
    {
        seen.push_back("help " + std::to_string(command) + " " + std::to_string(data));
        callHelp = false;
        return true;
    }
    void Idle(classes::TObject*, bool& done)
    {
        seen.push_back("idle");
        done = true;
    }
};

TEST_F(ApplicationTest, TheFirstFormMadeIsTheMainFormAndTheLoopEndsWhenItCloses)
{
    MakeMainForm();
    gui::TForm* second = nullptr;
    gui::Application()->CreateForm(second);
    EXPECT_EQ(gui::Application()->MainForm(), main);
    EXPECT_EQ(main->Owner(), gui::Application());
    bool shownDuring = false;
    driver.At(clock.TickCount64() + 100, [&] {
        shownDuring = win::IsWindowVisible(main->Handle()) != win::FALSE;
        main->Close();
    });
    gui::Application()->Run();
    EXPECT_TRUE(shownDuring) << "the loop shows the main form";
    EXPECT_TRUE(gui::Application()->Terminated());
    EXPECT_EQ(second->Owner(), gui::Application());
}

TEST_F(ApplicationTest, AnExceptionOfAClickHandlerReachesOnExceptionAndTheLoopGoesOn)
{
    MakeMainForm();
    Recorder recorder;
    button->OnClick = classes::TNotifyEvent::Of<&Recorder::Failing>(&recorder);
    gui::Application()->OnException = gui::TExceptionEvent::Of<&Recorder::Exception>(&recorder);
    const std::uint64_t start = clock.TickCount64();
    driver.At(start + 100, [&] { driver.Click(button->Handle(), win::TestDriver::Button::Left, 5, 5); });
    driver.At(start + 700, [&] { driver.Click(button->Handle(), win::TestDriver::Button::Left, 5, 5); });
    driver.At(start + 1000, [&] { main->Close(); });
    gui::Application()->Run();
    const std::vector<std::string> expected(2, "Button: 'abc' is not a valid integer value");
    EXPECT_EQ(recorder.seen, expected);
    EXPECT_EQ(win::GetCapture(), nullptr) << "the capture of the press ended";
}

TEST_F(ApplicationTest, WithoutOnExceptionTheErrorIsShownInAMessageBox)
{
    MakeMainForm();
    Recorder recorder;
    button->OnClick = classes::TNotifyEvent::Of<&Recorder::Failing>(&recorder);
    gui::Application()->SetTitle("Estimator");
    main->Show();
    driver.Click(button->Handle(), win::TestDriver::Button::Left, 5, 5);
    driver.Pump();
    ASSERT_EQ(dialogs.Asked().size(), 1u);
    EXPECT_EQ(dialogs.Asked()[0].text, "'abc' is not a valid integer value.");
    EXPECT_EQ(dialogs.Asked()[0].caption, "Estimator");
    EXPECT_EQ(dialogs.Asked()[0].type, unsigned(win::MB_OK | win::MB_ICONSTOP));
}

TEST_F(ApplicationTest, AWorkerThreadsSynchronizedCallRunsInTheLoop)
{
    MakeMainForm();
    std::thread::id ranOn;
    std::thread worker([&] {
        rtl::TThread::Synchronize([&] {
            ranOn = std::this_thread::get_id();
            main->Close();
        });
    });
    gui::Application()->Run();
    worker.join();
    EXPECT_EQ(ranOn, std::this_thread::get_id());
}

TEST_F(ApplicationTest, IdleTimeRunsOnIdleAndUpdatesTheActionsOfShownForms)
{
    MakeMainForm();
    auto* actions = new gui::TActionList(main);
    auto* action = new gui::TAction(main);
    action->SetActionList(actions);
    action->SetCaption("&Save");
    int updates = 0;
    struct Updater {
        int* count;
        bool enabled = false;
        void Update(classes::TObject* sender)
        {
            ++*count;
            static_cast<gui::TAction*>(sender)->SetEnabled(enabled);
        }
    } updater{&updates};
    action->OnUpdate = classes::TNotifyEvent::Of<&Updater::Update>(&updater);
    button->SetAction(action);
    EXPECT_EQ(button->Caption(), "&Save");
    Recorder recorder;
    gui::Application()->OnIdle = gui::TIdleEvent::Of<&Recorder::Idle>(&recorder);
    driver.At(clock.TickCount64() + 100, [&] { main->Close(); });
    gui::Application()->Run();
    EXPECT_GE(updates, 1);
    EXPECT_FALSE(button->Enabled()) << "the action's update reached its control";
    EXPECT_FALSE(recorder.seen.empty());
}

TEST_F(ApplicationTest, OnMessageSeesEachMessageFirstAndMayKeepItFromItsWindow)
{
    MakeMainForm();
    main->Show();
    driver.Pump();
    ASSERT_EQ(win::GetFocus(), button->Handle());
    struct Filter {
        win::HWND handle;
        std::vector<win::UINT> seen;
        std::string typed;
        void Message(win::MSG& message, bool& handled)
        {
            if (message.hwnd == handle) {
                seen.push_back(message.message);
            }
            handled = message.message == win::WM_CHAR && message.wParam == 'x';
        }
        void Press(classes::TObject*, char& key) { typed += key; }
    } filter{button->Handle(), {}, {}};
    gui::Application()->OnMessage = gui::TMessageEvent::Of<&Filter::Message>(&filter);
    button->OnKeyPress = gui::TKeyPressEvent::Of<&Filter::Press>(&filter);
    driver.PressKey('X');
    driver.PressKey('Y');
    gui::Application()->ProcessMessages();
    EXPECT_EQ(filter.typed, "y") << "the character OnMessage handled never reached the control";
    const std::vector<win::UINT> expected = {win::WM_KEYDOWN, win::WM_CHAR, win::WM_KEYUP,
                                             win::WM_KEYDOWN, win::WM_CHAR, win::WM_KEYUP};
    EXPECT_EQ(filter.seen, expected) << "the characters the keys make are offered too";
    win::MSG rest;
    EXPECT_FALSE(win::PeekMessage(&rest, nullptr, 0, 0, win::PM_NOREMOVE)) << "ProcessMessages handles all that waits";
}

TEST_F(ApplicationTest, FOneAsksTheApplicationsHelpForTheNearestHelpContext)
{
    MakeMainForm();
    Recorder recorder;
    gui::Application()->OnHelp = gui::THelpEvent::Of<&Recorder::Help>(&recorder);
    main->SetHelpContext(100);
    button->SetHelpContext(0);
    main->Show();
    driver.Pump();
    ASSERT_EQ(win::GetFocus(), button->Handle());
    driver.PressKey(win::VK_F1);
    driver.Pump();
    button->SetHelpContext(42);
    driver.PressKey(win::VK_F1);
    driver.Pump();
    const std::vector<std::string> expected = {"help 1 100", "help 1 42"};
    EXPECT_EQ(recorder.seen, expected);
}

TEST_F(ApplicationTest, AShortcutOfAnActionRunsItFromAnyControlOfItsForm)
{
    MakeMainForm();
    auto* actions = new gui::TActionList(main);
    auto* action = new gui::TAction(main);
    action->SetActionList(actions);
    action->SetShortCut(gui::ShortCut('S', gui::With(0, gui::ssCtrl)));
    int runs = 0;
    struct Runner {
        int* count;
        void Run(classes::TObject*) { ++*count; }
    } runner{&runs};
    action->OnExecute = classes::TNotifyEvent::Of<&Runner::Run>(&runner);
    main->Show();
    driver.Pump();
    driver.KeyDown(win::VK_CONTROL);
    driver.PressKey('S');
    driver.KeyUp(win::VK_CONTROL);
    driver.PressKey('S');
    driver.Pump();
    EXPECT_EQ(runs, 1);
    action->SetEnabled(false);
    PressWith({win::VK_CONTROL}, 'S');
    EXPECT_EQ(runs, 1) << "a disabled action does not run";
}

}  // namespace
}  // namespace guitest
