// Enhanced metafiles: what the recorder writes plays back to the pixels of drawing directly, scaled
// playback matches drawing at scaled coordinates, enumeration shows the text records, and damaged files
// are refused.

#include "platform/metafile/EmfRecorder.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Region.h"
#include "platform/metafile/EnhMetaFile.h"

#include "platform/rtl/CodePage.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Blit.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/text/DrawText.h"
#include "platform/gdi/Edges.h"
#include "platform/gdi/FrameControls.h"
#include "platform/gdiplus/GdiPlusBrush.h"
#include "platform/gdiplus/GdiPlusGraphics.h"
#include "platform/gdiplus/ImageList.h"
#include "platform/gdi/Lines.h"
#include "platform/gdi/Pen.h"
#include "platform/imaging/PictureFormat.h"
#include "platform/gdi/Shapes.h"
#include "platform/text/TextMetrics.h"
#include "platform/text/TextOut.h"
#include "platform/wintypes/LogFont.h"

#include "tests/platform/metafile/MetafileFixture.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace win;

constexpr int kWidth = 160;
constexpr int kHeight = 120;

// A memory context over a black 32-bit bitmap.
struct Canvas {
    Canvas(int width, int height) : width(width), height(height)
    {
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateCompatibleBitmap(dc, width, height);
        SelectObject(dc, bitmap);
    }
    ~Canvas()
    {
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    std::vector<COLORREF> Pixels() const
    {
        std::vector<COLORREF> pixels;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                pixels.push_back(GetPixel(dc, x, y));
            }
        }
        return pixels;
    }
    int width;
    int height;
    HDC dc;
    HBITMAP bitmap;
};

// Where two pictures differ first, for a readable failure.
std::string FirstDifference(const std::vector<COLORREF>& expected, const std::vector<COLORREF>& actual, int width)
{
    for (std::size_t index = 0; index < expected.size(); ++index) {
        if (expected[index] != actual[index]) {
            return "first difference at (" + std::to_string(index % width) + ", " + std::to_string(index / width) + ")";
        }
    }
    return "same";
}

// The sources the scene blits from: a colour picture, a premultiplied one with alpha and a monochrome one.
struct Sources {
    Sources() : colour(8, 8), alpha(CreateCompatibleDC(nullptr))
    {
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                SetPixel(colour.dc, x, y, (x + y) % 3 == 0 ? RGB(255, 0, 255) : RGB(x * 30, y * 30, 200));
            }
        }
        BITMAPINFO info;
        info.bmiHeader.biWidth = 6;
        info.bmiHeader.biHeight = -6;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        alphaBitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        auto* pixels = static_cast<std::uint32_t*>(bits);
        for (int index = 0; index < 36; ++index) {
            const std::uint32_t a = index % 2 ? 0xFF : 0x80;
            pixels[index] = (a << 24) | ((a * (index * 7 % 256) / 255) << 16) | ((a / 2) << 8);
        }
        SelectObject(alpha, alphaBitmap);
        images = ImageList_Create(8, 8, ILC_COLOR32 | ILC_MASK, 1, 1);
        HBITMAP picture = CreateCompatibleBitmap(colour.dc, 8, 8);
        HDC copy = CreateCompatibleDC(nullptr);
        SelectObject(copy, picture);
        BitBlt(copy, 0, 0, 8, 8, colour.dc, 0, 0, SRCCOPY);
        DeleteDC(copy);
        ImageList_AddMasked(images, picture, RGB(255, 0, 255));
        DeleteObject(picture);
    }
    ~Sources()
    {
        ImageList_Destroy(images);
        DeleteDC(alpha);
        DeleteObject(alphaBitmap);
    }
    Canvas colour;
    HDC alpha;
    HBITMAP alphaBitmap = nullptr;
    HIMAGELIST images = nullptr;
};

// A 1-bit bitmap of the check pattern of 8 x 8 cells, each k pixels square, rows word-aligned.
HBITMAP CheckMask(int k)
{
    const int size = 8 * k;
    const int rowBytes = (size + 15) / 16 * 2;
    std::vector<std::uint8_t> bits(std::size_t(rowBytes * size), 0);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            if ((x / k + 2 * (y / k)) % 3 != 0) {
                bits[std::size_t(y * rowBytes + x / 8)] |= std::uint8_t(0x80 >> (x % 8));
            }
        }
    }
    return CreateBitmap(size, size, 1, 1, bits.data());
}

// MaskBlt from the colour source and a check mask, both enlarged k times, from inside both.
void MaskedBlit(HDC dc, const Sources& sources, int k)
{
    Canvas source(8 * k, 8 * k);
    StretchBlt(source.dc, 0, 0, 8 * k, 8 * k, sources.colour.dc, 0, 0, 8, 8, SRCCOPY);
    HBITMAP mask = CheckMask(k);
    EXPECT_TRUE(MaskBlt(dc, 72 * k, 36 * k, 7 * k, 6 * k, source.dc, k, 0, mask, k, 2 * k, MAKEROP4(SRCCOPY, DSTINVERT)));
    DeleteObject(mask);
}

// Draws every kind of call the recorder records, every coordinate, width, height and advance times k.
// Calls whose pixels do not scale with their coordinates (single pixels, one-pixel edges and frames,
// natural text advances) only when exact is set.
void DrawScene(HDC dc, const Sources& sources, int k, bool exact)
{
    SetBkColor(dc, RGB(0, 0, 128));
    struct PenCase {
        int style, width;
        COLORREF colour;
    };
    const PenCase pens[] = {{PS_SOLID, 1, RGB(255, 0, 0)},  {PS_DASH, 1, RGB(0, 255, 0)},       {PS_DOT, 0, RGB(0, 0, 255)},
                            {PS_SOLID, 3, RGB(255, 255, 0)}, {PS_INSIDEFRAME, 4, RGB(0, 255, 255)}};
    int row = 4;
    for (const PenCase& pen : pens) {
        HPEN handle = CreatePen(pen.style, pen.width * k, pen.colour);
        HGDIOBJ old = SelectObject(dc, handle);
        MoveToEx(dc, 4 * k, row * k, nullptr);
        LineTo(dc, 40 * k, (row + 3) * k);
        const POINT line[] = {{44 * k, row * k}, {60 * k, (row + 4) * k}, {70 * k, row * k}};
        Polyline(dc, line, 3);
        SelectObject(dc, old);
        DeleteObject(handle);
        row += 6;
    }
    const LOGBRUSH flat{BS_SOLID, RGB(255, 255, 255), 0};
    const DWORD dashes[] = {DWORD(4 * k), DWORD(2 * k)};
    HPEN user = ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT, DWORD(2 * k), &flat, 2, dashes);
    SelectObject(dc, user);
    MoveToEx(dc, 4 * k, 36 * k, nullptr);
    const POINT to[] = {{30 * k, 36 * k}, {30 * k, 44 * k}};
    PolylineTo(dc, to, 2);

    // Brushes: solid, hatched and pattern, on every shape.
    HBRUSH solid = CreateSolidBrush(RGB(0, 128, 0));
    HBRUSH hatch = CreateHatchBrush(HS_DIAGCROSS, RGB(255, 128, 0));
    HBRUSH pattern = CreatePatternBrush(sources.colour.bitmap);
    HPEN outline = CreatePen(PS_SOLID, 2 * k, RGB(200, 200, 200));
    SelectObject(dc, outline);
    SelectObject(dc, solid);
    Rectangle(dc, 80 * k, 4 * k, 100 * k, 20 * k);
    SelectObject(dc, hatch);
    Ellipse(dc, 104 * k, 4 * k, 126 * k, 20 * k);
    SelectObject(dc, pattern);
    RoundRect(dc, 130 * k, 4 * k, 156 * k, 22 * k, 8 * k, 8 * k);
    SelectObject(dc, solid);
    Pie(dc, 80 * k, 24 * k, 100 * k, 44 * k, 100 * k, 24 * k, 80 * k, 44 * k);
    Chord(dc, 104 * k, 24 * k, 126 * k, 44 * k, 126 * k, 30 * k, 104 * k, 30 * k);
    Arc(dc, 130 * k, 24 * k, 156 * k, 44 * k, 156 * k, 34 * k, 130 * k, 24 * k);
    for (const int mode : {ALTERNATE, WINDING}) {
        SetPolyFillMode(dc, mode);
        const int left = (mode == ALTERNATE ? 4 : 40) * k;
        const POINT star[] = {{left + 15 * k, 48 * k}, {left + 24 * k, 74 * k}, {left, 58 * k}, {left + 30 * k, 58 * k},
                              {left + 6 * k, 74 * k}};
        Polygon(dc, star, 5);
    }
    const POINT twice[] = {{80 * k, 50 * k}, {96 * k, 50 * k}, {88 * k, 62 * k}, {100 * k, 50 * k}, {116 * k, 50 * k},
                           {108 * k, 62 * k}};
    const int counts[] = {3, 3};
    PolyPolygon(dc, twice, counts, 2);
    const DWORD lineCounts[] = {2, 2};
    PolyPolyline(dc, twice, lineCounts, 2);
    // A monochrome pattern paints in the text and background colours of the moment.
    const WORD checks[] = {0xCC, 0xCC, 0x33, 0x33, 0xCC, 0xCC, 0x33, 0x33};
    HBITMAP checkBits = CreateBitmap(8, 8, 1, 1, checks);
    HBRUSH checked = CreatePatternBrush(checkBits);
    DeleteObject(checkBits);
    SaveDC(dc);
    SetTextColor(dc, RGB(255, 0, 0));
    SetBkColor(dc, RGB(0, 0, 255));
    SelectObject(dc, checked);
    Ellipse(dc, 80 * k, 64 * k, 118 * k, 78 * k);
    RestoreDC(dc, -1);
    DeleteObject(checked);

    // Regions: fill, frame and paint.
    HRGN region = CreateRectRgn(120 * k, 50 * k, 140 * k, 60 * k);
    HRGN more = CreateRectRgn(130 * k, 56 * k, 156 * k, 70 * k);
    CombineRgn(region, region, more, RGN_OR);
    FillRgn(dc, region, hatch);
    FrameRgn(dc, region, solid, 2 * k, 1 * k);
    OffsetRgn(region, 0, 16 * k);
    SetROP2(dc, R2_XORPEN);
    PaintRgn(dc, region);
    SetROP2(dc, R2_COPYPEN);

    // Blits.
    BitBlt(dc, 4 * k, 80 * k, 8 * k, 8 * k, nullptr, 0, 0, PATCOPY);
    StretchBlt(dc, 16 * k, 80 * k, 16 * k, 12 * k, sources.colour.dc, 0, 0, 8, 8, SRCCOPY);
    StretchBlt(dc, 36 * k, 80 * k, 8 * k, 8 * k, sources.colour.dc, 0, 0, 8, 8, SRCINVERT);
    TransparentBlt(dc, 48 * k, 80 * k, 16 * k, 16 * k, sources.colour.dc, 0, 0, 8, 8, RGB(255, 0, 255));
    AlphaBlend(dc, 68 * k, 80 * k, 12 * k, 12 * k, sources.alpha, 0, 0, 6, 6, BLENDFUNCTION{AC_SRC_OVER, 0, 200, AC_SRC_ALPHA});
    BITMAPINFO info;
    info.bmiHeader.biWidth = 4;
    info.bmiHeader.biHeight = 4;
    info.bmiHeader.biBitCount = 24;
    std::uint8_t bits[48];
    for (int index = 0; index < 48; ++index) {
        bits[index] = static_cast<std::uint8_t>(index * 37);
    }
    StretchDIBits(dc, 84 * k, 80 * k, 12 * k, 8 * k, 0, 0, 4, 4, bits, &info, DIB_RGB_COLORS, SRCCOPY);
    MaskedBlit(dc, sources, k);
    const TRIVERTEX corners[] = {{100 * k, 80 * k, 0xFF00, 0, 0, 0}, {120 * k, 90 * k, 0, 0, 0xFF00, 0}};
    const GRADIENT_RECT shade{0, 1};
    GradientFill(dc, corners, 2, &shade, 1, GRADIENT_FILL_RECT_H);

    // Text: opaque and clipped rectangles, an advance array, in a font whose height scales.
    LOGFONT logFont;
    logFont.lfHeight = -11 * k;
    logFont.lfFaceName = "Arial";
    HFONT font = CreateFontIndirect(&logFont);
    SelectObject(dc, font);
    SetTextColor(dc, RGB(255, 255, 255));
    const std::u16string text = u"Metafile";
    std::vector<int> dx(text.size(), 7 * k);
    const RECT opaque{100 * k, 94 * k, 150 * k, 108 * k};
    ExtTextOutW(dc, 102 * k, 95 * k, ETO_OPAQUE, &opaque, text.data(), UINT(text.size()), dx.data());
    const RECT clipped{4 * k, 100 * k, 30 * k, 110 * k};
    SetBkMode(dc, TRANSPARENT);
    ExtTextOutW(dc, 4 * k, 98 * k, ETO_CLIPPED, &clipped, text.data(), UINT(text.size()), dx.data());

    // Saved states, clip rectangles and origins.
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, 40 * k, 96 * k, 70 * k, 118 * k);
    ExcludeClipRect(dc, 50 * k, 100 * k, 56 * k, 104 * k);
    SetWindowOrgEx(dc, -40 * k, -96 * k, nullptr);
    SelectObject(dc, solid);
    Rectangle(dc, -4 * k, 0, 40 * k, 30 * k);
    RestoreDC(dc, saved);
    SetViewportOrgEx(dc, 4 * k, 2 * k, nullptr);
    SetTextColor(dc, RGB(255, 0, 0));
    ExtTextOutA(dc, 70 * k, 104 * k, 0, nullptr, "Ab", 2, dx.data());
    SetViewportOrgEx(dc, 0, 0, nullptr);

    if (exact) {
        SetPixel(dc, 158, 118, RGB(1, 2, 3));
        RECT edge{120, 110, 140, 118};
        DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT | BF_MIDDLE);
        const RECT focus{142, 108, 158, 118};
        DrawFocusRect(dc, &focus);
        const RECT inverted{150, 40, 158, 48};
        InvertRect(dc, &inverted);
        RECT box{4, 112, 60, 120};
        SetTextColor(dc, RGB(0, 255, 0));
        DrawTextW(dc, u"&Draw", -1, &box, DT_SINGLELINE);
        TextOutW(dc, 110, 112, u"ab", 2);
        const int stops[] = {30};
        TabbedTextOutW(dc, 20, 60, u"a\tb\tc", 5, 1, stops, 20);
        ImageList_Draw(sources.images, 0, dc, 140, 60, ILD_TRANSPARENT);
        RECT check{140, 74, 153, 87};
        DrawFrameControl(dc, &check, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
        RECT arrow{124, 74, 138, 88};
        DrawFrameControl(dc, &arrow, DFC_SCROLL, DFCS_SCROLLUP);
        gdiplus::GpGraphics* graphics = nullptr;
        gdiplus::GpSolidFill* fill = nullptr;
        gdiplus::GdipCreateFromHDC(dc, &graphics);
        gdiplus::GdipCreateSolidFill(0x8000FF80, &fill);
        gdiplus::GdipFillRectangleI(graphics, fill, 60, 40, 14, 10);
        gdiplus::GdipDeleteBrush(fill);
        gdiplus::GdipDeleteGraphics(graphics);
    }
    SelectObject(dc, GetStockObject(BLACK_PEN));
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    for (HGDIOBJ object : std::initializer_list<HGDIOBJ>{user, solid, hatch, pattern, outline, region, more, font}) {
        DeleteObject(object);
    }
}

class EnhMetaFileTest : public wintest::MetafileLibraryTest {
protected:
    // The frame of a picture of width x height pixels of the display, in 0.01 mm.
    static RECT FrameOf(int width, int height)
    {
        HDC screen = CreateCompatibleDC(nullptr);
        const auto toFrame = [&](int pixels, int size, int resolution) {
            return LONG(std::llround(double(pixels) * size * 100 / resolution));
        };
        const RECT frame{0, 0, toFrame(width, GetDeviceCaps(screen, HORZSIZE), GetDeviceCaps(screen, HORZRES)),
                         toFrame(height, GetDeviceCaps(screen, VERTSIZE), GetDeviceCaps(screen, VERTRES))};
        DeleteDC(screen);
        return frame;
    }

    static HENHMETAFILE Record(const std::function<void(HDC)>& draw, const char* fileName = nullptr, bool framed = true)
    {
        const RECT frame = FrameOf(kWidth, kHeight);
        HDC dc = CreateEnhMetaFileA(nullptr, fileName, framed ? &frame : nullptr, "test\0scene\0");
        draw(dc);
        return CloseEnhMetaFile(dc);
    }

    static std::string BytesOf(HENHMETAFILE metafile)
    {
        std::string bytes(GetEnhMetaFileBits(metafile, 0, nullptr), '\0');
        GetEnhMetaFileBits(metafile, UINT(bytes.size()), reinterpret_cast<BYTE*>(bytes.data()));
        return bytes;
    }

    void SetUp() override
    {
        MetafileLibraryTest::SetUp();
        gdiplus::GdiplusStartupInput input;
        gdiplus::GdiplusStartup(&token_, &input, nullptr);
        sources_.emplace();
    }
    void TearDown() override
    {
        sources_.reset();
        gdiplus::GdiplusShutdown(token_);
        MetafileLibraryTest::TearDown();
    }

    std::optional<Sources> sources_;
    ULONG_PTR token_ = 0;
};

TEST_F(EnhMetaFileTest, WrittenReadAndPlayedGivesThePixelsOfDrawingDirectly)
{
    Canvas direct(kWidth, kHeight);
    DrawScene(direct.dc, *sources_, 1, true);

    testsupport::ScratchFolder folder;
    const std::string path = folder.Path("QANTO_EE1.WMF");
    HENHMETAFILE recorded = Record([&](HDC dc) { DrawScene(dc, *sources_, 1, true); }, path.c_str());
    ASSERT_NE(recorded, nullptr);
    const std::string written = testsupport::ReadBytes(path);
    EXPECT_EQ(written, BytesOf(recorded));
    EXPECT_EQ(SniffPictureFormat(written), PictureFormat::Emf);
    DeleteEnhMetaFile(recorded);

    HENHMETAFILE read = GetEnhMetaFileA(path.c_str());
    ASSERT_NE(read, nullptr);
    Canvas played(kWidth, kHeight);
    const RECT all{0, 0, kWidth, kHeight};
    ASSERT_TRUE(PlayEnhMetaFile(played.dc, read, &all));
    const auto expected = direct.Pixels();
    const auto actual = played.Pixels();
    EXPECT_GT(std::count_if(expected.begin(), expected.end(), [](COLORREF pixel) { return pixel != 0; }), kWidth * kHeight / 4);
    EXPECT_TRUE(expected == actual) << FirstDifference(expected, actual, kWidth);
    // The player leaves the target's state as it found it.
    EXPECT_EQ(GetTextColor(played.dc), RGB(0, 0, 0));
    EXPECT_EQ(GetCurrentObject(played.dc, OBJ_PEN), GetStockObject(BLACK_PEN));
    DeleteEnhMetaFile(read);
}

TEST_F(EnhMetaFileTest, PlayedIntoTwiceTheSizeMatchesDrawingEverythingDoubled)
{
    Canvas direct(2 * kWidth, 2 * kHeight);
    DrawScene(direct.dc, *sources_, 2, false);
    HENHMETAFILE recorded = Record([&](HDC dc) { DrawScene(dc, *sources_, 1, false); });
    Canvas played(2 * kWidth, 2 * kHeight);
    const RECT twice{0, 0, 2 * kWidth, 2 * kHeight};
    ASSERT_TRUE(PlayEnhMetaFile(played.dc, recorded, &twice));
    const auto expected = direct.Pixels();
    const auto actual = played.Pixels();
    EXPECT_TRUE(expected == actual) << FirstDifference(expected, actual, 2 * kWidth);
    DeleteEnhMetaFile(recorded);
}

int PlayEach(HDC dc, HANDLETABLE* table, const ENHMETARECORD* record, int objects, LPARAM)
{
    return PlayEnhMetaFileRecord(dc, table, record, UINT(objects));
}

int StopAtFirstText(HDC dc, HANDLETABLE* table, const ENHMETARECORD* record, int objects, LPARAM)
{
    return record->iType != emf::EMR_EXTTEXTOUTW && PlayEnhMetaFileRecord(dc, table, record, UINT(objects));
}

TEST_F(EnhMetaFileTest, OneBitSourcesKeepTheirTwoColours)
{
    // A one-bit source whose 0 bits are not black: a recorded copy must still tell its two colours apart.
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[2];
    } info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = 8;
    info.header.biHeight = -2;
    info.header.biPlanes = 1;
    info.header.biBitCount = 1;
    info.colours[0] = RGBQUAD{0, 0, 255, 0};  // red
    info.colours[1] = RGBQUAD{255, 0, 0, 0};  // blue
    void* bits = nullptr;
    HBITMAP oneBit = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(oneBit, nullptr);
    static_cast<BYTE*>(bits)[0] = 0xA5;
    static_cast<BYTE*>(bits)[4] = 0x3C;
    HDC source = CreateCompatibleDC(nullptr);
    SelectObject(source, oneBit);
    const auto draw = [&](HDC dc) { StretchBlt(dc, 2, 2, 16, 4, source, 0, 0, 8, 2, SRCCOPY); };
    Canvas direct(20, 8);
    draw(direct.dc);
    HENHMETAFILE recorded = Record(draw);
    Canvas played(20, 8);
    const RECT all{0, 0, kWidth, kHeight};
    ASSERT_TRUE(PlayEnhMetaFile(played.dc, recorded, &all));
    const auto expected = direct.Pixels();
    // Copied into colour, the 0 bits take the text colour and the 1 bits the background colour.
    EXPECT_NE(std::count(expected.begin(), expected.end(), GetTextColor(direct.dc)), 0);
    EXPECT_NE(std::count(expected.begin(), expected.end(), GetBkColor(direct.dc)), 0);
    EXPECT_TRUE(expected == played.Pixels()) << FirstDifference(expected, played.Pixels(), 20);
    DeleteEnhMetaFile(recorded);
    DeleteDC(source);
    DeleteObject(oneBit);
}

TEST_F(EnhMetaFileTest, EnumeratingAndPlayingEachRecordPlaysTheWholeFile)
{
    HENHMETAFILE recorded = Record([&](HDC dc) { DrawScene(dc, *sources_, 1, true); });
    const RECT all{0, 0, kWidth, kHeight};
    Canvas whole(kWidth, kHeight);
    PlayEnhMetaFile(whole.dc, recorded, &all);
    Canvas each(kWidth, kHeight);
    EXPECT_TRUE(EnumEnhMetaFile(each.dc, recorded, PlayEach, 0, &all));
    EXPECT_TRUE(whole.Pixels() == each.Pixels());

    // A callback's 0 stops the enumeration, and what came before it stays drawn.
    Canvas stopped(kWidth, kHeight);
    EXPECT_FALSE(EnumEnhMetaFile(stopped.dc, recorded, StopAtFirstText, 0, &all));
    EXPECT_FALSE(stopped.Pixels() == each.Pixels());
    EXPECT_EQ(stopped.Pixels()[std::size_t(10 * kWidth + 90)], each.Pixels()[std::size_t(10 * kWidth + 90)]);

    // Outside an enumeration there is no table to play into.
    const emf::EmrValue mode{{emf::EMR_SETBKMODE, 12}, TRANSPARENT};
    HANDLETABLE table{};
    EXPECT_FALSE(PlayEnhMetaFileRecord(each.dc, &table, reinterpret_cast<const ENHMETARECORD*>(&mode), 1));
    DeleteEnhMetaFile(recorded);
}

TEST_F(EnhMetaFileTest, PlayingKeepsWithinTheTargetsClip)
{
    HENHMETAFILE recorded = Record([](HDC dc) {
        HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        HRGN everything = CreateRectRgn(0, 0, kWidth, kHeight);
        SelectClipRgn(dc, everything);  // the file's clip may not widen the target's
        const RECT all{0, 0, kWidth, kHeight};
        FillRect(dc, &all, white);
        DeleteObject(everything);
    });
    Canvas played(kWidth, kHeight);
    IntersectClipRect(played.dc, 10, 10, 20, 20);
    const RECT all{0, 0, kWidth, kHeight};
    PlayEnhMetaFile(played.dc, recorded, &all);
    SelectClipRgn(played.dc, nullptr);
    EXPECT_EQ(GetPixel(played.dc, 15, 15), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(played.dc, 25, 15), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(played.dc, 5, 5), RGB(0, 0, 0));
    DeleteEnhMetaFile(recorded);
}

struct TextFound {
    std::u16string text;
    RECT bounds;
    std::vector<int> advances;
};

int CollectText(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data)
{
    if (record->iType == emf::EMR_EXTTEXTOUTW) {
        emf::EmrText text;
        std::memcpy(static_cast<void*>(&text), record, sizeof(text));
        TextFound found;
        found.text.resize(text.chars);
        const auto* bytes = reinterpret_cast<const char*>(record);
        std::memcpy(found.text.data(), bytes + text.offString, text.chars * 2);
        found.advances.resize(text.chars);
        std::memcpy(found.advances.data(), bytes + text.offDx, text.chars * 4);
        found.bounds = RECT{text.bounds.left, text.bounds.top, text.bounds.right, text.bounds.bottom};
        reinterpret_cast<std::vector<TextFound>*>(data)->push_back(found);
    }
    return 1;
}

TEST_F(EnhMetaFileTest, EnumerationShowsTheTextRecordsWithBoundsCoveringTheText)
{
    LOGFONT logFont;
    logFont.lfHeight = -16;
    logFont.lfFaceName = "Arial";
    HFONT font = CreateFontIndirect(&logFont);
    SIZE extent{};
    SIZE spaced{};
    HENHMETAFILE recorded = Record([&](HDC dc) {
        SelectObject(dc, font);
        GetTextExtentPoint32W(dc, u"Savings", 7, &extent);
        TextOutW(dc, 20, 30, u"Savings", 7);
        SetTextCharacterExtra(dc, 3);
        GetTextExtentPoint32W(dc, u"kWh", 3, &spaced);
        SetTextAlign(dc, TA_RIGHT | TA_BOTTOM);
        TextOutW(dc, 120, 100, u"kWh", 3);
        SelectObject(dc, GetStockObject(SYSTEM_FONT));
    });
    // The metafile measures as a memory context of its reference device does.
    HDC memory = CreateCompatibleDC(nullptr);
    SelectObject(memory, font);
    SIZE inMemory{};
    GetTextExtentPoint32W(memory, u"Savings", 7, &inMemory);
    DeleteDC(memory);
    EXPECT_EQ(extent.cx, inMemory.cx);
    EXPECT_EQ(extent.cy, inMemory.cy);
    std::vector<TextFound> found;
    ASSERT_TRUE(EnumEnhMetaFile(nullptr, recorded, CollectText, reinterpret_cast<LPARAM>(&found), nullptr));
    ASSERT_EQ(found.size(), 2u);
    struct Case {
        std::u16string text;
        RECT drawn;
    } cases[] = {{u"Savings", {20, 30, 20 + extent.cx, 30 + extent.cy}}, {u"kWh", {120 - spaced.cx, 100 - spaced.cy, 120, 100}}};
    for (std::size_t index = 0; index < 2; ++index) {
        SCOPED_TRACE(index);
        EXPECT_EQ(found[index].text, cases[index].text);
        const RECT& bounds = found[index].bounds;
        const RECT& drawn = cases[index].drawn;
        EXPECT_LE(bounds.left, drawn.left);
        EXPECT_LE(bounds.top, drawn.top);
        EXPECT_GE(bounds.right, drawn.right - 1);
        EXPECT_GE(bounds.bottom, drawn.bottom - 1);
        int total = 0;
        for (const int advance : found[index].advances) {
            total += advance;
        }
        EXPECT_EQ(total, drawn.right - drawn.left);
    }
    DeleteEnhMetaFile(recorded);
    DeleteObject(font);
}

TEST_F(EnhMetaFileTest, RotatedTextHasBoundsCoveringItsInk)
{
    struct Case {
        int escapement;
        UINT align;
    } cases[] = {{900, TA_LEFT | TA_TOP},     {900, TA_RIGHT | TA_BASELINE}, {450, TA_LEFT | TA_TOP},
                 {450, TA_CENTER | TA_BOTTOM}, {2700, TA_LEFT | TA_BASELINE}, {1350, TA_RIGHT | TA_TOP}};
    for (const Case& test : cases) {
        SCOPED_TRACE(testing::Message() << test.escapement << " align " << test.align);
        LOGFONT logFont;
        logFont.lfHeight = -16;
        logFont.lfEscapement = test.escapement;
        logFont.lfFaceName = "Arial";
        HFONT font = CreateFontIndirect(&logFont);
        const auto draw = [&](HDC dc) {
            SelectObject(dc, font);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, RGB(255, 255, 255));
            SetTextAlign(dc, test.align);
            TextOutW(dc, 80, 60, u"Savings", 7);
            SelectObject(dc, GetStockObject(SYSTEM_FONT));
        };
        Canvas direct(kWidth, kHeight);
        draw(direct.dc);
        const auto ink = direct.Pixels();

        // With no frame given, the picture is the bounds: played at its size it keeps every pixel.
        HENHMETAFILE recorded = Record(draw, nullptr, false);
        std::vector<TextFound> found;
        EnumEnhMetaFile(nullptr, recorded, CollectText, reinterpret_cast<LPARAM>(&found), nullptr);
        ASSERT_EQ(found.size(), 1u);
        ENHMETAHEADER header;
        GetEnhMetaFileHeader(recorded, sizeof(header), &header);
        const RECT& bounds = found[0].bounds;
        EXPECT_EQ(header.rclBounds.left, bounds.left);
        EXPECT_EQ(header.rclBounds.bottom, bounds.bottom);
        RECT inked{kWidth, kHeight, 0, 0};
        std::string outside;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                if (ink[std::size_t(y * kWidth + x)] != 0) {
                    inked = RECT{std::min<LONG>(inked.left, x), std::min<LONG>(inked.top, y), std::max<LONG>(inked.right, x),
                                 std::max<LONG>(inked.bottom, y)};
                    if (!(x >= bounds.left && x <= bounds.right && y >= bounds.top && y <= bounds.bottom) && outside.empty()) {
                        outside = "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
                    }
                }
            }
        }
        EXPECT_EQ(outside, "") << "ink outside the bounds";
        // Not much more than the ink either: the cell turned about its corner, a pixel of rounding.
        EXPECT_LE(inked.left - bounds.left, 8);
        EXPECT_LE(inked.top - bounds.top, 8);
        EXPECT_LE(bounds.right - inked.right, 8);
        EXPECT_LE(bounds.bottom - inked.bottom, 8);
        const int width = bounds.right + 1 - bounds.left;
        const int height = bounds.bottom + 1 - bounds.top;
        Canvas played(width, height);
        const RECT picture{0, 0, width, height};
        ASSERT_TRUE(PlayEnhMetaFile(played.dc, recorded, &picture));
        std::vector<COLORREF> cut;
        for (int y = bounds.top; y <= bounds.bottom; ++y) {
            for (int x = bounds.left; x <= bounds.right; ++x) {
                cut.push_back(x >= 0 && y >= 0 && x < kWidth && y < kHeight ? ink[std::size_t(y * kWidth + x)] : 0);
            }
        }
        const auto shown = played.Pixels();
        EXPECT_TRUE(cut == shown) << FirstDifference(cut, shown, width);
        DeleteEnhMetaFile(recorded);
        DeleteObject(font);
    }
}

TEST_F(EnhMetaFileTest, TabbedTextPlaysAsDrawnWhateverItsAlignment)
{
    LOGFONT logFont;
    logFont.lfHeight = -13;
    logFont.lfFaceName = "Arial";
    HFONT font = CreateFontIndirect(&logFont);
    const int stops[] = {24, 56};
    struct Case {
        const char* name;
        std::function<void(HDC)> draw;
    } cases[] = {
        {"TabbedTextOut left", [&](HDC dc) { TabbedTextOutW(dc, 20, 20, u"\tab\tc", 6, 2, stops, 10); }},
        {"TabbedTextOut right", [&](HDC dc) {
             SetTextAlign(dc, TA_RIGHT);
             TabbedTextOutW(dc, 140, 20, u"\tab\tc", 6, 2, stops, 10);
         }},
        {"TabbedTextOut centred", [&](HDC dc) {
             SetTextAlign(dc, TA_CENTER | TA_BASELINE);
             TabbedTextOutW(dc, 80, 40, u"\t\tx", 3, 2, stops, 10);
         }},
        {"TabbedTextOut right, opaque", [&](HDC dc) {
             SetBkMode(dc, OPAQUE);
             SetTextAlign(dc, TA_RIGHT | TA_BOTTOM);
             TabbedTextOutW(dc, 150, 60, u"\tkWh", 4, 2, stops, 0);
         }},
        {"TabbedTextOut left, opaque", [&](HDC dc) {
             SetBkMode(dc, OPAQUE);
             TabbedTextOutW(dc, 10, 60, u"\tkWh\t1", 6, 2, stops, 0);
         }},
        {"TabbedTextOut of tabs only, opaque", [&](HDC dc) {
             SetBkMode(dc, OPAQUE);
             TabbedTextOutW(dc, 10, 40, u"\t\t", 2, 2, stops, 0);
             TextOutW(dc, 100, 40, u"kWh", 3);
         }},
        {"TabbedTextOut right, no leading tab", [&](HDC dc) {
             SetTextAlign(dc, TA_RIGHT);
             TabbedTextOutW(dc, 150, 80, u"a\tb", 3, 1, stops, 100);
         }},
        {"DrawText right", [&](HDC dc) {
             RECT box{10, 80, 150, 100};
             DrawTextW(dc, u"\tSavings\t12", -1, &box, DT_EXPANDTABS | DT_RIGHT | DT_SINGLELINE);
         }},
        {"DrawText centred", [&](HDC dc) {
             RECT box{10, 96, 150, 116};
             DrawTextW(dc, u"\tSavings", -1, &box, DT_EXPANDTABS | DT_CENTER | DT_SINGLELINE);
         }},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const auto draw = [&](HDC dc) {
            SelectObject(dc, font);
            SetBkMode(dc, TRANSPARENT);
            SetBkColor(dc, RGB(0, 0, 160));
            SetTextColor(dc, RGB(255, 255, 255));
            test.draw(dc);
            SelectObject(dc, GetStockObject(SYSTEM_FONT));
        };
        Canvas direct(kWidth, kHeight);
        draw(direct.dc);
        HENHMETAFILE recorded = Record(draw);
        Canvas played(kWidth, kHeight);
        const RECT all{0, 0, kWidth, kHeight};
        ASSERT_TRUE(PlayEnhMetaFile(played.dc, recorded, &all));
        const auto expected = direct.Pixels();
        const auto actual = played.Pixels();
        EXPECT_GT(std::count_if(expected.begin(), expected.end(), [](COLORREF pixel) { return pixel != 0; }), 20);
        EXPECT_TRUE(expected == actual) << FirstDifference(expected, actual, kWidth);
        DeleteEnhMetaFile(recorded);
    }
    DeleteObject(font);
}

TEST_F(EnhMetaFileTest, MetafileContextAnswersAsAMetafileOverTheReferenceDevice)
{
    HDC screen = CreateCompatibleDC(nullptr);
    HDC dc = CreateEnhMetaFileW(screen, nullptr, nullptr, nullptr);
    EXPECT_EQ(GetDeviceCaps(dc, TECHNOLOGY), DT_METAFILE);
    EXPECT_EQ(GetDeviceCaps(dc, HORZRES), GetDeviceCaps(screen, HORZRES));
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), GetDeviceCaps(screen, LOGPIXELSY));
    EXPECT_EQ(GetObjectType(dc), OBJ_ENHMETADC);
    TEXTMETRIC metafile{};
    TEXTMETRIC reference{};
    EXPECT_TRUE(GetTextMetricsW(dc, &metafile));
    GetTextMetricsW(screen, &reference);
    EXPECT_EQ(metafile.tmHeight, reference.tmHeight);
    SetTextColor(dc, RGB(1, 2, 3));
    EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));

    // With no frame given the frame follows the bounds.
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    SelectObject(dc, pen);
    Rectangle(dc, 10, 20, 110, 70);
    SelectObject(dc, GetStockObject(BLACK_PEN));
    DeleteObject(pen);
    HENHMETAFILE recorded = CloseEnhMetaFile(dc);
    ENHMETAHEADER header;
    ASSERT_EQ(GetEnhMetaFileHeader(recorded, sizeof(header), &header), sizeof(header));
    EXPECT_EQ(header.rclBounds.left, 9);
    EXPECT_EQ(header.rclBounds.right, 110);
    const double hmmPerPixel = header.szlMillimeters.cx * 100.0 / header.szlDevice.cx;
    EXPECT_NEAR(header.rclFrame.left, 9 * hmmPerPixel, 1);
    EXPECT_NEAR(header.rclFrame.right, 111 * hmmPerPixel, 1);
    EXPECT_GE(header.nHandles, 2);

    // The pen deleted while recording was let go of in the file too.
    std::vector<DWORD> types;
    EnumEnhMetaFile(nullptr, recorded,
                    [](HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) {
                        reinterpret_cast<std::vector<DWORD>*>(data)->push_back(record->iType);
                        return 1;
                    },
                    reinterpret_cast<LPARAM>(&types), nullptr);
    EXPECT_EQ(types.front(), emf::EMR_HEADER);
    EXPECT_EQ(types.back(), emf::EMR_EOF);
    EXPECT_NE(std::find(types.begin(), types.end(), emf::EMR_DELETEOBJECT), types.end());

    HENHMETAFILE copy = CopyEnhMetaFileA(recorded, nullptr);
    EXPECT_EQ(BytesOf(copy), BytesOf(recorded));
    DeleteEnhMetaFile(copy);
    DeleteEnhMetaFile(recorded);
    DeleteDC(screen);
}

std::vector<DWORD> RecordTypes(HENHMETAFILE metafile)
{
    std::vector<DWORD> types;
    EnumEnhMetaFile(nullptr, metafile,
                    [](HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) {
                        reinterpret_cast<std::vector<DWORD>*>(data)->push_back(record->iType);
                        return 1;
                    },
                    reinterpret_cast<LPARAM>(&types), nullptr);
    return types;
}

TEST_F(EnhMetaFileTest, MaskBltRecordsItsMaskAndRefusesTheMasksADirectCallRefuses)
{
    HBITMAP mask = CheckMask(1);
    HBITMAP colourMask = CreateCompatibleBitmap(sources_->colour.dc, 8, 8);
    struct Case {
        const char* name;
        HBITMAP mask;
        int maskX;
        BOOL done;
        DWORD recorded;
    } cases[] = {
        {"1-bit mask", mask, 0, TRUE, emf::EMR_MASKBLT},
        {"no mask: a BitBlt", nullptr, 0, TRUE, emf::EMR_BITBLT},
        {"mask of more bits", colourMask, 0, FALSE, 0},
        {"mask too small from its origin", mask, 4, FALSE, 0},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        Canvas direct(kWidth, kHeight);
        EXPECT_EQ(MaskBlt(direct.dc, 2, 2, 6, 6, sources_->colour.dc, 0, 0, test.mask, test.maskX, 0, MAKEROP4(SRCCOPY, DSTINVERT)),
                  test.done);
        BOOL recordedDone = FALSE;
        HENHMETAFILE recorded = Record([&](HDC dc) {
            recordedDone =
                MaskBlt(dc, 2, 2, 6, 6, sources_->colour.dc, 0, 0, test.mask, test.maskX, 0, MAKEROP4(SRCCOPY, DSTINVERT));
        });
        EXPECT_EQ(recordedDone, test.done);
        const std::vector<DWORD> types = RecordTypes(recorded);
        EXPECT_EQ(types.size(), test.done ? 3u : 2u);
        if (test.done && types.size() == 3) {
            EXPECT_EQ(types[1], test.recorded);
        }
        DeleteEnhMetaFile(recorded);
    }
    DeleteObject(mask);
    DeleteObject(colourMask);
}

// Offsets of the records of a file, the header's first.
std::vector<std::size_t> RecordOffsets(const std::string& bytes)
{
    std::vector<std::size_t> offsets;
    for (std::size_t at = 0; at + 8 <= bytes.size();) {
        offsets.push_back(at);
        std::uint32_t size;
        std::memcpy(&size, bytes.data() + at + 4, 4);
        at += size;
    }
    return offsets;
}

std::size_t FindRecord(const std::string& bytes, std::uint32_t type, std::size_t skip = 0)
{
    for (const std::size_t at : RecordOffsets(bytes)) {
        std::uint32_t found;
        std::memcpy(&found, bytes.data() + at, 4);
        if (found == type && skip-- == 0) {
            return at;
        }
    }
    ADD_FAILURE() << "no record " << type;
    return 0;
}

void Put(std::string& bytes, std::size_t at, std::uint32_t value)
{
    std::memcpy(bytes.data() + at, &value, 4);
}

TEST_F(EnhMetaFileTest, DamagedFilesAreRefused)
{
    HENHMETAFILE recorded = Record([&](HDC dc) { DrawScene(dc, *sources_, 1, true); });
    const std::string good = BytesOf(recorded);
    DeleteEnhMetaFile(recorded);
    ASSERT_NE(ReadEnhMetaFile(good), nullptr);

    struct Case {
        const char* name;
        std::function<void(std::string&)> damage;
        const char* message;
    };
    const std::size_t headerSize = FindRecord(good, emf::EMR_HEADER) + 4;
    const Case cases[] = {
        {"truncated in the header", [](std::string& b) { b.resize(60); }, "too short"},
        {"truncated after the header", [](std::string& b) { b.resize(200); }, "does not fit"},
        {"truncated in the middle", [](std::string& b) { b.resize(b.size() / 2); }, "does not fit"},
        {"truncated before EOF", [](std::string& b) { b.resize(b.size() - 4); }, "does not fit"},
        {"record size not a multiple of 4",
         [&](std::string& b) { Put(b, FindRecord(b, emf::EMR_SETBKCOLOR) + 4, 14); }, "bad size"},
        {"record size below its fixed part",
         [&](std::string& b) { Put(b, FindRecord(b, emf::EMR_RECTANGLE) + 4, 12); }, "bad size"},
        {"record size past the data", [&](std::string& b) { Put(b, FindRecord(b, emf::EMR_LINETO) + 4, 0x7FFFFFF0); }, "bad size"},
        {"point count past the record",
         [&](std::string& b) { Put(b, FindRecord(b, emf::EMR_POLYLINE) + 24, 1000); }, "point count outside"},
        {"text past the record", [&](std::string& b) { Put(b, FindRecord(b, emf::EMR_EXTTEXTOUTW) + 44, 5000); }, "text outside"},
        {"bitmap offset out of the record",
         [&](std::string& b) { Put(b, FindRecord(b, emf::EMR_STRETCHDIBITS) + 56, 0x10000); }, "bitmap bits outside"},
        {"huge stated bitmap",
         [&](std::string& b) {
             const std::size_t at = FindRecord(b, emf::EMR_STRETCHDIBITS);
             Put(b, at + sizeof(emf::EmrStretchDiBits) + 4, 1000000);
             Put(b, at + sizeof(emf::EmrStretchDiBits) + 8, 1000000);
         },
         "bitmap too large"},
        {"bitmap rows past its bits",
         [&](std::string& b) { Put(b, FindRecord(b, emf::EMR_STRETCHDIBITS) + sizeof(emf::EmrStretchDiBits) + 4, 40); },
         "bits shorter"},
        {"mask blit source bits out of the record",
         [&](std::string& b) { Put(b, FindRecord(b, emf::EMR_MASKBLT) + 92, 0x10000); }, "bitmap bits outside"},
        {"mask header out of the record",
         [&](std::string& b) { Put(b, FindRecord(b, emf::EMR_MASKBLT) + 116, 0x10000); }, "bitmap header outside"},
        {"mask bits out of the record",
         [&](std::string& b) { Put(b, FindRecord(b, emf::EMR_MASKBLT) + 124, 0x10000); }, "bitmap bits outside"},
        {"mask of four bits a pixel",
         [&](std::string& b) {
             const std::size_t at = FindRecord(b, emf::EMR_MASKBLT);
             std::uint32_t header;
             std::memcpy(&header, b.data() + at + 112, 4);
             Put(b, at + header + 14, 4);
         },
         "mask with more than one bit"},
        {"mask origin past the mask", [&](std::string& b) { Put(b, FindRecord(b, emf::EMR_MASKBLT) + 100, 1); }, "mask smaller"},
        {"negative mask origin",
         [&](std::string& b) { Put(b, FindRecord(b, emf::EMR_MASKBLT) + 104, std::uint32_t(-1)); }, "negative"},
        {"mask blit wider than its source",
         [&](std::string& b) { Put(b, FindRecord(b, emf::EMR_MASKBLT) + 32, 100); }, "source smaller"},
        {"handle index out of range",
         [&](std::string& b) { Put(b, FindRecord(b, emf::EMR_CREATEPEN) + 8, 500); }, "out of range"},
        {"region count past the data",
         [&](std::string& b) { Put(b, FindRecord(b, emf::EMR_FILLRGN) + 32 + 8, 1000); }, "bad region data"},
        {"unknown record type", [&](std::string& b) { Put(b, FindRecord(b, emf::EMR_SETBKMODE), 123); }, "Unknown metafile record 123"},
        {"missing EOF",
         [&](std::string& b) {
             b.resize(b.size() - sizeof(emf::EmrEof));
             Put(b, 48, std::uint32_t(b.size()));
         },
         "no EOF"},
        {"wrong record count", [](std::string& b) { Put(b, 52, 3); }, "records"},
        {"not a metafile", [](std::string& b) { b[40] = 'X'; }, "not an enhanced metafile"},
    };
    (void)headerSize;
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        std::string bytes = good;
        test.damage(bytes);
        EXPECT_EQ(SetEnhMetaFileBits(UINT(bytes.size()), reinterpret_cast<const BYTE*>(bytes.data())), nullptr);
        EXPECT_EQ(GetLastError(), ERROR_INVALID_DATA);
        try {
            ReadEnhMetaFile(bytes);
            ADD_FAILURE() << "accepted";
        } catch (const EInvalidGraphic& error) {
            EXPECT_NE(std::string(error.what()).find(test.message), std::string::npos) << error.what();
        }
    }
}

TEST_F(EnhMetaFileTest, HugeGeometryIsDrawnWithinReach)
{
    // A well-formed file may still ask for shapes and pens of billions of pixels, or a font too large
    // to draw: the shapes are cut to reach, the font ends the playing with an error.
    LOGFONT logFont;
    logFont.lfHeight = -12;
    HFONT font = CreateFontIndirect(&logFont);
    HENHMETAFILE recorded = Record([&](HDC dc) {
        HPEN wide = CreatePen(PS_SOLID, 1000000000, RGB(255, 0, 0));
        SelectObject(dc, wide);
        SelectObject(dc, GetStockObject(WHITE_BRUSH));
        Ellipse(dc, -1000000000, -1000000000, 1000000000, 1000000000);
        SelectObject(dc, font);
        TextOutW(dc, 0, 0, u"W", 1);
        SelectObject(dc, GetStockObject(BLACK_PEN));
        SelectObject(dc, GetStockObject(SYSTEM_FONT));
        DeleteObject(wide);
    });
    Canvas played(kWidth, kHeight);
    const RECT all{0, 0, kWidth, kHeight};
    EXPECT_TRUE(PlayEnhMetaFile(played.dc, recorded, &all));
    EXPECT_EQ(GetPixel(played.dc, 80, 60), RGB(255, 255, 255));  // inside the ellipse, its outline far away

    std::string bytes = BytesOf(recorded);
    Put(bytes, FindRecord(bytes, emf::EMR_EXTCREATEFONTINDIRECTW) + 12, std::uint32_t(-1000000000));
    HENHMETAFILE hostile = ReadEnhMetaFile(bytes);
    EXPECT_FALSE(PlayEnhMetaFile(played.dc, hostile, &all));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_DATA);
    EXPECT_EQ(GetCurrentObject(played.dc, OBJ_FONT), GetStockObject(SYSTEM_FONT));
    DeleteEnhMetaFile(hostile);
    DeleteEnhMetaFile(recorded);
    DeleteObject(font);
}

TEST_F(EnhMetaFileTest, FileErrorsAnswerNull)
{
    testsupport::ScratchFolder folder;
    EXPECT_EQ(GetEnhMetaFileA(folder.Path("missing.emf").c_str()), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    // A FIFO answers at once instead of waiting for a writer.
    ASSERT_EQ(::mkfifo(folder.Path("pipe.emf").c_str(), 0600), 0);
    EXPECT_EQ(GetEnhMetaFileA(folder.Path("pipe.emf").c_str()), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    folder.WriteFile("text.emf", "not a metafile at all, but long enough to hold a header of eighty-eight bytes......");
    EXPECT_EQ(GetEnhMetaFileA(folder.Path("text.emf").c_str()), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_DATA);
    HDC dc = CreateEnhMetaFileA(nullptr, folder.Path("no/such/folder.emf").c_str(), nullptr, nullptr);
    EXPECT_EQ(CloseEnhMetaFile(dc), nullptr);

    // A wide name the process code page cannot hold is refused, not turned into another file's name.
    rtl::SetAnsiCodePage(1252);
    const std::u16string folderName = rtl::AnsiToWide(folder.Path(""));
    const std::u16string cyrillic = folderName + u"\u0416.emf";
    folder.WriteFile("?.emf", "");
    EXPECT_EQ(CreateEnhMetaFileW(nullptr, cyrillic.c_str(), nullptr, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_NAME);
    EXPECT_EQ(GetEnhMetaFileW(cyrillic.c_str()), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_NAME);
    HENHMETAFILE picture = Record([](HDC dc) { Rectangle(dc, 0, 0, 4, 4); });
    EXPECT_EQ(CopyEnhMetaFileW(picture, cyrillic.c_str()), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_NAME);
    EXPECT_EQ(testsupport::ReadBytes(folder.Path("?.emf")), "");
    DeleteEnhMetaFile(picture);
}

}  // namespace
