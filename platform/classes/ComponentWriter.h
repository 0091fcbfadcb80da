#pragma once
// The tree layer of stored component data, written on the value layer (BinaryWriter.h):
//
//   stream    := "RVF0" component
//   component := [prefix] class-name name property* Null child* Null
//   prefix    := one byte 0xF0 | flags (1 inherited, 2 child position, 4 inline), then the position
//                as an integer when flag 2 is set
//   property  := name value
//
// Class, component and property names are short strings. Properties of sub-objects are stored under
// dotted names ("Font.Name"), a string list's lines as a List under "<name>.Strings", a collection
// as a Collection value, a component reference as the Ident of its name ("Button1", "Owner" for the
// root, "Form2.Button1" for a component of another root), an event as the Ident of the root's
// published method. Defined properties (DefineProperties) follow the published ones.
//
// Only what differs is written: from the ancestor's value when there is an ancestor, otherwise from
// the declared default (ordinals), 0 (floats), empty (strings, lists, collections, Variants) or none
// (references, events). A component that comes from the ancestor is written with the inherited flag,
// and only when something of it differs.

#include "platform/classes/BinaryWriter.h"
#include "platform/classes/Filer.h"
#include "platform/classes/TypeInfo.h"

#include <string>
#include <vector>

namespace classes {

class TCollection;
class TComponent;
class TPersistent;

class TWriter : public TFiler, public TBinaryWriter {
public:
    explicit TWriter(rtl::TStream& stream);

    void WriteSignature();
    // The whole tree of root, or only what differs from ancestor (an instance of root's ancestor
    // class, read from the ancestor's stored data).
    void WriteRootComponent(TComponent* root);
    void WriteDescendent(TComponent* root, TComponent* ancestor);
    void WriteComponent(TComponent* component);
    // A component's properties and children: what TComponent::WriteState writes.
    void WriteData(TComponent* instance);
    // Published properties, then defined ones.
    void WriteProperties(TPersistent* instance);
    // Only the defined properties of instance, each as name and value.
    void WriteDefinedProperties(TPersistent* instance);
    void WriteCollection(TCollection* collection);
    void WriteVariant(const rtl::Variant& value);

    void DefineProperty(const std::string& name, const TReaderProc& readData, const TWriterProc& writeData,
                        bool hasData) override;
    void DefineBinaryProperty(const std::string& name, const TStreamProc& readData,
                              const TStreamProc& writeData, bool hasData) override;

private:
    TWriter(rtl::TStream& stream, const TWriter& parent);
    void WritePropName(const std::string& name);
    void WriteProperty(TPersistent* instance, const TPropInfo& prop);
    void WriteOrdinal(const TPropInfo& prop, std::int64_t value);
    void WriteFloat(const TPersistent* instance, const TPropInfo& prop);
    void WriteObjectProp(TPersistent* instance, const TPropInfo& prop, const TPropInfo* ancestorProp);
    void WriteStrings(const TPropInfo& prop, const rtl::TStrings& lines, const rtl::TStrings* ancestorLines);
    void WriteChild(TComponent* child, int position);
    std::string ReferenceName(TComponent* component, TComponent* lookupRoot) const;
    std::string HandlerName(TMethodRef handler, TComponent* lookupRoot) const;

    TComponent* rootAncestor_ = nullptr;
    std::string propPath_;
    bool wroteSomething_ = false;
};

}  // namespace classes
