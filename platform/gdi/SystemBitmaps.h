#pragma once
// The system's own bitmaps, which LoadBitmap hands out for a null instance and an OBM_ id.
//
// OBM_CHECKBOXES: a 32-bit bitmap of 4 x 3 cells of 13 x 13 pixels (52 x 39), on 3D face, each cell
// drawn by DrawFrameControl (DFC_BUTTON) over the whole cell, in the colour scheme of the moment:
// row 0 the check box, row 1 the radio button, row 2 the three-state box; the columns are normal,
// checked (DFCS_CHECKED), pushed (DFCS_PUSHED), and checked and pushed. The cell size is the check-box
// size the controls lay themselves out by; the first two cells differ exactly in the check mark.

#include "platform/wintypes/GdiTypes.h"

namespace win {

constexpr WORD OBM_CHECKBOXES = 32759;

// A new bitmap the caller deletes. Null with ERROR_RESOURCE_NAME_NOT_FOUND for an instance (modules
// carry no bitmaps here), a name that is not an id, or an id of no system bitmap.
HBITMAP LoadBitmap(HINSTANCE instance, const char* name);

}  // namespace win
