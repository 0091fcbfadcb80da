// The go-to-tab menu: opened by the go-to-tab button below it, listing the selectable tabs (sorted on
// request), choosing with the keys, and closing without a choice.

#include "controls/pagecontrol/clPCGoDialog.h"
#include "tests/controls/pagecontrol/TabFixture.h"

#include "platform/gui/controls/Menus.h"
#include "platform/win/Input.h"
#include "platform/win/Menu.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"

#include <functional>
#include <string>
#include <vector>

namespace pctest {
namespace {

using namespace pagecontrol;

struct ChangeLog {
    std::vector<std::string> events;
    void Changing(classes::TObject*, bool&) { events.push_back("changing"); }
    void Change(classes::TObject*) { events.push_back("change"); }
};

class GoDialogTest : public TabTest {
protected:
    TclCustomTabControl* MakeWithGo(const std::vector<std::string>& captions)
    {
        TclCustomTabControl* control = Make(300, 200, captions);
        control->SetTabWidth(60);
        control->SetOptions(clPCDefaultOptions | clPCOptionBit(pcoGoDialog));
        control->OnChanging = TclTabChangingEvent::Of<&ChangeLog::Changing>(&log);
        control->OnChange = classes::TNotifyEvent::Of<&ChangeLog::Change>(&log);
        return control;
    }
    // While the menu runs: notes where it is and its entries, then acts.
    void WhileOpen(TclCustomTabControl* control, std::function<void()> act)
    {
        driver.At(clock.TickCount64() + 10, [this, control, act] {
            win::GetWindowRect(win::FindWindow(win::MenuWindowClass, nullptr), &shownAt);
            entries.clear();
            gui::TMenuItem* items = control->GoDialog()->Items();
            for (int i = 0; i < items->Count(); ++i) {
                entries.push_back(items->Items(i)->Caption());
            }
            act();
        });
    }
    void ClickGo(TclCustomTabControl* control)
    {
        driver.MouseDown(control->Handle(), win::TestDriver::Button::Left, 294, 10);
        driver.MouseUp(control->Handle(), win::TestDriver::Button::Left, 294, 10);
        driver.Pump();
    }

    ChangeLog log;
    win::RECT shownAt{};
    std::vector<std::string> entries;
};

TEST_F(GoDialogTest, TheMenuOpensBelowTheButtonAndListsTheSelectableTabsSorted)
{
    TclCustomTabControl* control = MakeWithGo({"Torque", "AC Motor", "Ohms Law", "Off"});
    control->Tabs()->Tab(3)->SetEnabled(false);
    control->SetOptions(control->Options() | clPCOptionBit(pcoSort));
    ASSERT_EQ(static_cast<TclPCStandardPainter*>(control->Painter())->NavigatorButtonBounds(nbGoDialog),
              (win::RECT{288, 0, 300, 20}));
    WhileOpen(control, [this] { driver.PressKey(win::VK_ESCAPE); });
    ClickGo(control);
    const win::POINT corner = control->ClientToScreen({288, 20});
    EXPECT_EQ(shownAt.left, corner.x);
    EXPECT_EQ(shownAt.top, corner.y);
    EXPECT_EQ(entries, (std::vector<std::string>{"AC Motor", "Ohms Law", "Torque"}));
    EXPECT_TRUE(log.events.empty()) << "Esc only closes";
    EXPECT_FALSE(control->IsGoDialogOpen());
    EXPECT_EQ(control->NavigatorButtonState(nbGoDialog), nbsHotTrack) << "no longer pressed; the pointer is on it";
    EXPECT_EQ(control->PressedNavigatorButton(), 0);
}

TEST_F(GoDialogTest, KeysChooseATabWithOneEventPairAndTheCurrentTabsEntryFiresNothing)
{
    TclCustomTabControl* control = MakeWithGo({"Torque", "AC Motor", "Ohms Law"});
    WhileOpen(control, [this] {
        driver.PressKey(win::VK_DOWN);
        driver.PressKey(win::VK_DOWN);
        driver.PressKey(win::VK_RETURN);
    });
    ClickGo(control);
    EXPECT_EQ(entries, (std::vector<std::string>{"Torque", "AC Motor", "Ohms Law"})) << "tab order unsorted";
    EXPECT_EQ(control->TabIndex(), 1);
    EXPECT_EQ(log.events, (std::vector<std::string>{"changing", "change"}));
    log.events.clear();
    WhileOpen(control, [this] {
        driver.PressKey(win::VK_DOWN);
        driver.PressKey(win::VK_DOWN);
        driver.PressKey(win::VK_RETURN);
    });
    ClickGo(control);
    EXPECT_EQ(control->TabIndex(), 1);
    EXPECT_TRUE(log.events.empty());
    EXPECT_FALSE(control->IsGoDialogOpen());
}

}  // namespace
}  // namespace pctest
