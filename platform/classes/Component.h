#pragma once
// TComponent: a named object with an owner. The owner deletes the components it owns; a component
// tells the components that asked for it (FreeNotification) and the other components of its owner
// when it goes away, and they drop their references and events that point at it.
//
// Deleting a component runs the destructors of its own class first; a class that must still see its
// owned components while they go (a window and its controls) calls DestroyComponents() in its own
// destructor.

#include "platform/classes/NameIndex.h"
#include "platform/classes/Persistent.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace classes {

class TReader;
class TWriter;

enum TComponentStateFlag : std::uint32_t {
    csLoading = 1u << 0,
    csReading = 1u << 1,
    csWriting = 1u << 2,
    csDestroying = 1u << 3,
    csDesigning = 1u << 4,
    csAncestor = 1u << 5,
    csUpdating = 1u << 6,
    csFixups = 1u << 7,
    csFreeNotification = 1u << 8,
    csInline = 1u << 9,
    csDesignInstance = 1u << 10,
};
using TComponentState = std::uint32_t;

enum class TOperation { Insert, Remove };

using TGetChildProc = std::function<void(TComponent* child)>;

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;

    static const TClassInfo& StaticClass();
    const TClassInfo& ClassType() const override { return StaticClass(); }

    TComponent* Owner() const { return owner_; }
    const std::string& Name() const { return name_; }
    // Empty, or an identifier unique (without regard to case) among the owner's components:
    // EComponentError "'%s' is not a valid component name" / "A component named %s already exists".
    virtual void SetName(const std::string& name);
    std::int32_t Tag() const { return tag_; }
    void SetTag(std::int32_t tag) { tag_ = tag; }

    int ComponentCount() const { return int(components_.size()); }
    TComponent* Components(int index) const;
    // Position among the owner's components; -1 without an owner.
    int ComponentIndex() const;
    void SetComponentIndex(int index);
    // An owned component by name, without regard to case; null when none or name is empty.
    TComponent* FindComponent(std::string_view name) const;
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    // Deletes every owned component, last first.
    void DestroyComponents();
    // Enters the destroying state (once) and lets Destroying() of the owned components follow.
    void Destroying();

    TComponentState ComponentState() const { return state_; }
    bool HasState(TComponentState flags) const { return (state_ & flags) != 0; }
    // Design and ancestor marks, passed on to the owned components.
    void SetDesigning(bool value, bool setChildren = true);
    void SetAncestor(bool value);
    void SetInline(bool value);

    // Asks to be told (Notification, Remove) when component goes away; both sides forget each other
    // when either goes.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    // Stored children, their owner and their parent.
    virtual void GetChildren(const TGetChildProc& proc, TComponent* root);
    virtual TComponent* GetChildOwner() { return nullptr; }
    virtual TComponent* GetChildParent() { return this; }
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual bool HasParent() const { return false; }
    virtual void SetParentComponent(TComponent*) {}
    virtual void SetChildOrder(TComponent*, int) {}

    // Reading and writing this component's own data (properties and children).
    virtual void ReadState(TReader& reader);
    virtual void WriteState(TWriter& writer);

    TPersistent* GetOwner() const override { return owner_; }
    std::string GetNamePath() const override { return name_; }

protected:
    // After the whole tree was read and its references resolved; clears the loading state.
    virtual void Loaded();
    // Insert: component was added to the owner; Remove: it is going away. The base drops free
    // notifications, clears this component's published references and events that point at it, and
    // passes the news on to the owned components.
    virtual void Notification(TComponent* component, TOperation operation);
    virtual void ValidateRename(TComponent* component, const std::string& curName, const std::string& newName);
    virtual void ValidateInsert(TComponent*) {}
    virtual void ValidateContainer(TComponent* component);
    void ChangeName(const std::string& name);
    void SetState(TComponentState flags) { state_ |= flags; }
    void ClearState(TComponentState flags) { state_ &= ~flags; }

private:
    friend class TReader;
    friend class TWriter;

    void Insert(TComponent* component);
    void Remove(TComponent* component);
    void NotifyAll(TComponent* component, TOperation operation);
    void ClearReferencesTo(TComponent* component);

    TComponent* owner_ = nullptr;
    std::string name_;
    std::int32_t tag_ = 0;
    TComponentState state_ = 0;
    std::vector<TComponent*> components_;
    TNameIndex<TComponent> componentNames_;
    std::vector<TComponent*> freeNotifies_;
};

bool IsValidIdent(std::string_view name);

}  // namespace classes
