// Lays out a tab control in the Slanted or the OneNote style from arbitrary settings and tabs, takes
// every displayed tab's shape and clip regions, hit-tests points and paints the control into a small
// memory context. Every region must lie within its tab's full rectangle grown by one pixel.
// Layout: 1 byte style and settings (OneNote, tab position, MultiLine, Rotate, slant kind, slant
// positions), 2 + 2 bytes width and height (mod 2001), 2 + 2 bytes TabHeight and TabWidth (-50 to 2000),
// 2 bytes Options, 1 byte tab count (mod 41), per tab 1 byte (caption length mod 16, hidden, disabled,
// highlighted, coloured) and its caption's bytes, 1 byte current tab, then points to hit-test and to hover.
#include "controls/Controls.h"
#include "controls/pagecontrol/PageControl.h"
#include "controls/pagecontrol/clPC.h"
#include "controls/pagecontrol/clPCSlantedPainter.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Region.h"
#include "platform/gui/core/Form.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Paint.h"
#include "platform/wintypes/Messages.h"
#include "tests/fuzz/FuzzInput.h"
#include "tests/support/GuiLibraries.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

using namespace pagecontrol;

int Ranged(fuzz::ByteReader& in)
{
    const int word = in.Byte() | (in.Byte() << 8);
    return -50 + word % 2051;
}

void CheckWithin(controls::TclRegion& region, const win::RECT& full)
{
    win::RECT box{};
    if (win::GetRgnBox(region.Handle(), &box) == win::NULLREGION) {
        return;
    }
    fuzz::Check(box.left >= full.left - 1 && box.top >= full.top - 1 && box.right <= full.right + 1
                && box.bottom <= full.bottom + 1);
}

void CheckRegions(TclCustomTabControl& control)
{
    auto* painter = dynamic_cast<TclPCSlantedPainter*>(control.Painter());
    fuzz::Check(painter != nullptr);
    for (int i = 0; i < control.VisibleTabs().Count(); ++i) {
        TclTab* tab = control.VisibleTabs().Tab(i);
        if (!tab->IsDisplayed()) {
            continue;
        }
        const win::RECT full = tab->FullRect();
        CheckWithin(*painter->GetTabShapeRegion(i, false), full);
        CheckWithin(*painter->GetTabShapeRegion(i, true), full);
        CheckWithin(*painter->GetTabClipRegion(i), full);
    }
    const int current = control.CurrentVisibleIndex();
    fuzz::Check(current >= -1 && current < control.VisibleTabs().Count());
}

void PaintSmall(TclCustomTabControl& control)
{
    const win::HDC dc = win::CreateCompatibleDC(nullptr);
    const win::HBITMAP bitmap = win::CreateBitmap(48, 32, 1, 32, nullptr);
    const win::HGDIOBJ old = win::SelectObject(dc, bitmap);
    win::SendMessage(control.Handle(), win::WM_PRINTCLIENT, reinterpret_cast<win::WPARAM>(dc), win::PRF_CLIENT);
    win::SelectObject(dc, old);
    win::DeleteObject(bitmap);
    win::DeleteDC(dc);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The libraries end before the program's static objects do.
    static gui::TForm* form = nullptr;
    static const bool started = (testsupport::StartGuiLibraries(), controls::initialize(), pagecontrol::initialize(),
                                 form = new gui::TForm(nullptr), std::atexit([] {
                                     delete form;
                                     pagecontrol::finalize();
                                     controls::finalize();
                                     testsupport::EndGuiLibraries();
                                 }),
                                 true);
    (void)started;
    fuzz::ByteReader in(data, size);
    const std::uint8_t settings = in.Byte();
    const int width = (in.Byte() | (in.Byte() << 8)) % 2001;
    const int height = (in.Byte() | (in.Byte() << 8)) % 2001;
    const int tabHeight = Ranged(in);
    const int tabWidth = Ranged(in);
    const TclPCOptions options = TclPCOptions((in.Byte() | (in.Byte() << 8)) & 0x7FF);

    auto control = std::make_unique<TclCustomTabControl>(nullptr);
    control->SetStyle(settings & 1 ? 10 : 9);
    control->SetBounds(0, 0, width, height);
    control->SetParent(form);
    control->SetTabHeight(tabHeight);
    control->SetTabWidth(tabWidth);
    control->SetTabPosition(TclTabPosition((settings >> 1) & 3));
    control->SetMultiLine(settings & 8);
    try {
        control->SetRotate(settings & 16);
    } catch (const rtl::Exception&) {
        fuzz::Check(control->Style() == 10);
    }
    control->TabSlants()->SetKind(settings & 32 ? skCutCorner : skSlant);
    control->TabSlants()->SetPositions(TclTabSlantPositions(settings >> 6));
    control->SetOptions(options);
    control->SetHotTrack(true);
    const int count = in.Byte() % 41;
    for (int i = 0; i < count; ++i) {
        const std::uint8_t flags = in.Byte();
        std::string caption;
        for (int n = flags & 15; n > 0; --n) {
            caption += char(in.Byte());
        }
        control->Tabs()->Add(caption);
        TclTab* tab = control->Tabs()->Tab(i);
        tab->SetVisible(!(flags & 16));
        tab->SetEnabled(!(flags & 32));
        tab->SetHighlighted(flags & 64);
        if (flags & 128) {
            tab->SetColor(gui::clWindow);
        }
    }
    if (count > 0) {
        control->SetTabIndex(in.Byte() % count);
    }
    CheckRegions(*control);
    PaintSmall(*control);
    while (in.More()) {
        const int x = (in.Byte() | (in.Byte() << 8)) % 2001;
        const int y = (in.Byte() | (in.Byte() << 8)) % 2001;
        const int hit = control->VisibleIndexAt(x, y);
        fuzz::Check(hit >= -1 && hit < control->VisibleTabs().Count());
        win::SendMessage(control->Handle(), win::WM_MOUSEMOVE, 0, win::LPARAM((y << 16) | (x & 0xFFFF)));
        CheckRegions(*control);
    }
    PaintSmall(*control);
    return 0;
}
