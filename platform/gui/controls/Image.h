#pragma once
// TImage: shows a picture on its parent: at the top left in its own size, centred (Center), stretched to
// the control (Stretch), or fitted keeping its proportions (Proportional: stretched when Stretch is set,
// else only shrunk when it is larger than the control). AutoSize fits the control to the picture. Canvas
// draws on the picture, which becomes a bitmap of the control's size when it is empty.

#include "platform/gui/core/GraphicControl.h"
#include "platform/gui/graphics/Picture.h"

#include <memory>

namespace gui {

class TImage : public TGraphicControl {
public:
    explicit TImage(classes::TComponent* owner);
    ~TImage() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    TPicture* Picture() const { return picture_.get(); }
    void SetPicture(TPicture* value) { picture_->Assign(value); }
    // The picture's canvas; EInvalidOperation when the picture is of a class that has none (an icon).
    TCanvas* Canvas();
    bool Center() const { return center_; }
    void SetCenter(bool value);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool value);
    bool Proportional() const { return proportional_; }
    void SetProportional(bool value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    // Kept for stored data: pictures here are drawn whole once loaded.
    bool IncrementalDisplay() const { return incrementalDisplay_; }
    void SetIncrementalDisplay(bool value) { incrementalDisplay_ = value; }
    // Where the picture is drawn, in the control's coordinates.
    win::RECT DestRect() const;

protected:
    void Paint() override;
    bool CanAutoSize(int& newWidth, int& newHeight) override;

private:
    void PictureChanged(classes::TObject* sender);

    std::unique_ptr<TPicture> picture_;
    bool center_ = false;
    bool stretch_ = false;
    bool proportional_ = false;
    bool transparent_ = false;
    bool incrementalDisplay_ = false;
    bool settingTransparent_ = false;
};

}  // namespace gui
