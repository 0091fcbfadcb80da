#pragma once
// What a printing system answers about a printer, made fit for device modes: impossible papers and
// resolutions skipped, margins and counts clamped, names cut to what device capabilities carry (63 and 23
// characters), lists bounded; a printer left without papers takes A4 with 5 mm margins.

#include "platform/printing/PrintBackend.h"

#include <string>

namespace win::detail {

constexpr int kMaxPaperLength = 500000;  // 5 m
constexpr int kMaxResolution = 9600;
constexpr std::size_t kMaxPapers = 256;
constexpr std::size_t kMaxListed = 256;  // sources, resolutions, formats
constexpr std::size_t kPaperNameLength = 63;
constexpr std::size_t kSourceNameLength = 23;
constexpr int kMaxCopies = 9999;

// Corrects capabilities in place; answers what it corrected ("2 papers skipped, ..."), empty for nothing.
std::string SanitizeCapabilities(PrinterCapabilities& capabilities);
// Defaults the printer cannot honour become its first paper, source and resolution, one side, no colour
// or collation it lacks, and copies within its limit.
void SanitizeDefaults(const PrinterCapabilities& capabilities, PrinterDefaults& defaults);

}  // namespace win::detail
