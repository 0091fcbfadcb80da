#include "platform/classes/ComponentReader.h"

#include "platform/classes/Collection.h"
#include "platform/classes/Component.h"
#include "platform/classes/Reflection.h"
#include "platform/rtl/Collation.h"

#include <algorithm>

namespace classes {

namespace {

bool IsStringValue(TValueType type)
{
    return type == TValueType::String || type == TValueType::LString || type == TValueType::WString
        || type == TValueType::UTF8String;
}

// Restores a value when the scope ends, however it ends.
template <class V>
class Restore {
public:
    explicit Restore(V& variable) : variable_(variable), saved_(variable) {}
    ~Restore() { variable_ = saved_; }
    Restore(const Restore&) = delete;
    Restore& operator=(const Restore&) = delete;

private:
    V& variable_;
    V saved_;
};

}  // namespace

TReader::TReader(rtl::TStream& stream) : TBinaryReader(stream)
{
}

void TReader::ReadSignature()
{
    char signature[kFormSignature.size()];
    Read(signature, sizeof signature);
    if (std::string_view(signature, sizeof signature) != kFormSignature)
        throw rtl::EReadError("Invalid stream format");
}

TComponent* TReader::ReadRootComponent(TComponent* root)
{
    loaded_.clear();
    created_.clear();
    fixups_.clear();
    try {
        ReadSignature();
        ReadPrefix();
        std::string className = ReadStr();
        std::string name = ReadStr();
        if (!root) {
            const TClassInfo& cls = FindClass(className);
            if (!cls.createComponent)
                throw EClassNotFound("Class " + className + " not found");
            root = cls.createComponent(nullptr);
            created_.push_back(root);
        }
        root_ = lookupRoot_ = owner_ = root;
        placeFaults_ = true;
        root->SetState(csLoading | csReading);
        loaded_.push_back(root);
        root->SetName(name);
        current_ = root;
        root->ReadState(*this);
        ResolveFixups(fixups_);
        for (TComponent* c : loaded_)
            c->ClearState(csReading);
        for (TComponent* c : loaded_)
            c->Loaded();
    } catch (...) {
        Undo();
        throw;
    }
    loaded_.clear();
    created_.clear();
    return root;
}

void TReader::SetRoot(TComponent* root)
{
    root_ = lookupRoot_ = owner_ = current_ = root;
    placeFaults_ = false;
}

void TReader::FixupReferences(bool keepPending)
{
    ResolveFixups(fixups_, keepPending);
}

void TReader::Undo()
{
    fixups_.clear();
    for (auto it = created_.rbegin(); it != created_.rend(); ++it) {
        std::erase(loaded_, *it);
        delete *it;
    }
    for (TComponent* c : loaded_)
        c->ClearState(csLoading | csReading);
    loaded_.clear();
    created_.clear();
}

TReader::Prefix TReader::ReadPrefix()
{
    Prefix prefix;
    std::uint8_t byte;
    Read(&byte, 1);
    if ((byte & kPrefixMark) != kPrefixMark) {
        Stream().Seek(-1, rtl::SeekOrigin::Current);
        return prefix;
    }
    prefix.flags = byte & 0x0F;
    if (prefix.flags & kPrefixChildPos) {
        std::int64_t position = ReadInteger();
        if (position < 0 || position > INT32_MAX)
            InvalidValue();
        prefix.position = int(position);
    }
    return prefix;
}

TComponent* TReader::ReadComponent()
{
    Nesting nesting(*this);
    Prefix prefix = ReadPrefix();
    std::string className = ReadStr();
    std::string name = ReadStr();
    TComponent* result = nullptr;
    if (prefix.flags & kPrefixInherited) {
        result = owner_->FindComponent(name);
        if (!result && OnAncestorNotFound)
            result = OnAncestorNotFound(*this, name);
        if (!result)
            throw rtl::EReadError("Ancestor for '" + name + "' not found");
    } else {
        const TClassInfo& cls = FindClass(className);
        if (!cls.createComponent)
            throw EClassNotFound("Class " + className + " not found");
        result = cls.createComponent(owner_);
        created_.push_back(result);
        result->SetName(name);
    }
    result->SetState(csLoading | csReading);
    if (prefix.flags & kPrefixInline)
        result->SetState(csInline);
    if (std::find(loaded_.begin(), loaded_.end(), result) == loaded_.end())
        loaded_.push_back(result);
    if ((prefix.flags & kPrefixChildPos) && parent_)
        parent_->SetChildOrder(result, prefix.position);
    Restore<TComponent*> keepCurrent(current_);
    current_ = result;
    result->ReadState(*this);
    return result;
}

void TReader::ReadData(TComponent* instance)
{
    while (!EndOfList())
        ReadProperty(instance);
    ReadListEnd();
    Restore<TComponent*> keepOwner(owner_);
    Restore<TComponent*> keepParent(parent_);
    parent_ = instance->GetChildParent();
    owner_ = instance->GetChildOwner();
    if (!owner_)
        owner_ = root_;
    while (!EndOfList())
        ReadComponent();
    ReadListEnd();
}

void TReader::ReadProperty(TPersistent* instance)
{
    std::string fullName = ReadStr();
    try {
        ReadNamedProperty(instance, fullName);
    } catch (const EDefinedPropertyError&) {
        throw;
    } catch (const rtl::Exception& e) {
        // Where the data is damaged: the component and the property, as the defined properties say it.
        // Properties read after SetRoot are placed by their caller, which knows more.
        if (!current_ || !placeFaults_)
            throw;
        const std::string& component = current_->Name();
        throw rtl::EReadError("Error reading " + (component.empty() ? std::string() : component + ".") + fullName +
                              ": " + e.Message());
    }
}

void TReader::ReadNamedProperty(TPersistent* instance, const std::string& fullName)
{
    std::string_view name = fullName;
    TPersistent* target = instance;
    for (std::size_t dot = name.find('.'); dot != std::string_view::npos; dot = name.find('.')) {
        const TPropInfo* prop = target->ClassType().FindProperty(name.substr(0, dot));
        if (prop && prop->getStrings && rtl::SameText(name.substr(dot + 1), "Strings")) {
            rtl::TStrings* lines = prop->getStrings(*target);
            if (!lines)
                InvalidValue();
            return ReadStrings(*lines);
        }
        TPersistent* next = prop && prop->getObject ? dynamic_cast<TPersistent*>(prop->getObject(*target)) : nullptr;
        if (!next)
            throw rtl::EReadError("Property " + fullName + " does not exist");
        target = next;
        name.remove_prefix(dot + 1);
    }
    if (const TPropInfo* prop = target->ClassType().FindProperty(name))
        return ReadPropValue(target, *prop);
    Restore<std::string> keepName(pendingName_);
    Restore<bool> keepDone(pendingDone_);
    Restore<std::string> keepPath(pendingPath_);
    pendingName_ = std::string(name);
    pendingPath_ = fullName;
    pendingDone_ = false;
    target->DefineProperties(*this);
    if (!pendingDone_)
        throw rtl::EReadError("Property " + fullName + " does not exist");
}

void TReader::ReadPropValue(TPersistent* instance, const TPropInfo& prop)
{
    const TTypeInfo& type = *prop.type;
    if (type.kind == TTypeKind::Class)
        return ReadObjectValue(instance, prop);
    if (!prop.IsWritable())
        InvalidValue();
    switch (type.kind) {
    case TTypeKind::Integer:
    case TTypeKind::Char:
    case TTypeKind::WChar:
    case TTypeKind::Enumeration:
    case TTypeKind::Set:
    case TTypeKind::Int64:
        return SetOrdProp(*instance, prop, ReadOrdinal(prop));
    case TTypeKind::Float:
        if (prop.setCurrency) {
            rtl::Currency value = NextValue() == TValueType::Currency ? ReadCurrency()
                                                                      : rtl::Currency::FromDouble(ReadFloat());
            return prop.setCurrency(*instance, value);
        }
        return SetFloatProp(*instance, prop, ReadFloat());
    case TTypeKind::String:
    case TTypeKind::LString:
        return SetStrProp(*instance, prop, ReadString());
    case TTypeKind::WString:
        return SetWideStrProp(*instance, prop, ReadWideString());
    case TTypeKind::Variant:
        return SetVariantProp(*instance, prop, ReadVariant());
    case TTypeKind::Method: {
        if (NextValue() == TValueType::Nil) {
            ReadValue();
            return SetMethodProp(*instance, prop, nullptr, {});
        }
        std::string name = ReadIdent();
        if (!lookupRoot_ || !lookupRoot_->ClassType().FindMethod(name))
            throw rtl::EReadError("Method " + name + " not found");
        try {
            return SetMethodProp(*instance, prop, lookupRoot_, name);
        } catch (const EPropertyError& e) {
            throw rtl::EReadError(e.Message());
        }
    }
    case TTypeKind::Class:
    case TTypeKind::Unknown:
        break;
    }
    InvalidValue();
}

std::int64_t TReader::ReadOrdinal(const TPropInfo& prop)
{
    const TTypeInfo& type = *prop.type;
    std::int64_t value = 0;
    switch (type.kind) {
    case TTypeKind::Char:
        if (IsStringValue(NextValue())) {
            std::string s = ReadString();
            if (s.size() != 1)
                InvalidValue();
            return std::uint8_t(s[0]);
        }
        value = ReadInteger();
        break;
    case TTypeKind::WChar:
        if (IsStringValue(NextValue())) {
            std::u16string s = ReadWideString();
            if (s.size() != 1)
                InvalidValue();
            return s[0];
        }
        value = ReadInteger();
        break;
    case TTypeKind::Enumeration:
        value = GetEnumValue(type, ReadIdent());
        if (value < 0)
            InvalidValue();
        return value;
    case TTypeKind::Set:
        for (const std::string& name : ReadSet()) {
            int element = SetElementValue(*type.elementType, name);
            if (element < 0 || element > 63)
                InvalidValue();
            value |= std::int64_t(std::uint64_t(1) << element);
        }
        return value;
    case TTypeKind::Int64:
        return ReadInteger();
    default:
        if (NextValue() == TValueType::Ident) {
            if (!type.identToInt || !type.identToInt(ReadIdent(), value))
                InvalidValue();
            return value;
        }
        value = ReadInteger();
        break;
    }
    if (value < type.minValue || value > type.maxValue)
        InvalidValue();
    return value;
}

void TReader::ReadObjectValue(TPersistent* instance, const TPropInfo& prop)
{
    switch (NextValue()) {
    case TValueType::Nil:
        ReadValue();
        if (!prop.setObject)
            InvalidValue();
        return SetObjectProp(*instance, prop, nullptr);
    case TValueType::Ident:
        if (!prop.setObject)
            InvalidValue();
        fixups_.push_back(TFixup{instance, &prop, current_, root_, ReadIdent()});
        return;
    case TValueType::Collection: {
        ReadValue();
        auto* collection = prop.getObject ? dynamic_cast<TCollection*>(prop.getObject(*instance)) : nullptr;
        if (!collection)
            InvalidValue();
        return ReadCollection(collection);
    }
    default:
        InvalidValue();
    }
}

void TReader::ReadStrings(rtl::TStrings& lines)
{
    ReadListBegin();
    std::vector<std::string> read;
    while (!EndOfList())
        read.push_back(ReadString());
    ReadListEnd();
    lines.Clear();
    for (std::string& line : read)
        lines.Add(line);
}

void TReader::ReadCollection(TCollection* collection)
{
    Nesting nesting(*this);
    collection->BeginUpdate();
    try {
        collection->Clear();
        while (!EndOfList()) {
            ReadListBegin();
            TCollectionItem* item = collection->Add();
            while (!EndOfList())
                ReadProperty(item);
            ReadListEnd();
        }
        ReadListEnd();
    } catch (...) {
        collection->EndUpdate();
        throw;
    }
    collection->EndUpdate();
}

rtl::Variant TReader::ReadVariant()
{
    switch (NextValue()) {
    case TValueType::Nil:
        ReadValue();
        return rtl::Variant();
    case TValueType::Null:
        ReadValue();
        return rtl::Variant::Null();
    case TValueType::False:
    case TValueType::True:
        return rtl::Variant(ReadBoolean());
    case TValueType::Int8:
    case TValueType::Int16:
    case TValueType::Int32:
        return rtl::Variant(std::int32_t(ReadInteger()));
    case TValueType::Int64:
        return rtl::Variant(ReadInteger());
    case TValueType::Single:
        return rtl::Variant(ReadSingle());
    case TValueType::Double:
    case TValueType::Extended:
        return rtl::Variant(ReadFloat());
    case TValueType::Currency:
        return rtl::Variant(ReadCurrency());
    case TValueType::Date:
        return rtl::Variant::FromDate(ReadDate());
    case TValueType::String:
    case TValueType::LString:
        return rtl::Variant(ReadString());
    case TValueType::WString:
    case TValueType::UTF8String:
        return rtl::Variant(ReadWideString());
    default:
        InvalidValue();
    }
}

void TReader::DefineProperty(const std::string& name, const TReaderProc& readData, const TWriterProc&, bool)
{
    if (pendingDone_ || !readData || !rtl::SameText(name, pendingName_))
        return;
    pendingDone_ = true;
    ReadDefined([&] { readData(*this); });
}

void TReader::DefineBinaryProperty(const std::string& name, const TStreamProc& readData, const TStreamProc&,
                                   bool)
{
    if (pendingDone_ || !readData || !rtl::SameText(name, pendingName_))
        return;
    pendingDone_ = true;
    std::string bytes = ReadBinary();
    rtl::TMemoryStream block;
    block.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
    block.SetPosition(0);
    ReadDefined([&] { readData(block); });
}

void TReader::ReadDefined(const std::function<void()>& read)
{
    try {
        read();
    } catch (const EDefinedPropertyError&) {
        throw;
    } catch (const rtl::Exception& e) {
        // A stored block (a picture, a translation table) says what is wrong with it, not where it is.
        const std::string component = current_ ? current_->Name() : std::string();
        throw EDefinedPropertyError("Error reading " + (component.empty() ? std::string() : component + ".") +
                                    pendingPath_ + ": " + e.Message());
    }
}

}  // namespace classes
