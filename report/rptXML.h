#pragma once
// The report library's XML: templates, prepared reports, style sheets and string tables are trees of
// items, each with a name, its attributes as one raw text (values escaped with numeric character
// references) and optionally a value. Read and written by a buffered reader and writer; the children of
// marked items can live outside memory, in the document's temporary file or, after a partial read, in
// the stream the document was read from.

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Variant.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace report {

class TrptXMLDocument;

// Malformed input: the message is "Invalid file format"; the byte offset in the stream and the reason
// say where and what.
class TrptInvalidXMLException : public rtl::Exception {
public:
    TrptInvalidXMLException(std::int64_t offset, std::string reason);
    const char* ClassName() const noexcept override { return "TrptInvalidXMLException"; }
    std::int64_t Offset() const { return offset_; }
    const std::string& Reason() const { return reason_; }

private:
    std::int64_t offset_;
    std::string reason_;
};

// One element. It owns its children; deleting an item deletes them and takes it out of its parent.
class TrptXMLItem {
public:
    TrptXMLItem() = default;
    ~TrptXMLItem();
    TrptXMLItem(const TrptXMLItem&) = delete;
    TrptXMLItem& operator=(const TrptXMLItem&) = delete;

    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }
    // Everything after the name inside the start tag: the attributes, already escaped.
    const std::string& Text() const { return text_; }
    void SetText(std::string text) { text_ = std::move(text); }
    // Written between start and end tag when the item has no children; the reader never fills it.
    const std::string& Value() const { return value_; }
    void SetValue(std::string value) { value_ = std::move(value); }
    // Carried for the owner of the document; not written.
    void* Data() const { return data_; }
    void SetData(void* data) { data_ = data; }

    TrptXMLItem* Parent() const { return parent_; }
    // Whether the children are in memory.
    bool Loaded() const { return loaded_; }
    // Whether the children may be moved out of memory (UnloadItem).
    bool Unloadable() const { return unloadable_; }
    void SetUnloadable(bool unloadable) { unloadable_ = unloadable; }
    // Where the unloaded element starts in the store that holds it.
    std::int64_t Offset() const { return offset_; }

    // Deletes the children; an unloadable item is then no longer loaded.
    void Clear();
    int Count() const { return int(children_.size()); }
    // EListError "List index out of bounds (%d)" for a bad index.
    TrptXMLItem& Items(int index) const;
    TrptXMLItem& Add();
    // Moves item (with its children) here, out of its former parent: at the end, or at index.
    void AddItem(TrptXMLItem& item);
    void InsertItem(int index, TrptXMLItem& item);
    // The first child of that name, without regard to case; -1 when none.
    int IndexOf(std::string_view name) const;
    int IndexOfItem(const TrptXMLItem& item) const;
    // The child of that name; a new, empty one of that name when there is none.
    TrptXMLItem& FindItem(std::string_view name);

    // The value of an attribute (unescaped), found without regard to case where a blank precedes its
    // name; empty when there is none.
    std::string Prop(std::string_view name) const;
    // Replaces the attribute in place, or appends it.
    void SetProp(std::string_view name, std::string_view value);

private:
    friend class TrptXMLDocument;
    friend class TrptXMLReader;

    void Detach();

    std::string name_;
    std::string text_;
    std::string value_;
    void* data_ = nullptr;
    TrptXMLItem* parent_ = nullptr;
    std::vector<TrptXMLItem*> children_;
    // Where the element of an unloaded item is kept: nowhere yet, in the stream of the partial read
    // that left it there, or in the temporary file it was unloaded to.
    enum class Store { None, Source, TempFile };

    bool loaded_ = true;
    bool unloadable_ = false;
    Store store_ = Store::None;
    std::int64_t offset_ = 0;
};

// Reads one document from a stream, through a buffer of 4096 bytes; the stream is left just after what
// was read. Text between elements and comments are skipped; malformed input raises
// TrptInvalidXMLException, the items read so far staying in the tree.
class TrptXMLReader {
public:
    explicit TrptXMLReader(rtl::TStream& stream);
    ~TrptXMLReader();
    TrptXMLReader(const TrptXMLReader&) = delete;
    TrptXMLReader& operator=(const TrptXMLReader&) = delete;

    // Nesting deeper than this is refused.
    static constexpr int kMaxDepth = 1000;

    // The header tag, whose name must begin with "?xml".
    void ReadHeader();
    // One element with its children into item. With loadAll false the children of elements marked
    // ld="0" are not kept: the item becomes unloadable, unloaded, and remembers where it starts.
    void ReadRootItem(TrptXMLItem& item, bool loadAll = true);
    std::int64_t Position() const { return bufferStart_ + std::int64_t(next_); }

private:
    enum class Read { Element, EndTag, End };

    int NextChar();
    bool ReadTag(std::string& name, std::string& text);
    void SkipComment();
    Read ReadItem(TrptXMLItem& item, bool loadAll, int depth, std::string& endTag);
    [[noreturn]] void Fail(std::string reason) const;

    rtl::TStream& stream_;
    std::int64_t size_;
    std::int64_t bufferStart_;  // the stream position of the buffer's first byte
    std::array<char, 4096> buffer_;
    std::size_t next_ = 0;
    std::size_t end_ = 0;
};

// Writes items, through a text buffer flushed beyond 4096 characters and by Flush. With indented, one
// element per line ending in CR LF, two blanks of indentation per level. Unloaded items are read back
// from their document for writing and stay unloaded.
class TrptXMLWriter {
public:
    TrptXMLWriter(rtl::TStream& stream, bool indented, const TrptXMLDocument* document = nullptr);
    TrptXMLWriter(const TrptXMLWriter&) = delete;
    TrptXMLWriter& operator=(const TrptXMLWriter&) = delete;

    void WriteHeader();
    void WriteItem(const TrptXMLItem& item, int level = 0);
    void Flush();

private:
    void Write(std::string_view text);
    void WriteLine(int level, std::string_view text);

    rtl::TStream& stream_;
    bool indented_;
    const TrptXMLDocument* document_;
    std::string buffer_;
};

class TrptXMLDocument {
public:
    TrptXMLDocument();
    ~TrptXMLDocument();
    TrptXMLDocument(const TrptXMLDocument&) = delete;
    TrptXMLDocument& operator=(const TrptXMLDocument&) = delete;

    TrptXMLItem& Root() { return *root_; }
    const TrptXMLItem& Root() const { return *root_; }
    bool Indented() const { return indented_; }
    void SetIndented(bool indented) { indented_ = indented; }
    // The folder of the temporary file; empty or missing: the program's temporary folder.
    const std::string& TempDir() const { return tempDir_; }
    void SetTempDir(std::string folder) { tempDir_ = std::move(folder); }
    // The temporary file's name once it exists.
    const std::string& TempFileName() const { return tempFileName_; }

    // Deletes the children of the root and lets go of the temporary file and of a partial read's stream.
    void Clear();
    // Reads the whole document from the stream's position.
    void LoadFromStream(rtl::TStream& stream);
    // Reads the document leaving the children of marked items in the stream, which the document keeps
    // (and frees when it is cleared or deleted) to load them on demand.
    void LoadPartially(std::unique_ptr<rtl::TStream> stream);
    // The header and the root with every child, unloaded ones included.
    void SaveToStream(rtl::TStream& stream) const;

    // Brings the children of an unloaded item back; its Text stays as it is. Malformed stored data
    // raises TrptInvalidXMLException and leaves the item unloaded.
    void LoadItem(TrptXMLItem& item);
    // Moves the children of a loaded, unloadable item to the end of the temporary file.
    void UnloadItem(TrptXMLItem& item);
    // Once per document: a new file "fr..." in TempDir, or in the temporary folder.
    void CreateTempFile();
    // Closes and deletes the temporary file, and lets go of a partial read's stream.
    void DeleteTempFile();

private:
    friend class TrptXMLWriter;

    // The element of an unloaded item, read whole from its store into scratch.
    void ReadStored(const TrptXMLItem& item, TrptXMLItem& scratch) const;

    std::unique_ptr<TrptXMLItem> root_;
    bool indented_ = false;
    std::string tempDir_;
    std::string tempFileName_;
    std::unique_ptr<rtl::TStream> tempFile_;
    std::unique_ptr<rtl::TStream> source_;  // the stream of a partial read
};

// Attribute values: line feed, carriage return, quotation mark, ampersand, less-than and greater-than as
// "&#" + code + ";"; the six characters "&quot;" as "&#34;".
std::string StrToXML(std::string_view text);
// "&#" + decimal digits + ";" (up to 255) as that character, and "&quot;", "&amp;", "&lt;", "&gt;";
// anything else, a reference without its ";" or digits or above 255 among it, stays as written.
std::string XMLToStr(std::string_view text);
// A Variant as attribute text: 16- and 32-bit integers and bytes in decimal, floats and currency in the
// general float form, dates as the short date, texts escaped, Booleans "1" or "0"; anything else empty.
std::string ValueToXML(const rtl::Variant& value);

}  // namespace report
