#include "report/rptRes.h"

#include "platform/classes/Persistent.h"
#include "platform/classes/Resources.h"
#include "platform/rtl/Charsets.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/Collation.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Numbers.h"
#include "platform/rtl/StringUtils.h"
#include "platform/services/Modules.h"
#include "report/detail/Units.h"
#include "report/rptReportScript.h"
#include "report/rptUtils.h"
#include "report/rptXML.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

namespace report {

namespace {

constexpr std::string_view kStringTable = "REPORTSTRINGS";
constexpr win::UINT HH_DISPLAY_TOC = 1;
using HtmlHelpProc = win::HWND (*)(win::HWND caller, const char* file, win::UINT command, std::uintptr_t data);

// The help pages of the library's windows.
constexpr std::pair<std::string_view, std::string_view> kHelpTopics[] = {
    {"TrptDesignerForm", "Designer.htm"},
    {"TrptOptionsEditor", "Designer_options.htm"},
    {"TrptReportEditorForm", "Report_options.htm"},
    {"TrptPageEditorForm", "Page_options.htm"},
    {"TrptCrossEditorForm", "Cross_tab_reports.htm"},
    {"TrptChartEditorForm", "Diagrams.htm"},
    {"TrptSyntaxMemo", "Script.htm"},
    {"TrptDialogPage", "Dialogue_forms.htm"},
    {"TrptDialogComponent", "Data_access_components.htm"},
    {"TrptVarEditorForm", "Variables.htm"},
    {"TrptHighlightEditorForm", "Conditional_highlighting.htm"},
    {"TrptSysMemoEditorForm", "Inserting_aggregate_function.htm"},
    {"TrptFormatEditorForm", "Values_formatting.htm"},
    {"TrptGroupEditorForm", "Report_with_groups.htm"},
    {"TrptPictureEditorForm", "Picture_object.htm"},
    {"TrptMemoEditorForm", "Text_object.htm"},
    {"TrptSQLEditorForm", "TrptADOQuery.htm"},
};

// XML files beside the program that are no languages.
constexpr std::string_view kNotLanguages[] = {"wizstyle.xml", "users.xml", "config.xml", "schedule.xml"};

struct ResourcesData {
    std::mutex mutex;
    std::unique_ptr<TrptResources> resources;
    win::HMODULE htmlHelpModule = nullptr;
    HtmlHelpProc htmlHelp = nullptr;
};

ResourcesData& ResourcesState()
{
    static ResourcesData state;
    return state;
}

}  // namespace

TrptResources::TrptResources()
{
    names_.SetSorted(true);
    languageNames_.SetSorted(true);
    BuildLanguagesList();
}

std::string TrptResources::Get(std::string_view name) const
{
    int index;
    std::string text = names_.Find(std::string(name), index)
        ? rptWideToMultiByte(values_.Strings(int(reinterpret_cast<std::intptr_t>(names_.Objects(index)))),
                             rtl::DEFAULT_CHARSET, codePage_)
        : std::string(name);
    if (!text.empty() && text.front() == '!')
        text.erase(0, 1);
    return text;
}

void TrptResources::Add(const std::string& name, const std::u16string& text)
{
    int index;
    if (names_.Find(name, index)) {
        values_.SetStrings(int(reinterpret_cast<std::intptr_t>(names_.Objects(index))), text);
        return;
    }
    names_.AddObject(name, reinterpret_cast<void*>(std::intptr_t(values_.Add(text))));
}

void TrptResources::AddStrings(std::string_view xml)
{
    rtl::TStringStream stream{std::string(xml)};
    LoadFromStream(stream);
}

void TrptResources::LoadFromStream(rtl::TStream& stream)
{
    TrptXMLDocument document;
    document.LoadFromStream(stream);
    const TrptXMLItem& root = document.Root();
    if (root.Name() == "Resources") {
        const std::string codePageText = root.Prop("CodePage");
        int codePage = 0;
        if (!rtl::TryStrToInt(codePageText, codePage) || !rtl::IsSupportedCodePage(codePage))
            throw rtl::EConvertError("The string table's code page \"" + codePageText + "\" is not supported");
        std::vector<std::pair<std::string, std::u16string>> entries;
        for (int i = 0; i < root.Count(); ++i) {
            const TrptXMLItem& item = root.Items(i);
            if (item.Name() == "StrRes")
                entries.emplace_back(item.Prop("Name"), rtl::Utf8ToWide(XMLToStr(item.Prop("Text"))));
        }
        codePage_ = codePage;
        for (const auto& [name, text] : entries)
            Add(name, text);
    }
    PushScriptMessages();
}

void TrptResources::PushScriptMessages() const
{
    TrptScriptMessages messages;
    for (std::size_t i = 0; i < messages.size(); ++i)
        messages[i] = Get(kScriptMessageNames[i]);
    SetScriptMessages(messages);
}

void TrptResources::BuildLanguagesList()
{
    languageNames_.Clear();
    rtl::TSearchRec found;
    for (int result = rtl::FindFirst(rptGetAppPath() + "*.xml", rtl::faAnyFile, found); result == 0;
         result = rtl::FindNext(found)) {
        std::string name = rtl::AnsiLowerCase(found.Name);
        if (std::find(std::begin(kNotLanguages), std::end(kNotLanguages), name) != std::end(kNotLanguages))
            continue;
        name[0] = rtl::AnsiUpperChar(name[0]);
        languageNames_.Add(name.substr(0, name.size() - 4));
    }
    rtl::FindClose(found);
}

void TrptResources::ShowHelp(const classes::TObject* form) const
{
    std::string topic;
    if (form)
        for (const auto& [className, page] : kHelpTopics)
            if (rtl::AnsiSameText(form->ClassName(), className))
                topic += "::/" + std::string(page);
    rptDisplayHHelp(nullptr, rptGetAppPath() + helpFileName_ + topic);
}

TrptResources& rptGetResources()
{
    ResourcesData& state = ResourcesState();
    std::lock_guard lock(state.mutex);
    if (!state.resources)
        state.resources = std::make_unique<TrptResources>();
    return *state.resources;
}

std::string rptGetResourceById(int id)
{
    return rptGetResources().Get(std::to_string(id));
}

void rptDisplayHHelp(win::HWND window, const std::string& path)
{
    HtmlHelpProc htmlHelp;
    {
        ResourcesData& state = ResourcesState();
        std::lock_guard lock(state.mutex);
        htmlHelp = state.htmlHelp;
    }
    if (htmlHelp)
        htmlHelp(window, path.c_str(), HH_DISPLAY_TOC, 0);
}

namespace detail {

void InitializeResources()
{
    ResourcesData& state = ResourcesState();
    {
        std::lock_guard lock(state.mutex);
        state.htmlHelpModule = win::LoadLibrary("HHCtrl.OCX");
        state.htmlHelp = state.htmlHelpModule
            ? reinterpret_cast<HtmlHelpProc>(win::GetProcAddress(state.htmlHelpModule, "HtmlHelpA"))
            : nullptr;
    }
    classes::TResourceStream table(kStringTable, classes::RT_RCDATA);
    rptGetResources().LoadFromStream(table);
}

void FinalizeResources()
{
    ResourcesData& state = ResourcesState();
    std::lock_guard lock(state.mutex);
    state.resources.reset();
    if (state.htmlHelpModule)
        win::FreeLibrary(state.htmlHelpModule);
    state.htmlHelpModule = nullptr;
    state.htmlHelp = nullptr;
}

}  // namespace detail

}  // namespace report
