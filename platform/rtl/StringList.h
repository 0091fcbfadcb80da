#pragma once
// String lists: TStrings (the abstract list of ANSI lines, each with an untyped object pointer that the
// list does not own), TStringList (the stored, optionally sorted list) and TWideStringList (UTF-16 lines).
// Indexes are 0-based; a bad index raises EStringListError "List index out of bounds (%d)".

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace rtl {

class TStream;

class TStrings {
public:
    TStrings() = default;
    TStrings(const TStrings&) = delete;
    TStrings& operator=(const TStrings&) = delete;
    virtual ~TStrings();

    virtual int Add(const std::string& s);
    virtual int AddObject(const std::string& s, void* object);
    void Append(const std::string& s);
    virtual void AddStrings(const TStrings& strings);
    virtual void Insert(int index, const std::string& s) = 0;
    virtual void InsertObject(int index, const std::string& s, void* object);
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;
    virtual void Exchange(int index1, int index2);
    virtual void Move(int curIndex, int newIndex);
    // Copies the lines, their objects and the separator settings.
    virtual void Assign(const TStrings& source);

    virtual int IndexOf(const std::string& s) const;
    virtual int IndexOfName(const std::string& name) const;
    int IndexOfObject(void* object) const;
    // Same lines, byte for byte, in the same order.
    bool Equals(const TStrings& other) const;

    virtual int Count() const = 0;
    virtual int Capacity() const;
    virtual void SetCapacity(int capacity);
    std::string Strings(int index) const { return Get(index); }
    void SetStrings(int index, const std::string& s) { Put(index, s); }
    void* Objects(int index) const { return GetObject(index); }
    void SetObjects(int index, void* object) { PutObject(index, object); }

    // Name=Value lines. A line without the separator has an empty name and an empty value and matches no
    // name; setting a value to "" deletes its line.
    std::string Names(int index) const;
    std::string Values(const std::string& name) const;
    virtual void SetValues(const std::string& name, const std::string& value);
    std::string ValueFromIndex(int index) const;
    char NameValueSeparator() const { return nameValueSeparator_; }
    void SetNameValueSeparator(char separator) { nameValueSeparator_ = separator; }

    // Text: every line followed by CR LF. Setting splits at CR LF, LF or CR; a NUL ends the text.
    std::string Text() const;
    void SetText(std::string_view text);

    // Items separated by the delimiter; an item that is empty or holds a blank, a control character, the
    // quote or the delimiter is quoted, its quotes doubled. Setting also splits at blanks outside quotes.
    std::string DelimitedText() const;
    void SetDelimitedText(std::string_view text);
    char Delimiter() const { return delimiter_; }
    void SetDelimiter(char delimiter) { delimiter_ = delimiter; }
    char QuoteChar() const { return quoteChar_; }
    void SetQuoteChar(char quote) { quoteChar_ = quote; }
    // DelimitedText with ',' and '"', whatever Delimiter and QuoteChar hold.
    std::string CommaText() const;
    void SetCommaText(std::string_view text);

    // Changes between the outermost BeginUpdate and EndUpdate report one change.
    void BeginUpdate();
    void EndUpdate();

    // Reads from the stream's position to its end as Text; SaveToStream writes Text.
    virtual void LoadFromStream(TStream& stream);
    virtual void SaveToStream(TStream& stream) const;
    // SaveToFile replaces the file as a whole: a failed save leaves the old file as it was.
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;

protected:
    virtual std::string Get(int index) const = 0;
    virtual void Put(int index, const std::string& s);
    virtual void* GetObject(int index) const;
    virtual void PutObject(int index, void* object);
    // Called with true when the outermost BeginUpdate starts and with false when it ends.
    virtual void SetUpdateState(bool updating);
    int UpdateCount() const { return updateCount_; }
    // The comparison behind IndexOf and IndexOfName: AnsiCompareText here.
    virtual int CompareStrings(const std::string& a, const std::string& b) const;
    [[noreturn]] static void Error(const char* format, int index);

private:
    int updateCount_ = 0;
    char nameValueSeparator_ = '=';
    char delimiter_ = ',';
    char quoteChar_ = '"';
};

// Holds a list between BeginUpdate and EndUpdate for one scope, also when the scope is left by an exception.
class TStringsUpdate {
public:
    explicit TStringsUpdate(TStrings& list) : list_(list) { list_.BeginUpdate(); }
    ~TStringsUpdate() { list_.EndUpdate(); }
    TStringsUpdate(const TStringsUpdate&) = delete;
    TStringsUpdate& operator=(const TStringsUpdate&) = delete;

private:
    TStrings& list_;
};

enum class TDuplicates { Ignore, Accept, Error };

class TStringList : public TStrings {
public:
    using ChangeEvent = std::function<void(TStringList& sender)>;
    // Negative when line index1 sorts before line index2.
    using CompareFunc = std::function<int(TStringList& list, int index1, int index2)>;

    TStringList() = default;
    ~TStringList() override;

    int Add(const std::string& s) override;
    int AddObject(const std::string& s, void* object) override;
    void Insert(int index, const std::string& s) override;
    void InsertObject(int index, const std::string& s, void* object) override;
    void Delete(int index) override;
    void Clear() override;
    void Exchange(int index1, int index2) override;
    void Move(int curIndex, int newIndex) override;
    int IndexOf(const std::string& s) const override;
    // On a sorted list a changed value moves its line to its sorted place.
    void SetValues(const std::string& name, const std::string& value) override;
    int Count() const override { return int(items_.size()); }
    int Capacity() const override { return capacity_; }
    void SetCapacity(int capacity) override;

    // Binary search on a sorted list: true when found; index receives the match (with Accept the first of
    // equal lines) or the place where s belongs.
    virtual bool Find(const std::string& s, int& index) const;
    virtual void Sort();
    // Both sort only while Sorted is off (a sorted list keeps its own order); the sort is stable, so
    // equal lines keep their order.
    virtual void CustomSort(const CompareFunc& compare);

    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);
    TDuplicates Duplicates() const { return duplicates_; }
    void SetDuplicates(TDuplicates duplicates) { duplicates_ = duplicates; }
    // Comparison with AnsiCompareStr instead of AnsiCompareText; a sorted list is sorted again.
    bool CaseSensitive() const { return caseSensitive_; }
    void SetCaseSensitive(bool caseSensitive);

    ChangeEvent OnChange;
    ChangeEvent OnChanging;

protected:
    std::string Get(int index) const override;
    void Put(int index, const std::string& s) override;
    void* GetObject(int index) const override;
    void PutObject(int index, void* object) override;
    void SetUpdateState(bool updating) override;
    int CompareStrings(const std::string& a, const std::string& b) const override;
    virtual void Changed();
    virtual void Changing();
    void InsertItem(int index, const std::string& s, void* object);

private:
    struct Item {
        std::string string;
        void* object;
    };

    void CheckIndex(int index) const;
    void SortItems(const CompareFunc& compare);
    void SortByCompareStrings();
    void Arrange(const std::vector<int>& order);
    static int CompareItems(TStringList& list, int index1, int index2);

    std::vector<Item> items_;
    int capacity_ = 0;
    bool sorted_ = false;
    bool caseSensitive_ = false;
    TDuplicates duplicates_ = TDuplicates::Ignore;
};

// Wide lines with the same core; a sorted list accepts duplicates. Comparison is without regard to case
// in the ANSI collation when both texts fit the ANSI code page, by code unit otherwise.
class TWideStringList {
public:
    TWideStringList() = default;
    TWideStringList(const TWideStringList&) = delete;
    TWideStringList& operator=(const TWideStringList&) = delete;

    int Add(const std::u16string& s);
    int AddObject(const std::u16string& s, void* object);
    void Insert(int index, const std::u16string& s);
    void Delete(int index);
    void Clear();
    int IndexOf(const std::u16string& s) const;
    bool Find(const std::u16string& s, int& index) const;

    int Count() const { return int(items_.size()); }
    const std::u16string& Strings(int index) const;
    void SetStrings(int index, const std::u16string& s);
    void* Objects(int index) const;
    void SetObjects(int index, void* object);

    std::u16string Text() const;
    void SetText(std::u16string_view text);

    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);

private:
    struct Item {
        std::u16string string;
        void* object;
    };

    void CheckIndex(int index) const;

    std::vector<Item> items_;
    bool sorted_ = false;
};

}  // namespace rtl
