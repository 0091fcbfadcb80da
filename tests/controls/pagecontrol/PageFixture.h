#pragma once
// A page control with the sheets "Horse Power", "Torque" and "AC Motor" on the tab fixture's form, drawn
// by the fixture's fixed test style, and a log of its events and its sheets' in the order they fire.

#include "tests/controls/pagecontrol/TabFixture.h"

#include "platform/gui/core/Application.h"

#include <string>
#include <vector>

namespace pctest {

using pagecontrol::TclPageControl;
using pagecontrol::TclTabSheet;

// Notes the events of a page control and its sheets; refuses page changes while told; runs an action
// (freeing something, raising) at a named event once.
struct PageLog {
    std::vector<std::string> entries;
    bool allow = true;
    std::string actAt;
    std::function<void()> action;

    static std::string NameOf(const TclTabSheet* sheet) { return sheet ? sheet->Caption() : "nil"; }
    void Note(const std::string& what)
    {
        entries.push_back(what);
        if (action && (actAt == what || actAt == what.substr(0, what.find(':')))) {
            auto run = std::move(action);
            action = nullptr;
            run();
        }
    }
    void Changing(classes::TObject*, TclTabSheet* newPage, bool& allowChange)
    {
        allowChange = allow;
        Note("changing:" + NameOf(newPage));
    }
    void Change(classes::TObject* sender)
    {
        Note("change:" + NameOf(static_cast<TclPageControl*>(sender)->ActivePage()));
    }
    void CanClose(classes::TObject*, bool&) { Note("canclose"); }
    void Show(classes::TObject* sender) { Note("show:" + NameOf(static_cast<TclTabSheet*>(sender))); }
    void Hide(classes::TObject* sender) { Note("hide:" + NameOf(static_cast<TclTabSheet*>(sender))); }

    void Attach(TclPageControl* control)
    {
        control->OnPageChanging = pagecontrol::TclPageChangingEvent::Of<&PageLog::Changing>(this);
        control->OnChange = classes::TNotifyEvent::Of<&PageLog::Change>(this);
        control->OnCanClose = pagecontrol::TclPCCanCloseEvent::Of<&PageLog::CanClose>(this);
        for (int i = 0; i < control->PageCount(); ++i) {
            control->Pages(i)->OnShow = classes::TNotifyEvent::Of<&PageLog::Show>(this);
            control->Pages(i)->OnHide = classes::TNotifyEvent::Of<&PageLog::Hide>(this);
        }
    }
};

class PageTest : public TabTest {
protected:
    void SetUp() override
    {
        TabTest::SetUp();
        Fixed({{"Horse Power", 90}, {"Torque", 60}, {"AC Motor", 80}});
    }

    TclPageControl* MakePages(const std::vector<std::string>& captions = {"Horse Power", "Torque", "AC Motor"})
    {
        auto* control = new TclPageControl(form);
        control->SetBounds(0, 0, 400, 300);
        control->SetParent(form);
        for (const std::string& caption : captions) {
            auto* sheet = new TclTabSheet(form);
            sheet->SetCaption(caption);
            sheet->SetPageControl(control);
        }
        driver.Pump();
        return control;
    }
    // The middle of a tab's visible rectangle.
    static win::POINT TabCenter(TclPageControl* control, int tabIndex)
    {
        const win::RECT rect = control->Tabs()->Tab(tabIndex)->VisibleRect();
        return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }
    void ClickTab(TclPageControl* control, int tabIndex)
    {
        const win::POINT at = TabCenter(control, tabIndex);
        driver.Click(control->Handle(), win::TestDriver::Button::Left, at.x, at.y);
        driver.Pump();
    }
    // The captions of the sheets that are visible.
    static std::vector<std::string> Shown(TclPageControl* control)
    {
        std::vector<std::string> shown;
        for (int i = 0; i < control->PageCount(); ++i) {
            if (control->Pages(i)->Visible()) {
                shown.push_back(control->Pages(i)->Caption());
            }
        }
        return shown;
    }

    PageLog log;
};

}  // namespace pctest
