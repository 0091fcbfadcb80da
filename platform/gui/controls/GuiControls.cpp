#include "platform/gui/controls/GuiControls.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/gui/controls/StdCtrls.h"

namespace gui::controls {

void initialize()
{
    for (const classes::TClassInfo* cls : StandardControlClasses()) {
        classes::RegisterClass(*cls);
    }
}

void finalize()
{
    for (const classes::TClassInfo* cls : StandardControlClasses()) {
        classes::UnRegisterClass(*cls);
    }
}

}  // namespace gui::controls
