#pragma once
// The GUI class library's screen cursor (Screen.Cursor) as the translation component's screen cursor.

namespace translation {

// Binds ScreenCursor() to the screen object of the GUI class library: each call goes to the screen that
// exists then; with none, the cursor reads as crDefault and setting it does nothing.
void BindGuiScreenCursor();

}  // namespace translation
