#pragma once
// The dialog service that shows every message box and standard dialog as a modal window of this
// library: owned by the calling thread's active window, the thread's other windows disabled meanwhile.
// A request from another thread is shown by the main thread, the caller waiting for the answer.

#include "platform/services/DialogService.h"

namespace gui {

class WindowDialogs final : public win::DialogService {
public:
    int MessageBox(const std::string& text, const std::string& caption, unsigned type) override;
    int MessageDialog(win::MessageDialogRequest& request) override;
    int InputDialog(win::InputRequest& request) override;
    int ColorDialog(win::ColorRequest& request) override;
    int FileDialog(win::FileRequest& request) override;
    int FontDialog(win::FontRequest& request) override;
    int PrintDialog(win::PrintRequest& request) override;
    int PrinterSetupDialog(win::PrinterSetupRequest& request) override;
    int DocumentProperties(win::DocumentPropertiesRequest& request) override;
};

}  // namespace gui
