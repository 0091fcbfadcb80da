// The edit controls driven by real keys and the mouse: what the text, selection and caret become, the
// clipboard, undo, the length limit, OnChange, the key filter, the memo's lines, and the EDIT window's
// messages with arguments out of range.

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/gui/controls/Edit.h"
#include "platform/gui/controls/Memo.h"
#include "platform/gui/core/Clipboard.h"
#include "platform/gui/core/Messages.h"
#include "platform/text/TextMetrics.h"
#include "platform/win/Caret.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Paint.h"
#include "platform/win/ScrollBar.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"
#include "platform/wintypes/ControlMessages.h"

#include "tests/platform/gui/core/ControlsFixture.h"
#include "tests/platform/gui/core/DrawingChecks.h"

#include <cctype>
#include <cstring>
#include <map>

namespace guitest {
namespace {

struct Counter {
    void Change(classes::TObject*) { ++changes; }
    void DropChar(classes::TObject*, char& key)
    {
        if (key == drop) {
            key = 0;
        }
    }
    int changes = 0;
    char drop = 0;
};

// The width of text in a control's font, measured apart from the control.
int TextWidth(gui::TFont* font, const std::string& text)
{
    return MeasureText(font, text).cx;
}

class EditTest : public ControlsTest {
protected:
    gui::TEdit* MakeEdit(const char* name = "Edit", int top = 10)
    {
        if (!form) {
            form = MakeForm();
        }
        auto* edit = Make<gui::TEdit>(form, name, 10, top, 200, 21);
        edit->OnChange = classes::TNotifyEvent::Of<&Counter::Change>(&counter);
        return edit;
    }

    // Runs a key script: plain characters are typed; <Key> presses a key, with "C-" and "S-" before its
    // name for Ctrl and Shift held (<C-S-Left>); <C-z> is Ctrl with a letter.
    void Keys(const std::string& script)
    {
        for (std::size_t i = 0; i < script.size(); ++i) {
            if (script[i] != '<') {
                const auto ch = static_cast<unsigned char>(script[i]);
                driver.TypeChar(script[i], std::isalnum(ch) ? win::UINT(std::toupper(ch)) : ch == ' ' ? win::VK_SPACE : win::VK_PACKET);
                continue;
            }
            const std::size_t end = script.find('>', i);
            std::string name = script.substr(i + 1, end - i - 1);
            i = end;
            std::vector<win::UINT> held;
            while (name.size() > 2 && name[1] == '-') {
                held.push_back(name[0] == 'C' ? win::VK_CONTROL : win::VK_SHIFT);
                name = name.substr(2);
            }
            static const std::map<std::string, win::UINT> keys = {
                {"Left", win::VK_LEFT}, {"Right", win::VK_RIGHT}, {"Up", win::VK_UP},       {"Down", win::VK_DOWN},
                {"Home", win::VK_HOME}, {"End", win::VK_END},     {"Back", win::VK_BACK},   {"Del", win::VK_DELETE},
                {"Ins", win::VK_INSERT}, {"Enter", win::VK_RETURN}, {"Tab", win::VK_TAB}, {"PgDn", win::VK_NEXT},
                {"PgUp", win::VK_PRIOR}};
            const auto key = keys.find(name);
            const win::UINT vk = key != keys.end() ? key->second : win::UINT(std::toupper(name[0]));
            for (win::UINT modifier : held) {
                driver.KeyDown(modifier);
            }
            driver.PressKey(vk);
            for (auto it = held.rbegin(); it != held.rend(); ++it) {
                driver.KeyUp(*it);
            }
        }
        driver.Pump();
    }
    static std::pair<int, int> Selection(gui::TCustomEdit* edit)
    {
        return {edit->SelStart(), edit->SelStart() + edit->SelLength()};
    }

    gui::TForm* form = nullptr;
    Counter counter;
};

TEST_F(EditTest, KeyScriptsLeaveTheExpectedTextSelectionAndCaret)
{
    struct Case {
        const char* script;
        const char* text;
        int selStart;
        int selEnd;  // the caret is at the end that moved last
        int caret;
    };
    const Case cases[] = {
        {"hello", "hello", 5, 5, 5},
        {"hello<Left><Left>X", "helXlo", 4, 4, 4},
        {"hello<Home>X<End>Y", "XhelloY", 7, 7, 7},
        {"one two three<C-Left>", "one two three", 8, 8, 8},
        {"one two three<C-Left><C-Left>", "one two three", 4, 4, 4},
        {"one two three<Home><C-Right>", "one two three", 4, 4, 4},
        {"one two three<Home><C-Right><C-Right><C-Right>", "one two three", 13, 13, 13},
        {"one two three<S-Left><S-Left>", "one two three", 11, 13, 11},
        {"one two three<C-S-Left>", "one two three", 8, 13, 8},
        {"one two three<Home><S-End>", "one two three", 0, 13, 13},
        {"one two three<C-S-Left>X", "one two X", 9, 9, 9},
        {"abc<S-Left><Left>", "abc", 2, 2, 2},
        {"abc<Back><Back>", "a", 1, 1, 1},
        {"abc<Home><Del>", "bc", 0, 0, 0},
        {"abc<C-z>", "", 0, 0, 0},
        {"abc<C-z><C-z>", "abc", 3, 3, 3},
        {"abc<Left>d<C-z>", "abc", 2, 2, 2},
    };
    gui::TEdit* edit = MakeEdit();
    ShowAndFocus(edit);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        edit->SetText("");
        Keys(c.script);
        EXPECT_EQ(edit->Text(), c.text);
        EXPECT_EQ(Selection(edit), std::make_pair(c.selStart, c.selEnd));
        win::POINT caret{};
        win::GetCaretPos(&caret);
        EXPECT_EQ(caret.x, TextWidth(edit->Font(), std::string(c.text).substr(0, std::size_t(c.caret))));
    }
}

TEST_F(EditTest, TheClipboardCarriesTextBetweenEditsAndReadOnlyRefusesPaste)
{
    gui::TEdit* edit = MakeEdit();
    gui::TEdit* other = MakeEdit("Other", 40);
    ShowAndFocus(edit);
    Keys("hello world<C-S-Left><C-c>");
    EXPECT_EQ(gui::Clipboard()->AsText(), "world");
    other->SetFocus();
    Keys("say <C-v>!");
    EXPECT_EQ(other->Text(), "say world!");
    Keys("<Home><S-Right><S-Right><S-Right><C-x>");
    EXPECT_EQ(other->Text(), " world!");
    EXPECT_EQ(gui::Clipboard()->AsText(), "say");
    Keys("<End><S-Ins>");
    EXPECT_EQ(other->Text(), " world!say");
    Keys("<S-Left><C-Ins><S-Del>");
    EXPECT_EQ(other->Text(), " world!sa");
    EXPECT_EQ(gui::Clipboard()->AsText(), "y");

    // A single-line paste ends at the first line break; a NUL ends any text.
    gui::Clipboard()->SetAsText("first\r\nsecond");
    other->SetText("");
    Keys("<C-v>");
    EXPECT_EQ(other->Text(), "first");

    other->SetReadOnly(true);
    const int before = counter.changes;
    Keys("<C-v>x<Back>");
    EXPECT_EQ(other->Text(), "first");
    EXPECT_EQ(counter.changes, before);
    // Copying still works from a read-only edit.
    Keys("<Home><S-End><C-c>");
    EXPECT_EQ(gui::Clipboard()->AsText(), "first");
}

TEST_F(EditTest, MaxLengthStopsTypingButNotTextFromCode)
{
    gui::TEdit* edit = MakeEdit();
    edit->SetMaxLength(6);
    ShowAndFocus(edit);
    Keys("12345678");
    EXPECT_EQ(edit->Text(), "123456");
    edit->SetText("1,000,000");
    EXPECT_EQ(edit->Text(), "1,000,000");
    EXPECT_EQ(win::GetWindowTextLength(edit->Handle()), 9);
    // A paste is cut to what the limit leaves room for.
    edit->SetText("abc");
    gui::Clipboard()->SetAsText("defghij");
    Keys("<End><C-v>");
    EXPECT_EQ(edit->Text(), "abcdef");
}

TEST_F(EditTest, OnChangeFiresOncePerChange)
{
    gui::TEdit* edit = MakeEdit();
    ShowAndFocus(edit);
    Keys("abc");
    EXPECT_EQ(counter.changes, 3);
    edit->SetText("xyz");
    EXPECT_EQ(counter.changes, 4);
    edit->SetText("xyz");
    EXPECT_EQ(counter.changes, 4) << "the same text again is no change";
    Keys("<End><Left>");
    EXPECT_EQ(counter.changes, 4) << "a caret move is no change";
    Keys("<C-z>");
    EXPECT_EQ(counter.changes, 4) << "nothing to undo after text set from code";
    Keys("<Back>");
    EXPECT_EQ(counter.changes, 5);
    Keys("<C-z>");
    EXPECT_EQ(edit->Text(), "xyz");
    EXPECT_EQ(counter.changes, 6);
}

TEST_F(EditTest, AKeyFilterDroppingBackspaceLeavesDeleteAndOvertyping)
{
    gui::TEdit* edit = MakeEdit();
    edit->OnKeyPress = gui::TKeyPressEvent::Of<&Counter::DropChar>(&counter);
    ShowAndFocus(edit);
    counter.drop = '\b';
    Keys("abcd<Back>");
    EXPECT_EQ(edit->Text(), "abcd");
    Keys("<Home><Del>");
    EXPECT_EQ(edit->Text(), "bcd");
    Keys("<S-Right>X");
    EXPECT_EQ(edit->Text(), "Xcd");
    counter.drop = 'q';
    Keys("qz");
    EXPECT_EQ(edit->Text(), "Xzcd");
}

TEST_F(EditTest, AutoSelectSelectsAllWhenTabbedIntoButNotWhenClicked)
{
    gui::TEdit* first = MakeEdit("First");
    gui::TEdit* second = MakeEdit("Second", 40);
    second->SetText("some text");
    ShowAndFocus(first);
    Keys("<Tab>");
    EXPECT_EQ(form->ActiveControl(), second);
    EXPECT_EQ(Selection(second), std::make_pair(0, 9));
    first->SetFocus();
    driver.Click(second->Handle(), win::TestDriver::Button::Left, 2, 5);
    driver.Pump();
    EXPECT_EQ(Selection(second), std::make_pair(0, 0));
}

TEST_F(EditTest, TheMousePlacesTheCaretDragsASelectionAndDoubleClickSelectsAWord)
{
    gui::TEdit* edit = MakeEdit();
    edit->SetText("alpha beta gamma");
    ShowAndFocus(edit);
    gui::TFont* font = edit->Font();
    const win::HWND hwnd = edit->Handle();
    // Just right of a character boundary falls to it.
    const int y = 5;
    driver.Click(hwnd, win::TestDriver::Button::Left, TextWidth(font, "alp") + 1, y);
    driver.Pump();
    EXPECT_EQ(Selection(edit), std::make_pair(3, 3));
    driver.MouseDown(hwnd, win::TestDriver::Button::Left, TextWidth(font, "alpha ") + 1, y);
    driver.MouseMove(hwnd, TextWidth(font, "alpha beta ga") + 1, y);
    driver.MouseUp(hwnd, win::TestDriver::Button::Left, TextWidth(font, "alpha beta ga") + 1, y);
    driver.Pump();
    EXPECT_EQ(Selection(edit), std::make_pair(6, 13));
    EXPECT_EQ(edit->SelText(), "beta ga");
    driver.AdvanceBy(1000);
    driver.Click(hwnd, win::TestDriver::Button::Left, TextWidth(font, "alpha be") + 1, y);
    driver.Click(hwnd, win::TestDriver::Button::Left, TextWidth(font, "alpha be") + 1, y);
    driver.Pump();
    EXPECT_EQ(edit->SelText(), "beta ");
}

TEST_F(EditTest, AlignedTextAndPositionsFollowTheMeasuredWidths)
{
    form = MakeForm();
    form->Show();
    driver.Pump();
    const std::string text = "Wide text";
    struct Case {
        win::DWORD align;
        const char* name;
    };
    for (const Case& c : {Case{win::ES_LEFT, "left"}, Case{win::ES_CENTER, "center"}, Case{win::ES_RIGHT, "right"}}) {
        SCOPED_TRACE(c.name);
        const win::HWND hwnd = win::CreateWindowEx(0, "EDIT", text.c_str(), win::WS_CHILD | win::WS_VISIBLE | win::ES_MULTILINE | c.align,
                                                   10, 10, 200, 40, form->Handle(), nullptr, nullptr, nullptr);
        ASSERT_NE(hwnd, nullptr);
        win::SendMessage(hwnd, win::WM_SETFONT, reinterpret_cast<win::WPARAM>(form->Font()->Handle()), 0);
        win::SendMessage(hwnd, win::EM_SETMARGINS, win::EC_LEFTMARGIN | win::EC_RIGHTMARGIN, win::MAKELPARAM(3, 5));
        const int width = TextWidth(form->Font(), text);
        const int room = 200 - 3 - 5;
        const int left = 3 + (c.align == win::ES_RIGHT ? room - width : c.align == win::ES_CENTER ? (room - width) / 2 : 0);
        for (std::size_t i : {std::size_t(0), std::size_t(4), std::size_t(8)}) {
            const win::LRESULT pos = win::SendMessage(hwnd, win::EM_POSFROMCHAR, i, 0);
            EXPECT_EQ(win::GET_X_LPARAM(pos), left + TextWidth(form->Font(), text.substr(0, i))) << i;
            EXPECT_EQ(win::GET_Y_LPARAM(pos), 0);
        }
        // The text is drawn there: nothing left of it, ink in its first pixels.
        win::UpdateWindow(hwnd);
        bool inkBefore = false;
        bool inkInside = false;
        for (int x = 0; x < 200; ++x) {
            for (int row = 0; row < 14; ++row) {
                if (win::TestDriver::PixelAt(hwnd, x, row) != win::GetSysColor(win::COLOR_WINDOW)) {
                    (x < left ? inkBefore : inkInside) = true;
                }
            }
        }
        EXPECT_FALSE(inkBefore);
        EXPECT_TRUE(inkInside);
        win::DestroyWindow(hwnd);
    }
}

TEST_F(EditTest, APasswordEditShowsStarsAndKeepsItsTextFromTheClipboard)
{
    gui::TEdit* secret = MakeEdit("Secret");
    gui::TEdit* stars = MakeEdit("Stars", 40);
    secret->SetPasswordChar('*');
    secret->SetText("abc");
    stars->SetText("***");
    ShowAndFocus(stars);
    stars->SetSelStart(0);
    form->Update();
    // (Column 0 holds the focused edit's caret.)
    int ink = 0;
    for (int x = 1; x < 40; ++x) {
        for (int y = 0; y < 15; ++y) {
            ink += win::TestDriver::PixelAt(stars->Handle(), x, y) != win::TestDriver::PixelAt(stars->Handle(), 39, 14);
            ASSERT_EQ(win::TestDriver::PixelAt(secret->Handle(), x, y), win::TestDriver::PixelAt(stars->Handle(), x, y))
                << x << ", " << y;
        }
    }
    EXPECT_GT(ink, 10);
    EXPECT_EQ(secret->Text(), "abc");
    gui::Clipboard()->SetAsText("before");
    secret->SetFocus();
    Keys("<Home><S-End><C-c><C-x>");
    EXPECT_EQ(gui::Clipboard()->AsText(), "before");
    EXPECT_EQ(secret->Text(), "abc");
}

TEST_F(EditTest, RecreatingTheWindowKeepsTextSelectionAndModified)
{
    gui::TEdit* edit = MakeEdit();
    ShowAndFocus(edit);
    Keys("hello<S-Left><S-Left>");
    EXPECT_TRUE(edit->Modified());
    const win::HWND before = edit->Handle();
    edit->SetHideSelection(false);
    driver.Pump();
    EXPECT_NE(edit->Handle(), before);
    EXPECT_EQ(edit->Text(), "hello");
    EXPECT_EQ(Selection(edit), std::make_pair(3, 5));
    EXPECT_TRUE(edit->Modified());
    // The character case applies to the text the new window is given and to what is typed.
    edit->SetCharCase(gui::ecUpperCase);
    EXPECT_EQ(edit->Text(), "HELLO");
    Keys("<End>x");
    EXPECT_EQ(edit->Text(), "HELLOX");
}

TEST_F(EditTest, MemoLinesRoundTripCrLfAndEnterBreaksALine)
{
    form = MakeForm();
    auto* memo = Make<gui::TMemo>(form, "Memo", 10, 10, 200, 100);
    memo->Lines()->SetText("first\nsecond\r\nthird");
    EXPECT_EQ(memo->Text(), "first\r\nsecond\r\nthird\r\n");
    EXPECT_EQ(memo->Lines()->Count(), 3);
    EXPECT_EQ(memo->Lines()->Strings(1), "second");
    memo->Lines()->Delete(0);
    memo->Lines()->SetStrings(1, "last");
    EXPECT_EQ(memo->Lines()->Text(), "second\r\nlast\r\n");
    ShowAndFocus(memo);
    EXPECT_EQ(win::SendMessage(memo->Handle(), win::EM_GETLINECOUNT, 0, 0), 3);
    Keys("<C-Home><End><Enter>new<Down><Home>X");
    EXPECT_EQ(memo->Lines()->Text(), "second\r\nnew\r\nXlast\r\n");
    memo->SetWantReturns(false);
    Keys("<Enter>");
    EXPECT_EQ(memo->Lines()->Count(), 3);
}

TEST_F(EditTest, AMemosScrollBarsHoldItsLinesAndWidthAndScrollIt)
{
    form = MakeForm();
    auto* memo = Make<gui::TMemo>(form, "Notes", 10, 10, 200, 100);
    memo->SetScrollBars(gui::ssBoth);
    std::string text;
    for (int i = 0; i < 30; ++i) {
        text += "line " + std::to_string(i) + "\r\n";
    }
    const std::string wide(60, 'W');
    text += wide;
    memo->SetText(text);
    ShowAndFocus(memo);
    const win::TEXTMETRIC metrics = MeasureFont(memo->Font());
    win::RECT client{};
    win::GetClientRect(memo->Handle(), &client);
    const int visible = client.bottom / metrics.tmHeight;
    auto bar = [&](int which) {
        win::SCROLLINFO info;
        info.fMask = win::SIF_ALL;
        win::GetScrollInfo(memo->Handle(), which, &info);
        return info;
    };
    auto first = [&] { return int(win::SendMessage(memo->Handle(), win::EM_GETFIRSTVISIBLELINE, 0, 0)); };
    auto scroll = [&](win::UINT message, win::WORD code, int pos = 0) {
        win::SendMessage(memo->Handle(), message, win::MAKEWPARAM(code, win::WORD(pos)), 0);
    };
    win::SendMessage(memo->Handle(), win::EM_SETSEL, 0, 0);
    EXPECT_EQ(bar(win::SB_VERT).nMax, 30);
    EXPECT_EQ(int(bar(win::SB_VERT).nPage), visible);
    EXPECT_EQ(bar(win::SB_VERT).nPos, 0);
    EXPECT_EQ(bar(win::SB_HORZ).nMax, TextWidth(memo->Font(), wide) - 1);
    EXPECT_EQ(int(bar(win::SB_HORZ).nPage), client.right);

    scroll(win::WM_VSCROLL, win::SB_LINEDOWN);
    EXPECT_EQ(first(), 1);
    EXPECT_EQ(bar(win::SB_VERT).nPos, 1);
    scroll(win::WM_VSCROLL, win::SB_PAGEDOWN);
    EXPECT_EQ(first(), 1 + visible);
    scroll(win::WM_VSCROLL, win::SB_THUMBTRACK, 10);
    EXPECT_EQ(first(), 10);
    scroll(win::WM_VSCROLL, win::SB_BOTTOM);
    EXPECT_EQ(first(), 31 - visible);
    scroll(win::WM_VSCROLL, win::SB_TOP);
    EXPECT_EQ(first(), 0);
    // A click on the bar's lower arrow scrolls a line.
    driver.Click(memo->Handle(), win::TestDriver::Button::Left, client.right + 3, client.bottom - 3);
    driver.Pump();
    EXPECT_EQ(first(), 1);

    scroll(win::WM_HSCROLL, win::SB_LINERIGHT);
    EXPECT_EQ(bar(win::SB_HORZ).nPos, metrics.tmAveCharWidth);
    scroll(win::WM_HSCROLL, win::SB_RIGHT);
    EXPECT_EQ(bar(win::SB_HORZ).nPos, TextWidth(memo->Font(), wide) - client.right);
    scroll(win::WM_HSCROLL, win::SB_THUMBPOSITION, 100000 & 0xFFFF);
    EXPECT_EQ(bar(win::SB_HORZ).nPos, TextWidth(memo->Font(), wide) - client.right) << "not past the text";
    // The caret moving out of view scrolls, and the bars follow.
    Keys("<C-Home>");
    EXPECT_EQ(bar(win::SB_VERT).nPos, 0);
    EXPECT_EQ(bar(win::SB_HORZ).nPos, 0);
    Keys("<C-End>");
    EXPECT_EQ(bar(win::SB_VERT).nPos, 31 - visible);
}

TEST_F(EditTest, AMemoMovesTabsToStopsEveryEightAverageCharacters)
{
    form = MakeForm();
    auto* memo = Make<gui::TMemo>(form, "Notes", 10, 10, 300, 100);
    memo->SetText("a\tb\r\n\tx\r\nabcdefghijk\tz");
    ShowAndFocus(memo);
    const win::TEXTMETRIC metrics = MeasureFont(memo->Font());
    const int stop = 8 * metrics.tmAveCharWidth;
    auto pos = [&](int index) {
        const auto at = win::DWORD(win::SendMessage(memo->Handle(), win::EM_POSFROMCHAR, index, 0));
        return win::POINT{std::int16_t(win::LOWORD(at)), std::int16_t(win::HIWORD(at))};
    };
    const int left = pos(0).x;
    EXPECT_EQ(pos(2).x, left + stop) << "b";
    EXPECT_EQ(pos(6).x, left + stop) << "x";
    const int wide = TextWidth(memo->Font(), "abcdefghijk");
    ASSERT_GT(wide, stop);
    EXPECT_EQ(pos(21).x, left + (wide / stop + 1) * stop) << "z, at the stop after the text";
    // A click just right of the stop lands before the character there.
    const win::POINT b = pos(2);
    EXPECT_EQ(win::LOWORD(win::DWORD(win::SendMessage(memo->Handle(), win::EM_CHARFROMPOS, 0,
                                                       win::MAKELPARAM(win::WORD(b.x + 1), win::WORD(b.y + 2))))),
              2);
    // The tab's room is blank.
    const int aWidth = TextWidth(memo->Font(), "a");
    for (int x = left + aWidth + 2; x < left + stop - 1; ++x) {
        for (int y = b.y; y < b.y + metrics.tmHeight; ++y) {
            ASSERT_EQ(win::TestDriver::PixelAt(memo->Handle(), x, y), win::GetSysColor(win::COLOR_WINDOW)) << x << ", " << y;
        }
    }
    EXPECT_NE(win::TestDriver::PixelAt(memo->Handle(), left + stop + 1, b.y + metrics.tmAscent - 2),
              win::GetSysColor(win::COLOR_WINDOW))
        << "the b is drawn at the stop";
}

TEST_F(EditTest, AnEditThatDoesNotScrollTakesNoMoreThanItsRoom)
{
    form = MakeForm();
    form->Show();
    driver.Pump();
    struct Case {
        win::DWORD style;
        int height;
        std::string typed;
    };
    for (const Case& c : {Case{0, 20, std::string(40, 'W')}, Case{win::ES_MULTILINE | win::ES_WANTRETURN, 3 * 13 + 4, "a\rb\rc\rd\re"}}) {
        const win::HWND edit = win::CreateWindowEx(0, "EDIT", "", win::WS_CHILD | win::WS_VISIBLE | c.style, 10, 10, 80,
                                                   c.height, form->Handle(), nullptr, nullptr, nullptr);
        win::SendMessage(edit, win::WM_SETFONT, reinterpret_cast<win::WPARAM>(form->Font()->Handle()), 0);
        win::SetFocus(edit);
        for (char ch : c.typed) {
            win::SendMessage(edit, win::WM_CHAR, win::WPARAM(static_cast<unsigned char>(ch)), 0);
        }
        const std::string text = win::GetWindowText(edit);
        win::RECT format{};
        win::SendMessage(edit, win::EM_GETRECT, 0, reinterpret_cast<win::LPARAM>(&format));
        if (c.style & win::ES_MULTILINE) {
            const win::TEXTMETRIC metrics = MeasureFont(form->Font());
            const int visible = (format.bottom - format.top) / metrics.tmHeight;
            EXPECT_EQ(win::SendMessage(edit, win::EM_GETLINECOUNT, 0, 0), visible);
            EXPECT_EQ(text.substr(0, 6), "a\r\nb\r\n");
        } else {
            EXPECT_LE(TextWidth(form->Font(), text), format.right - format.left);
            EXPECT_GT(TextWidth(form->Font(), text + "W"), format.right - format.left);
        }
        // Text from code is not bound by the room.
        win::SetWindowText(edit, c.typed.c_str());
        EXPECT_GE(win::GetWindowTextLength(edit), int(c.typed.size()));
        win::DestroyWindow(edit);
    }
}

TEST_F(EditTest, MessagesWithArgumentsOutOfRangeAreClampedOrRefused)
{
    gui::TMemo* memo = nullptr;
    form = MakeForm();
    memo = Make<gui::TMemo>(form, "Memo", 10, 10, 200, 100);
    memo->SetText("one\r\ntwo");
    const win::HWND hwnd = memo->Handle();
    win::SendMessage(hwnd, win::EM_SETSEL, 2, 100);
    win::DWORD start = 0;
    win::DWORD end = 0;
    win::SendMessage(hwnd, win::EM_GETSEL, reinterpret_cast<win::WPARAM>(&start), reinterpret_cast<win::LPARAM>(&end));
    EXPECT_EQ(start, 2u);
    EXPECT_EQ(end, 8u);
    // The middle of a line break is no place for the caret.
    win::SendMessage(hwnd, win::EM_SETSEL, 4, 4);
    win::SendMessage(hwnd, win::EM_GETSEL, reinterpret_cast<win::WPARAM>(&start), reinterpret_cast<win::LPARAM>(&end));
    EXPECT_EQ(start, 3u);
    EXPECT_EQ(win::SendMessage(hwnd, win::EM_LINEINDEX, 1, 0), 5);
    EXPECT_EQ(win::SendMessage(hwnd, win::EM_LINEINDEX, 2, 0), -1);
    EXPECT_EQ(win::SendMessage(hwnd, win::EM_LINELENGTH, 6, 0), 3);

    char buffer[8];
    std::memset(buffer, '#', sizeof buffer);
    const win::WORD capacity = 2;
    std::memcpy(buffer, &capacity, sizeof capacity);
    EXPECT_EQ(win::SendMessage(hwnd, win::EM_GETLINE, 1, reinterpret_cast<win::LPARAM>(buffer)), 2);
    EXPECT_EQ(std::string(buffer, 3), "tw#");
    std::memcpy(buffer, &capacity, sizeof capacity);
    EXPECT_EQ(win::SendMessage(hwnd, win::EM_GETLINE, 9, reinterpret_cast<win::LPARAM>(buffer)), 0);

    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(win::SendMessage(hwnd, win::WM_GETTEXT, 4, reinterpret_cast<win::LPARAM>(buffer)), 3);
    EXPECT_EQ(std::string(buffer, 5), std::string("one\0#", 5));

    win::SendMessage(hwnd, win::EM_SETMARGINS, win::EC_LEFTMARGIN | win::EC_RIGHTMARGIN, win::MAKELPARAM(win::WORD(-4), 7));
    EXPECT_EQ(win::SendMessage(hwnd, win::EM_GETMARGINS, 0, 0), win::MAKELONG(0, 7));

    // A NUL ends text set from code.
    win::SendMessage(hwnd, win::WM_SETTEXT, 0, reinterpret_cast<win::LPARAM>("ab\0cd"));
    EXPECT_EQ(memo->Text(), "ab");
    EXPECT_EQ(win::SendMessage(hwnd, win::EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE) << "MaxLength 0 is no limit";
    const win::HWND plain = win::CreateWindowEx(0, "EDIT", "", win::WS_CHILD, 0, 0, 50, 20, form->Handle(), nullptr, nullptr, nullptr);
    EXPECT_EQ(win::SendMessage(plain, win::EM_GETLIMITTEXT, 0, 0), 32767);
    win::DestroyWindow(plain);
}

}  // namespace
}  // namespace guitest
