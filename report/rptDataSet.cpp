#include "report/rptDataSet.h"

#include "platform/classes/Reflection.h"
#include "platform/rtl/Collation.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StringUtils.h"
#include "report/detail/Units.h"
#include "report/rptRes.h"

#include <algorithm>
#include <mutex>

namespace report {

namespace {

// The lock of the process-wide list; there is none before the library starts and after it ends.
struct ListLock {
    std::mutex guard;
    std::unique_ptr<rtl::TCriticalSection> section;
};

ListLock& TheListLock()
{
    static ListLock lock;
    return lock;
}

rtl::TCriticalSection* ListSection()
{
    ListLock& lock = TheListLock();
    std::lock_guard guard(lock.guard);
    return lock.section.get();
}

// Holds the list's lock for its lifetime.
class ListGuard {
public:
    ListGuard() { rptDataSetList().Lock(); }
    ~ListGuard() { rptDataSetList().Unlock(); }
    ListGuard(const ListGuard&) = delete;
    ListGuard& operator=(const ListGuard&) = delete;
};

const classes::TTypeInfo& CheckEOFEventType()
{
    static const classes::TTypeInfo type =
        classes::MethodType<void(classes::TObject*, bool&)>("TrptCheckEOFEvent");
    return type;
}

const classes::TTypeInfo& NewGetValueEventType()
{
    static const classes::TTypeInfo type =
        classes::MethodType<void(classes::TObject*, const std::string&, rtl::Variant&)>("TrptNewGetValueEvent");
    return type;
}

std::u16string WideText(const rtl::Variant& value)
{
    return value.IsNull() || value.IsEmpty() ? std::u16string() : value.ToWideString();
}

}  // namespace

const classes::TTypeInfo& RangeBeginType()
{
    static const classes::TTypeInfo type = classes::EnumType("TrptRangeBegin", {"rbFirst", "rbCurrent"});
    return type;
}

const classes::TTypeInfo& RangeEndType()
{
    static const classes::TTypeInfo type = classes::EnumType("TrptRangeEnd", {"reLast", "reCurrent", "reCount"});
    return type;
}

// --- TrptDataSet ---

TrptDataSet::TrptDataSet(classes::TComponent* owner) : TrptDialogComponent(owner)
{
    rptDataSetList().Add(this);
}

TrptDataSet::~TrptDataSet()
{
    rptDataSetList().Remove(this);
}

const classes::TClassInfo& TrptDataSet::StaticClass()
{
    using D = TrptDataSet;
    static const classes::TClassInfo info("TrptDataSet", &TrptDialogComponent::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<D>(c)
            .Property("Enabled", &D::Enabled).Default(1)
            .Property("RangeBegin", RangeBeginType(), &D::RangeBegin).Default(rbFirst)
            .Property("RangeEnd", RangeEndType(), &D::RangeEnd).Default(reLast)
            .Property("RangeEndCount", &D::RangeEndCount).Default(0)
            .Property("UserName", &D::UserName, &D::SetUserName)
            .Property("OnCheckEOF", CheckEOFEventType(), &D::OnCheckEOF)
            .Property("OnFirst", classes::NotifyEventType(), &D::OnFirst)
            .Property("OnNext", classes::NotifyEventType(), &D::OnNext)
            .Property("OnPrior", classes::NotifyEventType(), &D::OnPrior);
    });
    return info;
}

std::u16string TrptDataSet::GetDisplayText(const std::string&)
{
    return {};
}

int TrptDataSet::GetDisplayWidth(const std::string&)
{
    return 10;
}

TrptFieldType TrptDataSet::GetFieldType(const std::string&)
{
    return fftNumeric;
}

rtl::Variant TrptDataSet::GetValue(const std::string&)
{
    return rtl::Variant::Null();
}

void TrptDataSet::SetUserName(const std::string& value)
{
    if (rtl::Trim(value).empty())
        throw rtl::Exception(rptGetResources().Get("prInvProp"));
    userName_ = value;
}

void TrptDataSet::Open()
{
    if (OnOpen)
        OnOpen(this);
}

void TrptDataSet::Close()
{
    if (OnClose)
        OnClose(this);
}

void TrptDataSet::First()
{
    RecNo = 0;
    atEnd_ = false;
    if (OnFirst)
        OnFirst(this);
}

void TrptDataSet::Next()
{
    atEnd_ = false;
    ++RecNo;
    if (RangeEnd == reCount && RecNo >= RangeEndCount) {
        RecNo = RangeEndCount - 1;
        atEnd_ = true;
        return;
    }
    if (OnNext)
        OnNext(this);
}

void TrptDataSet::Prior()
{
    --RecNo;
    if (OnPrior)
        OnPrior(this);
}

bool TrptDataSet::Eof()
{
    bool eof = RangeEnd == reCount && (RecNo >= RangeEndCount || atEnd_);
    if (OnCheckEOF)
        OnCheckEOF(this, eof);
    return eof;
}

int TrptDataSet::RecordCount()
{
    return RangeBegin == rbFirst && RangeEnd == reCount ? RangeEndCount : 0;
}

void TrptDataSet::GetFieldList(rtl::TStrings& list)
{
    list.Clear();
}

bool TrptDataSet::HasField(const std::string& field)
{
    rtl::TStringList fields;
    GetFieldList(fields);
    return fields.IndexOf(field) >= 0;
}

void TrptDataSet::SetName(const std::string& name)
{
    const bool follows = !name.empty() && (userName_.empty() || userName_ == Name());
    TrptDialogComponent::SetName(name);
    if (follows && Name() == name)
        SetUserName(name);
}

// --- TrptUserDataSet ---

TrptUserDataSet::TrptUserDataSet(classes::TComponent* owner)
    : TrptDataSet(owner), fields_(std::make_unique<rtl::TStringList>())
{
}

TrptUserDataSet::~TrptUserDataSet() = default;

const classes::TClassInfo& TrptUserDataSet::StaticClass()
{
    using D = TrptUserDataSet;
    static const classes::TClassInfo info("TrptUserDataSet", &TrptDataSet::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<D>(c)
            .Property("Fields", &D::Fields)
            .Property("OnGetValue", GetValueEventType(), &D::OnGetValue)
            .Property("OnNewGetValue", NewGetValueEventType(), &D::OnNewGetValue);
    });
    return info;
}

rtl::Variant TrptUserDataSet::GetValue(const std::string& field)
{
    rtl::Variant value = rtl::Variant::Null();
    if (OnGetValue)
        OnGetValue(field, value);
    if (OnNewGetValue)
        OnNewGetValue(this, field, value);
    return value;
}

std::u16string TrptUserDataSet::GetDisplayText(const std::string& field)
{
    rtl::Variant value = rtl::Variant::Null();
    std::u16string text;
    if (OnGetValue) {
        OnGetValue(field, value);
        text = WideText(value);
    }
    if (OnNewGetValue) {
        OnNewGetValue(this, field, value);
        text = WideText(value);
    }
    return text;
}

void TrptUserDataSet::GetFieldList(rtl::TStrings& list)
{
    list.Assign(*fields_);
}

// --- TrptCustomDBDataSet ---

TrptCustomDBDataSet::TrptCustomDBDataSet(classes::TComponent* owner)
    : TrptDataSet(owner), fields_(std::make_unique<rtl::TStringList>()),
      fieldAliases_(std::make_unique<rtl::TStringList>())
{
    fields_->SetSorted(true);
    fields_->SetDuplicates(rtl::TDuplicates::Ignore);
}

TrptCustomDBDataSet::~TrptCustomDBDataSet() = default;

const classes::TClassInfo& TrptCustomDBDataSet::StaticClass()
{
    using D = TrptCustomDBDataSet;
    static const classes::TClassInfo info("TrptCustomDBDataSet", &TrptDataSet::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<D>(c)
            .Property("CloseDataSource", &D::CloseDataSource).Default(0)
            .Property("FieldAliases", &D::FieldAliases)
            .Property("OpenDataSource", &D::OpenDataSource).Default(1)
            .Property("OnClose", classes::NotifyEventType(), &D::OnClose)
            .Property("OnOpen", classes::NotifyEventType(), &D::OnOpen);
    });
    return info;
}

int TrptCustomDBDataSet::FieldsCount()
{
    rtl::TStringList names;
    GetFieldList(names);
    return names.Count();
}

const classes::TClassInfo& TrptCustomDatabase::StaticClass()
{
    static const classes::TClassInfo info("TrptCustomDatabase", &TrptDialogComponent::StaticClass());
    return info;
}

// --- TrptDataSetItem ---

const classes::TClassInfo& TrptDataSetItem::StaticClass()
{
    using I = TrptDataSetItem;
    static const classes::TClassInfo info("TrptDataSetItem", &classes::TCollectionItem::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<I>(c)
            .Property("DataSet", &I::DataSet, &I::SetDataSet)
            .Property("DataSetName", &I::DataSetName, &I::SetDataSetName);
    });
    return info;
}

void TrptDataSetItem::SetDataSet(TrptDataSet* dataSet)
{
    dataSet_ = dataSet;
    dataSetName_ = dataSet ? dataSet->UserName() : std::string();
    // The report forgets the item's data set when it goes.
    auto* dataSets = dynamic_cast<TrptReportDataSets*>(Collection());
    if (dataSet && dataSets && dataSets->Report())
        dataSet->FreeNotification(dataSets->Report());
}

std::string TrptDataSetItem::DataSetName() const
{
    return dataSet_ ? dataSet_->UserName() : dataSetName_;
}

void TrptDataSetItem::SetDataSetName(const std::string& name)
{
    dataSetName_ = name;
    if (name.empty()) {
        dataSet_ = nullptr;
        return;
    }
    auto* dataSets = dynamic_cast<TrptReportDataSets*>(Collection());
    if (!dataSets || !dataSets->Report())
        return;
    TrptDataSet* found = dataSets->Report()->ResolveDataSet(dataSet_, name);
    if (found != dataSet_)
        SetDataSet(found);
    dataSetName_ = name;
}

// --- TrptReportDataSets ---

TrptReportDataSets::TrptReportDataSets(TrptReport* report)
    : classes::TCollection(TrptDataSetItem::StaticClass(), report, "DataSets"), report_(report)
{
}

const classes::TClassInfo& TrptReportDataSets::StaticClass()
{
    static const classes::TClassInfo info("TrptReportDataSets", &classes::TCollection::StaticClass());
    return info;
}

TrptDataSetItem* TrptReportDataSets::Add()
{
    return static_cast<TrptDataSetItem*>(classes::TCollection::Add());
}

TrptDataSetItem* TrptReportDataSets::Items(int index) const
{
    return static_cast<TrptDataSetItem*>(classes::TCollection::Items(index));
}

void TrptReportDataSets::Initialize()
{
    for (int i = 0; i < Count(); ++i)
        if (TrptDataSet* dataSet = Items(i)->DataSet()) {
            dataSet->Report = report_;
            dataSet->BeginRun();
        }
}

void TrptReportDataSets::Finalize()
{
    for (int i = 0; i < Count(); ++i)
        if (TrptDataSet* dataSet = Items(i)->DataSet())
            dataSet->EndRun();
}

TrptDataSetItem* TrptReportDataSets::FindByDataSet(const TrptDataSet* dataSet) const
{
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->DataSet() == dataSet)
            return Items(i);
    return nullptr;
}

TrptDataSetItem* TrptReportDataSets::Find(std::string_view userName) const
{
    for (int i = 0; i < Count(); ++i)
        if (TrptDataSet* dataSet = Items(i)->DataSet(); dataSet && rtl::AnsiSameText(dataSet->UserName(), userName))
            return Items(i);
    return nullptr;
}

// --- the process-wide list ---

void TrptGlobalDataSetList::Lock()
{
    if (rtl::TCriticalSection* section = ListSection())
        section->Enter();
}

void TrptGlobalDataSetList::Unlock()
{
    if (rtl::TCriticalSection* section = ListSection())
        section->Leave();
}

void TrptGlobalDataSetList::Add(TrptDataSet* dataSet)
{
    ListGuard guard;
    dataSets_.push_back(dataSet);
}

void TrptGlobalDataSetList::Remove(TrptDataSet* dataSet)
{
    ListGuard guard;
    if (auto it = std::find(dataSets_.rbegin(), dataSets_.rend(), dataSet); it != dataSets_.rend())
        dataSets_.erase(std::next(it).base());
}

TrptGlobalDataSetList& rptDataSetList()
{
    static TrptGlobalDataSetList list;
    return list;
}

TrptDataSet* rptFindDataSet(TrptDataSet* current, std::string_view userName, classes::TComponent* owner)
{
    if (userName.empty())
        return nullptr;
    if (!owner)
        return current;
    const bool ownerIsReport = dynamic_cast<TrptReport*>(owner) != nullptr;
    TrptGlobalDataSetList& list = rptDataSetList();
    ListGuard guard;
    for (int i = 0; i < list.Count(); ++i) {
        TrptDataSet* dataSet = list.Items(i);
        if (ownerIsReport && dataSet->Owner() != owner && dynamic_cast<TrptReport*>(dataSet->Owner()))
            continue;
        if (rtl::AnsiSameText(dataSet->UserName(), userName))
            return dataSet;
    }
    return current;
}

namespace detail {

void InitializeDataSetList()
{
    ListLock& lock = TheListLock();
    std::lock_guard guard(lock.guard);
    lock.section = std::make_unique<rtl::TCriticalSection>();
}

void FinalizeDataSetList()
{
    ListLock& lock = TheListLock();
    std::lock_guard guard(lock.guard);
    lock.section.reset();
}

}  // namespace detail

}  // namespace report
