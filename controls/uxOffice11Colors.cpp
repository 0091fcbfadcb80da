#include "controls/uxOffice11Colors.h"

#include "controls/clEntryPoints.h"
#include "controls/clGraphics.h"
#include "controls/uxTheme.h"
#include "platform/classes/Resources.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Edges.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/StringUtils.h"
#include "platform/win/Paint.h"

#include <algorithm>
#include <array>
#include <memory>

namespace controls {

namespace {

constexpr int kBrushEntries[] = {10, 11, 12, 13, 23, 30, 31, 32, 37, 38, 39, 40, 44};

struct Office11State {
    std::array<gui::TColor, uxOffice11ColorCount> colors{};
    int percent = 75;
    int scheme = 0;
    bool luna = false;
    int users = 0;
    std::array<win::HBRUSH, uxOffice11ColorCount> brushes{};
    std::unique_ptr<gui::TBitmap> subMenuExpand;
    std::unique_ptr<gui::TBitmap> expandMinus;
    std::unique_ptr<gui::TBitmap> expandPlus;
};
Office11State office;

int R(win::COLORREF c) { return int(c & 0xFF); }
int G(win::COLORREF c) { return int((c >> 8) & 0xFF); }
int B(win::COLORREF c) { return int((c >> 16) & 0xFF); }

gui::TColor Rgb(int r, int g, int b) { return gui::TColor(win::RGB(r, g, b)); }

gui::TColor Nearest(gui::TColor color)
{
    win::HDC dc = win::GetDC(nullptr);
    const win::COLORREF nearest = win::GetNearestColor(dc, win::COLORREF(color));
    win::ReleaseDC(nullptr, dc);
    return gui::TColor(nearest);
}

win::COLORREF Sys(gui::TColor color) { return gui::ColorToRGB(color); }

// The Luna schemes' fixed colours (blue, olive, silver); a missing entry follows a rule.
struct Fixed {
    int entry;
    int rgb[3][3];
};
constexpr Fixed kLuna[] = {
    {0, {{158, 190, 245}, {217, 217, 167}, {215, 215, 229}}},
    {1, {{195, 218, 249}, {242, 240, 228}, {243, 243, 247}}},
    {2, {{221, 236, 254}, {244, 247, 222}, {243, 244, 250}}},
    {3, {{129, 169, 226}, {183, 198, 145}, {153, 151, 181}}},
    {4, {{117, 166, 241}, {176, 194, 140}, {179, 178, 200}}},
    {5, {{0, 53, 145}, {96, 119, 107}, {118, 116, 146}}},
    {6, {{59, 97, 156}, {96, 128, 88}, {124, 124, 148}}},
    {7, {{123, 164, 224}, {181, 196, 143}, {147, 145, 176}}},
    {10, {{39, 65, 118}, {81, 94, 51}, {84, 84, 117}}},
    {11, {{255, 255, 255}, {255, 255, 255}, {255, 255, 255}}},
    {12, {{106, 140, 203}, {96, 128, 88}, {110, 109, 143}}},
    {13, {{241, 249, 255}, {244, 247, 222}, {255, 255, 255}}},
    {14, {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
    {15, {{255, 255, 255}, {255, 255, 255}, {255, 255, 255}}},
    {16, {{42, 102, 201}, {116, 134, 94}, {122, 121, 153}}},
    {17, {{196, 219, 249}, {225, 222, 173}, {219, 218, 228}}},
    {20, {{255, 255, 255}, {255, 255, 255}, {255, 255, 255}}},
    {21, {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
    {22, {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
    {23, {{246, 246, 246}, {244, 244, 238}, {253, 250, 255}}},
    {30, {{0, 45, 150}, {117, 141, 94}, {124, 124, 148}}},
    {31, {{255, 238, 194}, {255, 238, 194}, {255, 238, 194}}},
    {32, {{0, 0, 128}, {63, 93, 56}, {75, 75, 111}}},
    {33, {{255, 244, 204}, {255, 244, 204}, {255, 244, 204}}},
    {34, {{255, 208, 145}, {255, 208, 145}, {255, 208, 145}}},
    {35, {{255, 211, 142}, {255, 211, 142}, {255, 211, 142}}},
    {36, {{254, 145, 78}, {254, 145, 78}, {254, 145, 78}}},
    {37, {{203, 225, 252}, {216, 227, 182}, {214, 211, 231}}},
    {38, {{255, 192, 111}, {255, 192, 111}, {255, 192, 111}}},
    {39, {{254, 128, 62}, {254, 128, 62}, {254, 128, 62}}},
    {40, {{169, 199, 240}, {197, 212, 159}, {192, 192, 211}}},
    {41, {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
    {42, {{141, 141, 141}, {141, 141, 141}, {141, 141, 141}}},
    {47, {{190, 218, 251}, {175, 186, 145}, {229, 229, 235}}},
    {48, {{251, 230, 148}, {251, 230, 148}, {251, 230, 148}}},
    {49, {{0, 45, 150}, {96, 128, 88}, {124, 124, 148}}},
    {50, {{196, 218, 250}, {242, 241, 228}, {243, 243, 247}}},
};
constexpr int kLunaPercent[] = {41, 125, 40};

void ComputeLuna(std::array<gui::TColor, uxOffice11ColorCount>& e, int scheme)
{
    for (const Fixed& fixed : kLuna) {
        const int* rgb = fixed.rgb[scheme - 1];
        e[fixed.entry] = Rgb(rgb[0], rgb[1], rgb[2]);
    }
    e[8] = uxOffice11MixColors(e[4], e[2], 90);
    e[9] = uxOffice11MixColors(e[5], e[7], 50);
    e[18] = e[2];
    e[19] = e[16];
    e[24] = e[2];
    e[25] = e[3];
    e[26] = e[2];
    e[27] = e[3];
    e[28] = uxOffice11MixColors(e[26], gui::clBlack, 92);
    e[29] = uxOffice11MixColors(e[27], gui::clBlack, 92);
    e[43] = e[0];
    e[44] = e[9];
    e[45] = e[20];
    e[46] = e[30];
}

void ComputeWithoutScheme(std::array<gui::TColor, uxOffice11ColorCount>& e)
{
    const gui::TColor face = gui::TColor(Sys(gui::clBtnFace));
    const gui::TColor window = gui::TColor(Sys(gui::clWindow));
    const gui::TColor shadow = gui::TColor(Sys(gui::clBtnShadow));
    const gui::TColor text = gui::TColor(Sys(gui::clBtnText));
    e[0] = face;
    e[1] = uxOffice11MixColors(face, window, 20);
    e[2] = uxOffice11MixColors(face, window, 22);
    e[3] = uxOffice11MixColors(face, window, 96);
    e[5] = shadow;
    e[4] = uxOffice11MixColors(e[5], window, 74);
    e[6] = uxOffice11MixColors(face, window, 85);
    e[7] = face;
    e[8] = uxOffice11MixColors(e[5], window, 50);
    e[9] = uxOffice11MixColors(e[5], e[7], 50);
    e[10] = uxOffice11MixColors(shadow, window, 76);
    e[11] = window;
    e[12] = uxOffice11MixColors(shadow, window, 70);
    e[13] = gui::clWhite;
    e[14] = text;
    e[15] = window;
    e[16] = shadow;
    e[17] = e[3];
    e[18] = e[2];
    e[19] = e[16];
    e[20] = gui::TColor(Sys(gui::clBtnHighlight));
    e[21] = text;
    e[22] = text;
    e[23] = window;
    e[24] = e[2];
    e[25] = e[3];
    e[26] = e[2];
    e[27] = e[3];
    e[28] = uxOffice11MixColors(e[26], gui::clBlack, 92);
    e[29] = uxOffice11MixColors(e[27], gui::clBlack, 92);
    e[30] = shadow;
    e[31] = Nearest(uxOffice11SystemBlendColor(-2, 30, 72));
    e[32] = gui::TColor(Sys(gui::clHighlight));
    e[33] = e[31];
    e[34] = e[31];
    e[39] = Nearest(uxOffice11SystemBlendColor(14, 44, 40));
    e[35] = e[39];
    e[36] = e[39];
    e[37] = e[3];
    e[38] = uxOffice11SystemBlendColor(41, 11, 48);
    e[40] = e[37];
    e[41] = text;
    e[42] = gui::TColor(Sys(gui::clGrayText));
    e[43] = e[0];
    e[44] = e[9];
    e[45] = e[20];
    e[46] = e[30];
    e[47] = face;
    e[48] = e[38];
    e[49] = e[30];
    e[50] = e[0];
}

void ComputeSet()
{
    office.scheme = DetectOffice2003Scheme();
    office.luna = AreThemeTypesAvailable(0) && office.scheme != 0;
    if (office.luna) {
        ComputeLuna(office.colors, office.scheme);
        office.percent = kLunaPercent[office.scheme - 1];
    } else {
        ComputeWithoutScheme(office.colors);
        office.percent = 75;
    }
}

std::unique_ptr<gui::TBitmap> LoadBitmap(const char* name)
{
    auto bitmap = std::make_unique<gui::TBitmap>();
    try {
        bitmap->LoadFromResourceName(nullptr, name);
    } catch (const classes::EResNotFound&) {
        return nullptr;
    }
    return bitmap;
}

void FreeResources()
{
    for (win::HBRUSH& brush : office.brushes)
        if (brush) {
            win::DeleteObject(brush);
            brush = nullptr;
        }
    office.subMenuExpand.reset();
    office.expandMinus.reset();
    office.expandPlus.reset();
}

void MakeResources()
{
    for (int entry : kBrushEntries)
        office.brushes[entry] = win::CreateSolidBrush(win::COLORREF(office.colors[entry]));
    office.subMenuExpand = LoadBitmap("UXSUBMENUEXPAND");
    if (office.subMenuExpand)
        uxOffice11RecolorSubMenuExpand(office.subMenuExpand.get());
    office.expandMinus = LoadBitmap("UXEXPANDBUTTON_MINUS");
    office.expandPlus = LoadBitmap("UXEXPANDBUTTON_PLUS");
}

std::string FileNameOnly(const std::u16string& path)
{
    const std::size_t slash = path.find_last_of(u"\\/");
    return rtl::AnsiUpperCase(rtl::WideToAnsi(slash == std::u16string::npos ? path : path.substr(slash + 1)));
}

}  // namespace

int DetectOffice2003Scheme()
{
    if (!AreThemeTypesAvailable(0))
        return 0;
    std::u16string file;
    std::u16string color;
    std::u16string size;
    if (uxUxGetCurrentThemeName(file, color, size) != S_OK)
        return 0;
    win::OSVERSIONINFO version;
    win::GetVersionEx(&version);
    if (FileNameOnly(file) != "LUNA.MSSTYLES" && version.dwMajorVersion <= 5)
        return 0;
    const std::string name = rtl::AnsiUpperCase(rtl::WideToAnsi(color));
    if (name == "NORMALCOLOR")
        return 1;
    if (name == "HOMESTEAD")
        return 2;
    if (name == "METALLIC")
        return 3;
    return 0;
}

int uxOffice11CurrentScheme() { return office.scheme; }
bool uxIsLunaColorSchemeActive() { return office.luna; }

bool uxBlackHighContrastActive() { return Sys(gui::clBtnFace) == 0; }
bool uxWhiteHighContrastActive() { return Sys(gui::clBtnFace) == 0xFFFFFF; }
bool uxColoredHighContrastActive() { return uxBlackHighContrastActive() && Sys(gui::clBtnText) != 0xFFFFFF; }

void uxOffice11ColorsAddRef()
{
    if (office.users++ == 0) {
        ComputeSet();
        MakeResources();
    }
}

void uxOffice11ColorsRelease()
{
    if (office.users == 0)
        return;
    if (--office.users == 0)
        FreeResources();
}

void uxOffice11ColorsRefresh()
{
    ComputeSet();
    if (office.users > 0) {
        FreeResources();
        MakeResources();
    }
}

gui::TColor uxOffice11Color(int entry)
{
    return entry >= 0 && entry < uxOffice11ColorCount ? office.colors[entry] : gui::clNone;
}

int uxOffice11GradientPercent() { return office.percent; }

win::HBRUSH uxOffice11Brush(int entry)
{
    return entry >= 0 && entry < uxOffice11ColorCount ? office.brushes[entry] : nullptr;
}

gui::TBitmap* uxOffice11SubMenuExpandBitmap() { return office.subMenuExpand.get(); }

gui::TBitmap* uxOffice11ExpandButtonBitmap(bool expanded)
{
    return expanded ? office.expandMinus.get() : office.expandPlus.get();
}

// Mixing

gui::TColor uxOffice11MixColors(gui::TColor color1, gui::TColor color2, int percent)
{
    const win::COLORREF a = Sys(color1);
    const win::COLORREF b = Sys(color2);
    const auto channel = [&](int x, int y) {
        return std::min(win::MulDiv(x, percent, 100) + win::MulDiv(y, 100 - percent, 100), 255);
    };
    return Nearest(Rgb(channel(R(a), R(b)), channel(G(a), G(b)), channel(B(a), B(b))));
}

gui::TColor uxOffice11ScaleColor(gui::TColor color, int percent)
{
    const win::COLORREF c = Sys(color);
    const auto channel = [&](int x) { return std::clamp(win::MulDiv(x, percent, 100), 0, 255); };
    return Rgb(channel(R(c)), channel(G(c)), channel(B(c)));
}

gui::TColor uxOffice11SystemBlendColor(int facePercent, int highlightPercent, int windowPercent)
{
    return clMixSystemColors(facePercent, highlightPercent, windowPercent);
}

// Gradients

namespace {
int Lerp(int from, int to, int step, int steps)
{
    return steps <= 0 ? from : from + win::MulDiv(step, to - from, steps);
}

win::COLORREF LerpColor(win::COLORREF from, win::COLORREF to, int step, int steps)
{
    return win::RGB(Lerp(R(from), R(to), step, steps), Lerp(G(from), G(to), step, steps),
                    Lerp(B(from), B(to), step, steps));
}

// The band layout of the software gradient: bands over an extent, band n from Start(n) to Start(n + 1).
struct Bands {
    int extent;
    int count;
    int Start(int n) const { return win::MulDiv(n, extent, count); }
    // A single band takes colour 1 (there is no step to divide by).
    win::COLORREF Color(int n, win::COLORREF c1, win::COLORREF c2) const { return LerpColor(c1, c2, n, count - 1); }
};

Bands BandsOf(const win::RECT& rect, bool horizontal)
{
    const int extent = std::max(horizontal ? rect.right - rect.left : rect.bottom - rect.top, 0);
    return Bands{extent, std::min(extent, 256)};
}

win::RECT Line(const win::RECT& rect, bool horizontal, int from, int to)
{
    return horizontal ? win::RECT{rect.left + from, rect.top, rect.left + to, rect.bottom}
                      : win::RECT{rect.left, rect.top + from, rect.right, rect.top + to};
}

win::COLOR16 Channel16(int value) { return win::COLOR16(value << 8); }
}  // namespace

void uxFillRectGradient(win::HDC dc, const win::RECT& rect, gui::TColor color1, gui::TColor color2, bool horizontal)
{
    const win::COLORREF c1 = Sys(color1);
    const win::COLORREF c2 = Sys(color2);
    if (c1 == c2) {
        uxFillRectSolid(dc, rect, gui::TColor(c1));
        return;
    }
    if (clEntryPoints().GradientFill) {
        win::TRIVERTEX vertices[2];
        vertices[0] = win::TRIVERTEX{rect.left, rect.top, Channel16(R(c1)), Channel16(G(c1)), Channel16(B(c1)), 0};
        vertices[1] = win::TRIVERTEX{rect.right, rect.bottom, Channel16(R(c2)), Channel16(G(c2)), Channel16(B(c2)), 0};
        win::GRADIENT_RECT mesh{0, 1};
        clEntryPoints().GradientFill(dc, vertices, 2, &mesh, 1,
                                     horizontal ? win::GRADIENT_FILL_RECT_H : win::GRADIENT_FILL_RECT_V);
        return;
    }
    const Bands bands = BandsOf(rect, horizontal);
    for (int n = 0; n < bands.count; ++n) {
        const int from = bands.Start(n);
        const int to = std::min(bands.Start(n + 1), bands.extent);
        if (to > from)
            uxFillRectSolid(dc, Line(rect, horizontal, from, to), gui::TColor(bands.Color(n, c1, c2)));
    }
}

gui::TColor uxGradientColorAt(const win::RECT& rect, int coordinate, gui::TColor color1, gui::TColor color2,
                              bool horizontal)
{
    const Bands bands = BandsOf(rect, horizontal);
    const int position = coordinate - (horizontal ? rect.left : rect.top);
    if (bands.count == 0)
        return gui::TColor(Sys(color1));
    int n = 0;
    while (n + 1 < bands.count && bands.Start(n + 1) <= position)
        ++n;
    return gui::TColor(bands.Color(n, Sys(color1), Sys(color2)));
}

void uxFillRectTwoPhaseGradient(win::HDC dc, const win::RECT& rect, gui::TColor color1, gui::TColor color2,
                                bool horizontal)
{
    const win::COLORREF c1 = Sys(color1);
    const win::COLORREF c2 = Sys(color2);
    if (c1 == c2) {
        uxFillRectSolid(dc, rect, gui::TColor(c1));
        return;
    }
    const win::COLORREF middle = LerpColor(c1, c2, office.percent, 200);
    const int extent = horizontal ? rect.right - rect.left : rect.bottom - rect.top;
    const int half = extent / 2;
    for (int i = 0; i < extent; ++i) {
        const win::COLORREF color =
            i < half ? LerpColor(c1, middle, i, half) : LerpColor(middle, c2, i - half, extent - half - 1);
        uxFillRectSolid(dc, Line(rect, horizontal, i, i + 1), gui::TColor(color));
    }
}

void uxFillRectSolid(win::HDC dc, const win::RECT& rect, gui::TColor color)
{
    win::HBRUSH brush = win::CreateSolidBrush(Sys(color));
    win::FillRect(dc, &rect, brush);
    win::DeleteObject(brush);
}

void uxFrameRectSolid(win::HDC dc, const win::RECT& rect, gui::TColor color)
{
    win::HBRUSH brush = win::CreateSolidBrush(Sys(color));
    win::FrameRect(dc, &rect, brush);
    win::DeleteObject(brush);
}

void uxOffice11FrameRect(win::HDC dc, const win::RECT& rect)
{
    if (uxBlackHighContrastActive() || uxColoredHighContrastActive()) {
        uxFrameRectSolid(dc, rect, gui::clHighlightText);
        return;
    }
    if (win::HBRUSH brush = uxOffice11Brush(32))
        win::FrameRect(dc, &rect, brush);
    else
        uxFrameRectSolid(dc, rect, uxOffice11SelectedBorderColor());
}

// Grips and arrows

void uxOffice11DrawGripDots(win::HDC dc, const win::RECT& rect, bool vertical, win::HBRUSH light, win::HBRUSH dark)
{
    if (!light)
        light = uxOffice11Brush(11);
    if (!dark)
        dark = uxOffice11Brush(10);
    const int length = vertical ? rect.bottom - rect.top : rect.right - rect.left;
    int offset = length % 4;
    if (offset >= 2)
        offset /= 2;
    win::RECT cell = vertical ? win::RECT{rect.left, rect.top + offset, rect.left + 4, rect.top + offset + 4}
                              : win::RECT{rect.left + offset, rect.top, rect.left + offset + 4, rect.top + 4};
    do {
        const win::RECT lightSquare{cell.left + 1, cell.top + 1, cell.right - 1, cell.bottom - 1};
        const win::RECT darkSquare{cell.left, cell.top, cell.right - 2, cell.bottom - 2};
        if (light)
            win::FillRect(dc, &lightSquare, light);
        if (dark)
            win::FillRect(dc, &darkSquare, dark);
        cell = vertical ? win::Moved(cell, 0, 4) : win::Moved(cell, 4, 0);
    } while (vertical ? cell.bottom <= rect.bottom : cell.right <= rect.right);
}

void uxOffice11DrawSizeGrip(win::HDC dc, const win::RECT& rect, gui::TColor dark, gui::TColor light)
{
    win::HBRUSH darkBrush = dark == gui::clNone ? nullptr : win::CreateSolidBrush(Sys(dark));
    win::HBRUSH lightBrush = light == gui::clNone ? nullptr : win::CreateSolidBrush(Sys(light));
    win::RECT run{rect.right - 12, rect.bottom - 3, rect.right, rect.bottom};
    for (int i = 0; i < 3; ++i) {
        uxOffice11DrawGripDots(dc, run, false, lightBrush, darkBrush);
        run = win::RECT{run.left + 4, run.top - 4, run.right, run.bottom - 4};
    }
    if (darkBrush)
        win::DeleteObject(darkBrush);
    if (lightBrush)
        win::DeleteObject(lightBrush);
}

void uxOffice11DrawFittedArrow(win::HDC dc, const win::RECT& rect, bool down, bool enabled, bool selected)
{
    const int d = down ? (rect.right - rect.left) - 8 : (rect.bottom - rect.top) - 6;
    int size = (d - 1) / 2 + (d % 2 != 0 ? 1 : 0);
    size = std::max(size, 3);
    uxOffice11DrawArrowOfSize(dc, rect, down, size, selected, enabled);
}

void uxOffice11DrawArrowOfSize(win::HDC dc, const win::RECT& rect, bool down, int size, bool selected, bool enabled)
{
    gui::TColor color;
    if (enabled && selected && uxWhiteHighContrastActive())
        color = gui::clWhite;
    else
        color = enabled ? uxOffice11Color(41) : uxOffice11Color(42);
    // Drawn line by line, each line of the triangle outline to outline, so that every size gives the
    // same pixels whatever the rasteriser's rule for slanted polygon edges.
    win::HBRUSH brush = win::CreateSolidBrush(Sys(color));
    for (int i = 0; i < size; ++i) {
        win::RECT line;
        if (down) {
            const int x0 = (rect.left + rect.right - (2 * size - 1)) / 2;
            const int y0 = (rect.top + rect.bottom - size) / 2;
            line = win::RECT{x0 + i, y0 + i, x0 + 2 * size - 1 - i, y0 + i + 1};
        } else {
            const int x0 = (rect.left + rect.right - size) / 2;
            const int y0 = (rect.top + rect.bottom - (2 * size - 1)) / 2;
            line = win::RECT{x0 + i, y0 + i, x0 + i + 1, y0 + 2 * size - 1 - i};
        }
        win::FillRect(dc, &line, brush);
    }
    win::DeleteObject(brush);
}

void uxOffice11RecolorSubMenuExpand(gui::TBitmap* bitmap)
{
    if (!clBitmapHasImage(bitmap))
        return;
    gui::TCanvas* canvas = bitmap->Canvas();
    const int w = bitmap->Width();
    const int h = bitmap->Height();
    const auto isRecoloured = [&](int x, int y) {
        return (x != 0 || y != 0) && Sys(canvas->Pixels(x, y)) != 0;
    };
    int lowest = 255;
    int highest = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (isRecoloured(x, y)) {
                const int red = R(Sys(canvas->Pixels(x, y)));
                lowest = std::min(lowest, red);
                highest = std::max(highest, red);
            }
    gui::TColor light = uxOffice11Color(2);
    gui::TColor dark = uxOffice11Color(3);
    if (light == dark)
        dark = Sys(light) == 0 ? gui::clWhite : gui::clBlack;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (isRecoloured(x, y)) {
                const int red = R(Sys(canvas->Pixels(x, y)));
                // All of one red: no range to spread over, so all take entry 2.
                const int percent = highest == lowest ? 100 : (red - lowest) * 100 / (highest - lowest);
                canvas->SetPixels(x, y, uxOffice11MixColors(light, dark, percent));
            }
}

namespace detail {
void InitializeOffice11Colors()
{
    office = Office11State{};
    ComputeSet();
}

void FinalizeOffice11Colors()
{
    FreeResources();
    office.users = 0;
}
}  // namespace detail

}  // namespace controls
