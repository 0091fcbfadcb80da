// Feeds arbitrary bytes to the report's template loader (or, when the first byte is 1, to the loader of
// its style sheet, with the rest), in silent mode, with every class a template may name registered and a
// class holding every kind of property. No input may raise or crash; what the load made, saved and
// loaded again, adds no error.
#include "report/Report.h"
#include "report/rptDataSet.h"
#include "report/rptReport.h"
#include "report/rptStyles.h"
#include "tests/report/TemplateSupport.h"
#include "tests/support/GuiLibraries.h"
#include "tools/rescomp/ProgramResources.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

void Expect(bool condition)
{
    if (!condition)
        std::abort();
}

// Ancestors are not looked for on disk: the report inherits nothing.
struct NoAncestors {
    void Load(report::TrptReport*, const std::string&) {}
} noAncestors;

std::unique_ptr<report::TrptReport> NewReport()
{
    auto made = std::make_unique<report::TrptReport>(nullptr);
    made->EngineOptions()->NewSilentMode = report::simSilent;
    made->OnLoadTemplate = rtl::MethodOf<&NoAncestors::Load>(&noAncestors);
    return made;
}

bool Start()
{
    testsupport::StartGuiLibraries();
    resources::initialize();
    report::initialize();
    report_test::RegisterTemplateClasses();
    classes::RegisterClasses({&report::TrptPage::StaticClass(), &report::TrptDialogComponent::StaticClass(),
                              &report::TrptDataSet::StaticClass(), &report::TrptCustomDBDataSet::StaticClass(),
                              &report::TrptCustomDatabase::StaticClass()});
    return true;
}

void Template(const std::string& input)
{
    auto first = NewReport();
    report_test::LoadTemplate(*first, input);
    const std::string saved = report_test::SavedTemplate(*first);
    auto second = NewReport();
    report_test::LoadTemplate(*second, saved);
    Expect(second->Errors().Count() == 0);
}

void StyleSheet(const std::string& input)
{
    auto first = NewReport();
    rtl::TStringStream in(input);
    first->Styles()->LoadFromStream(in);
    rtl::TStringStream saved;
    first->Styles()->SaveToStream(saved);
    auto second = NewReport();
    saved.SetPosition(0);
    second->Styles()->LoadFromStream(saved);
    Expect(second->Errors().Count() == 0 && second->Styles()->Count() == first->Styles()->Count());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool started = Start();
    (void)started;
    const std::string input(reinterpret_cast<const char*>(data), size);
    if (!input.empty() && input[0] == '\x01')
        StyleSheet(input.substr(1));
    else
        Template(input);
    return 0;
}
