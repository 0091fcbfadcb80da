#pragma once
// The process's font engine: the one private font set and the realised fonts, shared by every device so
// that text measures alike on screen, in exported documents and on paper.

#include "platform/text/FontConfig.h"
#include "platform/text/FontFace.h"
#include "platform/text/FontMetrics.h"
#include "platform/wintypes/GdiTypes.h"
#include "platform/wintypes/LogFont.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace win {

// Loads the private font set from the folders; raises EFOpenError when the fonts are not installed (see
// FontConfig). Called again, it replaces the set and forgets every realised font.
void InitializeFonts(const std::vector<std::filesystem::path>& folders = FontConfig::DefaultFolders());
void FinalizeFonts();

// The font set; raises EInvalidOperation before InitializeFonts.
const FontConfig& Fonts();

// The font realised for a device of dpi pixels per inch. Equal requests share one face while it is in use
// or among the most recently used ones. Raises as FontFace does for sizes it cannot draw.
std::shared_ptr<const FontFace> RealizeFont(const LOGFONT& font, int dpi);

inline constexpr DWORD RASTER_FONTTYPE = 0x0001;
inline constexpr DWORD DEVICE_FONTTYPE = 0x0002;
inline constexpr DWORD TRUETYPE_FONTTYPE = 0x0004;

struct ENUMLOGFONTEX {
    LOGFONT elfLogFont;
    std::string elfFullName;  // "Arial Bold"
    std::string elfStyle;     // "Bold"
    std::string elfScript;    // the character set's script: "Western", "Cyrillic", ..
};

// Returns 0 to stop the enumeration.
using FontEnumProc = std::function<int(const ENUMLOGFONTEX&, const TEXTMETRIC&, DWORD fontType)>;

// Calls proc for each name a logical font may use (FontConfig::Families) and each character set its file
// covers. An empty filter face name lists every name in its regular style; a name lists that name's four
// styles; an unknown name lists nothing. A filter set other than DEFAULT_CHARSET lists only that set.
// The metrics are those of the default height on a device of dpi pixels per inch. Returns the last value
// proc returned, 1 when it was never called.
int EnumFontFamiliesEx(const LOGFONT& filter, int dpi, const FontEnumProc& proc);

// The form on a device context: returns 0 to stop the enumeration; lParam is the caller's.
using FONTENUMPROC = int (*)(const ENUMLOGFONTEX* font, const TEXTMETRIC* metrics, DWORD fontType, LPARAM lParam);

// EnumFontFamiliesEx above at the context's resolution, so a printer lists the metrics of its own
// pixels. flags is not used. 0 for an invalid handle, a null filter or proc (ERROR_INVALID_PARAMETER).
int EnumFontFamiliesEx(HDC dc, const LOGFONT* filter, FONTENUMPROC proc, LPARAM lParam, DWORD flags);

}  // namespace win
