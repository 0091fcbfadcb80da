#pragma once
// References between components that are resolved after reading: a property that names a component
// by "Name" (owned by the root that was read), by "Owner" (the root itself), or by an owner path
// "Form2.Button1" (a global component, then components it owns). A path whose first component does
// not exist yet stays pending until GlobalFixupReferences finds it.

#include "platform/classes/TypeInfo.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace classes {

class TComponent;

struct TFixup {
    TObject* instance = nullptr;      // the object whose property refers
    const TPropInfo* prop = nullptr;
    TComponent* holder = nullptr;     // the component that instance belongs to
    TComponent* root = nullptr;       // the root the name is relative to
    std::string name;
};

// Global components (forms and data modules) by name, as the GUI library finds them.
using TFindGlobalComponent = std::function<TComponent*(std::string_view name)>;
int RegisterFindGlobalComponent(TFindGlobalComponent find);
void UnregisterFindGlobalComponent(int id);
TComponent* FindGlobalComponent(std::string_view name);

// The component a reference names, seen from root; null when it does not exist.
TComponent* FindComponentByPath(TComponent* root, std::string_view path);

// Sets every fixup that resolves; those with an owner path that does not resolve yet become pending
// (unless keepPending is false). Unresolved names leave their property as it was.
void ResolveFixups(std::vector<TFixup>& fixups, bool keepPending = true);
void GlobalFixupReferences();
// Forgets pending fixups held by or relative to component (it is going away).
void RemoveFixups(TComponent* component);
int PendingFixupCount();
// Forgets every pending fixup and every global-component finder.
void ClearFixups();

}  // namespace classes
