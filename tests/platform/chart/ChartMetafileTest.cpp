// A chart saved as an enhanced metafile: its frame, its picture played back at 1:1, its reading as a
// picture of the report's kind, and saving that fails without touching an old file.

#include "platform/chart/BarSeries.h"
#include "platform/chart/Chart.h"
#include "platform/chart/CustomSeries.h"
#include "platform/chart/FastLineSeries.h"
#include "platform/gui/core/Form.h"
#include "platform/gui/graphics/Bitmap.h"
#include "platform/gui/graphics/Metafile.h"
#include "platform/gui/graphics/Picture.h"
#include "platform/metafile/EnhMetaFile.h"
#include "platform/rtl/Exceptions.h"

#include "tests/platform/chart/ChartFixture.h"
#include "tests/support/ScratchFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <type_traits>

namespace {

using charttest::ChartTest;

std::uint32_t Dword(const std::string& bytes, std::size_t offset)
{
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + offset, 4);
    return value;
}

template <class S>
chart::TChart* ChartOf(classes::TComponent& owner, int width, int height)
{
    auto* c = new chart::TChart(&owner);
    c->SetBounds(0, 0, width, height);
    c->Title()->Text()->Add("Annual Operating Cost / Fan Application");
    c->LeftAxis()->Title()->SetCaption("Operating cost $");
    c->BottomAxis()->Title()->SetCaption("Percentage Flow (%)");
    const char* titles[] = {"Inverter", "Outlet Damper"};
    for (int k = 0; k < 2; ++k) {
        auto* s = new S(&owner);
        s->SetParentChart(c);
        s->SetTitle(titles[k]);
        if constexpr (std::is_base_of_v<chart::TCustomBarSeries, S>) {
            s->BarBrush()->SetStyle(k ? gui::bsCross : gui::bsSolid);
        } else if constexpr (std::is_same_v<chart::TPointSeries, S>) {
            s->Pointer()->Brush()->SetStyle(k ? gui::bsBDiagonal : gui::bsSolid);
        }
        for (int i = 0; i <= 10; ++i) {
            s->AddXY(10 * i, 1000 + 350 * i * (k + 1));
        }
    }
    return c;
}

using Maker = chart::TChart* (*)(classes::TComponent&, int, int);

struct Kind {
    const char* name;
    Maker make;
};

const Kind kKinds[] = {
    {"area", &ChartOf<chart::TAreaSeries>},     {"line", &ChartOf<chart::TLineSeries>},
    {"horizontal bar", &ChartOf<chart::THorizBarSeries>}, {"point", &ChartOf<chart::TPointSeries>},
    {"bar", &ChartOf<chart::TBarSeries>},       {"fast line", &ChartOf<chart::TFastLineSeries>},
};

TEST_F(ChartTest, EachKindSavesAMetafileThatPlaysBackAsItDraws)
{
    testsupport::ScratchFolder folder;
    for (const Kind& kind : kKinds) {
        for (bool orthogonal : {true, false}) {
            SCOPED_TRACE(testing::Message() << kind.name << (orthogonal ? ", orthogonal" : ", turned"));
            classes::TComponent owner(nullptr);
            chart::TChart* c = kind.make(owner, 500, 300);
            c->View3DOptions()->SetOrthogonal(orthogonal);
            const std::string path = folder.Path("graph.emf");
            c->SaveToMetafileEnh(path);
            const std::string bytes = folder.ReadFile("graph.emf");
            ASSERT_GT(bytes.size(), 88u);
            EXPECT_EQ(bytes.substr(40, 4), " EMF");
            // rclFrame in 0.01 mm: round(px × 2540 / 96).
            EXPECT_EQ(Dword(bytes, 24), 0u);
            EXPECT_EQ(Dword(bytes, 28), 0u);
            EXPECT_EQ(Dword(bytes, 32), 13229u);  // 500 px
            EXPECT_EQ(Dword(bytes, 36), 7938u);   // 300 px

            gui::TBitmap drawn;
            drawn.SetSize(500, 300);
            c->Draw(*drawn.Canvas(), {0, 0, 500, 300});
            // At 1:1: onto the frame in the reference device's pixels (its millimetres are whole, so the
            // frame of 500 × 300 pixels at 96 dpi comes out a little larger there).
            const auto toPixels = [&](std::size_t frame, std::size_t device, std::size_t mm) {
                return int(
                    std::lround(double(Dword(bytes, frame)) * Dword(bytes, device) / (Dword(bytes, mm) * 100.0)));
            };
            const win::RECT all{0, 0, toPixels(32, 72, 80), toPixels(36, 76, 84)};
            ASSERT_GE(all.right, 500);
            ASSERT_GE(all.bottom, 300);
            gui::TBitmap played;
            played.SetSize(all.right, all.bottom);
            const win::HENHMETAFILE metafile = win::ReadEnhMetaFile(bytes);
            ASSERT_TRUE(win::PlayEnhMetaFile(played.Canvas()->Handle(), metafile, &all));
            win::DeleteEnhMetaFile(metafile);
            int differing = 0;
            for (int y = 0; y < 300; ++y) {
                for (int x = 0; x < 500; ++x) {
                    differing += drawn.Canvas()->Pixels(x, y) != played.Canvas()->Pixels(x, y);
                }
            }
            EXPECT_EQ(differing, 0);
        }
    }
}

TEST_F(ChartTest, TheReportReadsTheSavedGraphAsAnEnhancedMetafile)
{
    testsupport::ScratchFolder folder;
    classes::TComponent owner(nullptr);
    chart::TChart* c = ChartOf<chart::TBarSeries>(owner, 996, 480);
    const std::string path = folder.Path("QANTO_EE1.WMF");
    c->SaveToMetafileEnh(path);
    gui::TPicture picture;
    picture.LoadFromFile(path);
    auto* metafile = dynamic_cast<gui::TMetafile*>(picture.Graphic());
    ASSERT_NE(metafile, nullptr);
    EXPECT_TRUE(metafile->Enhanced());
    EXPECT_EQ(metafile->Width(), 996);
    EXPECT_EQ(metafile->Height(), 480);
}

TEST_F(ChartTest, HiddenChartsAndChartsWithoutAWindowSaveTheSamePicture)
{
    testsupport::ScratchFolder folder;
    classes::TComponent owner(nullptr);
    chart::TChart* loose = ChartOf<chart::TLineSeries>(owner, 400, 250);
    loose->SaveToMetafileEnh(folder.Path("loose.emf"));

    gui::TForm form(nullptr);
    chart::TChart* shown = ChartOf<chart::TLineSeries>(form, 400, 250);
    shown->SetParent(&form);
    shown->HandleNeeded();
    ASSERT_TRUE(shown->HandleAllocated());
    shown->SaveToMetafileEnh(folder.Path("shown.emf"));
    shown->SetVisible(false);
    shown->SaveToMetafileEnh(folder.Path("hidden.emf"));
    EXPECT_EQ(folder.ReadFile("shown.emf"), folder.ReadFile("loose.emf"));
    EXPECT_EQ(folder.ReadFile("hidden.emf"), folder.ReadFile("loose.emf"));

    // A chart of no size still makes a picture, one pixel square.
    loose->SetBounds(0, 0, 0, 0);
    loose->SaveToMetafileEnh(folder.Path("empty.emf"));
    const std::string empty = folder.ReadFile("empty.emf");
    ASSERT_GT(empty.size(), 40u);
    EXPECT_EQ(Dword(empty, 32), 26u);
    EXPECT_EQ(Dword(empty, 36), 26u);
}

TEST_F(ChartTest, SavingWhereNoFileCanBeMadeRaisesAndKeepsTheOldFile)
{
    testsupport::ScratchFolder folder;
    classes::TComponent owner(nullptr);
    chart::TChart* c = ChartOf<chart::TBarSeries>(owner, 300, 200);
    const auto expectRefused = [&](const std::string& path) {
        try {
            c->SaveToMetafileEnh(path);
            ADD_FAILURE() << "saved " << path;
        } catch (const rtl::EFCreateError& e) {
            EXPECT_EQ(e.Message().rfind("Cannot create file \"" + path + "\". ", 0), 0u) << e.Message();
        }
    };
    expectRefused(folder.Path("missing/graph.emf"));
    EXPECT_EQ(c->SeriesCount(), 2);
    EXPECT_EQ(c->Width(), 300);

    const std::string locked = folder.Path("locked");
    mkdir(locked.c_str(), 0755);
    folder.WriteFile("locked/graph.emf", "old picture");
    chmod(locked.c_str(), 0555);
    if (access(locked.c_str(), W_OK) == 0) {
        chmod(locked.c_str(), 0755);
        GTEST_SKIP() << "folder permissions do not bind this user";
    }
    expectRefused(folder.Path("locked/graph.emf"));
    chmod(locked.c_str(), 0755);
    EXPECT_EQ(folder.ReadFile("locked/graph.emf"), "old picture");
}

}  // namespace
