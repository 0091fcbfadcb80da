#include "platform/classes/ComponentWriter.h"

#include "platform/classes/Collection.h"
#include "platform/classes/Component.h"
#include "platform/classes/Reflection.h"
#include "platform/rtl/Collation.h"

#include <algorithm>

namespace classes {

namespace {

std::vector<TComponent*> ChildrenOf(TComponent* parent, TComponent* root)
{
    std::vector<TComponent*> children;
    parent->GetChildren([&](TComponent* child) { children.push_back(child); }, root);
    return children;
}

// The ancestor's entry for prop (same name), when the ancestor has it.
const TPropInfo* AncestorProp(const TPersistent* ancestor, const TPropInfo& prop)
{
    if (!ancestor)
        return nullptr;
    const TPropInfo* found = ancestor->ClassType().FindProperty(prop.name);
    return found && found->type->kind == prop.type->kind && found->IsReadable() ? found : nullptr;
}

// Written when it differs; a Variant of another type differs even when it compares equal.
bool SameVariant(const rtl::Variant& a, const rtl::Variant& b)
{
    if (a.Type() != b.Type())
        return false;
    if (a.IsArray())
        return false;
    return a.IsEmpty() || a.IsNull() || VarCompare(a, b) == 0;
}

}  // namespace

TWriter::TWriter(rtl::TStream& stream) : TBinaryWriter(stream)
{
}

TWriter::TWriter(rtl::TStream& stream, const TWriter& parent) : TBinaryWriter(stream)
{
    root_ = parent.root_;
    lookupRoot_ = parent.lookupRoot_;
    rootAncestor_ = parent.rootAncestor_;
}

void TWriter::WriteSignature()
{
    Write(kFormSignature.data(), kFormSignature.size());
}

void TWriter::WriteRootComponent(TComponent* root)
{
    WriteDescendent(root, nullptr);
}

void TWriter::WriteDescendent(TComponent* root, TComponent* ancestor)
{
    root_ = lookupRoot_ = root;
    rootAncestor_ = ancestor;
    ancestor_ = ancestor;
    WriteSignature();
    WriteComponent(root);
}

void TWriter::WriteComponent(TComponent* component)
{
    component->SetState(csWriting);
    try {
        std::uint8_t flags = 0;
        if (ancestor_)
            flags |= kPrefixInherited;
        if (component->HasState(csInline))
            flags |= kPrefixInline;
        if (flags)
            WriteByte(kPrefixMark | flags);
        WriteClassName(component->ClassName());
        WriteStr(component->Name());
        component->WriteState(*this);
    } catch (...) {
        component->ClearState(csWriting);
        throw;
    }
    component->ClearState(csWriting);
}

void TWriter::WriteData(TComponent* instance)
{
    WriteProperties(instance);
    WriteListEnd();
    std::vector<TComponent*> children = ChildrenOf(instance, root_);
    std::vector<TComponent*> ancestorChildren;
    auto* ancestorComponent = dynamic_cast<TComponent*>(ancestor_);
    if (ancestorComponent)
        ancestorChildren = ChildrenOf(ancestorComponent, rootAncestor_);
    for (std::size_t i = 0; i < children.size(); ++i) {
        TComponent* child = children[i];
        TComponent* childAncestor = rootAncestor_ && child->Owner() == root_
            ? rootAncestor_->FindComponent(child->Name()) : nullptr;
        int position = -1;
        if (childAncestor) {
            auto it = std::find(ancestorChildren.begin(), ancestorChildren.end(), childAncestor);
            if (it == ancestorChildren.end() || std::size_t(it - ancestorChildren.begin()) != i)
                position = int(i);
        }
        TPersistent* saved = ancestor_;
        ancestor_ = childAncestor;
        WriteChild(child, position);
        ancestor_ = saved;
    }
    WriteListEnd();
}

void TWriter::WriteChild(TComponent* child, int position)
{
    if (!ancestor_) {
        wroteSomething_ = true;
        return WriteComponent(child);
    }
    // An inherited child is stored only when something of it differs: write it aside and look.
    rtl::TMemoryStream aside;
    TWriter inner(aside, *this);
    inner.ancestor_ = ancestor_;
    inner.WriteComponent(child);
    if (!inner.wroteSomething_ && position < 0)
        return;
    wroteSomething_ = true;
    if (position >= 0) {
        // The prefix byte of the aside copy gains the position flag and the position.
        WriteByte(std::uint8_t(kPrefixMark | kPrefixInherited | kPrefixChildPos
                               | (child->HasState(csInline) ? kPrefixInline : 0)));
        WriteInteger(position);
        Write(aside.Memory() + 1, std::size_t(aside.Size() - 1));
    } else {
        Write(aside.Memory(), std::size_t(aside.Size()));
    }
}

void TWriter::WriteProperties(TPersistent* instance)
{
    for (const TPropInfo& prop : instance->ClassType().Properties())
        if (prop.IsReadable() && prop.IsStored(*instance))
            WriteProperty(instance, prop);
    instance->DefineProperties(*this);
}

void TWriter::WriteDefinedProperties(TPersistent* instance)
{
    instance->DefineProperties(*this);
}

void TWriter::WritePropName(const std::string& name)
{
    wroteSomething_ = true;
    WriteStr(propPath_ + name);
}

void TWriter::WriteProperty(TPersistent* instance, const TPropInfo& prop)
{
    const TPropInfo* ancestorProp = AncestorProp(ancestor_, prop);
    const TTypeInfo& type = *prop.type;
    if (type.kind == TTypeKind::Class)
        return WriteObjectProp(instance, prop, ancestorProp);
    if (!prop.IsWritable())
        return;
    switch (type.kind) {
    case TTypeKind::Integer:
    case TTypeKind::Char:
    case TTypeKind::WChar:
    case TTypeKind::Enumeration:
    case TTypeKind::Set:
    case TTypeKind::Int64: {
        std::int64_t value = GetOrdProp(*instance, prop);
        if (ancestorProp ? value == GetOrdProp(*ancestor_, *ancestorProp) : prop.defaultValue == value)
            return;
        WritePropName(prop.name);
        return WriteOrdinal(prop, value);
    }
    case TTypeKind::Float:
        return WriteFloat(instance, prop);
    case TTypeKind::String:
    case TTypeKind::LString: {
        std::string value = GetStrProp(*instance, prop);
        if (ancestorProp ? value == GetStrProp(*ancestor_, *ancestorProp) : value.empty())
            return;
        WritePropName(prop.name);
        return WriteString(value);
    }
    case TTypeKind::WString: {
        std::u16string value = GetWideStrProp(*instance, prop);
        if (ancestorProp ? value == GetWideStrProp(*ancestor_, *ancestorProp) : value.empty())
            return;
        WritePropName(prop.name);
        return WriteWideString(value);
    }
    case TTypeKind::Variant: {
        rtl::Variant value = GetVariantProp(*instance, prop);
        if (ancestorProp ? SameVariant(value, GetVariantProp(*ancestor_, *ancestorProp)) : value.IsEmpty())
            return;
        WritePropName(prop.name);
        return WriteVariant(value);
    }
    case TTypeKind::Method: {
        std::string name = HandlerName(GetMethodProp(*instance, prop), lookupRoot_);
        std::string ancestorName = ancestorProp
            ? HandlerName(GetMethodProp(*ancestor_, *ancestorProp), rootAncestor_) : std::string();
        if (rtl::SameText(name, ancestorName))
            return;
        WritePropName(prop.name);
        return name.empty() ? WriteValue(TValueType::Nil) : WriteIdent(name);
    }
    case TTypeKind::Class:
    case TTypeKind::Unknown:
        return;
    }
}

void TWriter::WriteOrdinal(const TPropInfo& prop, std::int64_t value)
{
    const TTypeInfo& type = *prop.type;
    switch (type.kind) {
    case TTypeKind::Char:
        return WriteString(std::string(1, char(value)));
    case TTypeKind::WChar:
        return WriteWideString(std::u16string(1, char16_t(value)));
    case TTypeKind::Enumeration:
        if (&type == &BooleanType())
            return WriteBoolean(value != 0);
        return WriteIdent(GetEnumName(type, value));
    case TTypeKind::Set: {
        std::vector<std::string> names;
        for (int bit = 0; bit < 64; ++bit)
            if (std::uint64_t(value) >> bit & 1)
                names.push_back(GetEnumName(*type.elementType, bit));
        return WriteSet(names);
    }
    default: {
        std::string ident;
        if (type.intToIdent && type.intToIdent(value, ident))
            return WriteIdent(ident);
        return WriteInteger(value);
    }
    }
}

void TWriter::WriteFloat(const TPersistent* instance, const TPropInfo& prop)
{
    const TPropInfo* ancestorProp = AncestorProp(ancestor_, prop);
    if (prop.getCurrency) {
        rtl::Currency value = prop.getCurrency(*instance);
        if (ancestorProp && ancestorProp->getCurrency ? value == ancestorProp->getCurrency(*ancestor_)
                                                      : value.scaled == 0)
            return;
        WritePropName(prop.name);
        return WriteCurrency(value);
    }
    double value = GetFloatProp(*instance, prop);
    if (ancestorProp ? value == GetFloatProp(*ancestor_, *ancestorProp) : value == 0)
        return;
    WritePropName(prop.name);
    switch (prop.type->floatType) {
    case TFloatType::Single:
        return WriteSingle(float(value));
    case TFloatType::Double:
        return WriteDouble(value);
    case TFloatType::Date:
        return WriteDate(value);
    case TFloatType::Extended:
    case TFloatType::Currency:
        return WriteExtended(value);
    }
}

void TWriter::WriteObjectProp(TPersistent* instance, const TPropInfo& prop, const TPropInfo* ancestorProp)
{
    if (prop.getStrings) {
        rtl::TStrings* lines = prop.getStrings(*instance);
        rtl::TStrings* ancestorLines = ancestorProp && ancestorProp->getStrings
            ? ancestorProp->getStrings(*ancestor_) : nullptr;
        if (lines)
            WriteStrings(prop, *lines, ancestorLines);
        return;
    }
    TObject* value = GetObjectProp(*instance, prop);
    TObject* ancestorValue = ancestorProp && ancestorProp->getObject ? ancestorProp->getObject(*ancestor_) : nullptr;
    auto* component = dynamic_cast<TComponent*>(value);
    bool reference = component || dynamic_cast<TComponent*>(ancestorValue)
        || prop.type->ClassType()->InheritsFrom(TComponent::StaticClass());
    if (reference) {
        if (!prop.setObject)
            return;
        std::string name = component ? ReferenceName(component, lookupRoot_) : std::string();
        if (component && name.empty())
            return;  // a component no stored name reaches
        auto* ancestorComponent = dynamic_cast<TComponent*>(ancestorValue);
        std::string ancestorName = ancestorComponent ? ReferenceName(ancestorComponent, rootAncestor_) : std::string();
        if (rtl::SameText(name, ancestorName))
            return;
        WritePropName(prop.name);
        return name.empty() ? WriteValue(TValueType::Nil) : WriteIdent(name);
    }
    if (auto* collection = dynamic_cast<TCollection*>(value)) {
        auto* ancestorCollection = dynamic_cast<TCollection*>(ancestorValue);
        if (!ancestorCollection && collection->Count() == 0)
            return;
        if (ancestorCollection) {
            // Compared by their stored forms.
            rtl::TMemoryStream mine, theirs;
            TWriter(mine, *this).WriteCollection(collection);
            TWriter(theirs, *this).WriteCollection(ancestorCollection);
            if (mine.Size() == theirs.Size()
                && std::equal(mine.Memory(), mine.Memory() + mine.Size(), theirs.Memory()))
                return;
        }
        WritePropName(prop.name);
        return WriteCollection(collection);
    }
    if (auto* persistent = dynamic_cast<TPersistent*>(value)) {
        std::string savedPath = propPath_;
        TPersistent* savedAncestor = ancestor_;
        propPath_ += prop.name + ".";
        ancestor_ = dynamic_cast<TPersistent*>(ancestorValue);
        WriteProperties(persistent);
        propPath_ = savedPath;
        ancestor_ = savedAncestor;
    }
}

void TWriter::WriteStrings(const TPropInfo& prop, const rtl::TStrings& lines, const rtl::TStrings* ancestorLines)
{
    if (ancestorLines ? lines.Equals(*ancestorLines) : lines.Count() == 0)
        return;
    WritePropName(prop.name + ".Strings");
    WriteListBegin();
    for (int i = 0; i < lines.Count(); ++i)
        WriteString(lines.Strings(i));
    WriteListEnd();
}

void TWriter::WriteCollection(TCollection* collection)
{
    WriteValue(TValueType::Collection);
    std::string savedPath = propPath_;
    TPersistent* savedAncestor = ancestor_;
    propPath_.clear();
    ancestor_ = nullptr;
    for (int i = 0; i < collection->Count(); ++i) {
        WriteListBegin();
        WriteProperties(collection->Items(i));
        WriteListEnd();
    }
    WriteListEnd();
    propPath_ = savedPath;
    ancestor_ = savedAncestor;
}

void TWriter::WriteVariant(const rtl::Variant& value)
{
    switch (value.Type()) {
    case rtl::varEmpty:
        return WriteValue(TValueType::Nil);
    case rtl::varNull:
        return WriteValue(TValueType::Null);
    case rtl::varBoolean:
        return WriteBoolean(value.ToBoolean());
    case rtl::varShortInt:
    case rtl::varByte:
    case rtl::varSmallint:
    case rtl::varWord:
    case rtl::varInteger:
    case rtl::varLongWord:
    case rtl::varInt64:
        return WriteInteger(value.ToInt64());
    case rtl::varSingle:
        return WriteSingle(float(value.ToDouble()));
    case rtl::varDouble:
        return WriteDouble(value.ToDouble());
    case rtl::varCurrency:
        return WriteCurrency(value.ToCurrency());
    case rtl::varDate:
        return WriteDate(value.ToDate());
    case rtl::varString:
        return WriteString(value.ToString());
    case rtl::varOleStr:
        return WriteWideString(value.ToWideString());
    default:
        throw rtl::EWriteError("Invalid property value");
    }
}

void TWriter::DefineProperty(const std::string& name, const TReaderProc&, const TWriterProc& writeData, bool hasData)
{
    if (!hasData || !writeData)
        return;
    WritePropName(name);
    writeData(*this);
}

void TWriter::DefineBinaryProperty(const std::string& name, const TStreamProc&, const TStreamProc& writeData,
                                   bool hasData)
{
    if (!hasData || !writeData)
        return;
    rtl::TMemoryStream block;
    writeData(block);
    WritePropName(name);
    WriteBinary(std::string_view(block.Memory(), std::size_t(block.Size())));
}

std::string TWriter::ReferenceName(TComponent* component, TComponent* lookupRoot) const
{
    if (component->Owner() == lookupRoot)
        return component->Name();
    if (component == lookupRoot)
        return "Owner";
    TComponent* owner = component->Owner();
    if (owner && !owner->Name().empty() && !component->Name().empty())
        return owner->Name() + "." + component->Name();
    return {};
}

std::string TWriter::HandlerName(TMethodRef handler, TComponent* lookupRoot) const
{
    if (!handler || !lookupRoot)
        return {};
    return lookupRoot->ClassType().MethodName(lookupRoot, handler);
}

}  // namespace classes
