#include "report/rptView.h"

namespace report {

const classes::TTypeInfo& AlignType()
{
    static const classes::TTypeInfo type =
        classes::EnumType("TrptAlign", {"baNone", "baLeft", "baRight", "baCenter", "baWidth", "baBottom", "baClient"});
    return type;
}

TrptView::TrptView(classes::TComponent* owner) : TrptReportComponent(owner)
{
    SetPreparedFlags(PreparedFlags() | 1 << pfWhole);
}

const classes::TClassInfo& TrptView::StaticClass()
{
    static const classes::TClassInfo info("TrptView", &TrptReportComponent::StaticClass());
    return info;
}

}  // namespace report
