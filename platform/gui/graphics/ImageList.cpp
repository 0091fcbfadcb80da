#include "platform/gui/graphics/ImageList.h"

#include "platform/classes/Filer.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Blit.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/gui/graphics/Bitmap.h"
#include "platform/gui/graphics/Canvas.h"
#include "platform/gui/graphics/Icon.h"
#include "platform/win/DrawState.h"
#include "platform/win/Icon.h"

#include <algorithm>

namespace gui {

namespace {

win::COLORREF ListColor(TColor color)
{
    if (color == clNone) {
        return win::CLR_NONE;
    }
    if (color == clDefault) {
        return win::CLR_DEFAULT;
    }
    return ColorToRGB(color);
}

TColor ColorOfList(win::COLORREF color)
{
    return color == win::CLR_NONE ? clNone : color == win::CLR_DEFAULT ? clDefault : static_cast<TColor>(color);
}

constexpr win::UINT kDrawingStyles[] = {win::ILD_FOCUS, win::ILD_SELECTED, win::ILD_NORMAL, win::ILD_TRANSPARENT};
constexpr win::UINT kImageTypes[] = {win::ILD_NORMAL, win::ILD_MASK};

}  // namespace

TChangeLink::~TChangeLink()
{
    if (sender_) {
        sender_->UnRegisterChanges(this);
    }
}

void TChangeLink::Change()
{
    if (OnChange) {
        OnChange(sender_);
    }
}

const classes::TTypeInfo& DrawingStyleType()
{
    static const classes::TTypeInfo type =
        classes::EnumType("TDrawingStyle", {"dsFocus", "dsSelected", "dsNormal", "dsTransparent"});
    return type;
}

const classes::TTypeInfo& ImageTypeType()
{
    static const classes::TTypeInfo type = classes::EnumType("TImageType", {"itImage", "itMask"});
    return type;
}

TCustomImageList::TCustomImageList(classes::TComponent* owner) : TComponent(owner)
{
    Initialize();
}

TCustomImageList::TCustomImageList(int width, int height) : TComponent(nullptr), width_(width), height_(height)
{
    Initialize();
}

TCustomImageList::~TCustomImageList()
{
    while (!clients_.empty()) {
        UnRegisterChanges(clients_.back());
    }
    FreeHandle();
}

void TCustomImageList::Initialize()
{
    if (width_ < 1 || height_ < 1 || height_ > 32768) {
        throw rtl::EInvalidOperation("Invalid image size");
    }
}

const classes::TClassInfo& TCustomImageList::StaticClass()
{
    static const classes::TClassInfo info(
        "TCustomImageList", &TComponent::StaticClass(), [](classes::TClassInfo& c) {
            classes::ClassBuilder<TCustomImageList>(c)
                .Property("BlendColor", ColorType(), &TCustomImageList::BlendColor, &TCustomImageList::SetBlendColor)
                .Default(clNone)
                .Property("BkColor", ColorType(), &TCustomImageList::BkColor, &TCustomImageList::SetBkColor)
                .Default(clNone)
                .Property("AllocBy", &TCustomImageList::AllocBy, &TCustomImageList::SetAllocBy)
                .Default(4)
                .Property("DrawingStyle", DrawingStyleType(), &TCustomImageList::DrawingStyle,
                          &TCustomImageList::SetDrawingStyle)
                .Default(dsNormal)
                .Property("Height", &TCustomImageList::Height, &TCustomImageList::SetHeight)
                .Default(16)
                .Property("ImageType", ImageTypeType(), &TCustomImageList::ImageType, &TCustomImageList::SetImageType)
                .Default(itImage)
                .Property("Masked", &TCustomImageList::Masked, &TCustomImageList::SetMasked)
                .Default(1)
                .Property("ShareImages", &TCustomImageList::ShareImages, &TCustomImageList::SetShareImages)
                .Default(0)
                .Property("Width", &TCustomImageList::Width, &TCustomImageList::SetWidth)
                .Default(16)
                .Property("OnChange", classes::NotifyEventType(), &TCustomImageList::OnChange);
        });
    return info;
}

// --- the handle ---

void TCustomImageList::HandleNeeded()
{
    if (!handle_) {
        handle_ = win::ImageList_Create(width_, height_, (masked_ ? win::ILC_MASK : 0) | win::ILC_COLORDDB, allocBy_,
                                        allocBy_);
        if (!handle_) {
            throw rtl::EInvalidOperation("Unable to create the image list");
        }
        win::ImageList_SetBkColor(handle_, ListColor(bkColor_));
    }
}

void TCustomImageList::FreeHandle()
{
    if (handle_ && !shareImages_) {
        win::ImageList_Destroy(handle_);
    }
    handle_ = nullptr;
}

win::HIMAGELIST TCustomImageList::Handle()
{
    HandleNeeded();
    return handle_;
}

void TCustomImageList::SetHandle(win::HIMAGELIST value)
{
    FreeHandle();
    if (value) {
        win::ImageList_GetIconSize(value, &width_, &height_);
        bkColor_ = ColorOfList(win::ImageList_GetBkColor(value));
    }
    handle_ = value;
    Change();
}

int TCustomImageList::Count() const
{
    return handle_ ? win::ImageList_GetImageCount(handle_) : 0;
}

void TCustomImageList::Resize(int width, int height)
{
    if (width == width_ && height == height_) {
        return;
    }
    width_ = width;
    height_ = height;
    if (handle_) {
        win::ImageList_SetIconSize(handle_, width_, height_);
    }
    Change();
}

void TCustomImageList::SetWidth(int value)
{
    Resize(value, height_);
}

void TCustomImageList::SetHeight(int value)
{
    Resize(width_, value);
}

void TCustomImageList::SetMasked(bool value)
{
    if (value != masked_) {
        masked_ = value;
        if (handle_ && Count() == 0) {
            FreeHandle();
        }
    }
}

TColor TCustomImageList::BkColor() const
{
    return handle_ ? ColorOfList(win::ImageList_GetBkColor(handle_)) : bkColor_;
}

void TCustomImageList::SetBkColor(TColor value)
{
    bkColor_ = value;
    if (handle_) {
        win::ImageList_SetBkColor(handle_, ListColor(value));
    }
    Change();
}

void TCustomImageList::SetDrawingStyle(TDrawingStyle value)
{
    if (value != drawingStyle_) {
        drawingStyle_ = value;
        Change();
    }
}

// --- pictures ---

int TCustomImageList::Add(TBitmap* image, TBitmap* mask)
{
    HandleNeeded();
    const int index = win::ImageList_Add(handle_, image ? image->Handle() : nullptr, mask ? mask->Handle() : nullptr);
    Change();
    return index;
}

int TCustomImageList::AddMasked(TBitmap* image, TColor maskColor)
{
    if (!masked_ || maskColor == clNone || !image) {
        return Add(image, nullptr);
    }
    HandleNeeded();
    // The platform blackens the masked pixels of the bitmap it is given: give it a copy.
    TBitmap copy;
    copy.Assign(image);
    const int index = win::ImageList_AddMasked(handle_, copy.Handle(), ColorToRGB(maskColor));
    Change();
    return index;
}

int TCustomImageList::AddIcon(TIcon* image)
{
    if (!image || image->Empty()) {
        return Add(nullptr, nullptr);
    }
    HandleNeeded();
    win::ICONINFO info;
    if (!win::GetIconInfo(image->Handle(), &info)) {
        throw EInvalidGraphic("Icon image is not valid");
    }
    int index = -1;
    if (info.hbmColor) {
        index = win::ImageList_Add(handle_, info.hbmColor, info.hbmMask);
        win::DeleteObject(info.hbmColor);
    }
    win::DeleteObject(info.hbmMask);
    Change();
    return index;
}

void TCustomImageList::Replace(int index, TBitmap* image, TBitmap* mask)
{
    if (!handle_ || !win::ImageList_Replace(handle_, index, image ? image->Handle() : nullptr,
                                            mask ? mask->Handle() : nullptr)) {
        throw rtl::EInvalidOperation("Unable to Replace Image");
    }
    Change();
}

void TCustomImageList::Delete(int index)
{
    if (index < 0 || index >= Count()) {
        throw rtl::EInvalidOperation("Invalid ImageList Index");
    }
    win::ImageList_Remove(handle_, index);
    Change();
}

void TCustomImageList::Clear()
{
    if (handle_) {
        win::ImageList_Remove(handle_, -1);
    }
    Change();
}

bool TCustomImageList::GetBitmap(int index, TBitmap* image)
{
    if (!image || !handle_ || index < 0 || index >= Count()) {
        return false;
    }
    image->Assign(nullptr);
    image->SetSize(width_, height_);
    Draw(image->Canvas(), 0, 0, index);
    return true;
}

// --- drawing ---

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled)
{
    Draw(canvas, x, y, index, drawingStyle_, imageType_, enabled);
}

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index, TDrawingStyle drawingStyle,
                            TImageType imageType, bool enabled)
{
    if (handle_) {
        DoDraw(index, canvas, x, y, kDrawingStyles[drawingStyle] | kImageTypes[imageType], enabled);
    }
}

void TCustomImageList::DoDraw(int index, TCanvas* canvas, int x, int y, win::UINT style, bool enabled)
{
    win::HDC dc = canvas->Handle();
    if (enabled) {
        win::ImageList_DrawEx(handle_, index, dc, x, y, 0, 0, ListColor(BkColor()), ListColor(blendColor_), style);
        return;
    }
    // The silhouette: the picture drawn on white, then its pixels that are not white.
    win::HDC colour = win::CreateCompatibleDC(nullptr);
    win::HBITMAP picture = win::CreateBitmap(width_, height_, 1, 32, nullptr);
    win::HGDIOBJ oldPicture = win::SelectObject(colour, picture);
    win::PatBlt(colour, 0, 0, width_, height_, win::WHITENESS);
    win::ImageList_DrawEx(handle_, index, colour, 0, 0, 0, 0, win::CLR_DEFAULT, 0, win::ILD_NORMAL);
    win::HBITMAP silhouette = win::CreateBitmap(width_, height_, 1, 1, nullptr);
    win::HDC mono = win::CreateCompatibleDC(nullptr);
    win::HGDIOBJ old = win::SelectObject(mono, silhouette);
    win::SetBkColor(colour, win::RGB(255, 255, 255));
    win::BitBlt(mono, 0, 0, width_, height_, colour, 0, 0, win::SRCCOPY);
    win::SelectObject(colour, oldPicture);
    win::DeleteObject(picture);
    win::DeleteDC(colour);
    const win::COLORREF text = win::SetTextColor(dc, win::RGB(255, 255, 255));
    const win::COLORREF back = win::SetBkColor(dc, win::RGB(0, 0, 0));
    win::HGDIOBJ brush = win::SelectObject(dc, win::GetSysColorBrush(win::COLOR_BTNHIGHLIGHT));
    win::BitBlt(dc, x + 1, y + 1, width_, height_, mono, 0, 0, win::ROP_DSPDxax);
    win::SelectObject(dc, win::GetSysColorBrush(win::COLOR_BTNSHADOW));
    win::BitBlt(dc, x, y, width_, height_, mono, 0, 0, win::ROP_DSPDxax);
    win::SelectObject(dc, brush);
    win::SetTextColor(dc, text);
    win::SetBkColor(dc, back);
    win::SelectObject(mono, old);
    win::DeleteDC(mono);
    win::DeleteObject(silhouette);
}

// --- changes ---

void TCustomImageList::RegisterChanges(TChangeLink* link)
{
    link->SetSender(this);
    clients_.push_back(link);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* link)
{
    auto found = std::find(clients_.begin(), clients_.end(), link);
    if (found != clients_.end()) {
        link->SetSender(nullptr);
        clients_.erase(found);
    }
}

void TCustomImageList::BeginUpdate()
{
    ++updateCount_;
}

void TCustomImageList::EndUpdate()
{
    if (updateCount_ > 0 && --updateCount_ == 0 && changed_) {
        Change();
    }
}

void TCustomImageList::Change()
{
    changed_ = true;
    if (updateCount_ > 0) {
        return;
    }
    changed_ = false;
    // A link may leave the list while it hears of the change.
    const std::vector<TChangeLink*> clients = clients_;
    for (TChangeLink* link : clients) {
        if (std::find(clients_.begin(), clients_.end(), link) != clients_.end()) {
            link->Change();
        }
    }
    if (OnChange) {
        OnChange(this);
    }
}

void TCustomImageList::Loaded()
{
    TComponent::Loaded();
    if (!HasState(classes::csDesigning)) {
        Change();
    }
}

void TCustomImageList::Assign(const classes::TPersistent* source)
{
    if (!source) {
        FreeHandle();
        return Change();
    }
    const auto* list = dynamic_cast<const TCustomImageList*>(source);
    if (!list) {
        return TComponent::Assign(source);
    }
    if (list == this) {
        return;
    }
    masked_ = list->masked_;
    imageType_ = list->imageType_;
    drawingStyle_ = list->drawingStyle_;
    shareImages_ = false;
    allocBy_ = list->allocBy_;
    blendColor_ = list->blendColor_;
    if (!list->handle_) {
        FreeHandle();
        width_ = list->width_;
        height_ = list->height_;
        bkColor_ = list->bkColor_;
        return Change();
    }
    rtl::TMemoryStream stream;
    win::ImageList_Write(list->handle_, stream);
    stream.SetPosition(0);
    SetHandle(win::ImageList_Read(stream));
}

// --- stored data ---

void TCustomImageList::DefineProperties(classes::TFiler& filer)
{
    TComponent::DefineProperties(filer);
    bool hasData = Count() > 0;
    if (filer.Ancestor()) {
        auto* ancestor = dynamic_cast<TCustomImageList*>(filer.Ancestor());
        hasData = true;
        if (ancestor && ancestor->Count() == Count()) {
            rtl::TMemoryStream mine, theirs;
            WriteData(mine);
            ancestor->WriteData(theirs);
            hasData = mine.Size() != theirs.Size() ||
                      !std::equal(mine.Memory(), mine.Memory() + mine.Size(), theirs.Memory());
        }
    }
    filer.DefineBinaryProperty(
        "Bitmap", [this](rtl::TStream& stream) { ReadData(stream); },
        [this](rtl::TStream& stream) { WriteData(stream); }, hasData);
}

void TCustomImageList::ReadData(rtl::TStream& stream)
{
    win::HIMAGELIST list = win::ImageList_Read(stream);
    if (!list) {
        throw rtl::EReadError("Failed to read ImageList data from stream");
    }
    if (stream.Position() != stream.Size()) {
        win::ImageList_Destroy(list);
        throw rtl::EReadError("The stored image list is followed by data that belongs to none of its pictures");
    }
    SetHandle(list);
}

void TCustomImageList::WriteData(rtl::TStream& stream)
{
    if (handle_ && !win::ImageList_Write(handle_, stream)) {
        throw rtl::EWriteError("Failed to write ImageList data to stream");
    }
}

// --- drag images ---

const classes::TClassInfo& TDragImageList::StaticClass()
{
    static const classes::TClassInfo info("TDragImageList", &TCustomImageList::StaticClass(),
                                          [](classes::TClassInfo& c) { classes::ClassBuilder<TDragImageList>{c}; });
    return info;
}

bool TDragImageList::SetDragImage(int index, int hotSpotX, int hotSpotY)
{
    if (index < 0 || index >= Count()) {
        return false;
    }
    dragIndex_ = index;
    hotSpot_ = win::POINT{hotSpotX, hotSpotY};
    return true;
}

bool TDragImageList::BeginDrag(win::HWND window, int x, int y)
{
    if (!HandleAllocated() || dragging_) {
        return false;
    }
    if (!win::ImageList_BeginDrag(Handle(), dragIndex_, hotSpot_.x, hotSpot_.y)) {
        return false;
    }
    dragging_ = true;
    dragWindow_ = window;
    return win::ImageList_DragEnter(window, x, y) != win::FALSE;
}

bool TDragImageList::DragMove(int x, int y)
{
    return dragging_ && win::ImageList_DragMove(x, y);
}

bool TDragImageList::DragLock(win::HWND window, int x, int y)
{
    if (!dragging_) {
        return false;
    }
    if (window != dragWindow_) {
        win::ImageList_DragLeave(dragWindow_);
        dragWindow_ = window;
        return win::ImageList_DragEnter(window, x, y) != win::FALSE;
    }
    return win::ImageList_DragShowNolock(win::FALSE) != win::FALSE;
}

void TDragImageList::DragUnlock()
{
    if (dragging_) {
        win::ImageList_DragShowNolock(win::TRUE);
    }
}

bool TDragImageList::EndDrag()
{
    if (!dragging_) {
        return false;
    }
    win::ImageList_DragLeave(dragWindow_);
    win::ImageList_EndDrag();
    dragging_ = false;
    dragWindow_ = nullptr;
    return true;
}

const classes::TClassInfo& TImageList::StaticClass()
{
    static const classes::TClassInfo info("TImageList", &TDragImageList::StaticClass(),
                                          [](classes::TClassInfo& c) { classes::ClassBuilder<TImageList>{c}; });
    return info;
}

}  // namespace gui
