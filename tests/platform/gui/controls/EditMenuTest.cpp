// The edit control's own context menu: items enabled by the edit's state, each choice carried out, shown
// at the mouse or, from the keyboard, at the caret; a control's own PopupMenu takes its place.

#include "platform/gui/core/Clipboard.h"
#include "platform/gui/controls/Edit.h"
#include "platform/gui/controls/Menus.h"
#include "platform/win/Caret.h"
#include "platform/win/Input.h"
#include "platform/win/Menu.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"
#include "platform/wintypes/ControlMessages.h"

#include "tests/platform/gui/core/ControlsFixture.h"

#include <functional>
#include <string>

namespace guitest {
namespace {

class EditMenuTest : public ControlsTest {
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        form = MakeForm(300, 200);
        edit = Make<gui::TEdit>(form, "Field", 10, 10, 200, 21);
        form->Show();
        edit->SetText("hello world");
        gui::Clipboard()->SetAsText("there");
        driver.Pump();
    }
    // Right-clicks the edit and runs then while the menu shows.
    void RightClick(std::function<void()> then)
    {
        driver.At(clock.TickCount64() + 10, std::move(then));
        driver.MouseDown(edit->Handle(), win::TestDriver::Button::Right, 20, 8);
        driver.MouseUp(edit->Handle(), win::TestDriver::Button::Right, 20, 8);
        driver.Pump();
    }
    static win::HMENU ShownMenu()
    {
        const win::HWND hwnd = win::FindWindow(win::MenuWindowClass, nullptr);
        return hwnd ? reinterpret_cast<win::HMENU>(win::SendMessage(hwnd, win::MN_GETHMENU, 0, 0)) : nullptr;
    }
    // The enabled items' captions without '&', separators left out.
    static std::string EnabledItems(win::HMENU menu)
    {
        std::string enabled;
        for (int i = 0; i < win::GetMenuItemCount(menu); ++i) {
            char caption[32] = "";
            win::GetMenuString(menu, win::UINT(i), caption, sizeof(caption), win::MF_BYPOSITION);
            if (caption[0] && !(win::GetMenuState(menu, win::UINT(i), win::MF_BYPOSITION) & win::MF_GRAYED)) {
                std::string text(caption);
                std::erase(text, '&');
                enabled += (enabled.empty() ? "" : ",") + text;
            }
        }
        return enabled;
    }

    gui::TForm* form = nullptr;
    gui::TEdit* edit = nullptr;
};

TEST_F(EditMenuTest, ItemsAreEnabledByTheEditsState)
{
    struct Case {
        const char* what;
        std::function<void()> setUp;
        const char* enabled;
    };
    const std::vector<Case> cases = {
        {"a selection", [&] { edit->SetSelStart(6), edit->SetSelLength(5); }, "Cut,Copy,Paste,Delete,Select All"},
        {"no selection", [&] { edit->SetSelStart(3), edit->SetSelLength(0); }, "Paste,Select All"},
        {"everything selected", [&] { edit->SetSelStart(0), edit->SetSelLength(11); }, "Cut,Copy,Paste,Delete"},
        {"read-only", [&] { edit->SetReadOnly(true), edit->SetSelStart(6), edit->SetSelLength(5); }, "Copy,Select All"},
        {"a password", [&] { edit->SetPasswordChar('*'), edit->SetSelStart(6), edit->SetSelLength(5); },
         "Paste,Delete,Select All"},
        {"an empty clipboard", [&] { gui::Clipboard()->Clear(), edit->SetSelStart(0), edit->SetSelLength(0); },
         "Select All"},
    };
    for (const Case& c : cases) {
        c.setUp();
        std::string enabled = "(no menu)";
        RightClick([&] {
            enabled = EnabledItems(ShownMenu());
            driver.PressKey(win::VK_ESCAPE);
        });
        EXPECT_EQ(enabled, c.enabled) << c.what;
        edit->SetReadOnly(false);
        edit->SetPasswordChar('\0');
    }
}

TEST_F(EditMenuTest, PasteThenUndoFromTheMenu)
{
    edit->SetSelStart(6);
    edit->SetSelLength(5);
    RightClick([&] { driver.TypeChar('p', 'P'); });
    EXPECT_EQ(edit->Text(), "hello there");
    std::string enabled;
    RightClick([&] {
        enabled = EnabledItems(ShownMenu());
        driver.TypeChar('u', 'U');
    });
    EXPECT_EQ(enabled.rfind("Undo", 0), 0u) << enabled;
    EXPECT_EQ(edit->Text(), "hello world");
    RightClick([&] { driver.TypeChar('a', 'A'); });
    EXPECT_EQ(edit->SelLength(), 11) << "Select All";
    RightClick([&] { driver.TypeChar('d', 'D'); });
    EXPECT_EQ(edit->Text(), "");
}

TEST_F(EditMenuTest, TheKeyboardShowsTheMenuAtTheCaret)
{
    edit->SetFocus();
    edit->SetSelStart(4);
    driver.Pump();
    const auto at = win::DWORD(win::SendMessage(edit->Handle(), win::EM_POSFROMCHAR, 4, 0));
    win::POINT caret{std::int16_t(win::LOWORD(at)), std::int16_t(win::HIWORD(at))};
    win::ClientToScreen(edit->Handle(), &caret);
    for (const bool menuKey : {false, true}) {
        win::RECT shown{};
        driver.At(clock.TickCount64() + 10, [&] {
            win::GetWindowRect(win::FindWindow(win::MenuWindowClass, nullptr), &shown);
            driver.PressKey(win::VK_ESCAPE);
        });
        if (menuKey) {
            driver.PressKey(win::VK_APPS);
        } else {
            driver.KeyDown(win::VK_SHIFT);
            driver.PressKey(win::VK_F10);
            driver.KeyUp(win::VK_SHIFT);
        }
        driver.Pump();
        EXPECT_EQ(shown.left, caret.x) << (menuKey ? "menu key" : "Shift+F10");
        EXPECT_EQ(shown.top, caret.y) << (menuKey ? "menu key" : "Shift+F10");
    }
}

TEST_F(EditMenuTest, TheControlsOwnPopupMenuTakesThePlaceOfTheBuiltInOne)
{
    auto* popup = new gui::TPopupMenu(form);
    auto* item = new gui::TMenuItem(form);
    item->SetCaption("&Own");
    popup->Items()->Add(item);
    edit->SetPopupMenu(popup);
    win::HMENU shown = nullptr;
    RightClick([&] {
        shown = ShownMenu();
        driver.PressKey(win::VK_ESCAPE);
    });
    EXPECT_EQ(shown, popup->Handle());
}

}  // namespace
}  // namespace guitest
