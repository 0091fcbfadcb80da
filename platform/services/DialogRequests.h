#pragma once
// What the program's file, print, printer, font, colour, input and message dialogs are asked: each
// request carries what the dialog starts from and, when it is confirmed (IDOK), what the user chose.

#include "platform/wintypes/GdiTypes.h"

#include <string>
#include <vector>

namespace win {

// A file request's flags: what the dialog allows and checks, and (read-only, extension) what it answers.
enum : DWORD {
    OFN_READONLY = 0x1,
    OFN_OVERWRITEPROMPT = 0x2,
    OFN_HIDEREADONLY = 0x4,
    OFN_NOCHANGEDIR = 0x8,
    OFN_SHOWHELP = 0x10,
    OFN_NOVALIDATE = 0x100,
    OFN_ALLOWMULTISELECT = 0x200,
    OFN_EXTENSIONDIFFERENT = 0x400,
    OFN_PATHMUSTEXIST = 0x800,
    OFN_FILEMUSTEXIST = 0x1000,
    OFN_CREATEPROMPT = 0x2000,
    OFN_SHAREAWARE = 0x4000,
    OFN_NOREADONLYRETURN = 0x8000,
    OFN_NOTESTFILECREATE = 0x10000,
    OFN_NONETWORKBUTTON = 0x20000,
    OFN_NOLONGNAMES = 0x40000,
    OFN_EXPLORER = 0x80000,
    OFN_NODEREFERENCELINKS = 0x100000,
    OFN_ENABLEINCLUDENOTIFY = 0x400000,
    OFN_ENABLESIZING = 0x800000,
};

struct FileRequest {
    bool save = false;
    std::string title;
    // Pairs "description|pattern|description|pattern"; filterIndex counts the pairs from 1.
    std::string filter;
    int filterIndex = 1;
    std::string initialDir;
    // Added to a chosen name without an extension.
    std::string defaultExt;
    std::string fileName;
    // The chosen files (one unless OFN_ALLOWMULTISELECT); fileName is the first.
    std::vector<std::string> files;
    DWORD flags = 0;
    // A picture's size and a small view of it beside the list.
    bool picturePreview = false;
};

// A print request's flags.
enum : DWORD {
    PD_SELECTION = 0x1,
    PD_PAGENUMS = 0x2,
    PD_NOSELECTION = 0x4,
    PD_NOPAGENUMS = 0x8,
    PD_COLLATE = 0x10,
    PD_PRINTTOFILE = 0x20,
    PD_SHOWHELP = 0x800,
    PD_DISABLEPRINTTOFILE = 0x80000,
    PD_HIDEPRINTTOFILE = 0x100000,
};

struct PrintRequest {
    // The printers to choose from and the chosen one.
    std::vector<std::string> printers;
    int printer = 0;
    int copies = 1;
    int fromPage = 0;
    int toPage = 0;
    int minPage = 0;
    int maxPage = 0;
    // PD_SELECTION or PD_PAGENUMS for the range (neither: all pages), PD_COLLATE, PD_PRINTTOFILE.
    DWORD flags = 0;
};

struct PrinterSetupRequest {
    std::vector<std::string> printers;
    int printer = 0;
};

struct FontRequest {
    std::string face;
    int size = 0;  // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    COLORREF color = 0;
    // Sizes offered (0: no limit).
    int minSize = 0;
    int maxSize = 0;
    // Whether the effects (underline, strike-out, colour) are offered.
    bool effects = true;
    BYTE charset = 1;  // DEFAULT_CHARSET
    // Whose fonts are offered: the screen's, the printer's, or those of both.
    enum Device { Screen, Printer, Both } device = Screen;
    // A family that is not installed is refused rather than taken as typed.
    bool forceFontExist = false;
};

struct ColorRequest {
    COLORREF color = 0;
    // The sixteen custom colours, "ColorA=RRGGBB" style lines as the dialog keeps them.
    std::vector<std::string> customColors;
    bool fullOpen = false;
    bool preventFullOpen = false;
};

struct InputRequest {
    std::string caption;
    std::string prompt;
    std::string value;
};

// A message dialog with buttons of its own choice: each answers its result.
struct MessageDialogButton {
    std::string caption;
    int result = 0;
};

struct MessageDialogRequest {
    std::string text;
    std::string caption;
    // MB_ICONWARNING, MB_ICONERROR, MB_ICONINFORMATION, MB_ICONQUESTION or 0.
    unsigned icon = 0;
    std::vector<MessageDialogButton> buttons;
    // The button Enter presses and the one Esc presses (-1: none).
    int defaultButton = 0;
    int cancelButton = -1;
    int helpContext = 0;
};

}  // namespace win
