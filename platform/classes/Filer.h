#pragma once
// TFiler: what a persistent sees of the component reader or writer in DefineProperties. A defined
// property is stored after the published ones, under its own name: either as values the object
// reads and writes itself, or as a block of bytes (a Binary value: marker 10, a 4-byte little-endian
// length, the bytes).

#include <functional>
#include <string>

namespace rtl {
class TStream;
}

namespace classes {

class TComponent;
class TPersistent;
class TReader;
class TWriter;

using TReaderProc = std::function<void(TReader& reader)>;
using TWriterProc = std::function<void(TWriter& writer)>;
// The stream holds the whole block, from position 0.
using TStreamProc = std::function<void(rtl::TStream& stream)>;

class TFiler {
public:
    virtual ~TFiler() = default;

    // hasData tells the writer whether to store the property at all; the reader ignores it.
    virtual void DefineProperty(const std::string& name, const TReaderProc& readData,
                                const TWriterProc& writeData, bool hasData) = 0;
    virtual void DefineBinaryProperty(const std::string& name, const TStreamProc& readData,
                                      const TStreamProc& writeData, bool hasData) = 0;

    // The component whose tree is read or written, the one that names the references, and the
    // object of the ancestor this object is compared with (null when it has none).
    TComponent* Root() const { return root_; }
    TComponent* LookupRoot() const { return lookupRoot_; }
    TPersistent* Ancestor() const { return ancestor_; }

protected:
    TComponent* root_ = nullptr;
    TComponent* lookupRoot_ = nullptr;
    TPersistent* ancestor_ = nullptr;
};

}  // namespace classes
