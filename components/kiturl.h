#pragma once
// TKitURL: a label that behaves as a link. It shows its text underlined with a hand cursor, turns to
// HighlightColor while the mouse is over it, and a click hands URL to the shell's open verb before
// OnClick runs. Without a URL a click only runs OnClick, so the label also serves as clickable text;
// with URL "calc.exe" it starts the desktop's calculator. With Caption empty it shows URL. Adding the
// underline at construction makes the font the label's own (ParentFont off), so stored links carry theirs.
//
// Hovering: the first mouse move inside the label saves the font colour (unless one is saved) and
// starts a 100 ms window timer on the GUI thread; the first tick that finds the cursor outside puts the
// saved colour back and frees the timer.

#include "platform/gui/controls/Label.h"

#include <optional>
#include <string>

namespace gui {
class TTimer;
}

namespace components {

class TKitURL : public gui::TCustomLabel {
public:
    // The longest URL handed to the shell; the rest is cut.
    static constexpr std::size_t MaxOpenedLength = 1023;

    explicit TKitURL(classes::TComponent* owner);

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    const std::string& URL() const { return url_; }
    void SetURL(const std::string& value);
    // clNone stands for the font's colour at the moment of the write.
    gui::TColor HighlightColor() const { return highlightColor_; }
    void SetHighlightColor(gui::TColor value);
    // After a click the label rests in VisitedColor instead of its earlier colour.
    bool UseVisitedColor() const { return useVisitedColor_; }
    void SetUseVisitedColor(bool value) { useVisitedColor_ = value; }
    gui::TColor VisitedColor() const { return visitedColor_; }
    void SetVisitedColor(gui::TColor value);
    // The font's underline style.
    bool UnderlineURL() const;
    void SetUnderlineURL(bool value);
    std::string About() const;
    void SetAbout(const std::string&) {}

    // Opens URL (a failure only beeps), then OnClick; with UseVisitedColor the resting colour becomes
    // VisitedColor.
    void Click() override;

protected:
    void Loaded() override;
    void MouseMove(gui::TShiftState shift, int x, int y) override;
    std::string LabelText() const override;

private:
    bool Contains(win::POINT point) const;
    void HoverTick(classes::TObject* sender);
    bool IsVisitedColorStored() const { return useVisitedColor_; }
    // The colour written, with clNone standing for the font's.
    gui::TColor Resolved(gui::TColor value) const;

    std::string url_;
    gui::TColor highlightColor_ = gui::clRed;
    bool useVisitedColor_ = false;
    gui::TColor visitedColor_ = 0;
    std::optional<gui::TColor> restingColor_;
    gui::TTimer* hoverTimer_ = nullptr;
};

}  // namespace components
