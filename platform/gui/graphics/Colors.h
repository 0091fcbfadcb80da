#pragma once
// Colours as the class library gives them: a TColor is an RGB value (0x00BBGGRR), a system colour
// (0xFF000000 plus the index of GetSysColor), or one of the two sentinels clNone (nothing is drawn) and
// clDefault (whatever the drawing's own default is). Stored data names colours by the identifiers of the
// colour table ("clBtnFace"), and falls back to the number for the others.

#include "platform/classes/TypeInfo.h"
#include "platform/wintypes/GdiTypes.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace gui {

using TColor = std::int32_t;

constexpr TColor SystemColor(int index)
{
    return static_cast<TColor>(0xFF000000u | static_cast<std::uint32_t>(index));
}

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;

constexpr TColor clScrollBar = SystemColor(0);
constexpr TColor clBackground = SystemColor(1);
constexpr TColor clActiveCaption = SystemColor(2);
constexpr TColor clInactiveCaption = SystemColor(3);
constexpr TColor clMenu = SystemColor(4);
constexpr TColor clWindow = SystemColor(5);
constexpr TColor clWindowFrame = SystemColor(6);
constexpr TColor clMenuText = SystemColor(7);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clCaptionText = SystemColor(9);
constexpr TColor clActiveBorder = SystemColor(10);
constexpr TColor clInactiveBorder = SystemColor(11);
constexpr TColor clAppWorkSpace = SystemColor(12);
constexpr TColor clHighlight = SystemColor(13);
constexpr TColor clHighlightText = SystemColor(14);
constexpr TColor clBtnFace = SystemColor(15);
constexpr TColor clBtnShadow = SystemColor(16);
constexpr TColor clGrayText = SystemColor(17);
constexpr TColor clBtnText = SystemColor(18);
constexpr TColor clInactiveCaptionText = SystemColor(19);
constexpr TColor clBtnHighlight = SystemColor(20);
constexpr TColor cl3DDkShadow = SystemColor(21);
constexpr TColor cl3DLight = SystemColor(22);
constexpr TColor clInfoText = SystemColor(23);
constexpr TColor clInfoBk = SystemColor(24);
constexpr TColor clHotLight = SystemColor(26);
constexpr TColor clGradientActiveCaption = SystemColor(27);
constexpr TColor clGradientInactiveCaption = SystemColor(28);
constexpr TColor clMenuHighlight = SystemColor(29);
constexpr TColor clMenuBar = SystemColor(30);

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// A system colour as the scheme gives it now; any other value as it is.
win::COLORREF ColorToRGB(TColor color);

// The colour table: 52 identifiers in the order stored data and scripts list them.
struct TIdentMapEntry {
    TColor value;
    const char* name;
};
const TIdentMapEntry* ColorTable(int& count);
// False when the value has no identifier / the identifier (compared without regard to case) is unknown.
bool ColorToIdent(TColor color, std::string& ident);
bool IdentToColor(std::string_view ident, TColor& color);
// The identifier, or the number as "$00BBGGRR"-style hex text ("$0080FF00").
std::string ColorToString(TColor color);
// An identifier or a number; EConvertError for anything else.
TColor StringToColor(std::string_view text);

// The type of TColor properties (stored by identifier where the table has one) and of font character
// sets (TFontCharset, stored as "DEFAULT_CHARSET" and its kin).
const classes::TTypeInfo& ColorType();
const classes::TTypeInfo& FontCharsetType();

}  // namespace gui
