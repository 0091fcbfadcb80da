#pragma once
// Icons: pictures with a mask, of the same kind of object as cursors (HCURSOR is HICON), so every call
// here takes either. A colour icon holds 32-bit pixels and an AND mask (1 bits transparent); drawn, it
// leaves the destination where the mask is 1 and puts its colour elsewhere (in general: destination AND
// mask XOR colour), or, when its pixels carry alpha, blends them over the destination. A monochrome
// cursor holds an AND and an XOR mask.
//
// The system icons (LoadIcon with a null instance and an IDI_ id) are drawn by the system in the classic
// look at 32 and 16 pixels; icons of the program's resources come through the loader the resources
// install. Both are shared: LoadIcon hands out the same handle again, and destroying it leaves it alive.
// An icon that holds a picture at several sizes draws the one of the size asked for, any other size by
// stretching its own.

#include "platform/wintypes/GdiTypes.h"

#include <functional>

namespace win {

inline const char* const IDI_APPLICATION = MAKEINTRESOURCE(32512);
inline const char* const IDI_HAND = MAKEINTRESOURCE(32513);
inline const char* const IDI_QUESTION = MAKEINTRESOURCE(32514);
inline const char* const IDI_EXCLAMATION = MAKEINTRESOURCE(32515);
inline const char* const IDI_ASTERISK = MAKEINTRESOURCE(32516);
inline const char* const IDI_WINLOGO = MAKEINTRESOURCE(32517);
inline const char* const IDI_ERROR = IDI_HAND;
inline const char* const IDI_WARNING = IDI_EXCLAMATION;
inline const char* const IDI_INFORMATION = IDI_ASTERISK;

struct ICONINFO {
    BOOL fIcon = TRUE;
    DWORD xHotspot = 0;
    DWORD yHotspot = 0;
    // 1 bit per pixel; a monochrome icon's is twice as high, its AND mask above its XOR mask.
    HBITMAP hbmMask = nullptr;
    // Null for a monochrome icon.
    HBITMAP hbmColor = nullptr;
};

constexpr UINT LR_DEFAULTCOLOR = 0x0000;
constexpr UINT LR_MONOCHROME = 0x0001;
constexpr UINT LR_DEFAULTSIZE = 0x0040;
constexpr UINT LR_SHARED = 0x8000;

constexpr UINT DI_MASK = 0x0001;
constexpr UINT DI_IMAGE = 0x0002;
constexpr UINT DI_NORMAL = DI_MASK | DI_IMAGE;
constexpr UINT DI_COMPAT = 0x0004;
constexpr UINT DI_DEFAULTSIZE = 0x0008;

// A system icon (instance null, an IDI_ id) or an icon of a module through the resource loader; null
// with ERROR_RESOURCE_NAME_NOT_FOUND when there is none.
HICON LoadIcon(HINSTANCE instance, const char* name);
// The loader of icons from modules; answers null for an icon the module does not have.
using IconResourceLoader = std::function<HICON(HINSTANCE instance, const char* name)>;
void SetIconResourceLoader(IconResourceLoader loader);

// An icon or cursor from the bytes of one image of an icon or cursor file: a bitmap without file header
// whose height counts its AND mask (1 to 32 bits), or a PNG file; a cursor's bytes start with its hot
// spot (two 16-bit words). version must be 0x00030000. cx and cy 0 keep the image's size (the system
// icon or cursor size with LR_DEFAULTSIZE); another size stretches the image. Null with
// ERROR_INVALID_DATA for bytes that are not such an image. With LR_SHARED the icon is shared: destroying
// it leaves it alive, as a resource loader hands it out again.
HICON CreateIconFromResourceEx(const BYTE* bits, DWORD size, BOOL icon, DWORD version, int cx, int cy, UINT flags);
// From the bitmaps of an ICONINFO (copied; the caller keeps them). A 32-bit colour bitmap whose fourth
// bytes are not all zero blends with them as straight alpha.
HICON CreateIconIndirect(const ICONINFO* info);
// New bitmaps the caller deletes: the mask, and a 32-bit colour bitmap with the icon's alpha (straight)
// or, for an icon drawn through its mask, zero fourth bytes.
BOOL GetIconInfo(HICON icon, ICONINFO* info);
HICON CopyIcon(HICON icon);
// Shared and system icons stay; FALSE for an unknown handle.
BOOL DestroyIcon(HICON icon);

// cx and cy 0 take the icon's own size (with DI_DEFAULTSIZE the system icon size). DI_MASK alone copies
// the mask, DI_IMAGE alone the colour; step and flickerFree are accepted and ignored.
BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int cx, int cy, UINT step, HBRUSH flickerFree, UINT flags);
BOOL DrawIcon(HDC dc, int x, int y, HICON icon);

}  // namespace win
