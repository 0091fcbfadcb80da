// The font dialog as a window: the families EnumFontFamiliesEx lists, the choice taken into the font,
// the family it opens with selected, and refusals.

#include "platform/gui/controls/ComboBox.h"
#include "platform/gui/controls/ListBox.h"
#include "platform/gui/dialogs/Dialogs.h"
#include "platform/text/FontEngine.h"
#include "platform/win/Paint.h"

#include "tests/platform/gui/dialogs/DialogWindowsFixture.h"

#include <set>

namespace guitest {
namespace {

class FontWindow : public DialogWindowsTest {
protected:
    static gui::TListBox* List(int column)
    {
        return dynamic_cast<gui::TListBox*>(gui::FindControl(Windows(Dialog(), "TListBox").at(std::size_t(column))));
    }
    static std::vector<std::string> Items(gui::TListBox* list)
    {
        std::vector<std::string> items;
        for (int i = 0; i < list->Items()->Count(); ++i)
            items.push_back(list->Items()->Strings(i));
        return items;
    }
    static std::string SelectedIn(int column)
    {
        gui::TListBox* list = List(column);
        return list->ItemIndex() >= 0 ? list->Items()->Strings(list->ItemIndex()) : "";
    }
};

int CollectFamily(const win::ENUMLOGFONTEX* font, const win::TEXTMETRIC*, win::DWORD, win::LPARAM data)
{
    reinterpret_cast<std::set<std::string>*>(data)->insert(font->elfLogFont.lfFaceName.Str());
    return 1;
}

TEST_F(FontWindow, FamiliesAreTheScreensAndTheOpeningFamilyIsSelected)
{
    std::set<std::string> expected;
    win::HDC screen = win::GetDC(nullptr);
    win::LOGFONT filter;
    filter.lfCharSet = win::DEFAULT_CHARSET;
    win::EnumFontFamiliesEx(screen, &filter, &CollectFamily, reinterpret_cast<win::LPARAM>(&expected), 0);
    win::ReleaseDC(nullptr, screen);
    gui::TFontDialog dialog(nullptr);
    dialog.Font()->SetName("Courier New");
    std::vector<std::string> families;
    std::string selected;
    WhileShowing({[&] {
                      families = Items(List(0));
                      selected = SelectedIn(0);
                      Press(win::VK_ESCAPE);
                  }},
                 [&] { return dialog.Execute(); });
    EXPECT_EQ(std::set<std::string>(families.begin(), families.end()), expected);
    EXPECT_EQ(families.size(), expected.size());
    if (expected.count("Courier New")) {
        EXPECT_EQ(selected, "Courier New");
    }
}

TEST_F(FontWindow, TheChoiceGoesIntoTheFont)
{
    gui::TFontDialog dialog(nullptr);
    dialog.Font()->SetName("Times New Roman");
    dialog.Font()->SetSize(10);
    const bool chosen = WhileShowing({[&] {
                                          const std::vector<win::HWND> edits = Windows(Dialog(), "TEdit");
                                          TypeInto(edits[0], "Arial");
                                          TypeInto(edits[1], "Bold");
                                          TypeInto(edits[2], "12");
                                          ClickOn(Child(Dialog(), "&Underline"));
                                          driver.Pump();
                                          auto* color = dynamic_cast<gui::TComboBox*>(
                                              gui::FindControl(Windows(Child(Dialog(), "Effects"), "TComboBox")[0]));
                                          win::SetFocus(color->Handle());
                                          driver.Pump();
                                          for (int i = 0; i < 9; ++i)
                                              Press(win::VK_DOWN);  // Black .. Red
                                          driver.Pump();
                                      },
                                      [&] { ClickOn(Child(Dialog(), "OK")); }},
                                     [&] { return dialog.Execute(); });
    ASSERT_TRUE(chosen);
    EXPECT_EQ(dialog.Font()->Name(), "Arial");
    EXPECT_EQ(dialog.Font()->Size(), 12);
    EXPECT_EQ(dialog.Font()->Style(), gui::TFontStyles(1u << gui::fsBold | 1u << gui::fsUnderline));
    EXPECT_EQ(gui::ColorToRGB(dialog.Font()->Color()), win::RGB(255, 0, 0));
}

TEST_F(FontWindow, UnknownFamiliesAndSizesThatAreNoNumberAreRefused)
{
    gui::TFontDialog dialog(nullptr);
    dialog.SetOptions(dialog.Options() | 1u << gui::fdForceFontExist);
    WhileShowing({[&] {
                      TypeInto(Windows(Dialog(), "TEdit")[0], "No Such Family");
                      ClickOn(Child(Dialog(), "OK"));
                  },
                  [&] { Press(win::VK_RETURN); },
                  [&] {
                      TypeInto(Windows(Dialog(), "TEdit")[0], "Arial");
                      TypeInto(Windows(Dialog(), "TEdit")[2], "big");
                      ClickOn(Child(Dialog(), "OK"));
                  },
                  [&] { Press(win::VK_RETURN); },
                  [&] { Press(win::VK_ESCAPE); }},
                 [&] { return dialog.Execute(); });
    EXPECT_EQ(windows.texts, (std::vector<std::string>{"There is no font with that name.\nChoose a font from the list of fonts.",
                                                       "Size must be a number."}));
}

}  // namespace
}  // namespace guitest
