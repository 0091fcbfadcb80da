#pragma once
// TCustomEdit: a windowed control over an EDIT window: its text, length limit, read-only state,
// password character, character case, selection, clipboard and undo, and the OnChange event (each change
// of the text, by the user or from code). TEdit publishes it as a single-line edit whose height fits its
// font (AutoSize). The window may be made again (a style changed) without losing the text, the
// selection or the modified flag.

#include "platform/gui/controls/StdCtrlTypes.h"
#include "platform/gui/core/Form.h"
#include "platform/gui/core/WinControl.h"

#include <string>

namespace gui {

class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(classes::TComponent* owner);

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    std::string Text() const { return GetText(); }
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int value);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    char PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(char value);
    TEditCharCase CharCase() const { return charCase_; }
    void SetCharCase(TEditCharCase value);
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool value) { autoSelect_ = value; }
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool value);
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle value);
    bool OEMConvert() const { return oemConvert_; }
    void SetOEMConvert(bool value);
    TImeMode ImeMode() const { return imeMode_; }
    void SetImeMode(TImeMode value) { imeMode_ = value; }
    const std::string& ImeName() const { return imeName_; }
    void SetImeName(const std::string& value) { imeName_ = value; }

    int SelStart();
    void SetSelStart(int value);
    int SelLength();
    void SetSelLength(int value);
    std::string SelText();
    void SetSelText(const std::string& value);
    void SelectAll();
    void ClearSelection();
    void Clear();
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    void Undo();
    bool CanUndo();
    void ClearUndo();
    bool Modified();
    void SetModified(bool value);

    TNotifyEvent OnChange;

    void Dispatch(win::TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    bool CanAutoSize(int& newWidth, int& newHeight) override;
    virtual void Change();
    // Multi-line edits (the memo) report a text set from code themselves: the window does not.
    virtual bool MultiLine() const { return false; }

private:
    int maxLength_ = 0;
    bool readOnly_ = false;
    char passwordChar_ = 0;
    TEditCharCase charCase_ = ecNormal;
    bool autoSelect_ = true;
    bool hideSelection_ = true;
    TFormBorderStyle borderStyle_ = bsSingle;
    bool oemConvert_ = false;
    TImeMode imeMode_ = imDontCare;
    std::string imeName_;
    // What the window held when it was destroyed, given to the next one.
    bool modified_ = false;
    int savedSelStart_ = 0;
    int savedSelEnd_ = 0;
};

class TEdit : public TCustomEdit {
public:
    explicit TEdit(classes::TComponent* owner);

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
};

}  // namespace gui
