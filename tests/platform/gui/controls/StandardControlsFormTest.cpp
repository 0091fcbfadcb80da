// A window's stored data in the vocabulary of the standard controls, every property away from its
// default: it reads headless into controls that hold those values, shows, and writes back to text that
// reads into the same text again. A name the vocabulary does not know is the reader's error.

#include "platform/gui/controls/Bevel.h"
#include "platform/gui/controls/Button.h"
#include "platform/gui/controls/CheckBox.h"
#include "platform/gui/controls/ComboBox.h"
#include "platform/gui/controls/Edit.h"
#include "platform/gui/controls/GroupBox.h"
#include "platform/gui/controls/Image.h"
#include "platform/gui/controls/Label.h"
#include "platform/gui/controls/ListBox.h"
#include "platform/gui/controls/Memo.h"
#include "platform/gui/controls/PaintBox.h"
#include "platform/gui/controls/Panel.h"
#include "platform/gui/controls/ProgressBar.h"
#include "platform/gui/controls/ScrollBar.h"
#include "platform/gui/controls/ScrollBox.h"
#include "platform/gui/controls/Shape.h"
#include "platform/gui/controls/Splitter.h"
#include "platform/gui/controls/StatusBar.h"
#include "platform/gui/controls/UpDown.h"
#include "platform/gui/graphics/Font.h"

#include "tests/platform/gui/core/ControlsFixture.h"
#include "tests/platform/gui/graphics/GraphicsHolder.h"

namespace guitest {
namespace {

const char* const kControlsForm = R"(object Controls: TForm
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
  object Status: TPanel
    Left = 220
    Top = 8
    Width = 150
    Height = 60
    Alignment = taLeftJustify
    BevelInner = bvLowered
    BevelOuter = bvSpace
    BevelWidth = 2
    BorderStyle = bsSingle
    BorderWidth = 3
    Caption = 'Ready'
    FullRepaint = False
    Locked = True
    ParentBackground = True
    object Options: TGroupBox
      Left = 10
      Top = 10
      Width = 100
      Height = 40
      Caption = 'Options'
    end
  end
  object Line: TBevel
    Left = 220
    Top = 80
    Width = 150
    Height = 2
    Shape = bsTopLine
    Style = bsRaised
  end
  object Shape1: TShape
    Left = 220
    Top = 90
    Width = 98
    Height = 89
    Brush.Color = clLime
    Brush.Style = bsCross
    Pen.Width = 2
    Shape = stRoundSquare
  end
  object LG1: TImage
    Left = 220
    Top = 190
    Width = 250
    Height = 100
    AutoSize = True
    Center = True
    IncrementalDisplay = True
    Proportional = True
    Stretch = True
    Transparent = True
  end
  object Graph: TPaintBox
    Left = 8
    Top = 220
    Width = 50
    Height = 40
  end
  object Bindings: TScrollBox
    Left = 60
    Top = 220
    Width = 100
    Height = 60
    AutoScroll = False
    BorderStyle = bsNone
  end
  object Bar: TProgressBar
    Left = 8
    Top = 290
    Width = 17
    Height = 237
    Max = 5
    Min = 1
    Orientation = pbVertical
    Position = 3
    Smooth = True
    Step = 1
  end
  object Keys: TListBox
    Left = 200
    Top = 290
    Width = 150
    Height = 100
    BorderStyle = bsNone
    Columns = 2
    ExtendedSelect = False
    IntegralHeight = True
    ItemHeight = 22
    Items.Strings = (
      'Escape'
      'Enter')
    MultiSelect = True
    Sorted = True
    Style = lbOwnerDrawFixed
    TabStop = False
  end
  object Zoom: TComboBox
    Left = 200
    Top = 400
    Width = 120
    Height = 25
    CharCase = ecUpperCase
    DropDownCount = 12
    ItemHeight = 19
    Items.Strings = (
      'Zeta'
      'Alpha')
    ItemIndex = 0
    MaxLength = 20
    Sorted = True
    Style = csOwnerDrawFixed
  end
  object Bar3D: TScrollBar
    Left = 360
    Top = 290
    Width = 17
    Height = 121
    Kind = sbVertical
    LargeChange = 5
    Max = 20
    Min = 10
    PageSize = 3
    Position = 15
    SmallChange = 2
    TabStop = False
  end
  object Splitter1: TSplitter
    Left = 380
    Top = 290
    Width = 4
    Height = 100
    Align = alNone
    AutoSnap = False
    Beveled = True
    MinSize = 40
    ResizeStyle = rsUpdate
  end
  object CopiesEdit: TEdit
    Left = 420
    Top = 290
    Width = 40
    Height = 21
  end
  object Spin: TUpDown
    Left = 400
    Top = 290
    Width = 17
    Height = 21
    AlignButton = udLeft
    ArrowKeys = False
    Associate = CopiesEdit
    Increment = 5
    Max = 500
    Min = 5
    Orientation = udHorizontal
    Position = 1500
    Thousands = False
    Wrap = True
  end
  object StatusBar: TStatusBar
    Top = 581
    Width = 600
    Align = alNone
    AutoHint = True
    Panels = <
      item
        Alignment = taCenter
        Bevel = pbRaised
        Style = psOwnerDraw
        Text = 'Page 1'
        Width = 200
      end
      item
        Bevel = pbNone
        Width = 100
      end>
    SimplePanel = True
    SimpleText = 'Ready'
    SizeGrip = False
  end
end
)";

class StandardControlsFormTest : public ControlsTest {};

TEST_F(StandardControlsFormTest, EveryPropertyAwayFromItsDefaultReadsShowsAndWritesBack)
{
    std::unique_ptr<classes::TComponent> root(ReadText(kControlsForm, nullptr));
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
    auto* status = dynamic_cast<gui::TPanel*>(form->FindComponent("Status"));
    auto* options = dynamic_cast<gui::TGroupBox*>(form->FindComponent("Options"));
    auto* line = dynamic_cast<gui::TBevel*>(form->FindComponent("Line"));
    auto* shape = dynamic_cast<gui::TShape*>(form->FindComponent("Shape1"));
    auto* logo = dynamic_cast<gui::TImage*>(form->FindComponent("LG1"));
    auto* bindings = dynamic_cast<gui::TScrollBox*>(form->FindComponent("Bindings"));
    ASSERT_TRUE(status && options && line && shape && logo && bindings && form->FindComponent("Graph"));
    EXPECT_EQ(options->Parent(), status);
    EXPECT_EQ(status->BevelOuter(), gui::bvSpace);
    EXPECT_EQ(status->BorderWidth(), 3);
    EXPECT_EQ(line->Shape(), gui::bsTopLine);
    EXPECT_EQ(shape->Brush()->Style(), gui::bsCross);
    EXPECT_EQ(shape->Shape(), gui::stRoundSquare);
    EXPECT_TRUE(logo->Proportional() && logo->Center() && logo->IncrementalDisplay());
    EXPECT_EQ(logo->Width(), 250) << "AutoSize without a picture keeps the size";
    EXPECT_FALSE(bindings->AutoScroll());
    auto* bar = dynamic_cast<gui::TProgressBar*>(form->FindComponent("Bar"));
    auto* statusBar = dynamic_cast<gui::TStatusBar*>(form->FindComponent("StatusBar"));
    ASSERT_TRUE(bar && statusBar);
    EXPECT_EQ(bar->Position(), 3) << "the range arrives after the position";
    EXPECT_EQ(bar->Height(), 237);
    ASSERT_EQ(statusBar->Panels()->Count(), 2);
    EXPECT_EQ(statusBar->Panel(0)->Style(), gui::psOwnerDraw);
    EXPECT_EQ(statusBar->Panel(1)->Bevel(), gui::pbNone);
    EXPECT_EQ(statusBar->Align(), gui::alNone);
    auto* keys = dynamic_cast<gui::TListBox*>(form->FindComponent("Keys"));
    auto* bar3D = dynamic_cast<gui::TScrollBar*>(form->FindComponent("Bar3D"));
    ASSERT_TRUE(keys && bar3D);
    EXPECT_EQ(keys->Items()->Strings(0), "Enter") << "sorted";
    EXPECT_TRUE(keys->MultiSelect() && keys->Sorted() && keys->IntegralHeight());
    EXPECT_EQ(keys->Style(), gui::lbOwnerDrawFixed);
    EXPECT_EQ(keys->ItemHeight(), 22);
    EXPECT_EQ(keys->Columns(), 2);
    auto* zoom = dynamic_cast<gui::TComboBox*>(form->FindComponent("Zoom"));
    ASSERT_NE(zoom, nullptr);
    EXPECT_EQ(zoom->Items()->Strings(0), "Alpha") << "sorted";
    EXPECT_EQ(zoom->ItemIndex(), 1) << "the selected item moves with the sorting";
    EXPECT_EQ(zoom->Style(), gui::csOwnerDrawFixed);
    EXPECT_EQ(zoom->CharCase(), gui::ecUpperCase);
    EXPECT_EQ(zoom->DropDownCount(), 12);
    EXPECT_EQ(zoom->ItemHeight(), 19);
    EXPECT_EQ(zoom->MaxLength(), 20);
    EXPECT_EQ(bar3D->Kind(), gui::sbVertical);
    EXPECT_EQ(bar3D->Position(), 15) << "the range arrives after the position";
    EXPECT_EQ(bar3D->Min(), 10);
    EXPECT_EQ(bar3D->PageSize(), 3);
    auto* splitter = dynamic_cast<gui::TSplitter*>(form->FindComponent("Splitter1"));
    ASSERT_NE(splitter, nullptr);
    EXPECT_EQ(splitter->Align(), gui::alNone);
    EXPECT_EQ(splitter->ResizeStyle(), gui::rsUpdate);
    EXPECT_TRUE(splitter->Beveled() && !splitter->AutoSnap());
    EXPECT_EQ(splitter->MinSize(), 40);
    auto* spin = dynamic_cast<gui::TUpDown*>(form->FindComponent("Spin"));
    ASSERT_NE(spin, nullptr);
    EXPECT_EQ(spin->Associate(), form->FindComponent("CopiesEdit"));
    EXPECT_EQ(spin->Orientation(), gui::udHorizontal);
    EXPECT_EQ(spin->Position(), 1500);
    EXPECT_EQ(dynamic_cast<gui::TEdit*>(spin->Associate())->Text(), "1500") << "the position, without separators";
    EXPECT_EQ(Log(), std::vector<std::string>{}) << "no click while loading";

    form->Show();
    driver.Pump();
    EXPECT_EQ(win::GetWindowTextLength(amount->Handle()), 9);
    const std::string written = TextOf(*form);
    std::unique_ptr<classes::TComponent> again(ReadText(written, nullptr));
    EXPECT_EQ(TextOf(*again), written);
    for (const char* line : {"MaxLength = 6", "State = cbGrayed", "ModalResult = 1", "Layout = tlCenter",
                             "WantTabs = True", "ImeMode = imClose", "Checked = True", "FocusControl = Amount",
                             "BevelOuter = bvSpace", "Shape = bsTopLine", "Shape = stRoundSquare", "Brush.Style = bsCross",
                             "Proportional = True", "BorderStyle = bsNone", "Locked = True", "Orientation = pbVertical",
                             "Style = psOwnerDraw", "SimpleText = 'Ready'", "Align = alNone", "Style = lbOwnerDrawFixed",
                             "ItemHeight = 22", "Kind = sbVertical", "PageSize = 3", "Position = 15",
                             "ResizeStyle = rsUpdate", "MinSize = 40", "Associate = CopiesEdit", "Orientation = udHorizontal",
                             "AlignButton = udLeft", "Style = csOwnerDrawFixed", "DropDownCount = 12", "ItemIndex = 1",
                             "Text = 'Zeta'"}) {
        EXPECT_NE(written.find(line), std::string::npos) << line;
    }
}

TEST_F(StandardControlsFormTest, AnUnknownValueNameIsTheReadersErrorNamingComponentAndProperty)
{
    ExpectWrongValuesRefused(kControlsForm, {{"cbGrayed", "cbPurple", "Box", "State"},
                                     {"bvSpace", "bvDeep", "Status", "BevelOuter"},
                                     {"bsTopLine", "bsMiddleLine", "Line", "Shape"},
                                     {"stRoundSquare", "stStar", "Shape1", "Shape"},
                                     {"pbRaised", "pbDeep", "Panels", "Bevel"},
                                     {"lbOwnerDrawFixed", "lbFancy", "Keys", "Style"},
                                     {"sbVertical", "sbDiagonal", "Bar3D", "Kind"},
                                     {"rsUpdate", "rsLater", "Splitter1", "ResizeStyle"},
                                     {"udHorizontal", "udDiagonal", "Spin", "Orientation"},
                                     {"csOwnerDrawFixed", "csOwnerDrawn", "Zoom", "Style"}});
}

}  // namespace
}  // namespace guitest

namespace guitest {
namespace {

// A label stored without its size takes the size of its stored caption in its stored font, as one whose
// caption is set at run time does.
TEST_F(StandardControlsFormTest, AnAutoSizedLabelFitsItsStoredCaptionAndFont)
{
    const char* const text = R"(object Labels: TForm
  object Plain: TLabel
    Left = 8
    Top = 8
    Caption = 'Hours per Day of operation :'
  end
  object Bold: TLabel
    Left = 8
    Top = 40
    Caption = 'System Data'
    Font.Height = -16
    Font.Name = 'Arial'
    Font.Style = [fsBold]
    ParentFont = False
  end
  object Fixed: TLabel
    Left = 8
    Top = 80
    Width = 30
    Height = 40
    AutoSize = False
    Caption = 'Not resized'
  end
end
)";
    std::unique_ptr<classes::TComponent> root(ReadText(text, nullptr));
    auto* form = dynamic_cast<gui::TForm*>(root.get());
    ASSERT_NE(form, nullptr);
    for (const char* name : {"Plain", "Bold"}) {
        SCOPED_TRACE(name);
        auto* stored = dynamic_cast<gui::TLabel*>(form->FindComponent(name));
        ASSERT_NE(stored, nullptr);
        gui::TLabel made(nullptr);
        made.Font()->Assign(stored->Font());
        made.SetCaption(stored->Caption());
        EXPECT_GT(made.Width(), 30);
        EXPECT_EQ(stored->Width(), made.Width());
        EXPECT_EQ(stored->Height(), made.Height());
    }
    auto* fixed = dynamic_cast<gui::TLabel*>(form->FindComponent("Fixed"));
    EXPECT_EQ(fixed->Width(), 30);
    EXPECT_EQ(fixed->Height(), 40);
}

}  // namespace
}  // namespace guitest
