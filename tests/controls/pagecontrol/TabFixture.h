#pragma once
// A tab control on a borderless form, on the virtual clock, with test painters registered under unused
// style ids (the library's own styles are left out unless a fixture keeps them). The painters derive from the standard painter; what they change is set per test in
// PainterSetup: fixed widths per caption and a fixed height ("fixed"), spacing, a body fill as the tab
// shape, a log of RepaintTab reasons and the content rectangles AfterPaintTab saw.

#include "controls/pagecontrol/PageControl.h"
#include "controls/pagecontrol/clPC.h"
#include "controls/pagecontrol/clPCOneNotePainter.h"
#include "controls/pagecontrol/clPCStandardPainter.h"

#include "platform/gui/core/Form.h"
#include "tests/controls/DrivenFixture.h"
#include "tests/support/KeyPresses.h"

#include <functional>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace pctest {

using pagecontrol::TclCustomTabControl;

struct PainterSetup {
    // Widths by caption; a caption not listed gets the standard width.
    std::map<std::string, int> widths;
    // A fixed normal height when positive.
    int height = 0;
    std::optional<pagecontrol::TclPCDistance> spacing;
    std::vector<std::pair<int, int>> repaints;
    std::map<int, std::pair<win::RECT, win::RECT>> contentRects;
    // Run at the start of each painting.
    std::function<void(pagecontrol::TclPCStandardPainter& painter)> onPaint;
};

inline PainterSetup* gSetup = nullptr;

// What a test style answers at class level.
struct StyleTraits {
    int id = 100;
    std::string name = "Fixed";
    int kind = 0;
    bool rotation = true;
    // The look-and-feel painter style the class claims, or -1.
    int claimsPainterStyle = -1;
};

class TestPainter : public pagecontrol::TclPCStandardPainter {
public:
    using TclPCStandardPainter::TclPCStandardPainter;

    int CalculateTabNormalWidth(pagecontrol::TclTab* tab) override
    {
        if (const auto it = gSetup->widths.find(tab->Caption()); it != gSetup->widths.end()) {
            return it->second;
        }
        return TclPCStandardPainter::CalculateTabNormalWidth(tab);
    }
    int CalculateTabNormalHeight() override
    {
        return gSetup->height > 0 ? gSetup->height : TclPCStandardPainter::CalculateTabNormalHeight();
    }
    void GetTabsSpacing(pagecontrol::TclPCDistance& spacing) override
    {
        if (gSetup->spacing) {
            spacing = *gSetup->spacing;
        } else {
            TclPCStandardPainter::GetTabsSpacing(spacing);
        }
    }
    gui::TColor GetTabBodyColor(int visibleIndex) override
    {
        const gui::TColor color = GetTabColor(visibleIndex);
        return color == gui::clDefault ? gui::clBtnFace : color;
    }
    void PaintTabShape(int visibleIndex) override
    {
        Canvas().FillRectColor(ParentInfo().VisibleTab(visibleIndex)->VisibleRect(), GetTabBodyColor(visibleIndex));
    }
    void RepaintTab(int visibleIndex, pagecontrol::TclPCTabRepaintReason reason) override
    {
        gSetup->repaints.emplace_back(visibleIndex, int(reason));
        TclPCStandardPainter::RepaintTab(visibleIndex, reason);
    }
    void Paint() override
    {
        if (gSetup->onPaint) {
            gSetup->onPaint(*this);
        }
        TclPCStandardPainter::Paint();
    }
    void AfterPaintTab(int visibleIndex) override
    {
        gSetup->contentRects[visibleIndex] = {LayoutImageRect(), LayoutTextRect()};
        TclPCStandardPainter::AfterPaintTab(visibleIndex);
    }
};

class TestPainterClass : public pagecontrol::TclPCStandardPainterClassInfo {
public:
    explicit TestPainterClass(StyleTraits traits)
        : TclPCStandardPainterClassInfo(Info()), traits_(std::move(traits))
    {
    }

    int GetStandardStyleKind() const override { return traits_.kind; }
    pagecontrol::TclPCStyleID GetStyleID() const override { return traits_.id; }
    std::string GetStyleName() const override { return traits_.name; }
    bool IsTabRotationSupported() const override { return traits_.rotation; }
    bool IsStyleOfLookAndFeel(controls::TclLookAndFeel* lookAndFeel) const override
    {
        return traits_.claimsPainterStyle >= 0
               && lookAndFeel->PainterForThemedType(controls::totTab)->PainterStyle() == traits_.claimsPainterStyle;
    }
    std::unique_ptr<pagecontrol::TclPCCustomPainter> Create(TclCustomTabControl* control) const override
    {
        return std::make_unique<TestPainter>(control, this);
    }

private:
    static const classes::TClassInfo& Info()
    {
        static const classes::TClassInfo info("TTestTabPainter", &pagecontrol::TclPCCustomPainter::StaticClass());
        return info;
    }
    StyleTraits traits_;
};

class TabTest : public controlstest::DrivenTest {
protected:
    void SetUp() override
    {
        DrivenTest::SetUp();
        pagecontrol::initialize();
        if (!KeepsBuiltInStyles()) {
            pagecontrol::clPCUnregisterPainter(pagecontrol::clPCSlantedPainterClass());
            pagecontrol::clPCUnregisterPainter(pagecontrol::clPCOneNotePainterClass());
        }
        gSetup = &setup;
        Register(fixedStyle);
        form = new gui::TForm(nullptr);
        form->SetBorderStyle(gui::bsNone);
        form->SetBounds(100, 100, 640, 480);
        form->Show();
        driver.Pump();
    }
    void TearDown() override
    {
        delete form;
        for (const TestPainterClass* style : registered) {
            pagecontrol::clPCUnregisterPainter(style);
        }
        pagecontrol::finalize();
        gSetup = nullptr;
        DrivenTest::TearDown();
    }

    // Without the library's own styles the first test style is the one Style 0 takes.
    virtual bool KeepsBuiltInStyles() const { return false; }

    void Register(const TestPainterClass& style)
    {
        pagecontrol::clPCRegisterPainter(&style);
        registered.push_back(&style);
    }

    // A control of the size with a tab per caption; "fixed" captions are given their widths first.
    TclCustomTabControl* Make(int width, int height, const std::vector<std::string>& captions = {})
    {
        auto* made = new TclCustomTabControl(form);
        made->SetBounds(0, 0, width, height);
        made->SetParent(form);
        for (const std::string& caption : captions) {
            made->Tabs()->Add(caption);
        }
        driver.Pump();
        return made;
    }
    // A key pressed with modifiers held, and what it caused handled.
    void Press(win::UINT vk, std::initializer_list<win::UINT> modifiers = {})
    {
        testsupport::PressWith(driver, modifiers, vk);
    }
    // Every caption gets the width; the height is 20.
    void Fixed(const std::vector<std::pair<std::string, int>>& widths)
    {
        setup.height = 20;
        for (const auto& [caption, width] : widths) {
            setup.widths[caption] = width;
        }
    }
    static win::RECT TabRect(TclCustomTabControl* control, int index)
    {
        return control->Tabs()->Tab(index)->VisibleRect();
    }
    win::DWORD Pixel(TclCustomTabControl* control, int x, int y)
    {
        control->Repaint();
        return win::TestDriver::PixelAt(control->Handle(), x, y);
    }

    PainterSetup setup;
    TestPainterClass fixedStyle{StyleTraits{}};
    std::vector<const TestPainterClass*> registered;
    gui::TForm* form = nullptr;
};

}  // namespace pctest
