#include "platform/gui/Gui.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/gui/ActionList.h"
#include "platform/gui/Application.h"
#include "platform/gui/Bitmap.h"
#include "platform/gui/Brush.h"
#include "platform/gui/Canvas.h"
#include "platform/gui/ControlCanvas.h"
#include "platform/gui/CustomControl.h"
#include "platform/gui/DataModule.h"
#include "platform/gui/DockForm.h"
#include "platform/gui/Drag.h"
#include "platform/gui/Font.h"
#include "platform/gui/Form.h"
#include "platform/gui/Frame.h"
#include "platform/gui/GifImage.h"
#include "platform/gui/Graphic.h"
#include "platform/gui/HelpPopup.h"
#include "platform/gui/GraphicControl.h"
#include "platform/gui/HintWindow.h"
#include "platform/gui/Icon.h"
#include "platform/gui/ImageList.h"
#include "platform/gui/JpegImage.h"
#include "platform/gui/Metafile.h"
#include "platform/gui/Pen.h"
#include "platform/gui/Picture.h"
#include "platform/gui/Printer.h"
#include "platform/gui/ResourceIcons.h"
#include "platform/gui/Screen.h"
#include "platform/gui/StandardWindowClasses.h"
#include "platform/gui/StdCtrls.h"
#include "platform/gui/Timer.h"

#include <array>

namespace gui {

namespace {

// Plain pointers: a program that never calls finalize() leaves them to the end of the process.
TScreen* theScreen = nullptr;
TApplication* theApplication = nullptr;

// The classes stored window data and scripts make by name; the picture classes come with their file formats.
std::array<const classes::TClassInfo*, 29> LibraryClasses()
{
    return {&TFont::StaticClass(),         &TPen::StaticClass(),           &TBrush::StaticClass(),
            &TCanvas::StaticClass(),       &TPicture::StaticClass(),       &TGraphic::StaticClass(),
            &TImageList::StaticClass(),    &TMetafileCanvas::StaticClass(), &TSizeConstraints::StaticClass(),
            &TControl::StaticClass(),      &TWinControl::StaticClass(),    &TGraphicControl::StaticClass(),
            &TCustomControl::StaticClass(), &TControlScrollBar::StaticClass(), &TScrollingWinControl::StaticClass(),
            &TCustomForm::StaticClass(),   &TForm::StaticClass(),          &TCustomDockForm::StaticClass(),
            &TCustomFrame::StaticClass(),  &TFrame::StaticClass(),         &TDataModule::StaticClass(),
            &THintWindow::StaticClass(),   &TTimer::StaticClass(),         &TBasicAction::StaticClass(),
            &TContainedAction::StaticClass(), &TCustomAction::StaticClass(), &TAction::StaticClass(),
            &TCustomActionList::StaticClass(), &TActionList::StaticClass()};
}

}  // namespace

void initialize()
{
    for (const classes::TClassInfo* cls : LibraryClasses()) {
        classes::RegisterClass(*cls);
    }
    RegisterStandardWindowClasses();
    for (const classes::TClassInfo* cls : StandardControlClasses()) {
        classes::RegisterClass(*cls);
    }
    ResetFileFormats(true);
    InstallResourceIconLoaders();
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
    SetPrinter(nullptr);
    FreeDeviceContexts();
    RemoveResourceIconLoaders();
    UnregisterStandardWindowClasses();
    for (const classes::TClassInfo* cls : StandardControlClasses()) {
        classes::UnRegisterClass(*cls);
    }
    ResetFileFormats(false);
    for (const classes::TClassInfo* cls : LibraryClasses()) {
        classes::UnRegisterClass(*cls);
    }
    for (const classes::TClassInfo* cls : {&TBitmap::StaticClass(), &TIcon::StaticClass(), &TMetafile::StaticClass(),
                                           &TJPEGImage::StaticClass(), &TGIFImage::StaticClass()}) {
        classes::UnRegisterClass(*cls);
    }
}

}  // namespace gui
