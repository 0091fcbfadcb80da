#include "controls/uxTheme.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/gui/core/Application.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StringUtils.h"
#include "platform/win/ObjectInstance.h"
#include "platform/win/Window.h"
#include "platform/wintypes/Messages.h"

#include <algorithm>
#include <array>
#include <vector>

namespace controls {

namespace {

constexpr const char* defaultClassLists[uxThemedObjectTypeCount] = {
    "Button", "Clock", "ComboBox", "Edit", "ExplorerBar", "Header", "ListBox", "ListView", "Menu",
    "Page", "Progress", "Rebar", "ScrollBar", "Spin", "StartPanel", "Status", "Tab", "TaskBand",
    "TaskBar", "ToolBar", "ToolTip", "TrackBar", "TrayNotify", "TreeView", "Window"};

struct ThemeData {
    HTHEME handle = nullptr;
    std::string classList;
};

struct ThemeState {
    const TuxThemeLibrary* library = nullptr;  // null: not loaded
    bool visualStyles = false;
    std::array<ThemeData, uxThemedObjectTypeCount> handles;
    win::HWND receiver = nullptr;
    std::vector<TuxThemeChangedNotificator*> notificators;
};
ThemeState theme;

const TuxThemeLibrary* Library()
{
    return theme.library;
}

void ThemeChanged(win::TMessage& message)
{
    if (message.Msg != win::WM_THEMECHANGED) {
        message.Result = win::DefWindowProc(theme.receiver, message.Msg, message.WParam, message.LParam);
        return;
    }
    try {
        ReleaseAllThemeHandles();
        win::DefWindowProc(theme.receiver, message.Msg, message.WParam, message.LParam);
        theme.visualStyles = uxUxIsThemeActive();
        message.Result = 0;
        // A notificator may leave the list (or free another) while it is told.
        const std::vector<TuxThemeChangedNotificator*> listed = theme.notificators;
        for (TuxThemeChangedNotificator* notificator : listed)
            if (std::find(theme.notificators.begin(), theme.notificators.end(), notificator) !=
                    theme.notificators.end() &&
                notificator->OnThemeChanged)
                notificator->OnThemeChanged();
    } catch (const rtl::Exception&) {
        if (gui::TApplication* application = gui::Application())
            application->HandleException(nullptr);
    }
}

bool VisualStylesUsable()
{
    return theme.visualStyles && IsUxThemeLoaded();
}

}  // namespace

const char* uxDefaultClassList(TuxThemedObjectType type)
{
    return defaultClassLists[type];
}

bool uxIsThemeCapableOS()
{
    win::OSVERSIONINFO info;
    win::GetVersionEx(&info);
    return info.dwMajorVersion > 5 || (info.dwMajorVersion == 5 && info.dwMinorVersion > 0);
}

bool IsUxThemeLoaded()
{
    return theme.library != nullptr;
}

// Wrappers

HTHEME uxUxOpenThemeData(win::HWND window, std::string_view classList)
{
    if (!Library() || !Library()->OpenThemeData)
        return nullptr;
    const std::u16string wide = rtl::AnsiToWide(classList);
    return Library()->OpenThemeData(window, wide.c_str());
}

HRESULT uxUxCloseThemeData(HTHEME handle)
{
    return Library() && Library()->CloseThemeData ? Library()->CloseThemeData(handle) : E_FAIL;
}

HRESULT uxUxDrawThemeBackground(HTHEME handle, win::HDC dc, int part, int state, const win::RECT& rect,
                                const win::RECT* clip)
{
    if (!Library() || !Library()->DrawThemeBackground)
        return E_FAIL;
    return Library()->DrawThemeBackground(handle, dc, part, state, &rect, clip);
}

HRESULT uxUxDrawThemeBackground2(HTHEME handle, win::HDC dc, int part, int state, const win::RECT& rect,
                                 const win::RECT& clip)
{
    return uxUxDrawThemeBackground(handle, dc, part, state, rect, &clip);
}

HRESULT uxUxDrawThemeText(HTHEME handle, win::HDC dc, int part, int state, std::u16string_view text, int count,
                          win::DWORD flags, win::DWORD flags2, const win::RECT& rect)
{
    if (!Library() || !Library()->DrawThemeText)
        return E_FAIL;
    const std::u16string copy(text);
    const int length = count < 0 ? int(copy.size()) : std::min(count, int(copy.size()));
    return Library()->DrawThemeText(handle, dc, part, state, copy.c_str(), length, flags, flags2, &rect);
}

HRESULT uxUxDrawThemeTextAnsi(HTHEME handle, win::HDC dc, int part, int state, std::string_view text, int count,
                              win::DWORD flags, win::DWORD flags2, const win::RECT& rect)
{
    const std::string_view used = count < 0 ? text : text.substr(0, std::size_t(std::min(count, int(text.size()))));
    return uxUxDrawThemeText(handle, dc, part, state, rtl::AnsiToWide(used), -1, flags, flags2, rect);
}

HRESULT uxUxGetThemeBackgroundContentRect(HTHEME handle, win::HDC dc, int part, int state, const win::RECT& bounds,
                                          win::RECT& content)
{
    if (!Library() || !Library()->GetThemeBackgroundContentRect)
        return E_FAIL;
    return Library()->GetThemeBackgroundContentRect(handle, dc, part, state, &bounds, &content);
}

HRESULT uxUxGetThemePartSize(HTHEME handle, win::HDC dc, int part, int state, const win::RECT& rect, int sizeKind,
                             win::SIZE& size)
{
    if (!Library() || !Library()->GetThemePartSize)
        return E_FAIL;
    return Library()->GetThemePartSize(handle, dc, part, state, &rect, sizeKind, &size);
}

HRESULT uxUxGetThemePartSizeNoRect(HTHEME handle, win::HDC dc, int part, int state, int sizeKind, win::SIZE& size)
{
    if (!Library() || !Library()->GetThemePartSize)
        return E_FAIL;
    return Library()->GetThemePartSize(handle, dc, part, state, nullptr, sizeKind, &size);
}

HRESULT uxUxGetThemeBackgroundRegion(HTHEME handle, win::HDC dc, int part, int state, const win::RECT& rect,
                                     win::HRGN& region)
{
    if (!Library() || !Library()->GetThemeBackgroundRegion)
        return E_FAIL;
    return Library()->GetThemeBackgroundRegion(handle, dc, part, state, &rect, &region);
}

HRESULT uxUxDrawThemeEdge(HTHEME handle, win::HDC dc, int part, int state, const win::RECT& rect, win::UINT edge,
                          win::UINT flags, win::RECT* content)
{
    if (!Library() || !Library()->DrawThemeEdge)
        return E_FAIL;
    return Library()->DrawThemeEdge(handle, dc, part, state, &rect, edge, flags, content);
}

bool uxUxIsThemeBackgroundPartiallyTransparent(HTHEME handle, int part, int state)
{
    return Library() && Library()->IsThemeBackgroundPartiallyTransparent &&
           Library()->IsThemeBackgroundPartiallyTransparent(handle, part, state) != 0;
}

HRESULT uxUxDrawThemeParentBackground(win::HWND window, win::HDC dc, const win::RECT* rect)
{
    if (!Library() || !Library()->DrawThemeParentBackground)
        return E_FAIL;
    win::HGDIOBJ font = win::GetCurrentObject(dc, win::OBJ_FONT);
    const HRESULT result = Library()->DrawThemeParentBackground(window, dc, rect);
    win::SelectObject(dc, font);
    return result;
}

HRESULT uxUxGetThemeColor(HTHEME handle, int part, int state, int property, win::COLORREF& color)
{
    if (!Library() || !Library()->GetThemeColor)
        return E_FAIL;
    win::COLORREF read = color;
    const HRESULT result = Library()->GetThemeColor(handle, part, state, property, &read);
    if (result == S_OK)
        color = read;
    return result;
}

HRESULT uxUxGetCurrentThemeName(std::u16string& fileName, std::u16string& colorName, std::u16string& sizeName,
                                int maxLength)
{
    if (!Library() || !Library()->GetCurrentThemeName || maxLength <= 0)
        return E_FAIL;
    std::u16string file(std::size_t(maxLength), u'\0');
    std::u16string color(std::size_t(maxLength), u'\0');
    std::u16string size(std::size_t(maxLength), u'\0');
    const HRESULT result =
        Library()->GetCurrentThemeName(file.data(), maxLength, color.data(), maxLength, size.data(), maxLength);
    if (result != S_OK)
        return result;
    const auto trimmed = [](std::u16string& text) { text.resize(std::char_traits<char16_t>::length(text.c_str())); };
    trimmed(file);
    trimmed(color);
    trimmed(size);
    fileName = file;
    colorName = color;
    sizeName = size;
    return result;
}

win::HANDLE uxUxBeginBufferedPaint(win::HDC target, const win::RECT& rect, int format, const void* params,
                                   win::HDC& paintDC)
{
    if (!Library() || !Library()->BeginBufferedPaint)
        return nullptr;
    return Library()->BeginBufferedPaint(target, &rect, format, params, &paintDC);
}

HRESULT uxUxEndBufferedPaint(win::HANDLE paint, bool updateTarget)
{
    return Library() && Library()->EndBufferedPaint ? Library()->EndBufferedPaint(paint, updateTarget) : E_FAIL;
}

HRESULT uxUxBufferedPaintSetAlpha(win::HANDLE paint, const win::RECT* rect, win::BYTE alpha)
{
    if (!Library() || !Library()->BufferedPaintSetAlpha)
        return E_FAIL;
    return Library()->BufferedPaintSetAlpha(paint, rect, alpha);
}

bool uxUxIsThemeActive()
{
    return Library() && Library()->IsThemeActive && Library()->IsThemeActive() != 0;
}

// Availability and the handle cache

bool AreThemeTypesAvailable(std::uint32_t mask)
{
    if (!VisualStylesUsable())
        return false;
    for (int type = 0; type < uxThemedObjectTypeCount; ++type)
        if ((mask & (1u << type)) && !AcquireThemeHandle(TuxThemedObjectType(type)))
            return false;
    return true;
}

bool IsThemeTypeAvailable(TuxThemedObjectType type)
{
    return VisualStylesUsable() && AcquireThemeHandle(type) != nullptr;
}

HTHEME AcquireThemeHandle(TuxThemedObjectType type, const char* classList)
{
    if (!AreThemeTypesAvailable(0))
        return nullptr;
    ThemeData& data = theme.handles[type];
    if (data.handle) {
        if (!classList || rtl::AnsiUpperCase(classList) == rtl::AnsiUpperCase(data.classList))
            return data.handle;
        ReleaseThemeHandle(type);
    }
    std::string list = classList ? std::string(classList) : data.classList;
    if (list.empty())
        list = defaultClassLists[type];
    data.handle = uxUxOpenThemeData(nullptr, list);
    data.classList = data.handle ? list : std::string();
    return data.handle;
}

bool ReleaseThemeHandle(TuxThemedObjectType type)
{
    if (!AreThemeTypesAvailable(0))
        return true;
    ThemeData& data = theme.handles[type];
    if (!data.handle)
        return false;
    const HRESULT result = uxUxCloseThemeData(data.handle);
    data.handle = nullptr;
    return result == S_OK;
}

void ReleaseAllThemeHandles()
{
    for (ThemeData& data : theme.handles)
        if (data.handle) {
            uxUxCloseThemeData(data.handle);
            data.handle = nullptr;
        }
}

bool IsBuiltInWindowsTheme()
{
    if (!AreThemeTypesAvailable(0))
        return false;
    std::u16string file;
    std::u16string color;
    std::u16string size;
    if (uxUxGetCurrentThemeName(file, color, size) != S_OK)
        return false;
    const std::size_t slash = file.find_last_of(u"\\/");
    const std::string name = rtl::AnsiUpperCase(rtl::WideToAnsi(slash == std::u16string::npos ? file : file.substr(slash + 1)));
    return name == "LUNA.MSSTYLES" || name == "ROYALE.MSSTYLES";
}

// Notificators

TuxThemeChangedNotificator::TuxThemeChangedNotificator()
{
    if (IsUxThemeLoaded())
        theme.notificators.push_back(this);
}

TuxThemeChangedNotificator::~TuxThemeChangedNotificator()
{
    std::erase(theme.notificators, this);
}

bool TuxThemeChangedNotificator::Listed() const
{
    return std::find(theme.notificators.begin(), theme.notificators.end(), this) != theme.notificators.end();
}

namespace detail {
void InitializeTheme()
{
    theme = ThemeState{};
    if (uxIsThemeCapableOS())
        theme.library = clEntryPoints().ThemeLibrary;
    if (theme.library) {
        theme.receiver = win::AllocateHWnd(&ThemeChanged);
        theme.visualStyles = uxUxIsThemeActive();
    }
}

void FinalizeTheme()
{
    ReleaseAllThemeHandles();
    if (theme.receiver) {
        win::DeallocateHWnd(theme.receiver);
        theme.receiver = nullptr;
        theme.visualStyles = false;
    }
    theme.notificators.clear();
    theme.library = nullptr;
}
}  // namespace detail

}  // namespace controls
