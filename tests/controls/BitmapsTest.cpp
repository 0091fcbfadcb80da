// The control foundation's bitmaps: the packed runs worked out by hand, the stored data packed and plain,
// and damaged packed data refused with the picture kept.

#include "controls/clBitmaps.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"
#include "tests/controls/ControlsFixture.h"
#include "tests/support/DrawingSurface.h"

#include <cstring>
#include <string>

namespace {

using namespace controls;

class BitmapsTest : public controlstest::ControlsTest {
public:
    void Count(classes::TObject*) { ++changes; }
    int changes = 0;
};

std::string Bytes(std::initializer_list<int> values)
{
    std::string s;
    for (int v : values)
        s += char(v);
    return s;
}

TEST(BitmapRunsTest, PackedByHand)
{
    struct Case {
        const char* name;
        std::string data;
        std::string runs;
    };
    const Case cases[] = {
        {"200 equal", std::string(200, 'v'), Bytes({0x7D, 'v', 0x4B, 'v'})},
        {"A B B", "ABB", Bytes({0x81, 'A', 0x02, 'B'})},
        {"one byte", "b", Bytes({0x81, 'b'})},
        {"nothing", "", ""},
        {"literal then repeat", "ABCCC", Bytes({0x82, 'A', 'B', 0x03, 'C'})},
        {"130 different", [] {
             std::string s;
             for (int i = 0; i < 130; ++i)
                 s += char(i);
             return s;
         }(), [] {
             std::string s = Bytes({0x80 + 125});
             for (int i = 0; i < 125; ++i)
                 s += char(i);
             s += char(0x80 + 5);
             for (int i = 125; i < 130; ++i)
                 s += char(i);
             return s;
         }()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PackBitmapRuns(c.data), c.runs);
        EXPECT_EQ(UnpackBitmapRuns(c.runs), c.data);
    }
}

TEST(BitmapRunsTest, RunsPastTheirEndAreDamage)
{
    for (const std::string& runs : {Bytes({0x83, 'a', 'b'}), Bytes({0x05}), Bytes({0x81, 'a', 0xFF})})
        EXPECT_THROW(UnpackBitmapRuns(runs), rtl::EReadError);
}

TEST(BitmapRunsTest, ColourToPixel)
{
    const TclRGBQuad q = clColorToBGRA(gui::TColor(win::RGB(10, 20, 30)), 40);
    EXPECT_EQ(q.Blue, 30);
    EXPECT_EQ(q.Green, 20);
    EXPECT_EQ(q.Red, 10);
    EXPECT_EQ(q.Alpha, 40);
}

void Draw(TclCustomBitmap& bitmap)
{
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            bitmap.Canvas()->SetPixels(x, y, gui::TColor(win::RGB(x * 20, y * 30, x < 3 ? 200 : 0)));
}

void ExpectSamePixels(TclCustomBitmap& a, TclCustomBitmap& b)
{
    ASSERT_EQ(a.Width(), b.Width());
    ASSERT_EQ(a.Height(), b.Height());
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            ASSERT_EQ(a.Canvas()->Pixels(x, y), b.Canvas()->Pixels(x, y)) << x << ", " << y;
}

std::string Stored(TclCustomBitmap& bitmap)
{
    rtl::TMemoryStream stream;
    bitmap.WriteData(stream);
    return std::string(stream.Memory(), std::size_t(stream.Size()));
}

void Load(TclCustomBitmap& bitmap, const std::string& data)
{
    rtl::TMemoryStream stream;
    stream.WriteBuffer(data.data(), std::int64_t(data.size()));
    stream.SetPosition(0);
    bitmap.ReadData(stream);
}

TEST_F(BitmapsTest, PackedAndPlainStoredDataComeBack)
{
    TclCustomBitmap source(7, 5);
    Draw(source);
    source.SetCompressData(true);
    const std::string packed = Stored(source);
    ASSERT_GE(packed.size(), 10u);
    EXPECT_EQ(packed.substr(4, 6), Bytes({'X', 'D', 'B', 'M', 1, 0}));
    std::int32_t length = 0;
    std::memcpy(&length, packed.data(), 4);
    EXPECT_EQ(std::size_t(length), packed.size() - 10);

    TclCustomBitmap packedCopy;
    Load(packedCopy, packed);
    ExpectSamePixels(source, packedCopy);

    // Without the signature at offset 4 the data is the framework's own.
    source.SetCompressData(false);
    const std::string plain = Stored(source);
    EXPECT_NE(plain.substr(4, 4), "XDBM");
    TclCustomBitmap plainCopy;
    Load(plainCopy, plain);
    ExpectSamePixels(source, plainCopy);
}

TEST_F(BitmapsTest, DamagedPackedDataKeepsThePicture)
{
    TclCustomBitmap source(4, 4);
    Draw(source);
    source.SetCompressData(true);
    const std::string packed = Stored(source);

    std::string beyond = packed;
    const std::int32_t tooLong = std::int32_t(packed.size());
    std::memcpy(beyond.data(), &tooLong, 4);
    std::string negative = packed;
    const std::int32_t minus = -1;
    std::memcpy(negative.data(), &minus, 4);
    std::string cutRun = packed.substr(0, 10) + Bytes({0x85, 1, 2});
    const std::int32_t three = 3;
    std::memcpy(cutRun.data(), &three, 4);

    for (const std::string& damaged : {beyond, negative, cutRun}) {
        TclCustomBitmap target(4, 4);
        Draw(target);
        try {
            Load(target, damaged);
            ADD_FAILURE() << "no error";
        } catch (const rtl::EReadError& e) {
            EXPECT_STREQ(e.what(), "damaged packed bitmap data");
        }
        ExpectSamePixels(source, target);
    }
}

TEST_F(BitmapsTest, ChangesWaitForTheLastUnlock)
{
    TclCustomBitmap bitmap(2, 2);
    bitmap.OnChange = classes::TNotifyEvent::Of<&BitmapsTest::Count>(this);
    bitmap.LockChanges();
    bitmap.LockChanges();
    bitmap.SetSize(5, 5);
    bitmap.UnlockChanges();
    EXPECT_EQ(changes, 0);
    bitmap.UnlockChanges();
    EXPECT_EQ(changes, 1);
    // Never below 0; forced reports a change.
    bitmap.UnlockChanges();
    EXPECT_EQ(changes, 1);
    bitmap.LockChanges();
    bitmap.UnlockChanges(true);
    EXPECT_EQ(changes, 2);
}

TclRGBQuad Quad(int b, int g, int r, int a)
{
    return TclRGBQuad{std::uint8_t(b), std::uint8_t(g), std::uint8_t(r), std::uint8_t(a)};
}

void ExpectQuad(const TclRGBQuad& q, const TclRGBQuad& expected)
{
    EXPECT_EQ(q.Blue, expected.Blue);
    EXPECT_EQ(q.Green, expected.Green);
    EXPECT_EQ(q.Red, expected.Red);
    EXPECT_EQ(q.Alpha, expected.Alpha);
}

// One pixel through an operation.
TclRGBQuad Operated(TclPixelOp op, TclRGBQuad pixel, std::uint32_t transparent = 0)
{
    TclBitmap bitmap(1, 1, transparent);
    clPutBitmapPixels(bitmap, {pixel});
    bitmap.ApplyPixelOp(op);
    return clGetBitmapPixels(bitmap)[0];
}

TEST_F(BitmapsTest, PixelOperationsByTheNumbers)
{
    struct Case {
        const char* name;
        TclPixelOp op;
        TclRGBQuad in;
        TclRGBQuad out;
    };
    const Case cases[] = {
        {"lighten opaque", clpoLighten, Quad(100, 100, 100, 255), Quad(147, 147, 147, 255)},
        {"lighten translucent", clpoLighten, Quad(100, 100, 100, 128), Quad(78, 78, 78, 100)},
        {"average grey", clpoAverageGrey, Quad(40, 20, 10, 255), Quad(23, 23, 23, 255)},
        {"fade grey", clpoFadeGrey, Quad(200, 150, 100, 255), Quad(141, 141, 141, 255)},
        {"disable grey", clpoDisableGrey, Quad(200, 150, 100, 255), Quad(157, 157, 157, 255)},
        {"opaque", clpoOpaque, Quad(1, 2, 3, 4), Quad(1, 2, 3, 255)},
        {"mask of a visible pixel", clpoMask, Quad(1, 2, 3, 4), Quad(0, 0, 0, 0)},
        {"alpha 0 made opaque", clpoOpaqueUnlessTransparent, Quad(1, 2, 3, 0), Quad(1, 2, 3, 255)},
        {"other alpha kept", clpoOpaqueUnlessTransparent, Quad(1, 2, 3, 9), Quad(1, 2, 3, 9)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectQuad(Operated(c.op, c.in), c.out);
    }
    // Transparent pixels: the mask makes them white, the greys leave them, fill writes the value.
    const std::uint32_t transparent = 0x11223344;
    const TclRGBQuad clear = Quad(0x44, 0x33, 0x22, 0x11);
    ExpectQuad(Operated(clpoMask, clear, transparent), Quad(255, 255, 255, 255));
    ExpectQuad(Operated(clpoFadeGrey, clear, transparent), clear);
    ExpectQuad(Operated(clpoFill, Quad(9, 9, 9, 9), transparent), clear);
}

TEST_F(BitmapsTest, TransparentColoursHatchAndAlpha)
{
    TclBitmap bitmap(4, 2);
    EXPECT_FALSE(bitmap.HasAlpha());
    clPutBitmapPixels(bitmap, {Quad(0, 0, 255, 255), Quad(0, 255, 0, 255), Quad(0, 0, 255, 255), Quad(0, 255, 0, 255),
                               Quad(0, 0, 255, 255), Quad(0, 255, 0, 255), Quad(0, 0, 255, 255), Quad(0, 255, 0, 255)});
    EXPECT_TRUE(bitmap.HasAlpha());
    // Red is transparent by its RGB, whatever its alpha.
    bitmap.TransparentColors().push_back(win::RGB(255, 0, 0));
    bitmap.ApplyPixelOp(clpoMask);
    const std::vector<TclRGBQuad> mask = clGetBitmapPixels(bitmap);
    for (std::size_t i = 0; i < mask.size(); ++i)
        EXPECT_EQ(mask[i].Red, i % 2 == 0 ? 255 : 0) << i;

    // Squares of 2: (0, 0) and (1, 1) in the first colour, (2, 0) in the second, each at its alpha.
    TclBitmap hatch(4, 2);
    clPutBitmapPixels(hatch, std::vector<TclRGBQuad>(8, Quad(255, 255, 255, 255)));
    hatch.SetHatch(gui::clBlack, 255, gui::clBlack, 128, 2);
    hatch.ApplyPixelOp(clpoHatch);
    const std::vector<TclRGBQuad> hatched = clGetBitmapPixels(hatch);
    ExpectQuad(hatched[0], Quad(0, 0, 0, 255));
    ExpectQuad(hatched[5], Quad(0, 0, 0, 255));
    ExpectQuad(hatched[2], Quad(127, 127, 127, 255));
}

TEST_F(BitmapsTest, OverlayHatchOnADeviceContext)
{
    testsupport::Surface surface(8, 6, win::RGB(255, 255, 255));
    clOverlayHatch(surface.DC(), win::RECT{2, 1, 8, 5}, gui::clBlack, 255, gui::clRed, 0, 2);
    // Squares counted from the rect's corner: (2, 1) black, (4, 1) left white (alpha 0), (4, 3) black.
    EXPECT_EQ(win::GetPixel(surface.DC(), 2, 1), win::RGB(0, 0, 0));
    EXPECT_EQ(win::GetPixel(surface.DC(), 3, 2), win::RGB(0, 0, 0));
    EXPECT_EQ(win::GetPixel(surface.DC(), 4, 1), win::RGB(255, 255, 255));
    EXPECT_EQ(win::GetPixel(surface.DC(), 4, 3), win::RGB(0, 0, 0));
    // Outside the rect nothing changes.
    EXPECT_EQ(win::GetPixel(surface.DC(), 1, 1), win::RGB(255, 255, 255));
    EXPECT_EQ(win::GetPixel(surface.DC(), 2, 5), win::RGB(255, 255, 255));
}

TEST(BlendPixelTest, SourceOverDestination)
{
    ExpectQuad(clBlendPixel(Quad(0, 0, 255, 128), Quad(255, 255, 255, 255), 255), Quad(127, 127, 255, 255));
    // Constant alpha 0 leaves the destination.
    ExpectQuad(clBlendPixel(Quad(9, 9, 9, 255), Quad(1, 2, 3, 4), 0), Quad(1, 2, 3, 4));
}

}  // namespace

namespace {

TEST_F(BitmapsTest, CopiesBetweenBitmapsAndDeviceContexts)
{
    TclCustomBitmap source(7, 5);
    Draw(source);
    testsupport::Surface surface(20, 20, win::RGB(1, 2, 3));
    const auto pixel = [&](int x, int y) { return win::GetPixel(surface.DC(), x, y); };

    // Cut to the smaller of rect and bitmap.
    clBlitBitmapToDC(surface.DC(), win::RECT{2, 3, 6, 20}, source);
    EXPECT_EQ(pixel(2, 3), win::COLORREF(source.Canvas()->Pixels(0, 0)));
    EXPECT_EQ(pixel(5, 7), win::COLORREF(source.Canvas()->Pixels(3, 4)));
    EXPECT_EQ(pixel(6, 3), win::RGB(1, 2, 3));
    EXPECT_EQ(pixel(2, 8), win::RGB(1, 2, 3));

    // Back out of the context: the rect's size and pixels.
    TclCustomBitmap copy;
    clCopyDCToBitmap(copy, surface.DC(), win::RECT{2, 3, 6, 8});
    EXPECT_EQ(copy.Width(), 4);
    EXPECT_EQ(copy.Height(), 5);
    EXPECT_EQ(copy.Canvas()->Pixels(3, 4), source.Canvas()->Pixels(3, 4));

    // Stretched: every source pixel twice as wide and high.
    clStretchBitmap(surface.DC(), win::RECT{0, 10, 14, 20}, source);
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{6, 4}, std::pair{3, 2}}) {
        EXPECT_EQ(pixel(2 * x, 10 + 2 * y), win::COLORREF(source.Canvas()->Pixels(x, y))) << x << ", " << y;
        EXPECT_EQ(pixel(2 * x + 1, 11 + 2 * y), win::COLORREF(source.Canvas()->Pixels(x, y))) << x << ", " << y;
    }

    // Between bitmaps, through a raster operation.
    TclCustomBitmap target(7, 5);
    target.ClCanvas().FillRectColor(target.GetFullRect(), gui::clWhite);
    target.CopyBitmapRop(source, win::SRCAND);
    EXPECT_EQ(target.Canvas()->Pixels(4, 2), source.Canvas()->Pixels(4, 2));
    target.CopyRectRop(win::RECT{0, 0, 2, 2}, source, win::RECT{5, 3, 7, 5});
    EXPECT_EQ(target.Canvas()->Pixels(1, 1), source.Canvas()->Pixels(6, 4));
    target.CopyBitmapRop(source, win::BLACKNESS);
    EXPECT_EQ(target.Canvas()->Pixels(3, 3), gui::clBlack);
}

TEST_F(BitmapsTest, NewBitmapsOfTheirKindAndSize)
{
    const TclCustomBitmap plain(0, 0);
    const TclBitmap transparent(1, 1, 0xFF102030);
    struct Case {
        const char* name;
        const TclCustomBitmap* prototype;
        gui::TPixelFormat asked;
        gui::TPixelFormat made;
        bool library32;
    };
    const Case cases[] = {{"custom bitmap", &plain, gui::pf24bit, gui::pf24bit, false},
                          {"custom bitmap, 1 bit", &plain, gui::pf1bit, gui::pf1bit, false},
                          {"32-bit bitmap", &transparent, gui::pf24bit, gui::pf32bit, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<TclCustomBitmap> made = c.prototype->CreateSized(6, 4, c.asked);
        EXPECT_EQ(made->Width(), 6);
        EXPECT_EQ(made->Height(), 4);
        EXPECT_EQ(made->PixelFormat(), c.made);
        EXPECT_EQ(dynamic_cast<TclBitmap*>(made.get()) != nullptr, c.library32);
    }
    const auto sized = clCreateBitmapForRect(win::RECT{10, 20, 13, 28}, gui::pf32bit);
    EXPECT_EQ(sized->Width(), 3);
    EXPECT_EQ(sized->Height(), 8);
    EXPECT_EQ(sized->PixelFormat(), gui::pf32bit);
    const win::BITMAPINFO header = clInitDIBHeader(5, 7);
    EXPECT_EQ(header.bmiHeader.biWidth, 5);
    EXPECT_EQ(header.bmiHeader.biHeight, 7) << "bottom-up";
    EXPECT_EQ(header.bmiHeader.biBitCount, 32);
    EXPECT_EQ(header.bmiHeader.biSizeImage, 5u * 7u * 4u);
}

}  // namespace
