// The report's templates: reading and writing them as streams and files, the stored password, the
// ancestor template and the guaranteed data page.
#include "report/rptReport.h"

#include "platform/rtl/Collation.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Streams.h"
#include "report/rptDialogComponent.h"
#include "report/rptPage.h"
#include "report/rptRes.h"

#include <algorithm>

namespace report {

namespace {

// Templates store the password with every character code lowered by 10 (modulo 256).
std::string ShiftedPassword(std::string_view password, int shift)
{
    std::string result(password);
    for (char& c : result)
        c = char(static_cast<unsigned char>(c) + shift);
    return result;
}

// "C:\...", "\\server\..." and (on this system) "/...".
bool IsAbsoluteTemplatePath(std::string_view name)
{
    return (name.size() >= 2 && name[1] == ':') || name.starts_with("\\\\") || name.starts_with('/');
}

std::vector<std::string> PathParts(std::string_view path)
{
    std::vector<std::string> parts;
    std::string part;
    for (const char c : path) {
        if (rtl::IsPathDelimiter(c)) {
            if (!part.empty())
                parts.push_back(std::move(part));
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty())
        parts.push_back(std::move(part));
    return parts;
}

// name as seen from folder: "..\" for each folder up to the one both share, then the rest of name.
std::string RelativePath(std::string_view folder, std::string_view name)
{
    const std::vector<std::string> from = PathParts(folder);
    const std::vector<std::string> to = PathParts(name);
    std::size_t shared = 0;
    while (shared < from.size() && shared + 1 < to.size() && rtl::SameFileName(from[shared], to[shared]))
        ++shared;
    std::string relative;
    for (std::size_t i = shared; i < from.size(); ++i)
        relative += "../";
    for (std::size_t i = shared; i < to.size(); ++i)
        relative += to[i] + (i + 1 < to.size() ? "/" : "");
    return relative;
}


}  // namespace

void TrptReport::LoadFromStream(rtl::TStream& stream)
{
    errors_.Clear();
    // What the application set survives the template; the template may only have its say on these.
    TrptEngineOptions engineOptions;
    engineOptions.Assign(engineOptions_.get());
    TrptPreviewOptions previewOptions;
    previewOptions.Assign(previewOptions_.get());
    const std::string iniFile = iniFile_;
    const bool oldStyleProgress = oldStyleProgress_, showProgress = showProgress_, storeInDFM = storeInDFM_;
    try {
        TrptComponent::LoadFromStream(stream);
    } catch (const std::exception& e) {
        errors_.Add(rptExceptionMessage(e));
    }
    CheckDataPage();

    const bool convertNulls = engineOptions_->ConvertNulls, doublePass = engineOptions_->DoublePass;
    engineOptions_->Assign(&engineOptions);
    engineOptions_->ConvertNulls = convertNulls;
    engineOptions_->DoublePass = doublePass;
    TrptPreviewOptions fromTemplate;
    fromTemplate.Assign(previewOptions_.get());
    previewOptions_->Assign(&previewOptions);
    previewOptions_->OutlineVisible = fromTemplate.OutlineVisible;
    previewOptions_->OutlineWidth = fromTemplate.OutlineWidth;
    previewOptions_->OutlineExpand = fromTemplate.OutlineExpand;
    previewOptions_->PagesInCache = fromTemplate.PagesInCache;
    previewOptions_->ThumbnailVisible = fromTemplate.ThumbnailVisible;
    iniFile_ = iniFile;
    oldStyleProgress_ = oldStyleProgress;
    showProgress_ = showProgress;
    storeInDFM_ = storeInDFM;
    reportOptions_->Password = ShiftedPassword(reportOptions_->Password, 10);

    const bool kept = !reportOptions_->InfoOnly
                   && (loadingWithoutPassword_ || engineOptions_->ThreadSafeMode || reportOptions_->CheckPassword());
    if (!kept)
        Clear();
    else if (errors_.Count() > 0)
        ReportErrors();
}

void TrptReport::SaveToStream(rtl::TStream& stream, bool saveChildren, bool saveDefaultValues, bool forceClassNames)
{
    const std::string password = reportOptions_->Password;
    reportOptions_->SetPreviousPassword(password);
    reportOptions_->Password = ShiftedPassword(password, -10);
    try {
        TrptComponent::SaveToStream(stream, saveChildren, saveDefaultValues, forceClassNames);
    } catch (...) {
        reportOptions_->Password = password;
        throw;
    }
    reportOptions_->Password = password;
}

bool TrptReport::LoadFromFile(const std::string& fileName, bool exceptionIfNotFound)
{
    Clear();
    FileName.clear();
    const bool exists = rtl::FileExists(fileName);
    if (!exists && !exceptionIfNotFound)
        return false;
    rtl::TFileStream stream(fileName, rtl::fmOpenRead | rtl::fmShareDenyWrite);
    FileName = fileName;
    loadingFiles_.push_back(rtl::ExpandFileName(fileName));
    struct Loaded {
        std::vector<std::string>& files;
        ~Loaded() { files.pop_back(); }
    } loaded{loadingFiles_};
    LoadFromStream(stream);
    return exists;
}

void TrptReport::SaveToFile(const std::string& fileName, const rtl::AtomicWriteOptions& options)
{
    const std::string parentReport = parentReport_;
    if (IsAbsoluteTemplatePath(parentReport_))
        parentReport_ = RelativePath(rtl::ExtractFilePath(rtl::ExpandFileName(fileName)), parentReport_);
    rtl::TStringStream text;
    try {
        SaveToStream(text);
    } catch (...) {
        parentReport_ = parentReport;
        throw;
    }
    parentReport_ = parentReport;
    rtl::WriteFileAtomically(fileName, text.DataString(), options);
}

void TrptReport::SetParentReport(const std::string& value)
{
    parentReport_ = value;
    parentReportObject_.reset();
    if (value.empty()) {
        for (TrptComponent* object : AllObjects())
            object->SetFromAncestor(false);
        SetFromAncestor(false);
        return;
    }
    LoadAncestor(value);
}

void TrptReport::LoadAncestor(const std::string& value)
{
    const std::string fileName = FileName;
    TrptXMLSerializer* serializer = currentSerializer_;
    if (OnLoadTemplate) {
        OnLoadTemplate(this, value);
    } else {
        std::string name = value;
        if (value.size() >= 2 && !IsAbsoluteTemplatePath(value)) {
            name = rtl::ExtractFilePath(FileName) + value;
            if (!rtl::FileExists(name))
                name = GetApplicationFolder() + value;
        }
        const std::string expanded = rtl::ExpandFileName(name);
        if (std::any_of(loadingFiles_.begin(), loadingFiles_.end(),
                        [&](const std::string& file) { return rtl::SameFileName(file, expanded); }))
            errors_.Add("Circular ancestor template: " + name);  // read on as without an ancestor
        else
            LoadFromFile(name, false);
    }
    FileName = fileName;
    parentReportObject_ = MakeAncestorCopy();
    for (TrptComponent* object : AllObjects())
        object->SetFromAncestor(true);
    SetFromAncestor(true);
    parentReport_ = value;
    currentSerializer_ = serializer;
}

std::unique_ptr<TrptReport> TrptReport::MakeAncestorCopy()
{
    // The copy is a snapshot: it has no ancestor of its own to load, and no password to ask.
    const std::string parentReport = parentReport_;
    parentReport_.clear();
    rtl::TMemoryStream stream;
    try {
        SaveToStream(stream, true, true, true);
    } catch (...) {
        parentReport_ = parentReport;
        throw;
    }
    parentReport_ = parentReport;
    auto copy = std::make_unique<TrptReport>(nullptr);
    copy->engineOptions_->NewSilentMode = simSilent;
    copy->loadingWithoutPassword_ = true;
    stream.SetPosition(0);
    copy->LoadFromStream(stream);
    return copy;
}

classes::TComponent* TrptReport::LookupAncestorObject(const std::string& name)
{
    if (!parentReportObject_)
        return nullptr;
    if (rtl::AnsiSameText(name, Name()))
        return parentReportObject_.get();
    return parentReportObject_->FindObject(name);
}

void TrptReport::CheckDataPage()
{
    const std::vector<TrptComponent*>& all = AllObjects();
    if (std::any_of(all.begin(), all.end(), [](TrptComponent* object) { return dynamic_cast<TrptDataPage*>(object); }))
        return;
    std::vector<TrptDialogComponent*> strays;
    for (TrptComponent* object : all)
        if (auto* component = dynamic_cast<TrptDialogComponent*>(object))
            strays.push_back(component);
    auto* page = new TrptDataPage(this);
    if (!FindObject("Data") && !FindComponent("Data"))
        page->SetName("Data");
    else
        page->AssignFreeName();
    SetChildOrder(page, 0);
    double left = 60;
    for (TrptDialogComponent* component : strays) {
        component->SetParent(page);
        component->SetTop(20);
        component->SetLeft(left);
        left += 64;
    }
}

}  // namespace report
