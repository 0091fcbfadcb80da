#include "platform/text/CharacterPlacement.h"

#include "platform/gdi/detail/DeviceContext.h"
#include "platform/gdi/detail/GdiObjects.h"
#include "platform/rtl/CodePage.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/text/TextMetrics.h"
#include "platform/text/detail/FontFace.h"
#include "platform/text/detail/FontMetrics.h"
#include "platform/text/detail/TextMetrics.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace win {

using namespace detail;

namespace {

// The glyph of each unit of text: a surrogate pair's at its first unit, 0 at its second.
std::vector<WORD> Glyphs(const FontFace& face, std::u16string_view text)
{
    std::vector<WORD> glyphs(text.size(), 0);
    for (std::size_t i = 0; i < text.size();) {
        const TextChar c = CharAt(text, i);
        glyphs[i] = WORD(face.GlyphIndex(c.ch));
        i += c.units;
    }
    return glyphs;
}

template <class Char>
DWORD PlaceCharacters(HDC dc, const Char* text, int count, GcpResultsOf<Char>* results, DWORD flags)
{
    if (!results || results->lStructSize < sizeof(GcpResultsOf<Char>) || count < 0 || (count > 0 && !text)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    auto lock = LockGdi();
    const DeviceContext* context = FindDC(dc);
    const auto face = context ? SelectedFace(*context) : nullptr;
    if (!face) {
        return 0;
    }
    const std::size_t placed = std::min<std::size_t>(std::size_t(count), results->nGlyphs);
    std::u16string wide;
    if constexpr (sizeof(Char) == 1) {
        // Every code page of the program has one character per byte.
        wide = rtl::AnsiToWide(std::string_view(text ? text : "", placed));
    } else {
        wide = std::u16string(text ? text : u"", placed);
    }
    const GcpResults placement = CharacterPlacement(*face, wide, flags & GCP_REORDER);
    const std::vector<int> extras = ExtraSpacing(context->state, wide);
    std::vector<int> dx = placement.dx;
    for (std::size_t i = 0; i < wide.size(); ++i) {
        dx[placement.order[i]] += extras[i];
    }
    std::vector<int> left(dx.size(), 0);
    int width = 0;
    for (std::size_t position = 0; position < dx.size(); ++position) {
        left[position] = width;
        width += dx[position];
    }
    if (results->lpOutString) {
        if constexpr (sizeof(Char) == 1) {
            const std::string shown = rtl::WideToAnsi(placement.outString);
            std::copy_n(shown.begin(), std::min(shown.size(), placed), results->lpOutString);
        } else {
            std::copy(placement.outString.begin(), placement.outString.end(), results->lpOutString);
        }
    }
    if (results->lpOrder) {
        std::copy(placement.order.begin(), placement.order.end(), results->lpOrder);
    }
    if (results->lpDx) {
        std::copy(dx.begin(), dx.end(), results->lpDx);
    }
    if (results->lpCaretPos) {
        for (std::size_t i = 0; i < wide.size(); ++i) {
            results->lpCaretPos[i] = left[placement.order[i]];
        }
    }
    if (results->lpGlyphs) {
        const std::vector<WORD> glyphs = Glyphs(*face, placement.outString);
        std::copy(glyphs.begin(), glyphs.end(), results->lpGlyphs);
    }
    results->nGlyphs = UINT(placed);
    results->nMaxFit = int(placed);
    return DWORD(MAKELONG(WORD(width), WORD(placement.size.cy)));
}

}  // namespace

DWORD GetCharacterPlacementA(HDC dc, const char* text, int count, int /*maxExtent*/, GCP_RESULTSA* results,
                             DWORD flags)
{
    return PlaceCharacters(dc, text, count, results, flags);
}

DWORD GetCharacterPlacementW(HDC dc, const char16_t* text, int count, int /*maxExtent*/, GCP_RESULTSW* results,
                             DWORD flags)
{
    return PlaceCharacters(dc, text, count, results, flags);
}

}  // namespace win
