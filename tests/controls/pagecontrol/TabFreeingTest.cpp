// Handlers that free the tab control with Free() while it paints, measures its captions or runs its
// go-to-tab menu: the control goes away once the handling is over and nothing touches it afterwards
// (the sanitizer watches for the rest).

#include "controls/pagecontrol/clPCGoDialog.h"
#include "tests/controls/pagecontrol/TabFixture.h"

#include "controls/clImageLists.h"
#include "platform/gui/Bitmap.h"
#include "platform/gui/Menus.h"
#include "platform/win/Input.h"
#include "platform/win/Window.h"
#include "platform/win/WindowPos.h"

#include <memory>
#include <string>

namespace pctest {
namespace {

using namespace pagecontrol;

enum class Handler { drawTab, drawTabEx, imageIndex, changing, change };
enum class Trigger { paint, paintTo, resize, goMenu };

// Frees the control from whichever handler it is told to, once.
struct Freer {
    Handler at = Handler::drawTab;
    TclCustomTabControl* control = nullptr;

    void FreeIf(Handler handler)
    {
        if (control && handler == at) {
            TclCustomTabControl* doomed = control;
            control = nullptr;
            doomed->Free();
        }
    }
    void DrawTab(TclCustomTabControl*, TclTab*, bool& defaultDraw)
    {
        defaultDraw = true;
        FreeIf(Handler::drawTab);
    }
    void DrawTabEx(TclCustomTabControl*, TclTab*, gui::TFont*) { FreeIf(Handler::drawTabEx); }
    void ImageIndex(classes::TObject*, int, int& imageIndex)
    {
        imageIndex = 0;
        FreeIf(Handler::imageIndex);
    }
    void Changing(classes::TObject*, bool&) { FreeIf(Handler::changing); }
    void Change(classes::TObject*) { FreeIf(Handler::change); }
};

struct FreeCase {
    const char* name;
    Handler at;
    Trigger trigger;
};

class TabFreeingTest : public TabTest, public ::testing::WithParamInterface<FreeCase> {
protected:
    // A sixteen-pixel picture list so that the image handler is asked.
    static std::unique_ptr<controls::TclImageList> MakeImages()
    {
        auto images = std::make_unique<controls::TclImageList>(16, 16);
        gui::TBitmap picture;
        picture.SetSize(16, 16);
        picture.Canvas()->Brush()->SetColor(gui::clBlack);
        picture.Canvas()->FillRect({0, 0, 16, 16});
        images->AddImageMasked(&picture, gui::clFuchsia);
        return images;
    }
    void Fire(TclCustomTabControl* control, Trigger trigger)
    {
        switch (trigger) {
        case Trigger::paint:
            control->Invalidate();
            driver.Pump();
            break;
        case Trigger::paintTo: {
            gui::TBitmap copy;
            copy.SetSize(300, 200);
            control->PaintTo(copy.Canvas()->Handle(), 0, 0);
            break;
        }
        case Trigger::resize:
            win::SetWindowPos(control->Handle(), nullptr, 0, 0, 250, 150, win::SWP_NOZORDER | win::SWP_NOMOVE);
            driver.Pump();
            break;
        case Trigger::goMenu:
            // The first entry is the current tab; the second one changes it.
            driver.At(clock.TickCount64() + 10, [this] {
                driver.PressKey(win::VK_DOWN);
                driver.PressKey(win::VK_DOWN);
                driver.PressKey(win::VK_RETURN);
            });
            driver.MouseDown(control->Handle(), win::TestDriver::Button::Left, 294, 10);
            driver.MouseUp(control->Handle(), win::TestDriver::Button::Left, 294, 10);
            driver.Pump();
            break;
        }
    }
};

TEST_P(TabFreeingTest, TheControlGoesAwayAndNothingTouchesItAfterwards)
{
    const FreeCase& c = GetParam();
    std::unique_ptr<controls::TclImageList> images = MakeImages();
    TclCustomTabControl* control = Make(300, 200, {"Alpha", "Beta"});
    control->SetTabWidth(60);
    control->SetImages(images.get());
    if (c.trigger == Trigger::goMenu) {
        control->SetOptions(clPCDefaultOptions | clPCOptionBit(pcoGoDialog));
    }
    driver.Pump();
    Freer freer{c.at, control};
    control->SetOwnerDraw(true);
    control->OnDrawTab = TclDrawTabEvent::Of<&Freer::DrawTab>(&freer);
    control->OnDrawTabEx = TclDrawTabExEvent::Of<&Freer::DrawTabEx>(&freer);
    control->OnGetImageIndex = TclGetTabImageEvent::Of<&Freer::ImageIndex>(&freer);
    control->OnChanging = TclTabChangingEvent::Of<&Freer::Changing>(&freer);
    control->OnChange = classes::TNotifyEvent::Of<&Freer::Change>(&freer);

    Fire(control, c.trigger);

    EXPECT_EQ(freer.control, nullptr) << "the handler ran";
    EXPECT_EQ(form->ControlCount(), 0) << "the control is gone";
    // The form repaints where the control was without reaching for it.
    form->Repaint();
    driver.Pump();
}

INSTANTIATE_TEST_SUITE_P(
    Handlers, TabFreeingTest,
    ::testing::Values(FreeCase{"DrawTabWhilePainting", Handler::drawTab, Trigger::paint},
                      FreeCase{"DrawTabExWhilePainting", Handler::drawTabEx, Trigger::paint},
                      FreeCase{"ImageIndexWhilePainting", Handler::imageIndex, Trigger::paint},
                      FreeCase{"DrawTabWhilePaintingACopy", Handler::drawTab, Trigger::paintTo},
                      FreeCase{"ImageIndexWhilePaintingACopy", Handler::imageIndex, Trigger::paintTo},
                      FreeCase{"DrawTabExWhileMeasuringOnAResize", Handler::drawTabEx, Trigger::resize},
                      FreeCase{"ChangingFromTheGoToTabMenu", Handler::changing, Trigger::goMenu},
                      FreeCase{"ChangeFromTheGoToTabMenu", Handler::change, Trigger::goMenu}),
    [](const ::testing::TestParamInfo<FreeCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace pctest
