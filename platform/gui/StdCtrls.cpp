#include "platform/gui/StdCtrls.h"

#include "platform/gui/Button.h"
#include "platform/gui/CheckBox.h"
#include "platform/gui/Edit.h"
#include "platform/gui/Label.h"
#include "platform/gui/Memo.h"

namespace gui {

std::vector<const classes::TClassInfo*> StandardControlClasses()
{
    return {&TCustomEdit::StaticClass(),     &TEdit::StaticClass(),      &TCustomMemo::StaticClass(),
            &TMemo::StaticClass(),           &TButtonControl::StaticClass(), &TButton::StaticClass(),
            &TCustomCheckBox::StaticClass(), &TCheckBox::StaticClass(), &TRadioButton::StaticClass(),
            &TCustomLabel::StaticClass(),    &TLabel::StaticClass()};
}

}  // namespace gui
