// The combo box driven by the mouse and keys: a user's choice against ItemIndex set from code, the
// dropped list's size and side, owner-drawn items and field, the keys that open, close and move, typing
// in the edit field, the COMBOBOX window's messages with arguments out of range, the items across new
// windows, and the parts' window procedures that descendants override.

#include "platform/gdi/SystemInfo.h"
#include "platform/gui/controls/Button.h"
#include "platform/gui/controls/ComboBox.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/ComboBoxInfo.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"
#include "platform/wintypes/ControlMessages.h"

#include "tests/platform/gui/core/ControlsFixture.h"
#include "tests/platform/gui/core/DrawingChecks.h"

#include <cstring>
#include <variant>

namespace guitest {
namespace {

struct Drawn {
    int index;
    win::RECT rect;
    gui::TOwnerDrawState state;
};

constexpr gui::TOwnerDrawState Bits(std::initializer_list<gui::TOwnerDrawStateKind> kinds)
{
    unsigned bits = 0;
    for (gui::TOwnerDrawStateKind kind : kinds) {
        bits |= 1u << kind;
    }
    return gui::TOwnerDrawState(bits);
}

win::RECT WindowRect(win::HWND hwnd)
{
    win::RECT rect{};
    win::GetWindowRect(hwnd, &rect);
    return rect;
}

class ComboBoxTest : public ControlsTest {
protected:
    gui::TComboBox* MakeCombo(gui::TComboBoxStyle style, std::initializer_list<const char*> items)
    {
        form = MakeForm();
        auto* combo = Make<gui::TComboBox>(form, "Combo", 10, 10, 150, 21);
        combo->SetStyle(style);
        for (const char* item : items) {
            combo->Items()->Add(item);
        }
        combo->OnChange = classes::TNotifyEvent::Of<&ComboBoxTest::Changed>(this);
        combo->OnSelect = classes::TNotifyEvent::Of<&ComboBoxTest::Selected>(this);
        combo->OnDropDown = classes::TNotifyEvent::Of<&ComboBoxTest::DroppedDown>(this);
        combo->OnCloseUp = classes::TNotifyEvent::Of<&ComboBoxTest::ClosedUp>(this);
        return combo;
    }
    // Presses and releases the mouse on the drop-down button (the release comes under the list's capture).
    void PressButton(gui::TComboBox* combo)
    {
        const win::RECT client = combo->ClientRect();
        const int x = int(client.right) - 5;
        const int y = int(client.bottom) / 2;
        driver.MouseDown(combo->Handle(), win::TestDriver::Button::Left, x, y);
        driver.Pump();
        driver.MouseUp(combo->Handle(), win::TestDriver::Button::Left, x, y);
        driver.Pump();
    }
    win::RECT ListItemRect(gui::TComboBox* combo, int index)
    {
        win::RECT rect{};
        win::SendMessage(combo->ListHandle(), win::LB_GETITEMRECT, win::WPARAM(index), reinterpret_cast<win::LPARAM>(&rect));
        return rect;
    }
    void ClickListItem(gui::TComboBox* combo, int index)
    {
        const win::RECT rect = ListItemRect(combo, index);
        driver.Click(combo->ListHandle(), win::TestDriver::Button::Left, 5, int(rect.top) + 2);
        driver.Pump();
    }

public:
    void Changed(classes::TObject*) { ++changes; }
    void Selected(classes::TObject*) { ++selects; }
    void DroppedDown(classes::TObject*) { ++dropDowns; }
    void ClosedUp(classes::TObject*) { ++closeUps; }
    void Clicked(classes::TObject*) { ++buttonClicks; }
    void FillOnDropDown(classes::TObject* sender)
    {
        ++dropDowns;
        auto* combo = static_cast<gui::TComboBox*>(sender);
        if (combo->Items()->Count() == 0) {
            for (const char* name : {"LPT1", "LPT2", "COM1", "FILE", "PDF"}) {
                combo->Items()->Add(name);
            }
        }
    }
    void MeasureItem(gui::TWinControl*, int index, int& height) { height = 10 + 2 * index; }
    void DrawItem(gui::TWinControl*, int index, const win::RECT& rect, gui::TOwnerDrawState state)
    {
        drawn.push_back({index, rect, state});
    }

protected:
    gui::TForm* form = nullptr;
    int changes = 0;
    int selects = 0;
    int dropDowns = 0;
    int closeUps = 0;
    int buttonClicks = 0;
    std::vector<Drawn> drawn;
};

const std::initializer_list<const char*> kGraphs = {"%Flow versus Cost Estimation Graph", "%Flow versus Annual Hours Graph",
                                                     "%Flow versus %Time Graph"};

TEST_F(ComboBoxTest, AUserChoiceFiresOnChangeOnceAndItemIndexFromCodeNone)
{
    auto* graphs = MakeCombo(gui::csDropDownList, kGraphs);
    ShowAndFocus(graphs);
    graphs->SetItemIndex(0);
    driver.Pump();
    EXPECT_EQ(changes, 0);

    PressButton(graphs);
    ASSERT_TRUE(graphs->DroppedDown());
    EXPECT_EQ(dropDowns, 1);
    EXPECT_TRUE(win::IsWindowVisible(graphs->ListHandle()));
    ClickListItem(graphs, 2);

    EXPECT_FALSE(graphs->DroppedDown());
    EXPECT_FALSE(win::IsWindowVisible(graphs->ListHandle()));
    EXPECT_EQ(win::GetCapture(), nullptr);
    EXPECT_EQ(graphs->ItemIndex(), 2);
    EXPECT_EQ(graphs->Text(), "%Flow versus %Time Graph");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(selects, 1);
    EXPECT_EQ(closeUps, 1);

    // Shown again: item 0 from code, silently.
    graphs->SetItemIndex(0);
    driver.Pump();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(graphs->Text(), "%Flow versus Cost Estimation Graph");
}

TEST_F(ComboBoxTest, TheDroppedListIsSizedByItemsAndDropDownCountAndOpensUpwardNearTheWorkAreaBottom)
{
    win::RECT work{};
    win::SystemParametersInfo(win::SPI_GETWORKAREA, 0, &work, 0);
    struct Case {
        int items;
        int dropDownCount;
        bool nearBottom;
        int height;
        bool upward;
    };
    const Case cases[] = {
            {20, 8, false, 106, false},  // 13 x 8 + 2
            {20, 8, true, 106, true},
            {3, 8, false, 41, false},
            {0, 8, false, 15, false},  // one empty line
            {20, 30, false, 262, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.items << " items, " << c.dropDownCount << (c.nearBottom ? ", near the bottom" : ""));
        auto* combo = MakeCombo(gui::csOwnerDrawFixed, {});
        combo->SetItemHeight(13);
        combo->SetDropDownCount(c.dropDownCount);
        for (int i = 0; i < c.items; ++i) {
            combo->Items()->Add("Zoom " + std::to_string(i));
        }
        if (c.nearBottom) {
            form->SetTop(int(work.bottom) - 60);
        }
        ShowAndFocus(combo);
        PressButton(combo);
        ASSERT_TRUE(combo->DroppedDown());
        const win::RECT box = WindowRect(combo->Handle());
        const win::RECT list = WindowRect(combo->ListHandle());
        EXPECT_EQ(win::Height(list), c.height);
        EXPECT_EQ(win::Width(list), win::Width(box));
        EXPECT_EQ(list.left, box.left);
        if (c.upward) {
            EXPECT_EQ(list.bottom, box.top);
        } else {
            EXPECT_EQ(list.top, box.bottom);
        }
        PressWith({}, win::VK_ESCAPE);
        EXPECT_FALSE(combo->DroppedDown());
        delete form;
    }
}

TEST_F(ComboBoxTest, OwnerDrawnItemsAndTheFieldAreDrawnWithTheirRectsAndState)
{
    auto* printers = MakeCombo(gui::csOwnerDrawFixed, {"Office laser", "Plotter", "Label printer", "PDF"});
    printers->SetItemHeight(16);
    printers->OnDrawItem = gui::TDrawItemEvent::Of<&ComboBoxTest::DrawItem>(this);
    printers->SetItemIndex(1);
    ShowAndFocus(printers);
    EXPECT_EQ(printers->Height(), 16 + 6);

    win::COMBOBOXINFO info;
    ASSERT_TRUE(win::GetComboBoxInfo(printers->Handle(), &info));
    drawn.clear();
    win::InvalidateRect(printers->Handle(), nullptr, true);
    driver.Pump();
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].index, 1);
    EXPECT_EQ(drawn[0].rect, info.rcItem);
    EXPECT_EQ(win::Height(drawn[0].rect), 16);
    EXPECT_EQ(drawn[0].state, Bits({gui::odSelected, gui::odFocused, gui::odComboBoxEdit}));

    drawn.clear();
    PressButton(printers);
    ASSERT_TRUE(printers->DroppedDown());
    win::RECT client{};
    win::GetClientRect(printers->ListHandle(), &client);
    std::vector<Drawn> items;
    for (const Drawn& d : drawn) {
        if (!(d.state & Bits({gui::odComboBoxEdit}))) {
            items.push_back(d);
        }
    }
    ASSERT_EQ(items.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(items[std::size_t(i)].index, i);
        EXPECT_EQ(items[std::size_t(i)].rect, (win::RECT{0, 16 * i, client.right, 16 * i + 16}));
        EXPECT_EQ(items[std::size_t(i)].state, i == 1 ? Bits({gui::odSelected}) : gui::TOwnerDrawState(0));
    }
    // The list follows the mouse: the item under it is drawn selected, and only it.
    drawn.clear();
    driver.MouseMove(printers->ListHandle(), 5, 16 * 3 + 4);
    driver.Pump();
    EXPECT_EQ(win::SendMessage(printers->ListHandle(), win::LB_GETCURSEL, 0, 0), 3);
    EXPECT_EQ(printers->ItemIndex(), 3);
    bool sawThreeSelected = false;
    for (const Drawn& d : drawn) {
        if (d.index == 3 && !(d.state & Bits({gui::odComboBoxEdit}))) {
            sawThreeSelected = (d.state & Bits({gui::odSelected})) != 0;
        }
    }
    EXPECT_TRUE(sawThreeSelected);
    EXPECT_EQ(changes, 0);
}

TEST_F(ComboBoxTest, KeysOpenCloseAndMoveTheSelection)
{
    auto* combo = MakeCombo(gui::csDropDownList, {"Alpha", "Bravo", "Charlie", "Delta", "Echo"});
    combo->SetItemIndex(1);
    ShowAndFocus(combo);
    struct Step {
        const char* what;
        std::initializer_list<win::UINT> held;
        win::UINT key;
        char typed;
        bool dropped;
        int itemIndex;
        int changes;
    };
    const Step steps[] = {
            {"F4 opens", {}, win::VK_F4, 0, true, 1, 0},
            {"Down moves the dropped list's selection", {}, win::VK_DOWN, 0, true, 2, 1},
            {"Esc closes", {}, win::VK_ESCAPE, 0, false, 2, 1},
            {"Alt+Down opens", {win::VK_MENU}, win::VK_DOWN, 0, true, 2, 1},
            {"Alt+Up closes", {win::VK_MENU}, win::VK_UP, 0, false, 2, 1},
            {"F4 opens again", {}, win::VK_F4, 0, true, 2, 1},
            {"Enter closes", {}, win::VK_RETURN, 0, false, 2, 1},
            {"Down, closed", {}, win::VK_DOWN, 0, false, 3, 2},
            {"Up, closed", {}, win::VK_UP, 0, false, 2, 3},
            {"End", {}, win::VK_END, 0, false, 4, 4},
            {"Down at the end", {}, win::VK_DOWN, 0, false, 4, 4},
            {"Home", {}, win::VK_HOME, 0, false, 0, 5},
            {"a letter finds the next item", {}, 0, 'd', false, 3, 6},
            {"the same letter again: none other", {}, 0, 'd', false, 3, 6},
            {"F4, then Tab closes", {}, win::VK_F4, 0, true, 3, 6},
            {"Tab", {}, win::VK_TAB, 0, false, 3, 6},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        if (step.typed) {
            driver.TypeChar(step.typed);
            driver.Pump();
        } else {
            PressWith(step.held, step.key);
        }
        EXPECT_EQ(combo->DroppedDown(), step.dropped);
        EXPECT_EQ(combo->ItemIndex(), step.itemIndex);
        EXPECT_EQ(changes, step.changes);
    }
    EXPECT_EQ(dropDowns, 4);
    EXPECT_EQ(closeUps, 4);
    EXPECT_TRUE(combo->Focused());
}

TEST_F(ComboBoxTest, EscAndAPressOutsideCloseWithoutChoosingAndThePressGoesNoFurther)
{
    auto* combo = MakeCombo(gui::csDropDownList, {"Alpha", "Bravo", "Charlie", "Delta", "Echo"});
    auto* other = Make<gui::TButton>(form, "Other", 10, 200, 80, 25);
    other->OnClick = classes::TNotifyEvent::Of<&ComboBoxTest::Clicked>(this);
    combo->SetItemIndex(0);
    ShowAndFocus(combo);

    enum class How { Esc, PressOutside, PressOnTheBox };
    for (How how : {How::Esc, How::PressOutside, How::PressOnTheBox}) {
        SCOPED_TRACE(int(how));
        PressButton(combo);
        ASSERT_TRUE(combo->DroppedDown());
        const win::RECT item = ListItemRect(combo, 3);
        driver.MouseMove(combo->ListHandle(), 5, int(item.top) + 2);
        driver.Pump();
        EXPECT_EQ(win::SendMessage(combo->ListHandle(), win::LB_GETCURSEL, 0, 0), 3);
        switch (how) {
        case How::Esc:
            PressWith({}, win::VK_ESCAPE);
            break;
        case How::PressOutside:
            driver.Click(other->Handle(), win::TestDriver::Button::Left, 10, 10);
            driver.Pump();
            break;
        case How::PressOnTheBox:
            driver.Click(combo->Handle(), win::TestDriver::Button::Left, 10, 5);
            driver.Pump();
            break;
        }
        EXPECT_FALSE(combo->DroppedDown());
        EXPECT_EQ(combo->ItemIndex(), 0);
        EXPECT_EQ(win::SendMessage(combo->ListHandle(), win::LB_GETCURSEL, 0, 0), 0);
        EXPECT_EQ(changes, 0);
        EXPECT_EQ(buttonClicks, 0);
        EXPECT_TRUE(combo->Focused());
    }
    EXPECT_EQ(closeUps, 3);
}

TEST_F(ComboBoxTest, TypingInTheEditFieldChangesTheTextAndAChoiceReplacesIt)
{
    auto* combo = MakeCombo(gui::csDropDown, {"One", "Two", "Three"});
    ShowAndFocus(combo);
    ASSERT_NE(combo->EditHandle(), nullptr);
    EXPECT_EQ(win::GetFocus(), combo->EditHandle());
    EXPECT_TRUE(gui::GetParentForm(combo)->ActiveControl() == combo);

    driver.TypeText("Tw");
    driver.Pump();
    EXPECT_EQ(combo->Text(), "Tw");
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(changes, 2);
    driver.TypeText("o");
    driver.Pump();
    EXPECT_EQ(combo->ItemIndex(), 1);  // the text names an item
    EXPECT_EQ(changes, 3);

    PressWith({}, win::VK_F4);
    ASSERT_TRUE(combo->DroppedDown());
    ClickListItem(combo, 2);
    EXPECT_EQ(combo->Text(), "Three");
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(combo->SelStart(), 0);
    EXPECT_EQ(combo->SelLength(), 5);

    PressWith({}, win::VK_UP);
    EXPECT_EQ(combo->Text(), "Two");
    EXPECT_EQ(changes, 5);

    // From code: silent.
    combo->SetText("One");
    combo->SetItemIndex(2);
    driver.Pump();
    EXPECT_EQ(combo->Text(), "Three");
    EXPECT_EQ(changes, 5);

    combo->SetSelStart(1);
    combo->SetSelLength(2);
    EXPECT_EQ(combo->SelText(), "hr");
    combo->SetSelText("_");
    EXPECT_EQ(combo->Text(), "T_ee");
}

using Argument = std::variant<win::LPARAM, const char*>;

TEST_F(ComboBoxTest, MessagesAnswerAsTheirArgumentsSay)
{
    auto* combo = MakeCombo(gui::csDropDownList, {"apple", "Banana", "cherry"});
    ShowAndFocus(combo);
    const win::HWND hwnd = combo->Handle();
    struct Row {
        win::UINT message;
        win::WPARAM wParam;
        Argument lParam;
        win::LRESULT result;
        int selection;
    };
    const win::WPARAM none = win::WPARAM(-1);
    const Row rows[] = {
            {win::CB_GETCOUNT, 0, win::LPARAM(0), 3, -1},
            {win::CB_SETCURSEL, 1, win::LPARAM(0), 1, 1},
            {win::CB_SETCURSEL, 5, win::LPARAM(0), win::CB_ERR, -1},
            {win::CB_SETCURSEL, 2, win::LPARAM(0), 2, 2},
            {win::CB_FINDSTRING, none, "b", 1, 2},
            {win::CB_FINDSTRING, 1, "B", 1, 2},  // from the item after the start, round to it
            {win::CB_FINDSTRING, none, "x", win::CB_ERR, 2},
            {win::CB_FINDSTRINGEXACT, none, "BANANA", 1, 2},
            {win::CB_FINDSTRINGEXACT, none, "ban", win::CB_ERR, 2},
            {win::CB_SELECTSTRING, none, "ch", 2, 2},
            {win::CB_SELECTSTRING, none, "ap", 0, 0},
            {win::CB_SELECTSTRING, none, "zz", win::CB_ERR, 0},
            {win::CB_GETLBTEXTLEN, 1, win::LPARAM(0), 6, 0},
            {win::CB_GETLBTEXTLEN, 3, win::LPARAM(0), win::CB_ERR, 0},
            {win::CB_SETITEMDATA, 2, win::LPARAM(77), win::CB_OKAY, 0},
            {win::CB_GETITEMDATA, 2, win::LPARAM(0), 77, 0},
            {win::CB_GETITEMDATA, 7, win::LPARAM(0), win::CB_ERR, 0},
            {win::CB_SETITEMDATA, 7, win::LPARAM(1), win::CB_ERR, 0},
            {win::CB_DELETESTRING, 5, win::LPARAM(0), win::CB_ERR, 0},
            {win::CB_SETCURSEL, 2, win::LPARAM(0), 2, 2},
            {win::CB_DELETESTRING, 0, win::LPARAM(0), 2, 1},  // the selection moves with its item
            {win::CB_INSERTSTRING, 0, "aa", 0, 2},
            {win::CB_INSERTSTRING, 9, "x", win::CB_ERR, 2},
            {win::CB_DELETESTRING, 2, win::LPARAM(0), 2, -1},  // the selected item itself
            {win::CB_SETITEMHEIGHT, none, win::LPARAM(0), win::CB_ERR, -1},
            {win::CB_SETITEMHEIGHT, none, win::LPARAM(300), win::CB_ERR, -1},
            {win::CB_SETEDITSEL, 0, win::LPARAM(0), win::CB_ERR, -1},  // no edit field
            {win::CB_LIMITTEXT, 5, win::LPARAM(0), win::CB_ERR, -1},
            {win::CB_GETDROPPEDSTATE, 0, win::LPARAM(0), win::FALSE, -1},
            {win::CB_SETMINVISIBLE, 0, win::LPARAM(0), win::FALSE, -1},
            {win::CB_RESETCONTENT, 0, win::LPARAM(0), win::CB_OKAY, -1},
            {win::CB_GETCOUNT, 0, win::LPARAM(0), 0, -1},
            {win::CB_SETCURSEL, 0, win::LPARAM(0), win::CB_ERR, -1},
    };
    int row = 0;
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "row " << row++ << ", message 0x" << std::hex << r.message);
        const win::LPARAM lParam = std::holds_alternative<const char*>(r.lParam)
                                           ? reinterpret_cast<win::LPARAM>(std::get<const char*>(r.lParam))
                                           : std::get<win::LPARAM>(r.lParam);
        EXPECT_EQ(win::SendMessage(hwnd, r.message, r.wParam, lParam), r.result);
        EXPECT_EQ(win::SendMessage(hwnd, win::CB_GETCURSEL, 0, 0), r.selection);
    }
    EXPECT_EQ(changes, 0);
}

TEST_F(ComboBoxTest, ItemTextIsCopiedExactlyWithItsNulAndBadIndexesRaise)
{
    auto* combo = MakeCombo(gui::csDropDownList, {"apple", "Banana"});
    ShowAndFocus(combo);
    char buffer[16];
    std::memset(buffer, '#', sizeof(buffer));
    EXPECT_EQ(win::SendMessage(combo->Handle(), win::CB_GETLBTEXT, 1, reinterpret_cast<win::LPARAM>(buffer)), 6);
    EXPECT_EQ(std::string(buffer, 7), std::string("Banana\0", 7));
    EXPECT_EQ(buffer[7], '#');
    EXPECT_EQ(win::SendMessage(combo->Handle(), win::CB_GETLBTEXT, 2, reinterpret_cast<win::LPARAM>(buffer)), win::CB_ERR);

    try {
        (void)combo->Items()->Strings(2);
        ADD_FAILURE() << "no exception";
    } catch (const rtl::EListError& error) {
        EXPECT_STREQ(error.what(), "List index out of bounds (2)");
    }
    EXPECT_THROW(combo->Items()->Delete(-1), rtl::EListError);
    EXPECT_THROW(combo->Items()->Insert(3, "x"), rtl::EListError);
}

TEST_F(ComboBoxTest, ItemsObjectsAndSelectionSurviveANewWindowAndSortingBeforeIt)
{
    form = MakeForm();
    auto* combo = Make<gui::TComboBox>(form, "Combo", 10, 10, 150, 21);
    int objects[3] = {};
    combo->Items()->AddObject("cherry", &objects[0]);
    combo->Items()->AddObject("apple", &objects[1]);
    combo->Items()->AddObject("Banana", &objects[2]);
    combo->SetSorted(true);
    EXPECT_EQ(combo->Items()->Strings(0), "apple");
    EXPECT_EQ(combo->Items()->Strings(1), "Banana");
    EXPECT_EQ(combo->Items()->Objects(1), &objects[2]);
    combo->SetItemIndex(1);
    ShowAndFocus(combo);
    EXPECT_EQ(combo->Items()->Count(), 3);
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Text(), "Banana");
    EXPECT_EQ(combo->Items()->Add("date"), 3);
    EXPECT_EQ(combo->Items()->Add("Avocado"), 1);
    EXPECT_EQ(combo->ItemIndex(), 2);  // still Banana

    for (gui::TComboBoxStyle style : {gui::csDropDownList, gui::csSimple, gui::csOwnerDrawVariable, gui::csDropDown}) {
        SCOPED_TRACE(int(style));
        combo->SetStyle(style);
        driver.Pump();
        ASSERT_EQ(combo->Items()->Count(), 5);
        EXPECT_EQ(combo->Items()->Strings(2), "Banana");
        EXPECT_EQ(combo->Items()->Objects(2), &objects[2]);
        EXPECT_EQ(combo->Items()->Objects(3), &objects[0]);
        EXPECT_EQ(combo->Items()->Objects(4), nullptr);
        EXPECT_EQ(combo->ItemIndex(), 2);
        EXPECT_EQ(combo->Text(), "Banana");
        win::COMBOBOXINFO info;
        ASSERT_TRUE(win::GetComboBoxInfo(combo->Handle(), &info));
        EXPECT_EQ(info.hwndItem, combo->EditHandle());
        EXPECT_EQ(info.hwndList, combo->ListHandle());
        EXPECT_EQ(info.hwndItem != nullptr, style == gui::csDropDown || style == gui::csSimple);
        if (style == gui::csSimple) {
            EXPECT_EQ(info.stateButton, win::STATE_SYSTEM_INVISIBLE);
            EXPECT_TRUE(win::IsWindowVisible(info.hwndList));
        } else {
            EXPECT_EQ(win::Width(info.rcButton), win::GetSystemMetrics(win::SM_CXVSCROLL));
            EXPECT_FALSE(win::IsWindowVisible(info.hwndList));
        }
    }
    win::COMBOBOXINFO wrongSize;
    wrongSize.cbSize = 3;
    EXPECT_FALSE(win::GetComboBoxInfo(combo->Handle(), &wrongSize));
    EXPECT_FALSE(win::GetComboBoxInfo(form->Handle(), &wrongSize));
}

TEST_F(ComboBoxTest, TheListStyleFieldIsHighlightedWhileFocused)
{
    auto* combo = MakeCombo(gui::csDropDownList, {"One", "Two"});
    auto* other = Make<gui::TButton>(form, "Other", 10, 200, 80, 25);
    combo->SetItemIndex(0);
    ShowAndFocus(combo);
    win::COMBOBOXINFO info;
    ASSERT_TRUE(win::GetComboBoxInfo(combo->Handle(), &info));
    // Right of the text, inside the focus rectangle.
    const int x = int(info.rcItem.right) - 10;
    const int y = int(info.rcItem.top + info.rcItem.bottom) / 2;
    EXPECT_EQ(win::TestDriver::PixelAt(combo->Handle(), x, y), Rgb(gui::clHighlight));
    other->SetFocus();
    driver.Pump();
    EXPECT_EQ(win::TestDriver::PixelAt(combo->Handle(), x, y), Rgb(gui::clWindow));
}

TEST_F(ComboBoxTest, ItemsAddedOnDropDownAreShownAndTheEditFollowsCharCaseAndMaxLength)
{
    auto* ports = MakeCombo(gui::csDropDown, {});
    ports->OnDropDown = classes::TNotifyEvent::Of<&ComboBoxTest::FillOnDropDown>(this);
    ports->SetCharCase(gui::ecUpperCase);
    ports->SetMaxLength(3);
    ShowAndFocus(ports);
    PressWith({}, win::VK_F4);
    ASSERT_TRUE(ports->DroppedDown());
    EXPECT_EQ(dropDowns, 1);
    const int itemHeight = int(win::SendMessage(ports->ListHandle(), win::LB_GETITEMHEIGHT, 0, 0));
    EXPECT_EQ(win::Height(WindowRect(ports->ListHandle())), 5 * itemHeight + 2) << "sized after OnDropDown";
    PressWith({}, win::VK_ESCAPE);

    driver.TypeText("abcdef");
    driver.Pump();
    EXPECT_EQ(ports->Text(), "ABC");
    EXPECT_EQ(changes, 3);
}

TEST_F(ComboBoxTest, VariableItemsTakeTheHeightsOnMeasureItemGives)
{
    auto* combo = MakeCombo(gui::csOwnerDrawVariable, {});
    combo->OnMeasureItem = gui::TMeasureItemEvent::Of<&ComboBoxTest::MeasureItem>(this);
    combo->SetDropDownCount(3);
    ShowAndFocus(combo);
    for (const char* name : {"a", "b", "c", "d"}) {
        combo->Items()->Add(name);
    }
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(win::SendMessage(combo->Handle(), win::CB_GETITEMHEIGHT, win::WPARAM(i), 0), 10 + 2 * i) << i;
    }
    PressButton(combo);
    ASSERT_TRUE(combo->DroppedDown());
    EXPECT_EQ(win::Height(WindowRect(combo->ListHandle())), 10 + 12 + 14 + 2);
    EXPECT_EQ(ListItemRect(combo, 2), (win::RECT{0, 22, ListItemRect(combo, 2).right, 36}));
}

// A descendant that keeps its own count of what reaches the edit and list windows and refuses the
// list's top-index requests.
class TCountingCombo : public gui::TComboBox {
public:
    using gui::TComboBox::TComboBox;
    int editChars = 0;
    int refusedTopIndex = 0;

protected:
    void EditWndProc(win::TMessage& message) override
    {
        if (message.Msg == win::WM_CHAR) {
            ++editChars;
        }
        gui::TComboBox::EditWndProc(message);
    }
    void ListWndProc(win::TMessage& message) override
    {
        if (message.Msg == win::LB_SETTOPINDEX) {
            ++refusedTopIndex;
            message.Result = 0;
            return;
        }
        gui::TComboBox::ListWndProc(message);
    }
};

TEST_F(ComboBoxTest, TheEditAndListWindowsRunThroughTheOverridableProcedures)
{
    form = MakeForm();
    auto* combo = Make<TCountingCombo>(form, "Combo", 10, 10, 150, 21);
    for (int i = 0; i < 20; ++i) {
        combo->Items()->Add("Item " + std::to_string(i));
    }
    ShowAndFocus(combo);
    driver.TypeText("abc");
    driver.Pump();
    EXPECT_EQ(combo->editChars, 3);
    EXPECT_EQ(combo->Text(), "abc");
    win::SendMessage(combo->Handle(), win::CB_SETTOPINDEX, 5, 0);
    EXPECT_EQ(combo->refusedTopIndex, 1);
    EXPECT_EQ(win::SendMessage(combo->ListHandle(), win::LB_GETTOPINDEX, 0, 0), 0);
    // A new window is subclassed again.
    combo->SetStyle(gui::csDropDownList);
    driver.Pump();
    win::SendMessage(combo->Handle(), win::CB_SETTOPINDEX, 5, 0);
    EXPECT_EQ(combo->refusedTopIndex, 2);
    delete form;
    form = nullptr;
}

}  // namespace
}  // namespace guitest
