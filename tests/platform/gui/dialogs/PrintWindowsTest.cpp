// The print, printer setup and printer properties dialogs as windows, on two test printers.

#include "platform/gui/graphics/Colors.h"
#include "platform/gui/controls/ComboBox.h"
#include "platform/gui/controls/PaintBox.h"
#include "platform/gui/core/WinControl.h"
#include "platform/gui/dialogs/Dialogs.h"
#include "platform/gui/graphics/Printer.h"
#include "platform/printing/Spooler.h"
#include "platform/printing/testing/MemoryPrintBackend.h"

#include "tests/platform/gui/dialogs/DialogWindowsFixture.h"

#include <algorithm>
#include <cstring>

namespace guitest {
namespace {

// "Office" (letter and A4, two trays, both sides, 300 and 600 dpi, colour) and "Plotter" (A5).
class PrintWindows : public DialogWindowsTest {
protected:
    void SetUp() override
    {
        DialogWindowsTest::SetUp();
        auto backend = std::make_unique<win::MemoryPrintBackend>();
        win::Paper letter{"na_letter_8.5x11in", "Letter", 21590, 27940, win::RECT{635, 635, 635, 635}};
        win::Paper a4{"iso_a4_210x297mm", "A4", 21000, 29700, win::RECT{635, 635, 635, 635}};
        win::Paper a5{"iso_a5_148x210mm", "A5", 14800, 21000, win::RECT{}};
        auto office = win::MemoryPrintBackend::MakePrinter("Office", {300, 300}, {letter, a4});
        office.capabilities.sources = {{"tray-1", "Tray 1"}, {"manual", "Manual feed"}};
        office.capabilities.resolutions = {{300, 300}, {600, 600}};
        office.capabilities.duplex = true;
        office.capabilities.maxCopies = 99;
        office.defaults.source = "tray-1";
        backend->AddPrinter(std::move(office));
        backend->AddPrinter(win::MemoryPrintBackend::MakePrinter("Plotter", {150, 150}, {a5}));
        win::SetPrintBackend(std::move(backend));
    }

    // Chooses the next item of a drop-down list with the keyboard, as a user does.
    void NextItem(win::HWND combo)
    {
        win::SetFocus(combo);
        driver.Pump();
        Press(win::VK_DOWN);
        driver.Pump();
    }
    void Check(const std::string& caption) { ClickOn(Child(Dialog(), caption)); driver.Pump(); }
    // The edits of the print dialog in reading order: from, to, copies.
    static std::vector<win::HWND> Edits() { return Windows(Dialog(), "TEdit"); }
    static std::vector<win::HWND> EditsIn(win::HWND group) { return Windows(group, "TEdit"); }

    // What the picture in a group shows, read from the screen: the runs of columns holding anything
    // but the face colour (one per pile of sheets), and the size of all that together.
    struct Drawn {
        int piles = 0;
        int width = 0;
        int height = 0;
    };
    Drawn PictureIn(const std::string& groupCaption)
    {
        driver.Pump();
        const win::HWND group = Child(Dialog(), groupCaption);
        gui::TWinControl* holder = gui::FindControl(group);
        gui::TPaintBox* picture = nullptr;
        for (int i = 0; holder && i < holder->ControlCount(); ++i)
            if (auto* box = dynamic_cast<gui::TPaintBox*>(holder->Controls(i)))
                picture = box;
        Drawn drawn;
        if (!picture) {
            ADD_FAILURE() << "no picture in " << groupCaption;
            return drawn;
        }
        const win::DWORD face = gui::ColorToRGB(gui::clBtnFace);
        int left = picture->Width(), right = -1, top = picture->Height(), bottom = -1;
        bool inPile = false;
        for (int x = 0; x < picture->Width(); ++x) {
            bool marked = false;
            for (int y = 0; y < picture->Height(); ++y) {
                if (win::TestDriver::PixelAt(group, picture->Left() + x, picture->Top() + y) == face)
                    continue;
                marked = true;
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
            drawn.piles += marked && !inPile;
            inPile = marked;
        }
        drawn.width = right - left + 1;
        drawn.height = bottom - top + 1;
        return drawn;
    }
};

TEST_F(PrintWindows, ThePrintDialogTakesPrinterCopiesCollationAndPages)
{
    gui::TPrintDialog dialog(nullptr);
    dialog.SetOptions(1u << gui::poPageNums);
    dialog.SetMinPage(1);
    dialog.SetMaxPage(9);
    dialog.SetCollate(true);
    std::vector<std::string> details;
    const bool chosen = WhileShowing(
        {[&] {
             NextItem(Windows(Child(Dialog(), "Printer"), "TComboBox")[0]);
             details = Texts(Child(Dialog(), "Printer"), "TComboBox");
             Check("Pa&ges");
             const std::vector<win::HWND> range = EditsIn(Child(Dialog(), "Print range"));
             TypeInto(range[0], "2");
             TypeInto(range[1], "3");
             TypeInto(EditsIn(Child(Dialog(), "Copies"))[0], "3");
             Check("C&ollate");
         },
         [&] { ClickOn(Child(Dialog(), "OK")); }},
        [&] { return dialog.Execute(); });
    ASSERT_TRUE(chosen);
    EXPECT_EQ(details, (std::vector<std::string>{"Plotter"}));
    EXPECT_EQ(gui::Printer()->PrinterIndex(), 1);
    EXPECT_EQ(dialog.Copies(), 3);
    EXPECT_FALSE(dialog.Collate());
    EXPECT_EQ(dialog.PrintRange(), gui::prPageNums);
    EXPECT_EQ(dialog.FromPage(), 2);
    EXPECT_EQ(dialog.ToPage(), 3);
    EXPECT_EQ(gui::Printer()->DeviceMode().dmCopies, 3);
}

TEST_F(PrintWindows, APageOutsideTheRangeIsRefusedWithTheRange)
{
    gui::TPrintDialog dialog(nullptr);
    dialog.SetOptions(1u << gui::poPageNums);
    dialog.SetMinPage(1);
    dialog.SetMaxPage(9);
    bool stayed = false;
    const bool chosen = WhileShowing({[&] {
                                          Check("Pa&ges");
                                          const std::vector<win::HWND> range = EditsIn(Child(Dialog(), "Print range"));
                                          TypeInto(range[0], "0");
                                          TypeInto(range[1], "3");
                                          ClickOn(Child(Dialog(), "OK"));
                                      },
                                      [&] { Press(win::VK_RETURN); },  // the message's OK
                                      [&] {
                                          stayed = win::GetWindowText(Dialog()) == "Print";
                                          Press(win::VK_ESCAPE);
                                      }},
                                     [&] { return dialog.Execute(); });
    EXPECT_FALSE(chosen);
    EXPECT_TRUE(stayed);
    EXPECT_EQ(windows.texts, (std::vector<std::string>{"This value is not within the page range.\nEnter a number between 1 and 9."}));
}

// Properties, Landscape and OK answer IDOK with the orientation; Cancel leaves the device mode as it was.
TEST_F(PrintWindows, PropertiesChangeTheDeviceModeOnlyWhenConfirmed)
{
    const win::LONG size = win::DocumentPropertiesA(nullptr, nullptr, "Office", nullptr, nullptr, 0);
    ASSERT_GT(size, 0);
    std::vector<unsigned char> mode(static_cast<std::size_t>(size), 0xA5);
    const std::vector<unsigned char> before = mode;
    std::string caption;
    win::LONG answer = WhileShowing({[&] {
                                         caption = win::GetWindowText(Dialog());
                                         Check("L&andscape");
                                         Press(win::VK_ESCAPE);
                                     }},
                                    [&] {
                                        return win::DocumentPropertiesA(nullptr, nullptr, "Office",
                                                                        reinterpret_cast<win::DEVMODEA*>(mode.data()),
                                                                        nullptr, win::DM_IN_PROMPT | win::DM_OUT_BUFFER);
                                    });
    EXPECT_EQ(caption, "Office Properties");
    EXPECT_EQ(answer, win::IDCANCEL);
    EXPECT_EQ(mode, before) << "byte for byte";
    answer = WhileShowing({[&] { Check("L&andscape"); }, [&] { ClickOn(Child(Dialog(), "OK")); }},
                          [&] {
                              return win::DocumentPropertiesA(nullptr, nullptr, "Office",
                                                              reinterpret_cast<win::DEVMODEA*>(mode.data()), nullptr,
                                                              win::DM_IN_PROMPT | win::DM_OUT_BUFFER);
                          });
    EXPECT_EQ(answer, win::IDOK);
    win::DEVMODEA out;
    std::memcpy(&out, mode.data(), sizeof out);
    EXPECT_EQ(out.dmOrientation, win::DMORIENT_LANDSCAPE);
}

TEST_F(PrintWindows, PropertiesFromThePrintDialogReachTheProgramsPrinter)
{
    gui::TPrintDialog dialog(nullptr);
    const bool chosen = WhileShowing({[&] { ClickOn(Child(Dialog(), "&Properties")); },
                                      [&] { Check("L&andscape"); },
                                      [&] { ClickOn(Child(Dialog(), "OK")); },  // the properties
                                      [&] { ClickOn(Child(Dialog(), "OK")); }},
                                     [&] { return dialog.Execute(); });
    ASSERT_TRUE(chosen);
    EXPECT_EQ(gui::Printer()->Orientation(), gui::poLandscape);
}

TEST_F(PrintWindows, SetupListsThePrintersPapersAndSources)
{
    const auto names = [](win::WORD capability, std::size_t width) {
        const int count = win::DeviceCapabilitiesA("Office", nullptr, capability, nullptr, nullptr);
        std::vector<char> buffer(std::size_t(count) * width);
        win::DeviceCapabilitiesA("Office", nullptr, capability, buffer.data(), nullptr);
        std::vector<std::string> result;
        for (int i = 0; i < count; ++i)
            result.emplace_back(buffer.data() + std::size_t(i) * width, strnlen(buffer.data() + std::size_t(i) * width, width));
        return result;
    };
    gui::TPrinterSetupDialog dialog(nullptr);
    std::vector<std::string> papers, sources;
    const bool chosen = WhileShowing({[&] {
                                          const std::vector<win::HWND> lists = Windows(Child(Dialog(), "Paper"), "TComboBox");
                                          ASSERT_EQ(lists.size(), 2u);
                                          for (auto [combo, into] : {std::pair{lists[0], &papers}, std::pair{lists[1], &sources}}) {
                                              auto* box = dynamic_cast<gui::TComboBox*>(gui::FindControl(combo));
                                              for (int i = 0; i < box->Items()->Count(); ++i)
                                                  into->push_back(box->Items()->Strings(i));
                                          }
                                          NextItem(lists[0]);
                                          Check("L&andscape");
                                      },
                                      [&] { ClickOn(Child(Dialog(), "OK")); }},
                                     [&] { return dialog.Execute(); });
    ASSERT_TRUE(chosen);
    EXPECT_EQ(papers, names(win::DC_PAPERNAMES, 64));
    EXPECT_EQ(sources, names(win::DC_BINNAMES, 24));
    EXPECT_EQ(gui::Printer()->Orientation(), gui::poLandscape);
    const int count = win::DeviceCapabilitiesA("Office", nullptr, win::DC_PAPERS, nullptr, nullptr);
    std::vector<win::WORD> codes(static_cast<std::size_t>(count));
    win::DeviceCapabilitiesA("Office", nullptr, win::DC_PAPERS, reinterpret_cast<char*>(codes.data()), nullptr);
    EXPECT_EQ(gui::Printer()->DeviceMode().dmPaperSize, codes.at(1)) << "the second paper chosen";
}


// The collate picture shows two sets or three piles of one page, and follows the box as it is ticked.
TEST_F(PrintWindows, TheCollatePictureFollowsTheBox)
{
    for (const bool collate : {true, false}) {
        gui::TPrintDialog dialog(nullptr);
        dialog.SetCollate(collate);
        Drawn before, after;
        WhileShowing({[&] {
                          before = PictureIn("Copies");
                          Check("C&ollate");
                          after = PictureIn("Copies");
                          ClickOn(Child(Dialog(), "Cancel"));
                      }},
                     [&] { return dialog.Execute(); });
        EXPECT_EQ(before.piles, collate ? 2 : 3) << collate;
        EXPECT_EQ(after.piles, collate ? 3 : 2) << collate;
    }
}

// The page picture of the setup dialog stands upright for portrait and lies on its side for landscape,
// from the printer's setting and from the user's choice.
TEST_F(PrintWindows, TheOrientationPictureFollowsTheChoice)
{
    gui::TPrinterSetupDialog dialog(nullptr);
    Drawn portrait, landscape, back;
    WhileShowing({[&] {
                      portrait = PictureIn("Orientation");
                      Check("L&andscape");
                      landscape = PictureIn("Orientation");
                      Check("P&ortrait");
                      back = PictureIn("Orientation");
                      ClickOn(Child(Dialog(), "Cancel"));
                  }},
                 [&] { return dialog.Execute(); });
    EXPECT_GT(portrait.height, portrait.width);
    EXPECT_GT(landscape.width, landscape.height);
    EXPECT_EQ(landscape.width, portrait.height);
    EXPECT_EQ(back.width, portrait.width);
    EXPECT_EQ(back.height, portrait.height);
}

}  // namespace
}  // namespace guitest
