#include "report/rptWindows.h"

#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/wintypes/Messages.h"
#include "report/detail/FactorySlot.h"

namespace report {

namespace {

struct WindowFactories {
    detail::FactorySlot<TrptPreviewWindowFactory> preview;
    detail::FactorySlot<TrptProgressWindowFactory> progress;
    detail::FactorySlot<TrptPasswordWindowFactory> password;
    detail::FactorySlot<std::function<void()>> pump;
};

WindowFactories& Windows()
{
    static WindowFactories factories;
    return factories;
}

}  // namespace

void SetPreviewWindowFactory(TrptPreviewWindowFactory factory)
{
    Windows().preview.Set(std::move(factory));
}

void SetProgressWindowFactory(TrptProgressWindowFactory factory)
{
    Windows().progress.Set(std::move(factory));
}

void SetPasswordWindowFactory(TrptPasswordWindowFactory factory)
{
    Windows().password.Set(std::move(factory));
}

std::unique_ptr<TrptPreviewWindow> CreatePreviewWindow(TrptReport& report)
{
    const TrptPreviewWindowFactory factory = Windows().preview.Get();
    return factory ? factory(report) : nullptr;
}

std::unique_ptr<TrptProgressWindow> CreateProgressWindow()
{
    const TrptProgressWindowFactory factory = Windows().progress.Get();
    return factory ? factory() : nullptr;
}

std::unique_ptr<TrptPasswordWindow> CreatePasswordWindow()
{
    const TrptPasswordWindowFactory factory = Windows().password.Get();
    return factory ? factory() : nullptr;
}

void SetMessagePump(std::function<void()> pump)
{
    Windows().pump.Set(std::move(pump));
}

void rptProcessMessages()
{
    if (const std::function<void()> pump = Windows().pump.Get())
        return pump();
    win::MSG msg;
    while (win::PeekMessage(&msg, nullptr, 0, 0, win::PM_REMOVE)) {
        if (msg.message == win::WM_QUIT) {
            // Left for the loop that runs the program.
            win::PostQuitMessage(int(msg.wParam));
            return;
        }
        win::TranslateMessage(&msg);
        win::DispatchMessage(&msg);
    }
}

}  // namespace report
