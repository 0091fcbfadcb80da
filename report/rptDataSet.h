#pragma once
// Data sets: the cursors a report reads its data through. TrptDataSet is the abstract cursor with its
// record range; TrptUserDataSet gets its values from the application's events; TrptCustomDBDataSet and
// TrptCustomDatabase are the bases of database adapters (none is part of this program). Every data set
// is in the process-wide list, where reports find data sets of any window by their user name; a report
// names the data sets it may use in its DataSets.

#include "platform/classes/Collection.h"
#include "platform/rtl/StringList.h"
#include "report/rptDialogComponent.h"
#include "report/rptReport.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace report {

enum TrptRangeBegin { rbFirst, rbCurrent };
enum TrptRangeEnd { reLast, reCurrent, reCount };
enum TrptFieldType { fftNumeric, fftString, fftBoolean };
const classes::TTypeInfo& RangeBeginType();
const classes::TTypeInfo& RangeEndType();

using TrptCheckEOFEvent = rtl::Method<void(classes::TObject* sender, bool& eof)>;
using TrptNewGetValueEvent =
    rtl::Method<void(classes::TObject* sender, const std::string& varName, rtl::Variant& value)>;

class TrptDataSet : public TrptDialogComponent {
public:
    // Joins the process-wide list.
    explicit TrptDataSet(classes::TComponent* owner);
    // Leaves it.
    ~TrptDataSet() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    virtual std::u16string GetDisplayText(const std::string& field);
    virtual int GetDisplayWidth(const std::string& field);
    virtual TrptFieldType GetFieldType(const std::string& field);
    virtual rtl::Variant GetValue(const std::string& field);
    // A name that is empty after trimming raises "prInvProp" and keeps the old one.
    virtual void SetUserName(const std::string& value);
    virtual void BeginRun() {}
    virtual void EndRun() {}
    virtual void Open();
    virtual void Close();
    virtual void First();
    // With RangeEnd reCount the cursor stops on the last of RangeEndCount records.
    virtual void Next();
    virtual void Prior();
    // At the end of a reCount range, then as OnCheckEOF says.
    virtual bool Eof();
    virtual int FieldsCount() { return 0; }
    virtual bool IsBlobField(const std::string&) { return false; }
    // RangeEndCount for a counted range from the first record, else 0.
    virtual int RecordCount();
    virtual void CopyBlobToStream(const std::string&, rtl::TStream&) {}
    virtual void GetFieldList(rtl::TStrings& list);

    // Whether GetFieldList has the field, without regard to case.
    bool HasField(const std::string& field);

    // A new name that is not empty also becomes the user name while that followed the old name.
    void SetName(const std::string& name) override;

    bool Enabled = true;
    TrptRangeBegin RangeBegin = rbFirst;
    TrptRangeEnd RangeEnd = reLast;
    std::int32_t RangeEndCount = 0;
    const std::string& UserName() const { return userName_; }
    int RecNo = 0;
    // The report running with the data set.
    TrptReport* Report = nullptr;
    // Published by the database data sets.
    bool OpenDataSource = true;

    TrptCheckEOFEvent OnCheckEOF;
    classes::TNotifyEvent OnFirst;
    classes::TNotifyEvent OnNext;
    classes::TNotifyEvent OnPrior;
    classes::TNotifyEvent OnOpen;
    classes::TNotifyEvent OnClose;

protected:
    bool atEnd_ = false;

private:
    std::string userName_;
};

// Values from the application: OnGetValue, then OnNewGetValue, the later one winning.
class TrptUserDataSet : public TrptDataSet {
public:
    explicit TrptUserDataSet(classes::TComponent* owner);
    ~TrptUserDataSet() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    rtl::TStringList* Fields() const { return fields_.get(); }
    // Copies the names.
    void SetFields(rtl::TStringList* fields) { fields_->Assign(*fields); }

    std::u16string GetDisplayText(const std::string& field) override;
    rtl::Variant GetValue(const std::string& field) override;
    int FieldsCount() override { return fields_->Count(); }
    void GetFieldList(rtl::TStrings& list) override;

    TrptGetValueEvent OnGetValue;
    TrptNewGetValueEvent OnNewGetValue;

private:
    std::unique_ptr<rtl::TStringList> fields_;
};

// The base of data sets over a database.
class TrptCustomDBDataSet : public TrptDataSet {
public:
    explicit TrptCustomDBDataSet(classes::TComponent* owner);
    ~TrptCustomDBDataSet() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    rtl::TStringList* FieldAliases() const { return fieldAliases_.get(); }
    void SetFieldAliases(rtl::TStringList* aliases) { fieldAliases_->Assign(*aliases); }
    // The field names, sorted, each once.
    rtl::TStringList& FieldNames() { return *fields_; }
    // The number of names GetFieldList gives.
    int FieldsCount() override;

    bool CloseDataSource = false;

private:
    std::unique_ptr<rtl::TStringList> fields_;
    std::unique_ptr<rtl::TStringList> fieldAliases_;
};

// The base of database connections; every operation is left to the adapters.
class TrptCustomDatabase : public TrptDialogComponent {
public:
    using TrptDialogComponent::TrptDialogComponent;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    virtual void SetConnected(bool) {}
    virtual void SetDatabaseName(const std::string&) {}
    virtual void SetLoginPrompt(bool) {}
    virtual void SetParams(const rtl::TStrings&) {}
    virtual void SetLogin(const std::string&, const std::string&) {}
    virtual void FromString(const std::u16string&) {}
    virtual bool GetConnected() { return false; }
    virtual int GetParamCount() { return 0; }
    virtual int GetTimeout() { return 0; }
    virtual std::string GetDatabaseName() { return {}; }
    virtual std::u16string ToString() { return {}; }
};

// One data set a report may use, by reference and by user name.
class TrptDataSetItem : public classes::TCollectionItem {
public:
    using classes::TCollectionItem::TCollectionItem;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    TrptDataSet* DataSet() const { return dataSet_; }
    // Stores it; the name becomes its user name (empty for none).
    void SetDataSet(TrptDataSet* dataSet);
    // The data set's user name when there is a data set, else the name stored.
    std::string DataSetName() const;
    // Stores the name and finds the data set of that user name through the report; none for an empty name.
    void SetDataSetName(const std::string& name);

private:
    TrptDataSet* dataSet_ = nullptr;
    std::string dataSetName_;
};

class TrptReportDataSets : public classes::TCollection {
public:
    explicit TrptReportDataSets(TrptReport* report);

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    TrptReport* Report() const { return report_; }
    TrptDataSetItem* Add();
    TrptDataSetItem* Items(int index) const;
    // Every data set: this report becomes its report, then BeginRun; and EndRun.
    void Initialize();
    void Finalize();
    // The first item holding the data set, or whose data set has the user name (without regard to case);
    // null when none.
    TrptDataSetItem* FindByDataSet(const TrptDataSet* dataSet) const;
    TrptDataSetItem* Find(std::string_view userName) const;

private:
    TrptReport* report_;
};

// Every data set of the process, in the order made. Each insertion, removal and search holds its lock;
// Lock and Unlock do nothing before the library starts and after it ends.
class TrptGlobalDataSetList {
public:
    void Lock();
    void Unlock();
    int Count() const { return int(dataSets_.size()); }
    // Only while the lock is held.
    TrptDataSet* Items(int index) const { return dataSets_.at(std::size_t(index)); }
    void Add(TrptDataSet* dataSet);
    void Remove(TrptDataSet* dataSet);

private:
    std::vector<TrptDataSet*> dataSets_;
};

TrptGlobalDataSetList& rptDataSetList();

// The data set of that user name in the process-wide list (the first made), skipping those that belong
// to another report when owner is a report; current when none matches or owner is null, null for an
// empty name.
TrptDataSet* rptFindDataSet(TrptDataSet* current, std::string_view userName, classes::TComponent* owner);

}  // namespace report
