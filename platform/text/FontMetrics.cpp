#include "platform/text/detail/FontMetrics.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exceptions.h"
#include "platform/text/detail/FontFace.h"

#include <algorithm>
#include <cmath>

namespace win {

using namespace detail;

namespace {

constexpr int kDefaultTabChars = 8;

// The panose proportion that marks a monospaced Latin face, and the serif styles of sans-serif faces.
constexpr BYTE kPanoseLatinText = 2;
constexpr BYTE kPanoseMonospaced = 9;
constexpr BYTE kPanoseFirstSansSerif = 11;
constexpr BYTE kPanoseLastSansSerif = 13;

BYTE PitchAndFamily(const FontTables& t)
{
    BYTE family = FF_DONTCARE;
    const bool fixed = t.panose[3] == kPanoseMonospaced;
    if (t.panose[0] == kPanoseLatinText) {
        if (fixed)
            family = FF_MODERN;
        else if (t.panose[1] >= kPanoseFirstSansSerif && t.panose[1] <= kPanoseLastSansSerif)
            family = FF_SWISS;
        else
            family = FF_ROMAN;
    }
    return BYTE(family | TMPF_TRUETYPE | TMPF_VECTOR | (fixed ? 0 : TMPF_FIXED_PITCH));
}

char16_t AnsiCode(int ch) { return char16_t(std::min(ch, 0xFF)); }

// The character of a byte in the process code page.
char32_t AnsiChar(unsigned byte)
{
    const char c = char(byte);
    const std::u16string wide = rtl::AnsiToWide(std::string_view(&c, 1));
    return wide.empty() ? U'\0' : char32_t(wide[0]);
}

// The advance of each UTF-16 unit: a surrogate pair's at its first unit, 0 at its second.
std::vector<int> UnitAdvances(const FontFace& face, std::u16string_view text)
{
    std::vector<int> advances(text.size(), 0);
    for (std::size_t i = 0; i < text.size();) {
        const TextChar c = CharAt(text, i);
        advances[i] = face.Advance(c.ch);
        i += c.units;
    }
    return advances;
}

int CellHeight(const FontFace& face)
{
    return face.CeilY(face.Tables().winAscent) + face.CeilY(face.Tables().winDescent);
}

void CheckRange(UINT first, UINT last, UINT limit)
{
    if (first > last || last > limit)
        throw rtl::EInvalidArgument("The character range " + std::to_string(first) + " .. " + std::to_string(last) +
                                    " is not valid");
}

ABC CharABC(const FontFace& face, char32_t ch)
{
    const unsigned glyph = face.GlyphIndex(ch);
    const int advance = face.ScaleX(face.AdvanceUnits(glyph));
    const auto [inkLeft, inkRight] = face.InkUnits(glyph);
    ABC abc;
    if (inkLeft != inkRight) {
        abc.abcA = face.ScaleX(inkLeft);
        abc.abcB = UINT(face.ScaleX(inkRight) - abc.abcA);
    }
    abc.abcC = advance - abc.abcA - int(abc.abcB);
    return abc;
}

OUTLINETEXTMETRIC OutlineTextMetrics(const FontFace& face, const TEXTMETRIC& tm)
{
    const FontTables& t = face.Tables();
    OUTLINETEXTMETRIC otm;
    otm.otmTextMetrics = tm;
    otm.otmPanoseNumber = t.panose;
    otm.otmfsSelection = UINT(t.fsSelection);
    otm.otmfsType = UINT(t.fsType);
    otm.otmItalicAngle = int(std::lround(t.italicAngle * 10));
    otm.otmEMSquare = UINT(t.unitsPerEm);
    otm.otmAscent = face.ScaleY(t.typoAscender);
    otm.otmDescent = face.ScaleY(t.typoDescender);
    otm.otmLineGap = UINT(std::max(0, face.ScaleY(t.typoLineGap)));
    otm.otmsCapEmHeight = UINT(std::max(0, face.ScaleY(t.capHeight)));
    otm.otmsXHeight = UINT(std::max(0, face.ScaleY(t.xHeight)));
    otm.otmrcFontBox = {face.ScaleX(t.xMin), face.ScaleY(t.yMax), face.ScaleX(t.xMax), face.ScaleY(t.yMin)};
    otm.otmMacAscent = face.ScaleY(t.hheaAscender);
    otm.otmMacDescent = face.ScaleY(t.hheaDescender);
    otm.otmMacLineGap = UINT(std::max(0, face.ScaleY(t.hheaLineGap)));
    // A line drawn at all is at least one pixel thick.
    otm.otmsStrikeoutSize = UINT(std::max(1, face.ScaleY(t.strikeoutSize)));
    otm.otmsStrikeoutPosition = face.ScaleY(t.strikeoutPosition);
    otm.otmsUnderscoreSize = UINT(std::max(1, face.ScaleY(t.underlineThickness)));
    otm.otmsUnderscorePosition = face.ScaleY(t.underlinePosition);
    otm.otmpFamilyName = std::string(face.FaceName());
    otm.otmpStyleName = t.styleName;
    otm.otmpFaceName = otm.otmpFamilyName + (t.styleName == "Regular" ? "" : " " + t.styleName);
    otm.otmpFullName = otm.otmpFaceName;
    return otm;
}

TextExtentEx ExtentEx(const FontFace& face, std::u16string_view text, int maxExtent)
{
    TextExtentEx result;
    const auto advances = UnitAdvances(face, text);
    result.dx.reserve(advances.size());
    int width = 0;
    for (const int advance : advances) {
        width += advance;
        result.dx.push_back(width);
    }
    result.fit = FittingCount(result.dx, maxExtent);
    result.size = {width, CellHeight(face)};
    return result;
}

bool IsRightToLeft(char16_t u)
{
    return (u >= 0x0590 && u <= 0x08FF) || (u >= 0xFB1D && u <= 0xFDFF) || (u >= 0xFE70 && u <= 0xFEFF);
}

bool IsDigit(char16_t u)
{
    return (u >= u'0' && u <= u'9') || (u >= 0x0660 && u <= 0x0669) || (u >= 0x06F0 && u <= 0x06F9);
}

// Characters without a direction of their own: they take the direction of the run around them.
bool IsNeutral(char16_t u)
{
    return IsDigit(u) || (u < 0x80 && !((u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z')));
}

// The display position of each character: right-to-left runs reversed, numbers in them kept in order.
std::vector<UINT> DisplayOrder(std::u16string_view text)
{
    std::vector<UINT> logical(text.size());  // logical index at each display position
    for (std::size_t i = 0; i < text.size(); ++i)
        logical[i] = UINT(i);
    std::size_t i = 0;
    while (i < text.size()) {
        if (!IsRightToLeft(text[i])) {
            ++i;
            continue;
        }
        std::size_t end = i + 1;  // one past the run's last right-to-left character
        for (std::size_t j = i + 1; j < text.size() && (IsRightToLeft(text[j]) || IsNeutral(text[j])); ++j)
            if (IsRightToLeft(text[j]))
                end = j + 1;
        std::reverse(logical.begin() + std::ptrdiff_t(i), logical.begin() + std::ptrdiff_t(end));
        for (std::size_t k = i; k < end;) {
            std::size_t digitsEnd = k;
            while (digitsEnd < end && IsDigit(text[logical[digitsEnd]]))
                ++digitsEnd;
            if (digitsEnd > k)
                std::reverse(logical.begin() + std::ptrdiff_t(k), logical.begin() + std::ptrdiff_t(digitsEnd));
            k = std::max(digitsEnd, k + 1);
        }
        i = end;
    }
    std::vector<UINT> order(text.size());
    for (std::size_t position = 0; position < logical.size(); ++position)
        order[logical[position]] = UINT(position);
    return order;
}

}  // namespace

TextChar detail::CharAt(std::u16string_view text, std::size_t i)
{
    const char16_t unit = text[i];
    if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000)
        return {0x10000 + ((char32_t(unit) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00), 2};
    return {unit, 1};
}

TEXTMETRIC detail::TextMetricsW(const FontFace& face)
{
    const FontTables& t = face.Tables();
    TEXTMETRIC tm;
    tm.tmAscent = face.CeilY(t.winAscent);
    tm.tmDescent = face.CeilY(t.winDescent);
    tm.tmHeight = tm.tmAscent + tm.tmDescent;
    tm.tmInternalLeading = std::max(0, tm.tmHeight - face.EmHeight());
    // The line gap the vertical header asks for beyond what the cell already holds.
    const int cellUnits = t.winAscent + t.winDescent;
    const int lineUnits = t.hheaAscender - t.hheaDescender + t.hheaLineGap;
    tm.tmExternalLeading = std::max(0, face.ScaleY(lineUnits - cellUnits));
    tm.tmAveCharWidth = face.ScaleX(t.avgCharWidth);
    tm.tmMaxCharWidth = face.ScaleX(t.advanceWidthMax);
    tm.tmWeight = t.weightClass;
    tm.tmDigitizedAspectX = face.Dpi();
    tm.tmDigitizedAspectY = face.Dpi();
    tm.tmFirstChar = char16_t(t.firstChar);
    tm.tmLastChar = char16_t(t.lastChar);
    tm.tmDefaultChar = char16_t(t.defaultChar);
    tm.tmBreakChar = char16_t(t.breakChar);
    tm.tmItalic = face.Italic() ? 1 : 0;
    tm.tmUnderlined = face.LogFont().lfUnderline ? 1 : 0;
    tm.tmStruckOut = face.LogFont().lfStrikeOut ? 1 : 0;
    tm.tmPitchAndFamily = PitchAndFamily(t);
    tm.tmCharSet = BYTE(face.Charset());
    return tm;
}

TEXTMETRIC detail::TextMetricsA(const FontFace& face)
{
    TEXTMETRIC tm = TextMetricsW(face);
    tm.tmFirstChar = AnsiCode(tm.tmFirstChar);
    tm.tmLastChar = AnsiCode(tm.tmLastChar);
    tm.tmDefaultChar = AnsiCode(tm.tmDefaultChar);
    tm.tmBreakChar = AnsiCode(tm.tmBreakChar);
    return tm;
}

OUTLINETEXTMETRIC detail::OutlineTextMetricsA(const FontFace& face) { return OutlineTextMetrics(face, TextMetricsA(face)); }

OUTLINETEXTMETRIC detail::OutlineTextMetricsW(const FontFace& face) { return OutlineTextMetrics(face, TextMetricsW(face)); }

std::vector<ABC> detail::CharABCWidthsA(const FontFace& face, UINT first, UINT last)
{
    CheckRange(first, last, 0xFF);
    std::vector<ABC> widths;
    for (UINT code = first; code <= last; ++code)
        widths.push_back(CharABC(face, AnsiChar(code)));
    return widths;
}

std::vector<ABC> detail::CharABCWidthsW(const FontFace& face, UINT first, UINT last)
{
    CheckRange(first, last, 0x10FFFF);
    std::vector<ABC> widths;
    for (UINT code = first; code <= last; ++code)
        widths.push_back(CharABC(face, char32_t(code)));
    return widths;
}

std::vector<int> detail::CharWidthA(const FontFace& face, UINT first, UINT last)
{
    CheckRange(first, last, 0xFF);
    std::vector<int> widths;
    for (UINT code = first; code <= last; ++code)
        widths.push_back(face.Advance(AnsiChar(code)));
    return widths;
}

std::vector<int> detail::CharWidthW(const FontFace& face, UINT first, UINT last)
{
    CheckRange(first, last, 0x10FFFF);
    std::vector<int> widths;
    for (UINT code = first; code <= last; ++code)
        widths.push_back(face.Advance(char32_t(code)));
    return widths;
}

SIZE detail::TextExtentPoint32(const FontFace& face, std::string_view text)
{
    return TextExtentPoint32(face, rtl::AnsiToWide(text));
}

SIZE detail::TextExtentPoint32(const FontFace& face, std::u16string_view text)
{
    int width = 0;
    for (const int advance : UnitAdvances(face, text))
        width += advance;
    return {width, CellHeight(face)};
}

TextExtentEx detail::TextExtentExPoint(const FontFace& face, std::string_view text, int maxExtent)
{
    // Every code page of the program has one character per byte, so the entries stay one per byte.
    return ExtentEx(face, rtl::AnsiToWide(text), maxExtent);
}

TextExtentEx detail::TextExtentExPoint(const FontFace& face, std::u16string_view text, int maxExtent)
{
    return ExtentEx(face, text, maxExtent);
}

int detail::FittingCount(std::span<const int> dx, int maxExtent)
{
    if (maxExtent < 0)
        return int(dx.size());
    return int(std::find_if(dx.begin(), dx.end(), [&](int x) { return x > maxExtent; }) - dx.begin());
}

int detail::NextTabStop(const FontFace& face, int x, std::span<const int> tabStops)
{
    if (tabStops.size() == 1 && tabStops[0] > 0)
        return (x / tabStops[0] + 1) * tabStops[0];
    if (tabStops.size() > 1)
        for (const int stop : tabStops)
            if (std::abs(stop) > x)
                return std::abs(stop);
    const int defaultWidth = std::max(1, kDefaultTabChars * face.ScaleX(face.Tables().avgCharWidth));
    return (x / defaultWidth + 1) * defaultWidth;
}

SIZE detail::TabbedTextExtent(const FontFace& face, std::string_view text, std::span<const int> tabStops)
{
    return TabbedTextExtent(face, rtl::AnsiToWide(text), tabStops);
}

SIZE detail::TabbedTextExtent(const FontFace& face, std::u16string_view text, std::span<const int> tabStops,
                      std::span<const int> extras)
{
    const auto advances = UnitAdvances(face, text);
    int x = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        x = text[i] == u'\t' ? NextTabStop(face, x, tabStops) : x + advances[i] + (extras.empty() ? 0 : extras[i]);
    return {x, CellHeight(face)};
}

GcpResults detail::CharacterPlacement(const FontFace& face, std::u16string_view text, DWORD flags)
{
    GcpResults result;
    const auto advances = UnitAdvances(face, text);
    if (flags & GCP_REORDER) {
        result.order = DisplayOrder(text);
    } else {
        for (std::size_t i = 0; i < text.size(); ++i)
            result.order.push_back(UINT(i));
    }
    result.outString.resize(text.size());
    result.dx.resize(text.size());
    int width = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        result.outString[result.order[i]] = text[i];
        result.dx[result.order[i]] = advances[i];
        width += advances[i];
    }
    result.size = {width, CellHeight(face)};
    return result;
}

}  // namespace win
