#include "components/Components.h"

#include "components/KitStore.h"
#include "components/kiturl.h"
#include "platform/classes/ClassRegistry.h"

namespace components {

void initialize()
{
    classes::RegisterClass(TKitRegistryStore::StaticClass());
    classes::RegisterClass(TKitURL::StaticClass());
}

void finalize()
{
    classes::UnRegisterClass(TKitURL::StaticClass());
    classes::UnRegisterClass(TKitRegistryStore::StaticClass());
}

}  // namespace components
