#include "platform/classes/Fixups.h"

#include "platform/classes/Component.h"
#include "platform/classes/Reflection.h"
#include "platform/rtl/Collation.h"
#include "platform/rtl/Exceptions.h"

#include <algorithm>
#include <utility>

namespace classes {

namespace {

std::vector<std::pair<int, TFindGlobalComponent>>& GlobalFinders()
{
    static std::vector<std::pair<int, TFindGlobalComponent>> finders;
    return finders;
}

std::vector<TFixup>& Pending()
{
    static std::vector<TFixup> pending;
    return pending;
}

bool TryResolve(const TFixup& fixup)
{
    TComponent* target = FindComponentByPath(fixup.root, fixup.name);
    if (!target)
        return false;
    try {
        SetObjectProp(*fixup.instance, *fixup.prop, target);
    } catch (const rtl::EReadError&) {
        throw;
    } catch (const rtl::Exception& e) {
        // A reference to a component the property cannot hold is damaged data of that property.
        const std::string holder = fixup.holder ? fixup.holder->Name() : std::string();
        throw rtl::EReadError("Error reading " + (holder.empty() ? std::string() : holder + ".") + fixup.prop->name +
                              ": " + e.Message());
    }
    return true;
}

}  // namespace

int RegisterFindGlobalComponent(TFindGlobalComponent find)
{
    static int nextId = 0;
    GlobalFinders().emplace_back(++nextId, std::move(find));
    return nextId;
}

void UnregisterFindGlobalComponent(int id)
{
    auto& finders = GlobalFinders();
    finders.erase(std::remove_if(finders.begin(), finders.end(), [id](const auto& f) { return f.first == id; }),
                  finders.end());
}

TComponent* FindGlobalComponent(std::string_view name)
{
    for (const auto& [id, find] : GlobalFinders())
        if (TComponent* found = find(name))
            return found;
    return nullptr;
}

TComponent* FindComponentByPath(TComponent* root, std::string_view path)
{
    std::size_t dot = path.find('.');
    std::string_view first = path.substr(0, dot);
    TComponent* current = nullptr;
    if (root && rtl::SameText(first, "Owner"))
        current = root;
    else if (TComponent* owned = root ? root->FindComponent(first) : nullptr)
        current = owned;
    else if (dot != std::string_view::npos)
        current = root && rtl::SameText(root->Name(), first) ? root : FindGlobalComponent(first);
    while (current && dot != std::string_view::npos) {
        path.remove_prefix(dot + 1);
        dot = path.find('.');
        current = current->FindComponent(path.substr(0, dot));
    }
    return current;
}

void ResolveFixups(std::vector<TFixup>& fixups, bool keepPending)
{
    for (TFixup& fixup : fixups)
        if (!TryResolve(fixup) && keepPending && fixup.name.find('.') != std::string::npos)
            Pending().push_back(std::move(fixup));
    fixups.clear();
}

void GlobalFixupReferences()
{
    auto& pending = Pending();
    // Setting a property may create or free components, so work on a copy of the list.
    std::vector<TFixup> work;
    work.swap(pending);
    for (TFixup& fixup : work)
        if (!TryResolve(fixup))
            pending.push_back(std::move(fixup));
}

void RemoveFixups(TComponent* component)
{
    auto& pending = Pending();
    pending.erase(std::remove_if(pending.begin(), pending.end(),
                                 [component](const TFixup& f) {
                                     return f.holder == component || f.root == component;
                                 }),
                  pending.end());
}

int PendingFixupCount()
{
    return int(Pending().size());
}

void ClearFixups()
{
    Pending().clear();
    GlobalFinders().clear();
}

}  // namespace classes
