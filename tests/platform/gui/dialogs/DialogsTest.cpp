// The dialog components and message dialogs driven through a scripted dialog service: what each request
// carries, how the answers come back into the components, the overwrite question of the save dialog, the
// message dialogs' texts and buttons, and the input box.

#include "platform/gui/dialogs/Dialogs.h"
#include "platform/gui/dialogs/MessageDialogs.h"
#include "platform/gui/graphics/Graphic.h"
#include "platform/gui/graphics/Printer.h"
#include "platform/printing/testing/MemoryPrintBackend.h"
#include "platform/rtl/Exceptions.h"

#include "tests/platform/gui/core/ControlsFixture.h"
#include "tests/platform/gui/graphics/GraphicsHolder.h"
#include "tests/support/ScratchFolder.h"

namespace guitest {
namespace {

using win::FileRequest;

// The project file filter and titles the main window builds.
const char* const kProjectFilter = "Pellawinsbry Rivuve Savings Estimator Files (*.KVX)|*.KVX";
const char* const kOpenTitle = "Open Pellawinsbry Rivuve Savings Estimator Project";
const char* const kSaveTitle = "Save Pellawinsbry Rivuve Savings Estimator Project";

std::function<void(FileRequest&)> Choose(std::string name)
{
    return [name](FileRequest& request) { request.fileName = name; };
}

class DialogsTest : public ControlsTest {
protected:
    gui::TSaveDialog* MakeSaveFile()
    {
        auto* dialog = new gui::TSaveDialog(gui::Application());
        dialog->SetFilter(kProjectFilter);
        dialog->SetTitle(kSaveTitle);
        dialog->SetOptions(dialog->Options() | 1u << gui::ofOverwritePrompt);
        return dialog;
    }

    testsupport::ScratchFolder scratch;
};

TEST_F(DialogsTest, TheOpenDialogSendsFilterTitleAndNameAndTakesTheChosenFile)
{
    gui::TOpenDialog loadFile(nullptr);
    loadFile.SetFilter(kProjectFilter);
    loadFile.SetFilterIndex(1);
    loadFile.SetTitle(kOpenTitle);
    loadFile.SetInitialDir(scratch.Folder());
    loadFile.SetFileName("old.KVX");
    dialogs.Answer<FileRequest>(win::IDOK, Choose(scratch.Path("Plant 3.KVX")));
    ASSERT_TRUE(loadFile.Execute());
    EXPECT_EQ(loadFile.FileName(), scratch.Path("Plant 3.KVX"));
    ASSERT_EQ(loadFile.Files()->Count(), 1);
    EXPECT_EQ(loadFile.Files()->Strings(0), loadFile.FileName());
    ASSERT_EQ(dialogs.Asked<FileRequest>().size(), 1u);
    const FileRequest& asked = dialogs.Asked<FileRequest>()[0];
    EXPECT_FALSE(asked.save);
    EXPECT_EQ(asked.filter, kProjectFilter);
    EXPECT_EQ(asked.filterIndex, 1);
    EXPECT_EQ(asked.title, kOpenTitle);
    EXPECT_EQ(asked.fileName, "old.KVX");
    EXPECT_EQ(asked.initialDir, scratch.Folder());
    EXPECT_EQ(asked.flags, win::OFN_HIDEREADONLY | win::OFN_ENABLESIZING);
    // Cancelled (the script used up), nothing changes.
    EXPECT_FALSE(loadFile.Execute());
    EXPECT_EQ(loadFile.FileName(), scratch.Path("Plant 3.KVX"));
}

TEST_F(DialogsTest, AChosenNameWithoutExtensionTakesTheDefaultOneAndSeveralFilesComeBackInOrder)
{
    gui::TOpenDialog dialog(nullptr);
    dialog.SetDefaultExt("KVX");
    dialog.SetOptions(dialog.Options() | 1u << gui::ofAllowMultiSelect);
    dialogs.Answer<FileRequest>(win::IDOK, Choose("/data/plant"));
    dialogs.Answer<FileRequest>(win::IDOK, [](FileRequest& request) {
        request.files = {"/data/a.txt", "/data/b.KVX"};
        request.filterIndex = 2;
        request.flags |= win::OFN_READONLY;
    });
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), "/data/plant.KVX");
    EXPECT_FALSE(gui::Has(dialog.Options(), gui::ofExtensionDifferent));
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.Files()->Text(), "/data/a.txt\r\n/data/b.KVX\r\n");
    EXPECT_EQ(dialog.FileName(), "/data/a.txt");
    EXPECT_EQ(dialog.FilterIndex(), 2);
    EXPECT_TRUE(gui::Has(dialog.Options(), gui::ofReadOnly));
    EXPECT_TRUE(gui::Has(dialog.Options(), gui::ofExtensionDifferent));
    EXPECT_NE(dialogs.Asked<FileRequest>()[1].flags & win::OFN_ALLOWMULTISELECT, 0u);
}

TEST_F(DialogsTest, SavingOverAnExistingFileAsksAndNoGoesBackToTheFileDialog)
{
    scratch.WriteFile("Plant.KVX", "old");
    std::unique_ptr<gui::TSaveDialog> saveFile(MakeSaveFile());
    saveFile->SetFileName("Rivuve Savings Project.KVX");
    const std::string question = "Plant.KVX already exists.\nDo you want to replace it?";

    // No, then a second name that is free: that name.
    dialogs.Answer<FileRequest>(win::IDOK, Choose(scratch.Path("Plant.KVX")));
    dialogs.Answer(win::IDNO);
    dialogs.Answer<FileRequest>(win::IDOK, Choose(scratch.Path("Plant 2.KVX")));
    ASSERT_TRUE(saveFile->Execute());
    EXPECT_EQ(saveFile->FileName(), scratch.Path("Plant 2.KVX"));
    ASSERT_EQ(dialogs.Asked().size(), 1u);
    EXPECT_EQ(dialogs.Asked()[0].text, question);
    EXPECT_EQ(dialogs.Asked()[0].caption, kSaveTitle);
    EXPECT_EQ(dialogs.Asked()[0].type & win::MB_TYPEMASK, win::MB_YESNO);
    ASSERT_EQ(dialogs.Asked<FileRequest>().size(), 2u);
    EXPECT_TRUE(dialogs.Asked<FileRequest>()[0].save);
    EXPECT_EQ(dialogs.Asked<FileRequest>()[0].fileName, "Rivuve Savings Project.KVX");
    EXPECT_EQ(dialogs.Asked<FileRequest>()[0].title, kSaveTitle);
    EXPECT_NE(dialogs.Asked<FileRequest>()[0].flags & win::OFN_OVERWRITEPROMPT, 0u);

    // No with nothing further: the file dialog is cancelled, Execute false, the name as it was.
    dialogs.Answer<FileRequest>(win::IDOK, Choose(scratch.Path("Plant.KVX")));
    dialogs.Answer(win::IDNO);
    EXPECT_FALSE(saveFile->Execute());
    EXPECT_EQ(saveFile->FileName(), scratch.Path("Plant.KVX"));

    // Yes replaces; without the option nothing is asked.
    dialogs.Answer<FileRequest>(win::IDOK, Choose(scratch.Path("Plant.KVX")));
    dialogs.Answer(win::IDYES);
    EXPECT_TRUE(saveFile->Execute());
    EXPECT_EQ(dialogs.Asked().size(), 3u);
    saveFile->SetOptions(saveFile->Options() & ~(1u << gui::ofOverwritePrompt));
    dialogs.Answer<FileRequest>(win::IDOK, Choose(scratch.Path("Plant.KVX")));
    EXPECT_TRUE(saveFile->Execute());
    EXPECT_EQ(dialogs.Asked().size(), 3u);
    EXPECT_EQ(scratch.ReadFile("Plant.KVX"), "old") << "the dialog only names the file";
}

TEST_F(DialogsTest, APictureDialogWithoutFilterOffersThePictureFormats)
{
    gui::TOpenPictureDialog pd(nullptr);
    dialogs.Answer<FileRequest>(win::IDCANCEL);
    EXPECT_FALSE(pd.Execute());
    EXPECT_EQ(dialogs.Asked<FileRequest>()[0].filter, gui::GraphicFilter(&gui::TGraphic::StaticClass()));
    EXPECT_NE(dialogs.Asked<FileRequest>()[0].filter.find("*.bmp"), std::string::npos);
    pd.SetFilter("Bitmaps (*.bmp)|*.bmp");
    pd.Execute();
    EXPECT_EQ(dialogs.Asked<FileRequest>()[1].filter, "Bitmaps (*.bmp)|*.bmp");
}

TEST_F(DialogsTest, ThePrintDialogChoosesPagesCopiesAndThePrinter)
{
    auto backend = std::make_unique<win::MemoryPrintBackend>();
    win::Paper a4{"iso_a4_210x297mm", "A4", 21000, 29700, win::RECT{}};
    backend->AddPrinter(win::MemoryPrintBackend::MakePrinter("Office", {300, 300}, {a4}));
    backend->AddPrinter(win::MemoryPrintBackend::MakePrinter("Plotter", {150, 150}, {a4}));
    win::SetPrintBackend(std::move(backend));
    gui::TPrintDialog dialog(nullptr);
    dialog.SetMinPage(1);
    dialog.SetMaxPage(9);
    dialog.SetOptions(1u << gui::poPageNums);
    dialogs.Answer<win::PrintRequest>(win::IDOK, [](win::PrintRequest& request) {
        request.printer = 1;
        request.copies = 3;
        request.fromPage = 2;
        request.toPage = 4;
        request.flags = win::PD_PAGENUMS | win::PD_COLLATE;
    });
    ASSERT_TRUE(dialog.Execute());
    const win::PrintRequest& asked = dialogs.Asked<win::PrintRequest>()[0];
    EXPECT_EQ(asked.printers, (std::vector<std::string>{"Office", "Plotter"}));
    EXPECT_EQ(asked.printer, 0);
    EXPECT_EQ(asked.copies, 1);
    EXPECT_EQ(asked.maxPage, 9);
    EXPECT_EQ(asked.flags & (win::PD_NOPAGENUMS | win::PD_NOSELECTION), win::PD_NOSELECTION);
    EXPECT_EQ(gui::Printer()->PrinterIndex(), 1);
    EXPECT_EQ(dialog.Copies(), 3);
    EXPECT_EQ(dialog.PrintRange(), gui::prPageNums);
    EXPECT_EQ(dialog.FromPage(), 2);
    EXPECT_EQ(dialog.ToPage(), 4);
    EXPECT_TRUE(dialog.Collate());
    // Cancelled, the printer stays.
    gui::TPrinterSetupDialog setup(nullptr);
    EXPECT_FALSE(setup.Execute());
    EXPECT_EQ(dialogs.Asked<win::PrinterSetupRequest>()[0].printer, 1);
    dialogs.Answer<win::PrinterSetupRequest>(win::IDOK, [](win::PrinterSetupRequest& request) { request.printer = 0; });
    EXPECT_TRUE(setup.Execute());
    EXPECT_EQ(gui::Printer()->PrinterIndex(), 0);
}

TEST_F(DialogsTest, FontAndColourDialogsStartFromTheirPropertiesAndTakeTheChoice)
{
    gui::TFontDialog fonts(nullptr);
    fonts.Font()->SetName("Arial");
    fonts.Font()->SetSize(10);
    fonts.Font()->SetStyle(1u << gui::fsItalic);
    dialogs.Answer<win::FontRequest>(win::IDOK, [](win::FontRequest& request) {
        request.face = "Courier New";
        request.size = 14;
        request.italic = false;
        request.bold = true;
        request.color = 0x0000FF;
    });
    ASSERT_TRUE(fonts.Execute());
    const win::FontRequest& asked = dialogs.Asked<win::FontRequest>()[0];
    EXPECT_EQ(asked.face, "Arial");
    EXPECT_EQ(asked.size, 10);
    EXPECT_TRUE(asked.italic && !asked.bold && asked.effects);
    EXPECT_EQ(fonts.Font()->Name(), "Courier New");
    EXPECT_EQ(fonts.Font()->Size(), 14);
    EXPECT_EQ(fonts.Font()->Style(), 1u << gui::fsBold);
    EXPECT_EQ(fonts.Font()->Color(), gui::clRed);

    gui::TColorDialog colours(nullptr);
    colours.SetColor(gui::clBtnFace);
    colours.CustomColors()->Add("ColorA=FFFFFF");
    dialogs.Answer<win::ColorRequest>(win::IDOK, [](win::ColorRequest& request) {
        request.color = 0x00FF00;
        request.customColors.push_back("ColorB=00FF00");
    });
    ASSERT_TRUE(colours.Execute());
    EXPECT_EQ(dialogs.Asked<win::ColorRequest>()[0].color, gui::ColorToRGB(gui::clBtnFace));
    EXPECT_EQ(colours.Color(), gui::clLime);
    EXPECT_EQ(colours.CustomColors()->Count(), 2);
    EXPECT_FALSE(colours.Execute());
    EXPECT_EQ(colours.Color(), gui::clLime);
}

TEST_F(DialogsTest, TheConsoleServiceCancelsEveryRequest)
{
    win::ConsoleDialogs console;
    win::ScopedDialogService installed(console);
    gui::TOpenDialog open(nullptr);
    open.SetFileName("kept");
    EXPECT_FALSE(open.Execute());
    EXPECT_EQ(open.FileName(), "kept");
    std::string value = "kept";
    EXPECT_FALSE(gui::InputQuery("Caption", "Prompt", value));
    EXPECT_EQ(value, "kept");
}

TEST_F(DialogsTest, MessageDialogsShowTheFifteenTextsAndAnswerTheButtonsResult)
{
    EXPECT_EQ(gui::MessageCaptionTexts(),
              (std::vector<std::string>{"Warning", "Error", "Information", "Confirm", "&Yes", "&No", "OK", "Cancel",
                                        "&Abort", "&Retry", "&Ignore", "&All", "N&o to All", "Yes to &All", "&Help"}));
    struct Case {
        gui::TMsgDlgType type;
        gui::TMsgDlgButtons buttons;
        const char* caption;
        unsigned icon;
        std::vector<std::string> texts;
        std::vector<int> results;
        int defaultButton;
        int cancelButton;
    };
    const auto set = [](std::initializer_list<gui::TMsgDlgBtn> buttons) {
        gui::TMsgDlgButtons result = 0;
        for (gui::TMsgDlgBtn b : buttons) {
            result |= 1u << b;
        }
        return result;
    };
    const std::vector<Case> cases{
        {gui::mtConfirmation, set({gui::mbYes, gui::mbNo, gui::mbCancel}), "Confirm", win::MB_ICONQUESTION,
         {"&Yes", "&No", "Cancel"}, {gui::mrYes, gui::mrNo, gui::mrCancel}, 0, 2},
        {gui::mtWarning, set({gui::mbOK}), "Warning", win::MB_ICONWARNING, {"OK"}, {gui::mrOk}, 0, 0},
        {gui::mtError, set({gui::mbAbort, gui::mbRetry, gui::mbIgnore}), "Error", win::MB_ICONERROR,
         {"&Abort", "&Retry", "&Ignore"}, {gui::mrAbort, gui::mrRetry, gui::mrIgnore}, 1, -1},
        {gui::mtInformation, set({gui::mbHelp, gui::mbYesToAll, gui::mbNoToAll, gui::mbAll, gui::mbNo, gui::mbYes}),
         "Information", win::MB_ICONINFORMATION, {"&Yes", "&No", "&All", "N&o to All", "Yes to &All", "&Help"},
         {gui::mrYes, gui::mrNo, gui::mrAll, gui::mrNoToAll, gui::mrYesToAll, gui::mrNone}, 0, 1},
        {gui::mtConfirmation, set({gui::mbRetry, gui::mbOK, gui::mbCancel}), "Confirm", win::MB_ICONQUESTION,
         {"OK", "Cancel", "&Retry"}, {gui::mrOk, gui::mrCancel, gui::mrRetry}, 0, 1},
    };
    for (const Case& c : cases) {
        dialogs.Answer(c.results.back());
        EXPECT_EQ(gui::MessageDlg("Save changes?", c.type, c.buttons, 7), c.results.back()) << c.caption;
        const win::MessageDialogRequest& asked = dialogs.AskedMessageDialogs().back();
        EXPECT_EQ(asked.text, "Save changes?");
        EXPECT_EQ(asked.caption, c.caption);
        EXPECT_EQ(asked.icon, c.icon);
        EXPECT_EQ(asked.helpContext, 7);
        std::vector<std::string> texts;
        std::vector<int> results;
        for (const win::MessageDialogButton& button : asked.buttons) {
            texts.push_back(button.caption);
            results.push_back(button.result);
        }
        EXPECT_EQ(texts, c.texts) << c.caption;
        EXPECT_EQ(results, c.results) << c.caption;
        EXPECT_EQ(asked.defaultButton, c.defaultButton) << c.caption;
        EXPECT_EQ(asked.cancelButton, c.cancelButton) << c.caption;
    }
    // Nothing scripted: the default button; an answer the dialog does not offer is the test's fault.
    EXPECT_EQ(gui::MessageDlg("Go on?", gui::mtConfirmation, 1u << gui::mbNo | 1u << gui::mbYes, 0), gui::mrYes);
    dialogs.Answer(gui::mrCancel);
    EXPECT_THROW(gui::MessageDlg("Go on?", gui::mtConfirmation, 1u << gui::mbYes, 0), rtl::EInvalidOperation);
}

std::string Translated(const classes::TResStringRec& rec)
{
    return rec.name == "SMsgDlgYes" ? "&Ja" : classes::DefaultLoadResString(rec);
}

TEST_F(DialogsTest, ATranslatedTextReplacesTheButtonCaption)
{
    const classes::TResStringLoader previous = classes::SetResStringLoader(&Translated);
    gui::MessageDlg("Weiter?", gui::mtConfirmation, 1u << gui::mbYes | 1u << gui::mbNo, 0);
    classes::SetResStringLoader(previous);
    EXPECT_EQ(dialogs.AskedMessageDialogs()[0].buttons[0].caption, "&Ja");
    EXPECT_EQ(dialogs.AskedMessageDialogs()[0].buttons[1].caption, "&No");
}

TEST_F(DialogsTest, InputQueryAndInputBoxChangeTheValueOnlyWhenConfirmed)
{
    std::string value = "10";
    dialogs.Answer<win::InputRequest>(win::IDOK, [](win::InputRequest& request) { request.value = "25"; });
    EXPECT_TRUE(gui::InputQuery("Motor", "Rated power (kW):", value));
    EXPECT_EQ(value, "25");
    EXPECT_EQ(dialogs.Asked<win::InputRequest>()[0].caption, "Motor");
    EXPECT_EQ(dialogs.Asked<win::InputRequest>()[0].prompt, "Rated power (kW):");
    EXPECT_EQ(dialogs.Asked<win::InputRequest>()[0].value, "10");
    dialogs.Answer<win::InputRequest>(win::IDCANCEL, [](win::InputRequest& request) { request.value = "99"; });
    EXPECT_FALSE(gui::InputQuery("Motor", "Rated power (kW):", value));
    EXPECT_EQ(value, "25");
    dialogs.Answer<win::InputRequest>(win::IDOK, [](win::InputRequest& request) { request.value = "7.5"; });
    EXPECT_EQ(gui::InputBox("Motor", "Rated power (kW):", "11"), "7.5");
    EXPECT_EQ(gui::InputBox("Motor", "Rated power (kW):", "11"), "11");
    EXPECT_THROW(dialogs.Answer<win::InputRequest>(win::IDYES), rtl::EInvalidOperation);
}

TEST_F(DialogsTest, DialogComponentsAreStoredWithTheirOptions)
{
    const char* const text = R"(object Main: TForm
  object SaveFile: TSaveDialog
    DefaultExt = 'KVX'
    Filter = 'Projects (*.KVX)|*.KVX'
    Options = [ofOverwritePrompt, ofHideReadOnly, ofPathMustExist, ofEnableSizing]
    Title = 'Save'
  end
  object PD: TOpenPictureDialog
    FilterIndex = 2
  end
  object Print: TPrintDialog
    Copies = 2
    MaxPage = 9
    Options = [poPageNums]
    PrintRange = prPageNums
  end
  object Setup: TPrinterSetupDialog
  end
  object Fonts: TFontDialog
    Font.Height = -16
    Options = [fdEffects, fdLimitSize]
    MaxFontSize = 20
  end
  object Colours: TColorDialog
    Color = clRed
    CustomColors.Strings = (
      'ColorA=FFFFFF')
    Options = [cdFullOpen]
  end
end
)";
    std::unique_ptr<classes::TComponent> root(ReadText(text, nullptr));
    auto* save = dynamic_cast<gui::TSaveDialog*>(root->FindComponent("SaveFile"));
    auto* print = dynamic_cast<gui::TPrintDialog*>(root->FindComponent("Print"));
    auto* colours = dynamic_cast<gui::TColorDialog*>(root->FindComponent("Colours"));
    ASSERT_TRUE(save && print && colours && root->FindComponent("PD") && root->FindComponent("Setup"));
    EXPECT_TRUE(gui::Has(save->Options(), gui::ofOverwritePrompt));
    EXPECT_EQ(print->PrintRange(), gui::prPageNums);
    EXPECT_EQ(colours->CustomColors()->Count(), 1);
    const std::string written = TextOf(*root);
    std::unique_ptr<classes::TComponent> again(ReadText(written, nullptr));
    EXPECT_EQ(TextOf(*again), written);
    EXPECT_NE(written.find("Options = [cdFullOpen]"), std::string::npos) << written;
    EXPECT_NE(written.find("PrintRange = prPageNums"), std::string::npos) << written;
}

}  // namespace
}  // namespace guitest
