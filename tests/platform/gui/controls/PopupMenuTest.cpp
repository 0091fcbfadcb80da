// Popup menus on a form: the context menu of a control pops up where the mouse is, keys, mnemonics and
// the mouse choose, OnPopup comes first and OnClick after the menu closed, hints follow the highlight,
// submenus open after the delay, the form's popup-menu shortcuts click items, and the look in pixels.

#include "platform/gdi/SystemInfo.h"
#include "platform/gui/controls/Edit.h"
#include "platform/gui/controls/Menus.h"
#include "platform/gui/core/ActionList.h"
#include "platform/gui/graphics/Bitmap.h"
#include "platform/gui/graphics/Canvas.h"
#include "platform/gui/graphics/Colors.h"
#include "platform/gui/graphics/ImageList.h"
#include "platform/win/Input.h"
#include "platform/win/Menu.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"

#include "tests/platform/gui/core/ControlsFixture.h"

#include <functional>
#include <string>
#include <vector>

namespace guitest {
namespace {

class PopupMenuTest : public ControlsTest {
public:
    void Measure(classes::TObject*, gui::TCanvas* canvas, int& width, int& height)
    {
        measuredWithCanvas = canvas != nullptr;
        width = 150;
        height = 30;
    }
    void Draw(classes::TObject*, gui::TCanvas* canvas, win::RECT rect, bool selected)
    {
        drawn.push_back({rect, selected});
        canvas->Brush()->SetColor(selected ? gui::clLime : gui::clYellow);
        canvas->FillRect(rect);
    }
    void Clicked(classes::TObject* sender)
    {
        auto* item = static_cast<gui::TMenuItem*>(sender);
        events.push_back("click " + item->Caption());
        menuOpenAtClick = win::FindWindow(win::MenuWindowClass, nullptr) != nullptr;
    }
    void FreeSender(classes::TObject* sender) { delete sender; }
    void Executed(classes::TObject*) { events.push_back("execute"); }
    void Popped(classes::TObject*)
    {
        events.push_back(std::string("popup") + (win::FindWindow(win::MenuWindowClass, nullptr) ? " shown" : ""));
    }

protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        form = MakeForm(400, 300);
        view = Make<TTestControl>(form, "View", 20, 20, 200, 150);
        menu = new gui::TPopupMenu(form);
        menu->SetName("RightMenu");
        menu->OnPopup = classes::TNotifyEvent::Of<&PopupMenuTest::Popped>(this);
        collapse = AddItem(menu->Items(), "&Collapse all", "Collapse|Collapses every group");
        expand = AddItem(menu->Items(), "E&xpand all", "Expand|Expands every group");
        AddItem(menu->Items(), "-");
        print = AddItem(menu->Items(), "&Print");
        print->SetShortCut(gui::ShortCut('P', gui::With(0, gui::ssCtrl)));
        exportItem = AddItem(menu->Items(), "&Export");
        pdf = AddItem(exportItem, "&PDF file...");
        rtf = AddItem(exportItem, "&RTF file...");
        view->SetPopupMenu(menu);
        form->Show();
        driver.Pump();
    }

    gui::TMenuItem* AddItem(gui::TMenuItem* parent, const char* caption, const char* hint = "")
    {
        auto* item = new gui::TMenuItem(form);
        item->SetCaption(caption);
        item->SetHint(hint);
        item->OnClick = classes::TNotifyEvent::Of<&PopupMenuTest::Clicked>(this);
        parent->Add(item);
        return item;
    }
    void Later(std::uint64_t after, std::function<void()> action)
    {
        driver.At(clock.TickCount64() + after, std::move(action));
    }
    static win::HWND MenuWindow() { return win::FindWindow(win::MenuWindowClass, nullptr); }
    void RightClick(int x, int y)
    {
        driver.MouseDown(view->Handle(), win::TestDriver::Button::Right, x, y);
        driver.MouseUp(view->Handle(), win::TestDriver::Button::Right, x, y);
        driver.Pump();
    }
    // The centres of the menu's text items from the top (separators are 9 pixels, frames 3).
    static std::vector<win::POINT> ItemCentres(win::HWND hwnd, int textItems, std::vector<int> separatorsAfter)
    {
        win::RECT client;
        win::GetClientRect(hwnd, &client);
        const int height = (client.bottom - 6 - 9 * int(separatorsAfter.size())) / textItems;
        std::vector<win::POINT> centres;
        int top = 3;
        for (int i = 0; i < textItems; ++i) {
            centres.push_back({client.right / 2, top + height / 2});
            top += height;
            if (std::find(separatorsAfter.begin(), separatorsAfter.end(), i) != separatorsAfter.end()) {
                top += 9;
            }
        }
        return centres;
    }

    gui::TForm* form = nullptr;
    TTestControl* view = nullptr;
    gui::TPopupMenu* menu = nullptr;
    gui::TMenuItem* collapse = nullptr;
    gui::TMenuItem* expand = nullptr;
    gui::TMenuItem* print = nullptr;
    gui::TMenuItem* exportItem = nullptr;
    gui::TMenuItem* pdf = nullptr;
    gui::TMenuItem* rtf = nullptr;
    std::vector<std::string> events;
    bool menuOpenAtClick = true;
    bool measuredWithCanvas = false;
    std::vector<std::pair<win::RECT, bool>> drawn;
};

TEST_F(PopupMenuTest, TheContextMenuPopsUpAtTheMouseAndDownEnterChooses)
{
    win::RECT shownAt{};
    Later(10, [&] {
        win::GetWindowRect(MenuWindow(), &shownAt);
        events.push_back("shown");
        driver.PressKey(win::VK_DOWN);
        driver.PressKey(win::VK_RETURN);
    });
    RightClick(30, 40);
    const win::POINT screen = view->ClientToScreen({30, 40});
    EXPECT_EQ(shownAt.left, screen.x);
    EXPECT_EQ(shownAt.top, screen.y);
    EXPECT_EQ(menu->PopupComponent(), view);
    EXPECT_EQ(events, (std::vector<std::string>{"popup", "shown", "click &Collapse all"}))
        << "OnPopup before the menu shows";
    EXPECT_FALSE(menuOpenAtClick) << "OnClick runs after the menu closed";
}

TEST_F(PopupMenuTest, MnemonicsAndTheMouseChoose)
{
    struct Case {
        const char* what;
        std::function<void()> act;
        const char* clicked;
    };
    const std::vector<Case> cases = {
        {"the mnemonic x", [&] { driver.TypeChar('x', 'X'); }, "click E&xpand all"},
        {"a mnemonic opens the submenu, the next one chooses there",
         [&] {
             driver.TypeChar('e', 'E');
             driver.TypeChar('r', 'R');
         },
         "click &RTF file..."},
        {"a release over an item",
         [&] {
             const win::HWND hwnd = MenuWindow();
             const win::POINT at = ItemCentres(hwnd, 4, {1})[2];
             driver.MouseMove(hwnd, at.x, at.y);
             driver.MouseUp(hwnd, win::TestDriver::Button::Left, at.x, at.y);
         },
         "click &Print"},
    };
    for (const Case& c : cases) {
        events.clear();
        Later(10, c.act);
        menu->Popup(150, 150);
        driver.Pump();
        ASSERT_FALSE(events.empty()) << c.what;
        EXPECT_EQ(events.back(), c.clicked) << c.what;
    }
}

TEST_F(PopupMenuTest, TheHighlightedItemsHintIsTheApplicationsHint)
{
    std::vector<std::string> hints;
    Later(10, [&] {
        driver.PressKey(win::VK_DOWN);
        driver.PressKey(win::VK_DOWN);
    });
    Later(20, [&] {
        hints.push_back(gui::Application()->Hint());
        driver.PressKey(win::VK_UP);
    });
    Later(30, [&] {
        hints.push_back(gui::Application()->Hint());
        driver.PressKey(win::VK_ESCAPE);
    });
    menu->Popup(150, 150);
    hints.push_back(gui::Application()->Hint());
    EXPECT_EQ(hints, (std::vector<std::string>{"Expands every group", "Collapses every group", ""}));
}

TEST_F(PopupMenuTest, ASubmenuOpensAfterTheDelayAndItsItemClicksWhenItOpens)
{
    win::UINT delay = 0;
    win::SystemParametersInfo(win::SPI_GETMENUSHOWDELAY, 0, &delay, 0);
    std::vector<std::size_t> open;
    auto count = [] {
        std::size_t n = 0;
        for (win::HWND hwnd = win::FindWindowEx(nullptr, nullptr, win::MenuWindowClass, nullptr); hwnd;
             hwnd = win::FindWindowEx(nullptr, hwnd, win::MenuWindowClass, nullptr)) {
            ++n;
        }
        return n;
    };
    Later(10, [&] {
        const win::HWND hwnd = MenuWindow();
        const win::POINT at = ItemCentres(hwnd, 4, {1})[3];
        driver.MouseMove(hwnd, at.x, at.y);
    });
    Later(10 + delay - 1, [&] { open.push_back(count()); });
    Later(10 + delay + 1, [&] {
        open.push_back(count());
        driver.PressKey(win::VK_DOWN);
        driver.PressKey(win::VK_RETURN);
    });
    menu->Popup(150, 150);
    driver.Pump();
    EXPECT_EQ(open, (std::vector<std::size_t>{1, 2}));
    EXPECT_EQ(events, (std::vector<std::string>{"popup", "click &Export", "click &PDF file..."}))
        << "the submenu's item clicks as it opens";
}

TEST_F(PopupMenuTest, TheFormsPopupMenuShortcutsClickTheirItems)
{
    auto* edit = Make<gui::TEdit>(form, "Field", 20, 200, 100, 21);
    edit->SetFocus();
    const auto ctrlP = [&] {
        PressWith({win::VK_CONTROL}, 'P');
    };
    ctrlP();
    EXPECT_EQ(events, (std::vector<std::string>{"click &Print"}));
    EXPECT_EQ(edit->Text(), "") << "the shortcut is consumed";
    print->SetEnabled(false);
    ctrlP();
    EXPECT_EQ(events.size(), 1u) << "a disabled item's shortcut does nothing";
    print->SetEnabled(true);
    exportItem->SetEnabled(false);
    pdf->SetShortCut(gui::ShortCut(win::VK_F5, 0));
    driver.PressKey(win::VK_F5);
    driver.Pump();
    EXPECT_EQ(events.size(), 1u) << "nor does one under a disabled submenu";
    exportItem->SetEnabled(true);
    driver.PressKey(win::VK_F5);
    driver.Pump();
    EXPECT_EQ(events.back(), "click &PDF file...");
}

TEST_F(PopupMenuTest, ShortcutsReadAndWriteAsText)
{
    struct Case {
        gui::TShortCut shortCut;
        const char* text;
    };
    const Case cases[] = {
        {gui::TShortCut('P' | gui::scCtrl), "Ctrl+P"},
        {gui::TShortCut(win::VK_F5 | gui::scShift | gui::scCtrl), "Shift+Ctrl+F5"},
        {gui::TShortCut(win::VK_BACK | gui::scAlt), "Alt+BkSp"},
        {gui::TShortCut(win::VK_INSERT | gui::scShift), "Shift+Ins"},
        {gui::TShortCut(win::VK_DELETE), "Del"},
        {gui::TShortCut(win::VK_NEXT), "PgDn"},
        {gui::TShortCut(win::VK_RETURN | gui::scCtrl | gui::scAlt), "Ctrl+Alt+Enter"},
        {gui::TShortCut('7'), "7"},
        {gui::TShortCut(win::VK_F12), "F12"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(gui::ShortCutToText(c.shortCut), c.text);
        EXPECT_EQ(gui::TextToShortCut(c.text), c.shortCut) << c.text;
    }
    EXPECT_EQ(gui::TextToShortCut("ctrl+shift+f5"), gui::TShortCut(win::VK_F5 | gui::scShift | gui::scCtrl))
        << "any order, any case";
    for (const char* unknown : {"", "Ctrl+", "Hyper+X", "Ctrl+Banana", "F13"}) {
        EXPECT_EQ(gui::TextToShortCut(unknown), 0) << unknown;
    }
    EXPECT_EQ(gui::ShortCutToText(0), "");
}

TEST_F(PopupMenuTest, TheItemTreeRefusesBadIndexesAndDoubleInsertion)
{
    EXPECT_EQ(menu->Items()->Count(), 5);
    EXPECT_EQ(exportItem->MenuIndex(), 4);
    EXPECT_EQ(rtf->Parent(), exportItem);
    EXPECT_EQ(menu->Items()->Find("expand ALL"), expand);
    EXPECT_EQ(menu->Items()->Find("Missing"), nullptr);
    try {
        menu->Items()->Items(5);
        ADD_FAILURE() << "no error";
    } catch (const rtl::EListError& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (5)");
    }
    EXPECT_THROW(menu->Items()->Add(pdf), gui::EMenuError);
    EXPECT_EQ(exportItem->Count(), 2);
    exportItem->Remove(pdf);
    menu->Items()->Insert(0, pdf);
    EXPECT_EQ(menu->Items()->Items(0), pdf);
    EXPECT_EQ(exportItem->Count(), 1);
    pdf->SetMenuIndex(3);
    EXPECT_EQ(menu->Items()->IndexOf(pdf), 3);
    delete print;
    EXPECT_EQ(menu->Items()->Count(), 5);
    EXPECT_EQ(menu->Items()->IndexOf(exportItem), 4);
}

TEST_F(PopupMenuTest, ACommandForAnItemFreedMeanwhileIsDropped)
{
    Later(10, [&] {
        driver.PressKey(win::VK_DOWN);
        driver.PressKey(win::VK_RETURN);
    });
    menu->Popup(150, 150);
    delete collapse;  // the WM_COMMAND is still queued
    driver.Pump();
    EXPECT_EQ(events, (std::vector<std::string>{"popup"}));
}

TEST_F(PopupMenuTest, AnItemOrAMenuFreedWhileInUseIsNoLongerReached)
{
    collapse->OnClick = classes::TNotifyEvent::Of<&PopupMenuTest::FreeSender>(this);
    Later(10, [&] { driver.TypeChar('c', 'C'); });
    menu->Popup(150, 150);
    driver.Pump();
    EXPECT_EQ(menu->Items()->Count(), 4) << "the item freed itself in its OnClick";

    Later(10, [&] {
        delete menu;  // while it shows: the loop ends, and its choice goes nowhere
        menu = nullptr;
        driver.TypeChar('p', 'P');
    });
    auto* other = new gui::TPopupMenu(form);
    other->Items()->Add(new gui::TMenuItem(form));
    RightClick(30, 40);
    driver.Pump();
    EXPECT_EQ(MenuWindow(), nullptr);
    EXPECT_EQ(events, (std::vector<std::string>{"popup", "popup"}));
}

TEST_F(PopupMenuTest, AnItemsBitmapShowsInTheImageColumn)
{
    gui::TBitmap* bitmap = print->Bitmap();
    bitmap->SetSize(16, 16);
    bitmap->Canvas()->Brush()->SetColor(gui::clRed);
    bitmap->Canvas()->FillRect(win::RECT{0, 0, 16, 16});
    print->SetBitmap(bitmap);
    EXPECT_TRUE(print->HasBitmap());
    int redRows = 0;
    Later(10, [&] {
        const win::HWND hwnd = MenuWindow();
        win::RECT client;
        win::GetClientRect(hwnd, &client);
        for (int y = 0; y < client.bottom; ++y) {
            bool red = false;
            for (int x = 0; x < 26; ++x) {
                red = red || win::TestDriver::PixelAt(hwnd, x, y) == win::RGB(255, 0, 0);
            }
            redRows += red ? 1 : 0;
        }
        driver.PressKey(win::VK_ESCAPE);
    });
    menu->Popup(150, 150);
    EXPECT_EQ(redRows, 16);
}

TEST_F(PopupMenuTest, AnItemWithAnActionShowsItAndRunsIt)
{
    auto* list = new gui::TActionList(form);
    auto* action = new gui::TAction(form);
    action->SetActionList(list);
    action->SetCaption("&Refresh");
    action->SetShortCut(gui::TShortCut(win::VK_F5));
    action->OnExecute = classes::TNotifyEvent::Of<&PopupMenuTest::Executed>(this);
    auto* item = new gui::TMenuItem(form);
    item->SetAction(action);
    menu->Items()->Add(item);
    EXPECT_EQ(item->Caption(), "&Refresh");
    EXPECT_EQ(item->ShortCut(), gui::TShortCut(win::VK_F5));
    Later(10, [&] { driver.TypeChar('r', 'R'); });
    menu->Popup(150, 150);
    driver.Pump();
    EXPECT_EQ(events.back(), "execute");
    action->SetEnabled(false);
    EXPECT_FALSE(item->Enabled()) << "the item follows its action";
    action->SetCaption("Re&load");
    EXPECT_EQ(item->Caption(), "Re&load");
}

TEST_F(PopupMenuTest, AlignmentPlacesTheMenuAndTrackButtonChoosesWhichButtonChooses)
{
    struct Case {
        gui::TPopupAlignment alignment;
        gui::TTrackButton button;
        int expectedLeftFromWidth;  // 0: at x, 1: right edge at x, 2: centred on x
        bool rightButtonChooses;
    };
    const Case cases[] = {{gui::paLeft, gui::tbRightButton, 0, true},
                          {gui::paRight, gui::tbLeftButton, 1, false},
                          {gui::paCenter, gui::tbRightButton, 2, true}};
    for (const Case& c : cases) {
        menu->SetAlignment(c.alignment);
        menu->SetTrackButton(c.button);
        events.clear();
        win::RECT shown{};
        Later(10, [&] {
            const win::HWND hwnd = MenuWindow();
            win::GetWindowRect(hwnd, &shown);
            const win::POINT at = ItemCentres(hwnd, 4, {1})[0];
            driver.MouseMove(hwnd, at.x, at.y);
            driver.MouseUp(hwnd, win::TestDriver::Button::Right, at.x, at.y);
            if (!c.rightButtonChooses) {
                driver.PressKey(win::VK_ESCAPE);
            }
        });
        menu->Popup(300, 150);
        driver.Pump();
        const int width = shown.right - shown.left;
        const int expectedLeft = c.expectedLeftFromWidth == 0   ? 300
                                 : c.expectedLeftFromWidth == 1 ? 300 - width
                                                                : 300 - width / 2;
        EXPECT_EQ(shown.left, expectedLeft) << c.alignment;
        EXPECT_EQ(events.back() == "click &Collapse all", c.rightButtonChooses) << c.button;
    }
}

TEST_F(PopupMenuTest, RadioItemsOfAGroupCheckOneAtATime)
{
    collapse->SetRadioItem(true);
    expand->SetRadioItem(true);
    collapse->SetGroupIndex(1);
    expand->SetGroupIndex(1);
    collapse->SetChecked(true);
    expand->SetChecked(true);
    EXPECT_FALSE(collapse->Checked());
    print->SetAutoCheck(true);
    Later(10, [&] { driver.TypeChar('p', 'P'); });
    menu->Popup(150, 150);
    driver.Pump();
    EXPECT_TRUE(print->Checked()) << "AutoCheck toggles on click";
}

TEST_F(PopupMenuTest, CheckedDisabledAndImageItemsShowInPixels)
{
    auto* images = new gui::TImageList(form);
    auto picture = std::make_unique<gui::TBitmap>();
    picture->SetSize(32, 16);
    picture->Canvas()->Brush()->SetColor(gui::clRed);
    picture->Canvas()->FillRect(win::RECT{0, 0, 16, 16});
    picture->Canvas()->Brush()->SetColor(gui::clBlue);
    picture->Canvas()->FillRect(win::RECT{16, 0, 32, 16});
    images->Add(picture.get(), nullptr);
    menu->SetImages(images);
    collapse->SetImageIndex(0);  // 13 and 14 in the real list: any two do
    expand->SetImageIndex(1);
    expand->SetChecked(true);
    print->SetEnabled(false);
    exportItem->SetChecked(true);  // no image: the check mark
    exportItem->SetImageIndex(-1);
    struct Seen {
        bool red = false, blue = false, checkFrame = false, checkMark = false, embossed = false;
    } seen;
    Later(10, [&] {
        const win::HWND hwnd = MenuWindow();
        const std::vector<win::POINT> centres = ItemCentres(hwnd, 4, {1});
        auto any = [&](int item, int x0, int x1, win::COLORREF colour) {
            for (int x = x0; x < x1; ++x) {
                for (int y = centres[std::size_t(item)].y - 8; y <= centres[std::size_t(item)].y + 8; ++y) {
                    if (win::TestDriver::PixelAt(hwnd, x, y) == colour) {
                        return true;
                    }
                }
            }
            return false;
        };
        seen.red = any(0, 3, 26, win::RGB(255, 0, 0));
        seen.blue = any(1, 3, 26, win::RGB(0, 0, 255));
        seen.checkFrame = any(1, 3, 6, win::GetSysColor(win::COLOR_3DSHADOW));
        seen.checkMark = any(3, 6, 22, win::GetSysColor(win::COLOR_MENUTEXT));
        seen.embossed = any(2, 26, 80, win::GetSysColor(win::COLOR_3DHILIGHT));
        driver.PressKey(win::VK_ESCAPE);
    });
    menu->Popup(150, 150);
    EXPECT_TRUE(seen.red) << "image 0 beside the first item";
    EXPECT_TRUE(seen.blue) << "image 1 beside the second";
    EXPECT_TRUE(seen.checkFrame) << "a checked item's image is framed sunken";
    EXPECT_TRUE(seen.checkMark) << "a checked item without image shows the mark";
    EXPECT_TRUE(seen.embossed) << "disabled text is embossed";
}

TEST_F(PopupMenuTest, AnItemWithDrawingHandlersIsMeasuredAndDrawnByThem)
{
    collapse->OnMeasureItem = gui::TMenuMeasureItemEvent::Of<&PopupMenuTest::Measure>(this);
    collapse->OnDrawItem = gui::TMenuDrawItemEvent::Of<&PopupMenuTest::Draw>(this);
    std::vector<win::COLORREF> colours;
    win::RECT window{};
    Later(10, [&] {
        const win::HWND hwnd = MenuWindow();
        win::GetWindowRect(hwnd, &window);
        colours.push_back(win::TestDriver::PixelAt(hwnd, 75, 3 + 15));
        driver.PressKey(win::VK_DOWN);
    });
    Later(20, [&] {
        colours.push_back(win::TestDriver::PixelAt(MenuWindow(), 75, 3 + 15));
        driver.PressKey(win::VK_ESCAPE);
    });
    menu->Popup(150, 150);
    EXPECT_TRUE(measuredWithCanvas);
    EXPECT_GE(window.right - window.left, 150 + 6);
    ASSERT_GE(drawn.size(), 2u);
    EXPECT_EQ(drawn.front().first.bottom - drawn.front().first.top, 30);
    EXPECT_FALSE(drawn.front().second);
    EXPECT_TRUE(drawn.back().second) << "drawn again when selected";
    EXPECT_EQ(colours, (std::vector<win::COLORREF>{win::RGB(255, 255, 0), win::RGB(0, 255, 0)}));
}

}  // namespace
}  // namespace guitest
