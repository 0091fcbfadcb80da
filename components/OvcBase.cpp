#include "components/OvcBase.h"

#include "platform/classes/Reflection.h"

namespace components {

TOvcComponent::TOvcComponent(classes::TComponent* owner) : classes::TComponent(owner)
{
}

const classes::TClassInfo& TOvcComponent::StaticClass()
{
    static const classes::TClassInfo info("TOvcComponent", &classes::TComponent::StaticClass(),
                                          [](classes::TClassInfo& c) {
                                              classes::ClassBuilder<TOvcComponent>(c)
                                                  .Property("About", &TOvcComponent::About, &TOvcComponent::SetAbout)
                                                  .Stored(false);
                                          });
    return info;
}

std::string TOvcComponent::About() const
{
    return "v4.06";
}

}  // namespace components
