#include "SampleComponents.h"

#include "platform/classes/ComponentReader.h"
#include "platform/classes/ComponentWriter.h"

namespace sample {

using classes::ClassBuilder;
using classes::TClassInfo;

int TNode::live = 0;

const classes::TTypeInfo& ShadeType()
{
    static const classes::TTypeInfo type = classes::EnumType("TShade", {"shRed", "shGreen", "shBlue"});
    return type;
}

const classes::TTypeInfo& ShadesType()
{
    static const classes::TTypeInfo type = classes::SetType("TShades", ShadeType());
    return type;
}

const classes::TTypeInfo& ExtendedType()
{
    static const classes::TTypeInfo type = [] {
        classes::TTypeInfo t;
        t.kind = classes::TTypeKind::Float;
        t.name = "Extended";
        t.floatType = classes::TFloatType::Extended;
        return t;
    }();
    return type;
}

const TClassInfo& TLine::StaticClass()
{
    static const TClassInfo info("TLine", &TPersistent::StaticClass(), [](TClassInfo& c) {
        ClassBuilder<TLine>(c).Property("Width", &TLine::width).Default(1);
    });
    return info;
}

const TClassInfo& TFrame::StaticClass()
{
    static const TClassInfo info("TFrame", &TPersistent::StaticClass(), [](TClassInfo& c) {
        ClassBuilder<TFrame>(c)
            .Property("LeftLine", &TFrame::LeftLine)
            .Property("Shade", ShadeType(), &TFrame::shade).Default(0);
    });
    return info;
}

const TClassInfo& TFont::StaticClass()
{
    static const TClassInfo info("TFont", &TPersistent::StaticClass(), [](TClassInfo& c) {
        ClassBuilder<TFont>(c).Property("Name", &TFont::name).Property("Size", &TFont::size).Default(8);
    });
    return info;
}

const TClassInfo& TItem::StaticClass()
{
    static const TClassInfo info("TItem", &TCollectionItem::StaticClass(), [](TClassInfo& c) {
        ClassBuilder<TItem>(c).Property("Caption", &TItem::caption).Property("Value", &TItem::value).Default(0);
    });
    return info;
}

void TItem::Assign(const TPersistent* source)
{
    if (auto* other = dynamic_cast<const TItem*>(source)) {
        caption = other->caption;
        value = other->value;
        return;
    }
    TCollectionItem::Assign(source);
}

TNode::TNode(TComponent* owner)
    : TComponent(owner), items_(std::make_unique<classes::TCollection>(TItem::StaticClass(), this, "Items"))
{
    ++live;
}

TNode::~TNode()
{
    --live;
}

const TClassInfo& TNode::StaticClass()
{
    static const TClassInfo info("TNode", &TComponent::StaticClass(), [](TClassInfo& c) {
        ClassBuilder<TNode>(c)
            .Property("Small", &TNode::small)
            .Property("Byte", &TNode::byte)
            .Property("Short", &TNode::shortValue)
            .Property("Word", &TNode::word)
            .Property("Count", &TNode::count).Default(0)
            .Property("Cardinal", &TNode::cardinal).Default(0)
            .Property("Big", &TNode::big).Default(0)
            .Property("Letter", &TNode::letter).Default('a')
            .Property("WideLetter", &TNode::wideLetter).Default('a')
            .Property("Enabled", &TNode::enabled).Default(1)
            .Property("Shade", ShadeType(), &TNode::shade).Default(0)
            .Property("Shades", ShadesType(), &TNode::shades).Default(0)
            .Property("Ratio", &TNode::ratio)
            .Property("Scale", &TNode::scale)
            .Property("Extended", ExtendedType(), &TNode::extended)
            .Property("Price", &TNode::price)
            .Property("Stamp", classes::DateTimeType(), &TNode::stamp)
            .Property("Caption", &TNode::caption)
            .Property("WideCaption", &TNode::wideCaption)
            .Property("Code", &TNode::code)
            .Property("Data", &TNode::data)
            .Property("Font", &TNode::Font)
            .Property("Frame", &TNode::Frame)
            .Property("Items", &TNode::Items)
            .Property("Lines", &TNode::Lines)
            .Property("Buddy", &TNode::Buddy, &TNode::SetBuddy)
            .Property("OnChange", classes::NotifyEventType(), &TNode::onChange)
            .Method<&TNode::Clicked>("Clicked")
            .Method<&TNode::Other>("Other");
    });
    return info;
}

void TNode::Clicked(TObject* sender)
{
    ++clicks;
    lastSender = sender;
}

void TNode::Other(TObject*)
{
}

void TNode::GetChildren(const classes::TGetChildProc& proc, TComponent* root)
{
    for (int i = 0; i < root->ComponentCount(); ++i) {
        auto* node = dynamic_cast<TNode*>(root->Components(i));
        if (node && node->parent == this)
            proc(node);
    }
}

void TNode::ReadState(classes::TReader& reader)
{
    if (auto* p = dynamic_cast<TNode*>(reader.Parent()); p && p != this)
        parent = p;
    TComponent::ReadState(reader);
}

void TNode::DefineProperties(classes::TFiler& filer)
{
    TComponent::DefineProperties(filer);
    auto* ancestor = dynamic_cast<TNode*>(filer.Ancestor());
    filer.DefineBinaryProperty(
        "Blob",
        [this](rtl::TStream& s) {
            blob.assign(std::size_t(s.Size()), '\0');
            s.ReadBuffer(blob.data(), s.Size());
        },
        [this](rtl::TStream& s) { s.WriteBuffer(blob.data(), std::int64_t(blob.size())); },
        ancestor ? blob != ancestor->blob : !blob.empty());
    filer.DefineProperty(
        "Numbers",
        [this](classes::TReader& r) {
            numbers.clear();
            r.ReadListBegin();
            while (!r.EndOfList())
                numbers.push_back(int(r.ReadInteger()));
            r.ReadListEnd();
        },
        [this](classes::TWriter& w) {
            w.WriteListBegin();
            for (int n : numbers)
                w.WriteInteger(n);
            w.WriteListEnd();
        },
        ancestor ? numbers != ancestor->numbers : !numbers.empty());
}

void TNode::Loaded()
{
    TComponent::Loaded();
    ++loadedCalls;
    buddyResolvedAtLoad = buddy != nullptr;
    TComponent* root = Owner() ? Owner() : this;
    treeCompleteAtLoad = !static_cast<TNode*>(root)->caption.empty();
    for (int i = 0; i < root->ComponentCount(); ++i)
        if (auto* node = dynamic_cast<TNode*>(root->Components(i)); node && node->caption.empty())
            treeCompleteAtLoad = false;
}

void TNode::Notification(TComponent* component, classes::TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == classes::TOperation::Remove)
        notifications.push_back(component->Name());
}

void RegisterSamples()
{
    classes::RegisterClasses({&TNode::StaticClass(), &TItem::StaticClass()});
}

std::string Bytes(rtl::TMemoryStream& stream)
{
    return std::string(stream.Memory(), std::size_t(stream.Size()));
}

}  // namespace sample
