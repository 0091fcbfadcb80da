// The tool bar driven by the mouse: grouped check buttons, drop-down menus below their button, the flat
// look under the mouse and while down, disabled pictures, the layout of buttons, gaps and other
// controls in rows, buttons on actions, and hints.

#include "platform/gui/core/Action.h"
#include "platform/gui/controls/Menus.h"
#include "platform/gui/controls/Panel.h"
#include "platform/gui/controls/ToolBar.h"
#include "platform/gui/core/ActionList.h"
#include "platform/gui/core/HintWindow.h"
#include "platform/gui/graphics/Bitmap.h"
#include "platform/gui/graphics/Canvas.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/Menu.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"

#include "tests/platform/gui/core/ControlsFixture.h"
#include "tests/platform/gui/core/DrawingChecks.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace guitest {
namespace {

// Two 16 x 16 pictures: red and blue squares.
std::unique_ptr<gui::TImageList> Pictures(classes::TComponent* owner, gui::TColor first, gui::TColor second)
{
    auto list = std::make_unique<gui::TImageList>(owner);
    gui::TBitmap strip;
    strip.SetSize(32, 16);
    strip.Canvas()->Brush()->SetColor(first);
    strip.Canvas()->FillRect(win::RECT{0, 0, 16, 16});
    strip.Canvas()->Brush()->SetColor(second);
    strip.Canvas()->FillRect(win::RECT{16, 0, 32, 16});
    list->Add(&strip, nullptr);
    return list;
}

class ToolBarTest : public ControlsTest {
public:
    void Clicked(classes::TObject* sender) { clicks.push_back(static_cast<gui::TToolButton*>(sender)->Name()); }

protected:
    gui::TToolBar* MakeBar()
    {
        form = MakeForm(400, 200);
        bar = new gui::TToolBar(form);
        bar->SetName("Bar");
        bar->SetParent(form);
        return bar;
    }
    gui::TToolButton* AddButton(const char* name, gui::TToolButtonStyle style = gui::tbsButton)
    {
        auto* button = new gui::TToolButton(form);
        button->SetName(name);
        button->SetStyle(style);
        button->SetParent(bar);
        button->OnClick = classes::TNotifyEvent::Of<&ToolBarTest::Clicked>(this);
        return button;
    }
    void Show()
    {
        form->Show();
        driver.Pump();
    }
    void ClickAt(gui::TControl* button, int x, int y)
    {
        driver.Click(bar->Handle(), win::TestDriver::Button::Left, button->Left() + x, button->Top() + y);
        driver.Pump();
    }
    void Click(gui::TControl* button) { ClickAt(button, 5, 5); }
    win::COLORREF Pixel(gui::TControl* button, int x, int y) const
    {
        return win::TestDriver::PixelAt(bar->Handle(), button->Left() + x, button->Top() + y);
    }

    gui::TForm* form = nullptr;
    gui::TToolBar* bar = nullptr;
    std::vector<std::string> clicks;
};

TEST_F(ToolBarTest, GroupedCheckButtonsAreExclusiveWithinTheirRunOfNeighbours)
{
    MakeBar();
    auto* outline = AddButton("OutlineB", gui::tbsCheck);
    auto* thumb = AddButton("ThumbB", gui::tbsCheck);
    AddButton("Sep", gui::tbsSeparator);
    auto* alone = AddButton("Alone", gui::tbsCheck);
    auto* other = AddButton("OtherGroup", gui::tbsCheck);
    for (gui::TToolButton* button : {outline, thumb, other}) {
        button->SetGrouped(true);
    }
    Show();
    struct Step {
        gui::TToolButton* clicked;
        bool outline, thumb, alone, other;
    };
    const std::vector<Step> steps{
            {outline, true, false, false, false},
            {thumb, false, true, false, false},
            {thumb, false, true, false, false},  // a grouped down button stays down
            {other, false, true, false, true},   // past the separator: another group
            {alone, false, true, true, true},
            {alone, false, true, false, true},   // not grouped: toggles
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.clicked->Name());
        Click(step.clicked);
        EXPECT_EQ(outline->Down(), step.outline);
        EXPECT_EQ(thumb->Down(), step.thumb);
        EXPECT_EQ(alone->Down(), step.alone);
        EXPECT_EQ(other->Down(), step.other);
    }
    EXPECT_EQ(clicks.size(), steps.size());
    thumb->SetAllowAllUp(true);
    Click(thumb);
    EXPECT_FALSE(thumb->Down());
    // Down from code keeps the group exclusive too.
    outline->SetDown(true);
    thumb->SetDown(true);
    EXPECT_FALSE(outline->Down());
}

TEST_F(ToolBarTest, ADropDownMenuShowsBelowItsButton)
{
    MakeBar();
    AddButton("PrintB");
    auto* exportB = AddButton("ExportB", gui::tbsDropDown);
    auto* menuB = AddButton("MenuB");
    auto& menu = *new TRecordingPopup(form);
    exportB->SetDropdownMenu(&menu);
    menuB->SetDropdownMenu(&menu);
    Show();
    // The button part clicks; the arrow part drops the menu down at the button's bottom left.
    Click(exportB);
    EXPECT_EQ(clicks, std::vector<std::string>{"ExportB"});
    EXPECT_TRUE(menu.shownAt.empty());
    ClickAt(exportB, exportB->Width() - 4, 5);
    ASSERT_EQ(menu.shownAt.size(), 1u);
    const win::POINT below = exportB->ClientToScreen({0, exportB->Height()});
    EXPECT_EQ(menu.shownAt[0].x, below.x);
    EXPECT_EQ(menu.shownAt[0].y, below.y);
    EXPECT_EQ(menu.popupComponent, exportB);
    EXPECT_EQ(clicks.size(), 1u);
    // A plain button with a menu drops it instead of clicking.
    Click(menuB);
    EXPECT_EQ(menu.shownAt.size(), 2u);
    EXPECT_EQ(clicks.size(), 1u);
    // A drop-down button is wider by its arrow part.
    EXPECT_GT(exportB->Width(), menuB->Width());
    // Only a popup menu can be a drop-down menu; a freed one is forgotten.
    exportB->SetDropdownMenu(new classes::TComponent(form));
    EXPECT_EQ(exportB->DropdownMenu(), nullptr);
    delete &menu;
    EXPECT_EQ(menuB->DropdownMenu(), nullptr);
    Click(menuB);
    EXPECT_EQ(clicks.size(), 2u);
}

TEST_F(ToolBarTest, FlatButtonsRaiseUnderTheMouseAndSinkWhileDown)
{
    MakeBar();
    bar->SetFlat(true);
    auto* print = AddButton("PrintB");
    auto* check = AddButton("OutlineB", gui::tbsCheck);
    Show();
    const int right = print->Width() - 1;
    const int bottom = print->Height() - 1;
    struct Look {
        const char* state;
        gui::TControl* button;
        gui::TColor topLeft, bottomRight;
    };
    auto expect = [&](const Look& look) {
        SCOPED_TRACE(look.state);
        EXPECT_EQ(Pixel(look.button, 0, 0), Rgb(look.topLeft));
        EXPECT_EQ(Pixel(look.button, right, bottom), Rgb(look.bottomRight));
    };
    expect({"away", print, gui::clBtnFace, gui::clBtnFace});
    driver.MouseMove(bar->Handle(), print->Left() + 5, print->Top() + 5);
    driver.Pump();
    expect({"hot", print, gui::clBtnHighlight, gui::clBtnShadow});
    expect({"the neighbour stays flat", check, gui::clBtnFace, gui::clBtnFace});
    driver.MouseDown(bar->Handle(), win::TestDriver::Button::Left, print->Left() + 5, print->Top() + 5);
    driver.Pump();
    expect({"pressed", print, gui::clBtnShadow, gui::clBtnHighlight});
    driver.MouseUp(bar->Handle(), win::TestDriver::Button::Left, print->Left() + 5, print->Top() + 5);
    driver.Pump();
    Click(check);
    driver.MouseMove(form->Handle(), 300, 150);
    driver.Pump();
    expect({"left", print, gui::clBtnFace, gui::clBtnFace});
    expect({"checked", check, gui::clBtnShadow, gui::clBtnHighlight});
    // Not flat: always raised.
    bar->SetFlat(false);
    driver.Pump();
    expect({"classic", print, gui::clBtnHighlight, gui::cl3DDkShadow});
}

TEST_F(ToolBarTest, DisabledButtonsShowTheirDisabledPictureOrAGreyedOne)
{
    MakeBar();
    const auto images = Pictures(form, gui::clRed, gui::clBlue);
    const auto disabled = Pictures(form, gui::clGreen, gui::clYellow);
    bar->SetImages(images.get());
    auto* button = AddButton("PrintB");
    button->SetImageIndex(0);
    Show();
    const int cx = button->Width() / 2;
    const int cy = button->Height() / 2;
    EXPECT_EQ(Pixel(button, cx, cy), Rgb(gui::clRed));
    button->SetEnabled(false);
    driver.Pump();
    const win::COLORREF greyed = Pixel(button, cx, cy);
    EXPECT_NE(greyed, Rgb(gui::clRed));
    EXPECT_EQ(win::GetRValue(greyed), win::GetGValue(greyed)) << "grey, not a colour";
    bar->SetDisabledImages(disabled.get());
    driver.Pump();
    EXPECT_EQ(Pixel(button, cx, cy), Rgb(gui::clGreen));
    // HotImages under the mouse.
    button->SetEnabled(true);
    bar->SetHotImages(disabled.get());
    button->SetImageIndex(1);
    driver.MouseMove(bar->Handle(), button->Left() + cx, button->Top() + cy);
    driver.Pump();
    EXPECT_EQ(Pixel(button, cx, cy), Rgb(gui::clYellow));
}

TEST_F(ToolBarTest, ButtonsGapsAndControlsLineUpInRowsAndTheBarFitsThem)
{
    MakeBar();
    bar->SetAutoSize(true);
    bar->SetWidth(200);
    bar->SetIndent(3);
    auto* first = AddButton("First");
    auto* sep = AddButton("Sep", gui::tbsSeparator);
    auto* divider = AddButton("Div", gui::tbsDivider);
    auto* zoom = new gui::TPanel(form);
    zoom->SetName("Zoom");
    zoom->SetBounds(0, 0, 60, 18);
    zoom->SetParent(bar);
    auto* second = AddButton("Second");
    auto* third = AddButton("Third");
    Show();
    // Top edge 2 pixels; buttons 23 x 22; gaps 8 wide; the panel centred in the row.
    struct Place {
        gui::TControl* control;
        int left, top, width, height;
    };
    const std::vector<Place> places{{first, 3, 2, 23, 22},  {sep, 26, 2, 8, 22},     {divider, 34, 2, 8, 22},
                                    {zoom, 42, 4, 60, 18},  {second, 102, 2, 23, 22}, {third, 125, 2, 23, 22}};
    for (const Place& p : places) {
        SCOPED_TRACE(p.control->Name());
        EXPECT_EQ(p.control->BoundsRect(), (win::RECT{p.left, p.top, p.left + p.width, p.top + p.height}));
    }
    EXPECT_EQ(bar->Height(), 2 + 22);
    EXPECT_EQ(bar->ButtonCount(), 5);
    EXPECT_EQ(bar->Buttons(4), third);
    EXPECT_THROW(bar->Buttons(5), rtl::EListError);

    // Too narrow: the last button moves to a second row, and the bar grows.
    bar->SetWidth(140);
    driver.Pump();
    EXPECT_EQ(third->BoundsRect(), (win::RECT{3, 24, 26, 46}));
    EXPECT_EQ(bar->Height(), 2 + 44);
    // Wrap after a button forces a row; without Wrapable nothing else does.
    bar->SetWrapable(false);
    first->SetWrap(true);
    driver.Pump();
    EXPECT_EQ(sep->Left(), 3);
    EXPECT_EQ(sep->Top(), 24);
    EXPECT_EQ(third->Top(), 24);
}

TEST_F(ToolBarTest, CaptionsWidenEveryButtonToTheLongest)
{
    MakeBar();
    const auto images = Pictures(form, gui::clRed, gui::clBlue);
    bar->SetImages(images.get());
    auto* print = AddButton("PrintB");
    print->SetCaption("Print");
    auto* pages = AddButton("PageSettingsB");
    pages->SetCaption("Page Settings");
    bar->SetShowCaptions(true);
    Show();
    const win::SIZE text = MeasureText(print->Font(), "Page Settings");
    EXPECT_EQ(print->Width(), pages->Width());
    EXPECT_GE(print->Width(), int(text.cx));
    EXPECT_GE(print->Height(), 16 + int(text.cy));
    // Beside the picture with List: wider and lower.
    const int below = print->Height();
    bar->SetList(true);
    driver.Pump();
    EXPECT_GE(print->Width(), 16 + int(text.cx));
    EXPECT_LT(print->Height(), below);
}

TEST_F(ToolBarTest, AButtonOnAnActionTakesItsLookAndRunsIt)
{
    MakeBar();
    auto* actions = new gui::TActionList(form);
    auto* outline = new gui::TAction(form);
    outline->SetActionList(actions);
    outline->SetCaption("Outline");
    outline->SetHint("Report outline");
    outline->SetImageIndex(1);
    int executed = 0;
    struct Counter {
        int* count;
        void Run(classes::TObject*) { ++*count; }
    } counter{&executed};
    outline->OnExecute = classes::TNotifyEvent::Of<&Counter::Run>(&counter);
    auto* button = new gui::TToolButton(form);
    button->SetParent(bar);
    button->SetAction(outline);
    Show();
    EXPECT_EQ(button->Caption(), "Outline");
    EXPECT_EQ(button->Hint(), "Report outline");
    EXPECT_EQ(button->ImageIndex(), 1);
    Click(button);
    EXPECT_EQ(executed, 1);
    outline->SetChecked(true);
    EXPECT_TRUE(button->Down());
    outline->SetImageIndex(0);
    EXPECT_EQ(button->ImageIndex(), 0);
    outline->SetEnabled(false);
    EXPECT_FALSE(button->Enabled());
    Click(button);
    EXPECT_EQ(executed, 1);
}

TEST_F(ToolBarTest, AButtonOnAMenuItemTakesItsLookAndClicksIt)
{
    MakeBar();
    auto* item = new gui::TMenuItem(form);
    item->SetCaption("Zoom In");
    item->SetHint("Zoom in on the page");
    item->SetImageIndex(15);
    item->SetChecked(true);
    int clicked = 0;
    struct Counter {
        int* count;
        void Run(classes::TObject*) { ++*count; }
    } counter{&clicked};
    item->OnClick = classes::TNotifyEvent::Of<&Counter::Run>(&counter);
    auto* button = new gui::TToolButton(form);
    button->SetParent(bar);
    button->SetMenuItem(item);
    Show();
    EXPECT_EQ(button->Caption(), "Zoom In");
    EXPECT_EQ(button->Hint(), "Zoom in on the page");
    EXPECT_EQ(button->ImageIndex(), 15);
    EXPECT_TRUE(button->Down());
    Click(button);
    EXPECT_EQ(clicked, 1);
    delete item;
    EXPECT_EQ(button->MenuItem(), nullptr);
    Click(button);
    EXPECT_EQ(clicked, 1);
    // The library's popup menus are drop-down menus.
    auto* popup = new gui::TPopupMenu(form);
    button->SetDropdownMenu(popup);
    EXPECT_EQ(button->DropdownMenu(), popup);
}

TEST_F(ToolBarTest, AButtonOnAMenuItemWithSubItemsDropsThemBelowAndFollowsTheItem)
{
    MakeBar();
    auto* menu = new gui::TPopupMenu(form);
    std::vector<std::string> chosen;
    struct Recorder {
        std::vector<std::string>* chosen;
        void Run(classes::TObject* sender) { chosen->push_back(static_cast<gui::TMenuItem*>(sender)->Caption()); }
    } recorder{&chosen};
    auto makeItem = [&](gui::TMenuItem* parent, const char* caption) {
        auto* item = new gui::TMenuItem(form);
        item->SetCaption(caption);
        item->OnClick = classes::TNotifyEvent::Of<&Recorder::Run>(&recorder);
        parent->Add(item);
        return item;
    };
    gui::TMenuItem* zoom = makeItem(menu->Items(), "Zoom");
    makeItem(zoom, "50 %");
    makeItem(zoom, "100 %");
    auto* button = new gui::TToolButton(form);
    button->SetParent(bar);
    button->SetMenuItem(zoom);
    Show();

    win::RECT shownAt{};
    driver.At(clock.TickCount64() + 10, [&] {
        win::GetWindowRect(win::FindWindow(win::MenuWindowClass, nullptr), &shownAt);
        driver.PressKey(win::VK_DOWN);
        driver.PressKey(win::VK_DOWN);
        driver.PressKey(win::VK_RETURN);
    });
    Click(button);
    const win::POINT below = button->ClientToScreen({0, button->Height()});
    EXPECT_EQ(shownAt.left, below.x);
    EXPECT_EQ(shownAt.top, below.y);
    EXPECT_EQ(chosen, (std::vector<std::string>{"Zoom", "100 %"})) << "the item clicks as its sub-items open";

    // Later changes of the item reach the button.
    struct Change {
        const char* what;
        std::function<void()> change;
        std::function<bool()> shows;
    };
    const std::vector<Change> changes = {
        {"caption", [&] { zoom->SetCaption("Scale"); }, [&] { return button->Caption() == "Scale"; }},
        {"hint", [&] { zoom->SetHint("Page scale"); }, [&] { return button->Hint() == "Page scale"; }},
        {"image", [&] { zoom->SetImageIndex(3); }, [&] { return button->ImageIndex() == 3; }},
        {"checked", [&] { zoom->SetChecked(true); }, [&] { return button->Down(); }},
        {"unchecked", [&] { zoom->SetChecked(false); }, [&] { return !button->Down(); }},
        {"disabled", [&] { zoom->SetEnabled(false); }, [&] { return !button->Enabled(); }},
        {"enabled", [&] { zoom->SetEnabled(true); }, [&] { return button->Enabled(); }},
    };
    for (const Change& c : changes) {
        c.change();
        EXPECT_TRUE(c.shows()) << c.what;
    }

    // A button let go of the item, or freed, no longer follows it.
    button->SetMenuItem(nullptr);
    zoom->SetCaption("Zoom");
    EXPECT_EQ(button->Caption(), "Scale");
    button->SetMenuItem(zoom);
    delete button;
    zoom->SetCaption("Magnify");
    EXPECT_EQ(zoom->Caption(), "Magnify");
}

TEST_F(ToolBarTest, AButtonsHintShowsAfterTheMouseRestsOnIt)
{
    MakeBar();
    auto* find = AddButton("FindB");
    find->SetHint("Find|Find text in the report");
    bar->SetShowHint(true);
    Show();
    driver.MouseMove(bar->Handle(), find->Left() + 5, find->Top() + 5);
    driver.Pump();
    driver.AdvanceBy(gui::Application()->HintPause());
    gui::THintWindow* window = gui::Application()->HintWindow();
    ASSERT_TRUE(window && window->HandleAllocated() && win::IsWindowVisible(window->Handle()));
    EXPECT_EQ(window->Caption(), "Find");
    EXPECT_EQ(gui::Application()->Hint(), "Find text in the report");
}

}  // namespace
}  // namespace guitest
