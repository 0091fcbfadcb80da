#include "platform/rtl/Rtl.h"

namespace rtl {

void initialize()
{
}

void finalize()
{
}

}  // namespace rtl
