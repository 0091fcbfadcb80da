#include "platform/gui/controls/CheckBox.h"
#include "platform/gui/controls/ComboBox.h"
#include "platform/gui/controls/Edit.h"
#include "platform/gui/controls/GroupBox.h"
#include "platform/gui/controls/Label.h"
#include "platform/gui/controls/PaintBox.h"
#include "platform/gui/dialogs/DialogTexts.h"
#include "platform/gui/dialogs/detail/DialogForm.h"
#include "platform/gui/dialogs/detail/DialogWindows.h"
#include "platform/gui/dialogs/detail/PrintPictures.h"
#include "platform/gui/graphics/Printer.h"
#include "platform/printing/Spooler.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace gui::detail {

namespace {

struct PrinterDetails {
    std::string status;
    std::string type;
    std::string where;
    std::string comment;
};

PrinterDetails DetailsOf(const std::string& name)
{
    win::DWORD needed = 0;
    win::DWORD count = 0;
    win::EnumPrintersA(win::PRINTER_ENUM_LOCAL | win::PRINTER_ENUM_CONNECTIONS, nullptr, 2, nullptr, 0, &needed, &count);
    std::vector<win::BYTE> buffer(needed);
    if (!win::EnumPrintersA(win::PRINTER_ENUM_LOCAL | win::PRINTER_ENUM_CONNECTIONS, nullptr, 2, buffer.data(), needed,
                            &needed, &count))
        return {};
    const auto* infos = reinterpret_cast<const win::PRINTER_INFO_2A*>(buffer.data());
    for (win::DWORD i = 0; i < count; ++i) {
        const win::PRINTER_INFO_2A& info = infos[i];
        if (!info.pPrinterName || name != info.pPrinterName)
            continue;
        const auto text = [](const char* s) { return std::string(s ? s : ""); };
        const std::string status = (info.Status & win::PRINTER_STATUS_PAUSED)     ? "Paused"
                                   : (info.Status & win::PRINTER_STATUS_PRINTING) ? "Printing"
                                                                                   : "Ready";
        return {status, text(info.pDriverName), text(info.pPortName), text(info.pComment)};
    }
    return {};
}

// Fixed-width names of DeviceCapabilities (papers 64, sources 24 characters).
std::vector<std::string> CapabilityNames(const std::string& printer, win::WORD capability, std::size_t width)
{
    const int count = win::DeviceCapabilitiesA(printer.c_str(), nullptr, capability, nullptr, nullptr);
    if (count <= 0)
        return {};
    std::vector<char> buffer(std::size_t(count) * width);
    win::DeviceCapabilitiesA(printer.c_str(), nullptr, capability, buffer.data(), nullptr);
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) {
        const char* name = buffer.data() + std::size_t(i) * width;
        names.emplace_back(name, strnlen(name, width));
    }
    return names;
}

std::vector<win::WORD> CapabilityCodes(const std::string& printer, win::WORD capability)
{
    const int count = win::DeviceCapabilitiesA(printer.c_str(), nullptr, capability, nullptr, nullptr);
    if (count <= 0)
        return {};
    std::vector<win::WORD> codes(static_cast<std::size_t>(count));
    win::DeviceCapabilitiesA(printer.c_str(), nullptr, capability, reinterpret_cast<char*>(codes.data()), nullptr);
    return codes;
}

TComboBox* AddList(TDialogForm& form, TWinControl* parent, const std::vector<std::string>& items, int index, int left,
                   int top, int width)
{
    auto* combo = form.Add<TComboBox>(parent, "", left, top, width, form.Units().Y(12));
    combo->SetStyle(csDropDownList);
    for (const std::string& item : items)
        combo->Items()->Add(item);
    combo->SetItemIndex(items.empty() ? -1 : std::clamp(index, 0, int(items.size()) - 1));
    return combo;
}

int NumberIn(TEdit* edit, int fallback)
{
    const std::string text = edit->Text();
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        return fallback;
    return std::stoi(text);
}

// The "Printer" group of the print and setup dialogs: the printer to use, its properties and what the
// printing system says of it. Properties edits the chosen printer's device mode, kept until OK.
class TPrinterForm : public TDialogForm {
public:
    TPrinterForm(const std::string& caption, const std::vector<std::string>& printers, int printer)
        : TDialogForm(caption), printers_(printers)
    {
        const DialogUnits& u = Units();
        margin_ = u.X(7);
        width_ = u.X(276);
        group_ = Add<TGroupBox>(this, DialogText(dtPrinter), margin_, u.Y(4), width_, u.Y(76));
        names_ = AddList(*this, group_, printers, printer, u.X(56), u.Y(12), u.X(150));
        names_->OnChange = TNotifyEvent::Of<&TPrinterForm::PrinterChange>(this);
        Add<TLabel>(group_, DialogText(dtName), u.X(8), u.Y(14), u.X(46), u.Y(8))->SetFocusControl(names_);
        TButton* properties = Add<TButton>(group_, DialogText(dtProperties), u.X(212), u.Y(11), u.X(58), u.Y(14));
        properties->OnClick = TNotifyEvent::Of<&TPrinterForm::PropertiesClick>(this);
        static constexpr TDialogText kTitles[4] = {dtStatus, dtType, dtWhere, dtComment};
        for (int i = 0; i < 4; ++i) {
            Add<TLabel>(group_, DialogText(kTitles[i]), u.X(8), u.Y(30 + 11 * i), u.X(46), u.Y(8));
            details_[std::size_t(i)] = Add<TLabel>(group_, " ", u.X(56), u.Y(30 + 11 * i), u.X(210), u.Y(8));
        }
        ShowDetails();
    }

    int Chosen() const { return names_->ItemIndex(); }
    std::string ChosenName() const { return Chosen() >= 0 ? printers_[std::size_t(Chosen())] : std::string(); }
    // The device mode the Properties dialog left (empty when it was not used for the chosen printer).
    const std::vector<unsigned char>& EditedMode() const { return mode_; }

    void PrinterChange(TObject*)
    {
        mode_.clear();
        ShowDetails();
        PrinterChanged();
    }

    void PropertiesClick(TObject*)
    {
        const std::string name = ChosenName();
        const win::LONG size = win::DocumentPropertiesA(Handle(), nullptr, name.c_str(), nullptr, nullptr, 0);
        if (size <= 0)
            return;
        std::vector<unsigned char> edited(static_cast<std::size_t>(size));
        const std::vector<unsigned char> in = mode_.empty() ? CurrentMode() : mode_;
        const win::DWORD flags = win::DM_IN_PROMPT | win::DM_OUT_BUFFER | (in.empty() ? 0 : win::DM_IN_BUFFER);
        if (win::DocumentPropertiesA(Handle(), nullptr, name.c_str(), reinterpret_cast<win::DEVMODEA*>(edited.data()),
                                     in.empty() ? nullptr : reinterpret_cast<const win::DEVMODEA*>(in.data()),
                                     flags) == win::IDOK) {
            mode_ = std::move(edited);
            PrinterChanged();
        }
    }

protected:
    virtual void PrinterChanged() {}
    // The device mode of the chosen printer as the program's printer holds it; empty for another one.
    std::vector<unsigned char> CurrentMode() const
    {
        TPrinter* printer = Printer();
        if (Chosen() != printer->PrinterIndex())
            return {};
        const win::DEVMODEA& mode = printer->DeviceMode();
        const auto* bytes = reinterpret_cast<const unsigned char*>(&mode);
        return {bytes, bytes + mode.dmSize + mode.dmDriverExtra};
    }
    int Margin() const { return margin_; }
    int GroupWidth() const { return width_; }
    int Below() const { return group_->Top() + group_->Height() + Units().Y(4); }

private:
    void ShowDetails()
    {
        const PrinterDetails details = DetailsOf(ChosenName());
        const std::string* texts[4] = {&details.status, &details.type, &details.where, &details.comment};
        for (std::size_t i = 0; i < 4; ++i)
            details_[i]->SetCaption(*texts[i]);
    }

    std::vector<std::string> printers_;
    int margin_ = 0;
    int width_ = 0;
    TGroupBox* group_ = nullptr;
    TComboBox* names_ = nullptr;
    std::array<TLabel*, 4> details_{};
    std::vector<unsigned char> mode_;
};

// The chosen printer becomes the program's; then what the dialog chose goes into its device mode.
void TakePrinter(int index, const std::vector<unsigned char>& edited)
{
    TPrinter* printer = Printer();
    printer->SetPrinterIndex(index);
    if (!edited.empty())
        printer->SetDeviceMode(edited);
}

class TPrintForm : public TPrinterForm {
public:
    explicit TPrintForm(win::PrintRequest& request)
        : TPrinterForm(DialogText(dtPrint), request.printers, request.printer), request_(request)
    {
        const DialogUnits& u = Units();
        const int top = Below();
        const int half = (GroupWidth() - u.X(6)) / 2;
        TGroupBox* range = Add<TGroupBox>(this, "Print range", Margin(), top, half, u.Y(64));
        all_ = Add<TRadioButton>(range, "&All", u.X(8), u.Y(12), u.X(60), u.Y(10));
        pages_ = Add<TRadioButton>(range, DialogText(dtPages), u.X(8), u.Y(26), u.X(40), u.Y(10));
        from_ = AddEdit(std::to_string(request.fromPage), 0, 0, u.X(22), u.Y(12));
        from_->SetParent(range);
        from_->SetBounds(u.X(66), u.Y(25), u.X(22), u.Y(12));
        Add<TLabel>(range, DialogText(dtFrom), u.X(48), u.Y(27), u.X(18), u.Y(8))->SetFocusControl(from_);
        to_ = AddEdit(std::to_string(request.toPage), 0, 0, u.X(22), u.Y(12));
        to_->SetParent(range);
        to_->SetBounds(u.X(106), u.Y(25), u.X(22), u.Y(12));
        Add<TLabel>(range, DialogText(dtTo), u.X(92), u.Y(27), u.X(12), u.Y(8))->SetFocusControl(to_);
        selection_ = Add<TRadioButton>(range, DialogText(dtSelection), u.X(8), u.Y(42), u.X(80), u.Y(10));
        const bool pageNumbers = !(request.flags & win::PD_NOPAGENUMS);
        pages_->SetEnabled(pageNumbers);
        from_->SetEnabled(pageNumbers);
        to_->SetEnabled(pageNumbers);
        selection_->SetEnabled(!(request.flags & win::PD_NOSELECTION));
        (request.flags & win::PD_SELECTION) ? selection_->SetChecked(true)
        : (request.flags & win::PD_PAGENUMS) ? pages_->SetChecked(true)
                                              : all_->SetChecked(true);

        TGroupBox* copies = Add<TGroupBox>(this, DialogText(dtCopies), Margin() + half + u.X(6), top, half, u.Y(64));
        copies_ = AddEdit(std::to_string(std::clamp(request.copies, 1, 9999)), 0, 0, u.X(28), u.Y(12));
        copies_->SetParent(copies);
        copies_->SetBounds(half - u.X(36), u.Y(12), u.X(28), u.Y(12));
        copies_->SetMaxLength(4);
        Add<TLabel>(copies, DialogText(dtNumberOfCopies), u.X(8), u.Y(14), half - u.X(46), u.Y(8))->SetFocusControl(copies_);
        collate_ = Add<TCheckBox>(copies, DialogText(dtCollate), u.X(60), u.Y(40), u.X(56), u.Y(10));
        collate_->SetChecked(request.flags & win::PD_COLLATE);
        collatePicture_ = Add<TPaintBox>(copies, "", u.X(8), u.Y(30), u.X(50), u.Y(30));
        collatePicture_->OnPaint = TNotifyEvent::Of<&TPrintForm::PaintCollate>(this);
        collate_->OnClick = TNotifyEvent::Of<&TPrintForm::CollateClick>(this);

        int bottom = top + u.Y(64) + u.Y(6);
        if (!(request.flags & win::PD_HIDEPRINTTOFILE)) {
            toFile_ = Add<TCheckBox>(this, DialogText(dtPrintToFile), Margin(), bottom, u.X(100), u.Y(10));
            toFile_->SetChecked(request.flags & win::PD_PRINTTOFILE);
            toFile_->SetEnabled(!(request.flags & win::PD_DISABLEPRINTTOFILE));
        }
        const int buttonsLeft = Margin() + GroupWidth() - 2 * u.X(50) - u.X(4);
        TButton* ok = AddButton(DialogText(dtOk), mrNone, buttonsLeft, bottom, u.X(50), u.Y(14));
        ok->SetDefault(true);
        ok->OnClick = TNotifyEvent::Of<&TPrintForm::OkClick>(this);
        AddButton(DialogText(dtCancel), mrCancel, buttonsLeft + u.X(54), bottom, u.X(50), u.Y(14));
        SetClientWidth(GroupWidth() + 2 * Margin());
        SetClientHeight(bottom + u.Y(14) + u.Y(6));
        SetActiveControl(ok);
    }

    void OkClick(TObject*)
    {
        win::DWORD flags = 0;
        if (pages_->Checked()) {
            const int from = NumberIn(from_, -1);
            const int to = NumberIn(to_, -1);
            const int low = request_.minPage;
            const int high = request_.maxPage > 0 ? request_.maxPage : 0x7FFF;
            for (auto [edit, value] : {std::pair{from_, from}, std::pair{to_, to}})
                if (value < low || value > high || (edit == to_ && to < from)) {
                    win::MessageBox("This value is not within the page range.\nEnter a number between " +
                                        std::to_string(low) + " and " + std::to_string(high) + ".",
                                    DialogText(dtPrint), win::MB_OK | win::MB_ICONWARNING);
                    FocusControl(edit);
                    edit->SelectAll();
                    return;
                }
            request_.fromPage = from;
            request_.toPage = to;
            flags |= win::PD_PAGENUMS;
        } else if (selection_->Checked()) {
            flags |= win::PD_SELECTION;
        }
        const int copies = std::clamp(NumberIn(copies_, 1), 1, 9999);
        request_.copies = copies;
        if (collate_->Checked())
            flags |= win::PD_COLLATE;
        if (toFile_ && toFile_->Checked())
            flags |= win::PD_PRINTTOFILE;
        request_.flags = (request_.flags & ~(win::PD_PAGENUMS | win::PD_SELECTION | win::PD_COLLATE | win::PD_PRINTTOFILE)) | flags;
        request_.printer = Chosen();
        TakePrinter(Chosen(), EditedMode());
        win::DEVMODEA& mode = Printer()->DeviceMode();
        mode.dmCopies = win::SHORT(copies);
        mode.dmCollate = collate_->Checked() ? win::DMCOLLATE_TRUE : win::DMCOLLATE_FALSE;
        mode.dmFields |= win::DM_COPIES | win::DM_COLLATE;
        SetModalResult(mrOk);
    }

    void CollateClick(TObject*) { collatePicture_->Invalidate(); }
    void PaintCollate(TObject*)
    {
        DrawCollatePicture(*collatePicture_->Canvas(), collatePicture_->ClientRect(), collate_->Checked());
    }

private:
    win::PrintRequest& request_;
    TRadioButton* all_ = nullptr;
    TRadioButton* pages_ = nullptr;
    TRadioButton* selection_ = nullptr;
    TEdit* from_ = nullptr;
    TEdit* to_ = nullptr;
    TEdit* copies_ = nullptr;
    TCheckBox* collate_ = nullptr;
    TCheckBox* toFile_ = nullptr;
    TPaintBox* collatePicture_ = nullptr;
};

class TPrinterSetupForm : public TPrinterForm {
public:
    explicit TPrinterSetupForm(const win::PrinterSetupRequest& request)
        : TPrinterForm("Print Setup", request.printers, request.printer)
    {
        const DialogUnits& u = Units();
        const int top = Below();
        const int half = (GroupWidth() - u.X(6)) / 2;
        TGroupBox* paper = Add<TGroupBox>(this, DialogText(dtPaper), Margin(), top, half + u.X(30), u.Y(48));
        papers_ = AddList(*this, paper, {}, 0, u.X(40), u.Y(12), half + u.X(30) - u.X(48));
        Add<TLabel>(paper, DialogText(dtSize), u.X(8), u.Y(14), u.X(30), u.Y(8))->SetFocusControl(papers_);
        sources_ = AddList(*this, paper, {}, 0, u.X(40), u.Y(28), half + u.X(30) - u.X(48));
        Add<TLabel>(paper, DialogText(dtSource), u.X(8), u.Y(30), u.X(30), u.Y(8))->SetFocusControl(sources_);
        TGroupBox* orientation = Add<TGroupBox>(this, DialogText(dtOrientation), Margin() + half + u.X(36), top,
                                                half - u.X(30), u.Y(48));
        portrait_ = Add<TRadioButton>(orientation, DialogText(dtPortrait), u.X(8), u.Y(14), u.X(60), u.Y(10));
        landscape_ = Add<TRadioButton>(orientation, DialogText(dtLandscape), u.X(8), u.Y(30), u.X(60), u.Y(10));
        pagePicture_ = Add<TPaintBox>(orientation, "", u.X(70), u.Y(10), u.X(28), u.Y(34));
        pagePicture_->OnPaint = TNotifyEvent::Of<&TPrinterSetupForm::PaintPage>(this);
        for (TRadioButton* choice : {portrait_, landscape_})
            choice->OnClick = TNotifyEvent::Of<&TPrinterSetupForm::OrientationClick>(this);
        const int bottom = top + u.Y(48) + u.Y(6);
        const int buttonsLeft = Margin() + GroupWidth() - 2 * u.X(50) - u.X(4);
        TButton* ok = AddButton(DialogText(dtOk), mrNone, buttonsLeft, bottom, u.X(50), u.Y(14));
        ok->SetDefault(true);
        ok->OnClick = TNotifyEvent::Of<&TPrinterSetupForm::OkClick>(this);
        AddButton(DialogText(dtCancel), mrCancel, buttonsLeft + u.X(54), bottom, u.X(50), u.Y(14));
        SetClientWidth(GroupWidth() + 2 * Margin());
        SetClientHeight(bottom + u.Y(14) + u.Y(6));
        PrinterChanged();
        SetActiveControl(ok);
    }

    void OkClick(TObject*)
    {
        TakePrinter(Chosen(), EditedMode());
        win::DEVMODEA& mode = Printer()->DeviceMode();
        if (papers_->ItemIndex() >= 0 && std::size_t(papers_->ItemIndex()) < paperCodes_.size()) {
            mode.dmPaperSize = win::SHORT(paperCodes_[std::size_t(papers_->ItemIndex())]);
            mode.dmFields |= win::DM_PAPERSIZE;
        }
        if (sources_->ItemIndex() >= 0 && std::size_t(sources_->ItemIndex()) < sourceCodes_.size()) {
            mode.dmDefaultSource = win::SHORT(sourceCodes_[std::size_t(sources_->ItemIndex())]);
            mode.dmFields |= win::DM_DEFAULTSOURCE;
        }
        mode.dmOrientation = landscape_->Checked() ? win::DMORIENT_LANDSCAPE : win::DMORIENT_PORTRAIT;
        mode.dmFields |= win::DM_ORIENTATION;
        SetModalResult(mrOk);
    }

    void OrientationClick(TObject*) { pagePicture_->Invalidate(); }
    void PaintPage(TObject*)
    {
        DrawOrientationPicture(*pagePicture_->Canvas(), pagePicture_->ClientRect(), landscape_->Checked());
    }

protected:
    // The chosen printer's papers and sources, its settings selected.
    void PrinterChanged() override
    {
        const std::string name = ChosenName();
        paperCodes_ = CapabilityCodes(name, win::DC_PAPERS);
        sourceCodes_ = CapabilityCodes(name, win::DC_BINS);
        std::vector<unsigned char> bytes = EditedMode().empty() ? CurrentMode() : EditedMode();
        win::DEVMODEA mode{};
        if (bytes.size() >= sizeof(win::DEVMODEA))
            std::memcpy(&mode, bytes.data(), sizeof mode);
        Fill(papers_, CapabilityNames(name, win::DC_PAPERNAMES, 64), paperCodes_, mode.dmPaperSize);
        Fill(sources_, CapabilityNames(name, win::DC_BINNAMES, 24), sourceCodes_, mode.dmDefaultSource);
        (mode.dmOrientation == win::DMORIENT_LANDSCAPE ? landscape_ : portrait_)->SetChecked(true);
    }

private:
    static void Fill(TComboBox* combo, const std::vector<std::string>& names, const std::vector<win::WORD>& codes, int code)
    {
        combo->Items()->Clear();
        for (const std::string& name : names)
            combo->Items()->Add(name);
        const auto at = std::find(codes.begin(), codes.end(), win::WORD(code));
        combo->SetItemIndex(names.empty() ? -1 : at == codes.end() ? 0 : int(at - codes.begin()));
        combo->SetEnabled(!names.empty());
    }

    TComboBox* papers_ = nullptr;
    TComboBox* sources_ = nullptr;
    TRadioButton* portrait_ = nullptr;
    TRadioButton* landscape_ = nullptr;
    TPaintBox* pagePicture_ = nullptr;
    std::vector<win::WORD> paperCodes_;
    std::vector<win::WORD> sourceCodes_;
};

class TPropertiesForm : public TDialogForm {
public:
    explicit TPropertiesForm(const win::DocumentPropertiesRequest& request)
        : TDialogForm(request.printer + " Properties")
    {
        const DialogUnits& u = Units();
        const int margin = u.X(7);
        const int width = u.X(220);
        TGroupBox* paper = Add<TGroupBox>(this, DialogText(dtPaper), margin, u.Y(4), width, u.Y(64));
        papers_ = AddList(*this, paper, request.papers, request.paper, u.X(56), u.Y(12), width - u.X(64));
        Add<TLabel>(paper, DialogText(dtSize), u.X(8), u.Y(14), u.X(46), u.Y(8))->SetFocusControl(papers_);
        sources_ = AddList(*this, paper, request.sources, request.source, u.X(56), u.Y(28), width - u.X(64));
        sources_->SetEnabled(!request.sources.empty());
        Add<TLabel>(paper, DialogText(dtSource), u.X(8), u.Y(30), u.X(46), u.Y(8))->SetFocusControl(sources_);
        resolutions_ = AddList(*this, paper, request.resolutions, request.resolution, u.X(56), u.Y(44), width - u.X(64));
        resolutions_->SetEnabled(!request.resolutions.empty());
        Add<TLabel>(paper, "&Resolution:", u.X(8), u.Y(46), u.X(46), u.Y(8))->SetFocusControl(resolutions_);

        const int half = (width - u.X(6)) / 2;
        int top = u.Y(72);
        TGroupBox* orientation = Add<TGroupBox>(this, DialogText(dtOrientation), margin, top, half, u.Y(40));
        portrait_ = Add<TRadioButton>(orientation, DialogText(dtPortrait), u.X(8), u.Y(12), u.X(80), u.Y(10));
        landscape_ = Add<TRadioButton>(orientation, DialogText(dtLandscape), u.X(8), u.Y(25), u.X(80), u.Y(10));
        (request.landscape ? landscape_ : portrait_)->SetChecked(true);
        TGroupBox* color = Add<TGroupBox>(this, "Color", margin + half + u.X(6), top, half, u.Y(40));
        colorOn_ = Add<TRadioButton>(color, "C&olor", u.X(8), u.Y(12), u.X(80), u.Y(10));
        grey_ = Add<TRadioButton>(color, "&Grayscale", u.X(8), u.Y(25), u.X(80), u.Y(10));
        (request.color && request.colorAvailable ? colorOn_ : grey_)->SetChecked(true);
        colorOn_->SetEnabled(request.colorAvailable);
        top += u.Y(44);
        TGroupBox* duplex = Add<TGroupBox>(this, "Two-sided", margin, top, width, u.Y(26));
        static constexpr const char* kDuplex[3] = {"None", "Long edge", "Short edge"};
        for (int i = 0; i < 3; ++i) {
            duplex_[std::size_t(i)] = Add<TRadioButton>(duplex, kDuplex[i], u.X(8 + 70 * i), u.Y(12), u.X(64), u.Y(10));
            duplex_[std::size_t(i)]->SetEnabled(request.duplexAvailable || i == 0);
        }
        duplex_[std::size_t(request.duplexAvailable ? std::clamp(request.duplex, 1, 3) - 1 : 0)]->SetChecked(true);
        top += u.Y(30);
        TButton* ok = AddButton(DialogText(dtOk), mrOk, margin + width - 2 * u.X(50) - u.X(4), top, u.X(50), u.Y(14));
        ok->SetDefault(true);
        AddButton(DialogText(dtCancel), mrCancel, margin + width - u.X(50), top, u.X(50), u.Y(14));
        SetClientWidth(width + 2 * margin);
        SetClientHeight(top + u.Y(14) + u.Y(6));
        SetActiveControl(ok);
    }

    void Take(win::DocumentPropertiesRequest& request) const
    {
        request.paper = papers_->ItemIndex();
        request.source = sources_->ItemIndex();
        request.resolution = resolutions_->ItemIndex();
        request.landscape = landscape_->Checked();
        request.color = colorOn_->Checked();
        for (std::size_t i = 0; i < 3; ++i)
            if (duplex_[i]->Checked())
                request.duplex = int(i) + 1;
    }

private:
    TComboBox* papers_ = nullptr;
    TComboBox* sources_ = nullptr;
    TComboBox* resolutions_ = nullptr;
    TRadioButton* portrait_ = nullptr;
    TRadioButton* landscape_ = nullptr;
    TRadioButton* colorOn_ = nullptr;
    TRadioButton* grey_ = nullptr;
    std::array<TRadioButton*, 3> duplex_{};
};

}  // namespace

int ShowPrintDialog(win::PrintRequest& request)
{
    TPrintForm form(request);
    return form.Execute() == mrOk ? win::IDOK : win::IDCANCEL;
}

int ShowPrinterSetupDialog(win::PrinterSetupRequest& request)
{
    TPrinterSetupForm form(request);
    if (form.Execute() != mrOk)
        return win::IDCANCEL;
    request.printer = form.Chosen();
    return win::IDOK;
}

int ShowPropertiesDialog(win::DocumentPropertiesRequest& request)
{
    TPropertiesForm form(request);
    if (form.Execute() != mrOk)
        return win::IDCANCEL;
    form.Take(request);
    return win::IDOK;
}

}  // namespace gui::detail
