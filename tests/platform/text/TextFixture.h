#pragma once
// White 20-pixel Arial text, transparent, on a black bitmap of the given size selected into a memory DC.

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/text/TextMetrics.h"
#include "platform/wintypes/LogFont.h"

#include "tests/platform/text/TextLibraryFixture.h"

#include <vector>

namespace wintest {

// The ground the text tests draw on (in the colours of tests/platform/gdi/GdiFixture.h).
inline constexpr win::COLORREF Black = win::RGB(0, 0, 0);

using Pixels = std::vector<win::COLORREF>;

class TextDcTest : public TextLibraryTest {
protected:
    TextDcTest(int width, int height) : width_(width), height_(height) {}

    void SetUp() override
    {
        TextLibraryTest::SetUp();
        dc_ = win::CreateCompatibleDC(nullptr);
        bitmap_ = win::CreateCompatibleBitmap(dc_, width_, height_);
        win::SelectObject(dc_, bitmap_);
        win::LOGFONT logFont;
        logFont.lfHeight = -20;
        logFont.lfFaceName = "Arial";
        font_ = win::CreateFontIndirect(&logFont);
        win::SelectObject(dc_, font_);
        win::SetTextColor(dc_, win::RGB(255, 255, 255));
        win::SetBkMode(dc_, win::TRANSPARENT);
        win::GetTextMetricsA(dc_, &metrics_);
        Clear();
    }
    void TearDown() override
    {
        win::DeleteDC(dc_);
        win::DeleteObject(bitmap_);
        win::DeleteObject(font_);
        TextLibraryTest::TearDown();
    }

    // Every pixel, row by row.
    Pixels Read() const
    {
        Pixels pixels;
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                pixels.push_back(win::GetPixel(dc_, x, y));
        return pixels;
    }
    void Clear()
    {
        const win::RECT all{0, 0, width_, height_};
        win::FillRect(dc_, &all, static_cast<win::HBRUSH>(win::GetStockObject(win::BLACK_BRUSH)));
    }

    const int width_;
    const int height_;
    win::HDC dc_ = nullptr;
    win::HBITMAP bitmap_ = nullptr;
    win::HFONT font_ = nullptr;
    win::TEXTMETRIC metrics_;
};

}  // namespace wintest
