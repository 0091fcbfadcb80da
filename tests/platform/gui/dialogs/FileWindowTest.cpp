// The open and save dialogs as windows on a scratch folder: the listing, typed names, the messages, the
// overwrite question, the current folder, and the picture preview.

#include "platform/gui/controls/ListBox.h"
#include "platform/gui/dialogs/Dialogs.h"
#include "platform/gui/dialogs/detail/FileChooser.h"
#include "platform/imaging/PngCodec.h"
#include "platform/wintypes/ControlMessages.h"

#include "tests/platform/gui/dialogs/DialogWindowsFixture.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/UsingCodePage.h"

#include <filesystem>

namespace guitest {
namespace {

const std::string kFilter = "Pellawinsbry Rivuve Savings Estimator Files (*.KVX)|*.KVX";

class FileWindow : public DialogWindowsTest {
protected:
    FileWindow()
    {
        for (const char* name : {"a.KVX", "b.kvx", "c.txt", ".x.KVX"})
            scratch.WriteFile(name, "x");
        scratch.WriteFile("\xD0\xB6.kvx", "x");
        std::filesystem::create_directory(scratch.Path("p"));
        scratch.WriteFile("p/inner.kvx", "x");
        saved_ = std::filesystem::current_path();
    }
    ~FileWindow() override { std::filesystem::current_path(saved_); }

    static std::vector<std::string> ListItems()
    {
        const std::vector<win::HWND> lists = Windows(Dialog(), "TListBox");
        auto* list = lists.empty() ? nullptr : dynamic_cast<gui::TListBox*>(gui::FindControl(lists[0]));
        std::vector<std::string> items;
        for (int i = 0; list && i < list->Items()->Count(); ++i)
            items.push_back(list->Items()->Strings(i));
        return items;
    }
    // Types into the file name box and presses Enter.
    void Enter(const std::string& name)
    {
        TypeInto(Windows(Dialog(), "TEdit")[0], name);
        Press(win::VK_RETURN);
    }

    testsupport::UsingCodePage codePage{1252};
    testsupport::ScratchFolder scratch;
    std::filesystem::path saved_;
};

TEST_F(FileWindow, ListsTheFilterEntersFoldersAndRefusesUnusableNames)
{
    gui::TOpenDialog dialog(nullptr);
    dialog.SetFilter(kFilter);
    dialog.SetInitialDir(scratch.Folder());
    std::vector<std::string> first, inP, texts;
    std::string caption;
    const bool chosen = WhileShowing({[&] {
                                          caption = win::GetWindowText(Dialog());
                                          first = ListItems();
                                          Enter("?.kvx");
                                      },
                                      [&] { Press(win::VK_RETURN); },  // the message's OK
                                      [&] { Enter("p"); },
                                      [&] {
                                          inP = ListItems();
                                          Enter("..");
                                      },
                                      [&] { Enter("*.txt"); },
                                      [&] {
                                          texts = ListItems();
                                          Press(win::VK_ESCAPE);
                                      }},
                                     [&] { return dialog.Execute(); });
    EXPECT_FALSE(chosen);
    EXPECT_EQ(caption, "Open");
    ASSERT_EQ(first.size(), 4u);
    EXPECT_EQ(first[0], "p");
    EXPECT_NE(std::find(first.begin(), first.end(), "?.kvx"), first.end());
    EXPECT_LT(std::find(first.begin(), first.end(), "a.KVX"), std::find(first.begin(), first.end(), "b.kvx"));
    ASSERT_FALSE(windows.texts.empty());
    EXPECT_EQ(windows.texts[0], "\"?.kvx\"\nThis name holds characters that cannot be used here.");
    EXPECT_EQ(inP, (std::vector<std::string>{"inner.kvx"}));
    EXPECT_EQ(texts, (std::vector<std::string>{"p", "c.txt"}));
}

TEST_F(FileWindow, SavingOverAFileAsksAndNoReturnsToTheDialog)
{
    gui::TSaveDialog dialog(nullptr);
    dialog.SetFilter(kFilter);
    dialog.SetInitialDir(scratch.Folder());
    dialog.SetDefaultExt("KVX");
    dialog.SetOptions(dialog.Options() | 1u << gui::ofOverwritePrompt);
    std::string caption;
    const bool chosen = WhileShowing({[&] {
                                          caption = win::GetWindowText(Dialog());
                                          Enter("a.KVX");
                                      },
                                      [&] { Press('N'); },  // No: the dialog again
                                      [&] { Enter("a.KVX"); },
                                      [&] { Press('Y'); }},
                                     [&] { return dialog.Execute(); });
    EXPECT_TRUE(chosen);
    EXPECT_EQ(caption, "Save As");
    EXPECT_EQ(windows.texts, (std::vector<std::string>(2, "a.KVX already exists.\nDo you want to replace it?")));
    EXPECT_EQ(dialog.FileName(), scratch.Path("a.KVX"));
    EXPECT_EQ(dialog.FilterIndex(), 1);
}

TEST_F(FileWindow, TheCurrentFolderFollowsTheChoiceUnlessAskedNotTo)
{
    for (bool keep : {true, false}) {
        std::filesystem::current_path(saved_);
        gui::TOpenDialog dialog(nullptr);
        dialog.SetFilter(kFilter);
        dialog.SetInitialDir(scratch.Path("p"));
        if (keep)
            dialog.SetOptions(dialog.Options() | 1u << gui::ofNoChangeDir);
        const bool chosen = WhileShowing({[&] { Enter("inner.kvx"); }}, [&] { return dialog.Execute(); });
        ASSERT_TRUE(chosen);
        EXPECT_EQ(dialog.FileName(), scratch.Path("p/inner.kvx"));
        EXPECT_EQ(std::filesystem::current_path() == saved_, keep);
        if (!keep) {
            EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path(scratch.Path("p")));
        }
    }
}

TEST_F(FileWindow, MissingFilesAndFoldersAreRefusedWithTheirMessages)
{
    gui::TOpenDialog dialog(nullptr);
    dialog.SetFilter(kFilter);
    dialog.SetInitialDir(scratch.Folder());
    dialog.SetDefaultExt("KVX");
    dialog.SetOptions(dialog.Options() | 1u << gui::ofFileMustExist | 1u << gui::ofPathMustExist);
    WhileShowing({[&] { Enter("nothing"); },
                  [&] { Press(win::VK_RETURN); },
                  [&] { Enter("nowhere/x.kvx"); },
                  [&] { Press(win::VK_RETURN); },
                  [&] { Press(win::VK_ESCAPE); }},
                 [&] { return dialog.Execute(); });
    EXPECT_EQ(windows.texts, (std::vector<std::string>{
                                 "nothing.KVX\nFile not found.\nPlease verify the correct file name was given.",
                                 scratch.Path("nowhere") + "\nPath does not exist.\nPlease verify the correct path was given."}));
}

// The length limit is the final path's: a name that only the default extension makes too long is refused
// in both windows, and the dialog stays.
TEST_F(FileWindow, ANameTheExtensionMakesTooLongIsRefused)
{
    const std::string tooLong(gui::detail::kMaxPath - scratch.Folder().size() - 3, 'n');
    gui::TOpenDialog open(nullptr);
    gui::TSaveDialog save(nullptr);
    for (gui::TOpenDialog* dialog : {&open, static_cast<gui::TOpenDialog*>(&save)}) {
        windows.texts.clear();
        dialog->SetFilter(kFilter);
        dialog->SetInitialDir(scratch.Folder());
        dialog->SetDefaultExt("KVX");
        const bool chosen = WhileShowing({[&] { Enter(tooLong); },
                                          [&] { Press(win::VK_RETURN); },  // the message's OK
                                          [&] { Press(win::VK_ESCAPE); }},
                                         [&] { return dialog->Execute(); });
        EXPECT_FALSE(chosen);
        EXPECT_EQ(windows.texts, std::vector<std::string>{"The path is too long."});
    }
}

TEST_F(FileWindow, PicturePreviewShowsTheSizeOrNone)
{
    scratch.WriteFile("good.png", win::WritePng(win::Image(250, 100)));
    scratch.WriteFile("bad.png", "not a picture");
    gui::TOpenPictureDialog dialog(nullptr);
    dialog.SetFilter("All (*.png;*.gif;*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf)|*.png;*.gif;*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf|"
                     "PNG graphics (*.png)|*.png");
    dialog.SetInitialDir(scratch.Folder());
    std::vector<std::string> sizes;
    const auto select = [&](const std::string& name) {
        const std::vector<win::HWND> lists = Windows(Dialog(), "TListBox");
        auto* list = dynamic_cast<gui::TListBox*>(gui::FindControl(lists[0]));
        const int index = list->Items()->IndexOf(name);
        ASSERT_GE(index, 0) << name;
        win::RECT rect;
        win::SendMessage(lists[0], win::LB_GETITEMRECT, win::WPARAM(index), reinterpret_cast<win::LPARAM>(&rect));
        driver.Click(lists[0], win::TestDriver::Button::Left, rect.left + 30, (rect.top + rect.bottom) / 2);
    };
    const auto note = [&] { sizes.push_back(Texts(Dialog(), "TPanel").at(0)); };
    WhileShowing({note, [&] { select("good.png"); }, note, [&] { select("bad.png"); }, note,
                  [&] { Press(win::VK_ESCAPE); }},
                 [&] { return dialog.Execute(); });
    EXPECT_EQ(sizes, (std::vector<std::string>{"(None)", "250 x 100", "(None)"}));
}

// The up-one-level button is a picture of a folder, and it and Backspace in the list open the parent.
TEST_F(FileWindow, UpButtonAndBackspaceOpenTheParentFolder)
{
    enum How { ClickTheButton, Backspace };
    const win::COLORREF folderYellow = win::RGB(255, 224, 96);
    for (const How how : {ClickTheButton, Backspace}) {
        gui::TOpenDialog dialog(nullptr);
        dialog.SetFilter(kFilter);
        dialog.SetInitialDir(scratch.Path("p"));
        std::vector<std::string> before, after;
        std::vector<std::string> captions;
        bool showsFolder = false;
        WhileShowing({[&] {
                          before = ListItems();
                          const std::vector<win::HWND> ups = Windows(Dialog(), "TBitBtn");
                          ASSERT_EQ(ups.size(), 1u);
                          captions.push_back(win::GetWindowText(ups[0]));
                          win::RECT rect;
                          win::GetClientRect(ups[0], &rect);
                          for (int y = 0; y < rect.bottom; ++y)
                              for (int x = 0; x < rect.right; ++x)
                                  showsFolder = showsFolder || win::TestDriver::PixelAt(ups[0], x, y) == folderYellow;
                          if (how == ClickTheButton) {
                              ClickOn(ups[0]);
                          } else {
                              win::SetFocus(Windows(Dialog(), "TListBox")[0]);
                              driver.Pump();
                              Press(win::VK_BACK);
                          }
                      },
                      [&] {
                          after = ListItems();
                          Press(win::VK_ESCAPE);
                      }},
                     [&] { return dialog.Execute(); });
        EXPECT_EQ(before, (std::vector<std::string>{"inner.kvx"})) << how;
        ASSERT_EQ(after.size(), 4u) << how;
        EXPECT_EQ(after[0], "p") << how;
        EXPECT_EQ(captions, (std::vector<std::string>{""})) << how;
        EXPECT_TRUE(showsFolder) << how;
    }
}

}  // namespace
}  // namespace guitest
