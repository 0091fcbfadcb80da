#pragma once
// Image lists: many pictures of one size in a platform image list, drawn by index. Components that show
// a list's pictures register a TChangeLink and hear of every change. In stored window data the list's
// pictures are its "Bitmap", the platform list's stored form (ImageList_Write).
//
// Drawing a picture unavailable (Enabled false) gives the classic look: the picture's silhouette (its
// pixels that are not white, drawn on white) in the 3D highlight colour one pixel right and down, then in
// the 3D shadow colour in place.

#include "platform/classes/Component.h"
#include "platform/classes/Reflection.h"
#include "platform/gdiplus/ImageList.h"
#include "platform/gui/graphics/Colors.h"

#include <vector>

namespace gui {

class TBitmap;
class TCanvas;
class TCustomImageList;
class TIcon;

class TChangeLink {
public:
    TChangeLink() = default;
    // Leaves the list it is registered with.
    ~TChangeLink();
    TChangeLink(const TChangeLink&) = delete;
    TChangeLink& operator=(const TChangeLink&) = delete;

    TCustomImageList* Sender() const { return sender_; }
    void SetSender(TCustomImageList* value) { sender_ = value; }
    virtual void Change();

    classes::TNotifyEvent OnChange;

private:
    TCustomImageList* sender_ = nullptr;
};

enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };
enum TImageType { itImage, itMask };

const classes::TTypeInfo& DrawingStyleType();
const classes::TTypeInfo& ImageTypeType();

class TCustomImageList : public classes::TComponent {
public:
    explicit TCustomImageList(classes::TComponent* owner);
    TCustomImageList(int width, int height);
    ~TCustomImageList() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // From another list: its settings and a copy of its pictures.
    void Assign(const classes::TPersistent* source) override;

    // Every picture of the bitmap, cut into pictures of the list's size (the mask, when given, the same
    // way; white where transparent). The answer is the first new picture's index.
    int Add(TBitmap* image, TBitmap* mask);
    // The mask made of the pixels of colour (and those pixels black); clNone, or a list without masks,
    // adds without mask.
    int AddMasked(TBitmap* image, TColor maskColor);
    int AddIcon(TIcon* image);
    // EInvalidOperation "Unable to Replace Image" when the list cannot.
    void Replace(int index, TBitmap* image, TBitmap* mask);
    // EInvalidOperation "Invalid ImageList Index" for an index out of range.
    void Delete(int index);
    void Clear();
    // The picture on a bitmap of the list's size (white where transparent); false for a bad index.
    bool GetBitmap(int index, TBitmap* image);

    void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true);
    void Draw(TCanvas* canvas, int x, int y, int index, TDrawingStyle drawingStyle, TImageType imageType,
              bool enabled = true);

    void RegisterChanges(TChangeLink* link);
    void UnRegisterChanges(TChangeLink* link);
    void BeginUpdate();
    void EndUpdate();

    int Count() const;
    win::HIMAGELIST Handle();
    // Takes the list (it gives the size); with ShareImages the list is not destroyed with this one.
    void SetHandle(win::HIMAGELIST value);
    bool HandleAllocated() const { return handle_ != nullptr; }

    int AllocBy() const { return allocBy_; }
    void SetAllocBy(int value) { allocBy_ = value; }
    TColor BlendColor() const { return blendColor_; }
    void SetBlendColor(TColor value) { blendColor_ = value; }
    TColor BkColor() const;
    void SetBkColor(TColor value);
    TDrawingStyle DrawingStyle() const { return drawingStyle_; }
    void SetDrawingStyle(TDrawingStyle value);
    int Height() const { return height_; }
    void SetHeight(int value);
    TImageType ImageType() const { return imageType_; }
    void SetImageType(TImageType value) { imageType_ = value; }
    bool Masked() const { return masked_; }
    void SetMasked(bool value);
    bool ShareImages() const { return shareImages_; }
    void SetShareImages(bool value) { shareImages_ = value; }
    int Width() const { return width_; }
    void SetWidth(int value);

    classes::TNotifyEvent OnChange;

protected:
    // Tells the links and OnChange (once, at the end of an update).
    virtual void Change();
    // Draws picture index at (x, y); style is ILD_ flags.
    virtual void DoDraw(int index, TCanvas* canvas, int x, int y, win::UINT style, bool enabled);
    // The pictures as "Bitmap" (written when there are any, or when they differ from the ancestor's).
    void DefineProperties(classes::TFiler& filer) override;
    void Loaded() override;

    void HandleNeeded();
    void FreeHandle();

private:
    void Initialize();
    void ReadData(rtl::TStream& stream);
    void WriteData(rtl::TStream& stream);
    void Resize(int width, int height);

    win::HIMAGELIST handle_ = nullptr;
    int width_ = 16;
    int height_ = 16;
    int allocBy_ = 4;
    TColor blendColor_ = clNone;
    TColor bkColor_ = clNone;
    TDrawingStyle drawingStyle_ = dsNormal;
    TImageType imageType_ = itImage;
    bool masked_ = true;
    bool shareImages_ = false;
    int updateCount_ = 0;
    bool changed_ = false;
    std::vector<TChangeLink*> clients_;
};

// Drag images: one picture follows the mouse over a window during a drag.
class TDragImageList : public TCustomImageList {
public:
    using TCustomImageList::TCustomImageList;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // The picture the drag shows (the list's DragIndex) and its hot spot.
    bool SetDragImage(int index, int hotSpotX, int hotSpotY);
    bool BeginDrag(win::HWND window, int x, int y);
    bool DragMove(int x, int y);
    // Hides and shows the picture while the window repaints.
    bool DragLock(win::HWND window, int x, int y);
    void DragUnlock();
    bool EndDrag();
    bool Dragging() const { return dragging_; }
    win::POINT DragHotspot() const { return hotSpot_; }

private:
    int dragIndex_ = 0;
    win::POINT hotSpot_;
    win::HWND dragWindow_ = nullptr;
    bool dragging_ = false;
};

class TImageList : public TDragImageList {
public:
    using TDragImageList::TDragImageList;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
};

}  // namespace gui
