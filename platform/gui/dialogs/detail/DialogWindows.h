#pragma once
// The standard dialogs as windows, one unit each; WindowDialogs hands each request to its window.

#include "platform/services/DialogService.h"

#include <string>

namespace gui::detail {

int ShowMessageBox(const std::string& text, const std::string& caption, unsigned type);
int ShowMessageDialog(win::MessageDialogRequest& request);
int ShowInputDialog(win::InputRequest& request);
int ShowColorDialog(win::ColorRequest& request);
int ShowFileDialog(win::FileRequest& request);
int ShowFontDialog(win::FontRequest& request);
int ShowPrintDialog(win::PrintRequest& request);
int ShowPrinterSetupDialog(win::PrinterSetupRequest& request);
int ShowPropertiesDialog(win::DocumentPropertiesRequest& request);

}  // namespace gui::detail
