// The colour dialog: hue, saturation and luminosity shown for a colour, red, green and blue typed and
// added to the custom colours, the full part offered or refused, edits clamped to their range.

#include "platform/gui/dialogs/Dialogs.h"

#include "tests/platform/gui/dialogs/DialogWindowsFixture.h"

namespace guitest {
namespace {

class ColorWindow : public DialogWindowsTest {
protected:
    gui::TColorDialog& Dialog(gui::TColorDialogOptions options, gui::TColor color)
    {
        component_ = std::make_unique<gui::TColorDialog>(nullptr);
        component_->SetOptions(options);
        component_->SetColor(color);
        return *component_;
    }
    // The edits in reading order: hue, red, saturation, green, luminosity, blue.
    static std::vector<win::HWND> Edits() { return Windows(DialogWindowsTest::Dialog(), "TEdit"); }

private:
    std::unique_ptr<gui::TColorDialog> component_;
};

TEST_F(ColorWindow, ShowsTheColoursHueSaturationAndLuminosity)
{
    struct Case {
        gui::TColor color;
        std::vector<std::string> edits;  // hue, red, sat, green, lum, blue
    };
    const Case cases[] = {
        {gui::TColor(win::RGB(255, 0, 0)), {"0", "255", "240", "0", "120", "0"}},
        {gui::TColor(win::RGB(0, 128, 0)), {"80", "0", "240", "128", "60", "0"}},
        {gui::TColor(win::RGB(128, 128, 128)), {"160", "128", "0", "128", "120", "128"}},
        {gui::TColor(win::RGB(255, 255, 255)), {"160", "255", "0", "255", "240", "255"}},
    };
    for (const Case& c : cases) {
        gui::TColorDialog& dialog = Dialog(1u << gui::cdFullOpen, c.color);
        std::vector<std::string> edits;
        const bool chosen = WhileShowing({[&] {
                                             edits = Texts(DialogWindowsTest::Dialog(), "TEdit");
                                             Press(win::VK_RETURN);
                                         }},
                                         [&] { return dialog.Execute(); });
        EXPECT_TRUE(chosen);
        EXPECT_EQ(edits, c.edits) << c.color;
        EXPECT_EQ(dialog.Color(), c.color);
    }
}

TEST_F(ColorWindow, TypedColourGoesIntoTheFirstCustomCellAndIsChosen)
{
    gui::TColorDialog& dialog = Dialog(1u << gui::cdFullOpen, gui::clBlack);
    std::vector<std::string> hls;
    const bool chosen = WhileShowing({[&] {
                                         const std::vector<win::HWND> edits = Edits();
                                         ASSERT_EQ(edits.size(), 6u);
                                         TypeInto(edits[1], "10");
                                         TypeInto(edits[3], "20");
                                         TypeInto(edits[5], "30");
                                     },
                                     [&] {
                                         const std::vector<std::string> texts = Texts(DialogWindowsTest::Dialog(), "TEdit");
                                         hls = {texts[0], texts[2], texts[4]};
                                         ClickOn(Child(DialogWindowsTest::Dialog(), "&Add to Custom Colors"));
                                     },
                                     [&] { ClickOn(Child(DialogWindowsTest::Dialog(), "OK")); }},
                                     [&] { return dialog.Execute(); });
    ASSERT_TRUE(chosen);
    EXPECT_EQ(dialog.Color(), gui::TColor(win::RGB(10, 20, 30)));
    // Hue 140, saturation 120, luminosity 19 by the 0..240 conversion of (10, 20, 30).
    EXPECT_EQ(hls, (std::vector<std::string>{"140", "120", "19"}));
    ASSERT_EQ(dialog.CustomColors()->Count(), 16);
    EXPECT_EQ(dialog.CustomColors()->Strings(0), "ColorA=1E140A");
    EXPECT_EQ(dialog.CustomColors()->Strings(1), "ColorB=FFFFFF");
}

TEST_F(ColorWindow, EditsAreClampedToTheirRange)
{
    gui::TColorDialog& dialog = Dialog(1u << gui::cdFullOpen, gui::clBlack);
    std::vector<std::string> texts;
    WhileShowing({[&] {
                      const std::vector<win::HWND> edits = Edits();
                      TypeInto(edits[1], "300");
                      TypeInto(edits[0], "250");
                  },
                  [&] {
                      texts = Texts(DialogWindowsTest::Dialog(), "TEdit");
                      Press(win::VK_RETURN);
                  }},
                 [&] { return dialog.Execute(); });
    ASSERT_EQ(texts.size(), 6u);
    EXPECT_EQ(texts[1], "255");
    EXPECT_EQ(texts[0], "239");
}

TEST_F(ColorWindow, DefineButtonWidensTheDialogUnlessPrevented)
{
    struct Case {
        gui::TColorDialogOptions options;
        bool defineEnabled;
        bool wideAtStart;
    };
    const Case cases[] = {
        {0, true, false},
        {1u << gui::cdFullOpen, false, true},
        {1u << gui::cdPreventFullOpen, false, false},
        {1u << gui::cdPreventFullOpen | 1u << gui::cdFullOpen, false, false},
    };
    for (const Case& c : cases) {
        gui::TColorDialog& dialog = Dialog(c.options, gui::clRed);
        bool enabled = false;
        std::size_t editsAtStart = 0;
        int widthAtStart = 0;
        int widthAfter = 0;
        WhileShowing({[&] {
                          const win::HWND define = Child(DialogWindowsTest::Dialog(), "&Define Custom Colors >>");
                          enabled = win::IsWindowEnabled(define);
                          editsAtStart = Edits().size();
                          win::RECT rect;
                          win::GetClientRect(DialogWindowsTest::Dialog(), &rect);
                          widthAtStart = rect.right;
                          ClickOn(define);
                      },
                      [&] {
                          win::RECT rect;
                          win::GetClientRect(DialogWindowsTest::Dialog(), &rect);
                          widthAfter = rect.right;
                          Press(win::VK_ESCAPE);
                      }},
                     [&] { return dialog.Execute(); });
        EXPECT_EQ(enabled, c.defineEnabled) << c.options;
        EXPECT_EQ(editsAtStart, c.wideAtStart ? 6u : 0u) << c.options;
        EXPECT_EQ(widthAfter > widthAtStart, c.defineEnabled) << c.options;
    }
}

}  // namespace
}  // namespace guitest
