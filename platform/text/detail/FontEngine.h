#pragma once
// The process's font engine: the one private font set and the realised fonts, shared by every device so
// that text measures alike on screen, in exported documents and on paper.

#include "platform/text/FontEngine.h"
#include "platform/text/detail/FontConfig.h"
#include "platform/text/detail/FontFace.h"
#include "platform/text/detail/FontMetrics.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

namespace win::detail {

// Loads the private font set from the folders; raises EFOpenError when the fonts are not installed (see
// FontConfig). Called again, it replaces the set and forgets every realised font.
void InitializeFonts(const std::vector<std::filesystem::path>& folders = FontConfig::DefaultFolders());
void FinalizeFonts();

// The font set; raises EInvalidOperation before InitializeFonts.
const FontConfig& Fonts();

// The font realised for a device of dpi pixels per inch. Equal requests share one face while it is in use
// or among the most recently used ones. Raises as FontFace does for sizes it cannot draw.
std::shared_ptr<const FontFace> RealizeFont(const LOGFONT& font, int dpi);

// Returns 0 to stop the enumeration.
using FontEnumProc = std::function<int(const ENUMLOGFONTEX&, const TEXTMETRIC&, DWORD fontType)>;

// Calls proc for each name a logical font may use (FontConfig::Families) and each character set its file
// covers. An empty filter face name lists every name in its regular style; a name lists that name's four
// styles; an unknown name lists nothing. A filter set other than DEFAULT_CHARSET lists only that set.
// The metrics are those of the default height on a device of dpi pixels per inch. Returns the last value
// proc returned, 1 when it was never called.
int EnumFontFamiliesEx(const LOGFONT& filter, int dpi, const FontEnumProc& proc);

}  // namespace win::detail
