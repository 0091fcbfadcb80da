#pragma once
// The spooler calls of the program (the ANSI ones), on the printers of the installed back end
// (PrintBackend.h): the printer list, printer handles, device modes and device capabilities, raw jobs, and
// the default printer as the user's profile names it. Each call answers its failure value (FALSE, 0, -1,
// a negative DocumentProperties) with the last error set: ERROR_INVALID_PRINTER_NAME for a printer that
// does not exist, ERROR_NOT_READY when the printing system cannot be reached, ERROR_ACCESS_DENIED when
// it refuses; PrintErrorText() (PrinterDC.h) holds its own words.

#include "platform/wintypes/DevMode.h"
#include "platform/wintypes/Types.h"

namespace win {

struct PRINTER_INFO_1A {
    DWORD Flags;
    char* pDescription;
    char* pName;
    char* pComment;
};

struct PRINTER_INFO_2A {
    char* pServerName;
    char* pPrinterName;
    char* pShareName;
    char* pPortName;
    char* pDriverName;
    char* pComment;
    char* pLocation;
    DEVMODEA* pDevMode;  // the printer's defaults
    char* pSepFile;
    char* pPrintProcessor;
    char* pDatatype;
    char* pParameters;
    void* pSecurityDescriptor;
    DWORD Attributes;
    DWORD Priority;
    DWORD DefaultPriority;
    DWORD StartTime;
    DWORD UntilTime;
    DWORD Status;
    DWORD cJobs;
    DWORD AveragePPM;
};

struct PRINTER_INFO_4A {
    char* pPrinterName;
    char* pServerName;
    DWORD Attributes;
};

struct PRINTER_DEFAULTSA {
    char* pDatatype;
    DEVMODEA* pDevMode;
    DWORD DesiredAccess;
};

struct DOC_INFO_1A {
    char* pDocName;
    char* pOutputFile;
    char* pDatatype;  // "RAW"
};

constexpr DWORD PRINTER_ENUM_DEFAULT = 0x00000001;
constexpr DWORD PRINTER_ENUM_LOCAL = 0x00000002;
constexpr DWORD PRINTER_ENUM_CONNECTIONS = 0x00000004;
constexpr DWORD PRINTER_ENUM_NAME = 0x00000008;
constexpr DWORD PRINTER_ENUM_ICON8 = 0x00800000;

constexpr DWORD PRINTER_ATTRIBUTE_QUEUED = 0x00000001;
constexpr DWORD PRINTER_ATTRIBUTE_DEFAULT = 0x00000004;
constexpr DWORD PRINTER_ATTRIBUTE_LOCAL = 0x00000040;

constexpr DWORD PRINTER_STATUS_PAUSED = 0x00000001;
constexpr DWORD PRINTER_STATUS_PRINTING = 0x00000400;

// DocumentProperties modes (DM_OUT_BUFFER is DM_COPY, DM_IN_PROMPT DM_PROMPT, DM_IN_BUFFER DM_MODIFY).
constexpr DWORD DM_UPDATE = 1;
constexpr DWORD DM_COPY = 2;
constexpr DWORD DM_PROMPT = 4;
constexpr DWORD DM_MODIFY = 8;
constexpr DWORD DM_OUT_BUFFER = DM_COPY;
constexpr DWORD DM_IN_PROMPT = DM_PROMPT;
constexpr DWORD DM_IN_BUFFER = DM_MODIFY;

// DeviceCapabilities.
constexpr WORD DC_FIELDS = 1;
constexpr WORD DC_PAPERS = 2;
constexpr WORD DC_PAPERSIZE = 3;
constexpr WORD DC_MINEXTENT = 4;
constexpr WORD DC_MAXEXTENT = 5;
constexpr WORD DC_BINS = 6;
constexpr WORD DC_DUPLEX = 7;
constexpr WORD DC_SIZE = 8;
constexpr WORD DC_EXTRA = 9;
constexpr WORD DC_VERSION = 10;
constexpr WORD DC_DRIVER = 11;
constexpr WORD DC_BINNAMES = 12;
constexpr WORD DC_ENUMRESOLUTIONS = 13;
constexpr WORD DC_PAPERNAMES = 16;
constexpr WORD DC_ORIENTATION = 17;
constexpr WORD DC_COPIES = 18;
constexpr WORD DC_COLLATE = 22;
constexpr WORD DC_COLORDEVICE = 32;

// The printers (flags PRINTER_ENUM_LOCAL and/or PRINTER_ENUM_CONNECTIONS, name null) at level 1, 2 or 4
// into buffer: the records first, the texts (and level 2's device modes) after them. A buffer too small
// (or null) answers FALSE with ERROR_INSUFFICIENT_BUFFER and the bytes needed in *needed.
BOOL EnumPrintersA(DWORD flags, const char* name, DWORD level, BYTE* buffer, DWORD size, DWORD* needed, DWORD* returned);

BOOL OpenPrinterA(const char* name, HANDLE* printer, const PRINTER_DEFAULTSA* defaults);
BOOL ClosePrinter(HANDLE printer);

// mode 0: the size of the printer's device mode. Otherwise its defaults, changed by the fields of in
// (DM_IN_BUFFER) and by the user in the printer's properties dialog (DM_IN_PROMPT, shown by the dialog
// service), copied to out (DM_OUT_BUFFER); the answer IDOK, or IDCANCEL when the user cancels (out is
// left alone). The printer is printer or, when that is null, deviceName.
LONG DocumentPropertiesA(HWND window, HANDLE printer, const char* deviceName, DEVMODEA* out, const DEVMODEA* in,
                         DWORD mode);

// What a printer offers: with output null the number of entries, else the entries copied (papers' codes
// as WORDs, names of 64 and source names of 24 characters, sizes as POINTs in tenths of a millimetre,
// resolutions as pairs of LONGs). -1 with the last error for a printer that does not exist.
int DeviceCapabilitiesA(const char* device, const char* port, WORD capability, char* output, const DEVMODEA* mode);

// A raw job: bytes for the printer as they are ("RAW" is the only data type). StartDocPrinter answers
// the job's number, 0 on failure; EndDocPrinter sends the job.
DWORD StartDocPrinterA(HANDLE printer, DWORD level, const BYTE* info);
BOOL StartPagePrinter(HANDLE printer);
BOOL WritePrinter(HANDLE printer, const void* bytes, DWORD count, DWORD* written);
BOOL EndPagePrinter(HANDLE printer);
BOOL EndDocPrinter(HANDLE printer);
BOOL AbortPrinter(HANDLE printer);

// Section "windows", key "device": "<default printer>,winspool,Ne00:", or fallback when there is none;
// fallback for anything else. Answers the characters copied (at most size - 1, then a terminating 0).
DWORD GetProfileStringA(const char* section, const char* key, const char* fallback, char* out, DWORD size);

}  // namespace win
