#include "platform/gui/graphics/Bitmap.h"
#include "platform/gui/graphics/Metafile.h"
#include "platform/metafile/EnhMetaFile.h"
#include "platform/metafile/WmfReader.h"

#include "tests/platform/gui/graphics/GraphicsHolder.h"
#include "tests/platform/gui/graphics/GuiFixture.h"
#include "tests/platform/gui/graphics/GuiTestSupport.h"
#include "tests/support/ScratchFolder.h"

namespace {

using guitest::Surface;

class MetafileTest : public guitest::GuiTest {};

constexpr win::COLORREF kMetafileGround = win::RGB(0xEE, 0xDD, 0xCC);

// A drawing recorded on a metafile canvas of 80 x 40 screen pixels.
void Record(gui::TMetafile& metafile)
{
    metafile.SetWidth(80);
    metafile.SetHeight(40);
    gui::TMetafileCanvas canvas(&metafile, nullptr);
    canvas.Brush()->SetColor(gui::clRed);
    canvas.Rectangle(0, 0, 40, 20);
    canvas.Pen()->SetColor(gui::clBlue);
    canvas.Pen()->SetWidth(3);
    canvas.MoveTo(0, 39);
    canvas.LineTo(79, 0);
    canvas.Brush()->SetColor(gui::clYellow);
    canvas.Ellipse(50, 10, 78, 38);
}

// Stretched into a rectangle, a metafile is what PlayEnhMetaFile plays into it.
TEST_F(MetafileTest, StretchDrawPlaysTheMetafileIntoTheRectangle)
{
    gui::TMetafile metafile;
    Record(metafile);
    ASSERT_FALSE(metafile.Empty());
    EXPECT_EQ(metafile.Width(), 80);
    EXPECT_EQ(metafile.Height(), 40);
    EXPECT_EQ(metafile.MMWidth(), win::MulDiv(80, 2540, 96));

    struct Case {
        const char* name;
        win::RECT rect;
    };
    for (const Case& c : {Case{"own size", {5, 5, 85, 45}}, Case{"stretched", {0, 2, 150, 57}},
                          Case{"shrunk", {10, 10, 50, 30}}}) {
        SCOPED_TRACE(c.name);
        Surface drawn(160, 60, kMetafileGround);
        gui::TCanvas canvas;
        canvas.SetHandle(drawn.DC());
        canvas.StretchDraw(c.rect, &metafile);
        canvas.SetHandle(nullptr);
        Surface reference(160, 60, kMetafileGround);
        ASSERT_TRUE(win::PlayEnhMetaFile(reference.DC(), metafile.Handle(), &c.rect));
        std::string where;
        EXPECT_EQ(drawn.Differences(reference, &where), 0) << where;
        EXPECT_GT(drawn.Painted(kMetafileGround), 200);
    }
}

// Files keep their form: an enhanced metafile writes back its bytes, a placeable one too while it is
// not enhanced; a recorded drawing is saved enhanced even under a ".wmf" name.
TEST_F(MetafileTest, FilesKeepTheirFormAndRecordedDrawingsAreSavedEnhanced)
{
    const std::string emf = guitest::ReadFixture("../fuzz/corpus/emf/shapes.emf");
    gui::TMetafile enhanced;
    enhanced.LoadFromFile(guitest::FixturePath("../fuzz/corpus/emf/shapes.emf"));
    EXPECT_TRUE(enhanced.Enhanced());
    EXPECT_EQ(guitest::SavedBytes(enhanced), emf);
    win::ENHMETAHEADER header;
    win::GetEnhMetaFileHeader(enhanced.Handle(), sizeof header, &header);
    EXPECT_EQ(enhanced.MMWidth(), header.rclFrame.right - header.rclFrame.left);

    const std::string wmf = guitest::ReadFixture("../fuzz/corpus/wmf/polygon-dib.wmf");
    const win::WindowsMetafile placeable = win::ReadWindowsMetafile(wmf);
    gui::TMetafile windows;
    windows.LoadFromFile(guitest::FixturePath("../fuzz/corpus/wmf/polygon-dib.wmf"));
    EXPECT_FALSE(windows.Enhanced());
    EXPECT_EQ(windows.Inch(), placeable.unitsPerInch);
    EXPECT_EQ(windows.MMWidth(), win::MulDiv(win::Width(placeable.bounds), 2540, placeable.unitsPerInch));
    EXPECT_EQ(guitest::SavedBytes(windows), wmf);
    windows.SetEnhanced(true);
    EXPECT_EQ(guitest::SavedBytes(windows), win::EnhMetaFileBytes(windows.Handle()));

    testsupport::ScratchFolder folder;
    gui::TMetafile recorded;
    Record(recorded);
    recorded.SaveToFile(folder.Path("QANTO_EE1.WMF"));
    const std::string saved = folder.ReadFile("QANTO_EE1.WMF");
    EXPECT_EQ(saved, win::EnhMetaFileBytes(recorded.Handle()));
    gui::TMetafile reloaded;
    reloaded.LoadFromFile(folder.Path("QANTO_EE1.WMF"));
    EXPECT_EQ(reloaded.Width(), 80);
}

// Stored data: a length that counts itself, then the metafile; a damaged one is refused and the
// property keeps its drawing.
TEST_F(MetafileTest, StoredMetafilesCountTheirLengthAndDamagedOnesAreRefused)
{
    classes::RegisterClass(guitest::TGraphicsHolder::StaticClass());
    guitest::TGraphicsHolder holder(nullptr);
    holder.SetName("Holder");
    holder.Metafile()->LoadFromFile(guitest::FixturePath("../fuzz/corpus/emf/shapes.emf"));
    const std::string emf = guitest::ReadFixture("../fuzz/corpus/emf/shapes.emf");
    const std::string text = guitest::TextOf(holder);
    const std::uint32_t length = std::uint32_t(emf.size() + 4);
    const std::string start = guitest::Hex(std::string(reinterpret_cast<const char*>(&length), 4)) +
                              guitest::Hex(emf.substr(0, 10));
    EXPECT_NE(text.find("Metafile.Data = {\n    " + start), std::string::npos) << text.substr(0, 300);

    guitest::TGraphicsHolder read(nullptr);
    guitest::ReadText(text, &read);
    EXPECT_EQ(guitest::SavedBytes(*read.Metafile()), emf);

    std::string broken = emf;
    broken[40] = 'X';  // the signature
    const std::string damaged = "object Holder: TGraphicsHolder\n  Metafile.Data = {\n    " +
                                guitest::Hex(std::string(reinterpret_cast<const char*>(&length), 4)) +
                                guitest::Hex(broken) + "}\nend\n";
    try {
        guitest::ReadText(damaged, &read);
        ADD_FAILURE() << "read";
    } catch (const rtl::EReadError& e) {
        EXPECT_EQ(e.Message(), "Error reading Holder.Metafile.Data: Metafile is not valid");
    }
    EXPECT_EQ(guitest::SavedBytes(*read.Metafile()), emf);
    classes::UnRegisterClass(guitest::TGraphicsHolder::StaticClass());
}

}  // namespace
