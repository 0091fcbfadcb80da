#include "platform/gdi/Blit.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/gdiplus/ImageList.h"
#include "platform/gui/graphics/Bitmap.h"
#include "platform/gui/graphics/Icon.h"
#include "platform/gui/graphics/ImageList.h"
#include "platform/win/DrawState.h"
#include "platform/win/Icon.h"

#include "tests/platform/gui/graphics/GraphicsHolder.h"
#include "tests/platform/gui/graphics/GuiFixture.h"
#include "tests/platform/gui/graphics/GuiTestSupport.h"

namespace {

using guitest::Surface;

constexpr win::COLORREF kListGround = win::RGB(0x40, 0x80, 0xC0);

// Three 16 x 16 pictures side by side on a fuchsia ground: a red square, a green bar, a blue cross.
std::unique_ptr<gui::TBitmap> Strip()
{
    auto strip = std::make_unique<gui::TBitmap>();
    strip->SetSize(48, 16);
    gui::TCanvas* canvas = strip->Canvas();
    canvas->Brush()->SetColor(gui::clFuchsia);
    canvas->FillRect(win::RECT{0, 0, 48, 16});
    canvas->Brush()->SetColor(gui::clRed);
    canvas->FillRect(win::RECT{3, 3, 13, 13});
    canvas->Brush()->SetColor(gui::clGreen);
    canvas->FillRect(win::RECT{16, 6, 32, 10});
    canvas->Brush()->SetColor(gui::clBlue);
    canvas->FillRect(win::RECT{39, 0, 41, 16});
    canvas->FillRect(win::RECT{32, 7, 48, 9});
    return strip;
}

class ImageListTest : public guitest::GuiTest {
public:
    void Heard(classes::TObject* sender) { heard_.push_back(sender); }

protected:
    std::vector<classes::TObject*> heard_;
};

TEST_F(ImageListTest, AStripBecomesOnePicturePerCell)
{
    gui::TImageList list(nullptr);
    EXPECT_EQ(list.Width(), 16);
    EXPECT_EQ(list.Height(), 16);
    EXPECT_EQ(list.AddMasked(Strip().get(), gui::clFuchsia), 0);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Add(Strip().get(), nullptr), 3);
    EXPECT_EQ(list.Count(), 6);
    list.Delete(4);
    EXPECT_EQ(list.Count(), 5);
    try {
        list.Delete(5);
        FAIL() << "deleted";
    } catch (const rtl::EInvalidOperation& e) {
        EXPECT_STREQ(e.what(), "Invalid ImageList Index");
    }
    gui::TBitmap picture;
    EXPECT_TRUE(list.GetBitmap(1, &picture));
    EXPECT_EQ(picture.Width(), 16);
    EXPECT_EQ(picture.Canvas()->Pixels(0, 0), gui::clWhite);  // transparent: the white the bitmap starts with
    EXPECT_EQ(picture.Canvas()->Pixels(5, 7), gui::clGreen);
    EXPECT_FALSE(list.GetBitmap(9, &picture));
}

// Enabled, a picture is what ImageList_Draw draws; unavailable, the embossed silhouette DrawState makes
// of the picture drawn on white.
TEST_F(ImageListTest, DrawingMatchesImageListDrawAndDrawStateDisabled)
{
    gui::TImageList list(nullptr);
    list.AddMasked(Strip().get(), gui::clFuchsia);
    for (int index = 0; index < 3; ++index) {
        SCOPED_TRACE(index);
        Surface drawn(40, 20, kListGround);
        gui::TCanvas canvas;
        canvas.SetHandle(drawn.DC());
        list.Draw(&canvas, 1, 2, index);
        list.Draw(&canvas, 20, 2, index, false);
        canvas.SetHandle(nullptr);

        Surface reference(40, 20, kListGround);
        ASSERT_TRUE(win::ImageList_Draw(list.Handle(), index, reference.DC(), 1, 2, win::ILD_NORMAL));
        Surface onWhite(16, 16, win::RGB(255, 255, 255));
        win::ImageList_Draw(list.Handle(), index, onWhite.DC(), 0, 0, win::ILD_NORMAL);
        win::HBITMAP picture = win::CreateBitmap(16, 16, 1, 32, nullptr);
        win::HDC pictureDC = win::CreateCompatibleDC(nullptr);
        win::HGDIOBJ old = win::SelectObject(pictureDC, picture);
        win::BitBlt(pictureDC, 0, 0, 16, 16, onWhite.DC(), 0, 0, win::SRCCOPY);
        win::SelectObject(pictureDC, old);
        win::DeleteDC(pictureDC);
        ASSERT_TRUE(win::DrawState(reference.DC(), nullptr, nullptr, reinterpret_cast<win::LPARAM>(picture), 0, 20, 2,
                                   0, 0, win::DST_BITMAP | win::DSS_DISABLED));
        win::DeleteObject(picture);

        std::string where;
        EXPECT_EQ(drawn.Differences(reference, &where), 0) << where;
        const win::COLORREF shadow = win::GetSysColor(win::COLOR_BTNSHADOW);
        int shaded = 0;
        for (win::COLORREF pixel : drawn.Pixels())
            shaded += pixel == shadow;
        EXPECT_GT(shaded, 16) << "the disabled picture shows";
        EXPECT_EQ(win::GetPixel(drawn.DC(), 1, 2), kListGround);  // the masked corner
    }
}

// An icon joins with its mask; a replaced picture takes the new one's place.
TEST_F(ImageListTest, IconsAndReplacedPicturesKeepTheirMasks)
{
    gui::TImageList list(nullptr);
    list.AddMasked(Strip().get(), gui::clFuchsia);
    gui::TImageList small(nullptr);
    gui::TIcon sixteen;
    sixteen.SetHandle(gui::ReadIconFile(guitest::ReadFixture("pictures/two-sizes.ico"), 16));
    EXPECT_EQ(small.AddIcon(&sixteen), 0);
    EXPECT_EQ(small.Count(), 1);
    Surface drawn(16, 16, kListGround), reference(16, 16, kListGround);
    gui::TCanvas canvas;
    canvas.SetHandle(drawn.DC());
    small.Draw(&canvas, 0, 0, 0);
    canvas.SetHandle(nullptr);
    win::DrawIconEx(reference.DC(), 0, 0, sixteen.Handle(), 0, 0, 0, nullptr, win::DI_NORMAL);
    EXPECT_EQ(drawn.Pixels(), reference.Pixels());

    gui::TBitmap image;
    image.SetSize(16, 16);
    image.Canvas()->Brush()->SetColor(gui::clYellow);
    image.Canvas()->FillRect(win::RECT{0, 0, 16, 16});
    list.Replace(1, &image, nullptr);
    EXPECT_EQ(list.Count(), 3);
    gui::TBitmap back;
    list.GetBitmap(1, &back);
    EXPECT_EQ(back.Canvas()->Pixels(0, 0), gui::clYellow);
    EXPECT_THROW(list.Replace(7, &image, nullptr), rtl::EInvalidOperation);
}

TEST_F(ImageListTest, ChangeLinksHearEveryChangeOnceAnUpdateEnds)
{
    gui::TImageList list(nullptr);
    gui::TChangeLink link;
    link.OnChange = classes::TNotifyEvent::Of<&ImageListTest::Heard>(this);
    list.RegisterChanges(&link);
    EXPECT_EQ(link.Sender(), &list);
    list.Add(Strip().get(), nullptr);
    ASSERT_EQ(heard_.size(), 1u);
    EXPECT_EQ(heard_[0], &list);
    list.BeginUpdate();
    list.Delete(0);
    list.Delete(0);
    EXPECT_EQ(heard_.size(), 1u);
    list.EndUpdate();
    EXPECT_EQ(heard_.size(), 2u);
    {
        gui::TChangeLink shortLived;
        list.RegisterChanges(&shortLived);
    }
    list.Clear();  // the link that went is not called
    EXPECT_EQ(heard_.size(), 3u);
    auto owner = std::make_unique<gui::TImageList>(nullptr);
    gui::TChangeLink outliving;
    owner->RegisterChanges(&outliving);
    owner.reset();
    EXPECT_EQ(outliving.Sender(), nullptr);
}

// A drag shows the chosen picture through the platform's drag image, until it ends.
TEST_F(ImageListTest, ADragShowsTheChosenPictureUntilItEnds)
{
    gui::TImageList list(nullptr);
    EXPECT_FALSE(list.BeginDrag(nullptr, 0, 0));  // no pictures yet
    list.AddMasked(Strip().get(), gui::clFuchsia);
    EXPECT_FALSE(list.SetDragImage(3, 0, 0));
    ASSERT_TRUE(list.SetDragImage(2, 4, 5));
    ASSERT_TRUE(list.BeginDrag(nullptr, 10, 20));
    EXPECT_TRUE(list.Dragging());
    ASSERT_TRUE(list.DragMove(30, 40));
    win::POINT position;
    win::POINT hotSpot;
    const win::HIMAGELIST dragged = win::ImageList_GetDragImage(&position, &hotSpot);
    ASSERT_NE(dragged, nullptr);
    EXPECT_EQ(position, (win::POINT{30, 40}));
    EXPECT_EQ(hotSpot, (win::POINT{4, 5}));
    Surface shown(16, 16, kListGround), picture(16, 16, kListGround);
    win::ImageList_Draw(dragged, 0, shown.DC(), 0, 0, win::ILD_NORMAL);
    win::ImageList_Draw(list.Handle(), 2, picture.DC(), 0, 0, win::ILD_NORMAL);
    EXPECT_EQ(shown.Pixels(), picture.Pixels());
    EXPECT_TRUE(list.EndDrag());
    EXPECT_FALSE(list.Dragging());
    EXPECT_EQ(win::ImageList_GetDragImage(nullptr, nullptr), nullptr);
    EXPECT_FALSE(list.EndDrag());
}

TEST_F(ImageListTest, AssignCopiesSettingsAndPictures)
{
    gui::TImageList source(nullptr);
    source.SetBkColor(gui::clYellow);
    source.SetDrawingStyle(gui::dsTransparent);
    source.AddMasked(Strip().get(), gui::clFuchsia);
    gui::TImageList copy(nullptr);
    copy.Assign(&source);
    EXPECT_EQ(copy.Count(), 3);
    EXPECT_EQ(copy.BkColor(), static_cast<gui::TColor>(gui::ColorToRGB(gui::clYellow)));
    EXPECT_EQ(copy.DrawingStyle(), gui::dsTransparent);
    EXPECT_NE(copy.Handle(), source.Handle());
    Surface a(16, 16, kListGround), b(16, 16, kListGround);
    win::ImageList_Draw(copy.Handle(), 2, a.DC(), 0, 0, win::ILD_NORMAL);
    win::ImageList_Draw(source.Handle(), 2, b.DC(), 0, 0, win::ILD_NORMAL);
    EXPECT_EQ(a.Pixels(), b.Pixels());
}

// The pictures are stored as "Bitmap" in the platform list's form; damaged data is refused, and the list
// keeps its pictures.
TEST_F(ImageListTest, StoredPicturesAreTheListsOwnFormAndDamageIsRefused)
{
    classes::RegisterClass(guitest::TGraphicsHolder::StaticClass());
    guitest::TGraphicsHolder holder(nullptr);
    holder.SetName("Holder");
    auto* list = new gui::TImageList(&holder);
    list->SetName("Images");
    list->AddMasked(Strip().get(), gui::clFuchsia);
    rtl::TMemoryStream stored;
    win::ImageList_Write(list->Handle(), stored);
    const std::string text = guitest::TextOf(holder);
    EXPECT_NE(text.find("Bitmap = {\n      " + guitest::Hex(std::string(stored.Memory(), 20))), std::string::npos) << text;

    guitest::TGraphicsHolder read(nullptr);
    guitest::ReadText(text, &read);
    auto* readList = dynamic_cast<gui::TImageList*>(read.FindComponent("Images"));
    ASSERT_NE(readList, nullptr);
    EXPECT_EQ(readList->Count(), 3);
    EXPECT_EQ(guitest::TextOf(read), text);

    // Read again into the same list (as inherited data is), with the signature damaged.
    std::string damaged = text;
    damaged.replace(damaged.find("object Images"), 6, "inherited");
    const std::size_t at = damaged.find("Bitmap = {\n      ") + 17;
    damaged.replace(at, 4, "4A4B");
    try {
        guitest::ReadText(damaged, &read);
        ADD_FAILURE() << "read";
    } catch (const rtl::EReadError& e) {
        EXPECT_EQ(e.Message(), "Error reading Images.Bitmap: Failed to read ImageList data from stream");
    }
    EXPECT_EQ(readList->Count(), 3);
    classes::UnRegisterClass(guitest::TGraphicsHolder::StaticClass());
}

}  // namespace
