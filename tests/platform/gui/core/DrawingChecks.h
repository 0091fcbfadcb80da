#pragma once
// What the drawing tests compare pixels with: a colour as the screen shows it, and text measured apart
// from the controls (on a screen context with the font selected).

#include "platform/gdi/DeviceContext.h"
#include "platform/gui/graphics/Colors.h"
#include "platform/gui/graphics/Font.h"
#include "platform/text/TextMetrics.h"
#include "platform/win/Paint.h"

#include <string>

namespace guitest {

inline win::COLORREF Rgb(gui::TColor color)
{
    return gui::ColorToRGB(color);
}

inline win::SIZE MeasureText(gui::TFont* font, const std::string& text)
{
    win::HDC dc = win::GetDC(nullptr);
    const win::HGDIOBJ old = win::SelectObject(dc, font->Handle());
    win::SIZE size{};
    win::GetTextExtentPoint32A(dc, text.data(), int(text.size()), &size);
    win::SelectObject(dc, old);
    win::ReleaseDC(nullptr, dc);
    return size;
}

inline win::TEXTMETRIC MeasureFont(gui::TFont* font)
{
    win::HDC dc = win::GetDC(nullptr);
    const win::HGDIOBJ old = win::SelectObject(dc, font->Handle());
    win::TEXTMETRIC metrics{};
    win::GetTextMetricsA(dc, &metrics);
    win::SelectObject(dc, old);
    win::ReleaseDC(nullptr, dc);
    return metrics;
}

}  // namespace guitest
