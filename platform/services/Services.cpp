#include "platform/services/Services.h"

#include "platform/services/Sound.h"

namespace win::services {

void initialize()
{
    ClearSoundLog();
}

void finalize()
{
    ClearSoundLog();
}

}  // namespace win::services
