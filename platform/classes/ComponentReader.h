#pragma once
// Reading stored component data (the format is described in ComponentWriter.h).
//
// ReadRootComponent reads a whole tree: it creates the components the data names (by their
// registered classes, owned by the root or by the component that GetChildOwner gives), sets their
// properties, resolves the references by name once everything is read, and then calls Loaded once
// on every component read, the root first. While reading, the components are in the loading and
// reading states.
//
// Damaged data raises EReadError ("Invalid stream format", "Stream read error", or for a property
// "Error reading Button1.Caption: " and what is wrong: "Invalid property value", "Property %s does not
// exist", "Stream read error") or EClassNotFound ("Class %s not found"), after deleting
// every component the read had created (the root too, when the read made it) and taking the
// loading state off the others.

#include "platform/classes/BinaryReader.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Fixups.h"
#include "platform/rtl/Method.h"

#include <functional>
#include <string>
#include <vector>

namespace classes {

// A defined property's data that its reader refused: "Error reading Image1.Picture.Data: <what is wrong>".
// The property's reader keeps the property as it was.
class EDefinedPropertyError : public rtl::EReadError {
public:
    using rtl::EReadError::EReadError;
};

class TCollection;
class TComponent;
class TPersistent;

class TReader : public TFiler, public TBinaryReader {
public:
    explicit TReader(rtl::TStream& stream);

    // "RVF0"; EReadError "Invalid stream format" otherwise.
    void ReadSignature();
    // Reads into root, or, with root null, into a new component of the stored class (no owner).
    TComponent* ReadRootComponent(TComponent* root);
    // One child: created unless it comes from the ancestor (then found by name among Owner's).
    TComponent* ReadComponent();
    // Properties, then children: what TComponent::ReadState reads.
    void ReadData(TComponent* instance);
    // One property (name and value) into instance; within a component's data its faults name the component and
    // the property ("Error reading Button1.Caption: ..."), after SetRoot they are left to the caller to place.
    void ReadProperty(TPersistent* instance);
    // The items of a collection, after its Collection marker.
    void ReadCollection(TCollection* collection);
    rtl::Variant ReadVariant();

    // For reading properties outside ReadRootComponent: the root that names references and events.
    void SetRoot(TComponent* root);
    // Resolves the references read since the last call (ReadRootComponent does this itself); with
    // keepPending false a path that does not resolve yet is dropped instead of waiting for its window.
    void FixupReferences(bool keepPending = true);

    // Asked for a component the data marks as inherited when Owner has none of that name; null
    // keeps the error "Ancestor for '%s' not found".
    rtl::Method<TComponent*(TReader& reader, const std::string& name)> OnAncestorNotFound;

    // The owner of the components being created, and their parent.
    TComponent* Owner() const { return owner_; }
    TComponent* Parent() const { return parent_; }

    void DefineProperty(const std::string& name, const TReaderProc& readData, const TWriterProc& writeData,
                        bool hasData) override;
    void DefineBinaryProperty(const std::string& name, const TStreamProc& readData,
                              const TStreamProc& writeData, bool hasData) override;

private:
    struct Prefix {
        std::uint8_t flags = 0;
        int position = -1;
    };
    Prefix ReadPrefix();
    // One property's value, its name read; errors say nothing yet of where they are.
    void ReadNamedProperty(TPersistent* instance, const std::string& fullName);
    void ReadPropValue(TPersistent* instance, const TPropInfo& prop);
    std::int64_t ReadOrdinal(const TPropInfo& prop);
    void ReadObjectValue(TPersistent* instance, const TPropInfo& prop);
    void ReadStrings(rtl::TStrings& lines);
    void Undo();
    // Runs a defined property's reader; what it refuses becomes an EDefinedPropertyError.
    void ReadDefined(const std::function<void()>& read);

    TComponent* owner_ = nullptr;
    TComponent* parent_ = nullptr;
    TComponent* current_ = nullptr;
    // Whether ReadProperty names the component and property of a fault (off after SetRoot).
    bool placeFaults_ = true;
    std::string pendingName_;
    std::string pendingPath_;
    bool pendingDone_ = false;
    std::vector<TComponent*> loaded_;
    std::vector<TComponent*> created_;
    std::vector<TFixup> fixups_;
};

}  // namespace classes
