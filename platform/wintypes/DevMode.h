#pragma once
// The device mode of a printer (DEVMODEA) and its constants, with the layout and values of the
// documented API: what a program keeps of a printer's settings and hands to CreateDC, ResetDC and
// DocumentProperties. The driver's private part (dmDriverExtra bytes) follows the public one.

#include "platform/wintypes/Types.h"

namespace win {

using SHORT = std::int16_t;

constexpr int CCHDEVICENAME = 32;
constexpr int CCHFORMNAME = 32;

struct DEVMODEA {
    BYTE dmDeviceName[CCHDEVICENAME] = {};
    WORD dmSpecVersion = 0;
    WORD dmDriverVersion = 0;
    WORD dmSize = 0;
    WORD dmDriverExtra = 0;
    DWORD dmFields = 0;
    SHORT dmOrientation = 0;
    SHORT dmPaperSize = 0;
    SHORT dmPaperLength = 0;  // tenths of a millimetre
    SHORT dmPaperWidth = 0;
    SHORT dmScale = 0;
    SHORT dmCopies = 0;
    SHORT dmDefaultSource = 0;
    SHORT dmPrintQuality = 0;  // dots per inch across, or a DMRES_ value
    SHORT dmColor = 0;
    SHORT dmDuplex = 0;
    SHORT dmYResolution = 0;
    SHORT dmTTOption = 0;
    SHORT dmCollate = 0;
    BYTE dmFormName[CCHFORMNAME] = {};
    WORD dmLogPixels = 0;
    DWORD dmBitsPerPel = 0;
    DWORD dmPelsWidth = 0;
    DWORD dmPelsHeight = 0;
    DWORD dmDisplayFlags = 0;
    DWORD dmDisplayFrequency = 0;
    DWORD dmICMMethod = 0;
    DWORD dmICMIntent = 0;
    DWORD dmMediaType = 0;
    DWORD dmDitherType = 0;
    DWORD dmReserved1 = 0;
    DWORD dmReserved2 = 0;
    DWORD dmPanningWidth = 0;
    DWORD dmPanningHeight = 0;
};
static_assert(sizeof(DEVMODEA) == 156);

constexpr WORD DM_SPECVERSION = 0x0401;

// dmFields.
constexpr DWORD DM_ORIENTATION = 0x00000001;
constexpr DWORD DM_PAPERSIZE = 0x00000002;
constexpr DWORD DM_PAPERLENGTH = 0x00000004;
constexpr DWORD DM_PAPERWIDTH = 0x00000008;
constexpr DWORD DM_SCALE = 0x00000010;
constexpr DWORD DM_COPIES = 0x00000100;
constexpr DWORD DM_DEFAULTSOURCE = 0x00000200;
constexpr DWORD DM_PRINTQUALITY = 0x00000400;
constexpr DWORD DM_COLOR = 0x00000800;
constexpr DWORD DM_DUPLEX = 0x00001000;
constexpr DWORD DM_YRESOLUTION = 0x00002000;
constexpr DWORD DM_COLLATE = 0x00008000;

constexpr SHORT DMORIENT_PORTRAIT = 1;
constexpr SHORT DMORIENT_LANDSCAPE = 2;

constexpr SHORT DMPAPER_LETTER = 1;
constexpr SHORT DMPAPER_LEGAL = 5;
constexpr SHORT DMPAPER_EXECUTIVE = 7;
constexpr SHORT DMPAPER_A3 = 8;
constexpr SHORT DMPAPER_A4 = 9;
constexpr SHORT DMPAPER_A5 = 11;
constexpr SHORT DMPAPER_B5 = 13;
constexpr SHORT DMPAPER_ENV_DL = 27;
constexpr SHORT DMPAPER_USER = 256;

constexpr SHORT DMBIN_UPPER = 1;
constexpr SHORT DMBIN_LOWER = 2;
constexpr SHORT DMBIN_MANUAL = 4;
constexpr SHORT DMBIN_ENVELOPE = 5;
constexpr SHORT DMBIN_AUTO = 7;
constexpr SHORT DMBIN_LARGECAPACITY = 11;
constexpr SHORT DMBIN_USER = 256;

constexpr SHORT DMRES_DRAFT = -1;
constexpr SHORT DMRES_LOW = -2;
constexpr SHORT DMRES_MEDIUM = -3;
constexpr SHORT DMRES_HIGH = -4;

constexpr SHORT DMCOLOR_MONOCHROME = 1;
constexpr SHORT DMCOLOR_COLOR = 2;

constexpr SHORT DMDUP_SIMPLEX = 1;
constexpr SHORT DMDUP_VERTICAL = 2;
constexpr SHORT DMDUP_HORIZONTAL = 3;

constexpr SHORT DMCOLLATE_FALSE = 0;
constexpr SHORT DMCOLLATE_TRUE = 1;

}  // namespace win
