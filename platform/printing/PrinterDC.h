#pragma once
// Documents on a printer's device context (CreateDC, gdi/DeviceContext.h): StartDoc, then for each page
// StartPage, drawing with any GDI or text call, EndPage; then EndDoc, or AbortDoc to drop the document.
// The context reports the printer's page in GetDeviceCaps: LOGPIXELSX/Y its resolution, PHYSICALWIDTH/
// HEIGHT the sheet, PHYSICALOFFSETX/Y where the printable part starts, HORZRES/VERTRES the printable
// part, its point (0, 0) that part's corner. ResetDC between pages changes paper, orientation and the
// rest of the device mode for the pages after it.
//
// The calls answer SP_ERROR (StartDoc, StartPage, EndPage, EndDoc, AbortDoc) or null (ResetDC) on failure
// with the last error set, and PrintErrorText() holds the printing system's own words for it.

#include "platform/wintypes/DevMode.h"
#include "platform/wintypes/GdiTypes.h"

#include <string>

namespace win {

struct DOCINFOA {
    int cbSize = sizeof(DOCINFOA);
    const char* lpszDocName = nullptr;
    // A file to print to: it receives the PWG raster the job would send, whatever the printer.
    const char* lpszOutput = nullptr;
    const char* lpszDatatype = nullptr;
    DWORD fwType = 0;
};

// Runs between the bands of EndPage (code 0); FALSE abandons the document.
using ABORTPROC = BOOL (*)(HDC dc, int code);

constexpr int SP_ERROR = -1;
constexpr int SP_APPABORT = -2;
constexpr int SP_USERABORT = -3;
constexpr int SP_OUTOFDISK = -4;

// The document's job number, or SP_ERROR: ERROR_PATH_NOT_FOUND when the output file's folder does not
// exist (nothing is made), the printer's error when it takes no job.
int StartDocA(HDC dc, const DOCINFOA* info);
int StartPage(HDC dc);
// SP_APPABORT when the abort procedure abandoned the document (it is gone).
int EndPage(HDC dc);
// The document goes to the printer (an output file gets its name now). SP_ERROR with the printer's error
// (ERROR_ACCESS_DENIED when it refuses the job, ERROR_NOT_READY when it cannot be reached, ERROR_DISK_FULL).
int EndDoc(HDC dc);
int AbortDoc(HDC dc);
int SetAbortProc(HDC dc, ABORTPROC proc);
// The context itself, or null; not while a page is open.
HDC ResetDCA(HDC dc, const DEVMODEA* mode);

// The text of the calling thread's last printing failure ("" before any).
const std::string& PrintErrorText();

}  // namespace win
