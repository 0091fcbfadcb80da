#pragma once
// TPicture: holds one picture of any registered class (or none) for a component's property. Loading a
// file picks the class by the file's extension; the Bitmap, Icon and Metafile accessors make the picture
// one of that class when it is not. Its "Data" in stored window data is the picture's class name (a
// length byte and the characters; length 0 for none), then that class's own "Data".

#include "platform/classes/Persistent.h"
#include "platform/classes/Reflection.h"
#include "platform/gui/graphics/Graphic.h"

#include <memory>
#include <string>

namespace gui {

class TBitmap;
class TIcon;
class TMetafile;

class TPicture : public classes::TPersistent {
public:
    // owner: the persistent whose property the picture is (its name path), or null.
    explicit TPicture(classes::TPersistent* owner = nullptr);
    ~TPicture() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // From a picture its graphic (copied), from a graphic a copy of it, from null none.
    void Assign(const classes::TPersistent* source) override;
    classes::TPersistent* GetOwner() const override { return owner_; }

    // EInvalidGraphic "Unknown picture file extension (.xyz)" for an extension no class is registered for;
    // a file the class cannot read leaves the picture as it was.
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName);
    void LoadFromClipboardFormat(win::UINT format, win::HANDLE data, win::HPALETTE palette);
    void SaveToClipboardFormat(win::UINT& format, win::HANDLE& data, win::HPALETTE& palette);

    TGraphic* Graphic() const { return graphic_.get(); }
    // A copy of the graphic, or none.
    void SetGraphic(TGraphic* value);
    TBitmap* Bitmap();
    void SetBitmap(TBitmap* value);
    TIcon* Icon();
    void SetIcon(TIcon* value);
    TMetafile* Metafile();
    void SetMetafile(TMetafile* value);

    int Width() const;
    int Height() const;

    classes::TNotifyEvent OnChange;

protected:
    void AssignTo(classes::TPersistent* dest) const override;
    void DefineProperties(classes::TFiler& filer) override;

private:
    void Changed(classes::TObject* sender);
    void Take(std::unique_ptr<TGraphic> graphic);
    // The graphic, made of the class when it is of another class (the old one dropped).
    TGraphic* GraphicOfClass(const classes::TClassInfo& graphicClass);
    void ReadData(rtl::TStream& stream);
    void WriteData(rtl::TStream& stream);

    classes::TPersistent* owner_;
    std::unique_ptr<TGraphic> graphic_;
};

}  // namespace gui
