#include "platform/gdi/Brush.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/gui/graphics/Brush.h"
#include "platform/gui/graphics/Font.h"
#include "platform/gui/graphics/Pen.h"

#include "tests/platform/gui/graphics/GuiFixture.h"

namespace {

class GraphicsObjectsTest : public guitest::GuiTest {
public:
    void Count(classes::TObject*) { ++changes_; }

protected:
    int changes_ = 0;
};

// Size is the height in points at the font's resolution; a printer font of the same size is taller.
TEST_F(GraphicsObjectsTest, FontSizeAndHeightConvertAtTheFontsResolution)
{
    struct Case {
        int pixelsPerInch;
        int size;
        int height;
    };
    for (const Case c : {Case{96, 8, -11}, Case{96, 10, -13}, Case{96, 12, -16}, Case{300, 8, -33}, Case{300, 10, -42},
                         Case{600, 9, -75}}) {
        gui::TFont font;
        font.SetPixelsPerInch(c.pixelsPerInch);
        font.SetSize(c.size);
        EXPECT_EQ(font.Height(), c.height) << c.size << " pt at " << c.pixelsPerInch;
        EXPECT_EQ(font.Size(), c.size);
    }
}

// A handle given to an object becomes its own, with the description its record holds.
TEST_F(GraphicsObjectsTest, AGivenHandleBringsItsRecord)
{
    win::LOGFONT record;
    record.lfHeight = -20;
    record.lfWeight = win::FW_BOLD;
    record.lfItalic = 1;
    record.lfCharSet = win::GREEK_CHARSET;
    record.lfPitchAndFamily = win::FIXED_PITCH | win::FF_MODERN;
    record.lfFaceName = "Courier New";
    gui::TFont font;
    win::HFONT fontHandle = win::CreateFontIndirect(&record);
    font.SetHandle(fontHandle);
    EXPECT_EQ(font.Handle(), fontHandle);
    EXPECT_EQ(font.Height(), -20);
    EXPECT_EQ(font.Style(), (1 << gui::fsBold) | (1 << gui::fsItalic));
    EXPECT_EQ(font.Charset(), win::GREEK_CHARSET);
    EXPECT_EQ(font.Pitch(), gui::fpFixed);
    EXPECT_EQ(font.Name(), "Courier New");

    gui::TPen pen;
    win::HPEN penHandle = win::CreatePen(win::PS_DASHDOT, 1, win::RGB(10, 20, 30));
    pen.SetHandle(penHandle);
    EXPECT_EQ(pen.Handle(), penHandle);
    EXPECT_EQ(pen.Style(), gui::psDashDot);
    EXPECT_EQ(pen.Color(), static_cast<gui::TColor>(win::RGB(10, 20, 30)));

    gui::TBrush brush;
    win::HBRUSH brushHandle = win::CreateHatchBrush(win::HS_BDIAGONAL, win::RGB(1, 2, 3));
    brush.SetHandle(brushHandle);
    EXPECT_EQ(brush.Handle(), brushHandle);
    EXPECT_EQ(brush.Style(), gui::bsBDiagonal);
    EXPECT_EQ(brush.Color(), static_cast<gui::TColor>(win::RGB(1, 2, 3)));
}

// The handles an object makes carry its description.
TEST_F(GraphicsObjectsTest, MadeHandlesCarryTheDescription)
{
    gui::TPen pen;
    pen.SetStyle(gui::psInsideFrame);
    pen.SetWidth(3);
    pen.SetColor(gui::clBtnShadow);
    win::LOGPEN penRecord;
    ASSERT_EQ(win::GetObject(pen.Handle(), sizeof penRecord, &penRecord), int(sizeof penRecord));
    EXPECT_EQ(penRecord.lopnStyle, win::UINT(win::PS_INSIDEFRAME));
    EXPECT_EQ(penRecord.lopnWidth.x, 3);
    EXPECT_EQ(penRecord.lopnColor, win::GetSysColor(win::COLOR_BTNSHADOW));

    gui::TBrush brush;
    brush.SetStyle(gui::bsClear);
    win::LOGBRUSH clear;
    ASSERT_EQ(win::GetObject(brush.Handle(), sizeof clear, &clear), int(sizeof clear));
    EXPECT_EQ(clear.lbStyle, win::BS_HOLLOW);
    brush.SetColor(gui::clTeal);  // a colour makes a clear brush solid
    EXPECT_EQ(brush.Style(), gui::bsSolid);
    win::LOGBRUSH solid;
    ASSERT_EQ(win::GetObject(brush.Handle(), sizeof solid, &solid), int(sizeof solid));
    EXPECT_EQ(solid.lbStyle, win::BS_SOLID);
    EXPECT_EQ(solid.lbColor, win::RGB(0, 0x80, 0x80));
}

TEST_F(GraphicsObjectsTest, AssignCopiesTheDescriptionAndTellsTheOwner)
{
    gui::TFont source;
    source.SetName("Arial");
    source.SetSize(14);
    source.SetStyle(1 << gui::fsUnderline);
    source.SetColor(gui::clRed);
    gui::TFont printerFont;
    printerFont.SetPixelsPerInch(300);
    printerFont.OnChange = classes::TNotifyEvent::Of<&GraphicsObjectsTest::Count>(this);
    printerFont.Assign(&source);
    EXPECT_EQ(printerFont.Name(), "Arial");
    EXPECT_EQ(printerFont.Size(), 14);  // the size is kept, the height follows the resolution
    EXPECT_EQ(printerFont.Height(), -58);
    EXPECT_EQ(printerFont.Color(), gui::clRed);
    EXPECT_EQ(printerFont.Style(), 1 << gui::fsUnderline);
    EXPECT_EQ(changes_, 1);

    gui::TPen pen;
    EXPECT_THROW(pen.Assign(&source), rtl::EConvertError);
}

}  // namespace
