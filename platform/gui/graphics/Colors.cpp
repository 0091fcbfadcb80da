#include "platform/gui/graphics/Colors.h"

#include "platform/gdi/SystemInfo.h"
#include "platform/rtl/Charsets.h"
#include "platform/rtl/Collation.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Numbers.h"

#include <cstdio>
#include <iterator>

namespace gui {

namespace {

constexpr TIdentMapEntry kColors[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clActiveBorder, "clActiveBorder"},
    {clActiveCaption, "clActiveCaption"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clBackground, "clBackground"},
    {clBtnFace, "clBtnFace"},
    {clBtnHighlight, "clBtnHighlight"},
    {clBtnShadow, "clBtnShadow"},
    {clBtnText, "clBtnText"},
    {clCaptionText, "clCaptionText"},
    {clDefault, "clDefault"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clGrayText, "clGrayText"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clHotLight, "clHotLight"},
    {clInactiveBorder, "clInactiveBorder"},
    {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clInfoBk, "clInfoBk"},
    {clInfoText, "clInfoText"},
    {clMenu, "clMenu"},
    {clMenuBar, "clMenuBar"},
    {clMenuHighlight, "clMenuHighlight"},
    {clMenuText, "clMenuText"},
    {clNone, "clNone"},
    {clScrollBar, "clScrollBar"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clWindowText, "clWindowText"},
};

bool ColorIdentOf(std::int64_t value, std::string& ident)
{
    return ColorToIdent(static_cast<TColor>(value), ident);
}

bool ColorOfIdent(std::string_view ident, std::int64_t& value)
{
    TColor color = 0;
    if (!IdentToColor(ident, color)) {
        return false;
    }
    value = color;
    return true;
}

bool CharsetIdentOf(std::int64_t value, std::string& ident)
{
    const std::string_view name = rtl::CharsetToName(static_cast<int>(value));
    ident = name;
    return !name.empty();
}

bool CharsetOfIdent(std::string_view ident, std::int64_t& value)
{
    for (const rtl::CharsetEntry& entry : rtl::CharsetTable()) {
        if (rtl::SameText(entry.name, ident)) {
            value = entry.charset;
            return true;
        }
    }
    return false;
}

}  // namespace

win::COLORREF ColorToRGB(TColor color)
{
    return color < 0 ? win::GetSysColor(color & 0xFF) : static_cast<win::COLORREF>(color);
}

const TIdentMapEntry* ColorTable(int& count)
{
    count = static_cast<int>(std::size(kColors));
    return kColors;
}

bool ColorToIdent(TColor color, std::string& ident)
{
    for (const TIdentMapEntry& entry : kColors) {
        if (entry.value == color) {
            ident = entry.name;
            return true;
        }
    }
    return false;
}

bool IdentToColor(std::string_view ident, TColor& color)
{
    for (const TIdentMapEntry& entry : kColors) {
        if (rtl::SameText(entry.name, ident)) {
            color = entry.value;
            return true;
        }
    }
    return false;
}

std::string ColorToString(TColor color)
{
    std::string ident;
    if (ColorToIdent(color, ident)) {
        return ident;
    }
    char text[16];
    std::snprintf(text, sizeof text, "$%.8X", static_cast<unsigned>(color));
    return text;
}

TColor StringToColor(std::string_view text)
{
    TColor color = 0;
    if (IdentToColor(text, color)) {
        return color;
    }
    // Hex texts name system colours too ("$FF00000F"), which only fit 32 bits unsigned.
    return static_cast<TColor>(static_cast<std::uint32_t>(rtl::StrToInt64(text)));
}

const classes::TTypeInfo& ColorType()
{
    static const classes::TTypeInfo type = [] {
        classes::TTypeInfo t = classes::IntegerType("TColor", classes::TOrdType::SLong, INT32_MIN, INT32_MAX);
        t.intToIdent = &ColorIdentOf;
        t.identToInt = &ColorOfIdent;
        return t;
    }();
    return type;
}

const classes::TTypeInfo& FontCharsetType()
{
    static const classes::TTypeInfo type = [] {
        classes::TTypeInfo t = classes::IntegerType("TFontCharset", classes::TOrdType::UByte, 0, 255);
        t.intToIdent = &CharsetIdentOf;
        t.identToInt = &CharsetOfIdent;
        return t;
    }();
    return type;
}

}  // namespace gui
