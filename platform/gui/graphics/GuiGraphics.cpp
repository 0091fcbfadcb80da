#include "platform/gui/graphics/GuiGraphics.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/gui/graphics/Bitmap.h"
#include "platform/gui/graphics/Brush.h"
#include "platform/gui/graphics/Canvas.h"
#include "platform/gui/graphics/ControlCanvas.h"
#include "platform/gui/graphics/Font.h"
#include "platform/gui/graphics/GifImage.h"
#include "platform/gui/graphics/Graphic.h"
#include "platform/gui/graphics/Icon.h"
#include "platform/gui/graphics/ImageList.h"
#include "platform/gui/graphics/JpegImage.h"
#include "platform/gui/graphics/Metafile.h"
#include "platform/gui/graphics/Pen.h"
#include "platform/gui/graphics/Picture.h"
#include "platform/gui/graphics/Printer.h"
#include "platform/gui/graphics/ResourceIcons.h"

#include <array>

namespace gui::graphics {

namespace {

// The classes stored window data and scripts make by name; the picture classes come with their file formats.
std::array<const classes::TClassInfo*, 8> GraphicsClasses()
{
    return {&TFont::StaticClass(),    &TPen::StaticClass(),     &TBrush::StaticClass(),
            &TCanvas::StaticClass(),  &TPicture::StaticClass(), &TGraphic::StaticClass(),
            &TImageList::StaticClass(), &TMetafileCanvas::StaticClass()};
}

}  // namespace

void initialize()
{
    for (const classes::TClassInfo* cls : GraphicsClasses()) {
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
    for (const classes::TClassInfo* cls : GraphicsClasses()) {
        classes::UnRegisterClass(*cls);
    }
    for (const classes::TClassInfo* cls : {&TBitmap::StaticClass(), &TIcon::StaticClass(), &TMetafile::StaticClass(),
                                           &TJPEGImage::StaticClass(), &TGIFImage::StaticClass()}) {
        classes::UnRegisterClass(*cls);
    }
}

}  // namespace gui::graphics
