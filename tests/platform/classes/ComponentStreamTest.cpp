#include "SampleComponents.h"

#include "platform/classes/Classes.h"
#include "platform/classes/ComponentReader.h"
#include "platform/classes/ComponentWriter.h"
#include "platform/classes/Errors.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace std::string_literals;
using classes::TComponent;
using sample::TItem;
using sample::TNode;
using sample::TShade;

class ComponentStream : public ::testing::Test {
protected:
    void SetUp() override
    {
        classes::initialize();
        sample::RegisterSamples();
        liveBefore_ = TNode::live;
    }
    void TearDown() override
    {
        EXPECT_EQ(TNode::live, liveBefore_) << "components left behind";
        classes::finalize();
    }

    int liveBefore_ = 0;

    static std::string Write(TComponent* root, TComponent* ancestor = nullptr)
    {
        rtl::TMemoryStream stream;
        classes::TWriter writer(stream);
        writer.WriteDescendent(root, ancestor);
        return sample::Bytes(stream);
    }

    static TNode* Read(const std::string& bytes, TComponent* root = nullptr)
    {
        rtl::TMemoryStream stream;
        stream.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
        stream.SetPosition(0);
        classes::TReader reader(stream);
        return static_cast<TNode*>(reader.ReadRootComponent(root));
    }

    // A root with every kind of property set away from its default, two children and a grandchild;
    // First refers to Second, which is stored after it, and its event is bound to the root.
    static std::unique_ptr<TNode> BuildTree()
    {
        auto root = std::make_unique<TNode>(nullptr);
        root->SetName("Root");
        root->small = -5;
        root->byte = 200;
        root->shortValue = -30000;
        root->word = 60000;
        root->count = 123456;
        root->cardinal = 4000000000u;
        root->big = -9000000000LL;
        root->letter = 'Z';
        root->wideLetter = u'\u0416';
        root->enabled = false;
        root->shade = TShade::Blue;
        root->shades = 1u << 0 | 1u << 2;
        root->ratio = 0.25f;
        root->scale = 1.0 / 3.0;
        root->extended = 2.5e300;
        root->price = rtl::Currency::FromScaled(123456789);
        root->stamp = 45000.75;
        root->caption = std::string(300, 'x');
        root->wideCaption = u"wide \u20AC";
        root->code = "CODE";
        root->data = rtl::Variant(std::string("variant text"));
        root->Font()->name = "Courier New";
        root->Font()->size = 10;
        root->Frame()->LeftLine()->width = 3;
        root->Frame()->shade = TShade::Green;
        auto* item = static_cast<TItem*>(root->Items()->Add());
        item->caption = "first item";
        item->value = 7;
        static_cast<TItem*>(root->Items()->Add())->caption = "second item";
        root->Lines()->Add("one");
        root->Lines()->Add("two");
        root->blob = std::string("\0\1\2binary\xff", 10);
        root->numbers = {1, 300, -70000};

        auto* first = new TNode(root.get());
        first->SetName("First");
        first->parent = root.get();
        first->caption = "first";
        auto* second = new TNode(root.get());
        second->SetName("Second");
        second->parent = root.get();
        second->caption = "second";
        second->data = rtl::Variant(std::int32_t(42));
        auto* inner = new TNode(root.get());
        inner->SetName("Inner");
        inner->parent = first;
        inner->caption = "inner";
        first->buddy = second;
        first->onChange = rtl::MethodOf<&TNode::Clicked>(root.get());
        return root;
    }
};

TEST_F(ComponentStream, TreeRoundTripsUnchanged)
{
    auto tree = BuildTree();
    std::string bytes = Write(tree.get());
    std::unique_ptr<TNode> copy(Read(bytes));
    EXPECT_EQ(Write(copy.get()), bytes);

    EXPECT_EQ(copy->Name(), "Root");
    EXPECT_EQ(copy->small, -5);
    EXPECT_EQ(copy->byte, 200);
    EXPECT_EQ(copy->word, 60000);
    EXPECT_EQ(copy->cardinal, 4000000000u);
    EXPECT_EQ(copy->big, -9000000000LL);
    EXPECT_EQ(copy->letter, 'Z');
    EXPECT_EQ(copy->wideLetter, u'\u0416');
    EXPECT_FALSE(copy->enabled);
    EXPECT_EQ(copy->shade, TShade::Blue);
    EXPECT_EQ(copy->shades, 5u);
    EXPECT_EQ(copy->ratio, 0.25f);
    EXPECT_EQ(copy->scale, 1.0 / 3.0);
    EXPECT_EQ(copy->extended, 2.5e300);
    EXPECT_EQ(copy->price.scaled, 123456789);
    EXPECT_EQ(copy->stamp, 45000.75);
    EXPECT_EQ(copy->caption, std::string(300, 'x'));
    EXPECT_EQ(copy->wideCaption, u"wide \u20AC");
    EXPECT_EQ(copy->code.Str(), "CODE");
    EXPECT_EQ(copy->data.Type(), rtl::varString);
    EXPECT_EQ(copy->data.ToString(), "variant text");
    EXPECT_EQ(copy->Font()->name, "Courier New");
    EXPECT_EQ(copy->Frame()->LeftLine()->width, 3);
    EXPECT_EQ(copy->Frame()->shade, TShade::Green);
    ASSERT_EQ(copy->Items()->Count(), 2);
    EXPECT_EQ(static_cast<TItem*>(copy->Items()->Items(0))->value, 7);
    EXPECT_EQ(static_cast<TItem*>(copy->Items()->Items(1))->caption, "second item");
    EXPECT_EQ(copy->Lines()->Text(), "one\r\ntwo\r\n");
    EXPECT_EQ(copy->blob, std::string("\0\1\2binary\xff", 10));
    EXPECT_EQ(copy->numbers, (std::vector<int>{1, 300, -70000}));

    auto* first = static_cast<TNode*>(copy->FindComponent("First"));
    auto* second = static_cast<TNode*>(copy->FindComponent("Second"));
    auto* inner = static_cast<TNode*>(copy->FindComponent("Inner"));
    ASSERT_TRUE(first && second && inner);
    EXPECT_EQ(first->parent, copy.get());
    EXPECT_EQ(inner->parent, first);
    EXPECT_EQ(inner->Owner(), copy.get());
    EXPECT_EQ(first->buddy, second);
    EXPECT_EQ(second->data.ToInteger(), 42);
    first->onChange(first);
    EXPECT_EQ(copy->clicks, 1);
    EXPECT_EQ(copy->lastSender, first);
}

TEST_F(ComponentStream, LoadedRunsOncePerComponentAfterEverythingIsRead)
{
    auto tree = BuildTree();
    std::unique_ptr<TNode> copy(Read(Write(tree.get())));
    std::vector<TNode*> nodes{copy.get()};
    for (int i = 0; i < copy->ComponentCount(); ++i)
        nodes.push_back(static_cast<TNode*>(copy->Components(i)));
    for (TNode* node : nodes) {
        SCOPED_TRACE(node->Name());
        EXPECT_EQ(node->loadedCalls, 1);
        EXPECT_TRUE(node->treeCompleteAtLoad);
        EXPECT_FALSE(node->HasState(classes::csLoading | classes::csReading));
    }
    EXPECT_TRUE(static_cast<TNode*>(copy->FindComponent("First"))->buddyResolvedAtLoad);
}

TEST_F(ComponentStream, DefaultsAreNotWritten)
{
    TNode plain(nullptr);
    plain.SetName("Plain");
    // Signature, class, name, the properties stored without a default (Small, Byte, Short, Word)
    // and the two list ends.
    std::string expected = std::string("RVF0\x05TNode\x05Plain", 16)
        + std::string("\x05Small\x02\x00\x04\x42yte\x02\x00\x05Short\x02\x00\x04Word\x02\x00", 30)
        + std::string("\x09" "Font.Name\x06\x05" "Arial", 17) + std::string("\x00\x00", 2);
    EXPECT_EQ(Write(&plain), expected);
}

TEST_F(ComponentStream, AgainstAnAncestorOnlyTheDifferencesAreWritten)
{
    auto tree = BuildTree();
    std::string ancestorBytes = Write(tree.get());
    std::unique_ptr<TNode> ancestor(Read(ancestorBytes));
    std::unique_ptr<TNode> descendant(Read(ancestorBytes));
    descendant->count = 99;
    static_cast<TNode*>(descendant->FindComponent("Second"))->caption = "changed";
    auto* added = new TNode(descendant.get());
    added->SetName("Added");
    added->parent = descendant.get();
    added->caption = "added";

    std::string diff = Write(descendant.get(), ancestor.get());
    EXPECT_NE(diff.find("\x05""Count"), std::string::npos);
    EXPECT_NE(diff.find("changed"), std::string::npos);
    std::size_t addedAt = diff.find("\x05""Added");
    ASSERT_NE(addedAt, std::string::npos);
    // Before the new component, nothing the ancestor already holds.
    std::string inherited = diff.substr(0, addedAt);
    for (const char* unchanged : {"Small", "Font.Name", "Items", "Lines.Strings", "Blob", "Numbers", "Inner",
                                  "First", "OnChange", "Buddy", "variant text"})
        EXPECT_EQ(inherited.find(unchanged), std::string::npos) << unchanged;

    // The ancestor's data and then the differences give the descendant again.
    std::unique_ptr<TNode> rebuilt(Read(ancestorBytes));
    Read(diff, rebuilt.get());
    EXPECT_EQ(Write(rebuilt.get()), Write(descendant.get()));
    // Against itself: only the root's header.
    EXPECT_EQ(Write(descendant.get(), descendant.get()), std::string("RVF0\xF1\x05TNode\x04Root\0\0", 18));
}

TEST_F(ComponentStream, MovedInheritedChildrenKeepTheirNewPlace)
{
    auto tree = BuildTree();
    std::string ancestorBytes = Write(tree.get());
    std::unique_ptr<TNode> ancestor(Read(ancestorBytes));
    std::unique_ptr<TNode> descendant(Read(ancestorBytes));
    descendant->FindComponent("Second")->SetComponentIndex(0);
    std::string diff = Write(descendant.get(), ancestor.get());
    // Both children moved; neither has another change.
    EXPECT_NE(diff.find("\xF3\x02\x00\x05TNode\x06Second\0\0"s), std::string::npos);
    EXPECT_NE(diff.find("\xF3\x02\x01\x05TNode\x05""First\0\0"s), std::string::npos);
    std::unique_ptr<TNode> rebuilt(Read(ancestorBytes));
    Read(diff, rebuilt.get());
    EXPECT_EQ(rebuilt->Components(0)->Name(), "Second");
    EXPECT_EQ(Write(rebuilt.get()), Write(descendant.get()));
}

// Finds inherited components that the root does not own, as a report looks among its objects.
struct AncestorFinder {
    TNode* found = nullptr;
    TComponent* Find(classes::TReader&, const std::string& name) { return name == "Kept" ? found : nullptr; }
};

TEST_F(ComponentStream, InheritedComponentsMissingFromTheOwnerAreAskedFor)
{
    std::string bytes = "RVF0\x05TNode\x04Root\0"s + "\xF1\x05TNode\x04Kept\x07""Caption\x06\x01k\0\0"s + "\0"s;
    TNode root(nullptr);
    TNode kept(nullptr);
    AncestorFinder finder{&kept};
    rtl::TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
    stream.SetPosition(0);
    classes::TReader reader(stream);
    reader.OnAncestorNotFound = rtl::MethodOf<&AncestorFinder::Find>(&finder);
    reader.ReadRootComponent(&root);
    EXPECT_EQ(kept.caption, "k");
    EXPECT_EQ(kept.loadedCalls, 1);

    finder.found = nullptr;
    stream.SetPosition(0);
    try {
        reader.ReadRootComponent(&root);
        ADD_FAILURE();
    } catch (const rtl::EReadError& e) {
        EXPECT_EQ(e.Message(), "Ancestor for 'Kept' not found");
    }
}

TEST_F(ComponentStream, TruncatedDataFailsAndLeavesNothing)
{
    auto tree = BuildTree();
    std::string bytes = Write(tree.get());
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        SCOPED_TRACE(size);
        EXPECT_THROW(Read(bytes.substr(0, size)), rtl::Exception);
        ASSERT_EQ(TNode::live, 1 + 3);
    }
}

TEST_F(ComponentStream, AlteredDataFailsCleanlyOrReads)
{
    auto tree = BuildTree();
    std::string bytes = Write(tree.get());
    int failures = 0;
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        for (unsigned char value : {0x00, 0x07, 0x0E, 0x7F, 0xFF}) {
            std::string altered = bytes;
            altered[at] = char(value);
            try {
                delete Read(altered);
            } catch (const rtl::Exception&) {
                ++failures;
            }
            ASSERT_EQ(TNode::live, 4) << "at " << at;
        }
    }
    EXPECT_GT(failures, int(bytes.size()));
}

TEST_F(ComponentStream, ReadingIntoAnExistingRootUndoesWhatItCreated)
{
    auto tree = BuildTree();
    std::string bytes = Write(tree.get());
    TNode root(nullptr);
    EXPECT_THROW(Read(bytes.substr(0, bytes.size() - 1), &root), rtl::EReadError);
    EXPECT_EQ(root.ComponentCount(), 0);
    EXPECT_FALSE(root.HasState(classes::csLoading | classes::csReading));
}

TEST_F(ComponentStream, DamagedDataGivesTheLibraryMessages)
{
    struct Case {
        std::string bytes;
        const char* message;
    };
    const std::string head("RVF0\x05TNode\x04Root", 15);
    const Case cases[] = {
        {"TPF1", "Invalid stream format"},
        {head, "Stream read error"},
        {std::string("RVF0\x06TOther\x04Root", 16), "Class TOther not found"},
        {head + std::string("\x05""Count\x06\x01x\0\0", 11), "Error reading Root.Count: Invalid property value"},
        {head + std::string("\x05Shade\x07\x06shPink\0\0", 16), "Error reading Root.Shade: Invalid property value"},
        {head + std::string("\x05Small\x03\x00\x01\0\0", 11), "Error reading Root.Small: Invalid property value"},
        {head + std::string("\x04Nope\x02\x01\0\0", 9), "Error reading Root.Nope: Property Nope does not exist"},
        {head + std::string("\x08OnChange\x07\x04Gone\0\0", 17), "Error reading Root.OnChange: Method Gone not found"},
        {head + std::string("\x07""Caption\x0C\xFF\xFF\xFF\x7Fx\0\0", 17), "Error reading Root.Caption: Stream read error"},
        {head + std::string("\x04""Blob\x0A\x10\x00\x00\x00xy\0\0", 15), "Error reading Root.Blob: Stream read error"},
        {head + std::string("\x05""Count\x16\0\0", 9), "Error reading Root.Count: Invalid property value"},
        // Children nested deeper than any stored window: damaged, and no stack overflow.
        {head + "\0"s + [] {
             std::string nested;
             for (int i = 0; i < 100000; ++i)
                 nested += "\x05TNode\x00\x00"s;
             return nested;
         }(),
         "Invalid property value"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        try {
            delete Read(c.bytes);
            ADD_FAILURE() << "no error";
        } catch (const rtl::Exception& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
    }
}

TEST_F(ComponentStream, ReferencesByOwnerPathWaitForTheirRoot)
{
    std::unique_ptr<TNode> other;
    int finder = classes::RegisterFindGlobalComponent(
        [&](std::string_view name) -> TComponent* { return other && name == "Other" ? other.get() : nullptr; });
    std::string bytes = std::string("RVF0\x05TNode\x04Root", 15)
        + std::string("\x05""Buddy\x07\x0cOther.Target", 20) + std::string("\x07""Caption\x06\x01r\0\0", 13);
    std::unique_ptr<TNode> root(Read(bytes));
    EXPECT_EQ(root->buddy, nullptr);
    EXPECT_EQ(classes::PendingFixupCount(), 1);

    other = std::make_unique<TNode>(nullptr);
    other->SetName("Other");
    auto* target = new TNode(other.get());
    target->SetName("Target");
    classes::GlobalFixupReferences();
    EXPECT_EQ(root->buddy, target);
    EXPECT_EQ(classes::PendingFixupCount(), 0);

    // The reference is written back as the same path, and dropped when the target goes.
    EXPECT_NE(Write(root.get()).find("Other.Target"), std::string::npos);
    other.reset();
    EXPECT_EQ(root->buddy, nullptr);
    classes::UnregisterFindGlobalComponent(finder);
}

}  // namespace
