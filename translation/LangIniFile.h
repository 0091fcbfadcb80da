#pragma once
// The translation library's own INI model, held entirely in memory and filled from text lines; language
// files are read and written through it. Distinct from the runtime's INI files: sections and keys are
// kept in alphabetical order (without regard to case), not in file order, and nothing is trimmed.

#include "platform/rtl/Dates.h"
#include "platform/rtl/StringList.h"

#include <string>
#include <vector>

namespace translation {

class TCustomIniFile {
public:
    explicit TCustomIniFile(std::string fileName) : fileName_(std::move(fileName)) {}
    TCustomIniFile(const TCustomIniFile&) = delete;
    TCustomIniFile& operator=(const TCustomIniFile&) = delete;
    virtual ~TCustomIniFile() = default;

    const std::string& FileName() const { return fileName_; }

    virtual std::string GetText(const std::string& section, const std::string& key, const std::string& def) = 0;
    virtual void PutText(const std::string& section, const std::string& key, const std::string& value) = 0;
    // Decimal, or hexadecimal after "0x"; a text that is no number gives the default.
    virtual int GetInteger(const std::string& section, const std::string& key, int def);
    virtual void PutInteger(const std::string& section, const std::string& key, int value);
    // True for any number but 0; "1" or "0" written.
    virtual bool GetBoolean(const std::string& section, const std::string& key, bool def);
    virtual void PutBoolean(const std::string& section, const std::string& key, bool value);
    // In the formats of rtl::FormatSettings; an empty text, or one that does not convert, gives the default.
    virtual rtl::TDateTime GetDateValue(const std::string& section, const std::string& key, rtl::TDateTime def);
    virtual rtl::TDateTime GetDateTimeValue(const std::string& section, const std::string& key, rtl::TDateTime def);
    virtual double GetFloatValue(const std::string& section, const std::string& key, double def);
    virtual rtl::TDateTime GetTimeValue(const std::string& section, const std::string& key, rtl::TDateTime def);
    virtual void PutDateValue(const std::string& section, const std::string& key, rtl::TDateTime value);
    virtual void PutDateTimeValue(const std::string& section, const std::string& key, rtl::TDateTime value);
    virtual void PutFloatValue(const std::string& section, const std::string& key, double value);
    virtual void PutTimeValue(const std::string& section, const std::string& key, rtl::TDateTime value);
    virtual void ListKeys(const std::string& section, rtl::TStrings& list) = 0;
    virtual void ListSections(rtl::TStrings& list) = 0;
    virtual void ListValues(const std::string& section, rtl::TStrings& list) = 0;
    virtual void DropSection(const std::string& section) = 0;
    virtual void DropKey(const std::string& section, const std::string& key) = 0;
    virtual void WriteBack() = 0;

    // A section counts only when it holds a key.
    bool HasSection(const std::string& section);

private:
    std::string fileName_;
};

class TMemIniFile : public TCustomIniFile {
public:
    // Loads the file when the name is not empty and the file exists.
    explicit TMemIniFile(std::string fileName);

    // Replaces the model: "[name]" starts a section (a repeated name continues the first section of that
    // name), "key=value" or "key" lines before the first section, empty lines and ";" lines are skipped.
    void LoadLines(const rtl::TStrings& lines);
    // Appends "[name]", the "key=value" lines and an empty line for every section.
    void StoreLines(rtl::TStrings& lines) const;
    void ClearSections();
    bool Changed() const { return changed_; }

    std::string GetText(const std::string& section, const std::string& key, const std::string& def) override;
    void PutText(const std::string& section, const std::string& key, const std::string& value) override;
    void ListKeys(const std::string& section, rtl::TStrings& list) override;
    void ListSections(rtl::TStrings& list) override;
    // The values only, not "key=value" lines.
    void ListValues(const std::string& section, rtl::TStrings& list) override;
    void DropSection(const std::string& section) override;
    void DropKey(const std::string& section, const std::string& key) override;
    // Saves StoreLines to the file as a whole.
    void WriteBack() override;

private:
    struct Key {
        std::string name;
        std::string value;
    };
    struct Section {
        std::string name;
        std::vector<Key> keys;
    };

    Section* FindSection(const std::string& name);
    Section& AddSection(const std::string& name);
    static void AddKey(Section& section, std::string_view line);

    std::vector<Section> sections_;
    bool changed_ = false;
};

}  // namespace translation
