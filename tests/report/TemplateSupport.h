#pragma once
// Objects for the tests of templates: a view that publishes a property of every kind the serializer
// knows (with a sub-object, a string list and a reference), the classes a template may name, and a
// report filled as the golden template holds it.

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Reflection.h"
#include "platform/gui/graphics/Font.h"
#include "platform/rtl/Numbers.h"
#include "report/rptDataSet.h"
#include "report/rptFrame.h"
#include "report/rptPage.h"
#include "report/rptReport.h"
#include "report/rptView.h"
#include "tests/report/TreeSupport.h"

#include <memory>
#include <string>

namespace report_test {

enum TTestShade { tsLight, tsDark, tsClear };

inline const classes::TTypeInfo& TestShadeType()
{
    static const classes::TTypeInfo type = classes::EnumType("TTestShade", {"tsLight", "tsDark", "tsClear"});
    return type;
}

// A set of four elements (bits 1, 2, 4, 8).
inline const classes::TTypeInfo& TestSidesType()
{
    static const classes::TTypeInfo element = classes::EnumType("TTestSide", {"sdNorth", "sdEast", "sdSouth", "sdWest"});
    static const classes::TTypeInfo type = classes::SetType("TTestSides", element);
    return type;
}

class TrptKindsView : public report::TrptView {
public:
    using TrptView::TrptView;

    static const classes::TClassInfo& StaticClass()
    {
        using V = TrptKindsView;
        static const classes::TClassInfo info("TrptKindsView", &report::TrptView::StaticClass(), [](classes::TClassInfo& c) {
            classes::ClassBuilder<V>(c)
                .Property("Left", &V::Left, &V::SetLeft)
                .Property("Top", &V::Top, &V::SetTop)
                .Property("Width", &V::Width, &V::SetWidth)
                .Property("Height", &V::Height, &V::SetHeight)
                .Property("Font", &V::Font, &V::SetFont).Stored(&V::IsFontStored)
                .Property("ParentFont", &V::ParentFont, &V::SetParentFont).Default(1)
                .Property("Count", &V::Count).Default(0)
                .Property("Level", &V::Level).Default(0)
                .Property("Letter", &V::Letter).Default(0)
                .Property("WideLetter", &V::WideLetter).Default(0)
                .Property("Shade", TestShadeType(), &V::Shade).Default(tsLight)
                .Property("Active", &V::Active).Default(0)
                .Property("Sides", TestSidesType(), &V::Sides).Default(0)
                .Property("Ratio", &V::Ratio)
                .Property("Scale", &V::Scale)
                .Property("Price", &V::Price)
                .Property("Stamp", classes::DateTimeType(), &V::Stamp)
                .Property("Big", &V::Big).Default(0)
                .Property("Caption", &V::Caption)
                .Property("WideCaption", &V::WideCaption)
                .Property("Extra", &V::Extra)
                .Property("Fill", gui::ColorType(), &V::Fill)
                .Property("Frame", &V::Frame, &V::SetFrame)
                .Property("Lines", &V::Lines)
                .Property("Link", &V::Link, &V::SetLink);
        });
        return info;
    }
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    void Draw(gui::TCanvas*, double, double, double, double) override {}

    report::TrptFrame* Frame() const { return frame_.get(); }
    void SetFrame(report::TrptFrame* frame) { frame_->Assign(frame); }
    rtl::TStringList* Lines() const { return lines_.get(); }
    report::TrptComponent* Link() const { return link_; }
    void SetLink(report::TrptComponent* link)
    {
        link_ = link;
        if (link)
            link->FreeNotification(this);
    }

    std::int32_t Count = 0;
    std::uint8_t Level = 0;
    char Letter = 0;
    char16_t WideLetter = 0;
    TTestShade Shade = tsLight;
    bool Active = false;
    std::uint8_t Sides = 0;
    double Ratio = 0;
    float Scale = 0;
    rtl::Currency Price;
    double Stamp = 0;
    std::int64_t Big = 0;
    std::string Caption;
    std::u16string WideCaption;
    rtl::Variant Extra;
    gui::TColor Fill = gui::clBlack;

protected:
    void Notification(classes::TComponent* component, classes::TOperation operation) override
    {
        if (operation == classes::TOperation::Remove && component == link_)
            link_ = nullptr;
        TrptView::Notification(component, operation);
    }

private:
    std::unique_ptr<report::TrptFrame> frame_ = std::make_unique<report::TrptFrame>();
    std::unique_ptr<rtl::TStringList> lines_ = std::make_unique<rtl::TStringList>();
    report::TrptComponent* link_ = nullptr;
};

inline void RegisterTemplateClasses()
{
    RegisterTreeClasses();
    classes::RegisterClasses({&TrptKindsView::StaticClass(), &report::TrptUserDataSet::StaticClass()});
}

// The report of the golden template: a data page holding an object of every property kind, whose Link
// names the data set that follows it.
inline void FillGoldenReport(report::TrptReport& report)
{
    report.ReportOptions()->CreateDate = 45000.25;
    report.ReportOptions()->LastChange = 45001.5;
    auto* page = new report::TrptDataPage(&report);
    page->SetName("Data");
    auto* kinds = new TrptKindsView(page);
    kinds->SetName("Kinds1");
    kinds->SetBounds(10, 20.5, 300, 18.9);
    kinds->Font()->SetName("Tahoma");
    kinds->Font()->SetSize(12);
    kinds->Font()->SetColor(gui::clRed);
    kinds->Font()->SetStyle(1);
    kinds->Count = 7;
    kinds->Level = 200;
    kinds->Letter = 'A';
    kinds->WideLetter = u'\u0416';
    kinds->Shade = tsDark;
    kinds->Active = true;
    kinds->Sides = 5;
    kinds->Ratio = 2.5;
    kinds->Scale = 0.75f;
    kinds->Price = rtl::Currency::FromDouble(12.34);
    kinds->Stamp = 45000.5;
    kinds->Big = 9000000000;
    kinds->Caption = "Savings & \"Co\"";
    kinds->WideCaption = u"wide";
    kinds->Extra = rtl::Variant("note");
    kinds->Fill = gui::clNone;
    kinds->Frame()->SetColor(gui::clRed);
    kinds->Frame()->SetStyle(report::fsDash);
    kinds->Frame()->SetWidth(2);
    kinds->Frame()->Typ = 1 << report::ftLeft | 1 << report::ftTop;
    kinds->Frame()->LeftLine()->Width = 1.5;
    kinds->Lines()->SetText("first\r\nsecond");
    auto* users = new report::TrptUserDataSet(page);
    users->SetName("Users");
    users->SetBounds(60, 20, 28, 28);
    users->Fields()->SetText("Name\r\nkWh");
    kinds->SetLink(users);
}

inline std::string SavedTemplate(report::TrptReport& report, bool saveDefaultValues = false)
{
    rtl::TStringStream stream;
    report.SaveToStream(stream, true, saveDefaultValues);
    return stream.DataString();
}

inline void LoadTemplate(report::TrptReport& report, const std::string& text)
{
    rtl::TStringStream stream(text);
    report.LoadFromStream(stream);
}

// A report that reports its errors silently, as the tests read them from Errors.
inline std::unique_ptr<report::TrptReport> SilentReport()
{
    auto report = std::make_unique<report::TrptReport>(nullptr);
    report->EngineOptions()->NewSilentMode = report::simSilent;
    return report;
}

}  // namespace report_test
