#include "platform/commctrl/CommCtrl.h"

#include "platform/commctrl/StandardWindowClasses.h"

namespace win::commctrl {

void initialize()
{
    RegisterStandardWindowClasses();
}

void finalize()
{
    UnregisterStandardWindowClasses();
}

}  // namespace win::commctrl
