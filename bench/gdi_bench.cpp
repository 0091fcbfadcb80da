// Speed of the drawing layer beside references measured in the same run (bench/Timing.h): the blits,
// fills, stretches and blends on a 1000 x 700 surface beside pixman compositing the same and plain loops;
// drawing on DIB sections of each depth beside the same on 32 bits; DrawText of 2,000 wrapped words
// beside ExtTextOut of the same lines and, when the benchmark was built with them, beside pango's layout
// and cairo's drawing of the same text.

#include "bench/Timing.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Blit.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/rtl/Rtl.h"
#include "platform/text/DrawText.h"
#include "platform/text/Text.h"
#include "platform/text/TextMetrics.h"
#include "platform/text/TextOut.h"

#include <pixman.h>
#if RIVUVE_BENCH_PANGO
#include <pango/pangocairo.h>
#endif

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace win;

constexpr int kWidth = 1000;
constexpr int kHeight = 700;

// A DIB section with its bits, top-down or bottom-up.
struct Section {
    Section(int width, int height, int depth = 32, bool topDown = true)
    {
        struct {
            BITMAPINFOHEADER header;
            RGBQUAD colours[256];
        } info{};
        info.header.biWidth = width;
        info.header.biHeight = topDown ? -height : height;
        info.header.biBitCount = static_cast<WORD>(depth);
        for (int index = 0; index < 256; ++index) {
            info.colours[index] = RGBQUAD{BYTE(index), BYTE(255 - index), BYTE(index * 7), 0};
        }
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
        SelectObject(dc, bitmap);
    }
    ~Section()
    {
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    std::uint32_t* Pixels() const { return static_cast<std::uint32_t*>(bits); }

    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    void* bits = nullptr;
};

// Premultiplied pixels of every alpha.
void FillWithAlpha(std::uint32_t* pixels, int count)
{
    for (int k = 0; k < count; ++k) {
        const auto alpha = static_cast<std::uint32_t>(k % 256);
        pixels[k] = alpha << 24 | (alpha / 2) << 16 | (alpha / 3) << 8 | alpha / 4;
    }
}

pixman_image_t* ImageOf(const Section& section, int width = kWidth, int height = kHeight)
{
    return pixman_image_create_bits(PIXMAN_a8r8g8b8, width, height, section.Pixels(), width * 4);
}

// The reference pixman draws: op from source (and mask) onto the destination, all of the bench's size.
std::function<void()> Composite(pixman_op_t op, pixman_image_t* source, pixman_image_t* mask, pixman_image_t* target)
{
    return [=] { pixman_image_composite32(op, source, mask, target, 0, 0, 0, 0, 0, 0, kWidth, kHeight); };
}

pixman_image_t* Scaled(pixman_image_t* image, double scaleX, double scaleY, double shiftX, pixman_filter_t filter)
{
    pixman_transform_t transform;
    pixman_transform_init_identity(&transform);
    pixman_transform_scale(&transform, nullptr, pixman_double_to_fixed(scaleX), pixman_double_to_fixed(scaleY));
    pixman_transform_translate(&transform, nullptr, pixman_double_to_fixed(shiftX), 0);
    pixman_image_set_transform(image, &transform);
    pixman_image_set_filter(image, filter, nullptr, 0);
    return image;
}

void Blits()
{
    std::printf("Drawing on %d x %d pixels\n", kWidth, kHeight);
    Section target(kWidth, kHeight);
    Section source(kWidth, kHeight, 32, false);  // bottom-up, as bitmaps mostly are
    Section plain(kWidth, kHeight);  // the plain loops' and pixman's destination
    Section other(kWidth, kHeight);  // pixman's second source
    FillWithAlpha(source.Pixels(), kWidth * kHeight);
    FillWithAlpha(other.Pixels(), kWidth * kHeight);
    pixman_image_t* plainImage = ImageOf(plain);
    pixman_image_t* sourceImage = ImageOf(other);
    const std::uint32_t count = kWidth * kHeight;
    const RECT all{0, 0, kWidth, kHeight};

    HBRUSH solid = CreateSolidBrush(RGB(10, 120, 200));
    const pixman_color_t solidColour{10 * 257, 120 * 257, 200 * 257, 0xFFFF};
    pixman_image_t* solidImage = pixman_image_create_solid_fill(&solidColour);
    bench::Print("FillRect, solid brush", "pixman SRC of a solid colour",
                 bench::Compare([&] { FillRect(target.dc, &all, solid); }, Composite(PIXMAN_OP_SRC, solidImage, nullptr, plainImage)));

    HBRUSH hatch = CreateHatchBrush(HS_DIAGCROSS, RGB(200, 0, 0));
    std::uint32_t tile[64];
    for (int k = 0; k < 64; ++k) {
        tile[k] = (k % 8 == k / 8 || k % 8 + k / 8 == 7) ? 0x00C80000 : 0x00FFFFFF;
    }
    pixman_image_t* tileImage = pixman_image_create_bits(PIXMAN_a8r8g8b8, 8, 8, tile, 32);
    pixman_image_set_repeat(tileImage, PIXMAN_REPEAT_NORMAL);
    bench::Print("FillRect, hatch brush", "pixman SRC of an 8 x 8 tile",
                 bench::Compare([&] { FillRect(target.dc, &all, hatch); }, Composite(PIXMAN_OP_SRC, tileImage, nullptr, plainImage)));

    SelectObject(target.dc, solid);
    std::uint32_t* const out = plain.Pixels();
    const std::uint32_t* const in = other.Pixels();
    bench::Print("PatBlt PATINVERT", "a plain XOR loop", bench::Compare([&] { PatBlt(target.dc, 0, 0, kWidth, kHeight, PATINVERT); }, [&] {
        for (std::uint32_t k = 0; k < count; ++k) {
            out[k] = (out[k] ^ 0x000A78C8) & 0x00FFFFFF;
        }
    }));
    bench::Print("BitBlt SRCCOPY", "pixman SRC copy", bench::Compare([&] {
        BitBlt(target.dc, 0, 0, kWidth, kHeight, source.dc, 0, 0, SRCCOPY);
    }, Composite(PIXMAN_OP_SRC, sourceImage, nullptr, plainImage)));
    bench::Print("BitBlt SRCINVERT", "a plain XOR loop", bench::Compare([&] {
        BitBlt(target.dc, 0, 0, kWidth, kHeight, source.dc, 0, 0, SRCINVERT);
    }, [&] {
        for (std::uint32_t k = 0; k < count; ++k) {
            out[k] = (out[k] ^ in[k]) & 0x00FFFFFF;
        }
    }));
    bench::Print("BitBlt SRCPAINT", "a plain OR loop", bench::Compare([&] {
        BitBlt(target.dc, 0, 0, kWidth, kHeight, source.dc, 0, 0, SRCPAINT);
    }, [&] {
        for (std::uint32_t k = 0; k < count; ++k) {
            out[k] = (out[k] | in[k]) & 0x00FFFFFF;
        }
    }));
    // The other operations the program uses, with the solid brush as pattern, each beside its loop (one
    // loop per operation, so the compiler sees the mix).
    constexpr std::uint32_t brush = 0x000A78C8;
    const auto loop = [&](auto mix) {
        return std::function<void()>([=] {
            for (std::uint32_t k = 0; k < count; ++k) {
                out[k] = mix(in[k], out[k]) & 0x00FFFFFF;
            }
        });
    };
    using W = std::uint32_t;
    const struct {
        const char* name;
        DWORD rop;
        bool usesSource;
        std::function<void()> reference;
    } operations[] = {
        {"BitBlt SRCAND", SRCAND, true, loop([](W s, W d) { return s & d; })},
        {"BitBlt SRCERASE", SRCERASE, true, loop([](W s, W d) { return s & ~d; })},
        {"BitBlt NOTSRCCOPY", NOTSRCCOPY, true, loop([](W s, W) { return ~s; })},
        {"BitBlt MERGECOPY", MERGECOPY, true, loop([](W s, W) { return brush & s; })},
        {"BitBlt MERGEPAINT", MERGEPAINT, true, loop([](W s, W d) { return ~s | d; })},
        {"BitBlt PATPAINT", PATPAINT, true, loop([](W s, W d) { return brush | ~s | d; })},
        {"PatBlt DSTINVERT", DSTINVERT, false, loop([](W, W d) { return ~d; })},
        {"PatBlt BLACKNESS", BLACKNESS, false, loop([](W, W) { return W{0}; })},
    };
    for (const auto& operation : operations) {
        bench::Print(operation.name, "a plain loop", bench::Compare([&] {
            if (operation.usesSource) {
                BitBlt(target.dc, 0, 0, kWidth, kHeight, source.dc, 0, 0, operation.rop);
            } else {
                PatBlt(target.dc, 0, 0, kWidth, kHeight, operation.rop);
            }
        }, operation.reference));
    }
    // A transparent blit: the source where the mask is 1, the destination left where it is 0. The mask's
    // rows are padded to whole 16-bit words.
    constexpr int maskRow = (kWidth + 15) / 16 * 2;
    std::vector<BYTE> maskBits(std::size_t(maskRow * kHeight));
    for (std::size_t k = 0; k < maskBits.size(); ++k) {
        maskBits[k] = BYTE(k * 37 % 251);
    }
    HBITMAP maskBitmap = CreateBitmap(kWidth, kHeight, 1, 1, maskBits.data());
    bench::Print("MaskBlt SRCCOPY through a mask", "a plain loop", bench::Compare([&] {
        MaskBlt(target.dc, 0, 0, kWidth, kHeight, source.dc, 0, 0, maskBitmap, 0, 0, MAKEROP4(SRCCOPY, 0x00AA0029));
    }, [&] {
        for (int y = 0; y < kHeight; ++y) {
            const BYTE* row = maskBits.data() + y * maskRow;
            std::uint32_t* o = out + y * kWidth;
            const std::uint32_t* i = in + y * kWidth;
            for (int x = 0; x < kWidth; ++x) {
                o[x] = (row[x / 8] >> (7 - x % 8) & 1) ? i[x] : o[x];
            }
        }
    }));
    DeleteObject(maskBitmap);
    const BYTE bits[] = {0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0};
    HBITMAP patternBitmap = CreateBitmap(8, 8, 1, 1, bits);
    HBRUSH pattern = CreatePatternBrush(patternBitmap);
    SelectObject(target.dc, pattern);
    bench::Print("PatBlt PATCOPY, 8 x 8 pattern brush", "pixman SRC of an 8 x 8 tile",
                 bench::Compare([&] { PatBlt(target.dc, 0, 0, kWidth, kHeight, PATCOPY); },
                                Composite(PIXMAN_OP_SRC, tileImage, nullptr, plainImage)));
    SelectObject(target.dc, solid);

    pixman_image_t* mirrored = Scaled(ImageOf(other), -1, 1, kWidth, PIXMAN_FILTER_NEAREST);
    bench::Print("StretchBlt mirrored, COLORONCOLOR", "pixman NEAREST, mirrored", bench::Compare([&] {
        SetStretchBltMode(target.dc, COLORONCOLOR);
        StretchBlt(target.dc, kWidth, 0, -kWidth, kHeight, source.dc, 0, 0, kWidth, kHeight, SRCCOPY);
    }, Composite(PIXMAN_OP_SRC, mirrored, nullptr, plainImage)));
    Section large(2 * kWidth, 2 * kHeight);
    Section largeReference(2 * kWidth, 2 * kHeight);
    FillWithAlpha(large.Pixels(), 4 * kWidth * kHeight);
    FillWithAlpha(largeReference.Pixels(), 4 * kWidth * kHeight);
    pixman_image_t* halved = Scaled(ImageOf(largeReference, 2 * kWidth, 2 * kHeight), 2, 2, 0, PIXMAN_FILTER_BILINEAR);
    bench::Print("StretchBlt halved, HALFTONE", "pixman BILINEAR, halved", bench::Compare([&] {
        SetStretchBltMode(target.dc, HALFTONE);
        StretchBlt(target.dc, 0, 0, kWidth, kHeight, large.dc, 0, 0, 2 * kWidth, 2 * kHeight, SRCCOPY);
    }, Composite(PIXMAN_OP_SRC, halved, nullptr, plainImage)));
    pixman_image_t* shrunk = Scaled(ImageOf(largeReference, 2 * kWidth, 2 * kHeight), 1.4, 1.4, 0, PIXMAN_FILTER_BILINEAR);
    bench::Print("StretchBlt to 5/7, HALFTONE", "pixman BILINEAR, to 5/7", bench::Compare([&] {
        SetStretchBltMode(target.dc, HALFTONE);
        StretchBlt(target.dc, 0, 0, kWidth, kHeight, large.dc, 0, 0, 1400, 980, SRCCOPY);
    }, Composite(PIXMAN_OP_SRC, shrunk, nullptr, plainImage)));
    // Shrinking by more than half, HALFTONE averages every pixel of a box, as a box convolution does.
    pixman_image_t* third = Scaled(ImageOf(largeReference, 2 * kWidth, 2 * kHeight), 3, 3, 0, PIXMAN_FILTER_NEAREST);
    int parameterCount = 0;
    pixman_fixed_t* box = pixman_filter_create_separable_convolution(&parameterCount, pixman_double_to_fixed(3),
        pixman_double_to_fixed(3), PIXMAN_KERNEL_BOX, PIXMAN_KERNEL_BOX, PIXMAN_KERNEL_BOX, PIXMAN_KERNEL_BOX, 0, 0);
    pixman_image_set_filter(third, PIXMAN_FILTER_SEPARABLE_CONVOLUTION, box, parameterCount);
    std::free(box);
    bench::Print("StretchBlt to a third, HALFTONE", "pixman box convolution, to a third", bench::Compare([&] {
        SetStretchBltMode(target.dc, HALFTONE);
        StretchBlt(target.dc, 0, 0, 2 * kWidth / 3, 2 * kHeight / 3, large.dc, 0, 0, 2 * kWidth, 2 * kHeight, SRCCOPY);
    }, [&] {
        pixman_image_composite32(PIXMAN_OP_SRC, third, nullptr, plainImage, 0, 0, 0, 0, 0, 0, 2 * kWidth / 3, 2 * kHeight / 3);
    }));
    pixman_image_t* doubled = Scaled(ImageOf(other), 0.5, 0.5, 0, PIXMAN_FILTER_NEAREST);
    bench::Print("StretchBlt doubled, COLORONCOLOR", "pixman NEAREST, doubled", bench::Compare([&] {
        SetStretchBltMode(target.dc, COLORONCOLOR);
        StretchBlt(target.dc, 0, 0, kWidth, kHeight, source.dc, 0, 0, kWidth / 2, kHeight / 2, SRCCOPY);
    }, Composite(PIXMAN_OP_SRC, doubled, nullptr, plainImage)));

    BLENDFUNCTION perPixel;
    perPixel.AlphaFormat = AC_SRC_ALPHA;
    bench::Print("AlphaBlend, per-pixel alpha", "pixman OVER", bench::Compare([&] {
        AlphaBlend(target.dc, 0, 0, kWidth, kHeight, source.dc, 0, 0, kWidth, kHeight, perPixel);
    }, Composite(PIXMAN_OP_OVER, sourceImage, nullptr, plainImage)));
    BLENDFUNCTION constant;
    constant.SourceConstantAlpha = 100;
    const pixman_color_t maskColour{0, 0, 0, 100 * 257};
    pixman_image_t* mask = pixman_image_create_solid_fill(&maskColour);
    pixman_image_t* opaqueSource = pixman_image_create_bits(PIXMAN_x8r8g8b8, kWidth, kHeight, other.Pixels(), kWidth * 4);
    bench::Print("AlphaBlend, constant alpha", "pixman OVER, constant mask", bench::Compare([&] {
        AlphaBlend(target.dc, 0, 0, kWidth, kHeight, source.dc, 0, 0, kWidth, kHeight, constant);
    }, Composite(PIXMAN_OP_OVER, opaqueSource, mask, plainImage)));
    bench::Print("AlphaBlend, per-pixel alpha, halved", "pixman OVER, NEAREST, halved", bench::Compare([&] {
        AlphaBlend(target.dc, 0, 0, kWidth / 2, kHeight / 2, source.dc, 0, 0, kWidth, kHeight, perPixel);
    }, [&] {
        static pixman_image_t* scaled = Scaled(ImageOf(other), 2, 2, 0, PIXMAN_FILTER_NEAREST);
        pixman_image_composite32(PIXMAN_OP_OVER, scaled, nullptr, plainImage, 0, 0, 0, 0, 0, 0, kWidth / 2, kHeight / 2);
    }));

    for (pixman_image_t* image :
         {plainImage, sourceImage, solidImage, tileImage, mirrored, halved, shrunk, third, doubled, mask, opaqueSource}) {
        pixman_image_unref(image);
    }
    DeleteObject(pattern);
    DeleteObject(patternBitmap);
    DeleteObject(hatch);
    DeleteObject(solid);
}

constexpr int kSection = 1000;

// One drawing on sections of every depth, beside the 32-bit figure and the ratio to it.
void CompareDepths(const char* name, const std::function<void(HDC)>& draw)
{
    Section reference(kSection, kSection, 32);
    for (const int depth : {1, 8, 16, 24}) {
        Section section(kSection, kSection, depth);
        const std::string label = std::string(name) + ", " + std::to_string(depth) + " bits";
        bench::Print(label.c_str(), "the same on 32 bits",
                     bench::Compare([&] { draw(section.dc); }, [&] { draw(reference.dc); }, bench::Rounds{5, 0.05}));
    }
}

void Depths()
{
    std::printf("\nDrawing on DIB sections of %d x %d pixels\n", kSection, kSection);
    CompareDepths("200 x SetPixel", [](HDC dc) {
        for (int k = 0; k < 200; ++k) {
            SetPixel(dc, (k * 37) % kSection, (k * 53) % kSection, RGB(k, 255 - k, 7 * k));
        }
    });
    HBRUSH solid = CreateSolidBrush(RGB(10, 120, 200));
    const RECT section{0, 0, kSection, kSection};
    CompareDepths("FillRect, solid brush", [&](HDC dc) { FillRect(dc, &section, solid); });
    const RECT small{100, 100, 140, 120};
    CompareDepths("FillRect 40 x 20, solid brush", [&](HDC dc) { FillRect(dc, &small, solid); });
    Section picture(kSection, kSection, 32);
    HBRUSH hatch = CreateHatchBrush(HS_DIAGCROSS, RGB(200, 0, 0));
    FillRect(picture.dc, &section, hatch);
    CompareDepths("BitBlt SRCCOPY from 32 bits", [&](HDC dc) { BitBlt(dc, 0, 0, kSection, kSection, picture.dc, 0, 0, SRCCOPY); });
    DeleteObject(hatch);
    DeleteObject(solid);
}

// 2,000 words of 1 to 9 letters, blanks between them.
std::string Words()
{
    std::mt19937 random(2024);
    std::string text;
    for (int word = 0; word < 2000; ++word) {
        if (word > 0) {
            text += ' ';
        }
        for (int letters = 1 + int(random() % 9); letters > 0; --letters) {
            text += char('a' + random() % 26);
        }
    }
    return text;
}

// The lines of text wrapped at blanks to width, as DrawText wraps them.
std::vector<std::string> Wrapped(HDC dc, const std::string& text, int width)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = start;
        for (;;) {
            std::size_t next = text.find(' ', end == start ? start : end + 1);
            next = next == std::string::npos ? text.size() : next;
            SIZE size{};
            GetTextExtentPoint32A(dc, text.data() + start, int(next - start), &size);
            if (size.cx > width && end != start) {
                break;
            }
            end = next;
            if (end == text.size()) {
                break;
            }
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

void Text()
{
    constexpr int kTextWidth = 800;
    const std::string text = Words();
    LOGFONT font;
    font.lfHeight = -16;
    font.lfFaceName = "Arial";
    HFONT handle = CreateFontIndirect(&font);
    Section measure(1, 1);
    SelectObject(measure.dc, handle);
    RECT bounds{0, 0, kTextWidth, 0};
    DrawTextA(measure.dc, text.c_str(), int(text.size()), &bounds, DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
    const std::vector<std::string> lines = Wrapped(measure.dc, text, kTextWidth);
    TEXTMETRIC metrics;
    GetTextMetricsA(measure.dc, &metrics);

    std::printf("\nText: 2,000 words (%zu characters) wrapped to %d pixels: %zu lines, %ld x %ld pixels\n",
                text.size(), kTextWidth, lines.size(), long(bounds.right), long(bounds.bottom));
    Section page(kTextWidth, int(bounds.bottom));
    SelectObject(page.dc, handle);
    SetBkMode(page.dc, TRANSPARENT);
    const RECT all{0, 0, kTextWidth, bounds.bottom};
    const auto drawText = [&] {
        RECT rect = all;
        DrawTextA(page.dc, text.c_str(), int(text.size()), &rect, DT_WORDBREAK | DT_NOPREFIX);
    };
    bench::Print("DrawTextA", "ExtTextOutA of the same lines", bench::Compare(drawText, [&] {
        for (std::size_t line = 0; line < lines.size(); ++line) {
            ExtTextOutA(page.dc, 0, int(line) * metrics.tmHeight, 0, nullptr, lines[line].data(),
                        UINT(lines[line].size()), nullptr);
        }
    }));
    bench::Print("DrawTextA, DT_CALCRECT", "GetTextExtentPoint32A of the lines", bench::Compare([&] {
        RECT rect = all;
        DrawTextA(page.dc, text.c_str(), int(text.size()), &rect, DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
    }, [&] {
        for (const std::string& line : lines) {
            SIZE size{};
            GetTextExtentPoint32A(page.dc, line.data(), int(line.size()), &size);
        }
    }));
#if RIVUVE_BENCH_PANGO
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kTextWidth, int(bounds.bottom));
    cairo_t* cairo = cairo_create(surface);
    PangoFontDescription* description = pango_font_description_from_string("Liberation Sans");
    pango_font_description_set_absolute_size(description, 16 * PANGO_SCALE);
    bench::Print("DrawTextA", "pango layout and cairo show", bench::Compare(drawText, [&] {
        PangoLayout* layout = pango_cairo_create_layout(cairo);
        pango_layout_set_font_description(layout, description);
        pango_layout_set_width(layout, kTextWidth * PANGO_SCALE);
        pango_layout_set_wrap(layout, PANGO_WRAP_WORD);
        pango_layout_set_text(layout, text.data(), int(text.size()));
        cairo_move_to(cairo, 0, 0);
        pango_cairo_show_layout(cairo, layout);
        g_object_unref(layout);
    }));
    pango_font_description_free(description);
    cairo_destroy(cairo);
    cairo_surface_destroy(surface);
#else
    std::puts("(built without pango and cairo: DrawTextA has no text layout reference)");
#endif
    DeleteObject(handle);
}

}  // namespace

int main()
{
    rtl::initialize();
    win::gdi::initialize();
    win::text::initialize();
#if RIVUVE_BENCH_PANGO
    std::puts("References: pixman, plain loops; pango and cairo for text (linked)");
#else
    std::puts("References: pixman, plain loops (pango and cairo not installed)");
#endif
    Blits();
    Depths();
    Text();
    win::text::finalize();
    win::gdi::finalize();
    rtl::finalize();
    return 0;
}
