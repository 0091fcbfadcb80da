// The library's popup menu on the program's own controls: a right click shows it at the mouse (only with
// AutoPopup), and the shortcut of a parent's popup menu clicks its item.

#include "controls/clControls.h"

#include "platform/gui/controls/Menus.h"
#include "platform/win/Input.h"
#include "platform/win/Menu.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"

#include "tests/controls/DrivenFixture.h"

#include <string>
#include <vector>

namespace controlstest {
namespace {

class PlainControl : public controls::TclControl {
public:
    explicit PlainControl(classes::TComponent* owner) : TclControl(owner) {}
};

class PopupMenuRoadTest : public DrivenTest {
public:
    void Clicked(classes::TObject* sender) { clicks.push_back(static_cast<gui::TMenuItem*>(sender)->Caption()); }

protected:
    void SetUp() override
    {
        DrivenTest::SetUp();
        form = new gui::TForm(nullptr);
        form->SetBorderStyle(gui::bsNone);
        form->SetBounds(100, 100, 400, 300);
        outer = new PlainControl(form);
        outer->SetBounds(10, 10, 300, 200);
        outer->SetParent(form);
        inner = new PlainControl(form);
        inner->SetBounds(10, 10, 100, 100);
        inner->SetParent(outer);
        menu = new gui::TPopupMenu(form);
        auto* item = new gui::TMenuItem(form);
        item->SetCaption("&Refresh");
        item->SetShortCut(gui::TShortCut(win::VK_F5));
        item->OnClick = classes::TNotifyEvent::Of<&PopupMenuRoadTest::Clicked>(this);
        menu->Items()->Add(item);
        outer->SetPopupMenu(menu);
        form->Show();
        driver.Pump();
    }
    void TearDown() override
    {
        delete form;
        DrivenTest::TearDown();
    }

    gui::TForm* form = nullptr;
    PlainControl* outer = nullptr;
    PlainControl* inner = nullptr;
    gui::TPopupMenu* menu = nullptr;
    std::vector<std::string> clicks;
};

TEST_F(PopupMenuRoadTest, ARightClickShowsTheMenuAtTheMouse)
{
    EXPECT_EQ(outer->PopupMenu(), menu);
    for (const bool autoPopup : {true, false}) {
        menu->SetAutoPopup(autoPopup);
        win::RECT shown{};
        bool showed = false;
        driver.At(clock.TickCount64() + 10, [&] {
            if (const win::HWND hwnd = win::FindWindow(win::MenuWindowClass, nullptr)) {
                showed = true;
                win::GetWindowRect(hwnd, &shown);
                driver.PressKey(win::VK_ESCAPE);
            }
        });
        driver.MouseDown(outer->Handle(), win::TestDriver::Button::Right, 200, 150);
        driver.MouseUp(outer->Handle(), win::TestDriver::Button::Right, 200, 150);
        driver.Pump();
        driver.AdvanceBy(20);
        EXPECT_EQ(showed, autoPopup);
        if (autoPopup) {
            const win::POINT at = outer->ClientToScreen({200, 150});
            EXPECT_EQ(shown.left, at.x);
            EXPECT_EQ(shown.top, at.y);
            EXPECT_EQ(menu->PopupComponent(), outer);
        }
    }
}

TEST_F(PopupMenuRoadTest, TheShortcutOfAParentsPopupMenuClicksItsItem)
{
    inner->SetFocus();
    driver.Pump();
    driver.PressKey(win::VK_F5);
    driver.Pump();
    EXPECT_EQ(clicks, std::vector<std::string>{"&Refresh"});
}

}  // namespace
}  // namespace controlstest
