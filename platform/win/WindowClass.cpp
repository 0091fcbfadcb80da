#include "platform/win/WindowClass.h"

#include "platform/win/detail/WindowTable.h"

#include "platform/rtl/StringUtils.h"

namespace win {

using namespace detail;

namespace {

WindowClass* ClassOfWindowOrError(HWND hwnd)
{
    Window* window = WindowOrError(hwnd);
    return window ? window->windowClass : nullptr;
}

}  // namespace

ATOM RegisterClassEx(const WNDCLASSEX* windowClass)
{
    if (!windowClass || !windowClass->lpszClassName || IS_INTRESOURCE(windowClass->lpszClassName) ||
        !*windowClass->lpszClassName || !windowClass->lpfnWndProc || windowClass->cbClsExtra < 0 ||
        windowClass->cbWndExtra < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    auto lock = LockSystem();
    WindowSystem& system = System();
    RequireInitialized(system);
    std::string key = rtl::AnsiUpperCase(windowClass->lpszClassName);
    if (system.classes.contains(key)) {
        SetLastError(ERROR_CLASS_ALREADY_EXISTS);
        return 0;
    }
    auto record = std::make_unique<WindowClass>();
    record->atom = system.nextClassAtom++;
    record->name = windowClass->lpszClassName;
    record->style = windowClass->style;
    record->proc = windowClass->lpfnWndProc;
    record->wndExtra = windowClass->cbWndExtra;
    record->instance = windowClass->hInstance;
    record->icon = windowClass->hIcon;
    record->iconSmall = windowClass->hIconSm;
    record->cursor = windowClass->hCursor;
    record->background = windowClass->hbrBackground;
    record->menuName = windowClass->lpszMenuName && !IS_INTRESOURCE(windowClass->lpszMenuName)
                           ? windowClass->lpszMenuName
                           : "";
    record->extra.assign(static_cast<std::size_t>(windowClass->cbClsExtra), 0);
    const ATOM atom = record->atom;
    system.classes.emplace(std::move(key), std::move(record));
    return atom;
}

ATOM RegisterClass(const WNDCLASS* windowClass)
{
    if (!windowClass) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    WNDCLASSEX ex;
    ex.style = windowClass->style;
    ex.lpfnWndProc = windowClass->lpfnWndProc;
    ex.cbClsExtra = windowClass->cbClsExtra;
    ex.cbWndExtra = windowClass->cbWndExtra;
    ex.hInstance = windowClass->hInstance;
    ex.hIcon = windowClass->hIcon;
    ex.hCursor = windowClass->hCursor;
    ex.hbrBackground = windowClass->hbrBackground;
    ex.lpszMenuName = windowClass->lpszMenuName;
    ex.lpszClassName = windowClass->lpszClassName;
    return RegisterClassEx(&ex);
}

BOOL UnregisterClass(const char* className, HINSTANCE)
{
    auto lock = LockSystem();
    WindowClass* record = FindClassRecord(className);
    if (!record) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    if (record->windows > 0) {
        SetLastError(ERROR_CLASS_HAS_WINDOWS);
        return FALSE;
    }
    System().classes.erase(rtl::AnsiUpperCase(record->name));
    return TRUE;
}

BOOL GetClassInfoEx(HINSTANCE, const char* className, WNDCLASSEX* windowClass)
{
    auto lock = LockSystem();
    WindowClass* record = FindClassRecord(className);
    if (!record || !windowClass) {
        SetLastError(record ? ERROR_INVALID_PARAMETER : ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    windowClass->style = record->style;
    windowClass->lpfnWndProc = record->proc;
    windowClass->cbClsExtra = static_cast<int>(record->extra.size());
    windowClass->cbWndExtra = record->wndExtra;
    windowClass->hInstance = record->instance;
    windowClass->hIcon = record->icon;
    windowClass->hIconSm = record->iconSmall;
    windowClass->hCursor = record->cursor;
    windowClass->hbrBackground = record->background;
    windowClass->lpszMenuName = record->menuName.empty() ? nullptr : record->menuName.c_str();
    windowClass->lpszClassName = record->name.c_str();
    return TRUE;
}

BOOL GetClassInfo(HINSTANCE instance, const char* className, WNDCLASS* windowClass)
{
    WNDCLASSEX ex;
    if (!windowClass || !GetClassInfoEx(instance, className, &ex)) {
        return FALSE;
    }
    windowClass->style = ex.style;
    windowClass->lpfnWndProc = ex.lpfnWndProc;
    windowClass->cbClsExtra = ex.cbClsExtra;
    windowClass->cbWndExtra = ex.cbWndExtra;
    windowClass->hInstance = ex.hInstance;
    windowClass->hIcon = ex.hIcon;
    windowClass->hCursor = ex.hCursor;
    windowClass->hbrBackground = ex.hbrBackground;
    windowClass->lpszMenuName = ex.lpszMenuName;
    windowClass->lpszClassName = ex.lpszClassName;
    return TRUE;
}

int GetClassName(HWND hwnd, char* className, int maxCount)
{
    auto lock = LockSystem();
    WindowClass* record = ClassOfWindowOrError(hwnd);
    return record && maxCount > 0 ? CopyToBuffer(record->name, className, static_cast<std::size_t>(maxCount)) : 0;
}

std::string GetClassName(HWND hwnd)
{
    auto lock = LockSystem();
    WindowClass* record = ClassOfWindowOrError(hwnd);
    return record ? record->name : std::string();
}

ULONG_PTR GetClassLongPtr(HWND hwnd, int index)
{
    auto lock = LockSystem();
    WindowClass* record = ClassOfWindowOrError(hwnd);
    if (!record) {
        return 0;
    }
    switch (index) {
    case GCL_STYLE: return record->style;
    case GCLP_WNDPROC: return reinterpret_cast<ULONG_PTR>(record->proc);
    case GCL_CBWNDEXTRA: return static_cast<ULONG_PTR>(record->wndExtra);
    case GCL_CBCLSEXTRA: return record->extra.size();
    case GCLP_HMODULE: return reinterpret_cast<ULONG_PTR>(record->instance);
    case GCLP_HICON: return reinterpret_cast<ULONG_PTR>(record->icon);
    case GCLP_HICONSM: return reinterpret_cast<ULONG_PTR>(record->iconSmall);
    case GCLP_HCURSOR: return reinterpret_cast<ULONG_PTR>(record->cursor);
    case GCLP_HBRBACKGROUND: return reinterpret_cast<ULONG_PTR>(record->background);
    case GCW_ATOM: return record->atom;
    default: break;
    }
    return ReadExtra<ULONG_PTR>(record->extra, index).value_or(0);
}

ULONG_PTR SetClassLongPtr(HWND hwnd, int index, LONG_PTR value)
{
    auto lock = LockSystem();
    WindowClass* record = ClassOfWindowOrError(hwnd);
    if (!record) {
        return 0;
    }
    auto swap = [&](auto& field) {
        using Field = std::remove_reference_t<decltype(field)>;
        ULONG_PTR old;
        if constexpr (std::is_pointer_v<Field>) {
            old = reinterpret_cast<ULONG_PTR>(field);
            field = reinterpret_cast<Field>(value);
        } else {
            old = static_cast<ULONG_PTR>(field);
            field = static_cast<Field>(value);
        }
        return old;
    };
    switch (index) {
    case GCL_STYLE: return swap(record->style);
    case GCLP_WNDPROC: return swap(record->proc);
    case GCLP_HMODULE: return swap(record->instance);
    case GCLP_HICON: return swap(record->icon);
    case GCLP_HICONSM: return swap(record->iconSmall);
    case GCLP_HCURSOR: return swap(record->cursor);
    case GCLP_HBRBACKGROUND: return swap(record->background);
    default: break;
    }
    return ExchangeExtra(record->extra, index, static_cast<ULONG_PTR>(value)).value_or(0);
}

}  // namespace win
