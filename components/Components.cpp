#include "components/Components.h"

#include "components/KitStore.h"
#include "platform/classes/ClassRegistry.h"

namespace components {

void initialize()
{
    classes::RegisterClass(TKitRegistryStore::StaticClass());
}

void finalize()
{
    classes::UnRegisterClass(TKitRegistryStore::StaticClass());
}

}  // namespace components
