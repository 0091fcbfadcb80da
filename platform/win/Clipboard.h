#pragma once
// The clipboard, headless: held in memory by the window system (the display back end maps it to the
// desktop's). One window (or thread) opens it at a time; EmptyClipboard makes the opener its owner.
// Data are global memory blocks the clipboard takes over; text asked for in another text format is
// converted (CF_TEXT and CF_OEMTEXT in the ANSI code page, CF_UNICODETEXT in UTF-16).

#include "platform/win/GlobalMemory.h"
#include "platform/wintypes/Types.h"

#include <string>

namespace win {

constexpr UINT CF_TEXT = 1;
constexpr UINT CF_BITMAP = 2;
constexpr UINT CF_METAFILEPICT = 3;
constexpr UINT CF_OEMTEXT = 7;
constexpr UINT CF_DIB = 8;
constexpr UINT CF_PALETTE = 9;
constexpr UINT CF_UNICODETEXT = 13;
constexpr UINT CF_ENHMETAFILE = 14;
constexpr UINT CF_HDROP = 15;
constexpr UINT CF_LOCALE = 16;

constexpr UINT WM_DESTROYCLIPBOARD = 0x0307;
constexpr UINT WM_CLIPBOARDUPDATE = 0x031D;
constexpr DWORD ERROR_CLIPBOARD_NOT_OPEN = 1418;

// Fails with ERROR_ACCESS_DENIED while another thread has it open.
BOOL OpenClipboard(HWND owner);
BOOL CloseClipboard();
// Drops every format; the previous owner gets WM_DESTROYCLIPBOARD.
BOOL EmptyClipboard();
// Replaces the format; answers data, which now belongs to the clipboard. Needs the clipboard open.
HANDLE SetClipboardData(UINT format, HANDLE data);
// The clipboard's own block (the caller must not free it); null when the format is not there.
HANDLE GetClipboardData(UINT format);
BOOL IsClipboardFormatAvailable(UINT format);
int CountClipboardFormats();
// The formats in the order they were set, then the text formats converted from them; 0 at the end.
UINT EnumClipboardFormats(UINT format);
// A format number in 0xC000 .. 0xFFFF, shared with registered window messages.
UINT RegisterClipboardFormat(const char* name);
HWND GetClipboardOwner();
HWND GetOpenClipboardWindow();
DWORD GetClipboardSequenceNumber();

}  // namespace win
