// A window's stored popup menu with nested items, every property away from its default: it reads into the
// item tree, shows, and writes back to text that reads into the same text again.

#include "platform/gui/core/ActionList.h"
#include "platform/gui/controls/Menus.h"
#include "platform/gui/graphics/ImageList.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/Menu.h"

#include "tests/platform/gui/core/ControlsFixture.h"
#include "tests/platform/gui/graphics/GraphicsHolder.h"

namespace guitest {
namespace {

const char* const kMenuForm = R"(object Preview: TForm
  Caption = 'Preview'
  PopupMenu = RightMenu
  object Icons: TImageList
  end
  object Actions: TActionList
    object PrintAction: TAction
      Caption = '&Print'
      Hint = 'Print|Prints the report'
      ShortCut = 16464
    end
  end
  object RightMenu: TPopupMenu
    Alignment = paRight
    AutoPopup = False
    Images = Icons
    OwnerDraw = True
    TrackButton = tbLeftButton
    object CollapseMI: TMenuItem
      Caption = 'Collapse all'
      Checked = True
      Default = True
      GroupIndex = 2
      Hint = 'Collapse|Collapses every group'
      ImageIndex = 13
      RadioItem = True
      ShortCut = 16451
      Tag = 601
    end
    object ExpandMI: TMenuItem
      AutoCheck = True
      Break = True
      Caption = 'Expand all'
      Enabled = False
      ImageIndex = 14
      Visible = False
    end
    object N1: TMenuItem
      Caption = '-'
    end
    object ExportMI: TMenuItem
      Caption = 'Export'
      object PdfMI: TMenuItem
        Caption = 'PDF file...'
        Tag = 1
      end
      object RtfMI: TMenuItem
        Caption = 'RTF file...'
        Tag = 2
      end
    end
    object PrintMI: TMenuItem
      Action = PrintAction
    end
  end
end
)";

class MenuFormTest : public ControlsTest {};

TEST_F(MenuFormTest, TheItemTreeReadsShowsAndWritesBack)
{
    std::unique_ptr<classes::TComponent> root(ReadText(kMenuForm, nullptr));
    auto* form = dynamic_cast<gui::TForm*>(root.get());
    ASSERT_NE(form, nullptr);
    auto* menu = dynamic_cast<gui::TPopupMenu*>(form->FindComponent("RightMenu"));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(form->PopupMenu(), menu);
    EXPECT_EQ(menu->Images(), form->FindComponent("Icons"));
    EXPECT_EQ(menu->Alignment(), gui::paRight);
    EXPECT_EQ(menu->TrackButton(), gui::tbLeftButton);
    EXPECT_FALSE(menu->AutoPopup());
    EXPECT_TRUE(menu->OwnerDraw());
    gui::TMenuItem* items = menu->Items();
    ASSERT_EQ(items->Count(), 5);
    auto* collapse = items->Items(0);
    EXPECT_EQ(collapse->Name(), "CollapseMI");
    EXPECT_TRUE(collapse->Checked() && collapse->Default() && collapse->RadioItem());
    EXPECT_EQ(collapse->GroupIndex(), 2);
    EXPECT_EQ(collapse->ImageIndex(), 13);
    EXPECT_EQ(gui::ShortCutToText(collapse->ShortCut()), "Ctrl+C");
    EXPECT_EQ(collapse->Tag(), 601);
    auto* expand = items->Items(1);
    EXPECT_TRUE(expand->AutoCheck() && expand->Break());
    EXPECT_FALSE(expand->Enabled() || expand->Visible());
    EXPECT_TRUE(items->Items(2)->IsLine());
    auto* exportItem = items->Items(3);
    ASSERT_EQ(exportItem->Count(), 2);
    EXPECT_EQ(exportItem->Items(1)->Name(), "RtfMI");
    EXPECT_EQ(exportItem->Items(1)->Parent(), exportItem);
    auto* print = items->Items(4);
    EXPECT_EQ(print->Action(), form->FindComponent("PrintAction"));
    EXPECT_EQ(print->Caption(), "&Print") << "from the action";
    EXPECT_EQ(print->Hint(), "Print|Prints the report");
    EXPECT_EQ(gui::ShortCutToText(print->ShortCut()), "Ctrl+P");

    form->Show();
    driver.Pump();
    EXPECT_EQ(win::GetMenuItemCount(menu->Handle()), 4) << "the hidden item has no place in the handle";
    const std::string written = TextOf(*form);
    std::unique_ptr<classes::TComponent> again(ReadText(written, nullptr));
    EXPECT_EQ(TextOf(*again), written);
    for (const char* line : {"object RtfMI: TMenuItem", "Alignment = paRight", "TrackButton = tbLeftButton",
                             "AutoPopup = False", "Images = Icons", "RadioItem = True", "GroupIndex = 2",
                             "ShortCut = 16451", "Tag = 601", "Break = True", "Visible = False", "Action = PrintAction"}) {
        EXPECT_NE(written.find(line), std::string::npos) << line;
    }
    EXPECT_EQ(written.find("Caption = '&Print'"), written.rfind("Caption = '&Print'"))
        << "what the action gives is stored once, with the action";
}

TEST_F(MenuFormTest, AnUnknownValueNameIsTheReadersErrorNamingComponentAndProperty)
{
    for (const auto& [value, wrong, component, property] :
         {std::tuple{"paRight", "paMiddle", "RightMenu", "Alignment"},
          std::tuple{"tbLeftButton", "tbMiddleButton", "RightMenu", "TrackButton"}}) {
        std::string text = kMenuForm;
        text.replace(text.find(value), std::string(value).size(), wrong);
        try {
            std::unique_ptr<classes::TComponent> root(ReadText(text, nullptr));
            ADD_FAILURE() << wrong << " read";
        } catch (const rtl::Exception& e) {
            EXPECT_NE(e.Message().find(property), std::string::npos) << e.Message();
            EXPECT_NE(e.Message().find(component), std::string::npos) << e.Message();
        }
    }
}

}  // namespace
}  // namespace guitest
