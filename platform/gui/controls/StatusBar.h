#pragma once
// TStatusBar: the bar at the bottom of a window (alBottom by default) with a row of panels, each Width
// pixels wide (the last one takes the rest), its text aligned inside a lowered, raised or no bevel, or
// drawn by OnDrawPanel (psOwnerDraw). SimplePanel shows SimpleText across the whole bar instead. On a
// sizeable form the bar carries the size grip at its bottom right, which answers hit-tests as the form's
// bottom-right corner. With AutoHint it shows the application's hints (the first panel, or the simple one)
// when the application has no OnHint of its own.

#include "platform/classes/Collection.h"
#include "platform/gui/controls/StdCtrlTypes.h"
#include "platform/gui/core/CustomControl.h"

#include <memory>

namespace gui {

class TStatusBar;
class TStatusPanel;

enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };
enum TStatusPanelStyle { psText, psOwnerDraw };

const classes::TTypeInfo& StatusPanelBevelType();
const classes::TTypeInfo& StatusPanelStyleType();

using TDrawPanelEvent = rtl::Method<void(TStatusBar* statusBar, TStatusPanel* panel, const win::RECT& rect)>;
const classes::TTypeInfo& DrawPanelEventType();

class TStatusPanel : public classes::TCollectionItem {
public:
    explicit TStatusPanel(classes::TCollection* collection) : TCollectionItem(collection) {}

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
    void Assign(const classes::TPersistent* source) override;

    const std::string& Text() const { return text_; }
    void SetText(const std::string& value);
    int Width() const { return width_; }
    void SetWidth(int value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TStatusPanelBevel Bevel() const { return bevel_; }
    void SetBevel(TStatusPanelBevel value);
    TStatusPanelStyle Style() const { return style_; }
    void SetStyle(TStatusPanelStyle value);

private:
    std::string text_;
    int width_ = 50;
    TAlignment alignment_ = taLeftJustify;
    TStatusPanelBevel bevel_ = pbLowered;
    TStatusPanelStyle style_ = psText;
};

class TStatusBar : public TCustomControl {
public:
    explicit TStatusBar(classes::TComponent* owner);
    ~TStatusBar() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    classes::TCollection* Panels() const { return panels_.get(); }
    TStatusPanel* Panel(int index) const { return static_cast<TStatusPanel*>(panels_->Items(index)); }
    bool SimplePanel() const { return simplePanel_; }
    void SetSimplePanel(bool value);
    const std::string& SimpleText() const { return simpleText_; }
    void SetSimpleText(const std::string& value);
    bool SizeGrip() const { return sizeGrip_; }
    void SetSizeGrip(bool value);
    bool AutoHint() const { return autoHint_; }
    void SetAutoHint(bool value);

    // The rectangle panel index takes (the whole bar's text area for the simple panel, index -1).
    win::RECT PanelRect(int index);
    // The size grip's square, empty when the bar shows none.
    win::RECT GripRect();

    TDrawPanelEvent OnDrawPanel;

    void Dispatch(win::TMessage& message) override;

protected:
    void Paint() override;

private:
    friend class TStatusPanel;
    void DrawPanel(TStatusPanel* panel, const std::string& text, TAlignment alignment, TStatusPanelBevel bevel,
                   win::RECT rect);

    std::unique_ptr<classes::TCollection> panels_;
    bool simplePanel_ = false;
    std::string simpleText_;
    bool sizeGrip_ = true;
    bool autoHint_ = false;
};

}  // namespace gui
