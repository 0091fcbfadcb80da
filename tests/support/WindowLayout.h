#pragma once
// The rules a designed window's layout keeps, checked over the visible controls under a container:
// each lies inside its parent's client area, no two visible siblings overlap (shapes and bevels are
// drawn behind the others and take no part), and a caption in a control of fixed size fits it as the
// control's own font measures it. Each problem is one sentence naming the controls.

#include "platform/gui/controls/Bevel.h"
#include "platform/gui/controls/Button.h"
#include "platform/gui/controls/CheckBox.h"
#include "platform/gui/controls/Label.h"
#include "platform/gui/controls/Shape.h"
#include "platform/gui/core/Control.h"
#include "platform/gui/core/WinControl.h"
#include "platform/gui/graphics/Bitmap.h"
#include "platform/gui/graphics/Canvas.h"

#include <string>
#include <vector>

namespace testsupport {

namespace layout_detail {

inline std::string Describe(const win::RECT& r)
{
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.right) + ", " +
           std::to_string(r.bottom) + ")";
}

// The caption as drawn: "&&" is one '&', a single '&' marks the accelerator and is not drawn.
inline std::string DrawnText(const std::string& caption)
{
    std::string text;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size())
            ++i;
        text += caption[i];
    }
    return text;
}

// The room the control leaves its caption: a check or radio box takes 13 pixels and a gap of 4, a
// button's frame and focus rectangle 4 pixels on each side.
inline int CaptionRoom(const gui::TControl& control)
{
    if (dynamic_cast<const gui::TCustomCheckBox*>(&control) || dynamic_cast<const gui::TRadioButton*>(&control))
        return control.Width() - 17;
    if (dynamic_cast<const gui::TButtonControl*>(&control))
        return control.Width() - 8;
    return control.Width();
}

inline bool HasFixedCaption(const gui::TControl& control)
{
    if (auto* label = dynamic_cast<const gui::TCustomLabel*>(&control))
        return !label->AutoSize() && !label->WordWrap();
    return dynamic_cast<const gui::TButtonControl*>(&control) != nullptr;
}

inline bool IsDecoration(const gui::TControl& control)
{
    return dynamic_cast<const gui::TShape*>(&control) || dynamic_cast<const gui::TBevel*>(&control);
}

inline void Check(const gui::TWinControl& parent, std::vector<std::string>& problems)
{
    const win::RECT client = parent.ClientRect();
    std::vector<const gui::TControl*> shown;
    for (int i = 0; i < parent.ControlCount(); ++i) {
        const gui::TControl* control = parent.Controls(i);
        if (control->Visible())
            shown.push_back(control);
    }
    gui::TBitmap measure;
    for (const gui::TControl* control : shown) {
        const win::RECT r = control->BoundsRect();
        if (r.left < client.left || r.top < client.top || r.right > client.right || r.bottom > client.bottom)
            problems.push_back(control->Name() + " " + Describe(r) + " leaves the client area " + Describe(client) +
                               " of " + parent.Name());
        if (HasFixedCaption(*control) && !control->Caption().empty()) {
            measure.Canvas()->Font()->Assign(control->Font());
            const win::SIZE size = measure.Canvas()->TextExtent(DrawnText(control->Caption()));
            if (size.cx > CaptionRoom(*control) || size.cy > control->Height())
                problems.push_back(control->Name() + " \"" + control->Caption() + "\" needs " +
                                   std::to_string(size.cx) + " x " + std::to_string(size.cy) + " pixels, it is " +
                                   std::to_string(control->Width()) + " x " + std::to_string(control->Height()));
        }
        if (auto* container = dynamic_cast<const gui::TWinControl*>(control))
            Check(*container, problems);
    }
    for (size_t a = 0; a < shown.size(); ++a)
        for (size_t b = a + 1; b < shown.size(); ++b) {
            if (IsDecoration(*shown[a]) || IsDecoration(*shown[b]))
                continue;
            const win::RECT ra = shown[a]->BoundsRect();
            const win::RECT rb = shown[b]->BoundsRect();
            if (ra.left < rb.right && rb.left < ra.right && ra.top < rb.bottom && rb.top < ra.bottom)
                problems.push_back(shown[a]->Name() + " " + Describe(ra) + " overlaps " + shown[b]->Name() + " " +
                                   Describe(rb) + " in " + parent.Name());
        }
}

}  // namespace layout_detail

// What breaks the rules under container (its own position is not checked).
inline std::vector<std::string> LayoutProblems(const gui::TWinControl& container)
{
    std::vector<std::string> problems;
    layout_detail::Check(container, problems);
    return problems;
}

}  // namespace testsupport
