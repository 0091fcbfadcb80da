#pragma once
// Formatted text in a rectangle on a device context, with the selected font.
//
// Lines end at CR, LF or CR LF (unless DT_SINGLELINE) and, with DT_WORDBREAK, wrap to the rectangle's
// width at blanks and, unless DT_NOFULLWIDTHCHARBREAK, between two full-width East-Asian characters; the
// blanks at a wrap are dropped. A word wider than the rectangle stands alone on its line, or with
// DT_EDITCONTROL is broken between characters. Each line is a cell high (tmHeight). DT_VCENTER and
// DT_BOTTOM apply to single lines only. DT_EDITCONTROL draws, as a multi-line edit does, only the lines
// wholly inside the rectangle. "&x" draws x underlined and "&&" a literal & unless DT_NOPREFIX;
// DT_HIDEPREFIX drops the & without the underline. DT_EXPANDTABS sets tabs every 8 average character
// widths; without it a tab is a character like any other. DT_RTLREADING shows each line in display
// order (right-to-left runs reversed as GetCharacterPlacement with GCP_REORDER orders them); DT_LEFT and
// DT_RIGHT keep their meaning. The text is clipped to the rectangle unless DT_NOCLIP. The context's text
// alignment does not apply; its colours and background mode do.
//
// Ellipses shorten a line too wide for the rectangle where its extents leave room for "...":
// DT_END_ELLIPSIS keeps the characters that fit; DT_WORD_ELLIPSIS the whole words that fit (a first
// word too wide is cut like DT_END_ELLIPSIS); DT_PATH_ELLIPSIS keeps the part from the last \ or / and
// as much of the start as fits, replacing the middle (text without a separator is cut at its end, and
// with DT_END_ELLIPSIS too a last part that still does not fit is cut at its end as well).
//
// DT_MODIFYSTRING, with an ellipsis flag, writes the shortened text (without its prefix marks) back into
// the caller's text, which must then be a writable buffer; only text that lays out as one line is
// written back. The system's convention asks for a buffer of count + 4 characters, since the shown text
// may be longer than the text; this one never writes past the text's own characters and, for a
// terminated text (count -1), its terminator: a longer shown text is cut to that length. A counted text
// is terminated only where the shown text ends within count.

#include "platform/wintypes/GdiTypes.h"

namespace win {

inline constexpr UINT DT_TOP = 0x00000000;
inline constexpr UINT DT_LEFT = 0x00000000;
inline constexpr UINT DT_CENTER = 0x00000001;
inline constexpr UINT DT_RIGHT = 0x00000002;
inline constexpr UINT DT_VCENTER = 0x00000004;
inline constexpr UINT DT_BOTTOM = 0x00000008;
inline constexpr UINT DT_WORDBREAK = 0x00000010;
inline constexpr UINT DT_SINGLELINE = 0x00000020;
inline constexpr UINT DT_EXPANDTABS = 0x00000040;
inline constexpr UINT DT_NOCLIP = 0x00000100;
inline constexpr UINT DT_CALCRECT = 0x00000400;
inline constexpr UINT DT_NOPREFIX = 0x00000800;
inline constexpr UINT DT_EDITCONTROL = 0x00002000;
inline constexpr UINT DT_PATH_ELLIPSIS = 0x00004000;
inline constexpr UINT DT_END_ELLIPSIS = 0x00008000;
inline constexpr UINT DT_MODIFYSTRING = 0x00010000;
inline constexpr UINT DT_RTLREADING = 0x00020000;
inline constexpr UINT DT_WORD_ELLIPSIS = 0x00040000;
inline constexpr UINT DT_NOFULLWIDTHCHARBREAK = 0x00080000;
inline constexpr UINT DT_HIDEPREFIX = 0x00100000;

// count -1: text is terminated. Answers the height of the text (logical units); with DT_CALCRECT draws
// nothing and sets rect's right and bottom to the text's widest line and its height. 0 on failure: an
// invalid handle, a context without a valid font, or a null rect or text (ERROR_INVALID_PARAMETER).
int DrawTextA(HDC dc, const char* text, int count, RECT* rect, UINT format);
int DrawTextW(HDC dc, const char16_t* text, int count, RECT* rect, UINT format);

}  // namespace win
