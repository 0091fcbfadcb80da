// The system icons in the classic look: plain shapes in the sixteen basic colours on a transparent
// ground, laid out on a 32-pixel grid and drawn at 32 and at 16 pixels.

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Shapes.h"
#include "platform/win/detail/Cursor.h"

#include <initializer_list>

namespace win::detail {

namespace {

// No shape is drawn in this colour, so what keeps it after drawing is the transparent ground.
constexpr COLORREF kGround = RGB(1, 2, 3);
constexpr COLORREF kNone = CLR_INVALID;

class Painter {
public:
    Painter(HDC dc, int size) : dc_(dc), size_(size) {}

    void Rect(int left, int top, int right, int bottom, COLORREF fill, COLORREF outline = kNone)
    {
        Use(fill, outline);
        Rectangle(dc_, S(left), S(top), S(right), S(bottom));
    }
    void Ellipse(int left, int top, int right, int bottom, COLORREF fill, COLORREF outline)
    {
        Use(fill, outline);
        win::Ellipse(dc_, S(left), S(top), S(right), S(bottom));
    }
    void Polygon(std::initializer_list<POINT> points, COLORREF fill, COLORREF outline = kNone)
    {
        Use(fill, outline);
        std::vector<POINT> scaled;
        for (POINT point : points) {
            scaled.push_back(POINT{S(point.x), S(point.y)});
        }
        win::Polygon(dc_, scaled.data(), int(scaled.size()));
    }

private:
    int S(int value) const { return value * size_ / 32; }
    // Without an outline a shape covers the same pixels as with one, as Shapes.h draws them.
    void Use(COLORREF fill, COLORREF outline)
    {
        HGDIOBJ oldBrush = SelectObject(dc_, CreateSolidBrush(fill));
        HGDIOBJ oldPen = SelectObject(dc_, CreatePen(PS_SOLID, 1, outline == kNone ? fill : outline));
        DeleteObject(oldBrush);
        DeleteObject(oldPen);
    }

    HDC dc_;
    int size_;
};

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kMaroon = RGB(128, 0, 0);
constexpr COLORREF kNavy = RGB(0, 0, 128);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 128, 0);
constexpr COLORREF kYellow = RGB(255, 255, 0);

void Bubble(Painter& p)
{
    p.Polygon({{7, 20}, {14, 23}, {4, 30}}, kWhite, kBlack);
    p.Ellipse(1, 1, 31, 25, kWhite, kBlack);
}

void Paint(Painter& p, WORD id)
{
    switch (id) {
    case 32513:  // hand (error)
        p.Ellipse(1, 1, 31, 31, kRed, kMaroon);
        p.Polygon({{9, 11}, {11, 9}, {23, 21}, {21, 23}}, kWhite);
        p.Polygon({{21, 9}, {23, 11}, {11, 23}, {9, 21}}, kWhite);
        break;
    case 32514:  // question
        Bubble(p);
        p.Rect(12, 4, 19, 7, kBlue);
        p.Rect(18, 5, 21, 11, kBlue);
        p.Rect(15, 10, 19, 13, kBlue);
        p.Rect(15, 12, 18, 16, kBlue);
        p.Rect(15, 18, 18, 21, kBlue);
        break;
    case 32515:  // exclamation (warning)
        p.Polygon({{16, 1}, {31, 29}, {1, 29}}, kYellow, kBlack);
        p.Rect(14, 10, 18, 21, kBlack);
        p.Rect(14, 23, 18, 27, kBlack);
        break;
    case 32516:  // asterisk (information)
        Bubble(p);
        p.Rect(14, 4, 18, 8, kBlue);
        p.Rect(14, 10, 18, 20, kBlue);
        p.Rect(12, 18, 20, 21, kBlue);
        break;
    case 32517:  // the system's logo
        p.Rect(3, 3, 15, 15, kRed);
        p.Rect(17, 3, 29, 15, kGreen);
        p.Rect(3, 17, 15, 29, kBlue);
        p.Rect(17, 17, 29, 29, kYellow);
        break;
    default:  // application
        p.Rect(1, 3, 31, 29, kWhite, kBlack);
        p.Rect(2, 4, 30, 9, kNavy);
        break;
    }
}

CursorShape Draw(WORD id, int size)
{
    std::uint32_t* pixels = nullptr;
    HBITMAP bitmap = NewColourSection(size, size, &pixels);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const RECT all{0, 0, size, size};
    HBRUSH ground = CreateSolidBrush(kGround);
    FillRect(dc, &all, ground);
    DeleteObject(ground);
    {
        Painter painter(dc, size);
        Paint(painter, id);
    }
    DeleteObject(SelectObject(dc, GetStockObject(WHITE_BRUSH)));
    DeleteObject(SelectObject(dc, GetStockObject(BLACK_PEN)));
    SelectObject(dc, old);
    DeleteDC(dc);

    CursorShape shape;
    shape.icon = true;
    shape.shared = true;
    shape.size = SIZE{size, size};
    shape.andMask.assign(std::size_t((size + 15) / 16 * 2) * std::size_t(size), 0);
    constexpr std::uint32_t groundPixel = 0x010203;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const std::uint32_t pixel = pixels[y * size + x] & 0x00FFFFFF;
            if (pixel == groundPixel) {
                shape.colour.push_back(0);
                shape.andMask[std::size_t(y * ((size + 15) / 16 * 2) + x / 8)] |= BYTE(0x80 >> (x % 8));
            } else {
                shape.colour.push_back(0xFF000000 | pixel);
            }
        }
    }
    DeleteObject(bitmap);
    return shape;
}

}  // namespace

CursorShape SystemIconShape(WORD id)
{
    CursorShape shape = Draw(id, 32);
    shape.otherSizes.push_back(Draw(id, 16));
    return shape;
}

}  // namespace win::detail
