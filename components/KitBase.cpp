#include "components/KitBase.h"

#include "platform/classes/Reflection.h"

namespace components {

TKitComponent::TKitComponent(classes::TComponent* owner) : classes::TComponent(owner)
{
}

const classes::TClassInfo& TKitComponent::StaticClass()
{
    static const classes::TClassInfo info("TKitComponent", &classes::TComponent::StaticClass(),
                                          [](classes::TClassInfo& c) {
                                              classes::ClassBuilder<TKitComponent>(c)
                                                  .Property("About", &TKitComponent::About, &TKitComponent::SetAbout)
                                                  .Stored(false);
                                          });
    return info;
}

std::string KitVersion()
{
    return "v4.06";
}

std::string TKitComponent::About() const
{
    return KitVersion();
}

}  // namespace components
