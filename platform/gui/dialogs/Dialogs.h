#pragma once
// The dialog components: each Execute hands a request to the dialog service (platform/services), which
// shows the dialog (or, in tests, answers from its script), and takes the answer back into its
// properties. Execute is true when the user confirmed the dialog.
//
// TSaveDialog with ofOverwritePrompt asks "<name> already exists. Do you want to replace it?" (Yes, No)
// when the chosen file exists; No goes back to the file dialog.

#include "platform/classes/Component.h"
#include "platform/classes/Reflection.h"
#include "platform/gui/dialogs/DialogTypes.h"
#include "platform/gui/graphics/Colors.h"
#include "platform/gui/graphics/Font.h"
#include "platform/rtl/StringList.h"

#include <memory>
#include <string>

namespace gui {

class TCommonDialog : public classes::TComponent {
public:
    explicit TCommonDialog(classes::TComponent* owner) : TComponent(owner) {}

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    virtual bool Execute() = 0;

    bool Ctl3D() const { return ctl3D_; }
    void SetCtl3D(bool value) { ctl3D_ = value; }
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int value) { helpContext_ = value; }

    classes::TNotifyEvent OnShow;
    classes::TNotifyEvent OnClose;

protected:
    // OnShow, the request shown, OnClose.
    template <class Show>
    int Run(Show show)
    {
        if (OnShow) {
            OnShow(this);
        }
        const int answer = show();
        if (OnClose) {
            OnClose(this);
        }
        return answer;
    }

private:
    bool ctl3D_ = true;
    int helpContext_ = 0;
};

class TOpenDialog : public TCommonDialog {
public:
    explicit TOpenDialog(classes::TComponent* owner);
    ~TOpenDialog() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    bool Execute() override;

    const std::string& DefaultExt() const { return defaultExt_; }
    void SetDefaultExt(const std::string& value) { defaultExt_ = value; }
    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& value) { fileName_ = value; }
    // The chosen files (several with ofAllowMultiSelect).
    rtl::TStrings* Files() const { return files_.get(); }
    const std::string& Filter() const { return filter_; }
    void SetFilter(const std::string& value) { filter_ = value; }
    int FilterIndex() const { return filterIndex_; }
    void SetFilterIndex(int value) { filterIndex_ = value; }
    const std::string& InitialDir() const { return initialDir_; }
    void SetInitialDir(const std::string& value) { initialDir_ = value; }
    TOpenOptions Options() const { return options_; }
    void SetOptions(TOpenOptions value) { options_ = value; }
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& value) { title_ = value; }
    TFileEditStyle FileEditStyle() const { return fileEditStyle_; }
    void SetFileEditStyle(TFileEditStyle value) { fileEditStyle_ = value; }

protected:
    // The file dialog once: true when the user chose a file (taken into the properties).
    bool DoExecute(bool save);
    // The filter the dialog shows (a descendant may supply one when none is set).
    virtual std::string EffectiveFilter() const { return filter_; }
    virtual bool PicturePreview() const { return false; }

private:
    std::string defaultExt_;
    std::string fileName_;
    std::unique_ptr<rtl::TStringList> files_;
    std::string filter_;
    int filterIndex_ = 1;
    std::string initialDir_;
    TOpenOptions options_ = 1u << ofHideReadOnly | 1u << ofEnableSizing;
    std::string title_;
    TFileEditStyle fileEditStyle_ = fsEdit;
};

class TSaveDialog : public TOpenDialog {
public:
    using TOpenDialog::TOpenDialog;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    bool Execute() override;
};

// An open dialog for pictures: without a filter of its own it offers every registered picture format.
class TOpenPictureDialog : public TOpenDialog {
public:
    using TOpenDialog::TOpenDialog;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

protected:
    std::string EffectiveFilter() const override;
    bool PicturePreview() const override { return true; }
};

// Chooses the printer (the Printer object's index follows), the pages and the copies.
class TPrintDialog : public TCommonDialog {
public:
    using TCommonDialog::TCommonDialog;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    bool Execute() override;

    bool Collate() const { return collate_; }
    void SetCollate(bool value) { collate_ = value; }
    int Copies() const { return copies_; }
    void SetCopies(int value) { copies_ = value; }
    int FromPage() const { return fromPage_; }
    void SetFromPage(int value) { fromPage_ = value; }
    int ToPage() const { return toPage_; }
    void SetToPage(int value) { toPage_ = value; }
    int MinPage() const { return minPage_; }
    void SetMinPage(int value) { minPage_ = value; }
    int MaxPage() const { return maxPage_; }
    void SetMaxPage(int value) { maxPage_ = value; }
    TPrintDialogOptions Options() const { return options_; }
    void SetOptions(TPrintDialogOptions value) { options_ = value; }
    bool PrintToFile() const { return printToFile_; }
    void SetPrintToFile(bool value) { printToFile_ = value; }
    TPrintRange PrintRange() const { return printRange_; }
    void SetPrintRange(TPrintRange value) { printRange_ = value; }

private:
    bool collate_ = false;
    int copies_ = 0;
    int fromPage_ = 0;
    int toPage_ = 0;
    int minPage_ = 0;
    int maxPage_ = 0;
    TPrintDialogOptions options_ = 0;
    bool printToFile_ = false;
    TPrintRange printRange_ = prAllPages;
};

// Chooses the printer; the Printer object's index follows.
class TPrinterSetupDialog : public TCommonDialog {
public:
    using TCommonDialog::TCommonDialog;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    bool Execute() override;
};

class TFontDialog : public TCommonDialog {
public:
    explicit TFontDialog(classes::TComponent* owner);
    ~TFontDialog() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    bool Execute() override;

    TFont* Font() const { return font_.get(); }
    void SetFont(TFont* value) { font_->Assign(value); }
    TFontDialogDevice Device() const { return device_; }
    void SetDevice(TFontDialogDevice value) { device_ = value; }
    int MinFontSize() const { return minFontSize_; }
    void SetMinFontSize(int value) { minFontSize_ = value; }
    int MaxFontSize() const { return maxFontSize_; }
    void SetMaxFontSize(int value) { maxFontSize_ = value; }
    TFontDialogOptions Options() const { return options_; }
    void SetOptions(TFontDialogOptions value) { options_ = value; }

private:
    std::unique_ptr<TFont> font_;
    TFontDialogDevice device_ = fdScreen;
    int minFontSize_ = 0;
    int maxFontSize_ = 0;
    TFontDialogOptions options_ = 1u << fdEffects;
};

class TColorDialog : public TCommonDialog {
public:
    explicit TColorDialog(classes::TComponent* owner);
    ~TColorDialog() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    bool Execute() override;

    TColor Color() const { return color_; }
    void SetColor(TColor value) { color_ = value; }
    rtl::TStrings* CustomColors() const { return customColors_.get(); }
    void SetCustomColors(rtl::TStrings* value) { customColors_->Assign(*value); }
    TColorDialogOptions Options() const { return options_; }
    void SetOptions(TColorDialogOptions value) { options_ = value; }

private:
    TColor color_ = clBlack;
    std::unique_ptr<rtl::TStringList> customColors_;
    TColorDialogOptions options_ = 0;
};

// The dialog component classes, as stored data and scripts make them by name.
std::vector<const classes::TClassInfo*> DialogClasses();

}  // namespace gui
