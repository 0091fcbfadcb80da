// The registry of named style painters and the resources the painters share: indicator images, page-area
// patterns and the check-box extent.

#include "controls/clExtendedStylePainters.h"
#include "controls/clPainterResources.h"

#include "platform/gdi/SystemInfo.h"
#include "tests/controls/ControlsFixture.h"

#include <memory>
#include <string>
#include <vector>

namespace {

using controls::TclCustomLookAndFeelPainterClass;

class Skin : public controls::TclOffice11LookAndFeelPainter {
public:
    Skin() = default;
};
const Skin black;
const Skin lilac;

// An information object that counts its instances.
class Info : public classes::TObject {
public:
    Info() { ++live; }
    ~Info() override { --live; }
    static inline int live = 0;
};

class PaintersListener : public classes::TNonRefCountedObject, public controls::IclStylePaintersListener {
public:
    PaintersListener(std::vector<std::string>& journal, std::string name) : journal_(journal), name_(std::move(name)) {}
    void PaintersChanged(TclCustomLookAndFeelPainterClass painter) override
    {
        journal_.push_back(name_ + (painter == &black ? ":black" : ":other"));
    }

private:
    std::vector<std::string>& journal_;
    std::string name_;
};

class RegistryTest : public controlstest::ControlsTest {
protected:
    static controls::TclExtendedStylePainters& Registry() { return *controls::clGetStylePainterRegistry(); }
    static bool Register(const char* name, TclCustomLookAndFeelPainterClass painter)
    {
        std::unique_ptr<classes::TObject> data = std::make_unique<Info>();
        return Registry().RegisterStylePainter(name, painter, data);
    }
};

TEST_F(RegistryTest, NamesAreFoundWithoutRegardToCaseAndTakenOnce)
{
    ASSERT_TRUE(Register("Black", &black));
    for (const char* name : {"Black", "BLACK", "black"}) {
        TclCustomLookAndFeelPainterClass painter = nullptr;
        EXPECT_TRUE(Registry().PainterOfName(name, painter)) << name;
        EXPECT_EQ(painter, &black) << name;
    }
    std::unique_ptr<classes::TObject> data = std::make_unique<Info>();
    classes::TObject* kept = data.get();
    EXPECT_FALSE(Registry().RegisterStylePainter("black", &lilac, data));
    EXPECT_EQ(data.get(), kept);
    EXPECT_EQ(Registry().Count(), 1);

    TclCustomLookAndFeelPainterClass painter = &lilac;
    EXPECT_FALSE(Registry().PainterOfName("Lilac", painter));
    EXPECT_FALSE(Registry().PainterOfName("", painter));
    EXPECT_EQ(painter, &lilac);
    EXPECT_FALSE(Registry().UnregisterStylePainter("Lilac"));
}

TEST_F(RegistryTest, EntriesStandInCollationOrder)
{
    for (const char* name : {"lilac", "Black", "Caramel", "blue", "Azure"})
        ASSERT_TRUE(Register(name, &lilac));
    std::vector<std::string> names;
    for (int i = 0; i < Registry().Count(); ++i)
        names.push_back(Registry().Painters(i)->Name());
    // The user's collation: letters before case, lower case first.
    EXPECT_EQ(names, (std::vector<std::string>{"Azure", "Black", "blue", "Caramel", "lilac"}));
}

TEST_F(RegistryTest, PainterDataIsFoundForTheVeryClassOnly)
{
    ASSERT_TRUE(Register("UltraFlat", controls::TclUltraFlatLookAndFeelPainter::Class()));
    classes::TObject* data = nullptr;
    EXPECT_TRUE(Registry().FindPainterData(controls::TclUltraFlatLookAndFeelPainter::Class(), data));
    EXPECT_NE(data, nullptr);
    EXPECT_FALSE(Registry().FindPainterData(controls::TclOffice11LookAndFeelPainter::Class(), data));
    EXPECT_EQ(data, nullptr);
}

TEST_F(RegistryTest, ListenersHearOnceLastToFirst)
{
    std::vector<std::string> journal;
    PaintersListener first(journal, "first");
    PaintersListener second(journal, "second");
    Registry().AddPaintersListener(&first);
    Registry().AddPaintersListener(&second);
    Registry().AddPaintersListener(&first);
    ASSERT_TRUE(Register("Black", &black));
    EXPECT_FALSE(Register("BLACK", &black));
    EXPECT_EQ(journal, (std::vector<std::string>{"second:black", "first:black"}));
    Registry().RemovePaintersListener(&second);
    ASSERT_TRUE(Register("Lilac", &lilac));
    ASSERT_TRUE(Registry().UnregisterStylePainter("black"));
    EXPECT_EQ(journal, (std::vector<std::string>{"second:black", "first:black", "first:other", "first:black"}));
    Registry().RemovePaintersListener(&first);
}

TEST_F(RegistryTest, EntriesFreeTheirInformationAndTheRegistryEndsWithTheControls)
{
    const int before = Info::live;
    ASSERT_TRUE(Register("Black", &black));
    ASSERT_TRUE(Register("Lilac", &lilac));
    EXPECT_EQ(Info::live, before + 2);
    ASSERT_TRUE(Registry().UnregisterStylePainter("LILAC"));
    EXPECT_EQ(Info::live, before + 1);
    controls::finalize();
    EXPECT_EQ(controls::clGetStylePainterRegistry(), nullptr);
    EXPECT_EQ(Info::live, before);
    controls::initialize();
}

using PainterResourcesTest = controlstest::ControlsTest;

TEST_F(PainterResourcesTest, IndicatorImagesAreTheTablesPixels)
{
    const char* const rows[6][9] = {
        {"..X.....", "..XX....", "..XXX...", "..XXXX..", "..XXXXX.", "..XXXX..", "..XXX...", "..XX....", "..X....."},
        {".XX.XX..", "...X....", "...X....", "...X....", "...X....", "...X....", "...X....", "...X....", ".XX.XX.."},
        {"........", "...X....", ".X.X.X..", "..XXX...", "...X....", "..XXX...", ".X.X.X..", "...X....", "........"},
        {"........", "........", "...X....", "..XXX...", "..XXX...", "..XXX...", "...X....", "........", "........"},
        {"..X.....", "..XX....", "....X...", "..X..X..", "..XX.XX.", "..X..X..", "....X...", "..XX....", "..X....."},
        {"........", "XXXXXXXX", "X......X", "X......X", ".X....X.", "..XXXX..", "..X..X..", "..X..X..", "..XXXX.."}};
    gui::TCustomImageList* images = controls::clIndicatorImages();
    ASSERT_NE(images, nullptr);
    ASSERT_EQ(images->Count(), 6);
    EXPECT_EQ(images->Width(), 8);
    EXPECT_EQ(images->Height(), 9);
    for (int image = 0; image < 6; ++image) {
        gui::TBitmap bitmap;
        ASSERT_TRUE(images->GetBitmap(image, &bitmap));
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < 8; ++x)
                EXPECT_EQ(bitmap.Canvas()->Pixels(x, y), rows[image][y][x] == 'X' ? gui::clBlack : gui::clWhite)
                    << "image " << image << " at " << x << ", " << y;
    }
}

TEST_F(PainterResourcesTest, PagePatternsFollowTheSystemColours)
{
    struct Case {
        int index;
        gui::TColor odd;
        gui::TColor even;
    };
    auto check = [](const Case& c) {
        gui::TBitmap* bitmap = controls::clScrollPageBrushBitmap(c.index);
        ASSERT_NE(bitmap, nullptr);
        ASSERT_EQ(bitmap->Width(), 8);
        ASSERT_EQ(bitmap->Height(), 8);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                EXPECT_EQ(win::COLORREF(bitmap->Canvas()->Pixels(x, y)), gui::ColorToRGB((x + y) % 2 ? c.odd : c.even))
                    << c.index << " at " << x << ", " << y;
    };
    check({0, gui::clBtnHighlight, gui::clBtnFace});
    check({1, gui::cl3DDkShadow, gui::clBlack});
    EXPECT_EQ(controls::clScrollPageBrushBitmap(2), nullptr);

    const int indexes[] = {15, 20};  // COLOR_BTNFACE, COLOR_BTNHIGHLIGHT
    const win::COLORREF colors[] = {win::RGB(10, 20, 30), win::RGB(200, 100, 50)};
    win::SetSysColors(2, indexes, colors);
    controls::clUpdateScrollPageBrushBitmaps();
    EXPECT_EQ(win::COLORREF(controls::clScrollPageBrushBitmap(0)->Canvas()->Pixels(0, 0)), colors[0]);
    EXPECT_EQ(win::COLORREF(controls::clScrollPageBrushBitmap(0)->Canvas()->Pixels(1, 0)), colors[1]);
}

TEST_F(PainterResourcesTest, CheckBoxExtentIsAQuarterAndAThirdOfTheSystemBitmap)
{
    EXPECT_EQ(controls::clCheckBoxSize().cx, 13);
    EXPECT_EQ(controls::clCheckBoxSize().cy, 13);
}

}  // namespace
