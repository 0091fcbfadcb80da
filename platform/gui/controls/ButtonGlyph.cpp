#include "platform/gui/controls/detail/ButtonGlyph.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gui/graphics/Canvas.h"
#include "platform/rtl/Exceptions.h"
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

ButtonGlyph::ButtonGlyph(std::function<void()> changed)
    : changed_(std::move(changed)), glyph_(std::make_unique<TBitmap>())
{
    glyph_->OnChange = classes::TNotifyEvent::Of<&ButtonGlyph::Changed>(this);
}

ButtonGlyph::~ButtonGlyph()
{
    glyph_->OnChange = {};
}

void ButtonGlyph::SetNumGlyphs(int value)
{
    if (value < 1 || value > 4) {
        throw rtl::EInvalidArgument("NumGlyphs must lie within 1..4, not " + std::to_string(value));
    }
    numGlyphs_ = value;
    changed_();
}

void ButtonGlyph::SetLayout(TButtonLayout value)
{
    layout_ = value;
    changed_();
}

void ButtonGlyph::SetMargin(int value)
{
    margin_ = std::max(value, -1);
    changed_();
}

void ButtonGlyph::SetSpacing(int value)
{
    spacing_ = std::max(value, -1);
    changed_();
}

win::SIZE ButtonGlyph::ImageSize() const
{
    if (glyph_->Empty()) {
        return {0, 0};
    }
    return {glyph_->Width() / numGlyphs_, glyph_->Height()};
}

void ButtonGlyph::DrawImage(TCanvas& canvas, TButtonState state, win::POINT at) const
{
    const win::SIZE size = ImageSize();
    if (size.cx <= 0 || size.cy <= 0) {
        return;
    }
    // A missing image falls back: exclusive to down, down to up; a missing disabled image is embossed.
    int index = int(state);
    if (state == bsExclusive && numGlyphs_ < 4) {
        index = bsDown;
    }
    if (index == bsDown && numGlyphs_ < 3) {
        index = bsUp;
    }
    TCanvas* image = glyph_->Canvas();
    const TColor transparent = image->Pixels(0, glyph_->Height() - 1);
    if (state == bsDisabled && numGlyphs_ < 2) {
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
    canvas.BrushCopy({at.x, at.y, at.x + size.cx, at.y + size.cy}, glyph_.get(), {left, 0, left + size.cx, size.cy},
                     transparent);
    canvas.Brush()->SetStyle(oldStyle);
}

void ButtonGlyph::Draw(TCanvas& canvas, const win::RECT& content, const std::string& caption, TButtonState state) const
{
    const win::HDC dc = canvas.Handle();
    win::SIZE textSize{0, 0};
    if (!caption.empty()) {
        win::RECT measured{0, 0, 0, 0};
        win::DrawTextA(dc, caption.data(), int(caption.size()), &measured, kCaptionFormat | win::DT_CALCRECT);
        textSize = {measured.right - measured.left, measured.bottom - measured.top};
    }
    const ButtonGlyphLayout placed = CalcButtonLayout(content, ImageSize(), textSize, layout_, margin_, spacing_);
    DrawImage(canvas, state, {placed.glyph.left, placed.glyph.top});
    if (caption.empty()) {
        return;
    }
    win::RECT rect = placed.text;
    win::SetBkMode(dc, win::TRANSPARENT);
    if (state == bsDisabled) {
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
