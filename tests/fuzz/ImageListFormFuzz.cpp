// Feeds arbitrary bytes as the stored data of a control image list, in the text form or (after "RVF0") the
// binary form. A list holds as many infos as images whether the data read or was refused with the library's
// error; a list that reads draws each image and comes back the same through its stored form.
#include "controls/clImageLists.h"
#include "platform/classes/ComponentReader.h"
#include "platform/classes/ComponentWriter.h"
#include "platform/classes/TextForm.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"
#include "tests/fuzz/ControlsFuzz.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Read(controls::TclImageList& list, const std::string& binary)
{
    rtl::TMemoryStream in;
    in.WriteBuffer(binary.data(), std::int64_t(binary.size()));
    in.SetPosition(0);
    classes::TReader(in).ReadRootComponent(&list);
}

std::string Written(controls::TclImageList& list)
{
    rtl::TMemoryStream out;
    classes::TWriter(out).WriteRootComponent(&list);
    return std::string(out.Memory(), std::size_t(out.Size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::StartControlLibraries();
    controls::TclImageList list(nullptr);
    controls::TclCustomBitmap first(16, 16);
    list.AddImage(&first, nullptr);
    std::string bytes(reinterpret_cast<const char*>(data), size);
    try {
        if (bytes.rfind("RVF0", 0) != 0) {
            bytes = classes::ObjectTextToBinary(bytes);
        }
        Read(list, bytes);
    } catch (const rtl::Exception&) {
        if (list.Count() != list.ImageInfoCount())
            std::abort();
        return 0;
    }
    if (list.Count() != list.ImageInfoCount())
        std::abort();
    if (list.Width() > 256 || list.Height() > 256 || list.Count() > 64)
        return 0;
    controls::TclCustomBitmap canvas(list.Width() + 4, list.Height() + 4);
    for (int i = 0; i < list.Count(); ++i) {
        list.DrawImage(i, *canvas.Canvas(), canvas.GetFullRect(), i % 2 == 0, i % 3 == 0, i % 4 == 0);
    }
    controls::TclImageList again(nullptr);
    Read(again, Written(list));
    if (!controls::clSameImageLists(&list, &again))
        std::abort();
    return 0;
}
