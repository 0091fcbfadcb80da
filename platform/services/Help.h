#pragma once
// Help. The compiled help file "<dir>/<name>.chm" is, here, the folder "<dir>/help/<name>/" of HTML
// pages: "index.htm" is the contents, "alias.txt" maps context numbers to pages ("<number>=<page>"),
// "CSHelp.txt" holds the popup texts (".topic <number>" and the text's lines). Pages are found without
// regard to case and open with the desktop's opener. Nothing outside the help folder is ever opened.
// HtmlHelpA is offered as "HHCTRL.OCX" (Services.h registers it), which loads only when xdg-open is
// installed.

#include "platform/wintypes/GdiTypes.h"
#include "platform/wintypes/Types.h"

#include <functional>
#include <string>

namespace win {

constexpr UINT HH_DISPLAY_TOPIC = 0x0000;
constexpr UINT HH_DISPLAY_TOC = 0x0001;
constexpr UINT HH_DISPLAY_INDEX = 0x0002;
constexpr UINT HH_DISPLAY_TEXT_POPUP = 0x000E;
constexpr UINT HH_HELP_CONTEXT = 0x000F;
constexpr UINT HH_CLOSE_ALL = 0x0012;

struct HH_POPUP {
    int cbStruct = sizeof(HH_POPUP);
    HINSTANCE hinst = nullptr;
    UINT idString = 0;  // a topic of the popup text file when pszText is null or empty
    const char* pszText = nullptr;
    POINT pt{};  // the popup's top-left corner, in screen coordinates
    COLORREF clrForeground = 0xFFFFFFFF;
    COLORREF clrBackground = 0xFFFFFFFF;
    RECT rcMargins{-1, -1, -1, -1};
    const char* pszFont = nullptr;
};

// file is "<dir>/<name>.chm", followed by "::/<page>" where a page is meant. Answers a non-null window
// handle on success and null on failure:
//   HH_DISPLAY_TOPIC  the page, or index.htm without one;
//   HH_DISPLAY_TOC, HH_DISPLAY_INDEX  index.htm;
//   HH_HELP_CONTEXT   the page alias.txt gives the number data;
//   HH_DISPLAY_TEXT_POPUP  data points at an HH_POPUP: its text, or with none the topic idString of the
//                     text file file names; shown by the installed popup, whose window is the answer;
//   HH_CLOSE_ALL      nothing to close: succeeds.
HWND HtmlHelpA(HWND caller, const char* file, UINT command, ULONG_PTR data);

// The library that shows windows installs how a popup text is shown; it answers the popup's window.
using HelpPopup = std::function<HWND(const std::string& text, POINT at)>;
void SetHelpPopup(HelpPopup popup);

constexpr UINT HELP_QUIT = 0x0002;
// There is no WinHelp viewer: only HELP_QUIT, which has nothing to close, succeeds.
BOOL WinHelp(HWND window, const char* file, UINT command, ULONG_PTR data);

}  // namespace win
