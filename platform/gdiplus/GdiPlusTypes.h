#pragma once
// The records, codes and start-up of the GDI+ subset: the flat entry points the skins and PNG pictures
// call, with the numeric values of the documented interface. Streams are the runtime's TStream.

#include "platform/wintypes/GdiTypes.h"

#include <cstddef>
#include <cstdint>

namespace win::gdiplus {

using REAL = float;
using ARGB = std::uint32_t;  // 0xAARRGGBB, straight alpha
using PixelFormat = std::int32_t;

enum Status {
    Ok = 0,
    GenericError = 1,
    InvalidParameter = 2,
    OutOfMemory = 3,
    ObjectBusy = 4,
    InsufficientBuffer = 5,
    NotImplemented = 6,
    Win32Error = 7,
    WrongState = 8,
    UnknownImageFormat = 13,
    GdiplusNotInitialized = 18,
};
using GpStatus = Status;

// The pixel formats a bitmap is kept in. 32bppRGB pixels are opaque whatever their fourth byte holds.
constexpr PixelFormat PixelFormat32bppRGB = 0x00022009;
constexpr PixelFormat PixelFormat32bppARGB = 0x0026200A;
constexpr PixelFormat PixelFormat32bppPARGB = 0x000E200B;

enum Unit { UnitWorld = 0, UnitDisplay = 1, UnitPixel = 2 };
using GpUnit = Unit;

enum InterpolationMode {
    InterpolationModeDefault = 0,
    InterpolationModeLowQuality = 1,
    InterpolationModeHighQuality = 2,
    InterpolationModeBilinear = 3,
    InterpolationModeBicubic = 4,
    InterpolationModeNearestNeighbor = 5,
    InterpolationModeHighQualityBilinear = 6,
    InterpolationModeHighQualityBicubic = 7,
};

enum CompositingMode { CompositingModeSourceOver = 0, CompositingModeSourceCopy = 1 };
enum CompositingQuality {
    CompositingQualityDefault = 0,
    CompositingQualityHighSpeed = 1,
    CompositingQualityHighQuality = 2,
    CompositingQualityGammaCorrected = 3,
    CompositingQualityAssumeLinear = 4,
};
enum SmoothingMode {
    SmoothingModeDefault = 0,
    SmoothingModeHighSpeed = 1,
    SmoothingModeHighQuality = 2,
    SmoothingModeNone = 3,
    SmoothingModeAntiAlias = 4,
};

enum ImageLockMode { ImageLockModeRead = 1, ImageLockModeWrite = 2, ImageLockModeUserInputBuf = 4 };

enum WrapMode { WrapModeTile = 0, WrapModeTileFlipX = 1, WrapModeTileFlipY = 2, WrapModeTileFlipXY = 3, WrapModeClamp = 4 };
enum LinearGradientMode {
    LinearGradientModeHorizontal = 0,
    LinearGradientModeVertical = 1,
    LinearGradientModeForwardDiagonal = 2,
    LinearGradientModeBackwardDiagonal = 3,
};
enum BrushType { BrushTypeSolidColor = 0, BrushTypeHatchFill = 1, BrushTypeTextureFill = 2, BrushTypePathGradient = 3, BrushTypeLinearGradient = 4 };
enum PenType { PenTypeSolidColor = 0, PenTypeHatchFill = 1, PenTypeTextureFill = 2, PenTypePathGradient = 3, PenTypeLinearGradient = 4 };
enum PenAlignment { PenAlignmentCenter = 0, PenAlignmentInset = 1 };

struct GpRect {
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
};

struct BitmapData {
    UINT Width = 0;
    UINT Height = 0;
    int Stride = 0;
    gdiplus::PixelFormat PixelFormat = 0;
    void* Scan0 = nullptr;
    UINT_PTR Reserved = 0;
};

struct GUID {
    std::uint32_t Data1 = 0;
    std::uint16_t Data2 = 0;
    std::uint16_t Data3 = 0;
    std::uint8_t Data4[8] = {};
    friend bool operator==(const GUID&, const GUID&) = default;
};
using CLSID = GUID;

// Start-up. The input's version must be 1; the hook pair comes back when the background thread is
// suppressed, and then the caller runs it (here it does nothing).
using NotificationHookProc = Status (*)(ULONG_PTR* token);
using NotificationUnhookProc = void (*)(ULONG_PTR token);
struct GdiplusStartupInput {
    UINT GdiplusVersion = 1;
    void* DebugEventCallback = nullptr;
    BOOL SuppressBackgroundThread = FALSE;
    BOOL SuppressExternalCodecs = FALSE;
};
struct GdiplusStartupOutput {
    NotificationHookProc NotificationHook = nullptr;
    NotificationUnhookProc NotificationUnhook = nullptr;
};

// Every other entry point answers GdiplusNotInitialized until GdiplusStartup has run. Start-ups are
// counted; the last shut-down ends GDI+.
Status GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input, GdiplusStartupOutput* output);
void GdiplusShutdown(ULONG_PTR token);
// Whether the system offers GDI+ at all (the skins and PNG pictures ask before they start it). It does.
bool GdiPlusPresent();
bool GdiPlusStarted();
// What an entry point answers before it looks at object: GdiplusNotInitialized before start-up,
// InvalidParameter for a null object, else Ok.
Status CheckCall(const void* object);

// GDI+'s own allocator.
void* GdipAlloc(std::size_t size);
void GdipFree(void* pointer);

}  // namespace win::gdiplus
