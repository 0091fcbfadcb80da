#pragma once
// The components a window's code works with, found in its stored data by name.

#include "platform/gui/core/Form.h"
#include "platform/rtl/Exceptions.h"

#include <string>

namespace analysis::detail {

// The component of the stored window called name, of class T; a window whose stored data lacks it
// cannot work and is refused.
template <class T>
T* Stored(gui::TForm& window, const std::string& name)
{
    auto* component = dynamic_cast<T*>(window.FindComponent(name));
    if (!component)
        throw rtl::EReadError("The stored data of " + window.ClassName() + " has no " + name + " of class "
                              + T::StaticClass().Name());
    return component;
}

}  // namespace analysis::detail
