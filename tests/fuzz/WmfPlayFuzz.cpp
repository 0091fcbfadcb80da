// Plays whatever the placeable metafile reader accepts onto a small memory context, and through the
// enhanced-metafile recorder as pictures convert it: the playing must end without undefined behaviour.
#include "platform/imaging/Image.h"
#include "platform/metafile/WmfPlayer.h"
#include "platform/metafile/WmfReader.h"
#include "tests/fuzz/PlayTarget.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::InitializeDrawing();
    win::WindowsMetafile metafile;
    try {
        metafile = win::ReadWindowsMetafile(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const win::EInvalidGraphic&) {
        return 0;
    }
    const fuzz::SmallCanvas canvas;
    win::PlayWindowsMetafile(canvas.Dc(), metafile, fuzz::SmallCanvas::Inside());
    if (win::HENHMETAFILE converted = win::EnhMetaFileFromWindowsMetafile(metafile)) {
        const win::RECT rect = fuzz::SmallCanvas::Inside();
        win::PlayEnhMetaFile(canvas.Dc(), converted, &rect);
        win::DeleteEnhMetaFile(converted);
    }
    return 0;
}
