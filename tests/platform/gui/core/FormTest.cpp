// Forms: read from stored data, written back the same; damaged or missing data refused without leaving
// anything behind; frames read the same way; closing, modal runs, positions and the window's frame.

#include "platform/gui/core/Screen.h"
#include "platform/win/Activation.h"
#include "platform/win/Layered.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"

#include "tests/platform/gui/core/ControlsFixture.h"
#include "tests/platform/gui/core/StoredFormClasses.h"
#include "tests/platform/gui/graphics/GraphicsHolder.h"

namespace guitest {
namespace {

const std::string kStoredForm = R"(object StoredForm: TStoredForm
  Left = 120
  Top = 80
  Width = 420
  Height = 330
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  Caption = 'Stored window'
  KeyPreview = True
  OldCreateOrder = False
  PixelsPerInch = 96
  Position = poScreenCenter
  TextHeight = 13
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  object Panel: TTestPanel
    Left = 0
    Top = 0
    Width = 412
    Height = 41
    Align = alTop
    TabOrder = 1
    object Mark: TTestGraphic
      Left = 8
      Top = 8
      Width = 30
      Height = 10
      Caption = 'mark'
    end
    object Inner: TTestControl
      Left = 50
      Top = 8
      Width = 60
      Height = 20
      TabOrder = 0
    end
  end
  object Field: TTestControl
    Left = 8
    Top = 56
    Width = 120
    Height = 20
    Hint = 'The field|What the field holds'
    ParentShowHint = False
    ShowHint = True
    TabOrder = 0
    Caption = 'field'
  end
  object RunButton: TTestControl
    Left = 8
    Top = 88
    Width = 75
    Height = 25
    Action = Run
    TabOrder = 2
  end
  object Timer1: TTimer
    Interval = 250
    OnTimer = TimerTick
  end
  object Actions: TActionList
    object Run: TAction
      Caption = '&Run'
      ShortCut = 16466
      OnExecute = RunExecute
      OnUpdate = RunUpdate
    end
  end
end
)";

class FormTest : public ControlsTest {
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        classes::RegisterClass(TStoredForm::StaticClass());
        resources.AddForm("TSTOREDFORM", kStoredForm);
    }

    TestResources resources;
};

TEST_F(FormTest, AStoredFormLoadsEveryComponentBeforeItsCreationAndWritesBackTheSameText)
{
    auto* form = new TStoredForm(gui::Application());
    ASSERT_GE(Log().size(), 6u);
    EXPECT_EQ(Log().back(), "create bound") << "OnCreate after the fields are bound";
    const std::vector<std::string> loaded(Log().begin(), Log().end() - 1);
    for (const char* name : {"StoredForm loaded", "Mark loaded", "Inner loaded", "Field loaded", "RunButton loaded"}) {
        EXPECT_NE(std::find(loaded.begin(), loaded.end(), name), loaded.end()) << name;
    }
    EXPECT_EQ(TextOf(*form), kStoredForm);
    // What was read took effect.
    auto* run = dynamic_cast<TTestControl*>(form->FindComponent("RunButton"));
    ASSERT_NE(run, nullptr);
    EXPECT_EQ(run->Caption(), "&Run") << "from its action";
    EXPECT_EQ(form->FindComponent("Panel")->ComponentCount(), 0);
    auto* panel = dynamic_cast<gui::TWinControl*>(form->FindComponent("Panel"));
    EXPECT_EQ(panel->ControlCount(), 2);
    EXPECT_EQ(panel->Width(), form->ClientWidth()) << "aligned once loaded";
    EXPECT_EQ(form->run->ShortCut(), gui::ShortCut('R', gui::With(0, gui::ssCtrl)));
    EXPECT_EQ(win::TestDriver::Find("TSTOREDFORM"), nullptr) << "no window until one is needed";
    EXPECT_EQ(gui::Screen()->FormCount(), 1);
    Log().clear();
    form->Free();
    EXPECT_EQ(Log(), std::vector<std::string>{"destroy"});
    EXPECT_EQ(gui::Screen()->FormCount(), 0);
}

// Children that store no font, colour or hint switch of their own show the form's, also inside a panel
// read before them; those that store their own keep them.
TEST_F(FormTest, AStoredFormsChildrenTakeWhatTheyDoNotStoreFromTheirParent)
{
    std::string text = kStoredForm;
    for (auto [from, to] : {std::pair<std::string, std::string>{"'MS Sans Serif'", "'Arial'"},
                            {"  KeyPreview = True\n", "  KeyPreview = True\n  ShowHint = True\n"},
                            {"      Width = 60\n", "      Width = 60\n      Font.Name = 'Courier New'\n"
                                                   "      ParentFont = False\n"},
                            {"    Width = 120\n", "    Width = 120\n    Color = clRed\n"}}) {
        text.replace(text.find(from), from.size(), to);
    }
    resources.AddForm("TSTOREDFORM", text);
    auto* form = new TStoredForm(gui::Application());
    struct Case {
        const char* name;
        const char* font;
        gui::TColor color;
        bool showHint;
    };
    const Case cases[] = {
        {"Panel", "Arial", gui::clBtnFace, true},
        {"Mark", "Arial", gui::clBtnFace, true},
        {"Inner", "Courier New", gui::clBtnFace, true},
        {"Field", "Arial", gui::clRed, true},
        {"RunButton", "Arial", gui::clBtnFace, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* control = dynamic_cast<gui::TControl*>(form->FindComponent(c.name));
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->Font()->Name(), c.font);
        EXPECT_EQ(control->Color(), c.color);
        EXPECT_EQ(control->ShowHint(), c.showHint);
    }
    // What came from the parent is not written: the form's font and colour stand in the text once.
    const std::string written = TextOf(*form);
    for (const char* line : {"Font.Name = 'Arial'", "Color = clBtnFace"}) {
        EXPECT_EQ(written.find(line), written.rfind(line)) << line;
        EXPECT_NE(written.find(line), std::string::npos) << line;
    }
    form->Free();
}

TEST_F(FormTest, StoredDataThatIsMissingOrDamagedIsRefusedAndLeavesNothingBehind)
{
    try {
        new TMissingForm(gui::Application());
        ADD_FAILURE() << "made without its stored data";
    } catch (const classes::EResNotFound& e) {
        EXPECT_EQ(e.Message(), "Resource TMISSINGFORM not found");
    }
    struct Case {
        std::string change;
        std::string replacement;
        std::string message;
    };
    const Case cases[] = {
        {"    Caption = 'field'\n", "    Caption = 'field'\n    Colour = clRed\n",
         "Error reading Field.Colour: Property Colour does not exist"},
        {"    Interval = 250\n", "    Interval = 'often'\n", "Error reading Timer1.Interval: Invalid property value"},
        {"      OnExecute = RunExecute\n", "      OnExecute = Walk\n", "Error reading Run.OnExecute: Method Walk not found"},
        {"  Position = poScreenCenter\n", "  Position = poSomewhere\n",
         "Error reading StoredForm.Position: Invalid property value"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        std::string text = kStoredForm;
        text.replace(text.find(c.change), c.change.size(), c.replacement);
        resources.AddForm("TSTOREDFORM", text);
        const int components = gui::Application()->ComponentCount();
        try {
            new TStoredForm(gui::Application());
            ADD_FAILURE() << "made from damaged data";
        } catch (const rtl::EReadError& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
        EXPECT_EQ(gui::Application()->ComponentCount(), components);
        EXPECT_EQ(gui::Screen()->FormCount(), 0);
        EXPECT_EQ(win::TestDriver::Find("TSTOREDFORM"), nullptr);
    }
    // Cut short: the reader's own error, and still nothing left.
    const std::string bytes = classes::ObjectTextToBinary(kStoredForm);
    for (std::size_t length : {std::size_t(40), bytes.size() / 2, bytes.size() - 3}) {
        resources.AddData("TSTOREDFORM", bytes.substr(0, length));
        EXPECT_THROW(new TStoredForm(gui::Application()), rtl::EReadError) << length;
        EXPECT_EQ(gui::Screen()->FormCount(), 0);
    }
}

TEST_F(FormTest, ClosingAskesOnCloseQueryThenDoesWhatOnCloseSays)
{
    gui::TForm* form = MakeForm();
    struct Handlers {
        bool canClose = true;
        gui::TCloseAction action = gui::caHide;
        void Query(classes::TObject*, bool& close) { close = canClose; }
        void Close(classes::TObject*, gui::TCloseAction& a) { a = action; }
    } handlers;
    form->OnCloseQuery = gui::TCloseQueryEvent::Of<&Handlers::Query>(&handlers);
    form->OnClose = gui::TCloseEvent::Of<&Handlers::Close>(&handlers);
    form->Show();
    handlers.canClose = false;
    form->Close();
    EXPECT_TRUE(form->Visible());
    handlers.canClose = true;
    handlers.action = gui::caNone;
    form->Close();
    EXPECT_TRUE(form->Visible());
    handlers.action = gui::caHide;
    form->Close();
    EXPECT_FALSE(form->Visible());
    EXPECT_FALSE(win::IsWindowVisible(form->Handle()));
    form->Show();
    handlers.action = gui::caFree;
    form->Close();
    EXPECT_EQ(gui::Screen()->FormCount(), 1) << "freed once the posted release arrives";
    driver.Pump();
    EXPECT_EQ(gui::Screen()->FormCount(), 0);
}

TEST_F(FormTest, PositionsAppliedAtTheFirstShowingKeepTheCaptionInTheWorkArea)
{
    const win::RECT work = gui::Screen()->WorkAreaRect();
    gui::TForm* centred = MakeForm(301, 201, "Centred");
    centred->SetPosition(gui::poScreenCenter);
    centred->Show();
    EXPECT_EQ(centred->Left(), work.left + (work.right - work.left - centred->Width()) / 2);
    EXPECT_EQ(centred->Top(), work.top + (work.bottom - work.top - centred->Height()) / 2);
    gui::TForm* owned = MakeForm(151, 81, "Owned");
    owned->SetPosition(gui::poMainFormCenter);
    gui::Application()->SetMainForm(centred);
    owned->Show();
    EXPECT_EQ(owned->Left(), centred->Left() + (centred->Width() - owned->Width()) / 2);
    EXPECT_EQ(owned->Top(), centred->Top() + (centred->Height() - owned->Height()) / 2);
    // Far off the screen: brought back, the caption in the work area.
    gui::TForm* away = MakeForm(200, 100, "Away");
    away->SetBounds(work.right - 50, work.bottom + 500, away->Width(), away->Height());
    away->SetPosition(gui::poOwnerFormCenter);
    away->Show();
    EXPECT_GE(away->Top(), work.top);
    EXPECT_LE(away->Top() + away->Height(), work.bottom);
    // Moved by the user afterwards, a form keeps its place when it shows again.
    centred->Hide();
    centred->SetLeft(5);
    centred->Show();
    EXPECT_EQ(centred->Left(), 5);
}

TEST_F(FormTest, BorderStylesAndIconsMakeTheWindowsFrame)
{
    struct Case {
        gui::TFormBorderStyle style;
        gui::TBorderIcons icons;
        win::DWORD wanted;
        win::DWORD unwanted;
        win::DWORD exWanted;
    };
    const gui::TBorderIcons all = (1u << gui::biSystemMenu) | (1u << gui::biMinimize) | (1u << gui::biMaximize);
    const Case cases[] = {
        {gui::bsNone, all, win::WS_POPUP, win::WS_CAPTION | win::WS_SYSMENU, 0},
        {gui::bsSingle, all, win::WS_CAPTION | win::WS_SYSMENU | win::WS_MINIMIZEBOX, win::WS_THICKFRAME, 0},
        {gui::bsSizeable, 1u << gui::biSystemMenu, win::WS_THICKFRAME | win::WS_SYSMENU, win::WS_MINIMIZEBOX, 0},
        {gui::bsDialog, all, win::WS_CAPTION | win::WS_POPUP, win::WS_MINIMIZEBOX | win::WS_MAXIMIZEBOX,
         win::WS_EX_DLGMODALFRAME},
        {gui::bsToolWindow, all, win::WS_CAPTION, win::WS_THICKFRAME, win::WS_EX_TOOLWINDOW},
        {gui::bsSizeToolWin, all, win::WS_THICKFRAME, 0, win::WS_EX_TOOLWINDOW},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.style));
        gui::TForm* form = MakeForm(100, 50, "Framed");
        form->SetBorderStyle(c.style);
        form->SetBorderIcons(c.icons);
        form->SetFormStyle(gui::fsStayOnTop);
        const win::HWND hwnd = form->Handle();
        const auto style = win::DWORD(win::GetWindowLongPtr(hwnd, win::GWL_STYLE));
        const auto exStyle = win::DWORD(win::GetWindowLongPtr(hwnd, win::GWL_EXSTYLE));
        EXPECT_EQ(style & c.wanted, c.wanted);
        EXPECT_EQ(style & c.unwanted, 0u);
        EXPECT_EQ(exStyle & c.exWanted, c.exWanted);
        EXPECT_NE(exStyle & win::WS_EX_TOPMOST, 0u);
        EXPECT_EQ(win::GetWindow(hwnd, win::GW_OWNER), gui::Application()->Handle())
            << "owned by the application's window";
        delete form;
    }
}

// --- modal runs ---

class ModalTest : public ControlsTest {
protected:
    struct Handlers {
        int queries = 0;
        bool refuseOnce = false;
        void Query(classes::TObject*, bool& close)
        {
            ++queries;
            if (refuseOnce) {
                refuseOnce = false;
                close = false;
            }
        }
    };
};

TEST_F(ModalTest, AScriptedModalResultEndsTheRunWithIt)
{
    gui::TForm* owner = MakeForm(200, 100, "Owner");
    owner->Show();
    gui::TForm* dialog = MakeForm(100, 50, "Dialog");
    Handlers handlers;
    dialog->OnCloseQuery = gui::TCloseQueryEvent::Of<&Handlers::Query>(&handlers);
    // Another visible window of the thread, and one already disabled that must stay so.
    gui::TForm* other = MakeForm(100, 50, "Other");
    other->Show();
    gui::TForm* disabled = MakeForm(100, 50, "Disabled");
    disabled->Show();
    win::EnableWindow(disabled->Handle(), win::FALSE);
    owner->Show();
    ASSERT_EQ(win::GetActiveWindow(), owner->Handle());
    bool ownerDisabledDuring = false;
    bool otherDisabledDuring = false;
    driver.At(clock.TickCount64() + 100, [&] {
        ownerDisabledDuring = !win::IsWindowEnabled(owner->Handle());
        otherDisabledDuring = !win::IsWindowEnabled(other->Handle());
        handlers.refuseOnce = true;
        dialog->SetModalResult(gui::mrOk);
    });
    driver.At(clock.TickCount64() + 200, [&] { dialog->SetModalResult(gui::mrOk); });
    EXPECT_EQ(dialog->ShowModal(), gui::mrOk);
    EXPECT_EQ(handlers.queries, 2) << "a refused close query keeps the form open";
    EXPECT_GE(clock.TickCount64(), 200u + 10000u);
    EXPECT_TRUE(ownerDisabledDuring);
    EXPECT_TRUE(otherDisabledDuring);
    EXPECT_TRUE(win::IsWindowEnabled(owner->Handle()));
    EXPECT_TRUE(win::IsWindowEnabled(other->Handle()));
    EXPECT_FALSE(win::IsWindowEnabled(disabled->Handle())) << "exactly the windows it disabled come back";
    EXPECT_FALSE(dialog->Visible());
    EXPECT_EQ(win::GetActiveWindow(), owner->Handle()) << "the window active before is active again";
}

TEST_F(ModalTest, TheCloseBoxEndsAModalRunWithCancel)
{
    gui::TForm* dialog = MakeForm(200, 100, "Dialog");
    driver.At(clock.TickCount64() + 50, [&] {
        // The close box at the right end of the caption.
        win::RECT frame;
        win::GetWindowRect(dialog->Handle(), &frame);
        const win::POINT origin = dialog->ClientOrigin();
        const int captionMiddle = (frame.top + origin.y) / 2 - origin.y;
        driver.Click(dialog->Handle(), win::TestDriver::Button::Left, frame.right - origin.x - 8, captionMiddle);
    });
    EXPECT_EQ(dialog->ShowModal(), gui::mrCancel);
    EXPECT_FALSE(dialog->Visible());
}

TEST_F(ModalTest, AVisibleFormCannotRunModally)
{
    gui::TForm* form = MakeForm();
    form->Show();
    try {
        form->ShowModal();
        ADD_FAILURE() << "ran modally";
    } catch (const rtl::EInvalidOperation& e) {
        EXPECT_EQ(e.Message(), "Cannot make a visible window modal");
    }
}

TEST_F(ModalTest, AModalRunWithNothingToWaitForFailsNamingTheLoop)
{
    gui::TForm* owner = MakeForm(200, 100, "Owner");
    owner->Show();
    gui::TForm* dialog = MakeForm(100, 50, "Dialog");
    try {
        dialog->ShowModal();
        ADD_FAILURE() << "waited for ever";
    } catch (const win::EStalled& e) {
        EXPECT_EQ(e.Message(), "Nothing scripted and no timer due while TCustomForm.ShowModal waits for a message");
    }
    EXPECT_FALSE(dialog->Visible());
    EXPECT_TRUE(win::IsWindowEnabled(owner->Handle())) << "what the run disabled is enabled again";
    EXPECT_EQ(driver.Stalls().size(), 1u);
    driver.ClearStalls();
}

TEST_F(FormTest, TheWindowStateFollowsTheFormTheUserAndTheApplication)
{
    gui::TForm* form = nullptr;
    gui::Application()->CreateForm(form);
    form->SetBounds(100, 100, 300, 200);
    form->SetWindowState(gui::wsMaximized);
    form->SetAlphaBlend(true);
    form->SetAlphaBlendValue(300);
    form->Show();
    driver.Pump();
    EXPECT_TRUE(win::IsZoomed(form->Handle())) << "the state set before showing applies when it shows";
    win::BYTE alpha = 0;
    win::DWORD flags = 0;
    ASSERT_TRUE(win::GetLayeredWindowAttributes(form->Handle(), nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 255) << "the opacity is kept within a byte";
    // The user minimizes the window: the form knows.
    win::ShowWindow(form->Handle(), win::SW_MINIMIZE);
    driver.Pump();
    EXPECT_EQ(form->WindowState(), gui::wsMinimized);
    form->SetWindowState(gui::wsNormal);
    driver.Pump();
    EXPECT_FALSE(win::IsIconic(form->Handle()));
    EXPECT_FALSE(win::IsZoomed(form->Handle()));
    win::RECT frame;
    win::GetWindowRect(form->Handle(), &frame);
    EXPECT_EQ(frame, (win::RECT{100, 100, 400, 300})) << "back where it was";
    // The application minimizes and restores its main form.
    gui::Application()->Minimize();
    driver.Pump();
    EXPECT_TRUE(win::IsIconic(form->Handle()));
    EXPECT_EQ(form->WindowState(), gui::wsMinimized);
    gui::Application()->Restore();
    driver.Pump();
    EXPECT_FALSE(win::IsIconic(form->Handle()));
    EXPECT_EQ(form->WindowState(), gui::wsNormal);
}

TEST_F(FormTest, ActivatingAnotherFormDeactivatesTheOneBefore)
{
    gui::TForm* first = MakeForm(200, 100, "First");
    gui::TForm* second = MakeForm(200, 100, "Second");
    struct Activation {
        void Activate(classes::TObject* sender) { Log().push_back(Name(sender) + " activate"); }
        void Deactivate(classes::TObject* sender) { Log().push_back(Name(sender) + " deactivate"); }
        static std::string Name(classes::TObject* o) { return static_cast<classes::TComponent*>(o)->Name(); }
    } activation;
    for (gui::TForm* form : {first, second}) {
        form->OnActivate = classes::TNotifyEvent::Of<&Activation::Activate>(&activation);
        form->OnDeactivate = classes::TNotifyEvent::Of<&Activation::Deactivate>(&activation);
    }
    first->Show();
    second->Show();
    win::SetActiveWindow(first->Handle());
    driver.Pump();
    const std::vector<std::string> expected = {"First activate", "First deactivate", "Second activate",
                                               "Second deactivate", "First activate"};
    EXPECT_EQ(Log(), expected);
    EXPECT_TRUE(first->Active());
    EXPECT_FALSE(second->Active());
}

TEST_F(FormTest, APopupParentOwnsTheFormsWindow)
{
    gui::TForm* parent = MakeForm(200, 100, "Parent");
    gui::TForm* popup = MakeForm(100, 50, "Popup");
    popup->SetPopupParent(parent);
    EXPECT_EQ(popup->PopupMode(), gui::pmExplicit);
    EXPECT_EQ(win::GetWindow(popup->Handle(), win::GW_OWNER), parent->Handle());
    delete parent;
    EXPECT_EQ(popup->PopupParent(), nullptr);
}

TEST_F(FormTest, AFrameReadsItsControlsAndGoesIntoAFormAsOneControl)
{
    const std::string text = R"(object Frame: TStoredFrame
  Left = 0
  Top = 0
  Width = 200
  Height = 60
  TabOrder = 0
  object Field: TTestControl
    Left = 8
    Top = 8
    Width = 120
    Height = 20
    TabOrder = 0
    Caption = 'in the frame'
  end
  object Ticker: TTimer
    Interval = 100
    OnTimer = TimerTick
  end
end
)";
    classes::RegisterClass(TStoredFrame::StaticClass());
    resources.AddForm("TSTOREDFRAME", text);
    gui::TForm* form = MakeForm(300, 200);
    auto* frame = new TStoredFrame(form);
    frame->SetParent(form);
    frame->SetTop(50);
    ASSERT_NE(frame->field, nullptr) << "bound after reading";
    EXPECT_EQ(frame->field->Owner(), frame) << "the frame owns what it read";
    EXPECT_EQ(frame->field->Parent(), frame);
    EXPECT_EQ(Log(), std::vector<std::string>{"Field loaded"});
    EXPECT_EQ(form->FindComponent("Field"), nullptr);
    frame->SetTop(0);
    EXPECT_EQ(TextOf(*frame), text) << "its non-visual components are written with it";
    frame->SetTop(50);
    form->Show();
    driver.Pump();
    EXPECT_EQ(win::GetParent(frame->field->Handle()), frame->Handle());
    EXPECT_EQ(gui::GetParentForm(frame->field), form);
    win::POINT origin{0, 0};
    win::ClientToScreen(frame->field->Handle(), &origin);
    EXPECT_EQ(origin, (win::POINT{form->ClientOrigin().x + 8, form->ClientOrigin().y + 58}));
    driver.Click(frame->field->Handle(), win::TestDriver::Button::Left, 5, 5);
    driver.Pump();
    EXPECT_EQ(form->ActiveControl(), frame->field) << "the form's focus goes into the frame";
    Log().clear();
    driver.AdvanceBy(100);
    EXPECT_EQ(Log(), std::vector<std::string>{"frame tick"});
}

TEST_F(FormTest, ADataModuleReadsItsComponentsAndIsListedByTheScreen)
{
    const std::string text = R"(object Module: TStoredModule
  OldCreateOrder = False
  OnCreate = ModuleCreate
  Height = 150
  HorizontalOffset = 200
  VerticalOffset = 120
  Width = 215
  object Clock: TTimer
    Enabled = False
  end
  object Commands: TActionList
    object Open: TAction
      Caption = 'Open'
    end
  end
end
)";
    resources.AddForm("TSTOREDMODULE", text);
    auto* module = new TStoredModule(gui::Application());
    EXPECT_EQ(Log(), std::vector<std::string>{"module created"});
    EXPECT_EQ(gui::Screen()->DataModuleCount(), 1);
    EXPECT_EQ(module->DesignOffset(), (win::POINT{200, 120}));
    ASSERT_NE(module->FindComponent("Open"), nullptr);
    EXPECT_EQ(TextOf(*module), text);
    delete module;
    EXPECT_EQ(gui::Screen()->DataModuleCount(), 0);
    // Older data names the offset Left and Top.
    std::string older = text;
    const std::string offsets = "  HorizontalOffset = 200\n  VerticalOffset = 120\n";
    older.replace(older.find(offsets), offsets.size(), "  Left = 30\n  Top = 40\n");
    resources.AddForm("TSTOREDMODULE", older);
    module = new TStoredModule(gui::Application());
    EXPECT_EQ(module->DesignOffset(), (win::POINT{30, 40}));
    delete module;
}

}  // namespace
}  // namespace guitest
