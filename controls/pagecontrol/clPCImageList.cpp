#include "controls/pagecontrol/clPCImageList.h"

#include "controls/pagecontrol/clPC.h"
#include "controls/pagecontrol/clPCPainters.h"

#include "controls/clGraphics.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Format.h"

#include <utility>

namespace pagecontrol {

TclPCImageList::TclPCImageList(TclCustomTabControl* control)
    : control_(control), changeLink_(std::make_unique<gui::TChangeLink>()),
      freeNotificator_(std::make_unique<controls::TclFreeNotificator>(nullptr))
{
    changeLink_->OnChange = classes::TNotifyEvent::Of<&TclPCImageList::BaseImagesChanged>(this);
    freeNotificator_->OnWatchedComponentFreed =
        rtl::Method<void(classes::TComponent*)>::Of<&TclPCImageList::BaseImagesFreed>(this);
}

TclPCImageList::~TclPCImageList()
{
    if (baseImages_) {
        baseImages_->UnRegisterChanges(changeLink_.get());
        freeNotificator_->UnwatchComponent(baseImages_);
    }
}

void TclPCImageList::SetBaseImages(gui::TCustomImageList* value)
{
    if (baseImages_ == value) {
        return;
    }
    if (baseImages_) {
        baseImages_->UnRegisterChanges(changeLink_.get());
        freeNotificator_->UnwatchComponent(baseImages_);
    }
    baseImages_ = value;
    if (value) {
        value->RegisterChanges(changeLink_.get());
        freeNotificator_->WatchComponent(value);
    }
    BaseImagesChanged(nullptr);
}

void TclPCImageList::BaseImagesFreed(classes::TComponent* component)
{
    if (component == baseImages_) {
        baseImages_ = nullptr;
        BaseImagesChanged(nullptr);
    }
}

void TclPCImageList::BaseImagesChanged(classes::TObject*)
{
    RebuildCache();
    control_->ImageListChanged();
}

win::SIZE TclPCImageList::ImageSize() const
{
    if (!baseImages_ || baseImages_->Width() <= 0 || baseImages_->Height() <= 0) {
        return {0, 0};
    }
    return {baseImages_->Width(), baseImages_->Height()};
}

win::SIZE TclPCImageList::RotatedImageSize() const
{
    win::SIZE size = ImageSize();
    if (rotation_ != 0) {
        std::swap(size.cx, size.cy);
    }
    return size;
}

void TclPCImageList::SetImageRotation(int value)
{
    rotation_ = value;
    RebuildCache();
    control_->ImageListChanged();
}

void TclPCImageList::RebuildCache()
{
    cache_.clear();
    const int count = baseImages_ ? baseImages_->Count() : 0;
    cache_.resize(std::size_t(count));
    for (TclPCImageListRotatedImagesElement& element : cache_) {
        element.Bitmap = std::make_unique<controls::TclBitmap>(0, 0);
    }
}

bool TclPCImageList::Native() const { return control_->Painter() && control_->Painter()->IsNativePainting(); }

void TclPCImageList::PrepareBitmap(gui::TBitmap* bitmap, gui::TColor backgroundColor)
{
    gui::TCanvas* canvas = bitmap->Canvas();
    controls::TclCanvas* source = control_->ClCanvas();
    canvas->SetFont(source->GetCanvasFont());
    canvas->SetPen(source->GetCanvasPen());
    canvas->SetBrush(source->GetCanvasBrush());
    canvas->Brush()->SetStyle(gui::bsSolid);
    canvas->Brush()->SetColor(backgroundColor);
    const win::RECT rect{0, 0, bitmap->Width(), bitmap->Height()};
    canvas->FillRect(rect);
    if (control_->Painter()) {
        control_->Painter()->FillTabTextBitmap(bitmap, rect, -1);
    }
}

void TclPCImageList::Draw(gui::TCanvas* canvas, int x, int y, bool enabled, gui::TColor backgroundColor, int index)
{
    if (!baseImages_ || baseImages_->Count() == 0) {
        throw rtl::Exception("TclPCImageList.Draw: BaseImages is not assigned");
    }
    const int count = baseImages_->Count();
    if (index < 0 || index >= count) {
        throw rtl::Exception(
            rtl::Format("TclPCImageList.Draw: Index (%d) must be between 0 and %d", {index, count - 1}));
    }
    if (cache_.size() != std::size_t(count)) {
        RebuildCache();
    }
    const win::SIZE size = ImageSize();
    if (rotation_ != 0) {
        TclPCImageListRotatedImagesElement& element = cache_[std::size_t(index)];
        if (!element.Valid || element.BackgroundColor != backgroundColor) {
            controls::TclBitmap* bitmap = element.Bitmap.get();
            bitmap->SetSize(size.cx, size.cy);
            PrepareBitmap(bitmap, backgroundColor);
            baseImages_->Draw(bitmap->Canvas(), 0, 0, index, enabled);
            controls::TclCanvas::RotateFlipBitmap(bitmap, rotation_, false);
            element.BackgroundColor = backgroundColor;
            element.Valid = true;
        }
        canvas->Draw(x, y, element.Bitmap.get());
        return;
    }
    if (Native()) {
        baseImages_->Draw(canvas, x, y, index, enabled);
        return;
    }
    controls::TclBitmap bitmap(size.cx, size.cy);
    PrepareBitmap(&bitmap, backgroundColor);
    baseImages_->Draw(bitmap.Canvas(), 0, 0, index, enabled);
    canvas->Draw(x, y, &bitmap);
}

}  // namespace pagecontrol
