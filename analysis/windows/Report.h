#pragma once
// TCALCREP: the calculation overview, a modal window that lays open how the yearly cost of one control
// method was reached: for every flow point the share of the year, the hours, the shaft power, the cost
// per hour and the operating cost, and the totals below. It computes nothing; it shows, as text, the
// results the last CalculateRivuve left.
//
// The window is read from its stored data (the resource "TCALCREP"), made once at start-up and shown
// modally for each result line of the analysis window the user clicks (ShowCalculationOverview).

#include "analysis/Globals.h"
#include "platform/gui/core/Form.h"

#include <cstdint>

namespace gui {
class TLabel;
}
namespace translation {
class TtrLingua;
}

namespace analysis {

class TCALCREP : public gui::TForm {
public:
    // Reads the stored window; the first one made becomes the program's (CALCREP()).
    explicit TCALCREP(classes::TComponent* owner);
    ~TCALCREP() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // The shaft power heading takes the analysis window's power unit ("Shaft HP"), then the table is
    // built for OverviewApp and OverviewMethod.
    void FormShow(classes::TObject* sender);
    // Fills the table for application 1 (fan) or 2 (pump) and method 1..5 in the overview's numbering
    // (drive, outlet damper, inlet vane or throttling valve, custom control 1, custom control 2); any
    // other application changes nothing.
    void BuildCalculationOverview(std::uint8_t application, std::uint8_t method);
    void ESCCANCELClick(classes::TObject* sender);
    // Help on the step the overview belongs to; the button's modal result closes the window.
    void BitBtn3Click(classes::TObject* sender);

    translation::TtrLingua* trLingua1 = nullptr;
    gui::TLabel* FLOWM = nullptr;
    gui::TLabel* POWER_LABEL = nullptr;
    gui::TLabel* TOTHOUR = nullptr;
    gui::TLabel* TOTALCOST = nullptr;
    // The value cells of each column by flow point (1 = 100 % flow): Ap10 .. Ap100 and so on.
    ByFlowPoint<gui::TLabel*> Ap{};
    ByFlowPoint<gui::TLabel*> HRY{};
    ByFlowPoint<gui::TLabel*> SHP{};
    ByFlowPoint<gui::TLabel*> CPH{};
    ByFlowPoint<gui::TLabel*> OC{};

protected:
    void BindComponents() override;
};

// The program's overview window, or null before it is made and after it is gone.
TCALCREP* CALCREP();

// Opens the overview of application (1 fan, 2 pump) and method (the overview's numbering): OverviewApp
// and OverviewMethod are set and the program's window is shown modally. The caller has passed the
// duty-cycle check and calculated that application just before. rtl::EInvalidOperation when the window
// does not exist.
void ShowCalculationOverview(int application, int method);

}  // namespace analysis
