#pragma once
// The library's own tab styles on the driven form: Style 0 takes the Slanted style, the control library
// runs without GradientFill (gradients are drawn in bands), and a tab control can be given pages whose
// colours the painters read.

#include "controls/pagecontrol/clPCOneNotePainter.h"
#include "tests/controls/pagecontrol/TabFixture.h"

#include "controls/clEntryPoints.h"
#include "controls/uxOffice11Colors.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gui/controls/Panel.h"
#include "platform/text/TextMetrics.h"
#include "platform/win/Paint.h"

#include <vector>

namespace pctest {

// A colour as the screen shows it, system colours resolved.
inline gui::TColor Rgb(gui::TColor color) { return gui::TColor(gui::ColorToRGB(color)); }

// A tab control whose tabs have pages, as a page control's have.
class PagedTabControl : public TclCustomTabControl {
public:
    using TclCustomTabControl::TclCustomTabControl;
    gui::TControl* GetTabPage(int tabIndex) override
    {
        return tabIndex >= 0 && tabIndex < int(pages.size()) ? pages[std::size_t(tabIndex)] : nullptr;
    }
    std::vector<gui::TControl*> pages;
};

class SlantedTest : public TabTest {
protected:
    bool KeepsBuiltInStyles() const override { return true; }
    controls::TclEntryPoints EntryPoints() const override
    {
        controls::TclEntryPoints entries = controls::PlatformEntryPoints();
        entries.GradientFill = nullptr;
        return entries;
    }

    // A control of the size with a tab per caption, tabs of the height and width (0: by caption).
    TclCustomTabControl* MakeTabs(int width, int height, const std::vector<std::string>& captions, int tabHeight = 35,
                                  int tabWidth = 100)
    {
        TclCustomTabControl* made = Make(width, height, captions);
        made->SetTabHeight(tabHeight);
        made->SetTabWidth(tabWidth);
        driver.Pump();
        return made;
    }
    // Three empty tabs with pages: the second one's page is clWindow, the others take the control's colour.
    PagedTabControl* MakePaged(int width, int height)
    {
        auto* made = new PagedTabControl(form);
        made->SetBounds(0, 0, width, height);
        made->SetParent(form);
        for (int i = 0; i < 3; ++i) {
            auto* page = new gui::TPanel(form);
            page->SetParentColor(i != 1);
            if (i == 1) {
                page->SetColor(gui::clWindow);
            }
            made->pages.push_back(page);
            made->Tabs()->Add("");
        }
        made->SetTabHeight(35);
        made->SetTabWidth(100);
        made->SetTabIndex(1);
        driver.Pump();
        return made;
    }

    static pagecontrol::TclPCSlantedPainter& SlantedOf(TclCustomTabControl* control)
    {
        return dynamic_cast<pagecontrol::TclPCSlantedPainter&>(*control->Painter());
    }
    // The text's width in the font, as the platform measures it.
    static int TextWidth(gui::TFont* font, const std::string& text)
    {
        const win::HDC dc = win::GetDC(nullptr);
        const win::HGDIOBJ old = win::SelectObject(dc, font->Handle());
        win::SIZE size{};
        win::GetTextExtentPoint32A(dc, text.c_str(), int(text.size()), &size);
        win::SelectObject(dc, old);
        win::ReleaseDC(nullptr, dc);
        return size.cx;
    }
    // The control painted once; then its pixels.
    void Paint(TclCustomTabControl* control)
    {
        control->Repaint();
        painted = control->Handle();
    }
    gui::TColor At(int x, int y) const { return gui::TColor(win::TestDriver::PixelAt(painted, x, y)); }

    win::HWND painted = nullptr;
};

// Channels of two colours within one step of each other (the banded gradient rounds its steps).
inline bool Near(gui::TColor a, gui::TColor b)
{
    const win::COLORREF x = gui::ColorToRGB(a);
    const win::COLORREF y = gui::ColorToRGB(b);
    return std::abs(int(win::GetRValue(x)) - int(win::GetRValue(y))) <= 1
           && std::abs(int(win::GetGValue(x)) - int(win::GetGValue(y))) <= 1
           && std::abs(int(win::GetBValue(x)) - int(win::GetBValue(y))) <= 1;
}

// Colour 1 at step 0 to colour 2 at the last step, per channel.
inline gui::TColor Between(gui::TColor c1, gui::TColor c2, int step, int last)
{
    const win::COLORREF a = gui::ColorToRGB(c1);
    const win::COLORREF b = gui::ColorToRGB(c2);
    auto channel = [&](int from, int to) { return from + step * (to - from) / last; };
    return gui::TColor(win::RGB(channel(win::GetRValue(a), win::GetRValue(b)),
                                channel(win::GetGValue(a), win::GetGValue(b)),
                                channel(win::GetBValue(a), win::GetBValue(b))));
}

}  // namespace pctest
