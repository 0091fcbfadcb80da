// The binding of the parameters to the controls of the setup window: a window of that class gets its
// tags, a window not made yet binds nothing, and an unknown Id or a missing control ends the program
// after the message.

#include "analysis/Analysis.h"
#include "analysis/ParamTable.h"
#include "analysis/windows/Fan.h"
#include "platform/gui/controls/ComboBox.h"
#include "platform/gui/controls/Edit.h"
#include "platform/gui/core/Form.h"
#include "platform/rtl/ProgramEnd.h"
#include "platform/services/DialogService.h"
#include "tests/support/GuiLibraries.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// Stands for the setup window: a form of its class with the controls that carry parameters.
class TMULTIP : public gui::TForm {
public:
    explicit TMULTIP(classes::TComponent* owner, const std::string& leaveOut = "") : gui::TForm(owner)
    {
        for (const auto& [name, number] : ExpectedTags()) {
            if (name == leaveOut)
                continue;
            gui::TWinControl* control = name.rfind("CST", 0) == 0 ? static_cast<gui::TWinControl*>(new gui::TComboBox(this))
                                                                    : new gui::TEdit(this);
            control->SetName(name);
            control->SetTag(228);
            control->SetParent(this);
        }
    }
    static const classes::TClassInfo& StaticClass()
    {
        static const classes::TClassInfo info("TMULTIP", &gui::TForm::StaticClass());
        return info;
    }
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // The setup window's controls and the parameters they show, as the window lays them out: the drive's
    // efficiency, the five curves from 100 % to 10 % flow, the two custom-control switches.
    static std::vector<std::pair<std::string, int>> ExpectedTags()
    {
        std::vector<std::pair<std::string, int>> tags{{"VFDE100", 20}};
        int number = 21;
        for (const char* curve : {"DE", "IVE", "VAE", "C1E", "C2E"})
            for (int flow = 100; flow >= 10; flow -= 10)
                tags.emplace_back(curve + std::to_string(flow), number++);
        tags.emplace_back("CST01", 71);
        tags.emplace_back("CST02", 72);
        return tags;
    }
};

class FanBindingTest : public testing::Test {
protected:
    FanBindingTest() : dialogs_(script_), programEnd_([this](int code) { endCodes_.push_back(code); })
    {
        testsupport::StartGuiLibraries();
        analysis::DefineAllParams();
    }
    ~FanBindingTest() override
    {
        analysis::finalize();
        testsupport::EndGuiLibraries();
    }

    std::vector<std::string> Messages() const
    {
        std::vector<std::string> texts;
        for (const win::MessageDialogRequest& request : script_.AskedMessageDialogs())
            texts.push_back(request.text);
        return texts;
    }

    win::ScriptedDialogs script_;
    win::ScopedDialogService dialogs_;
    std::vector<int> endCodes_;
    rtl::ScopedProgramEndHandler programEnd_;
};

TEST_F(FanBindingTest, TheSetupWindowsControlsTakeTheirParameterNumbers)
{
    ASSERT_EQ(TMULTIP::ExpectedTags().size(), 53u);
    TMULTIP window(nullptr);
    analysis::AssignAllParamTags();
    for (const auto& [name, number] : TMULTIP::ExpectedTags())
        EXPECT_EQ(window.FindComponent(name)->Tag(), number) << name;
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(endCodes_.empty());
}

TEST_F(FanBindingTest, AWindowNotMadeYetBindsNothing)
{
    analysis::AssignAllParamTags();
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(endCodes_.empty());
}

TEST_F(FanBindingTest, AnUnknownIdOrAMissingControlEndsTheProgramAfterTheMessage)
{
    struct Case {
        const char* what;
        std::uint16_t id;
        const char* leaveOut;
    };
    const Case cases[] = {
        {"Id 74", 74, ""},
        {"Id 0", 0, ""},
        {"the window lacks CST02", 72, "CST02"},
        {"the window lacks DE50", 26, "DE50"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TMULTIP window(nullptr, c.leaveOut);
        const std::size_t before = Messages().size();
        EXPECT_THROW(analysis::AssignParamTag('A', '1', c.id, 0, c.id), rtl::EProgramEnd);
        ASSERT_EQ(Messages().size(), before + 1);
        EXPECT_EQ(Messages().back(), "TAG NUMBER A1 NOT FOUND!");
        EXPECT_EQ(script_.AskedMessageDialogs().back().icon, unsigned(win::MB_ICONERROR));
        EXPECT_EQ(endCodes_.size(), 1u);
        endCodes_.clear();
    }
}

TEST_F(FanBindingTest, ParametersOfAnotherGroupStayUnbound)
{
    TMULTIP window(nullptr);
    analysis::AssignParamTag('B', '1', 20, 0, 20);
    analysis::AssignParamTag('A', '2', 20, 0, 20);
    analysis::AssignParamTag('B', '1', 74, 0, 74);
    EXPECT_EQ(window.FindComponent("VFDE100")->Tag(), 228);
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(endCodes_.empty());
}

}  // namespace
