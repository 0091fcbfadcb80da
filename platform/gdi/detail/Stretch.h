#pragma once
// Where the pixels of a stretching blit come from, a destination row at a time: for each destination
// pixel the source pixel under its centre, or, shrinking in a box mode, every source pixel it covers,
// combined as the stretch mode says (HALFTONE averages, BLACKONWHITE ANDs, WHITEONBLACK ORs), each
// source pixel first turned into the destination's colours.

#include "platform/gdi/detail/Surface.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace win::detail {

// For each destination pixel along one axis that lies in [low, high), the source pixels it takes:
// [first, last). Only the pixels in that span are listed, so that an extent far beyond the clip costs
// nothing. Either way the axis runs, first and last never decrease or never increase along it.
struct Axis {
    std::int64_t origin = 0;  // the destination's first pixel, device coordinates
    int start = 0;  // the first pixel listed
    int end = 0;
    std::vector<int> first;  // indexed by pixel - start
    std::vector<int> last;

    // The destination pixels whose source pixels reach into [0, size) (a span of the listed ones).
    std::pair<int, int> Reaching(int size) const;
    // Whether every listed pixel takes one source pixel.
    bool Single() const;
};
// An axis from destination and source extents; box asks for every covered source pixel when shrinking.
Axis MakeAxis(int destination, int destinationExtent, int source, int sourceExtent, bool box, int low, int high);

// How source pixels turn into the destination's colours: a monochrome source on a colour destination
// paints its 1 bits (oneColour) in the destination's background colour and its 0 bits in its text
// colour; a colour source on a monochrome destination gives white where it has the source context's
// background colour and black elsewhere.
struct ColourChange {
    bool fromMonochrome = false;
    bool toMonochrome = false;
    std::uint32_t oneColour = 0x00FFFFFF;
    std::uint32_t sourceBackground = 0x00FFFFFF;
    std::uint32_t text = 0;
    std::uint32_t background = 0x00FFFFFF;

    bool Changes() const { return fromMonochrome != toMonochrome; }
    // out[k] = (*this)(in[k]) for k < count; out may be in.
    void Apply(const std::uint32_t* in, std::uint32_t* out, int count) const;
    std::uint32_t operator()(std::uint32_t pixel) const
    {
        if (fromMonochrome && !toMonochrome) {
            return (pixel & 0x00FFFFFF) == oneColour ? background : text;
        }
        if (toMonochrome && !fromMonochrome) {
            return (pixel & 0x00FFFFFF) == sourceBackground ? 0x00FFFFFF : 0;
        }
        return pixel;
    }
};

// One row's pixels: pixels in the destination's colours, raw (when asked for) the first source pixel of
// each as the source holds it.
struct SourceRow {
    const std::uint32_t* pixels = nullptr;
    const std::uint32_t* raw = nullptr;
};

class SourceRows {
public:
    // The source, the axes and the change must outlive the rows.
    SourceRows(const Surface& source, const Axis& across, const Axis& down, const ColourChange& change, int stretchMode);

    // The source pixels of destination row `row` (device), columns [left, right), each of which the
    // caller has made sure reaches the source (Axis::Reaching). Points into the source where it can,
    // else fills buffer (and rawBuffer, when raw pixels are asked for), right - left pixels each.
    SourceRow Row(int row, int left, int right, std::uint32_t* buffer, std::uint32_t* rawBuffer = nullptr);

private:
    struct Spans {
        std::size_t first = ~std::size_t{0};  // the destination pixel (axis index) they start at
        std::vector<int> from;
        std::vector<int> to;
        int low = 0;  // the columns of them all
        int high = 0;
        int widest = 0;
    };

    const Spans& SpansOf(std::size_t first, int count);
    SourceRow Covered(int y0, int y1, std::size_t first, int count, std::uint32_t* buffer, std::uint32_t* rawBuffer);
    void SumColumns(int y0, int y1, int low, std::size_t width);

    const Surface& source_;
    const Axis& across_;
    const Axis& down_;
    const ColourChange& change_;
    int mode_;
    bool single_;  // one source pixel each
    bool identity_;  // and in order, one after the other
    bool reversed_;  // or mirrored, one after the other
    Spans spans_;
    // The covered rows combined per source column: ANDed or ORed, or four sums for HALFTONE (16 bits
    // each for up to two rows, 32 for up to 2^24, else 64).
    std::vector<std::uint16_t> pairs_;
    std::vector<std::uint32_t> sums_;
    std::vector<std::uint64_t> wideSums_;
};

}  // namespace win::detail
