#pragma once
// The logical font record and its constants, with the names the drawing API gives them. A logical font
// asks for a face; the font engine realises it with the nearest face of its private set (FontConfig.h).
//
// lfHeight: < 0 the character height (the em) in device pixels, > 0 the cell height (ascent + descent),
// 0 a default cell of 12 points. lfWidth: 0 the face's natural width, otherwise the average character
// width the glyphs are stretched or squeezed to. lfEscapement: the angle of the baseline in tenths of a
// degree, counter-clockwise; lfOrientation is kept but glyphs always follow the baseline.

#include "platform/rtl/Charsets.h"
#include "platform/rtl/ShortString.h"
#include "platform/wintypes/Types.h"

namespace win {

// The face name holds 31 bytes (32 with the terminating zero in the original record).
inline constexpr int LF_FACESIZE = 32;
inline constexpr int LF_FULLFACESIZE = 64;

inline constexpr LONG FW_DONTCARE = 0;
inline constexpr LONG FW_THIN = 100;
inline constexpr LONG FW_EXTRALIGHT = 200;
inline constexpr LONG FW_ULTRALIGHT = 200;
inline constexpr LONG FW_LIGHT = 300;
inline constexpr LONG FW_NORMAL = 400;
inline constexpr LONG FW_REGULAR = 400;
inline constexpr LONG FW_MEDIUM = 500;
inline constexpr LONG FW_SEMIBOLD = 600;
inline constexpr LONG FW_DEMIBOLD = 600;
inline constexpr LONG FW_BOLD = 700;
inline constexpr LONG FW_EXTRABOLD = 800;
inline constexpr LONG FW_ULTRABOLD = 800;
inline constexpr LONG FW_HEAVY = 900;
inline constexpr LONG FW_BLACK = 900;

using rtl::ANSI_CHARSET;
using rtl::ARABIC_CHARSET;
using rtl::BALTIC_CHARSET;
using rtl::CHINESEBIG5_CHARSET;
using rtl::DEFAULT_CHARSET;
using rtl::EASTEUROPE_CHARSET;
using rtl::GB2312_CHARSET;
using rtl::GREEK_CHARSET;
using rtl::HANGEUL_CHARSET;
using rtl::HEBREW_CHARSET;
using rtl::JOHAB_CHARSET;
using rtl::MAC_CHARSET;
using rtl::OEM_CHARSET;
using rtl::RUSSIAN_CHARSET;
using rtl::SHIFTJIS_CHARSET;
using rtl::SYMBOL_CHARSET;
using rtl::THAI_CHARSET;
using rtl::TURKISH_CHARSET;
using rtl::VIETNAMESE_CHARSET;

inline constexpr BYTE OUT_DEFAULT_PRECIS = 0;
inline constexpr BYTE OUT_STRING_PRECIS = 1;
inline constexpr BYTE OUT_CHARACTER_PRECIS = 2;
inline constexpr BYTE OUT_STROKE_PRECIS = 3;
inline constexpr BYTE OUT_TT_PRECIS = 4;
inline constexpr BYTE OUT_DEVICE_PRECIS = 5;
inline constexpr BYTE OUT_RASTER_PRECIS = 6;
inline constexpr BYTE OUT_TT_ONLY_PRECIS = 7;
inline constexpr BYTE OUT_OUTLINE_PRECIS = 8;
inline constexpr BYTE OUT_SCREEN_OUTLINE_PRECIS = 9;
inline constexpr BYTE OUT_PS_ONLY_PRECIS = 10;

inline constexpr BYTE CLIP_DEFAULT_PRECIS = 0;
inline constexpr BYTE CLIP_CHARACTER_PRECIS = 1;
inline constexpr BYTE CLIP_STROKE_PRECIS = 2;
inline constexpr BYTE CLIP_MASK = 0x0F;
inline constexpr BYTE CLIP_LH_ANGLES = 0x10;
inline constexpr BYTE CLIP_TT_ALWAYS = 0x20;
inline constexpr BYTE CLIP_DFA_DISABLE = 0x40;
inline constexpr BYTE CLIP_EMBEDDED = 0x80;

// Every quality draws with grey anti-aliasing except NONANTIALIASED_QUALITY, which draws bi-level glyphs.
inline constexpr BYTE DEFAULT_QUALITY = 0;
inline constexpr BYTE DRAFT_QUALITY = 1;
inline constexpr BYTE PROOF_QUALITY = 2;
inline constexpr BYTE NONANTIALIASED_QUALITY = 3;
inline constexpr BYTE ANTIALIASED_QUALITY = 4;
inline constexpr BYTE CLEARTYPE_QUALITY = 5;
inline constexpr BYTE CLEARTYPE_NATURAL_QUALITY = 6;

// lfPitchAndFamily: the pitch in the low two bits, the family in the high four.
inline constexpr BYTE DEFAULT_PITCH = 0;
inline constexpr BYTE FIXED_PITCH = 1;
inline constexpr BYTE VARIABLE_PITCH = 2;
inline constexpr BYTE MONO_FONT = 8;

inline constexpr BYTE FF_DONTCARE = 0x00;
inline constexpr BYTE FF_ROMAN = 0x10;
inline constexpr BYTE FF_SWISS = 0x20;
inline constexpr BYTE FF_MODERN = 0x30;
inline constexpr BYTE FF_SCRIPT = 0x40;
inline constexpr BYTE FF_DECORATIVE = 0x50;

struct LOGFONT {
    LONG lfHeight = 0;
    LONG lfWidth = 0;
    LONG lfEscapement = 0;
    LONG lfOrientation = 0;
    LONG lfWeight = FW_DONTCARE;
    BYTE lfItalic = 0;
    BYTE lfUnderline = 0;
    BYTE lfStrikeOut = 0;
    BYTE lfCharSet = ANSI_CHARSET;
    BYTE lfOutPrecision = OUT_DEFAULT_PRECIS;
    BYTE lfClipPrecision = CLIP_DEFAULT_PRECIS;
    BYTE lfQuality = DEFAULT_QUALITY;
    BYTE lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    rtl::ShortString<LF_FACESIZE - 1> lfFaceName;

    bool operator==(const LOGFONT&) const = default;
};

}  // namespace win
