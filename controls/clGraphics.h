#pragma once
// The canvas every control of the foundation draws through, and its clipping regions. TclCanvas wraps
// a framework canvas and adds what painters rely on: stacks of saved clip regions, device-context
// states and font/brush/pen states; clipping in logical coordinates; text with the library's own text
// flags (and an embossed disabled look); tiled and framed fills; one-pixel 3D edges; bitmap rotation.
// Beside them: helpers on raw device contexts, text fitting and wrapping, painting what lies behind a
// control, two tints mixed from the system colours, a shared canvas on the screen, and the platform flags.

#include "platform/gui/core/Control.h"
#include "platform/gui/graphics/Bitmap.h"
#include "platform/gui/graphics/Canvas.h"
#include "platform/gui/graphics/Colors.h"
#include "platform/gui/graphics/ImageList.h"
#include "platform/rtl/StringList.h"
#include "platform/wintypes/GdiTypes.h"
#include "platform/wintypes/LogFont.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace controls {

// The platform flags, set once by clDetectPlatform.
bool clPlatformWin9x();
bool clPlatformNT4Up();
bool clPlatformWin2000Up();
bool clPlatformWinXPUp();
bool clPlatformVistaUp();
void clDetectPlatform();

// Sides of a rectangle.
enum : int { clSideLeft = 1, clSideTop = 2, clSideRight = 4, clSideBottom = 8, clAllSides = 15 };

// The library's text flags.
enum : int {
    clTextLeft = 0x0001,
    clTextRight = 0x0002,
    clTextHCenter = 0x0004,
    clTextTop = 0x0008,
    clTextBottom = 0x0010,
    clTextVCenter = 0x0020,
    clTextSingleLine = 0x0040,
    clTextNoClip = 0x0080,
    clTextExpandTabs = 0x0100,
    clTextShowPrefix = 0x0200,
    clTextWordBreak = 0x0400,
    clTextEndEllipsis = 0x0800,
    clTextCalcRect = 0x1000,
    clTextPathEllipsis = 0x2000,
    clTextDontBreakChars = 0x4000,
};

// How a region is combined with another.
enum TclRegionOperation : std::uint8_t { roSet, roAdd, roSubtract, roIntersect };

class TclRegion {
public:
    // An empty rectangular region (0, 0, 0, 0).
    TclRegion();
    // Takes ownership of the handle.
    explicit TclRegion(win::HRGN handle) : handle_(handle) {}
    explicit TclRegion(const win::RECT& rect);
    TclRegion(int left, int top, int right, int bottom);
    ~TclRegion() { ReleaseHandle(); }
    TclRegion(const TclRegion&) = delete;
    TclRegion& operator=(const TclRegion&) = delete;

    win::HRGN Handle() const { return handle_; }
    void ReleaseHandle();
    bool IsVoid() const;
    // Set copies the other region; the others combine this one with it.
    void CombineWith(const TclRegion& other, TclRegionOperation operation);
    // False for no region; True when both are void or equal.
    bool SameAs(const TclRegion* other) const;
    bool SameAsHandle(win::HRGN other) const;
    void Shift(int dx, int dy);
    bool ContainsPt(win::POINT p) const { return ContainsXY(p.x, p.y); }
    bool ContainsXY(int x, int y) const;

private:
    win::HRGN handle_ = nullptr;
};

// A background: a tile bitmap (may be null) and a colour.
struct TclBackground {
    gui::TBitmap* Bitmap = nullptr;
    gui::TColor Color = gui::clDefault;
};

class TclCanvas {
public:
    // The canvas is not owned.
    explicit TclCanvas(gui::TCanvas* canvas) : canvas_(canvas) {}
    virtual ~TclCanvas();
    TclCanvas(const TclCanvas&) = delete;
    TclCanvas& operator=(const TclCanvas&) = delete;

    gui::TCanvas* Canvas() const { return canvas_; }

    // Access.
    gui::TBrush* GetCanvasBrush() const { return canvas_->Brush(); }
    gui::TFont* GetCanvasFont() const { return canvas_->Font(); }
    void SetCanvasFont(gui::TFont* font) { canvas_->SetFont(font); }
    gui::TPen* GetCanvasPen() const { return canvas_->Pen(); }
    // Selects font, pen and brush into the context.
    win::HDC GetDCHandle() const { return canvas_->Handle(); }
    // Only a different colour rebuilds the brush.
    void ApplyBrushColor(gui::TColor color);

    // Origins.
    win::POINT QueryWindowOrigin() const;
    win::POINT QueryViewportOrigin() const;
    void SetWindowOrigin(win::POINT origin);
    // Viewport origin minus window origin.
    win::POINT QueryDeviceOrigin() const;

    // Stacks; a pop on an empty stack does nothing.
    void PushDC();
    void PopDC();
    void PushClipRegion();
    void PopClipRegion();
    // PushDC and copies of Font, Brush and Pen.
    void PushState();
    void PopState();

    // The clip region (0, 0, 30000, 30000 when the context has none), in logical or device coordinates.
    std::unique_ptr<TclRegion> CopyClipRegion(bool logical = true) const;
    // Combines the clip region with the region; the caller's region is left as it was.
    void ApplyClipRegion(TclRegion& region, TclRegionOperation operation = roSet, bool logical = true);
    void ExcludeFromClip(const win::RECT& rect);
    void ClipToRect(const win::RECT& rect);

    // Text.
    void PaintText(std::string_view text, win::RECT rect, int flags, bool enabled = true);
    // The rect the text takes, placed in the given one as the alignment flags say.
    void CalcTextBounds(std::string_view text, win::RECT& rect, int flags);
    win::SIZE MeasureText(std::string_view text);
    int MeasureTextWidth(std::string_view text) { return MeasureText(text).cx; }
    int MeasureTextHeight(std::string_view text) { return MeasureText(text).cy; }
    // The height of "Qq" in the font (which the canvas takes).
    int FontLineHeight(gui::TFont* font);

    // Fills and frames.
    // clNone draws nothing; clDefault keeps the brush's colour.
    void FillRectColor(const win::RECT& rect, gui::TColor color = gui::clDefault);
    // Tiles on a grid anchored at the logical origin; without a bitmap the brush fills.
    void FillAreaTiled(const win::RECT& rect, gui::TBitmap* bitmap, bool exclude = false);
    void DrawFrameSides(const win::RECT& rect, gui::TColor color, bool exclude = false, int sides = clAllSides,
                        int width = 1);
    void FillWithFrame(const win::RECT& rect, const TclBackground& background, bool exclude = false, int width = 1,
                       gui::TColor frameColor = gui::clDefault, int sides = clAllSides);
    void DrawTwoToneFrame(const win::RECT& rect, gui::TColor leftTopColor, gui::TColor rightBottomColor,
                          int sides = clAllSides, int width = 1);
    void Paint3DEdge(const win::RECT& rect, bool sunken, bool outer, int sides = clAllSides);
    void PaintFocusRect(const win::RECT& rect);
    void InvertArea(const win::RECT& rect);

    // Plain drawing.
    void MovePenTo(int x, int y) { canvas_->MoveTo(x, y); }
    void DrawLineTo(int x, int y) { canvas_->LineTo(x, y); }
    void DrawPolygon(const std::vector<win::POINT>& points) { canvas_->Polygon(points); }
    void DrawPolyline(const std::vector<win::POINT>& points) { canvas_->Polyline(points); }
    void SetPixelColor(int x, int y, gui::TColor color) { canvas_->SetPixels(x, y, color); }
    void CopyRectFrom(const win::RECT& dest, gui::TCanvas* source, const win::RECT& sourceRect)
    {
        canvas_->CopyRect(dest, source, sourceRect);
    }
    void DrawGraphic(int x, int y, gui::TGraphic* graphic) { canvas_->Draw(x, y, graphic); }

    // Takes over the font, brush and pen selected in a raw context.
    void AdoptDCObjects(win::HDC dc);

    // Rotation 0 none, 1 a quarter turn counter-clockwise, 2 a quarter turn clockwise, 3 a half turn;
    // the flip then mirrors the result top to bottom.
    static void RotateFlipBitmap(gui::TBitmap* bitmap, int rotation, bool flip);

private:
    struct SavedState {
        std::unique_ptr<gui::TFont> font;
        std::unique_ptr<gui::TBrush> brush;
        std::unique_ptr<gui::TPen> pen;
    };

    gui::TCanvas* canvas_;
    std::vector<int> savedDCs_;
    std::vector<std::unique_ptr<TclRegion>> savedClips_;
    std::vector<SavedState> savedStates_;
};

// A canvas on the whole screen (the desktop window's context); it owns what it wraps.
class TclScreenCanvas : public TclCanvas {
public:
    TclScreenCanvas();
    ~TclScreenCanvas() override;

private:
    std::unique_ptr<gui::TCanvas> screen_;
};

// Helpers on raw device contexts.
unsigned clTextFlagsToDrawTextFlags(int flags);
int clDrawAnsiText(win::HDC dc, std::string_view text, win::RECT& rect, int length, unsigned format);
bool clExtTextOutAnsi(win::HDC dc, std::string_view text, win::POINT point, int length, unsigned options,
                      const win::RECT* clip);
bool clGetTextExtentAnsi(win::HDC dc, std::string_view text, win::SIZE& size, int length = -1);
win::SIZE clSingleLineTextSize(win::HDC dc, std::string_view text);
// The narrowest rect in which the text fits in the given number of rows; empty for rows 0 or less.
void clCalcTextRect(win::HDC dc, std::string_view text, int rows, win::RECT& rect, bool keepFullHeight = false);
// Splits the text into lines that fit the rect's width; runs of blanks survive.
void clWrapTextToLines(std::string_view text, TclCanvas& canvas, const win::RECT& rect, rtl::TStrings& list);
win::SIZE clMeasureTextInFont(gui::TFont* font, std::string_view text, int pointSize = 0);
int clMeasureTextWidthInFont(gui::TFont* font, std::string_view text, int pointSize = 0);
// 0 vertical, 1 horizontal.
int clScreenPixelsPerInch(int horizontal);
bool clIsSpecialCharsetText(int charset, std::string_view text);
void clInvalidateWindowRect(win::HWND window, const win::RECT& rect, bool erase);
bool clReadLogFont(win::HFONT font, win::LOGFONT& logFont);
bool clReadLogBrush(win::HBRUSH brush, win::LOGBRUSH& logBrush);
bool clReadLogPen(win::HPEN pen, win::LOGPEN& logPen);
bool clReadBitmapInfo(win::HBITMAP bitmap, win::BITMAP& info);
void clBlitRect(win::HDC destination, win::HDC source, const win::RECT& destRect, win::DWORD rop,
                win::POINT sourceTopLeft);

// What lies behind a control, painted into the rect of its canvas.
void clPaintParentBackground(gui::TControl* control, TclCanvas& canvas, const win::RECT& rect);
void clPaintParentImage(gui::TControl* control, TclCanvas& canvas, const win::RECT& rect, bool siblings = false);
void clPaintParentBackgroundOnCanvas(gui::TControl* control, gui::TCanvas* canvas, const win::RECT& rect);
void clPaintParentImageOnCanvas(gui::TControl* control, gui::TCanvas* canvas, const win::RECT& rect,
                                bool siblings = false);

// Per channel face * p1 / 100 + highlight * p2 / 100 + window * p3 / 100, clamped to 0..255; the
// highlight colour when the button face is pure black or pure white.
gui::TColor clMixSystemColors(int facePercent, int highlightPercent, int windowPercent);
gui::TColor clPressedTintColor();
gui::TColor clHotTintColor();

// The shared screen canvas, made on first request; null once the unit has ended.
TclScreenCanvas* clGetScreenCanvas();

void clShrinkRectByMargins(win::RECT& rect, const win::RECT& margins);
bool clBitmapHasImage(gui::TBitmap* bitmap);
bool clImageListHasIndex(gui::TCustomImageList* list, int index);
// Replaces an image-list reference: the free notification and the change link move to the new list,
// then the change link fires.
void clAssignImageList(gui::TCustomImageList*& field, gui::TCustomImageList* value, gui::TChangeLink* changeLink,
                       classes::TComponent* notified);

namespace detail {
void InitializeGraphics();
void FinalizeGraphics();
}  // namespace detail

}  // namespace controls
