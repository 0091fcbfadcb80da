// The COMBOBOX window class on its own, under a parent that records what it is told: the notifications
// of the user's doings in their order, the simple style's list, the field's height, the dropped list's
// width and rectangle, the extended keyboard, and the dropped list's scroll bar and wheel.

#include "platform/gdi/SystemInfo.h"
#include "platform/win/Activation.h"
#include "platform/win/ComboBoxInfo.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Window.h"
#include "platform/win/WindowClass.h"
#include "platform/win/WindowPos.h"
#include "platform/wintypes/ControlMessages.h"

#include "tests/platform/commctrl/CommCtrlFixture.h"

#include <string>
#include <vector>

namespace commctrltest {
namespace {

std::vector<win::WORD>& Codes()
{
    static std::vector<win::WORD> codes;
    return codes;
}

win::LRESULT ParentProc(win::HWND hwnd, win::UINT message, win::WPARAM wParam, win::LPARAM lParam)
{
    if (message == win::WM_COMMAND && lParam != 0) {
        Codes().push_back(win::HIWORD(win::DWORD(wParam)));
        return 0;
    }
    return win::DefWindowProc(hwnd, message, wParam, lParam);
}

class ComboBoxWindowTest : public CommCtrlTest {
protected:
    void SetUp() override
    {
        CommCtrlTest::SetUp();
        win::WNDCLASS cls{};
        cls.lpfnWndProc = &ParentProc;
        cls.lpszClassName = "ComboParent";
        win::RegisterClass(&cls);
        parent = win::CreateWindowEx(0, "ComboParent", "", win::WS_POPUP | win::WS_VISIBLE, 100, 100, 400, 300, nullptr, nullptr,
                                     nullptr, nullptr);
        win::SetActiveWindow(parent);
        Codes().clear();
    }
    void TearDown() override
    {
        win::DestroyWindow(parent);
        win::UnregisterClass("ComboParent", nullptr);
        CommCtrlTest::TearDown();
    }
    win::HWND MakeCombo(win::DWORD style, std::initializer_list<const char*> items, int height = 150)
    {
        const win::HWND combo = win::CreateWindowEx(0, "COMBOBOX", "", win::WS_CHILD | win::WS_VISIBLE | style, 10, 10, 160, height,
                                                    parent, win::HandleFromValue<win::HMENU>(7), nullptr, nullptr);
        for (const char* item : items) {
            win::SendMessage(combo, win::CB_ADDSTRING, 0, reinterpret_cast<win::LPARAM>(item));
        }
        win::SetFocus(combo);
        driver.Pump();
        win::GetComboBoxInfo(combo, &info);
        Codes().clear();
        return combo;
    }
    static std::vector<win::WORD> Taken()
    {
        std::vector<win::WORD> codes = Codes();
        Codes().clear();
        return codes;
    }
    win::RECT ItemRect(int index)
    {
        win::RECT rect{};
        win::SendMessage(info.hwndList, win::LB_GETITEMRECT, win::WPARAM(index), reinterpret_cast<win::LPARAM>(&rect));
        return rect;
    }

    win::HWND parent = nullptr;
    win::COMBOBOXINFO info;
};

using Codes_ = std::vector<win::WORD>;

TEST_F(ComboBoxWindowTest, TheUsersDoingsAreNotifiedInOrder)
{
    const win::HWND combo = MakeCombo(win::CBS_DROPDOWN | win::CBS_AUTOHSCROLL, {"red", "green", "blue"});
    EXPECT_EQ(win::GetFocus(), info.hwndItem) << "the edit field takes the box's focus";

    driver.TypeChar('g');
    driver.Pump();
    EXPECT_EQ(Taken(), (Codes_{win::CBN_EDITUPDATE, win::CBN_EDITCHANGE}));

    driver.PressKey(win::VK_F4);
    driver.Pump();
    EXPECT_EQ(Taken(), (Codes_{win::CBN_DROPDOWN}));
    const win::RECT blue = ItemRect(2);
    driver.Click(info.hwndList, win::TestDriver::Button::Left, 5, int(blue.top) + 2);
    driver.Pump();
    EXPECT_EQ(Taken(), (Codes_{win::CBN_SELENDOK, win::CBN_CLOSEUP, win::CBN_SELCHANGE}));
    EXPECT_EQ(win::GetWindowText(combo), "blue");

    driver.PressKey(win::VK_F4);
    driver.PressKey(win::VK_ESCAPE);
    driver.Pump();
    EXPECT_EQ(Taken(), (Codes_{win::CBN_DROPDOWN, win::CBN_SELENDCANCEL, win::CBN_CLOSEUP}));

    // A press outside cancels too (the list tells the box, which tells its parent).
    driver.PressKey(win::VK_F4);
    driver.Pump();
    driver.Click(parent, win::TestDriver::Button::Left, 300, 250);
    driver.Pump();
    EXPECT_EQ(Taken(), (Codes_{win::CBN_DROPDOWN, win::CBN_SELENDCANCEL, win::CBN_CLOSEUP}));
    EXPECT_EQ(win::GetWindowText(combo), "blue");

    // Closed, the arrows choose: one notification each, none at the end of the list.
    driver.PressKey(win::VK_UP);
    driver.PressKey(win::VK_DOWN);
    driver.PressKey(win::VK_DOWN);
    driver.Pump();
    EXPECT_EQ(Taken(), (Codes_{win::CBN_SELCHANGE, win::CBN_SELCHANGE}));

    // Re-opened and closed with Enter without a move: no change to tell.
    driver.PressKey(win::VK_F4);
    driver.PressKey(win::VK_RETURN);
    driver.Pump();
    EXPECT_EQ(Taken(), (Codes_{win::CBN_DROPDOWN, win::CBN_SELENDOK, win::CBN_CLOSEUP}));

    win::SetFocus(parent);
    driver.Pump();
    EXPECT_EQ(Taken(), (Codes_{win::CBN_KILLFOCUS}));
    win::SetFocus(combo);
    driver.Pump();
    EXPECT_EQ(Taken(), (Codes_{win::CBN_SETFOCUS}));
}

TEST_F(ComboBoxWindowTest, TheSimpleStylesListChoosesWithAClickAndTellsOfDoubleClicks)
{
    const win::HWND combo = MakeCombo(win::CBS_SIMPLE, {"one", "two", "three"}, 120);
    ASSERT_TRUE(win::IsWindowVisible(info.hwndList));
    EXPECT_EQ(win::GetParent(info.hwndList), combo);
    const win::RECT two = ItemRect(1);
    driver.Click(info.hwndList, win::TestDriver::Button::Left, 5, int(two.top) + 2);
    driver.Pump();
    EXPECT_EQ(Taken(), (Codes_{win::CBN_SELCHANGE}));
    EXPECT_EQ(win::GetWindowText(combo), "two");
    EXPECT_EQ(win::GetFocus(), info.hwndItem) << "the list does not keep the focus";
    driver.Click(info.hwndList, win::TestDriver::Button::Left, 5, int(two.top) + 2);
    driver.Pump();
    EXPECT_EQ(Taken(), (Codes_{win::CBN_DBLCLK}));
    EXPECT_EQ(win::SendMessage(combo, win::CB_SHOWDROPDOWN, win::TRUE, 0), win::TRUE);
    EXPECT_EQ(win::SendMessage(combo, win::CB_GETDROPPEDSTATE, 0, 0), win::FALSE) << "a simple box never drops";
    win::RECT window{};
    win::GetWindowRect(combo, &window);
    EXPECT_EQ(win::Height(window), 120) << "a simple box keeps the height asked";
}

TEST_F(ComboBoxWindowTest, TheFieldHeightSetsTheBoxHeightAndTheDroppedWidthTheListWidth)
{
    const win::HWND combo = MakeCombo(win::CBS_DROPDOWNLIST, {"one", "two", "three"});
    win::RECT window{};
    win::GetWindowRect(combo, &window);
    const int field = int(win::SendMessage(combo, win::CB_GETITEMHEIGHT, win::WPARAM(-1), 0));
    EXPECT_EQ(win::Height(window), field + 6) << "a drop-down box is as high as its field and edge";
    EXPECT_EQ(win::SendMessage(combo, win::CB_SETITEMHEIGHT, win::WPARAM(-1), 30), win::CB_OKAY);
    win::GetWindowRect(combo, &window);
    EXPECT_EQ(win::Height(window), 36);
    EXPECT_EQ(win::SendMessage(combo, win::CB_SETITEMHEIGHT, 0, 20), win::CB_OKAY);
    EXPECT_EQ(win::SendMessage(combo, win::CB_GETITEMHEIGHT, 0, 0), 20);

    EXPECT_EQ(win::SendMessage(combo, win::CB_SETDROPPEDWIDTH, 100, 0), 160) << "never narrower than the box";
    EXPECT_EQ(win::SendMessage(combo, win::CB_SETDROPPEDWIDTH, 250, 0), 250);
    win::RECT expected{};
    win::SendMessage(combo, win::CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<win::LPARAM>(&expected));
    EXPECT_EQ(expected, (win::RECT{window.left, window.top, window.left + 250, window.bottom + 3 * 20 + 2}));
    win::SendMessage(combo, win::CB_SHOWDROPDOWN, win::TRUE, 0);
    win::RECT list{};
    win::GetWindowRect(info.hwndList, &list);
    EXPECT_EQ(list, (win::RECT{window.left, window.bottom, window.left + 250, window.bottom + 62}));
    win::SendMessage(combo, win::CB_SHOWDROPDOWN, win::FALSE, 0);
    EXPECT_EQ(Taken(), (Codes_{win::CBN_DROPDOWN, win::CBN_CLOSEUP}));
}

TEST_F(ComboBoxWindowTest, TheExtendedKeyboardOpensWithDown)
{
    const win::HWND combo = MakeCombo(win::CBS_DROPDOWNLIST, {"one", "two"});
    driver.PressKey(win::VK_DOWN);
    driver.Pump();
    EXPECT_EQ(win::SendMessage(combo, win::CB_GETDROPPEDSTATE, 0, 0), win::FALSE);
    EXPECT_EQ(win::SendMessage(combo, win::CB_GETCURSEL, 0, 0), 0);
    win::SendMessage(combo, win::CB_SETEXTENDEDUI, win::TRUE, 0);
    EXPECT_EQ(win::SendMessage(combo, win::CB_GETEXTENDEDUI, 0, 0), win::TRUE);
    driver.PressKey(win::VK_DOWN);
    driver.Pump();
    EXPECT_EQ(win::SendMessage(combo, win::CB_GETDROPPEDSTATE, 0, 0), win::TRUE);
    EXPECT_EQ(win::SendMessage(combo, win::CB_GETCURSEL, 0, 0), 0);
}

TEST_F(ComboBoxWindowTest, TheDroppedListScrollsByItsBarAndTheWheelWithoutClosing)
{
    std::vector<std::string> names;
    for (int i = 0; i < 40; ++i) {
        names.push_back("Item " + std::to_string(i));
    }
    const win::HWND combo = MakeCombo(win::CBS_DROPDOWNLIST, {});
    for (const std::string& name : names) {
        win::SendMessage(combo, win::CB_ADDSTRING, 0, reinterpret_cast<win::LPARAM>(name.c_str()));
    }
    win::SendMessage(combo, win::CB_SETMINVISIBLE, 8, 0);
    driver.PressKey(win::VK_F4);
    driver.Pump();
    ASSERT_EQ(win::SendMessage(combo, win::CB_GETDROPPEDSTATE, 0, 0), win::TRUE);
    win::RECT client{};
    win::GetClientRect(info.hwndList, &client);
    // The bar's down arrow, right of the client area.
    driver.Click(info.hwndList, win::TestDriver::Button::Left, int(client.right) + 3, int(client.bottom) - 3);
    driver.Pump();
    EXPECT_EQ(win::SendMessage(combo, win::CB_GETDROPPEDSTATE, 0, 0), win::TRUE);
    EXPECT_EQ(win::SendMessage(combo, win::CB_GETTOPINDEX, 0, 0), 1);
    driver.Wheel(info.hwndList, -120, 5, 5);
    driver.Pump();
    EXPECT_EQ(win::SendMessage(combo, win::CB_GETDROPPEDSTATE, 0, 0), win::TRUE);
    EXPECT_GT(win::SendMessage(combo, win::CB_GETTOPINDEX, 0, 0), 1);
    EXPECT_EQ(win::GetCapture(), info.hwndList);
}

}  // namespace
}  // namespace commctrltest
