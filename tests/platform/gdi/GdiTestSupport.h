#pragma once
// A canvas for drawing tests: a memory device context over a black 32-bit bitmap, read back as rows of
// letters, one per pixel ('?' for a colour without a letter).

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"

#include "tests/platform/gdi/GdiFixture.h"

#include <map>
#include <string>
#include <vector>

namespace wintest {

using Picture = std::vector<std::string>;

inline const std::map<win::COLORREF, char>& Letters()
{
    static const std::map<win::COLORREF, char> letters{
        {win::RGB(0, 0, 0), '.'},       {win::RGB(255, 255, 255), '#'}, {win::RGB(255, 0, 0), 'r'},
        {win::RGB(0, 0, 255), 'b'},     {win::RGB(0, 255, 0), 'g'},     {win::RGB(128, 128, 128), 's'},
        {win::RGB(192, 192, 192), 'f'}, {win::RGB(64, 64, 64), 'd'},    {win::RGB(0, 255, 255), 'c'},
        {win::RGB(255, 255, 0), 'y'},   {win::RGB(255, 0, 255), 'm'},   {win::RGB(212, 208, 200), 'F'}};
    return letters;
}

inline Picture ReadPicture(win::HDC dc, int width, int height)
{
    Picture picture;
    for (int y = 0; y < height; ++y) {
        std::string row;
        for (int x = 0; x < width; ++x) {
            const auto found = Letters().find(win::GetPixel(dc, x, y));
            row += found == Letters().end() ? '?' : found->second;
        }
        picture.push_back(row);
    }
    return picture;
}

// A memory device context over a black 32-bit bitmap of the canvas size.
class CanvasTest : public GdiLibraryTest {
protected:
    void SetUp() override
    {
        GdiLibraryTest::SetUp();
        dc_ = win::CreateCompatibleDC(nullptr);
        bitmap_ = win::CreateCompatibleBitmap(dc_, width_, height_);
        win::SelectObject(dc_, bitmap_);
    }
    void TearDown() override
    {
        win::DeleteDC(dc_);
        win::DeleteObject(bitmap_);
        GdiLibraryTest::TearDown();
    }

    Picture Read() const { return ReadPicture(dc_, width_, height_); }
    void Clear(win::COLORREF colour)
    {
        win::HBRUSH brush = win::CreateSolidBrush(colour);
        const win::RECT all{0, 0, width_, height_};
        win::FillRect(dc_, &all, brush);
        win::DeleteObject(brush);
    }

    int width_ = 8;
    int height_ = 6;
    win::HDC dc_ = nullptr;
    win::HBITMAP bitmap_ = nullptr;
};

}  // namespace wintest
