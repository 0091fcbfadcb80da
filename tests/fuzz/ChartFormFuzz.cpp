// Feeds arbitrary bytes as the stored data of a window with charts and series, in the text form or (after
// "RVF0") the binary form. What reads is drawn, written back and freed; what does not read must be
// refused with the library's error and leave no component behind.
#include "platform/chart/Chart.h"
#include "platform/chart/ChartLibrary.h"
#include "platform/classes/ComponentReader.h"
#include "platform/classes/ComponentWriter.h"
#include "platform/classes/TextForm.h"
#include "platform/gui/core/Application.h"
#include "platform/gui/core/Form.h"
#include "platform/gui/graphics/Bitmap.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"
#include "tests/support/GuiLibraries.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool started = (testsupport::StartGuiLibraries(), chart::initialize(), true);
    (void)started;
    const int components = gui::Application()->ComponentCount();
    auto* form = new gui::TForm(gui::Application());
    try {
        std::string bytes(reinterpret_cast<const char*>(data), size);
        if (bytes.rfind("RVF0", 0) != 0) {
            bytes = classes::ObjectTextToBinary(bytes);
        }
        rtl::TMemoryStream in;
        in.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
        in.SetPosition(0);
        classes::TReader(in).ReadRootComponent(form);
        gui::TBitmap picture;
        picture.SetSize(64, 48);
        for (int i = 0; i < form->ComponentCount(); ++i) {
            if (auto* c = dynamic_cast<chart::TCustomChart*>(form->Components(i))) {
                c->Draw(*picture.Canvas(), {0, 0, 64, 48});
            }
        }
        rtl::TMemoryStream out;
        classes::TWriter(out).WriteRootComponent(form);
        classes::ObjectBinaryToText(std::string_view(out.Memory(), std::size_t(out.Size())));
    } catch (const rtl::Exception&) {
    }
    delete form;
    if (gui::Application()->ComponentCount() != components) {
        std::abort();
    }
    return 0;
}
