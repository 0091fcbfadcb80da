#include "platform/imaging/Imaging.h"

namespace win::imaging {

void initialize() {}

void finalize() {}

}  // namespace win::imaging
