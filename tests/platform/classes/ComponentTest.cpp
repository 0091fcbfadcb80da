#include "SampleComponents.h"

#include "platform/classes/Classes.h"
#include "platform/classes/Errors.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using classes::TComponent;
using sample::TNode;

TEST(Component, NamesFollowTheRules)
{
    TNode owner(nullptr);
    auto* a = new TNode(&owner);
    a->SetName("Button1");
    auto* b = new TNode(&owner);
    struct Case {
        const char* name;
        const char* message;
    };
    const Case bad[] = {
        {"1st", "'1st' is not a valid component name"},
        {"with space", "'with space' is not a valid component name"},
        {"BUTTON1", "A component named BUTTON1 already exists"},
    };
    for (const Case& c : bad) {
        try {
            b->SetName(c.name);
            ADD_FAILURE() << c.name;
        } catch (const classes::EComponentError& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
        EXPECT_EQ(b->Name(), "");
    }
    b->SetName("_Button2");
    a->SetName("button1");  // a new case of its own name is no clash
    EXPECT_EQ(owner.FindComponent("BUTTON2"), nullptr);
    EXPECT_EQ(owner.FindComponent("_button2"), b);
    EXPECT_EQ(owner.FindComponent(""), nullptr);
    // Two unnamed components may share an owner.
    new TNode(&owner);
    new TNode(&owner);
    EXPECT_EQ(owner.ComponentCount(), 4);
}

// A component moved to another owner keeps its name even when the new owner has it: then the first of
// them in the owner's order is found, through renames, reorders and removals.
TEST(Component, FindComponentFollowsRenamesMovesAndSharedNames)
{
    TNode owner(nullptr);
    TNode other(nullptr);
    auto* first = new TNode(&owner);
    first->SetName("Pump");
    auto* moved = new TNode(&other);
    moved->SetName("PUMP");
    other.RemoveComponent(moved);
    owner.InsertComponent(moved);
    EXPECT_EQ(other.FindComponent("Pump"), nullptr);
    EXPECT_EQ(owner.FindComponent("pump"), first);
    moved->SetComponentIndex(0);
    EXPECT_EQ(owner.FindComponent("pump"), moved);
    moved->SetName("Fan");
    EXPECT_EQ(owner.FindComponent("pump"), first);
    EXPECT_EQ(owner.FindComponent("FAN"), moved);
    first->SetName("Motor");
    EXPECT_EQ(owner.FindComponent("Pump"), nullptr);
    EXPECT_EQ(owner.FindComponent("motor"), first);
    delete moved;
    EXPECT_EQ(owner.FindComponent("Fan"), nullptr);
    EXPECT_EQ(owner.FindComponent("Motor"), first);
}

TEST(Component, OwnerDeletesWhatItOwnsAndHearsOfRemovals)
{
    int before = TNode::live;
    {
        auto owner = std::make_unique<TNode>(nullptr);
        auto* a = new TNode(owner.get());
        a->SetName("A");
        auto* b = new TNode(owner.get());
        b->SetName("B");
        new TNode(b);  // owned by b
        EXPECT_EQ(a->ComponentIndex(), 0);
        b->SetComponentIndex(0);
        EXPECT_EQ(owner->Components(0), b);
        EXPECT_THROW(owner->Components(2), rtl::EListError);
        delete a;
        EXPECT_EQ(owner->ComponentCount(), 1);
        EXPECT_EQ(owner->notifications, std::vector<std::string>{"A"});
        // Siblings hear of it through the owner.
        EXPECT_EQ(b->notifications, std::vector<std::string>{"A"});
    }
    EXPECT_EQ(TNode::live, before);
}

TEST(Component, FreedComponentClearsReferencesAndEventsThatPointAtIt)
{
    TNode owner(nullptr);
    auto* holder = new TNode(&owner);
    auto* target = new TNode(&owner);
    holder->buddy = target;
    holder->onChange = rtl::MethodOf<&TNode::Clicked>(target);
    auto* untouched = rtl::MethodOf<&TNode::Clicked>(&owner).Data();
    auto* other = new TNode(&owner);
    other->onChange = rtl::MethodOf<&TNode::Clicked>(&owner);
    delete target;
    EXPECT_EQ(holder->buddy, nullptr);
    EXPECT_FALSE(holder->onChange);
    EXPECT_EQ(other->onChange.Data(), untouched);

    // Across owners, through the free notification that setting the reference asked for.
    auto elsewhere = std::make_unique<TNode>(nullptr);
    auto* far = new TNode(elsewhere.get());
    far->SetName("Far");
    const classes::TPropInfo& buddy = *TNode::StaticClass().FindProperty("Buddy");
    classes::SetObjectProp(*holder, buddy, far);
    const classes::TPropInfo& onChange = *TNode::StaticClass().FindProperty("OnChange");
    classes::SetMethodProp(*holder, onChange, elsewhere.get(), "Clicked");
    EXPECT_TRUE(holder->onChange);
    delete far;
    EXPECT_EQ(holder->buddy, nullptr);
    EXPECT_TRUE(holder->onChange);
    elsewhere.reset();
    EXPECT_FALSE(holder->onChange);
}

TEST(Component, FreeNotificationIsForgottenFromBothSides)
{
    auto watcher = std::make_unique<TNode>(nullptr);
    auto watched = std::make_unique<TNode>(nullptr);
    watched->SetName("Watched");
    watched->FreeNotification(watcher.get());
    watched->RemoveFreeNotification(watcher.get());
    watched.reset();
    EXPECT_TRUE(watcher->notifications.empty());

    watched = std::make_unique<TNode>(nullptr);
    watched->SetName("Watched");
    watched->FreeNotification(watcher.get());
    // The watcher goes first: the watched one must not tell a deleted object later.
    watcher.reset();
    watched.reset();
}

TEST(Component, StatesPassToOwnedComponents)
{
    TNode owner(nullptr);
    auto* a = new TNode(&owner);
    owner.SetDesigning(true);
    EXPECT_TRUE(a->HasState(classes::csDesigning));
    auto* b = new TNode(&owner);
    EXPECT_TRUE(b->HasState(classes::csDesigning));
    owner.SetDesigning(false, false);
    EXPECT_TRUE(a->HasState(classes::csDesigning));
    owner.SetAncestor(true);
    EXPECT_TRUE(b->HasState(classes::csAncestor));
    owner.Destroying();
    EXPECT_TRUE(a->HasState(classes::csDestroying));
}

TEST(Component, NamePathAndOwnerOfPersistents)
{
    TNode owner(nullptr);
    owner.SetName("Form1");
    EXPECT_EQ(owner.GetNamePath(), "Form1");
    EXPECT_EQ(owner.Items()->GetNamePath(), "Form1.Items");
    owner.Items()->Add();
    EXPECT_EQ(owner.Items()->Items(0)->GetNamePath(), "Form1.Items[0]");
    EXPECT_EQ(owner.Items()->Items(0)->GetOwner(), owner.Items());
}

TEST(Persistent, AssignOfUnrelatedClassesNamesBoth)
{
    sample::TFont font;
    sample::TLine line;
    try {
        font.Assign(&line);
        ADD_FAILURE();
    } catch (const rtl::EConvertError& e) {
        EXPECT_EQ(e.Message(), "Cannot assign a TLine to a TFont");
    }
    EXPECT_THROW(font.Assign(nullptr), rtl::EConvertError);
}

}  // namespace
