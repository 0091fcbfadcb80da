// Feeds arbitrary bytes to every reader of stored picture data: the "Data" of bitmaps, icons, metafiles,
// JPEG and GIF pictures and pictures of any class, and the "Bitmap" of image lists. The first byte
// chooses the reader, the rest is the block as stored window data holds it. A refusal is the only
// acceptable failure.
#include "platform/classes/Filer.h"
#include "platform/gui/graphics/Bitmap.h"
#include "platform/gui/graphics/GifImage.h"
#include "platform/gui/graphics/Icon.h"
#include "platform/gui/graphics/ImageList.h"
#include "platform/gui/graphics/JpegImage.h"
#include "platform/gui/graphics/Metafile.h"
#include "platform/gui/graphics/Picture.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"
#include "tests/support/GuiLibraries.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace {

// Hands the block to the reader of one defined property.
class BlockFeeder : public classes::TFiler {
public:
    BlockFeeder(std::string name, const std::uint8_t* data, std::size_t size)
        : name_(std::move(name)), data_(data), size_(size)
    {
    }
    void DefineProperty(const std::string&, const classes::TReaderProc&, const classes::TWriterProc&, bool) override {}
    void DefineBinaryProperty(const std::string& name, const classes::TStreamProc& readData,
                              const classes::TStreamProc&, bool) override
    {
        if (name != name_ || !readData)
            return;
        rtl::TMemoryStream block;
        block.WriteBuffer(data_, std::int64_t(size_));
        block.SetPosition(0);
        readData(block);
    }

private:
    std::string name_;
    const std::uint8_t* data_;
    std::size_t size_;
};

std::unique_ptr<classes::TPersistent> Reader(std::uint8_t choice)
{
    switch (choice % 7) {
    case 0:
        return std::make_unique<gui::TBitmap>();
    case 1:
        return std::make_unique<gui::TIcon>();
    case 2:
        return std::make_unique<gui::TMetafile>();
    case 3:
        return std::make_unique<gui::TJPEGImage>();
    case 4:
        return std::make_unique<gui::TGIFImage>();
    case 5:
        return std::make_unique<gui::TPicture>();
    default:
        return std::make_unique<gui::TImageList>(nullptr);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool started = (testsupport::StartGuiLibraries(), true);
    (void)started;
    if (size < 1)
        return 0;
    std::unique_ptr<classes::TPersistent> target = Reader(data[0]);
    BlockFeeder feeder(data[0] % 7 == 6 ? "Bitmap" : "Data", data + 1, size - 1);
    try {
        target->DefineProperties(feeder);
        if (auto* graphic = dynamic_cast<gui::TGraphic*>(target.get()); graphic && !graphic->Empty()) {
            // What was read must also write.
            rtl::TMemoryStream out;
            graphic->SaveToStream(out);
        }
    } catch (const rtl::Exception&) {
    }
    return 0;
}
