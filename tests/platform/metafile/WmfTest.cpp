#include "platform/metafile/WmfPlayer.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Blit.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/metafile/WmfReader.h"

#include "platform/rtl/CodePage.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/imaging/Image.h"
#include "platform/gdi/Lines.h"
#include "platform/imaging/PictureFormat.h"
#include "platform/gdi/Shapes.h"
#include "platform/text/TextOut.h"

#include "tests/platform/imaging/PictureTestSupport.h"
#include "tests/platform/metafile/MetafileFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

using namespace win;
using picturetest::Bytes;

// Placeable metafiles made field by field: records as parameter words, the headers, checksum, sizes
// and the end record added by Build.
class WmfBuilder {
public:
    WmfBuilder(RECT bounds, int objects) : bounds_(bounds), objects_(objects) {}

    WmfBuilder& Record(WmfFunction function, const std::vector<int>& words, std::string_view tail = {})
    {
        Bytes params;
        for (int word : words)
            params.U16(static_cast<unsigned>(word) & 0xFFFF);
        params.Raw(tail);
        if (params.Size() % 2)
            params.U8(0);
        return Raw(static_cast<std::uint32_t>(3 + params.Size() / 2), static_cast<std::uint16_t>(function), params.Data());
    }
    // A record whose size field says what it is told.
    WmfBuilder& Raw(std::uint32_t sizeWords, std::uint16_t function, std::string_view params)
    {
        records_.U32(sizeWords).U16(function).Raw(params);
        largest_ = std::max(largest_, sizeWords);
        return *this;
    }
    std::string Build(bool end = true) const
    {
        Bytes records = records_;
        if (end)
            records.U32(3).U16(0);
        Bytes file;
        file.U32(0x9AC6CDD7).U16(0);
        file.U16(bounds_.left).U16(bounds_.top).U16(bounds_.right).U16(bounds_.bottom).U16(1440).U32(0);
        unsigned checksum = 0;
        for (size_t at = 0; at < 20; at += 2)
            checksum ^= static_cast<unsigned char>(file.Data()[at]) | static_cast<unsigned char>(file.Data()[at + 1]) << 8;
        file.U16(checksum);
        file.U16(1).U16(9).U16(0x0300).U32(static_cast<std::uint32_t>(9 + records.Size() / 2)).U16(objects_);
        file.U32(std::max<std::uint32_t>(largest_, 3)).U16(0);
        return file.Raw(records.Data()).Data();
    }

private:
    RECT bounds_;
    int objects_;
    Bytes records_;
    std::uint32_t largest_ = 3;
};

// A packed 24-bit bitmap, bottom-up, of the given colours (0x00RRGGBB, top row first).
std::string PackedDib(int width, int height, const std::vector<std::uint32_t>& colours)
{
    Bytes dib;
    dib.U32(40).U32(width).U32(height).U16(1).U16(24).U32(0).U32(0).U32(0).U32(0).U32(0).U32(0);
    for (int row = height - 1; row >= 0; --row) {
        Bytes line;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t colour = colours[static_cast<size_t>(row * width + x)];
            line.U8(colour).U8(colour >> 8).U8(colour >> 16);
        }
        while (line.Size() % 4)
            line.U8(0);
        dib.Raw(line.Data());
    }
    return dib.Data();
}

std::vector<int> Words(POINT point) { return {static_cast<int>(point.y), static_cast<int>(point.x)}; }

// One drawing, told either to a metafile or straight to a device context. Coordinates are the
// metafile's logical units; objects live in numbered slots.
class Drawing {
public:
    virtual ~Drawing() = default;
    virtual void Mode(WmfFunction function, int value) = 0;  // SETBKMODE and kin, and SETTEXTCHAREXTRA
    virtual void Colour(WmfFunction function, COLORREF colour) = 0;  // SETBKCOLOR, SETTEXTCOLOR
    virtual void Point(WmfFunction function, POINT at) = 0;  // MOVETO, LINETO
    virtual void Box(WmfFunction function, RECT box) = 0;  // RECTANGLE, ELLIPSE, the clip records
    virtual void RoundRect(RECT box, SIZE corner) = 0;
    virtual void Arc(WmfFunction function, RECT box, POINT start, POINT end) = 0;
    virtual void Poly(WmfFunction function, const std::vector<POINT>& points) = 0;  // POLYGON, POLYLINE
    virtual void PolyPolygon(const std::vector<std::vector<POINT>>& polygons) = 0;
    virtual void Pixel(POINT at, COLORREF colour) = 0;
    virtual void Text(POINT at, const std::string& text) = 0;
    virtual void ExtText(POINT at, UINT options, const RECT* rect, const std::string& text, const std::vector<int>& dx) = 0;
    virtual void Pen(int slot, int style, int width, COLORREF colour) = 0;
    virtual void Brush(int slot, const LOGBRUSH& brush) = 0;
    virtual void PatternBrush(int slot, const std::string& dib) = 0;
    virtual void Font(int slot, int height, const char* face, int charset) = 0;
    virtual void Select(int slot) = 0;
    virtual void Delete(int slot) = 0;
    virtual void Save() = 0;
    virtual void Restore(int level) = 0;
    // STRETCHDIB, DIBSTRETCHBLT, DIBBITBLT; destination and source as left, top, width, height.
    virtual void Blit(WmfFunction function, RECT to, RECT from, const std::string& dib, DWORD rop) = 0;
};

class MetafileDrawing : public Drawing {
public:
    MetafileDrawing(RECT bounds, int objects) : builder_(bounds, objects)
    {
        // A window of the placeable bounds, as writers put it, and records the player skips.
        builder_.Record(WmfFunction::SetMapMode, {8});
        builder_.Record(WmfFunction::SetWindowOrg, Words(POINT{bounds.left, bounds.top}));
        builder_.Record(WmfFunction::SetWindowExt, Words(POINT{bounds.right - bounds.left, bounds.bottom - bounds.top}));
        builder_.Record(WmfFunction::SetViewportOrg, {0, 0});
        builder_.Record(WmfFunction::Escape, {15, 3}, "abc");
        builder_.Record(WmfFunction::SetMapperFlags, {0, 0});
        builder_.Record(WmfFunction::SetRelAbs, {});
    }
    std::string Build() const { return builder_.Build(); }
    WmfBuilder& Builder() { return builder_; }

    void Mode(WmfFunction function, int value) override { builder_.Record(function, {value}); }
    void Colour(WmfFunction function, COLORREF colour) override
    {
        builder_.Record(function, {static_cast<int>(colour & 0xFFFF), static_cast<int>(colour >> 16)});
    }
    void Point(WmfFunction function, POINT at) override { builder_.Record(function, Words(at)); }
    void Box(WmfFunction function, RECT box) override { builder_.Record(function, BoxWords(box)); }
    void RoundRect(RECT box, SIZE corner) override
    {
        std::vector<int> words{static_cast<int>(corner.cy), static_cast<int>(corner.cx)};
        for (int word : BoxWords(box))
            words.push_back(word);
        builder_.Record(WmfFunction::RoundRect, words);
    }
    void Arc(WmfFunction function, RECT box, POINT start, POINT end) override
    {
        std::vector<int> words = Words(end);
        for (int word : Words(start))
            words.push_back(word);
        for (int word : BoxWords(box))
            words.push_back(word);
        builder_.Record(function, words);
    }
    void Poly(WmfFunction function, const std::vector<POINT>& points) override
    {
        std::vector<int> words{static_cast<int>(points.size())};
        for (POINT point : points)
            words.insert(words.end(), {static_cast<int>(point.x), static_cast<int>(point.y)});
        builder_.Record(function, words);
    }
    void PolyPolygon(const std::vector<std::vector<POINT>>& polygons) override
    {
        std::vector<int> words{static_cast<int>(polygons.size())};
        for (const auto& polygon : polygons)
            words.push_back(static_cast<int>(polygon.size()));
        for (const auto& polygon : polygons)
            for (POINT point : polygon)
                words.insert(words.end(), {static_cast<int>(point.x), static_cast<int>(point.y)});
        builder_.Record(WmfFunction::PolyPolygon, words);
    }
    void Pixel(POINT at, COLORREF colour) override
    {
        builder_.Record(WmfFunction::SetPixel, {static_cast<int>(colour & 0xFFFF), static_cast<int>(colour >> 16),
                                                static_cast<int>(at.y), static_cast<int>(at.x)});
    }
    void Text(POINT at, const std::string& text) override
    {
        Bytes tail;
        tail.Raw(text);
        if (tail.Size() % 2)
            tail.U8(0);
        tail.U16(at.y).U16(at.x);
        builder_.Record(WmfFunction::TextOut, {static_cast<int>(text.size())}, tail.Data());
    }
    void ExtText(POINT at, UINT options, const RECT* rect, const std::string& text, const std::vector<int>& dx) override
    {
        std::vector<int> words{static_cast<int>(at.y), static_cast<int>(at.x), static_cast<int>(text.size()),
                               static_cast<int>(options)};
        if (rect)
            words.insert(words.end(), {static_cast<int>(rect->left), static_cast<int>(rect->top),
                                       static_cast<int>(rect->right), static_cast<int>(rect->bottom)});
        Bytes tail;
        tail.Raw(text);
        if (tail.Size() % 2)
            tail.U8(0);
        for (int advance : dx)
            tail.U16(static_cast<unsigned>(advance));
        builder_.Record(WmfFunction::ExtTextOut, words, tail.Data());
    }
    void Pen(int, int style, int width, COLORREF colour) override
    {
        builder_.Record(WmfFunction::CreatePenIndirect,
                        {style, width, 0, static_cast<int>(colour & 0xFFFF), static_cast<int>(colour >> 16)});
    }
    void Brush(int, const LOGBRUSH& brush) override
    {
        builder_.Record(WmfFunction::CreateBrushIndirect,
                        {static_cast<int>(brush.lbStyle), static_cast<int>(brush.lbColor & 0xFFFF),
                         static_cast<int>(brush.lbColor >> 16), static_cast<int>(brush.lbHatch)});
    }
    void PatternBrush(int, const std::string& dib) override
    {
        builder_.Record(WmfFunction::DibCreatePatternBrush, {static_cast<int>(BS_DIBPATTERNPT), DIB_RGB_COLORS}, dib);
    }
    void Font(int, int height, const char* face, int charset) override
    {
        Bytes tail;
        tail.U8(0).U8(0).U8(0).U8(static_cast<unsigned>(charset)).U8(0).U8(0).U8(0).U8(0);
        tail.Raw(face).U8(0);
        builder_.Record(WmfFunction::CreateFontIndirect, {height, 0, 0, 0, 400}, tail.Data());
    }
    void Select(int slot) override { builder_.Record(WmfFunction::SelectObject, {slot}); }
    void Delete(int slot) override { builder_.Record(WmfFunction::DeleteObject, {slot}); }
    void Save() override { builder_.Record(WmfFunction::SaveDc, {}); }
    void Restore(int level) override { builder_.Record(WmfFunction::RestoreDc, {level}); }
    void Blit(WmfFunction function, RECT to, RECT from, const std::string& dib, DWORD rop) override
    {
        std::vector<int> words{static_cast<int>(rop & 0xFFFF), static_cast<int>(rop >> 16)};
        const auto add = [&](std::initializer_list<LONG> values) {
            for (LONG value : values)
                words.push_back(static_cast<int>(value));
        };
        if (function == WmfFunction::StretchDib)
            add({DIB_RGB_COLORS});
        if (function != WmfFunction::DibBitBlt)
            add({from.bottom, from.right});
        add({from.top, from.left});
        if (dib.empty())
            add({0});
        add({to.bottom, to.right, to.top, to.left});
        builder_.Record(function, words, dib);
    }

private:
    static std::vector<int> BoxWords(RECT box)
    {
        return {static_cast<int>(box.bottom), static_cast<int>(box.right), static_cast<int>(box.top),
                static_cast<int>(box.left)};
    }
    WmfBuilder builder_;
};

// The same drawing made with the calls themselves, every coordinate mapped by the test's own
// arithmetic: (value - origin) * scale.
class DirectDrawing : public Drawing {
public:
    DirectDrawing(HDC dc, POINT origin, int scale) : dc_(dc), origin_(origin), k_(scale) { level_ = SaveDC(dc); }
    ~DirectDrawing() override
    {
        RestoreDC(dc_, level_);
        for (auto& [slot, handle] : objects_)
            DeleteObject(handle);
        for (HGDIOBJ handle : deleted_)
            DeleteObject(handle);
    }

    void Mode(WmfFunction function, int value) override
    {
        switch (function) {
        case WmfFunction::SetBkMode: SetBkMode(dc_, value); break;
        case WmfFunction::SetRop2: SetROP2(dc_, value); break;
        case WmfFunction::SetPolyFillMode: SetPolyFillMode(dc_, value); break;
        case WmfFunction::SetStretchBltMode: SetStretchBltMode(dc_, value); break;
        case WmfFunction::SetTextAlign: SetTextAlign(dc_, static_cast<UINT>(value)); break;
        case WmfFunction::SetTextCharExtra: SetTextCharacterExtra(dc_, value * k_); break;
        default: FAIL() << "no mode record " << static_cast<int>(function);
        }
    }
    void Colour(WmfFunction function, COLORREF colour) override
    {
        (function == WmfFunction::SetBkColor ? &SetBkColor : &SetTextColor)(dc_, colour);
    }
    void Point(WmfFunction function, POINT at) override
    {
        if (function == WmfFunction::MoveTo)
            MoveToEx(dc_, X(at.x), Y(at.y), nullptr);
        else
            LineTo(dc_, X(at.x), Y(at.y));
    }
    void Box(WmfFunction function, RECT box) override
    {
        const RECT b = Map(box);
        switch (function) {
        case WmfFunction::Rectangle: win::Rectangle(dc_, b.left, b.top, b.right, b.bottom); break;
        case WmfFunction::Ellipse: win::Ellipse(dc_, b.left, b.top, b.right, b.bottom); break;
        case WmfFunction::IntersectClipRect: IntersectClipRect(dc_, b.left, b.top, b.right, b.bottom); break;
        case WmfFunction::ExcludeClipRect: ExcludeClipRect(dc_, b.left, b.top, b.right, b.bottom); break;
        default: FAIL() << "no box record";
        }
    }
    void RoundRect(RECT box, SIZE corner) override
    {
        const RECT b = Map(box);
        win::RoundRect(dc_, b.left, b.top, b.right, b.bottom, corner.cx * k_, corner.cy * k_);
    }
    void Arc(WmfFunction function, RECT box, POINT start, POINT end) override
    {
        const RECT b = Map(box);
        const auto draw = function == WmfFunction::Arc ? &win::Arc : function == WmfFunction::Pie ? &win::Pie : &win::Chord;
        draw(dc_, b.left, b.top, b.right, b.bottom, X(start.x), Y(start.y), X(end.x), Y(end.y));
    }
    void Poly(WmfFunction function, const std::vector<POINT>& points) override
    {
        const std::vector<POINT> mapped = Map(points);
        (function == WmfFunction::Polygon ? &win::Polygon : &win::Polyline)(dc_, mapped.data(),
                                                                            static_cast<int>(mapped.size()));
    }
    void PolyPolygon(const std::vector<std::vector<POINT>>& polygons) override
    {
        std::vector<POINT> all;
        std::vector<int> counts;
        for (const auto& polygon : polygons) {
            const std::vector<POINT> mapped = Map(polygon);
            all.insert(all.end(), mapped.begin(), mapped.end());
            counts.push_back(static_cast<int>(mapped.size()));
        }
        win::PolyPolygon(dc_, all.data(), counts.data(), static_cast<int>(counts.size()));
    }
    void Pixel(POINT at, COLORREF colour) override { SetPixel(dc_, X(at.x), Y(at.y), colour); }
    void Text(POINT at, const std::string& text) override
    {
        TextOutA(dc_, X(at.x), Y(at.y), text.data(), static_cast<int>(text.size()));
    }
    void ExtText(POINT at, UINT options, const RECT* rect, const std::string& text, const std::vector<int>& dx) override
    {
        std::vector<int> scaled;
        for (int advance : dx)
            scaled.push_back(advance * k_);
        const RECT mapped = rect ? Map(*rect) : RECT{};
        ExtTextOutA(dc_, X(at.x), Y(at.y), options, rect ? &mapped : nullptr, text.data(),
                    static_cast<UINT>(text.size()), scaled.empty() ? nullptr : scaled.data());
    }
    void Pen(int slot, int style, int width, COLORREF colour) override
    {
        objects_[slot] = CreatePen(style, width * k_, colour);
    }
    void Brush(int slot, const LOGBRUSH& brush) override { objects_[slot] = CreateBrushIndirect(&brush); }
    void PatternBrush(int slot, const std::string& dib) override
    {
        std::vector<std::uint32_t> aligned((dib.size() + 3) / 4);
        std::memcpy(aligned.data(), dib.data(), dib.size());
        objects_[slot] = CreateDIBPatternBrushPt(aligned.data(), DIB_RGB_COLORS);
    }
    void Font(int slot, int height, const char* face, int charset) override
    {
        LOGFONT font;
        font.lfHeight = height * k_;
        font.lfWeight = 400;
        font.lfCharSet = static_cast<BYTE>(charset);
        font.lfFaceName = face;
        objects_[slot] = CreateFontIndirect(&font);
    }
    void Select(int slot) override { SelectObject(dc_, objects_.at(slot)); }
    void Delete(int slot) override
    {
        deleted_.push_back(objects_.at(slot));
        objects_.erase(slot);
    }
    void Save() override { SaveDC(dc_); }
    void Restore(int level) override { RestoreDC(dc_, level); }
    void Blit(WmfFunction, RECT to, RECT from, const std::string& dib, DWORD rop) override
    {
        if (dib.empty()) {
            PatBlt(dc_, X(to.left), Y(to.top), to.right * k_, to.bottom * k_, rop);
            return;
        }
        std::vector<std::uint32_t> aligned((dib.size() + 3) / 4);
        std::memcpy(aligned.data(), dib.data(), dib.size());
        const auto* info = reinterpret_cast<const BITMAPINFO*>(aligned.data());
        StretchDIBits(dc_, X(to.left), Y(to.top), to.right * k_, to.bottom * k_, from.left, from.top, from.right,
                      from.bottom, reinterpret_cast<const char*>(aligned.data()) + 40, info, DIB_RGB_COLORS, rop);
    }

private:
    int X(LONG x) const { return static_cast<int>(x - origin_.x) * k_; }
    int Y(LONG y) const { return static_cast<int>(y - origin_.y) * k_; }
    RECT Map(const RECT& box) const { return RECT{X(box.left), Y(box.top), X(box.right), Y(box.bottom)}; }
    std::vector<POINT> Map(const std::vector<POINT>& points) const
    {
        std::vector<POINT> mapped;
        for (POINT point : points)
            mapped.push_back(POINT{X(point.x), Y(point.y)});
        return mapped;
    }

    HDC dc_;
    POINT origin_;
    int k_;
    int level_ = 0;
    std::map<int, HGDIOBJ> objects_;
    std::vector<HGDIOBJ> deleted_;
};

constexpr RECT kBounds{100, 50, 160, 90};  // 60 by 40 units, not at the origin
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);

POINT At(int x, int y) { return POINT{kBounds.left + x, kBounds.top + y}; }
RECT Box(int left, int top, int right, int bottom)
{
    return RECT{kBounds.left + left, kBounds.top + top, kBounds.left + right, kBounds.top + bottom};
}

// Every drawing record of the subset, with objects made, selected, deleted and their slots reused.
void DrawScene(Drawing& d)
{
    const std::string dib = PackedDib(4, 3, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x00FFFF, 0xFFFF00,
                                             0xFF00FF, 0x808080, 0x000000, 0x404040, 0xC0C0C0, 0x800000});
    d.Pen(0, PS_SOLID, 1, kRed);
    d.Brush(1, LOGBRUSH{BS_SOLID, kBlue, 0});
    d.Pen(2, PS_SOLID, 2, kGreen);
    d.Select(0);
    d.Select(1);
    d.Delete(2);
    d.Brush(2, LOGBRUSH{BS_HATCHED, kGreen, HS_DIAGCROSS});  // takes the freed slot 2
    d.Mode(WmfFunction::SetBkMode, OPAQUE);
    d.Colour(WmfFunction::SetBkColor, RGB(64, 64, 64));
    d.Box(WmfFunction::Rectangle, Box(2, 2, 14, 10));
    d.Box(WmfFunction::Ellipse, Box(16, 2, 30, 12));
    d.RoundRect(Box(32, 2, 46, 12), SIZE{6, 4});
    d.Select(2);
    d.Arc(WmfFunction::Pie, Box(48, 2, 58, 12), At(58, 7), At(53, 2));
    d.Arc(WmfFunction::Chord, Box(2, 14, 12, 24), At(2, 14), At(12, 24));
    d.Arc(WmfFunction::Arc, Box(14, 14, 24, 24), At(24, 19), At(14, 19));
    d.Mode(WmfFunction::SetPolyFillMode, WINDING);
    d.Poly(WmfFunction::Polygon, {At(26, 14), At(34, 24), At(26, 24)});
    d.Poly(WmfFunction::Polyline, {At(36, 14), At(44, 16), At(36, 20), At(44, 24)});
    d.PolyPolygon({{At(46, 14), At(52, 14), At(49, 20)}, {At(52, 18), At(58, 18), At(55, 24)}});
    d.Point(WmfFunction::MoveTo, At(2, 26));
    d.Point(WmfFunction::LineTo, At(20, 28));
    d.Pixel(At(1, 1), kGreen);
    d.Pen(3, PS_DASH, 1, RGB(255, 255, 0));  // lowest free slot: 3
    d.Select(3);
    d.Mode(WmfFunction::SetRop2, R2_XORPEN);
    d.Point(WmfFunction::LineTo, At(40, 26));
    d.Mode(WmfFunction::SetRop2, R2_COPYPEN);
    d.PatternBrush(4, PackedDib(2, 2, {0xFFFFFF, 0x000000, 0x000000, 0xFF0000}));
    d.Select(4);
    d.Box(WmfFunction::Rectangle, Box(42, 26, 58, 32));
    d.Mode(WmfFunction::SetStretchBltMode, COLORONCOLOR);
    d.Blit(WmfFunction::StretchDib, RECT{kBounds.left + 2, kBounds.top + 30, 8, 6}, RECT{0, 0, 4, 3}, dib, SRCCOPY);
    d.Blit(WmfFunction::DibStretchBlt, RECT{kBounds.left + 12, kBounds.top + 30, 4, 3}, RECT{0, 0, 4, 3}, dib,
           SRCINVERT);
    d.Blit(WmfFunction::DibBitBlt, RECT{kBounds.left + 18, kBounds.top + 30, 4, 3}, RECT{0, 0, 4, 3}, dib, SRCCOPY);
    d.Blit(WmfFunction::DibBitBlt, RECT{kBounds.left + 24, kBounds.top + 30, 3, 3}, RECT{}, "", PATCOPY);
    d.Blit(WmfFunction::DibStretchBlt, RECT{kBounds.left + 28, kBounds.top + 30, 3, 3}, RECT{}, "", DSTINVERT);
    // Text, and states saved around a clip.
    d.Save();
    d.Font(5, -12, "Arial", ANSI_CHARSET);
    d.Select(5);
    d.Colour(WmfFunction::SetTextColor, RGB(255, 255, 255));
    d.Mode(WmfFunction::SetBkMode, TRANSPARENT);
    d.Mode(WmfFunction::SetTextAlign, TA_BASELINE);
    d.Box(WmfFunction::IntersectClipRect, Box(0, 0, 60, 38));
    d.Box(WmfFunction::ExcludeClipRect, Box(36, 28, 40, 40));
    d.Text(At(33, 38), "Ab");
    d.Mode(WmfFunction::SetTextCharExtra, 1);
    d.Mode(WmfFunction::SetTextAlign, TA_TOP);
    const RECT opaque = Box(44, 33, 58, 39);
    d.Colour(WmfFunction::SetBkColor, kBlue);
    d.ExtText(At(45, 33), ETO_OPAQUE, &opaque, "xy", {7, 5});
    d.Restore(-1);
    // After the restore: no clip of the metafile's, the hatched brush and the dashed pen again.
    d.Box(WmfFunction::Rectangle, Box(0, 36, 4, 40));
    d.Delete(5);
}

using Pixels = std::vector<COLORREF>;

class WmfTest : public wintest::MetafileLibraryTest {
protected:
    void SetUp() override
    {
        MetafileLibraryTest::SetUp();
        rtl::SetAnsiCodePage(1252);
    }

    // A memory device context over a black bitmap; deleted with the test.
    HDC Canvas(int width, int height)
    {
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
        SelectObject(dc, bitmap);
        canvases_.push_back({dc, bitmap});
        return dc;
    }
    void TearDown() override
    {
        for (auto [dc, bitmap] : canvases_) {
            DeleteDC(dc);
            DeleteObject(bitmap);
        }
        MetafileLibraryTest::TearDown();
    }
    static Pixels Read(HDC dc, int width, int height)
    {
        Pixels pixels;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                pixels.push_back(GetPixel(dc, x, y));
        return pixels;
    }
    // The first differing pixel, as text; empty when the pictures agree.
    static std::string FirstDifference(const Pixels& got, const Pixels& expected, int width)
    {
        for (size_t index = 0; index < std::min(got.size(), expected.size()); ++index) {
            if (got[index] != expected[index]) {
                char text[96];
                std::snprintf(text, sizeof text, "pixel (%zu,%zu) is %06x, expected %06x", index % width, index / width,
                              got[index], expected[index]);
                return text;
            }
        }
        return got.size() == expected.size() ? "" : "sizes differ";
    }

    std::vector<std::pair<HDC, HBITMAP>> canvases_;
};

TEST_F(WmfTest, PlaysEveryRecordAsTheCallsThemselvesDrawAtAnyScale)
{
    MetafileDrawing recorded(kBounds, 6);
    DrawScene(recorded);
    const WindowsMetafile metafile = ReadWindowsMetafile(recorded.Build());
    EXPECT_EQ(metafile.bounds, kBounds);
    EXPECT_EQ(metafile.unitsPerInch, 1440);
    for (int scale : {1, 2}) {
        SCOPED_TRACE(scale);
        const int width = 60 * scale;
        const int height = 40 * scale;
        HDC played = Canvas(width, height);
        HDC direct = Canvas(width, height);
        HPEN pen = static_cast<HPEN>(GetCurrentObject(played, OBJ_PEN));
        SetTextColor(played, kGreen);
        ASSERT_TRUE(PlayWindowsMetafile(played, metafile, RECT{0, 0, width, height}));
        {
            DirectDrawing reference(direct, POINT{kBounds.left, kBounds.top}, scale);
            DrawScene(reference);
        }
        const Pixels picture = Read(played, width, height);
        EXPECT_EQ(FirstDifference(picture, Read(direct, width, height), width), "");
        EXPECT_GT(std::count(picture.begin(), picture.end(), RGB(255, 255, 255)), 10) << "the text is drawn";
        // What the metafile selected and set does not stay behind.
        EXPECT_EQ(GetCurrentObject(played, OBJ_PEN), pen);
        EXPECT_EQ(GetTextColor(played), kGreen);
        RECT clip{};
        GetClipBox(played, &clip);
        EXPECT_EQ(clip, (RECT{0, 0, width, height}));
    }
}

TEST_F(WmfTest, AsAnEnhancedMetafileItDrawsAsItselfAtAnyScale)
{
    MetafileDrawing recorded(kBounds, 6);
    DrawScene(recorded);
    const WindowsMetafile metafile = ReadWindowsMetafile(recorded.Build());
    HENHMETAFILE converted = EnhMetaFileFromWindowsMetafile(metafile);
    ASSERT_NE(converted, nullptr);
    // Its natural size is the placeable one: 60 by 40 units at 1440 an inch, in 0.01 mm.
    ENHMETAHEADER header{};
    ASSERT_NE(GetEnhMetaFileHeader(converted, sizeof header, &header), 0u);
    EXPECT_EQ(header.rclFrame.right - header.rclFrame.left, 106);
    EXPECT_EQ(header.rclFrame.bottom - header.rclFrame.top, 71);
    for (int scale : {1, 2}) {
        SCOPED_TRACE(scale);
        const int width = 60 * scale;
        const int height = 40 * scale;
        const RECT all{0, 0, width, height};
        HDC asItself = Canvas(width, height);
        ASSERT_TRUE(PlayWindowsMetafile(asItself, metafile, all));
        HDC asEnhanced = Canvas(width, height);
        ASSERT_TRUE(PlayEnhMetaFile(asEnhanced, converted, &all));
        EXPECT_EQ(FirstDifference(Read(asEnhanced, width, height), Read(asItself, width, height), width), "");
    }
    DeleteEnhMetaFile(converted);
}

TEST_F(WmfTest, ClipRecordsNarrowTheClipTheContextHad)
{
    WmfBuilder builder(RECT{0, 0, 10, 10}, 1);
    builder.Record(WmfFunction::CreateBrushIndirect, {BS_SOLID, 0xFFFF, 0xFF, 0});  // white
    builder.Record(WmfFunction::SelectObject, {0});
    builder.Record(WmfFunction::IntersectClipRect, {10, 10, 0, 0});
    builder.Record(WmfFunction::Rectangle, {10, 10, 0, 0});
    const WindowsMetafile metafile = ReadWindowsMetafile(builder.Build());
    HDC dc = Canvas(10, 10);
    IntersectClipRect(dc, 2, 3, 5, 7);
    ASSERT_TRUE(PlayWindowsMetafile(dc, metafile, RECT{0, 0, 10, 10}));
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(GetPixel(dc, x, y) == RGB(255, 255, 255), x >= 2 && x < 5 && y >= 3 && y < 7) << x << "," << y;
    RECT box{};
    GetClipBox(dc, &box);
    EXPECT_EQ(box, (RECT{2, 3, 5, 7}));
}

TEST_F(WmfTest, TextIsConvertedFromTheFontsCharacterSet)
{
    // 0xC0 is A with ogonek in the Baltic page; the process page (1250) has it at 0xA5.
    rtl::SetAnsiCodePage(1250);
    const auto draw = [&](Drawing& d, int charset, const std::string& text) {
        d.Font(0, -16, "Arial", charset);
        d.Select(0);
        d.Colour(WmfFunction::SetTextColor, RGB(255, 255, 255));
        d.Mode(WmfFunction::SetBkMode, TRANSPARENT);
        d.Text(At(2, 2), text);
    };
    MetafileDrawing recorded(kBounds, 1);
    draw(recorded, BALTIC_CHARSET, "\xC0");
    HDC played = Canvas(60, 40);
    ASSERT_TRUE(PlayWindowsMetafile(played, ReadWindowsMetafile(recorded.Build()), RECT{0, 0, 60, 40}));
    HDC direct = Canvas(60, 40);
    HDC unconverted = Canvas(60, 40);
    {
        DirectDrawing reference(direct, POINT{kBounds.left, kBounds.top}, 1);
        draw(reference, BALTIC_CHARSET, "\xA5");
        DirectDrawing other(unconverted, POINT{kBounds.left, kBounds.top}, 1);
        draw(other, BALTIC_CHARSET, "\xC0");
    }
    const Pixels picture = Read(played, 60, 40);
    EXPECT_EQ(FirstDifference(picture, Read(direct, 60, 40), 60), "");
    EXPECT_NE(picture, Read(unconverted, 60, 40));
}

TEST_F(WmfTest, TextTheProcessPageCannotHoldIsDrawnAsItsOwnLetters)
{
    // 0xC6 is Cyrillic Zhe in the Cyrillic page; the process page (1252) has no Cyrillic at all.
    const auto setUp = [](Drawing& d) {
        d.Font(0, -16, "Arial", RUSSIAN_CHARSET);
        d.Select(0);
        d.Colour(WmfFunction::SetTextColor, RGB(255, 255, 255));
        d.Mode(WmfFunction::SetBkMode, TRANSPARENT);
    };
    MetafileDrawing recorded(kBounds, 1);
    setUp(recorded);
    recorded.Text(At(2, 2), "\xC6");
    HDC played = Canvas(60, 40);
    ASSERT_TRUE(PlayWindowsMetafile(played, ReadWindowsMetafile(recorded.Build()), RECT{0, 0, 60, 40}));
    HDC direct = Canvas(60, 40);
    DirectDrawing reference(direct, POINT{kBounds.left, kBounds.top}, 1);
    setUp(reference);
    const POINT at = At(2, 2);
    TextOutW(direct, at.x - kBounds.left, at.y - kBounds.top, u"\u0416", 1);
    EXPECT_EQ(FirstDifference(Read(played, 60, 40), Read(direct, 60, 40), 60), "");
}

TEST_F(WmfTest, SniffedAsWindowsMetafile)
{
    EXPECT_EQ(SniffPictureFormat(WmfBuilder(kBounds, 0).Build()), PictureFormat::Wmf);
}

// A small valid file, and its bytes with one thing wrong.
std::string ValidFile()
{
    WmfBuilder builder(RECT{0, 0, 20, 20}, 2);
    builder.Record(WmfFunction::CreatePenIndirect, {PS_SOLID, 1, 0, 0xFF, 0});
    builder.Record(WmfFunction::SelectObject, {0});
    builder.Record(WmfFunction::Polygon, {3, 1, 1, 10, 1, 5, 8});
    builder.Record(WmfFunction::StretchDib, {0x20, 0xCC, 0, 2, 2, 0, 0, 4, 4, 0, 0}, PackedDib(2, 2, {1, 2, 3, 4}));
    return builder.Build();
}

std::string Patched(std::string bytes, size_t at, std::uint16_t value)
{
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>(value >> 8);
    return bytes;
}

TEST_F(WmfTest, DamagedFilesAreRefusedWithAClearMessage)
{
    const std::string valid = ValidFile();
    ASSERT_NO_THROW(ReadWindowsMetafile(valid));
    const auto one = [](WmfFunction function, std::vector<int> words, std::string tail = {}) {
        WmfBuilder builder(RECT{0, 0, 20, 20}, 2);
        builder.Record(function, words, tail);
        return builder.Build();
    };
    const auto raw = [](std::uint32_t size, std::uint16_t function, std::string params) {
        WmfBuilder builder(RECT{0, 0, 20, 20}, 2);
        builder.Raw(size, function, params);
        return builder.Build();
    };
    const std::string dibHeader = PackedDib(2, 2, {1, 2, 3, 4}).substr(0, 40);
    std::string hugeDib = dibHeader;
    hugeDib.replace(4, 4, std::string("\xA0\x86\x01\x00", 4));  // 100000 wide
    hugeDib.replace(8, 4, std::string("\xA0\x86\x01\x00", 4));
    const struct {
        const char* name;
        std::string bytes;
        const char* message;
    } cases[] = {
        {"bad key", Patched(valid, 0, 0xCDD6), "placeable metafile key"},
        {"bad checksum", Patched(valid, 20, valid[20] ^ 1), "checksum"},
        {"empty bounds", WmfBuilder(RECT{0, 0, 0, 20}, 0).Build(), "bounds are empty"},
        {"truncated in the placeable header", valid.substr(0, 15), "too short"},
        {"truncated in the metafile header", valid.substr(0, 30), "too short"},
        {"truncated in a record", valid.substr(0, 60), "does not fit"},
        {"truncated before the end record", valid.substr(0, valid.size() - 6), "does not fit"},
        {"bad header size", Patched(valid, 24, 8), "9 words"},
        {"bad version", Patched(valid, 26, 0x0200), "version"},
        {"record of 0 words", raw(0, 0x041B, ""), "size of 0 words"},
        {"record of 1 word", raw(1, 0x041B, ""), "size of 1 words"},
        {"record of 2 words", raw(2, 0x041B, ""), "size of 2 words"},
        {"record past the end", raw(1000, 0x041B, std::string(8, '\0')), "past the end"},
        {"too few parameters", one(WmfFunction::Rectangle, {1, 2, 3}), "too short"},
        {"points past the record", one(WmfFunction::Polygon, {50, 1, 1, 2, 2}), "points run past"},
        {"polygon counts past the record", one(WmfFunction::PolyPolygon, {9, 3}), "counts run past"},
        {"text past the record", one(WmfFunction::TextOut, {40}, "ab"), "text run past"},
        {"negative text length", one(WmfFunction::ExtTextOut, {0, 0, -2, 0}), "negative"},
        {"bitmap bits past the record",
         one(WmfFunction::StretchDib, {0x20, 0xCC, 0, 2, 2, 0, 0, 4, 4, 0, 0}, dibHeader + "abc"), "bits run past"},
        {"huge bitmap", one(WmfFunction::StretchDib, {0x20, 0xCC, 0, 2, 2, 0, 0, 4, 4, 0, 0}, hugeDib), "too large"},
        {"palette-indexed bitmap",
         one(WmfFunction::StretchDib, {0x20, 0xCC, 1, 2, 2, 0, 0, 4, 4, 0, 0}, PackedDib(2, 2, {1, 2, 3, 4})),
         "palette indexes"},
        {"object index out of range", one(WmfFunction::SelectObject, {2}), "names object 2 of 2"},
        {"object that does not exist", one(WmfFunction::DeleteObject, {0}), "does not exist"},
        {"more objects than the header allows",
         [] {
             WmfBuilder builder(RECT{0, 0, 20, 20}, 1);
             builder.Record(WmfFunction::CreateBrushIndirect, {BS_SOLID, 0, 0, 0});
             builder.Record(WmfFunction::CreateBrushIndirect, {BS_SOLID, 0, 0, 0});
             return builder.Build();
         }(),
         "more objects"},
        {"unknown brush style", one(WmfFunction::CreateBrushIndirect, {BS_PATTERN, 0, 0, 0}), "brush style"},
        {"metric mapping mode", one(WmfFunction::SetMapMode, {2}), "mapping mode 2"},
        {"unknown record", one(static_cast<WmfFunction>(0x0B23), {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}),
         "Unknown metafile record 0x0B23 at offset 40"},
        {"missing end record", WmfBuilder(RECT{0, 0, 20, 20}, 0).Record(WmfFunction::SaveDc, {}).Build(false),
         "no end record"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        try {
            ReadWindowsMetafile(test.bytes);
            ADD_FAILURE() << "accepted";
        } catch (const EInvalidGraphic& error) {
            EXPECT_NE(error.Message().find(test.message), std::string::npos) << error.Message();
        }
    }
}

}  // namespace
