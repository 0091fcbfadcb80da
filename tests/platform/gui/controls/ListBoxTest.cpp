// The list box driven by the mouse and keys: owner-drawn items, single, multiple and extended selection,
// the letter search, the keys, sorting, the items before and after the window exists, and the LISTBOX
// window's messages with arguments out of range.

#include "platform/gdi/SystemInfo.h"
#include "platform/gui/controls/ListBox.h"
#include "platform/gui/core/Messages.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/ScrollBar.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"
#include "platform/wintypes/ControlMessages.h"

#include "tests/platform/gui/core/ControlsFixture.h"
#include "tests/platform/gui/core/DrawingChecks.h"

#include <cctype>
#include <functional>
#include <ostream>
#include <set>

namespace guitest {
namespace {

struct DrawnItem {
    int index;
    win::RECT rect;
    gui::TOwnerDrawState state;
};

class ListBoxTest : public ControlsTest {
protected:
    gui::TListBox* MakeList(std::initializer_list<const char*> items, int height = 97)
    {
        form = MakeForm();
        auto* list = Make<gui::TListBox>(form, "List", 10, 10, 150, height);
        for (const char* item : items) {
            list->Items()->Add(item);
        }
        list->OnClick = classes::TNotifyEvent::Of<&ListBoxTest::Clicked>(this);
        return list;
    }
public:
    void Clicked(classes::TObject*) { ++clicks; }
    void DrawItem(gui::TWinControl*, int index, const win::RECT& rect, gui::TOwnerDrawState state)
    {
        drawn.push_back({index, rect, state});
    }
    void MeasureItem(gui::TWinControl*, int index, int& height) { height = measured.at(std::size_t(index)); }

protected:
    // Clicks item `index` (of height `height`) with the keys held.
    void ClickItem(gui::TListBox* list, int index, std::initializer_list<win::UINT> held = {})
    {
        for (win::UINT key : held) {
            driver.KeyDown(key);
        }
        const win::RECT rect = list->ItemRect(index);
        driver.Click(list->Handle(), win::TestDriver::Button::Left, 5, int(rect.top + 2));
        for (win::UINT key : held) {
            driver.KeyUp(key);
        }
        driver.Pump();
    }
    static std::set<int> SelectedItems(gui::TListBox* list)
    {
        std::set<int> selected;
        for (int i = 0; i < list->Items()->Count(); ++i) {
            if (list->Selected(i)) {
                selected.insert(i);
            }
        }
        return selected;
    }

    gui::TForm* form = nullptr;
    int clicks = 0;
    std::vector<DrawnItem> drawn;
    std::vector<int> measured;
};

TEST_F(ListBoxTest, OwnerDrawnFixedItemsAreDrawnOnePerVisibleItemWithTheirRectsAndState)
{
    auto* list = MakeList({"Key 1", "Key 2", "Key 3", "Key 4", "Key 5", "Key 6", "Key 7", "Key 8"});
    list->SetStyle(gui::lbOwnerDrawFixed);
    list->SetItemHeight(22);
    list->OnDrawItem = gui::TDrawItemEvent::Of<&ListBoxTest::DrawItem>(this);
    ShowAndFocus(list);
    list->SetItemIndex(1);
    drawn.clear();
    win::InvalidateRect(list->Handle(), nullptr, true);
    driver.Pump();

    win::RECT client{};
    win::GetClientRect(list->Handle(), &client);
    const int visible = (int(client.bottom) + 21) / 22;  // the last one partly
    ASSERT_EQ(int(drawn.size()), visible);
    for (int i = 0; i < visible; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(drawn[std::size_t(i)].index, i);
        EXPECT_EQ(drawn[std::size_t(i)].rect, (win::RECT{0, 22 * i, client.right, 22 * i + 22}));
        const gui::TOwnerDrawState expected =
                i == 1 ? gui::TOwnerDrawState((1u << gui::odSelected) | (1u << gui::odFocused)) : gui::TOwnerDrawState(0);
        EXPECT_EQ(drawn[std::size_t(i)].state, expected);
    }
    EXPECT_EQ(list->ItemHeight(), 22);
    EXPECT_EQ(list->ItemAtPos({5, 50}, true), 2);
    EXPECT_EQ(list->ItemAtPos({5, 500}, true), -1);
}

// Only a variable style asks OnMeasureItem, and no item comes out less than a pixel high.
TEST_F(ListBoxTest, OnMeasureItemSetsTheHeightsOfVariableItemsOnly)
{
    struct Case {
        gui::TListBoxStyle style;
        std::vector<int> heights;
    };
    const Case cases[] = {
            {gui::lbOwnerDrawVariable, {12, 1, 30}},
            {gui::lbOwnerDrawFixed, {22, 22, 22}},
    };
    measured = {12, 0, 30};
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.style));
        auto* list = MakeList({});
        list->SetStyle(c.style);
        list->SetItemHeight(22);
        list->OnMeasureItem = gui::TMeasureItemEvent::Of<&ListBoxTest::MeasureItem>(this);
        ShowAndFocus(list);
        for (const char* name : {"a", "b", "c"}) {
            list->Items()->Add(name);
        }
        int top = 0;
        for (std::size_t i = 0; i < c.heights.size(); ++i) {
            const win::RECT rect = list->ItemRect(int(i));
            EXPECT_EQ(rect.top, top) << i;
            EXPECT_EQ(rect.bottom - rect.top, c.heights[i]) << i;
            top = int(rect.bottom);
        }
        delete form;
    }
}

TEST_F(ListBoxTest, TheStandardDrawingHighlightsTheSelectedItem)
{
    auto* list = MakeList({"One", "Two", "Three"});
    ShowAndFocus(list);
    ClickItem(list, 1);
    const win::RECT selected = list->ItemRect(1);
    const win::RECT plain = list->ItemRect(2);
    // Right of the text: the item's background.
    EXPECT_EQ(win::TestDriver::PixelAt(list->Handle(), 100, int(selected.top) + 3), Rgb(gui::clHighlight));
    EXPECT_EQ(win::TestDriver::PixelAt(list->Handle(), 100, int(plain.top) + 3), Rgb(gui::clWindow));
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_EQ(clicks, 1);
}

TEST_F(ListBoxTest, ExtendedSelectionFollowsCtrlAndShiftClicks)
{
    auto* list = MakeList({"a", "b", "c", "d", "e", "f", "g"}, 200);
    list->SetMultiSelect(true);
    ShowAndFocus(list);
    struct Step {
        int index;
        std::initializer_list<win::UINT> held;
        std::set<int> selected;
    };
    const Step steps[] = {
            {1, {}, {1}},
            {3, {win::VK_CONTROL}, {1, 3}},
            {5, {win::VK_SHIFT}, {3, 4, 5}},
            {0, {win::VK_CONTROL}, {0, 3, 4, 5}},
            {4, {win::VK_CONTROL}, {0, 3, 5}},
            {2, {}, {2}},
    };
    int step = 0;
    for (const Step& s : steps) {
        SCOPED_TRACE(step++);
        ClickItem(list, s.index, s.held);
        EXPECT_EQ(SelectedItems(list), s.selected);
        EXPECT_EQ(list->ItemIndex(), s.index) << "the caret item";
        EXPECT_EQ(list->SelCount(), int(s.selected.size()));
    }
    EXPECT_EQ(clicks, step);
}

TEST_F(ListBoxTest, MultipleSelectionTogglesOnClickAndSpace)
{
    auto* list = MakeList({"a", "b", "c", "d"});
    list->SetMultiSelect(true);
    list->SetExtendedSelect(false);
    ShowAndFocus(list);
    ClickItem(list, 1);
    ClickItem(list, 3);
    EXPECT_EQ(SelectedItems(list), (std::set<int>{1, 3}));
    ClickItem(list, 1);
    EXPECT_EQ(SelectedItems(list), (std::set<int>{3}));
    driver.PressKey(win::VK_UP);
    driver.PressKey(win::VK_SPACE);
    driver.Pump();
    EXPECT_EQ(SelectedItems(list), (std::set<int>{0, 3}));
}

TEST_F(ListBoxTest, KeysMoveTheSelectionAndALetterJumpsToTheNextItemStartingWithIt)
{
    auto* list = MakeList({});
    for (int i = 0; i < 20; ++i) {
        list->Items()->Add("Item " + std::to_string(i));
    }
    list->Items()->SetStrings(3, "banana");
    list->Items()->SetStrings(8, "Blueberry");
    list->Items()->SetStrings(12, "cherry");
    ShowAndFocus(list);
    list->SetItemIndex(0);
    win::RECT client{};
    win::GetClientRect(list->Handle(), &client);
    const int page = int(client.bottom) / list->ItemHeight() - 1;
    struct Case {
        win::UINT key;
        char letter;
        int index;
    };
    const Case cases[] = {
            {win::VK_DOWN, 0, 1},  {win::VK_END, 0, 19},  {win::VK_UP, 0, 18}, {win::VK_PRIOR, 0, 18 - page},
            {win::VK_HOME, 0, 0},  {win::VK_NEXT, 0, page}, {0, 'b', 8},       {0, 'B', 3},
            {0, 'b', 8},           {0, 'c', 12},           {0, 'z', 12},       {win::VK_UP, 0, 11},
    };
    int expectedClicks = 0;
    int previous = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.letter ? std::string(1, c.letter) : std::to_string(c.key));
        if (c.key) {
            driver.PressKey(c.key);
        } else {
            driver.TypeChar(c.letter, win::UINT(std::toupper(c.letter)));
        }
        driver.Pump();
        EXPECT_EQ(list->ItemIndex(), c.index);
        expectedClicks += c.index != previous ? 1 : 0;
        previous = c.index;
        EXPECT_GE(list->ItemIndex(), list->TopIndex()) << "the selected item is in view";
        EXPECT_LE(list->ItemRect(list->ItemIndex()).bottom, client.bottom);
    }
    EXPECT_EQ(clicks, expectedClicks);
}

TEST_F(ListBoxTest, ItemIndexFromCodeFiresNoClickAndADoubleClickFiresOnDblClick)
{
    auto* list = MakeList({"one", "two"});
    int doubleClicks = 0;
    struct Counter {
        int* count;
        void Count(classes::TObject*) { ++*count; }
    } counter{&doubleClicks};
    list->OnDblClick = classes::TNotifyEvent::Of<&Counter::Count>(&counter);
    ShowAndFocus(list);
    list->SetItemIndex(1);
    EXPECT_EQ(clicks, 0);
    driver.Click(list->Handle(), win::TestDriver::Button::Left, 5, 3);
    driver.Click(list->Handle(), win::TestDriver::Button::Left, 5, 3);
    driver.Pump();
    EXPECT_EQ(list->ItemIndex(), 0);
    EXPECT_EQ(doubleClicks, 1);
}

TEST_F(ListBoxTest, SortedItemsFollowTheCollationBeforeAndAfterTheWindowExists)
{
    auto* list = MakeList({"gamma", "Beta", "alpha"});
    list->SetSorted(true);
    list->Items()->Add("delta");
    const std::vector<std::string> expected{"alpha", "Beta", "delta", "gamma"};
    auto items = [&] {
        std::vector<std::string> texts;
        for (int i = 0; i < list->Items()->Count(); ++i) {
            texts.push_back(list->Items()->Strings(i));
        }
        return texts;
    };
    EXPECT_EQ(items(), expected);
    ShowAndFocus(list);
    ASSERT_TRUE(list->HandleAllocated());
    EXPECT_EQ(items(), expected);
    EXPECT_EQ(list->Items()->Add("Carrot"), 2);
    EXPECT_EQ(list->Items()->Strings(2), "Carrot");
}

TEST_F(ListBoxTest, ItemsObjectsAndSelectionSurviveANewWindow)
{
    auto* list = MakeList({"a", "b", "c"});
    int objects[3] = {};
    list->Items()->SetObjects(2, &objects[2]);
    ShowAndFocus(list);
    list->SetItemIndex(2);
    list->SetTopIndex(1);
    list->SetBorderStyle(gui::bsNone);  // a new window
    driver.Pump();
    EXPECT_EQ(list->Items()->Count(), 3);
    EXPECT_EQ(list->Items()->Objects(2), &objects[2]);
    EXPECT_EQ(list->ItemIndex(), 2);
    list->SetMultiSelect(true);
    list->SetSelected(0, true);
    list->SetSelected(2, true);
    list->SetExtendedSelect(false);  // a new window again
    EXPECT_EQ(SelectedItems(list), (std::set<int>{0, 2}));
}

TEST_F(ListBoxTest, BadIndexesRaiseListErrors)
{
    auto* list = MakeList({"a", "b"});
    for (bool shown : {false, true}) {
        SCOPED_TRACE(shown);
        if (shown) {
            ShowAndFocus(list);
        }
        try {
            list->Items()->Strings(5);
            ADD_FAILURE() << "no error";
        } catch (const rtl::EListError& error) {
            EXPECT_EQ(error.Message(), "List index out of bounds (5)");
        }
        EXPECT_THROW(list->Items()->Delete(2), rtl::EListError);
        EXPECT_THROW(list->Selected(-1), rtl::EListError);
        EXPECT_THROW(list->SetSelected(2, true), rtl::EListError);
        EXPECT_THROW(list->Items()->Insert(3, "x"), rtl::EListError);
        EXPECT_EQ(list->Items()->Count(), 2);
    }
}

// The LISTBOX window's messages, each with its answer and the selection it leaves.
TEST_F(ListBoxTest, ListBoxMessagesAnswerAndSelectAsDocumented)
{
    form = MakeForm();
    form->Show();
    driver.Pump();
    struct Case {
        const char* name;
        win::DWORD style;
        win::UINT message;
        win::WPARAM wParam;
        const char* text;  // lParam when not null
        win::LPARAM lParam;
        win::LRESULT result;
        std::set<int> selected;  // the items LB_GETSEL answers 1 for afterwards
    };
    constexpr win::DWORD single = 0;
    constexpr win::DWORD extended = win::LBS_EXTENDEDSEL;
    const Case cases[] = {
            {"count", single, win::LB_GETCOUNT, 0, nullptr, 0, 5, {}},
            {"text length", single, win::LB_GETTEXTLEN, 2, nullptr, 0, 7, {}},
            {"text length, bad index", single, win::LB_GETTEXTLEN, 5, nullptr, 0, win::LB_ERR, {}},
            {"select", single, win::LB_SETCURSEL, 2, nullptr, 0, 2, {2}},
            {"select nothing", single, win::LB_SETCURSEL, win::WPARAM(-1), nullptr, 0, win::LB_ERR, {}},
            {"select past the end", single, win::LB_SETCURSEL, 9, nullptr, 0, win::LB_ERR, {}},
            {"no current selection", single, win::LB_GETCURSEL, 0, nullptr, 0, win::LB_ERR, {}},
            {"find a prefix", single, win::LB_FINDSTRING, win::WPARAM(-1), "BR", 0, 1, {}},
            {"find after an index wraps", single, win::LB_FINDSTRING, 3, "app", 0, 0, {}},
            {"find exact", single, win::LB_FINDSTRINGEXACT, win::WPARAM(-1), "bravo", 0, 1, {}},
            {"find exact misses a prefix", single, win::LB_FINDSTRINGEXACT, win::WPARAM(-1), "brav", 0, win::LB_ERR, {}},
            {"select a string", single, win::LB_SELECTSTRING, win::WPARAM(-1), "ch", 0, 2, {2}},
            {"delete, bad index", single, win::LB_DELETESTRING, 7, nullptr, 0, win::LB_ERR, {}},
            {"delete", single, win::LB_DELETESTRING, 4, nullptr, 0, 4, {}},
            {"insert past the end", single, win::LB_INSERTSTRING, 6, "x", 0, win::LB_ERR, {}},
            {"insert at the end", single, win::LB_INSERTSTRING, win::WPARAM(-1), "x", 0, 5, {}},
            {"item data, bad index", single, win::LB_SETITEMDATA, 8, nullptr, 42, win::LB_ERR, {}},
            {"selection count of a single list", single, win::LB_GETSELCOUNT, 0, nullptr, 0, win::LB_ERR, {}},
            {"set selection of a single list", single, win::LB_SETSEL, 1, nullptr, 2, win::LB_ERR, {}},
            {"top index, bad", single, win::LB_SETTOPINDEX, 5, nullptr, 0, win::LB_ERR, {}},
            {"caret, bad", single, win::LB_SETCARETINDEX, 5, nullptr, 0, win::LB_ERR, {}},
            {"multi: select one", extended, win::LB_SETSEL, 1, nullptr, 3, win::LB_OKAY, {3}},
            {"multi: select all", extended, win::LB_SETSEL, 1, nullptr, -1, win::LB_OKAY, {0, 1, 2, 3, 4}},
            {"multi: select a bad index", extended, win::LB_SETSEL, 1, nullptr, 5, win::LB_ERR, {}},
            {"multi: range", extended, win::LB_SELITEMRANGE, 1, nullptr, win::MAKELONG(1, 3), win::LB_OKAY, {1, 2, 3}},
            {"multi: range ex", extended, win::LB_SELITEMRANGEEX, 0, nullptr, 2, win::LB_OKAY, {0, 1, 2}},
            {"multi: SETCURSEL refused", extended, win::LB_SETCURSEL, 1, nullptr, 0, win::LB_ERR, {}},
            {"multi: select string refused", extended, win::LB_SELECTSTRING, win::WPARAM(-1), "a", 0, win::LB_ERR, {}},
            {"multi: count none", extended, win::LB_GETSELCOUNT, 0, nullptr, 0, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        win::HWND hwnd = win::CreateWindowEx(0, "LISTBOX", "", win::WS_CHILD | win::WS_VISIBLE | win::LBS_HASSTRINGS | c.style, 10,
                                             10, 150, 100, form->Handle(), nullptr, nullptr, nullptr);
        for (const char* item : {"apple", "bravo", "charlie", "delta", "echo"}) {
            win::SendMessage(hwnd, win::LB_ADDSTRING, 0, reinterpret_cast<win::LPARAM>(item));
        }
        const win::LPARAM lParam = c.text ? reinterpret_cast<win::LPARAM>(c.text) : c.lParam;
        EXPECT_EQ(win::SendMessage(hwnd, c.message, c.wParam, lParam), c.result);
        std::set<int> selected;
        const int count = int(win::SendMessage(hwnd, win::LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            if (win::SendMessage(hwnd, win::LB_GETSEL, win::WPARAM(i), 0) > 0) {
                selected.insert(i);
            }
        }
        EXPECT_EQ(selected, c.selected);
        if (c.style == extended) {
            std::vector<int> items(8, -1);
            const win::LRESULT written = win::SendMessage(hwnd, win::LB_GETSELITEMS, 8, reinterpret_cast<win::LPARAM>(items.data()));
            EXPECT_EQ(std::set<int>(items.begin(), items.begin() + written), c.selected);
        }
        win::DestroyWindow(hwnd);
    }
}

TEST_F(ListBoxTest, GetTextWritesExactlyTheTextAndItsEnd)
{
    form = MakeForm();
    form->Show();
    win::HWND hwnd = win::CreateWindowEx(0, "LISTBOX", "", win::WS_CHILD | win::LBS_HASSTRINGS, 0, 0, 100, 100, form->Handle(),
                                         nullptr, nullptr, nullptr);
    win::SendMessage(hwnd, win::LB_ADDSTRING, 0, reinterpret_cast<win::LPARAM>("four"));
    char buffer[8];
    std::fill(std::begin(buffer), std::end(buffer), '#');
    EXPECT_EQ(win::SendMessage(hwnd, win::LB_GETTEXT, 0, reinterpret_cast<win::LPARAM>(buffer)), 4);
    EXPECT_EQ(std::string(buffer, 8), std::string("four\0###", 8));
    EXPECT_EQ(win::SendMessage(hwnd, win::LB_GETTEXT, 1, reinterpret_cast<win::LPARAM>(buffer)), win::LB_ERR);
    win::DestroyWindow(hwnd);
}

TEST_F(ListBoxTest, TheWheelAndTheScrollBarMoveTheTopItem)
{
    auto* list = MakeList({});
    for (int i = 0; i < 30; ++i) {
        list->Items()->Add("Line " + std::to_string(i));
    }
    ShowAndFocus(list);
    win::UINT lines = 3;
    win::SystemParametersInfo(win::SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    driver.Wheel(list->Handle(), -120, 10, 10);
    driver.Pump();
    EXPECT_EQ(list->TopIndex(), int(lines));
    win::SendMessage(list->Handle(), win::WM_VSCROLL, win::SB_LINEDOWN, 0);
    EXPECT_EQ(list->TopIndex(), int(lines) + 1);
    win::SendMessage(list->Handle(), win::WM_VSCROLL, win::SB_BOTTOM, 0);
    win::RECT client{};
    win::GetClientRect(list->Handle(), &client);
    EXPECT_EQ(list->TopIndex(), 30 - int(client.bottom) / list->ItemHeight());
    EXPECT_LE(list->ItemRect(29).bottom, client.bottom);
}

TEST_F(ListBoxTest, TheScrollBarHiddenWhileTheItemsFitComesBackWhenTheyOutgrowTheList)
{
    auto* list = MakeList({}, 60);
    ShowAndFocus(list);
    win::SCROLLBARINFO bar;
    ASSERT_TRUE(win::GetScrollBarInfo(list->Handle(), win::OBJID_VSCROLL, &bar));
    EXPECT_EQ(bar.rgstate[0], win::STATE_SYSTEM_INVISIBLE) << "nothing to scroll";
    const win::RECT before = list->ClientRect();
    for (int i = 0; i < 20; ++i) {
        list->Items()->Add("Item " + std::to_string(i));
    }
    ASSERT_TRUE(win::GetScrollBarInfo(list->Handle(), win::OBJID_VSCROLL, &bar));
    EXPECT_EQ(bar.rgstate[0], 0u);
    EXPECT_EQ(list->ClientRect().right, before.right - win::GetSystemMetrics(win::SM_CXVSCROLL));
    list->Clear();
    ASSERT_TRUE(win::GetScrollBarInfo(list->Handle(), win::OBJID_VSCROLL, &bar));
    EXPECT_EQ(bar.rgstate[0], win::STATE_SYSTEM_INVISIBLE);
}

// Records the drawing requests the list box's window makes: item, action and state.
struct Request {
    int item;
    win::UINT action;
    win::UINT state;
    friend bool operator==(const Request&, const Request&) = default;
};

class TRecordingListBox : public gui::TListBox {
public:
    using gui::TListBox::TListBox;
    std::vector<Request> requests;

    void Dispatch(win::TMessage& message) override
    {
        if (message.Msg == gui::CN_DRAWITEM) {
            const auto* item = reinterpret_cast<const win::DRAWITEMSTRUCT*>(message.LParam);
            requests.push_back({int(item->itemID), item->itemAction, item->itemState & (win::ODS_SELECTED | win::ODS_FOCUS)});
        }
        gui::TListBox::Dispatch(message);
    }
};

void PrintTo(const Request& r, std::ostream* os)
{
    *os << "{" << r.item << ", action " << r.action << ", state " << r.state << "}";
}

TEST_F(ListBoxTest, ASelectionOrFocusChangeRedrawsOnlyTheItemsItConcerns)
{
    form = MakeForm();
    auto* other = Make<gui::TListBox>(form, "Other", 200, 10, 100, 50);
    auto* list = Make<TRecordingListBox>(form, "List", 10, 10, 150, 150);
    for (const char* key : {"F1", "F2", "F3", "F4", "F5", "F6"}) {
        list->Items()->Add(key);
    }
    list->SetStyle(gui::lbOwnerDrawFixed);
    list->SetItemHeight(22);
    list->SetItemIndex(1);
    ShowAndFocus(list);
    const win::UINT selected = win::ODS_SELECTED;
    const win::UINT focus = win::ODS_FOCUS;
    struct Step {
        const char* what;
        std::function<void()> act;
        std::vector<Request> requests;
    };
    const Step steps[] = {
            {"a click on item 3",
             [&] { ClickItem(list, 3); },
             {{1, win::ODA_FOCUS, 0}, {1, win::ODA_SELECT, 0}, {3, win::ODA_SELECT, selected | focus}, {3, win::ODA_FOCUS, selected | focus}}},
            {"the focus leaves", [&] { other->SetFocus(); }, {{3, win::ODA_FOCUS, selected}}},
            {"the focus comes back", [&] { list->SetFocus(); }, {{3, win::ODA_FOCUS, selected | focus}}},
            {"Down",
             [&] { driver.PressKey(win::VK_DOWN); },
             {{3, win::ODA_FOCUS, 0}, {3, win::ODA_SELECT, 0}, {4, win::ODA_SELECT, selected | focus}, {4, win::ODA_FOCUS, selected | focus}}},
            {"ItemIndex from code, to the same item", [&] { list->SetItemIndex(4); }, {}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        driver.Pump();
        list->requests.clear();
        step.act();
        driver.Pump();
        EXPECT_EQ(list->requests, step.requests);
    }
}

}  // namespace
}  // namespace guitest
