#include "platform/gdi/detail/Compositing.h"

#include <pixman.h>

#include <algorithm>
#include <memory>

namespace win {

using namespace detail;

namespace {

// pixman works on 16-bit coordinates; larger rectangles go in pieces of at most this many pixels a side.
constexpr int kPiece = 16384;

struct ImageRelease {
    void operator()(pixman_image_t* image) const { pixman_image_unref(image); }
};
using Image = std::unique_ptr<pixman_image_t, ImageRelease>;

// An image over width x height pixels of a surface from (left, top), its rows as the surface's (bottom-up
// rows too). pixman only reads a source image, so a const surface is handed over as it is.
Image ImageOf(const Surface& surface, int left, int top, int width, int height)
{
    auto* first = const_cast<std::uint32_t*>(surface.Row(top) + left);
    return Image(pixman_image_create_bits_no_clear(PIXMAN_a8r8g8b8, width, height, first,
                                                   static_cast<int>(surface.Stride())));
}

int Wrapped(std::int64_t value, int size)
{
    const auto rest = static_cast<int>(value % size);
    return rest < 0 ? rest + size : rest;
}

// Calls piece(left, top, width, height) for each piece of rect.
template <class Piece>
void InPieces(const RECT& rect, Piece piece)
{
    for (int top = rect.top; top < rect.bottom; top += kPiece) {
        for (int left = rect.left; left < rect.right; left += kPiece) {
            piece(left, top, std::min(kPiece, rect.right - left), std::min(kPiece, rect.bottom - top));
        }
    }
}

}  // namespace

void detail::FillTiled(Surface& destination, const RECT& rect, const Surface& tile, POINT origin)
{
    const Image pattern = ImageOf(tile, 0, 0, tile.Width(), tile.Height());
    if (!pattern) {
        return;  // pixman is out of memory for the image's record
    }
    pixman_image_set_repeat(pattern.get(), PIXMAN_REPEAT_NORMAL);
    InPieces(rect, [&](int left, int top, int width, int height) {
        const Image target = ImageOf(destination, left, top, width, height);
        if (!target) {
            return;
        }
        pixman_image_composite32(PIXMAN_OP_SRC, pattern.get(), nullptr, target.get(),
                                 Wrapped(std::int64_t{left} - origin.x, tile.Width()),
                                 Wrapped(std::int64_t{top} - origin.y, tile.Height()), 0, 0, 0, 0, width, height);
    });
}

void detail::BlendOver(Surface& destination, const RECT& rect, const Surface& source, POINT sourceAt,
                       std::uint8_t constantAlpha)
{
    Image mask;
    if (constantAlpha != 255) {
        const pixman_color_t alpha{0, 0, 0, static_cast<std::uint16_t>(constantAlpha * 257)};
        mask = Image(pixman_image_create_solid_fill(&alpha));
    }
    InPieces(rect, [&](int left, int top, int width, int height) {
        const Image target = ImageOf(destination, left, top, width, height);
        const Image from = ImageOf(source, sourceAt.x + (left - rect.left), sourceAt.y + (top - rect.top), width, height);
        if (!target || !from || (constantAlpha != 255 && !mask)) {
            return;  // pixman is out of memory for an image's record
        }
        pixman_image_composite32(PIXMAN_OP_OVER, from.get(), mask.get(), target.get(), 0, 0, 0, 0, 0, 0, width,
                                 height);
    });
}

}  // namespace win
