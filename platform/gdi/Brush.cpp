#include "platform/gdi/Brush.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/gdi/detail/Bitmap.h"
#include "platform/gdi/detail/Brush.h"
#include "platform/gdi/detail/DeviceContext.h"
#include "platform/gdi/detail/GdiObjects.h"
#include "platform/gdi/detail/Surface.h"

#include <algorithm>
#include <vector>

namespace win {

using namespace detail;

namespace {

constexpr int HatchSize = 8;

bool HatchLine(int style, int x, int y)
{
    const bool horizontal = y == 0;
    const bool vertical = x == 0;
    const bool forward = x == y;
    const bool backward = x + y == HatchSize - 1;
    switch (style) {
    case HS_HORIZONTAL:
        return horizontal;
    case HS_VERTICAL:
        return vertical;
    case HS_FDIAGONAL:
        return forward;
    case HS_BDIAGONAL:
        return backward;
    case HS_CROSS:
        return horizontal || vertical;
    default:
        return forward || backward;
    }
}

int Wrap(int value, int size)
{
    const int rest = value % size;
    return rest < 0 ? rest + size : rest;
}

HBRUSH AddBrush(std::unique_ptr<BrushObject> brush)
{
    auto lock = LockGdi();
    return static_cast<HBRUSH>(AddObject(std::move(brush)));
}

}  // namespace

HBRUSH CreateHatchBrush(int style, COLORREF color)
{
    if (style < HS_HORIZONTAL || style > HS_DIAGCROSS) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto brush = std::make_unique<BrushObject>();
    brush->logBrush.lbStyle = BS_HATCHED;
    brush->logBrush.lbColor = color & 0x00FFFFFF;
    brush->logBrush.lbHatch = static_cast<ULONG_PTR>(style);
    return AddBrush(std::move(brush));
}

HBRUSH CreatePatternBrush(HBITMAP bitmap)
{
    auto brush = std::make_unique<BrushObject>();
    {
        auto lock = LockGdi();
        BitmapObject* source = FindBitmap(bitmap);
        if (!source) {
            return nullptr;
        }
        source->Load();
        brush->monochrome = source->bitsPerPixel == 1;
        if (brush->monochrome) {
            // Stored as black and white whatever the bitmap's two colours, painted at use.
            auto pattern = std::make_shared<Surface>(source->Width(), source->Height());
            for (int y = 0; y < source->Height(); ++y) {
                for (int x = 0; x < source->Width(); ++x) {
                    const bool one = (source->surface.Pixel(x, y) & 0x00FFFFFF) == source->palette[1];
                    pattern->SetPixel(x, y, one ? 0x00FFFFFF : 0);
                }
            }
            brush->pattern = std::move(pattern);
        } else {
            // A pattern of its own, so that the bitmap may change or go.
            auto pattern = std::make_shared<Surface>(source->Width(), source->Height());
            for (int y = 0; y < source->Height(); ++y) {
                std::copy(source->surface.Row(y), source->surface.Row(y) + source->Width(), pattern->Row(y));
            }
            brush->pattern = std::move(pattern);
        }
    }
    brush->logBrush.lbStyle = BS_PATTERN;
    brush->logBrush.lbHatch = reinterpret_cast<ULONG_PTR>(bitmap);
    return AddBrush(std::move(brush));
}

HBRUSH CreateDIBPatternBrushPt(const void* packedDib, UINT usage)
{
    if (!packedDib || usage != DIB_RGB_COLORS) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const auto* info = static_cast<const BITMAPINFO*>(packedDib);
    const BITMAPINFOHEADER& header = info->bmiHeader;
    const auto* bits = reinterpret_cast<const std::uint8_t*>(packedDib) + header.biSize + DibColourTableBytes(header);
    BITMAPINFOHEADER target = header;
    target.biHeight = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    HBITMAP bitmap = CreateDIBitmap(nullptr, &target, CBM_INIT, bits, info, usage);
    if (!bitmap) {
        return nullptr;
    }
    HBRUSH brush = CreatePatternBrush(bitmap);
    DeleteObject(bitmap);
    if (brush) {
        auto lock = LockGdi();
        auto* record = FindObjectOf<BrushObject>(brush, OBJ_BRUSH);
        record->logBrush.lbStyle = BS_DIBPATTERNPT;
        record->logBrush.lbHatch = reinterpret_cast<ULONG_PTR>(packedDib);
    }
    return brush;
}

std::unique_ptr<BrushPaint> BrushPaint::Of(const DeviceContext& context, HBRUSH brush)
{
    const std::intptr_t value = HandleValue(brush);
    if (value > 0 && value <= ColorSchemeSize) {
        return std::make_unique<BrushPaint>(PixelFromColor(GetSysColor(static_cast<int>(value - 1))));
    }
    const auto* object = FindObjectOf<BrushObject>(brush, OBJ_BRUSH);
    if (!object || object->IsNull()) {
        return nullptr;
    }
    std::unique_ptr<BrushPaint> paint(new BrushPaint());
    paint->solid_ = PixelFromColor(object->Color());
    paint->background_ = PixelFromColor(context.state.backgroundColor);
    paint->text_ = PixelFromColor(context.state.textColor);
    paint->origin_ = context.state.brushOrigin;
    if (object->logBrush.lbStyle == BS_HATCHED) {
        paint->hatch_ = static_cast<int>(object->logBrush.lbHatch);
        paint->opaque_ = context.state.backgroundMode == OPAQUE;
    } else if (object->pattern) {
        paint->pattern_ = object->pattern;
        paint->monochrome_ = object->monochrome;
    }
    return paint;
}

bool BrushPaint::At(int x, int y, std::uint32_t& pixel) const
{
    if (hatch_ >= 0) {
        const bool line = HatchLine(hatch_, Wrap(x - origin_.x, HatchSize), Wrap(y - origin_.y, HatchSize));
        if (!line && !opaque_) {
            return false;
        }
        pixel = line ? solid_ : background_;
        return true;
    }
    if (pattern_) {
        if (pattern_->Width() == 0 || pattern_->Height() == 0) {
            return false;
        }
        const std::uint32_t value =
            pattern_->Pixel(Wrap(x - origin_.x, pattern_->Width()), Wrap(y - origin_.y, pattern_->Height())) & 0x00FFFFFF;
        pixel = monochrome_ ? (value ? background_ : text_) : value;
        return true;
    }
    pixel = solid_;
    return true;
}

int BrushPaint::Period() const
{
    if (hatch_ >= 0) {
        return HatchSize;
    }
    return pattern_ ? std::max(pattern_->Height(), 1) : 1;
}

bool BrushPaint::Row(int x, int y, int count, std::uint32_t* pixels, std::uint8_t* paints) const
{
    if (hatch_ >= 0) {
        // One period of the row, then repeated.
        std::uint32_t period[HatchSize];
        bool lines[HatchSize];
        const int column = Wrap(x - origin_.x, HatchSize);
        const int row = Wrap(y - origin_.y, HatchSize);
        for (int k = 0; k < HatchSize; ++k) {
            lines[k] = HatchLine(hatch_, (column + k) % HatchSize, row);
            period[k] = lines[k] ? solid_ : background_;
        }
        for (int k = 0; k < count; ++k) {
            pixels[k] = period[k % HatchSize];
        }
        if (opaque_) {
            return true;
        }
        for (int k = 0; k < count; ++k) {
            paints[k] = lines[k % HatchSize] ? 1 : 0;
        }
        return false;
    }
    if (pattern_) {
        if (pattern_->Width() == 0 || pattern_->Height() == 0) {
            std::fill(paints, paints + count, std::uint8_t{0});
            return false;
        }
        const std::uint32_t* line = pattern_->Row(Wrap(y - origin_.y, pattern_->Height()));
        int column = Wrap(x - origin_.x, pattern_->Width());
        for (int k = 0; k < count; ++k) {
            const std::uint32_t value = line[column] & 0x00FFFFFF;
            pixels[k] = monochrome_ ? (value ? background_ : text_) : value;
            column = column + 1 == pattern_->Width() ? 0 : column + 1;
        }
        return true;
    }
    std::fill(pixels, pixels + count, solid_);
    return true;
}

const Surface* BrushPaint::Tile(POINT& origin) const
{
    // pixman repeats tiles up to its 16-bit coordinates; a larger pattern is painted row by row.
    constexpr int largest = 4096;
    if (IsSolid() || (hatch_ >= 0 && !opaque_) ||
        (pattern_ && (pattern_->Width() == 0 || pattern_->Height() == 0 || pattern_->Width() > largest ||
                      pattern_->Height() > largest))) {
        return nullptr;
    }
    if (!tile_) {
        const int width = hatch_ >= 0 ? HatchSize : pattern_->Width();
        const int height = Period();
        auto tile = std::make_unique<Surface>(width, height);
        std::vector<std::uint8_t> paints(static_cast<std::size_t>(width));
        for (int y = 0; y < height; ++y) {
            Row(origin_.x, origin_.y + y, width, tile->Row(y), paints.data());
        }
        tile_ = std::move(tile);
    }
    origin = origin_;
    return tile_.get();
}

}  // namespace win
