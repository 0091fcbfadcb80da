#pragma once
// TrptReport: the root of a report. The application fills it with pages, bands and objects and asks it
// to prepare (PrepareReport), preview (ShowReport), print (Print) or export (Export). It owns what a run
// needs: its script, its engine and prepared pages, the option objects, the script text, the error list
// and the names of the system variables; and it stores itself with its window's stored data.
//
// Failures of a run become lines of Errors (sorted without regard to case, each once) and are reported
// as EngineOptions.NewSilentMode says.

#include "platform/classes/Reflection.h"
#include "platform/rtl/AtomicFile.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/Method.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/SyncObjs.h"
#include "platform/rtl/Variant.h"
#include "report/rptComponent.h"
#include "report/rptReportOptions.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace report {

class TrptCustomDatabase;
class TrptCustomEngine;
class TrptDataSet;
class TrptCustomExportFilter;
class TrptCustomPreview;
class TrptCustomPreviewPages;
class TrptPage;
class TrptPreviewWindow;
class TrptProgressWindow;
class TrptReportDataSets;
class TrptReportPage;
class TrptReportScript;
class TrptStyles;
class TrptVariables;
class TrptXMLSerializer;

namespace detail {
class ReportTimer;
}

enum TrptProgressType { ptRunning, ptExporting, ptPrinting };
const classes::TTypeInfo& ProgressTypeType();
const classes::TTypeInfo& GetValueEventType();

class TrptReport;

using TrptReportComponentEvent = rtl::Method<void(TrptReportComponent* sender)>;
using TrptGetValueEvent = rtl::Method<void(const std::string& varName, rtl::Variant& value)>;
using TrptLoadTemplateEvent = rtl::Method<void(TrptReport* report, const std::string& templateName)>;
using TrptProgressEvent = rtl::Method<void(TrptReport* sender, TrptProgressType progressType, int progress)>;
using TrptManualBuildEvent = rtl::Method<void(TrptPage* page)>;
using TrptPrintPageEvent = rtl::Method<void(TrptReportPage* page, int copyNo)>;
using TrptBeforeConnectEvent = rtl::Method<void(TrptCustomDatabase* sender, bool& connected)>;
using TrptUserFunctionEvent = rtl::Method<rtl::Variant(const std::string& methodName, rtl::Variant& params)>;
using TrptConnectionStringEvent = rtl::Method<void(const std::string& connectionString)>;

class TrptReport : public TrptComponent {
public:
    explicit TrptReport(classes::TComponent* owner);
    ~TrptReport() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // "4.6.5", whatever is set.
    std::string Version() const { return "4.6.5"; }
    void SetVersion(const std::string&) {}

    // --- entry points ---

    // Empties the report: frees the pages (but those from an ancestor), clears the options, and sets the
    // script text, language and system variables as a new report has them. Errors, the prepared pages
    // and the events stay.
    void Clear() override;
    // Builds the prepared pages (appending them to those there are without clearLastReport): every data
    // set the report names must exist ("clDSNotExist" for each that does not), then the script is
    // prepared and its main block run, then the engine. With EngineOptions.DestroyForms the report is
    // saved before and reloaded after, so the run changes none of its objects. True on success;
    // otherwise the errors are reported and the result is false.
    bool PrepareReport(bool clearLastReport = true);
    // Opens the preview at once and prepares the report 50 ms later, from the message loop; with
    // OldStyleProgress prepares first and opens the preview only after a successful run.
    void ShowReport(bool clearLastReport = true);
    // Shows what is prepared: in the attached preview, or in a new preview window.
    void ShowPreparedReport();
    bool Print();
    bool Export(TrptCustomExportFilter* filter);
    // No designer is part of this program: these do nothing.
    void DesignReport(bool modal = true, bool mdiChild = false);
    bool DesignPreviewPage();

    // The report's pages (its child objects) by index, and their number.
    TrptPage* Pages(int index) const;
    int PagesCount() const;
    // The data set of the DataSets item whose data set has that user name (without regard to case).
    TrptDataSet* GetDataset(std::string_view alias) const;
    // A registry INI for names beginning "\Software\", else an INI file of that name.
    std::unique_ptr<rtl::TCustomIniFile> GetIniFile() const;
    // In the designer the current folder, otherwise the program's folder; with its trailing separator.
    std::string GetApplicationFolder() const;

    // --- running ---

    bool Terminated() const { return terminated_; }
    // Setting it also stops a running script.
    void SetTerminated(bool terminated);
    // Calls the script procedure with the object, when runAlways or the engine runs.
    void RunScriptEvent(classes::TObject* object, const std::string& procedure, bool runAlways = false);
    // Calls the script procedure with the elements of params, which get its var parameters back.
    void RunScriptParamEvent(const std::string& procedure, rtl::Variant& params, bool runAlways = false);
    // OnBeforePrint (OnAfterPrint), then the object's own script procedure of that event.
    void FireBeforePrint(TrptReportComponent* object);
    void FireAfterPrint(TrptReportComponent* object);
    // A status text: in the progress window while an old-style run goes on, and in the preview window.
    void ShowProgressText(const std::string& text, bool isHint);
    virtual void DoProgressStart(TrptProgressType progressType);
    virtual void DoProgress(TrptProgressType progressType, int progress);
    virtual void DoProgressStop(TrptProgressType progressType);

    // The errors of the last load or run, and their report ("clErrors", CR LF, the lines) as
    // EngineOptions.NewSilentMode says: a message box, nothing, or an exception.
    rtl::TStringList& Errors() { return errors_; }
    void ReportErrors();

    // --- templates ---

    // Reads an XML template. Nothing is raised for a bad template: every problem is a line of Errors,
    // reported as EngineOptions.NewSilentMode says after the load; what was read stays, with a data page.
    // The engine and preview options the application set, IniFile, Preview, OldStyleProgress,
    // ShowProgress and StoreInDFM survive the load (but ConvertNulls, DoublePass and the outline and
    // page-cache options, which the template gives). A template whose password is not given is dropped
    // (the report is cleared), as is every template in info-only mode.
    void LoadFromStream(rtl::TStream& stream) override;
    // Writes the template; with a ParentReport only what differs from the ancestor.
    void SaveToStream(rtl::TStream& stream, bool saveChildren = true, bool saveDefaultValues = false,
                      bool forceClassNames = false) override;
    // Clear, then the file's template when it exists (others may read it meanwhile). False for a missing
    // file, which with exceptionIfNotFound raises instead.
    bool LoadFromFile(const std::string& fileName, bool exceptionIfNotFound = false);
    // Writes the template with a ParentReport relative to the file's folder, replacing the file whole or
    // not at all: EFCreateError leaves the old one.
    void SaveToFile(const std::string& fileName, const rtl::AtomicWriteOptions& options = {});
    // The template file this report inherits from: loaded (by OnLoadTemplate, or from the folder of
    // FileName or the program's) before the report's own elements; every object then comes from the
    // ancestor. A file already being loaded is not loaded again ("Circular ancestor template: " + name).
    // Empty: no ancestor.
    const std::string& ParentReport() const { return parentReport_; }
    void SetParentReport(const std::string& value);
    TrptReport* ParentReportObject() const { return parentReportObject_.get(); }
    // For saving against the ancestor: the ancestor copy for the report's own name, else its object of
    // that name; null without an ancestor.
    classes::TComponent* LookupAncestorObject(const std::string& name);
    // Makes sure there is a data page (named "Data" where it can be) at the first place, holding the data
    // components that are on no data page.
    void CheckDataPage();
    // The serializer reading a template into the report, while it does.
    TrptXMLSerializer* CurrentSerializer() const { return currentSerializer_; }
    void SetCurrentSerializer(TrptXMLSerializer* serializer) { currentSerializer_ = serializer; }

    // --- owned objects ---

    TrptEngineOptions* EngineOptions() const { return engineOptions_.get(); }
    TrptPreviewOptions* PreviewOptions() const { return previewOptions_.get(); }
    TrptPrintOptions* PrintOptions() const { return printOptions_.get(); }
    TrptReportOptions* ReportOptions() const { return reportOptions_.get(); }
    // The setters copy.
    void SetEngineOptions(TrptEngineOptions* options) { engineOptions_->Assign(options); }
    void SetPreviewOptions(TrptPreviewOptions* options) { previewOptions_->Assign(options); }
    void SetPrintOptions(TrptPrintOptions* options) { printOptions_->Assign(options); }
    void SetReportOptions(TrptReportOptions* options) { reportOptions_->Assign(options); }
    rtl::TStringList* ScriptText() const { return scriptText_.get(); }
    // The data sets the report may use, its variables and its style sheet.
    TrptReportDataSets* DataSets() const { return dataSets_.get(); }
    TrptVariables* Variables() const { return variables_.get(); }
    TrptStyles* Styles() const { return styles_.get(); }
    // The data sets user names resolve to when EngineOptions.UseGlobalDataSetList is off.
    TrptReportDataSets* LocalDataSets() const { return localDataSets_.get(); }
    rtl::TStringList& SysVariables() { return sysVariables_; }
    rtl::TStringList& EngineList() { return engineList_; }
    // Made by the installed creation functions; null when none is installed.
    TrptReportScript* Script() const { return script_.get(); }
    TrptCustomEngine* Engine() const { return engine_.get(); }
    TrptCustomPreviewPages* PreviewPages() const { return previewPages_.get(); }

    // The preview the report tells of its preparation: one the application attached, or the preview
    // window's.
    TrptCustomPreview* Preview() const { return preview_; }
    void SetPreview(TrptCustomPreview* preview);
    // The preview window last opened, while it is open.
    TrptPreviewWindow* PreviewForm() const { return previewForm_; }

    // --- published ---

    TrptDataSet* DataSet() const { return dataSet_; }
    // The data set's user name becomes DataSetName.
    void SetDataSet(TrptDataSet* dataSet);
    // The data set's current user name while there is one.
    std::string DataSetName() const;
    // Finds the data set of that user name.
    void SetDataSetName(const std::string& name);
    bool DotMatrixReport() const { return dotMatrixReport_; }
    void SetDotMatrixReport(bool value) { dotMatrixReport_ = value; }
    const std::string& IniFile() const { return iniFile_; }
    void SetIniFile(std::string value) { iniFile_ = std::move(value); }
    bool OldStyleProgress() const { return oldStyleProgress_; }
    void SetOldStyleProgress(bool value) { oldStyleProgress_ = value; }
    const std::string& ScriptLanguage() const { return scriptLanguage_; }
    void SetScriptLanguage(std::string value) { scriptLanguage_ = std::move(value); }
    bool ShowProgress() const { return showProgress_; }
    void SetShowProgress(bool value) { showProgress_ = value; }
    // Whether the report's objects are stored with its window's stored data.
    bool StoreInDFM() const { return storeInDFM_; }
    void SetStoreInDFM(bool value) { storeInDFM_ = value; }

    // The template file last loaded, and the name of the object being processed.
    std::string FileName;
    std::string CurObject;

    TrptReportComponentEvent OnBeforePrint;
    TrptReportComponentEvent OnAfterPrint;
    classes::TNotifyEvent OnBeginDoc;
    classes::TNotifyEvent OnEndDoc;
    TrptGetValueEvent OnGetValue;
    TrptLoadTemplateEvent OnLoadTemplate;
    classes::TNotifyEvent OnPreview;
    TrptProgressEvent OnProgressStart;
    TrptProgressEvent OnProgress;
    TrptProgressEvent OnProgressStop;
    TrptManualBuildEvent OnManualBuild;
    TrptPrintPageEvent OnPrintPage;
    classes::TNotifyEvent OnPrintReport;
    classes::TNotifyEvent OnAfterPrintReport;
    classes::TNotifyEvent OnClosePreview;
    TrptBeforeConnectEvent OnBeforeConnect;
    TrptUserFunctionEvent OnUserFunction;
    // Script procedures.
    std::string OnRunDialogs;
    std::string OnStartReport;
    std::string OnStopReport;
    std::string OnReportPrint;
    // Not published: gets the connection strings that ReportOptions.ConnectionName finds.
    TrptConnectionStringEvent OnConnectionString;

    // Nothing is stored of the objects unless StoreInDFM.
    void GetChildren(const classes::TGetChildProc& proc, classes::TComponent* root) override;
    // A stored component the reader does not find among the ancestors is looked for among the objects.
    void ReadState(classes::TReader& reader) override;
    // "Datasets", "Variables" and "Style"; none when the window's data is written without StoreInDFM.
    void DefineProperties(classes::TFiler& filer) override;

protected:
    // A data set that goes takes its DataSets item along and is no longer DataSet.
    void Notification(classes::TComponent* component, classes::TOperation operation) override;

private:
    friend class TrptCustomPreview;
    friend class TrptPreviewWindow;

    void TimerTick();
    void ReadTemplate(rtl::TStream& stream);
    void LoadAncestor(const std::string& value);
    // A copy of everything this report holds, for the ancestor, read without asking for a password.
    std::unique_ptr<TrptReport> MakeAncestorCopy();
    bool ProgressWindowShown(TrptProgressType progressType) const;
    classes::TComponent* FindAncestor(classes::TReader& reader, const std::string& name);

    std::unique_ptr<TrptReportDataSets> dataSets_;
    std::unique_ptr<TrptVariables> variables_;
    std::unique_ptr<TrptReportScript> script_;
    std::unique_ptr<detail::ReportTimer> timer_;
    std::unique_ptr<TrptEngineOptions> engineOptions_;
    std::unique_ptr<TrptPreviewOptions> previewOptions_;
    std::unique_ptr<TrptPrintOptions> printOptions_;
    std::unique_ptr<TrptReportOptions> reportOptions_;
    std::unique_ptr<rtl::TStringList> scriptText_;
    rtl::TStringList errors_;
    std::unique_ptr<TrptStyles> styles_;
    rtl::TStringList sysVariables_;
    std::unique_ptr<TrptReportDataSets> localDataSets_;
    std::unique_ptr<TrptCustomEngine> engine_;
    std::unique_ptr<TrptCustomPreviewPages> previewPages_;
    rtl::TStringList engineList_;

    TrptCustomPreview* preview_ = nullptr;
    TrptPreviewWindow* previewForm_ = nullptr;
    std::unique_ptr<TrptProgressWindow> progress_;
    bool terminated_ = false;
    bool dotMatrixReport_ = false;
    std::string iniFile_;
    bool oldStyleProgress_ = false;
    std::string scriptLanguage_;
    bool showProgress_ = true;
    bool storeInDFM_ = true;
    TrptDataSet* dataSet_ = nullptr;
    std::string dataSetName_;
    std::string parentReport_;
    std::unique_ptr<TrptReport> parentReportObject_;
    TrptXMLSerializer* currentSerializer_ = nullptr;
    // Set by PrepareReport's reload: the template is kept without asking for its password.
    bool loadingWithoutPassword_ = false;
    // The template files being loaded, outermost first (an ancestor chain).
    std::vector<std::string> loadingFiles_;
};

// The report library's lock: a report in thread-safe mode loads under it.
rtl::TCriticalSection& rptGlobalLock();

}  // namespace report
