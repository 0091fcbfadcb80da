#include "platform/gui/core/Frame.h"

#include "platform/classes/ComponentReader.h"
#include "platform/classes/Fixups.h"
#include "platform/classes/Resources.h"

namespace gui {

TCustomFrame::TCustomFrame(classes::TComponent* owner) : TScrollingWinControl(owner)
{
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks);
    SetBounds(0, 0, 320, 240);
}

const classes::TClassInfo& TCustomFrame::StaticClass()
{
    static const classes::TClassInfo info("TCustomFrame", &TScrollingWinControl::StaticClass(),
                                          [](classes::TClassInfo& c) { classes::ClassBuilder<TCustomFrame>{c}; });
    return info;
}

const classes::TClassInfo& TFrame::StaticClass()
{
    static const classes::TClassInfo info("TFrame", &TCustomFrame::StaticClass(),
                                          [](classes::TClassInfo& c) { classes::ClassBuilder<TFrame>{c}; });
    return info;
}

void TCustomFrame::CreateFromStoredData()
{
    classes::TResourceStream stream(ClassName(), classes::RT_RCDATA);
    classes::TReader reader(stream);
    reader.ReadRootComponent(this);
    classes::GlobalFixupReferences();
    BindComponents();
}

void TCustomFrame::GetChildren(const classes::TGetChildProc& proc, classes::TComponent* root)
{
    TScrollingWinControl::GetChildren(proc, root);
    if (root == this) {
        for (int i = 0; i < ComponentCount(); ++i) {
            if (!Components(i)->HasParent()) {
                proc(Components(i));
            }
        }
    }
}

}  // namespace gui
