#include "platform/text/Text.h"

#include "platform/text/FontEngine.h"

namespace win::text {

void initialize()
{
    InitializeFonts();
}

void finalize()
{
    FinalizeFonts();
}

}  // namespace win::text
