#include "report/rptDialogComponent.h"

#include "platform/classes/ComponentReader.h"
#include "platform/classes/ComponentWriter.h"
#include "platform/rtl/Numbers.h"

namespace report {

namespace {

constexpr double kSize = 28;

}  // namespace

TrptDialogComponent::TrptDialogComponent(classes::TComponent* owner) : TrptReportComponent(owner)
{
    SetPreparedFlags(PreparedFlags() & ~(1 << pfKeep));
    SetWidth(kSize);
    SetHeight(kSize);
}

TrptDialogComponent::~TrptDialogComponent() = default;

const classes::TClassInfo& TrptDialogComponent::StaticClass()
{
    static const classes::TClassInfo info("TrptDialogComponent", &TrptReportComponent::StaticClass());
    return info;
}

void TrptDialogComponent::DefineProperties(classes::TFiler& filer)
{
    TrptReportComponent::DefineProperties(filer);
    if (!OwningReport())
        return;
    filer.DefineProperty(
        "pLeft", [this](classes::TReader& reader) { SetLeft(double(reader.ReadInteger())); },
        [this](classes::TWriter& writer) { writer.WriteInteger(rtl::Round(Left())); }, true);
    filer.DefineProperty(
        "pTop", [this](classes::TReader& reader) { SetTop(double(reader.ReadInteger())); },
        [this](classes::TWriter& writer) { writer.WriteInteger(rtl::Round(Top())); }, true);
}

}  // namespace report
