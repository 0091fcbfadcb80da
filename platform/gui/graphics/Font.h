#pragma once
// TFont: a logical font by name, height, style, character set, pitch and colour. Size is the height in
// points at the font's PixelsPerInch (the screen's, 96): Size 8 is Height -MulDiv(8, 96, 72) = -11.

#include "platform/gui/graphics/Colors.h"
#include "platform/gui/graphics/GraphicsObject.h"
#include "platform/wintypes/GdiTypes.h"
#include "platform/wintypes/LogFont.h"

#include <cstdint>
#include <string>

namespace gui {

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = std::uint8_t;  // bit 1 << TFontStyle
enum TFontPitch { fpDefault, fpVariable, fpFixed };
using TFontCharset = std::uint8_t;

const classes::TTypeInfo& FontStylesType();
const classes::TTypeInfo& FontPitchType();

// The screen's pixels per inch, which new fonts take.
int ScreenPixelsPerInch();

class TFont : public TGraphicsObject {
public:
    TFont();

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    void Assign(const classes::TPersistent* source) override;

    // Made from the description on first use; the font owns it.
    win::HFONT Handle() const;
    // Takes the handle and the description its LOGFONT gives.
    void SetHandle(win::HFONT handle);

    TFontCharset Charset() const { return charset_; }
    void SetCharset(TFontCharset value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    int Height() const { return height_; }
    void SetHeight(int value);
    const std::string& Name() const { return name_; }
    void SetName(const std::string& value);
    TFontPitch Pitch() const { return pitch_; }
    void SetPitch(TFontPitch value);
    int Size() const;
    void SetSize(int value);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles value);
    int PixelsPerInch() const { return pixelsPerInch_; }
    void SetPixelsPerInch(int value) { pixelsPerInch_ = value; }

    // The logical font the handle is made of.
    win::LOGFONT LogFont() const;

private:
    TFontCharset charset_;
    TColor color_ = clWindowText;
    int height_;
    std::string name_ = "MS Sans Serif";
    TFontPitch pitch_ = fpDefault;
    TFontStyles style_ = 0;
    int pixelsPerInch_;
};

}  // namespace gui
