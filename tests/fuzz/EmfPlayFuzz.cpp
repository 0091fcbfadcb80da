// Plays whatever the metafile reader accepts onto a small memory context: the playing must end without
// undefined behaviour, whatever the records ask for.
#include "platform/imaging/Image.h"
#include "platform/metafile/EnhMetaFile.h"
#include "tests/fuzz/PlayTarget.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::InitializeDrawing();
    win::HENHMETAFILE metafile = nullptr;
    try {
        metafile = win::ReadEnhMetaFile(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const win::EInvalidGraphic&) {
        return 0;
    }
    const fuzz::SmallCanvas canvas;
    const win::RECT rect = fuzz::SmallCanvas::Inside();
    win::PlayEnhMetaFile(canvas.Dc(), metafile, &rect);
    win::DeleteEnhMetaFile(metafile);
    return 0;
}
