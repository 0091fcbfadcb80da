// A window's stored data with a tree view, a page control with its pages (one without a tab) and a tool
// bar with its buttons, every property away from its default: it reads headless into controls holding
// those values, shows, and writes back to text that reads into the same text again. Names the
// vocabulary does not know are the reader's error.

#include "platform/gui/controls/PageControl.h"
#include "platform/gui/controls/Panel.h"
#include "platform/gui/controls/ToolBar.h"
#include "platform/gui/controls/TreeView.h"

#include "tests/platform/gui/core/ControlsFixture.h"
#include "tests/platform/gui/graphics/GraphicsHolder.h"

namespace guitest {
namespace {

const char* const kForm = R"(object Customize: TForm
  Left = 100
  Top = 100
  Width = 500
  Height = 400
  Caption = 'Customize'
  object Icons: TImageList
  end
  object Glyphs: TImageList
  end
  object ToolBar: TToolBar
    Left = 0
    Top = 0
    Width = 492
    Height = 40
    AutoSize = True
    ButtonHeight = 24
    ButtonWidth = 25
    DisabledImages = Glyphs
    EdgeBorders = [ebLeft, ebTop, ebRight, ebBottom]
    Flat = True
    HotImages = Glyphs
    Images = Icons
    Indent = 4
    List = True
    ShowCaptions = True
    Transparent = True
    Wrapable = False
    object PrintB: TToolButton
      Left = 6
      Top = 2
      Caption = 'Print'
      Hint = 'Print'
      ImageIndex = 2
      Wrap = True
    end
    object ExportB: TToolButton
      Left = 6
      Top = 26
      Caption = 'Export'
      ImageIndex = 3
      Style = tbsDropDown
    end
    object Sep3: TToolButton
      Left = 80
      Top = 26
      Width = 10
      Style = tbsDivider
    end
    object OutlineB: TToolButton
      Left = 90
      Top = 26
      AllowAllUp = True
      Caption = 'Outline'
      Down = True
      Grouped = True
      Style = tbsCheck
    end
    object ZoomPanel: TPanel
      Left = 160
      Top = 28
      Width = 60
      Height = 20
    end
  end
  object Pages: TPageControl
    Left = 8
    Top = 60
    Width = 300
    Height = 250
    ActivePage = tsOptions
    HotTrack = True
    Images = Icons
    MultiLine = True
    TabHeight = 20
    TabStop = False
    TabWidth = 80
    object tsToolbars: TTabSheet
      Caption = ' Toolbars '
      ImageIndex = 1
    end
    object tsOptions: TTabSheet
      Caption = ' Options '
      object KeyTips: TTreeView
        Left = 4
        Top = 4
        Width = 200
        Height = 150
        AutoExpand = True
        BorderStyle = bsNone
        HideSelection = False
        Images = Icons
        Indent = 25
        ReadOnly = True
        ShowButtons = False
        ShowLines = False
        ShowRoot = False
        TabStop = False
      end
    end
    object TabSheet1: TTabSheet
      Caption = 'Key Tips'
      TabVisible = False
    end
  end
end
)";

class CommonControlsFormTest : public ControlsTest {};

TEST_F(CommonControlsFormTest, EveryPropertyAwayFromItsDefaultReadsShowsAndWritesBack)
{
    std::unique_ptr<classes::TComponent> root(ReadText(kForm, nullptr));
    auto* form = dynamic_cast<gui::TForm*>(root.get());
    ASSERT_NE(form, nullptr);
    auto* bar = dynamic_cast<gui::TToolBar*>(form->FindComponent("ToolBar"));
    auto* icons = form->FindComponent("Icons");
    auto* glyphs = form->FindComponent("Glyphs");
    ASSERT_TRUE(bar && icons && glyphs);
    EXPECT_TRUE(bar->AutoSize() && bar->Flat() && bar->List() && bar->ShowCaptions() && bar->Transparent());
    EXPECT_FALSE(bar->Wrapable());
    EXPECT_EQ(bar->ButtonHeight(), 24);
    EXPECT_EQ(bar->ButtonWidth(), 25);
    EXPECT_EQ(bar->Indent(), 4);
    EXPECT_EQ(bar->EdgeBorders(), 0x0F);
    EXPECT_EQ(bar->Images(), icons);
    EXPECT_EQ(bar->DisabledImages(), glyphs);
    EXPECT_EQ(bar->HotImages(), glyphs);
    ASSERT_EQ(bar->ButtonCount(), 4);
    EXPECT_EQ(bar->Buttons(0)->Name(), "PrintB");
    EXPECT_TRUE(bar->Buttons(0)->Wrap());
    EXPECT_EQ(bar->Buttons(0)->ImageIndex(), 2);
    EXPECT_EQ(bar->Buttons(1)->Style(), gui::tbsDropDown);
    EXPECT_EQ(bar->Buttons(2)->Style(), gui::tbsDivider);
    EXPECT_EQ(bar->Buttons(2)->Width(), 10);
    auto* outline = bar->Buttons(3);
    EXPECT_TRUE(outline->Down() && outline->Grouped() && outline->AllowAllUp());
    EXPECT_EQ(form->FindComponent("ZoomPanel")->GetParentComponent(), bar);

    auto* pages = dynamic_cast<gui::TPageControl*>(form->FindComponent("Pages"));
    ASSERT_NE(pages, nullptr);
    ASSERT_EQ(pages->PageCount(), 3);
    EXPECT_EQ(pages->ActivePage(), form->FindComponent("tsOptions"));
    EXPECT_TRUE(pages->HotTrack() && pages->MultiLine());
    EXPECT_EQ(pages->TabHeight(), 20);
    EXPECT_EQ(pages->TabWidth(), 80);
    EXPECT_EQ(pages->Images(), icons);
    EXPECT_FALSE(pages->Pages(2)->TabVisible());
    EXPECT_EQ(pages->Pages(0)->ImageIndex(), 1);
    EXPECT_EQ(pages->Pages(0)->Caption(), " Toolbars ");

    auto* tree = dynamic_cast<gui::TTreeView*>(form->FindComponent("KeyTips"));
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(tree->Parent(), pages->Pages(1));
    EXPECT_TRUE(tree->AutoExpand() && tree->ReadOnly());
    EXPECT_FALSE(tree->HideSelection() || tree->ShowButtons() || tree->ShowLines() || tree->ShowRoot());
    EXPECT_EQ(tree->BorderStyle(), gui::bsNone);
    EXPECT_EQ(tree->Indent(), 25);
    EXPECT_EQ(tree->Images(), icons);

    form->Show();
    driver.Pump();
    EXPECT_TRUE(pages->Pages(1)->Visible());
    EXPECT_FALSE(pages->Pages(2)->Visible());
    EXPECT_EQ(tree->Indent(), 25) << "through the window";
    // The bar fits its two rows: PrintB wraps.
    EXPECT_EQ(bar->Buttons(1)->Top(), bar->Buttons(0)->Top() + bar->Buttons(0)->Height());
    const std::string written = TextOf(*form);
    std::unique_ptr<classes::TComponent> again(ReadText(written, nullptr));
    EXPECT_EQ(TextOf(*again), written);
    for (const char* line : {"EdgeBorders = [ebLeft, ebTop, ebRight, ebBottom]", "Style = tbsDropDown", "Style = tbsDivider",
                             "ActivePage = tsOptions", "TabVisible = False", "MultiLine = True", "AutoExpand = True",
                             "ShowRoot = False", "Indent = 25", "HotImages = Glyphs", "Wrapable = False"}) {
        EXPECT_NE(written.find(line), std::string::npos) << line;
    }
    EXPECT_EQ(written.find("PageIndex"), std::string::npos) << "the order of the pages is their place";
}

TEST_F(CommonControlsFormTest, AnUnknownValueNameIsTheReadersErrorNamingComponentAndProperty)
{
    ExpectWrongValuesRefused(kForm, {{"tbsDropDown", "tbsPullDown", "ExportB", "Style"},
                                     {"ebRight, ebBottom]", "ebRight, ebMiddle]", "ToolBar", "EdgeBorders"},
                                     {"BorderStyle = bsNone", "BorderStyle = bsThick", "KeyTips", "BorderStyle"}});
}

}  // namespace
}  // namespace guitest
