#include "report/rptReportOptions.h"

#include "platform/gui/graphics/Picture.h"
#include "platform/registry/Registry.h"
#include "platform/rtl/Clock.h"
#include "report/rptReport.h"
#include "report/rptRes.h"
#include "report/rptWindows.h"

#include <array>

namespace report {

namespace {

constexpr const char* kConnectionsKey = "\\Software\\Zazi Zazarev\\Connections";

}  // namespace

const classes::TTypeInfo& SilentModeType()
{
    static const classes::TTypeInfo type =
        classes::EnumType("TrptSilentMode", {"simMessageBoxes", "simSilent", "simReThrow"});
    return type;
}

const classes::TTypeInfo& PreviewButtonsType()
{
    static const classes::TTypeInfo element = classes::EnumType(
        "TrptPreviewButton", {"pbPrint", "pbLoad", "pbSave", "pbExport", "pbZoom", "pbFind", "pbOutline",
                              "pbPageSetup", "pbTools", "pbEdit", "pbNavigator", "pbExportQuick", "pbNoClose",
                              "pbNoFullScreen", "pbNoEmail"});
    static const classes::TTypeInfo type = classes::SetType("TrptPreviewButtons", element);
    return type;
}

const classes::TTypeInfo& ZoomModeType()
{
    static const classes::TTypeInfo type =
        classes::EnumType("TrptZoomMode", {"zmDefault", "zmWholePage", "zmPageWidth", "zmManyPages"});
    return type;
}

const classes::TTypeInfo& PrintModeType()
{
    static const classes::TTypeInfo type =
        classes::EnumType("TrptPrintMode", {"pmDefault", "pmSplit", "pmJoin", "pmScale"});
    return type;
}

const classes::TTypeInfo& PrintPagesType()
{
    static const classes::TTypeInfo type = classes::EnumType("TrptPrintPages", {"ppAll", "ppOdd", "ppEven"});
    return type;
}

// --- engine options ---

const classes::TClassInfo& TrptEngineOptions::StaticClass()
{
    using O = TrptEngineOptions;
    static const classes::TClassInfo info("TrptEngineOptions", &classes::TPersistent::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<O>(c)
            .Property("ConvertNulls", &O::ConvertNulls).Default(1)
            .Property("DoublePass", &O::DoublePass).Default(0)
            .Property("MaxMemSize", &O::MaxMemSize).Default(10)
            .Property("PrintIfEmpty", &O::PrintIfEmpty).Default(1)
            .Property("SilentMode", &O::SilentMode, &O::SetSilentMode).Default(0)
            .Property("NewSilentMode", SilentModeType(), &O::NewSilentMode).Default(simMessageBoxes)
            .Property("TempDir", &O::TempDir)
            .Property("UseFileCache", &O::UseFileCache).Default(0);
    });
    return info;
}

void TrptEngineOptions::Assign(const classes::TPersistent* source)
{
    const auto* options = dynamic_cast<const TrptEngineOptions*>(source);
    if (!options)
        return;
    ConvertNulls = options->ConvertNulls;
    DoublePass = options->DoublePass;
    MaxMemSize = options->MaxMemSize;
    PrintIfEmpty = options->PrintIfEmpty;
    NewSilentMode = options->NewSilentMode;
    TempDir = options->TempDir;
    UseFileCache = options->UseFileCache;
}

void TrptEngineOptions::Clear()
{
    ConvertNulls = true;
    DoublePass = false;
}

// --- preview options ---

const classes::TClassInfo& TrptPreviewOptions::StaticClass()
{
    using O = TrptPreviewOptions;
    static const classes::TClassInfo info("TrptPreviewOptions", &classes::TPersistent::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<O>(c)
            .Property("AllowEdit", &O::AllowEdit).Default(1)
            .Property("Buttons", PreviewButtonsType(), &O::Buttons).Default(kDefaultPreviewButtons)
            .Property("DoubleBuffered", &O::DoubleBuffered).Default(1)
            .Property("Maximized", &O::Maximized).Default(1)
            .Property("MDIChild", &O::MDIChild).Default(0)
            .Property("Modal", &O::Modal).Default(1)
            .Property("OutlineExpand", &O::OutlineExpand).Default(1)
            .Property("OutlineVisible", &O::OutlineVisible).Default(0)
            .Property("OutlineWidth", &O::OutlineWidth).Default(120)
            .Property("PagesInCache", &O::PagesInCache).Default(50)
            .Property("ShowCaptions", &O::ShowCaptions).Default(0)
            .Property("ThumbnailVisible", &O::ThumbnailVisible).Default(0)
            .Property("Zoom", &O::Zoom)
            .Property("ZoomMode", ZoomModeType(), &O::ZoomMode).Default(zmDefault)
            .Property("PictureCacheInFile", &O::PictureCacheInFile).Default(0);
    });
    return info;
}

void TrptPreviewOptions::Assign(const classes::TPersistent* source)
{
    const auto* options = dynamic_cast<const TrptPreviewOptions*>(source);
    if (!options)
        return;
    AllowEdit = options->AllowEdit;
    Buttons = options->Buttons;
    DoubleBuffered = options->DoubleBuffered;
    Maximized = options->Maximized;
    MDIChild = options->MDIChild;
    Modal = options->Modal;
    OutlineExpand = options->OutlineExpand;
    OutlineVisible = options->OutlineVisible;
    OutlineWidth = options->OutlineWidth;
    PagesInCache = options->PagesInCache;
    ShowCaptions = options->ShowCaptions;
    ThumbnailVisible = options->ThumbnailVisible;
    Zoom = options->Zoom;
    ZoomMode = options->ZoomMode;
    PictureCacheInFile = options->PictureCacheInFile;
    RightToLeft = options->RightToLeft;
}

void TrptPreviewOptions::Clear()
{
    OutlineExpand = true;
    OutlineVisible = false;
    OutlineWidth = 120;
    PagesInCache = 50;
    ThumbnailVisible = false;
}

// --- print options ---

TrptPrintOptions::TrptPrintOptions()
{
    Clear();
}

const classes::TClassInfo& TrptPrintOptions::StaticClass()
{
    using O = TrptPrintOptions;
    static const classes::TClassInfo info("TrptPrintOptions", &classes::TPersistent::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<O>(c)
            .Property("Copies", &O::Copies).Default(1)
            .Property("Collate", &O::Collate).Default(1)
            .Property("PageNumbers", &O::PageNumbers)
            .Property("Printer", &O::Printer)
            .Property("PrintMode", PrintModeType(), &O::PrintMode).Default(pmDefault)
            .Property("PrintOnSheet", &O::PrintOnSheet).Default(0)
            .Property("PrintPages", PrintPagesType(), &O::PrintPages).Default(ppAll)
            .Property("Reverse", &O::Reverse).Default(0)
            .Property("ShowDialog", &O::ShowDialog).Default(1);
    });
    return info;
}

void TrptPrintOptions::Assign(const classes::TPersistent* source)
{
    const auto* options = dynamic_cast<const TrptPrintOptions*>(source);
    if (!options)
        return;
    Copies = options->Copies;
    Collate = options->Collate;
    PageNumbers = options->PageNumbers;
    Printer = options->Printer;
    PrintMode = options->PrintMode;
    PrintOnSheet = options->PrintOnSheet;
    PrintPages = options->PrintPages;
    Reverse = options->Reverse;
    ShowDialog = options->ShowDialog;
}

void TrptPrintOptions::Clear()
{
    Copies = 1;
    Collate = true;
    PageNumbers.clear();
    Printer = rptGetResources().Get("prDefault");
    PrintMode = pmDefault;
    PrintOnSheet = 0;
    PrintPages = ppAll;
    Reverse = false;
    ShowDialog = true;
    SheetPageCount = 0;
}

// --- report options ---

TrptReportOptions::TrptReportOptions(TrptReport* report)
    : report_(report), description_(std::make_unique<rtl::TStringList>()),
      picture_(std::make_unique<gui::TPicture>(this))
{
    CreateDate = LastChange = rtl::Now();
}

TrptReportOptions::~TrptReportOptions() = default;

const classes::TClassInfo& TrptReportOptions::StaticClass()
{
    using O = TrptReportOptions;
    static const classes::TClassInfo info("TrptReportOptions", &classes::TPersistent::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<O>(c)
            .Property("Author", &O::Author)
            .Property("Compressed", &O::Compressed).Default(0)
            .Property("ConnectionName", &O::ConnectionName, &O::SetConnectionName)
            .Property("CreateDate", classes::DateTimeType(), &O::CreateDate)
            .Property("Description", &O::Description)
            .Property("InitString", &O::InitString)
            .Property("Name", &O::Name)
            .Property("LastChange", classes::DateTimeType(), &O::LastChange)
            .Property("Password", &O::Password)
            .Property("Picture", &O::Picture, &O::SetPicture)
            .Property("VersionBuild", &O::VersionBuild)
            .Property("VersionMajor", &O::VersionMajor)
            .Property("VersionMinor", &O::VersionMinor)
            .Property("VersionRelease", &O::VersionRelease);
    });
    return info;
}

void TrptReportOptions::Assign(const classes::TPersistent* source)
{
    const auto* options = dynamic_cast<const TrptReportOptions*>(source);
    if (!options || options == this)
        return;
    Author = options->Author;
    Compressed = options->Compressed;
    connectionName_ = options->connectionName_;
    CreateDate = options->CreateDate;
    description_->Assign(*options->description_);
    InitString = options->InitString;
    Name = options->Name;
    LastChange = options->LastChange;
    Password = options->Password;
    picture_->Assign(options->picture_.get());
    VersionBuild = options->VersionBuild;
    VersionMajor = options->VersionMajor;
    VersionMinor = options->VersionMinor;
    VersionRelease = options->VersionRelease;
}

void TrptReportOptions::Clear()
{
    if (!InfoOnly) {
        Author.clear();
        Compressed = false;
        CreateDate = LastChange = rtl::Now();
        description_->Clear();
        picture_->Assign(nullptr);
        VersionBuild.clear();
        VersionMajor.clear();
        VersionMinor.clear();
        VersionRelease.clear();
    }
    connectionName_.clear();
    InitString.clear();
    Name.clear();
    Password.clear();
    previousPassword_.clear();
}

void TrptReportOptions::SetPicture(gui::TPicture* picture)
{
    picture_->Assign(picture);
}

bool TrptReportOptions::CheckPassword()
{
    if (Password.empty() || Password == previousPassword_)
        return true;
    std::string entered;
    const std::unique_ptr<TrptPasswordWindow> window = CreatePasswordWindow();
    if (window && window->Execute(entered) && entered == Password) {
        previousPassword_ = Password;
        return true;
    }
    if (report_) {
        report_->Errors().Add(rptGetResources().Get("Invalid password"));
        report_->ReportErrors();
    }
    return false;
}

void TrptReportOptions::SetConnectionName(const std::string& name)
{
    connectionName_ = name;
    if (name.empty() || !report_ || !report_->OnConnectionString)
        return;
    const std::array<std::pair<win::HKEY, std::string>, 4> keys = {{
        {win::HKEY_LOCAL_MACHINE, kConnectionsKey},
        {win::HKEY_CURRENT_USER, kConnectionsKey},
        {win::HKEY_LOCAL_MACHINE, std::string(kConnectionsKey) + "VIZ"},
        {win::HKEY_CURRENT_USER, std::string(kConnectionsKey) + "VIZ"},
    }};
    for (const auto& [root, key] : keys) {
        win::TRegistry registry;
        registry.SetRootKey(root);
        if (!registry.OpenKeyReadOnly(key))
            continue;
        const win::TRegDataType type = registry.GetDataType(name);
        if (type != win::rdString && type != win::rdExpandString)
            continue;
        const std::string value = registry.ReadString(name);
        if (!value.empty())
            report_->OnConnectionString(value);
    }
}

}  // namespace report
