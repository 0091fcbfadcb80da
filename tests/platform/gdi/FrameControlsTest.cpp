#include "platform/gdi/FrameControls.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SystemInfo.h"

#include "tests/platform/gdi/GdiTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace win;
using wintest::Picture;

// A scheme whose colours all differ and have letters on the canvas: f face, F 3D light, # 3D highlight,
// s 3D shadow, d 3D dark shadow, r button text, g grey text, y window, b window text, m window frame.
// Untouched pixels stay black (.).
class FrameControlsTest : public wintest::CanvasTest {
protected:
    FrameControlsTest() { width_ = 16; height_ = 16; }
    void SetUp() override
    {
        CanvasTest::SetUp();
        const int elements[] = {COLOR_3DFACE, COLOR_3DLIGHT, COLOR_3DHIGHLIGHT, COLOR_3DSHADOW, COLOR_3DDKSHADOW,
                                COLOR_BTNTEXT, COLOR_GRAYTEXT, COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_WINDOWFRAME};
        const COLORREF colours[] = {RGB(192, 192, 192), RGB(212, 208, 200), RGB(255, 255, 255), RGB(128, 128, 128),
                                    RGB(64, 64, 64),    RGB(255, 0, 0),     RGB(0, 255, 0),     RGB(255, 255, 0),
                                    RGB(0, 0, 255),     RGB(255, 0, 255)};
        ASSERT_TRUE(SetSysColors(10, elements, colours));
    }
    void Draw(RECT rect, UINT type, UINT state)
    {
        Clear(RGB(0, 0, 0));
        ASSERT_TRUE(DrawFrameControl(dc_, &rect, type, state));
        picture_ = Read();
    }
    char At(int x, int y) const { return picture_.at(static_cast<std::size_t>(y)).at(static_cast<std::size_t>(x)); }
    // The letters at the points, as one string.
    std::string At(std::initializer_list<POINT> points) const
    {
        std::string letters;
        for (const POINT point : points) {
            letters += At(point.x, point.y);
        }
        return letters;
    }

    Picture picture_;
};

TEST_F(FrameControlsTest, AScrollArrowIsARaisedButtonWithATriangle)
{
    Draw(RECT{0, 0, 16, 16}, DFC_SCROLL, DFCS_SCROLLUP);
    EXPECT_EQ(picture_, (Picture{
                            "FFFFFFFFFFFFFFFd",
                            "F#############sd",
                            "F#ffffffffffffsd",
                            "F#ffffffffffffsd",
                            "F#ffffffffffffsd",
                            "F#ffffffffffffsd",
                            "F#fffffrffffffsd",
                            "F#ffffrrrfffffsd",
                            "F#fffrrrrrffffsd",
                            "F#ffrrrrrrrfffsd",
                            "F#ffffffffffffsd",
                            "F#ffffffffffffsd",
                            "F#ffffffffffffsd",
                            "F#ffffffffffffsd",
                            "Fssssssssssssssd",
                            "dddddddddddddddd",
                        }));
}

TEST_F(FrameControlsTest, ButtonFramesTakeTheClassicEdgesOfTheirKindAndState)
{
    struct Case {
        const char* name;
        UINT type;
        UINT state;
        std::string corners;  // outer top left, outer bottom right, inner top left, inner bottom right, middle
    };
    const Case cases[] = {
        {"push", DFC_BUTTON, DFCS_BUTTONPUSH, "#dFsf"},
        {"push pushed", DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED, "d#sFf"},
        {"push flat", DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_FLAT, "ssfff"},
        {"push mono", DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_MONO, "mmfff"},
        {"push hot is normal", DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_HOT, "#dFsf"},
        {"scroll", DFC_SCROLL, DFCS_SCROLLRIGHT, "Fd#sf"},
        {"scroll pushed", DFC_SCROLL, DFCS_SCROLLRIGHT | DFCS_PUSHED, "ssfff"},
        {"scroll flat", DFC_SCROLL, DFCS_SCROLLRIGHT | DFCS_FLAT, "ssfff"},
        {"combo box", DFC_SCROLL, DFCS_SCROLLCOMBOBOX, "Fd#sf"},
        {"caption", DFC_CAPTION, DFCS_CAPTIONHELP, "#dFsf"},
        {"caption pushed", DFC_CAPTION, DFCS_CAPTIONHELP | DFCS_PUSHED, "d#sFf"},
        {"caption flat", DFC_CAPTION, DFCS_CAPTIONHELP | DFCS_FLAT, "ssfff"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        Draw(RECT{0, 0, 16, 16}, test.type, test.state);
        // The inner line's top left is (1, 1) only when there is an inner line; flat frames are one pixel.
        EXPECT_EQ(At({{0, 0}, {15, 15}, {1, 1}, {14, 14}, {2, 13}}), test.corners);
    }
    Draw(RECT{0, 0, 16, 16}, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_CHECKED);
    EXPECT_EQ(At({{0, 0}, {15, 15}, {1, 1}, {14, 14}}), "d#sF") << "a checked push button is sunken";
    EXPECT_EQ(At({{2, 2}, {3, 2}, {2, 3}, {3, 3}}), "f##f") << "and dithered inside";
}

TEST_F(FrameControlsTest, ScrollGlyphsPointTheirWayMoveWhenPushedAndEmbossWhenInactive)
{
    struct Case {
        const char* name;
        UINT state;
        POINT tip, baseEnd, beyondTip;
    };
    // A 16-pixel button: 4 rows, a base of 7, centred.
    const Case cases[] = {
        {"up", DFCS_SCROLLUP, {7, 6}, {10, 9}, {7, 5}},
        {"down", DFCS_SCROLLDOWN, {7, 9}, {10, 6}, {7, 10}},
        {"left", DFCS_SCROLLLEFT, {6, 7}, {9, 10}, {5, 7}},
        {"right", DFCS_SCROLLRIGHT, {9, 7}, {6, 10}, {10, 7}},
        {"combo box", DFCS_SCROLLCOMBOBOX, {7, 9}, {10, 6}, {7, 10}},
        {"up pushed", DFCS_SCROLLUP | DFCS_PUSHED, {8, 7}, {11, 10}, {8, 6}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        Draw(RECT{0, 0, 16, 16}, DFC_SCROLL, test.state);
        EXPECT_EQ(At({test.tip, test.baseEnd, test.beyondTip}), "rrf");
    }
    Draw(RECT{0, 0, 16, 16}, DFC_SCROLL, DFCS_SCROLLUP | DFCS_INACTIVE);
    EXPECT_EQ(At({{7, 6}, {10, 9}, {11, 10}, {5, 10}, {4, 10}}), "gg##f")
        << "grey text over a copy in 3D highlight one pixel right and down";

    // The triangle follows the button's size: a 10-pixel button has 2 rows and a base of 3.
    Draw(RECT{0, 0, 10, 10}, DFC_SCROLL, DFCS_SCROLLUP);
    EXPECT_EQ(At({{4, 4}, {3, 5}, {5, 5}, {3, 4}, {2, 5}, {4, 6}}), "rrrfff");
}

TEST_F(FrameControlsTest, CaptionGlyphsAreScaledToTheButton)
{
    // A 16 x 14 button shows its glyphs at 9 x 9, from (3, 2).
    const RECT button{0, 0, 16, 14};
    Draw(button, DFC_CAPTION, DFCS_CAPTIONCLOSE);
    EXPECT_EQ(At({{3, 3}, {4, 3}, {5, 3}, {6, 6}, {7, 6}, {8, 6}, {3, 2}}), "rrfrrff");
    Draw(button, DFC_CAPTION, DFCS_CAPTIONMAX);
    EXPECT_EQ(At({{3, 2}, {11, 2}, {4, 4}, {11, 4}, {7, 10}, {12, 2}}), "rrfrrf");
    Draw(button, DFC_CAPTION, DFCS_CAPTIONMIN);
    EXPECT_EQ(At({{4, 9}, {9, 10}, {3, 9}, {10, 9}, {4, 8}}), "rrfff");
    Draw(button, DFC_CAPTION, DFCS_CAPTIONCLOSE | DFCS_PUSHED);
    EXPECT_EQ(At({{4, 4}, {7, 7}, {3, 3}}), "rrf") << "one pixel right and down";
    Draw(button, DFC_CAPTION, DFCS_CAPTIONCLOSE | DFCS_INACTIVE);
    EXPECT_EQ(At({{3, 3}, {10, 9}, {11, 10}}), "gg#");
}

TEST_F(FrameControlsTest, CheckBoxesShowTheirStateInsideASunkenSquare)
{
    struct Case {
        const char* name;
        UINT state;
        // (0, 0), (12, 12), (1, 1), (11, 11): the edges; (2, 2): inside; (9, 3), (5, 9): the check mark's
        // top right and bottom; (5, 6): the notch between its strokes.
        std::string letters;
    };
    const Case cases[] = {
        {"unchecked", DFCS_BUTTONCHECK, "s#dFyyyy"},
        {"checked", DFCS_BUTTONCHECK | DFCS_CHECKED, "s#dFybby"},
        {"pushed", DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_PUSHED, "s#dFfbbf"},
        {"inactive", DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE, "s#dFfggf"},
        {"three-state unchecked", DFCS_BUTTON3STATE, "s#dFyyyy"},
        {"three-state checked", DFCS_BUTTON3STATE | DFCS_CHECKED, "s#dFfgg#"},
        {"three-state disabled", DFCS_BUTTON3STATE | DFCS_CHECKED | DFCS_PUSHED | DFCS_INACTIVE, "s#dFfgg#"},
        {"flat", DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_FLAT, "ssyyybby"},
        {"mono", DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_MONO, "mmyyybby"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        Draw(RECT{0, 0, 13, 13}, DFC_BUTTON, test.state);
        EXPECT_EQ(At({{0, 0}, {12, 12}, {1, 1}, {11, 11}, {2, 2}, {9, 3}, {5, 9}, {5, 6}}), test.letters);
        EXPECT_EQ(At({{13, 0}, {0, 13}}), "..") << "nothing outside the rectangle";
    }
    // The check mark scales with the box: in a 16-pixel box it is 10 across, from (3, 3).
    Draw(RECT{0, 0, 16, 16}, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
    EXPECT_EQ(At({{12, 3}, {11, 3}, {3, 6}, {3, 5}, {6, 12}, {5, 12}}), "bybyby");
    // A rectangle wider than high holds a centred square.
    Draw(RECT{0, 0, 16, 13}, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
    EXPECT_EQ(At({{0, 0}, {1, 0}, {13, 12}, {14, 0}, {10, 3}}), ".s#.b");
}

TEST_F(FrameControlsTest, ARadioButtonIsTheClassicRingedCircle)
{
    Draw(RECT{0, 0, 13, 13}, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED);
    const Picture radio{
        "....ssss........",
        "..ssddddss......",
        ".sddyyyydF#.....",
        ".sdyyyyyyF#.....",
        "sdyyybbyyyF#....",
        "sdyybbbbyyF#....",
        "sdyybbbbyyF#....",
        "sdyyybbyyyF#....",
        ".sdyyyyyyF#.....",
        ".sdFyyyyFF#.....",
        "..##FFFF##......",
        "....####........",
        "................",
        "................",
        "................",
        "................",
    };
    EXPECT_EQ(picture_, radio);
    // The rings split along the diagonal from the bottom left to the top right: the outer ring is
    // highlight below it, the inner ring 3D light below it (and on it right of the middle).
    for (int row = 0; row < 12; ++row) {
        for (int column = 0; column < 12; ++column) {
            const char letter = At(column, row);
            const int across = 11 - column;
            if (letter == 's' || letter == '#') {
                EXPECT_EQ(letter == '#', across < row) << column << ", " << row;
            } else if (letter == 'd' || letter == 'F') {
                EXPECT_EQ(letter == 'F', across < row || (across == row && column > 5)) << column << ", " << row;
            }
        }
    }

    struct Case {
        const char* name;
        UINT state;
        std::string letters;  // outer ring (4, 0) and (4, 11), inner ring (4, 1), body (3, 3), dot (5, 5)
    };
    const Case cases[] = {
        {"unchecked", DFCS_BUTTONRADIO, "s#dyy"},
        {"pushed", DFCS_BUTTONRADIO | DFCS_PUSHED | DFCS_CHECKED, "s#dfb"},
        {"inactive", DFCS_BUTTONRADIO | DFCS_INACTIVE | DFCS_CHECKED, "s#dfg"},
        {"flat", DFCS_BUTTONRADIO | DFCS_FLAT | DFCS_CHECKED, "ssyyb"},
        {"mono", DFCS_BUTTONRADIO | DFCS_MONO, "mmyyy"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        Draw(RECT{0, 0, 13, 13}, DFC_BUTTON, test.state);
        EXPECT_EQ(At({{4, 0}, {4, 11}, {4, 1}, {3, 3}, {5, 5}}), test.letters);
    }
}

TEST_F(FrameControlsTest, TheRadioImageAndMaskComplementEachOther)
{
    const RECT cell{0, 0, 13, 13};
    Draw(cell, DFC_BUTTON, DFCS_BUTTONRADIO);
    const Picture plain = picture_;
    Clear(RGB(255, 0, 0));
    RECT rect = cell;
    ASSERT_TRUE(DrawFrameControl(dc_, &rect, DFC_BUTTON, DFCS_BUTTONRADIOIMAGE));
    const Picture image = Read();
    Clear(RGB(255, 0, 0));
    ASSERT_TRUE(DrawFrameControl(dc_, &rect, DFC_BUTTON, DFCS_BUTTONRADIOMASK));
    const Picture mask = Read();
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            SCOPED_TRACE(std::to_string(x) + ", " + std::to_string(y));
            const char drawn = plain[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
            const char imaged = image[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
            const char masked = mask[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
            if (x >= 13 || y >= 13) {
                EXPECT_EQ(std::string() + imaged + masked, "rr") << "outside the rectangle";
            } else if (drawn != '.') {
                EXPECT_EQ(std::string() + imaged + masked, std::string() + drawn + '.') << "the circle";
            } else {
                EXPECT_EQ(std::string() + imaged + masked, ".#") << "around the circle";
            }
        }
    }
}

TEST_F(FrameControlsTest, TheRadioMaskDrawsIntoAMonochromeBitmap)
{
    HDC mono = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(13, 13, 1, 1, nullptr);
    SelectObject(mono, bitmap);
    RECT cell{0, 0, 13, 13};
    ASSERT_TRUE(DrawFrameControl(mono, &cell, DFC_BUTTON, DFCS_BUTTONRADIOMASK));
    EXPECT_EQ(wintest::ReadPicture(mono, 13, 13)[0], "####....#####");
    EXPECT_EQ(wintest::ReadPicture(mono, 13, 13)[5], "............#");
    DeleteDC(mono);
    DeleteObject(bitmap);
}

// How the radio-button images of the controls are measured: the mask's black columns and rows give the
// radio's place and size; a scan for window-text pixels from the middle gives the dot's.
TEST_F(FrameControlsTest, TheFlatRadioMeasuresAsTwelvePixelsWithAFourPixelDot)
{
    const RECT cell{0, 0, 13, 13};
    Draw(cell, DFC_BUTTON, DFCS_BUTTONRADIOMASK | DFCS_FLAT);
    int left = -1, width = 0, top = -1, height = 0;
    for (int i = 0; i < 13; ++i) {
        bool column = false, row = false;
        for (int j = 0; j < 13; ++j) {
            column = column || At(i, j) == '.';
            row = row || At(j, i) == '.';
        }
        if (column) {
            left = left < 0 ? i : left;
            ++width;
        }
        if (row) {
            top = top < 0 ? i : top;
            ++height;
        }
    }
    EXPECT_EQ((RECT{left, top, width, height}), (RECT{0, 0, 12, 12}));

    Draw(cell, DFC_BUTTON, DFCS_BUTTONRADIOIMAGE | DFCS_CHECKED | DFCS_FLAT);
    const auto dot = [this](int x, int y) { return At(x, y) == 'b'; };
    int y = top + height / 2 - 2;
    const int scanColumn = left + width / 2 - 1;
    while (dot(scanColumn, y)) {
        --y;
    }
    const int dotTop = y + 1;
    int dotBottom = dotTop + 1;
    while (dot(scanColumn, dotBottom)) {
        ++dotBottom;
    }
    int x = left + width / 2 - 2;
    const int scanRow = top + height / 2 - 1;
    while (dot(x, scanRow)) {
        --x;
    }
    const int dotLeft = x + 1;
    int dotRight = dotLeft + 1;
    while (dot(dotRight, scanRow)) {
        ++dotRight;
    }
    EXPECT_EQ((RECT{dotLeft, dotTop, dotRight, dotBottom}), (RECT{4, 4, 8, 8}));
}

TEST_F(FrameControlsTest, TheSizeGripDrawsThreeDiagonalLinesIntoItsCorner)
{
    Draw(RECT{0, 0, 16, 16}, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
    EXPECT_EQ(At({{15, 15}, {14, 15}, {13, 15}, {12, 15}, {11, 15}, {4, 15}, {3, 15}}), "fss#f#f");
    EXPECT_EQ(At({{15, 4}, {15, 3}, {14, 14}, {13, 13}, {0, 0}}), "#fsff");
    Draw(RECT{0, 0, 16, 16}, DFC_SCROLL, DFCS_SCROLLSIZEGRIPRIGHT);
    EXPECT_EQ(At({{0, 15}, {1, 15}, {2, 15}, {3, 15}, {11, 15}, {12, 15}, {15, 15}}), "fss##ff");
}

TEST_F(FrameControlsTest, MenuGlyphsAreBlackOnWhite)
{
    const RECT cell{0, 0, 13, 13};
    Draw(cell, DFC_MENU, DFCS_MENUARROW);
    EXPECT_EQ(At({{0, 0}, {8, 6}, {9, 6}, {5, 3}, {4, 3}, {13, 0}}), "#.#.#.");
    Draw(cell, DFC_MENU, DFCS_MENUARROWRIGHT);
    EXPECT_EQ(At({{4, 6}, {3, 6}, {7, 3}, {8, 3}}), ".#.#");
    Draw(cell, DFC_MENU, DFCS_MENUCHECK);
    EXPECT_EQ(At({{9, 3}, {3, 5}, {5, 6}}), "..#");
    Draw(cell, DFC_MENU, DFCS_MENUBULLET);
    EXPECT_EQ(At({{6, 6}, {3, 3}, {4, 5}, {6, 3}, {6, 4}}), ".#.#.");
}

TEST_F(FrameControlsTest, BadArgumentsAreRefusedAndEmptyRectanglesDrawNothing)
{
    RECT rect{0, 0, 13, 13};
    struct Case {
        UINT type;
        UINT state;
    };
    const Case refused[] = {{0, 0}, {5, 0}, {DFC_SCROLL, 4}, {DFC_BUTTON, 3}, {DFC_CAPTION, 5}, {DFC_MENU, 3}};
    for (const Case& test : refused) {
        SetLastError(0);
        EXPECT_FALSE(DrawFrameControl(dc_, &rect, test.type, test.state)) << test.type << " " << test.state;
        EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    }
    EXPECT_FALSE(DrawFrameControl(dc_, nullptr, DFC_BUTTON, DFCS_BUTTONPUSH));
    HDC gone = CreateCompatibleDC(nullptr);
    DeleteDC(gone);
    EXPECT_FALSE(DrawFrameControl(gone, &rect, DFC_BUTTON, DFCS_BUTTONPUSH));

    Clear(RGB(0, 0, 0));
    RECT empty{4, 4, 4, 10};
    EXPECT_TRUE(DrawFrameControl(dc_, &empty, DFC_BUTTON, DFCS_BUTTONPUSH));
    EXPECT_EQ(Read(), Picture(16, std::string(16, '.')));
}

}  // namespace
