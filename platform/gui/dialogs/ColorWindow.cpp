#include "platform/gui/graphics/Bitmap.h"
#include "platform/gui/controls/Edit.h"
#include "platform/gui/controls/Label.h"
#include "platform/gui/dialogs/DialogTexts.h"
#include "platform/gui/dialogs/detail/DialogForm.h"
#include "platform/gui/dialogs/detail/DialogWindows.h"
#include "platform/gui/dialogs/detail/HlsColor.h"
#include "platform/rtl/Format.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace gui::detail {

namespace {

// The classic palette, row by row.
constexpr std::array<win::COLORREF, 48> kBasicColors = {
    win::RGB(255, 128, 128), win::RGB(255, 255, 128), win::RGB(128, 255, 128), win::RGB(0, 255, 128),
    win::RGB(128, 255, 255), win::RGB(0, 128, 255),   win::RGB(255, 128, 192), win::RGB(255, 128, 255),
    win::RGB(255, 0, 0),     win::RGB(255, 255, 0),   win::RGB(128, 255, 0),   win::RGB(0, 255, 64),
    win::RGB(0, 255, 255),   win::RGB(0, 128, 192),   win::RGB(128, 128, 192), win::RGB(255, 0, 255),
    win::RGB(128, 64, 64),   win::RGB(255, 128, 64),  win::RGB(0, 255, 0),     win::RGB(0, 128, 128),
    win::RGB(0, 64, 128),    win::RGB(128, 128, 255), win::RGB(128, 0, 64),    win::RGB(255, 0, 128),
    win::RGB(128, 0, 0),     win::RGB(255, 128, 0),   win::RGB(0, 128, 0),     win::RGB(0, 128, 64),
    win::RGB(0, 0, 255),     win::RGB(0, 0, 160),     win::RGB(128, 0, 128),   win::RGB(128, 0, 255),
    win::RGB(64, 0, 0),      win::RGB(128, 64, 0),    win::RGB(0, 64, 0),      win::RGB(0, 64, 64),
    win::RGB(0, 0, 128),     win::RGB(0, 0, 64),      win::RGB(64, 0, 64),     win::RGB(64, 0, 128),
    win::RGB(0, 0, 0),       win::RGB(128, 128, 0),   win::RGB(128, 128, 64),  win::RGB(128, 128, 128),
    win::RGB(64, 128, 128),  win::RGB(192, 192, 192), win::RGB(64, 0, 64),     win::RGB(255, 255, 255)};

constexpr int kColumns = 8;

bool Inside(const win::RECT& rect, win::POINT point)
{
    return win::PtInRect(&rect, point) != 0;
}

// The custom colours kept for the rest of the session.
std::array<win::COLORREF, 16> sessionCustomColors = [] {
    std::array<win::COLORREF, 16> colors;
    colors.fill(win::RGB(255, 255, 255));
    return colors;
}();

// "ColorA=<hex>" .. "ColorP=<hex>", the colour as its COLORREF number.
std::string CustomColorLine(int index, win::COLORREF color)
{
    char line[32];
    std::snprintf(line, sizeof line, "Color%c=%06X", char('A' + index), unsigned(color));
    return line;
}

void TakeCustomColorLines(const std::vector<std::string>& lines)
{
    for (const std::string& line : lines) {
        if (line.size() < 8 || line.compare(0, 5, "Color") != 0 || line[6] != '=')
            continue;
        const int index = line[5] - 'A';
        if (index < 0 || index >= 16)
            continue;
        char* end = nullptr;
        const unsigned long value = std::strtoul(line.c_str() + 7, &end, 16);
        if (*end == '\0' && end != line.c_str() + 7 && value <= 0xFFFFFF)
            sessionCustomColors[std::size_t(index)] = win::COLORREF(value);
    }
}

class TColorForm : public TDialogForm {
public:
    explicit TColorForm(const win::ColorRequest& request) : TDialogForm(DialogText(dtColor)), color_(request.color)
    {
        const DialogUnits& u = Units();
        cell_ = {u.X(14), u.Y(12)};
        const int margin = u.X(4);
        basicOrigin_ = {margin, u.Y(14)};
        AddLabel(DialogText(dtBasicColors), margin, u.Y(4));
        customOrigin_ = {margin, basicOrigin_.y + 6 * cell_.cy + u.Y(14)};
        AddLabel(DialogText(dtCustomColors), margin, customOrigin_.y - u.Y(10));
        const int gridWidth = kColumns * cell_.cx;
        int y = customOrigin_.y + 2 * cell_.cy + u.Y(6);
        define_ = AddButton(DialogText(dtDefineCustomColors), mrNone, margin, y, gridWidth, u.Y(14));
        define_->OnClick = TNotifyEvent::Of<&TColorForm::DefineClick>(this);
        define_->SetEnabled(!request.preventFullOpen);
        y += u.Y(14) + u.Y(6);
        const int buttonWidth = (gridWidth - u.X(4)) / 2;
        TButton* ok = AddButton(DialogText(dtOk), mrOk, margin, y, buttonWidth, u.Y(14));
        ok->SetDefault(true);
        AddButton(DialogText(dtCancel), mrCancel, margin + buttonWidth + u.X(4), y, buttonWidth, u.Y(14));
        narrowWidth_ = gridWidth + 2 * margin;
        SetClientWidth(narrowWidth_);
        SetClientHeight(y + u.Y(14) + margin);

        BuildCustomPart();
        for (std::size_t i = 0; i < kBasicColors.size(); ++i)
            if (kBasicColors[i] == color_)
                basicSelected_ = int(i);
        ShowColor(color_, nullptr);
        if (request.fullOpen && !request.preventFullOpen)
            DefineClick(nullptr);
        SetActiveControl(ok);
    }

    win::COLORREF Chosen() const { return color_; }

    void DefineClick(TObject*)
    {
        SetClientWidth(fullWidth_);
        for (TControl* control : customControls_)
            control->SetVisible(true);
        define_->SetEnabled(false);
        Invalidate();
    }

    void AddClick(TObject*)
    {
        sessionCustomColors[std::size_t(customSelected_)] = color_;
        customSelected_ = (customSelected_ + 1) % 16;
        Invalidate();
    }

    void EditChange(TObject* sender)
    {
        if (updating_)
            return;
        const auto it = std::find(edits_.begin(), edits_.end(), sender);
        if (it == edits_.end())
            return;
        const std::size_t index = std::size_t(it - edits_.begin());
        int values[6];
        for (std::size_t i = 0; i < 6; ++i)
            values[i] = EditValue(i);
        if (index < 3) {
            ShowColor(HlsToRgb({values[0], values[2], values[1]}), edits_[index], Hls{values[0], values[2], values[1]});
        } else {
            ShowColor(win::RGB(win::BYTE(values[3]), win::BYTE(values[4]), win::BYTE(values[5])), edits_[index]);
        }
    }

protected:
    void Paint() override
    {
        for (std::size_t i = 0; i < kBasicColors.size(); ++i)
            PaintCell(CellRect(basicOrigin_, int(i)), kBasicColors[i], int(i) == basicSelected_);
        for (std::size_t i = 0; i < sessionCustomColors.size(); ++i)
            PaintCell(CellRect(customOrigin_, int(i)), sessionCustomColors[i], int(i) == customSelected_);
        if (ClientWidth() <= narrowWidth_)
            return;
        Canvas()->StretchDraw(field_, &fieldImage_);
        for (int y = lumBar_.top; y < lumBar_.bottom; ++y) {
            Canvas()->Brush()->SetColor(TColor(HlsToRgb({hls_.hue, LumAt(y), hls_.sat})));
            Canvas()->FillRect({lumBar_.left, y, lumBar_.right, y + 1});
        }
        Canvas()->Brush()->SetColor(TColor(color_));
        Canvas()->FillRect(sample_);
        Canvas()->Brush()->SetColor(clBlack);
        Canvas()->FrameRect(sample_);
        // The cross hair on the field and the arrow beside the bar.
        const int x = field_.left + hls_.hue * (field_.right - field_.left - 1) / (kHlsMax - 1);
        const int y = field_.top + (kHlsMax - hls_.sat) * (field_.bottom - field_.top - 1) / kHlsMax;
        Canvas()->Pen()->SetColor(clBlack);
        Canvas()->MoveTo(x - 6, y);
        Canvas()->LineTo(x + 7, y);
        Canvas()->MoveTo(x, y - 6);
        Canvas()->LineTo(x, y + 7);
        const int lumY = lumBar_.top + (kHlsMax - hls_.lum) * (lumBar_.bottom - lumBar_.top - 1) / kHlsMax;
        Canvas()->Brush()->SetColor(clBlack);
        Canvas()->Polygon({{lumBar_.right + 2, lumY}, {lumBar_.right + 7, lumY - 4}, {lumBar_.right + 7, lumY + 4}});
    }

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override
    {
        TDialogForm::MouseDown(button, shift, x, y);
        if (button != mbLeft)
            return;
        tracking_ = Track(x, y, true);
    }

    void MouseMove(TShiftState shift, int x, int y) override
    {
        TDialogForm::MouseMove(shift, x, y);
        if (tracking_)
            Track(x, y, false);
    }

    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override
    {
        TDialogForm::MouseUp(button, shift, x, y);
        tracking_ = false;
    }

private:
    // Hue, saturation and luminosity in the first column of edits, red, green and blue in the second,
    // the field and the bar above them; hidden until the dialog opens fully.
    void BuildCustomPart()
    {
        const DialogUnits& u = Units();
        const int left = narrowWidth_ + u.X(4);
        field_ = {left, u.Y(4), left + u.X(100), u.Y(4) + u.Y(80)};
        lumBar_ = {field_.right + u.X(6), field_.top, field_.right + u.X(6) + u.X(8), field_.bottom};
        fieldImage_.SetPixelFormat(pf32bit);
        fieldImage_.SetSize(kHlsMax, kHlsMax / 2 + 1);
        for (int row = 0; row <= kHlsMax / 2; ++row) {
            auto* line = static_cast<std::uint32_t*>(fieldImage_.ScanLine(row));
            for (int hue = 0; hue < kHlsMax; ++hue) {
                const win::COLORREF rgb = HlsToRgb({hue, kHlsMax / 2, kHlsMax - 2 * row});
                line[hue] = std::uint32_t(win::GetRValue(rgb)) << 16 | std::uint32_t(win::GetGValue(rgb)) << 8 |
                            win::GetBValue(rgb);
            }
        }
        const int sampleTop = field_.bottom + u.Y(6);
        sample_ = {left, sampleTop, left + u.X(40), sampleTop + u.Y(24)};
        Hide(AddLabel(DialogText(dtSolid).insert(0, DialogText(dtColor)), left, sample_.bottom + u.Y(2)));
        static constexpr TDialogText kLabels[6] = {dtHue, dtSat, dtLum, dtRed, dtGreen, dtBlue};
        static constexpr int kLimits[6] = {kHlsMax - 1, kHlsMax, kHlsMax, 255, 255, 255};
        const int column1 = sample_.right + u.X(6);
        const int column2 = column1 + u.X(46);
        fullWidth_ = std::max(lumBar_.right + u.X(10), column2 + u.X(24) + u.X(18) + u.X(4));
        for (std::size_t i = 0; i < 6; ++i) {
            const int x = i < 3 ? column1 : column2;
            const int y = sampleTop + int(i % 3) * u.Y(14);
            TEdit* edit = AddEdit("", x + u.X(24), y, u.X(18), u.Y(12));
            edit->SetMaxLength(3);
            edit->OnChange = TNotifyEvent::Of<&TColorForm::EditChange>(this);
            edits_[i] = edit;
            limits_[i] = kLimits[i];
            Hide(edit);
            Hide(AddLabel(DialogText(kLabels[i]), x, y + u.Y(2), edit));
        }
        const int addTop = sampleTop + 3 * u.Y(14) + u.Y(4);
        TButton* add = AddButton(DialogText(dtAddToCustomColors), mrNone, left, addTop, fullWidth_ - left - u.X(4), u.Y(14));
        add->OnClick = TNotifyEvent::Of<&TColorForm::AddClick>(this);
        Hide(add);
        SetClientHeight(std::max(ClientHeight(), addTop + u.Y(14) + u.Y(4)));
    }

    void Hide(TControl* control)
    {
        control->SetVisible(false);
        customControls_.push_back(control);
    }

    win::RECT CellRect(win::POINT origin, int index) const
    {
        const int x = origin.x + (index % kColumns) * cell_.cx;
        const int y = origin.y + (index / kColumns) * cell_.cy;
        return {x, y, x + cell_.cx, y + cell_.cy};
    }

    void PaintCell(win::RECT cell, win::COLORREF color, bool selected)
    {
        Canvas()->Brush()->SetColor(selected ? clBlack : Color());
        Canvas()->FillRect(cell);
        win::InflateRect(&cell, -3, -3);
        Canvas()->Brush()->SetColor(clBtnShadow);
        Canvas()->FillRect(cell);
        win::InflateRect(&cell, -1, -1);
        Canvas()->Brush()->SetColor(TColor(color));
        Canvas()->FillRect(cell);
    }

    int LumAt(int y) const
    {
        return kHlsMax - (y - lumBar_.top) * kHlsMax / std::max<int>(lumBar_.bottom - lumBar_.top - 1, 1);
    }

    // A press or drag at (x, y): a cell, the field or the bar. Answers whether the press is followed.
    bool Track(int x, int y, bool press)
    {
        const win::POINT point{x, y};
        if (press) {
            for (int i = 0; i < 48; ++i)
                if (Inside(CellRect(basicOrigin_, i), point)) {
                    basicSelected_ = i;
                    ShowColor(kBasicColors[std::size_t(i)], nullptr);
                    return false;
                }
            for (int i = 0; i < 16; ++i)
                if (Inside(CellRect(customOrigin_, i), point)) {
                    customSelected_ = i;
                    basicSelected_ = -1;
                    ShowColor(sessionCustomColors[std::size_t(i)], nullptr);
                    return false;
                }
        }
        if (ClientWidth() <= narrowWidth_)
            return false;
        if (press)
            trackingBar_ = Inside(lumBar_, point);
        if (!press || trackingBar_ || Inside(field_, point)) {
            Hls hls = hls_;
            if (trackingBar_) {
                hls.lum = std::clamp(LumAt(y), 0, kHlsMax);
            } else {
                const int fx = std::clamp<int>(x, field_.left, field_.right - 1) - field_.left;
                const int fy = std::clamp<int>(y, field_.top, field_.bottom - 1) - field_.top;
                hls.hue = fx * (kHlsMax - 1) / std::max<int>(field_.right - field_.left - 1, 1);
                hls.sat = kHlsMax - fy * kHlsMax / std::max<int>(field_.bottom - field_.top - 1, 1);
            }
            basicSelected_ = -1;
            ShowColor(HlsToRgb(hls), nullptr, hls);
            return true;
        }
        return false;
    }

    int EditValue(std::size_t index)
    {
        const std::string text = edits_[index]->Text();
        int value = 0;
        for (char c : text)
            if (c >= '0' && c <= '9')
                value = std::min(value * 10 + (c - '0'), 999);
        // Out of range: the highest the edit takes, shown in it.
        if (value > limits_[index]) {
            value = limits_[index];
            updating_ = true;
            edits_[index]->SetText(std::to_string(value));
            edits_[index]->SetSelStart(int(edits_[index]->Text().size()));
            updating_ = false;
        }
        return value;
    }

    // The colour shown and taken: every edit but source follows it. hls, when given, is what the user set
    // (the conversion back would round it).
    void ShowColor(win::COLORREF color, TEdit* source, std::optional<Hls> hls = std::nullopt)
    {
        color_ = color;
        hls_ = hls ? *hls : RgbToHls(color);
        const int values[6] = {hls_.hue, hls_.sat, hls_.lum, win::GetRValue(color), win::GetGValue(color), win::GetBValue(color)};
        updating_ = true;
        for (std::size_t i = 0; i < 6; ++i)
            if (edits_[i] != source)
                edits_[i]->SetText(std::to_string(values[i]));
        updating_ = false;
        Invalidate();
    }

    win::COLORREF color_;
    Hls hls_;
    win::SIZE cell_{};
    win::POINT basicOrigin_{};
    win::POINT customOrigin_{};
    int basicSelected_ = -1;
    int customSelected_ = 0;
    int narrowWidth_ = 0;
    int fullWidth_ = 0;
    TButton* define_ = nullptr;
    std::vector<TControl*> customControls_;
    std::array<TEdit*, 6> edits_{};
    std::array<int, 6> limits_{};
    win::RECT field_{};
    win::RECT lumBar_{};
    win::RECT sample_{};
    TBitmap fieldImage_;
    bool updating_ = false;
    bool tracking_ = false;
    bool trackingBar_ = false;
};

}  // namespace

int ShowColorDialog(win::ColorRequest& request)
{
    TakeCustomColorLines(request.customColors);
    TColorForm form(request);
    if (form.Execute() != mrOk)
        return win::IDCANCEL;
    request.color = form.Chosen();
    request.customColors.clear();
    for (int i = 0; i < 16; ++i)
        request.customColors.push_back(CustomColorLine(i, sessionCustomColors[std::size_t(i)]));
    return win::IDOK;
}

}  // namespace gui::detail
