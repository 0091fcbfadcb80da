#pragma once
// The binding of the visual-styles library: wrappers of its entry points, one cached theme handle per
// kind of themed object, availability tests every native-style path asks first, and the notificators
// that hear of a theme change. The library does not exist on this system, so normally every test answers
// False and every handle is 0; a test may start the controls with a library of its own.
//
// Unlike the library's own calls, a wrapper whose entry point is missing answers failure (E_FAIL, 0 or
// False) and leaves its out values as they were.

#include "controls/clEntryPoints.h"
#include "platform/rtl/Method.h"
#include "platform/wintypes/GdiTypes.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace controls {

// The kinds of themed objects; a set of them is a mask with bit n for kind n.
enum TuxThemedObjectType {
    totButton, totClock, totComboBox, totEdit, totExplorerBar, totHeader, totListBox, totListView, totMenu, totPage,
    totProgress, totRebar, totScrollBar, totSpin, totStartPanel, totStatus, totTab, totTaskBand, totTaskBar,
    totToolBar, totToolTip, totTrackBar, totTrayNotify, totTreeView, totWindow
};
constexpr int uxThemedObjectTypeCount = 25;
// "Button", "Clock" ... "Window".
const char* uxDefaultClassList(TuxThemedObjectType type);

// Windows 5.1 and later can be themed.
bool uxIsThemeCapableOS();
bool IsUxThemeLoaded();

// Wrappers.
HTHEME uxUxOpenThemeData(win::HWND window, std::string_view classList);
HRESULT uxUxCloseThemeData(HTHEME theme);
HRESULT uxUxDrawThemeBackground(HTHEME theme, win::HDC dc, int part, int state, const win::RECT& rect,
                                const win::RECT* clip = nullptr);
HRESULT uxUxDrawThemeBackground2(HTHEME theme, win::HDC dc, int part, int state, const win::RECT& rect,
                                 const win::RECT& clip);
HRESULT uxUxDrawThemeText(HTHEME theme, win::HDC dc, int part, int state, std::u16string_view text, int count,
                          win::DWORD flags, win::DWORD flags2, const win::RECT& rect);
HRESULT uxUxDrawThemeTextAnsi(HTHEME theme, win::HDC dc, int part, int state, std::string_view text, int count,
                              win::DWORD flags, win::DWORD flags2, const win::RECT& rect);
HRESULT uxUxGetThemeBackgroundContentRect(HTHEME theme, win::HDC dc, int part, int state, const win::RECT& bounds,
                                          win::RECT& content);
HRESULT uxUxGetThemePartSize(HTHEME theme, win::HDC dc, int part, int state, const win::RECT& rect, int sizeKind,
                             win::SIZE& size);
HRESULT uxUxGetThemePartSizeNoRect(HTHEME theme, win::HDC dc, int part, int state, int sizeKind, win::SIZE& size);
HRESULT uxUxGetThemeBackgroundRegion(HTHEME theme, win::HDC dc, int part, int state, const win::RECT& rect,
                                     win::HRGN& region);
HRESULT uxUxDrawThemeEdge(HTHEME theme, win::HDC dc, int part, int state, const win::RECT& rect, win::UINT edge,
                          win::UINT flags, win::RECT* content);
bool uxUxIsThemeBackgroundPartiallyTransparent(HTHEME theme, int part, int state);
// The font selected into the context is selected again afterwards.
HRESULT uxUxDrawThemeParentBackground(win::HWND window, win::HDC dc, const win::RECT* rect);
HRESULT uxUxGetThemeColor(HTHEME theme, int part, int state, int property, win::COLORREF& color);
// The file, colour and size names of the current theme, at most maxLength characters each.
HRESULT uxUxGetCurrentThemeName(std::u16string& fileName, std::u16string& colorName, std::u16string& sizeName,
                                int maxLength = 1024);
win::HANDLE uxUxBeginBufferedPaint(win::HDC target, const win::RECT& rect, int format, const void* params,
                                   win::HDC& paintDC);
HRESULT uxUxEndBufferedPaint(win::HANDLE paint, bool updateTarget);
HRESULT uxUxBufferedPaintSetAlpha(win::HANDLE paint, const win::RECT* rect, win::BYTE alpha);
bool uxUxIsThemeActive();

// Whether visual styles are in use and every kind of the mask can be opened (an empty mask asks for
// visual styles only).
bool AreThemeTypesAvailable(std::uint32_t mask);
bool IsThemeTypeAvailable(TuxThemedObjectType type);
// The cached handle of the kind, opened when needed; 0 without usable visual styles.
HTHEME AcquireThemeHandle(TuxThemedObjectType type, const char* classList = nullptr);
bool ReleaseThemeHandle(TuxThemedObjectType type);
void ReleaseAllThemeHandles();
// The current theme is one of the system's own ("LUNA.MSSTYLES", "ROYALE.MSSTYLES").
bool IsBuiltInWindowsTheme();

// Hears of every theme change, in creation order; joins the list only while the library is loaded.
class TuxThemeChangedNotificator {
public:
    TuxThemeChangedNotificator();
    ~TuxThemeChangedNotificator();
    TuxThemeChangedNotificator(const TuxThemeChangedNotificator&) = delete;
    TuxThemeChangedNotificator& operator=(const TuxThemeChangedNotificator&) = delete;

    bool Listed() const;

    rtl::Method<void()> OnThemeChanged;
};

namespace detail {
void InitializeTheme();
void FinalizeTheme();
}  // namespace detail

}  // namespace controls
