#pragma once
// Device modes of the printers: the defaults DocumentProperties hands out, the merge of a program's
// changes into them, and the settings a device mode stands for. A device mode from a program is never
// trusted: fields the printer cannot honour are corrected to its defaults or limits, and the private part
// is read only when its size and signature are ours.

#include "platform/printing/detail/PrinterModel.h"

namespace win::detail {

// The private part of a device mode: the keywords of the chosen paper and source with the numbers they
// had, so that a device mode keeps naming them when the printer's lists change order (their numbers
// beyond 256 follow the order), while a program that puts another number in the public part gets that.
struct DevModeExtra {
    char signature[8] = {'R', 'V', 'P', 'R', 'N', '0', '2', '\0'};
    SHORT paperCode = 0;
    SHORT sourceCode = 0;
    char media[128] = {};
    char source[64] = {};
};

struct FullDevMode {
    DEVMODEA mode;
    DevModeExtra extra;
};
static_assert(sizeof(FullDevMode) == sizeof(DEVMODEA) + sizeof(DevModeExtra));

// What a device mode stands for on a printer.
struct PrintSettings {
    Paper paper;  // the paper really used
    int paperIndex = -1;  // in the printer's list; -1 for a size of the document's own
    SHORT orientation = DMORIENT_PORTRAIT;
    int sourceIndex = -1;
    Resolution resolution;  // that pages are drawn and sent at
    SHORT duplex = DMDUP_SIMPLEX;
    bool color = false;
    int copies = 1;
    bool collate = false;

    bool Custom() const { return paperIndex < 0; }
};

FullDevMode DefaultDevMode(const PrinterModel& printer);
// base changed by the fields change.dmFields names, each checked against the printer.
FullDevMode MergeDevMode(const PrinterModel& printer, const FullDevMode& base, const DEVMODEA& change);
// A program's device mode (null: none) on the printer's defaults.
FullDevMode ReadDevMode(const PrinterModel& printer, const DEVMODEA* mode);
// Whether every field holds what the printer honours (as every device mode this unit makes does).
bool IsValidDevMode(const PrinterModel& printer, const FullDevMode& mode);

// A size of the document's own is printed on the printer's custom size when its range holds it, else on
// the smallest of its papers that holds it, else on its default paper. A resolution pages cannot be sent
// at becomes the nearest one they can.
PrintSettings SettingsOf(const PrinterModel& printer, const FullDevMode& mode);

// The PWG keyword of a size of one's own, hundredths of a millimetre: "custom_200x300mm_200x300mm".
std::string CustomMediaKeyword(int width, int length);

}  // namespace win::detail
