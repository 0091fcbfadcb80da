#pragma once
// The template serializer: turns report objects into XML elements and back through the published
// properties of their classes (one attribute per stored property, in the class's property order), for
// templates, prepared pages, style sheets, the report's stored collections and single objects as text.
// References between objects are written as names and resolved after everything is read; against an
// ancestor template only what differs is written, and objects from the ancestor become "inherited"
// elements.
//
// Attribute values: ordinals in decimal (enumerations by value name, Booleans "True"/"False"), floats by
// FloatToStr in the current locale (read with either separator), strings and Variants as escaped text,
// string lists as "<path>.Text" with CR LF between the lines, sub-objects by dotted path ("Font.Name"),
// references by component path, and an object's own stored definitions as "PropData": the component
// stream of platform/classes' writer in upper-case hexadecimal.
//
// A read never stops at a bad value: every problem becomes one line of Errors (sorted, each once) and the
// read goes on. Only a malformed document raises (TrptInvalidXMLException), after the objects of what was
// read have been made.

#include "platform/classes/Persistent.h"
#include "platform/rtl/Method.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/Streams.h"

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace classes {
class TComponent;
struct TPropInfo;
}  // namespace classes

namespace report {

class TrptComponent;
class TrptXMLItem;

// A reference read as a name, set once every object exists.
struct TrptFixupItem {
    classes::TObject* Obj = nullptr;
    const classes::TPropInfo* Property = nullptr;
    std::string Value;
};

// The ancestor of the object of that name, or null; the closure's object is whoever answers.
using TrptGetAncestorEvent = rtl::Method<classes::TComponent*(const std::string& name)>;

class TrptXMLSerializer {
public:
    // stream: what the whole-document operations read or write (may be null for the others).
    explicit TrptXMLSerializer(rtl::TStream* stream);
    ~TrptXMLSerializer();
    TrptXMLSerializer(const TrptXMLSerializer&) = delete;
    TrptXMLSerializer& operator=(const TrptXMLSerializer&) = delete;

    // The root of name look-ups; the first object read or written when not set.
    TrptComponent* NameScopeRoot = nullptr;
    // The component whose stored data names the references written (the report); NameScopeRoot when null.
    classes::TComponent* Owner = nullptr;
    // Write every stored property, also those equal to their default or ancestor value.
    bool SerializeDefaultValues = false;
    // Asked for the ancestor of each report object written without one.
    TrptGetAncestorEvent OnGetAncestor;
    rtl::TStringList& Errors() { return errors_; }
    const std::vector<TrptFixupItem>& Fixups() const { return fixups_; }

    // Reads an element tree into root: the given item, or the whole document from the stream.
    void ReadRootComponent(TrptComponent* root, TrptXMLItem* item = nullptr);
    // Writes root (with its children when asked) into item, or as a new indented document to the stream.
    // forceClassNames writes objects from the ancestor under their class name instead of "inherited".
    void WriteRootComponent(TrptComponent* root, bool saveChildren = true, bool forceClassNames = false,
                            TrptXMLItem* item = nullptr);
    // The attribute text of one object (each item a blank, the name, "=" and the quoted value); every
    // name starts with prefix. With an ancestor only what differs from it.
    std::string ObjToXML(classes::TPersistent* obj, const std::string& prefix = {},
                         classes::TPersistent* ancestor = nullptr);
    // Sets the attributes of text into obj; references wait for FixupReferences.
    void XMLToObj(std::string_view text, classes::TPersistent* obj);
    // Sets every reference read; a name found nowhere adds "Missing " + name to Errors.
    void FixupReferences();
    // Forgets the references read into obj (which is going away).
    void RemoveFixups(const classes::TObject* obj);
    // XMLToObj with root as the root of the look-ups, then FixupReferences.
    void ReadPersistentStr(TrptComponent* root, classes::TPersistent* obj, std::string_view text);
    // The class name followed by the attribute text.
    std::string GetObjectXML(classes::TPersistent* obj);
    // "<" + class name + attributes + "/>" to the stream, without a header.
    void WriteObjectTag(classes::TPersistent* obj);
    // text is a class name, a blank and an attribute text: a new object of that class owned by owner,
    // with the attributes read and its stored references resolved. Null for an empty text;
    // EClassNotFound for a class that is not registered.
    classes::TComponent* ReadObjectFromString(classes::TComponent* owner, std::string_view text);

private:
    // The objects a read reached, each once, in the order it reached them.
    struct ReadObjects {
        std::vector<TrptComponent*> order;
        std::unordered_set<const TrptComponent*> seen;
    };

    void ReadItem(const TrptXMLItem& item, TrptComponent* root, TrptComponent* parent, ReadObjects& read);
    void WriteItem(TrptXMLItem& item, TrptComponent* obj, bool isRoot, bool saveChildren, bool forceClassNames);
    void SetAttribute(classes::TPersistent* obj, std::string_view name, std::string_view value);
    void SetValue(classes::TPersistent* obj, const classes::TPropInfo& prop, const std::string& value);
    void ReadDefinitions(classes::TPersistent* obj, std::string_view hex);
    std::string DefinitionsHex(classes::TPersistent* obj, classes::TPersistent* ancestor);
    std::string ReferenceText(classes::TComponent* component) const;
    std::string AncestorReferenceText(classes::TPersistent* ancestor, classes::TComponent* component) const;

    rtl::TStream* stream_;
    rtl::TStringList errors_;
    std::vector<TrptFixupItem> fixups_;
};

}  // namespace report
