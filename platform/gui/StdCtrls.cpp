#include "platform/gui/StdCtrls.h"

#include "platform/gui/Bevel.h"
#include "platform/gui/BitBtn.h"
#include "platform/gui/Button.h"
#include "platform/gui/CheckBox.h"
#include "platform/gui/ComboBox.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/Edit.h"
#include "platform/gui/GroupBox.h"
#include "platform/gui/Image.h"
#include "platform/gui/Label.h"
#include "platform/gui/ListBox.h"
#include "platform/gui/Memo.h"
#include "platform/gui/Menus.h"
#include "platform/gui/PaintBox.h"
#include "platform/gui/PageControl.h"
#include "platform/gui/Panel.h"
#include "platform/gui/ProgressBar.h"
#include "platform/gui/ScrollBar.h"
#include "platform/gui/ScrollBox.h"
#include "platform/gui/Shape.h"
#include "platform/gui/SpeedButton.h"
#include "platform/gui/Splitter.h"
#include "platform/gui/StatusBar.h"
#include "platform/gui/ToolBar.h"
#include "platform/gui/TreeView.h"
#include "platform/gui/UpDown.h"

namespace gui {

std::vector<const classes::TClassInfo*> StandardControlClasses()
{
    std::vector<const classes::TClassInfo*> classes{&TCustomEdit::StaticClass(),     &TEdit::StaticClass(),      &TCustomMemo::StaticClass(),
            &TMemo::StaticClass(),           &TButtonControl::StaticClass(), &TButton::StaticClass(),
            &TCustomCheckBox::StaticClass(), &TCheckBox::StaticClass(), &TRadioButton::StaticClass(),
            &TCustomLabel::StaticClass(),    &TLabel::StaticClass(),
            &TCustomPanel::StaticClass(),    &TPanel::StaticClass(),    &TCustomGroupBox::StaticClass(),
            &TGroupBox::StaticClass(),       &TBevel::StaticClass(),    &TShape::StaticClass(),
            &TImage::StaticClass(),          &TPaintBox::StaticClass(), &TScrollBox::StaticClass(),
            &TStatusPanel::StaticClass(),    &TStatusBar::StaticClass(), &TProgressBar::StaticClass(),
            &TBitBtn::StaticClass(),         &TSpeedButton::StaticClass(), &TCustomListBox::StaticClass(),
            &TListBox::StaticClass(),       &TScrollBar::StaticClass(),
            &TSplitter::StaticClass(),       &TUpDown::StaticClass()};
    for (const classes::TClassInfo* cls : {&TCustomTreeView::StaticClass(), &TTreeView::StaticClass(), &TTabSheet::StaticClass(),
                                            &TPageControl::StaticClass(), &TToolButton::StaticClass(), &TToolBar::StaticClass()}) {
        classes.push_back(cls);
    }
    for (const classes::TClassInfo* cls : DialogClasses()) {
        classes.push_back(cls);
    }
    for (const classes::TClassInfo* cls : MenuClasses()) {
        classes.push_back(cls);
    }
    classes.push_back(&TCustomComboBox::StaticClass());
    classes.push_back(&TComboBox::StaticClass());
    return classes;
}

}  // namespace gui
