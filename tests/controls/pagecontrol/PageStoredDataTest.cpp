// Stored windows with a page control: loading fires no change event and shows only the stored active page,
// the sheets fill the page client rectangle, the text and binary forms write back what they read, and
// damaged data is refused or reported without losing the rest of the window.

#include "tests/controls/pagecontrol/PageFixture.h"

#include "controls/pagecontrol/clPCPainters.h"
#include "platform/classes/ComponentReader.h"
#include "platform/classes/ComponentWriter.h"
#include "platform/classes/Reflection.h"
#include "platform/classes/TextForm.h"
#include "platform/rtl/Streams.h"

#include <fstream>
#include <sstream>
#include <string>

namespace pctest {
namespace {

using namespace pagecontrol;

// The window the stored data is read into; its handler notes every change of page.
class TPagesForm : public gui::TForm {
public:
    using TForm::TForm;
    static const classes::TClassInfo& StaticClass()
    {
        static const classes::TClassInfo info("TPagesForm", &gui::TForm::StaticClass(), [](classes::TClassInfo& c) {
            classes::ClassBuilder<TPagesForm>(c).Method<&TPagesForm::PageControl1Change>("PageControl1Change");
        });
        return info;
    }
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
    void PageControl1Change(classes::TObject*) { ++changes; }

    int changes = 0;
};

std::string ReadFixture()
{
    std::ifstream in(RIVUVE_FIXTURES "/pagecontrol/three-sheets.form", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class PageStoredTest : public PageTest {
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        classes::RegisterClass(TPagesForm::StaticClass());
    }
    // The window is stored with the program's slanted style.
    bool KeepsBuiltInStyles() const override { return true; }
    void TearDown() override
    {
        delete stored;
        classes::UnRegisterClass(TPagesForm::StaticClass());
        PageTest::TearDown();
    }
    // Reads text into a new window; the window is kept for the test.
    TPagesForm* Load(const std::string& text)
    {
        stored = new TPagesForm(nullptr);
        const std::string bytes = classes::ObjectTextToBinary(text);
        rtl::TMemoryStream in;
        in.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
        in.SetPosition(0);
        classes::TReader(in).ReadRootComponent(stored);
        return stored;
    }
    static std::string WriteBinary(classes::TComponent& root)
    {
        rtl::TMemoryStream binary;
        classes::TWriter(binary).WriteRootComponent(&root);
        return std::string(binary.Memory(), std::size_t(binary.Size()));
    }
    static std::string Write(classes::TComponent& root) { return classes::ObjectBinaryToText(WriteBinary(root)); }
    TclPageControl* Pages() const { return dynamic_cast<TclPageControl*>(stored->FindComponent("PageControl1")); }
    TclTabSheet* Sheet(const char* name) const { return dynamic_cast<TclTabSheet*>(stored->FindComponent(name)); }
    static win::RECT Bounds(gui::TControl* control)
    {
        return {control->Left(), control->Top(), control->Left() + control->Width(), control->Top() + control->Height()};
    }

    TPagesForm* stored = nullptr;
};

TEST_F(PageStoredTest, TheStoredWindowLoadsQuietlyWithOnlyItsActivePageShown)
{
    const std::string text = ReadFixture();
    ASSERT_FALSE(text.empty());
    TPagesForm* window = Load(text);
    TclPageControl* control = Pages();
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(window->changes, 0);
    EXPECT_EQ(control->Style(), 9);
    EXPECT_EQ(control->TabHeight(), 35);
    EXPECT_EQ(control->PageCount(), 3);
    EXPECT_EQ(control->ActivePage(), Sheet("TabSheet2"));
    EXPECT_EQ(control->TabIndex(), 1);
    EXPECT_EQ(Shown(control), (std::vector<std::string>{"Torque"}));
    for (const char* name : {"TabSheet1", "TabSheet2", "TabSheet3"}) {
        EXPECT_EQ(Bounds(Sheet(name)), (win::RECT{0, 36, 400, 300})) << name;
    }
    window->Show();
    driver.Pump();
    for (const char* name : {"TabSheet1", "TabSheet2", "TabSheet3"}) {
        EXPECT_EQ(Bounds(Sheet(name)), (win::RECT{0, 36, 400, 300})) << name << " after showing";
    }
    // The handler is bound: a change from now on reaches it.
    control->SetActivePageIndex(2);
    EXPECT_EQ(window->changes, 1);
}

TEST_F(PageStoredTest, WrittenBackTheWindowIsTheSameTextAlsoThroughTheBinaryForm)
{
    const std::string text = ReadFixture();
    TPagesForm* window = Load(text);
    const std::string written = Write(*window);
    EXPECT_EQ(written, text);
    EXPECT_EQ(written.find("ClientRectLeft"), std::string::npos);
    // The binary form read into a second window writes the same binary form.
    const std::string binary = WriteBinary(*window);
    TPagesForm* first = stored;
    stored = nullptr;
    Load(classes::ObjectBinaryToText(binary));
    EXPECT_EQ(WriteBinary(*stored), binary);
    delete first;
}

TEST_F(PageStoredTest, ADisabledActivePageLeavesNoPageActiveAfterLoading)
{
    std::string text = ReadFixture();
    const std::string anchor = "      Caption = 'Torque'\n";
    text.replace(text.find(anchor), anchor.size(), anchor + "      Enabled = False\n");
    TPagesForm* window = Load(text);
    TclPageControl* control = Pages();
    EXPECT_EQ(control->ActivePage(), nullptr);
    EXPECT_EQ(control->TabIndex(), -1);
    EXPECT_TRUE(Shown(control).empty());
    EXPECT_EQ(window->changes, 0);
}

// The fixture with one line replaced (or, with from empty, lines added before "object TabSheet1").
std::string Edited(const std::string& from, const std::string& to)
{
    std::string text = ReadFixture();
    const std::string anchor = from.empty() ? "    object TabSheet1: TclTabSheet\n" : from;
    const auto at = text.find(anchor);
    if (at == std::string::npos) {
        ADD_FAILURE() << "no " << anchor;
        return text;
    }
    text.replace(at, anchor.size(), from.empty() ? to + anchor : to);
    return text;
}

TEST_F(PageStoredTest, DamagedReferencesAndIndexesAreErrorsOfTheirProperty)
{
    struct Case {
        std::string from;
        std::string to;
        std::string message;
    };
    const Case cases[] = {
        {"    ActivePage = TabSheet2\n", "    ActivePage = PageControl1\n",
         "Error reading PageControl1.ActivePage: Invalid property value"},
        {"      PageIndex = 1\n", "      PageIndex = 5\n",
         "Error reading TabSheet2.PageIndex: 5 is an invalid PageIndex value.  PageIndex must be between 0 and 1"},
        {"      PageIndex = 0\n", "      PageIndex = -1\n",
         "Error reading TabSheet1.PageIndex: -1 is an invalid PageIndex value.  PageIndex must be between 0 and 0"},
    };
    for (const Case& c : cases) {
        const int components = form->ComponentCount();
        try {
            Load(Edited(c.from, c.to));
            ADD_FAILURE() << "no error for " << c.to;
        } catch (const rtl::EReadError& error) {
            EXPECT_EQ(error.Message(), c.message);
        }
        EXPECT_EQ(stored->ComponentCount(), 0) << "nothing of the window is left: " << c.to;
        EXPECT_EQ(form->ComponentCount(), components);
        delete stored;
        stored = nullptr;
    }
}

TEST_F(PageStoredTest, AnActivePageOfAnotherPageControlIsIgnored)
{
    const std::string second = "    object PageControl2: TclPageControl\n      ActivePage = TabSheet4\n"
                               "      object TabSheet4: TclTabSheet\n        Caption = 'Other'\n      end\n    end\n";
    std::string text = Edited("    ActivePage = TabSheet2\n", "    ActivePage = TabSheet4\n");
    text.insert(text.rfind("  end\nend\n") + 6, second.substr(2));
    TPagesForm* window = Load(text);
    EXPECT_EQ(Pages()->ActivePage(), nullptr);
    EXPECT_TRUE(Shown(Pages()).empty());
    auto* other = dynamic_cast<TclPageControl*>(window->FindComponent("PageControl2"));
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->ActivePage(), Sheet("TabSheet4"));
}

TEST_F(PageStoredTest, ASheetOnAnotherParentIsReportedAndTheRestLoads)
{
    const std::string panel = "    object Panel1: TPanel\n      object Stray: TclTabSheet\n        Caption = 'Stray'\n"
                              "      end\n    end\n";
    std::string text = ReadFixture();
    text.insert(text.find("  object PageControl1"), panel.substr(2));
    struct Catcher {
        std::vector<std::string> messages;
        void Caught(classes::TObject*, const std::exception& error) { messages.push_back(error.what()); }
    } catcher;
    gui::Application()->OnException = gui::TExceptionEvent::Of<&Catcher::Caught>(&catcher);
    Load(text);
    gui::Application()->OnException = nullptr;
    ASSERT_EQ(catcher.messages.size(), 1u);
    EXPECT_NE(catcher.messages[0].find("Stray"), std::string::npos) << catcher.messages[0];
    TclTabSheet* stray = Sheet("Stray");
    ASSERT_NE(stray, nullptr);
    EXPECT_EQ(stray->Parent(), nullptr);
    EXPECT_EQ(stray->PageControl(), nullptr);
    EXPECT_EQ(stray->Caption(), "Stray");
    EXPECT_EQ(Pages()->PageCount(), 3);
    EXPECT_EQ(Pages()->ActivePage(), Sheet("TabSheet2"));
    EXPECT_THROW(stray->SetParent(form), rtl::EAbort);
}

TEST_F(PageStoredTest, OddStylesHeightsAndClientRectanglesLoadAndLayOut)
{
    const std::string style = "    Style = 9\n";
    const std::string height = "    TabHeight = 35\n";
    const std::string rect = "    ClientRectTop = 36\n    ClientRectRight = 400\n";
    const std::pair<std::string, std::string> cases[] = {
        {style, "    Style = 4\n"},
        {style, "    Style = 99\n"},
        {height, "    TabHeight = -5\n"},
        {height, "    TabHeight = 0\n"},
        {height, "    TabHeight = 32767\n"},
        {rect, "    ClientRectTop = 300\n    ClientRectRight = 0\n"},
        {rect, "    ClientRectTop = 100000\n    ClientRectRight = 100000\n"},
    };
    for (const auto& [from, to] : cases) {
        TPagesForm* window = Load(Edited(from, to));
        TclPageControl* control = Pages();
        if (from == style) {
            EXPECT_EQ(control->Style(), 0) << to;
            ASSERT_NE(control->PainterClass(), nullptr) << to;
        }
        window->Show();
        driver.Pump();
        control->Repaint();
        const win::RECT client = control->Painter()->GetPageClientRect();
        for (const char* name : {"TabSheet1", "TabSheet2", "TabSheet3"}) {
            EXPECT_EQ(Bounds(Sheet(name)), client) << name << " " << to;
        }
        EXPECT_EQ(Shown(control), (std::vector<std::string>{"Torque"})) << to;
        delete stored;
        stored = nullptr;
    }
}

TEST_F(PageStoredTest, ControlsOnHiddenPagesKeepTheirDesignedDistancesToTheEdges)
{
    // Designed on a page 400 x 264: 10 from the left, 290 from the right, 200 from the bottom.
    const std::string panel = "      object Panel1: TPanel\n        Left = 10\n        Top = 20\n        Width = 100\n"
                              "        Height = 44\n        Anchors = [akLeft, akTop, akRight, akBottom]\n      end\n";
    std::string text = ReadFixture();
    const std::string anchor = "      PageIndex = 2\n";
    text.insert(text.find(anchor) + anchor.size(), panel);
    TPagesForm* window = Load(text);
    auto* placed = dynamic_cast<gui::TControl*>(window->FindComponent("Panel1"));
    ASSERT_NE(placed, nullptr);
    window->Show();
    driver.Pump();
    window->SetBounds(0, 0, 500, 350);
    driver.Pump();
    Pages()->SetActivePageIndex(2);
    driver.Pump();
    EXPECT_EQ(Bounds(placed), (win::RECT{10, 20, 210, 114}));
}

TEST_F(PageStoredTest, EverySheetsStoredStateReachesItsTabAfterLoading)
{
    const std::string anchor = "      Caption = 'AC Motor'\n";
    Load(Edited(anchor, anchor + "      Enabled = False\n      Highlighted = True\n      ImageIndex = 2\n"
                                 "      TabVisible = False\n"));
    TclTab* tab = Pages()->Tabs()->Tab(2);
    EXPECT_EQ(tab->Caption(), "AC Motor");
    EXPECT_FALSE(tab->Enabled());
    EXPECT_TRUE(tab->Highlighted());
    EXPECT_EQ(tab->ImageIndex(), 2);
    EXPECT_FALSE(tab->Visible());
    EXPECT_EQ(Pages()->Tabs()->Tab(0)->ImageIndex(), -1) << "a tab's own default is not kept";
    EXPECT_EQ(Pages()->VisibleTabs().Count(), 2);
    EXPECT_EQ(Pages()->ActivePage(), Sheet("TabSheet2"));
}

}  // namespace
}  // namespace pctest
