// The content of a tab: where its image and caption go, from the painter's margins, and their drawing
// (vertical captions through a cached bitmap turned a quarter).

#include "controls/pagecontrol/clPCPainters.h"

#include "controls/pagecontrol/clPCImageList.h"

#include "controls/clBitmaps.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/text/DrawText.h"

#include <algorithm>
#include <string>
#include <vector>

namespace pagecontrol {

namespace {

bool SwapsForCode(int code) { return code == 5 || code == 7 || code == 10; }

// An interval of the across axis of a tab, for a content item of the given thickness.
struct Span {
    int from = 0;
    int to = 0;
};

// Step 4 and 5 of the layout: the item centred across between the margins.
Span AcrossSpan(const win::RECT& r, const win::RECT& m, TclPCCaptionDirection direction, int thickness)
{
    switch (direction) {
    case cdHorizontal: {
        const int top = r.top + m.top + ((r.bottom - m.bottom) - (r.top + m.top) - thickness) / 2;
        return {top, top + thickness};
    }
    case cdBottomToTop: {
        const int left = r.left + m.top + ((r.right - m.bottom) - (r.left + m.top) - thickness) / 2;
        return {left, left + thickness};
    }
    default: {
        const int space = (r.right - m.top) - (r.left + m.bottom);
        const int right = (r.right - m.top) - (space - thickness) / 2;
        return {right - thickness, right};
    }
    }
}

// The rectangle of an interval [from, to) along the caption (from the caption's start) and across.
win::RECT Place(const win::RECT& r, TclPCCaptionDirection direction, int from, int to, const Span& across)
{
    switch (direction) {
    case cdHorizontal:
        return {r.left + from, across.from, r.left + to, across.to};
    case cdBottomToTop:
        return {across.from, r.bottom - to, across.to, r.bottom - from};
    default:
        return {across.from, r.top + from, across.to, r.top + to};
    }
}

// Whether nothing of a caption beginning with one accelerator mark fits: the platform writes the
// shortened text back without prefix marks and no longer than the caption.
bool OnlyEllipsisShown(const std::string& caption, const std::string& shortened)
{
    const bool singleMark = caption.size() >= 2 && caption[0] == '&' && caption[1] != '&';
    return singleMark && !shortened.empty() && std::string("...").compare(0, shortened.size(), shortened) == 0
           && shortened.size() <= 3;
}

}  // namespace

void TclPCCustomPainter::AdjustMargins(int visibleIndex, win::RECT& margins)
{
    TclCustomTabControl* control = Control();
    const TclPCCaptionDirection direction = control->CaptionDirection();
    if (ClassRef()->HasPressedTabState()) {
        const bool active = UseActiveTabMetrics(visibleIndex);
        if (direction == cdTopToBottom ? !active : active) {
            margins.top += 1;
            margins.bottom -= 1;
        }
    } else if (control->Rotate()) {
        margins.top = 0;
        margins.bottom = 0;
    }
    if (ClassRef()->MovesActiveRowToFrame()
        && SwapsForCode(ParentInfo().VisibleTab(visibleIndex)->ContentOrientationCode())) {
        std::swap(margins.top, margins.bottom);
    }
}

void TclPCCustomPainter::AdjustOffsets(int visibleIndex, TclPCDistance& offsets, bool forImageOnly)
{
    const int code = ParentInfo().VisibleTab(visibleIndex)->ContentOrientationCode();
    if (IsNativePainting() && (code == 2 || code == 9 || code == 12)) {
        std::swap(offsets.dw, offsets.dh);
    }
    const bool bottomToTop = Control()->CaptionDirection() == cdBottomToTop && !IsNativePainting();
    if (ClassRef()->HasPressedTabState() && UseActiveTabMetrics(visibleIndex)) {
        offsets.dw += bottomToTop ? -1 : 1;
        offsets.dh += bottomToTop ? 1 : -1;
    }
    if (!forImageOnly && ClassRef()->HasPressedTabState() && HasImages() && bottomToTop) {
        offsets.dw += 1;
        offsets.dh -= 1;
    }
}

void TclPCCustomPainter::CalculateTabContentRects(int visibleIndex, win::RECT& imageRect, win::RECT& textRect)
{
    imageRect = {};
    textRect = {};
    TclCustomTabControl* control = Control();
    TclTab* tab = ParentInfo().VisibleTab(visibleIndex);
    const bool native = IsNativePainting();
    const TclPCCaptionDirection direction = native ? cdHorizontal : control->CaptionDirection();
    const bool hasImages = HasImages();
    const bool tabImage = HasTabImage(visibleIndex);
    const std::string& caption = tab->Caption();

    win::RECT r = tab->FullRect();
    if (native) {
        int width = r.right - r.left;
        int height = r.bottom - r.top;
        if (control->CaptionDirection() != cdHorizontal) {
            std::swap(width, height);
        }
        r = {0, 0, width, height};
    }
    const win::SIZE imageSize = GetRotatedImageSize();
    const bool horizontal = direction == cdHorizontal;
    const int imageAcross = horizontal ? imageSize.cy : imageSize.cx;
    const int imageAlong = horizontal ? imageSize.cx : imageSize.cy;
    const int extent = horizontal ? r.right - r.left : r.bottom - r.top;

    Span imageAcrossSpan;
    if (tabImage) {
        win::RECT margins{};
        GetTabImageAreaMargins(visibleIndex, margins);
        AdjustMargins(visibleIndex, margins);
        imageAcrossSpan = AcrossSpan(r, margins, direction, imageAcross);
    }
    if (caption.empty()) {
        if (!tabImage) {
            return;
        }
        TclPCDistance offsets;
        GetTabImageOnlyOffset(visibleIndex, offsets);
        AdjustOffsets(visibleIndex, offsets, true);
        const int space = extent - offsets.dw - offsets.dh;
        int from = offsets.dw + (space - imageAlong) / 2;
        if (direction == cdBottomToTop && ClassRef()->HasPressedTabState()) {
            // Centred from the top: the odd pixel goes to the bottom.
            from = extent - (offsets.dh + (space - imageAlong) / 2) - imageAlong;
        }
        imageRect = Place(r, direction, from, from + imageAlong, imageAcrossSpan);
        return;
    }

    controls::TclCanvas& canvas = Canvas();
    win::RECT textMargins{};
    GetTabTextAreaMargins(visibleIndex, textMargins);
    AdjustMargins(visibleIndex, textMargins);
    const int textHeight = canvas.MeasureTextHeight("Zg");
    const Span textAcrossSpan = AcrossSpan(r, textMargins, direction, textHeight);

    TclPCDistance margins;
    GetTabContentMargins(visibleIndex, margins);
    AdjustOffsets(visibleIndex, margins, false);
    int available = extent - margins.dw - margins.dh;
    const bool imageColumn = tabImage || (hasImages && control->Rotate());
    const int imagePart =
        imageColumn ? GetImageTextDistance(visibleIndex) + 2 * control->ImageBorder() + imageAlong : 0;
    win::RECT measured{0, 0, 0, 0};
    controls::clDrawAnsiText(canvas.GetDCHandle(), caption, measured, -1, win::DT_SINGLELINE | win::DT_CALCRECT);
    const bool truncated = available - imagePart < measured.right - measured.left;
    if (truncated) {
        GetTruncatedTabContentMargins(visibleIndex, margins);
        AdjustOffsets(visibleIndex, margins, false);
        available = extent - margins.dw - margins.dh;
    }

    int textWidth = 0;
    const int room = available - imagePart;
    if (room > 0) {
        std::vector<char> buffer(caption.begin(), caption.end());
        buffer.push_back('\0');
        win::RECT fit{0, 0, room, textHeight};
        win::DrawTextA(canvas.GetDCHandle(), buffer.data(), -1, &fit,
                       win::DT_SINGLELINE | win::DT_END_ELLIPSIS | win::DT_MODIFYSTRING | win::DT_CALCRECT);
        textWidth = fit.right - fit.left;
        if (textWidth > room || OnlyEllipsisShown(caption, std::string(buffer.data()))) {
            textWidth = 0;
        }
    }
    if (imagePart + textWidth <= 0) {
        return;
    }

    const bool rotatedImages = hasImages && control->Rotate();
    int position = margins.dw;
    if (!truncated && !rotatedImages) {
        position += (available - (imagePart + textWidth)) / 2;
    }
    if (tabImage) {
        const int from = position + control->ImageBorder();
        imageRect = Place(r, direction, from, from + imageAlong, imageAcrossSpan);
    }
    position += imagePart;
    if (!truncated && rotatedImages) {
        position += ((extent - margins.dh) - position - textWidth) / 2;
    }
    textRect = Place(r, direction, position, position + textWidth, textAcrossSpan);
}

void TclPCCustomPainter::PaintTabImageAndText(int visibleIndex)
{
    TclCustomTabControl* control = Control();
    TclTab* tab = ParentInfo().VisibleTab(visibleIndex);
    controls::TclCanvas& canvas = Canvas();
    layoutVisibleIndex_ = visibleIndex;
    PrepareTabCanvasFont(visibleIndex, canvas);
    win::RECT imageRect{};
    win::RECT textRect{};
    CalculateTabContentRects(visibleIndex, imageRect, textRect);
    StoreTabImageAndTextRects(visibleIndex, imageRect, textRect);
    const gui::TColor bodyColor = GetTabBodyColor(visibleIndex);
    const bool selectable = tab->IsSelectable();

    const int imageIndex = control->GetTabImageIndex(tab->Index());
    if (imageIndex != -1 && !controls::clRectHasNoArea(imageRect)) {
        gui::TCanvas* target = IsNativePainting() ? tab->PaintBitmap()->Canvas() : canvas.Canvas();
        control->ImageList()->Draw(target, imageRect.left, imageRect.top, selectable, bodyColor, imageIndex);
    }
    if (!tab->Caption().empty() && !controls::clRectHasNoArea(textRect)) {
        DrawCaption(visibleIndex, textRect, selectable);
    }
    if (!IsNativePainting()) {
        const win::RECT visible = tab->VisibleRect();
        for (const win::RECT& rect : {imageRect, textRect}) {
            win::RECT part{};
            if (win::IntersectRect(&part, &rect, &visible)) {
                canvas.ExcludeFromClip(part);
            }
        }
    }
}

void TclPCCustomPainter::DrawCaption(int visibleIndex, const win::RECT& textRect, bool selectable)
{
    TclCustomTabControl* control = Control();
    TclTab* tab = ParentInfo().VisibleTab(visibleIndex);
    const TclPCCaptionDirection direction = control->CaptionDirection();
    const int width = textRect.right - textRect.left;
    const int height = textRect.bottom - textRect.top;
    if (IsNativePainting()) {
        gui::TBitmap* bitmap = tab->PaintBitmap();
        bitmap->Canvas()->SetFont(Canvas().GetCanvasFont());
        RenderCaption(bitmap, textRect, visibleIndex, selectable);
        return;
    }
    if (direction != cdHorizontal) {
        if (!tab->RotatedCaptionBitmap()) {
            auto bitmap = std::make_unique<controls::TclBitmap>(height, width);
            RenderCaption(bitmap.get(), win::RECT{0, 0, height, width}, visibleIndex, selectable);
            controls::TclCanvas::RotateFlipBitmap(bitmap.get(), direction == cdBottomToTop ? 1 : 2, false);
            tab->SetRotatedCaptionBitmap(std::move(bitmap));
        }
        Canvas().DrawGraphic(textRect.left, textRect.top, tab->RotatedCaptionBitmap());
        return;
    }
    controls::TclBitmap bitmap(width, height);
    RenderCaption(&bitmap, win::RECT{0, 0, width, height}, visibleIndex, selectable);
    Canvas().DrawGraphic(textRect.left, textRect.top, &bitmap);
}

void TclPCCustomPainter::RenderCaption(gui::TBitmap* bitmap, const win::RECT& rect, int visibleIndex, bool selectable)
{
    controls::TclCanvas& source = Canvas();
    gui::TCanvas* target = bitmap->Canvas();
    if (!IsNativePainting()) {
        target->SetFont(source.GetCanvasFont());
        target->SetPen(source.GetCanvasPen());
        target->SetBrush(source.GetCanvasBrush());
        target->Brush()->SetColor(GetTabBodyColor(visibleIndex));
        target->Brush()->SetStyle(gui::bsSolid);
        target->FillRect(rect);
    }
    FillTabTextBitmap(bitmap, rect, visibleIndex);
    target->Brush()->SetStyle(gui::bsClear);
    controls::TclCanvas canvas(target);
    const std::string& caption = ParentInfo().VisibleTab(visibleIndex)->Caption();
    if (selectable) {
        DrawTabText(canvas, caption, visibleIndex, rect);
        return;
    }
    const gui::TColor color = target->Font()->Color();
    target->Font()->SetColor(gui::clBtnHighlight);
    if (HasEmbossedDisabledText()) {
        DrawTabText(canvas, caption, visibleIndex, controls::clRectShift(rect, 1, 1));
        target->Font()->SetColor(gui::clBtnShadow);
    }
    DrawTabText(canvas, caption, visibleIndex, rect);
    target->Font()->SetColor(color);
}

}  // namespace pagecontrol
