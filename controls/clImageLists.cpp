#include "controls/clImageLists.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/ComponentReader.h"
#include "platform/classes/ComponentWriter.h"
#include "platform/classes/Filer.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"

#include <algorithm>
#include <string>
#include <vector>

namespace controls {

namespace {

constexpr win::UINT kDrawingStyles[] = {win::ILD_FOCUS, win::ILD_SELECTED, win::ILD_NORMAL, win::ILD_TRANSPARENT};
// Where the framework draws an image for stretching, the pixels it leaves are this colour.
constexpr win::COLORREF kStretchKey = win::RGB(255, 0, 255);

win::COLORREF ListColor(gui::TColor color)
{
    return color == gui::clNone ? win::CLR_NONE : color == gui::clDefault ? win::CLR_DEFAULT : gui::ColorToRGB(color);
}

// A rect of a platform bitmap as a bitmap of its own, of the given depth.
std::unique_ptr<TclCustomBitmap> CopyListBitmap(win::HBITMAP from, const win::RECT& rect, gui::TPixelFormat format)
{
    auto copy = std::make_unique<TclCustomBitmap>(clRectGetWidth(rect), clRectGetHeight(rect), format);
    const win::HDC dc = win::CreateCompatibleDC(nullptr);
    const win::HGDIOBJ old = win::SelectObject(dc, from);
    win::BitBlt(copy->Canvas()->Handle(), 0, 0, copy->Width(), copy->Height(), dc, rect.left, rect.top, win::SRCCOPY);
    win::SelectObject(dc, old);
    win::DeleteDC(dc);
    return copy;
}

// The rect of a bitmap as a bitmap of the same depth.
std::unique_ptr<TclCustomBitmap> Cell(gui::TBitmap& source, const win::RECT& rect)
{
    auto cell = std::make_unique<TclCustomBitmap>(clRectGetWidth(rect), clRectGetHeight(rect), source.PixelFormat());
    cell->CopyRectRop(cell->GetFullRect(), source, rect);
    return cell;
}

// The stored form of a bitmap, for comparisons.
std::string StoredForm(gui::TBitmap* bitmap)
{
    if (!bitmap || bitmap->Empty())
        return {};
    rtl::TMemoryStream stream;
    bitmap->SaveToStream(stream);
    return std::string(stream.Memory(), std::size_t(stream.Size()));
}

}  // namespace

// --- TclImageInfo ---

TclImageInfo::TclImageInfo() : image_(std::make_unique<TclCustomBitmap>()), mask_(std::make_unique<TclCustomBitmap>())
{
}

TclImageInfo::~TclImageInfo() = default;

void TclImageInfo::SetImage(gui::TBitmap* value)
{
    image_->Assign(value);
}

void TclImageInfo::SetMask(gui::TBitmap* value)
{
    mask_->Assign(value);
}

void TclImageInfo::Assign(const classes::TPersistent* source)
{
    const auto* info = dynamic_cast<const TclImageInfo*>(source);
    if (!info)
        return TPersistent::Assign(source);
    SetImage(info->image_.get());
    SetMask(info->mask_.get());
    maskColor_ = info->maskColor_;
}

// --- TclImageInfoItem ---

TclImageInfoItem::TclImageInfoItem(classes::TCollection* collection) : TCollectionItem(collection)
{
    if (auto* infos = dynamic_cast<TclImageInfoCollection*>(collection))
        SetCompressData(infos->CompressData());
}

const classes::TClassInfo& TclImageInfoItem::StaticClass()
{
    using I = TclImageInfoItem;
    static const classes::TClassInfo info("TclImageInfoItem", &TCollectionItem::StaticClass(),
                                          [](classes::TClassInfo& c) {
                                              classes::ClassBuilder<I>(c)
                                                  .Property("Image", &I::Image, &I::SetImage)
                                                  .Property("Mask", &I::Mask, &I::SetMask)
                                                  .Property("MaskColor", gui::ColorType(), &I::MaskColor,
                                                            &I::SetMaskColor)
                                                  .Default(gui::clNone);
                                          });
    return info;
}

bool TclImageInfoItem::CompressData() const
{
    return Image()->CompressData() && Mask()->CompressData();
}

void TclImageInfoItem::SetCompressData(bool value)
{
    Image()->SetCompressData(value);
    Mask()->SetCompressData(value);
}

void TclImageInfoItem::Assign(const classes::TPersistent* source)
{
    if (const auto* item = dynamic_cast<const TclImageInfoItem*>(source))
        return info_.Assign(&item->info_);
    TCollectionItem::Assign(source);
}

// --- TclImageInfoCollection ---

TclImageInfoCollection::TclImageInfoCollection(TclImageList* owner)
    : TCollection(TclImageInfoItem::StaticClass(), owner, "ImageInfo")
{
}

void TclImageInfoCollection::SetCompressData(bool value)
{
    compressData_ = value;
    for (int i = 0; i < Count(); ++i)
        Items(i)->SetCompressData(value);
}

// --- TclImageList ---

TclImageList::TclImageList(classes::TComponent* owner)
    : TDragImageList(owner), infos_(std::make_unique<TclImageInfoCollection>(this))
{
    CreateListHandle();
}

TclImageList::TclImageList(int width, int height)
    : TDragImageList(width, height), infos_(std::make_unique<TclImageInfoCollection>(this))
{
    CreateListHandle();
}

TclImageList::~TclImageList() = default;

const classes::TClassInfo& TclImageList::StaticClass()
{
    static const classes::TClassInfo info("TclImageList", &TDragImageList::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TclImageList>(c)
            .Property("CompressData", &TclImageList::CompressData, &TclImageList::SetCompressData)
            .Default(0);
    });
    return info;
}

void TclImageList::CreateListHandle()
{
    const gui::TColor background = BkColor();
    const win::HIMAGELIST list =
        win::ImageList_Create(Width(), Height(), win::ILC_COLOR32 | win::ILC_MASK, AllocBy(), AllocBy());
    if (!list)
        throw rtl::EInvalidOperation("Unable to create the image list");
    win::ImageList_SetBkColor(list, ListColor(background));
    SetHandle(list);
}

// --- adding and removing ---

int TclImageList::AddImage(gui::TBitmap* image, gui::TBitmap* mask)
{
    if (!image || image->Empty() || Width() < 1 || Height() < 1)
        return -1;
    if (!HandleAllocated())
        CreateListHandle();
    if (mask && (mask->Width() != image->Width() || mask->Height() != image->Height()))
        mask = nullptr;
    // Cells of the list's size, row by row; each goes to the platform list and to the infos alike, so the two
    // always hold the same images. A width that is no multiple of the cell's loses its rest, as the list does.
    const int cellWidth = Width();
    const int cellHeight = Height();
    const int columns = std::max(1, image->Width() / cellWidth);
    const int rows = image->Height() % cellHeight == 0 ? image->Height() / cellHeight : 1;
    int first = -1;
    LockUpdate();
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            const win::RECT rect{column * cellWidth, row * cellHeight,
                                 std::min(image->Width(), (column + 1) * cellWidth),
                                 std::min(image->Height(), (row + 1) * cellHeight)};
            std::unique_ptr<TclCustomBitmap> picture = Cell(*image, rect);
            std::unique_ptr<TclCustomBitmap> cellMask = mask ? Cell(*mask, rect) : nullptr;
            // Without a mask every pixel shows.
            TclCustomBitmap opaque(picture->Width(), picture->Height(), gui::pf1bit);
            opaque.ClCanvas().FillRectColor(opaque.GetFullRect(), gui::clBlack);
            const int index =
                win::ImageList_Add(Handle(), picture->Handle(), cellMask ? cellMask->Handle() : opaque.Handle());
            if (index < 0)
                break;
            if (first < 0)
                first = index;
            if (!rebuilding_)
                AddInfo(picture.get(), cellMask.get(), gui::clNone);
        }
    }
    Change();
    UnlockUpdate();
    return first;
}

int TclImageList::AddImageMasked(gui::TBitmap* image, gui::TColor maskColor)
{
    if (maskColor == gui::clNone)
        return AddImage(image, nullptr);
    if (!image || image->Empty())
        return -1;
    if (!HandleAllocated())
        CreateListHandle();
    // The platform blackens the masked pixels of the bitmap it is given: it gets a copy.
    TclCustomBitmap copy;
    copy.Assign(image);
    const int index = win::ImageList_AddMasked(Handle(), copy.Handle(), gui::ColorToRGB(maskColor));
    if (index >= 0 && !rebuilding_) {
        const int added = Count() - index;
        for (int i = 0; i < added; ++i) {
            const win::RECT rect{i * Width(), 0, std::min(image->Width(), (i + 1) * Width()),
                                 std::min(image->Height(), Height())};
            AddInfo(Cell(*image, rect).get(), nullptr, maskColor);
        }
    }
    Change();
    return index;
}

void TclImageList::AddInfo(gui::TBitmap* image, gui::TBitmap* mask, gui::TColor maskColor)
{
    TclImageInfoItem* item = infos_->Add();
    item->Info().SetImage(image);
    item->Info().SetMask(mask);
    item->SetMaskColor(maskColor);
    item->Image()->Dormant();
}

void TclImageList::DeleteImage(int index)
{
    if (index == -1) {
        if (HandleAllocated())
            win::ImageList_Remove(Handle(), -1);
        infos_->Clear();
    } else {
        if (index < 0 || index >= Count())
            throw rtl::EInvalidOperation("Invalid ImageList Index");
        win::ImageList_Remove(Handle(), index);
        if (index < infos_->Count())
            infos_->Delete(index);
    }
    Change();
}

void TclImageList::LockUpdate()
{
    ++lockCount_;
}

void TclImageList::UnlockUpdate()
{
    if (lockCount_ > 0 && --lockCount_ == 0 && changedWhileLocked_) {
        changedWhileLocked_ = false;
        Change();
    }
}

void TclImageList::Change()
{
    if (lockCount_ > 0) {
        changedWhileLocked_ = true;
        return;
    }
    // Resizing or clearing through the framework empties the platform list: the infos go with its images.
    if (!rebuilding_ && Count() == 0 && infos_ && infos_->Count() > 0)
        infos_->Clear();
    TDragImageList::Change();
}

// --- reading back ---

bool TclImageList::GetImage(int index, gui::TBitmap& image, gui::TBitmap& mask)
{
    if (index < 0 || index >= infos_->Count())
        return false;
    gui::TColor maskColor = gui::clNone;
    GetImageInfoAt(index, image, mask, maskColor);
    return true;
}

void TclImageList::GetImageInfoAt(int index, gui::TBitmap& image, gui::TBitmap& mask, gui::TColor& maskColor)
{
    if (index < 0 || index >= infos_->Count()) {
        image.Assign(nullptr);
        mask.Assign(nullptr);
        maskColor = gui::clNone;
        return;
    }
    TclImageInfoItem* item = infos_->Items(index);
    image.Assign(item->Image());
    mask.Assign(item->Mask());
    maskColor = item->MaskColor();
}

int TclImageList::AppendImageEntry(TclImageInfo& info)
{
    if (!info.Mask()->Empty())
        return AddImage(info.Image(), info.Mask());
    return AddImageMasked(info.Image(), info.MaskColor());
}

void TclImageList::RebuildInfosFromList(win::HIMAGELIST list)
{
    infos_->Clear();
    const int count = win::ImageList_GetImageCount(list);
    for (int i = 0; i < count; ++i) {
        win::IMAGEINFO info;
        if (!win::ImageList_GetImageInfo(list, i, &info))
            continue;
        const std::unique_ptr<TclCustomBitmap> image = CopyListBitmap(info.hbmImage, info.rcImage, gui::pf32bit);
        const std::unique_ptr<TclCustomBitmap> mask =
            info.hbmMask ? CopyListBitmap(info.hbmMask, info.rcImage, gui::pf1bit) : nullptr;
        AddInfo(image.get(), mask.get(), gui::clNone);
    }
}

void TclImageList::RebuildListFromInfos()
{
    LockUpdate();
    rebuilding_ = true;
    try {
        if (HandleAllocated())
            win::ImageList_Remove(Handle(), -1);
        for (int i = 0; i < infos_->Count(); ++i)
            AppendImageEntry(infos_->Items(i)->Info());
    } catch (...) {
        rebuilding_ = false;
        UnlockUpdate();
        throw;
    }
    rebuilding_ = false;
    Change();
    UnlockUpdate();
}

// --- copying and drawing ---

void TclImageList::Assign(const classes::TPersistent* source)
{
    const auto* list = dynamic_cast<const gui::TCustomImageList*>(source);
    if (!list || list == this)
        return TDragImageList::Assign(source);
    auto* from = const_cast<gui::TCustomImageList*>(list);
    LockUpdate();
    try {
        TDragImageList::Assign(source);
        infos_->Clear();
        CreateListHandle();
        if (auto* own = dynamic_cast<TclImageList*>(from)) {
            for (int i = 0; i < own->infos_->Count(); ++i)
                AppendImageEntry(own->infos_->Items(i)->Info());
        } else if (from->HandleAllocated()) {
            for (int i = 0; i < from->Count(); ++i) {
                win::IMAGEINFO info;
                if (!win::ImageList_GetImageInfo(from->Handle(), i, &info))
                    continue;
                const auto image = CopyListBitmap(info.hbmImage, info.rcImage, gui::pf32bit);
                const auto mask = info.hbmMask ? CopyListBitmap(info.hbmMask, info.rcImage, gui::pf1bit) : nullptr;
                AddImage(image.get(), mask.get());
            }
        }
    } catch (...) {
        UnlockUpdate();
        throw;
    }
    Change();
    UnlockUpdate();
}

void TclImageList::DrawImage(int index, gui::TCanvas& canvas, const win::RECT& rect, bool enabled, bool smooth,
                             bool stretch, gui::TDrawingStyle drawingStyle)
{
    DrawStyled(index, canvas, rect, enabled, smooth, stretch, kDrawingStyles[drawingStyle]);
}

void TclImageList::DrawStyled(int index, gui::TCanvas& canvas, const win::RECT& rect, bool enabled, bool smooth,
                              bool stretch, win::UINT style)
{
    if (index < 0 || index >= Count())
        return;
    win::RECT target = rect;
    if (!stretch) {
        const int left = (rect.left + rect.right - Width()) / 2;
        const int top = (rect.top + rect.bottom - Height()) / 2;
        target = win::RECT{left, top, left + Width(), top + Height()};
    }
    if (alphaBlending_) {
        clDrawImageWithState(canvas.Handle(), target, nullptr, this, index, enabled ? clidmNormal : clidmDisabled,
                             smooth);
    } else if (stretch) {
        TclCustomBitmap glyph(Width(), Height(), gui::pf24bit);
        glyph.ClCanvas().FillRectColor(glyph.GetFullRect(), gui::TColor(kStretchKey));
        TDragImageList::DoDraw(index, glyph.Canvas(), 0, 0, style, enabled);
        glyph.SetTransparentColor(gui::TColor(kStretchKey));
        glyph.SetTransparent(true);
        clDrawImageWithState(canvas.Handle(), target, &glyph, nullptr, -1, clidmNormal, smooth);
    } else {
        TDragImageList::DoDraw(index, &canvas, target.left, target.top, style, enabled);
    }
}

void TclImageList::DoDraw(int index, gui::TCanvas* canvas, int x, int y, win::UINT style, bool enabled)
{
    DrawStyled(index, *canvas, win::RECT{x, y, x + Width(), y + Height()}, enabled, false, false, style);
}

// --- stored data ---

void TclImageList::DefineProperties(classes::TFiler& filer)
{
    // The framework's "Bitmap" is read but not written: "ImageInfo" holds the images.
    classes::TComponent::DefineProperties(filer);
    filer.DefineBinaryProperty(
        "Bitmap", [this](rtl::TStream& stream) { ReadFrameworkImages(stream); }, nullptr, false);
    filer.DefineProperty(
        "FormatVersion", [this](classes::TReader& reader) { formatVersion_ = int(reader.ReadInteger()); },
        [](classes::TWriter& writer) { writer.WriteInteger(1); }, true);
    auto* ancestor = dynamic_cast<TclImageList*>(filer.Ancestor());
    filer.DefineProperty(
        "DesignInfo", [this](classes::TReader& reader) { designInfo_ = int(reader.ReadInteger()); },
        [this](classes::TWriter& writer) { writer.WriteInteger(designInfo_); },
        !ancestor || ancestor->designInfo_ != designInfo_);
    filer.DefineProperty(
        "ImageInfo", [this](classes::TReader& reader) { ReadImageInfo(reader); },
        [this](classes::TWriter& writer) { writer.WriteCollection(infos_.get()); },
        ancestor ? !clSameImageLists(this, ancestor) : infos_->Count() > 0);
}

void TclImageList::ReadFrameworkImages(rtl::TStream& stream)
{
    const win::HIMAGELIST list = win::ImageList_Read(stream);
    if (!list)
        throw rtl::EReadError("Failed to read ImageList data from stream");
    int width = 0;
    int height = 0;
    win::ImageList_GetIconSize(list, &width, &height);
    if (stream.Position() != stream.Size() || width < 1 || height < 1) {
        win::ImageList_Destroy(list);
        throw rtl::EReadError("The stored image list is followed by data that belongs to none of its pictures");
    }
    LockUpdate();
    rebuilding_ = true;
    SetWidth(width);
    SetHeight(height);
    rebuilding_ = false;
    RebuildInfosFromList(list);
    win::ImageList_Destroy(list);
    RebuildListFromInfos();
    UnlockUpdate();
}

void TclImageList::ReadImageInfo(classes::TReader& reader)
{
    if (reader.ReadValue() != classes::TValueType::Collection)
        throw rtl::EReadError("Invalid property value");
    TclImageInfoCollection read(this);
    read.SetCompressData(CompressData());
    reader.ReadCollection(&read);
    for (int i = 0; i < read.Count(); ++i) {
        TclImageInfoItem* item = read.Items(i);
        const TclCustomBitmap* image = item->Image();
        const TclCustomBitmap* mask = item->Mask();
        if (image->Empty() || image->Width() > Width() || image->Height() > Height())
            throw rtl::EReadError("Image " + std::to_string(i) + " does not fit the list's " + std::to_string(Width()) +
                                  " x " + std::to_string(Height()) + " images");
        if (!mask->Empty() && (mask->Width() != image->Width() || mask->Height() != image->Height()))
            throw rtl::EReadError("The mask of image " + std::to_string(i) + " is not the image's size");
    }
    infos_->Assign(&read);
    RebuildListFromInfos();
}

bool clSameImageLists(TclImageList* first, TclImageList* second)
{
    if (first->Width() != second->Width() || first->Height() != second->Height() ||
        first->ImageInfoCount() != second->ImageInfoCount())
        return false;
    for (int i = 0; i < first->ImageInfoCount(); ++i) {
        TclImageInfoItem* mine = first->ImageInfos()->Items(i);
        TclImageInfoItem* theirs = second->ImageInfos()->Items(i);
        if (mine->MaskColor() != theirs->MaskColor() || StoredForm(mine->Image()) != StoredForm(theirs->Image()) ||
            StoredForm(mine->Mask()) != StoredForm(theirs->Mask()))
            return false;
    }
    return true;
}

namespace detail {

void InitializeImageLists()
{
    classes::RegisterClass(TclImageList::StaticClass());
}

void FinalizeImageLists()
{
    classes::UnRegisterClass(TclImageList::StaticClass());
    FinalizeImageDrawing();
}

}  // namespace detail

}  // namespace controls
