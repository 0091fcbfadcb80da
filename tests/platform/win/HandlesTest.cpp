// Typed handles: a handle of one kind used as another, or after its object is gone, fails as the API
// says; stock objects, system brushes and monitors keep their identities.

#include "WinFixture.h"

#include "platform/gdi/Brush.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/gdiplus/GdiPlus.h"
#include "platform/gdiplus/ImageList.h"
#include "platform/win/Cursor.h"
#include "platform/win/GlobalMemory.h"
#include "platform/win/Hooks.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Waits.h"
#include "platform/win/Window.h"

#include <functional>
#include <set>

namespace wintest {
namespace {

using namespace win;

template <class To, class From>
To As(From handle)
{
    return HandleFromValue<To>(HandleValue(handle));
}

LRESULT NoHook(int, WPARAM, LPARAM)
{
    return 0;
}

class HandlesTest : public WinTest {
protected:
    void SetUp() override
    {
        WinTest::SetUp();
        gdiplus::initialize();
        RegisterRecorderClass();
        hwnd = MakeWindow(WS_OVERLAPPED);
        brush = CreateSolidBrush(RGB(1, 2, 3));
        pen = CreatePen(PS_SOLID, 1, 0);
        dc = CreateCompatibleDC(nullptr);
        event = CreateEvent(nullptr, TRUE, FALSE, nullptr);
        cursor = LoadCursor(nullptr, IDC_ARROW);
        memory = GlobalAlloc(GMEM_MOVEABLE, 16);
        hook = SetWindowsHookEx(WH_GETMESSAGE, NoHook, nullptr, GetCurrentThreadId());
        images = ImageList_Create(4, 4, ILC_COLOR32, 1, 1);
        monitor = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    }
    void TearDown() override
    {
        ImageList_Destroy(images);
        UnhookWindowsHookEx(hook);
        GlobalFree(memory);
        CloseHandle(event);
        DeleteDC(dc);
        DeleteObject(pen);
        DeleteObject(brush);
        gdiplus::finalize();
        WinTest::TearDown();
    }

    HWND hwnd = nullptr;
    HBRUSH brush = nullptr;
    HPEN pen = nullptr;
    HDC dc = nullptr;
    HANDLE event = nullptr;
    HCURSOR cursor = nullptr;
    HGLOBAL memory = nullptr;
    HHOOK hook = nullptr;
    HIMAGELIST images = nullptr;
    HMONITOR monitor = nullptr;
};

TEST_F(HandlesTest, AHandleOfOneKindUsedAsAnotherFailsAsTheApiSays)
{
    struct Case {
        const char* use;
        std::function<bool()> fails;  // true when the call answered its failure
        DWORD error;  // the error it sets, 0: none checked
    };
    const RECT box{0, 0, 4, 4};
    const Case cases[] = {
        {"a window as a brush: GetObjectType", [&] { return GetObjectType(As<HGDIOBJ>(hwnd)) == 0; }, ERROR_INVALID_HANDLE},
        {"a window as a brush: DeleteObject", [&] { return !DeleteObject(As<HGDIOBJ>(hwnd)); }, ERROR_INVALID_HANDLE},
        {"a window as a brush: FillRect", [&] { return FillRect(dc, &box, As<HBRUSH>(hwnd)) == 0; }, ERROR_INVALID_HANDLE},
        {"a window as a brush: SelectObject", [&] { return SelectObject(dc, As<HGDIOBJ>(hwnd)) == nullptr; }, ERROR_INVALID_HANDLE},
        {"a window as a device context", [&] { return GetPixel(As<HDC>(hwnd), 0, 0) == CLR_INVALID; }, ERROR_INVALID_HANDLE},
        {"a brush as a window: IsWindow", [&] { return !IsWindow(As<HWND>(brush)); }, 0},
        {"a brush as a window: SendMessage", [&] { return SendMessage(As<HWND>(brush), WM_USER, 0, 0) == 0; },
         ERROR_INVALID_WINDOW_HANDLE},
        {"a brush as a window: DestroyWindow", [&] { return !DestroyWindow(As<HWND>(brush)); }, ERROR_INVALID_WINDOW_HANDLE},
        {"a device context as a window", [&] { return !PostMessage(As<HWND>(dc), WM_USER, 0, 0); }, ERROR_INVALID_WINDOW_HANDLE},
        {"an event as a cursor: SetCursor", [&] { return SetCursor(As<HCURSOR>(event)) == nullptr && GetCursor() == cursor; },
         ERROR_INVALID_CURSOR_HANDLE},
        {"an event as a cursor: DestroyCursor", [&] { return !DestroyCursor(As<HCURSOR>(event)); }, ERROR_INVALID_CURSOR_HANDLE},
        {"a cursor as an event: SetEvent", [&] { return !SetEvent(As<HANDLE>(cursor)); }, ERROR_INVALID_HANDLE},
        {"a cursor as an event: the wait", [&] { return WaitForSingleObject(As<HANDLE>(cursor), 0) == WAIT_FAILED; },
         ERROR_INVALID_HANDLE},
        {"a window as an event: CloseHandle", [&] { return !CloseHandle(As<HANDLE>(hwnd)) && IsWindow(hwnd); },
         ERROR_INVALID_HANDLE},
        {"an event as global memory: GlobalLock", [&] { return GlobalLock(As<HGLOBAL>(event)) == nullptr; },
         ERROR_INVALID_HANDLE},
        {"an event as global memory: GlobalFree", [&] { return GlobalFree(As<HGLOBAL>(event)) == As<HGLOBAL>(event); },
         ERROR_INVALID_HANDLE},
        {"global memory as an event: CloseHandle", [&] { return !CloseHandle(As<HANDLE>(memory)) && GlobalSize(memory) == 16; },
         ERROR_INVALID_HANDLE},
        {"a window as a hook", [&] { return !UnhookWindowsHookEx(As<HHOOK>(hwnd)) && IsWindow(hwnd); },
         ERROR_INVALID_HOOK_HANDLE},
        {"a hook as a window", [&] { return !IsWindow(As<HWND>(hook)); }, 0},
        {"a brush as an image list", [&] { return ImageList_GetImageCount(As<HIMAGELIST>(brush)) == 0; }, ERROR_INVALID_HANDLE},
        {"an image list as a bitmap", [&] { return SelectObject(dc, As<HGDIOBJ>(images)) == nullptr; }, ERROR_INVALID_HANDLE},
        {"a window as a monitor", [&] {
             MONITORINFO info;
             return !GetMonitorInfo(As<HMONITOR>(hwnd), &info);
         }, ERROR_INVALID_PARAMETER},
        {"a monitor as a window", [&] { return !IsWindow(As<HWND>(monitor)); }, 0},
        {"a system brush as a window", [&] { return !IsWindow(As<HWND>(GetSysColorBrush(COLOR_WINDOW))); }, 0},
    };
    for (const Case& c : cases) {
        SetLastError(0);
        EXPECT_TRUE(c.fails()) << c.use;
        if (c.error != 0) {
            EXPECT_EQ(GetLastError(), c.error) << c.use;
        }
    }
    // Every object is still there for its own kind.
    EXPECT_EQ(GetObjectType(brush), OBJ_BRUSH);
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_TRUE(SetEvent(event));
    EXPECT_EQ(ImageList_GetImageCount(images), 0);
    EXPECT_NE(GlobalLock(memory), nullptr);
}

TEST_F(HandlesTest, AFreedHandleFailsAndNeverReachesALaterObject)
{
    struct Case {
        const char* kind;
        std::function<std::intptr_t()> make;
        std::function<bool(std::intptr_t)> free;
        std::function<bool(std::intptr_t)> alive;
    };
    const Case cases[] = {
        {"pen", [] { return HandleValue(CreatePen(PS_SOLID, 1, 0)); },
         [](std::intptr_t h) { return DeleteObject(HandleFromValue<HGDIOBJ>(h)) != FALSE; },
         [](std::intptr_t h) { return GetObjectType(HandleFromValue<HGDIOBJ>(h)) != 0; }},
        {"window", [] { return HandleValue(MakeWindow(WS_OVERLAPPED)); },
         [](std::intptr_t h) { return DestroyWindow(HandleFromValue<HWND>(h)) != FALSE; },
         [](std::intptr_t h) { return IsWindow(HandleFromValue<HWND>(h)) != FALSE; }},
        {"event", [] { return HandleValue(CreateEvent(nullptr, FALSE, FALSE, nullptr)); },
         [](std::intptr_t h) { return CloseHandle(HandleFromValue<HANDLE>(h)) != FALSE; },
         [](std::intptr_t h) { return WaitForSingleObject(HandleFromValue<HANDLE>(h), 0) != WAIT_FAILED; }},
        {"global memory", [] { return HandleValue(GlobalAlloc(GMEM_MOVEABLE, 4)); },
         [](std::intptr_t h) { return GlobalFree(HandleFromValue<HGLOBAL>(h)) == nullptr; },
         [](std::intptr_t h) { return GlobalSize(HandleFromValue<HGLOBAL>(h)) != 0; }},
        {"image list", [] { return HandleValue(ImageList_Create(4, 4, ILC_COLOR32, 1, 1)); },
         [](std::intptr_t h) { return ImageList_Destroy(HandleFromValue<HIMAGELIST>(h)) != FALSE; },
         [](std::intptr_t h) {
             int cx = 0;
             int cy = 0;
             return ImageList_GetIconSize(HandleFromValue<HIMAGELIST>(h), &cx, &cy) != FALSE;
         }},
    };
    for (const Case& c : cases) {
        const std::intptr_t freed = c.make();
        ASSERT_TRUE(c.alive(freed)) << c.kind;
        ASSERT_TRUE(c.free(freed)) << c.kind;
        EXPECT_FALSE(c.alive(freed)) << c.kind << ": a freed handle is dead";
        EXPECT_FALSE(c.free(freed)) << c.kind << ": and cannot be freed twice";
        std::set<std::intptr_t> later;
        for (int k = 0; k < 500; ++k) {
            const std::intptr_t made = c.make();
            later.insert(made);
            c.free(made);
        }
        EXPECT_FALSE(later.contains(freed)) << c.kind << ": the handle came back for a later object";
        EXPECT_FALSE(c.alive(freed)) << c.kind;
    }
}

TEST_F(HandlesTest, StockObjectsSystemBrushesAndMonitorsKeepTheirIdentities)
{
    EXPECT_EQ(GetStockObject(WHITE_BRUSH), GetStockObject(WHITE_BRUSH));
    EXPECT_TRUE(DeleteObject(GetStockObject(GRAY_BRUSH))) << "deleting a stock object does nothing";
    EXPECT_EQ(GetObjectType(GetStockObject(GRAY_BRUSH)), OBJ_BRUSH);
    EXPECT_EQ(GetSysColorBrush(COLOR_BTNFACE), GetSysColorBrush(COLOR_BTNFACE));
    EXPECT_EQ(GetObjectType(GetSysColorBrush(COLOR_BTNFACE)), OBJ_BRUSH);
    EXPECT_EQ(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), monitor);
    MONITORINFO info;
    EXPECT_TRUE(GetMonitorInfo(monitor, &info));
    EXPECT_EQ(info.dwFlags, MONITORINFOF_PRIMARY);
    EXPECT_EQ(LoadCursor(nullptr, IDC_ARROW), cursor);
    EXPECT_FALSE(DestroyCursor(cursor)) << "a system cursor stays";
}

}  // namespace
}  // namespace wintest
