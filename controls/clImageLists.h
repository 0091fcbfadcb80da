#pragma once
// The control foundation's image list: a platform image list of 32-bit images with masks, beside which it
// keeps each image as it was added (an image info: picture, mask, mask colour), so the images are drawn
// with their own alpha and stored as they came. Its stored window data are "FormatVersion" (1),
// "DesignInfo" and "ImageInfo", the collection of the infos; the framework's own "Bitmap" is read too.

#include "controls/clBitmaps.h"

#include "platform/classes/Collection.h"
#include "platform/gui/graphics/ImageList.h"

#include <memory>

namespace controls {

class TclImageList;

// One image as it was added: the picture, its mask (empty when it has none) and the mask colour.
class TclImageInfo : public classes::TPersistent {
public:
    TclImageInfo();
    ~TclImageInfo() override;

    TclCustomBitmap* Image() const { return image_.get(); }
    // Each setter copies the given bitmap into the info's own.
    virtual void SetImage(gui::TBitmap* value);
    TclCustomBitmap* Mask() const { return mask_.get(); }
    virtual void SetMask(gui::TBitmap* value);
    gui::TColor MaskColor() const { return maskColor_; }
    void SetMaskColor(gui::TColor value) { maskColor_ = value; }

    void Assign(const classes::TPersistent* source) override;

private:
    std::unique_ptr<TclCustomBitmap> image_;
    std::unique_ptr<TclCustomBitmap> mask_;
    gui::TColor maskColor_ = gui::clNone;
};

class TclImageInfoItem : public classes::TCollectionItem {
public:
    explicit TclImageInfoItem(classes::TCollection* collection);

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    TclImageInfo& Info() { return info_; }
    TclCustomBitmap* Image() const { return info_.Image(); }
    void SetImage(TclCustomBitmap* value) { info_.SetImage(value); }
    TclCustomBitmap* Mask() const { return info_.Mask(); }
    void SetMask(TclCustomBitmap* value) { info_.SetMask(value); }
    gui::TColor MaskColor() const { return info_.MaskColor(); }
    void SetMaskColor(gui::TColor value) { info_.SetMaskColor(value); }
    // On when both bitmaps store packed data; setting it sets both.
    bool CompressData() const;
    void SetCompressData(bool value);

    void Assign(const classes::TPersistent* source) override;

private:
    TclImageInfo info_;
};

class TclImageInfoCollection : public classes::TCollection {
public:
    explicit TclImageInfoCollection(TclImageList* owner);

    TclImageInfoItem* Items(int index) const { return static_cast<TclImageInfoItem*>(TCollection::Items(index)); }
    TclImageInfoItem* Add() { return static_cast<TclImageInfoItem*>(TCollection::Add()); }
    bool CompressData() const { return compressData_; }
    // Passed on to every item.
    void SetCompressData(bool value);

private:
    bool compressData_ = false;
};

class TclImageList : public gui::TDragImageList {
public:
    explicit TclImageList(classes::TComponent* owner);
    TclImageList(int width, int height);
    ~TclImageList() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // The image with its mask, white where transparent (none, or one of another size: opaque). A picture
    // larger than the list's images is cut into cells row by row (rows only when its height is a multiple of
    // theirs), one image and one info each. The answer is the first new image's index, -1 on failure.
    int AddImage(gui::TBitmap* image, gui::TBitmap* mask);
    // The mask made of the pixels of the colour; clNone adds without mask.
    int AddImageMasked(gui::TBitmap* image, gui::TColor maskColor);
    // index -1 deletes every image.
    void DeleteImage(int index);
    // Changes are reported once, by the last unlock.
    void LockUpdate();
    void UnlockUpdate();
    // Copies of image index's picture and mask; false for an index out of range.
    bool GetImage(int index, gui::TBitmap& image, gui::TBitmap& mask);
    // Out of range: empty bitmaps and clNone.
    void GetImageInfoAt(int index, gui::TBitmap& image, gui::TBitmap& mask, gui::TColor& maskColor);
    // Adds the info's image: with its mask when it has one, else with its mask colour.
    int AppendImageEntry(TclImageInfo& info);
    // Image index in the rect: centred unless stretched, in the state's look when alpha blending is on.
    void DrawImage(int index, gui::TCanvas& canvas, const win::RECT& rect, bool enabled = true, bool smooth = false,
                   bool stretch = false, gui::TDrawingStyle drawingStyle = gui::dsNormal);

    // Settings, then every image again (through the infos of a library list, else its pictures and masks).
    void Assign(const classes::TPersistent* source) override;

    int ImageInfoCount() const { return infos_->Count(); }
    TclImageInfoCollection* ImageInfos() const { return infos_.get(); }
    bool CompressData() const { return infos_->CompressData(); }
    void SetCompressData(bool value) { infos_->SetCompressData(value); }
    bool AlphaBlending() const { return alphaBlending_; }
    void SetAlphaBlending(bool value) { alphaBlending_ = value; }
    // The stored "FormatVersion": 1 when written, what the data said when read.
    int FormatVersion() const { return formatVersion_; }
    int DesignInfo() const { return designInfo_; }
    void SetDesignInfo(int value) { designInfo_ = value; }

protected:
    void Change() override;
    void DoDraw(int index, gui::TCanvas* canvas, int x, int y, win::UINT style, bool enabled) override;
    void DefineProperties(classes::TFiler& filer) override;

private:
    void CreateListHandle();
    void AddInfo(gui::TBitmap* image, gui::TBitmap* mask, gui::TColor maskColor);
    // The infos made again from the platform list's images.
    void RebuildInfosFromList(win::HIMAGELIST list);
    // The platform list's images made again from the infos.
    void RebuildListFromInfos();
    void ReadFrameworkImages(rtl::TStream& stream);
    void ReadImageInfo(classes::TReader& reader);
    void DrawStyled(int index, gui::TCanvas& canvas, const win::RECT& rect, bool enabled, bool smooth, bool stretch,
                    win::UINT style);

    std::unique_ptr<TclImageInfoCollection> infos_;
    bool alphaBlending_ = true;
    int formatVersion_ = 1;
    int designInfo_ = 0;
    int lockCount_ = 0;
    bool changedWhileLocked_ = false;
    bool rebuilding_ = false;
};

// Whether two lists hold the same images: the same count, size and stored pictures and masks.
bool clSameImageLists(TclImageList* first, TclImageList* second);

namespace detail {
void InitializeImageLists();
void FinalizeImageLists();
}  // namespace detail

}  // namespace controls
