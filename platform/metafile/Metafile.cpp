#include "platform/metafile/Metafile.h"

namespace win::metafile {

void initialize() {}

void finalize() {}

}  // namespace win::metafile
