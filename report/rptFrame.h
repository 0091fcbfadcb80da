#pragma once
// The frame of a view or a style: four sides that can each be on or off, a colour, style and width that
// every side takes over, a drop shadow, and the four side lines, each of which may differ from the frame.
// Drawing them is the views' business; this is the data as it is stored.

#include "platform/classes/Persistent.h"
#include "platform/classes/TypeInfo.h"
#include "platform/gui/graphics/Colors.h"

#include <cstdint>
#include <memory>

namespace report {

enum TrptFrameStyle { fsSolid, fsDash, fsDot, fsDashDot, fsDashDotDot, fsDouble, fsAltDot, fsSquare };
const classes::TTypeInfo& FrameStyleType();

enum TrptFrameType { ftLeft, ftRight, ftTop, ftBottom };
using TrptFrameTypes = std::uint8_t;  // bit 1 << TrptFrameType
const classes::TTypeInfo& FrameTypesType();

class TrptFrame;

// One side of a frame. Its values are stored only where they differ from the frame's own.
class TrptFrameLine : public classes::TPersistent {
public:
    explicit TrptFrameLine(const TrptFrame& frame) : frame_(frame) {}

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // Copies colour, style and width of another line.
    void Assign(const classes::TPersistent* source) override;

    gui::TColor Color = gui::clBlack;
    TrptFrameStyle Style = fsSolid;
    double Width = 1;

private:
    bool IsColorStored() const;
    bool IsStyleStored() const;
    bool IsWidthStored() const;

    const TrptFrame& frame_;
};

class TrptFrame : public classes::TPersistent {
public:
    TrptFrame();
    ~TrptFrame() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // Copies every value and the four lines of another frame.
    void Assign(const classes::TPersistent* source) override;

    // Colour, style and width set the same value on the four lines.
    gui::TColor Color() const { return color_; }
    void SetColor(gui::TColor value);
    TrptFrameStyle Style() const { return style_; }
    void SetStyle(TrptFrameStyle value);
    double Width() const { return width_; }
    void SetWidth(double value);

    bool DropShadow = false;
    gui::TColor ShadowColor = gui::clBlack;
    double ShadowWidth = 4;
    TrptFrameTypes Typ = 0;

    TrptFrameLine* LeftLine() const { return leftLine_.get(); }
    TrptFrameLine* TopLine() const { return topLine_.get(); }
    TrptFrameLine* RightLine() const { return rightLine_.get(); }
    TrptFrameLine* BottomLine() const { return bottomLine_.get(); }
    // Copy the given line.
    void SetLeftLine(TrptFrameLine* line) { leftLine_->Assign(line); }
    void SetTopLine(TrptFrameLine* line) { topLine_->Assign(line); }
    void SetRightLine(TrptFrameLine* line) { rightLine_->Assign(line); }
    void SetBottomLine(TrptFrameLine* line) { bottomLine_->Assign(line); }

private:
    template <class Apply>
    void ForEachLine(Apply apply);
    bool IsShadowWidthStored() const { return ShadowWidth != 4; }
    bool IsTypStored() const { return Typ != 0; }
    bool IsWidthStored() const { return width_ != 1; }

    gui::TColor color_ = gui::clBlack;
    TrptFrameStyle style_ = fsSolid;
    double width_ = 1;
    std::unique_ptr<TrptFrameLine> leftLine_;
    std::unique_ptr<TrptFrameLine> topLine_;
    std::unique_ptr<TrptFrameLine> rightLine_;
    std::unique_ptr<TrptFrameLine> bottomLine_;
};

}  // namespace report
