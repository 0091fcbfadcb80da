#pragma once
// The script engine's own small XML document: elements with a name and an unparsed attribute text, no
// character data, no namespaces, only numeric character references. It holds the language grammars,
// the XML programs made from source text and the precompiled units a host hands in. Attribute values
// are read from the attribute text when asked for.

#include "platform/rtl/Streams.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace script {

// Attribute values: LF, CR, '"', '<', '>' and '&' become decimal character references ("&#10;"), so
// that UnescapeXMLText(EscapeXMLText(s)) == s for every byte string. Unescaping reads references
// "&#N;" up to 255 and "&quot;"; anything else (other entities, larger numbers, a reference without
// digits or without its ';') stays as written.
std::string EscapeXMLText(std::string_view text);
std::string UnescapeXMLText(std::string_view text);

// One element. It owns its children; deleting an item deletes them and takes it out of its parent.
// Deep trees are freed, copied and written without recursion.
class TscXMLItem {
public:
    TscXMLItem() = default;
    ~TscXMLItem();
    TscXMLItem(const TscXMLItem&) = delete;
    TscXMLItem& operator=(const TscXMLItem&) = delete;

    // The element name and the attribute text (everything after the name inside the tag, without a
    // trailing '/'), as read.
    std::string Name;
    std::string Text;
    // Carried along by Assign; never owned.
    void* Data = nullptr;

    TscXMLItem* Parent() const { return parent_; }
    int Count() const { return int(children_.size()); }
    // EListError for an index out of range.
    TscXMLItem* Items(int index) const;
    // A new empty child at the end.
    TscXMLItem* Add();
    // Takes item over from its former parent (or from the caller, when it has none) and appends it;
    // InsertItem then moves it to index.
    void AddItem(TscXMLItem* item);
    void InsertItem(int index, TscXMLItem* item);
    // The first child whose name equals name without regard to case, or -1.
    int IndexOf(std::string_view name) const;
    // That child, or a new empty child of that name when there is none.
    TscXMLItem* FindItem(std::string_view name);
    TscXMLItem* Root();

    // The unescaped value of attribute name (case ignored); empty when absent. An unclosed value runs
    // to the end of the attribute text.
    std::string Prop(std::string_view name) const;
    // Replaces the attribute in place, or appends it.
    void SetProp(std::string_view name, std::string_view value);

    void Clear();
    // Clear, then a copy of source's name, attribute text, Data and all its descendants.
    void Assign(const TscXMLItem& source);

private:
    friend class TscXMLDocument;
    std::unique_ptr<TscXMLItem> Detach();
    void Adopt(std::unique_ptr<TscXMLItem> item);

    TscXMLItem* parent_ = nullptr;
    std::vector<std::unique_ptr<TscXMLItem>> children_;
};

// Reads tags from a stream through a 4096-byte buffer. When it is destroyed the stream stands just after
// the last tag it read.
class TscXMLReader {
public:
    explicit TscXMLReader(rtl::TStream& stream);
    ~TscXMLReader();
    TscXMLReader(const TscXMLReader&) = delete;
    TscXMLReader& operator=(const TscXMLReader&) = delete;

    // The next tag's name and attribute text, comments skipped; false when the stream ends before one
    // starts. "Invalid file format" for a '<' inside a tag and for a tag or comment cut off by the end.
    bool ReadTag(std::string& name, std::string& text);
    // The "<?xml ...?>" declaration, then one element with all its descendants. "Invalid file format"
    // for a missing declaration, an end tag that closes nothing or does not match, an element not
    // closed before the end, and nesting deeper than MaxDepth levels.
    void ReadHeader();
    void ReadRootItem(TscXMLItem& item);

    static constexpr int MaxDepth = 10000;

private:
    bool FillBuffer();
    bool NextChar(char& c);
    void SkipComment();

    rtl::TStream& stream_;
    std::int64_t streamStart_;
    std::int64_t consumed_ = 0;
    std::vector<char> buffer_;
    size_t bufferPos_ = 0;
    size_t bufferEnd_ = 0;
};

// Writes elements to a stream through a text buffer flushed at 4096 characters and by Flush.
class TscXMLWriter {
public:
    TscXMLWriter(rtl::TStream& stream, bool indentOutput);
    TscXMLWriter(const TscXMLWriter&) = delete;
    TscXMLWriter& operator=(const TscXMLWriter&) = delete;

    void WriteHeader();
    void WriteRootItem(const TscXMLItem& item);
    void Flush();

private:
    void WriteLine(std::string_view text, int depth);

    rtl::TStream& stream_;
    bool indentOutput_;
    std::string buffer_;
};

class TscXMLDocument {
public:
    TscXMLDocument() = default;
    TscXMLDocument(const TscXMLDocument&) = delete;
    TscXMLDocument& operator=(const TscXMLDocument&) = delete;

    TscXMLItem* Root() { return &root_; }
    const TscXMLItem* Root() const { return &root_; }
    // Every tag on a line of its own, indented by two blanks per level; off: all on one line.
    bool IndentOutput = false;

    // A load that fails leaves the document as it was.
    void LoadFromStream(rtl::TStream& stream);
    void SaveToStream(rtl::TStream& stream) const;
    // File errors pass through; a failed save leaves the file as it was.
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;

private:
    TscXMLItem root_;
};

}  // namespace script
