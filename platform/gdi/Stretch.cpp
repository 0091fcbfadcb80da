#include "platform/gdi/detail/Stretch.h"

#include "platform/wintypes/GdiTypes.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace win {

using namespace detail;

namespace {

// The four channels of a pixel side by side (a GCC vector: one SSE register).
using Lanes = std::int32_t __attribute__((vector_size(16)));
using FloatLanes = float __attribute__((vector_size(16)));

// Boxes below this many pixels are averaged in floats, which is exact there: sums and counts stay below
// 2^24, and a quotient's rounding error (at most 2^-16) is smaller than its distance from the next whole
// number above (at least 1 / box), so truncating it gives the quotient rounded down.
constexpr std::uint64_t kSmallBox = 4096;

// The average of the column sums [x0, x1) (four a column) over box pixels, each channel rounded to the
// nearest.
std::uint32_t AverageOf(const std::uint32_t* sums, std::size_t x0, std::size_t x1, std::uint64_t box)
{
    Lanes sum = {0, 0, 0, 0};
    for (std::size_t x = x0; x < x1; ++x) {
        Lanes column;
        std::memcpy(&column, sums + x * 4, sizeof column);
        sum += column;
    }
    const FloatLanes quotient =
        __builtin_convertvector(sum + static_cast<std::int32_t>(box / 2), FloatLanes) / static_cast<float>(box);
    const Lanes average = __builtin_convertvector(quotient, Lanes);
    return static_cast<std::uint32_t>(average[0] | average[1] << 8 | average[2] << 16 | average[3] << 24);
}

using Quad = std::uint16_t __attribute__((vector_size(8)));  // four channel sums: one pixel
using Words = std::uint16_t __attribute__((vector_size(16)));  // two pixels
using HalfBytes = std::uint8_t __attribute__((vector_size(8)));  // two pixels

// Boxes of at most 2 x 2 pixels, from sums holding each column's two rows (the same row twice for a box
// one row tall) in 16 bits a channel. Counting the one column of a box one column wide twice as well, every
// box holds four pixels, and each average is (sum + 2) / 4: for a box of n pixels its sum s counts 4 / n
// times, and (4s/n + 2) / 4 rounds s / n to the nearest as (s + n/2) / n does. Two destination pixels at a
// time; from and to are the boxes' columns, sums starting at column low.
void AverageSmallBoxes(const std::uint16_t* sums, int low, const int* from, const int* to, std::uint32_t* out,
                       int count)
{
    const auto column = [sums, low](int x) {
        Quad sum;
        std::memcpy(&sum, sums + 4 * static_cast<std::ptrdiff_t>(x - low), sizeof sum);
        return sum;
    };
    int k = 0;
    for (; k + 2 <= count; k += 2) {
        const Words firsts = __builtin_shufflevector(column(from[k]), column(from[k + 1]), 0, 1, 2, 3, 4, 5, 6, 7);
        const Words lasts = __builtin_shufflevector(column(to[k] - 1), column(to[k + 1] - 1), 0, 1, 2, 3, 4, 5, 6, 7);
        const HalfBytes pixels = __builtin_convertvector((firsts + lasts + 2) >> 2, HalfBytes);
        std::memcpy(out + k, &pixels, sizeof pixels);
    }
    if (k < count) {
        const Quad average = (column(from[k]) + column(to[k] - 1) + 2) >> 2;
        out[k] = average[0] | average[1] << 8 | average[2] << 16 | static_cast<std::uint32_t>(average[3]) << 24;
    }
}

}  // namespace

void ColourChange::Apply(const std::uint32_t* in, std::uint32_t* out, int count) const
{
    if (fromMonochrome && !toMonochrome) {
        for (int k = 0; k < count; ++k) {
            out[k] = (in[k] & 0x00FFFFFF) == oneColour ? background : text;
        }
    } else if (toMonochrome && !fromMonochrome) {
        for (int k = 0; k < count; ++k) {
            out[k] = (in[k] & 0x00FFFFFF) == sourceBackground ? 0x00FFFFFF : 0;
        }
    } else if (in != out) {
        std::copy(in, in + count, out);
    }
}

std::pair<int, int> Axis::Reaching(int size) const
{
    std::size_t low = 0;
    const std::size_t count = first.size();
    while (low < count && (last[low] <= 0 || first[low] >= size)) {
        ++low;
    }
    std::size_t high = low;
    while (high < count && last[high] > 0 && first[high] < size) {
        ++high;
    }
    return {start + static_cast<int>(low), start + static_cast<int>(high)};
}

bool Axis::Single() const
{
    for (std::size_t i = 0; i < first.size(); ++i) {
        if (std::int64_t{last[i]} - first[i] != 1) {
            return false;
        }
    }
    return true;
}

Axis detail::MakeAxis(int destination, int destinationExtent, int source, int sourceExtent, bool box, int low, int high)
{
    const std::int64_t count = std::abs(std::int64_t{destinationExtent});
    const std::int64_t sourceCount = std::abs(std::int64_t{sourceExtent});
    const std::int64_t sourceStart = sourceExtent < 0 ? std::int64_t{source} + sourceExtent : source;
    const bool mirror = (destinationExtent < 0) != (sourceExtent < 0);
    Axis axis;
    axis.origin = destinationExtent < 0 ? std::int64_t{destination} + destinationExtent : destination;
    axis.start = static_cast<int>(std::clamp<std::int64_t>(axis.origin, low, std::max(low, high)));
    axis.end = static_cast<int>(std::clamp<std::int64_t>(axis.origin + count, axis.start, std::max(low, high)));
    if (axis.end == axis.start) {
        return axis;
    }
    // Destination pixel i (counted from the far side when mirrored) takes source pixels from
    // i * S / D (box) or (2i + 1) * S / 2D (the pixel under its centre) on; the listed pixels' i run
    // from `first` on, and the quotients go up by whole steps and carried remainders.
    const std::int64_t listed = axis.end - axis.start;
    const std::int64_t first = mirror ? count - (axis.end - axis.origin) : axis.start - axis.origin;
    const bool covering = box && sourceCount > count;
    const std::int64_t step = covering ? sourceCount : 2 * sourceCount;
    const std::int64_t divisor = covering ? count : 2 * count;
    std::int64_t value = step * first + (covering ? 0 : sourceCount);
    std::int64_t quotient = value / divisor;
    std::int64_t remainder = value % divisor;
    const auto next = [&] {
        quotient += step / divisor;
        remainder += step % divisor;
        if (remainder >= divisor) {
            remainder -= divisor;
            ++quotient;
        }
    };
    // Source pixels beyond what an int holds stay beyond the source.
    const auto pixel = [](std::int64_t value) {
        return static_cast<int>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
    };
    axis.first.resize(static_cast<std::size_t>(listed));
    axis.last.resize(static_cast<std::size_t>(listed));
    for (std::int64_t k = 0; k < listed; ++k) {
        const auto at = static_cast<std::size_t>(mirror ? listed - 1 - k : k);
        const std::int64_t from = sourceStart + quotient;
        next();
        // Shrinking in a box mode, a pixel's sources end where the next one's begin.
        axis.first[at] = pixel(from);
        axis.last[at] = pixel(covering ? sourceStart + quotient : from + 1);
    }
    return axis;
}

SourceRows::SourceRows(const Surface& source, const Axis& across, const Axis& down, const ColourChange& change,
                       int stretchMode)
    : source_(source), across_(across), down_(down), change_(change), mode_(stretchMode), single_(across.Single()),
      identity_(single_), reversed_(single_)
{
    for (std::size_t i = 1; (identity_ || reversed_) && i < across.first.size(); ++i) {
        const std::int64_t step = std::int64_t{across.first[i]} - across.first[i - 1];
        identity_ = identity_ && step == 1;
        reversed_ = reversed_ && step == -1;
    }
}

SourceRow SourceRows::Row(int row, int left, int right, std::uint32_t* buffer, std::uint32_t* rawBuffer)
{
    const auto j = static_cast<std::size_t>(row - down_.start);
    const int y0 = std::max(down_.first[j], 0);
    const int y1 = std::min(down_.last[j], source_.Height());
    const auto first = static_cast<std::size_t>(left - across_.start);
    const int count = right - left;
    if (y1 - y0 != 1 || !single_) {
        return Covered(y0, y1, first, count, buffer, rawBuffer);
    }
    const std::uint32_t* line = source_.Row(y0);
    const int* columns = across_.first.data() + first;
    const std::uint32_t* raw = line + columns[0];
    if (!identity_) {
        std::uint32_t* gathered = rawBuffer ? rawBuffer : buffer;
        if (reversed_) {
            std::reverse_copy(line + columns[count - 1], line + columns[0] + 1, gathered);
        } else {
            for (int k = 0; k < count; ++k) {
                gathered[k] = line[columns[k]];
            }
        }
        raw = gathered;
    }
    if (!change_.Changes()) {
        return SourceRow{raw, raw};
    }
    change_.Apply(raw, buffer, count);
    return SourceRow{buffer, rawBuffer ? raw : nullptr};
}

// The covered source columns [x0, x1) of each destination pixel from `first` on, cut to the source;
// the same for every row of a rectangle, so made once for it.
const SourceRows::Spans& SourceRows::SpansOf(std::size_t first, int count)
{
    if (spans_.first == first && spans_.from.size() == static_cast<std::size_t>(count)) {
        return spans_;
    }
    const int width = source_.Width();
    spans_.first = first;
    spans_.from.resize(static_cast<std::size_t>(count));
    spans_.to.resize(static_cast<std::size_t>(count));
    spans_.low = width;
    spans_.high = 0;
    spans_.widest = 0;
    for (std::size_t k = 0; k < spans_.from.size(); ++k) {
        spans_.from[k] = std::max(across_.first[first + k], 0);
        spans_.to[k] = std::min(across_.last[first + k], width);
        spans_.low = std::min(spans_.low, spans_.from[k]);
        spans_.high = std::max(spans_.high, spans_.to[k]);
        spans_.widest = std::max(spans_.widest, spans_.to[k] - spans_.from[k]);
    }
    return spans_;
}

// Every source pixel each destination pixel covers: rows [y0, y1) combined per column first, then the
// columns of each destination pixel.
SourceRow SourceRows::Covered(int y0, int y1, std::size_t first, int count, std::uint32_t* buffer,
                              std::uint32_t* rawBuffer)
{
    const Spans& spans = SpansOf(first, count);
    const auto width = static_cast<std::size_t>(spans.high - spans.low);
    if (rawBuffer) {
        for (int k = 0; k < count; ++k) {
            rawBuffer[k] = source_.Pixel(spans.from[static_cast<std::size_t>(k)], y0);
        }
    }
    const auto span = [&](int k) {
        return std::pair{static_cast<std::size_t>(spans.from[static_cast<std::size_t>(k)] - spans.low),
                         static_cast<std::size_t>(spans.to[static_cast<std::size_t>(k)] - spans.low)};
    };
    if (mode_ == HALFTONE && y1 - y0 <= 2 && spans.widest <= 2 && !change_.Changes()) {
        // Shrinking by up to half.
        const auto* top = reinterpret_cast<const std::uint8_t*>(source_.Row(y0) + spans.low);
        const auto* bottom = reinterpret_cast<const std::uint8_t*>(source_.Row(y1 - 1) + spans.low);
        pairs_.resize(width * 4);
        for (std::size_t b = 0; b < width * 4; ++b) {
            pairs_[b] = static_cast<std::uint16_t>(top[b] + bottom[b]);
        }
        AverageSmallBoxes(pairs_.data(), spans.low, spans.from.data(), spans.to.data(), buffer, count);
        return SourceRow{buffer, rawBuffer};
    }
    if (mode_ == HALFTONE) {
        SumColumns(y0, y1, spans.low, width);
        const bool wide = !wideSums_.empty();
        for (int k = 0; k < count; ++k) {
            const auto [x0, x1] = span(k);
            const std::uint64_t box = (x1 - x0) * static_cast<std::uint64_t>(y1 - y0);
            if (!wide && box < kSmallBox) {
                buffer[k] = AverageOf(sums_.data(), x0, x1, box);
                continue;
            }
            std::uint32_t pixel = 0;
            for (std::size_t channel = 0; channel < 4; ++channel) {
                std::uint64_t sum = 0;
                for (std::size_t x = x0; x < x1; ++x) {
                    sum += wide ? wideSums_[x * 4 + channel] : sums_[x * 4 + channel];
                }
                pixel |= static_cast<std::uint32_t>((sum + box / 2) / box) << (channel * 8);
            }
            buffer[k] = pixel;
        }
        return SourceRow{buffer, rawBuffer};
    }
    const bool both = mode_ == BLACKONWHITE;  // AND the pixels, else OR them
    sums_.assign(width, both ? ~std::uint32_t{0} : 0);
    for (int y = y0; y < y1; ++y) {
        const std::uint32_t* line = source_.Row(y) + spans.low;
        for (std::size_t x = 0; x < width; ++x) {
            const std::uint32_t pixel = change_(line[x]);
            sums_[x] = both ? sums_[x] & pixel : sums_[x] | pixel;
        }
    }
    for (int k = 0; k < count; ++k) {
        const auto [x0, x1] = span(k);
        std::uint32_t pixel = both ? ~std::uint32_t{0} : 0;
        for (std::size_t x = x0; x < x1; ++x) {
            pixel = both ? pixel & sums_[x] : pixel | sums_[x];
        }
        buffer[k] = pixel;
    }
    return SourceRow{buffer, rawBuffer};
}

// Four sums per source column in [low, low + width) over rows [y0, y1), in the channels' order: byte by
// byte where no colours change, in 32 bits (sums_), or, for boxes more than 2^24 rows tall, in 64
// (wideSums_).
void SourceRows::SumColumns(int y0, int y1, int low, std::size_t width)
{
    const bool wide = y1 - y0 > (1 << 24);
    sums_.assign(wide ? 0 : width * 4, 0);
    wideSums_.assign(wide ? width * 4 : 0, 0);
    for (int y = y0; y < y1; ++y) {
        const std::uint32_t* line = source_.Row(y) + low;
        if (!change_.Changes() && !wide) {
            const auto* bytes = reinterpret_cast<const std::uint8_t*>(line);
            for (std::size_t b = 0; b < width * 4; ++b) {
                sums_[b] += bytes[b];
            }
            continue;
        }
        for (std::size_t x = 0; x < width; ++x) {
            const std::uint32_t pixel = change_(line[x]);
            for (std::size_t channel = 0; channel < 4; ++channel) {
                const std::uint32_t value = pixel >> (channel * 8) & 0xFF;
                if (wide) {
                    wideSums_[x * 4 + channel] += value;
                } else {
                    sums_[x * 4 + channel] += value;
                }
            }
        }
    }
}

}  // namespace win
