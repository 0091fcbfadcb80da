// A window's stored data in the vocabulary of the standard controls, every property away from its
// default: it reads headless into controls that hold those values, shows, and writes back to text that
// reads into the same text again. A name the vocabulary does not know is the reader's error.

#include "platform/gui/Button.h"
#include "platform/gui/CheckBox.h"
#include "platform/gui/Edit.h"
#include "platform/gui/Label.h"
#include "platform/gui/Memo.h"
#include "platform/rtl/Exceptions.h"

#include "tests/platform/gui/ControlsFixture.h"
#include "tests/platform/gui/GraphicsHolder.h"

namespace guitest {
namespace {

const char* const kForm = R"(object Controls: TForm
  Caption = 'Controls'
  object Amount: TEdit
    Left = 8
    Top = 8
    Width = 100
    Height = 30
    AutoSelect = False
    AutoSize = False
    BorderStyle = bsNone
    CharCase = ecUpperCase
    HideSelection = False
    ImeMode = imClose
    ImeName = 'input'
    MaxLength = 6
    OEMConvert = True
    PasswordChar = '*'
    ReadOnly = True
    Text = '1,000,000'
  end
  object Notes: TMemo
    Left = 8
    Top = 40
    Alignment = taCenter
    Lines.Strings = (
      'one'
      'two')
    ScrollBars = ssBoth
    WantReturns = False
    WantTabs = True
    WordWrap = False
  end
  object Continue: TButton
    Left = 8
    Top = 140
    Caption = '&Continue'
    Cancel = True
    Default = True
    ModalResult = 1
  end
  object Box: TCheckBox
    Left = 8
    Top = 170
    Caption = '&Box'
    Alignment = taLeftJustify
    AllowGrayed = True
    State = cbGrayed
  end
  object Incentive01: TRadioButton
    Left = 8
    Top = 190
    Caption = 'One'
    Alignment = taLeftJustify
    Checked = True
  end
  object Title: TLabel
    Left = 120
    Top = 8
    Width = 80
    Height = 40
    Caption = 'A & B'
    Alignment = taRightJustify
    AutoSize = False
    FocusControl = Amount
    Layout = tlCenter
    ShowAccelChar = False
    Transparent = True
    WordWrap = True
  end
end
)";

class StandardControlsFormTest : public ControlsTest {};

TEST_F(StandardControlsFormTest, EveryPropertyAwayFromItsDefaultReadsShowsAndWritesBack)
{
    std::unique_ptr<classes::TComponent> root(ReadText(kForm, nullptr));
    auto* form = dynamic_cast<gui::TForm*>(root.get());
    ASSERT_NE(form, nullptr);
    auto* amount = dynamic_cast<gui::TEdit*>(form->FindComponent("Amount"));
    auto* notes = dynamic_cast<gui::TMemo*>(form->FindComponent("Notes"));
    auto* go = dynamic_cast<gui::TButton*>(form->FindComponent("Continue"));
    auto* box = dynamic_cast<gui::TCheckBox*>(form->FindComponent("Box"));
    auto* radio = dynamic_cast<gui::TRadioButton*>(form->FindComponent("Incentive01"));
    auto* title = dynamic_cast<gui::TLabel*>(form->FindComponent("Title"));
    ASSERT_TRUE(amount && notes && go && box && radio && title);

    EXPECT_EQ(amount->Text(), "1,000,000");
    EXPECT_EQ(amount->MaxLength(), 6);
    EXPECT_EQ(amount->PasswordChar(), '*');
    EXPECT_EQ(amount->CharCase(), gui::ecUpperCase);
    EXPECT_EQ(amount->BorderStyle(), gui::bsNone);
    EXPECT_EQ(amount->Height(), 30) << "AutoSize off keeps the stored height";
    EXPECT_EQ(notes->Lines()->Count(), 2);
    EXPECT_EQ(notes->ScrollBars(), gui::ssBoth);
    EXPECT_TRUE(go->Default() && go->Cancel());
    EXPECT_EQ(go->ModalResult(), gui::mrOk);
    EXPECT_EQ(box->State(), gui::cbGrayed);
    EXPECT_TRUE(radio->Checked());
    EXPECT_EQ(title->FocusControl(), amount);
    EXPECT_EQ(title->Layout(), gui::tlCenter);
    EXPECT_EQ(Log(), std::vector<std::string>{}) << "no click while loading";

    form->Show();
    driver.Pump();
    EXPECT_EQ(win::GetWindowTextLength(amount->Handle()), 9);
    const std::string written = TextOf(*form);
    std::unique_ptr<classes::TComponent> again(ReadText(written, nullptr));
    EXPECT_EQ(TextOf(*again), written);
    for (const char* line : {"MaxLength = 6", "State = cbGrayed", "ModalResult = 1", "Layout = tlCenter",
                             "WantTabs = True", "ImeMode = imClose", "Checked = True", "FocusControl = Amount"}) {
        EXPECT_NE(written.find(line), std::string::npos) << line;
    }
}

TEST_F(StandardControlsFormTest, AnUnknownValueNameIsTheReadersErrorNamingComponentAndProperty)
{
    std::string text = kForm;
    text.replace(text.find("cbGrayed"), 8, "cbPurple");
    try {
        std::unique_ptr<classes::TComponent> root(ReadText(text, nullptr));
        ADD_FAILURE() << "read";
    } catch (const rtl::Exception& e) {
        EXPECT_NE(e.Message().find("State"), std::string::npos) << e.Message();
        EXPECT_NE(e.Message().find("Box"), std::string::npos) << e.Message();
    }
}

}  // namespace
}  // namespace guitest
