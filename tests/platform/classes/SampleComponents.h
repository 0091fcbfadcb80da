#pragma once
// A small component family with a property of every kind, shared by the object-model tests.

#include "platform/classes/Collection.h"
#include "platform/classes/Component.h"
#include "platform/classes/Reflection.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/Variant.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace sample {

using classes::TComponent;
using classes::TObject;
using classes::TPersistent;

enum class TShade : std::uint8_t { Red, Green, Blue };
using TShades = std::uint32_t;  // bit i set: shade i in the set
const classes::TTypeInfo& ShadeType();
const classes::TTypeInfo& ShadesType();
const classes::TTypeInfo& ExtendedType();

class TLine : public TPersistent {
public:
    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
    int width = 1;
};

class TFrame : public TPersistent {
public:
    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
    TLine* LeftLine() const { return leftLine_.get(); }
    TShade shade = TShade::Red;

private:
    std::unique_ptr<TLine> leftLine_ = std::make_unique<TLine>();
};

class TFont : public TPersistent {
public:
    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
    std::string name = "Arial";
    int size = 8;
};

class TNode;

class TItem : public classes::TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;
    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
    void Assign(const TPersistent* source) override;
    std::string caption;
    int value = 0;
};

// Root and children alike. A node's children are the components of the root whose parent it is.
class TNode : public TComponent {
public:
    explicit TNode(TComponent* owner);
    ~TNode() override;
    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    static int live;

    std::int8_t small = 0;
    std::uint8_t byte = 0;
    std::int16_t shortValue = 0;
    std::uint16_t word = 0;
    std::int32_t count = 0;
    std::uint32_t cardinal = 0;
    std::int64_t big = 0;
    char letter = 'a';
    char16_t wideLetter = u'a';
    bool enabled = true;
    TShade shade = TShade::Red;
    TShades shades = 0;
    float ratio = 0;
    double scale = 0;
    double extended = 0;
    rtl::Currency price;
    double stamp = 0;
    std::string caption;
    std::u16string wideCaption;
    rtl::ShortString<8> code;
    rtl::Variant data;
    TNode* buddy = nullptr;
    classes::TNotifyEvent onChange;
    std::string blob;                 // stored as the binary property "Blob"
    std::vector<int> numbers;         // stored as the defined property "Numbers"

    TFont* Font() const { return font_.get(); }
    TFrame* Frame() const { return frame_.get(); }
    classes::TCollection* Items() const { return items_.get(); }
    rtl::TStringList* Lines() const { return lines_.get(); }
    TNode* Buddy() const { return buddy; }
    void SetBuddy(TNode* value) { buddy = value; }

    TNode* parent = nullptr;
    TNode* Parent() const { return parent; }

    void Clicked(TObject* sender);
    void Other(TObject* sender);
    void Unpublished(TObject*) {}
    int clicks = 0;
    TObject* lastSender = nullptr;

    // What Loaded saw.
    int loadedCalls = 0;
    bool buddyResolvedAtLoad = false;
    bool treeCompleteAtLoad = false;  // every node of the tree had its caption
    std::vector<std::string> notifications;

    void GetChildren(const classes::TGetChildProc& proc, TComponent* root) override;
    TComponent* GetParentComponent() const override { return parent; }
    bool HasParent() const override { return parent != nullptr; }
    void SetParentComponent(TComponent* value) override { parent = dynamic_cast<TNode*>(value); }
    // The sample keeps its children in the order of the root's components.
    void SetChildOrder(TComponent* child, int order) override { child->SetComponentIndex(order); }
    void ReadState(classes::TReader& reader) override;
    void DefineProperties(classes::TFiler& filer) override;

protected:
    void Loaded() override;
    void Notification(TComponent* component, classes::TOperation operation) override;

private:
    std::unique_ptr<TFont> font_ = std::make_unique<TFont>();
    std::unique_ptr<TFrame> frame_ = std::make_unique<TFrame>();
    std::unique_ptr<classes::TCollection> items_;
    std::unique_ptr<rtl::TStringList> lines_ = std::make_unique<rtl::TStringList>();
};

// Registers the sample classes once per test binary.
void RegisterSamples();

// Bytes of a stream.
std::string Bytes(rtl::TMemoryStream& stream);

}  // namespace sample
