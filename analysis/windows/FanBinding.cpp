// The binding of the parameters to their controls: one table of (window class, control name) by Id.

#include "analysis/windows/Fan.h"

#include "platform/gui/core/Screen.h"
#include "platform/gui/dialogs/MessageDialogs.h"
#include "platform/rtl/ProgramEnd.h"

#include <optional>

namespace analysis {

namespace {

struct BoundControl {
    const char* windowClass;
    std::string control;
};

// The ten flow points of a curve's edits: prefix100, prefix90 .. prefix10.
std::string CurveEdit(const char* prefix, int flowPoint)
{
    return prefix + std::to_string(10 * (11 - flowPoint));
}

std::optional<BoundControl> ControlOfId(int id)
{
    if (id >= 1 && id <= 19)
        return BoundControl{"TFANFORM", "A" + std::to_string(100 + id)};
    if (id == 73)
        return BoundControl{"TFANFORM", "A173"};
    if (id == 20)
        return BoundControl{"TMULTIP", "VFDE100"};
    static const char* const curves[] = {"DE", "IVE", "VAE", "C1E", "C2E"};
    if (id >= 21 && id <= 70)
        return BoundControl{"TMULTIP", CurveEdit(curves[(id - 21) / 10], (id - 21) % 10 + 1)};
    if (id == 71 || id == 72)
        return BoundControl{"TMULTIP", id == 71 ? "CST01" : "CST02"};
    return std::nullopt;
}

gui::TCustomForm* MadeWindow(const char* windowClass)
{
    gui::TScreen* screen = gui::Screen();
    for (int i = 0; screen && i < screen->CustomFormCount(); ++i)
        if (screen->CustomForms(i)->ClassName() == windowClass)
            return screen->CustomForms(i);
    return nullptr;
}

[[noreturn]] void TagNotFound()
{
    const TFANFORM* window = FANFORM();
    gui::MessageDlg(window ? window->Text("IDS_239") : "TAG NUMBER A1 NOT FOUND!", gui::mtError, 1u << gui::mbOK, 0);
    rtl::EndProgram(1);
}

}  // namespace

void AssignParamTag(char group, char groupDigit, std::uint16_t id, std::uint8_t, std::int32_t tag)
{
    if (group != 'A' || groupDigit != '1')
        return;
    const std::optional<BoundControl> bound = ControlOfId(id);
    if (!bound)
        TagNotFound();
    gui::TCustomForm* window = MadeWindow(bound->windowClass);
    if (!window)
        return;
    classes::TComponent* control = window->FindComponent(bound->control);
    if (!control)
        TagNotFound();
    control->SetTag(tag);
}

void AssignAllParamTags()
{
    for (int i = 1; i <= DefinedParamCount; ++i) {
        const TParamRecord& param = *ParamTable[i];
        AssignParamTag(param.Group, param.GroupDigit, param.Id, param.Kind, i);
    }
}

}  // namespace analysis
