#pragma once
// The four option objects of a report: how the engine runs, how the preview looks, how printing works,
// and what the report says about itself. They are stored with the report and replaced only by copying.

#include "platform/classes/Persistent.h"
#include "platform/classes/Reflection.h"
#include "platform/rtl/StringList.h"

#include <cstdint>
#include <memory>
#include <string>

namespace gui {
class TPicture;
}

namespace rtl {
class TThread;
}

namespace report {

class TrptReport;

// How errors are reported: a message box, nothing, or an exception.
enum TrptSilentMode { simMessageBoxes, simSilent, simReThrow };
const classes::TTypeInfo& SilentModeType();

enum TrptPreviewButton {
    pbPrint, pbLoad, pbSave, pbExport, pbZoom, pbFind, pbOutline, pbPageSetup, pbTools, pbEdit, pbNavigator,
    pbExportQuick, pbNoClose, pbNoFullScreen, pbNoEmail
};
using TrptPreviewButtons = std::uint16_t;  // bit 1 << TrptPreviewButton
const classes::TTypeInfo& PreviewButtonsType();
// pbPrint to pbExportQuick.
constexpr TrptPreviewButtons kDefaultPreviewButtons = 4095;

enum TrptZoomMode { zmDefault, zmWholePage, zmPageWidth, zmManyPages };
const classes::TTypeInfo& ZoomModeType();
enum TrptPrintMode { pmDefault, pmSplit, pmJoin, pmScale };
const classes::TTypeInfo& PrintModeType();
enum TrptPrintPages { ppAll, ppOdd, ppEven };
const classes::TTypeInfo& PrintPagesType();

class TrptEngineOptions : public classes::TPersistent {
public:
    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // Copies the published options of another engine options object; anything else is ignored.
    void Assign(const classes::TPersistent* source) override;
    // ConvertNulls true, DoublePass false.
    void Clear();

    // The older form of NewSilentMode: true exactly for simSilent; setting it chooses simSilent or
    // simMessageBoxes.
    bool SilentMode() const { return NewSilentMode == simSilent; }
    void SetSilentMode(bool silent) { NewSilentMode = silent ? simSilent : simMessageBoxes; }

    bool ConvertNulls = true;
    bool DoublePass = false;
    std::int32_t MaxMemSize = 10;
    bool PrintIfEmpty = true;
    TrptSilentMode NewSilentMode = simMessageBoxes;
    std::string TempDir;
    bool UseFileCache = false;
    // Not published.
    bool DestroyForms = true;
    bool ThreadSafeMode = false;
    bool UseGlobalDataSetList = true;
    rtl::TThread* WorkerThread = nullptr;
};

class TrptPreviewOptions : public classes::TPersistent {
public:
    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // Copies every option of another preview options object; anything else is ignored.
    void Assign(const classes::TPersistent* source) override;
    // The outline and the thumbnails as they start, and the page cache.
    void Clear();

    bool AllowEdit = true;
    TrptPreviewButtons Buttons = kDefaultPreviewButtons;
    bool DoubleBuffered = true;
    bool Maximized = true;
    bool MDIChild = false;
    bool Modal = true;
    bool OutlineExpand = true;
    bool OutlineVisible = false;
    std::int32_t OutlineWidth = 120;
    std::int32_t PagesInCache = 50;
    bool ShowCaptions = false;
    bool ThumbnailVisible = false;
    double Zoom = 1.0;
    TrptZoomMode ZoomMode = zmDefault;
    bool PictureCacheInFile = false;
    // Not published.
    bool RightToLeft = false;
};

class TrptPrintOptions : public classes::TPersistent {
public:
    // Printer is the string table's "prDefault".
    TrptPrintOptions();

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // Copies the published options of another print options object; anything else is ignored.
    void Assign(const classes::TPersistent* source) override;
    // Every option as it starts.
    void Clear();

    std::int32_t Copies = 1;
    bool Collate = true;
    std::string PageNumbers;
    std::string Printer;
    TrptPrintMode PrintMode = pmDefault;
    std::int32_t PrintOnSheet = 0;
    TrptPrintPages PrintPages = ppAll;
    bool Reverse = false;
    bool ShowDialog = true;
    // Not published.
    std::int32_t SheetPageCount = 0;
};

class TrptReportOptions : public classes::TPersistent {
public:
    // report: the owning report, whose errors and events the options use (may be null).
    explicit TrptReportOptions(TrptReport* report = nullptr);
    ~TrptReportOptions() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // Copies the published options of another report options object (the connection name without its
    // look-up); anything else is ignored.
    void Assign(const classes::TPersistent* source) override;
    // Empties the connection, initialisation string, name and passwords; unless InfoOnly also the
    // author, description, picture and version and makes the dates the current time.
    void Clear();
    // True for an empty password or the one accepted before; otherwise asks for it in the password
    // window. A wrong or cancelled one adds "Invalid password" to the report's errors, reports them and
    // gives false.
    bool CheckPassword();

    const std::string& ConnectionName() const { return connectionName_; }
    // Stores the name; a name given while the report has OnConnectionString is looked up in the
    // registry's connection keys, and every string found goes to the event.
    void SetConnectionName(const std::string& name);
    // The password last accepted; a template saved with the current one is not asked for it again.
    const std::string& PreviousPassword() const { return previousPassword_; }
    void SetPreviousPassword(std::string password) { previousPassword_ = std::move(password); }
    rtl::TStringList* Description() const { return description_.get(); }
    gui::TPicture* Picture() const { return picture_.get(); }
    void SetPicture(gui::TPicture* picture);
    TrptReport* Report() const { return report_; }

    std::string Author;
    bool Compressed = false;
    double CreateDate = 0;
    std::string InitString;
    std::string Name;
    double LastChange = 0;
    std::string Password;
    std::string VersionBuild;
    std::string VersionMajor;
    std::string VersionMinor;
    std::string VersionRelease;
    // Not published: the report is loaded only for its information.
    bool InfoOnly = false;

private:
    TrptReport* report_;
    std::string connectionName_;
    std::unique_ptr<rtl::TStringList> description_;
    std::unique_ptr<gui::TPicture> picture_;
    std::string previousPassword_;
};

}  // namespace report
