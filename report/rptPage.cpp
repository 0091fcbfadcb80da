#include "report/rptPage.h"

#include "platform/gui/graphics/Font.h"
#include "report/rptRes.h"

namespace report {

const classes::TClassInfo& TrptPage::StaticClass()
{
    static const classes::TClassInfo info("TrptPage", &TrptComponent::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TrptPage>(c)
            .Property("Font", &TrptPage::Font, &TrptPage::SetFont)
            .Stored(&TrptPage::IsFontStored)
            .Property("Visible", &TrptPage::Visible, &TrptPage::SetVisible)
            .Default(1);
    });
    return info;
}

TrptDataPage::TrptDataPage(classes::TComponent* owner) : TrptPage(owner)
{
    SetWidth(1000);
    SetHeight(1000);
}

const classes::TClassInfo& TrptDataPage::StaticClass()
{
    static const classes::TClassInfo info("TrptDataPage", &TrptPage::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TrptDataPage>(c)
            .Property("Left", &TrptDataPage::Left, &TrptDataPage::SetLeft)
            .Property("Top", &TrptDataPage::Top, &TrptDataPage::SetTop)
            .Property("Width", &TrptDataPage::Width, &TrptDataPage::SetWidth)
            .Property("Height", &TrptDataPage::Height, &TrptDataPage::SetHeight);
    });
    return info;
}

std::string TrptDataPage::GetTypeName() const
{
    return rptGetResources().Get("obDataPage");
}

}  // namespace report
