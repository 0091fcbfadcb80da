#pragma once
// The screen's device contexts (GetDC of the desktop): what they draw lands on the top-level windows
// beneath, each where it shows, and stays until those windows repaint; where no window of ours is, it
// is dropped. Reading one gives what the windows show, the desktop colour elsewhere.
//
// Drawing runs under the GDI lock alone, so the drawing cannot look at the windows itself: the window
// system keeps, under the GDI lock, a plan of the screen (the surfaces of the visible top-level windows
// and the part of each that shows) and renews it whenever the top-level windows change. Only calls that
// draw on or read a screen context pay for it, in proportion to the area they touch; measuring with one
// or making compatible contexts from it costs nothing more than before.

#include "platform/wintypes/Types.h"

namespace win::detail {

// Installs the screen's gather and spread into the GDI (window system start-up).
void InstallScreenPixels();
// Renews the plan of the screen. The system lock is held, not the GDI lock. Called after any change of
// the top-level windows' places, order, visibility, regions or layered pictures, and before a surface
// of one is replaced or freed.
void ScreenLayoutChanged();
// Tells the display which pixels of which windows screen contexts changed (system lock held).
void ShowScreenDrawing();
// The same without any lock held; nearly free when nothing was drawn.
void ShowPendingScreenDrawing();

}  // namespace win::detail
