// The up-down buttons on an edit: clicks step the edit's text, a held button repeats on the clock and
// stops at the end of the range (or wraps), typed text is where a step starts, OnChanging may refuse.

#include "platform/gui/Edit.h"
#include "platform/gui/UpDown.h"

#include "tests/platform/gui/ControlsFixture.h"

namespace guitest {
namespace {

class UpDownTest : public ControlsTest {
public:
    void Changing(classes::TObject*, bool& allow) { allow = !refuse; }
    void Clicked(classes::TObject*, gui::TUDBtnType button) { buttons.push_back(button); }

protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        form = MakeForm(300, 200);
        copies = Make<gui::TEdit>(form, "Copies", 10, 10, 60, 21);
        spin = new gui::TUpDown(form);
        spin->SetName("CopiesSpin");
        spin->SetParent(form);
        spin->SetMin(1);
        spin->SetMax(100);
        spin->SetPosition(1);
        spin->SetAssociate(copies);
        spin->OnChanging = gui::TUDChangingEvent::Of<&UpDownTest::Changing>(this);
        spin->OnClick = gui::TUDClickEvent::Of<&UpDownTest::Clicked>(this);
        form->Show();
        driver.Pump();
    }
    void ClickUp(int times = 1)
    {
        for (int i = 0; i < times; ++i) {
            driver.Click(spin->Handle(), win::TestDriver::Button::Left, 8, 3);
            driver.AdvanceBy(600);  // no double click
        }
        driver.Pump();
    }

    gui::TForm* form = nullptr;
    gui::TEdit* copies = nullptr;
    gui::TUpDown* spin = nullptr;
    bool refuse = false;
    std::vector<gui::TUDBtnType> buttons;
};

TEST_F(UpDownTest, ThreeClicksOnUpFromOneShowFourBesideTheEdit)
{
    EXPECT_EQ(spin->Left(), 70) << "right of the edit";
    EXPECT_EQ(spin->Height(), 21);
    EXPECT_EQ(copies->Text(), "1");
    ClickUp(3);
    EXPECT_EQ(copies->Text(), "4");
    EXPECT_EQ(spin->Position(), 4);
    EXPECT_EQ(buttons, (std::vector<gui::TUDBtnType>{gui::btNext, gui::btNext, gui::btNext}));
    driver.Click(spin->Handle(), win::TestDriver::Button::Left, 8, 18);
    driver.Pump();
    EXPECT_EQ(copies->Text(), "3");
}

TEST_F(UpDownTest, AHeldButtonRepeatsAndStopsAtTheMaximum)
{
    spin->SetPosition(90);
    driver.MouseDown(spin->Handle(), win::TestDriver::Button::Left, 8, 3);
    driver.Pump();
    EXPECT_EQ(copies->Text(), "91");
    driver.AdvanceBy(400);
    EXPECT_EQ(copies->Text(), "92");
    driver.AdvanceBy(300);
    EXPECT_EQ(copies->Text(), "95") << "every 100 ms";
    driver.AdvanceBy(2000);
    EXPECT_EQ(copies->Text(), "100") << "stops at Max";
    driver.MouseUp(spin->Handle(), win::TestDriver::Button::Left, 8, 3);
    driver.Pump();
    spin->SetWrap(true);
    ClickUp();
    EXPECT_EQ(copies->Text(), "1") << "wraps to Min";
}

TEST_F(UpDownTest, TypedTextIsWhereTheStepStartsAndOnChangingMayRefuse)
{
    copies->SetText("41");
    ClickUp();
    EXPECT_EQ(copies->Text(), "42");
    refuse = true;
    ClickUp();
    EXPECT_EQ(copies->Text(), "42");
    EXPECT_EQ(buttons.size(), 1u);
    spin->SetMax(5000);
    spin->SetPosition(1233);
    refuse = false;
    ClickUp();
    EXPECT_EQ(copies->Text(), "1,234") << "Thousands";
    ClickUp();
    EXPECT_EQ(copies->Text(), "1,235") << "the separator is read back";
}

}  // namespace
}  // namespace guitest
