// The screen object: its cursor table (system cursors and the library's own from the program's
// resources), the cursor over everything, the forms and the active control; the mouse and the clipboard.

#include "platform/gdi/GdiObjects.h"
#include "platform/gui/core/Clipboard.h"
#include "platform/gui/core/Screen.h"
#include "platform/win/Clipboard.h"
#include "platform/win/Cursor.h"
#include "platform/win/Icon.h"
#include "platform/win/Window.h"

#include "tests/platform/gui/core/ControlsFixture.h"
#include "tests/platform/gui/core/StoredFormClasses.h"

#include <fstream>
#include <iterator>

namespace guitest {
namespace {

std::string ProgramCursorFile(const std::string& name)
{
    std::ifstream in(std::string(RIVUVE_FIXTURES) + "/../../resources/CURSOR/" + name + ".cur", std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class ScreenTest : public ControlsTest {};

TEST_F(ScreenTest, TheCursorTableHoldsTheSystemsCursorsAndTheLibrarysOwnFromTheResources)
{
    gui::TScreen& screen = *gui::Screen();
    struct Case {
        gui::TCursor id;
        const char* system;
    };
    const Case system[] = {
        {gui::crArrow, win::IDC_ARROW},     {gui::crIBeam, win::IDC_IBEAM},       {gui::crHourGlass, win::IDC_WAIT},
        {gui::crHandPoint, win::IDC_HAND},  {gui::crSize, win::IDC_SIZEALL},      {gui::crSizeAll, win::IDC_SIZEALL},
        {gui::crNo, win::IDC_NO},           {gui::crSizeWE, win::IDC_SIZEWE},     {gui::crDefault, win::IDC_ARROW},
    };
    for (const Case& c : system) {
        EXPECT_EQ(screen.Cursors(c.id), win::LoadCursor(nullptr, c.system)) << c.id;
    }
    EXPECT_EQ(screen.Cursors(gui::crNone), nullptr);
    EXPECT_EQ(screen.Cursors(1234), win::LoadCursor(nullptr, win::IDC_ARROW)) << "an unknown id shows the arrow";
    // The library's own cursors are the program's, 32 x 32 with their hot spots.
    const win::HCURSOR arrow = win::LoadCursor(nullptr, win::IDC_ARROW);
    EXPECT_EQ(screen.Cursors(gui::crDrag), arrow) << "the arrow while the program's resources are not there";
    TestResources resources;
    struct Own {
        gui::TCursor id;
        const char* name;
        win::DWORD hotX;
        win::DWORD hotY;
    };
    const Own own[] = {{gui::crDrag, "DRAG", 0, 0},          {gui::crNoDrop, "NODROP", 15, 15},
                       {gui::crHSplit, "HSPLIT", 15, 15},    {gui::crVSplit, "VSPLIT", 15, 15},
                       {gui::crMultiDrag, "MULTIDRAG", 0, 0}, {gui::crSQLWait, "SQLWAIT", 0, 0}};
    for (const Own& c : own) {
        const std::string file = ProgramCursorFile(c.name);
        ASSERT_FALSE(file.empty()) << c.name;
        resources.Add(classes::RT_CURSOR, c.name, file);
    }
    for (const Own& c : own) {
        SCOPED_TRACE(c.name);
        const win::HCURSOR cursor = screen.Cursors(c.id);
        EXPECT_NE(cursor, arrow);
        win::ICONINFO info;
        ASSERT_TRUE(win::GetIconInfo(cursor, &info));
        EXPECT_FALSE(info.fIcon);
        EXPECT_EQ(info.xHotspot, c.hotX);
        EXPECT_EQ(info.yHotspot, c.hotY);
        win::BITMAP mask;
        ASSERT_NE(win::GetObject(info.hbmMask, sizeof mask, &mask), 0);
        EXPECT_EQ(mask.bmWidth, 32);
        EXPECT_EQ(mask.bmHeight, info.hbmColor ? 32 : 64);
    }
    // The program adds its own by id.
    screen.SetCursors(2100, screen.Cursors(gui::crDrag));
    EXPECT_EQ(screen.Cursors(2100), screen.Cursors(gui::crDrag));
}

TEST_F(ScreenTest, TheScreensCursorShowsOverEveryControlUntilItIsTheDefaultAgain)
{
    gui::TForm* form = MakeForm();
    auto* control = Make<TTestControl>(form, "Pointed", 10, 10);
    control->SetCursor(gui::crHandPoint);
    form->Show();
    driver.MouseMove(control->Handle(), 5, 5);
    driver.Pump();
    EXPECT_EQ(win::GetCursor(), win::LoadCursor(nullptr, win::IDC_HAND));
    gui::Screen()->SetCursor(gui::crHourGlass);
    EXPECT_EQ(win::GetCursor(), win::LoadCursor(nullptr, win::IDC_WAIT));
    driver.MouseMove(control->Handle(), 6, 5);
    driver.Pump();
    EXPECT_EQ(win::GetCursor(), win::LoadCursor(nullptr, win::IDC_WAIT)) << "moving keeps the screen's cursor";
    gui::Screen()->SetCursor(gui::crDefault);
    EXPECT_EQ(win::GetCursor(), win::LoadCursor(nullptr, win::IDC_HAND)) << "the control's own again at once";
    driver.MouseMove(form->Handle(), 300, 200);
    driver.Pump();
    EXPECT_EQ(win::GetCursor(), win::LoadCursor(nullptr, win::IDC_ARROW));
}

TEST_F(ScreenTest, ItKnowsTheFormsTheActiveOneAndItsFocusedControl)
{
    gui::TForm* first = MakeForm(200, 100, "First");
    gui::TForm* second = MakeForm(200, 100, "Second");
    auto* field = Make<TTestControl>(second, "Field", 10, 10);
    EXPECT_EQ(gui::Screen()->FormCount(), 2);
    first->Show();
    driver.Pump();
    EXPECT_EQ(gui::Screen()->ActiveForm(), first);
    second->Show();
    driver.Pump();
    EXPECT_EQ(gui::Screen()->ActiveForm(), second);
    EXPECT_EQ(gui::Screen()->ActiveControl(), field);
    EXPECT_EQ(gui::Screen()->Forms(0), second) << "the active form first";
    delete second;
    EXPECT_EQ(gui::Screen()->FormCount(), 1);
    driver.Pump();
    EXPECT_EQ(gui::Screen()->ActiveForm(), first) << "the activation went back to the first form";
    EXPECT_NE(gui::Screen()->ActiveControl(), field);
}

TEST_F(ScreenTest, ItsMeasuresAreTheDisplaysAndTheMousesTheSystems)
{
    gui::TScreen& screen = *gui::Screen();
    EXPECT_EQ(screen.PixelsPerInch(), 96);
    EXPECT_GT(screen.Width(), 0);
    const win::RECT work = screen.WorkAreaRect();
    EXPECT_LE(work.right, screen.Width());
    EXPECT_EQ(screen.MonitorWorkArea(screen.MonitorFromPoint({10, 10}, 2)), work);
    EXPECT_FALSE(screen.HintFont()->Name().empty());
    EXPECT_EQ(screen.HintFont()->Color(), gui::clInfoText);
    EXPECT_EQ(gui::Mouse()->DragThreshold(), 5);
    EXPECT_EQ(gui::Mouse()->WheelScrollLines(), 3);
    gui::Mouse()->SetCursorPos({40, 50});
    EXPECT_EQ(gui::Mouse()->CursorPos(), (win::POINT{40, 50}));
}

TEST_F(ScreenTest, TheClipboardTakesAndGivesText)
{
    gui::TClipboard* clipboard = gui::Clipboard();
    clipboard->SetAsText("Savings: 1,234");
    EXPECT_TRUE(clipboard->HasFormat(win::CF_TEXT));
    EXPECT_TRUE(clipboard->HasFormat(win::CF_UNICODETEXT)) << "the other text formats convert";
    EXPECT_EQ(clipboard->AsText(), "Savings: 1,234");
    clipboard->Clear();
    EXPECT_FALSE(clipboard->HasFormat(win::CF_TEXT));
    EXPECT_EQ(clipboard->AsText(), "");
}

}  // namespace
}  // namespace guitest
