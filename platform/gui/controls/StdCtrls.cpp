#include "platform/gui/controls/StdCtrls.h"

#include "platform/gui/controls/Bevel.h"
#include "platform/gui/controls/BitBtn.h"
#include "platform/gui/controls/Button.h"
#include "platform/gui/controls/CheckBox.h"
#include "platform/gui/controls/ComboBox.h"
#include "platform/gui/controls/Edit.h"
#include "platform/gui/controls/GroupBox.h"
#include "platform/gui/controls/Image.h"
#include "platform/gui/controls/Label.h"
#include "platform/gui/controls/ListBox.h"
#include "platform/gui/controls/Memo.h"
#include "platform/gui/controls/Menus.h"
#include "platform/gui/controls/PageControl.h"
#include "platform/gui/controls/PaintBox.h"
#include "platform/gui/controls/Panel.h"
#include "platform/gui/controls/ProgressBar.h"
#include "platform/gui/controls/ScrollBar.h"
#include "platform/gui/controls/ScrollBox.h"
#include "platform/gui/controls/Shape.h"
#include "platform/gui/controls/SpeedButton.h"
#include "platform/gui/controls/Splitter.h"
#include "platform/gui/controls/StatusBar.h"
#include "platform/gui/controls/ToolBar.h"
#include "platform/gui/controls/TreeView.h"
#include "platform/gui/controls/UpDown.h"

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
    for (const classes::TClassInfo* cls : MenuClasses()) {
        classes.push_back(cls);
    }
    classes.push_back(&TCustomComboBox::StaticClass());
    classes.push_back(&TComboBox::StaticClass());
    return classes;
}

}  // namespace gui
