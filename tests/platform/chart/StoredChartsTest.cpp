// The analysis window's charts as it stores them: kinds, names, order, colours, pens, markers, walls and
// legend read headless, write back and read again alike; damaged data is refused with its place named.

#include "platform/chart/BarSeries.h"
#include "platform/chart/Chart.h"
#include "platform/chart/CustomSeries.h"
#include "platform/chart/FastLineSeries.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/gui/core/Form.h"
#include "platform/rtl/Exceptions.h"

#include "tests/platform/chart/ChartFixture.h"

#include <regex>

namespace {

using charttest::ChartTest;

std::unique_ptr<classes::TComponent> ReadCharts()
{
    return std::unique_ptr<classes::TComponent>(guitest::ReadText(guitest::ReadFixture("forms/Charts.form"), nullptr));
}

chart::TChart* ChartNamed(classes::TComponent& form, const std::string& name)
{
    return dynamic_cast<chart::TChart*>(form.FindComponent(name));
}

TEST_F(ChartTest, TheAnalysisWindowsChartsLoadAsStored)
{
    std::unique_ptr<classes::TComponent> form = ReadCharts();
    int series = 0;
    for (int i = 0; i < form->ComponentCount(); ++i) {
        if (auto* s = dynamic_cast<chart::TChartSeries*>(form->Components(i))) {
            ++series;
            EXPECT_EQ(s->Owner(), form.get());
            ASSERT_NE(s->ParentChart(), nullptr) << s->Name();
            EXPECT_FALSE(s->Marks()->Visible()) << s->Name();
        }
    }
    EXPECT_EQ(series, 31);

    chart::TChart* duty = ChartNamed(*form, "DutyChart");
    ASSERT_NE(duty, nullptr);
    ASSERT_EQ(duty->SeriesCount(), 1);
    EXPECT_EQ(duty->Series(0)->Name(), "DutySeries1");
    EXPECT_EQ(duty->Title()->Text()->Strings(0), "   Duty Cycle");
    EXPECT_EQ(duty->LeftAxis()->Title()->Caption(), "Percentage Time (%) ");

    struct Chart {
        const char* name;
        const classes::TClassInfo& kind;
        const char* prefix;
    };
    const Chart charts[] = {
        {"Chart1", chart::TAreaSeries::StaticClass(), "Series"},
        {"Chart2", chart::TLineSeries::StaticClass(), "AreaSeries"},
        {"Chart3", chart::THorizBarSeries::StaticClass(), "LineSeries"},
        {"Chart4", chart::TPointSeries::StaticClass(), "BarSeries"},
        {"Chart5", chart::TBarSeries::StaticClass(), "HorizBarSeries"},
        {"Chart6", chart::TFastLineSeries::StaticClass(), "PointSeries"},
    };
    const gui::TColor slotColors[] = {gui::clLime, gui::clRed, gui::clBlue, gui::clGreen, gui::clYellow};
    for (const Chart& c : charts) {
        SCOPED_TRACE(c.name);
        chart::TChart* ch = ChartNamed(*form, c.name);
        ASSERT_NE(ch, nullptr);
        EXPECT_FALSE(ch->AllowZoom());
        EXPECT_EQ(ch->BevelOuter(), chart::bvNone);
        EXPECT_TRUE(ch->View3D());
        EXPECT_EQ(ch->Color(), gui::clWhite);
        EXPECT_EQ(ch->BackWall()->Color(), gui::clWhite);
        EXPECT_EQ(ch->BackWall()->Brush()->Style(), gui::bsClear);
        EXPECT_EQ(ch->LeftWall()->Color(), gui::clSilver);
        EXPECT_TRUE(ch->Legend()->DividingLines()->Visible());
        ASSERT_EQ(ch->Title()->Text()->Count(), 1);
        EXPECT_EQ(ch->Title()->Text()->Strings(0), "TChart");
        ASSERT_EQ(ch->SeriesCount(), 5);
        const int order[] = {2, 3, 1, 4, 5};
        for (int i = 0; i < 5; ++i) {
            const int slot = std::string(c.name) == "Chart1" ? order[i] : i + 1;
            chart::TChartSeries* s = ch->Series(i);
            EXPECT_EQ(s->Name(), c.prefix + std::to_string(slot));
            EXPECT_EQ(&s->ClassType(), &c.kind);
            EXPECT_EQ(s->SeriesColor(), slotColors[slot - 1]) << s->Name();
            EXPECT_EQ(s->GetParentComponent(), ch);
        }
    }
    auto* fast = dynamic_cast<chart::TFastLineSeries*>(form->FindComponent("PointSeries2"));
    ASSERT_NE(fast, nullptr);
    EXPECT_EQ(fast->LinePen()->Width(), 2);
    EXPECT_EQ(fast->LinePen()->Color(), gui::clRed);
    auto* point = dynamic_cast<chart::TPointSeries*>(form->FindComponent("BarSeries5"));
    auto* area = dynamic_cast<chart::TAreaSeries*>(form->FindComponent("Series2"));
    ASSERT_TRUE(point && area);
    EXPECT_TRUE(point->Pointer()->Visible());
    EXPECT_EQ(point->Pointer()->Brush()->Color(), gui::clYellow);
    EXPECT_FALSE(area->Pointer()->Visible());
}

TEST_F(ChartTest, StoredChartsWriteBackAndReadAgainAlike)
{
    std::unique_ptr<classes::TComponent> form = ReadCharts();
    const std::string written = guitest::TextOf(*form);
    std::unique_ptr<classes::TComponent> again(guitest::ReadText(written, nullptr));
    EXPECT_EQ(guitest::TextOf(*again), written);
    ASSERT_EQ(again->ComponentCount(), form->ComponentCount());
    for (int i = 0; i < form->ComponentCount(); ++i) {
        auto* a = dynamic_cast<chart::TChartSeries*>(form->Components(i));
        if (!a) {
            continue;
        }
        auto* b = dynamic_cast<chart::TChartSeries*>(again->FindComponent(a->Name()));
        ASSERT_NE(b, nullptr) << a->Name();
        EXPECT_EQ(&b->ClassType(), &a->ClassType());
        EXPECT_EQ(b->SeriesColor(), a->SeriesColor()) << a->Name();
        EXPECT_EQ(b->Title(), a->Title());
        EXPECT_EQ(b->ParentChart()->Name(), a->ParentChart()->Name());
        int ia = 0, ib = 0;
        while (a->ParentChart()->Series(ia) != a) ++ia;
        while (b->ParentChart()->Series(ib) != b) ++ib;
        EXPECT_EQ(ib, ia) << a->Name();
    }
    // Series are written inside their chart's block, never at the form's level.
    EXPECT_TRUE(std::regex_search(written, std::regex("object Chart1: TChart[^]*?\n    object Series2: TAreaSeries")));
    EXPECT_FALSE(std::regex_search(written, std::regex("\n  object \\w*Series\\d: ")));
}

TEST_F(ChartTest, FormsFreeTheirChartsAndSeriesInEitherOrder)
{
    for (int order = 0; order < 3; ++order) {
        SCOPED_TRACE(order);
        std::unique_ptr<classes::TComponent> form = ReadCharts();
        chart::TChart* chart1 = ChartNamed(*form, "Chart1");
        if (order == 1) {
            delete chart1;  // its five series go with it
            EXPECT_EQ(form->FindComponent("Series1"), nullptr);
            EXPECT_EQ(form->FindComponent("Series5"), nullptr);
        } else if (order == 2) {
            delete form->FindComponent("Series3");
            ASSERT_EQ(chart1->SeriesCount(), 4);
            EXPECT_EQ(chart1->Series(1)->Name(), "Series1");
        }
        form.reset();
    }
}

TEST_F(ChartTest, DamagedChartDataIsRefusedNamingItsPlace)
{
    struct Case {
        const char* body;
        const char* message;
    };
    const Case cases[] = {
        {"  object C: TChart\n    Wobble = 1\n  end\n", "C.Wobble"},
        {"  object C: TChart\n    BevelOuter = bvDeep\n  end\n", "C.BevelOuter"},
        {"  object C: TChart\n    object S: TBarSeries\n      Pointer.Visible = True\n    end\n  end\n", "S.Pointer"},
        {"  object C: TChart\n    object S: TLineSeries\n      LinePen.Style = psWavy\n    end\n  end\n", "S.LinePen.Style"},
        {"  object Loose: TBarSeries\n  end\n", "Loose"},
        {"  object C: TChart\n    object S: TPieSeries\n    end\n  end\n", "TPieSeries"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        const std::string text = std::string("object F: TForm\n") + c.body + "end\n";
        try {
            std::unique_ptr<classes::TComponent> form(guitest::ReadText(text, nullptr));
            ADD_FAILURE() << "read";
        } catch (const rtl::Exception& e) {
            EXPECT_NE(std::string(e.Message()).find(c.message), std::string::npos) << e.Message();
        }
    }
}

TEST_F(ChartTest, NumbersOutOfRangeAreClampedFromStoredDataAndCode)
{
    const std::string text = "object F: TForm\n"
                             "  object C: TChart\n"
                             "    Chart3DPercent = 0\n"
                             "    View3DOptions.Rotation = 10\n"
                             "    View3DOptions.Elevation = 400\n"
                             "    LeftAxis.Grid.Width = 1000\n"
                             "    object B: TBarSeries\n"
                             "      BarWidthPercent = 500\n"
                             "      BarPen.Width = -3\n"
                             "    end\n"
                             "    object P: TPointSeries\n"
                             "      Pointer.HorizSize = -5\n"
                             "      Pointer.VertSize = 101\n"
                             "    end\n"
                             "  end\n"
                             "end\n";
    std::unique_ptr<classes::TComponent> form(guitest::ReadText(text, nullptr));
    auto* c = ChartNamed(*form, "C");
    auto* b = dynamic_cast<chart::TBarSeries*>(form->FindComponent("B"));
    auto* p = dynamic_cast<chart::TPointSeries*>(form->FindComponent("P"));
    ASSERT_TRUE(c && b && p);
    EXPECT_EQ(c->Chart3DPercent(), 1);
    EXPECT_EQ(c->View3DOptions()->Rotation(), 270);
    EXPECT_EQ(c->View3DOptions()->Elevation(), 360);
    EXPECT_EQ(c->LeftAxis()->Grid()->Width(), 100);
    EXPECT_EQ(b->BarWidthPercent(), 100);
    EXPECT_EQ(b->BarPen()->Width(), 0);
    EXPECT_EQ(p->Pointer()->HorizSize(), 0);
    EXPECT_EQ(p->Pointer()->VertSize(), 100);

    c->SetChart3DPercent(250);
    b->SetBarWidthPercent(0);
    p->Pointer()->SetHorizSize(7);
    p->Pointer()->Pen()->SetWidth(-1);
    EXPECT_EQ(c->Chart3DPercent(), 100);
    EXPECT_EQ(b->BarWidthPercent(), 1);
    EXPECT_EQ(p->Pointer()->HorizSize(), 7);
    EXPECT_EQ(p->Pointer()->Pen()->Width(), 0);
}

}  // namespace
