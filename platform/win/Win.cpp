#include "platform/win/Win.h"

#include "platform/gdi/detail/SystemInfo.h"
#include "platform/win/Atoms.h"
#include "platform/win/Clipboard.h"
#include "platform/win/Cursor.h"
#include "platform/win/Desktop.h"
#include "platform/win/Layered.h"
#include "platform/win/Window.h"
#include "platform/win/detail/Atoms.h"
#include "platform/win/detail/Clipboard.h"
#include "platform/win/detail/Cursor.h"
#include "platform/win/detail/Desktop.h"
#include "platform/win/detail/DisplayDriver.h"
#include "platform/win/detail/GlobalMemory.h"
#include "platform/win/detail/Layered.h"
#include "platform/win/detail/ObjectInstance.h"
#include "platform/win/detail/WindowTable.h"
#include "platform/win/detail/ScreenDC.h"

namespace win {

using namespace detail;

namespace {

// The system's own windows: the desktop and the parent of message-only windows. They belong to no
// thread and answer every message with the default handling.
HWND CreateRootWindow(WindowSystem& system, const char* className, DWORD style)
{
    auto windowClass = std::make_unique<WindowClass>();
    windowClass->atom = system.nextClassAtom++;
    windowClass->name = className;
    windowClass->proc = DefWindowProc;
    Window* window = AllocateWindow();
    window->windowClass = windowClass.get();
    ++windowClass->windows;
    window->proc = DefWindowProc;
    window->style = style;
    system.classes.emplace(className, std::move(windowClass));
    return window->handle;
}

}  // namespace

void initialize()
{
    ResetAtoms();
    ResetCursors();
    ResetIcons();
    ResetClipboard();
    ResetGlobalMemory();
    ResetObjectInstances();
    SetAnimationStepper(nullptr);
    InstallScreenPixels();
    {
        auto lock = LockSystem();
        WindowSystem& system = System();
        ResetWindowSystem(system);
        system.initialized = true;
        system.desktop = CreateRootWindow(system, "#32769", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN);
        system.messageRoot = CreateRootWindow(system, "MESSAGE", WS_POPUP);
    }
    SetDisplayDriver(nullptr);
    ConnectSystemSettings();
}

void finalize()
{
    SetSettingsChangedHook(nullptr);
    {
        auto lock = LockSystem();
        WindowSystem& system = System();
        ResetWindowSystem(system);
        system.initialized = false;
    }
    ResetClipboard();
    ResetGlobalMemory();
    ResetObjectInstances();
    ResetCursors();
}

}  // namespace win
