#include "report/rptXMLSerializer.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/ComponentReader.h"
#include "platform/classes/ComponentWriter.h"
#include "platform/classes/Reflection.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/Collation.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Numbers.h"
#include "platform/rtl/StringUtils.h"
#include "report/rptComponent.h"
#include "report/rptReport.h"
#include "report/rptRes.h"
#include "report/rptUtils.h"
#include "report/rptXML.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <exception>
#include <memory>

namespace report {

namespace {

using classes::TPropInfo;
using classes::TTypeKind;

constexpr std::string_view kInherited = "inherited";

// Sets an object's writing mark for as long as it lives (collection writers ask for it).
class WritingMark {
public:
    explicit WritingMark(classes::TObject* obj) : component_(dynamic_cast<TrptComponent*>(obj))
    {
        if (component_) {
            saved_ = component_->Writing();
            component_->SetWriting(true);
        }
    }
    ~WritingMark()
    {
        if (component_)
            component_->SetWriting(saved_);
    }
    WritingMark(const WritingMark&) = delete;
    WritingMark& operator=(const WritingMark&) = delete;

private:
    TrptComponent* component_;
    bool saved_ = false;
};

// The ancestor's entry of prop, when the ancestor has a readable one of the same kind.
const TPropInfo* AncestorProp(const classes::TPersistent* ancestor, const classes::TPersistent& obj,
                              const TPropInfo& prop)
{
    if (!ancestor)
        return nullptr;
    if (&ancestor->ClassType() == &obj.ClassType())
        return &prop;
    const TPropInfo* found = ancestor->ClassType().FindProperty(prop.name);
    return found && found->Kind() == prop.Kind() && found->IsReadable() ? found : nullptr;
}

bool IsOrdinal(TTypeKind kind)
{
    return kind == TTypeKind::Integer || kind == TTypeKind::Char || kind == TTypeKind::WChar
        || kind == TTypeKind::Enumeration || kind == TTypeKind::Set || kind == TTypeKind::Int64;
}

bool IsString(TTypeKind kind)
{
    return kind == TTypeKind::String || kind == TTypeKind::LString || kind == TTypeKind::WString;
}

bool IsComponentClass(const TPropInfo& prop)
{
    const classes::TClassInfo* cls = prop.type->ClassType();
    return cls && cls->InheritsFrom(classes::TComponent::StaticClass());
}

std::string OrdinalText(const TPropInfo& prop, std::int64_t value)
{
    if (prop.Kind() == TTypeKind::Enumeration)
        return classes::GetEnumName(*prop.type, value);
    return rtl::IntToStr(value);
}

// The lines joined by CR LF, without a final one.
std::string JoinedLines(const rtl::TStrings& lines)
{
    std::string text;
    for (int i = 0; i < lines.Count(); ++i) {
        if (i > 0)
            text += "\r\n";
        text += lines.Strings(i);
    }
    return text;
}

void AddAttribute(std::string& text, std::string_view prefix, std::string_view name, std::string_view value)
{
    text += ' ';
    text += prefix;
    text += name;
    text += "=\"";
    text += value;
    text += '"';
}

// The bits a set type can hold.
std::uint64_t SetMask(const classes::TTypeInfo& type)
{
    const classes::TTypeInfo* element = type.elementType;
    std::int64_t first = 0, last = 63;
    if (element && element->kind == TTypeKind::Enumeration) {
        last = std::int64_t(element->names.size()) - 1;
    } else if (element) {
        first = std::max<std::int64_t>(element->minValue, 0);
        last = std::min<std::int64_t>(element->maxValue, 63);
    }
    std::uint64_t mask = 0;
    for (std::int64_t bit = first; bit <= last; ++bit)
        mask |= std::uint64_t(1) << bit;
    return mask;
}

std::int64_t IntegerValue(std::string_view text)
{
    std::int64_t value;
    if (!rtl::TryStrToInt64(text, value))
        throw rtl::EConvertError("'" + std::string(text) + "' is not a valid integer value");
    return value;
}


// The value of the "Name" attribute, found as XMLToObj reads attributes.
std::string NameAttribute(std::string_view text)
{
    std::size_t i = 0;
    while (true) {
        const std::size_t equals = text.find('=', i);
        const std::size_t open = equals == std::string_view::npos ? equals : text.find('"', equals + 1);
        const std::size_t close = open == std::string_view::npos ? open : text.find('"', open + 1);
        if (close == std::string_view::npos)
            return {};
        std::string_view name = text.substr(i, equals - i);
        name.remove_prefix(std::min(name.find_first_not_of(' '), name.size()));
        name = name.substr(0, name.find_last_not_of(' ') + 1);
        if (name.empty())
            return {};
        if (rtl::SameText(name, "Name"))
            return XMLToStr(text.substr(open + 1, close - open - 1));
        i = close + 1;
    }
}

// The loaded notification, which a component gets from whoever read it.
void NotifyLoaded(classes::TComponent& component)
{
    struct Access : classes::TComponent {
        static void Notify(classes::TComponent& target)
        {
            void (classes::TComponent::*loaded)() = &Access::Loaded;
            (target.*loaded)();
        }
    };
    Access::Notify(component);
}

// A readable name for an error line about an attribute of obj: with the name of the object (a
// component's, or that of an item with a Name) when it has one.
std::string AttributePath(const classes::TPersistent* obj, std::string_view name)
{
    std::string objectName;
    if (const auto* component = dynamic_cast<const classes::TComponent*>(obj))
        objectName = component->Name();
    else if (const TPropInfo* prop = obj ? obj->ClassType().FindProperty("Name") : nullptr;
             prop && prop->getString)
        objectName = prop->getString(*obj);
    return objectName.empty() ? std::string(name) : objectName + "." + std::string(name);
}

}  // namespace

TrptXMLSerializer::TrptXMLSerializer(rtl::TStream* stream) : stream_(stream)
{
    errors_.SetSorted(true);
    errors_.SetDuplicates(rtl::TDuplicates::Ignore);
}

TrptXMLSerializer::~TrptXMLSerializer() = default;

// --- writing ---

std::string TrptXMLSerializer::ReferenceText(classes::TComponent* component) const
{
    classes::TComponent* owner = Owner ? Owner : NameScopeRoot;
    return rptComponentPath(owner, component);
}

// The ancestor's references are named as its own report names them.
std::string TrptXMLSerializer::AncestorReferenceText(classes::TPersistent* ancestor, classes::TComponent* component) const
{
    auto* ancestorObject = dynamic_cast<TrptComponent*>(ancestor);
    TrptReport* scope = ancestorObject ? ancestorObject->OwningReport() : nullptr;
    return scope ? rptComponentPath(scope, component) : ReferenceText(component);
}

std::string TrptXMLSerializer::ObjToXML(classes::TPersistent* obj, const std::string& prefix,
                                        classes::TPersistent* ancestor)
{
    std::string text;
    WritingMark mark(obj);
    if (auto* component = dynamic_cast<TrptComponent*>(obj); component && !ancestor && OnGetAncestor)
        ancestor = OnGetAncestor(component->Name());
    for (const TPropInfo& prop : obj->ClassType().Properties()) {
        if (!prop.IsReadable() || !prop.IsStored(*obj))
            continue;
        const TTypeKind kind = prop.Kind();
        const TPropInfo* ancestorProp = AncestorProp(ancestor, *obj, prop);
        if (kind != TTypeKind::Class && !prop.IsWritable())
            continue;
        if (IsOrdinal(kind)) {
            const std::int64_t value = classes::GetOrdProp(*obj, prop);
            const bool differs = ancestorProp ? value != classes::GetOrdProp(*ancestor, *ancestorProp)
                                              : prop.defaultValue != value;
            if (SerializeDefaultValues || differs)
                AddAttribute(text, prefix, prop.name, OrdinalText(prop, value));
        } else if (kind == TTypeKind::Float) {
            const double value = classes::GetFloatProp(*obj, prop);
            if (SerializeDefaultValues || !ancestorProp
                || std::fabs(value - classes::GetFloatProp(*ancestor, *ancestorProp)) >= 1e-6)
                AddAttribute(text, prefix, prop.name, rtl::FloatToStr(value));
        } else if (IsString(kind)) {
            const std::string value = classes::GetStrProp(*obj, prop);
            const bool differs = ancestorProp ? value != classes::GetStrProp(*ancestor, *ancestorProp) : !value.empty();
            if (SerializeDefaultValues || differs)
                AddAttribute(text, prefix, prop.name, StrToXML(value));
        } else if (kind == TTypeKind::Variant) {
            const rtl::Variant value = classes::GetVariantProp(*obj, prop);
            if (value.IsArray())
                continue;  // an array has no text
            const std::string valueText = rtl::VarToStr(value);
            if (SerializeDefaultValues || !ancestorProp
                || valueText != rtl::VarToStr(classes::GetVariantProp(*ancestor, *ancestorProp)))
                AddAttribute(text, prefix, prop.name, StrToXML(valueText));
        } else if (kind == TTypeKind::Class) {
            if (prop.getStrings) {
                const rtl::TStrings* lines = prop.getStrings(*obj);
                const rtl::TStrings* ancestorLines =
                    ancestorProp && ancestorProp->getStrings ? ancestorProp->getStrings(*ancestor) : nullptr;
                if (!lines)
                    continue;
                const std::string value = JoinedLines(*lines);
                if (!SerializeDefaultValues && ancestorLines && value == JoinedLines(*ancestorLines))
                    continue;
                AddAttribute(text, prefix, prop.name + ".Text", StrToXML(value));
                continue;
            }
            classes::TObject* value = classes::GetObjectProp(*obj, prop);
            classes::TObject* ancestorValue =
                ancestorProp && ancestorProp->getObject ? ancestorProp->getObject(*ancestor) : nullptr;
            auto* component = dynamic_cast<classes::TComponent*>(value);
            auto* ancestorComponent = dynamic_cast<classes::TComponent*>(ancestorValue);
            if (component || ancestorComponent || IsComponentClass(prop)) {
                if (!prop.setObject)
                    continue;
                const std::string name = ReferenceText(component);
                if (component && name.empty())
                    continue;  // no stored name reaches it
                if (!ancestor) {
                    if (component)
                        AddAttribute(text, prefix, prop.name, StrToXML(name));
                    continue;
                }
                if (!rtl::SameText(name, AncestorReferenceText(ancestor, ancestorComponent)))
                    AddAttribute(text, prefix, prop.name, component ? StrToXML(name) : std::string("nil"));
                continue;
            }
            if (dynamic_cast<rtl::TWideStringList*>(value))
                continue;  // its text is the object's own business (a memo's Text)
            if (auto* sub = dynamic_cast<classes::TPersistent*>(value))
                text += ObjToXML(sub, prefix + prop.name + ".", dynamic_cast<classes::TPersistent*>(ancestorValue));
        }
    }
    if (std::string hex = DefinitionsHex(obj, ancestor); !hex.empty())
        AddAttribute(text, prefix, "PropData", hex);
    return text;
}

// The object's stored definitions as the component stream writes them, in hexadecimal; empty when it has
// none or when they are those of the ancestor.
std::string TrptXMLSerializer::DefinitionsHex(classes::TPersistent* obj, classes::TPersistent* ancestor)
{
    rtl::TMemoryStream definitions;
    classes::TWriter(definitions).WriteDefinedProperties(obj);
    if (definitions.Size() == 0)
        return {};
    if (ancestor) {
        WritingMark mark(ancestor);
        rtl::TMemoryStream ancestorDefinitions;
        classes::TWriter(ancestorDefinitions).WriteDefinedProperties(ancestor);
        if (StreamCRC32(definitions) == StreamCRC32(ancestorDefinitions))
            return {};
    }
    return rptStreamToHex(definitions);
}

void TrptXMLSerializer::WriteItem(TrptXMLItem& item, TrptComponent* obj, bool isRoot, bool saveChildren,
                                  bool forceClassNames)
{
    // The root element names the class it is read into.
    const bool inherited = !isRoot && obj->IsFromAncestor() && !forceClassNames;
    item.SetName(inherited ? std::string(kInherited) : obj->ClassName());
    std::string text = isRoot ? std::string() : " Name=\"" + StrToXML(obj->Name()) + "\"";
    text += ObjToXML(obj);
    item.SetText(text.empty() ? text : text.substr(1));
    if (!saveChildren)
        return;
    for (TrptComponent* child : obj->Objects())
        WriteItem(item.Add(), child, false, true, forceClassNames);
}

void TrptXMLSerializer::WriteRootComponent(TrptComponent* root, bool saveChildren, bool forceClassNames,
                                           TrptXMLItem* item)
{
    if (!NameScopeRoot)
        NameScopeRoot = root;
    if (item)
        return WriteItem(*item, root, true, saveChildren, forceClassNames);
    TrptXMLDocument document;
    document.SetIndented(true);
    WriteItem(document.Root(), root, true, saveChildren, forceClassNames);
    document.SaveToStream(*stream_);
}

std::string TrptXMLSerializer::GetObjectXML(classes::TPersistent* obj)
{
    return obj->ClassName() + ObjToXML(obj);
}

void TrptXMLSerializer::WriteObjectTag(classes::TPersistent* obj)
{
    const std::string tag = "<" + GetObjectXML(obj) + "/>";
    stream_->WriteBuffer(tag.data(), std::int64_t(tag.size()));
}

// --- reading ---

void TrptXMLSerializer::XMLToObj(std::string_view text, classes::TPersistent* obj)
{
    std::size_t i = 0;
    while (true) {
        while (i < text.size() && text[i] == ' ')
            ++i;
        const std::size_t equals = text.find('=', i);
        if (equals == std::string_view::npos)
            return;
        std::string_view name = text.substr(i, equals - i);
        while (!name.empty() && name.back() == ' ')
            name.remove_suffix(1);
        if (name.empty())
            return;
        const std::size_t open = text.find('"', equals + 1);
        const std::size_t close = open == std::string_view::npos ? open : text.find('"', open + 1);
        if (close == std::string_view::npos) {
            // Nothing more can be read.
            errors_.Add(AttributePath(obj, name) + ": the value has no closing quotation mark");
            return;
        }
        i = close + 1;
        try {
            SetAttribute(obj, name, text.substr(open + 1, close - open - 1));
        } catch (const std::exception& e) {
            errors_.Add(AttributePath(obj, name) + ": " + rptExceptionMessage(e));
        }
    }
}

void TrptXMLSerializer::SetAttribute(classes::TPersistent* obj, std::string_view name, std::string_view rawValue)
{
    // A dotted name walks into the objects its parts hold, as far as they go.
    classes::TPersistent* target = obj;
    while (true) {
        const std::size_t dot = name.find('.');
        if (dot == std::string_view::npos)
            break;
        const TPropInfo* prop = target->ClassType().FindProperty(name.substr(0, dot));
        if (!prop)
            break;
        if (prop->getStrings) {
            if (rtl::SameText(name.substr(dot + 1), "Text"))
                if (rtl::TStrings* lines = prop->getStrings(*target))
                    lines->SetText(XMLToStr(rawValue));
            return;
        }
        auto* next = prop->getObject ? dynamic_cast<classes::TPersistent*>(prop->getObject(*target)) : nullptr;
        if (!next || dynamic_cast<classes::TComponent*>(next))
            break;
        target = next;
        name.remove_prefix(dot + 1);
    }
    if (name.size() == 1) {
        if (auto* component = dynamic_cast<TrptComponent*>(target)) {
            const char letter = char(std::tolower(static_cast<unsigned char>(name[0])));
            switch (letter) {
            case 'l': return component->SetLeft(rptStrToFloat(XMLToStr(rawValue)));
            case 't': return component->SetTop(rptStrToFloat(XMLToStr(rawValue)));
            case 'w': return component->SetWidth(rptStrToFloat(XMLToStr(rawValue)));
            case 'h': return component->SetHeight(rptStrToFloat(XMLToStr(rawValue)));
            default: break;
            }
        }
    }
    if (rtl::SameText(name, "Text")) {
        if (auto* lines = dynamic_cast<rtl::TWideStringList*>(target))
            return lines->SetText(rtl::AnsiToWide(XMLToStr(rawValue)));
    }
    if (rtl::SameText(name, "PropData"))
        return ReadDefinitions(target, rawValue);
    if (rtl::SameText(name, "Name") && dynamic_cast<TrptReport*>(target))
        return;  // a template does not rename the report
    const TPropInfo* prop = target->ClassType().FindProperty(name);
    if (!prop || !prop->IsWritable())
        return;
    SetValue(target, *prop, XMLToStr(rawValue));
}

void TrptXMLSerializer::SetValue(classes::TPersistent* obj, const TPropInfo& prop, const std::string& value)
{
    const classes::TTypeInfo& type = *prop.type;
    switch (type.kind) {
    case TTypeKind::Integer:
    case TTypeKind::Char:
    case TTypeKind::WChar: {
        const std::int64_t number = IntegerValue(value);
        if (number < type.minValue || number > type.maxValue)
            throw rtl::EConvertError(value + " is outside the range of " + type.name);
        return classes::SetOrdProp(*obj, prop, number);
    }
    case TTypeKind::Int64:
        return classes::SetOrdProp(*obj, prop, IntegerValue(value));
    case TTypeKind::Enumeration: {
        std::int64_t number = classes::GetEnumValue(type, value);
        if (number < 0) {
            if (!rtl::TryStrToInt64(value, number) || number < 0 || number >= std::int64_t(type.names.size()))
                throw rtl::EConvertError("'" + value + "' is no value of " + type.name);
        }
        return classes::SetOrdProp(*obj, prop, number);
    }
    case TTypeKind::Set: {
        const std::int64_t bits = IntegerValue(value);
        if (std::uint64_t(bits) & ~SetMask(type))
            throw rtl::EConvertError(value + " holds elements that " + type.name + " does not have");
        return classes::SetOrdProp(*obj, prop, bits);
    }
    case TTypeKind::Float:
        return classes::SetFloatProp(*obj, prop, rptStrToFloat(value));
    case TTypeKind::String:
    case TTypeKind::LString:
    case TTypeKind::WString:
        return classes::SetStrProp(*obj, prop, value);
    case TTypeKind::Variant:
        return classes::SetVariantProp(*obj, prop, rtl::Variant(value));
    case TTypeKind::Class:
        if (!prop.setObject)
            return;
        if (value.empty() || value == "nil")
            return classes::SetObjectProp(*obj, prop, nullptr);
        fixups_.push_back(TrptFixupItem{obj, &prop, value});
        return;
    case TTypeKind::Method:
    case TTypeKind::Unknown:
        return;
    }
}

void TrptXMLSerializer::ReadDefinitions(classes::TPersistent* obj, std::string_view hex)
{
    if (hex.size() % 2 != 0)
        throw rtl::EConvertError("PropData of odd length");
    // A reader of its own: a definition may hold attribute texts that hold definitions again.
    rtl::TMemoryStream stream;
    rptHexToStream(hex, stream);
    stream.SetPosition(0);
    classes::TReader reader(stream);
    reader.SetRoot(NameScopeRoot);
    // The references read are set at once, while everything they were read into is still there; a name
    // not found leaves its property as it was.
    auto resolve = [&] {
        try {
            reader.FixupReferences(false);
        } catch (const std::exception& e) {
            errors_.Add(AttributePath(obj, "PropData") + ": " + rptExceptionMessage(e));
        }
    };
    // Read up to the first definition the object refuses.
    try {
        while (stream.Position() < stream.Size())
            reader.ReadProperty(obj);
    } catch (...) {
        resolve();
        throw;
    }
    resolve();
}

void TrptXMLSerializer::ReadItem(const TrptXMLItem& item, TrptComponent* root, TrptComponent* parent,
                                 ReadObjects& read)
{
    const bool inherited = rtl::SameText(item.Name(), kInherited);
    const classes::TClassInfo* cls = nullptr;
    if (!inherited) {
        cls = classes::GetClass(item.Name());
        const bool usable = cls && cls->InheritsFrom(TrptComponent::StaticClass()) && cls->createComponent
                         && (!parent || !cls->InheritsFrom(TrptReport::StaticClass()));
        if (!usable) {
            errors_.Add(rptGetResources().Get("xrCantFindClass") + " " + item.Name());
            return;
        }
    }
    TrptComponent* obj = root;
    if (parent) {
        obj = dynamic_cast<TrptComponent*>(NameScopeRoot->FindComponent(NameAttribute(item.Text())));
        if (!obj) {
            if (inherited)
                return;
            obj = static_cast<TrptComponent*>(cls->createComponent(parent));
        }
    }
    if (read.seen.insert(obj).second)
        read.order.push_back(obj);
    obj->SetReading(true);
    XMLToObj(item.Text(), obj);
    for (int i = 0; i < item.Count(); ++i)
        ReadItem(item.Items(i), root, obj, read);
}

void TrptXMLSerializer::ReadRootComponent(TrptComponent* root, TrptXMLItem* item)
{
    if (!NameScopeRoot)
        NameScopeRoot = root;
    std::unique_ptr<TrptXMLDocument> document;
    std::exception_ptr malformed;
    if (!item) {
        document = std::make_unique<TrptXMLDocument>();
        try {
            document->LoadFromStream(*stream_);
        } catch (const TrptInvalidXMLException&) {
            malformed = std::current_exception();  // what was read is made first
        }
        item = &document->Root();
    }
    ReadObjects read;
    auto finish = [&] {
        for (TrptComponent* obj : read.order)
            obj->SetReading(false);
    };
    try {
        if (!item->Name().empty())
            ReadItem(*item, root, nullptr, read);
        FixupReferences();
    } catch (...) {
        finish();
        throw;
    }
    finish();
    for (TrptComponent* obj : read.order)
        if (!dynamic_cast<TrptReport*>(obj))
            NotifyLoaded(*obj);
    if (malformed)
        std::rethrow_exception(malformed);
}

void TrptXMLSerializer::FixupReferences()
{
    std::vector<TrptFixupItem> fixups;
    fixups.swap(fixups_);
    for (const TrptFixupItem& fixup : fixups) {
        classes::TComponent* found = NameScopeRoot ? NameScopeRoot->FindObject(fixup.Value) : nullptr;
        if (!found) {
            try {
                found = report::FindComponentByPath(NameScopeRoot, fixup.Value);
            } catch (const rtl::Exception&) {
                // Reported as missing below.
            }
        }
        if (!found) {
            errors_.Add("Missing " + fixup.Value);
            continue;
        }
        try {
            classes::SetObjectProp(*fixup.Obj, *fixup.Property, found);
        } catch (const std::exception& e) {
            errors_.Add(AttributePath(dynamic_cast<classes::TPersistent*>(fixup.Obj), fixup.Property->name) + ": "
                        + rptExceptionMessage(e));
        }
    }
}

void TrptXMLSerializer::RemoveFixups(const classes::TObject* obj)
{
    std::erase_if(fixups_, [obj](const TrptFixupItem& fixup) { return fixup.Obj == obj; });
}

void TrptXMLSerializer::ReadPersistentStr(TrptComponent* root, classes::TPersistent* obj, std::string_view text)
{
    NameScopeRoot = root;
    XMLToObj(text, obj);
    FixupReferences();
}

classes::TComponent* TrptXMLSerializer::ReadObjectFromString(classes::TComponent* owner, std::string_view text)
{
    if (text.empty())
        return nullptr;
    const std::size_t blank = text.find(' ');
    const std::string className(text.substr(0, blank));
    const classes::TClassInfo& cls = classes::FindClass(className);
    if (!cls.createComponent)
        throw classes::EClassNotFound("Class " + className + " not found");
    classes::TComponent* obj = cls.createComponent(owner);
    XMLToObj(blank == std::string_view::npos ? std::string_view() : text.substr(blank + 1), obj);
    if (!dynamic_cast<TrptComponent*>(obj))
        NotifyLoaded(*obj);
    return obj;
}

}  // namespace report
