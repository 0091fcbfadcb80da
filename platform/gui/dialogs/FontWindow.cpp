#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gui/controls/CheckBox.h"
#include "platform/gui/controls/ComboBox.h"
#include "platform/gui/controls/Edit.h"
#include "platform/gui/controls/GroupBox.h"
#include "platform/gui/controls/Label.h"
#include "platform/gui/controls/ListBox.h"
#include "platform/gui/dialogs/DialogTexts.h"
#include "platform/gui/dialogs/detail/DialogForm.h"
#include "platform/gui/dialogs/detail/DialogWindows.h"
#include "platform/gui/graphics/Printer.h"
#include "platform/rtl/Collation.h"
#include "platform/text/DrawText.h"
#include "platform/text/FontEngine.h"
#include "platform/win/Paint.h"

#include <algorithm>
#include <array>
#include <set>

namespace gui::detail {

namespace {

constexpr std::array<int, 16> kSizes = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};
constexpr std::array<const char*, 4> kStyles = {"Regular", "Italic", "Bold", "Bold Italic"};

struct NamedColor {
    const char* name;
    win::COLORREF color;
};
constexpr std::array<NamedColor, 16> kColors = {{{"Black", 0x000000}, {"Maroon", 0x000080}, {"Green", 0x008000},
                                                 {"Olive", 0x008080}, {"Navy", 0x800000}, {"Purple", 0x800080},
                                                 {"Teal", 0x808000}, {"Gray", 0x808080}, {"Silver", 0xC0C0C0},
                                                 {"Red", 0x0000FF}, {"Lime", 0x00FF00}, {"Yellow", 0x00FFFF},
                                                 {"Blue", 0xFF0000}, {"Fuchsia", 0xFF00FF}, {"Aqua", 0xFFFF00},
                                                 {"White", 0xFFFFFF}}};

struct FontFace {
    std::string family;
    std::vector<std::pair<win::BYTE, std::string>> scripts;  // character set and its name
};

int CollectFace(const win::ENUMLOGFONTEX* font, const win::TEXTMETRIC*, win::DWORD, win::LPARAM data)
{
    auto& faces = *reinterpret_cast<std::vector<FontFace>*>(data);
    const std::string family = font->elfLogFont.lfFaceName.Str();
    auto it = std::find_if(faces.begin(), faces.end(), [&](const FontFace& f) { return f.family == family; });
    if (it == faces.end()) {
        faces.push_back({family, {}});
        it = faces.end() - 1;
    }
    const win::BYTE charset = font->elfLogFont.lfCharSet;
    if (std::none_of(it->scripts.begin(), it->scripts.end(), [&](const auto& s) { return s.first == charset; }))
        it->scripts.emplace_back(charset, font->elfScript);
    return 1;
}

void AddFaces(win::HDC dc, std::vector<FontFace>& faces)
{
    win::LOGFONT filter;
    filter.lfCharSet = win::DEFAULT_CHARSET;
    win::EnumFontFamiliesEx(dc, &filter, &CollectFace, reinterpret_cast<win::LPARAM>(&faces), 0);
}

std::vector<FontFace> FacesFor(win::FontRequest::Device device)
{
    std::vector<FontFace> faces;
    if (device != win::FontRequest::Printer) {
        win::HDC screen = win::GetDC(nullptr);
        AddFaces(screen, faces);
        win::ReleaseDC(nullptr, screen);
    }
    if (device != win::FontRequest::Screen) {
        try {
            AddFaces(Printer()->Handle(), faces);
        } catch (const EPrinter&) {
            // No printer: its fonts are none.
        }
    }
    std::sort(faces.begin(), faces.end(),
              [](const FontFace& a, const FontFace& b) { return rtl::AnsiCompareText(a.family, b.family) < 0; });
    return faces;
}

// An edit over a list, the edit following the list's choice and the list the edit's text.
struct EditOverList {
    TEdit* edit = nullptr;
    TListBox* list = nullptr;
};

class TFontForm : public TDialogForm {
public:
    explicit TFontForm(const win::FontRequest& request) : TDialogForm("Font"), request_(request)
    {
        const DialogUnits& u = Units();
        faces_ = FacesFor(request.device);
        family_ = AddColumn(DialogText(dtFont), u.X(7), u.X(94));
        style_ = AddColumn(DialogText(dtFontStyle), u.X(108), u.X(64));
        size_ = AddColumn(DialogText(dtSize), u.X(179), u.X(32));
        for (const FontFace& face : faces_)
            family_.list->Items()->Add(face.family);
        for (const char* style : kStyles)
            style_.list->Items()->Add(style);
        for (int size : kSizes)
            if (request.minSize <= 0 || request.maxSize <= 0 || (size >= request.minSize && size <= request.maxSize))
                size_.list->Items()->Add(std::to_string(size));

        TButton* ok = AddButton(DialogText(dtOk), mrNone, u.X(218), u.Y(14), u.X(50), u.Y(14));
        ok->SetDefault(true);
        ok->OnClick = TNotifyEvent::Of<&TFontForm::OkClick>(this);
        AddButton(DialogText(dtCancel), mrCancel, u.X(218), u.Y(32), u.X(50), u.Y(14));

        const int lower = u.Y(108);
        if (request.effects) {
            TGroupBox* effects = Add<TGroupBox>(this, DialogText(dtEffects), u.X(7), lower, u.X(98), u.Y(72));
            strikeOut_ = Add<TCheckBox>(effects, DialogText(dtStrikeout), u.X(6), u.Y(12), u.X(80), u.Y(10));
            underline_ = Add<TCheckBox>(effects, DialogText(dtUnderline), u.X(6), u.Y(24), u.X(80), u.Y(10));
            color_ = Add<TComboBox>(effects, "", u.X(6), u.Y(50), u.X(84), u.Y(12));
            color_->SetStyle(csDropDownList);
            for (const NamedColor& named : kColors)
                color_->Items()->Add(named.name);
            Add<TLabel>(effects, DialogText(dtFontColor), u.X(6), u.Y(40), u.X(80), u.Y(8))->SetFocusControl(color_);
            strikeOut_->SetChecked(request.strikeOut);
            underline_->SetChecked(request.underline);
            const auto named = std::find_if(kColors.begin(), kColors.end(),
                                            [&](const NamedColor& c) { return c.color == request.color; });
            color_->SetItemIndex(named == kColors.end() ? 0 : int(named - kColors.begin()));
            strikeOut_->OnClick = underline_->OnClick = color_->OnChange = TNotifyEvent::Of<&TFontForm::Changed>(this);
        }
        Add<TGroupBox>(this, DialogText(dtSample), u.X(110), lower, u.X(158), u.Y(50));
        sample_ = {u.X(116), lower + u.Y(12), u.X(262), lower + u.Y(44)};
        script_ = Add<TComboBox>(this, "", u.X(110), lower + u.Y(62), u.X(158), u.Y(12));
        script_->SetStyle(csDropDownList);
        script_->OnChange = TNotifyEvent::Of<&TFontForm::Changed>(this);
        Add<TLabel>(this, DialogText(dtScript), u.X(110), lower + u.Y(53), u.X(80), u.Y(8))->SetFocusControl(script_);
        SetClientWidth(u.X(276));
        SetClientHeight(lower + u.Y(80));

        family_.edit->SetText(request.face);
        SelectText(family_, request.face);
        style_.edit->SetText(kStyles[std::size_t((request.italic ? 1 : 0) + (request.bold ? 2 : 0))]);
        SelectText(style_, style_.edit->Text());
        size_.edit->SetText(request.size > 0 ? std::to_string(request.size) : "");
        SelectText(size_, size_.edit->Text());
        ShowScripts(request.charset);
        SetActiveControl(family_.edit);
    }

    void ListClick(TObject* sender)
    {
        for (EditOverList* column : {&family_, &style_, &size_})
            if (column->list == sender && column->list->ItemIndex() >= 0) {
                column->edit->SetText(column->list->Items()->Strings(column->list->ItemIndex()));
                if (column == &family_)
                    ShowScripts(Charset());
            }
        Invalidate();
    }

    void EditChange(TObject* sender)
    {
        for (EditOverList* column : {&family_, &style_, &size_})
            if (column->edit == sender) {
                SelectText(*column, column->edit->Text());
                if (column == &family_)
                    ShowScripts(Charset());
            }
        Invalidate();
    }

    void Changed(TObject*) { Invalidate(); }

    void OkClick(TObject*)
    {
        const std::string family = family_.edit->Text();
        if (family.empty() || (request_.forceFontExist && FaceIndex(family) < 0)) {
            Refuse("There is no font with that name.\nChoose a font from the list of fonts.", family_.edit);
            return;
        }
        const std::string sizeText = size_.edit->Text();
        if (sizeText.empty() || sizeText.size() > 4 || sizeText.find_first_not_of("0123456789") != std::string::npos ||
            std::stoi(sizeText) <= 0) {
            Refuse("Size must be a number.", size_.edit);
            return;
        }
        const int size = std::stoi(sizeText);
        if (request_.minSize > 0 && request_.maxSize > 0 && (size < request_.minSize || size > request_.maxSize)) {
            Refuse("Size must be between " + std::to_string(request_.minSize) + " and " + std::to_string(request_.maxSize) +
                       " points.",
                   size_.edit);
            return;
        }
        SetModalResult(mrOk);
    }

    void Take(win::FontRequest& request) const
    {
        const int face = FaceIndex(family_.edit->Text());
        request.face = face >= 0 ? faces_[std::size_t(face)].family : family_.edit->Text();
        request.size = std::stoi(size_.edit->Text());
        const int style = std::max(style_.list->ItemIndex(), 0);
        request.italic = style & 1;
        request.bold = style & 2;
        if (request_.effects) {
            request.underline = underline_->Checked();
            request.strikeOut = strikeOut_->Checked();
            request.color = kColors[std::size_t(std::max(color_->ItemIndex(), 0))].color;
        }
        request.charset = Charset();
    }

protected:
    void Paint() override
    {
        win::LOGFONT font;
        font.lfHeight = -(std::max(1, SampleSize()) * 96 + 36) / 72;
        font.lfWeight = (style_.list->ItemIndex() & 2) ? 700 : 400;
        font.lfItalic = (style_.list->ItemIndex() & 1) ? 1 : 0;
        font.lfUnderline = underline_ && underline_->Checked();
        font.lfStrikeOut = strikeOut_ && strikeOut_->Checked();
        font.lfCharSet = Charset();
        font.lfFaceName = family_.edit->Text();
        win::HFONT handle = win::CreateFontIndirect(&font);
        win::HDC dc = Canvas()->Handle();
        win::HGDIOBJ old = win::SelectObject(dc, handle);
        win::SetBkMode(dc, win::TRANSPARENT);
        win::SetTextColor(dc, color_ ? kColors[std::size_t(std::max(color_->ItemIndex(), 0))].color : 0);
        win::RECT rect = sample_;
        win::DrawTextA(dc, "AaBbYyZz", -1, &rect, win::DT_CENTER | win::DT_VCENTER | win::DT_SINGLELINE | win::DT_NOPREFIX);
        win::SelectObject(dc, old);
        win::DeleteObject(handle);
    }

private:
    EditOverList AddColumn(const std::string& title, int left, int width)
    {
        const DialogUnits& u = Units();
        EditOverList column;
        column.edit = AddEdit("", left, u.Y(14), width, u.Y(12));
        column.edit->OnChange = TNotifyEvent::Of<&TFontForm::EditChange>(this);
        column.list = Add<TListBox>(this, "", left, u.Y(26), width, u.Y(76));
        column.list->OnClick = TNotifyEvent::Of<&TFontForm::ListClick>(this);
        AddLabel(title, left, u.Y(4), column.edit);
        return column;
    }

    // The list's item that the text names (without regard to case), selected; none: no selection.
    static void SelectText(EditOverList& column, const std::string& text)
    {
        for (int i = 0; i < column.list->Items()->Count(); ++i)
            if (rtl::AnsiSameText(column.list->Items()->Strings(i), text)) {
                column.list->SetItemIndex(i);
                return;
            }
        column.list->SetItemIndex(-1);
    }

    int FaceIndex(const std::string& family) const
    {
        for (std::size_t i = 0; i < faces_.size(); ++i)
            if (rtl::AnsiSameText(faces_[i].family, family))
                return int(i);
        return -1;
    }

    void ShowScripts(win::BYTE wanted)
    {
        script_->Items()->Clear();
        scripts_.clear();
        const int face = FaceIndex(family_.edit->Text());
        if (face >= 0)
            for (const auto& [charset, name] : faces_[std::size_t(face)].scripts) {
                scripts_.push_back(charset);
                script_->Items()->Add(name);
            }
        const auto at = std::find(scripts_.begin(), scripts_.end(), wanted);
        script_->SetItemIndex(scripts_.empty() ? -1 : at == scripts_.end() ? 0 : int(at - scripts_.begin()));
    }

    win::BYTE Charset() const
    {
        const int index = script_->ItemIndex();
        return index >= 0 && std::size_t(index) < scripts_.size() ? scripts_[std::size_t(index)] : request_.charset;
    }

    int SampleSize() const
    {
        const std::string text = size_.edit->Text();
        return !text.empty() && text.size() <= 3 && text.find_first_not_of("0123456789") == std::string::npos
                   ? std::stoi(text)
                   : 0;
    }

    void Refuse(const std::string& message, TEdit* edit)
    {
        win::MessageBox(message, "Font", win::MB_OK | win::MB_ICONWARNING);
        FocusControl(edit);
        edit->SelectAll();
    }

    const win::FontRequest& request_;
    std::vector<FontFace> faces_;
    EditOverList family_;
    EditOverList style_;
    EditOverList size_;
    TCheckBox* strikeOut_ = nullptr;
    TCheckBox* underline_ = nullptr;
    TComboBox* color_ = nullptr;
    TComboBox* script_ = nullptr;
    std::vector<win::BYTE> scripts_;
    win::RECT sample_{};
};

}  // namespace

int ShowFontDialog(win::FontRequest& request)
{
    TFontForm form(request);
    if (form.Execute() != mrOk)
        return win::IDCANCEL;
    form.Take(request);
    return win::IDOK;
}

}  // namespace gui::detail
