#pragma once
// TCustomMemo: a multi-line edit. Lines is its text as a list of lines (joined by CR LF); Alignment,
// ScrollBars and WordWrap shape the window (a memo with a horizontal scroll bar does not wrap);
// WantReturns lets Enter break a line (else Enter goes to the form's default button) and WantTabs lets
// Tab into the text (else it moves the focus). TMemo publishes it.

#include "platform/gui/controls/Edit.h"
#include "platform/rtl/StringList.h"

#include <memory>

namespace gui {

class TCustomMemo : public TCustomEdit {
public:
    explicit TCustomMemo(classes::TComponent* owner);
    ~TCustomMemo() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    rtl::TStrings* Lines() const { return lines_.get(); }
    void SetLines(rtl::TStrings* value) { lines_->Assign(*value); }
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    bool WantReturns() const { return wantReturns_; }
    void SetWantReturns(bool value) { wantReturns_ = value; }
    bool WantTabs() const { return wantTabs_; }
    void SetWantTabs(bool value) { wantTabs_ = value; }

    void Dispatch(win::TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void KeyPress(char& key) override;
    bool MultiLine() const override { return true; }
    bool CanAutoSize(int&, int&) override { return false; }

private:
    std::unique_ptr<rtl::TStrings> lines_;
    TAlignment alignment_ = taLeftJustify;
    TScrollStyle scrollBars_ = ssNone;
    bool wordWrap_ = true;
    bool wantReturns_ = true;
    bool wantTabs_ = false;
};

class TMemo : public TCustomMemo {
public:
    using TCustomMemo::TCustomMemo;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
};

}  // namespace gui
