#include "platform/gui/controls/BitBtn.h"
#include "platform/gui/controls/CheckBox.h"
#include "platform/gui/controls/ComboBox.h"
#include "platform/gui/controls/Edit.h"
#include "platform/gui/controls/Label.h"
#include "platform/gui/controls/ListBox.h"
#include "platform/gui/controls/Panel.h"
#include "platform/gui/dialogs/DialogTexts.h"
#include "platform/gui/dialogs/detail/DialogForm.h"
#include "platform/gui/dialogs/detail/DialogWindows.h"
#include "platform/gui/dialogs/detail/FileChooser.h"
#include "platform/gui/graphics/Bitmap.h"
#include "platform/gui/graphics/Graphic.h"
#include "platform/gui/graphics/Picture.h"
#include "platform/imaging/PngCodec.h"
#include "platform/rtl/FileUtils.h"
#include "platform/win/Input.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

namespace gui::detail {

namespace {

constexpr int kMinWidth = 420;
constexpr int kMinHeight = 270;
constexpr int kPreviewSize = 150;

// The 15 x 14 folder of the list and the up-one-level button, its top left at (left, top).
void DrawFolder(TCanvas& canvas, int left, int top)
{
    canvas.Pen()->SetColor(clBlack);
    canvas.Brush()->SetColor(TColor(win::RGB(255, 224, 96)));
    canvas.Rectangle(left, top + 3, left + 15, top + 14);
    canvas.Rectangle(left, top + 1, left + 6, top + 4);
}

// A folder with an arrow pointing up, on fuchsia, which the button leaves out (its bottom-left pixel).
void SetUpGlyph(TBitBtn& button)
{
    TBitmap glyph;
    glyph.SetSize(16, 16);
    TCanvas& canvas = *glyph.Canvas();
    canvas.Brush()->SetColor(clFuchsia);
    canvas.FillRect({0, 0, 16, 16});
    DrawFolder(canvas, 0, 0);
    canvas.Brush()->SetColor(clBlack);
    canvas.Polygon({{7, 5}, {10, 8}, {8, 8}, {8, 11}, {6, 11}, {6, 8}, {4, 8}});
    button.SetGlyph(&glyph);
}

std::string CurrentFolder()
{
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    std::string ansi;
    try {
        return error ? std::string("/") : rtl::IncludeTrailingPathDelimiter(rtl::AnsiFileName(current.native()));
    } catch (const rtl::Exception&) {
        return "/";
    }
}

// The dialog's first folder: InitialDir, else the folder of FileName, else the current one.
std::string StartFolder(const win::FileRequest& request)
{
    if (!request.initialDir.empty() && rtl::DirectoryExists(request.initialDir))
        return request.initialDir;
    const std::string folder = rtl::ExtractFilePath(request.fileName);
    if (!folder.empty() && rtl::DirectoryExists(folder))
        return folder;
    return CurrentFolder();
}

// The picture classes read what they know; a PNG, which has none, is read by the codec into a bitmap.
void LoadPreview(TPicture& picture, const std::string& file)
{
    if (!rtl::SameFileExt(file, ".png")) {
        picture.LoadFromFile(file);
        return;
    }
    std::string bytes;
    const int fd = rtl::OpenForReading(rtl::OsFileName(file));
    if (fd < 0)
        return;
    const int error = rtl::ReadToEnd(fd, bytes, 64 << 20);
    ::close(fd);
    if (error != 0)
        return;
    const win::Image image = win::ReadPng(bytes);
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf32bit);
    bitmap.SetSize(image.Width(), image.Height());
    for (int y = 0; y < image.Height(); ++y) {
        auto* row = static_cast<std::uint32_t*>(bitmap.ScanLine(y));
        for (int x = 0; x < image.Width(); ++x)
            row[x] = image.Pixel(x, y) & 0xFFFFFF;
    }
    picture.SetGraphic(&bitmap);
}

class TFileForm : public TDialogForm {
public:
    explicit TFileForm(win::FileRequest& request)
        : TDialogForm(!request.title.empty() ? request.title : request.save ? "Save As" : "Open"),
          request_(request),
          chooser_({request.save, (request.flags & win::OFN_FILEMUSTEXIST) != 0, (request.flags & win::OFN_PATHMUSTEXIST) != 0,
                    request.defaultExt}),
          picture_(request.picturePreview)
    {
        SetBorderStyle(bsSizeable);
        SetBorderIcons(1u << biSystemMenu);
        const DialogUnits& u = Units();
        filters_ = ParseFilter(request.filter);
        if (filters_.empty())
            filters_.push_back({"All files (*.*)", {"*.*"}});

        lookIn_ = Add<TComboBox>(this, "", 0, 0, 10, u.Y(12));
        lookIn_->SetStyle(csDropDownList);
        lookIn_->OnChange = TNotifyEvent::Of<&TFileForm::LookInChange>(this);
        lookInLabel_ = Add<TLabel>(this, DialogText(request.save ? dtSaveIn : dtLookIn), 0, 0, u.X(40), u.Y(8));
        lookInLabel_->SetFocusControl(lookIn_);
        up_ = Add<TBitBtn>(this, "", 0, 0, u.X(24), u.Y(12));
        SetUpGlyph(*up_);
        up_->OnClick = TNotifyEvent::Of<&TFileForm::UpClick>(this);
        list_ = Add<TListBox>(this, "", 0, 0, 10, 10);
        list_->SetStyle(lbOwnerDrawFixed);
        list_->SetItemHeight(std::max(18, u.Y(9)));
        list_->OnDrawItem = TDrawItemEvent::Of<&TFileForm::DrawEntry>(this);
        list_->OnClick = TNotifyEvent::Of<&TFileForm::ListClick>(this);
        list_->OnDblClick = TNotifyEvent::Of<&TFileForm::ListDblClick>(this);
        list_->OnKeyDown = TKeyEvent::Of<&TFileForm::ListKeyDown>(this);
        name_ = AddEdit(rtl::ExtractFileName(request.fileName), 0, 0, 10, u.Y(12));
        nameLabel_ = Add<TLabel>(this, DialogText(dtFileName), 0, 0, u.X(50), u.Y(8));
        nameLabel_->SetFocusControl(name_);
        types_ = Add<TComboBox>(this, "", 0, 0, 10, u.Y(12));
        types_->SetStyle(csDropDownList);
        for (const FilterPart& part : filters_)
            types_->Items()->Add(part.description);
        types_->SetItemIndex(std::clamp(request.filterIndex, 1, int(filters_.size())) - 1);
        types_->OnChange = TNotifyEvent::Of<&TFileForm::TypeChange>(this);
        typesLabel_ = Add<TLabel>(this, DialogText(request.save ? dtSaveAsType : dtFilesOfType), 0, 0, u.X(50), u.Y(8));
        typesLabel_->SetFocusControl(types_);
        ok_ = AddButton(DialogText(request.save ? dtSave : dtOpen), mrNone, 0, 0, u.X(50), u.Y(14));
        ok_->SetDefault(true);
        ok_->OnClick = TNotifyEvent::Of<&TFileForm::OkClick>(this);
        cancel_ = AddButton(DialogText(dtCancel), mrCancel, 0, 0, u.X(50), u.Y(14));
        if (!(request.flags & win::OFN_HIDEREADONLY)) {
            readOnly_ = Add<TCheckBox>(this, DialogText(dtReadOnly), 0, 0, u.X(60), u.Y(10));
            readOnly_->SetChecked(request.flags & win::OFN_READONLY);
        }
        if (picture_) {
            previewLabel_ = Add<TLabel>(this, DialogText(dtPicture), 0, 0, kPreviewSize, u.Y(8));
            previewSize_ = Add<TPanel>(this, DialogText(dtNone), 0, 0, kPreviewSize, u.Y(10));
            previewSize_->SetBevelOuter(bvNone);
        }

        chooser_.SetPatterns(filters_[std::size_t(types_->ItemIndex())].patterns);
        if (std::string error = chooser_.SetFolder(StartFolder(request)); !error.empty())
            chooser_.SetFolder("/");
        ShowFolder();
        SetClientWidth(kMinWidth + (picture_ ? kPreviewSize + u.X(8) : 0));
        SetClientHeight(kMinHeight);
        // No smaller than it starts.
        Constraints()->SetMinWidth(Width());
        Constraints()->SetMinHeight(Height());
        Arrange();
        SetActiveControl(name_);
    }

    void Dispatch(win::TMessage& message) override
    {
        TDialogForm::Dispatch(message);
        if (message.Msg == win::WM_SIZE)
            Arrange();
    }

    void LookInChange(TObject*)
    {
        const int index = lookIn_->ItemIndex();
        if (index >= 0 && std::size_t(index) < chain_.size())
            EnterFolder(chain_[std::size_t(index)]);
    }

    void UpClick(TObject*)
    {
        if (chooser_.Up())
            ShowFolder();
    }

    void TypeChange(TObject*)
    {
        chooser_.SetPatterns(filters_[std::size_t(std::max(types_->ItemIndex(), 0))].patterns);
        chooser_.Refresh();
        ShowFolder();
    }

    void ListClick(TObject*)
    {
        const FolderEntry* entry = Selected();
        if (entry && !entry->folder)
            name_->SetText(entry->name);
        ShowPreview(entry && !entry->folder ? chooser_.Folder() + entry->name : std::string());
    }

    void ListDblClick(TObject*)
    {
        if (const FolderEntry* entry = Selected())
            Choose(entry->name);
    }

    void ListKeyDown(TObject*, win::WORD& key, TShiftState)
    {
        if (key == win::VK_BACK) {
            UpClick(nullptr);
            key = 0;
        } else if (key == win::VK_RETURN && Selected()) {
            Choose(Selected()->name);
            key = 0;
        }
    }

    void OkClick(TObject*)
    {
        const std::string typed = name_->Text();
        if (typed.empty()) {
            if (const FolderEntry* entry = Selected())
                Choose(entry->name);
            return;
        }
        Choose(typed);
    }

    void DrawEntry(TWinControl*, int index, const win::RECT& rect, TOwnerDrawState)
    {
        TCanvas* canvas = list_->Canvas();
        canvas->FillRect(rect);
        if (index < 0 || std::size_t(index) >= chooser_.Entries().size())
            return;
        const FolderEntry& entry = chooser_.Entries()[std::size_t(index)];
        const int top = rect.top + (rect.bottom - rect.top - 16) / 2;
        const TColor text = canvas->Font()->Color();
        const TColor back = canvas->Brush()->Color();
        // A 16-pixel glyph: a yellow folder, or a white page with a folded corner.
        if (entry.folder) {
            DrawFolder(*canvas, rect.left + 2, top);
        } else {
            canvas->Pen()->SetColor(clBlack);
            canvas->Brush()->SetColor(clWhite);
            canvas->Polygon({{rect.left + 4, top}, {rect.left + 12, top}, {rect.left + 15, top + 3},
                             {rect.left + 15, top + 15}, {rect.left + 4, top + 15}});
        }
        canvas->Brush()->SetColor(back);
        canvas->Font()->SetColor(text);
        canvas->TextOut(rect.left + 20, rect.top + (rect.bottom - rect.top - canvas->TextHeight("Ag")) / 2, entry.name);
    }

    bool ReadOnlyChecked() const { return readOnly_ && readOnly_->Checked(); }
    int FilterIndex() const { return types_->ItemIndex() + 1; }
    const std::string& ChosenPath() const { return chosen_; }

protected:
    void Paint() override
    {
        if (!picture_)
            return;
        Canvas()->Brush()->SetColor(clWindow);
        Canvas()->Pen()->SetColor(clBtnShadow);
        Canvas()->Rectangle(preview_);
        if (!previewPicture_ || !previewPicture_->Graphic() || previewPicture_->Graphic()->Empty())
            return;
        const int width = previewPicture_->Width();
        const int height = previewPicture_->Height();
        const int room = kPreviewSize - 4;
        // Scaled down to fit, never up.
        const double scale = std::min({1.0, double(room) / width, double(room) / height});
        const int w = std::max(1, int(width * scale));
        const int h = std::max(1, int(height * scale));
        const int left = preview_.left + (kPreviewSize - w) / 2;
        const int y = preview_.top + (kPreviewSize - h) / 2;
        Canvas()->StretchDraw({left, y, left + w, y + h}, previewPicture_->Graphic());
    }

private:
    const FolderEntry* Selected() const
    {
        const int index = list_->ItemIndex();
        return index >= 0 && std::size_t(index) < chooser_.Entries().size() ? &chooser_.Entries()[std::size_t(index)]
                                                                          : nullptr;
    }

    void Arrange()
    {
        const DialogUnits& u = Units();
        const int margin = u.X(6);
        const int width = ClientWidth() - (picture_ ? kPreviewSize + u.X(8) : 0);
        const int labelWidth = u.X(54);
        lookInLabel_->SetBounds(margin, u.Y(7), labelWidth, u.Y(8));
        lookIn_->SetBounds(margin + labelWidth, u.Y(5), width - 2 * margin - labelWidth - u.X(30), u.Y(12));
        up_->SetBounds(width - margin - u.X(26), u.Y(5), u.X(26), u.Y(12));
        const int bottomRows = 2 * u.Y(16) + (readOnly_ ? u.Y(14) : 0) + u.Y(6);
        list_->SetBounds(margin, u.Y(22), width - 2 * margin, ClientHeight() - u.Y(22) - bottomRows);
        int y = list_->Top() + list_->Height() + u.Y(5);
        const int fieldLeft = margin + labelWidth;
        const int fieldWidth = width - fieldLeft - margin - u.X(50) - u.X(6);
        nameLabel_->SetBounds(margin, y + u.Y(2), labelWidth, u.Y(8));
        name_->SetBounds(fieldLeft, y, fieldWidth, u.Y(12));
        ok_->SetBounds(width - margin - u.X(50), y - u.Y(1), u.X(50), u.Y(14));
        y += u.Y(16);
        typesLabel_->SetBounds(margin, y + u.Y(2), labelWidth, u.Y(8));
        types_->SetBounds(fieldLeft, y, fieldWidth, u.Y(12));
        cancel_->SetBounds(width - margin - u.X(50), y - u.Y(1), u.X(50), u.Y(14));
        if (readOnly_)
            readOnly_->SetBounds(fieldLeft, y + u.Y(16), u.X(80), u.Y(10));
        if (picture_) {
            preview_ = {width, u.Y(22) + u.Y(10), width + kPreviewSize, u.Y(22) + u.Y(10) + kPreviewSize};
            previewLabel_->SetBounds(width, u.Y(22), kPreviewSize, u.Y(8));
            previewSize_->SetBounds(width, preview_.bottom + u.Y(2), kPreviewSize, u.Y(10));
        }
        Invalidate();
    }

    void ShowFolder()
    {
        chain_ = chooser_.FolderChain();
        lookIn_->Items()->Clear();
        int current = 0;
        for (std::size_t i = 0; i < chain_.size(); ++i) {
            lookIn_->Items()->Add(chain_[i]);
            if (chain_[i] == chooser_.Folder())
                current = int(i);
        }
        lookIn_->SetItemIndex(current);
        list_->Items()->Clear();
        for (const FolderEntry& entry : chooser_.Entries())
            list_->Items()->Add(entry.name);
        up_->SetEnabled(chooser_.Folder().size() > 1);
        ShowPreview({});
    }

    void EnterFolder(const std::string& folder)
    {
        if (std::string error = chooser_.SetFolder(folder); !error.empty())
            win::MessageBox(error, Caption(), win::MB_OK | win::MB_ICONWARNING);
        ShowFolder();
    }

    void Choose(const std::string& typed)
    {
        const FileChooser::Choice choice = chooser_.Choose(typed);
        switch (choice.kind) {
        case FileChooser::Choice::Pattern:
        case FileChooser::Choice::Folder:
            ShowFolder();
            name_->SetText(choice.kind == FileChooser::Choice::Pattern ? typed : std::string());
            return;
        case FileChooser::Choice::File:
            chosen_ = choice.path;
            SetModalResult(mrOk);
            return;
        case FileChooser::Choice::Refused:
            if (!choice.message.empty())
                win::MessageBox(choice.message, Caption(), win::MB_OK | win::MB_ICONWARNING);
            ShowFolder();
            return;
        }
    }

    void ShowPreview(const std::string& file)
    {
        if (!picture_)
            return;
        previewPicture_.reset();
        std::string size = DialogText(dtNone);
        if (!file.empty()) {
            try {
                auto picture = std::make_unique<TPicture>();
                LoadPreview(*picture, file);
                if (picture->Graphic() && !picture->Graphic()->Empty()) {
                    size = std::to_string(picture->Width()) + " x " + std::to_string(picture->Height());
                    previewPicture_ = std::move(picture);
                }
            } catch (const std::exception&) {
                // Not a picture this program reads: "(None)".
            }
        }
        previewSize_->SetCaption(size);
        Invalidate();
    }

    win::FileRequest& request_;
    FileChooser chooser_;
    bool picture_;
    std::vector<FilterPart> filters_;
    std::vector<std::string> chain_;
    std::string chosen_;
    TComboBox* lookIn_ = nullptr;
    TLabel* lookInLabel_ = nullptr;
    TBitBtn* up_ = nullptr;
    TListBox* list_ = nullptr;
    TEdit* name_ = nullptr;
    TLabel* nameLabel_ = nullptr;
    TComboBox* types_ = nullptr;
    TLabel* typesLabel_ = nullptr;
    TButton* ok_ = nullptr;
    TButton* cancel_ = nullptr;
    TCheckBox* readOnly_ = nullptr;
    TLabel* previewLabel_ = nullptr;
    win::RECT preview_{};
    TPanel* previewSize_ = nullptr;
    std::unique_ptr<TPicture> previewPicture_;
};

}  // namespace

int ShowFileDialog(win::FileRequest& request)
{
    TFileForm form(request);
    if (form.Execute() != mrOk)
        return win::IDCANCEL;
    request.fileName = form.ChosenPath();
    request.files = {request.fileName};
    request.filterIndex = form.FilterIndex();
    request.flags = (request.flags & ~win::DWORD(win::OFN_READONLY)) | (form.ReadOnlyChecked() ? win::DWORD(win::OFN_READONLY) : win::DWORD(0));
    if (!(request.flags & win::OFN_NOCHANGEDIR)) {
        std::error_code error;
        std::filesystem::current_path(rtl::OsFileName(rtl::ExtractFilePath(request.fileName)), error);
    }
    return win::IDOK;
}

}  // namespace gui::detail
