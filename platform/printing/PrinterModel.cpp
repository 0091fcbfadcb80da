#include "platform/printing/detail/PrinterModel.h"

#include "platform/printing/detail/Capabilities.h"
#include "platform/printing/detail/PaperCodes.h"
#include "platform/rtl/CodePage.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <mutex>

namespace win {

using namespace detail;

namespace {

template <class Items, class Match>
int IndexWhere(const Items& items, Match match)
{
    const auto found = std::find_if(items.begin(), items.end(), match);
    return found == items.end() ? -1 : static_cast<int>(found - items.begin());
}

struct Models {
    std::mutex lock;
    std::map<std::string, std::shared_ptr<const PrinterModel>> byName;
};

Models& TheModels()
{
    static Models models;
    return models;
}

}  // namespace

int PrinterModel::PaperOfCode(SHORT code) const
{
    return IndexWhere(paperCodes, [code](SHORT c) { return c == code; });
}

int PrinterModel::PaperOfKeyword(const std::string& keyword) const
{
    return IndexWhere(capabilities.papers, [&](const Paper& paper) { return paper.keyword == keyword; });
}

int PrinterModel::SourceOfCode(SHORT code) const
{
    return IndexWhere(sourceCodes, [code](SHORT c) { return c == code; });
}

int PrinterModel::SourceOfKeyword(const std::string& keyword) const
{
    return IndexWhere(capabilities.sources, [&](const PaperSource& source) { return source.keyword == keyword; });
}

PrinterModel detail::MakePrinterModel(const std::string& name, PrinterCapabilities capabilities, PrinterDefaults defaults)
{
    const std::string corrected = SanitizeCapabilities(capabilities);
    if (!corrected.empty()) {
        std::fprintf(stderr, "printer %s: %s\n", rtl::AnsiToUtf8(name).c_str(), corrected.c_str());
    }
    SanitizeDefaults(capabilities, defaults);
    PrinterModel model;
    model.name = name;
    model.paperCodes = PaperCodes(capabilities.papers);
    model.sourceCodes = SourceCodes(capabilities.sources);
    model.capabilities = std::move(capabilities);
    model.defaults = std::move(defaults);
    return model;
}

std::shared_ptr<const PrinterModel> detail::FindPrinterModel(const std::string& printer)
{
    Models& models = TheModels();
    {
        std::lock_guard guard(models.lock);
        const auto found = models.byName.find(printer);
        if (found != models.byName.end()) {
            return found->second;
        }
    }
    PrintBackend* backend = GetPrintBackend();
    if (!backend) {
        throw EPrintError("There is no printer named \"" + printer + "\"", ERROR_INVALID_PRINTER_NAME);
    }
    // Asked without the lock: a printing system may take its time to answer.
    PrinterCapabilities capabilities = backend->Capabilities(printer);
    PrinterDefaults defaults = backend->Defaults(printer);
    auto model = std::make_shared<const PrinterModel>(MakePrinterModel(printer, std::move(capabilities), std::move(defaults)));
    std::lock_guard guard(models.lock);
    return models.byName.emplace(printer, std::move(model)).first->second;
}

void detail::ForgetPrinterModels()
{
    Models& models = TheModels();
    std::lock_guard guard(models.lock);
    models.byName.clear();
}

}  // namespace win
