#include "platform/gui/Gui.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/gui/Bitmap.h"
#include "platform/gui/Brush.h"
#include "platform/gui/Canvas.h"
#include "platform/gui/ControlCanvas.h"
#include "platform/gui/Font.h"
#include "platform/gui/GifImage.h"
#include "platform/gui/Graphic.h"
#include "platform/gui/Icon.h"
#include "platform/gui/ImageList.h"
#include "platform/gui/JpegImage.h"
#include "platform/gui/Metafile.h"
#include "platform/gui/Pen.h"
#include "platform/gui/Picture.h"
#include "platform/gui/Printer.h"
#include "platform/gui/ResourceIcons.h"

#include <array>

namespace gui {

namespace {

// The classes stored window data and scripts make by name; the picture classes come with their file formats.
std::array<const classes::TClassInfo*, 8> LibraryClasses()
{
    return {&TFont::StaticClass(),    &TPen::StaticClass(),       &TBrush::StaticClass(),
            &TCanvas::StaticClass(),  &TPicture::StaticClass(),   &TGraphic::StaticClass(),
            &TImageList::StaticClass(), &TMetafileCanvas::StaticClass()};
}

}  // namespace

void initialize()
{
    for (const classes::TClassInfo* cls : LibraryClasses()) {
        classes::RegisterClass(*cls);
    }
    ResetFileFormats(true);
    InstallResourceIconLoaders();
}

void finalize()
{
    SetPrinter(nullptr);
    FreeDeviceContexts();
    RemoveResourceIconLoaders();
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
