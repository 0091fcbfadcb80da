// Menu handles and their items, and the popup menu loop driven by keys and the mouse on the virtual clock.

#include "WinFixture.h"

#include "platform/gdi/SystemInfo.h"
#include "platform/win/Input.h"
#include "platform/win/Menu.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Window.h"
#include "platform/win/WindowClass.h"
#include "platform/win/WindowPos.h"
#include "platform/win/testing/TestDriver.h"

#include <functional>
#include <string>
#include <vector>

namespace wintest {
namespace {

using namespace win;

constexpr UINT IdOpen = 101;
constexpr UINT IdSave = 102;
constexpr UINT IdClose = 103;
constexpr UINT IdOne = 201;
constexpr UINT IdTwo = 202;

// What the owner of the menus received, and how it answers.
struct OwnerState {
    std::vector<Received> received;
    std::function<LRESULT(UINT, WPARAM, LPARAM)> answer;
};
OwnerState* owner = nullptr;

LRESULT OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (owner) {
        owner->received.push_back({hwnd, message, wParam, lParam});
        if (owner->answer) {
            if (const LRESULT result = owner->answer(message, wParam, lParam)) {
                return result;
            }
        }
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

class MenuTest : public WinTest {
protected:
    void SetUp() override
    {
        WinTest::SetUp();
        owner = &state;
        WNDCLASS windowClass;
        windowClass.lpfnWndProc = OwnerProc;
        windowClass.lpszClassName = "MenuOwner";
        ASSERT_NE(RegisterClass(&windowClass), 0);
        window = CreateWindowEx(0, "MenuOwner", "Owner", WS_OVERLAPPED | WS_VISIBLE, 100, 100, 300, 200, nullptr,
                                nullptr, nullptr, nullptr);
        SetFocus(window);
        driver.Pump();
        // Open / Save (disabled) / - / Recent > (One, Two) / Close
        recent = CreatePopupMenu();
        AppendMenu(recent, MF_STRING, IdOne, "&One");
        AppendMenu(recent, MF_STRING, IdTwo, "&Two");
        menu = CreatePopupMenu();
        AppendMenu(menu, MF_STRING, IdOpen, "&Open\tCtrl+O");
        AppendMenu(menu, MF_STRING | MF_GRAYED, IdSave, "&Save");
        AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenu(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(recent), "&Recent");
        AppendMenu(menu, MF_STRING, IdClose, "&Close");
        state.received.clear();
    }
    void TearDown() override
    {
        owner = nullptr;
        WinTest::TearDown();
    }

    UINT Track(UINT flags = TPM_RETURNCMD, int x = 150, int y = 150)
    {
        return static_cast<UINT>(TrackPopupMenuEx(menu, flags, x, y, window, nullptr));
    }
    std::vector<UINT> Messages(std::initializer_list<UINT> wanted) const
    {
        std::vector<UINT> result;
        for (const Received& entry : state.received) {
            if (std::find(wanted.begin(), wanted.end(), entry.message) != wanted.end()) {
                result.push_back(entry.message);
            }
        }
        return result;
    }
    std::vector<Received> Of(UINT message) const
    {
        std::vector<Received> result;
        std::copy_if(state.received.begin(), state.received.end(), std::back_inserter(result),
                     [&](const Received& entry) { return entry.message == message; });
        return result;
    }
    // The menu windows, the first opened first.
    static std::vector<HWND> MenuWindows()
    {
        std::vector<HWND> windows;
        for (HWND hwnd = FindWindowEx(nullptr, nullptr, MenuWindowClass, nullptr); hwnd;
             hwnd = FindWindowEx(nullptr, hwnd, MenuWindowClass, nullptr)) {
            windows.insert(windows.begin(), hwnd);
        }
        return windows;
    }
    // The centre of item index of the root menu, in its client coordinates: text items share the
    // height left after the frame (3 pixels a side) and the 9-pixel separator.
    static POINT RootItemCentre(HWND hwnd, int index)
    {
        RECT rect;
        GetClientRect(hwnd, &rect);
        const int itemHeight = (rect.bottom - 6 - 9) / 4;
        const int tops[] = {3, 3 + itemHeight, 3 + 2 * itemHeight, 3 + 2 * itemHeight + 9, 3 + 3 * itemHeight + 9};
        return {rect.right / 2, tops[index] + itemHeight / 2};
    }
    void Later(std::uint64_t after, std::function<void()> action) { driver.At(clock.TickCount64() + after, std::move(action)); }

    rtl::VirtualClock clock{0.0, 5000};
    rtl::ScopedClock installed{clock};
    TestDriver driver{clock};
    OwnerState state;
    HWND window = nullptr;
    HMENU menu = nullptr;
    HMENU recent = nullptr;
};

TEST_F(MenuTest, ItemsAreFoundByPositionOrByCommandThroughSubmenus)
{
    EXPECT_EQ(GetMenuItemCount(menu), 5);
    EXPECT_EQ(GetMenuItemID(menu, 0), IdOpen);
    EXPECT_EQ(GetMenuItemID(menu, 3), static_cast<UINT>(-1)) << "a submenu item has no id";
    EXPECT_EQ(GetSubMenu(menu, 3), recent);
    EXPECT_EQ(GetSubMenu(menu, 0), nullptr);
    char text[32];
    EXPECT_EQ(GetMenuString(menu, IdTwo, text, sizeof(text), MF_BYCOMMAND), 4);
    EXPECT_STREQ(text, "&Two");
    EXPECT_EQ(GetMenuString(menu, 0, text, 6, MF_BYPOSITION), 5) << "cut to the buffer";
    EXPECT_STREQ(text, "&Open");

    EXPECT_EQ(CheckMenuItem(menu, IdTwo, MF_CHECKED), MF_UNCHECKED);
    EXPECT_EQ(CheckMenuItem(menu, IdTwo, MF_CHECKED), MF_CHECKED);
    EXPECT_EQ(GetMenuState(recent, 1, MF_BYPOSITION), MF_CHECKED);
    EXPECT_EQ(EnableMenuItem(menu, IdSave, MF_ENABLED), MF_GRAYED);
    EXPECT_EQ(EnableMenuItem(menu, 1, MF_BYPOSITION | MF_GRAYED), MF_ENABLED);
    EXPECT_EQ(GetMenuState(menu, 3, MF_BYPOSITION), (2u << 8) | MF_POPUP) << "a submenu tells its item count";
    EXPECT_EQ(EnableMenuItem(menu, 999, MF_GRAYED), static_cast<UINT>(-1));

    MENUITEMINFO info;
    info.fMask = MIIM_STRING;
    ASSERT_TRUE(GetMenuItemInfo(menu, IdClose, FALSE, &info));
    EXPECT_EQ(info.cch, 6u) << "no buffer: the length";
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA | MIIM_STRING;
    info.fType = MFT_RADIOCHECK;
    info.fState = MFS_CHECKED | MFS_DEFAULT;
    info.wID = 104;
    info.dwItemData = 77;
    info.dwTypeData = const_cast<char*>("E&xit");
    ASSERT_TRUE(InsertMenuItem(menu, IdClose, FALSE, &info)) << "before the item of the command";
    EXPECT_EQ(GetMenuItemID(menu, 4), 104u);
    EXPECT_EQ(GetMenuDefaultItem(menu, TRUE, 0), 4u);
    MENUITEMINFO back;
    back.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_DATA | MIIM_STRING;
    back.dwTypeData = text;
    back.cch = sizeof(text);
    ASSERT_TRUE(GetMenuItemInfo(menu, 4, TRUE, &back));
    EXPECT_EQ(back.fType, MFT_RADIOCHECK);
    EXPECT_EQ(back.fState, MFS_CHECKED | MFS_DEFAULT);
    EXPECT_EQ(back.dwItemData, 77u);
    EXPECT_STREQ(text, "E&xit");
    ASSERT_TRUE(SetMenuDefaultItem(menu, IdOpen, FALSE));
    EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, 0), IdOpen) << "one default per menu";

    ASSERT_TRUE(CheckMenuRadioItem(recent, IdOne, IdTwo, IdOne, MF_BYCOMMAND));
    EXPECT_EQ(GetMenuState(recent, IdOne, MF_BYCOMMAND) & MF_CHECKED, MF_CHECKED);
    EXPECT_EQ(GetMenuState(recent, IdTwo, MF_BYCOMMAND) & MF_CHECKED, 0u);
    EXPECT_FALSE(CheckMenuRadioItem(menu, IdOpen, IdClose, IdOne, MF_BYCOMMAND)) << "the item is outside the range";
}

TEST_F(MenuTest, SubmenusLiveAndDieWithTheirItems)
{
    HMENU other = CreatePopupMenu();
    EXPECT_FALSE(AppendMenu(recent, MF_POPUP, reinterpret_cast<UINT_PTR>(menu), "Loop"))
        << "a menu cannot hold itself";
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_FALSE(AppendMenu(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(window), "Bad"));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_MENU_HANDLE) << "a window handle is no menu";
    ASSERT_TRUE(AppendMenu(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(other), "Other"));

    ASSERT_TRUE(RemoveMenu(menu, 5, MF_BYPOSITION));
    EXPECT_TRUE(IsMenu(other)) << "removed, not destroyed";
    ASSERT_TRUE(DeleteMenu(menu, 3, MF_BYPOSITION));
    EXPECT_FALSE(IsMenu(recent)) << "deleting the item destroys its submenu";
    EXPECT_EQ(GetMenuItemCount(menu), 4);

    HMENU nested = CreatePopupMenu();
    ASSERT_TRUE(AppendMenu(other, MF_POPUP, reinterpret_cast<UINT_PTR>(nested), "Nested"));
    ASSERT_TRUE(DestroyMenu(other));
    EXPECT_FALSE(IsMenu(nested));
    EXPECT_EQ(GetMenuItemCount(other), -1);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_MENU_HANDLE);
    EXPECT_FALSE(DestroyMenu(other));
    EXPECT_FALSE(TrackPopupMenuEx(other, TPM_RETURNCMD, 0, 0, window, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_MENU_HANDLE);
}

// One key: a virtual key, or a character typed.
struct Key {
    UINT vk;
    char ch = 0;
};

struct KeyCase {
    const char* what;
    std::vector<Key> keys;
    UINT chosen;
};

TEST_F(MenuTest, KeysMoveOpenCloseAndChoose)
{
    const std::vector<KeyCase> cases = {
        {"down selects the first item", {{VK_DOWN}, {VK_RETURN}}, IdOpen},
        {"up from nothing selects the last", {{VK_UP}, {VK_RETURN}}, IdClose},
        {"home", {{VK_END}, {VK_HOME}, {VK_RETURN}}, IdOpen},
        {"the separator is skipped", {{VK_DOWN}, {VK_DOWN}, {VK_DOWN}, {VK_RIGHT}, {VK_DOWN}, {VK_RETURN}}, IdTwo},
        {"enter on a submenu opens it at its first item", {{VK_UP}, {VK_UP}, {VK_RETURN}, {VK_RETURN}}, IdOne},
        {"a disabled item is lit but not chosen", {{VK_DOWN}, {VK_DOWN}, {VK_RETURN}, {VK_ESCAPE}}, 0},
        {"escape closes one level at a time", {{VK_UP}, {VK_UP}, {VK_RIGHT}, {VK_ESCAPE}, {VK_ESCAPE}}, 0},
        {"left goes back to the parent", {{VK_UP}, {VK_UP}, {VK_RIGHT}, {VK_LEFT}, {VK_DOWN}, {VK_RETURN}}, IdClose},
        {"a mnemonic chooses", {{'C', 'c'}}, IdClose},
        {"a mnemonic opens a submenu, the next chooses there", {{'R', 'r'}, {'T', 't'}}, IdTwo},
        {"a disabled item's mnemonic does not choose", {{'S', 's'}, {VK_ESCAPE}}, 0},
    };
    for (const KeyCase& c : cases) {
        for (const Key& key : c.keys) {
            if (key.ch) {
                driver.TypeChar(key.ch, key.vk);
            } else {
                driver.PressKey(key.vk);
            }
        }
        EXPECT_EQ(Track(), c.chosen) << c.what;
        EXPECT_TRUE(MenuWindows().empty()) << c.what;
        EXPECT_EQ(GetCapture(), nullptr) << c.what;
    }
    EXPECT_TRUE(driver.Stalls().empty());
}

TEST_F(MenuTest, TheOwnerHearsTheLoopAndGetsTheCommandAfterIt)
{
    driver.PressKey(VK_UP);
    driver.PressKey(VK_UP);
    driver.PressKey(VK_RIGHT);
    driver.PressKey(VK_RETURN);
    EXPECT_EQ(TrackPopupMenu(menu, 0, 150, 150, 0, window, nullptr), TRUE);
    const std::vector<UINT> order = {WM_ENTERMENULOOP, WM_INITMENUPOPUP, WM_MENUSELECT, WM_MENUSELECT,
                                     WM_INITMENUPOPUP, WM_MENUSELECT,    WM_MENUSELECT, WM_EXITMENULOOP};
    EXPECT_EQ(Messages({WM_ENTERMENULOOP, WM_INITMENUPOPUP, WM_MENUSELECT, WM_EXITMENULOOP}), order);
    const auto inits = Of(WM_INITMENUPOPUP);
    EXPECT_EQ(inits[0].wParam, reinterpret_cast<WPARAM>(menu));
    EXPECT_EQ(inits[1].wParam, reinterpret_cast<WPARAM>(recent));
    EXPECT_EQ(LOWORD(static_cast<DWORD>(inits[1].lParam)), 3) << "the submenu's position in its parent";
    const auto selects = Of(WM_MENUSELECT);
    EXPECT_EQ(LOWORD(static_cast<DWORD>(selects[0].wParam)), IdClose);
    EXPECT_EQ(LOWORD(static_cast<DWORD>(selects[1].wParam)), 3u) << "a submenu item is named by position";
    EXPECT_NE(HIWORD(static_cast<DWORD>(selects[1].wParam)) & MF_POPUP, 0u);
    EXPECT_EQ(selects[2].lParam, reinterpret_cast<LPARAM>(recent));
    EXPECT_EQ(HIWORD(static_cast<DWORD>(selects[3].wParam)), 0xFFFFu) << "the loop's end";
    EXPECT_EQ(selects[3].lParam, 0);
    EXPECT_TRUE(Of(WM_COMMAND).empty()) << "posted: it comes after the loop";
    driver.Pump();
    const auto commands = Of(WM_COMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, IdOne);

    state.received.clear();
    driver.PressKey(VK_DOWN);
    driver.PressKey(VK_RETURN);
    EXPECT_EQ(Track(TPM_NONOTIFY), TRUE);
    driver.Pump();
    EXPECT_TRUE(Messages({WM_ENTERMENULOOP, WM_INITMENUPOPUP, WM_MENUSELECT, WM_EXITMENULOOP, WM_COMMAND}).empty())
        << "no notification at all";
}

TEST_F(MenuTest, AnUnmatchedLetterAsksTheOwner)
{
    const std::vector<std::pair<LRESULT, UINT>> answers = {
        {static_cast<LRESULT>(MAKELPARAM(4, MNC_EXECUTE)), IdClose},
        {static_cast<LRESULT>(MAKELPARAM(0, MNC_CLOSE)), 0},
    };
    for (const auto& [answer, chosen] : answers) {
        state.answer = [answer](UINT message, WPARAM, LPARAM) -> LRESULT { return message == WM_MENUCHAR ? answer : 0; };
        driver.TypeChar('z', 'Z');
        EXPECT_EQ(Track(), chosen);
        const auto asked = Of(WM_MENUCHAR);
        ASSERT_FALSE(asked.empty());
        EXPECT_EQ(LOWORD(static_cast<DWORD>(asked.back().wParam)), 'z');
        EXPECT_EQ(asked.back().lParam, reinterpret_cast<LPARAM>(menu));
    }
    state.answer = [](UINT message, WPARAM, LPARAM) -> LRESULT {
        return message == WM_MENUCHAR ? MAKELPARAM(0, MNC_SELECT) : 0;
    };
    driver.TypeChar('z', 'Z');
    driver.PressKey(VK_RETURN);
    EXPECT_EQ(Track(), IdOpen) << "selected, then chosen by Enter";
}

TEST_F(MenuTest, HoverOpensASubmenuAfterTheDelayAndAReleaseChooses)
{
    UINT delay = 0;
    SystemParametersInfo(SPI_GETMENUSHOWDELAY, 0, &delay, 0);
    ASSERT_GT(delay, 10u);
    std::vector<std::size_t> windowCounts;
    Later(10, [&] {
        const HWND root = MenuWindows().front();
        const POINT at = RootItemCentre(root, 3);
        driver.MouseMove(root, at.x, at.y);
        windowCounts.push_back(MenuWindows().size());
    });
    Later(10 + delay - 5, [&] { windowCounts.push_back(MenuWindows().size()); });
    Later(10 + delay + 5, [&] {
        windowCounts.push_back(MenuWindows().size());
        const std::vector<HWND> windows = MenuWindows();
        if (windows.size() != 2) {
            driver.PressKey(VK_ESCAPE);
            return;
        }
        RECT rootRect;
        RECT subRect;
        GetWindowRect(windows[0], &rootRect);
        GetWindowRect(windows[1], &subRect);
        EXPECT_GE(subRect.left, rootRect.right - 3) << "beside its parent";
        RECT client;
        GetClientRect(windows[1], &client);
        const int itemHeight = (client.bottom - 6) / 2;
        driver.MouseMove(windows[1], client.right / 2, 3 + itemHeight + itemHeight / 2);
        driver.MouseUp(windows[1], TestDriver::Button::Left, client.right / 2, 3 + itemHeight + itemHeight / 2);
    });
    EXPECT_EQ(Track(), IdTwo);
    EXPECT_EQ(windowCounts, (std::vector<std::size_t>{1, 1, 2}));
}

TEST_F(MenuTest, APressOutsideClosesTheMenuAndReachesNoWindow)
{
    Later(10, [&] { driver.MouseDown(window, TestDriver::Button::Left, 5, 5); });
    EXPECT_EQ(Track(TPM_RETURNCMD, 200, 150), 0u);
    driver.Pump();
    EXPECT_TRUE(Of(WM_LBUTTONDOWN).empty());
    EXPECT_TRUE(MenuWindows().empty());

    // The right button chooses only with TPM_RIGHTBUTTON.
    for (const auto& [flags, chosen] : std::vector<std::pair<UINT, UINT>>{{TPM_RIGHTBUTTON, IdOpen}, {0, 0}}) {
        Later(10, [&] {
            const HWND root = MenuWindows().front();
            const POINT at = RootItemCentre(root, 0);
            driver.MouseMove(root, at.x, at.y);
            driver.MouseUp(root, TestDriver::Button::Right, at.x, at.y);
            if (!(flags & TPM_RIGHTBUTTON)) {
                driver.PressKey(VK_ESCAPE);
            }
        });
        EXPECT_EQ(Track(TPM_RETURNCMD | flags), chosen);
    }
}

TEST_F(MenuTest, EndMenuLeavesTheLoopAndASecondLoopIsRefused)
{
    Later(10, [&] {
        EXPECT_FALSE(TrackPopupMenuEx(recent, TPM_RETURNCMD, 0, 0, window, nullptr));
        EXPECT_EQ(GetLastError(), ERROR_POPUP_ALREADY_ACTIVE);
        driver.PressKey(VK_DOWN);
        driver.Pump();
        EXPECT_TRUE(EndMenu());
    });
    EXPECT_EQ(Track(), 0u);
    EXPECT_FALSE(EndMenu()) << "no loop runs";
}

TEST_F(MenuTest, TheMenuStaysOnTheWorkArea)
{
    RECT work;
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    struct Placement {
        const char* what;
        UINT flags;
        POINT at;
        // Expected corner from the menu's size.
        std::function<POINT(SIZE)> corner;
    };
    const std::vector<Placement> placements = {
        {"at the point", 0, {200, 150}, [](SIZE) { return POINT{200, 150}; }},
        {"right-aligned", TPM_RIGHTALIGN, {400, 150}, [](SIZE s) { return POINT{400 - s.cx, 150}; }},
        {"centred, bottom-aligned", TPM_CENTERALIGN | TPM_BOTTOMALIGN, {400, 300},
         [](SIZE s) { return POINT{400 - s.cx / 2, 300 - s.cy}; }},
        {"past the bottom right it opens up and left of the point", 0, {work.right - 5, work.bottom - 5},
         [&](SIZE s) { return POINT{work.right - 5 - s.cx, work.bottom - 5 - s.cy}; }},
        {"past the top left it is pushed inside", TPM_RIGHTALIGN | TPM_BOTTOMALIGN, {work.left + 5, work.top + 5},
         [&](SIZE) { return POINT{work.left, work.top}; }},
    };
    for (const Placement& p : placements) {
        RECT rect{};
        Later(10, [&] {
            GetWindowRect(MenuWindows().front(), &rect);
            driver.PressKey(VK_ESCAPE);
        });
        Track(TPM_RETURNCMD | p.flags, p.at.x, p.at.y);
        const POINT expected = p.corner({rect.right - rect.left, rect.bottom - rect.top});
        EXPECT_EQ(rect.left, expected.x) << p.what;
        EXPECT_EQ(rect.top, expected.y) << p.what;
    }
}

TEST_F(MenuTest, TheMenuKeepsClearOfTheExcludedRectangle)
{
    RECT work;
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    struct Case {
        const char* what;
        UINT flags;
        RECT button;
        std::function<POINT(SIZE)> corner;
    };
    const std::vector<Case> cases = {
        {"below the button", TPM_VERTICAL, {300, 200, 380, 222}, [](SIZE) { return POINT{300, 222}; }},
        {"above a button at the bottom", TPM_VERTICAL, {300, work.bottom - 22, 380, work.bottom},
         [&](SIZE s) { return POINT{300, work.bottom - 22 - s.cy}; }},
        {"right of the button", TPM_HORIZONTAL, {300, 200, 380, 222}, [](SIZE) { return POINT{380, 200}; }},
    };
    for (const Case& c : cases) {
        RECT rect{};
        Later(10, [&] {
            GetWindowRect(MenuWindows().front(), &rect);
            driver.PressKey(VK_ESCAPE);
        });
        TPMPARAMS params;
        params.rcExclude = c.button;
        TrackPopupMenuEx(menu, TPM_RETURNCMD | c.flags, c.button.left, c.button.top, window, &params);
        const POINT expected = c.corner({rect.right - rect.left, rect.bottom - rect.top});
        EXPECT_EQ(rect.left, expected.x) << c.what;
        EXPECT_EQ(rect.top, expected.y) << c.what;
    }
}

TEST_F(MenuTest, BreaksStartNewColumns)
{
    HMENU columns = CreatePopupMenu();
    AppendMenu(columns, MF_STRING, 1, "&A");
    AppendMenu(columns, MF_STRING, 2, "&B");
    AppendMenu(columns, MF_STRING | MF_MENUBREAK, 3, "&C");
    AppendMenu(columns, MF_STRING | MF_MENUBARBREAK, 4, "&D");
    int itemHeight = 0;
    Later(10, [&] {
        RECT client;
        GetClientRect(MenuWindows().front(), &client);
        itemHeight = (client.bottom - 6 - 9) / 4;  // the fixture's menu: one column, four items and a separator
        driver.PressKey(VK_ESCAPE);
    });
    Track();
    const struct {
        bool fromRight;
        int row;
        UINT chosen;
    } clicks[] = {{false, 1, 2}, {true, 0, 4}};
    for (const auto& click : clicks) {
        RECT client{};
        Later(10, [&] {
            const HWND hwnd = MenuWindows().front();
            GetClientRect(hwnd, &client);
            const POINT at{click.fromRight ? client.right - 6 : 6, 3 + click.row * itemHeight + itemHeight / 2};
            driver.MouseMove(hwnd, at.x, at.y);
            driver.MouseUp(hwnd, TestDriver::Button::Left, at.x, at.y);
        });
        EXPECT_EQ(static_cast<UINT>(TrackPopupMenuEx(columns, TPM_RETURNCMD, 100, 100, window, nullptr)), click.chosen);
        EXPECT_EQ(client.bottom, 6 + 2 * itemHeight) << "the tallest column, two items";
    }
    DestroyMenu(columns);
}

TEST_F(MenuTest, TheLookShowsHighlightChecksAndEmbossedDisabledText)
{
    CheckMenuItem(menu, IdClose, MF_CHECKED);
    std::vector<COLORREF> highlightRow;
    bool checkSeen = false;
    bool embossSeen = false;
    Later(10, [&] {
        const HWND root = MenuWindows().front();
        RECT client;
        GetClientRect(root, &client);
        const POINT open = RootItemCentre(root, 0);
        for (int x = 5; x < client.right - 5; x += 7) {
            highlightRow.push_back(TestDriver::PixelAt(root, x, open.y));
        }
        const POINT close = RootItemCentre(root, 4);
        for (int x = 3; x < 20; ++x) {
            for (int y = close.y - 6; y <= close.y + 6; ++y) {
                checkSeen = checkSeen || TestDriver::PixelAt(root, x, y) == GetSysColor(COLOR_MENUTEXT);
            }
        }
        const POINT save = RootItemCentre(root, 1);
        for (int x = 20; x < client.right / 2; ++x) {
            for (int y = save.y - 6; y <= save.y + 6; ++y) {
                embossSeen = embossSeen || TestDriver::PixelAt(root, x, y) == GetSysColor(COLOR_3DHILIGHT);
            }
        }
        driver.PressKey(VK_ESCAPE);
    });
    driver.PressKey(VK_DOWN);
    Track();
    ASSERT_FALSE(highlightRow.empty());
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const auto lit = std::count(highlightRow.begin(), highlightRow.end(), highlight);
    EXPECT_GT(lit, static_cast<long>(highlightRow.size()) / 2) << "the selected item lies on the highlight bar";
    EXPECT_TRUE(checkSeen) << "the check mark of a checked item";
    EXPECT_TRUE(embossSeen) << "disabled text is embossed";
}

TEST_F(MenuTest, OwnerDrawnItemsAreMeasuredAndDrawnByTheOwner)
{
    HMENU drawn = CreatePopupMenu();
    AppendMenu(drawn, MF_OWNERDRAW, 301, reinterpret_cast<const char*>(static_cast<std::uintptr_t>(1234)));
    AppendMenu(drawn, MF_OWNERDRAW, 302, reinterpret_cast<const char*>(static_cast<std::uintptr_t>(5678)));
    std::vector<DRAWITEMSTRUCT> draws;
    state.answer = [&](UINT message, WPARAM, LPARAM lParam) -> LRESULT {
        if (message == WM_MEASUREITEM) {
            auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            EXPECT_EQ(measure->CtlType, ODT_MENU);
            measure->itemWidth = 120;
            measure->itemHeight = measure->itemData == 1234 ? 30 : 22;
            return TRUE;
        }
        if (message == WM_DRAWITEM) {
            draws.push_back(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        }
        return 0;
    };
    RECT window{};
    Later(10, [&] {
        GetWindowRect(MenuWindows().front(), &window);
        driver.PressKey(VK_DOWN);
        driver.PressKey(VK_DOWN);
        driver.PressKey(VK_RETURN);
    });
    EXPECT_EQ(TrackPopupMenuEx(drawn, TPM_RETURNCMD, 50, 50, this->window, nullptr), 302);
    EXPECT_EQ(window.right - window.left, 120 + 6);
    EXPECT_EQ(window.bottom - window.top, 30 + 22 + 6);
    ASSERT_GE(draws.size(), 2u);
    EXPECT_EQ(draws[0].itemID, 301u);
    EXPECT_EQ(draws[0].itemData, 1234u);
    EXPECT_EQ(draws[0].rcItem.bottom - draws[0].rcItem.top, 30);
    EXPECT_EQ(draws[1].rcItem.top, draws[0].rcItem.bottom);
    EXPECT_EQ(draws[1].itemState & ODS_SELECTED, 0u);
    const auto selected = std::find_if(draws.begin(), draws.end(), [](const DRAWITEMSTRUCT& d) {
        return d.itemID == 302 && (d.itemState & ODS_SELECTED);
    });
    EXPECT_NE(selected, draws.end()) << "redrawn selected when the highlight reached it";
    DestroyMenu(drawn);
}

}  // namespace
}  // namespace wintest
