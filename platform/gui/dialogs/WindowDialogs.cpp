#include "platform/gui/dialogs/WindowDialogs.h"

#include "platform/gui/dialogs/detail/DialogWindows.h"
#include "platform/rtl/Threads.h"

namespace gui {

namespace {

// Runs show on the main thread, which owns the windows.
template <class Show>
int OnMainThread(Show show)
{
    if (rtl::IsMainThread())
        return show();
    int answer = win::IDCANCEL;
    rtl::TThread::Synchronize([&] { answer = show(); });
    return answer;
}

}  // namespace

int WindowDialogs::MessageBox(const std::string& text, const std::string& caption, unsigned type)
{
    return OnMainThread([&] { return detail::ShowMessageBox(text, caption, type); });
}

int WindowDialogs::MessageDialog(win::MessageDialogRequest& request)
{
    return OnMainThread([&] { return detail::ShowMessageDialog(request); });
}

int WindowDialogs::InputDialog(win::InputRequest& request)
{
    return OnMainThread([&] { return detail::ShowInputDialog(request); });
}

int WindowDialogs::ColorDialog(win::ColorRequest& request)
{
    return OnMainThread([&] { return detail::ShowColorDialog(request); });
}

int WindowDialogs::FileDialog(win::FileRequest& request)
{
    return OnMainThread([&] { return detail::ShowFileDialog(request); });
}

int WindowDialogs::FontDialog(win::FontRequest& request)
{
    return OnMainThread([&] { return detail::ShowFontDialog(request); });
}

int WindowDialogs::PrintDialog(win::PrintRequest& request)
{
    return OnMainThread([&] { return detail::ShowPrintDialog(request); });
}

int WindowDialogs::PrinterSetupDialog(win::PrinterSetupRequest& request)
{
    return OnMainThread([&] { return detail::ShowPrinterSetupDialog(request); });
}

int WindowDialogs::DocumentProperties(win::DocumentPropertiesRequest& request)
{
    return OnMainThread([&] { return detail::ShowPropertiesDialog(request); });
}

}  // namespace gui
