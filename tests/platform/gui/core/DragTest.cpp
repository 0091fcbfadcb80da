// Dragging between controls with the mouse, and docking controls and forms into dock sites and out again.

#include "platform/gui/graphics/Bitmap.h"
#include "platform/gui/core/DockForm.h"
#include "platform/gui/core/Drag.h"
#include "platform/gui/core/Messages.h"
#include "platform/gui/core/Screen.h"
#include "platform/gui/graphics/ImageList.h"
#include "platform/win/Cursor.h"
#include "platform/win/Input.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"

#include "tests/platform/gui/core/ControlsFixture.h"

namespace guitest {
namespace {

struct DragEvents {
    std::vector<std::string> seen;
    bool accept = true;
    static std::string Name(classes::TObject* object)
    {
        auto* component = dynamic_cast<classes::TComponent*>(object);
        return component ? component->Name() : object ? object->ClassName() : "nothing";
    }
    void StartDrag(classes::TObject* sender, gui::TDragObject*&) { seen.push_back("start " + Name(sender)); }
    void DragOver(classes::TObject* sender, classes::TObject* source, int, int, gui::TDragState state, bool& accepted)
    {
        if (state == gui::dsDragEnter) {
            seen.push_back("over " + Name(sender) + " from " + Name(source));
        }
        accepted = accept;
    }
    void DragDrop(classes::TObject* sender, classes::TObject* source, int x, int y)
    {
        seen.push_back("drop on " + Name(sender) + " from " + Name(source) + " at " + std::to_string(x) + "," +
                       std::to_string(y));
    }
    void EndDrag(classes::TObject* sender, classes::TObject* target, int x, int y)
    {
        seen.push_back("end " + Name(sender) + " on " + Name(target) + " at " + std::to_string(x) + "," +
                       std::to_string(y));
    }
};

class DragTest : public ControlsTest {
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        form = MakeForm(400, 300);
        source = Make<TTestControl>(form, "Source", 10, 10, 80, 30);
        target = Make<TTestControl>(form, "Target", 200, 10, 80, 30);
        refusing = Make<TTestControl>(form, "Refusing", 200, 100, 80, 30);
        source->SetDragMode(gui::dmAutomatic);
        source->OnStartDrag = gui::TStartDragEvent::Of<&DragEvents::StartDrag>(&events);
        source->OnEndDrag = gui::TEndDragEvent::Of<&DragEvents::EndDrag>(&events);
        target->OnDragOver = gui::TDragOverEvent::Of<&DragEvents::DragOver>(&events);
        target->OnDragDrop = gui::TDragDropEvent::Of<&DragEvents::DragDrop>(&events);
        refusing->OnDragOver = gui::TDragOverEvent::Of<&DragEvents::DragOver>(&refuser);
        refuser.accept = false;
        form->Show();
        driver.Pump();
    }

    win::HCURSOR CursorOf(gui::TCursor id) const { return gui::Screen()->Cursors(id); }

    gui::TForm* form = nullptr;
    TTestControl* source = nullptr;
    TTestControl* target = nullptr;
    TTestControl* refusing = nullptr;
    DragEvents events;
    DragEvents refuser;
};

TEST_F(DragTest, AControlDraggedOntoAnAcceptingTargetIsDroppedThere)
{
    driver.MouseDown(source->Handle(), win::TestDriver::Button::Left, 10, 10);
    driver.Pump();
    EXPECT_TRUE(source->Dragging());
    EXPECT_EQ(win::GetCursor(), CursorOf(gui::crNoDrop)) << "over itself, which takes nothing";
    driver.MouseMove(refusing->Handle(), 5, 5);
    driver.Pump();
    EXPECT_EQ(win::GetCursor(), CursorOf(gui::crNoDrop));
    driver.MouseMove(target->Handle(), 20, 15);
    driver.Pump();
    EXPECT_EQ(win::GetCursor(), CursorOf(gui::crDrag));
    driver.MouseUp(target->Handle(), win::TestDriver::Button::Left, 20, 15);
    driver.Pump();
    EXPECT_FALSE(source->Dragging());
    const std::vector<std::string> expected = {"start Source", "over Target from Source",
                                               "drop on Target from Source at 20,15", "end Source on Target at 20,15"};
    EXPECT_EQ(events.seen, expected);
    EXPECT_EQ(refuser.seen, std::vector<std::string>{"over Refusing from Source"});
    EXPECT_EQ(win::GetCapture(), nullptr);
}

TEST_F(DragTest, EscEndsADragWithoutATarget)
{
    driver.MouseDown(source->Handle(), win::TestDriver::Button::Left, 10, 10);
    driver.Pump();
    driver.MouseMove(target->Handle(), 20, 15);
    driver.Pump();
    ASSERT_TRUE(source->Dragging());
    driver.PressKey(win::VK_ESCAPE);
    driver.Pump();
    EXPECT_FALSE(source->Dragging());
    driver.MouseUp(target->Handle(), win::TestDriver::Button::Left, 20, 15);
    driver.Pump();
    const std::vector<std::string> expected = {"start Source", "over Target from Source", "end Source on nothing at 0,0"};
    EXPECT_EQ(events.seen, expected);
}

TEST_F(DragTest, ADragThatWaitsForItsThresholdStartsOnlyOnceTheMouseMovedFarEnough)
{
    source->SetDragMode(gui::dmManual);
    driver.MouseMove(source->Handle(), 1, 1);
    driver.Pump();
    source->BeginDrag(false, 5);
    EXPECT_TRUE(source->Dragging());
    EXPECT_FALSE(gui::DragActive());
    driver.MouseMove(source->Handle(), 3, 3);
    driver.Pump();
    EXPECT_FALSE(gui::DragActive());
    driver.MouseMove(target->Handle(), 20, 15);
    driver.Pump();
    EXPECT_TRUE(gui::DragActive());
    source->EndDrag(false);
    EXPECT_FALSE(source->Dragging());
}

TEST_F(DragTest, ADragCancelledWhileItStartsNeverStarts)
{
    struct Refusing {
        DragEvents* events;
        void StartDrag(classes::TObject* sender, gui::TDragObject*& object)
        {
            events->StartDrag(sender, object);
            gui::CancelDrag();
        }
    } refusingStart{&events};
    source->OnStartDrag = gui::TStartDragEvent::Of<&Refusing::StartDrag>(&refusingStart);
    driver.MouseDown(source->Handle(), win::TestDriver::Button::Left, 10, 10);
    driver.Pump();
    EXPECT_FALSE(source->Dragging());
    EXPECT_EQ(gui::DragObject(), nullptr);
    driver.MouseMove(target->Handle(), 20, 15);
    driver.MouseUp(target->Handle(), win::TestDriver::Button::Left, 20, 15);
    driver.Pump();
    EXPECT_EQ(events.seen, std::vector<std::string>{"start Source"}) << "no drop and no end";
    EXPECT_EQ(win::GetCapture(), nullptr);

    // The next drag starts as usual.
    source->OnStartDrag = gui::TStartDragEvent::Of<&DragEvents::StartDrag>(&events);
    source->BeginDrag(true, -1);
    EXPECT_TRUE(source->Dragging());
    source->EndDrag(false);
}

TEST_F(DragTest, AnExceptionInAHandlerEndsTheDragAndTheCapture)
{
    struct Failing {
        void Over(classes::TObject*, classes::TObject*, int, int, gui::TDragState, bool&)
        {
            throw rtl::EInvalidOperation("the target broke");
        }
        void Exception(classes::TObject*, const std::exception& e) { seen.push_back(e.what()); }
        std::vector<std::string> seen;
    } failing;
    target->OnDragOver = gui::TDragOverEvent::Of<&Failing::Over>(&failing);
    gui::Application()->OnException = gui::TExceptionEvent::Of<&Failing::Exception>(&failing);
    driver.MouseDown(source->Handle(), win::TestDriver::Button::Left, 10, 10);
    driver.Pump();
    driver.MouseMove(target->Handle(), 20, 15);
    driver.Pump();
    EXPECT_EQ(failing.seen, std::vector<std::string>{"the target broke"});
    EXPECT_FALSE(source->Dragging());
    EXPECT_EQ(win::GetCapture(), nullptr);
}

// A control that shows a picture of itself while it is dragged.
class TPictured : public TTestControl {
public:
    explicit TPictured(classes::TComponent* owner) : TTestControl(owner), images(16, 16)
    {
        gui::TBitmap picture;
        picture.SetSize(16, 16);
        picture.Canvas()->Brush()->SetColor(gui::clRed);
        picture.Canvas()->FillRect({0, 0, 16, 16});
        images.Add(&picture, nullptr);
    }
    gui::TDragImageList* GetDragImages() override { return &images; }
    gui::TDragImageList images;
};

TEST_F(DragTest, TheDragImageFollowsTheDragAndEndsWithIt)
{
    auto* pictured = Make<TPictured>(form, "Pictured", 10, 200, 80, 30);
    pictured->SetDragMode(gui::dmAutomatic);
    driver.MouseDown(pictured->Handle(), win::TestDriver::Button::Left, 5, 5);
    driver.Pump();
    EXPECT_TRUE(pictured->images.Dragging());
    driver.MouseMove(target->Handle(), 10, 10);
    driver.Pump();
    EXPECT_TRUE(pictured->images.Dragging());
    driver.MouseUp(target->Handle(), win::TestDriver::Button::Left, 10, 10);
    driver.Pump();
    EXPECT_FALSE(pictured->images.Dragging());
    EXPECT_FALSE(pictured->Dragging());
}

// --- docking ---

class TDockSite : public TTestPanel {
public:
    using TTestPanel::TTestPanel;
    void Dispatch(win::TMessage& message) override
    {
        switch (message.Msg) {
        case gui::CM_DOCKCLIENT:
            Log().push_back("dock client");
            break;
        case gui::CM_UNDOCKCLIENT:
            Log().push_back(std::string("undock client to ") + (message.WParam ? "a site" : "the open"));
            break;
        case gui::CM_DOCKNOTIFICATION: {
            const auto* notify = reinterpret_cast<const gui::TDockNotifyRec*>(message.LParam);
            if (notify->clientMsg == win::WM_SETTEXT) {
                Log().push_back(std::string("client text ") + reinterpret_cast<const char*>(notify->msgLParam));
            } else if (notify->clientMsg == gui::CM_VISIBLECHANGED) {
                Log().push_back(notify->msgWParam ? "client shown" : "client hidden");
            }
            break;
        }
        default:
            break;
        }
        TTestPanel::Dispatch(message);
    }
};

class DockTest : public ControlsTest {
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        form = MakeForm(400, 300);
        site = Make<TDockSite>(form, "Site", 0, 0, 200, 300);
        site->SetDockSite(true);
        form->Show();
        driver.Pump();
    }

    gui::TForm* form = nullptr;
    TDockSite* site = nullptr;
};

TEST_F(DockTest, AFormDocksIntoASiteTellsItOfItsTextAndFloatsAgain)
{
    gui::TForm* tool = MakeForm(120, 80, "Tool");
    tool->SetCaption("Tools");
    tool->Show();
    Log().clear();
    EXPECT_TRUE(tool->Floating());
    ASSERT_TRUE(tool->ManualDock(site));
    EXPECT_EQ(Log(), std::vector<std::string>{"dock client"});
    EXPECT_EQ(tool->HostDockSite(), site);
    EXPECT_EQ(tool->Parent(), site);
    EXPECT_EQ(site->DockClientCount(), 1);
    EXPECT_EQ(site->DockClients(0), tool);
    EXPECT_FALSE(tool->Floating());
    EXPECT_EQ(win::GetParent(tool->Handle()), site->Handle()) << "a child window of the site now";
    EXPECT_NE(win::GetWindowLongPtr(tool->Handle(), win::GWL_STYLE) & win::WS_CHILD, 0);
    EXPECT_TRUE(win::IsWindowVisible(tool->Handle()));
    EXPECT_EQ(tool->Caption(), "Tools");

    Log().clear();
    tool->SetCaption("Renamed");
    EXPECT_EQ(Log(), std::vector<std::string>{"client text Renamed"});

    Log().clear();
    const win::RECT floatAt{500, 300, 640, 400};
    ASSERT_TRUE(tool->ManualFloat(floatAt));
    EXPECT_EQ(Log(), std::vector<std::string>{"undock client to the open"});
    EXPECT_EQ(tool->HostDockSite(), nullptr);
    EXPECT_EQ(tool->Parent(), nullptr);
    EXPECT_EQ(site->DockClientCount(), 0);
    EXPECT_TRUE(tool->Floating());
    EXPECT_TRUE(win::IsWindowVisible(tool->Handle())) << "shown floating";
    EXPECT_EQ(win::GetWindowLongPtr(tool->Handle(), win::GWL_STYLE) & win::WS_CHILD, 0);
    win::RECT frame;
    win::GetWindowRect(tool->Handle(), &frame);
    EXPECT_EQ(frame, floatAt);
    EXPECT_EQ(tool->Caption(), "Renamed");
}

TEST_F(DockTest, ASiteMayRefuseToLetAClientGo)
{
    gui::TForm* tool = MakeForm(120, 80, "Tool");
    tool->ManualDock(site);
    struct Keeper {
        void UnDock(classes::TObject*, gui::TControl*, gui::TWinControl*, bool& allow) { allow = false; }
    } keeper;
    site->OnUnDock = gui::TUnDockEvent::Of<&Keeper::UnDock>(&keeper);
    EXPECT_FALSE(tool->ManualFloat({0, 0, 100, 100}));
    EXPECT_EQ(tool->HostDockSite(), site);
}

TEST_F(DockTest, AControlFloatsInAHostFormThatGoesWhenTheControlLeaves)
{
    auto* pane = Make<TTestControl>(form, "Pane", 250, 10, 100, 60);
    pane->SetCaption("Pane");
    pane->ManualDock(site);
    EXPECT_EQ(pane->HostDockSite(), site);
    ASSERT_TRUE(pane->ManualFloat({300, 300, 400, 360}));
    auto* host = dynamic_cast<gui::TCustomDockForm*>(pane->HostDockSite());
    ASSERT_NE(host, nullptr);
    EXPECT_TRUE(pane->Floating());
    EXPECT_EQ(host->Caption(), "Pane");
    EXPECT_TRUE(win::IsWindowVisible(host->Handle()));
    EXPECT_EQ(host->ClientWidth(), 100);
    EXPECT_EQ(pane->BoundsRect(), (win::RECT{0, 0, 100, 60})) << "filling the host";
    const int forms = gui::Screen()->CustomFormCount();
    pane->ManualDock(site);
    driver.Pump();
    EXPECT_EQ(pane->HostDockSite(), site);
    EXPECT_EQ(gui::Screen()->CustomFormCount(), forms - 1) << "the empty host is gone";
}

TEST_F(DockTest, ADockDragDropsAControlIntoTheSiteUnderTheMouse)
{
    auto* pane = Make<TTestControl>(form, "Pane", 250, 10, 100, 60);
    pane->SetDragKind(gui::dkDock);
    pane->SetDragMode(gui::dmAutomatic);
    struct Dropped {
        std::vector<std::string> seen;
        void Drop(classes::TObject*, gui::TDragDockObject* source, int, int)
        {
            seen.push_back("dropped " + source->Control()->Name());
        }
    } dropped;
    site->OnDockDrop = gui::TDockDropEvent::Of<&Dropped::Drop>(&dropped);
    Log().clear();
    // The user's hand takes its time: each step is handled before the next.
    driver.MouseDown(pane->Handle(), win::TestDriver::Button::Left, 5, 5);
    driver.Pump();
    driver.MouseMove(site->Handle(), 50, 50);
    driver.Pump();
    driver.MouseUp(site->Handle(), win::TestDriver::Button::Left, 50, 50);
    driver.Pump();
    EXPECT_EQ(pane->HostDockSite(), site);
    EXPECT_EQ(pane->Parent(), site);
    EXPECT_EQ(dropped.seen, std::vector<std::string>{"dropped Pane"});
    EXPECT_EQ(Log(), std::vector<std::string>{"dock client"});
}

}  // namespace
}  // namespace guitest
