#include "platform/gui/dialogs/detail/PrintPictures.h"

#include "platform/gui/graphics/Brush.h"
#include "platform/gui/graphics/Pen.h"

#include <algorithm>
#include <string>

namespace gui::detail {

namespace {

// A sheet: white with a black edge, its number in the middle when it has one.
void DrawSheet(TCanvas& canvas, const win::RECT& sheet, const std::string& number)
{
    canvas.Pen()->SetColor(clBlack);
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(clWhite);
    canvas.Rectangle(sheet);
    if (number.empty())
        return;
    const win::SIZE size = canvas.TextExtent(number);
    canvas.Brush()->SetStyle(bsClear);
    canvas.TextOut((sheet.left + sheet.right - size.cx) / 2, (sheet.top + sheet.bottom - size.cy) / 2, number);
}

}  // namespace

void DrawCollatePicture(TCanvas& canvas, const win::RECT& area, bool collate)
{
    // Piles of sheets, each sheet behind lying a step up and to the right; the front one is numbered.
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    const int step = std::max(3, width / 24);
    const int sheetWidth = width * 5 / 24;
    const int sheetHeight = std::max(step + 4, height - 2 * step);
    const int piles = collate ? 2 : 3;
    const int perPile = collate ? 3 : 2;
    const int pileWidth = sheetWidth + (perPile - 1) * step;
    const int gap = step;
    int left = area.left + (width - piles * pileWidth - (piles - 1) * gap) / 2;
    const int bottom = area.top + (height + sheetHeight + (perPile - 1) * step) / 2;
    for (int pile = 0; pile < piles; ++pile, left += pileWidth + gap) {
        for (int back = perPile - 1; back >= 0; --back) {
            const int x = left + back * step;
            const int y = bottom - sheetHeight - back * step;
            // Collated piles hold 1, 2, 3 front to back; the others one page each.
            const int page = collate ? back + 1 : pile + 1;
            DrawSheet(canvas, {x, y, x + sheetWidth, y + sheetHeight}, back == 0 ? std::to_string(page) : "");
        }
    }
}

void DrawOrientationPicture(TCanvas& canvas, const win::RECT& area, bool landscape)
{
    const int side = std::min(area.right - area.left, area.bottom - area.top);
    const int longSide = side - 2;
    const int shortSide = longSide * 3 / 4;
    const int pageWidth = landscape ? longSide : shortSide;
    const int pageHeight = landscape ? shortSide : longSide;
    const int left = (area.left + area.right - pageWidth) / 2;
    const int top = (area.top + area.bottom - pageHeight) / 2;
    DrawSheet(canvas, {left, top, left + pageWidth, top + pageHeight}, "");
    // Lines of text across the page, a margin in from its edges.
    const int margin = std::max(3, shortSide / 6);
    canvas.Pen()->SetColor(clGray);
    for (int y = top + margin; y < top + pageHeight - margin; y += 3) {
        canvas.MoveTo(left + margin, y);
        canvas.LineTo(left + pageWidth - margin, y);
    }
}

}  // namespace gui::detail
