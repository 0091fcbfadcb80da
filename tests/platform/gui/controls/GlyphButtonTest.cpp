// Bitmap and speed buttons: where the glyph and caption land for each layout, margin and spacing
// (pixels), the transparent colour, the embossed disabled glyph, the kinds, speed-button groups, clicks on
// release, the flat look while hot, and their stored data with the errors bad data gets.

#include "platform/gui/controls/BitBtn.h"
#include "platform/gui/controls/Button.h"
#include "platform/gui/controls/SpeedButton.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/Window.h"
#include "platform/wintypes/ControlMessages.h"

#include "tests/platform/gui/core/ControlsFixture.h"
#include "tests/platform/gui/core/DrawingChecks.h"
#include "tests/platform/gui/graphics/GraphicsHolder.h"

namespace guitest {
namespace {

// A glyph of count 16 x 16 images: image i filled with colours[i], the bottom-left pixel olive
// (the transparent colour).
void PaintGlyph(gui::TBitmap* glyph, std::vector<gui::TColor> colours)
{
    const int count = int(colours.size());
    glyph->SetSize(16 * count, 16);
    for (int i = 0; i < count; ++i) {
        glyph->Canvas()->Brush()->SetColor(colours[std::size_t(i)]);
        glyph->Canvas()->FillRect({16 * i, 0, 16 * (i + 1), 16});
    }
    glyph->Canvas()->SetPixels(0, 15, gui::clOlive);
}

constexpr win::COLORREF kNoColour = 0xFFFFFFFF;

struct Box {
    int left = -1, top = -1, right = -1, bottom = -1;  // inclusive; -1: nothing found
};

struct GlyphClicks {
    std::vector<std::string> log;
    void Click(classes::TObject* sender) { log.push_back(static_cast<classes::TComponent*>(sender)->Name()); }
};

class GlyphButtonTest : public ControlsTest {
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        form = MakeForm(400, 300);
    }
    // The pixels of colour inside (x0, y0) .. (x1, y1) of a window, as a box; with a second colour, the
    // pixels of neither colour (text, which is smoothed).
    Box Find(win::HWND hwnd, int x0, int y0, int x1, int y1, win::COLORREF colour, win::COLORREF other = kNoColour)
    {
        Box box;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                const win::COLORREF pixel = win::TestDriver::PixelAt(hwnd, x, y);
                if (other == kNoColour ? pixel == colour : pixel != colour && pixel != other) {
                    box.left = box.left < 0 ? x : std::min(box.left, x);
                    box.top = box.top < 0 ? y : box.top;
                    box.right = std::max(box.right, x);
                    box.bottom = y;
                }
            }
        }
        return box;
    }

    gui::TForm* form = nullptr;
    GlyphClicks clicks;
};

struct LayoutCase {
    gui::TButtonLayout layout;
    int margin;
    int spacing;
};

TEST_F(GlyphButtonTest, ABitBtnsGlyphAndCaptionLieWhereLayoutMarginAndSpacingPutThem)
{
    auto* other = Make<gui::TButton>(form, "Other", 200, 200);
    auto* button = Make<gui::TBitBtn>(form, "Go", 10, 10, 120, 40);
    button->SetCaption("Go");
    PaintGlyph(button->Glyph(), {gui::clRed});
    form->Show();
    driver.Pump();
    other->SetFocus();
    driver.Pump();
    const win::SIZE text = MeasureText(form->Font(), "Go");
    const int glyphTop = (40 - 16 + 1) / 2;
    const int glyphLeftCentred = (120 - 16 + 1) / 2;
    const int textTop = (40 - text.cy + 1) / 2;
    struct Expected {
        int glyphLeft, glyphTop, textLeft, textTop;
    };
    const std::vector<std::pair<LayoutCase, Expected>> cases{
        {{gui::blGlyphLeft, 4, 4}, {4, glyphTop, 24, textTop}},
        {{gui::blGlyphRight, 4, 6}, {100, glyphTop, 94 - text.cx, textTop}},
        {{gui::blGlyphTop, 3, 2}, {glyphLeftCentred, 3, (120 - text.cx + 1) / 2, 21}},
        {{gui::blGlyphBottom, 3, 2}, {glyphLeftCentred, 21, (120 - text.cx + 1) / 2, 21 - 2 - text.cy}},
        {{gui::blGlyphLeft, -1, 4}, {(120 - 20 - text.cx) / 2, glyphTop, (120 - 20 - text.cx) / 2 + 20, textTop}},
        {{gui::blGlyphLeft, -1, -1}, {(120 - 16 - text.cx) / 3, glyphTop, 2 * ((120 - 16 - text.cx) / 3) + 16, textTop}},
    };
    for (const auto& [c, expected] : cases) {
        button->SetLayout(c.layout);
        button->SetMargin(c.margin);
        button->SetSpacing(c.spacing);
        driver.Pump();
        const std::string name = std::to_string(int(c.layout)) + "/" + std::to_string(c.margin) + "/" +
                                 std::to_string(c.spacing);
        const Box glyph = Find(button->Handle(), 0, 0, 120, 40, Rgb(gui::clRed));
        EXPECT_EQ(glyph.left, expected.glyphLeft) << name;
        EXPECT_EQ(glyph.top, expected.glyphTop) << name;
        EXPECT_EQ(glyph.right, expected.glyphLeft + 15) << name;
        EXPECT_EQ(glyph.bottom, expected.glyphTop + 15) << name;
        EXPECT_EQ(win::TestDriver::PixelAt(button->Handle(), expected.glyphLeft, expected.glyphTop + 15),
                  Rgb(gui::clBtnFace))
            << "the bottom-left colour is transparent: " << name;
        const Box ink = Find(button->Handle(), 3, 3, 117, 37, Rgb(gui::clBtnFace), Rgb(gui::clRed));
        ASSERT_GE(ink.left, 0) << name;
        EXPECT_GE(ink.left, expected.textLeft) << name;
        EXPECT_LE(ink.left, expected.textLeft + 2) << name;
        EXPECT_LE(ink.right, expected.textLeft + text.cx) << name;
        EXPECT_GE(ink.top, expected.textTop) << name;
        EXPECT_LE(ink.bottom, expected.textTop + text.cy) << name;
    }
}

TEST_F(GlyphButtonTest, ADisabledGlyphIsEmbossedBelowTwoImagesAndTheSecondImageOtherwise)
{
    auto* button = Make<gui::TBitBtn>(form, "Go", 10, 10, 60, 30);
    button->SetMargin(4);
    PaintGlyph(button->Glyph(), {gui::clRed});
    button->SetEnabled(false);
    form->Show();
    driver.Pump();
    const int top = (30 - 16 + 1) / 2;
    EXPECT_EQ(Find(button->Handle(), 0, 0, 60, 30, Rgb(gui::clRed)).left, -1) << "no colour of the up image";
    const Box shadow = Find(button->Handle(), 3, 3, 57, 27, Rgb(gui::clBtnShadow));
    EXPECT_EQ(shadow.left, 4);
    EXPECT_EQ(shadow.top, top);
    EXPECT_EQ(shadow.right, 19);
    EXPECT_EQ(win::TestDriver::PixelAt(button->Handle(), 20, top + 1), Rgb(gui::clBtnHighlight))
        << "the highlight copy one pixel down and right";
    EXPECT_EQ(win::TestDriver::PixelAt(button->Handle(), 4, top + 15), Rgb(gui::clBtnFace)) << "transparent stays";

    PaintGlyph(button->Glyph(), {gui::clRed, gui::clBlue});
    button->SetNumGlyphs(2);
    driver.Pump();
    const Box blue = Find(button->Handle(), 0, 0, 60, 30, Rgb(gui::clBlue));
    EXPECT_EQ(blue.left, 4);
    EXPECT_EQ(blue.right, 19);
    EXPECT_EQ(Find(button->Handle(), 3, 3, 57, 27, Rgb(gui::clBtnShadow)).left, -1);
    EXPECT_THROW(button->SetNumGlyphs(5), rtl::EInvalidArgument);
}

TEST_F(GlyphButtonTest, AKindGivesCaptionResultAndRoleAndCloseClosesTheForm)
{
    auto* ok = Make<gui::TBitBtn>(form, "Ok", 10, 10, 75, 25);
    ok->SetKind(gui::bkOK);
    EXPECT_EQ(ok->Caption(), "OK");
    EXPECT_EQ(ok->ModalResult(), gui::mrOk);
    EXPECT_TRUE(ok->Default());
    auto* cancel = Make<gui::TBitBtn>(form, "No", 10, 40, 75, 25);
    cancel->SetKind(gui::bkNo);
    EXPECT_EQ(cancel->Caption(), "&No");
    EXPECT_TRUE(cancel->Cancel());
    EXPECT_EQ(cancel->ModalResult(), gui::mrNo);
    auto* close = Make<gui::TBitBtn>(form, "Close", 10, 70, 75, 25);
    close->SetKind(gui::bkClose);
    EXPECT_EQ(close->Caption(), "&Close");
    form->Show();
    driver.Pump();
    ASSERT_TRUE(form->Visible());
    // Enter clicks the default bitmap button, which is owner-drawn and keeps its look.
    EXPECT_EQ(win::GetWindowLongPtr(ok->Handle(), win::GWL_STYLE) & 0xF, win::BS_OWNERDRAW);
    driver.Click(close->Handle(), win::TestDriver::Button::Left, 5, 5);
    driver.Pump();
    EXPECT_FALSE(form->Visible());
}

TEST_F(GlyphButtonTest, SpeedButtonsOfAGroupAreExclusiveAndClickOnRelease)
{
    std::vector<gui::TSpeedButton*> buttons;
    for (int i = 0; i < 3; ++i) {
        auto* button = new gui::TSpeedButton(form);
        button->SetName("Style" + std::to_string(i + 1));
        button->SetBounds(10 + 30 * i, 10, 25, 25);
        button->SetGroupIndex(1);
        button->SetParent(form);
        button->OnClick = classes::TNotifyEvent::Of<&GlyphClicks::Click>(&clicks);
        buttons.push_back(button);
    }
    form->Show();
    driver.Pump();
    auto press = [&](int i) { driver.MouseDown(form->Handle(), win::TestDriver::Button::Left, 20 + 30 * i, 20); };
    auto release = [&](int i, int dx = 0) {
        driver.MouseUp(form->Handle(), win::TestDriver::Button::Left, 20 + 30 * i + dx, 20);
        driver.Pump();
    };
    press(0);
    driver.Pump();
    EXPECT_TRUE(clicks.log.empty()) << "nothing before the release";
    release(0);
    EXPECT_EQ(clicks.log, std::vector<std::string>{"Style1"});
    EXPECT_TRUE(buttons[0]->Down());
    press(1);
    release(1);
    EXPECT_TRUE(buttons[1]->Down());
    EXPECT_FALSE(buttons[0]->Down());
    press(1);
    release(1);
    EXPECT_TRUE(buttons[1]->Down()) << "without AllowAllUp one stays down";
    buttons[2]->SetAllowAllUp(true);
    EXPECT_TRUE(buttons[0]->AllowAllUp()) << "the group shares AllowAllUp";
    press(1);
    release(1);
    EXPECT_FALSE(buttons[1]->Down());
    // Released away from it: no click, no change.
    clicks.log.clear();
    press(2);
    release(2, 100);
    EXPECT_TRUE(clicks.log.empty());
    EXPECT_FALSE(buttons[2]->Down());
    buttons[0]->SetDown(true);
    buttons[2]->SetDown(true);
    EXPECT_FALSE(buttons[0]->Down());
    EXPECT_TRUE(clicks.log.empty()) << "Down from code does not click";
}

TEST_F(GlyphButtonTest, AFlatSpeedButtonShowsItsEdgeOnlyWhileTheMouseIsOverIt)
{
    form->SetColor(gui::clBtnFace);
    auto* button = new gui::TSpeedButton(form);
    button->SetName("Open");
    button->SetBounds(40, 40, 25, 25);
    button->SetFlat(true);
    button->SetParent(form);
    PaintGlyph(button->Glyph(), {gui::clRed});
    form->Show();
    driver.Pump();
    EXPECT_EQ(win::TestDriver::PixelAt(form->Handle(), 40, 40), Rgb(gui::clBtnFace));
    driver.MouseMove(form->Handle(), 50, 50);
    driver.Pump();
    EXPECT_EQ(win::TestDriver::PixelAt(form->Handle(), 40, 40), Rgb(gui::clBtnHighlight));
    EXPECT_EQ(win::TestDriver::PixelAt(form->Handle(), 64, 64), Rgb(gui::clBtnShadow));
    const Box glyph = Find(form->Handle(), 40, 40, 65, 65, Rgb(gui::clRed));
    EXPECT_EQ(glyph.left, 40 + (25 - 16) / 2) << "no caption: the glyph centred";
    driver.MouseMove(form->Handle(), 200, 200);
    driver.Pump();
    EXPECT_EQ(win::TestDriver::PixelAt(form->Handle(), 40, 40), Rgb(gui::clBtnFace));
}

TEST_F(GlyphButtonTest, GlyphButtonsAreStoredWithTheirGlyphsAndBadDataIsTheReadersError)
{
    auto* button = Make<gui::TBitBtn>(form, "Accept", 10, 10, 75, 25);
    button->SetKind(gui::bkOK);
    button->SetCaption("&Accept");
    PaintGlyph(button->Glyph(), {gui::clRed, gui::clBlue});
    button->SetNumGlyphs(2);
    button->SetLayout(gui::blGlyphTop);
    button->SetMargin(2);
    button->SetSpacing(1);
    button->SetStyle(gui::bsNew);
    auto* speed = new gui::TSpeedButton(form);
    speed->SetName("Bold");
    speed->SetParent(form);
    speed->SetGroupIndex(3);
    speed->SetAllowAllUp(true);
    speed->SetDown(true);
    speed->SetFlat(true);
    speed->SetTransparent(false);
    speed->SetCaption("B");
    speed->SetLayout(gui::blGlyphRight);
    const std::string written = TextOf(*form);
    std::unique_ptr<classes::TComponent> again(ReadText(written, nullptr));
    EXPECT_EQ(TextOf(*again), written);
    auto* read = dynamic_cast<gui::TBitBtn*>(again->FindComponent("Accept"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->Caption(), "&Accept") << "the kind does not overwrite the stored caption";
    EXPECT_EQ(read->Kind(), gui::bkOK);
    EXPECT_EQ(read->Glyph()->Width(), 32);
    EXPECT_EQ(read->Glyph()->Canvas()->Pixels(20, 3), gui::clBlue);
    EXPECT_TRUE(dynamic_cast<gui::TSpeedButton*>(again->FindComponent("Bold"))->Down());

    struct Case {
        std::string from;
        std::string to;
        const char* property;
    };
    const std::size_t glyph = written.find("Glyph.Data = {");
    ASSERT_NE(glyph, std::string::npos);
    const std::size_t end = written.find('}', glyph);
    for (const Case& c : {Case{"NumGlyphs = 2", "NumGlyphs = 5", "NumGlyphs"}, Case{"Kind = bkOK", "Kind = bkMaybe", "Kind"},
                          Case{written.substr(glyph, end + 1 - glyph), "Glyph.Data = {0800000041424344}", "Glyph"}}) {
        std::string text = written;
        text.replace(text.find(c.from), c.from.size(), c.to);
        try {
            std::unique_ptr<classes::TComponent> root(ReadText(text, nullptr));
            ADD_FAILURE() << c.to << " read";
        } catch (const rtl::Exception& e) {
            EXPECT_NE(e.Message().find(c.property), std::string::npos) << e.Message();
            EXPECT_NE(e.Message().find("Accept"), std::string::npos) << e.Message();
        }
    }
}

}  // namespace
}  // namespace guitest
