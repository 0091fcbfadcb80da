// The painter-drawn scroll bar: its geometry, the range checks, arrow repeat on the virtual clock,
// thumb tracking with its snap-back zone, and what it asks the painter to draw.

#include "controls/clExtendedStylePainters.h"
#include "controls/clScrollBar.h"

#include "platform/classes/ComponentReader.h"
#include "platform/classes/ComponentWriter.h"
#include "platform/classes/TextForm.h"
#include "platform/gdi/FrameControls.h"
#include "platform/gui/core/Messages.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Paint.h"
#include "platform/win/Window.h"

#include "tests/controls/DrivenFixture.h"
#include "tests/controls/SurfaceCanvas.h"
#include "tests/support/DrawingSurface.h"

#include <string>
#include <vector>

namespace controlstest {
namespace {

using controls::TclScrollBar;

struct PaintCall {
    win::RECT rect;
    int part;
    int state;
    friend bool operator==(const PaintCall&, const PaintCall&) = default;
};

void PrintTo(const PaintCall& call, std::ostream* os)
{
    *os << "part " << call.part << " state " << call.state << " ";
    win::PrintTo(call.rect, os);
}

// A skin's painter, an Office 2003 child, whose answers the test sets.
class RecordingPainter : public controls::TclOffice11LookAndFeelPainter {
public:
    RecordingPainter() = default;
    bool HasHotButtons() const override { return hotButtons; }
    int ScrollThumbMinExtent(bool) const override { return minThumb; }
    void PaintScrollBarPart(controls::TclCanvas&, bool horizontal, const win::RECT& rect,
                            controls::TclScrollBarPart part, controls::TclButtonState state) const override
    {
        calls.push_back({rect, part, state});
        EXPECT_TRUE(horizontal);
    }
    static inline bool hotButtons = true;
    static inline int minThumb = 8;
    static inline std::vector<PaintCall> calls;
};
const RecordingPainter recordingPainter;

// A bar drawn by the recording painter's skin.
class RecordingBar : public TclScrollBar {
public:
    explicit RecordingBar(classes::TComponent* owner) : TclScrollBar(owner) { LookAndFeel()->SetSkinName("Recording"); }
};

// The scroll codes and positions a bar reported.
struct ScrollLog {
    std::vector<std::pair<int, int>> events;
    int answer = -1;
    void Scroll(classes::TObject*, controls::TclScrollCode code, int& position)
    {
        events.emplace_back(code, position);
        if (answer >= 0) {
            position = answer;
        }
    }
    int EndScrolls() const
    {
        return int(std::count_if(events.begin(), events.end(), [](auto& e) { return e.first == 8; }));
    }
};

class ScrollBarTest : public DrivenTest {
protected:
    void SetUp() override
    {
        DrivenTest::SetUp();
        RecordingPainter::hotButtons = true;
        RecordingPainter::minThumb = 8;
        std::unique_ptr<classes::TObject> data = std::make_unique<classes::TObject>();
        ASSERT_TRUE(controls::clGetStylePainterRegistry()->RegisterStylePainter("Recording", &recordingPainter, data));
        form = new gui::TForm(nullptr);
        form->SetBorderStyle(gui::bsNone);
        form->SetBounds(100, 100, 300, 200);
        bar = new RecordingBar(form);
        bar->SetBounds(10, 50, 121, 16);
        bar->SetParent(form);
        bar->OnScroll = controls::TclScrollEvent::Of<&ScrollLog::Scroll>(&log);
        form->Show();
        driver.Pump();
    }
    void TearDown() override
    {
        delete form;
        DrivenTest::TearDown();
    }
    win::RECT Thumb() const { return bar->ViewInfo()->ThumbRect(); }

    gui::TForm* form = nullptr;
    RecordingBar* bar = nullptr;
    ScrollLog log;
};

TEST_F(ScrollBarTest, GeometryOfAHorizontalBar)
{
    ASSERT_EQ(win::GetSystemMetrics(win::SM_CYHSCROLL), 16);
    ASSERT_EQ(win::GetSystemMetrics(win::SM_CXHTHUMB), 16);
    bar->SetPosition(40);
    const controls::TclScrollBarViewInfo& info = *bar->ViewInfo();
    EXPECT_EQ(info.TopLeftArrowRect(), (win::RECT{0, 0, 16, 16}));
    EXPECT_EQ(info.BottomRightArrowRect(), (win::RECT{105, 0, 121, 16}));
    EXPECT_EQ(Thumb(), (win::RECT{45, 0, 61, 16}));
    EXPECT_EQ(info.PageUpRect(), (win::RECT{16, 0, 45, 16}));
    EXPECT_EQ(info.PageDownRect(), (win::RECT{61, 0, 105, 16}));

    bar->ApplyScrollParams(0, 100, 45, 10);
    EXPECT_EQ(Thumb(), (win::RECT{56, 0, 65, 16}));
    bar->SetPageSize(101);
    EXPECT_EQ(Thumb(), (win::RECT{16, 0, 105, 16})) << "a page as long as the range fills the track";
    EXPECT_EQ(bar->PositionFromThumb(), 0) << "a thumb that cannot move stands for Min";

    bar->SetPageSize(0);
    bar->SetBounds(10, 50, 20, 16);
    EXPECT_EQ(info.TopLeftArrowRect(), (win::RECT{0, 0, 10, 16}));
    EXPECT_EQ(info.BottomRightArrowRect(), (win::RECT{10, 0, 20, 16}));
    EXPECT_FALSE(info.HasThumb());
}

TEST_F(ScrollBarTest, ThePainterSetsTheMinimumThumb)
{
    ASSERT_EQ(bar->LookAndFeel()->PainterForThemedType(controls::totScrollBar), &recordingPainter);
    RecordingPainter::minThumb = 20;
    bar->LookAndFeel()->RefreshAll();
    bar->ApplyScrollParams(0, 100, 0, 10);
    EXPECT_EQ(Thumb(), (win::RECT{16, 0, 36, 16})) << "a 9-pixel page thumb grows to the painter's minimum";
    RecordingPainter::minThumb = 90;
    bar->LookAndFeel()->RefreshAll();
    EXPECT_FALSE(bar->ViewInfo()->HasThumb()) << "a track shorter than the minimum has no thumb";
}

TEST_F(ScrollBarTest, VerticalBarSwapsItsSizeAndLaysOutDownwards)
{
    bar->SetKind(gui::sbVertical);
    EXPECT_EQ(bar->Width(), 16);
    EXPECT_EQ(bar->Height(), 121);
    bar->SetPosition(100);
    EXPECT_EQ(bar->ViewInfo()->TopLeftArrowRect(), (win::RECT{0, 0, 16, 16}));
    EXPECT_EQ(Thumb(), (win::RECT{0, 89, 16, 105}));
    EXPECT_EQ(bar->HitTest({8, 95}), controls::clsbpThumb);
    EXPECT_EQ(bar->HitTest({8, 50}), controls::clsbpFirstPage);
    EXPECT_EQ(bar->HitTest({8, 110}), controls::clsbpSecondButton);
    EXPECT_EQ(bar->HitTest({20, 50}), controls::clsbpNone);
}

TEST_F(ScrollBarTest, RangeErrorsChangeNothing)
{
    bar->ApplyScrollParams(0, 100, 30, 10);
    for (auto apply : {+[](TclScrollBar* b) { b->SetMax(-1); }, +[](TclScrollBar* b) { b->SetPageSize(200); },
                       +[](TclScrollBar* b) { b->SetMin(101); }}) {
        try {
            apply(bar);
            ADD_FAILURE() << "no range error";
        } catch (const rtl::EInvalidOperation& e) {
            EXPECT_STREQ(e.what(), "Scrollbar property out of range");
        }
        EXPECT_EQ(bar->Min(), 0);
        EXPECT_EQ(bar->Max(), 100);
        EXPECT_EQ(bar->PageSize(), 10);
        EXPECT_EQ(bar->Position(), 30);
    }
    bar->SetPosition(500);
    EXPECT_EQ(bar->Position(), 100);
    // Extreme ranges stay in 64 bits.
    bar->ApplyScrollParams(INT32_MIN, INT32_MAX, 0, 0);
    EXPECT_EQ(Thumb(), (win::RECT{53, 0, 69, 16}));
    bar->ApplyScrollParams(INT32_MIN, INT32_MAX, INT32_MAX, 1000000);
    EXPECT_EQ(Thumb().right, 105);
}

TEST_F(ScrollBarTest, StoredRangeErrorsNameTheProperty)
{
    struct Case {
        const char* text;
        const char* property;
    };
    for (const Case c : {Case{"Max = -5", "Max"}, Case{"PageSize = 500", "PageSize"}, Case{"Min = 200", "Min"}}) {
        TclScrollBar stored(nullptr);
        const std::string text = std::string("object Bar1: TclScrollBar\n  Max = 50\n  ") + c.text + "\nend\n";
        rtl::TStringStream stream(classes::ObjectTextToBinary(text));
        try {
            classes::TReader(stream).ReadRootComponent(&stored);
            ADD_FAILURE() << "no error for " << c.text;
        } catch (const rtl::EReadError& e) {
            EXPECT_NE(e.Message().find(c.property), std::string::npos) << e.Message();
            EXPECT_NE(e.Message().find("Scrollbar property out of range"), std::string::npos) << e.Message();
        }
        EXPECT_EQ(stored.Min(), 0) << c.text;
        EXPECT_EQ(stored.Max(), 50) << c.text;
        EXPECT_EQ(stored.PageSize(), 0) << c.text;
    }
}

TEST_F(ScrollBarTest, Ctl3DIsStoredOnlyWhenNotTakenFromTheParent)
{
    struct Case {
        bool parentCtl3D;
        bool ctl3D;
        const char* stored;  // nullptr: not written
    };
    const Case cases[] = {{true, true, nullptr}, {true, false, nullptr}, {false, false, "Ctl3D = False"},
                          {false, true, "Ctl3D = True"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "ParentCtl3D " << c.parentCtl3D << " Ctl3D " << c.ctl3D);
        TclScrollBar written(nullptr);
        written.SetName("Bar1");
        written.SetCtl3D(c.ctl3D);
        written.SetParentCtl3D(c.parentCtl3D);
        rtl::TMemoryStream binary;
        classes::TWriter(binary).WriteRootComponent(&written);
        const std::string text =
            classes::ObjectBinaryToText(std::string_view(binary.Memory(), std::size_t(binary.Size())));
        if (!c.stored) {
            EXPECT_EQ(text.find("Ctl3D ="), std::string::npos) << text;
            continue;
        }
        EXPECT_NE(text.find(c.stored), std::string::npos) << text;
        TclScrollBar read(nullptr);
        rtl::TStringStream stream(classes::ObjectTextToBinary(text));
        classes::TReader(stream).ReadRootComponent(&read);
        EXPECT_EQ(read.Ctl3D(), c.ctl3D);
        EXPECT_FALSE(read.ParentCtl3D());
    }
}

TEST_F(ScrollBarTest, OnScrollAnswerIsClamped)
{
    log.answer = 500;
    bar->Perform(gui::CN_HSCROLL, controls::scLineDown, 0);
    EXPECT_EQ(bar->Position(), 100);
    bar->Perform(gui::CN_HSCROLL, 9, 0);
    bar->Perform(gui::CN_HSCROLL, 0xFFFF, 0);
    EXPECT_EQ(log.events.size(), 1u) << "codes beyond end-scroll are ignored";
}

TEST_F(ScrollBarTest, HeldArrowRepeatsAfter400AndThenEvery60Milliseconds)
{
    std::vector<std::pair<std::uint64_t, int>> changes;
    struct Recorder {
        std::vector<std::pair<std::uint64_t, int>>* changes;
        rtl::VirtualClock* clock;
        RecordingBar* bar;
        void Changed(classes::TObject*) { changes->emplace_back(clock->TickCount64(), bar->Position()); }
    } recorder{&changes, &clock, bar};
    bar->OnChange = classes::TNotifyEvent::Of<&Recorder::Changed>(&recorder);
    const win::HWND hwnd = bar->Handle();
    driver.MouseMove(hwnd, 110, 8);
    driver.Pump();
    const std::uint64_t t = clock.TickCount64();
    driver.MouseDown(hwnd, win::TestDriver::Button::Left, 110, 8);
    driver.Pump();
    driver.At(t + 530, [&] { driver.MouseMove(hwnd, 50, 8); });
    driver.At(t + 700, [&] { driver.MouseMove(hwnd, 110, 8); });
    driver.AdvanceBy(770);
    EXPECT_EQ(changes, (std::vector<std::pair<std::uint64_t, int>>{
                           {t, 1}, {t + 400, 2}, {t + 460, 3}, {t + 520, 4}, {t + 760, 5}}));
    EXPECT_EQ(bar->Position(), 5);
    driver.MouseUp(hwnd, win::TestDriver::Button::Left, 110, 8);
    driver.Pump();
    EXPECT_EQ(log.EndScrolls(), 1);
    driver.AdvanceBy(500);
    EXPECT_EQ(bar->Position(), 5) << "the repeat ended with the press";
}

TEST_F(ScrollBarTest, DraggedThumbTracksAndSnapsBackFarFromTheBar)
{
    bar->SetPosition(40);
    const win::HWND hwnd = bar->Handle();
    driver.MouseDown(hwnd, win::TestDriver::Button::Left, 50, 8);
    driver.Pump();
    EXPECT_EQ(log.events.front(), (std::pair<int, int>{controls::scTrack, 40}));
    driver.MouseMove(hwnd, 70, 8);
    driver.Pump();
    EXPECT_EQ(bar->Position(), 67);
    EXPECT_EQ(log.events.back(), (std::pair<int, int>{controls::scTrack, 67}));
    driver.MouseMove(hwnd, 70, -140);
    driver.Pump();
    EXPECT_EQ(bar->Position(), 40);
    EXPECT_EQ(Thumb(), (win::RECT{45, 0, 61, 16}));
    driver.MouseMove(hwnd, 70, -130);
    driver.Pump();
    EXPECT_EQ(bar->Position(), 67) << "inside the 136-pixel zone the thumb follows again";
    log.events.clear();
    driver.MouseUp(hwnd, win::TestDriver::Button::Left, 70, 8);
    driver.Pump();
    EXPECT_EQ(bar->Position(), 67);
    EXPECT_EQ(log.events, (std::vector<std::pair<int, int>>{{controls::scPosition, 67}, {controls::scEndScroll, 67}}));
}

TEST_F(ScrollBarTest, ABarFreedByItsOnScrollEndsThePressCleanly)
{
    struct Freer {
        TclScrollBar* bar;
        controls::TclScrollCode when;
        void Scroll(classes::TObject*, controls::TclScrollCode code, int&)
        {
            if (code == when && bar) {
                TclScrollBar* victim = bar;
                bar = nullptr;
                delete victim;
            }
        }
    };
    // Freed at the press, at the first repeat, while tracking the thumb, and at the end of a press.
    const struct {
        controls::TclScrollCode when;
        int pressX;
        int moveX;
    } cases[] = {{controls::scLineDown, 110, 110}, {controls::scTrack, 50, 70}, {controls::scEndScroll, 110, 110}};
    for (const auto& c : cases) {
        auto* victim = new TclScrollBar(form);
        victim->SetBounds(10, 100, 121, 16);
        victim->SetParent(form);
        victim->SetPosition(40);
        victim->Repaint();
        Freer freer{victim, c.when};
        victim->OnScroll = controls::TclScrollEvent::Of<&Freer::Scroll>(&freer);
        const win::HWND hwnd = victim->Handle();
        if (c.when == controls::scTrack) {
            // The press itself reports a track: free on the drag's first move instead.
            freer.bar = nullptr;
        }
        driver.MouseDown(hwnd, win::TestDriver::Button::Left, c.pressX, 8);
        driver.Pump();
        freer.bar = freer.bar ? freer.bar : (win::IsWindow(hwnd) ? victim : nullptr);
        if (win::IsWindow(hwnd)) {
            driver.MouseMove(hwnd, c.moveX, 8);
            driver.Pump();
        }
        driver.AdvanceBy(500);
        if (win::IsWindow(hwnd)) {
            driver.MouseUp(hwnd, win::TestDriver::Button::Left, c.moveX, 8);
        } else {
            driver.MouseUp(form->Handle(), win::TestDriver::Button::Left, 100, 100);
        }
        driver.Pump();
        EXPECT_EQ(freer.bar, nullptr) << int(c.when);
        EXPECT_FALSE(win::IsWindow(hwnd)) << int(c.when);
    }
}

TEST_F(ScrollBarTest, CancelModeAndDisablingEndAPressOnce)
{
    const win::HWND hwnd = bar->Handle();
    driver.MouseDown(hwnd, win::TestDriver::Button::Left, 110, 8);
    driver.Pump();
    bar->Perform(win::WM_CANCELMODE, 0, 0);
    EXPECT_EQ(bar->PressedPart(), controls::clsbpNone);
    EXPECT_EQ(log.EndScrolls(), 1);
    bar->Perform(win::WM_CANCELMODE, 0, 0);
    EXPECT_EQ(log.EndScrolls(), 1);
    driver.MouseUp(hwnd, win::TestDriver::Button::Left, 110, 8);
    driver.Pump();

    driver.MouseDown(hwnd, win::TestDriver::Button::Left, 5, 8);
    driver.Pump();
    bar->SetEnabled(false);
    EXPECT_EQ(log.EndScrolls(), 2);
    EXPECT_EQ(bar->PressedPart(), controls::clsbpNone);
    driver.AdvanceBy(1000);
    EXPECT_EQ(log.EndScrolls(), 2);
}

TEST_F(ScrollBarTest, PainterSeesThePartsInOrderWithTheirStates)
{
    bar->SetPosition(40);
    const win::HWND hwnd = bar->Handle();
    auto paint = [&] {
        RecordingPainter::calls.clear();
        bar->Repaint();
        return RecordingPainter::calls;
    };
    using Calls = std::vector<PaintCall>;
    EXPECT_EQ(paint(), (Calls{{{45, 0, 61, 16}, 3, 1}, {{0, 0, 16, 16}, 1, 1}, {{105, 0, 121, 16}, 2, 1},
                              {{16, 0, 45, 16}, 4, 1}, {{61, 0, 105, 16}, 5, 1}}));

    driver.MouseMove(hwnd, 50, 8);
    driver.Pump();
    EXPECT_EQ(paint()[0].state, 2) << "the hot thumb";
    RecordingPainter::hotButtons = false;
    EXPECT_EQ(paint()[0].state, 1) << "without hot buttons the thumb is always normal";

    driver.MouseDown(hwnd, win::TestDriver::Button::Left, 110, 8);
    driver.Pump();
    EXPECT_EQ(paint()[2].state, 3) << "a pressed arrow under the pointer";
    driver.MouseMove(hwnd, 90, 8);
    driver.Pump();
    EXPECT_EQ(paint()[2].state, 1) << "a pressed arrow away from the pointer";
    driver.MouseUp(hwnd, win::TestDriver::Button::Left, 90, 8);
    driver.Pump();

    bar->SetEnabled(false);
    for (const PaintCall& call : paint()) {
        EXPECT_EQ(call.state, 4) << call.part;
    }

    bar->SetEnabled(true);
    bar->SetBounds(10, 50, 20, 16);
    EXPECT_EQ(paint(), (Calls{{{0, 0, 20, 16}, 4, 1}, {{0, 0, 10, 16}, 1, 1}, {{10, 0, 20, 16}, 2, 1}}));
}

// A bar that fills its parts in colours: arrows blue, thumb red, pages green.
class ColouredBar : public TclScrollBar {
public:
    using TclScrollBar::TclScrollBar;

protected:
    void PaintOnePart(controls::TclCanvas& canvas, const win::RECT& rect, controls::TclScrollBarPart part,
                      int) override
    {
        const gui::TColor colour = part == controls::clsbpThumb ? gui::clRed
                                   : part == controls::clsbpFirstButton || part == controls::clsbpSecondButton
                                       ? gui::clBlue
                                       : gui::clLime;
        canvas.FillRectColor(rect, colour);
    }
};

TEST_F(ScrollBarTest, PartsReachTheWindowWhereTheyBelongWhateverIsRepainted)
{
    auto* coloured = new ColouredBar(form);
    coloured->SetBounds(10, 100, 121, 16);
    coloured->SetParent(form);
    coloured->SetPosition(40);
    coloured->Repaint();
    const win::HWND hwnd = coloured->Handle();
    struct Probe {
        int x;
        gui::TColor colour;
    };
    const Probe probes[] = {{5, gui::clBlue}, {30, gui::clLime}, {50, gui::clRed}, {80, gui::clLime}, {110, gui::clBlue}};
    for (const Probe p : probes) {
        EXPECT_EQ(win::TestDriver::PixelAt(hwnd, p.x, 8), gui::ColorToRGB(p.colour)) << p.x;
    }
    // Only the right end is painted again.
    const win::RECT right{100, 0, 121, 16};
    win::InvalidateRect(hwnd, &right, win::FALSE);
    coloured->Update();
    for (const Probe p : probes) {
        EXPECT_EQ(win::TestDriver::PixelAt(hwnd, p.x, 8), gui::ColorToRGB(p.colour)) << p.x;
    }
}

// A bar of its own kind drawn by the classic painters: what reaches the window.
TEST_F(ScrollBarTest, ClassicLooksReachTheWindow)
{
    auto* plain = new TclScrollBar(form);
    plain->SetBounds(10, 100, 121, 16);
    plain->SetParent(form);
    plain->LookAndFeel()->SetNativeStyle(false);
    plain->LookAndFeel()->SetKind(controls::lfStandard);
    plain->SetPosition(40);
    plain->Repaint();
    const win::HWND hwnd = plain->Handle();

    // Standard: the system's scroll arrows under the two-pixel border, the page areas checked.
    const auto arrow = [](win::UINT direction) {
        auto surface = std::make_unique<testsupport::Surface>(16, 16, win::RGB(1, 2, 3));
        win::RECT face{0, 0, 16, 16};
        win::DrawFrameControl(surface->DC(), &face, win::DFC_SCROLL, direction);
        SurfaceCanvas on(*surface);
        on.canvas.DrawTwoToneFrame(win::RECT{0, 0, 16, 16}, gui::clBtnFace, gui::cl3DDkShadow);
        on.canvas.DrawTwoToneFrame(win::RECT{1, 1, 15, 15}, gui::clBtnHighlight, gui::clBtnShadow);
        return surface;
    };
    struct Arrow {
        int left;
        win::UINT direction;
    };
    for (const Arrow a : {Arrow{0, win::DFCS_SCROLLLEFT}, Arrow{105, win::DFCS_SCROLLRIGHT}}) {
        const auto reference = arrow(a.direction);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                ASSERT_EQ(win::TestDriver::PixelAt(hwnd, a.left + x, y), win::GetPixel(reference->DC(), x, y))
                    << "arrow at " << a.left << ": " << x << ", " << y;
    }
    for (const int left : {16, 61}) {
        for (int y = 0; y < 16; ++y)
            for (int x = left; x < left + 20; ++x)
                ASSERT_EQ(win::TestDriver::PixelAt(hwnd, x, y),
                          gui::ColorToRGB((x + y) % 2 ? gui::clBtnHighlight : gui::clBtnFace))
                    << x << ", " << y;
    }

    // UltraFlat: the arrow under the pointer takes the hot fill inside its highlight frame.
    plain->LookAndFeel()->SetKind(controls::lfUltraFlat);
    driver.MouseMove(hwnd, 5, 8);
    driver.Pump();
    plain->Update();
    EXPECT_EQ(win::TestDriver::PixelAt(hwnd, 0, 0), gui::ColorToRGB(gui::clHighlight));
    EXPECT_EQ(win::TestDriver::PixelAt(hwnd, 3, 3), gui::ColorToRGB(controls::clHotTintColor()));
    EXPECT_NE(win::TestDriver::PixelAt(hwnd, 108, 3), gui::ColorToRGB(controls::clHotTintColor()))
        << "the other arrow is not hot";
    driver.MouseMove(hwnd, 110, 8);
    driver.Pump();
    plain->Update();
    EXPECT_EQ(win::TestDriver::PixelAt(hwnd, 108, 3), gui::ColorToRGB(controls::clHotTintColor()));
    EXPECT_NE(win::TestDriver::PixelAt(hwnd, 3, 3), gui::ColorToRGB(controls::clHotTintColor()));
}

}  // namespace
}  // namespace controlstest
