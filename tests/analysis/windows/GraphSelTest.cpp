// The graph-style chooser read from the program's resources and driven modally on the virtual clock.

#include "analysis/Globals.h"
#include "analysis/windows/GraphSel.h"

#include "platform/gui/controls/BitBtn.h"
#include "platform/gui/controls/Image.h"
#include "platform/gui/controls/Label.h"
#include "platform/gui/controls/Shape.h"
#include "platform/gui/core/Application.h"
#include "platform/gui/graphics/Bitmap.h"
#include "platform/gui/graphics/Canvas.h"
#include "platform/rtl/Clock.h"
#include "platform/win/testing/TestDriver.h"
#include "tests/support/GuiLibraries.h"
#include "tools/rescomp/ProgramResources.h"
#include "translation/Translation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

using analysis::TGRSEL;

class GraphSelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::StartGuiLibraries();
        resources::initialize();
        translation::initialize();
        driver.SetMessageLoop([] { return gui::Application()->ProcessMessage(); });
        analysis::ChartStyle = 5;
        chooser = new TGRSEL(gui::Application());
    }
    void TearDown() override
    {
        EXPECT_TRUE(driver.Stalls().empty());
        delete chooser;
        translation::finalize();
        resources::finalize();
        testsupport::EndGuiLibraries();
    }

    // The styles whose frames are shown.
    std::vector<int> Framed() const
    {
        std::vector<int> styles;
        for (int style = 1; style <= 6; ++style)
            if (chooser->Frame(style)->Visible())
                styles.push_back(style);
        return styles;
    }

    // Runs action at the next idle moment of the loop running then.
    void Then(std::function<void()> action)
    {
        next += 50;
        driver.At(next, std::move(action));
    }

    void ClickPicture(int style)
    {
        gui::TImage* picture = chooser->Picture(style);
        driver.Click(chooser->Handle(), win::TestDriver::Button::Left, picture->Left() + 45, picture->Top() + 40);
    }

    rtl::VirtualClock clock{0.0, 10000};
    rtl::ScopedClock installed{clock};
    win::TestDriver driver{clock};
    TGRSEL* chooser = nullptr;
    std::uint64_t next = clock.TickCount64();
};

TEST_F(GraphSelTest, TheWindowIsAsDesigned)
{
    EXPECT_EQ(chooser->Caption(), "Rududo Dedaridod Graph Type");
    EXPECT_EQ(chooser->ClientWidth(), 360);
    EXPECT_EQ(chooser->ClientHeight(), 283);
    EXPECT_EQ(chooser->BorderStyle(), gui::bsDialog);
    EXPECT_EQ(chooser->Position(), gui::poMainFormCenter);
    EXPECT_EQ(chooser->Font()->Name(), "Arial");
    EXPECT_EQ(chooser->Font()->Size(), 8);
    EXPECT_EQ(chooser->Label1->Caption(), "Select Graph Type");
    EXPECT_EQ(chooser->close_button->Caption(), "&Close");
    EXPECT_TRUE(chooser->close_button->Cancel());

    struct Case {
        int style;
        const char* name;
        win::POINT picture;
        const char* hint;
        win::POINT frame;
    };
    const Case cases[] = {
        {1, "Image1", {29, 23}, "Select Area Graph", {26, 19}},
        {2, "Image2", {133, 23}, "Select Line Graph", {130, 19}},
        {3, "Image5", {238, 23}, "Select Horizontal Graph", {234, 19}},
        {4, "Image4", {29, 119}, "Select Point Graph", {26, 114}},
        {5, "Image3", {133, 119}, "Select Bar Graph", {130, 114}},
        {6, "Image7", {238, 119}, "Select Fast Line Graph", {234, 114}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const gui::TImage* picture = chooser->Picture(c.style);
        EXPECT_EQ(picture->Name(), c.name);
        EXPECT_EQ(picture->BoundsRect(), (win::RECT{c.picture.x, c.picture.y, c.picture.x + 90, c.picture.y + 79}));
        EXPECT_EQ(picture->Hint(), c.hint);
        EXPECT_TRUE(picture->ShowHint());
        EXPECT_EQ(picture->Cursor(), gui::crHandPoint);
        const gui::TShape* frame = chooser->Frame(c.style);
        EXPECT_EQ(frame->Name(), "Shape" + std::to_string(c.style));
        EXPECT_EQ(frame->BoundsRect(), (win::RECT{c.frame.x, c.frame.y, c.frame.x + 98, c.frame.y + 89}));
        EXPECT_EQ(frame->Brush()->Style(), gui::bsClear);
        // The frame lies around its picture.
        EXPECT_TRUE(frame->Left() < picture->Left() && frame->Top() < picture->Top() &&
                    frame->Left() + frame->Width() > picture->Left() + picture->Width() &&
                    frame->Top() + frame->Height() > picture->Top() + picture->Height());
    }
}

// A picture's click chooses its style and the dialog stays open; Close and Escape end it with the style
// last chosen.
TEST_F(GraphSelTest, APictureChoosesItsStyleUntilTheDialogIsClosed)
{
    struct Case {
        const char* closedBy;
        std::function<void()> close;
    };
    const Case cases[] = {
        {"the Close button",
         [&] {
             gui::TBitBtn* button = chooser->close_button;
             driver.Click(button->Handle(), win::TestDriver::Button::Left, 5, 5);
         }},
        {"Escape", [&] { driver.PressKey(win::VK_ESCAPE); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.closedBy);
        analysis::ChartStyle = 5;
        std::vector<int> framedWhenShown;
        std::vector<int> framedAfterImage4;
        int styleAfterImage4 = 0;
        Then([&] { framedWhenShown = Framed(); });
        Then([&] { ClickPicture(4); });
        Then([&] {
            framedAfterImage4 = Framed();
            styleAfterImage4 = analysis::ChartStyle;
            ClickPicture(1);
        });
        Then([&] { ClickPicture(4); });
        Then(c.close);
        chooser->ShowModal();
        EXPECT_FALSE(chooser->Visible());
        EXPECT_EQ(framedWhenShown, std::vector<int>{5});
        EXPECT_EQ(styleAfterImage4, 4);
        EXPECT_EQ(framedAfterImage4, std::vector<int>{4});
        EXPECT_EQ(analysis::ChartStyle, 4);
    }
}

TEST_F(GraphSelTest, EveryPictureSetsItsOwnStyle)
{
    std::vector<int> chosen;
    std::vector<std::vector<int>> framed;
    for (int style : {3, 6, 2, 5, 1, 4}) {
        Then([this, style] { ClickPicture(style); });
        Then([&] {
            chosen.push_back(analysis::ChartStyle);
            framed.push_back(Framed());
        });
    }
    Then([&] { chooser->close_button->Click(); });
    chooser->ShowModal();
    EXPECT_EQ(chosen, (std::vector<int>{3, 6, 2, 5, 1, 4}));
    EXPECT_EQ(framed, (std::vector<std::vector<int>>{{3}, {6}, {2}, {5}, {1}, {4}}));
}

TEST_F(GraphSelTest, OpenedAndClosedUntouchedItChangesNothing)
{
    struct Case {
        int style;
        std::vector<int> framed;
    };
    const Case cases[] = {{5, {5}}, {2, {2}}, {0, {}}, {7, {}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        analysis::ChartStyle = c.style;
        std::vector<int> framed{-1};
        Then([&] { framed = Framed(); });
        Then([&] { driver.PressKey(win::VK_ESCAPE); });
        chooser->ShowModal();
        EXPECT_EQ(analysis::ChartStyle, c.style);
        EXPECT_EQ(framed, c.framed);
    }
}

// The pictures were drawn by the chart component from the estimate: each is a 90 x 79 bitmap whose
// curves (the pixels in colour, not white, black or grey) reach across at least half of it both ways,
// which a graph of zero costs lying along one axis does not; and no two pictures are alike.
TEST_F(GraphSelTest, TheSixStoredPicturesAre90By79AndPairwiseDifferent)
{
    std::vector<std::vector<gui::TColor>> pixels;
    for (int style = 1; style <= 6; ++style) {
        SCOPED_TRACE(style);
        auto* bitmap = dynamic_cast<gui::TBitmap*>(chooser->Picture(style)->Picture()->Graphic());
        ASSERT_NE(bitmap, nullptr);
        ASSERT_EQ(bitmap->Width(), 90);
        ASSERT_EQ(bitmap->Height(), 79);
        std::vector<gui::TColor> picture;
        win::RECT coloured{90, 79, -1, -1};
        for (int y = 0; y < 79; ++y) {
            for (int x = 0; x < 90; ++x) {
                const gui::TColor colour = bitmap->Canvas()->Pixels(x, y);
                picture.push_back(colour);
                const int red = colour & 0xFF, green = (colour >> 8) & 0xFF, blue = (colour >> 16) & 0xFF;
                if (red != green || green != blue)
                    coloured = {std::min(coloured.left, x), std::min(coloured.top, y), std::max(coloured.right, x),
                                std::max(coloured.bottom, y)};
            }
        }
        EXPECT_GE(coloured.right - coloured.left, 45);
        EXPECT_GE(coloured.bottom - coloured.top, 40);
        for (std::size_t other = 0; other < pixels.size(); ++other)
            EXPECT_NE(pixels[other], picture) << "style " << other + 1;
        pixels.push_back(std::move(picture));
    }
}

}  // namespace
