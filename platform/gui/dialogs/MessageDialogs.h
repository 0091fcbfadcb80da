#pragma once
// Message dialogs with a choice of buttons, and the input box, through the dialog service. Their
// captions and button texts are resource strings of this library (MessageCaptionTexts lists them), so a
// translation replaces them.

#include "platform/gui/controls/MessageTexts.h"

#include <cstdint>
#include <string>
#include <vector>

namespace gui {

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp };
using TMsgDlgButtons = std::uint32_t;  // bit 1 << TMsgDlgBtn

// The fifteen texts of MessageTexts.h, in their order, as the current loader gives them.
std::vector<std::string> MessageCaptionTexts();

// Shows text with the type's caption and icon and the buttons (in the order of TMsgDlgBtn); answers the
// modal result of the button pressed (mrOk ... mrYesToAll; mbHelp answers mrNone). Enter presses OK, else
// Yes, else Retry, else the first button; Esc presses Cancel, else No, else OK.
int MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext);
// Asks for a text: true with value changed when confirmed, false with value unchanged when cancelled.
bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value);
// The text asked for, or defaultValue when cancelled.
std::string InputBox(const std::string& caption, const std::string& prompt, const std::string& defaultValue);

}  // namespace gui
