#include "platform/gui/core/GuiCore.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/commctrl/StandardWindowClasses.h"
#include "platform/gui/core/ActionList.h"
#include "platform/gui/core/Application.h"
#include "platform/gui/core/Clipboard.h"
#include "platform/gui/core/CustomControl.h"
#include "platform/gui/core/DataModule.h"
#include "platform/gui/core/DockForm.h"
#include "platform/gui/core/Drag.h"
#include "platform/gui/core/Form.h"
#include "platform/gui/core/Frame.h"
#include "platform/gui/core/GraphicControl.h"
#include "platform/gui/core/HelpPopup.h"
#include "platform/gui/core/HintWindow.h"
#include "platform/gui/core/Screen.h"
#include "platform/gui/core/Timer.h"

#include <array>
#include <string>

namespace gui::core {

namespace {

// Plain pointers: a program that never calls finalize() leaves them to the end of the process.
TScreen* theScreen = nullptr;
TApplication* theApplication = nullptr;

// The classes stored window data and scripts make by name.
std::array<const classes::TClassInfo*, 21> CoreClasses()
{
    return {&TSizeConstraints::StaticClass(), &TControl::StaticClass(),         &TWinControl::StaticClass(),
            &TGraphicControl::StaticClass(),  &TCustomControl::StaticClass(),   &TControlScrollBar::StaticClass(),
            &TScrollingWinControl::StaticClass(), &TCustomForm::StaticClass(),  &TForm::StaticClass(),
            &TCustomDockForm::StaticClass(),  &TCustomFrame::StaticClass(),     &TFrame::StaticClass(),
            &TDataModule::StaticClass(),      &THintWindow::StaticClass(),      &TTimer::StaticClass(),
            &TBasicAction::StaticClass(),     &TContainedAction::StaticClass(), &TCustomAction::StaticClass(),
            &TAction::StaticClass(),          &TCustomActionList::StaticClass(), &TActionList::StaticClass()};
}

}  // namespace

void initialize()
{
    for (const classes::TClassInfo* cls : CoreClasses()) {
        classes::RegisterClass(*cls);
    }
    // The edits' Cut, Copy and Paste go through the program's clipboard object, which keeps the
    // application window the clipboard's owner and nests with the program's own opening of it.
    win::SetEditClipboard({[] { return Clipboard()->AsText(); },
                           [](const std::string& text) { Clipboard()->SetAsText(text); }});
    SetHintWindowClass(nullptr);
    theScreen = new TScreen(nullptr);
    theApplication = new TApplication(nullptr);
    InstallHelpPopup();
}

void finalize()
{
    CancelDrag();
    FreeFinishedDrags();
    UninstallHelpPopup();
    delete theApplication;
    theApplication = nullptr;
    delete theScreen;
    theScreen = nullptr;
    SetHintWindowClass(nullptr);
    win::SetEditClipboard({});
    for (const classes::TClassInfo* cls : CoreClasses()) {
        classes::UnRegisterClass(*cls);
    }
}

}  // namespace gui::core
