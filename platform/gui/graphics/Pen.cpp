#include "platform/gui/graphics/Pen.h"

#include "platform/gdi/GdiObjects.h"

namespace gui {

namespace {

constexpr int kROP2[] = {win::R2_BLACK,       win::R2_WHITE,       win::R2_NOP,         win::R2_NOT,
                         win::R2_COPYPEN,     win::R2_NOTCOPYPEN,  win::R2_MERGEPENNOT, win::R2_MASKPENNOT,
                         win::R2_MERGENOTPEN, win::R2_MASKNOTPEN,  win::R2_MERGEPEN,    win::R2_NOTMERGEPEN,
                         win::R2_MASKPEN,     win::R2_NOTMASKPEN,  win::R2_XORPEN,      win::R2_NOTXORPEN};

}  // namespace

const classes::TTypeInfo& PenStyleType()
{
    static const classes::TTypeInfo type = classes::EnumType(
        "TPenStyle", {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame"});
    return type;
}

const classes::TTypeInfo& PenModeType()
{
    static const classes::TTypeInfo type = classes::EnumType(
        "TPenMode", {"pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy", "pmMergePenNot", "pmMaskPenNot",
                     "pmMergeNotPen", "pmMaskNotPen", "pmMerge", "pmNotMerge", "pmMask", "pmNotMask", "pmXor",
                     "pmNotXor"});
    return type;
}

int PenModeToROP2(TPenMode mode)
{
    return kROP2[mode];
}

const classes::TClassInfo& TPen::StaticClass()
{
    static const classes::TClassInfo info("TPen", &TGraphicsObject::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TPen>(c)
            .Property("Color", ColorType(), &TPen::Color, &TPen::SetColor)
            .Default(clBlack)
            .Property("Mode", PenModeType(), &TPen::Mode, &TPen::SetMode)
            .Default(pmCopy)
            .Property("Style", PenStyleType(), &TPen::Style, &TPen::SetStyle)
            .Default(psSolid)
            .Property("Width", &TPen::Width, &TPen::SetWidth)
            .Default(1);
    });
    return info;
}

void TPen::Assign(const classes::TPersistent* source)
{
    const auto* pen = dynamic_cast<const TPen*>(source);
    if (!pen) {
        return TGraphicsObject::Assign(source);
    }
    if (pen != this) {
        color_ = pen->color_;
        mode_ = pen->mode_;
        style_ = pen->style_;
        width_ = pen->width_;
        Changed();
    }
}

win::HPEN TPen::Handle() const
{
    if (!handle_) {
        win::LOGPEN pen;
        pen.lopnStyle = static_cast<win::UINT>(style_ == psClear ? win::PS_NULL : style_);
        pen.lopnWidth.x = width_;
        pen.lopnColor = ColorToRGB(color_);
        handle_ = win::CreatePenIndirect(&pen);
    }
    return static_cast<win::HPEN>(handle_);
}

void TPen::SetHandle(win::HPEN handle)
{
    win::LOGPEN pen;
    if (handle && win::GetObject(handle, sizeof pen, &pen) == int(sizeof pen)) {
        color_ = static_cast<TColor>(pen.lopnColor);
        const auto style = static_cast<int>(pen.lopnStyle & win::PS_STYLE_MASK);
        style_ = style <= psInsideFrame ? TPenStyle(style) : psSolid;
        width_ = pen.lopnWidth.x;
    }
    Changed();
    handle_ = handle;
}

void TPen::SetColor(TColor value)
{
    if (value != color_) {
        color_ = value;
        Changed();
    }
}

void TPen::SetMode(TPenMode value)
{
    // Not part of the handle: the canvas sets it when it selects the pen.
    if (value != mode_) {
        mode_ = value;
        if (OnChange) {
            OnChange(this);
        }
    }
}

void TPen::SetStyle(TPenStyle value)
{
    if (value != style_) {
        style_ = value;
        Changed();
    }
}

void TPen::SetWidth(int value)
{
    if (value >= 0 && value != width_) {
        width_ = value;
        Changed();
    }
}

}  // namespace gui
