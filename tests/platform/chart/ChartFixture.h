#pragma once
// A fresh GUI class library with the chart library on top of it for each test, and helpers that read a
// stored window and measure text as a chart does.

#include "platform/chart/ChartLibrary.h"
#include "platform/text/TextMetrics.h"

#include "tests/platform/gui/GraphicsHolder.h"
#include "tests/platform/gui/GuiFixture.h"
#include "tests/platform/gui/GuiTestSupport.h"

#include <memory>
#include <string>

namespace charttest {

class ChartTest : public guitest::GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        chart::initialize();
    }
    void TearDown() override
    {
        chart::finalize();
        GuiTest::TearDown();
    }
};

// A font's tmHeight and a text's width in it, measured straight on a memory context.
struct Measure {
    Measure() : dc(win::CreateCompatibleDC(nullptr)) {}
    ~Measure() { win::DeleteDC(dc); }
    Measure(const Measure&) = delete;
    Measure& operator=(const Measure&) = delete;

    int Height(const gui::TFont& font)
    {
        const win::HGDIOBJ old = win::SelectObject(dc, font.Handle());
        win::TEXTMETRIC metrics{};
        win::GetTextMetricsA(dc, &metrics);
        win::SelectObject(dc, old);
        return metrics.tmHeight;
    }
    int Width(const gui::TFont& font, const std::string& text)
    {
        const win::HGDIOBJ old = win::SelectObject(dc, font.Handle());
        win::SIZE size{};
        win::GetTextExtentPoint32A(dc, text.c_str(), int(text.size()), &size);
        win::SelectObject(dc, old);
        return size.cx;
    }

    win::HDC dc;
};

}  // namespace charttest
