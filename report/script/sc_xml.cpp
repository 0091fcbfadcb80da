#include "report/script/sc_xml.h"

#include "platform/rtl/AtomicFile.h"
#include "platform/rtl/Collation.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/List.h"
#include "platform/rtl/StringUtils.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace script {

namespace {

constexpr size_t BufferSize = 4096;
constexpr std::string_view XmlHeader = "<?xml version=\"1.0\"?>";

[[noreturn]] void InvalidFormat()
{
    throw rtl::Exception("Invalid file format");
}

bool SameCharIgnoringCase(char a, char b)
{
    return a == b || rtl::AnsiUpperChar(a) == rtl::AnsiUpperChar(b);
}

// Where attribute name starts in text (after a blank or at the start, followed by '="'), or npos.
size_t FindAttribute(std::string_view text, std::string_view name)
{
    const size_t needed = name.size() + 2;
    for (size_t i = 0; i + needed <= text.size(); ++i) {
        if (i > 0 && text[i - 1] != ' ')
            continue;
        size_t k = 0;
        while (k < name.size() && SameCharIgnoringCase(text[i + k], name[k]))
            ++k;
        if (k == name.size() && text[i + k] == '=' && text[i + k + 1] == '"')
            return i;
    }
    return std::string_view::npos;
}

// The end of the attribute starting at start: just after its closing quote, or the end of the text.
size_t AttributeEnd(std::string_view text, size_t valueStart)
{
    const size_t close = text.find('"', valueStart);
    return close == std::string_view::npos ? text.size() : close + 1;
}

}  // namespace

std::string EscapeXMLText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '\n': out += "&#10;"; break;
        case '\r': out += "&#13;"; break;
        case '"': out += "&#34;"; break;
        case '&': out += "&#38;"; break;
        case '<': out += "&#60;"; break;
        case '>': out += "&#62;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string UnescapeXMLText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c != '&') {
            out += c;
            ++i;
            continue;
        }
        if (text.substr(i, 6) == "&quot;") {
            out += '"';
            i += 6;
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == '#') {
            size_t k = i + 2;
            unsigned value = 0;
            while (k < text.size() && text[k] >= '0' && text[k] <= '9') {
                value = std::min(value * 10 + unsigned(text[k] - '0'), 256u);
                ++k;
            }
            if (k > i + 2 && k < text.size() && text[k] == ';' && value <= 255) {
                out += char(value);
                i = k + 1;
                continue;
            }
        }
        out += c;
        ++i;
    }
    return out;
}

// ---- TscXMLItem ----

TscXMLItem::~TscXMLItem()
{
    Clear();
    if (parent_)
        Detach().release();
}

TscXMLItem* TscXMLItem::Items(int index) const
{
    rtl::CheckListIndex(index, Count());
    return children_[size_t(index)].get();
}

TscXMLItem* TscXMLItem::Add()
{
    auto item = std::make_unique<TscXMLItem>();
    TscXMLItem* added = item.get();
    Adopt(std::move(item));
    return added;
}

void TscXMLItem::AddItem(TscXMLItem* item)
{
    for (TscXMLItem* up = this; up; up = up->parent_) {
        if (up == item)
            throw rtl::EInvalidOperation("An XML item cannot become a child of itself or of its descendants");
    }
    Adopt(item->parent_ ? item->Detach() : std::unique_ptr<TscXMLItem>(item));
}

void TscXMLItem::InsertItem(int index, TscXMLItem* item)
{
    const int count = item->parent_ == this ? Count() - 1 : Count();
    rtl::CheckListIndex(index, count + 1);
    AddItem(item);
    std::rotate(children_.begin() + index, children_.end() - 1, children_.end());
}

int TscXMLItem::IndexOf(std::string_view name) const
{
    for (size_t i = 0; i < children_.size(); ++i) {
        if (rtl::AnsiSameText(children_[i]->Name, name))
            return int(i);
    }
    return -1;
}

TscXMLItem* TscXMLItem::FindItem(std::string_view name)
{
    const int index = IndexOf(name);
    if (index >= 0)
        return children_[size_t(index)].get();
    TscXMLItem* item = Add();
    item->Name = name;
    return item;
}

TscXMLItem* TscXMLItem::Root()
{
    TscXMLItem* item = this;
    while (item->parent_)
        item = item->parent_;
    return item;
}

std::string TscXMLItem::Prop(std::string_view name) const
{
    const size_t start = FindAttribute(Text, name);
    if (start == std::string_view::npos)
        return {};
    const size_t valueStart = start + name.size() + 2;
    const size_t end = AttributeEnd(Text, valueStart);
    const size_t valueEnd = end > valueStart && Text[end - 1] == '"' ? end - 1 : end;
    return UnescapeXMLText(std::string_view(Text).substr(valueStart, valueEnd - valueStart));
}

void TscXMLItem::SetProp(std::string_view name, std::string_view value)
{
    size_t place = FindAttribute(Text, name);
    if (place != std::string_view::npos)
        Text.erase(place, AttributeEnd(Text, place + name.size() + 2) - place);
    else
        place = Text.size();
    std::string attribute;
    if (place > 0 && Text[place - 1] != ' ')
        attribute += ' ';
    attribute.append(name).append("=\"").append(EscapeXMLText(value)).append("\"");
    Text.insert(place, attribute);
}

void TscXMLItem::Clear()
{
    // Freed from a work list, so that a tree of any depth costs no stack.
    std::vector<std::unique_ptr<TscXMLItem>> pending = std::move(children_);
    children_.clear();
    while (!pending.empty()) {
        std::unique_ptr<TscXMLItem> item = std::move(pending.back());
        pending.pop_back();
        item->parent_ = nullptr;
        for (auto& child : item->children_)
            pending.push_back(std::move(child));
        item->children_.clear();
    }
}

void TscXMLItem::Assign(const TscXMLItem& source)
{
    // The copy is made apart first: source may be one of this item's own descendants.
    TscXMLItem copy;
    std::vector<std::pair<const TscXMLItem*, TscXMLItem*>> pending{{&source, &copy}};
    while (!pending.empty()) {
        auto [from, to] = pending.back();
        pending.pop_back();
        to->Name = from->Name;
        to->Text = from->Text;
        to->Data = from->Data;
        for (const auto& child : from->children_)
            pending.emplace_back(child.get(), to->Add());
    }
    Clear();
    Name = std::move(copy.Name);
    Text = std::move(copy.Text);
    Data = copy.Data;
    children_ = std::move(copy.children_);
    copy.children_.clear();
    for (auto& child : children_)
        child->parent_ = this;
}

std::unique_ptr<TscXMLItem> TscXMLItem::Detach()
{
    auto& siblings = parent_->children_;
    auto it = std::find_if(siblings.begin(), siblings.end(), [this](const auto& c) { return c.get() == this; });
    std::unique_ptr<TscXMLItem> self = std::move(*it);
    siblings.erase(it);
    parent_ = nullptr;
    return self;
}

void TscXMLItem::Adopt(std::unique_ptr<TscXMLItem> item)
{
    item->parent_ = this;
    children_.push_back(std::move(item));
}

// ---- TscXMLReader ----

TscXMLReader::TscXMLReader(rtl::TStream& stream)
    : stream_(stream), streamStart_(stream.Position()), buffer_(BufferSize)
{
}

TscXMLReader::~TscXMLReader()
{
    try {
        stream_.SetPosition(streamStart_ + consumed_);
    } catch (const rtl::Exception&) {
        // A stream that cannot seek back keeps the position the buffered reads left.
    }
}

bool TscXMLReader::FillBuffer()
{
    bufferPos_ = 0;
    bufferEnd_ = size_t(std::max<std::int64_t>(0, stream_.Read(buffer_.data(), std::int64_t(buffer_.size()))));
    return bufferEnd_ > 0;
}

bool TscXMLReader::NextChar(char& c)
{
    if (bufferPos_ == bufferEnd_ && !FillBuffer())
        return false;
    c = buffer_[bufferPos_++];
    ++consumed_;
    return true;
}

void TscXMLReader::SkipComment()
{
    // "<!--" has been read; the comment ends at the next "-->", whatever it holds.
    int dashes = 0;
    char c;
    while (NextChar(c)) {
        if (c == '>' && dashes >= 2)
            return;
        dashes = c == '-' ? dashes + 1 : 0;
    }
    InvalidFormat();
}

bool TscXMLReader::ReadTag(std::string& name, std::string& text)
{
    std::string tag;
    for (;;) {
        char c;
        do {
            if (bufferPos_ == bufferEnd_ && !FillBuffer())
                return false;
            const char* start = buffer_.data() + bufferPos_;
            const void* found = std::memchr(start, '<', bufferEnd_ - bufferPos_);
            const size_t skipped = found ? size_t(static_cast<const char*>(found) - start) + 1 : bufferEnd_ - bufferPos_;
            bufferPos_ += skipped;
            consumed_ += std::int64_t(skipped);
            c = found ? '<' : 0;
        } while (c != '<');
        tag.clear();
        bool comment = false;
        for (;;) {
            if (!NextChar(c))
                InvalidFormat();
            if (c == '>')
                break;
            if (c == '<')
                InvalidFormat();
            tag += c;
            if (tag.size() == 3 && tag == "!--") {
                SkipComment();
                comment = true;
                break;
            }
        }
        if (!comment)
            break;
    }
    if (!tag.empty() && tag.back() == ' ')
        tag.pop_back();
    const size_t blank = tag.find(' ');
    if (blank == std::string::npos) {
        name = std::move(tag);
        text.clear();
    } else {
        name = tag.substr(0, blank);
        text = tag.substr(blank + 1);
    }
    return true;
}

void TscXMLReader::ReadHeader()
{
    std::string name, text;
    if (!ReadTag(name, text) || !name.starts_with("?xml"))
        InvalidFormat();
}

void TscXMLReader::ReadRootItem(TscXMLItem& item)
{
    std::string name, text;
    // Fills target from the tag just read; true when children follow. The '/' of an empty element ends
    // the tag: it ends the attribute text, or the name when there is none.
    auto start = [&](TscXMLItem& target) {
        std::string& last = text.empty() ? name : text;
        const bool empty = !last.empty() && last.back() == '/';
        if (empty)
            last.pop_back();
        target.Name = std::move(name);
        target.Text = std::move(text);
        return !empty;
    };
    if (!ReadTag(name, text) || name.starts_with('/'))
        InvalidFormat();
    std::vector<TscXMLItem*> open;
    if (start(item))
        open.push_back(&item);
    while (!open.empty()) {
        if (!ReadTag(name, text))
            InvalidFormat();
        if (name.starts_with('/')) {
            if (!rtl::AnsiSameText(std::string_view(name).substr(1), open.back()->Name))
                InvalidFormat();
            open.pop_back();
            continue;
        }
        if (int(open.size()) >= MaxDepth)
            InvalidFormat();
        TscXMLItem* child = open.back()->Add();
        if (start(*child))
            open.push_back(child);
    }
}

// ---- TscXMLWriter ----

TscXMLWriter::TscXMLWriter(rtl::TStream& stream, bool indentOutput) : stream_(stream), indentOutput_(indentOutput)
{
}

void TscXMLWriter::WriteLine(std::string_view text, int depth)
{
    if (indentOutput_)
        buffer_.append(size_t(depth) * 2, ' ');
    buffer_ += text;
    if (indentOutput_)
        buffer_ += "\r\n";
    if (buffer_.size() > BufferSize)
        Flush();
}

void TscXMLWriter::WriteHeader()
{
    WriteLine(XmlHeader, 0);
}

void TscXMLWriter::WriteRootItem(const TscXMLItem& item)
{
    struct Open {
        const TscXMLItem* item;
        int next;
    };
    std::vector<Open> open;
    std::string tag;
    // The attribute text is written so that the reader gets it back as it is: always after one
    // separating blank, and with one blank more before a '>' when it ends in a blank (the reader drops
    // one), so a document saved, loaded and saved again gives the same bytes.
    auto startTag = [&](const TscXMLItem& element) {
        tag = "<" + element.Name;
        if (!element.Text.empty())
            tag += " " + element.Text;
        if (element.Count() == 0)
            tag += element.Name.empty() && element.Text.empty() ? " />" : "/>";  // "</>" would be an end tag
        else
            tag += !element.Text.empty() && element.Text.back() == ' ' ? " >" : ">";
        WriteLine(tag, int(open.size()));
        if (element.Count() > 0)
            open.push_back({&element, 0});
    };
    startTag(item);
    while (!open.empty()) {
        Open& top = open.back();
        if (top.next < top.item->Count()) {
            startTag(*top.item->Items(top.next++));
            continue;
        }
        const TscXMLItem* closed = top.item;
        open.pop_back();
        WriteLine("</" + closed->Name + ">", int(open.size()));
    }
}

void TscXMLWriter::Flush()
{
    if (buffer_.empty())
        return;
    stream_.WriteBuffer(buffer_.data(), std::int64_t(buffer_.size()));
    buffer_.clear();
}

// ---- TscXMLDocument ----

void TscXMLDocument::LoadFromStream(rtl::TStream& stream)
{
    TscXMLItem loaded;
    {
        TscXMLReader reader(stream);
        reader.ReadHeader();
        reader.ReadRootItem(loaded);
    }
    root_.Clear();
    root_.Name = std::move(loaded.Name);
    root_.Text = std::move(loaded.Text);
    root_.children_ = std::move(loaded.children_);
    loaded.children_.clear();
    for (auto& child : root_.children_)
        child->parent_ = &root_;
}

void TscXMLDocument::SaveToStream(rtl::TStream& stream) const
{
    TscXMLWriter writer(stream, IndentOutput);
    writer.WriteHeader();
    writer.WriteRootItem(root_);
    writer.Flush();
}

void TscXMLDocument::LoadFromFile(const std::string& fileName)
{
    rtl::TFileStream file(fileName, rtl::fmOpenRead | rtl::fmShareDenyWrite);
    LoadFromStream(file);
}

void TscXMLDocument::SaveToFile(const std::string& fileName) const
{
    rtl::TStringStream text;
    SaveToStream(text);
    rtl::WriteFileAtomically(fileName, text.DataString());
}

}  // namespace script
