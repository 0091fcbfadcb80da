#include "platform/gui/dialogs/Dialogs.h"

#include "platform/gui/graphics/Graphic.h"
#include "platform/gui/graphics/Printer.h"
#include "platform/rtl/Collation.h"
#include "platform/rtl/FileUtils.h"
#include "platform/services/DialogService.h"

namespace gui {

namespace {

constexpr std::pair<TOpenOption, win::DWORD> kOpenFlags[] = {
    {ofReadOnly, win::OFN_READONLY},
    {ofOverwritePrompt, win::OFN_OVERWRITEPROMPT},
    {ofHideReadOnly, win::OFN_HIDEREADONLY},
    {ofNoChangeDir, win::OFN_NOCHANGEDIR},
    {ofShowHelp, win::OFN_SHOWHELP},
    {ofNoValidate, win::OFN_NOVALIDATE},
    {ofAllowMultiSelect, win::OFN_ALLOWMULTISELECT},
    {ofExtensionDifferent, win::OFN_EXTENSIONDIFFERENT},
    {ofPathMustExist, win::OFN_PATHMUSTEXIST},
    {ofFileMustExist, win::OFN_FILEMUSTEXIST},
    {ofCreatePrompt, win::OFN_CREATEPROMPT},
    {ofShareAware, win::OFN_SHAREAWARE},
    {ofNoReadOnlyReturn, win::OFN_NOREADONLYRETURN},
    {ofNoTestFileCreate, win::OFN_NOTESTFILECREATE},
    {ofNoNetworkButton, win::OFN_NONETWORKBUTTON},
    {ofNoLongNames, win::OFN_NOLONGNAMES},
    {ofNoDereferenceLinks, win::OFN_NODEREFERENCELINKS},
    {ofEnableIncludeNotify, win::OFN_ENABLEINCLUDENOTIFY},
    {ofEnableSizing, win::OFN_ENABLESIZING},
};

std::vector<std::string> PrinterNames(int& index)
{
    std::vector<std::string> names;
    rtl::TStrings* printers = Printer()->Printers();
    for (int i = 0; i < printers->Count(); ++i) {
        names.push_back(printers->Strings(i));
    }
    try {
        index = names.empty() ? -1 : Printer()->PrinterIndex();
    } catch (const EPrinter&) {
        index = -1;
    }
    return names;
}

// The printer chosen; the one chosen already keeps the settings the dialog gave it.
void ChoosePrinter(int index, std::size_t count)
{
    if (index >= 0 && std::size_t(index) < count && index != Printer()->PrinterIndex()) {
        Printer()->SetPrinterIndex(index);
    }
}

}  // namespace

// --- TCommonDialog ---

const classes::TClassInfo& TCommonDialog::StaticClass()
{
    static const classes::TClassInfo info("TCommonDialog", &TComponent::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TCommonDialog>(c)
            .Property("Ctl3D", &TCommonDialog::Ctl3D, &TCommonDialog::SetCtl3D).Default(1)
            .Property("HelpContext", &TCommonDialog::HelpContext, &TCommonDialog::SetHelpContext).Default(0)
            .Property("OnClose", classes::NotifyEventType(), &TCommonDialog::OnClose)
            .Property("OnShow", classes::NotifyEventType(), &TCommonDialog::OnShow)
            .Method<&TCommonDialog::Execute>("Execute");
    });
    return info;
}

// --- TOpenDialog ---

TOpenDialog::TOpenDialog(classes::TComponent* owner) : TCommonDialog(owner), files_(std::make_unique<rtl::TStringList>()) {}

TOpenDialog::~TOpenDialog() = default;

const classes::TClassInfo& TOpenDialog::StaticClass()
{
    static const classes::TClassInfo info("TOpenDialog", &TCommonDialog::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TOpenDialog>(c)
            .Property("DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt)
            .Property("FileEditStyle", FileEditStyleType(), &TOpenDialog::FileEditStyle, &TOpenDialog::SetFileEditStyle)
            .Default(fsEdit)
            .Property("FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName)
            .Property("Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter)
            .Property("FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex).Default(1)
            .Property("InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir)
            .Property("Options", OpenOptionsType(), &TOpenDialog::Options, &TOpenDialog::SetOptions)
            .Default(1u << ofHideReadOnly | 1u << ofEnableSizing)
            .Property("Title", &TOpenDialog::Title, &TOpenDialog::SetTitle);
    });
    return info;
}

bool TOpenDialog::DoExecute(bool save)
{
    win::FileRequest request;
    request.save = save;
    request.title = title_;
    request.filter = EffectiveFilter();
    request.filterIndex = filterIndex_;
    request.initialDir = initialDir_;
    request.defaultExt = defaultExt_;
    request.fileName = fileName_;
    request.picturePreview = PicturePreview();
    for (const auto& [option, flag] : kOpenFlags) {
        if (Has(options_, option)) {
            request.flags |= flag;
        }
    }
    if (Run([&] { return win::CurrentDialogService().FileDialog(request); }) != win::IDOK) {
        return false;
    }
    std::vector<std::string> chosen = request.files;
    if (chosen.empty()) {
        chosen.push_back(request.fileName);
    }
    // A name without an extension takes the default one; the options tell whether it had another.
    bool differs = false;
    for (std::string& name : chosen) {
        const std::string ext = rtl::ExtractFileExt(name);
        if (ext.empty() && !defaultExt_.empty()) {
            name += "." + defaultExt_;
        } else if (!defaultExt_.empty() && !rtl::SameText(ext.substr(1), defaultExt_)) {
            differs = true;
        }
    }
    files_->Clear();
    for (const std::string& name : chosen) {
        files_->Add(name);
    }
    fileName_ = chosen.front();
    filterIndex_ = request.filterIndex;
    options_ &= ~(1u << ofReadOnly | 1u << ofExtensionDifferent);
    if (request.flags & win::OFN_READONLY) {
        options_ |= 1u << ofReadOnly;
    }
    if (differs) {
        options_ |= 1u << ofExtensionDifferent;
    }
    return true;
}

bool TOpenDialog::Execute()
{
    return DoExecute(false);
}

// --- TSaveDialog ---

const classes::TClassInfo& TSaveDialog::StaticClass()
{
    static const classes::TClassInfo info("TSaveDialog", &TOpenDialog::StaticClass(),
                                          [](classes::TClassInfo& c) { classes::ClassBuilder<TSaveDialog>{c}; });
    return info;
}

bool TSaveDialog::Execute()
{
    while (DoExecute(true)) {
        if (!Has(Options(), ofOverwritePrompt) || !rtl::FileExists(FileName())) {
            return true;
        }
        const std::string text = rtl::ExtractFileName(FileName()) + " already exists.\nDo you want to replace it?";
        const std::string caption = Title().empty() ? "Save As" : Title();
        if (win::MessageBox(text, caption, win::MB_YESNO | win::MB_ICONWARNING) == win::IDYES) {
            return true;
        }
    }
    return false;
}

// --- TOpenPictureDialog ---

const classes::TClassInfo& TOpenPictureDialog::StaticClass()
{
    static const classes::TClassInfo info("TOpenPictureDialog", &TOpenDialog::StaticClass(),
                                          [](classes::TClassInfo& c) { classes::ClassBuilder<TOpenPictureDialog>{c}; });
    return info;
}

std::string TOpenPictureDialog::EffectiveFilter() const
{
    return Filter().empty() ? GraphicFilter(&TGraphic::StaticClass()) : Filter();
}

// --- TPrintDialog ---

const classes::TClassInfo& TPrintDialog::StaticClass()
{
    static const classes::TClassInfo info("TPrintDialog", &TCommonDialog::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TPrintDialog>(c)
            .Property("Collate", &TPrintDialog::Collate, &TPrintDialog::SetCollate).Default(0)
            .Property("Copies", &TPrintDialog::Copies, &TPrintDialog::SetCopies).Default(0)
            .Property("FromPage", &TPrintDialog::FromPage, &TPrintDialog::SetFromPage).Default(0)
            .Property("MaxPage", &TPrintDialog::MaxPage, &TPrintDialog::SetMaxPage).Default(0)
            .Property("MinPage", &TPrintDialog::MinPage, &TPrintDialog::SetMinPage).Default(0)
            .Property("Options", PrintDialogOptionsType(), &TPrintDialog::Options, &TPrintDialog::SetOptions).Default(0)
            .Property("PrintRange", PrintRangeType(), &TPrintDialog::PrintRange, &TPrintDialog::SetPrintRange)
            .Default(prAllPages)
            .Property("PrintToFile", &TPrintDialog::PrintToFile, &TPrintDialog::SetPrintToFile).Default(0)
            .Property("ToPage", &TPrintDialog::ToPage, &TPrintDialog::SetToPage).Default(0);
    });
    return info;
}

bool TPrintDialog::Execute()
{
    win::PrintRequest request;
    request.printers = PrinterNames(request.printer);
    request.copies = std::max(copies_, 1);
    request.fromPage = fromPage_;
    request.toPage = toPage_;
    request.minPage = minPage_;
    request.maxPage = maxPage_;
    const auto flag = [](bool on, win::DWORD value) { return on ? value : win::DWORD(0); };
    request.flags = flag(printRange_ == prSelection, win::PD_SELECTION) | flag(printRange_ == prPageNums, win::PD_PAGENUMS) |
                    flag(collate_, win::PD_COLLATE) | flag(printToFile_, win::PD_PRINTTOFILE) |
                    flag(!Has(options_, poPageNums), win::PD_NOPAGENUMS) |
                    flag(!Has(options_, poSelection), win::PD_NOSELECTION) | flag(Has(options_, poHelp), win::PD_SHOWHELP) |
                    flag(Has(options_, poDisablePrintToFile), win::PD_DISABLEPRINTTOFILE) |
                    flag(!Has(options_, poPrintToFile), win::PD_HIDEPRINTTOFILE);
    if (Run([&] { return win::CurrentDialogService().PrintDialog(request); }) != win::IDOK) {
        return false;
    }
    ChoosePrinter(request.printer, request.printers.size());
    copies_ = request.copies;
    fromPage_ = request.fromPage;
    toPage_ = request.toPage;
    collate_ = (request.flags & win::PD_COLLATE) != 0;
    printToFile_ = (request.flags & win::PD_PRINTTOFILE) != 0;
    printRange_ = (request.flags & win::PD_SELECTION) ? prSelection : (request.flags & win::PD_PAGENUMS) ? prPageNums : prAllPages;
    return true;
}

// --- TPrinterSetupDialog ---

const classes::TClassInfo& TPrinterSetupDialog::StaticClass()
{
    static const classes::TClassInfo info("TPrinterSetupDialog", &TCommonDialog::StaticClass(),
                                          [](classes::TClassInfo& c) { classes::ClassBuilder<TPrinterSetupDialog>{c}; });
    return info;
}

bool TPrinterSetupDialog::Execute()
{
    win::PrinterSetupRequest request;
    request.printers = PrinterNames(request.printer);
    if (Run([&] { return win::CurrentDialogService().PrinterSetupDialog(request); }) != win::IDOK) {
        return false;
    }
    ChoosePrinter(request.printer, request.printers.size());
    return true;
}

// --- TFontDialog ---

TFontDialog::TFontDialog(classes::TComponent* owner) : TCommonDialog(owner), font_(std::make_unique<TFont>()) {}

TFontDialog::~TFontDialog() = default;

const classes::TClassInfo& TFontDialog::StaticClass()
{
    static const classes::TClassInfo info("TFontDialog", &TCommonDialog::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TFontDialog>(c)
            .Property("Device", FontDialogDeviceType(), &TFontDialog::Device, &TFontDialog::SetDevice).Default(fdScreen)
            .Property("Font", &TFontDialog::Font, &TFontDialog::SetFont)
            .Property("MaxFontSize", &TFontDialog::MaxFontSize, &TFontDialog::SetMaxFontSize).Default(0)
            .Property("MinFontSize", &TFontDialog::MinFontSize, &TFontDialog::SetMinFontSize).Default(0)
            .Property("Options", FontDialogOptionsType(), &TFontDialog::Options, &TFontDialog::SetOptions)
            .Default(1u << fdEffects);
    });
    return info;
}

bool TFontDialog::Execute()
{
    win::FontRequest request;
    request.face = font_->Name();
    request.size = font_->Size();
    request.bold = font_->Style() & (1u << fsBold);
    request.italic = font_->Style() & (1u << fsItalic);
    request.underline = font_->Style() & (1u << fsUnderline);
    request.strikeOut = font_->Style() & (1u << fsStrikeOut);
    request.color = ColorToRGB(font_->Color());
    if (Has(options_, fdLimitSize)) {
        request.minSize = minFontSize_;
        request.maxSize = maxFontSize_;
    }
    request.effects = Has(options_, fdEffects);
    request.charset = font_->Charset();
    request.device = device_ == fdPrinter ? win::FontRequest::Printer : device_ == fdBoth ? win::FontRequest::Both
                                                                                         : win::FontRequest::Screen;
    request.forceFontExist = Has(options_, fdForceFontExist);
    if (Run([&] { return win::CurrentDialogService().FontDialog(request); }) != win::IDOK) {
        return false;
    }
    font_->SetName(request.face);
    font_->SetSize(request.size);
    font_->SetStyle(TFontStyles((request.bold ? 1u << fsBold : 0) | (request.italic ? 1u << fsItalic : 0) |
                                (request.underline ? 1u << fsUnderline : 0) | (request.strikeOut ? 1u << fsStrikeOut : 0)));
    font_->SetColor(TColor(request.color));
    font_->SetCharset(request.charset);
    return true;
}

// --- TColorDialog ---

TColorDialog::TColorDialog(classes::TComponent* owner)
    : TCommonDialog(owner), customColors_(std::make_unique<rtl::TStringList>())
{
}

TColorDialog::~TColorDialog() = default;

const classes::TClassInfo& TColorDialog::StaticClass()
{
    static const classes::TClassInfo info("TColorDialog", &TCommonDialog::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TColorDialog>(c)
            .Property("Color", ColorType(), &TColorDialog::Color, &TColorDialog::SetColor).Default(clBlack)
            .Property("CustomColors", &TColorDialog::CustomColors, &TColorDialog::SetCustomColors)
            .Property("Options", ColorDialogOptionsType(), &TColorDialog::Options, &TColorDialog::SetOptions).Default(0);
    });
    return info;
}

bool TColorDialog::Execute()
{
    win::ColorRequest request;
    request.color = ColorToRGB(color_);
    for (int i = 0; i < customColors_->Count(); ++i) {
        request.customColors.push_back(customColors_->Strings(i));
    }
    request.fullOpen = Has(options_, cdFullOpen);
    request.preventFullOpen = Has(options_, cdPreventFullOpen);
    if (Run([&] { return win::CurrentDialogService().ColorDialog(request); }) != win::IDOK) {
        return false;
    }
    color_ = TColor(request.color);
    customColors_->Clear();
    for (const std::string& line : request.customColors) {
        customColors_->Add(line);
    }
    return true;
}

std::vector<const classes::TClassInfo*> DialogClasses()
{
    return {&TCommonDialog::StaticClass(),      &TOpenDialog::StaticClass(),  &TSaveDialog::StaticClass(),
            &TOpenPictureDialog::StaticClass(), &TPrintDialog::StaticClass(), &TPrinterSetupDialog::StaticClass(),
            &TFontDialog::StaticClass(),        &TColorDialog::StaticClass()};
}

}  // namespace gui
