#include "platform/classes/Component.h"

#include "platform/classes/ComponentReader.h"
#include "platform/classes/ComponentWriter.h"
#include "platform/classes/Fixups.h"
#include "platform/classes/Reflection.h"
#include "platform/rtl/Collation.h"
#include "platform/rtl/List.h"

#include <algorithm>

namespace classes {

bool IsValidIdent(std::string_view name)
{
    auto alpha = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    if (name.empty() || !alpha(name[0]))
        return false;
    return std::all_of(name.begin(), name.end(), [&](char c) { return alpha(c) || (c >= '0' && c <= '9'); });
}

TComponent::TComponent(TComponent* owner)
{
    if (owner)
        owner->InsertComponent(this);
}

TComponent::~TComponent()
{
    Destroying();
    RemoveFixups(this);
    while (!freeNotifies_.empty()) {
        TComponent* other = freeNotifies_.back();
        freeNotifies_.pop_back();
        std::erase(other->freeNotifies_, this);
        other->Notification(this, TOperation::Remove);
    }
    DestroyComponents();
    if (owner_)
        owner_->RemoveComponent(this);
}

const TClassInfo& TComponent::StaticClass()
{
    static const TClassInfo info("TComponent", &TPersistent::StaticClass(), [](TClassInfo& c) {
        ClassBuilder<TComponent>(c)
            .Property("Name", &TComponent::Name, &TComponent::SetName).Stored(false)
            .Property("Tag", &TComponent::Tag, &TComponent::SetTag).Default(0);
    });
    return info;
}

void TComponent::SetName(const std::string& name)
{
    if (name == name_)
        return;
    if (!name.empty() && !IsValidIdent(name))
        throw EComponentError("'" + name + "' is not a valid component name");
    if (owner_)
        owner_->ValidateRename(this, name_, name);
    else
        ValidateRename(nullptr, name_, name);
    ChangeName(name);
}

TComponent* TComponent::Components(int index) const
{
    rtl::CheckListIndex(index, ComponentCount());
    return components_[std::size_t(index)];
}

int TComponent::ComponentIndex() const
{
    if (!owner_)
        return -1;
    auto& list = owner_->components_;
    return int(std::find(list.begin(), list.end(), this) - list.begin());
}

void TComponent::SetComponentIndex(int index)
{
    if (!owner_)
        return;
    auto& list = owner_->components_;
    int current = ComponentIndex();
    index = std::clamp(index, 0, int(list.size()) - 1);
    if (current == index)
        return;
    list.erase(list.begin() + current);
    list.insert(list.begin() + index, this);
}

TComponent* TComponent::FindComponent(std::string_view name) const
{
    if (name.empty())
        return nullptr;
    TComponent* found = nullptr;
    int count = 0;
    componentNames_.ForEach(name, [&](TComponent* c) {
        found = c;
        ++count;
    });
    if (count <= 1)
        return found;
    // Components inserted with a name their new owner already had: the first in order wins.
    for (TComponent* c : components_)
        if (rtl::SameText(c->name_, name))
            return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* component)
{
    component->ValidateContainer(this);
    ValidateRename(component, std::string(), component->name_);
    Insert(component);
    if (HasState(csDesigning))
        component->SetDesigning(true);
    Notification(component, TOperation::Insert);
}

void TComponent::RemoveComponent(TComponent* component)
{
    Notification(component, TOperation::Remove);
    Remove(component);
}

void TComponent::DestroyComponents()
{
    while (!components_.empty()) {
        TComponent* component = components_.back();
        // Only components others asked to hear about are announced; the rest go quietly.
        if (component->HasState(csFreeNotification))
            RemoveComponent(component);
        else
            Remove(component);
        delete component;
    }
}

void TComponent::Destroying()
{
    if (HasState(csDestroying))
        return;
    SetState(csDestroying);
    for (TComponent* c : components_)
        c->Destroying();
}

void TComponent::SetDesigning(bool value, bool setChildren)
{
    value ? SetState(csDesigning) : ClearState(csDesigning);
    if (setChildren)
        for (TComponent* c : components_)
            c->SetDesigning(value);
}

void TComponent::SetAncestor(bool value)
{
    value ? SetState(csAncestor) : ClearState(csAncestor);
    for (TComponent* c : components_)
        c->SetAncestor(value);
}

void TComponent::SetInline(bool value)
{
    value ? SetState(csInline) : ClearState(csInline);
}

void TComponent::FreeNotification(TComponent* component)
{
    if (!component || component == this)
        return;
    if (!owner_ || component->owner_ != owner_) {
        if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end()) {
            freeNotifies_.push_back(component);
            component->FreeNotification(this);
        }
    }
    SetState(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* component)
{
    std::erase(freeNotifies_, component);
    std::erase(component->freeNotifies_, this);
}

void TComponent::GetChildren(const TGetChildProc&, TComponent*)
{
}

void TComponent::ReadState(TReader& reader)
{
    reader.ReadData(this);
}

void TComponent::WriteState(TWriter& writer)
{
    writer.WriteData(this);
}

void TComponent::Loaded()
{
    ClearState(csLoading);
}

void TComponent::Notification(TComponent* component, TOperation operation)
{
    if (operation == TOperation::Remove && component) {
        RemoveFreeNotification(component);
        ClearReferencesTo(component);
    }
    for (std::size_t i = 0; i < components_.size(); ++i)
        components_[i]->Notification(component, operation);
}

void TComponent::ClearReferencesTo(TComponent* component)
{
    // While this component goes, its own class's accessors may already be gone.
    if (HasState(csDestroying))
        return;
    // Handlers of component carry its address as their data (the object model uses single inheritance).
    void* address = static_cast<TObject*>(component);
    for (const TPropInfo& prop : ClassType().Properties()) {
        if (prop.getObject && prop.setObject && prop.getObject(*this) == address)
            prop.setObject(*this, nullptr);
        else if (prop.getMethod && prop.setMethod && prop.getMethod(*this).data == address)
            prop.setMethod(*this, TMethodRef{});
    }
}

void TComponent::ValidateRename(TComponent* component, const std::string& curName, const std::string& newName)
{
    if (component && !rtl::SameText(curName, newName) && component->owner_ == this && FindComponent(newName))
        throw EComponentError("A component named " + newName + " already exists");
}

void TComponent::ValidateContainer(TComponent* component)
{
    component->ValidateInsert(this);
}

void TComponent::ChangeName(const std::string& name)
{
    if (owner_) {
        owner_->componentNames_.Remove(name_, this);
        owner_->componentNames_.Add(name, this);
    }
    name_ = name;
}

void TComponent::Insert(TComponent* component)
{
    components_.push_back(component);
    componentNames_.Add(component->name_, component);
    component->owner_ = this;
}

void TComponent::Remove(TComponent* component)
{
    std::erase(components_, component);
    componentNames_.Remove(component->name_, component);
    component->owner_ = nullptr;
}

}  // namespace classes
