#pragma once
// Movable memory blocks by handle: the form in which the clipboard takes and hands out its data.
// A block stays where it is; locking only counts.

#include "platform/wintypes/Types.h"

#include <cstddef>

namespace win {

using HGLOBAL = HANDLE;

constexpr UINT GMEM_FIXED = 0x0000;
constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_ZEROINIT = 0x0040;
constexpr UINT GMEM_DDESHARE = 0x2000;
constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;

// Blocks are always zero-filled. Null with ERROR_NOT_ENOUGH_MEMORY when the size cannot be had.
HGLOBAL GlobalAlloc(UINT flags, std::size_t bytes);
// Answers null for a freed block; freeing twice fails with ERROR_INVALID_HANDLE (answers the handle).
HGLOBAL GlobalFree(HGLOBAL memory);
void* GlobalLock(HGLOBAL memory);
BOOL GlobalUnlock(HGLOBAL memory);
std::size_t GlobalSize(HGLOBAL memory);

}  // namespace win
