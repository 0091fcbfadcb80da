// Metafiles the readers accept whose playing once met undefined behaviour or let an exception escape
// (tests/fixtures/hostile/README.md). Each plays to its end onto a small memory context, leaves the
// context as it found it, and answers FALSE where a record cannot be drawn.

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/metafile/EnhMetaFile.h"
#include "platform/metafile/WmfPlayer.h"
#include "platform/metafile/WmfReader.h"
#include "tests/platform/metafile/MetafileFixture.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace win;

class HostileMetafiles : public wintest::MetafileLibraryTest {
protected:
    void SetUp() override
    {
        MetafileLibraryTest::SetUp();
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateCompatibleBitmap(dc_, 64, 48);
        SelectObject(dc_, bitmap_);
    }
    void TearDown() override
    {
        DeleteDC(dc_);
        DeleteObject(bitmap_);
        MetafileLibraryTest::TearDown();
    }

    static std::string Hostile(const std::string& name)
    {
        return testsupport::ReadBytes(std::string(RIVUVE_FIXTURES) + "/hostile/" + name);
    }
    // The playing left the context's objects as they were.
    void ExpectContextRestored(const std::string& name) const
    {
        EXPECT_EQ(GetCurrentObject(dc_, OBJ_FONT), GetStockObject(SYSTEM_FONT)) << name;
        EXPECT_EQ(GetCurrentObject(dc_, OBJ_PEN), GetStockObject(BLACK_PEN)) << name;
        EXPECT_EQ(GetCurrentObject(dc_, OBJ_BRUSH), GetStockObject(WHITE_BRUSH)) << name;
    }

    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
};

struct Case {
    const char* file;
    BOOL played;  // FALSE: a record could not be drawn
};

TEST_F(HostileMetafiles, EnhancedMetafilesPlayToTheirEnd)
{
    const Case cases[] = {
        {"play-41a153eb.emf", TRUE},   // a bitmap's source rectangle beyond an int (StretchDIBits)
        {"play-699009a6.emf", TRUE},   // a wide pen's outline
        {"play-6fbcce2b.emf", TRUE},   // a wide pen's outline
        {"play-c360a7b2.emf", TRUE},   // a frame wider than an int (the player's scaling)
        {"play-5a99ba8a.emf", TRUE},   // an alpha blend's source reaching beyond an int
        {"play-4c38c076.emf", TRUE},   // a bitmap's source of the most negative height
    };
    const RECT rect{2, 3, 60, 45};
    for (const Case& c : cases) {
        const std::string bytes = Hostile(c.file);
        ASSERT_FALSE(bytes.empty()) << c.file;
        HENHMETAFILE metafile = ReadEnhMetaFile(bytes);
        SetLastError(0);
        EXPECT_EQ(PlayEnhMetaFile(dc_, metafile, &rect), c.played) << c.file;
        if (!c.played) {
            EXPECT_EQ(GetLastError(), ERROR_INVALID_DATA) << c.file;
        }
        ExpectContextRestored(c.file);
        DeleteEnhMetaFile(metafile);
    }
}

TEST_F(HostileMetafiles, PlaceableMetafilesPlayToTheirEndOrAnswerFalse)
{
    const Case cases[] = {
        {"play-19fc182e.wmf", TRUE},    // a wide pen's outline
        {"play-03a9e66d.wmf", FALSE},   // a font height beyond the sizes the fonts can be drawn at
        {"play-67be6b46.wmf", FALSE},   // the same
    };
    for (const Case& c : cases) {
        const WindowsMetafile metafile = ReadWindowsMetafile(Hostile(c.file));
        SetLastError(0);
        EXPECT_EQ(PlayWindowsMetafile(dc_, metafile, RECT{2, 3, 60, 45}), c.played) << c.file;
        if (!c.played) {
            EXPECT_EQ(GetLastError(), ERROR_INVALID_DATA) << c.file;
        }
        ExpectContextRestored(c.file);
        // A picture that cannot be drawn is not converted either.
        HENHMETAFILE converted = EnhMetaFileFromWindowsMetafile(metafile);
        EXPECT_EQ(converted != nullptr, c.played == TRUE) << c.file;
        DeleteEnhMetaFile(converted);
    }
}

}  // namespace
