#include "platform/classes/Resources.h"
#include "platform/gdi/Blit.h"
#include "platform/gui/graphics/Canvas.h"
#include "platform/gui/graphics/Icon.h"
#include "platform/imaging/IcoCodec.h"
#include "platform/win/Cursor.h"
#include "platform/win/Icon.h"

#include "tests/platform/gui/graphics/GraphicsHolder.h"
#include "tests/platform/gui/graphics/GuiFixture.h"
#include "tests/platform/gui/graphics/GuiTestSupport.h"

#include <cstring>

namespace {

using guitest::Surface;

class IconTest : public guitest::GuiTest {};

constexpr win::COLORREF kIconGround = win::RGB(0x10, 0x70, 0x30);

void Put32(std::string& out, std::uint32_t value)
{
    out.append(reinterpret_cast<const char*>(&value), 4);
}

void Put16(std::string& out, std::uint16_t value)
{
    out.append(reinterpret_cast<const char*>(&value), 2);
}

// An icon (or cursor) file of one classic 24-bit image of size x size: a diagonal band of red, green and
// blue, transparent above the diagonal.
std::string ClassicFile(int size, bool cursor, int hotX = 0, int hotY = 0)
{
    std::string image;
    for (std::uint32_t field : {40u, std::uint32_t(size), std::uint32_t(size * 2)})
        Put32(image, field);
    Put16(image, 1);
    Put16(image, 24);
    for (int i = 0; i < 6; ++i)
        Put32(image, 0);
    const int stride = (size * 3 + 3) / 4 * 4;
    const int maskStride = (size + 31) / 32 * 4;
    std::string pixels(std::size_t(stride * size), '\0');
    std::string mask(std::size_t(maskStride * size), '\0');
    for (int y = 0; y < size; ++y) {
        const int row = size - 1 - y;
        for (int x = 0; x < size; ++x) {
            if (x > y) {
                mask[std::size_t(row * maskStride + x / 8)] |= char(0x80 >> (x % 8));
                continue;
            }
            pixels[std::size_t(row * stride + x * 3 + (2 - (x + y) % 3))] = char(0xFF);
        }
    }
    image += pixels + mask;
    std::string file;
    Put16(file, 0);
    Put16(file, cursor ? 2 : 1);
    Put16(file, 1);
    file += char(size);
    file += char(size);
    file += '\0';
    file += '\0';
    Put16(file, std::uint16_t(cursor ? hotX : 1));
    Put16(file, std::uint16_t(cursor ? hotY : 24));
    Put32(file, std::uint32_t(image.size()));
    Put32(file, 22);
    return file + image;
}

// The reference: the icon's own bitmaps, the mask ANDed and the colour XORed.
void BlitThroughMask(const Surface& surface, int x, int y, win::HICON icon)
{
    win::ICONINFO info;
    ASSERT_TRUE(win::GetIconInfo(icon, &info));
    win::BITMAP size;
    win::GetObject(info.hbmColor, sizeof size, &size);
    win::HDC source = win::CreateCompatibleDC(nullptr);
    win::SetTextColor(surface.DC(), win::RGB(0, 0, 0));
    win::SetBkColor(surface.DC(), win::RGB(255, 255, 255));
    win::HGDIOBJ old = win::SelectObject(source, info.hbmMask);
    win::BitBlt(surface.DC(), x, y, size.bmWidth, size.bmHeight, source, 0, 0, win::SRCAND);
    win::SelectObject(source, info.hbmColor);
    win::BitBlt(surface.DC(), x, y, size.bmWidth, size.bmHeight, source, 0, 0, win::SRCINVERT);
    win::SelectObject(source, old);
    win::DeleteDC(source);
    win::DeleteObject(info.hbmMask);
    win::DeleteObject(info.hbmColor);
}

// The program's icons and cursors come from its resources through LoadIcon and LoadCursor, once each.
TEST_F(IconTest, ResourceIconsAndCursorsLoadFromTheProgramsModule)
{
    const std::string icon = ClassicFile(32, false);
    const std::string cursor = ClassicFile(32, true, 5, 7);
    const classes::TResourceEntry table[] = {
        {classes::RT_ICON, nullptr, 0, "PLAIN", icon.data(), icon.size()},
        {classes::RT_CURSOR, nullptr, 0, "POINTER", cursor.data(), cursor.size()},
        {classes::RT_ICON, nullptr, 7, nullptr, icon.data(), icon.size()},
    };
    classes::RegisterResources(table, std::size(table));
    const win::HINSTANCE program = win::GetModuleHandle(nullptr);

    const win::HICON plain = win::LoadIcon(program, "plain");
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(win::LoadIcon(program, "PLAIN"), plain);
    EXPECT_NE(win::LoadIcon(program, win::MAKEINTRESOURCE(7)), nullptr);
    EXPECT_EQ(win::LoadIcon(program, "MISSING"), nullptr);
    EXPECT_EQ(win::LoadIcon(nullptr, "PLAIN"), nullptr);
    EXPECT_TRUE(win::DestroyIcon(plain));  // shared: it stays
    Surface drawn(40, 40, kIconGround);
    ASSERT_TRUE(win::DrawIconEx(drawn.DC(), 3, 4, plain, 0, 0, 0, nullptr, win::DI_NORMAL));
    Surface reference(40, 40, kIconGround);
    BlitThroughMask(reference, 3, 4, plain);
    std::string where;
    EXPECT_EQ(drawn.Differences(reference, &where), 0) << where;
    EXPECT_EQ(win::GetPixel(drawn.DC(), 3, 4), win::RGB(255, 0, 0));  // (0, 0): red, (1, 0): transparent
    EXPECT_EQ(win::GetPixel(drawn.DC(), 4, 4), kIconGround);

    const win::HCURSOR pointer = win::LoadCursor(program, "POINTER");
    ASSERT_NE(pointer, nullptr);
    win::ICONINFO info;
    ASSERT_TRUE(win::GetIconInfo(pointer, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 5u);
    EXPECT_EQ(info.yHotspot, 7u);
    win::DeleteObject(info.hbmMask);
    win::DeleteObject(info.hbmColor);
    classes::UnregisterResources(table);
}

// An icon file reads at the system icon size and writes back unchanged; an icon of a handle writes an
// icon file that reads back to the same picture.
TEST_F(IconTest, IconFilesReadAtTheSystemSizeAndWriteBack)
{
    const std::string file = guitest::ReadFixture("pictures/two-sizes.ico");
    gui::TIcon icon;
    icon.LoadFromFile(guitest::FixturePath("pictures/two-sizes.ico"));
    EXPECT_EQ(icon.Width(), 32);
    EXPECT_EQ(icon.Height(), 32);
    EXPECT_TRUE(icon.Transparent());
    EXPECT_EQ(guitest::SavedBytes(icon), file);
    try {
        icon.SetWidth(16);
        FAIL() << "resized";
    } catch (const gui::EInvalidGraphicOperation& e) {
        EXPECT_STREQ(e.what(), "Cannot change the size of an icon");
    }

    gui::TIcon made;
    made.SetHandle(win::CopyIcon(icon.Handle()));
    const std::string written = guitest::SavedBytes(made);
    // The same picture: what is under a fully transparent pixel does not count.
    const auto visible = [](const win::Image& image) {
        std::vector<std::uint32_t> pixels = image.Pixels();
        for (std::uint32_t& pixel : pixels)
            pixel = (pixel >> 24) == 0 ? 0 : pixel;
        return pixels;
    };
    const win::Image original = win::ReadIco(file, 32);
    const win::Image reread = win::ReadIco(written);
    ASSERT_EQ(reread.Width(), 32);
    EXPECT_EQ(visible(reread), visible(original));

    gui::TIcon classic;
    classic.SetHandle(gui::ReadIconFile(ClassicFile(16, false)));
    Surface drawn(16, 16, kIconGround);
    Surface again(16, 16, kIconGround);
    gui::TIcon back;
    rtl::TMemoryStream stream;
    classic.SaveToStream(stream);
    stream.SetPosition(0);
    back.LoadFromStream(stream);
    win::DrawIconEx(drawn.DC(), 0, 0, classic.Handle(), 0, 0, 0, nullptr, win::DI_NORMAL);
    win::DrawIconEx(again.DC(), 0, 0, back.Handle(), 0, 0, 0, nullptr, win::DI_NORMAL);
    EXPECT_EQ(drawn.Pixels(), again.Pixels());
}

TEST_F(IconTest, TheCanvasDrawsAnIconAsDrawIconExDoes)
{
    gui::TIcon icon;
    icon.SetHandle(gui::ReadIconFile(ClassicFile(32, false)));
    Surface drawn(50, 50, kIconGround);
    gui::TCanvas canvas;
    canvas.SetHandle(drawn.DC());
    canvas.Draw(2, 3, &icon);
    canvas.StretchDraw(win::RECT{34, 34, 50, 50}, &icon);
    canvas.SetHandle(nullptr);
    Surface reference(50, 50, kIconGround);
    win::DrawIconEx(reference.DC(), 2, 3, icon.Handle(), 32, 32, 0, nullptr, win::DI_NORMAL);
    win::DrawIconEx(reference.DC(), 34, 34, icon.Handle(), 16, 16, 0, nullptr, win::DI_NORMAL);
    std::string where;
    EXPECT_EQ(drawn.Differences(reference, &where), 0) << where;
    EXPECT_GT(drawn.Painted(kIconGround), 32 * 32 / 2);
}

TEST_F(IconTest, DamagedIconFilesAreRefusedAndTheIconKept)
{
    gui::TIcon icon;
    icon.LoadFromFile(guitest::FixturePath("pictures/two-sizes.ico"));
    const win::HICON before = icon.Handle();
    std::string damaged = guitest::ReadFixture("pictures/two-sizes.ico");
    damaged.resize(200);  // the images lie past the end
    rtl::TMemoryStream stream;
    stream.WriteBuffer(damaged.data(), std::int64_t(damaged.size()));
    stream.SetPosition(0);
    EXPECT_THROW(icon.LoadFromStream(stream), gui::EInvalidGraphic);
    EXPECT_EQ(icon.Handle(), before);
    EXPECT_EQ(guitest::SavedBytes(icon), guitest::ReadFixture("pictures/two-sizes.ico"));
}

}  // namespace
