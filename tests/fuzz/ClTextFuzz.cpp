// Feeds arbitrary bytes, text flags and rectangles to the controls' text routines: painting, bounds,
// fitting into rows and wrapping. Each must end and stay inside the text whatever it is given.
// Layout: 2 bytes text flags, 4 x 2 bytes rectangle (signed, scaled so that rects reach 30000 wide),
// 1 byte row count, then the text.
#include "controls/clGraphics.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "tests/fuzz/ControlsFuzz.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

int Coordinate(const std::uint8_t* p)
{
    const auto raw = static_cast<std::int16_t>(p[0] | (p[1] << 8));
    return raw;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::StartControlLibraries();
    if (size < 11)
        return 0;
    const int flags = data[0] | (data[1] << 8);
    const win::RECT rect{Coordinate(data + 2), Coordinate(data + 4), Coordinate(data + 6), Coordinate(data + 8)};
    const int rows = data[10] % 8;
    // The text is copied so that a read past its end is caught.
    const std::string text(reinterpret_cast<const char*>(data + 11), size - 11);

    win::BITMAPINFO info;
    info.bmiHeader.biWidth = 64;
    info.bmiHeader.biHeight = -32;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    win::HBITMAP bitmap = win::CreateDIBSection(nullptr, &info, win::DIB_RGB_COLORS, &bits, nullptr, 0);
    win::HDC dc = win::CreateCompatibleDC(nullptr);
    win::HGDIOBJ old = win::SelectObject(dc, bitmap);
    {
        gui::TCanvas frame;
        frame.SetHandle(dc);
        controls::TclCanvas canvas(&frame);
        canvas.PaintText(text, rect, flags & ~controls::clTextCalcRect, (flags & 0x8000) == 0);
        win::RECT bounds = rect;
        canvas.CalcTextBounds(text, bounds, flags);
        win::RECT fitted{};
        controls::clCalcTextRect(dc, text, rows, fitted, (flags & 0x8000) != 0);
        rtl::TStringList lines;
        controls::clWrapTextToLines(text, canvas, rect, lines);
        frame.SetHandle(nullptr);
    }
    win::SelectObject(dc, old);
    win::DeleteDC(dc);
    win::DeleteObject(bitmap);
    return 0;
}
