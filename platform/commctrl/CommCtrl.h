#pragma once
// Start-up and shut-down of the standard window classes. initialize() registers EDIT, BUTTON, STATIC,
// LISTBOX, COMBOBOX (and its "ComboLBox" list), SCROLLBAR and the tree view with the window system;
// finalize() unregisters them and drops the hooks a library above put in. Runs after the window system's
// start-up and before its shut-down.

namespace win::commctrl {

void initialize();
void finalize();

}  // namespace win::commctrl
