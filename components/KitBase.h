#pragma once
// The base of the component library's non-visual components. It adds only the published About text;
// children, their owner and the end of loading are the plain component's.

#include "platform/classes/Component.h"

#include <string>

namespace components {

// The library's version, which every component of it shows as its About text.
std::string KitVersion();

class TKitComponent : public classes::TComponent {
public:
    explicit TKitComponent(classes::TComponent* owner);

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // The library's version, "v4.06"; shown in the designer, never stored, and assigning it does nothing.
    std::string About() const;
    void SetAbout(const std::string&) {}
};

}  // namespace components
