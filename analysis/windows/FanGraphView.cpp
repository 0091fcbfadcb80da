// The graph page's view controls: the graph choice, the pattern box, the 3D switch with its depth and
// rotation, the reset of the view, the style chooser and printing of the shown chart.

#include "analysis/windows/Fan.h"

#include "analysis/windows/GraphSel.h"
#include "platform/chart/Chart.h"
#include "platform/gui/controls/CheckBox.h"
#include "platform/gui/controls/Label.h"
#include "platform/gui/controls/ScrollBar.h"
#include "platform/gui/dialogs/Dialogs.h"
#include "platform/gui/dialogs/MessageDialogs.h"
#include "platform/rtl/Exceptions.h"

namespace analysis {

void TFANFORM::SelectionGraphTypeChange(classes::TObject*)
{
    RedrawSelectedGraph();
}

void TFANFORM::BWClick(classes::TObject*)
{
    ApplyFillPatterns();
}

void TFANFORM::CheckBox1Click(classes::TObject*)
{
    for (chart::TChart* graph : Charts)
        graph->SetView3D(CheckBox1->Checked());
    const bool depth = Charts[0]->View3D();
    Bar3D->SetEnabled(depth);
    ScrollBar3->SetEnabled(depth);
}

void TFANFORM::Bar3DChange(classes::TObject*)
{
    for (chart::TChart* graph : Charts)
        graph->SetChart3DPercent(Bar3D->Position());
    Label6A->SetCaption(Text("IDS_238") + " " + std::to_string(Bar3D->Position()) + "%");
}

void TFANFORM::ScrollBar3Change(classes::TObject*)
{
    // The bar still moves from code while the charts are flat; the rotation waits for the 3D view.
    if (!ScrollBar3->Enabled())
        return;
    for (chart::TChart* graph : Charts) {
        graph->View3DOptions()->SetOrthogonal(false);
        graph->View3DOptions()->SetRotation(ScrollBar3->Position());
    }
}

void TFANFORM::ResetGraphClick(classes::TObject*)
{
    for (chart::TChart* graph : Charts) {
        graph->View3DOptions()->SetOrthogonal(true);
        graph->View3DOptions()->SetRotation(345);
    }
    for (chart::TChart* graph : Charts)
        graph->SetChart3DPercent(15);
}

void TFANFORM::BitBtn9Click(classes::TObject*)
{
    // Every chart already holds the current graph: only which one shows changes.
    if (GRSEL)
        GRSEL->ShowModal();
    ShowChartOfStyle();
}

void TFANFORM::PrintGraphClick(classes::TObject*)
{
    // A failing printer must not end the program with the unsaved project: its message is shown and
    // the window stays open. The chart puts the printer's orientation back on every path.
    try {
        if (!PrintDialog1->Execute())
            return;
        if (ChartStyle >= 1 && ChartStyle <= GraphStyleCount)
            Charts[std::size_t(ChartStyle - 1)]->PrintLandscape();
    } catch (const rtl::Exception& error) {
        gui::MessageDlg(error.what(), gui::mtError, 1u << gui::mbOK, 0);
    }
}

}  // namespace analysis
