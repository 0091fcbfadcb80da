#include "platform/gui/controls/Image.h"

#include "platform/gui/graphics/Bitmap.h"
#include "platform/rtl/Exceptions.h"

namespace gui {

TImage::TImage(classes::TComponent* owner) : TGraphicControl(owner), picture_(std::make_unique<TPicture>(this))
{
    SetControlStyle(ControlStyle() | csReplicatable);
    SetBounds(0, 0, 105, 105);
    picture_->OnChange = classes::TNotifyEvent::Of<&TImage::PictureChanged>(this);
}

TImage::~TImage() = default;

const classes::TClassInfo& TImage::StaticClass()
{
    static const classes::TClassInfo info("TImage", &TGraphicControl::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TImage>(c)
            .Property("AutoSize", &TImage::AutoSize, &TImage::SetAutoSize).Default(0)
            .Property("Center", &TImage::Center, &TImage::SetCenter).Default(0)
            .Property("IncrementalDisplay", &TImage::IncrementalDisplay, &TImage::SetIncrementalDisplay).Default(0)
            .Property("Picture", &TImage::Picture, &TImage::SetPicture)
            .Property("Proportional", &TImage::Proportional, &TImage::SetProportional).Default(0)
            .Property("Stretch", &TImage::Stretch, &TImage::SetStretch).Default(0)
            .Property("Transparent", &TImage::Transparent, &TImage::SetTransparent).Default(0);
    });
    return info;
}

TCanvas* TImage::Canvas()
{
    if (!picture_->Graphic() || picture_->Graphic()->Empty()) {
        auto* bitmap = picture_->Bitmap();
        bitmap->SetSize(Width(), Height());
    }
    auto* bitmap = dynamic_cast<TBitmap*>(picture_->Graphic());
    if (!bitmap) {
        throw rtl::EInvalidOperation("Can only modify an image if it contains a bitmap");
    }
    return bitmap->Canvas();
}

win::RECT TImage::DestRect() const
{
    int w = picture_->Width();
    int h = picture_->Height();
    const int clientWidth = Width();
    const int clientHeight = Height();
    if (stretch_ || (proportional_ && (w > clientWidth || h > clientHeight))) {
        if (proportional_ && w > 0 && h > 0) {
            // The longer side fills the control; the other follows the picture's aspect, and when it does
            // not fit, it fills instead.
            const double aspect = double(w) / h;
            if (w > h) {
                w = clientWidth;
                h = int(clientWidth / aspect);
                if (h > clientHeight) {
                    h = clientHeight;
                    w = int(clientHeight * aspect);
                }
            } else {
                h = clientHeight;
                w = int(clientHeight * aspect);
                if (w > clientWidth) {
                    w = clientWidth;
                    h = int(clientWidth / aspect);
                }
            }
        } else {
            w = clientWidth;
            h = clientHeight;
        }
    }
    win::RECT rect{0, 0, w, h};
    if (center_) {
        const int dx = (clientWidth - w) / 2;
        const int dy = (clientHeight - h) / 2;
        rect = {dx, dy, dx + w, dy + h};
    }
    return rect;
}

void TImage::Paint()
{
    TGraphic* graphic = picture_->Graphic();
    if (!graphic || graphic->Empty()) {
        return;
    }
    TGraphicControl::Canvas()->StretchDraw(DestRect(), graphic);
}

bool TImage::CanAutoSize(int& newWidth, int& newHeight)
{
    if (picture_->Width() <= 0 || picture_->Height() <= 0) {
        return false;
    }
    newWidth = picture_->Width();
    newHeight = picture_->Height();
    return true;
}

void TImage::PictureChanged(classes::TObject*)
{
    if (settingTransparent_) {
        return;
    }
    if (TGraphic* graphic = picture_->Graphic()) {
        // The graphic's own change notice comes back here: it is the same change.
        settingTransparent_ = true;
        graphic->SetTransparent(transparent_);
        settingTransparent_ = false;
    }
    AdjustSize();
    Invalidate();
}

void TImage::SetCenter(bool value)
{
    center_ = value;
    PictureChanged(nullptr);
}

void TImage::SetStretch(bool value)
{
    stretch_ = value;
    PictureChanged(nullptr);
}

void TImage::SetProportional(bool value)
{
    proportional_ = value;
    PictureChanged(nullptr);
}

void TImage::SetTransparent(bool value)
{
    transparent_ = value;
    PictureChanged(nullptr);
}

}  // namespace gui
