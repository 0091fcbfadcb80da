// The up-down buttons on an edit: clicks step the edit's text, a held button repeats on the clock and
// stops at the end of the range (or wraps), typed text is where a step starts, OnChanging may refuse;
// the edit's arrow keys step as the buttons do when ArrowKeys is on.

#include "platform/gui/controls/Edit.h"
#include "platform/gui/controls/UpDown.h"

#include "tests/platform/gui/core/ControlsFixture.h"

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

struct ArrowKeyCase {
    const char* name;
    gui::TUDOrientation orientation;
    bool arrowKeys;
    bool wrap;
    int start;
    win::UINT key;
    const char* text;  // the edit's text after the key
    std::size_t clicks;  // OnClick calls the key made
};

TEST_F(UpDownTest, TheEditsArrowKeysStepAlongTheOrientation)
{
    const ArrowKeyCase cases[] = {
            {"vertical up", gui::udVertical, true, false, 50, win::VK_UP, "51", 1},
            {"vertical down", gui::udVertical, true, false, 50, win::VK_DOWN, "49", 1},
            {"vertical ignores right", gui::udVertical, true, false, 50, win::VK_RIGHT, "50", 0},
            {"horizontal right", gui::udHorizontal, true, false, 50, win::VK_RIGHT, "51", 1},
            {"horizontal left", gui::udHorizontal, true, false, 50, win::VK_LEFT, "49", 1},
            {"horizontal ignores up", gui::udHorizontal, true, false, 50, win::VK_UP, "50", 0},
            {"keys off", gui::udVertical, false, false, 50, win::VK_UP, "50", 0},
            {"keys off horizontal", gui::udHorizontal, false, false, 50, win::VK_RIGHT, "50", 0},
            {"stops at Max", gui::udVertical, true, false, 100, win::VK_UP, "100", 1},
            {"stops at Min", gui::udHorizontal, true, false, 1, win::VK_LEFT, "1", 1},
            {"wraps past Max", gui::udVertical, true, true, 100, win::VK_UP, "1", 1},
            {"wraps past Min", gui::udHorizontal, true, true, 1, win::VK_LEFT, "100", 1},
    };
    copies->SetFocus();
    driver.Pump();
    for (const ArrowKeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        spin->SetOrientation(c.orientation);
        spin->SetArrowKeys(c.arrowKeys);
        spin->SetWrap(c.wrap);
        spin->SetPosition(c.start);
        buttons.clear();
        driver.PressKey(c.key);
        driver.Pump();
        EXPECT_EQ(copies->Text(), c.text);
        EXPECT_EQ(buttons.size(), c.clicks);
        EXPECT_TRUE(copies->Focused()) << "an arrow key never moves the focus";
    }
}

TEST_F(UpDownTest, AnotherAssociateTakesTheKeysOver)
{
    auto* pages = Make<gui::TEdit>(form, "Pages", 10, 50, 60, 21);
    copies->SetFocus();
    driver.Pump();
    spin->SetAssociate(pages);
    driver.PressKey(win::VK_UP);
    driver.Pump();
    EXPECT_EQ(copies->Text(), "1") << "the former associate is let go";
    pages->SetFocus();
    driver.Pump();
    driver.PressKey(win::VK_UP);
    driver.Pump();
    EXPECT_EQ(pages->Text(), "2");
    delete spin;
    spin = nullptr;
    driver.PressKey(win::VK_UP);
    driver.Pump();
    EXPECT_EQ(pages->Text(), "2") << "a freed up-down leaves the edit's keys alone";
}

}  // namespace
}  // namespace guitest
