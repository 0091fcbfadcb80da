// The report page of the analysis window: the three graph pictures every report action writes first,
// and the four actions (preview, print, export, e-mail) handed to the installed report output.

#include "analysis/windows/Fan.h"

#include "analysis/windows/ReportOutput.h"
#include "analysis/windows/detail/StoredComponent.h"
#include "components/kiturl.h"
#include "platform/chart/Chart.h"
#include "platform/gui/controls/ComboBox.h"
#include "platform/gui/controls/Image.h"
#include "platform/gui/dialogs/MessageDialogs.h"
#include "platform/rtl/Exceptions.h"

#include <exception>

namespace analysis {

using detail::Stored;

namespace {

void ShowError(const std::string& text)
{
    gui::MessageDlg(text, gui::mtError, 1u << gui::mbOK, 0);
}

}  // namespace

void TFANFORM::BindReportComponents()
{
    const char* const icons[] = {"Image9", "Image6", "Image7", "Image10"};
    const char* const links[] = {"Label233", "Label235", "Label237", "Label242"};
    for (std::size_t k = 0; k < ReportIcons.size(); ++k) {
        ReportIcons[k] = Stored<gui::TImage>(*this, icons[k]);
        ReportLinks[k] = Stored<components::TKitURL>(*this, links[k]);
    }
    ExportSelection = Stored<gui::TComboBox>(*this, "ExportSelection");
}

void TFANFORM::UpdateReportActions()
{
    const bool available = InstalledReportOutput() != nullptr;
    for (gui::TImage* icon : ReportIcons)
        icon->SetEnabled(available);
    for (components::TKitURL* link : ReportLinks)
        link->SetEnabled(available);
    ExportSelection->SetEnabled(available);
}

bool TFANFORM::SaveGraphPictures(std::string_view thirdFailureId)
{
    if (ChartStyle < 1 || ChartStyle > GraphStyleCount)
        return true;
    chart::TChart& shown = *Charts[std::size_t(ChartStyle - 1)];
    struct Picture {
        void (TFANFORM::*draw)();
        const char* name;
        std::string_view failureId;
    };
    const Picture pictures[] = {{&TFANFORM::DrawCostGraph, "\\QANTO_EE1.WMF", "IDS_256"},
                                {&TFANFORM::DrawHoursGraph, "\\QANTO_EE2.WMF", "IDS_256"},
                                {&TFANFORM::DrawTimeGraph, "\\QANTO_EE3.WMF", thirdFailureId}};
    for (const Picture& picture : pictures) {
        // A graph that cannot be drawn fails as a file that cannot be written does, whatever raised it (a
        // metafile without memory raises std::bad_alloc): the step's message, and neither this picture
        // nor a later one is written.
        try {
            (this->*picture.draw)();
            shown.SaveToMetafileEnh(TempFolder + picture.name);
        } catch (const std::exception&) {
            ShowError(Text(picture.failureId));
            return false;
        }
    }
    DrawCostGraph();
    return true;
}

void TFANFORM::PreviewReport(classes::TObject*)
{
    ReportOutput* output = InstalledReportOutput();
    if (!output || !SaveGraphPictures())
        return;
    // A preview that fails has nothing to tell the user: the action just ends.
    try {
        output->Preview();
    } catch (const rtl::Exception&) {
    }
}

void TFANFORM::PrintReport(classes::TObject*)
{
    ReportOutput* output = InstalledReportOutput();
    if (!output || !SaveGraphPictures())
        return;
    // A failing printer must not end the program with the unsaved project.
    try {
        output->Print();
    } catch (const rtl::Exception& error) {
        ShowError(error.what());
    }
}

void TFANFORM::ExportReport(classes::TObject*)
{
    ReportOutput* output = InstalledReportOutput();
    if (!output || !SaveGraphPictures())
        return;
    const int format = ExportSelection->ItemIndex();
    if (format < 0 || format >= ExportFormatCount)
        return;
    // The RTF export leaves the report's page frames out while it runs, and only then.
    RtfExportActive = format == efRTF ? 1 : 0;
    try {
        output->Export(format);
    } catch (const rtl::Exception&) {
        ShowError(Text("IDS_313"));
    }
    RtfExportActive = 0;
}

void TFANFORM::mailReport(classes::TObject*)
{
    ReportOutput* output = InstalledReportOutput();
    if (!output || !SaveGraphPictures("IDS_340"))
        return;
    output->Mail();
}

}  // namespace analysis
