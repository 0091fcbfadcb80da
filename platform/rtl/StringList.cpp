#include "platform/rtl/StringList.h"

#include "platform/rtl/AtomicFile.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/Collation.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/StringUtils.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <typeinfo>
#include <utility>

namespace rtl {

namespace {

constexpr const char* IndexError = "List index out of bounds (%d)";
constexpr const char* SortedListError = "Operation not allowed on sorted string list";

// Calls add for each line of text: lines end at CR LF, LF or CR, and a NUL ends the text, so a final line
// end adds no empty line.
template <typename Char, typename AddLine>
void SplitLines(std::basic_string_view<Char> text, AddLine add)
{
    text = text.substr(0, text.find(Char(0)));
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t end = std::min(text.find(Char('\r'), pos), text.find(Char('\n'), pos));
        const size_t stop = std::min(end, text.size());
        add(std::basic_string<Char>(text.substr(pos, stop - pos)));
        pos = stop;
        if (pos < text.size() && text[pos] == Char('\r'))
            ++pos;
        if (pos < text.size() && text[pos] == Char('\n'))
            ++pos;
    }
}

bool IsBlankOrControl(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

// Blanks between items: bytes 1..32 (a NUL has already ended the text).
size_t SkipBlanks(std::string_view text, size_t pos)
{
    while (pos < text.size() && IsBlankOrControl(text[pos]))
        ++pos;
    return pos;
}

bool NeedsQuotes(std::string_view item, char delimiter, char quote)
{
    return item.empty() || std::any_of(item.begin(), item.end(), [&](char c) {
               return IsBlankOrControl(c) || c == quote || c == delimiter;
           });
}

std::string GetDelimited(const TStrings& list, char delimiter, char quote)
{
    const int count = list.Count();
    std::string result;
    for (int i = 0; i < count; ++i) {
        const std::string item = list.Strings(i);
        if (i > 0)
            result += delimiter;
        result += NeedsQuotes(item, delimiter, quote) ? AnsiQuotedStr(item, quote) : item;
    }
    return result;
}

void SetDelimited(TStrings& list, std::string_view text, char delimiter, char quote)
{
    text = text.substr(0, text.find('\0'));
    TStringsUpdate update(list);
    list.Clear();
    size_t pos = SkipBlanks(text, 0);
    while (pos < text.size()) {
        if (text[pos] == quote) {
            list.Add(AnsiExtractQuotedStr(text, pos, quote));
        } else {
            const size_t start = pos;
            while (pos < text.size() && !IsBlankOrControl(text[pos]) && text[pos] != delimiter)
                ++pos;
            list.Add(std::string(text.substr(start, pos - start)));
        }
        pos = SkipBlanks(text, pos);
        if (pos < text.size() && text[pos] == delimiter) {
            pos = SkipBlanks(text, pos + 1);
            // A delimiter with nothing after it still ends an (empty) item.
            if (pos == text.size())
                list.Add(std::string());
        }
    }
}

std::string FormatIndex(const char* format, int index)
{
    std::string text(format);
    const size_t at = text.find("%d");
    if (at != std::string::npos)
        text.replace(at, 2, std::to_string(index));
    return text;
}

}  // namespace

// ---- TStrings ----

TStrings::~TStrings() = default;

void TStrings::Error(const char* format, int index)
{
    throw EStringListError(FormatIndex(format, index));
}

int TStrings::Add(const std::string& s)
{
    const int index = Count();
    Insert(index, s);
    return index;
}

int TStrings::AddObject(const std::string& s, void* object)
{
    const int index = Add(s);
    PutObject(index, object);
    return index;
}

void TStrings::Append(const std::string& s)
{
    Add(s);
}

void TStrings::AddStrings(const TStrings& strings)
{
    TStringsUpdate update(*this);
    const int count = strings.Count();
    for (int i = 0; i < count; ++i)
        AddObject(strings.Get(i), strings.GetObject(i));
}

void TStrings::InsertObject(int index, const std::string& s, void* object)
{
    Insert(index, s);
    PutObject(index, object);
}

void TStrings::Exchange(int index1, int index2)
{
    TStringsUpdate update(*this);
    const std::string string1 = Get(index1);
    void* object1 = GetObject(index1);
    Put(index1, Get(index2));
    PutObject(index1, GetObject(index2));
    Put(index2, string1);
    PutObject(index2, object1);
}

void TStrings::Move(int curIndex, int newIndex)
{
    if (curIndex == newIndex)
        return;
    // Checked before the line is taken out, so a bad target loses nothing.
    if (newIndex < 0 || newIndex >= Count())
        Error(IndexError, newIndex);
    TStringsUpdate update(*this);
    const std::string s = Get(curIndex);
    void* object = GetObject(curIndex);
    Delete(curIndex);
    InsertObject(newIndex, s, object);
}

void TStrings::Assign(const TStrings& source)
{
    if (&source == this)
        return;
    TStringsUpdate update(*this);
    Clear();
    nameValueSeparator_ = source.nameValueSeparator_;
    delimiter_ = source.delimiter_;
    quoteChar_ = source.quoteChar_;
    AddStrings(source);
}

int TStrings::IndexOf(const std::string& s) const
{
    const int count = Count();
    for (int i = 0; i < count; ++i)
        if (CompareStrings(Get(i), s) == 0)
            return i;
    return -1;
}

int TStrings::IndexOfName(const std::string& name) const
{
    const int count = Count();
    for (int i = 0; i < count; ++i) {
        const std::string line = Get(i);
        const size_t at = line.find(nameValueSeparator_);
        if (at != std::string::npos && CompareStrings(line.substr(0, at), name) == 0)
            return i;
    }
    return -1;
}

int TStrings::IndexOfObject(void* object) const
{
    const int count = Count();
    for (int i = 0; i < count; ++i)
        if (GetObject(i) == object)
            return i;
    return -1;
}

bool TStrings::Equals(const TStrings& other) const
{
    const int count = Count();
    if (count != other.Count())
        return false;
    for (int i = 0; i < count; ++i)
        if (Get(i) != other.Get(i))
            return false;
    return true;
}

int TStrings::Capacity() const
{
    return Count();
}

void TStrings::SetCapacity(int)
{
}

std::string TStrings::Names(int index) const
{
    const std::string line = Get(index);
    const size_t at = line.find(nameValueSeparator_);
    return at == std::string::npos ? std::string() : line.substr(0, at);
}

std::string TStrings::Values(const std::string& name) const
{
    const int index = IndexOfName(name);
    return index < 0 ? std::string() : ValueFromIndex(index);
}

void TStrings::SetValues(const std::string& name, const std::string& value)
{
    const int index = IndexOfName(name);
    if (value.empty()) {
        if (index >= 0)
            Delete(index);
        return;
    }
    const std::string line = name + nameValueSeparator_ + value;
    if (index < 0)
        Add(line);
    else
        Put(index, line);
}

std::string TStrings::ValueFromIndex(int index) const
{
    const std::string line = Get(index);
    const size_t at = line.find(nameValueSeparator_);
    return at == std::string::npos ? std::string() : line.substr(at + 1);
}

std::string TStrings::Text() const
{
    std::string text;
    const int count = Count();
    for (int i = 0; i < count; ++i) {
        text += Get(i);
        text += "\r\n";
    }
    return text;
}

void TStrings::SetText(std::string_view text)
{
    TStringsUpdate update(*this);
    Clear();
    SplitLines(text, [this](std::string line) { Add(line); });
}

std::string TStrings::DelimitedText() const
{
    return GetDelimited(*this, delimiter_, quoteChar_);
}

void TStrings::SetDelimitedText(std::string_view text)
{
    SetDelimited(*this, text, delimiter_, quoteChar_);
}

std::string TStrings::CommaText() const
{
    return GetDelimited(*this, ',', '"');
}

void TStrings::SetCommaText(std::string_view text)
{
    SetDelimited(*this, text, ',', '"');
}

void TStrings::BeginUpdate()
{
    if (updateCount_ == 0)
        SetUpdateState(true);
    ++updateCount_;
}

void TStrings::EndUpdate()
{
    --updateCount_;
    if (updateCount_ == 0)
        SetUpdateState(false);
}

void TStrings::LoadFromStream(TStream& stream)
{
    const std::int64_t size = stream.Size() - stream.Position();
    std::string text(size_t(std::max<std::int64_t>(size, 0)), '\0');
    stream.ReadBuffer(text.data(), std::int64_t(text.size()));
    SetText(text);
}

void TStrings::SaveToStream(TStream& stream) const
{
    const std::string text = Text();
    stream.WriteBuffer(text.data(), std::int64_t(text.size()));
}

void TStrings::LoadFromFile(const std::string& fileName)
{
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TStrings::SaveToFile(const std::string& fileName) const
{
    WriteFileAtomically(fileName, Text());
}

void TStrings::Put(int index, const std::string& s)
{
    void* object = GetObject(index);
    TStringsUpdate update(*this);
    Delete(index);
    InsertObject(index, s, object);
}

void* TStrings::GetObject(int) const
{
    return nullptr;
}

void TStrings::PutObject(int, void*)
{
}

void TStrings::SetUpdateState(bool)
{
}

int TStrings::CompareStrings(const std::string& a, const std::string& b) const
{
    return AnsiCompareText(a, b);
}

// ---- TStringList ----

TStringList::~TStringList() = default;

void TStringList::CheckIndex(int index) const
{
    if (index < 0 || index >= Count())
        Error(IndexError, index);
}

int TStringList::Add(const std::string& s)
{
    return AddObject(s, nullptr);
}

int TStringList::AddObject(const std::string& s, void* object)
{
    int index = Count();
    if (sorted_ && Find(s, index)) {
        if (duplicates_ == TDuplicates::Ignore)
            return index;
        if (duplicates_ == TDuplicates::Error)
            Error("String list does not allow duplicates", 0);
    }
    InsertItem(index, s, object);
    return index;
}

void TStringList::Insert(int index, const std::string& s)
{
    InsertObject(index, s, nullptr);
}

void TStringList::InsertObject(int index, const std::string& s, void* object)
{
    if (sorted_)
        Error(SortedListError, 0);
    if (index < 0 || index > Count())
        Error(IndexError, index);
    InsertItem(index, s, object);
}

void TStringList::InsertItem(int index, const std::string& s, void* object)
{
    Changing();
    if (Count() == capacity_)
        SetCapacity(capacity_ > 64 ? capacity_ + capacity_ / 4 : capacity_ > 8 ? capacity_ + 16 : capacity_ + 4);
    items_.insert(items_.begin() + index, Item{s, object});
    Changed();
}

void TStringList::Delete(int index)
{
    CheckIndex(index);
    Changing();
    items_.erase(items_.begin() + index);
    Changed();
}

void TStringList::Clear()
{
    if (items_.empty())
        return;
    Changing();
    items_.clear();
    SetCapacity(0);
    Changed();
}

void TStringList::Exchange(int index1, int index2)
{
    CheckIndex(index1);
    CheckIndex(index2);
    Changing();
    std::swap(items_[size_t(index1)], items_[size_t(index2)]);
    Changed();
}

void TStringList::Move(int curIndex, int newIndex)
{
    if (curIndex == newIndex)
        return;
    CheckIndex(curIndex);
    CheckIndex(newIndex);
    if (sorted_)
        Error(SortedListError, 0);
    Changing();
    const auto from = items_.begin() + curIndex;
    const auto to = items_.begin() + newIndex;
    if (curIndex < newIndex)
        std::rotate(from, from + 1, to + 1);
    else
        std::rotate(to, from, from + 1);
    Changed();
}

int TStringList::IndexOf(const std::string& s) const
{
    if (!sorted_)
        return TStrings::IndexOf(s);
    int index = 0;
    return Find(s, index) ? index : -1;
}

void TStringList::SetValues(const std::string& name, const std::string& value)
{
    const int index = IndexOfName(name);
    if (!sorted_ || index < 0 || value.empty()) {
        TStrings::SetValues(name, value);
        return;
    }
    TStringsUpdate update(*this);
    Delete(index);
    Add(name + NameValueSeparator() + value);
}

void TStringList::SetCapacity(int capacity)
{
    if (capacity < Count())
        Error("List capacity out of bounds (%d)", capacity);
    if (capacity < int(items_.capacity()))
        items_.shrink_to_fit();
    items_.reserve(size_t(capacity));
    capacity_ = capacity;
}

bool TStringList::Find(const std::string& s, int& index) const
{
    bool found = false;
    int low = 0;
    int high = Count() - 1;
    while (low <= high) {
        const int middle = low + (high - low) / 2;
        const int c = CompareStrings(items_[size_t(middle)].string, s);
        if (c < 0) {
            low = middle + 1;
        } else {
            high = middle - 1;
            if (c == 0) {
                found = true;
                // With duplicates accepted the search goes on to the first equal line.
                if (duplicates_ != TDuplicates::Accept)
                    low = middle;
            }
        }
    }
    index = low;
    return found;
}

int TStringList::CompareItems(TStringList& list, int index1, int index2)
{
    return list.CompareStrings(list.items_[size_t(index1)].string, list.items_[size_t(index2)].string);
}

void TStringList::Sort()
{
    if (typeid(*this) != typeid(TStringList)) {
        CustomSort(CompareItems);  // a derived class may compare or sort in its own way
        return;
    }
    if (sorted_ || Count() < 2)
        return;
    Changing();
    SortByCompareStrings();
    Changed();
}

void TStringList::CustomSort(const CompareFunc& compare)
{
    if (sorted_ || Count() < 2)
        return;
    Changing();
    SortItems(compare);
    Changed();
}

// Sorts an index permutation, so compare sees the lines at the indexes it was promised while sorting.
void TStringList::SortItems(const CompareFunc& compare)
{
    std::vector<int> order(items_.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return compare(*this, a, b) < 0; });
    Arrange(order);
}

// The order of CompareStrings. A plain TStringList compares by collation, so its lines are weighed once
// into sort keys that then compare as bytes; a derived class may compare in its own way and is asked.
void TStringList::SortByCompareStrings()
{
    if (typeid(*this) != typeid(TStringList)) {
        SortItems(CompareItems);
        return;
    }
    // The sort moves small entries: the first eight bytes of a key as a number, which mostly decide, and
    // the line's index, whose whole key (kept in one buffer) decides the rest.
    struct Entry {
        std::uint64_t head;
        int index;
    };
    std::string keys;
    std::vector<size_t> starts;  // where each line's key starts in keys, and where the last one ends
    std::vector<Entry> entries;
    size_t room = 0;  // most keys take three bytes a character and a few more
    for (const Item& item : items_)
        room += item.string.size() * 3 + 8;
    keys.reserve(room);
    starts.reserve(items_.size() + 1);
    entries.reserve(items_.size());
    for (size_t i = 0; i < items_.size(); ++i) {
        starts.push_back(keys.size());
        AppendAnsiSortKey(keys, items_[i].string, caseSensitive_);
        std::uint64_t head = 0;
        for (size_t k = starts.back(); k < starts.back() + 8; ++k)
            head = head << 8 | (k < keys.size() ? static_cast<unsigned char>(keys[k]) : 0);
        entries.push_back({head, int(i)});
    }
    starts.push_back(keys.size());
    const auto key = [&](int index) {
        return std::string_view(keys).substr(starts[size_t(index)], starts[size_t(index) + 1] - starts[size_t(index)]);
    };
    // Equal keys keep their lines' order, as the comparison's ties do.
    std::stable_sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
        return a.head != b.head ? a.head < b.head : key(a.index) < key(b.index);
    });
    std::vector<int> order;
    order.reserve(entries.size());
    for (const Entry& entry : entries)
        order.push_back(entry.index);
    Arrange(order);
}

// The lines in the order of the permutation: line k is the old line order[k].
void TStringList::Arrange(const std::vector<int>& order)
{
    std::vector<Item> sorted;
    sorted.reserve(items_.capacity());
    for (int i : order)
        sorted.push_back(std::move(items_[size_t(i)]));
    items_ = std::move(sorted);
}

void TStringList::SetSorted(bool sorted)
{
    if (sorted == sorted_)
        return;
    if (sorted)
        Sort();
    sorted_ = sorted;
}

void TStringList::SetCaseSensitive(bool caseSensitive)
{
    if (caseSensitive == caseSensitive_)
        return;
    caseSensitive_ = caseSensitive;
    // The order depends on the comparison, so Find would go wrong on the old order.
    if (sorted_ && Count() > 1) {
        Changing();
        SortByCompareStrings();
        Changed();
    }
}

std::string TStringList::Get(int index) const
{
    CheckIndex(index);
    return items_[size_t(index)].string;
}

void TStringList::Put(int index, const std::string& s)
{
    if (sorted_)
        Error(SortedListError, 0);
    CheckIndex(index);
    Changing();
    items_[size_t(index)].string = s;
    Changed();
}

void* TStringList::GetObject(int index) const
{
    CheckIndex(index);
    return items_[size_t(index)].object;
}

void TStringList::PutObject(int index, void* object)
{
    CheckIndex(index);
    Changing();
    items_[size_t(index)].object = object;
    Changed();
}

void TStringList::SetUpdateState(bool updating)
{
    if (updating)
        Changing();
    else
        Changed();
}

int TStringList::CompareStrings(const std::string& a, const std::string& b) const
{
    return caseSensitive_ ? AnsiCompareStr(a, b) : AnsiCompareText(a, b);
}

void TStringList::Changed()
{
    if (UpdateCount() == 0 && OnChange)
        OnChange(*this);
}

void TStringList::Changing()
{
    if (UpdateCount() == 0 && OnChanging)
        OnChanging(*this);
}

// ---- TWideStringList ----

namespace {

bool FitsAnsi(const std::u16string& s, std::string& ansi)
{
    ansi = WideToAnsi(s);
    return AnsiToWide(ansi) == s;
}

int CompareWideText(const std::u16string& a, const std::u16string& b)
{
    std::string ansiA;
    std::string ansiB;
    if (FitsAnsi(a, ansiA) && FitsAnsi(b, ansiB))
        return AnsiCompareText(ansiA, ansiB);
    return a.compare(b);
}

}  // namespace

void TWideStringList::CheckIndex(int index) const
{
    if (index < 0 || index >= Count())
        throw EStringListError(FormatIndex(IndexError, index));
}

int TWideStringList::Add(const std::u16string& s)
{
    return AddObject(s, nullptr);
}

int TWideStringList::AddObject(const std::u16string& s, void* object)
{
    int index = Count();
    if (sorted_)
        Find(s, index);
    items_.insert(items_.begin() + index, Item{s, object});
    return index;
}

void TWideStringList::Insert(int index, const std::u16string& s)
{
    if (sorted_)
        throw EStringListError(SortedListError);
    if (index < 0 || index > Count())
        throw EStringListError(FormatIndex(IndexError, index));
    items_.insert(items_.begin() + index, Item{s, nullptr});
}

void TWideStringList::Delete(int index)
{
    CheckIndex(index);
    items_.erase(items_.begin() + index);
}

void TWideStringList::Clear()
{
    items_.clear();
}

int TWideStringList::IndexOf(const std::u16string& s) const
{
    if (sorted_) {
        int index = 0;
        return Find(s, index) ? index : -1;
    }
    const auto at = std::find_if(items_.begin(), items_.end(),
                                 [&](const Item& item) { return CompareWideText(item.string, s) == 0; });
    return at == items_.end() ? -1 : int(at - items_.begin());
}

bool TWideStringList::Find(const std::u16string& s, int& index) const
{
    const auto at = std::lower_bound(items_.begin(), items_.end(), s, [](const Item& item, const std::u16string& key) {
        return CompareWideText(item.string, key) < 0;
    });
    index = int(at - items_.begin());
    return at != items_.end() && CompareWideText(at->string, s) == 0;
}

const std::u16string& TWideStringList::Strings(int index) const
{
    CheckIndex(index);
    return items_[size_t(index)].string;
}

void TWideStringList::SetStrings(int index, const std::u16string& s)
{
    if (sorted_)
        throw EStringListError(SortedListError);
    CheckIndex(index);
    items_[size_t(index)].string = s;
}

void* TWideStringList::Objects(int index) const
{
    CheckIndex(index);
    return items_[size_t(index)].object;
}

void TWideStringList::SetObjects(int index, void* object)
{
    CheckIndex(index);
    items_[size_t(index)].object = object;
}

std::u16string TWideStringList::Text() const
{
    std::u16string text;
    for (const Item& item : items_) {
        text += item.string;
        text += u"\r\n";
    }
    return text;
}

void TWideStringList::SetText(std::u16string_view text)
{
    Clear();
    SplitLines(text, [this](std::u16string line) { Add(line); });
}

void TWideStringList::SetSorted(bool sorted)
{
    if (sorted && !sorted_)
        std::stable_sort(items_.begin(), items_.end(), [](const Item& a, const Item& b) {
            return CompareWideText(a.string, b.string) < 0;
        });
    sorted_ = sorted;
}

}  // namespace rtl
