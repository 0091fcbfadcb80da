#include "WinFixture.h"

#include "platform/services/Sound.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/win/Window.h"
#include "platform/win/WindowClass.h"

#include <cstring>

namespace wintest {
namespace {

using namespace win;

class SystemInfoTest : public WinTest {};

TEST_F(SystemInfoTest, MetricsFollowTheNonClientSettings)
{
    NONCLIENTMETRICS metrics;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
    EXPECT_EQ(std::string(metrics.lfMessageFont.lfFaceName), "Tahoma");
    EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 16);
    EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), metrics.iCaptionHeight + 1);
    metrics.iScrollWidth = 20;
    metrics.iCaptionHeight = 24;
    ASSERT_TRUE(SystemParametersInfo(SPI_SETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
    EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 20);
    EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), 25);
    EXPECT_EQ(GetSystemMetrics(SM_CYSIZE), 24);
    NONCLIENTMETRICS tooSmall;
    tooSmall.cbSize = 8;
    EXPECT_FALSE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, 8, &tooSmall, 0));
    EXPECT_FALSE(SystemParametersInfo(0x7777, 0, nullptr, 0));
}

TEST_F(SystemInfoTest, FlagsAndNumbersReadBackWhatWasSet)
{
    struct Case {
        UINT get;
        UINT set;
        UINT value;
        bool inPointer;
    };
    for (const Case& c : {Case{SPI_GETWHEELSCROLLLINES, SPI_SETWHEELSCROLLLINES, 7, false},
                          Case{SPI_GETMENUANIMATION, SPI_SETMENUANIMATION, 0, true},
                          Case{SPI_GETTOOLTIPFADE, SPI_SETTOOLTIPFADE, 0, true},
                          Case{SPI_GETMENUSHOWDELAY, SPI_SETMENUSHOWDELAY, 150, false}}) {
        UINT before = 12345;
        ASSERT_TRUE(SystemParametersInfo(c.get, 0, &before, 0));
        EXPECT_NE(before, c.value) << c.get;
        void* pointer = c.inPointer ? reinterpret_cast<void*>(static_cast<std::uintptr_t>(c.value)) : nullptr;
        ASSERT_TRUE(SystemParametersInfo(c.set, c.inPointer ? 0 : c.value, pointer, 0));
        UINT after = 12345;
        ASSERT_TRUE(SystemParametersInfo(c.get, 0, &after, 0));
        EXPECT_EQ(after, c.value) << c.get;
    }
    ASSERT_TRUE(SystemParametersInfo(SPI_SETDRAGWIDTH, 9, nullptr, 0));
    EXPECT_EQ(GetSystemMetrics(SM_CXDRAG), 9);
}

TEST_F(SystemInfoTest, WorkAreaIsSettableAndBroadcastWhenAsked)
{
    RegisterRecorderClass();
    const HWND listener = MakeWindow(WS_POPUP);
    RECT work;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_EQ(work, (RECT{0, 0, 1280, 994}));
    RECT smaller{0, 40, 1280, 1024};
    ASSERT_TRUE(SystemParametersInfo(SPI_SETWORKAREA, 0, &smaller, SPIF_SENDCHANGE));
    EXPECT_EQ(Log().Only({WM_SETTINGCHANGE}), (std::vector<std::pair<HWND, UINT>>{{listener, WM_SETTINGCHANGE}}));
    MONITORINFO info;
    ASSERT_TRUE(GetMonitorInfo(MonitorFromPoint(POINT{5, 5}, MONITOR_DEFAULTTONULL), &info));
    EXPECT_EQ(info.rcWork, smaller);
    EXPECT_EQ(info.dwFlags, MONITORINFOF_PRIMARY);
}

TEST_F(SystemInfoTest, MonitorsAreFoundByPointAndRectangle)
{
    SetMonitors({MonitorLayout{RECT{0, 0, 1024, 768}, RECT{0, 0, 1024, 740}},
                 MonitorLayout{RECT{1024, 0, 2048, 768}, RECT{1024, 0, 2048, 768}}});
    const HMONITOR first = MonitorFromPoint(POINT{10, 10}, MONITOR_DEFAULTTONULL);
    const HMONITOR second = MonitorFromPoint(POINT{1500, 10}, MONITOR_DEFAULTTONULL);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_EQ(MonitorFromPoint(POINT{5000, 10}, MONITOR_DEFAULTTONULL), nullptr);
    EXPECT_EQ(MonitorFromPoint(POINT{5000, 10}, MONITOR_DEFAULTTONEAREST), second);
    EXPECT_EQ(MonitorFromPoint(POINT{5000, 10}, MONITOR_DEFAULTTOPRIMARY), first);
    const RECT mostlyRight{900, 0, 1300, 100};
    EXPECT_EQ(MonitorFromRect(&mostlyRight, MONITOR_DEFAULTTONULL), second);
    EXPECT_EQ(GetSystemMetrics(SM_CMONITORS), 2);
    EXPECT_EQ(GetSystemMetrics(SM_CXVIRTUALSCREEN), 2048);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    MONITORINFOEX info;
    ASSERT_TRUE(GetMonitorInfo(second, &info));
    EXPECT_STREQ(info.szDevice, "\\\\.\\DISPLAY2");
}

TEST_F(SystemInfoTest, ClassicColoursVersionAndSounds)
{
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(212, 208, 200));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), RGB(10, 36, 106));
    int index = -1;
    ASSERT_TRUE(SysColorBrushIndex(GetSysColorBrush(COLOR_BTNSHADOW), index));
    EXPECT_EQ(index, COLOR_BTNSHADOW);
    EXPECT_EQ(GetSysColorBrush(99), nullptr);

    OSVERSIONINFO version;
    ASSERT_TRUE(GetVersionEx(&version));
    EXPECT_EQ(version.dwMajorVersion, 5u);
    EXPECT_EQ(version.dwMinorVersion, 1u);
    EXPECT_EQ(version.dwPlatformId, VER_PLATFORM_WIN32_NT);
    OSVERSIONINFO wrong;
    wrong.dwOSVersionInfoSize = 3;
    EXPECT_FALSE(GetVersionEx(&wrong));

    MessageBeep(MB_ICONHAND);
    PlaySound("MenuPopup", nullptr, SND_ALIAS | SND_ASYNC | SND_NODEFAULT | SND_NOWAIT);
    const auto log = SoundLog();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].beepType, MB_ICONHAND);
    EXPECT_EQ(log[1].sound, "MenuPopup");
    EXPECT_EQ(log[1].flags, 0x12003u);
}

TEST_F(SystemInfoTest, ClassesMatchWithoutCaseAndKeepTheirLongs)
{
    RegisterRecorderClass(CS_DBLCLKS);
    WNDCLASSEX again;
    again.lpfnWndProc = RecorderProc;
    again.lpszClassName = "RECORDER";
    EXPECT_EQ(RegisterClassEx(&again), 0);
    EXPECT_EQ(GetLastError(), ERROR_CLASS_ALREADY_EXISTS);
    const HWND hwnd = CreateWindowEx(0, "rEcOrDeR", "Caption", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(GetClassName(hwnd), "Recorder");
    EXPECT_EQ(GetClassLongPtr(hwnd, GCL_STYLE), CS_DBLCLKS);
    EXPECT_FALSE(UnregisterClass("recorder", nullptr));
    EXPECT_EQ(GetLastError(), ERROR_CLASS_HAS_WINDOWS);

    EXPECT_EQ(GetWindowText(hwnd), "Caption");
    EXPECT_EQ(GetWindowTextW(hwnd), u"Caption");
    SetWindowLongPtr(hwnd, GWL_USERDATA, 77);
    EXPECT_EQ(GetWindowLongPtr(hwnd, GWL_USERDATA), 77);
    EXPECT_TRUE(SetProp(hwnd, "Owner", reinterpret_cast<HANDLE>(5)));
    EXPECT_EQ(GetProp(hwnd, "OWNER"), reinterpret_cast<HANDLE>(5));
    EXPECT_TRUE(SetProp(hwnd, MAKEINTATOM(0xC123), reinterpret_cast<HANDLE>(6)));
    EXPECT_EQ(GetProp(hwnd, MAKEINTATOM(0xC123)), reinterpret_cast<HANDLE>(6));
    EXPECT_EQ(RemoveProp(hwnd, "owner"), reinterpret_cast<HANDLE>(5));
    EXPECT_EQ(GetProp(hwnd, "Owner"), nullptr);
    DestroyWindow(hwnd);
    EXPECT_TRUE(UnregisterClass("recorder", nullptr));
}

}  // namespace
}  // namespace wintest
