#include "platform/text/Text.h"

#include "platform/text/FontEngine.h"
#include "platform/text/detail/FontEngine.h"

namespace win::text {

using namespace win::detail;

void initialize()
{
    InitializeFonts();
}

void finalize()
{
    FinalizeFonts();
}

}  // namespace win::text
