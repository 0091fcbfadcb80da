// Focus and keys in a form, driven by real input: Tab order, the order of exit, enter and click, the form
// seeing keys first, keys swallowed by their handlers, accelerators and the dialog keys.

#include "platform/gui/core/Messages.h"
#include "platform/gui/core/Screen.h"
#include "platform/win/Input.h"
#include "platform/win/Window.h"
#include "platform/win/WindowClass.h"

#include "tests/platform/gui/core/ControlsFixture.h"

namespace guitest {
namespace {

// The characters a native control's own window procedure got.
std::string& RecordedChars()
{
    static std::string chars;
    return chars;
}

win::LRESULT RecorderProc(win::HWND hwnd, win::UINT message, win::WPARAM wParam, win::LPARAM lParam)
{
    if (message == win::WM_CHAR) {
        RecordedChars() += char(wParam);
        return 0;
    }
    if (message == win::WM_GETDLGCODE) {
        return win::DLGC_WANTCHARS;
    }
    return win::DefWindowProc(hwnd, message, wParam, lParam);
}

// A control on a native window class, as the edit controls are: the class's procedure is its default.
class TNativeControl : public TTestControl {
public:
    using TTestControl::TTestControl;

protected:
    void CreateParams(gui::TCreateParams& params) override
    {
        TTestControl::CreateParams(params);
        CreateSubClass(params, "RECORDER");
    }
};

struct Events {
    void Click(classes::TObject* sender) { Log().push_back(Name(sender) + " click"); }
    void KeyDown(classes::TObject* sender, win::WORD& key, gui::TShiftState)
    {
        Log().push_back(Name(sender) + " keydown " + std::to_string(key));
        if (key == swallowKey) {
            key = 0;
        }
    }
    void KeyPress(classes::TObject* sender, char& key)
    {
        Log().push_back(Name(sender) + " keypress " + std::string(1, key));
        if (key == swallowChar) {
            key = 0;
        }
    }
    static std::string Name(classes::TObject* sender) { return static_cast<classes::TComponent*>(sender)->Name(); }
    win::WORD swallowKey = 0;
    char swallowChar = 0;
};

class FocusTest : public ControlsTest {
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        win::WNDCLASSEX cls;
        cls.lpfnWndProc = &RecorderProc;
        cls.lpszClassName = "RECORDER";
        ASSERT_NE(win::RegisterClassEx(&cls), 0);
        RecordedChars().clear();
    }

    std::vector<std::string> Entries(const std::string& suffix) const
    {
        std::vector<std::string> result;
        for (const std::string& entry : Log()) {
            if (entry.find(suffix) != std::string::npos) {
                result.push_back(entry);
            }
        }
        return result;
    }

    Events events;
};

TEST_F(FocusTest, TabAndShiftTabFollowTabOrderPastControlsThatCannotTakeTheFocus)
{
    gui::TForm* form = MakeForm();
    auto* first = Make<TTestControl>(form, "First", 10, 10);
    auto* disabled = Make<TTestControl>(form, "Disabled", 10, 40);
    auto* hidden = Make<TTestControl>(form, "Hidden", 10, 70);
    auto* noStop = Make<TTestControl>(form, "NoStop", 10, 100);
    auto* last = Make<TTestControl>(form, "Last", 10, 130);
    disabled->SetEnabled(false);
    hidden->SetVisible(false);
    noStop->SetTabStop(false);
    // Tab order apart from the order of making.
    last->SetTabOrder(1);
    EXPECT_EQ(first->TabOrder(), 0);
    EXPECT_EQ(last->TabOrder(), 1);
    form->Show();
    driver.Pump();
    EXPECT_EQ(form->ActiveControl(), first);
    EXPECT_EQ(win::GetFocus(), first->Handle());
    struct Step {
        bool shift;
        gui::TWinControl* expected;
    };
    const Step steps[] = {{false, last}, {false, first}, {true, last}, {true, first}};
    for (const Step& step : steps) {
        if (step.shift) {
            driver.KeyDown(win::VK_SHIFT);
        }
        driver.PressKey(win::VK_TAB);
        if (step.shift) {
            driver.KeyUp(win::VK_SHIFT);
        }
        driver.Pump();
        EXPECT_EQ(form->ActiveControl(), step.expected) << (step.shift ? "Shift+Tab to " : "Tab to ")
                                                         << step.expected->Name();
        EXPECT_EQ(win::GetFocus(), step.expected->Handle());
    }
    // Enabled again, a control is in the order again.
    disabled->SetEnabled(true);
    Press(win::VK_TAB);
    EXPECT_EQ(form->ActiveControl(), last);
    Press(win::VK_TAB);
    EXPECT_EQ(form->ActiveControl(), disabled);
    EXPECT_NE(noStop, nullptr);
}

TEST_F(FocusTest, LeavingAControlEndsBeforeTheClickedControlsClick)
{
    gui::TForm* form = MakeForm();
    auto* field = Make<TTestControl>(form, "Field", 10, 10);
    auto* button = Make<TTestControl>(form, "Button", 10, 40);
    button->OnClick = classes::TNotifyEvent::Of<&Events::Click>(&events);
    form->Show();
    driver.Pump();
    EXPECT_EQ(win::GetFocus(), field->Handle());
    Log().clear();
    driver.Click(button->Handle(), win::TestDriver::Button::Left, 5, 5);
    driver.Pump();
    const std::vector<std::string> expected = {"Field exit focus", "Button enter focus", "Button click"};
    EXPECT_EQ(Log(), expected);
}

TEST_F(FocusTest, EnterAndExitRunUpToTheCommonParentAndDownAgain)
{
    gui::TForm* form = MakeForm();
    auto* left = Make<TTestPanel>(form, "LeftPanel", 0, 0, 100, 100);
    auto* right = Make<TTestPanel>(form, "RightPanel", 100, 0, 100, 100);
    auto* a = Make<TTestControl>(left, "A", 10, 10);
    auto* b = Make<TTestControl>(right, "B", 10, 10);
    form->Show();
    driver.Pump();
    EXPECT_EQ(win::GetFocus(), a->Handle());
    Log().clear();
    b->SetFocus();
    const std::vector<std::string> expected = {"A exit focus", "LeftPanel exit focus", "RightPanel enter focus",
                                               "B enter focus"};
    EXPECT_EQ(Log(), expected);
    EXPECT_EQ(gui::Screen()->ActiveControl(), b);
    EXPECT_EQ(gui::Screen()->ActiveCustomForm(), form);
}

TEST_F(FocusTest, KeyPreviewGivesTheFormEachKeyFirstAndAZeroKeyStopsIt)
{
    gui::TForm* form = MakeForm();
    auto* field = Make<TTestControl>(form, "Field", 10, 10);
    field->OnKeyDown = gui::TKeyEvent::Of<&Events::KeyDown>(&events);
    form->OnKeyDown = gui::TKeyEvent::Of<&Events::KeyDown>(&events);
    form->Show();
    driver.Pump();
    Log().clear();
    Press('A');
    EXPECT_EQ(Entries("keydown"), std::vector<std::string>{"Field keydown 65"}) << "without KeyPreview only the control";
    Log().clear();
    form->SetKeyPreview(true);
    Press('A');
    EXPECT_EQ(Entries("keydown"), (std::vector<std::string>{"Main keydown 65", "Field keydown 65"}));
    Log().clear();
    events.swallowKey = 'B';
    Press('B');
    EXPECT_EQ(Entries("keydown"), std::vector<std::string>{"Main keydown 66"});
}

TEST_F(FocusTest, AKeyPressSetToZeroKeepsTheCharacterFromTheWindow)
{
    gui::TForm* form = MakeForm();
    auto* field = Make<TNativeControl>(form, "Field", 10, 10);
    field->OnKeyPress = gui::TKeyPressEvent::Of<&Events::KeyPress>(&events);
    form->Show();
    driver.Pump();
    ASSERT_EQ(win::GetFocus(), field->Handle());
    events.swallowChar = 'x';
    driver.TypeText("axb");
    driver.Pump();
    EXPECT_EQ(RecordedChars(), "ab");
    EXPECT_EQ(Entries("keypress"), (std::vector<std::string>{"Field keypress a", "Field keypress x", "Field keypress b"}));
}

TEST_F(FocusTest, AltAndALetterReachTheControlOfThatAccelerator)
{
    gui::TForm* form = MakeForm();
    auto* field = Make<TTestControl>(form, "Field", 10, 10);
    auto* target = Make<TTestControl>(form, "Target", 10, 40);
    target->SetCaption("&Name");
    form->Show();
    driver.Pump();
    EXPECT_EQ(win::GetFocus(), field->Handle());
    PressWith({win::VK_MENU}, 'N');
    EXPECT_EQ(Entries("accelerator"), std::vector<std::string>{"Target accelerator"});
    EXPECT_EQ(win::GetFocus(), target->Handle());
}

TEST_F(FocusTest, EnterAndEscapeReachTheDefaultAndCancelControls)
{
    gui::TForm* form = MakeForm();
    Make<TTestControl>(form, "Field", 10, 10);
    auto* ok = Make<TTestControl>(form, "Ok", 10, 40);
    auto* cancel = Make<TTestControl>(form, "Cancel", 100, 40);
    ok->isDefault = true;
    cancel->isCancel = true;
    ok->OnClick = classes::TNotifyEvent::Of<&Events::Click>(&events);
    cancel->OnClick = classes::TNotifyEvent::Of<&Events::Click>(&events);
    form->Show();
    driver.Pump();
    Log().clear();
    driver.PressKey(win::VK_RETURN);
    Press(win::VK_ESCAPE);
    const std::vector<std::string> expected = {"Ok default", "Ok click", "Cancel cancel", "Cancel click"};
    EXPECT_EQ(Log(), expected);
}

TEST_F(FocusTest, AControlMayTakeADialogKeyBeforeTheFormMovesTheFocus)
{
    gui::TForm* form = MakeForm();
    auto* field = Make<TTestControl>(form, "Field", 10, 10);
    Make<TTestControl>(form, "Other", 10, 40);
    // Ctrl+Tab, as a page control takes it to turn its pages.
    struct Taker : TTestPanel {
        using TTestPanel::TTestPanel;
        void Dispatch(win::TMessage& message) override
        {
            if (message.Msg == gui::CM_DIALOGKEY && message.WParam == win::VK_TAB && win::GetKeyState(win::VK_CONTROL) < 0) {
                Log().push_back("page turned");
                message.Result = 1;
                return;
            }
            TTestPanel::Dispatch(message);
        }
    };
    Make<Taker>(form, "Pages", 100, 100, 100, 100);
    form->Show();
    driver.Pump();
    PressWith({win::VK_CONTROL}, win::VK_TAB);
    EXPECT_EQ(Entries("page"), std::vector<std::string>{"page turned"});
    EXPECT_EQ(win::GetFocus(), field->Handle());
}

TEST_F(FocusTest, ArrowsMoveAmongTheControlsOfOneParent)
{
    gui::TForm* form = MakeForm();
    auto* group = Make<TTestPanel>(form, "Group", 0, 0, 200, 200);
    auto* one = Make<TTestControl>(group, "One", 10, 10);
    auto* two = Make<TTestControl>(group, "Two", 10, 40);
    two->SetTabStop(false);  // radio buttons: only the checked one is a tab stop
    auto* outside = Make<TTestControl>(form, "Outside", 10, 250);
    form->Show();
    driver.Pump();
    ASSERT_EQ(win::GetFocus(), one->Handle());
    Press(win::VK_DOWN);
    EXPECT_EQ(win::GetFocus(), two->Handle());
    Press(win::VK_DOWN);
    EXPECT_EQ(win::GetFocus(), one->Handle()) << "round within the group, never outside";
    EXPECT_NE(outside, nullptr);
}

// A tab control takes the arrows as dialog keys to turn its tabs; around a group of buttons it must not
// keep them from moving the focus within the group, while Ctrl+Tab still reaches it.
TEST_F(FocusTest, ArrowsMoveWithinAGroupInsideAControlThatWantsDialogArrows)
{
    struct Tabs : TTestPanel {
        using TTestPanel::TTestPanel;
        void Dispatch(win::TMessage& message) override
        {
            if (message.Msg == gui::CM_DIALOGKEY) {
                Log().push_back("tabs took " + std::to_string(message.WParam));
                message.Result = 1;
                return;
            }
            TTestPanel::Dispatch(message);
        }
    };
    gui::TForm* form = MakeForm();
    auto* tabs = Make<Tabs>(form, "Tabs", 0, 0, 300, 300);
    auto* group = Make<TTestPanel>(tabs, "Group", 10, 10, 200, 200);
    auto* one = Make<TTestControl>(group, "One", 10, 10);
    auto* two = Make<TTestControl>(group, "Two", 10, 40);
    form->Show();
    driver.Pump();
    ASSERT_EQ(win::GetFocus(), one->Handle());
    Press(win::VK_DOWN);
    EXPECT_EQ(win::GetFocus(), two->Handle());
    Press(win::VK_LEFT);
    EXPECT_EQ(win::GetFocus(), one->Handle());
    EXPECT_TRUE(Entries("tabs took").empty());
    PressWith({win::VK_CONTROL}, win::VK_TAB);
    EXPECT_EQ(Entries("tabs took"), std::vector<std::string>{"tabs took " + std::to_string(win::VK_TAB)});
}

TEST_F(FocusTest, AFreedFocusedControlIsNoLongerTheScreensActiveControl)
{
    gui::TForm* form = MakeForm();
    auto* focused = Make<TTestControl>(form, "Focused", 10, 10);
    Make<TTestControl>(form, "Other", 10, 40);
    form->Show();
    driver.Pump();
    ASSERT_EQ(gui::Screen()->ActiveControl(), focused);
    delete focused;
    EXPECT_EQ(gui::Screen()->ActiveControl(), nullptr);
    // Another form going away looks at the screen's active control.
    delete MakeForm(100, 100, "Second");
}

}  // namespace
}  // namespace guitest
