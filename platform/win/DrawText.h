#pragma once
// Formatted text in a rectangle on a device context, with the selected font.
//
// Lines end at CR, LF or CR LF (unless DT_SINGLELINE) and, with DT_WORDBREAK, wrap at blanks to the
// rectangle's width: a word wider than the rectangle stands alone on its line, and the blanks at a wrap
// are dropped. Each line is a cell high (tmHeight). DT_VCENTER and DT_BOTTOM apply to single lines only.
// "&x" draws x underlined and "&&" a literal & unless DT_NOPREFIX; DT_HIDEPREFIX drops the & without
// the underline. DT_EXPANDTABS sets tabs every 8 average character widths; without it a tab is a
// character like any other. DT_END_ELLIPSIS cuts a line too wide for the rectangle where its extents
// leave room for "...". The text is clipped to the rectangle unless DT_NOCLIP. The context's text
// alignment does not apply; its colours and background mode do.

#include "platform/win/GdiTypes.h"

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
inline constexpr UINT DT_END_ELLIPSIS = 0x00008000;
inline constexpr UINT DT_HIDEPREFIX = 0x00100000;

// count -1: text is terminated. Answers the height of the text (logical units); with DT_CALCRECT draws
// nothing and sets rect's right and bottom to the text's widest line and its height. 0 on failure: an
// invalid handle, a context without a valid font, or a null rect or text (ERROR_INVALID_PARAMETER).
int DrawTextA(HDC dc, const char* text, int count, RECT* rect, UINT format);
int DrawTextW(HDC dc, const char16_t* text, int count, RECT* rect, UINT format);

}  // namespace win
