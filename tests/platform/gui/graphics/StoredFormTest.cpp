// A window's stored data with pictures of every kind and an image list reads without a display and writes
// back the same text, each picture byte for byte. (tests/fixtures/forms/Graphics.form was written by this
// library from the picture fixtures it names below.)

#include "platform/gui/graphics/ImageList.h"
#include "platform/gui/graphics/Metafile.h"

#include "tests/platform/gui/graphics/GraphicsHolder.h"
#include "tests/platform/gui/graphics/GuiFixture.h"
#include "tests/platform/gui/graphics/GuiTestSupport.h"
#include "tests/support/ScratchFolder.h"

#include <cstdio>

namespace {

class StoredFormTest : public guitest::GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        classes::RegisterClass(guitest::TGraphicsHolder::StaticClass());
    }
};

TEST_F(StoredFormTest, AFormWithPicturesAndAnImageListReadsAndWritesBackTheSameText)
{
    const std::string text = guitest::ReadFixture("forms/Graphics.form");
    std::unique_ptr<classes::TComponent> root(guitest::ReadText(text, nullptr));
    auto* form = dynamic_cast<guitest::TGraphicsHolder*>(root.get());
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(guitest::TextOf(*form), text);

    auto* logo = dynamic_cast<guitest::TGraphicsHolder*>(form->FindComponent("Logo"));
    auto* chart = dynamic_cast<guitest::TGraphicsHolder*>(form->FindComponent("Chart"));
    auto* images = dynamic_cast<gui::TImageList*>(form->FindComponent("Images"));
    ASSERT_TRUE(logo && chart && images);
    struct Case {
        const char* name;
        gui::TGraphic* graphic;
        const char* fixture;
    };
    const Case cases[] = {
        {"Logo.Picture", logo->Picture()->Graphic(), "pictures/rgb24.bmp"},
        {"Logo.Glyph", logo->Glyph(), "pictures/palette4.bmp"},
        {"Logo.Icon", logo->Icon(), "pictures/two-sizes.ico"},
        {"Logo.Metafile", logo->Metafile(), "../fuzz/corpus/emf/shapes.emf"},
        {"Chart.Picture", chart->Picture()->Graphic(), "../fuzz/corpus/wmf/polygon-dib.wmf"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NE(c.graphic, nullptr);
        EXPECT_EQ(guitest::SavedBytes(*c.graphic), guitest::ReadFixture(c.fixture));
    }
    EXPECT_EQ(&chart->Picture()->Graphic()->ClassType(), &gui::TMetafile::StaticClass());
    EXPECT_EQ(images->Count(), 3);
    EXPECT_EQ(images->Width(), 16);

    // A bitmap of the form saved as a file is one other programs read.
    testsupport::ScratchFolder folder;
    logo->Glyph()->SaveToFile(folder.Path("glyph.bmp"));
    EXPECT_EQ(folder.ReadFile("glyph.bmp"), guitest::ReadFixture("pictures/palette4.bmp"));
    logo->Glyph()->Canvas()->SetPixels(0, 0, gui::clRed);
    logo->Glyph()->SaveToFile(folder.Path("changed.bmp"));
    for (const char* name : {"glyph.bmp", "changed.bmp"}) {
        const std::string command = "identify -format '%m %w x %h' '" + folder.Path(name) + "' 2>&1";
        FILE* pipe = popen(command.c_str(), "r");
        ASSERT_NE(pipe, nullptr);
        char line[256] = {};
        const bool read = std::fgets(line, sizeof line, pipe) != nullptr;
        EXPECT_EQ(pclose(pipe), 0) << line;
        EXPECT_TRUE(read);
        EXPECT_STREQ(line, "BMP3 13 x 7") << name;
    }
}

}  // namespace
