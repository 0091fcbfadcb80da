#include "analysis/windows/GraphSel.h"

#include "analysis/Globals.h"
#include "analysis/windows/detail/StoredComponent.h"
#include "platform/classes/Reflection.h"
#include "platform/gui/controls/BitBtn.h"
#include "platform/gui/controls/Image.h"
#include "platform/gui/controls/Label.h"
#include "platform/gui/controls/Shape.h"

#include <string>

namespace analysis {

TGRSEL* GRSEL = nullptr;

namespace {

constexpr int kStyleCount = 6;

// The stored names of the pictures of styles 1..6: the area, line, horizontal bar, point, bar and fast
// line charts.
constexpr std::array<const char*, kStyleCount> kPictureNames = {"Image1", "Image2", "Image5",
                                                                "Image4", "Image3", "Image7"};

}  // namespace

TGRSEL::TGRSEL(classes::TComponent* owner) : gui::TForm(owner)
{
    CreateFromStoredData();
}

const classes::TClassInfo& TGRSEL::StaticClass()
{
    static const classes::TClassInfo info("TGRSEL", &gui::TForm::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TGRSEL>(c)
            .Method<&TGRSEL::FormCreate>("FormCreate")
            .Method<&TGRSEL::FormShow>("FormShow")
            .Method<&TGRSEL::Image1Click>("Image1Click")
            .Method<&TGRSEL::Image2Click>("Image2Click")
            .Method<&TGRSEL::Image3Click>("Image3Click")
            .Method<&TGRSEL::Image4Click>("Image4Click")
            .Method<&TGRSEL::Image5Click>("Image5Click")
            .Method<&TGRSEL::Image7Click>("Image7Click")
            .Method<&TGRSEL::SpeedButton5Click>("SpeedButton5Click");
    });
    return info;
}

void TGRSEL::BindComponents()
{
    for (int style = 1; style <= kStyleCount; ++style) {
        pictures_[std::size_t(style - 1)] = detail::Stored<gui::TImage>(*this, kPictureNames[std::size_t(style - 1)]);
        frames_[std::size_t(style - 1)] = detail::Stored<gui::TShape>(*this, "Shape" + std::to_string(style));
    }
    Label1 = detail::Stored<gui::TLabel>(*this, "Label1");
    close_button = detail::Stored<gui::TBitBtn>(*this, "close_button");
}

// The window keeps its designed size and places at every screen density: nothing is rescaled.
void TGRSEL::FormCreate(classes::TObject*)
{
}

void TGRSEL::FormShow(classes::TObject*)
{
    HighlightGraphStyle();
}

void TGRSEL::ChooseStyle(int style)
{
    ChartStyle = style;
    HighlightGraphStyle();
}

void TGRSEL::Image1Click(classes::TObject*) { ChooseStyle(1); }
void TGRSEL::Image2Click(classes::TObject*) { ChooseStyle(2); }
void TGRSEL::Image5Click(classes::TObject*) { ChooseStyle(3); }
void TGRSEL::Image4Click(classes::TObject*) { ChooseStyle(4); }
void TGRSEL::Image3Click(classes::TObject*) { ChooseStyle(5); }
void TGRSEL::Image7Click(classes::TObject*) { ChooseStyle(6); }

void TGRSEL::SpeedButton5Click(classes::TObject*)
{
    Close();
}

void TGRSEL::HighlightGraphStyle()
{
    for (gui::TShape* frame : frames_)
        frame->SetVisible(false);
    if (ChartStyle >= 1 && ChartStyle <= kStyleCount)
        Frame(ChartStyle)->SetVisible(true);
}

}  // namespace analysis
