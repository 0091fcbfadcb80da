// Lays out a tab control made of arbitrary settings and tabs, then hit-tests and presses keys on it.
// Every pass must end, every displayed tab must lie inside the control, and the current visible index
// must be -1 or a visible tab's.
// Layout: 2 bytes tab count (mod 301), 2 + 2 bytes width and height (mod 40001), 2 + 2 bytes TabWidth and
// TabHeight (signed), 1 byte settings (tab position, MultiLine, RaggedRight, Rotate, ScrollOpposite,
// navigator position), 2 bytes Options, 1 + 1 bytes spacing (signed), 1 byte tab height of the painter,
// per tab 2 bytes (width / 4 of the painter, 255 for the standard width; hidden, disabled, caption
// length), then the captions' bytes, then keys and points.
#include "controls/Controls.h"
#include "controls/pagecontrol/PageControl.h"
#include "controls/pagecontrol/clPC.h"
#include "controls/pagecontrol/clPCStandardPainter.h"
#include "platform/win/Input.h"
#include "tests/support/GuiLibraries.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace pagecontrol;

struct Input {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at = 0;
    std::uint8_t Byte() { return at < size ? data[at++] : 0; }
    int Word() { return Byte() | (Byte() << 8); }
    int Signed() { return static_cast<std::int16_t>(Word()); }
    bool More() const { return at < size; }
};

struct Shape {
    std::vector<int> widths;
    int height = 0;
    TclPCDistance spacing;
};
Shape shape;

class FuzzPainter : public TclPCStandardPainter {
public:
    using TclPCStandardPainter::TclPCStandardPainter;
    int CalculateTabNormalWidth(TclTab* tab) override
    {
        const int width = shape.widths[std::size_t(tab->Index())];
        return width < 0 ? TclPCStandardPainter::CalculateTabNormalWidth(tab) : width;
    }
    int CalculateTabNormalHeight() override { return shape.height; }
    void GetTabsSpacing(TclPCDistance& spacing) override { spacing = shape.spacing; }
    gui::TColor GetTabBodyColor(int) override { return gui::clBtnFace; }
};

class FuzzPainterClass : public TclPCStandardPainterClassInfo {
public:
    FuzzPainterClass() : TclPCStandardPainterClassInfo(TclPCCustomPainter::StaticClass()) {}
    TclPCStyleID GetStyleID() const override { return 100; }
    std::unique_ptr<TclPCCustomPainter> Create(TclCustomTabControl* control) const override
    {
        return std::make_unique<FuzzPainter>(control, this);
    }
};
const FuzzPainterClass fuzzClass;

void Check(TclCustomTabControl& control)
{
    const int width = control.Width();
    const int height = control.Height();
    for (int i = 0; i < control.VisibleTabs().Count(); ++i) {
        const win::RECT rect = control.VisibleTabs().Tab(i)->VisibleRect();
        if (rect.right > rect.left && rect.bottom > rect.top
            && (rect.left < 0 || rect.top < 0 || rect.right > width || rect.bottom > height)) {
            std::abort();
        }
    }
    const int current = control.CurrentVisibleIndex();
    if (current < -1 || current >= control.VisibleTabs().Count()) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The libraries end before the program's static objects do.
    static const bool started = (testsupport::StartGuiLibraries(), controls::initialize(), pagecontrol::initialize(),
                                 clPCRegisterPainter(&fuzzClass), std::atexit([] {
                                     clPCUnregisterPainter(&fuzzClass);
                                     pagecontrol::finalize();
                                     controls::finalize();
                                     testsupport::EndGuiLibraries();
                                 }),
                                 true);
    (void)started;
    Input in{data, size};
    const int count = in.Word() % 301;
    const int width = in.Word() % 40001;
    const int height = in.Word() % 40001;
    const int tabWidth = in.Signed();
    const int tabHeight = in.Signed();
    const std::uint8_t settings = in.Byte();
    const TclPCOptions options = TclPCOptions(in.Word() & 0x7FF);
    shape.spacing = {static_cast<std::int8_t>(in.Byte()), static_cast<std::int8_t>(in.Byte())};
    shape.height = in.Byte();
    shape.widths.assign(std::size_t(count), 0);
    std::vector<std::uint8_t> flags(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const std::uint8_t w = in.Byte();
        shape.widths[std::size_t(i)] = w == 255 ? -1 : w * 4;
        flags[std::size_t(i)] = in.Byte();
    }

    TclCustomTabControl control(nullptr);
    control.SetStyle(fuzzClass.GetStyleID());
    control.SetBounds(0, 0, width, height);
    control.SetTabWidth(tabWidth);
    control.SetTabHeight(tabHeight);
    control.SetTabPosition(TclTabPosition(settings & 3));
    control.SetMultiLine(settings & 4);
    control.SetRaggedRight(settings & 8);
    control.SetRotate(settings & 16);
    control.SetScrollOpposite(settings & 32);
    control.SetNavigatorPosition(TclPCNavigatorPosition(settings >> 6));
    control.SetOptions(options);
    for (int i = 0; i < count; ++i) {
        std::string caption;
        for (int n = flags[std::size_t(i)] >> 2; n > 0; --n) {
            caption += char(in.Byte());
        }
        control.Tabs()->Add(caption);
        control.Tabs()->Tab(i)->SetVisible(!(flags[std::size_t(i)] & 1));
        control.Tabs()->Tab(i)->SetEnabled(!(flags[std::size_t(i)] & 2));
    }
    Check(control);
    static const win::WORD keys[] = {win::VK_LEFT, win::VK_RIGHT, win::VK_UP,     win::VK_DOWN,
                                     win::VK_HOME, win::VK_END,   win::VK_TAB,    win::VK_RETURN};
    while (in.More()) {
        const std::uint8_t action = in.Byte();
        if (action & 0x80) {
            control.VisibleIndexAt(in.Signed(), in.Signed());
            control.ScrollTabs(action & 1 ? nbBottomRight : nbTopLeft);
        } else {
            win::WORD key = keys[action & 7];
            control.ProcessNavigationKey(key, gui::TShiftState((action >> 3) & 7));
        }
        Check(control);
    }
    return 0;
}
