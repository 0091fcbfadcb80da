#include "components/Components.h"

#include "components/OvcStore.h"
#include "platform/classes/ClassRegistry.h"

namespace components {

void initialize()
{
    classes::RegisterClass(TOvcRegistryStore::StaticClass());
}

void finalize()
{
    classes::UnRegisterClass(TOvcRegistryStore::StaticClass());
}

}  // namespace components
