#pragma once
// Help's text popups: the text in a hint window at a screen point, closed by the next click, key or
// deactivation of the thread that showed it. One popup shows at a time; a new one replaces it.
// InstallHelpPopup makes it the way help shows popup texts (gui::core::initialize does).

#include "platform/wintypes/Types.h"

#include <string>

namespace gui {

// The popup's window; null when the text is empty.
win::HWND ShowHelpPopup(const std::string& text, win::POINT at);
void CloseHelpPopup();

void InstallHelpPopup();
void UninstallHelpPopup();

}  // namespace gui
