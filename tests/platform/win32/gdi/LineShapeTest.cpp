#include <gtest/gtest.h>

#include <cstdlib>

#include "GdiTestCanvas.h"

using gditest::Canvas;

namespace {

constexpr COLORREF kInk = RGB(0, 0, 0);
constexpr COLORREF kPaper = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);

}  // namespace

TEST(LineTest, EveryOctantStartsOnTheFirstPixelAndStopsBeforeTheLast)
{
    const POINT ends[] = {{25, 18}, {18, 25}, {2, 25}, {-5, 18}, {-5, 2}, {2, -5}, {18, -5}, {25, 2},
                          {25, 10}, {10, 25}, {-5, 10}, {10, -5}, {20, 20}, {0, 0}, {20, 0}, {0, 20}};
    for (const POINT& end : ends) {
        Canvas canvas(40, 40);
        const int ox = 10, oy = 10;
        // The canvas is shifted so every end point lies on it.
        SetViewportOrgEx(canvas.Dc(), 8, 8, nullptr);
        MoveToEx(canvas.Dc(), ox, oy, nullptr);
        ASSERT_TRUE(LineTo(canvas.Dc(), end.x, end.y));
        const int dx = std::abs(int(end.x) - ox), dy = std::abs(int(end.y) - oy);
        const std::string where = std::to_string(end.x) + "," + std::to_string(end.y);
        EXPECT_EQ(canvas.At(ox + 8, oy + 8), kInk) << where;
        EXPECT_EQ(canvas.At(end.x + 8, end.y + 8), kPaper) << where;
        EXPECT_EQ(canvas.Count(kInk), std::max(dx, dy)) << where;
        // One pixel per step along the major axis, each touching the previous.
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 40; ++x) {
                if (canvas.At(x, y) != kInk || (x == ox + 8 && y == oy + 8))
                    continue;
                bool touches = false;
                for (int ny = y - 1; ny <= y + 1; ++ny)
                    for (int nx = x - 1; nx <= x + 1; ++nx)
                        if ((nx != x || ny != y) && nx >= 0 && ny >= 0 && nx < 40 && ny < 40 && canvas.At(nx, ny) == kInk)
                            touches = true;
                EXPECT_TRUE(touches) << where << " at " << x << "," << y;
            }
        }
    }
}

TEST(LineTest, PolylineJoinsSegmentsAndLineToMovesThePosition)
{
    Canvas canvas(10, 10);
    const POINT path[] = {{1, 1}, {5, 1}, {5, 4}};
    ASSERT_TRUE(Polyline(canvas.Dc(), path, 3));
    EXPECT_EQ(canvas.PixelsOf(kInk), (std::vector<std::string>{"1,1", "2,1", "3,1", "4,1", "5,1", "5,2", "5,3"}));
    MoveToEx(canvas.Dc(), 0, 8, nullptr);
    LineTo(canvas.Dc(), 3, 8);
    POINT now{};
    GetCurrentPositionEx(canvas.Dc(), &now);
    EXPECT_EQ(now.x, 3);
    EXPECT_EQ(now.y, 8);
}

TEST(PenTest, StyledCosmeticPensFollowTheirDashPatterns)
{
    struct PenCase {
        const char* name;
        HPEN pen;
        const char* row;  // 24 pixels from x = 0
    };
    LOGBRUSH black{BS_SOLID, kInk, 0};
    const PenCase cases[] = {
        {"dot", CreatePen(PS_DOT, 1, kInk), "###...###...###...###..."},
        {"dash", CreatePen(PS_DASH, 1, kInk), "##################......"},
        {"alternate", ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &black, 0, nullptr), "#.#.#.#.#.#.#.#.#.#.#.#."},
        {"solid", CreatePen(PS_SOLID, 1, kInk), "########################"},
    };
    for (const PenCase& c : cases) {
        ASSERT_NE(c.pen, nullptr) << c.name;
        Canvas canvas(24, 1, kRed);
        HGDIOBJ old = SelectObject(canvas.Dc(), c.pen);
        SetBkMode(canvas.Dc(), TRANSPARENT);
        MoveToEx(canvas.Dc(), 0, 0, nullptr);
        LineTo(canvas.Dc(), 24, 0);
        std::string row;
        for (int x = 0; x < 24; ++x)
            row += canvas.At(x, 0) == kInk ? '#' : '.';
        EXPECT_EQ(row, c.row) << c.name;
        // Opaque mode paints the gaps in the background colour.
        SetBkMode(canvas.Dc(), OPAQUE);
        SetBkColor(canvas.Dc(), RGB(0, 255, 0));
        MoveToEx(canvas.Dc(), 0, 0, nullptr);
        LineTo(canvas.Dc(), 24, 0);
        for (int x = 0; x < 24; ++x)
            EXPECT_EQ(canvas.At(x, 0), c.row[x] == '#' ? kInk : RGB(0, 255, 0)) << c.name << " " << x;
        SelectObject(canvas.Dc(), old);
        DeleteObject(c.pen);
    }
}

TEST(PenTest, GeometricWidthsCoverTheirWidthAndNullPenDrawsNothing)
{
    Canvas canvas(20, 20);
    HPEN wide = CreatePen(PS_SOLID, 3, kInk);
    HGDIOBJ old = SelectObject(canvas.Dc(), wide);
    MoveToEx(canvas.Dc(), 5, 10, nullptr);
    LineTo(canvas.Dc(), 15, 10);
    for (int y = 9; y <= 11; ++y)
        EXPECT_EQ(canvas.At(10, y), kInk) << y;
    EXPECT_EQ(canvas.At(10, 8), kPaper);
    EXPECT_EQ(canvas.At(10, 12), kPaper);
    SelectObject(canvas.Dc(), GetStockObject(NULL_PEN));
    MoveToEx(canvas.Dc(), 0, 0, nullptr);
    LineTo(canvas.Dc(), 19, 0);
    EXPECT_EQ(canvas.At(3, 0), kPaper);
    SelectObject(canvas.Dc(), old);
    DeleteObject(wide);

    LOGBRUSH black{BS_SOLID, kInk, 0};
    EXPECT_EQ(ExtCreatePen(PS_COSMETIC | PS_SOLID, 2, &black, 0, nullptr), nullptr);
    EXPECT_EQ(ExtCreatePen(PS_GEOMETRIC | PS_ALTERNATE, 1, &black, 0, nullptr), nullptr);
}

TEST(ShapeTest, RectangleOutlineIsInsideItsBoundsAndTheBrushFillsTheRest)
{
    Canvas canvas(12, 10);
    HBRUSH red = CreateSolidBrush(kRed);
    HGDIOBJ oldBrush = SelectObject(canvas.Dc(), red);
    ASSERT_TRUE(Rectangle(canvas.Dc(), 2, 2, 8, 7));
    EXPECT_EQ(canvas.Picture(kInk),
              "............\n"
              "............\n"
              "..######....\n"
              "..#....#....\n"
              "..#....#....\n"
              "..#....#....\n"
              "..######....\n"
              "............\n"
              "............\n"
              "............\n");
    EXPECT_EQ(canvas.Count(kRed), 4 * 3);
    EXPECT_EQ(canvas.At(3, 3), kRed);

    // Without a pen the filled area loses its right column and bottom row.
    canvas.Fill(kPaper);
    SelectObject(canvas.Dc(), GetStockObject(NULL_PEN));
    Rectangle(canvas.Dc(), 2, 2, 8, 7);
    EXPECT_EQ(canvas.BoundsOfNot(kPaper).right, 7);
    EXPECT_EQ(canvas.BoundsOfNot(kPaper).bottom, 6);
    EXPECT_EQ(canvas.Count(kRed), 5 * 4);
    SelectObject(canvas.Dc(), oldBrush);
    DeleteObject(red);
}

TEST(ShapeTest, EllipseTouchesEachSideOfItsBoundsSymmetrically)
{
    const RECT boxes[] = {{0, 0, 10, 10}, {3, 2, 20, 9}, {1, 1, 4, 4}, {0, 0, 15, 30}};
    for (const RECT& box : boxes) {
        Canvas canvas(32, 32);
        HBRUSH red = CreateSolidBrush(kRed);
        HGDIOBJ old = SelectObject(canvas.Dc(), red);
        ASSERT_TRUE(Ellipse(canvas.Dc(), box.left, box.top, box.right, box.bottom));
        const RECT drawn = canvas.BoundsOfNot(kPaper);
        EXPECT_EQ(drawn.left, box.left);
        EXPECT_EQ(drawn.top, box.top);
        EXPECT_EQ(drawn.right, box.right);
        EXPECT_EQ(drawn.bottom, box.bottom);
        for (int y = box.top; y < box.bottom; ++y)
            for (int x = box.left; x < box.right; ++x)
                EXPECT_EQ(canvas.At(x, y), canvas.At(box.left + box.right - 1 - x, y)) << x << "," << y;
        // Corners stay clear when the ellipse is big enough to have corners.
        if (box.right - box.left > 4) {
            EXPECT_EQ(canvas.At(box.left, box.top), kPaper);
        }
        SelectObject(canvas.Dc(), old);
        DeleteObject(red);
    }
}

TEST(ShapeTest, RoundRectCutsOnlyItsCorners)
{
    Canvas canvas(20, 12);
    ASSERT_TRUE(RoundRect(canvas.Dc(), 0, 0, 20, 12, 6, 6));
    EXPECT_EQ(canvas.At(0, 0), kPaper);
    EXPECT_EQ(canvas.At(10, 0), kInk);
    EXPECT_EQ(canvas.At(0, 6), kInk);
    EXPECT_EQ(canvas.At(19, 6), kInk);
    EXPECT_EQ(canvas.At(10, 11), kInk);
    EXPECT_EQ(canvas.At(19, 11), kPaper);
}

TEST(ShapeTest, PolygonFillModeDecidesTheStarsMiddle)
{
    const POINT star[] = {{20, 2}, {31, 37}, {2, 14}, {38, 14}, {9, 37}};
    for (int mode : {ALTERNATE, WINDING}) {
        Canvas canvas(40, 40);
        HBRUSH red = CreateSolidBrush(kRed);
        HGDIOBJ old = SelectObject(canvas.Dc(), red);
        SetPolyFillMode(canvas.Dc(), mode);
        ASSERT_TRUE(Polygon(canvas.Dc(), star, 5));
        EXPECT_EQ(canvas.At(20, 22), mode == WINDING ? kRed : kPaper) << mode;
        EXPECT_EQ(canvas.At(20, 8), kRed) << mode;
        EXPECT_EQ(canvas.At(2, 2), kPaper);
        // The outline passes through every vertex.
        EXPECT_EQ(canvas.At(20, 2), kInk);
        EXPECT_EQ(canvas.At(38, 14), kInk);
        SelectObject(canvas.Dc(), old);
        DeleteObject(red);
    }
}

TEST(FillTest, FloodFillStopsAtTheBorderColour)
{
    Canvas canvas(10, 10);
    HBRUSH red = CreateSolidBrush(kRed);
    SelectObject(canvas.Dc(), GetStockObject(NULL_BRUSH));
    Rectangle(canvas.Dc(), 2, 2, 8, 8);
    SelectObject(canvas.Dc(), red);
    ASSERT_TRUE(FloodFill(canvas.Dc(), 4, 4, kInk));
    EXPECT_EQ(canvas.Count(kRed), 16);
    EXPECT_EQ(canvas.At(0, 0), kPaper);
    ASSERT_TRUE(ExtFloodFill(canvas.Dc(), 0, 0, kPaper, FLOODFILLSURFACE));
    EXPECT_EQ(canvas.Count(kPaper), 0);
    EXPECT_FALSE(FloodFill(canvas.Dc(), 2, 2, kInk));  // starts on the border
    SelectObject(canvas.Dc(), GetStockObject(WHITE_BRUSH));
    DeleteObject(red);
}

TEST(FillTest, HatchBrushesDrawTheirPatternAndTheBackgroundOnlyWhenOpaque)
{
    Canvas canvas(16, 16, kRed);
    HBRUSH hatch = CreateHatchBrush(HS_HORIZONTAL, kInk);
    SetBkMode(canvas.Dc(), TRANSPARENT);
    RECT all{0, 0, 16, 16};
    FillRect(canvas.Dc(), &all, hatch);
    EXPECT_EQ(canvas.At(5, 3), kInk);
    EXPECT_EQ(canvas.At(5, 11), kInk);
    EXPECT_EQ(canvas.At(5, 4), kRed);
    SetBkMode(canvas.Dc(), OPAQUE);
    SetBkColor(canvas.Dc(), RGB(0, 0, 255));
    FillRect(canvas.Dc(), &all, hatch);
    EXPECT_EQ(canvas.At(5, 4), RGB(0, 0, 255));
    EXPECT_EQ(canvas.Count(kInk), 2 * 16);
    DeleteObject(hatch);

    canvas.Fill(kPaper);
    HBRUSH cross = CreateHatchBrush(HS_DIAGCROSS, kInk);
    FillRect(canvas.Dc(), &all, cross);
    EXPECT_EQ(canvas.At(0, 0), kInk);
    EXPECT_EQ(canvas.At(7, 0), kInk);
    EXPECT_EQ(canvas.At(3, 3), kInk);
    EXPECT_EQ(canvas.At(1, 0), RGB(0, 0, 255));
    DeleteObject(cross);
}

TEST(FillTest, MonochromePatternBrushTakesTheDcColours)
{
    // 2x2 checker: black where x == y.
    const BYTE rows[4] = {0x40, 0, 0x80, 0};
    HBITMAP checker = CreateBitmap(2, 2, 1, 1, rows);
    HBRUSH brush = CreatePatternBrush(checker);
    Canvas canvas(4, 2);
    SetTextColor(canvas.Dc(), kRed);
    SetBkColor(canvas.Dc(), RGB(0, 0, 255));
    RECT all{0, 0, 4, 2};
    FillRect(canvas.Dc(), &all, brush);
    EXPECT_EQ(canvas.At(0, 0), kRed);
    EXPECT_EQ(canvas.At(1, 0), RGB(0, 0, 255));
    EXPECT_EQ(canvas.At(1, 1), kRed);
    EXPECT_EQ(canvas.At(2, 0), kRed);
    DeleteObject(brush);
    DeleteObject(checker);
}

TEST(FillTest, FillFrameInvertAndFocusRectangles)
{
    Canvas canvas(10, 8);
    HBRUSH red = CreateSolidBrush(kRed);
    RECT r{1, 1, 5, 4};
    FillRect(canvas.Dc(), &r, red);
    EXPECT_EQ(canvas.Count(kRed), 4 * 3);
    EXPECT_EQ(canvas.At(5, 1), kPaper);

    canvas.Fill(kPaper);
    FrameRect(canvas.Dc(), &r, red);
    EXPECT_EQ(canvas.Count(kRed), 4 + 4 + 1 + 1);
    EXPECT_EQ(canvas.At(2, 2), kPaper);

    InvertRect(canvas.Dc(), &r);
    EXPECT_EQ(canvas.At(1, 1), RGB(0, 255, 255));
    EXPECT_EQ(canvas.At(2, 2), RGB(0, 0, 0));

    canvas.Fill(kPaper);
    RECT focus{0, 0, 6, 5};
    DrawFocusRect(canvas.Dc(), &focus);
    EXPECT_EQ(canvas.Picture(kInk),
              "#.#.#.....\n"
              ".....#....\n"
              "#.........\n"
              ".....#....\n"
              "#.#.#.....\n"
              "..........\n"
              "..........\n"
              "..........\n");
    DrawFocusRect(canvas.Dc(), &focus);
    EXPECT_EQ(canvas.Count(kPaper), 80);
    DeleteObject(red);
}

TEST(ShapeTest, WidePensAreCentredOnTheOutlineUnlessInsideFrame)
{
    struct WideCase {
        int style;
        RECT inkBounds;
    };
    const WideCase cases[] = {{PS_SOLID, {4, 4, 16, 16}}, {PS_INSIDEFRAME, {5, 5, 15, 15}}};
    for (const WideCase& c : cases) {
        Canvas canvas(20, 20);
        HPEN pen = CreatePen(c.style, 3, kInk);
        HGDIOBJ old = SelectObject(canvas.Dc(), pen);
        SelectObject(canvas.Dc(), GetStockObject(NULL_BRUSH));
        Rectangle(canvas.Dc(), 5, 5, 15, 15);
        const RECT ink = canvas.BoundsOfNot(kPaper);
        EXPECT_EQ(ink.left, c.inkBounds.left) << c.style;
        EXPECT_EQ(ink.top, c.inkBounds.top) << c.style;
        EXPECT_EQ(ink.right, c.inkBounds.right) << c.style;
        EXPECT_EQ(ink.bottom, c.inkBounds.bottom) << c.style;
        EXPECT_EQ(canvas.At(10, 10), kPaper) << c.style;
        SelectObject(canvas.Dc(), old);
        DeleteObject(pen);
    }
}
