#include "report/rptReport.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/ComponentReader.h"
#include "platform/classes/ComponentWriter.h"
#include "platform/gui/graphics/Font.h"
#include "platform/registry/RegistryIniFile.h"
#include "platform/rtl/Collation.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Format.h"
#include "report/detail/ReportTimer.h"
#include "report/detail/Units.h"
#include "report/rptCustomEngine.h"
#include "report/rptCustomPreviewPages.h"
#include "report/rptDataSet.h"
#include "report/rptFrame.h"
#include "report/rptPage.h"
#include "report/rptReportScript.h"
#include "report/rptRes.h"
#include "report/rptStyles.h"
#include "report/rptVariables.h"
#include "report/rptWindows.h"

#include <filesystem>
#include <mutex>

namespace report {

namespace {

constexpr win::UINT kPreparationDelay = 50;
constexpr const char* kSysVariables[] = {"Date", "Time", "Page", "Page#", "TotalPages", "TotalPages#",
                                         "Line", "Line#", "CopyName#"};

struct ReportClasses {
    std::mutex mutex;
    std::unique_ptr<rtl::TCriticalSection> globalLock;
};

ReportClasses& TheReportClasses()
{
    static ReportClasses state;
    return state;
}

const classes::TTypeInfo& ReportComponentEventType()
{
    static const classes::TTypeInfo type = classes::MethodType<void(TrptReportComponent*)>("TrptReportComponentEvent");
    return type;
}

const classes::TTypeInfo& LoadTemplateEventType()
{
    static const classes::TTypeInfo type =
        classes::MethodType<void(TrptReport*, const std::string&)>("TrptLoadTemplateEvent");
    return type;
}

const classes::TTypeInfo& ProgressEventType()
{
    static const classes::TTypeInfo type =
        classes::MethodType<void(TrptReport*, TrptProgressType, int)>("TrptProgressEvent");
    return type;
}

const classes::TTypeInfo& ManualBuildEventType()
{
    static const classes::TTypeInfo type = classes::MethodType<void(TrptPage*)>("TrptManualBuildEvent");
    return type;
}

const classes::TTypeInfo& PrintPageEventType()
{
    static const classes::TTypeInfo type = classes::MethodType<void(TrptReportPage*, int)>("TrptPrintPageEvent");
    return type;
}

const classes::TTypeInfo& BeforeConnectEventType()
{
    static const classes::TTypeInfo type =
        classes::MethodType<void(TrptCustomDatabase*, bool&)>("TrptBeforeConnectEvent");
    return type;
}

const classes::TTypeInfo& UserFunctionEventType()
{
    static const classes::TTypeInfo type =
        classes::MethodType<rtl::Variant(const std::string&, rtl::Variant&)>("TrptUserFunctionEvent");
    return type;
}


}  // namespace

const classes::TTypeInfo& GetValueEventType()
{
    static const classes::TTypeInfo type =
        classes::MethodType<void(const std::string&, rtl::Variant&)>("TrptGetValueEvent");
    return type;
}

const classes::TTypeInfo& ProgressTypeType()
{
    static const classes::TTypeInfo type =
        classes::EnumType("TrptProgressType", {"ptRunning", "ptExporting", "ptPrinting"});
    return type;
}

rtl::TCriticalSection& rptGlobalLock()
{
    ReportClasses& state = TheReportClasses();
    std::lock_guard lock(state.mutex);
    if (!state.globalLock)
        throw rtl::EInvalidOperation("The report library has not been started");
    return *state.globalLock;
}

// --- construction ---

TrptReport::TrptReport(classes::TComponent* owner) : TrptComponent(owner)
{
    dataSets_ = std::make_unique<TrptReportDataSets>(this);
    variables_ = std::make_unique<TrptVariables>(this);
    script_ = CreateReportScript(*this);
    timer_ = std::make_unique<detail::ReportTimer>(kPreparationDelay, [this] { TimerTick(); });
    engineOptions_ = std::make_unique<TrptEngineOptions>();
    previewOptions_ = std::make_unique<TrptPreviewOptions>();
    printOptions_ = std::make_unique<TrptPrintOptions>();
    reportOptions_ = std::make_unique<TrptReportOptions>(this);
    scriptText_ = std::make_unique<rtl::TStringList>();
    errors_.SetSorted(true);
    errors_.SetDuplicates(rtl::TDuplicates::Ignore);
    styles_ = std::make_unique<TrptStyles>(this);
    localDataSets_ = std::make_unique<TrptReportDataSets>(this);
    engine_ = CreateEngine(*this);
    previewPages_ = CreatePreviewPages(*this);
    if (engine_)
        engine_->SetPreviewPages(previewPages_.get());
    if (previewPages_)
        previewPages_->SetEngine(engine_.get());
    iniFile_ = "\\Software\\Zazi Zazarev";
    showProgress_ = true;
    storeInDFM_ = true;
    Clear();
}

TrptReport::~TrptReport()
{
    SetPreview(nullptr);
    if (previewForm_)
        previewForm_->report_ = nullptr;
    timer_.reset();
    parentReportObject_.reset();
    // The objects go while everything they may ask of their report is still there.
    FreeChildren();
}

const classes::TClassInfo& TrptReport::StaticClass()
{
    using R = TrptReport;
    static const classes::TClassInfo info("TrptReport", &TrptComponent::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<R>(c)
            .Property("Version", &R::Version, &R::SetVersion)
            .Property("ParentReport", &R::ParentReport, &R::SetParentReport)
            .Property("DataSet", &R::DataSet, &R::SetDataSet)
            .Property("DataSetName", &R::DataSetName, &R::SetDataSetName)
            .Property("DotMatrixReport", &R::DotMatrixReport, &R::SetDotMatrixReport).Default(0)
            .Property("EngineOptions", &R::EngineOptions, &R::SetEngineOptions)
            .Property("IniFile", &R::IniFile, &R::SetIniFile)
            .Property("OldStyleProgress", &R::OldStyleProgress, &R::SetOldStyleProgress).Default(0)
            .Property("PreviewOptions", &R::PreviewOptions, &R::SetPreviewOptions)
            .Property("PrintOptions", &R::PrintOptions, &R::SetPrintOptions)
            .Property("ReportOptions", &R::ReportOptions, &R::SetReportOptions)
            .Property("ScriptLanguage", &R::ScriptLanguage, &R::SetScriptLanguage)
            .Property("ScriptText", &R::ScriptText)
            .Property("ShowProgress", &R::ShowProgress, &R::SetShowProgress).Default(1)
            .Property("StoreInDFM", &R::StoreInDFM, &R::SetStoreInDFM).Default(1)
            .Property("OnBeforePrint", ReportComponentEventType(), &R::OnBeforePrint)
            .Property("OnAfterPrint", ReportComponentEventType(), &R::OnAfterPrint)
            .Property("OnBeginDoc", classes::NotifyEventType(), &R::OnBeginDoc)
            .Property("OnEndDoc", classes::NotifyEventType(), &R::OnEndDoc)
            .Property("OnGetValue", GetValueEventType(), &R::OnGetValue)
            .Property("OnLoadTemplate", LoadTemplateEventType(), &R::OnLoadTemplate)
            .Property("OnPreview", classes::NotifyEventType(), &R::OnPreview)
            .Property("OnProgressStart", ProgressEventType(), &R::OnProgressStart)
            .Property("OnProgress", ProgressEventType(), &R::OnProgress)
            .Property("OnProgressStop", ProgressEventType(), &R::OnProgressStop)
            .Property("OnManualBuild", ManualBuildEventType(), &R::OnManualBuild)
            .Property("OnPrintPage", PrintPageEventType(), &R::OnPrintPage)
            .Property("OnPrintReport", classes::NotifyEventType(), &R::OnPrintReport)
            .Property("OnAfterPrintReport", classes::NotifyEventType(), &R::OnAfterPrintReport)
            .Property("OnClosePreview", classes::NotifyEventType(), &R::OnClosePreview)
            .Property("OnBeforeConnect", BeforeConnectEventType(), &R::OnBeforeConnect)
            .Property("OnUserFunction", UserFunctionEventType(), &R::OnUserFunction)
            .Property("OnRunDialogs", &R::OnRunDialogs)
            .Property("OnStartReport", &R::OnStartReport)
            .Property("OnStopReport", &R::OnStopReport)
            .Property("OnReportPrint", &R::OnReportPrint);
    });
    return info;
}

void TrptReport::Clear()
{
    TrptComponent::Clear();
    dataSets_->Clear();
    variables_->Clear();
    styles_->Clear();
    engineOptions_->Clear();
    previewOptions_->Clear();
    printOptions_->Clear();
    reportOptions_->Clear();
    dataSet_ = nullptr;
    dataSetName_.clear();
    dotMatrixReport_ = false;
    SetParentReport({});
    scriptLanguage_ = "ZododuVudizu";
    scriptText_->SetText("begin\r\n\r\nend.");
    sysVariables_.Clear();
    for (const char* name : kSysVariables)
        sysVariables_.Add(name);
    OnRunDialogs.clear();
    OnStartReport.clear();
    OnStopReport.clear();
}

// --- entry points ---

bool TrptReport::PrepareReport(bool clearLastReport)
{
    if (clearLastReport && previewPages_)
        previewPages_->Clear();
    errors_.Clear();
    terminated_ = false;
    bool result = false;
    for (int i = 0; i < dataSets_->Count(); ++i)
        if (!dataSets_->Items(i)->DataSet())
            errors_.Add(rtl::Format(rptGetResources().Get("clDSNotExist"), {dataSets_->Items(i)->DataSetName()}));
    if (errors_.Count() == 0) {
        const std::string password = reportOptions_->Password;
        std::unique_ptr<rtl::TMemoryStream> saved;
        if (engineOptions_->DestroyForms) {
            saved = std::make_unique<rtl::TMemoryStream>();
            reportOptions_->Password.clear();
            try {
                SaveToStream(*saved);
            } catch (...) {
                reportOptions_->Password = password;
                throw;
            }
        }
        try {
            if (OnBeginDoc)
                OnBeginDoc(this);
            if (!script_)
                throw rtl::EInvalidOperation("The report has no script engine");
            if (script_->Prepare()) {
                if (script_->MainBlockHasStatements())
                    script_->Execute();
                if (!engine_)
                    throw rtl::EInvalidOperation("The report has no engine");
                if (engine_->Run()) {
                    if (OnEndDoc)
                        OnEndDoc(this);
                    result = true;
                } else if (previewForm_) {
                    previewForm_->Close();
                }
            }
        } catch (const std::exception& e) {
            errors_.Add(rptExceptionMessage(e));
        }
        if (saved) {
            // The run's changes to the objects go: the report is read back as it was saved.
            const std::string runErrors = errors_.Text();
            saved->SetPosition(0);
            loadingWithoutPassword_ = true;
            try {
                LoadFromStream(*saved);
            } catch (...) {
                loadingWithoutPassword_ = false;
                reportOptions_->Password = password;
                errors_.SetText(runErrors);
                throw;
            }
            loadingWithoutPassword_ = false;
            reportOptions_->Password = password;
            errors_.SetText(runErrors);
        }
    }
    if (errors_.Count() > 0) {
        result = false;
        ReportErrors();
    }
    return result;
}

void TrptReport::ReportErrors()
{
    rptReportFailure(this, rptGetResources().Get("clErrors") + "\r\n" + errors_.Text());
}

void TrptReport::ShowReport(bool clearLastReport)
{
    if (clearLastReport && previewPages_)
        previewPages_->Clear();
    if (oldStyleProgress_) {
        if (PrepareReport(false))
            ShowPreparedReport();
        return;
    }
    timer_->SetEnabled(true);
    ShowPreparedReport();
}

void TrptReport::TimerTick()
{
    timer_->SetEnabled(false);
    PrepareReport(false);
}

void TrptReport::ShowPreparedReport()
{
    if (previewForm_)
        previewForm_->report_ = nullptr;
    previewForm_ = nullptr;
    if (preview_) {
        preview_->previewPages_ = previewPages_.get();
        preview_->InitPreview();
        return;
    }
    std::unique_ptr<TrptPreviewWindow> window = CreatePreviewWindow(*this);
    if (!window)
        return;
    window->report_ = this;
    previewForm_ = window.get();
    SetPreview(&window->Preview());
    window->InitForm();
    if (OnPreview)
        OnPreview(this);
    if (previewOptions_->Maximized)
        window->SetPositionDesigned();
    if (previewOptions_->Modal) {
        window->ShowModal();
        return;  // the window goes now
    }
    if (!previewOptions_->MDIChild)
        window->AddExStyle(win::WS_EX_APPWINDOW);
    window->SetReleaseOnClose();
    window.release()->Show();
}

bool TrptReport::Print()
{
    return previewPages_ && previewPages_->Print();
}

bool TrptReport::Export(TrptCustomExportFilter* filter)
{
    return previewPages_ && previewPages_->Export(filter);
}

void TrptReport::DesignReport(bool, bool)
{
}

bool TrptReport::DesignPreviewPage()
{
    return false;
}

TrptDataSet* TrptReport::GetDataset(std::string_view alias) const
{
    TrptDataSetItem* item = dataSets_->Find(alias);
    return item ? item->DataSet() : nullptr;
}

TrptPage* TrptReport::Pages(int index) const
{
    if (index < 0 || index >= int(Objects().size()))
        throw rtl::EListError("List index out of bounds (" + std::to_string(index) + ")");
    return dynamic_cast<TrptPage*>(Objects()[std::size_t(index)]);
}

int TrptReport::PagesCount() const
{
    return int(Objects().size());
}

std::unique_ptr<rtl::TCustomIniFile> TrptReport::GetIniFile() const
{
    if (iniFile_.starts_with("\\Software\\"))
        return std::make_unique<win::TRegistryIniFile>(iniFile_);
    return std::make_unique<rtl::TIniFile>(iniFile_);
}

std::string TrptReport::GetApplicationFolder() const
{
    if (HasState(classes::csDesigning))
        return rtl::IncludeTrailingPathDelimiter(rtl::AnsiFileName(std::filesystem::current_path().string()));
    return rtl::ProgramFolder();
}

// --- running ---

void TrptReport::SetTerminated(bool terminated)
{
    terminated_ = terminated;
    if (terminated && script_)
        script_->Terminate();
}

void TrptReport::RunScriptEvent(classes::TObject* object, const std::string& procedure, bool runAlways)
{
    if ((runAlways || (engine_ && engine_->RunActive())) && !procedure.empty() && script_)
        script_->CallProcedure(procedure, object);
}

void TrptReport::RunScriptParamEvent(const std::string& procedure, rtl::Variant& params, bool runAlways)
{
    if ((runAlways || (engine_ && engine_->RunActive())) && !procedure.empty() && script_)
        script_->CallProcedure(procedure, params);
}

void TrptReport::FireBeforePrint(TrptReportComponent* object)
{
    if (OnBeforePrint)
        OnBeforePrint(object);
    RunScriptEvent(object, object->OnBeforePrint());
}

void TrptReport::FireAfterPrint(TrptReportComponent* object)
{
    if (OnAfterPrint)
        OnAfterPrint(object);
    RunScriptEvent(object, object->OnAfterPrint());
}

void TrptReport::ShowProgressText(const std::string& text, bool isHint)
{
    if (engineOptions_->ThreadSafeMode)
        return;
    if (oldStyleProgress_ && showProgress_ && engine_ && engine_->RunActive() && progress_)
        progress_->SetMessageText(text);
    if (previewForm_)
        previewForm_->SetStatusText(text, isHint);
}

// The progress window shows old-style preparation, printing and exporting; new-style preparation shows
// in the preview.
bool TrptReport::ProgressWindowShown(TrptProgressType progressType) const
{
    return (oldStyleProgress_ || progressType != ptRunning) && showProgress_;
}

void TrptReport::DoProgressStart(TrptProgressType progressType)
{
    if (engineOptions_->ThreadSafeMode)
        return;
    if (OnProgressStart)
        OnProgressStart(this, progressType, 0);
    if (ProgressWindowShown(progressType)) {
        progress_.reset();
        progress_ = CreateProgressWindow();
        if (progress_)
            progress_->StartProgress(0, "", true, false);
    }
    if (preview_ && progressType == ptRunning)
        preview_->PreparationStarted();
    rptProcessMessages();
}

void TrptReport::DoProgress(TrptProgressType progressType, int progress)
{
    if (engineOptions_->ThreadSafeMode)
        return;
    if (OnProgress)
        OnProgress(this, progressType, progress);
    if (ProgressWindowShown(progressType) && progress_) {
        const char* text = "prRunning";
        if (progressType == ptExporting)
            text = "prExporting";
        else if (progressType == ptPrinting)
            text = "prPrinting";
        else if (engine_ && !engine_->FinalPass())
            text = "prRunningFirst";
        progress_->SetMessageText(rtl::Format(rptGetResources().Get(text), {progress}));
        if (progress_->Cancelled())
            SetTerminated(true);
    }
    if (preview_ && progressType == ptRunning)
        preview_->PagePrepared(progress - 1);
    rptProcessMessages();
}

void TrptReport::DoProgressStop(TrptProgressType progressType)
{
    if (engineOptions_->ThreadSafeMode)
        return;
    if (OnProgressStop)
        OnProgressStop(this, progressType, 0);
    if (ProgressWindowShown(progressType))
        progress_.reset();
    if (preview_ && progressType == ptRunning)
        preview_->PreparationFinished();
    rptProcessMessages();
}

// --- preview ---

void TrptReport::SetPreview(TrptCustomPreview* preview)
{
    if (preview_ && preview_ != preview) {
        preview_->report_ = nullptr;
        preview_->previewPages_ = nullptr;
    }
    preview_ = preview;
    if (preview_) {
        preview_->report_ = this;
        preview_->previewPages_ = previewPages_.get();
    }
}

TrptCustomPreview::~TrptCustomPreview()
{
    if (report_ && report_->preview_ == this)
        report_->preview_ = nullptr;
}

TrptPreviewWindow::~TrptPreviewWindow()
{
    if (report_ && report_->previewForm_ == this)
        report_->previewForm_ = nullptr;
}

// --- data sets ---

void TrptReport::SetDataSet(TrptDataSet* dataSet)
{
    dataSet_ = dataSet;
    dataSetName_ = dataSet ? dataSet->UserName() : std::string();
    if (dataSet)
        dataSet->FreeNotification(this);
}

std::string TrptReport::DataSetName() const
{
    return dataSet_ ? dataSet_->UserName() : dataSetName_;
}

void TrptReport::SetDataSetName(const std::string& name)
{
    dataSetName_ = name;
    dataSet_ = ResolveDataSet(dataSet_, name);
    if (dataSet_)
        dataSet_->FreeNotification(this);
}

void TrptReport::Notification(classes::TComponent* component, classes::TOperation operation)
{
    if (operation == classes::TOperation::Remove && component) {
        // Compared as components: a data set going away is no longer a data set by now.
        for (int i = dataSets_->Count() - 1; i >= 0; --i)
            if (static_cast<classes::TComponent*>(dataSets_->Items(i)->DataSet()) == component)
                dataSets_->Delete(i);
        for (int i = localDataSets_->Count() - 1; i >= 0; --i)
            if (static_cast<classes::TComponent*>(localDataSets_->Items(i)->DataSet()) == component)
                localDataSets_->Delete(i);
        if (static_cast<classes::TComponent*>(dataSet_) == component)
            dataSet_ = nullptr;
    }
    TrptComponent::Notification(component, operation);
}

// --- stored data ---

void TrptReport::GetChildren(const classes::TGetChildProc& proc, classes::TComponent* root)
{
    if (storeInDFM_)
        TrptComponent::GetChildren(proc, root);
}

classes::TComponent* TrptReport::FindAncestor(classes::TReader&, const std::string& name)
{
    return FindObject(name);
}

void TrptReport::DefineProperties(classes::TFiler& filer)
{
    TrptComponent::DefineProperties(filer);
    // A window's data written without the report's objects holds none of these either; a template
    // (the writing mark) always does.
    if (dynamic_cast<classes::TWriter*>(&filer) && !Writing() && !storeInDFM_)
        return;
    // A plain parameter, not a structured binding: the lambdas capture it.
    auto define = [&](const char* name, classes::TCollection* collection) {
        filer.DefineProperty(
            name, [this, collection](classes::TReader& reader) { rptLoadCollection(collection, reader, this); },
            [this, collection](classes::TWriter& writer) { rptStoreCollection(collection, writer, this); }, true);
    };
    define("Datasets", dataSets_.get());
    define("Variables", variables_.get());
    define("Style", styles_.get());
}

void TrptReport::ReadState(classes::TReader& reader)
{
    const auto saved = reader.OnAncestorNotFound;
    reader.OnAncestorNotFound = rtl::MethodOf<&TrptReport::FindAncestor>(this);
    try {
        TrptComponent::ReadState(reader);
    } catch (...) {
        reader.OnAncestorNotFound = saved;
        throw;
    }
    reader.OnAncestorNotFound = saved;
}

// --- the library's start ---

namespace detail {

void InitializeReportClasses()
{
    {
        ReportClasses& state = TheReportClasses();
        std::lock_guard lock(state.mutex);
        state.globalLock = std::make_unique<rtl::TCriticalSection>();
    }
    InitializeDataSetList();
    InitializeVariables();
    classes::RegisterClasses({&TrptFrame::StaticClass(), &TrptReport::StaticClass(), &TrptStyleItem::StaticClass(),
                              &TrptDataPage::StaticClass()});
}

void FinalizeReportClasses()
{
    for (const classes::TClassInfo* cls : {&TrptFrame::StaticClass(), &TrptReport::StaticClass(),
                                           &TrptStyleItem::StaticClass(), &TrptDataPage::StaticClass()})
        classes::UnRegisterClass(*cls);
    FinalizeVariables();
    FinalizeDataSetList();
    ReportClasses& state = TheReportClasses();
    std::lock_guard lock(state.mutex);
    state.globalLock.reset();
}

}  // namespace detail

}  // namespace report
