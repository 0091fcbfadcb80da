#include "platform/gui/graphics/Font.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"

namespace gui {

const classes::TTypeInfo& FontStylesType()
{
    static const classes::TTypeInfo element =
        classes::EnumType("TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"});
    static const classes::TTypeInfo type = classes::SetType("TFontStyles", element);
    return type;
}

const classes::TTypeInfo& FontPitchType()
{
    static const classes::TTypeInfo type = classes::EnumType("TFontPitch", {"fpDefault", "fpVariable", "fpFixed"});
    return type;
}

int ScreenPixelsPerInch()
{
    win::HDC screen = win::CreateCompatibleDC(nullptr);
    const int pixels = screen ? win::GetDeviceCaps(screen, win::LOGPIXELSY) : 96;
    win::DeleteDC(screen);
    return pixels;
}

TFont::TFont() : charset_(win::DEFAULT_CHARSET), pixelsPerInch_(ScreenPixelsPerInch())
{
    height_ = -win::MulDiv(8, pixelsPerInch_, 72);
}

const classes::TClassInfo& TFont::StaticClass()
{
    static const classes::TClassInfo info("TFont", &TGraphicsObject::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TFont>(c)
            .Property("Charset", FontCharsetType(), &TFont::Charset, &TFont::SetCharset)
            .Property("Color", ColorType(), &TFont::Color, &TFont::SetColor)
            .Property("Height", &TFont::Height, &TFont::SetHeight)
            .Property("Name", &TFont::Name, &TFont::SetName)
            .Property("Pitch", FontPitchType(), &TFont::Pitch, &TFont::SetPitch)
            .Default(fpDefault)
            .Property("Size", &TFont::Size, &TFont::SetSize)
            .Stored(false)
            .Property("Style", FontStylesType(), &TFont::Style, &TFont::SetStyle);
    });
    return info;
}

void TFont::Assign(const classes::TPersistent* source)
{
    const auto* font = dynamic_cast<const TFont*>(source);
    if (!font) {
        return TGraphicsObject::Assign(source);
    }
    if (font == this) {
        return;
    }
    charset_ = font->charset_;
    color_ = font->color_;
    height_ = font->height_;
    name_ = font->name_;
    pitch_ = font->pitch_;
    style_ = font->style_;
    if (pixelsPerInch_ != font->pixelsPerInch_) {
        height_ = -win::MulDiv(font->Size(), pixelsPerInch_, 72);
    }
    Changed();
}

win::LOGFONT TFont::LogFont() const
{
    win::LOGFONT font;
    font.lfHeight = height_;
    font.lfWeight = style_ & (1 << fsBold) ? win::FW_BOLD : win::FW_NORMAL;
    font.lfItalic = style_ & (1 << fsItalic) ? 1 : 0;
    font.lfUnderline = style_ & (1 << fsUnderline) ? 1 : 0;
    font.lfStrikeOut = style_ & (1 << fsStrikeOut) ? 1 : 0;
    font.lfCharSet = charset_;
    font.lfFaceName = rtl::ShortString<win::LF_FACESIZE - 1>(name_);
    font.lfQuality = win::DEFAULT_QUALITY;
    font.lfPitchAndFamily = pitch_ == fpVariable ? win::VARIABLE_PITCH
                            : pitch_ == fpFixed  ? win::FIXED_PITCH
                                                 : win::DEFAULT_PITCH;
    return font;
}

win::HFONT TFont::Handle() const
{
    if (!handle_) {
        const win::LOGFONT font = LogFont();
        handle_ = win::CreateFontIndirect(&font);
    }
    return static_cast<win::HFONT>(handle_);
}

void TFont::SetHandle(win::HFONT handle)
{
    win::LOGFONT font;
    if (handle && win::GetObject(handle, sizeof font, &font) == int(sizeof font)) {
        height_ = font.lfHeight;
        style_ = static_cast<TFontStyles>((font.lfWeight >= win::FW_BOLD ? 1 << fsBold : 0) |
                                          (font.lfItalic ? 1 << fsItalic : 0) |
                                          (font.lfUnderline ? 1 << fsUnderline : 0) |
                                          (font.lfStrikeOut ? 1 << fsStrikeOut : 0));
        charset_ = font.lfCharSet;
        name_ = font.lfFaceName.Str();
        const int pitch = font.lfPitchAndFamily & 0x0F;
        pitch_ = pitch == win::VARIABLE_PITCH ? fpVariable : pitch == win::FIXED_PITCH ? fpFixed : fpDefault;
    }
    Changed();
    handle_ = handle;
}

void TFont::SetCharset(TFontCharset value)
{
    if (value != charset_) {
        charset_ = value;
        Changed();
    }
}

void TFont::SetColor(TColor value)
{
    // The colour is not part of the handle: only the owner needs to hear of it.
    if (value != color_) {
        color_ = value;
        if (OnChange) {
            OnChange(this);
        }
    }
}

void TFont::SetHeight(int value)
{
    if (value != height_) {
        height_ = value;
        Changed();
    }
}

void TFont::SetName(const std::string& value)
{
    if (!value.empty() && value != name_) {
        name_ = value;
        Changed();
    }
}

void TFont::SetPitch(TFontPitch value)
{
    if (value != pitch_) {
        pitch_ = value;
        Changed();
    }
}

int TFont::Size() const
{
    return -win::MulDiv(height_, 72, pixelsPerInch_);
}

void TFont::SetSize(int value)
{
    SetHeight(-win::MulDiv(value, pixelsPerInch_, 72));
}

void TFont::SetStyle(TFontStyles value)
{
    if (value != style_) {
        style_ = value;
        Changed();
    }
}

}  // namespace gui
