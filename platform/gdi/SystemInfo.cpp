#include "platform/gdi/SystemInfo.h"
#include "platform/gdi/detail/Handles.h"
#include "platform/gdi/detail/SystemInfo.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <map>
#include <mutex>

namespace win {

using namespace detail;

namespace {

// The brushes of the scheme are small handle values of their own, one per colour index.
constexpr std::intptr_t SysBrushBase = 0x7F000000;

struct Settings {
    std::mutex mutex;
    NONCLIENTMETRICS metrics;
    LOGFONT iconTitleFont;
    std::array<COLORREF, ColorSchemeSize> colors{};
    std::vector<MonitorLayout> monitors;
    std::map<UINT, UINT> values;  // every plain number and flag by its GET action
    UINT doubleClickTime = 500;
    int dragWidth = 4;
    int dragHeight = 4;
    SettingsChangedHook changed;
};

Settings& Current()
{
    static Settings settings;
    return settings;
}

// Tells the window system of a change, outside the settings lock.
void Changed(SettingsChange change, UINT action)
{
    SettingsChangedHook hook;
    {
        Settings& s = Current();
        std::lock_guard lock(s.mutex);
        hook = s.changed;
    }
    if (hook) {
        hook(change, action);
    }
}

LOGFONT Tahoma(LONG weight)
{
    LOGFONT font;
    font.lfHeight = -11;  // 8 points at 96 pixels per inch
    font.lfWeight = weight;
    font.lfCharSet = 1;  // DEFAULT_CHARSET
    font.lfFaceName = "Tahoma";
    return font;
}

constexpr std::array<COLORREF, ColorSchemeSize> ClassicColors = {
    RGB(212, 208, 200), RGB(58, 110, 165),  RGB(10, 36, 106),   RGB(128, 128, 128), RGB(212, 208, 200),
    RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(255, 255, 255),
    RGB(212, 208, 200), RGB(212, 208, 200), RGB(128, 128, 128), RGB(10, 36, 106),   RGB(255, 255, 255),
    RGB(212, 208, 200), RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(212, 208, 200),
    RGB(255, 255, 255), RGB(64, 64, 64),    RGB(212, 208, 200), RGB(0, 0, 0),       RGB(255, 255, 225),
    RGB(181, 181, 181), RGB(0, 0, 128),     RGB(166, 202, 240), RGB(192, 192, 192), RGB(10, 36, 106),
    RGB(212, 208, 200),
};

long long DistanceSquared(const RECT& r, POINT p)
{
    const long long dx = p.x < r.left ? r.left - p.x : (p.x >= r.right ? p.x - r.right + 1 : 0);
    const long long dy = p.y < r.top ? r.top - p.y : (p.y >= r.bottom ? p.y - r.bottom + 1 : 0);
    return dx * dx + dy * dy;
}

long long OverlapArea(const RECT& a, const RECT& b)
{
    const long long w = std::min(a.right, b.right) - std::max(a.left, b.left);
    const long long h = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
    return w > 0 && h > 0 ? w * h : 0;
}

// Monitors are handles of fixed identity: the first monitor's is the same for the life of the system.
HMONITOR MonitorHandle(std::size_t index)
{
    return HandleFromValue<HMONITOR>(FixedHandle(HandleKind::Monitor, static_cast<std::uint16_t>(index + 1)));
}

// Answers the monitor for a rectangle (lock of the settings held).
HMONITOR MonitorOf(const Settings& settings, const RECT& rect, DWORD flags)
{
    long long bestArea = 0;
    std::size_t best = 0;
    for (std::size_t i = 0; i < settings.monitors.size(); ++i) {
        const long long area = OverlapArea(settings.monitors[i].rect, rect);
        if (area > bestArea) {
            bestArea = area;
            best = i;
        }
    }
    if (bestArea > 0) {
        return MonitorHandle(best);
    }
    if (flags == MONITOR_DEFAULTTOPRIMARY) {
        return MonitorHandle(0);
    }
    if (flags != MONITOR_DEFAULTTONEAREST) {
        return nullptr;
    }
    const POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    long long nearest = -1;
    for (std::size_t i = 0; i < settings.monitors.size(); ++i) {
        const long long distance = DistanceSquared(settings.monitors[i].rect, centre);
        if (nearest < 0 || distance < nearest) {
            nearest = distance;
            best = i;
        }
    }
    return MonitorHandle(best);
}

int MetricOf(const Settings& s, int index)
{
    const NONCLIENTMETRICS& m = s.metrics;
    const RECT& screen = s.monitors.front().rect;
    const RECT& work = s.monitors.front().work;
    const int frame = m.iBorderWidth + 3;
    RECT virtualScreen = screen;
    for (const MonitorLayout& monitor : s.monitors) {
        virtualScreen.left = std::min(virtualScreen.left, monitor.rect.left);
        virtualScreen.top = std::min(virtualScreen.top, monitor.rect.top);
        virtualScreen.right = std::max(virtualScreen.right, monitor.rect.right);
        virtualScreen.bottom = std::max(virtualScreen.bottom, monitor.rect.bottom);
    }
    switch (index) {
    case SM_CXSCREEN: return Width(screen);
    case SM_CYSCREEN: return Height(screen);
    case SM_CXVSCROLL:
    case SM_CXHSCROLL:
    case SM_CXHTHUMB: return m.iScrollWidth;
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CYVTHUMB: return m.iScrollHeight;
    case SM_CYCAPTION: return m.iCaptionHeight + 1;
    case SM_CXBORDER:
    case SM_CYBORDER:
    case SM_CXFOCUSBORDER:
    case SM_CYFOCUSBORDER: return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return 3;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR: return 32;
    case SM_CYMENU: return m.iMenuHeight + 1;
    case SM_CXFULLSCREEN: return Width(work);
    case SM_CYFULLSCREEN: return Height(work) - (m.iCaptionHeight + 1);
    case SM_MOUSEPRESENT:
    case SM_MOUSEWHEELPRESENT:
    case SM_SAMEDISPLAYFORMAT: return 1;
    case SM_CXMIN:
    case SM_CXMINTRACK: return 112;
    case SM_CYMIN:
    case SM_CYMINTRACK: return 27;
    case SM_CXSIZE: return m.iCaptionWidth;
    case SM_CYSIZE: return m.iCaptionHeight;
    case SM_CXFRAME:
    case SM_CYFRAME: return frame;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK: return 4;
    case SM_CXICONSPACING:
    case SM_CYICONSPACING: return 75;
    case SM_CMOUSEBUTTONS: return 3;
    case SM_CXEDGE:
    case SM_CYEDGE: return 2;
    case SM_CXSMICON:
    case SM_CYSMICON: return 16;
    case SM_CYSMCAPTION: return m.iSmCaptionHeight + 1;
    case SM_CXSMSIZE: return m.iSmCaptionWidth;
    case SM_CYSMSIZE: return m.iSmCaptionHeight;
    case SM_CXMENUSIZE: return m.iMenuWidth;
    case SM_CYMENUSIZE: return m.iMenuHeight;
    case SM_CXMAXTRACK: return Width(virtualScreen) + 2 * frame;
    case SM_CYMAXTRACK: return Height(virtualScreen) + 2 * frame;
    case SM_CXMAXIMIZED: return Width(work) + 2 * frame;
    case SM_CYMAXIMIZED: return Height(work) + 2 * frame;
    case SM_CXDRAG: return s.dragWidth;
    case SM_CYDRAG: return s.dragHeight;
    case SM_CXMENUCHECK:
    case SM_CYMENUCHECK: return 13;
    case SM_XVIRTUALSCREEN: return virtualScreen.left;
    case SM_YVIRTUALSCREEN: return virtualScreen.top;
    case SM_CXVIRTUALSCREEN: return Width(virtualScreen);
    case SM_CYVIRTUALSCREEN: return Height(virtualScreen);
    case SM_CMONITORS: return static_cast<int>(s.monitors.size());
    default: return 0;
    }
}

void DefaultValues(std::map<UINT, UINT>& values)
{
    values = {
        {SPI_GETBEEP, 1},
        {SPI_GETKEYBOARDSPEED, 31},
        {SPI_GETKEYBOARDDELAY, 1},
        {SPI_GETDRAGFULLWINDOWS, 1},
        {SPI_GETSCREENREADER, 0},
        {SPI_GETFONTSMOOTHING, 1},
        {SPI_GETMOUSEHOVERWIDTH, 4},
        {SPI_GETMOUSEHOVERHEIGHT, 4},
        {SPI_GETMOUSEHOVERTIME, 400},
        {SPI_GETWHEELSCROLLLINES, 3},
        {SPI_GETMENUSHOWDELAY, 400},
        {SPI_GETMENUANIMATION, 1},
        {SPI_GETCOMBOBOXANIMATION, 1},
        {SPI_GETLISTBOXSMOOTHSCROLLING, 1},
        {SPI_GETGRADIENTCAPTIONS, 1},
        {SPI_GETKEYBOARDCUES, 0},
        {SPI_GETHOTTRACKING, 1},
        {SPI_GETMENUFADE, 1},
        {SPI_GETSELECTIONFADE, 1},
        {SPI_GETTOOLTIPANIMATION, 1},
        {SPI_GETTOOLTIPFADE, 1},
        {SPI_GETCURSORSHADOW, 1},
        {SPI_GETFLATMENU, 0},
        {SPI_GETDROPSHADOW, 1},
        {SPI_GETUIEFFECTS, 1},
        {SPI_GETCARETWIDTH, 1},
        {SPI_GETFOCUSBORDERWIDTH, 1},
        {SPI_GETFOCUSBORDERHEIGHT, 1},
    };
}

// A SET action of a plain number: the GET it belongs to, and whether the value comes in pvParam
// (the user-interface effects) or in uiParam.
bool PlainSetAction(UINT action, UINT& get, bool& inPointer)
{
    if (action >= 0x1000 && action < 0x1040 && (action & 1)) {
        get = action - 1;
        inPointer = true;
        return true;
    }
    switch (action) {
    case SPI_SETMOUSEHOVERWIDTH:
    case SPI_SETMOUSEHOVERHEIGHT:
    case SPI_SETMOUSEHOVERTIME:
    case SPI_SETWHEELSCROLLLINES:
    case SPI_SETMENUSHOWDELAY:
        get = action - 1;
        inPointer = false;
        return true;
    default:
        return false;
    }
}

// Answers whether the action changed a setting (true) or read one (false); -1 when it is unknown or
// its buffer is missing.
int Apply(UINT action, UINT uiParam, void* pvParam)
{
    Settings& s = Current();
    std::lock_guard lock(s.mutex);
    UINT get;
    bool inPointer;
    if (PlainSetAction(action, get, inPointer)) {
        s.values[get] = inPointer ? static_cast<UINT>(reinterpret_cast<std::uintptr_t>(pvParam)) : uiParam;
        return 1;
    }
    if (auto it = s.values.find(action); it != s.values.end()) {
        if (!pvParam) {
            return -1;
        }
        // Flags are read as BOOL, numbers as UINT: both are four bytes.
        std::memcpy(pvParam, &it->second, sizeof(UINT));
        return 0;
    }
    switch (action) {
    case SPI_GETWORKAREA:
        if (!pvParam) {
            return -1;
        }
        *static_cast<RECT*>(pvParam) = s.monitors.front().work;
        return 0;
    case SPI_SETWORKAREA: {
        if (!pvParam) {
            return -1;
        }
        const RECT& work = *static_cast<const RECT*>(pvParam);
        const std::intptr_t index =
            std::intptr_t{FixedHandleIndex(HandleValue(MonitorOf(s, work, MONITOR_DEFAULTTOPRIMARY)), HandleKind::Monitor)} - 1;
        s.monitors[static_cast<std::size_t>(index)].work = work;
        return 1;
    }
    case SPI_GETNONCLIENTMETRICS:
        if (!pvParam || static_cast<NONCLIENTMETRICS*>(pvParam)->cbSize < sizeof(NONCLIENTMETRICS)) {
            return -1;
        }
        *static_cast<NONCLIENTMETRICS*>(pvParam) = s.metrics;
        return 0;
    case SPI_SETNONCLIENTMETRICS:
        if (!pvParam || static_cast<NONCLIENTMETRICS*>(pvParam)->cbSize < sizeof(NONCLIENTMETRICS)) {
            return -1;
        }
        s.metrics = *static_cast<const NONCLIENTMETRICS*>(pvParam);
        return 1;
    case SPI_GETICONTITLELOGFONT:
        if (!pvParam) {
            return -1;
        }
        *static_cast<LOGFONT*>(pvParam) = s.iconTitleFont;
        return 0;
    case SPI_SETICONTITLELOGFONT:
        if (!pvParam) {
            return -1;
        }
        s.iconTitleFont = *static_cast<const LOGFONT*>(pvParam);
        return 1;
    case SPI_SETDRAGWIDTH:
        s.dragWidth = static_cast<int>(uiParam);
        return 1;
    case SPI_SETDRAGHEIGHT:
        s.dragHeight = static_cast<int>(uiParam);
        return 1;
    default:
        return -1;
    }
}

}  // namespace

int GetSystemMetrics(int index)
{
    Settings& s = Current();
    std::lock_guard lock(s.mutex);
    return MetricOf(s, index);
}

BOOL SystemParametersInfo(UINT action, UINT uiParam, void* pvParam, UINT winIni)
{
    const int result = Apply(action, uiParam, pvParam);
    if (result < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (result > 0 && (winIni & SPIF_SENDCHANGE)) {
        Changed(SettingsChange::Parameter, action);
    }
    return TRUE;
}

COLORREF GetSysColor(int index)
{
    if (index < 0 || index >= ColorSchemeSize) {
        return 0;
    }
    Settings& s = Current();
    std::lock_guard lock(s.mutex);
    return s.colors[static_cast<std::size_t>(index)];
}

HBRUSH GetSysColorBrush(int index)
{
    if (index < 0 || index >= ColorSchemeSize) {
        return nullptr;
    }
    return HandleFromValue<HBRUSH>(SysBrushBase + index);
}

bool SysColorBrushIndex(HBRUSH brush, int& index)
{
    const std::intptr_t value = HandleValue(brush) - SysBrushBase;
    if (value < 0 || value >= ColorSchemeSize) {
        return false;
    }
    index = static_cast<int>(value);
    return true;
}

BOOL SetSysColors(int count, const int* indexes, const COLORREF* colors)
{
    if (count < 0 || (count > 0 && (!indexes || !colors))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    {
        Settings& s = Current();
        std::lock_guard lock(s.mutex);
        for (int i = 0; i < count; ++i) {
            if (indexes[i] >= 0 && indexes[i] < ColorSchemeSize) {
                s.colors[static_cast<std::size_t>(indexes[i])] = colors[i];
            }
        }
    }
    Changed(SettingsChange::Colors, 0);
    return TRUE;
}

HMONITOR MonitorFromPoint(POINT point, DWORD flags)
{
    return MonitorFromRect(std::array{RECT{point.x, point.y, point.x + 1, point.y + 1}}.data(), flags);
}

HMONITOR MonitorFromRect(const RECT* rect, DWORD flags)
{
    if (!rect) {
        return nullptr;
    }
    Settings& s = Current();
    std::lock_guard lock(s.mutex);
    return MonitorOf(s, *rect, flags);
}

std::vector<HMONITOR> AllMonitors()
{
    Settings& s = Current();
    std::lock_guard lock(s.mutex);
    std::vector<HMONITOR> monitors;
    for (std::size_t index = 0; index < s.monitors.size(); ++index) {
        monitors.push_back(MonitorHandle(index));
    }
    return monitors;
}

BOOL GetMonitorInfo(HMONITOR monitor, MONITORINFO* info)
{
    Settings& s = Current();
    std::lock_guard lock(s.mutex);
    const std::intptr_t index = std::intptr_t{FixedHandleIndex(HandleValue(monitor), HandleKind::Monitor)} - 1;
    if (!info || index < 0 || index >= static_cast<std::intptr_t>(s.monitors.size()) ||
        (info->cbSize != sizeof(MONITORINFO) && info->cbSize != sizeof(MONITORINFOEX))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const MonitorLayout& layout = s.monitors[static_cast<std::size_t>(index)];
    info->rcMonitor = layout.rect;
    info->rcWork = layout.work;
    info->dwFlags = index == 0 ? MONITORINFOF_PRIMARY : 0;
    if (info->cbSize == sizeof(MONITORINFOEX)) {
        const std::string device = "\\\\.\\DISPLAY" + std::to_string(index + 1);
        std::strncpy(static_cast<MONITORINFOEX*>(info)->szDevice, device.c_str(), 31);
    }
    return TRUE;
}

void SetMonitors(const std::vector<MonitorLayout>& monitors)
{
    if (monitors.empty()) {
        return;
    }
    {
        Settings& s = Current();
        std::lock_guard lock(s.mutex);
        s.monitors = monitors;
    }
    Changed(SettingsChange::Monitors, 0);
}

void detail::SetSettingsChangedHook(SettingsChangedHook hook)
{
    Settings& s = Current();
    std::lock_guard lock(s.mutex);
    s.changed = std::move(hook);
}

BOOL GetVersionEx(OSVERSIONINFO* info)
{
    if (!info ||
        (info->dwOSVersionInfoSize != sizeof(OSVERSIONINFO) && info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOEX))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    info->dwMajorVersion = 5;
    info->dwMinorVersion = 1;
    info->dwBuildNumber = 2600;
    info->dwPlatformId = VER_PLATFORM_WIN32_NT;
    std::strcpy(info->szCSDVersion, "Service Pack 3");
    if (info->dwOSVersionInfoSize == sizeof(OSVERSIONINFOEX)) {
        auto* ex = static_cast<OSVERSIONINFOEX*>(info);
        ex->wServicePackMajor = 3;
        ex->wServicePackMinor = 0;
        ex->wSuiteMask = 0x0100;  // VER_SUITE_SINGLEUSERTS
        ex->wProductType = VER_NT_WORKSTATION;
    }
    return TRUE;
}

UINT GetDoubleClickTime()
{
    Settings& s = Current();
    std::lock_guard lock(s.mutex);
    return s.doubleClickTime;
}

BOOL SetDoubleClickTime(UINT milliseconds)
{
    Settings& s = Current();
    std::lock_guard lock(s.mutex);
    s.doubleClickTime = milliseconds == 0 ? 500 : milliseconds;
    return TRUE;
}

void detail::ResetSystemInfo()
{
    Settings& s = Current();
    std::lock_guard lock(s.mutex);
    NONCLIENTMETRICS& m = s.metrics;
    m = NONCLIENTMETRICS();
    m.iBorderWidth = 1;
    m.iScrollWidth = 16;
    m.iScrollHeight = 16;
    m.iCaptionWidth = 18;
    m.iCaptionHeight = 18;
    m.lfCaptionFont = Tahoma(700);
    m.iSmCaptionWidth = 12;
    m.iSmCaptionHeight = 15;
    m.lfSmCaptionFont = Tahoma(700);
    m.iMenuWidth = 18;
    m.iMenuHeight = 18;
    m.lfMenuFont = Tahoma(400);
    m.lfStatusFont = Tahoma(400);
    m.lfMessageFont = Tahoma(400);
    s.iconTitleFont = Tahoma(400);
    s.colors = ClassicColors;
    s.monitors = {MonitorLayout{RECT{0, 0, 1280, 1024}, RECT{0, 0, 1280, 994}}};
    DefaultValues(s.values);
    s.doubleClickTime = 500;
    s.dragWidth = 4;
    s.dragHeight = 4;
    s.changed = nullptr;
}

}  // namespace win
