#include "report/rptFrame.h"

#include "platform/classes/Reflection.h"

namespace report {

const classes::TTypeInfo& FrameStyleType()
{
    static const classes::TTypeInfo type = classes::EnumType(
        "TrptFrameStyle", {"fsSolid", "fsDash", "fsDot", "fsDashDot", "fsDashDotDot", "fsDouble", "fsAltDot", "fsSquare"});
    return type;
}

const classes::TTypeInfo& FrameTypesType()
{
    static const classes::TTypeInfo element =
        classes::EnumType("TrptFrameType", {"ftLeft", "ftRight", "ftTop", "ftBottom"});
    static const classes::TTypeInfo type = classes::SetType("TrptFrameTyp", element);
    return type;
}

// --- TrptFrameLine ---

const classes::TClassInfo& TrptFrameLine::StaticClass()
{
    using L = TrptFrameLine;
    static const classes::TClassInfo info("TrptFrameLine", &classes::TPersistent::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<L>(c)
            .Property("Color", gui::ColorType(), &L::Color).Stored(&L::IsColorStored)
            .Property("Style", FrameStyleType(), &L::Style).Stored(&L::IsStyleStored)
            .Property("Width", &L::Width).Stored(&L::IsWidthStored);
    });
    return info;
}

void TrptFrameLine::Assign(const classes::TPersistent* source)
{
    const auto* line = dynamic_cast<const TrptFrameLine*>(source);
    if (!line)
        return classes::TPersistent::Assign(source);
    Color = line->Color;
    Style = line->Style;
    Width = line->Width;
}

bool TrptFrameLine::IsColorStored() const
{
    return Color != frame_.Color();
}

bool TrptFrameLine::IsStyleStored() const
{
    return Style != frame_.Style();
}

bool TrptFrameLine::IsWidthStored() const
{
    return Width != frame_.Width();
}

// --- TrptFrame ---

TrptFrame::TrptFrame()
    : leftLine_(std::make_unique<TrptFrameLine>(*this)), topLine_(std::make_unique<TrptFrameLine>(*this)),
      rightLine_(std::make_unique<TrptFrameLine>(*this)), bottomLine_(std::make_unique<TrptFrameLine>(*this))
{
}

TrptFrame::~TrptFrame() = default;

const classes::TClassInfo& TrptFrame::StaticClass()
{
    using F = TrptFrame;
    static const classes::TClassInfo info("TrptFrame", &classes::TPersistent::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<F>(c)
            .Property("Color", gui::ColorType(), &F::Color, &F::SetColor)
            .Property("DropShadow", &F::DropShadow)
            .Property("ShadowColor", gui::ColorType(), &F::ShadowColor)
            .Property("ShadowWidth", &F::ShadowWidth).Stored(&F::IsShadowWidthStored)
            .Property("Style", FrameStyleType(), &F::Style, &F::SetStyle)
            .Property("Typ", FrameTypesType(), &F::Typ).Stored(&F::IsTypStored)
            .Property("Width", &F::Width, &F::SetWidth).Stored(&F::IsWidthStored)
            .Property("LeftLine", &F::LeftLine, &F::SetLeftLine)
            .Property("TopLine", &F::TopLine, &F::SetTopLine)
            .Property("RightLine", &F::RightLine, &F::SetRightLine)
            .Property("BottomLine", &F::BottomLine, &F::SetBottomLine);
    });
    return info;
}

void TrptFrame::Assign(const classes::TPersistent* source)
{
    const auto* frame = dynamic_cast<const TrptFrame*>(source);
    if (!frame)
        return classes::TPersistent::Assign(source);
    color_ = frame->color_;
    style_ = frame->style_;
    width_ = frame->width_;
    DropShadow = frame->DropShadow;
    ShadowColor = frame->ShadowColor;
    ShadowWidth = frame->ShadowWidth;
    Typ = frame->Typ;
    leftLine_->Assign(frame->leftLine_.get());
    topLine_->Assign(frame->topLine_.get());
    rightLine_->Assign(frame->rightLine_.get());
    bottomLine_->Assign(frame->bottomLine_.get());
}

template <class Apply>
void TrptFrame::ForEachLine(Apply apply)
{
    for (TrptFrameLine* line : {leftLine_.get(), topLine_.get(), rightLine_.get(), bottomLine_.get()})
        apply(*line);
}

void TrptFrame::SetColor(gui::TColor value)
{
    color_ = value;
    ForEachLine([value](TrptFrameLine& line) { line.Color = value; });
}

void TrptFrame::SetStyle(TrptFrameStyle value)
{
    style_ = value;
    ForEachLine([value](TrptFrameLine& line) { line.Style = value; });
}

void TrptFrame::SetWidth(double value)
{
    width_ = value;
    ForEachLine([value](TrptFrameLine& line) { line.Width = value; });
}

}  // namespace report
