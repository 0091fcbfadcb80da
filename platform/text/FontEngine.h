#pragma once
// The process's font engine: the one private font set and the realised fonts, shared by every device so
// that text measures alike on screen, in exported documents and on paper.

#include "platform/text/TextMetrics.h"
#include "platform/wintypes/GdiTypes.h"
#include "platform/wintypes/LogFont.h"

#include <string>

namespace win {

inline constexpr DWORD RASTER_FONTTYPE = 0x0001;
inline constexpr DWORD DEVICE_FONTTYPE = 0x0002;
inline constexpr DWORD TRUETYPE_FONTTYPE = 0x0004;

struct ENUMLOGFONTEX {
    LOGFONT elfLogFont;
    std::string elfFullName;  // "Arial Bold"
    std::string elfStyle;     // "Bold"
    std::string elfScript;    // the character set's script: "Western", "Cyrillic", ..
};

// The form on a device context: returns 0 to stop the enumeration; lParam is the caller's.
using FONTENUMPROC = int (*)(const ENUMLOGFONTEX* font, const TEXTMETRIC* metrics, DWORD fontType, LPARAM lParam);

// EnumFontFamiliesEx above at the context's resolution, so a printer lists the metrics of its own
// pixels. flags is not used. 0 for an invalid handle, a null filter or proc (ERROR_INVALID_PARAMETER).
int EnumFontFamiliesEx(HDC dc, const LOGFONT* filter, FONTENUMPROC proc, LPARAM lParam, DWORD flags);

}  // namespace win
