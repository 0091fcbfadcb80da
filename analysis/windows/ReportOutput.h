#pragma once
// The analysis window's report page hands the finished estimate to the report library through this
// seam: after the graph pictures are written it asks for a preview, a print, an export or the e-mail
// window. The report library installs its implementation; until one is installed the page's report
// actions are disabled. Each call runs on the GUI thread and raises what the report library raises.

namespace analysis {

// The formats of the page's export list, by index; the list's last entry (ExportFormatCount) is empty
// and exports nothing.
enum ExportFormat { efPDF, efRTF, efHTML, efGIF, efBMP, efJPEG, efTIFF };
inline constexpr int ExportFormatCount = 7;

class ReportOutput {
public:
    virtual ~ReportOutput() = default;
    // The report prepared anew and shown in the preview window.
    virtual void Preview() = 0;
    // The report prepared anew and printed.
    virtual void Print() = 0;
    // The report prepared anew and exported through the filter of format (0 .. ExportFormatCount - 1),
    // whose own dialog asks for the file.
    virtual void Export(int format) = 0;
    // The e-mail window, shown modally; it prepares and attaches the report itself.
    virtual void Mail() = 0;
};

// The installed output, or null.
ReportOutput* InstalledReportOutput();

// Installs output (not owned; it outlives its installation); nullptr removes it.
void InstallReportOutput(ReportOutput* output);

}  // namespace analysis
