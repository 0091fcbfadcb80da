// The OneNote style: no rotation, the longer slant and its spacing, the shaded outline in the colours
// of the colour scheme, the base of the current tab, and no highlight band.

#include "tests/controls/pagecontrol/SlantedFixture.h"

#include "platform/rtl/Exceptions.h"

#include <string>
#include <utility>

namespace pctest {
namespace {

using namespace pagecontrol;

class OneNoteTest : public SlantedTest {
protected:
    PagedTabControl* MakeOneNote()
    {
        PagedTabControl* control = MakePaged(400, 300);
        control->SetStyle(10);
        // All pages take the control's colour here.
        control->pages[1]->SetParentColor(true);
        driver.Pump();
        return control;
    }
};

TEST_F(OneNoteTest, TabsCannotBeRotated)
{
    PagedTabControl* control = MakeOneNote();
    try {
        control->SetRotate(true);
        ADD_FAILURE() << "no exception";
    } catch (const rtl::Exception& error) {
        EXPECT_EQ(error.Message(), "OneNote style does not support rotation of tabs");
    }
    EXPECT_FALSE(control->Rotate());
}

TEST_F(OneNoteTest, TheSlantIsLongerThanTheTabAndTheRowKeepsFourPixelsAtItsEnds)
{
    PagedTabControl* control = MakeOneNote();
    TclPCSlantedPainter& painter = SlantedOf(control);
    EXPECT_EQ(painter.SlantCut(), 37);
    EXPECT_EQ(painter.GetMinTabDecorationWidth(), 41);
    TclPCDistance margins;
    painter.GetTabContentMargins(0, margins);
    EXPECT_EQ(margins.dw, 37);
    EXPECT_EQ(margins.dh, 4);
    for (const auto& [index, left] : {std::pair{0, 4}, std::pair{1, 72}, std::pair{2, 140}}) {
        EXPECT_EQ(TabRect(control, index), (win::RECT{left, 0, left + 100, 35})) << index;
    }
    // The slant settings do not change the shape's spacing.
    control->TabSlants()->SetKind(skCutCorner);
    control->TabSlants()->SetPositions(0);
    driver.Pump();
    EXPECT_EQ(TabRect(control, 1).left, 72);
}

TEST_F(OneNoteTest, TheCurrentTabIsOutlinedInTheSchemeColoursAndMergesWithThePage)
{
    PagedTabControl* control = MakeOneNote();
    Paint(control);
    // Without a colour scheme the border is the shadow colour; a lighter line runs inside it.
    EXPECT_EQ(At(130, 0), Rgb(gui::clBtnShadow));
    EXPECT_EQ(At(130, 1), controls::uxOffice11MixColors(gui::clWhite, gui::clBtnFace, 60));
    EXPECT_EQ(At(72, 35), controls::uxOffice11MixColors(gui::clBtnShadow, gui::clBtnFace, 50));
    EXPECT_EQ(At(100, 35), Rgb(gui::clBtnFace));
    EXPECT_EQ(At(250, 35), Rgb(gui::clBtnShadow));
}

TEST_F(OneNoteTest, AHotTabIsOutlinedWithoutABand)
{
    PagedTabControl* control = MakeOneNote();
    control->SetHotTrack(true);
    driver.MouseMove(control->Handle(), 220, 20);
    driver.Pump();
    ASSERT_EQ(control->HotTab(), 2);
    Paint(control);
    // Outline and inner line in the hot colour (without a scheme it is the classic highlight's).
    EXPECT_EQ(At(220, 0), Rgb(clPCOneNoteColors(4)));
    EXPECT_EQ(At(220, 1), Rgb(clPCOneNoteColors(4)));
    for (int y = 2; y <= 3; ++y) {
        EXPECT_NE(At(220, y), Rgb(gui::clHighlight)) << y;
        EXPECT_NE(At(130, y), Rgb(gui::clHighlight)) << y;
    }
}

TEST_F(OneNoteTest, TheCurrentTabWhileHotShadesTowardsThePage)
{
    for (TclTabPosition position : {tpTop, tpBottom}) {
        PagedTabControl* control = MakeOneNote();
        control->SetTabPosition(position);
        control->SetHotTrack(true);
        const win::RECT tab = TabRect(control, 1);
        driver.MouseMove(control->Handle(), 130, (tab.top + tab.bottom) / 2);
        driver.Pump();
        ASSERT_EQ(control->HotTab(), 1);
        Paint(control);
        // Lightened by 20 % at the outer edge, the plain colour at the page.
        gui::TColor c1 = clPCBrightenColor(gui::clBtnFace, 20);
        gui::TColor c2 = Rgb(gui::clBtnFace);
        if (position == tpBottom) {
            std::swap(c1, c2);
        }
        for (int y : {10, 20, 30}) {
            EXPECT_PRED2(Near, At(130, tab.top + y), Between(c1, c2, y, 34)) << position << " " << y;
        }
        delete control;
    }
}

}  // namespace
}  // namespace pctest
