// Buttons, check boxes, radio buttons and labels driven by real keys and clicks: the dialog keys, modal
// results, accelerators, the focus rectangle, the check states, radio groups and label accelerators.

#include "platform/gui/controls/Button.h"
#include "platform/gui/controls/CheckBox.h"
#include "platform/gui/controls/Edit.h"
#include "platform/gui/controls/Label.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Window.h"
#include "platform/wintypes/ControlMessages.h"

#include "tests/platform/gui/core/ControlsFixture.h"

#include <set>

namespace guitest {
namespace {

struct Clicks {
    void Click(classes::TObject* sender) { Log().push_back(static_cast<classes::TComponent*>(sender)->Name() + " click"); }
};

class ButtonTest : public ControlsTest {
protected:
    template <class C>
    C* MakeClickable(gui::TWinControl* parent, const char* name, const char* caption, int top)
    {
        auto* control = Make<C>(parent, name, 10, top, 100, 25);
        control->SetCaption(caption);
        control->OnClick = classes::TNotifyEvent::Of<&Clicks::Click>(&clicks);
        return control;
    }
    std::vector<std::string> TakeLog()
    {
        std::vector<std::string> log = Log();
        Log().clear();
        return log;
    }

    Clicks clicks;
};

using Entries = std::vector<std::string>;

TEST_F(ButtonTest, EnterClicksTheDefaultOrFocusedButtonEscTheCancelOneSpaceTheFocusedOne)
{
    gui::TForm* form = MakeForm();
    auto* field = Make<gui::TEdit>(form, "Field", 10, 10);
    auto* ok = MakeClickable<gui::TButton>(form, "Ok", "OK", 50);
    auto* cancel = MakeClickable<gui::TButton>(form, "Cancel", "Cancel", 80);
    auto* other = MakeClickable<gui::TButton>(form, "Other", "Other", 110);
    ok->SetDefault(true);
    cancel->SetCancel(true);
    form->Show();
    driver.Pump();
    field->SetFocus();
    Log().clear();
    Press(win::VK_RETURN);
    EXPECT_EQ(TakeLog(), Entries{"Ok click"});
    Press(win::VK_ESCAPE);
    EXPECT_EQ(TakeLog(), Entries{"Cancel click"});
    // A focused button is the one Enter clicks, and wears the default frame.
    other->SetFocus();
    driver.Pump();
    EXPECT_EQ(win::GetWindowLongPtr(other->Handle(), win::GWL_STYLE) & 0xF, 1);
    EXPECT_EQ(win::GetWindowLongPtr(ok->Handle(), win::GWL_STYLE) & 0xF, 0);
    Press(win::VK_RETURN);
    EXPECT_EQ(TakeLog(), Entries{"Other click"});
    Press(win::VK_SPACE);
    EXPECT_EQ(TakeLog(), Entries{"Other click"});
    field->SetFocus();
    driver.Pump();
    EXPECT_EQ(win::GetWindowLongPtr(ok->Handle(), win::GWL_STYLE) & 0xF, 1);
}

TEST_F(ButtonTest, APressReleasedOutsideDoesNotClickAndAnAcceleratorDoes)
{
    gui::TForm* form = MakeForm();
    auto* go = MakeClickable<gui::TButton>(form, "Go", "&Continue", 10);
    form->Show();
    driver.Pump();
    Log().clear();
    driver.MouseDown(go->Handle(), win::TestDriver::Button::Left, 10, 10);
    driver.MouseMove(go->Handle(), 150, 10);
    driver.MouseUp(go->Handle(), win::TestDriver::Button::Left, 150, 10);
    driver.Pump();
    EXPECT_TRUE(TakeLog().empty());
    driver.Click(go->Handle(), win::TestDriver::Button::Left, 10, 10);
    driver.Pump();
    EXPECT_EQ(TakeLog(), Entries{"Go click"});
    PressWith({win::VK_MENU}, 'C');
    EXPECT_EQ(TakeLog(), Entries{"Go click"});
}

TEST_F(ButtonTest, AButtonWithModalResultOneEndsAModalFormWithOk)
{
    gui::TForm* dialog = MakeForm(200, 100, "Dialog");
    auto* ok = Make<gui::TButton>(dialog, "Ok", 10, 10);
    ok->SetModalResult(gui::mrOk);
    driver.At(clock.TickCount64() + 100, [&] { driver.Click(ok->Handle(), win::TestDriver::Button::Left, 5, 5); });
    EXPECT_EQ(dialog->ShowModal(), gui::mrOk);
}

TEST_F(ButtonTest, TheFocusRectangleShowsOnlyOnTheFocusedButton)
{
    gui::TForm* form = MakeForm();
    auto* first = Make<gui::TButton>(form, "First", 10, 10, 80, 25);
    auto* second = Make<gui::TButton>(form, "Second", 10, 50, 80, 25);
    form->Show();
    driver.Pump();
    // The focused button wears the default frame, and 3 pixels inside it the focus rectangle: that row
    // differs between the two buttons only where the focus rectangle runs.
    auto differing = [&] {
        form->Update();
        int count = 0;
        for (int x = 4; x < 76; ++x) {
            count += win::TestDriver::PixelAt(first->Handle(), x, 4) != win::TestDriver::PixelAt(second->Handle(), x, 4);
        }
        return count;
    };
    first->SetFocus();
    driver.Pump();
    EXPECT_GT(differing(), 20);
    const win::DWORD firstCorner = win::TestDriver::PixelAt(first->Handle(), 4, 4);
    second->SetFocus();
    driver.Pump();
    EXPECT_GT(differing(), 20);
    EXPECT_NE(win::TestDriver::PixelAt(first->Handle(), 4, 4), firstCorner);
}

TEST_F(ButtonTest, CheckBoxesStepByClickSpaceAndCodeAndGrayOnlyWhenAllowed)
{
    gui::TForm* form = MakeForm();
    auto* box = MakeClickable<gui::TCheckBox>(form, "Box", "&Box", 10);
    form->Show();
    driver.Pump();
    box->SetFocus();
    Log().clear();
    driver.Click(box->Handle(), win::TestDriver::Button::Left, 5, 5);
    driver.Pump();
    EXPECT_TRUE(box->Checked());
    Press(win::VK_SPACE);
    EXPECT_EQ(box->State(), gui::cbUnchecked);
    box->SetChecked(true);
    EXPECT_EQ(win::SendMessage(box->Handle(), win::BM_GETCHECK, 0, 0), 1);
    EXPECT_EQ(TakeLog(), (Entries{"Box click", "Box click", "Box click"}));
    box->SetAllowGrayed(true);
    box->SetChecked(false);
    const gui::TCheckBoxState steps[] = {gui::cbGrayed, gui::cbChecked, gui::cbUnchecked};
    for (gui::TCheckBoxState expected : steps) {
        Press(win::VK_SPACE);
        EXPECT_EQ(box->State(), expected);
    }
    PressWith({win::VK_MENU}, 'B');
    EXPECT_EQ(box->State(), gui::cbGrayed) << "the accelerator steps it on";
}

TEST_F(ButtonTest, RadioButtonsStayExclusiveFireOnClickFromCodeAndMoveByArrows)
{
    gui::TForm* form = MakeForm();
    auto* field = Make<gui::TEdit>(form, "Field", 10, 10);
    auto* one = MakeClickable<gui::TRadioButton>(form, "Incentive01", "One", 40);
    auto* two = MakeClickable<gui::TRadioButton>(form, "Incentive02", "Two", 70);
    auto* three = MakeClickable<gui::TRadioButton>(form, "Incentive03", "Three", 100);
    form->Show();
    driver.Pump();
    Log().clear();
    two->SetChecked(true);
    one->SetChecked(true);
    EXPECT_EQ(TakeLog(), (Entries{"Incentive02 click", "Incentive01 click"}));
    EXPECT_TRUE(one->Checked());
    EXPECT_FALSE(two->Checked());
    EXPECT_FALSE(win::SendMessage(two->Handle(), win::BM_GETCHECK, 0, 0));
    // Tab lands on the checked one of the group.
    field->SetFocus();
    Press(win::VK_TAB);
    EXPECT_EQ(form->ActiveControl(), one);
    Log().clear();
    Press(win::VK_DOWN);
    EXPECT_EQ(form->ActiveControl(), two);
    EXPECT_TRUE(two->Checked());
    EXPECT_FALSE(one->Checked());
    Press(win::VK_DOWN);
    EXPECT_TRUE(three->Checked());
    Press(win::VK_UP);
    EXPECT_TRUE(two->Checked());
    EXPECT_EQ(TakeLog(), (Entries{"Incentive02 click", "Incentive03 click", "Incentive02 click"}));
    driver.Click(one->Handle(), win::TestDriver::Button::Left, 5, 5);
    driver.Pump();
    EXPECT_TRUE(one->Checked());
    EXPECT_FALSE(two->Checked());
}

TEST_F(ButtonTest, ALabelFitsItsTextAndItsAcceleratorFocusesItsControl)
{
    gui::TForm* form = MakeForm();
    auto* label = new gui::TLabel(form);
    label->SetParent(form);
    label->SetLeft(10);
    label->SetTop(10);
    label->SetCaption("&Name:");
    auto* first = Make<gui::TEdit>(form, "First", 10, 40);
    auto* name = Make<gui::TEdit>(form, "Name", 60, 40);
    label->SetFocusControl(name);
    // The fitted size is the measured size of the text without the mark.
    const win::SIZE text = form->Canvas()->TextExtent("Name:");
    EXPECT_EQ(label->Width(), text.cx);
    EXPECT_EQ(label->Height(), text.cy);
    form->Show();
    driver.Pump();
    first->SetFocus();
    PressWith({win::VK_MENU}, 'N');
    EXPECT_EQ(form->ActiveControl(), name);
    delete name;
    EXPECT_EQ(label->FocusControl(), nullptr);
}

TEST_F(ButtonTest, ALabelUnderlinesItsAcceleratorAndIsEmbossedWhenDisabled)
{
    gui::TForm* form = MakeForm();
    form->SetColor(gui::clBtnFace);
    auto makeLabel = [&](const char* caption, int top) {
        auto* label = new gui::TLabel(form);
        label->SetParent(form);
        label->SetBounds(10, top, 10, 10);
        label->SetCaption(caption);
        return label;
    };
    gui::TLabel* marked = makeLabel("&Open", 10);
    gui::TLabel* plain = makeLabel("Open", 40);
    form->Show();
    driver.Pump();
    const win::DWORD face = gui::ColorToRGB(gui::clBtnFace);
    auto pixel = [&](gui::TLabel* label, int x, int y) {
        return win::TestDriver::PixelAt(form->Handle(), label->Left() + x, label->Top() + y);
    };
    // The marked caption is the plain one and a line under the "O".
    const int letter = form->Canvas()->TextExtent("O").cx;
    int differences = 0;
    std::set<int> rows;
    for (int y = 0; y < plain->Height(); ++y) {
        for (int x = 0; x < plain->Width() + 2; ++x) {
            if (pixel(marked, x, y) != pixel(plain, x, y)) {
                ++differences;
                rows.insert(y);
                EXPECT_LT(x, letter + 1) << "the line lies under the first letter";
            }
        }
    }
    EXPECT_GE(differences, letter - 1);
    EXPECT_LE(rows.size(), 2u);
    EXPECT_GT(*rows.begin(), plain->Height() / 2) << "below the middle of the text";

    // Disabled: the ink of the enabled text in the shadow colour with a highlight copy one pixel down
    // and right (room made for it), nothing in the text colour.
    auto inkBox = [&](gui::TLabel* label) {
        win::RECT box{1000, 1000, -1, -1};
        for (int y = 0; y < label->Height() + 2; ++y) {
            for (int x = 0; x < label->Width() + 2; ++x) {
                const win::DWORD colour = pixel(label, x, y);
                EXPECT_NE(colour, gui::ColorToRGB(gui::clBtnText)) << "disabled at " << x << ", " << y;
                if (colour != face) {
                    box = {std::min<int>(box.left, x), std::min<int>(box.top, y), std::max<int>(box.right, x),
                           std::max<int>(box.bottom, y)};
                }
            }
        }
        return box;
    };
    win::RECT enabled{1000, 1000, -1, -1};
    for (int y = 0; y < plain->Height(); ++y) {
        for (int x = 0; x < plain->Width(); ++x) {
            if (pixel(plain, x, y) != face) {
                enabled = {std::min<int>(enabled.left, x), std::min<int>(enabled.top, y), std::max<int>(enabled.right, x),
                           std::max<int>(enabled.bottom, y)};
            }
        }
    }
    plain->SetAutoSize(false);
    plain->SetBounds(plain->Left(), plain->Top(), plain->Width() + 4, plain->Height() + 4);
    plain->SetEnabled(false);
    driver.Pump();
    const win::RECT disabled = inkBox(plain);
    EXPECT_EQ(disabled.left, enabled.left);
    EXPECT_EQ(disabled.top, enabled.top);
    EXPECT_EQ(disabled.right, enabled.right + 1);
    EXPECT_EQ(disabled.bottom, enabled.bottom + 1);
}

}  // namespace
}  // namespace guitest
