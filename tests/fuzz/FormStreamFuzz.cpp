// Feeds arbitrary bytes as the stored binary form of a window of the GUI class library's classes (forms,
// windowed and scrolling controls, frames, timers, action lists and actions) and of page controls with
// their tab sheets. What reads is shown,
// painted, written back and freed; what does not read must be refused with the library's error and leave
// no form, window or component behind.
#include "controls/Controls.h"
#include "controls/pagecontrol/PageControl.h"
#include "platform/classes/ComponentReader.h"
#include "platform/classes/ComponentWriter.h"
#include "platform/classes/TextForm.h"
#include "platform/gui/core/Application.h"
#include "platform/gui/core/Form.h"
#include "platform/gui/core/Screen.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Window.h"
#include "tests/fuzz/FuzzInput.h"
#include "tests/support/GuiLibraries.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

// Handles what the window system holds for the form now (painting, posted messages).
void PumpMessages()
{
    win::MSG msg;
    for (int i = 0; i < 1000 && win::PeekMessage(&msg, nullptr, 0, 0, win::PM_REMOVE); ++i) {
        if (msg.message != win::WM_QUIT) {
            win::TranslateMessage(&msg);
            win::DispatchMessage(&msg);
        }
    }
}

using fuzz::Check;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The control libraries give back their screen canvas before the drawing handles' table goes.
    static const bool started = (testsupport::StartGuiLibraries(), controls::initialize(), pagecontrol::initialize(),
                                 std::atexit([] {
                                     pagecontrol::finalize();
                                     controls::finalize();
                                 }),
                                 true);
    (void)started;
    const int components = gui::Application()->ComponentCount();
    const int forms = gui::Screen()->CustomFormCount();
    auto* form = new gui::TForm(gui::Application());
    try {
        rtl::TMemoryStream in;
        in.WriteBuffer(data, std::int64_t(size));
        in.SetPosition(0);
        classes::TReader(in).ReadRootComponent(form);
        // What read must show, paint and write.
        form->Show();
        PumpMessages();
        rtl::TMemoryStream out;
        classes::TWriter(out).WriteRootComponent(form);
        classes::ObjectBinaryToText(std::string_view(out.Memory(), std::size_t(out.Size())));
    } catch (const rtl::Exception&) {
    }
    form->Free();
    PumpMessages();
    Check(gui::Application()->ComponentCount() == components);
    Check(gui::Screen()->CustomFormCount() == forms);
    return 0;
}
