#pragma once
// The text metrics and measuring calls on a device context: the face-level functions of FontMetrics.h
// applied to the font selected into the context, realised at the context's device resolution, so the
// same logical font measures in screen pixels on a window and in printer pixels on a page.
//
// The calls answer their failure value for an invalid handle and for a null buffer or text with a
// negative count (ERROR_INVALID_PARAMETER); a font the engine cannot realise and a character range the
// face-level functions refuse raise their exceptions, leaving the caller's buffers untouched.

#include "platform/gdi/DeviceContext.h"
#include "platform/text/FontFace.h"
#include "platform/text/FontMetrics.h"
#include "platform/wintypes/GdiTypes.h"

#include <memory>
#include <string_view>
#include <vector>

namespace win {

inline constexpr DWORD GDI_ERROR = 0xFFFFFFFF;

// The font selected into the context realised at its vertical resolution; null when the context holds
// no valid font (ERROR_INVALID_HANDLE). The caller holds the GDI lock.
std::shared_ptr<const FontFace> SelectedFace(const DeviceContext& context);

BOOL GetTextMetricsA(HDC dc, TEXTMETRIC* metrics);
BOOL GetTextMetricsW(HDC dc, TEXTMETRIC* metrics);
// With metrics null answers the size of the record; 0 when size is smaller than that.
UINT GetOutlineTextMetricsA(HDC dc, UINT size, OUTLINETEXTMETRIC* metrics);
UINT GetOutlineTextMetricsW(HDC dc, UINT size, OUTLINETEXTMETRIC* metrics);

// buffer holds last - first + 1 entries.
BOOL GetCharABCWidthsA(HDC dc, UINT first, UINT last, ABC* buffer);
BOOL GetCharABCWidthsW(HDC dc, UINT first, UINT last, ABC* buffer);
BOOL GetCharWidthA(HDC dc, UINT first, UINT last, int* buffer);
BOOL GetCharWidthW(HDC dc, UINT first, UINT last, int* buffer);
BOOL GetCharWidth32A(HDC dc, UINT first, UINT last, int* buffer);
BOOL GetCharWidth32W(HDC dc, UINT first, UINT last, int* buffer);

// The pixels the context's character extra and pending justification add after each UTF-16 unit of
// text, as text output spaces it: the extra after every character (a surrogate pair's after its first
// unit), and the justification's pixels shared over the blanks, the first ones one more when they do
// not divide evenly. The extent calls below count them too.
std::vector<int> ExtraSpacing(const DcState& state, std::u16string_view text);

BOOL GetTextExtentPoint32A(HDC dc, const char* text, int count, SIZE* size);
BOOL GetTextExtentPoint32W(HDC dc, const char16_t* text, int count, SIZE* size);
// fit and dx may be null; without fit every character counts as fitting and maxExtent is ignored. dx
// receives count entries.
BOOL GetTextExtentExPointA(HDC dc, const char* text, int count, int maxExtent, int* fit, int* dx, SIZE* size);
BOOL GetTextExtentExPointW(HDC dc, const char16_t* text, int count, int maxExtent, int* fit, int* dx, SIZE* size);
// MAKELONG(width, height); 0 on failure. Tab stops as TabbedTextExtent says, the context's spacing
// added after every character but a tab, as TabbedTextOut draws the text.
DWORD GetTabbedTextExtentA(HDC dc, const char* text, int count, int tabCount, const int* tabStops);
DWORD GetTabbedTextExtentW(HDC dc, const char16_t* text, int count, int tabCount, const int* tabStops);

// Copies the realised face's name, cut to count - 1 characters and terminated; answers the characters
// copied with the terminator, or with name null the length the whole name needs.
int GetTextFaceA(HDC dc, int count, char* name);
int GetTextFaceW(HDC dc, int count, char16_t* name);

// table 0 only: the bytes of the whole font file from offset. With buffer null or size 0 answers the
// bytes from offset to the end; otherwise copies at most size of them and answers how many. GDI_ERROR
// for another table, an offset past the end or an invalid handle.
DWORD GetFontData(HDC dc, DWORD table, DWORD offset, void* buffer, DWORD size);

}  // namespace win
