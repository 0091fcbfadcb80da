#pragma once
// Deflating a whole stream into another, and unpacking the program's gzip containers.

#include "platform/rtl/Streams.h"
#include "report/rptZLib.h"

#include <string>

namespace report {

// Deflates the whole source (from its start) into one complete zlib stream at the target's position:
// the two-byte header, the deflate data and the Adler-32 checksum. EZCompressionError on zlib's errors.
void rptCompressStream(rtl::TStream& source, rtl::TStream& target,
                       TZCompressionLevel level = TZCompressionLevel::zcDefault);

// Unpacks a gzip container from the source's position to its end and writes the data to the target;
// returns the file name stored in it (empty when none). The containers of this program keep the Adler-32
// checksum of the data, big-endian, in the modification-time field, which is what the data is checked
// against. A source too short for header and trailer, a name without its zero byte, a wrong checksum
// or data that is no such container raise EZDecompressionError "data error" and write nothing.
std::string rptGZipDecompress(rtl::TStream& source, rtl::TStream& target);

}  // namespace report
