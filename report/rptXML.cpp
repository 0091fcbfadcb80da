#include "report/rptXML.h"

#include "platform/rtl/Collation.h"
#include "platform/rtl/Dates.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Numbers.h"
#include "platform/rtl/StringUtils.h"
#include "platform/rtl/TempFiles.h"

#include <algorithm>

namespace report {

namespace {

constexpr std::size_t kFlushSize = 4096;
constexpr std::string_view kHeader = "<?xml version=\"1.0\" encoding=\"utf-8\"?>";
constexpr std::string_view kUnloadMark = "ld=\"0\"";

// Takes the marks of an element whose children may stay on disk out of its attribute text: after a
// blank or glued to the closing quotation mark of the attribute before it (as older files have them).
// The text is left without blanks at its ends, as the reader gives it. True when there was a mark.
bool TakeUnloadMarks(std::string& text)
{
    bool found = false;
    while (true) {
        const std::string lower = " " + rtl::LowerCase(text);
        // A mark after a "/" is none: the text would then end the element.
        auto isMark = [&](std::size_t i) {
            if (lower[i - 1] != ' ' && lower[i - 1] != '"')
                return false;
            const std::size_t before = lower.find_last_not_of(' ', i - 1);
            return before == std::string::npos || lower[before] != '/';
        };
        std::size_t at = lower.find(kUnloadMark);
        while (at != std::string::npos && !isMark(at))
            at = lower.find(kUnloadMark, at + 1);
        if (at == std::string::npos)
            break;
        // In text the mark starts at at - 1; a blank before it goes with it.
        std::size_t from = at - 1;
        std::size_t count = kUnloadMark.size();
        if (lower[at - 1] == ' ' && from > 0) {
            --from;
            ++count;
        }
        text.erase(from, count);
        found = true;
    }
    if (found) {
        text.erase(text.find_last_not_of(' ') + 1);
        text.erase(0, std::min(text.find_first_not_of(' '), text.size()));
    }
    return found;
}

// Where the attribute starts in text (at its name), or npos.
std::size_t FindAttribute(const std::string& text, std::string_view name)
{
    const std::string upper = " " + rtl::AnsiUpperCase(text);
    const std::size_t at = upper.find(" " + rtl::AnsiUpperCase(name) + "=\"");
    return at;  // the blank put in front makes this the attribute's position in text
}

}  // namespace

TrptInvalidXMLException::TrptInvalidXMLException(std::int64_t offset, std::string reason)
    : rtl::Exception("Invalid file format"), offset_(offset), reason_(std::move(reason))
{
}

// --- items ---

TrptXMLItem::~TrptXMLItem()
{
    Clear();
    Detach();
}

void TrptXMLItem::Detach()
{
    if (parent_)
        std::erase(parent_->children_, this);
    parent_ = nullptr;
}

void TrptXMLItem::Clear()
{
    std::vector<TrptXMLItem*> children;
    children.swap(children_);
    for (TrptXMLItem* child : children) {
        child->parent_ = nullptr;
        delete child;
    }
    if (unloadable_)
        loaded_ = false;
}

TrptXMLItem& TrptXMLItem::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw rtl::EListError("List index out of bounds (" + std::to_string(index) + ")");
    return *children_[std::size_t(index)];
}

TrptXMLItem& TrptXMLItem::Add()
{
    auto* item = new TrptXMLItem;
    item->parent_ = this;
    children_.push_back(item);
    return *item;
}

void TrptXMLItem::AddItem(TrptXMLItem& item)
{
    InsertItem(Count(), item);
}

void TrptXMLItem::InsertItem(int index, TrptXMLItem& item)
{
    for (const TrptXMLItem* up = this; up; up = up->parent_)
        if (up == &item)
            throw rtl::EInvalidOperation("An XML item cannot become a child of itself");
    item.Detach();
    index = std::clamp(index, 0, Count());
    children_.insert(children_.begin() + index, &item);
    item.parent_ = this;
}

int TrptXMLItem::IndexOf(std::string_view name) const
{
    for (std::size_t i = 0; i < children_.size(); ++i)
        if (rtl::AnsiSameText(children_[i]->name_, name))
            return int(i);
    return -1;
}

int TrptXMLItem::IndexOfItem(const TrptXMLItem& item) const
{
    auto it = std::find(children_.begin(), children_.end(), &item);
    return it == children_.end() ? -1 : int(it - children_.begin());
}

TrptXMLItem& TrptXMLItem::FindItem(std::string_view name)
{
    const int index = IndexOf(name);
    if (index >= 0)
        return *children_[std::size_t(index)];
    TrptXMLItem& item = Add();
    item.name_ = name;
    return item;
}

std::string TrptXMLItem::Prop(std::string_view name) const
{
    const std::size_t at = FindAttribute(text_, name);
    if (at == std::string::npos)
        return {};
    const std::size_t start = at + name.size() + 2;
    const std::size_t end = text_.find('"', start);
    return XMLToStr(std::string_view(text_).substr(start, end == std::string::npos ? std::string::npos : end - start));
}

void TrptXMLItem::SetProp(std::string_view name, std::string_view value)
{
    const std::string attribute = std::string(name) + "=\"" + StrToXML(value) + "\"";
    const std::size_t at = FindAttribute(text_, name);
    if (at != std::string::npos) {
        const std::size_t close = text_.find('"', at + name.size() + 2);
        text_.replace(at, close == std::string::npos ? std::string::npos : close + 1 - at, attribute);
    } else {
        if (!text_.empty() && text_.back() != ' ')
            text_ += ' ';
        text_ += attribute;
    }
}

// --- reader ---

TrptXMLReader::TrptXMLReader(rtl::TStream& stream)
    : stream_(stream), size_(stream.Size()), bufferStart_(stream.Position())
{
}

TrptXMLReader::~TrptXMLReader()
{
    try {
        stream_.SetPosition(Position());
    } catch (...) {
        // Nothing more to do for a stream that cannot move back.
    }
}

void TrptXMLReader::Fail(std::string reason) const
{
    throw TrptInvalidXMLException(Position(), std::move(reason));
}

int TrptXMLReader::NextChar()
{
    if (next_ == end_) {
        bufferStart_ += std::int64_t(end_);
        next_ = end_ = 0;
        const std::int64_t left = size_ - bufferStart_;
        if (left <= 0)
            return -1;
        const std::int64_t n = stream_.Read(buffer_.data(), std::min<std::int64_t>(left, std::int64_t(buffer_.size())));
        if (n <= 0)
            return -1;
        end_ = std::size_t(n);
    }
    return static_cast<unsigned char>(buffer_[next_++]);
}

void TrptXMLReader::SkipComment()
{
    int before = 0, last = 0;
    for (int c; (c = NextChar()) >= 0; before = last, last = c)
        if (c == '>' && last == '-' && before == '-')
            return;
    Fail("the stream ends inside a comment");
}

bool TrptXMLReader::ReadTag(std::string& name, std::string& text)
{
    std::string tag;
    for (bool comment = true; comment;) {
        int c;
        do {
            if ((c = NextChar()) < 0)
                return false;  // text content, if any, is skipped
        } while (c != '<');
        tag.clear();
        comment = false;
        while ((c = NextChar()) != '>') {
            if (c < 0)
                Fail("the stream ends inside a tag");
            if (c == '<')
                Fail("'<' inside a tag");
            tag += char(c);
            if (tag == "!--") {
                SkipComment();
                comment = true;
                break;
            }
        }
    }
    tag.erase(tag.find_last_not_of(' ') + 1);
    const std::size_t blank = tag.find(' ');
    name = tag.substr(0, blank);
    text = blank == std::string::npos ? std::string() : tag.substr(tag.find_first_not_of(' ', blank));
    return true;
}

TrptXMLReader::Read TrptXMLReader::ReadItem(TrptXMLItem& item, bool loadAll, int depth, std::string& endTag)
{
    const std::int64_t entry = Position();
    std::string name, text;
    if (!ReadTag(name, text))
        return Read::End;
    if (!name.empty() && name.front() == '/') {
        endTag = name;
        return Read::EndTag;
    }
    if (name.empty())
        Fail("an element without a name");
    if (depth > kMaxDepth)
        Fail("elements nested deeper than " + std::to_string(kMaxDepth) + " levels");
    // The slashes that close an empty element are no part of its name.
    bool empty = false;
    while (name.back() == '/') {
        name.pop_back();
        empty = true;
    }
    if (!text.empty() && text.back() == '/') {
        text.pop_back();
        empty = true;
    }
    item.name_ = std::move(name);
    item.text_ = std::move(text);
    // The mark matters only for an element with children; an empty one loses it all the same.
    const bool marked = TakeUnloadMarks(item.text_);
    if (empty)
        return Read::Element;
    while (true) {
        TrptXMLItem& child = item.Add();
        std::string childEnd;
        Read read;
        try {
            read = ReadItem(child, loadAll, depth + 1, childEnd);
        } catch (...) {
            // A child whose tag could not be read is no item: only what was read stays.
            if (child.name_.empty())
                delete &child;
            throw;
        }
        if (read == Read::Element)
            continue;
        delete &child;
        if (read == Read::End)
            Fail("the stream ends before </" + item.name_ + ">");
        if (!rtl::AnsiSameText(std::string_view(childEnd).substr(1), item.name_))
            Fail("<" + childEnd + "> does not close <" + item.name_ + ">");
        break;
    }
    if (marked && !loadAll) {
        item.Clear();
        item.unloadable_ = true;
        item.loaded_ = false;
        item.offset_ = entry;
        item.store_ = TrptXMLItem::Store::Source;
    }
    return Read::Element;
}

void TrptXMLReader::ReadHeader()
{
    std::string name, text;
    if (!ReadTag(name, text) || !name.starts_with("?xml"))
        Fail("the document does not begin with <?xml ...?>");
}

void TrptXMLReader::ReadRootItem(TrptXMLItem& item, bool loadAll)
{
    std::string endTag;
    switch (ReadItem(item, loadAll, 1, endTag)) {
    case Read::Element: return;
    case Read::EndTag: Fail("<" + endTag + "> where an element begins");
    case Read::End: Fail("the stream ends before the element");
    }
}

// --- writer ---

TrptXMLWriter::TrptXMLWriter(rtl::TStream& stream, bool indented, const TrptXMLDocument* document)
    : stream_(stream), indented_(indented), document_(document)
{
}

void TrptXMLWriter::Write(std::string_view text)
{
    buffer_ += text;
    if (buffer_.size() > kFlushSize)
        Flush();
}

void TrptXMLWriter::Flush()
{
    stream_.WriteBuffer(buffer_.data(), std::int64_t(buffer_.size()));
    buffer_.clear();
}

void TrptXMLWriter::WriteLine(int level, std::string_view text)
{
    if (indented_)
        Write(std::string(std::size_t(level), ' '));
    Write(text);
    if (indented_)
        Write("\r\n");
}

void TrptXMLWriter::WriteHeader()
{
    WriteLine(0, kHeader);
}

void TrptXMLWriter::WriteItem(const TrptXMLItem& item, int level)
{
    std::string attributes;
    if (!item.Text().empty())
        attributes = item.Text().front() == ' ' ? item.Text() : " " + item.Text();
    if (item.Unloadable())
        attributes += " " + std::string(kUnloadMark);
    // The children of an unloaded item are read back for the writing, and let go again afterwards.
    const TrptXMLItem* children = &item;
    TrptXMLItem stored;
    if (!item.Loaded() && document_) {
        document_->ReadStored(item, stored);
        children = &stored;
    }
    const std::string& name = item.Name();
    if (children->Count() > 0) {
        WriteLine(level, "<" + name + attributes + ">");
        for (int i = 0; i < children->Count(); ++i)
            WriteItem(children->Items(i), level + 2);
        WriteLine(level, "</" + name + ">");
    } else if (!item.Value().empty()) {
        WriteLine(level, "<" + name + attributes + ">" + item.Value() + "</" + name + ">");
    } else {
        WriteLine(level, "<" + name + attributes + "/>");
    }
}

// --- document ---

TrptXMLDocument::TrptXMLDocument() : root_(std::make_unique<TrptXMLItem>())
{
}

TrptXMLDocument::~TrptXMLDocument()
{
    root_.reset();
    DeleteTempFile();
}

void TrptXMLDocument::Clear()
{
    root_->Clear();
    DeleteTempFile();
}

void TrptXMLDocument::LoadFromStream(rtl::TStream& stream)
{
    Clear();
    TrptXMLReader reader(stream);
    reader.ReadHeader();
    reader.ReadRootItem(*root_, true);
}

void TrptXMLDocument::LoadPartially(std::unique_ptr<rtl::TStream> stream)
{
    Clear();
    source_ = std::move(stream);
    TrptXMLReader reader(*source_);
    reader.ReadHeader();
    reader.ReadRootItem(*root_, false);
}

void TrptXMLDocument::SaveToStream(rtl::TStream& stream) const
{
    TrptXMLWriter writer(stream, indented_, this);
    writer.WriteHeader();
    writer.WriteItem(*root_);
    writer.Flush();
}

void TrptXMLDocument::ReadStored(const TrptXMLItem& item, TrptXMLItem& scratch) const
{
    rtl::TStream* store = item.store_ == TrptXMLItem::Store::Source ? source_.get()
                        : item.store_ == TrptXMLItem::Store::TempFile ? tempFile_.get() : nullptr;
    if (!store)
        return;
    store->SetPosition(item.offset_);
    TrptXMLReader reader(*store);
    reader.ReadRootItem(scratch, true);
}

void TrptXMLDocument::LoadItem(TrptXMLItem& item)
{
    if (item.loaded_ || !item.unloadable_)
        return;
    TrptXMLItem stored;
    ReadStored(item, stored);
    while (stored.Count() > 0)
        item.AddItem(stored.Items(0));
    item.loaded_ = true;
}

void TrptXMLDocument::UnloadItem(TrptXMLItem& item)
{
    if (!item.loaded_ || !item.unloadable_)
        return;
    // A partial read's stream is the caller's file: unloading never writes into it.
    CreateTempFile();
    const std::int64_t offset = tempFile_->Seek(0, rtl::SeekOrigin::End);
    TrptXMLWriter writer(*tempFile_, false, this);
    writer.WriteItem(item);
    writer.Flush();
    item.Clear();
    item.offset_ = offset;
    item.store_ = TrptXMLItem::Store::TempFile;
}

void TrptXMLDocument::CreateTempFile()
{
    if (tempFile_)
        return;
    const std::string folder = !tempDir_.empty() && rtl::DirectoryExists(tempDir_) ? tempDir_ : std::string();
    std::string name = rtl::CreateTempFileName("fr", folder);
    try {
        tempFile_ = std::make_unique<rtl::TFileStream>(name, rtl::fmOpenReadWrite);
    } catch (...) {
        rtl::DeleteFile(name);
        throw;
    }
    tempFileName_ = std::move(name);
}

void TrptXMLDocument::DeleteTempFile()
{
    source_.reset();
    if (!tempFile_)
        return;
    tempFile_.reset();
    rtl::DeleteFile(tempFileName_);
    tempFileName_.clear();
}

// --- escaping ---

std::string StrToXML(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        switch (c) {
        case '&':
            if (text.substr(i, 6) == "&quot;") {
                result += "&#34;";
                i += 5;
            } else {
                result += "&#38;";
            }
            break;
        case '\n': result += "&#10;"; break;
        case '\r': result += "&#13;"; break;
        case '"': result += "&#34;"; break;
        case '<': result += "&#60;"; break;
        case '>': result += "&#62;"; break;
        default: result += c;
        }
    }
    return result;
}

std::string XMLToStr(std::string_view text)
{
    static constexpr std::pair<std::string_view, char> kEntities[] = {
        {"&quot;", '"'}, {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}};
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            result += text[i];
            continue;
        }
        if (text.substr(i, 2) == "&#") {
            std::size_t j = i + 2;
            int code = 0;
            for (; j < text.size() && text[j] >= '0' && text[j] <= '9'; ++j)
                code = std::min(code * 10 + (text[j] - '0'), 256);
            if (j > i + 2 && j < text.size() && text[j] == ';' && code <= 255) {
                result += char(code);
                i = j;
                continue;
            }
        }
        bool named = false;
        for (auto [entity, c] : kEntities)
            if (text.substr(i, entity.size()) == entity) {
                result += c;
                i += entity.size() - 1;
                named = true;
                break;
            }
        if (!named)
            result += '&';
    }
    return result;
}

std::string ValueToXML(const rtl::Variant& value)
{
    switch (value.Type()) {
    case rtl::varSmallint:
    case rtl::varInteger:
    case rtl::varByte: return rtl::IntToStr(value.ToInt64());
    case rtl::varSingle:
    case rtl::varDouble:
    case rtl::varCurrency: return rtl::FloatToStr(value.ToDouble());
    case rtl::varDate: return rtl::DateToStr(value.ToDate());
    case rtl::varOleStr:
    case rtl::varString: return StrToXML(value.ToString());
    case rtl::varBoolean: return value.ToBoolean() ? "1" : "0";
    default: return {};
    }
}

}  // namespace report
