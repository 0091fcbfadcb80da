#pragma once
// Window classes: registration, look-up and the class longs. Class names are matched without regard
// to case; a class is registered once for the whole process, whatever instance handle it names.

#include "platform/wintypes/Types.h"

#include <string>

namespace win {

// Answers the class atom, or 0 with ERROR_CLASS_ALREADY_EXISTS (or ERROR_INVALID_PARAMETER for a
// class without name or procedure).
ATOM RegisterClassEx(const WNDCLASSEX* windowClass);
ATOM RegisterClass(const WNDCLASS* windowClass);
// Fails with ERROR_CLASS_DOES_NOT_EXIST or, while windows of the class exist, ERROR_CLASS_HAS_WINDOWS.
BOOL UnregisterClass(const char* className, HINSTANCE instance);

BOOL GetClassInfoEx(HINSTANCE instance, const char* className, WNDCLASSEX* windowClass);
BOOL GetClassInfo(HINSTANCE instance, const char* className, WNDCLASS* windowClass);

// The registered spelling of the window's class name; copies at most maxCount - 1 characters and a
// terminating zero, and answers the number copied.
int GetClassName(HWND hwnd, char* className, int maxCount);
std::string GetClassName(HWND hwnd);

// GCL_* and GCLP_* indexes, or a byte offset into the class's extra bytes. Setting answers the value
// before. Changes apply to every window of the class.
ULONG_PTR GetClassLongPtr(HWND hwnd, int index);
ULONG_PTR SetClassLongPtr(HWND hwnd, int index, LONG_PTR value);

}  // namespace win
