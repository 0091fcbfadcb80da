#include "controls/clRadioButtonImages.h"

#include "controls/clClasses.h"
#include "controls/clPainterResources.h"
#include "controls/uxOffice11Colors.h"
#include "platform/gdi/FrameControls.h"
#include "platform/gui/graphics/Colors.h"

#include <array>
#include <cstdint>
#include <tuple>
#include <utility>

namespace controls {

namespace {

// Freed by the painters' end, not by the program's exit (the platform is gone by then).
TclRadioButtonImageList* radioImages = nullptr;
// Until the painters start, and once they have ended, there are none.
bool radioImagesEnded = true;

bool IsBlack(gui::TCanvas* canvas, int x, int y)
{
    return (win::COLORREF(canvas->Pixels(x, y)) & 0xFFFFFF) == 0;
}

// A bitmap of the size, every pixel one colour.
std::unique_ptr<gui::TBitmap> Filled(win::SIZE size, gui::TColor color)
{
    auto bitmap = std::make_unique<gui::TBitmap>();
    bitmap->SetPixelFormat(gui::pf32bit);
    bitmap->SetSize(size.cx, size.cy);
    bitmap->Canvas()->Brush()->SetColor(color);
    bitmap->Canvas()->FillRect(win::RECT{0, 0, size.cx, size.cy});
    return bitmap;
}

// A round rectangle whose corner ellipse is one pixel smaller than the rect: an ellipse.
void Ellipse(gui::TCanvas* canvas, const win::RECT& r, gui::TColor interior)
{
    canvas->Pen()->SetColor(gui::clBlack);
    canvas->Brush()->SetColor(interior);
    canvas->RoundRect(r.left, r.top, r.right, r.bottom, r.right - r.left - 1, r.bottom - r.top - 1);
}

// The seven colours of one image, by code.
std::array<gui::TColor, 7> ImageColours(TclLookAndFeelKind kind, TclButtonState state, bool checked, bool emphasised,
                                        bool emphasisedUnlessDisabled)
{
    const bool disabled = state == cxbsDisabled;
    gui::TColor body = gui::clWindow;
    switch (kind) {
    case lfFlat:
    case lfStandard:
        body = state == cxbsPressed || disabled ? gui::clBtnFace : gui::clWindow;
        break;
    case lfUltraFlat:
        body = state == cxbsHot ? clHotTintColor()
               : state == cxbsPressed ? clPressedTintColor()
               : disabled ? gui::clBtnFace
                          : gui::clWindow;
        break;
    case lfOffice11:
        body = state == cxbsNormal ? gui::clWindow : TclOffice11LookAndFeelPainter::Class()->ButtonFaceColor(state);
        break;
    }
    const bool active = state == cxbsHot || state == cxbsPressed;
    std::array<gui::TColor, 7> colours{gui::clBlack, gui::clBtnShadow, gui::clBtnHighlight, gui::cl3DLight,
                                       gui::cl3DLight, body, body};
    if (kind == lfStandard)
        colours[3] = gui::cl3DDkShadow;
    if (kind == lfUltraFlat || kind == lfOffice11) {
        gui::TColor ring;
        if (kind == lfUltraFlat)
            ring = emphasised || active || (emphasisedUnlessDisabled && !disabled) ? gui::clHighlight
                                                                                  : gui::clBtnShadow;
        else
            ring = disabled                                                ? uxOffice11DisabledTextColor()
                   : emphasised || emphasisedUnlessDisabled || active      ? uxOffice11SelectedBorderColor()
                                                                           : gui::clBtnText;
        colours[1] = colours[2] = ring;
        colours[3] = colours[4] = body;
    }
    if (checked)
        colours[6] = !disabled ? gui::clWindowText
                     : kind == lfOffice11 ? uxOffice11DisabledTextColor()
                                          : gui::clBtnShadow;
    return colours;
}

}  // namespace

TclRadioButtonImageList::TclRadioButtonImageList()
{
    Measure();
    MakePattern();
    images_ = std::make_unique<gui::TImageList>(size_.cx, size_.cy);
    Rebuild();
}

TclRadioButtonImageList::~TclRadioButtonImageList() = default;

int TclRadioButtonImageList::ImageKey(TclLookAndFeelKind kind, TclButtonState state, bool checked, bool emphasised,
                                      bool emphasisedUnlessDisabled)
{
    if (state < cxbsNormal || state > cxbsDisabled)
        state = cxbsNormal;
    return (state - 1) + 4 * int(checked) + 8 * int(kind) + 32 * int(emphasisedUnlessDisabled) + 64 * int(emphasised);
}

void TclRadioButtonImageList::Measure()
{
    const win::SIZE cell = clCheckBoxSize();
    auto bitmap = Filled(cell, gui::clBlack);
    gui::TCanvas* canvas = bitmap->Canvas();
    win::RECT all{0, 0, cell.cx, cell.cy};
    win::DrawFrameControl(canvas->Handle(), &all, win::DFC_BUTTON, win::DFCS_BUTTONRADIOMASK | win::DFCS_FLAT);
    int left = -1;
    int top = -1;
    for (int x = 0; x < cell.cx; ++x)
        for (int y = 0; y < cell.cy; ++y)
            if (IsBlack(canvas, x, y)) {
                if (left < 0)
                    left = x;
                size_.cx = x - left + 1;
                break;
            }
    for (int y = 0; y < cell.cy; ++y)
        for (int x = 0; x < cell.cx; ++x)
            if (IsBlack(canvas, x, y)) {
                if (top < 0)
                    top = y;
                size_.cy = y - top + 1;
                break;
            }
    origin_ = win::POINT{std::max(left, 0), std::max(top, 0)};

    canvas->Brush()->SetColor(gui::clBlack);
    canvas->FillRect(all);
    win::DrawFrameControl(canvas->Handle(), &all, win::DFC_BUTTON,
                          win::DFCS_BUTTONRADIOIMAGE | win::DFCS_CHECKED | win::DFCS_FLAT);
    const win::COLORREF dotColour = gui::ColorToRGB(gui::clWindowText);
    const auto isDot = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < cell.cx && y < cell.cy && win::COLORREF(canvas->Pixels(x, y)) == dotColour;
    };
    // From the start back while the dot colour lasts, then on from the first dot pixel to the first other.
    const auto span = [](int start, const auto& dotAt) {
        int i = start;
        while (dotAt(i))
            --i;
        const int first = i + 1;
        for (i = first + 1; dotAt(i);)
            ++i;
        return std::pair{first, i};
    };
    const int column = origin_.x + size_.cx / 2 - 1;
    const int row = origin_.y + size_.cy / 2 - 1;
    std::tie(dot_.top, dot_.bottom) = span(origin_.y + size_.cy / 2 - 2, [&](int y) { return isDot(column, y); });
    std::tie(dot_.left, dot_.right) = span(origin_.x + size_.cx / 2 - 2, [&](int x) { return isDot(x, row); });
}

void TclRadioButtonImageList::MakePattern()
{
    const int w = size_.cx;
    const int h = size_.cy;
    pattern_.assign(std::size_t(h), std::vector<int>(std::size_t(w), 0));
    if (w <= 0 || h <= 0)
        return;
    const auto cell = [&](int r, int c) -> int& { return pattern_[std::size_t(r)][std::size_t(c)]; };

    // Outer ring, split by the diagonal from the bottom-left to the top-right corner.
    auto ring = Filled(size_, gui::clWhite);
    Ellipse(ring->Canvas(), win::RECT{0, 0, w, h}, gui::clWhite);
    for (int i = 0; i < h; ++i)
        for (int j = 0; j < w; ++j)
            if (IsBlack(ring->Canvas(), j, i))
                cell(i, j) = (h - 1) * (w - 1 - j) < i * (w - 1) ? 2 : 1;

    // Body: from the middle outwards along each row while the cells are empty.
    for (int r = 1; r <= h - 2; ++r) {
        for (int c = w / 2 - 1; c >= 0 && cell(r, c) == 0; --c)
            cell(r, c) = 5;
        for (int c = w / 2; c < w && cell(r, c) == 0; ++c)
            cell(r, c) = 5;
    }

    // Inner ring: the last cell before the outer ring on each scan (every passed cell on the scans next to
    // the outer ring's flat sides).
    const auto mark = [&](int r, int c) {
        const int lower = (w - 1 - c) * (h - 1);
        const int upper = (w - 1) * r;
        cell(r, c) = lower < upper || (lower == upper && c > w / 2 - 1) ? 4 : 3;
    };
    const auto isRing = [&](int r, int c) { return cell(r, c) == 1 || cell(r, c) == 2; };
    const auto scan = [&](int r, int c, int dr, int dc, bool markAll) {
        int steps = 0;
        while (r >= 0 && c >= 0 && r < h && c < w && !isRing(r, c)) {
            if (markAll)
                mark(r, c);
            r += dr;
            c += dc;
            ++steps;
        }
        if (steps > 0)
            mark(r - dr, c - dc);
    };
    for (int r = 1; r <= h - 2; ++r) {
        const bool edge = r == 1 || r == h - 2;
        scan(r, w / 2 - 1, 0, -1, edge);
        scan(r, w / 2, 0, 1, edge);
    }
    for (int c = 1; c <= w - 2; ++c) {
        const bool edge = c == 1 || c == w - 2;
        scan(h / 2 - 1, c, -1, 0, edge);
        scan(h / 2, c, 1, 0, edge);
    }

    // Dot.
    auto dot = Filled(size_, gui::clWhite);
    Ellipse(dot->Canvas(), clRectShift(dot_, -origin_.x, -origin_.y), gui::clBlack);
    for (int i = 0; i < h; ++i)
        for (int j = 0; j < w; ++j)
            if (IsBlack(dot->Canvas(), j, i))
                cell(i, j) = 6;

    // Mask: black where the radio is opaque.
    mask_ = std::make_unique<gui::TBitmap>();
    mask_->SetMonochrome(true);
    mask_->SetSize(w, h);
    mask_->Canvas()->Brush()->SetColor(gui::clWhite);
    mask_->Canvas()->FillRect(win::RECT{0, 0, w, h});
    Ellipse(mask_->Canvas(), win::RECT{0, 0, w, h}, gui::clBlack);
}

void TclRadioButtonImageList::Rebuild()
{
    images_->Clear();
    if (size_.cx <= 0 || size_.cy <= 0)
        return;
    gui::TBitmap image;
    image.SetPixelFormat(gui::pf32bit);
    image.SetSize(size_.cx, size_.cy);
    for (int emphasised = 0; emphasised < 2; ++emphasised)
        for (int unlessDisabled = 0; unlessDisabled < 2; ++unlessDisabled)
            for (int kind = 0; kind < 4; ++kind)
                for (int checked = 0; checked < 2; ++checked)
                    for (TclButtonState state = cxbsNormal; state <= cxbsDisabled; ++state) {
                        const std::array<gui::TColor, 7> colours =
                            ImageColours(TclLookAndFeelKind(kind), state, checked, emphasised, unlessDisabled);
                        std::array<std::uint32_t, 7> pixels{};
                        for (std::size_t i = 0; i < 7; ++i) {
                            const win::COLORREF rgb = gui::ColorToRGB(colours[i]);
                            pixels[i] = (rgb & 0xFF) << 16 | (rgb & 0xFF00) | (rgb >> 16 & 0xFF);
                        }
                        for (int y = 0; y < size_.cy; ++y) {
                            auto* row = static_cast<std::uint32_t*>(image.ScanLine(y));
                            for (int x = 0; x < size_.cx; ++x)
                                row[x] = pixels[std::size_t(pattern_[std::size_t(y)][std::size_t(x)])];
                        }
                        images_->Add(&image, mask_.get());
                    }
}

void TclRadioButtonImageList::PaintImage(TclCanvas& canvas, int x, int y, TclLookAndFeelKind kind,
                                         TclButtonState state, bool checked, bool emphasised,
                                         bool emphasisedUnlessDisabled, gui::TColor backColor) const
{
    const int key = ImageKey(kind, state, checked, emphasised, emphasisedUnlessDisabled);
    if (backColor == gui::clDefault) {
        images_->Draw(canvas.Canvas(), x, y, key, true);
        return;
    }
    auto bitmap = Filled(size_, gui::TColor(gui::ColorToRGB(backColor)));
    images_->Draw(bitmap->Canvas(), 0, 0, key, true);
    canvas.DrawGraphic(x, y, bitmap.get());
}

TclRadioButtonImageList* clRadioButtonImages()
{
    if (!radioImages && !radioImagesEnded)
        radioImages = new TclRadioButtonImageList;
    return radioImages;
}

namespace detail {
void StartRadioButtonImages()
{
    radioImagesEnded = false;
}

void RebuildRadioButtonImages()
{
    if (radioImages)
        radioImages->Rebuild();
}

void FreeRadioButtonImages()
{
    delete radioImages;
    radioImages = nullptr;
    radioImagesEnded = true;
}
}  // namespace detail

}  // namespace controls
