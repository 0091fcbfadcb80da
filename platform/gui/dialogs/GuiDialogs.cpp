#include "platform/gui/dialogs/GuiDialogs.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/gui/dialogs/Dialogs.h"

namespace gui::dialogs {

void initialize()
{
    for (const classes::TClassInfo* cls : DialogClasses()) {
        classes::RegisterClass(*cls);
    }
}

void finalize()
{
    for (const classes::TClassInfo* cls : DialogClasses()) {
        classes::UnRegisterClass(*cls);
    }
}

}  // namespace gui::dialogs
