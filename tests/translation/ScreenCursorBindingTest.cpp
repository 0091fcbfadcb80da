// The translation component's screen cursor is the GUI class library's Screen.Cursor.

#include "platform/gui/core/Screen.h"
#include "tests/support/GuiLibraries.h"
#include "translation/ScreenCursor.h"
#include "translation/Translation.h"

#include <gtest/gtest.h>

namespace {

TEST(ScreenCursorBinding, IsTheGuiScreensCursorOnceBothLibrariesStart)
{
    testsupport::StartGuiLibraries();
    translation::initialize();
    translation::TScreenCursor* bound = translation::ScreenCursor();
    ASSERT_NE(bound, nullptr);
    constexpr std::int16_t crHourGlass = -11;
    bound->SetCursor(crHourGlass);
    EXPECT_EQ(gui::Screen()->Cursor(), crHourGlass);
    gui::Screen()->SetCursor(gui::crHandPoint);
    EXPECT_EQ(bound->Cursor(), gui::crHandPoint);
    translation::finalize();
    EXPECT_EQ(translation::ScreenCursor(), nullptr);
    testsupport::EndGuiLibraries();
}

TEST(ScreenCursorBinding, WithoutTheGuiScreenTheCursorIsTheDefaultAndStaysSo)
{
    translation::initialize();
    translation::TScreenCursor* bound = translation::ScreenCursor();
    ASSERT_NE(bound, nullptr);
    bound->SetCursor(-11);
    EXPECT_EQ(bound->Cursor(), translation::crDefault);
    translation::finalize();
}

}  // namespace
