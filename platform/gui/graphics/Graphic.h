#pragma once
// TGraphic: a picture that draws itself on a canvas, loads and saves its file format, and is stored in
// window data as its "Data" (a block each picture class lays out itself). The picture file formats
// (extension, description, class) are registered here: the picture loads a file by its extension, and the
// open dialogs' filters list them.

#include "platform/classes/Persistent.h"
#include "platform/classes/Reflection.h"
#include "platform/imaging/Image.h"
#include "platform/rtl/Streams.h"
#include "platform/wintypes/GdiTypes.h"

#include <memory>
#include <string>
#include <string_view>

namespace gui {

class TCanvas;

// A file or a stored block that holds no valid picture of the class asked to read it.
using EInvalidGraphic = win::EInvalidGraphic;

// An operation a picture class cannot do ("Cannot change the size of an icon").
class EInvalidGraphicOperation : public rtl::Exception {
public:
    using rtl::Exception::Exception;
    const char* ClassName() const noexcept override { return "EInvalidGraphicOperation"; }
};

class TGraphic : public classes::TPersistent {
public:
    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // Loading is all or nothing: a file or stream that holds no valid picture raises EInvalidGraphic and
    // leaves the picture as it was. Saving a file writes it whole or not at all.
    virtual void LoadFromFile(const std::string& fileName);
    virtual void SaveToFile(const std::string& fileName);
    virtual void LoadFromStream(rtl::TStream& stream) = 0;
    virtual void SaveToStream(rtl::TStream& stream) = 0;
    // The clipboard's blocks (global memory); EInvalidGraphic for a format the class does not take.
    virtual void LoadFromClipboardFormat(win::UINT format, win::HANDLE data, win::HPALETTE palette) = 0;
    virtual void SaveToClipboardFormat(win::UINT& format, win::HANDLE& data, win::HPALETTE& palette) = 0;
    // The same class and the same saved bytes (two empty pictures are equal).
    virtual bool Equals(TGraphic* other);

    bool Empty() const { return GetEmpty(); }
    int Width() const { return GetWidth(); }
    virtual void SetWidth(int value) = 0;
    int Height() const { return GetHeight(); }
    virtual void SetHeight(int value) = 0;
    bool Transparent() const { return GetTransparent(); }
    virtual void SetTransparent(bool value);
    // Set by every change; clearing it is the owner's business.
    bool Modified() const { return modified_; }
    void SetModified(bool value);

    classes::TNotifyEvent OnChange;

protected:
    TGraphic() = default;

    virtual void Changed(classes::TObject* sender);
    virtual void Draw(TCanvas& canvas, const win::RECT& rect) = 0;
    virtual bool GetEmpty() const = 0;
    virtual int GetWidth() const = 0;
    virtual int GetHeight() const = 0;
    virtual bool GetTransparent() const { return transparent_; }
    // The "Data" block: by default the picture's file.
    virtual void ReadData(rtl::TStream& stream) { LoadFromStream(stream); }
    virtual void WriteData(rtl::TStream& stream) { SaveToStream(stream); }
    void DefineProperties(classes::TFiler& filer) override;
    // The stream from its position to its end: the whole of a picture file being loaded.
    static std::string ReadRest(rtl::TStream& stream);

    bool transparent_ = false;

private:
    friend class TCanvas;
    friend class TPicture;
    bool modified_ = false;
};

// A picture class: TBitmap::StaticClass() and kin.
using TGraphicClass = const classes::TClassInfo*;
// A new empty picture of the class (every picture class can be made by its class).
std::unique_ptr<TGraphic> CreateGraphic(TGraphicClass graphicClass);

// extension without the dot ("bmp"), matched without regard to case; the newest registration wins.
void RegisterFileFormat(const std::string& extension, const std::string& description, TGraphicClass graphicClass);
void UnregisterGraphicClass(TGraphicClass graphicClass);
// Null when no class is registered for the extension (with or without its dot).
TGraphicClass GraphicClassOfExtension(std::string_view extension);
// Among the registered classes (also by RegisterClass), the picture class of that name; null when none.
TGraphicClass GraphicClassOfName(std::string_view className);
// Filters for the open dialogs over the formats of graphicClass and its descendants, the newest first:
// "All (*.gif;*.bmp)|*.gif;*.bmp|GIF Image (*.gif)|*.gif|Bitmaps (*.bmp)|*.bmp".
std::string GraphicFilter(TGraphicClass graphicClass);
// The first extension of the class ("bmp"), and "*.ext;*.ext" of the class and its descendants.
std::string GraphicExtension(TGraphicClass graphicClass);
std::string GraphicFileMask(TGraphicClass graphicClass);
// Back to the formats of the library itself (the library's initialize()), or to none (finalize()).
void ResetFileFormats(bool withBuiltIns);

}  // namespace gui
