#include "platform/gui/detail/ButtonGlyph.h"

#include "platform/gui/Bitmap.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gui/Canvas.h"
#include "platform/text/DrawText.h"

namespace gui::detail {

namespace {

constexpr unsigned kCaptionFormat = win::DT_LEFT | win::DT_TOP | win::DT_SINGLELINE;

}  // namespace

ButtonGlyphLayout CalcButtonLayout(const win::RECT& client, win::SIZE glyphSize, win::SIZE textSize,
                                   TButtonLayout layout, int margin, int spacing)
{
    const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
    const int space = horizontal ? client.right - client.left : client.bottom - client.top;
    const int cross = horizontal ? client.bottom - client.top : client.right - client.left;
    const int glyphLength = horizontal ? glyphSize.cx : glyphSize.cy;
    const int textLength = horizontal ? textSize.cx : textSize.cy;
    // Nothing lies between a glyph and a missing caption, or a caption and a missing glyph.
    if (glyphLength == 0 || textLength == 0) {
        spacing = 0;
    }
    if (margin == -1) {
        if (spacing == -1) {
            margin = spacing = (space - glyphLength - textLength) / 3;
        } else {
            margin = (space - glyphLength - spacing - textLength) / 2;
        }
    } else if (spacing == -1) {
        spacing = (space - margin - glyphLength - textLength) / 2;
    }
    int glyphStart = margin;
    int textStart = margin + glyphLength + spacing;
    if (layout == blGlyphRight || layout == blGlyphBottom) {
        glyphStart = space - margin - glyphLength;
        textStart = glyphStart - spacing - textLength;
    }
    const int glyphCross = (cross - (horizontal ? glyphSize.cy : glyphSize.cx) + 1) / 2;
    const int textCross = (cross - (horizontal ? textSize.cy : textSize.cx) + 1) / 2;
    auto place = [&](int start, int across, win::SIZE size) {
        const int x = client.left + (horizontal ? start : across);
        const int y = client.top + (horizontal ? across : start);
        return win::RECT{x, y, x + size.cx, y + size.cy};
    };
    return {place(glyphStart, glyphCross, glyphSize), place(textStart, textCross, textSize)};
}

win::SIZE GlyphImageSize(TBitmap* glyph, int numGlyphs)
{
    if (!glyph || glyph->Empty() || numGlyphs < 1) {
        return {0, 0};
    }
    return {glyph->Width() / numGlyphs, glyph->Height()};
}

void DrawButtonGlyph(TCanvas& canvas, TBitmap* glyph, int numGlyphs, TButtonState state, win::POINT at)
{
    const win::SIZE size = GlyphImageSize(glyph, numGlyphs);
    if (size.cx <= 0 || size.cy <= 0) {
        return;
    }
    // A missing image falls back: exclusive to down, down to up; a missing disabled image is embossed.
    int index = int(state);
    if (state == bsExclusive && numGlyphs < 4) {
        index = bsDown;
    }
    if (index == bsDown && numGlyphs < 3) {
        index = bsUp;
    }
    const TColor transparent = glyph->Canvas()->Pixels(0, glyph->Height() - 1);
    if (state == bsDisabled && numGlyphs < 2) {
        TCanvas* image = glyph->Canvas();
        for (const auto& [offset, color] : {std::pair{1, clBtnHighlight}, std::pair{0, clBtnShadow}}) {
            for (int y = 0; y < size.cy; ++y) {
                for (int x = 0; x < size.cx; ++x) {
                    if (image->Pixels(x, y) != transparent) {
                        canvas.SetPixels(at.x + x + offset, at.y + y + offset, color);
                    }
                }
            }
        }
        return;
    }
    const TBrushStyle oldStyle = canvas.Brush()->Style();
    canvas.Brush()->SetStyle(bsClear);
    const int left = index * size.cx;
    canvas.BrushCopy({at.x, at.y, at.x + size.cx, at.y + size.cy}, glyph, {left, 0, left + size.cx, size.cy},
                     transparent);
    canvas.Brush()->SetStyle(oldStyle);
}

win::SIZE ButtonCaptionSize(TCanvas& canvas, const std::string& caption)
{
    if (caption.empty()) {
        return {0, 0};
    }
    win::RECT rect{0, 0, 0, 0};
    win::DrawTextA(canvas.Handle(), caption.data(), int(caption.size()), &rect, kCaptionFormat | win::DT_CALCRECT);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

void DrawButtonCaption(TCanvas& canvas, const std::string& caption, win::RECT rect, bool enabled)
{
    if (caption.empty()) {
        return;
    }
    const win::HDC dc = canvas.Handle();
    win::SetBkMode(dc, win::TRANSPARENT);
    if (!enabled) {
        win::RECT shifted{rect.left + 1, rect.top + 1, rect.right + 1, rect.bottom + 1};
        win::SetTextColor(dc, ColorToRGB(clBtnHighlight));
        win::DrawTextA(dc, caption.data(), int(caption.size()), &shifted, kCaptionFormat);
        win::SetTextColor(dc, ColorToRGB(clBtnShadow));
    } else {
        win::SetTextColor(dc, ColorToRGB(canvas.Font()->Color()));
    }
    win::DrawTextA(dc, caption.data(), int(caption.size()), &rect, kCaptionFormat);
}

}  // namespace gui::detail
