#pragma once
// TGRSEL: the graph-style chooser. Six pictures show the estimation graph in the six chart styles; a
// click on one makes its style the current ChartStyle and frames it, and the dialog stays open so the
// user can try several before closing it with Close or Escape. The window is read from its stored data,
// the resource "TGRSEL", and created once at start-up; the analysis window shows it modally and then
// shows the chart of the chosen style.

#include "platform/gui/core/Form.h"

#include <array>

namespace gui {
class TBitBtn;
class TImage;
class TLabel;
class TShape;
}  // namespace gui

namespace analysis {

class TGRSEL : public gui::TForm {
public:
    // EResNotFound when the program's resources lack the window, the reader's error when they are damaged.
    explicit TGRSEL(classes::TComponent* owner);

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    void FormCreate(classes::TObject* sender);
    void FormShow(classes::TObject* sender);
    void Image1Click(classes::TObject* sender);
    void Image2Click(classes::TObject* sender);
    void Image3Click(classes::TObject* sender);
    void Image4Click(classes::TObject* sender);
    void Image5Click(classes::TObject* sender);
    void Image7Click(classes::TObject* sender);
    void SpeedButton5Click(classes::TObject* sender);
    // Shows the frame of the current ChartStyle alone; none when it is outside 1..6.
    void HighlightGraphStyle();

    // The picture of each style, and the frame around it, by style - 1.
    gui::TImage* Picture(int style) const { return pictures_.at(std::size_t(style - 1)); }
    gui::TShape* Frame(int style) const { return frames_.at(std::size_t(style - 1)); }
    gui::TLabel* Label1 = nullptr;
    gui::TBitBtn* close_button = nullptr;

protected:
    void BindComponents() override;

private:
    void ChooseStyle(int style);

    std::array<gui::TImage*, 6> pictures_{};
    std::array<gui::TShape*, 6> frames_{};
};

// The program's chooser, made at start-up; null before.
extern TGRSEL* GRSEL;

}  // namespace analysis
