#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Blit.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/imaging/Imaging.h"
#include "platform/win/Cursor.h"
#include "platform/win/DrawState.h"
#include "platform/win/Icon.h"
#include "platform/win/MessageQueue.h"
#include "platform/wintypes/Messages.h"

#include "tests/platform/win/WinFixture.h"
#include "tests/support/DrawingSurface.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

class IconTest : public wintest::WinTest {};

constexpr win::COLORREF kGround = win::RGB(0x20, 0x40, 0x60);

// A memory context over a 32-bit bitmap filled with the ground colour.
class Canvas : public testsupport::Surface {
public:
    Canvas(int width, int height) : Surface(width, height, kGround) {}
};

int Painted(const Canvas& canvas)
{
    return canvas.Painted(kGround);
}

// The reference for an icon without alpha: its mask ANDed onto the destination, its colour XORed.
void BlitThroughMask(win::HDC dc, int x, int y, win::HICON icon)
{
    win::ICONINFO info;
    ASSERT_TRUE(win::GetIconInfo(icon, &info));
    win::BITMAP size;
    win::GetObject(info.hbmColor, sizeof size, &size);
    win::HDC source = win::CreateCompatibleDC(nullptr);
    win::SetTextColor(dc, win::RGB(0, 0, 0));
    win::SetBkColor(dc, win::RGB(255, 255, 255));
    win::HGDIOBJ old = win::SelectObject(source, info.hbmMask);
    win::BitBlt(dc, x, y, size.bmWidth, size.bmHeight, source, 0, 0, win::SRCAND);
    win::SelectObject(source, info.hbmColor);
    win::BitBlt(dc, x, y, size.bmWidth, size.bmHeight, source, 0, 0, win::SRCINVERT);
    win::SelectObject(source, old);
    win::DeleteDC(source);
    win::DeleteObject(info.hbmMask);
    win::DeleteObject(info.hbmColor);
}

// An icon image of a given depth: the bitmap header (height doubled), the colours, the AND mask.
std::string IconImage(int size, int bits, const std::vector<std::uint32_t>& palette,
                      const std::vector<std::uint32_t>& values, const std::vector<bool>& transparent)
{
    auto put32 = [](std::string& out, std::uint32_t v) { out.append(reinterpret_cast<const char*>(&v), 4); };
    std::string dib;
    put32(dib, 40);
    put32(dib, std::uint32_t(size));
    put32(dib, std::uint32_t(size * 2));
    dib += std::string("\x01\x00", 2);
    dib += char(bits);
    dib += char(0);
    for (std::uint32_t field : {0u, 0u, 0u, 0u, std::uint32_t(palette.size()), 0u})  // .. biClrUsed, biClrImportant
        put32(dib, field);
    for (std::uint32_t colour : palette)
        put32(dib, colour);
    const int stride = (size * bits + 31) / 32 * 4;
    const int maskStride = (size + 31) / 32 * 4;
    std::string pixels(std::size_t(stride * size), '\0');
    std::string mask(std::size_t(maskStride * size), '\0');
    for (int y = 0; y < size; ++y) {
        const int row = size - 1 - y;  // bottom-up
        for (int x = 0; x < size; ++x) {
            const std::uint32_t value = values[std::size_t(y * size + x)];
            if (bits == 32) {
                std::memcpy(&pixels[std::size_t(row * stride + x * 4)], &value, 4);
            } else {  // 4 bits
                pixels[std::size_t(row * stride + x / 2)] |= char(value << (x % 2 ? 0 : 4));
            }
            if (transparent[std::size_t(y * size + x)])
                mask[std::size_t(row * maskStride + x / 8)] |= char(0x80 >> (x % 8));
        }
    }
    return dib + pixels + mask;
}

TEST_F(IconTest, TheSixSystemIconsAreSharedAndDrawAsTheirMaskAndColourSay)
{
    const char* const ids[] = {win::IDI_APPLICATION, win::IDI_HAND, win::IDI_QUESTION,
                               win::IDI_EXCLAMATION, win::IDI_ASTERISK, win::IDI_WINLOGO};
    std::vector<std::vector<win::COLORREF>> pictures;
    for (const char* id : ids) {
        SCOPED_TRACE(reinterpret_cast<std::uintptr_t>(id));
        const win::HICON icon = win::LoadIcon(nullptr, id);
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(win::LoadIcon(nullptr, id), icon);
        EXPECT_FALSE(win::DestroyIcon(icon));
        EXPECT_EQ(win::LoadIcon(nullptr, id), icon);

        Canvas drawn(40, 40);
        ASSERT_TRUE(win::DrawIconEx(drawn.DC(), 4, 3, icon, 0, 0, 0, nullptr, win::DI_NORMAL));
        Canvas reference(40, 40);
        BlitThroughMask(reference.DC(), 4, 3, icon);
        EXPECT_EQ(drawn.Pixels(), reference.Pixels());
        // Classic art: the corners show the ground, much of the rest is painted.
        EXPECT_EQ(win::GetPixel(drawn.DC(), 4, 3), kGround);
        EXPECT_GT(Painted(drawn), 32 * 32 / 3);
        pictures.push_back(drawn.Pixels());

        // The 16-pixel picture is art of its own, not the large one shrunk.
        Canvas small(16, 16);
        ASSERT_TRUE(win::DrawIconEx(small.DC(), 0, 0, icon, 16, 16, 0, nullptr, win::DI_NORMAL));
        EXPECT_EQ(win::GetPixel(small.DC(), 0, 0), kGround);
        EXPECT_GT(Painted(small), 16 * 16 / 3);
        Canvas shrunk(16, 16);
        win::ICONINFO info;
        win::GetIconInfo(icon, &info);
        win::HDC source = win::CreateCompatibleDC(nullptr);
        win::HGDIOBJ old = win::SelectObject(source, info.hbmColor);
        win::StretchBlt(shrunk.DC(), 0, 0, 16, 16, source, 0, 0, 32, 32, win::SRCCOPY);
        win::SelectObject(source, old);
        win::DeleteDC(source);
        win::DeleteObject(info.hbmColor);
        win::DeleteObject(info.hbmMask);
        EXPECT_NE(small.Pixels(), shrunk.Pixels());
    }
    for (std::size_t i = 0; i < pictures.size(); ++i)
        for (std::size_t j = i + 1; j < pictures.size(); ++j)
            EXPECT_NE(pictures[i], pictures[j]) << i << " and " << j;
    EXPECT_EQ(win::LoadIcon(nullptr, win::IDI_ERROR), win::LoadIcon(nullptr, win::IDI_HAND));
    EXPECT_EQ(win::LoadIcon(nullptr, win::MAKEINTRESOURCE(1)), nullptr);
    EXPECT_EQ(win::GetLastError(), win::ERROR_RESOURCE_NAME_NOT_FOUND);
}

// A 4-bit icon image: opaque where the mask is 0 in its palette colour, the ground elsewhere.
TEST_F(IconTest, AnIconImageDrawsItsColoursWhereItsMaskIsClear)
{
    const std::vector<std::uint32_t> palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    std::vector<std::uint32_t> values(64);
    std::vector<bool> transparent(64);
    for (int i = 0; i < 64; ++i) {
        values[std::size_t(i)] = std::uint32_t(i % 4);
        transparent[std::size_t(i)] = i % 8 == 0 || i < 8;  // the left column and the top row
    }
    for (std::size_t i = 0; i < 64; ++i)
        if (transparent[i])
            values[i] = 0;
    const std::string image = IconImage(8, 4, palette, values, transparent);
    const win::HICON icon = win::CreateIconFromResourceEx(reinterpret_cast<const win::BYTE*>(image.data()),
                                                          win::DWORD(image.size()), win::TRUE, 0x00030000, 0, 0, 0);
    ASSERT_NE(icon, nullptr);
    Canvas drawn(10, 10);
    win::DrawIconEx(drawn.DC(), 1, 1, icon, 0, 0, 0, nullptr, win::DI_NORMAL);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const int i = y * 8 + x;
            const std::uint32_t rgb = palette[values[std::size_t(i)]];
            const win::COLORREF expected = transparent[std::size_t(i)]
                ? kGround : win::RGB(std::uint8_t(rgb >> 16), std::uint8_t(rgb >> 8), std::uint8_t(rgb));
            EXPECT_EQ(win::GetPixel(drawn.DC(), 1 + x, 1 + y), expected) << x << ", " << y;
        }
    }
    EXPECT_TRUE(win::DestroyIcon(icon));
    EXPECT_FALSE(win::DrawIconEx(drawn.DC(), 0, 0, icon, 0, 0, 0, nullptr, win::DI_NORMAL));
    const char junk[] = "not an icon at all";
    EXPECT_EQ(win::CreateIconFromResourceEx(reinterpret_cast<const win::BYTE*>(junk), sizeof junk, win::TRUE,
                                            0x00030000, 0, 0, 0),
              nullptr);
    EXPECT_EQ(win::GetLastError(), win::ERROR_INVALID_DATA);
}

// Partial alpha blends: the colour premultiplied, as AlphaBlend takes it.
TEST_F(IconTest, AnIconWithAlphaBlendsOverTheDestination)
{
    std::vector<std::uint32_t> values(16);
    for (std::size_t i = 0; i < 16; ++i)
        values[i] = std::uint32_t(i * 16) << 24 | 0x00C08040;
    const std::string image = IconImage(4, 32, {}, values, std::vector<bool>(16, false));
    const win::HICON icon = win::CreateIconFromResourceEx(reinterpret_cast<const win::BYTE*>(image.data()),
                                                          win::DWORD(image.size()), win::TRUE, 0x00030000, 0, 0, 0);
    ASSERT_NE(icon, nullptr);
    Canvas drawn(4, 4);
    win::DrawIconEx(drawn.DC(), 0, 0, icon, 0, 0, 0, nullptr, win::DI_NORMAL);
    for (int i = 0; i < 16; ++i) {
        const int a = i * 16;
        const auto mix = [a](int source, int destination) {
            const int premultiplied = (source * a + 127) / 255;
            return premultiplied + (destination * (255 - a) + 127) / 255;
        };
        const win::COLORREF expected = win::RGB(std::uint8_t(mix(0xC0, 0x20)), std::uint8_t(mix(0x80, 0x40)),
                                                std::uint8_t(mix(0x40, 0x60)));
        const win::COLORREF got = win::GetPixel(drawn.DC(), i % 4, i / 4);
        for (int shift : {0, 8, 16})
            EXPECT_NEAR(int(got >> shift & 0xFF), int(expected >> shift & 0xFF), 1) << "pixel " << i;
    }
    win::DestroyIcon(icon);
}

// An icon made of bitmaps gives the same bitmaps back; a cursor keeps its hot spot.
TEST_F(IconTest, IconsMadeFromBitmapsGiveThemBack)
{
    const win::BYTE maskRows[4] = {0xC0, 0, 0x00, 0};  // two rows of 16 bits: the first two pixels transparent
    win::HBITMAP mask = win::CreateBitmap(2, 2, 1, 1, maskRows);
    win::BITMAPINFO info;
    info.bmiHeader.biWidth = 2;
    info.bmiHeader.biHeight = -2;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    win::HBITMAP colour = win::CreateDIBSection(nullptr, &info, win::DIB_RGB_COLORS, &bits, nullptr, 0);
    const std::uint32_t pixels[4] = {0, 0, 0x00FF0000, 0x0000FF00};
    std::memcpy(bits, pixels, sizeof pixels);
    win::ICONINFO made{win::FALSE, 1, 0, mask, colour};
    const win::HCURSOR cursor = win::CreateIconIndirect(&made);
    ASSERT_NE(cursor, nullptr);
    win::DeleteObject(mask);
    win::DeleteObject(colour);

    win::ICONINFO back;
    ASSERT_TRUE(win::GetIconInfo(cursor, &back));
    EXPECT_FALSE(back.fIcon);
    EXPECT_EQ(back.xHotspot, 1u);
    std::uint32_t read[4] = {};
    ASSERT_EQ(win::GetDIBits(nullptr, back.hbmColor, 0, 2, read, &info, win::DIB_RGB_COLORS), 2);
    EXPECT_EQ(std::vector<std::uint32_t>(read, read + 4), std::vector<std::uint32_t>(pixels, pixels + 4));
    win::BYTE maskBack[4] = {};
    win::GetBitmapBits(back.hbmMask, 4, maskBack);
    EXPECT_EQ(maskBack[0], 0xC0);
    EXPECT_EQ(maskBack[2], 0x00);
    win::DeleteObject(back.hbmMask);
    win::DeleteObject(back.hbmColor);

    const win::HCURSOR copy = win::CopyIcon(cursor);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, cursor);
    EXPECT_TRUE(win::DestroyCursor(cursor));
    Canvas drawn(2, 2);
    EXPECT_TRUE(win::DrawIconEx(drawn.DC(), 0, 0, copy, 0, 0, 0, nullptr, win::DI_NORMAL));
    EXPECT_EQ(win::GetPixel(drawn.DC(), 0, 0), kGround);
    EXPECT_EQ(win::GetPixel(drawn.DC(), 0, 1), win::RGB(255, 0, 0));
    win::DestroyIcon(copy);
}

// A disabled picture is its silhouette embossed: the 3D highlight one pixel right and down, the 3D
// shadow in place, the rest left alone.
TEST_F(IconTest, DrawStateEmbossesTheSilhouetteOfADisabledImage)
{
    const win::BYTE rows[2] = {0x5F, 0};  // 0 1 0 1 1 1 1 1: the 0 bits are the silhouette
    win::HBITMAP image = win::CreateBitmap(4, 1, 1, 1, rows);
    Canvas drawn(6, 3);
    ASSERT_TRUE(win::DrawState(drawn.DC(), nullptr, nullptr, reinterpret_cast<win::LPARAM>(image), 0, 1, 1, 0, 0,
                               win::DST_BITMAP | win::DSS_DISABLED));
    const win::COLORREF light = win::GetSysColor(win::COLOR_BTNHIGHLIGHT);
    const win::COLORREF shadow = win::GetSysColor(win::COLOR_BTNSHADOW);
    const win::COLORREF g = kGround;
    const std::vector<win::COLORREF> expected = {
        g, g,      g, g,      g,     g,
        g, shadow, g, shadow, g,     g,
        g, g,      light, g,  light, g,
    };
    EXPECT_EQ(drawn.Pixels(), expected);
    EXPECT_FALSE(win::DrawState(drawn.DC(), nullptr, nullptr, reinterpret_cast<win::LPARAM>(image), 0, 0, 0, 0, 0,
                                win::DST_TEXT | win::DSS_NORMAL));
    win::DeleteObject(image);
}

}  // namespace

namespace {

TEST_F(IconTest, AWindowKeepsItsBigAndSmallIconsAndAsksForTheSmallOneFallsBackToTheBig)
{
    using namespace win;
    wintest::RegisterRecorderClass();
    const HWND hwnd = wintest::MakeWindow(WS_OVERLAPPEDWINDOW);
    const HICON big = LoadIcon(nullptr, IDI_APPLICATION);
    const HICON small = LoadIcon(nullptr, IDI_INFORMATION);
    const auto get = [&](WPARAM which) { return reinterpret_cast<HICON>(SendMessage(hwnd, WM_GETICON, which, 0)); };
    EXPECT_EQ(SendMessage(hwnd, WM_SETICON, 1, reinterpret_cast<LPARAM>(big)), 0);
    struct Case {
        WPARAM which;
        HICON expected;
    };
    // Only the big one set: the small one (0) is none, the one for a small place (2) is the big one.
    for (const Case& c : {Case{1, big}, Case{0, nullptr}, Case{2, big}}) {
        EXPECT_EQ(get(c.which), c.expected) << c.which;
    }
    EXPECT_EQ(SendMessage(hwnd, WM_SETICON, 0, reinterpret_cast<LPARAM>(small)), 0);
    for (const Case& c : {Case{1, big}, Case{0, small}, Case{2, small}}) {
        EXPECT_EQ(get(c.which), c.expected) << c.which;
    }
    // Setting answers the icon it replaces.
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessage(hwnd, WM_SETICON, 1, 0)), big);
    EXPECT_EQ(get(1), nullptr);
}

}  // namespace
