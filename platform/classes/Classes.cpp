#include "platform/classes/Classes.h"

#include "platform/classes/Collection.h"
#include "platform/classes/Component.h"
#include "platform/classes/Fixups.h"
#include "platform/classes/Reflection.h"

namespace classes {

void initialize()
{
    RegisterClasses({&TObject::StaticClass(), &TPersistent::StaticClass(), &TComponent::StaticClass(),
                     &TCollection::StaticClass(), &TCollectionItem::StaticClass(), &StringsClass()});
}

void finalize()
{
    UnRegisterAllClasses();
    ClearFixups();
}

}  // namespace classes
