#pragma once
// A surface for drawing tests: a memory device context over a 32-bit bitmap filled with a ground colour,
// read back pixel by pixel, so that what a class or call draws can be compared with the same picture
// drawn another way.

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"

#include <string>
#include <vector>

namespace testsupport {

class Surface {
public:
    Surface(int width, int height, win::COLORREF ground) : width_(width), height_(height)
    {
        win::BITMAPINFO info;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap_ = win::CreateDIBSection(nullptr, &info, win::DIB_RGB_COLORS, &bits, nullptr, 0);
        dc_ = win::CreateCompatibleDC(nullptr);
        old_ = win::SelectObject(dc_, bitmap_);
        win::HBRUSH brush = win::CreateSolidBrush(ground);
        const win::RECT all{0, 0, width, height};
        win::FillRect(dc_, &all, brush);
        win::DeleteObject(brush);
    }
    ~Surface()
    {
        win::SelectObject(dc_, old_);
        win::DeleteDC(dc_);
        win::DeleteObject(bitmap_);
    }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    win::HDC DC() const { return dc_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    std::vector<win::COLORREF> Pixels() const
    {
        std::vector<win::COLORREF> pixels;
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                pixels.push_back(win::GetPixel(dc_, x, y));
            }
        }
        return pixels;
    }
    // How many pixels differ from another surface's (of the same size); the first difference in where.
    int Differences(const Surface& other, std::string* where = nullptr) const
    {
        const std::vector<win::COLORREF> mine = Pixels();
        const std::vector<win::COLORREF> theirs = other.Pixels();
        int count = 0;
        for (std::size_t i = 0; i < mine.size(); ++i) {
            if (mine[i] != theirs[i]) {
                if (count++ == 0 && where) {
                    *where = "first at (" + std::to_string(int(i) % width_) + ", " + std::to_string(int(i) / width_) +
                             ")";
                }
            }
        }
        return count;
    }
    // Pixels of a colour other than the ground's.
    int Painted(win::COLORREF ground) const
    {
        int count = 0;
        for (win::COLORREF pixel : Pixels()) {
            count += pixel != ground;
        }
        return count;
    }

private:
    int width_;
    int height_;
    win::HBITMAP bitmap_ = nullptr;
    win::HDC dc_ = nullptr;
    win::HGDIOBJ old_ = nullptr;
};

inline win::COLORREF At(const Surface& surface, int x, int y)
{
    return win::GetPixel(surface.DC(), x, y);
}

}  // namespace testsupport
