// Feeds arbitrary sizes, kinds, ranges, pages, positions and minimum thumb lengths to the scroll bar's
// layout, hit test and thumb-to-position mapping. The thumb must lie inside the track, the position
// inside the range, and nothing may divide by zero or overflow.
// Layout: 2 x 2 bytes size, 1 byte kind, 4 x 4 bytes Min, Max, PageSize, Position (signed), 1 byte
// minimum thumb length, then hit-test points of 2 x 2 bytes each.
#include "controls/clScrollBar.h"
#include "tests/fuzz/ControlsFuzz.h"
#include "tests/fuzz/FuzzInput.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

int Int16(const std::uint8_t* p) { return static_cast<std::int16_t>(p[0] | (p[1] << 8)); }

int Int32(const std::uint8_t* p)
{
    std::int32_t value;
    std::memcpy(&value, p, sizeof value);
    return value;
}

class Bar : public controls::TclScrollBar {
public:
    Bar() : TclScrollBar(nullptr) {}
    int minThumb = 8;
    void Relayout() { RecalcLayout(); }

protected:
    int MinThumbLength() const override { return minThumb; }
};

using fuzz::Check;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::StartControlLibraries();
    if (size < 22) {
        return 0;
    }
    const int width = Int16(data) & 0x7FFF;
    const int height = Int16(data + 2) & 0x7FFF;
    Bar bar;
    bar.SetKind(data[4] & 1 ? gui::sbVertical : gui::sbHorizontal);
    bar.minThumb = data[21];
    bar.SetBounds(0, 0, width, height);
    try {
        bar.ApplyScrollParams(Int32(data + 5), Int32(data + 9), Int32(data + 17), Int32(data + 13));
    } catch (const rtl::EInvalidOperation&) {
        Check(bar.Min() == 0 && bar.Max() == 100 && bar.Position() == 0 && bar.PageSize() == 0);
    }
    bar.Relayout();
    const controls::TclScrollBarViewInfo& info = *bar.ViewInfo();
    const bool horizontal = bar.Kind() == gui::sbHorizontal;
    const win::RECT& thumb = info.ThumbRect();
    if (info.HasThumb()) {
        const int trackStart = horizontal ? info.TopLeftArrowRect().right : info.TopLeftArrowRect().bottom;
        const int trackEnd = horizontal ? info.BottomRightArrowRect().left : info.BottomRightArrowRect().top;
        const int start = horizontal ? thumb.left : thumb.top;
        const int end = horizontal ? thumb.right : thumb.bottom;
        Check(trackStart <= start && start < end && end <= trackEnd);
    }
    const int position = bar.PositionFromThumb();
    Check(bar.Min() <= position && position <= bar.Max());
    for (std::size_t i = 22; i + 4 <= size; i += 4) {
        const controls::TclScrollBarPart part = bar.HitTest({Int16(data + i), Int16(data + i + 2)});
        Check(part <= controls::clsbpSecondPage);
    }
    return 0;
}
