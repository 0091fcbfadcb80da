#include "report/rptCustomPreviewPages.h"

#include "report/detail/FactorySlot.h"

namespace report {

namespace {

detail::FactorySlot<TrptPreviewPagesFactory>& PreviewPagesFactory()
{
    static detail::FactorySlot<TrptPreviewPagesFactory> slot;
    return slot;
}

}  // namespace

void SetPreviewPagesFactory(TrptPreviewPagesFactory factory)
{
    PreviewPagesFactory().Set(std::move(factory));
}

std::unique_ptr<TrptCustomPreviewPages> CreatePreviewPages(TrptReport& report)
{
    const TrptPreviewPagesFactory factory = PreviewPagesFactory().Get();
    return factory ? factory(report) : nullptr;
}

}  // namespace report
