#pragma once
// The tab control's image-list wrapper: it holds the control's Images (free notification and change
// link), draws tab images on a background colour, and turns them a quarter for vertical captions,
// caching each turned image until its background colour changes.

#include "controls/pagecontrol/clPCTabs.h"

#include "controls/clBitmaps.h"
#include "controls/clClasses.h"
#include "platform/gui/graphics/ImageList.h"

#include <memory>
#include <vector>

namespace pagecontrol {

struct TclPCImageListRotatedImagesElement {
    gui::TColor BackgroundColor = gui::clNone;
    std::unique_ptr<controls::TclBitmap> Bitmap;
    bool Valid = false;
};
using TclPCImageListRotatedImagesElementArray = std::vector<TclPCImageListRotatedImagesElement>;

class TclPCImageList : public classes::TObject {
public:
    explicit TclPCImageList(TclCustomTabControl* control);
    ~TclPCImageList() override;

    gui::TCustomImageList* BaseImages() const { return baseImages_; }
    // Moves the change link and free notification and reports the change.
    void SetBaseImages(gui::TCustomImageList* value);
    // (0, 0) without a list or with a zero dimension.
    win::SIZE ImageSize() const;
    win::SIZE RotatedImageSize() const;
    // 0 none, 1 for bottom-to-top captions, 2 for top-to-bottom ones.
    int ImageRotation() const { return rotation_; }
    void SetImageRotation(int value);
    // Raises on a missing list or a bad index.
    void Draw(gui::TCanvas* canvas, int x, int y, bool enabled, gui::TColor backgroundColor, int index);

private:
    void BaseImagesChanged(classes::TObject* sender);
    void BaseImagesFreed(classes::TComponent* component);
    void RebuildCache();
    void PrepareBitmap(gui::TBitmap* bitmap, gui::TColor backgroundColor);
    bool Native() const;

    TclCustomTabControl* control_;
    gui::TCustomImageList* baseImages_ = nullptr;
    std::unique_ptr<gui::TChangeLink> changeLink_;
    int rotation_ = 0;
    std::unique_ptr<controls::TclFreeNotificator> freeNotificator_;
    TclPCImageListRotatedImagesElementArray cache_;
};

}  // namespace pagecontrol
