#pragma once
// Recording into an enhanced metafile: a metafile device context draws nothing; every drawing call of
// the GDI given one appends its record, and the context keeps its state so the Get* calls answer as on
// any context. Measuring (text extents and metrics, device capabilities other than TECHNOLOGY) answers
// for the reference device.
//
// The context's state reaches the file lazily: before each drawing record the recorder writes the
// records that bring the file's state (colours, modes, origins, clip, current position, selected pen,
// brush and font) to the context's, each object created once under an object index; SaveDC and RestoreDC
// are written as they happen. Deleting an object the file has created writes DELETEOBJECT. Bounds come
// from the geometry (pen width included; text from the measured extent, turned with the baseline).
//
// The recorder itself: detail/EmfRecorder.h.

#include "platform/metafile/EnhMetaFile.h"
#include "platform/wintypes/GdiTypes.h"

namespace win {

// referenceDC null: the display. fileName null: in memory. frame in 0.01 mm, null: from the bounds.
HDC CreateEnhMetaFileA(HDC referenceDC, const char* fileName, const RECT* frame, const char* description);
HDC CreateEnhMetaFileW(HDC referenceDC, const char16_t* fileName, const RECT* frame, const char16_t* description);
// Ends the recording and deletes the context; null when the file cannot be written (the old file, if
// any, stays as it was).
HENHMETAFILE CloseEnhMetaFile(HDC dc);

}  // namespace win
