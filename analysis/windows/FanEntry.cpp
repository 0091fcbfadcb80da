// Data entry of the analysis window: the edits' binding to the parameter table, the range check and
// key filter of the numeric edits, the duty-cycle total, the incentive buttons and the resets.

#include "analysis/windows/Fan.h"

#include "analysis/NumberText.h"
#include "analysis/windows/AnalysisHost.h"
#include "platform/chart/Chart.h"
#include "platform/chart/ChartSeries.h"
#include "platform/gui/controls/Edit.h"
#include "platform/gui/controls/Label.h"
#include "platform/gui/dialogs/MessageDialogs.h"
#include "platform/gui/graphics/Colors.h"
#include "platform/gui/graphics/Font.h"
#include "platform/rtl/ProgramEnd.h"
#include "platform/services/Sound.h"

#include <cfloat>
#include <cmath>

namespace analysis {

namespace {

// Decimals of the range check: by the scale's exact value.
int CheckDecimals(float scale)
{
    if (scale == 10000)
        return 4;
    if (scale == 1000)
        return 3;
    if (scale == 100)
        return 2;
    if (scale == 10)
        return 1;
    return 0;
}

const float kNewProjectValues[19] = {24, 7, 52, 10, 150, 95, 97, 0, 12000, 1, 2, 9, 17, 24, 17, 13, 11, 6, 0};
const char* const kDefaultDuty[FlowPointCount] = {"1", "2", "9", "17", "24", "17", "13", "11", "6", "0"};

}  // namespace

CheckedEntry CheckEntry(std::string_view text, const TParamRecord& param)
{
    const int decimals = CheckDecimals(param.Scale);
    auto entry = [&](float value, bool beep) {
        std::string shown = FloatToGroupedText(decimals, value);
        const float shownValue = TextToSingle(shown);
        return CheckedEntry{std::move(shown), shownValue, beep};
    };
    int errorPos = 0;
    const double read = TextToDouble(text, errorPos);
    if (text.empty() || errorPos != 0 || std::isnan(read))
        return entry(param.MinValue, true);
    if (read > FLT_MAX || float(read) > param.MaxValue)
        return entry(param.MaxValue, true);
    if (read < -FLT_MAX || float(read) < param.MinValue)
        return entry(param.MinValue, true);
    return entry(float(read), false);
}

TParamRecord& TFANFORM::BoundParam(const gui::TEdit& edit) const
{
    const int tag = edit.Tag();
    if (tag == 0) {
        gui::MessageDlg("LIST TAG NUMBER = 0", gui::mtWarning, 1u << gui::mbYes, 0);
        rtl::EndProgram(1);
    }
    TParamRecord* param = tag <= DefinedParamCount && tag >= 1 ? ParamTable[tag] : nullptr;
    if (!param)
        throw rtl::EInvalidOperation("The edit " + edit.Name() + " is bound to parameter " + std::to_string(tag)
                                     + ", which is not defined");
    return *param;
}

void TFANFORM::INITIALIZE_EDIT(gui::TEdit* edit, int mode)
{
    TParamRecord& param = BoundParam(*edit);
    if (mode == 0) {
        edit->SetEnabled(true);
        edit->SetText(FloatToGroupedText(DecimalsOfScale(param.Scale), param.Value));
        edit->Repaint();
    } else if (mode == 1) {
        param.Value = CheckEntry(edit->Text(), param).Value;
    }
}

void TFANFORM::set_fields(int mode)
{
    for (gui::TEdit* edit : {A101, A102, A103, A104, A105, A106, A107, A108, A109})
        INITIALIZE_EDIT(edit, mode);
    for (gui::TEdit* edit : DutyEdits)
        INITIALIZE_EDIT(edit, mode);
    INITIALIZE_EDIT(A173, mode);
}

void TFANFORM::set_default_values()
{
    for (int i = 1; i <= 19; ++i)
        ParamTable[i]->Value = kNewProjectValues[i - 1];
    for (gui::TEdit* edit : CustomerEdits)
        edit->SetText("");
}

void TFANFORM::CheckLeftEdit(gui::TEdit& edit)
{
    // The check leaves the window's texts consistent: a text it would change it changes, with a beep
    // where the entry was out of range or no number.
    const CheckedEntry checked = CheckEntry(edit.Text(), BoundParam(edit));
    if (checked.Beep)
        win::MessageBeep(0);
    edit.SetText(checked.Text);
    ProjectModified = true;
}

void TFANFORM::CheckRange(classes::TObject* sender)
{
    if (auto* edit = dynamic_cast<gui::TEdit*>(sender))
        CheckLeftEdit(*edit);
}

void TFANFORM::A110Exit(classes::TObject* sender)
{
    CheckRange(sender);
    UpdateDutyCycleTotal();
}

void TFANFORM::KEYLOCK(classes::TObject*, char& key)
{
    const bool digit = key >= '0' && key <= '9';
    if (!digit && key != '\b' && key != LocaleDecimalSep && key != LocaleThousandSep)
        key = 0;
}

std::string TFANFORM::EditText(InputEdit edit) const
{
    static_assert(int(InputEdit::A101) == 101 && int(InputEdit::A109) == 109);
    const std::array<gui::TEdit*, 9> edits{A101, A102, A103, A104, A105, A106, A107, A108, A109};
    const gui::TEdit& field = *edits[std::size_t(int(edit) - 101)];
    return CheckEntry(field.Text(), BoundParam(field)).Text;
}

std::string TFANFORM::DutyCycleText(int flowPoint) const
{
    return analysis::DutyCycleText[flowPoint].Str();
}

int TFANFORM::CopyDutyTexts()
{
    int total = 0;
    for (int i = 1; i <= FlowPointCount; ++i) {
        analysis::DutyCycleText[i] = CheckEntry(DutyEdits[i]->Text(), BoundParam(*DutyEdits[i])).Text;
        total += TextToInt(analysis::DutyCycleText[i]);
    }
    return total;
}

bool TFANFORM::CheckDutyCycleTotal()
{
    const int total = CopyDutyTexts();
    if (total == 100)
        return true;
    if (PageIndex() == 1)
        gui::MessageDlg(Text("IDS_240") + "\r" + Text("IDS_241") + std::to_string(total) + "%", gui::mtError,
                        1u << gui::mbOK, 0);
    return false;
}

void TFANFORM::UpdateDutyCycleTotal()
{
    const int total = CopyDutyTexts();
    if (total == 100) {
        DutySeries1->SetSeriesColor(gui::clBlue);
        Label50->Font()->SetColor(gui::clBlack);
        Label50->SetCaption("100%");
        RecalculateAndRedraw();
    } else {
        DutySeries1->SetSeriesColor(gui::clRed);
        Label50->Font()->SetColor(gui::clRed);
        Label50->SetCaption(std::to_string(total) + "!");
    }
}

void TFANFORM::UpdateReportNotes()
{
    for (gui::TLabel* note : {NOTE1, NOTE2, NOTE3})
        note->SetVisible(!ShowCustomerInfo);
}

void TFANFORM::TEXTChange(classes::TObject*)
{
    ProjectModified = true;
    Host().UpdateStatusBar();
}

void TFANFORM::Incentive01Click(classes::TObject*)
{
    A173->SetText("1");
}

void TFANFORM::Incentive02Click(classes::TObject*)
{
    A173->SetText("0");
}

void TFANFORM::BitBtn19Click(classes::TObject*)
{
    for (int i = 1; i <= FlowPointCount; ++i)
        DutyEdits[i]->SetText(kDefaultDuty[i - 1]);
    UpdateDutyCycleTotal();
}

void TFANFORM::BitBtn20Click(classes::TObject*)
{
    for (gui::TEdit* edit : CustomerEdits)
        edit->SetText("");
}

}  // namespace analysis
