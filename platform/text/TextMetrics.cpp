#include "platform/text/TextMetrics.h"

#include "platform/gdi/detail/DeviceContext.h"
#include "platform/gdi/detail/GdiObjects.h"
#include "platform/rtl/CodePage.h"
#include "platform/text/FontEngine.h"
#include "platform/text/detail/FontEngine.h"
#include "platform/text/detail/FontFace.h"
#include "platform/text/detail/FontMetrics.h"
#include "platform/text/detail/TextMetrics.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace win {

using namespace detail;

namespace {

// Runs measure with the context and the face of its font under the GDI lock; failure for an invalid
// handle or a context without a valid font.
template <class Result, class Measure>
Result WithContextFace(HDC dc, Result failure, Measure measure)
{
    auto lock = LockGdi();
    const DeviceContext* context = FindDC(dc);
    const auto face = context ? SelectedFace(*context) : nullptr;
    if (!face) {
        return failure;
    }
    return measure(*context, *face);
}

template <class Result, class Measure>
Result WithFace(HDC dc, Result failure, Measure measure)
{
    return WithContextFace(dc, failure, [&](const DeviceContext&, const FontFace& face) { return measure(face); });
}

bool BadParameter()
{
    SetLastError(ERROR_INVALID_PARAMETER);
    return true;
}

template <class Char>
std::optional<std::basic_string_view<Char>> MeasuredTextOf(const Char* text, int count)
{
    if (count < 0 || (count > 0 && !text)) {
        BadParameter();
        return std::nullopt;
    }
    return count == 0 ? std::basic_string_view<Char>() : std::basic_string_view<Char>(text, std::size_t(count));
}

template <class Entry, class Widths>
BOOL CopyWidths(HDC dc, UINT first, UINT last, Entry* buffer, Widths widths)
{
    if (!buffer) {
        BadParameter();
        return FALSE;
    }
    return WithFace(dc, FALSE, [&](const FontFace& face) {
        const auto entries = widths(face, first, last);
        std::copy(entries.begin(), entries.end(), buffer);
        return TRUE;
    });
}

// The text as UTF-16; every code page of the program has one character per byte, so per-unit entries
// stay one per byte.
template <class Char>
std::u16string Wide(std::basic_string_view<Char> text)
{
    if constexpr (sizeof(Char) == 1) {
        return rtl::AnsiToWide(text);
    } else {
        return std::u16string(text);
    }
}

// The face-level extent of the text with the context's spacing added, per unit and in total.
template <class Char, class Measure>
BOOL WithSpacedExtent(HDC dc, const Char* text, int count, SIZE* size, Measure measure)
{
    const auto view = MeasuredTextOf(text, count);
    if (!view || (!size && BadParameter())) {
        return FALSE;
    }
    return WithContextFace(dc, FALSE, [&](const DeviceContext& context, const FontFace& face) {
        const std::u16string wide = Wide(*view);
        TextExtentEx extent = TextExtentExPoint(face, wide, -1);
        int added = 0;
        const std::vector<int> extras = ExtraSpacing(context.state, wide);
        for (std::size_t i = 0; i < extras.size(); ++i) {
            added += extras[i];
            extent.dx[i] += added;
        }
        extent.size.cx += added;
        measure(extent);
        *size = extent.size;
        return TRUE;
    });
}

template <class Char>
BOOL ExtentPoint(HDC dc, const Char* text, int count, SIZE* size)
{
    return WithSpacedExtent(dc, text, count, size, [](const TextExtentEx&) {});
}

template <class Char>
BOOL ExtentExPoint(HDC dc, const Char* text, int count, int maxExtent, int* fit, int* dx, SIZE* size)
{
    return WithSpacedExtent(dc, text, count, size, [&](const TextExtentEx& extent) {
        if (fit) {
            *fit = FittingCount(extent.dx, maxExtent);
        }
        if (dx) {
            std::copy(extent.dx.begin(), extent.dx.end(), dx);
        }
    });
}

template <class Char>
DWORD TabbedExtent(HDC dc, const Char* text, int count, int tabCount, const int* tabStops)
{
    const auto view = MeasuredTextOf(text, count);
    if (!view || ((tabCount < 0 || (tabCount > 0 && !tabStops)) && BadParameter())) {
        return 0;
    }
    return WithContextFace(dc, DWORD{0}, [&](const DeviceContext& context, const FontFace& face) {
        // The face's tab rule with the spacing text output adds after every character but a tab.
        const std::u16string wide = Wide(*view);
        const SIZE size = TabbedTextExtent(face, wide, std::span<const int>(tabStops, std::size_t(tabCount)),
                                           ExtraSpacing(context.state, wide));
        return static_cast<DWORD>(MAKELONG(WORD(size.cx), WORD(size.cy)));
    });
}

template <class Char>
int TextFace(HDC dc, int count, Char* name)
{
    if (name && count <= 0) {
        BadParameter();
        return 0;
    }
    return WithFace(dc, 0, [&](const FontFace& face) {
        std::basic_string<Char> faceName;
        if constexpr (sizeof(Char) == 1) {
            faceName = std::string(face.FaceName());
        } else {
            faceName = rtl::AnsiToWide(face.FaceName());
        }
        if (!name) {
            return int(faceName.size()) + 1;
        }
        const std::size_t copied = std::min(faceName.size(), std::size_t(count - 1));
        std::copy_n(faceName.begin(), copied, name);
        name[copied] = 0;
        return int(copied) + 1;
    });
}

UINT OutlineMetrics(HDC dc, UINT size, OUTLINETEXTMETRIC* metrics, OUTLINETEXTMETRIC (*read)(const FontFace&))
{
    if (metrics && size < sizeof(OUTLINETEXTMETRIC)) {
        BadParameter();
        return 0;
    }
    return WithFace(dc, UINT{0}, [&](const FontFace& face) {
        if (metrics) {
            *metrics = read(face);
        }
        return UINT{sizeof(OUTLINETEXTMETRIC)};
    });
}

BOOL Metrics(HDC dc, TEXTMETRIC* metrics, TEXTMETRIC (*read)(const FontFace&))
{
    if (!metrics) {
        BadParameter();
        return FALSE;
    }
    return WithFace(dc, FALSE, [&](const FontFace& face) {
        *metrics = read(face);
        return TRUE;
    });
}

}  // namespace

std::vector<int> detail::ExtraSpacing(const DcState& state, std::u16string_view text)
{
    std::vector<int> extras(text.size(), 0);
    int breaksLeft = state.justifyBreaks;
    int extraLeft = state.justifyExtra;
    for (std::size_t i = 0; i < text.size();) {
        extras[i] = state.textCharacterExtra;
        if (text[i] == u' ' && breaksLeft > 0) {
            const int share = extraLeft / breaksLeft;
            const int extra = share + (extraLeft % breaksLeft != 0 ? (extraLeft > 0 ? 1 : -1) : 0);
            extras[i] += extra;
            extraLeft -= extra;
            --breaksLeft;
        }
        i += CharAt(text, i).units;
    }
    return extras;
}

std::shared_ptr<const FontFace> detail::SelectedFace(const DeviceContext& context)
{
    const auto* font = FindObjectOf<FontObject>(context.state.font, OBJ_FONT);
    if (!font) {
        return nullptr;
    }
    return RealizeFont(font->logFont, context.device.dpiY);
}

BOOL GetTextMetricsA(HDC dc, TEXTMETRIC* metrics) { return Metrics(dc, metrics, TextMetricsA); }

BOOL GetTextMetricsW(HDC dc, TEXTMETRIC* metrics) { return Metrics(dc, metrics, TextMetricsW); }

UINT GetOutlineTextMetricsA(HDC dc, UINT size, OUTLINETEXTMETRIC* metrics)
{
    return OutlineMetrics(dc, size, metrics, OutlineTextMetricsA);
}

UINT GetOutlineTextMetricsW(HDC dc, UINT size, OUTLINETEXTMETRIC* metrics)
{
    return OutlineMetrics(dc, size, metrics, OutlineTextMetricsW);
}

BOOL GetCharABCWidthsA(HDC dc, UINT first, UINT last, ABC* buffer)
{
    return CopyWidths(dc, first, last, buffer, CharABCWidthsA);
}

BOOL GetCharABCWidthsW(HDC dc, UINT first, UINT last, ABC* buffer)
{
    return CopyWidths(dc, first, last, buffer, CharABCWidthsW);
}

BOOL GetCharWidthA(HDC dc, UINT first, UINT last, int* buffer) { return CopyWidths(dc, first, last, buffer, CharWidthA); }

BOOL GetCharWidthW(HDC dc, UINT first, UINT last, int* buffer) { return CopyWidths(dc, first, last, buffer, CharWidthW); }

BOOL GetCharWidth32A(HDC dc, UINT first, UINT last, int* buffer) { return GetCharWidthA(dc, first, last, buffer); }

BOOL GetCharWidth32W(HDC dc, UINT first, UINT last, int* buffer) { return GetCharWidthW(dc, first, last, buffer); }

BOOL GetTextExtentPoint32A(HDC dc, const char* text, int count, SIZE* size)
{
    return ExtentPoint(dc, text, count, size);
}

BOOL GetTextExtentPoint32W(HDC dc, const char16_t* text, int count, SIZE* size)
{
    return ExtentPoint(dc, text, count, size);
}

BOOL GetTextExtentExPointA(HDC dc, const char* text, int count, int maxExtent, int* fit, int* dx, SIZE* size)
{
    return ExtentExPoint(dc, text, count, maxExtent, fit, dx, size);
}

BOOL GetTextExtentExPointW(HDC dc, const char16_t* text, int count, int maxExtent, int* fit, int* dx, SIZE* size)
{
    return ExtentExPoint(dc, text, count, maxExtent, fit, dx, size);
}

DWORD GetTabbedTextExtentA(HDC dc, const char* text, int count, int tabCount, const int* tabStops)
{
    return TabbedExtent(dc, text, count, tabCount, tabStops);
}

DWORD GetTabbedTextExtentW(HDC dc, const char16_t* text, int count, int tabCount, const int* tabStops)
{
    return TabbedExtent(dc, text, count, tabCount, tabStops);
}

int GetTextFaceA(HDC dc, int count, char* name) { return TextFace(dc, count, name); }

int GetTextFaceW(HDC dc, int count, char16_t* name) { return TextFace(dc, count, name); }

DWORD GetFontData(HDC dc, DWORD table, DWORD offset, void* buffer, DWORD size)
{
    if (table != 0) {
        BadParameter();
        return GDI_ERROR;
    }
    return WithFace(dc, GDI_ERROR, [&](const FontFace& face) {
        const auto data = face.FileData();
        if (offset > data.size()) {
            BadParameter();
            return GDI_ERROR;
        }
        const std::size_t available = data.size() - offset;
        if (!buffer || size == 0) {
            return DWORD(available);
        }
        const std::size_t copied = std::min<std::size_t>(available, size);
        std::memcpy(buffer, data.data() + offset, copied);
        return DWORD(copied);
    });
}

}  // namespace win
