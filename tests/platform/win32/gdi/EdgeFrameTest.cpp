#include <gtest/gtest.h>

#include "GdiTestCanvas.h"

using gditest::Canvas;

namespace {

const COLORREF kEdgeFace = RGB(212, 208, 200);
const COLORREF kEdgeLight = RGB(212, 208, 200);
const COLORREF kEdgeHighlight = RGB(255, 255, 255);
const COLORREF kEdgeShadow = RGB(128, 128, 128);
const COLORREF kEdgeDark = RGB(64, 64, 64);
const COLORREF kEdgeMarker = RGB(1, 2, 3);

}  // namespace

TEST(DrawEdgeTest, ClassicEdgesPaintTheirRingsInTheirColours)
{
    struct EdgeCase {
        const char* name;
        UINT edge;
        UINT flags;
        COLORREF outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight;
    };
    const EdgeCase cases[] = {
        {"raised", EDGE_RAISED, BF_RECT, kEdgeLight, kEdgeDark, kEdgeHighlight, kEdgeShadow},
        {"sunken", EDGE_SUNKEN, BF_RECT, kEdgeShadow, kEdgeHighlight, kEdgeDark, kEdgeLight},
        {"etched", EDGE_ETCHED, BF_RECT, kEdgeShadow, kEdgeHighlight, kEdgeHighlight, kEdgeShadow},
        {"bump", EDGE_BUMP, BF_RECT, kEdgeLight, kEdgeDark, kEdgeDark, kEdgeLight},
        {"raised soft", EDGE_RAISED, BF_RECT | BF_SOFT, kEdgeHighlight, kEdgeDark, kEdgeLight, kEdgeShadow},
        {"flat", EDGE_RAISED, BF_RECT | BF_FLAT, kEdgeShadow, kEdgeShadow, kEdgeFace, kEdgeFace},
        {"mono", EDGE_RAISED, BF_RECT | BF_MONO, RGB(0, 0, 0), RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 255, 255)},
    };
    for (const EdgeCase& c : cases) {
        Canvas canvas(12, 10, kEdgeMarker);
        RECT r{1, 1, 11, 9};
        ASSERT_TRUE(DrawEdge(canvas.Dc(), &r, c.edge, c.flags)) << c.name;
        EXPECT_EQ(canvas.At(5, 1), c.outerTopLeft) << c.name;
        EXPECT_EQ(canvas.At(1, 5), c.outerTopLeft) << c.name;
        EXPECT_EQ(canvas.At(5, 8), c.outerBottomRight) << c.name;
        EXPECT_EQ(canvas.At(10, 5), c.outerBottomRight) << c.name;
        // Bottom and right run over the corners they share with top and left.
        EXPECT_EQ(canvas.At(10, 1), c.outerBottomRight) << c.name;
        EXPECT_EQ(canvas.At(1, 8), c.outerBottomRight) << c.name;
        EXPECT_EQ(canvas.At(5, 2), c.innerTopLeft) << c.name;
        EXPECT_EQ(canvas.At(9, 5), c.innerBottomRight) << c.name;
        EXPECT_EQ(canvas.At(5, 5), kEdgeMarker) << c.name;  // no BF_MIDDLE
        EXPECT_EQ(canvas.At(0, 0), kEdgeMarker) << c.name;
        EXPECT_EQ(canvas.At(11, 9), kEdgeMarker) << c.name;
    }
}

TEST(DrawEdgeTest, SidesMiddleAndAdjust)
{
    Canvas canvas(12, 10, kEdgeMarker);
    RECT r{1, 1, 11, 9};
    ASSERT_TRUE(DrawEdge(canvas.Dc(), &r, BDR_RAISEDINNER, BF_BOTTOM | BF_RIGHT | BF_MIDDLE | BF_ADJUST));
    EXPECT_EQ(canvas.At(5, 1), kEdgeFace);  // the middle reaches the undrawn top
    EXPECT_EQ(canvas.At(5, 8), kEdgeShadow);
    EXPECT_EQ(canvas.At(10, 5), kEdgeShadow);
    EXPECT_EQ(r.left, 1);
    EXPECT_EQ(r.top, 1);
    EXPECT_EQ(r.right, 10);
    EXPECT_EQ(r.bottom, 8);
    RECT twice{0, 0, 10, 10};
    DrawEdge(canvas.Dc(), &twice, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    EXPECT_EQ(twice.left, 2);
    EXPECT_EQ(twice.bottom, 8);
}

TEST(FrameControlTest, CaptionButtonsAreRaisedFacesWithADarkGlyph)
{
    for (UINT kind : {DFCS_CAPTIONCLOSE, DFCS_CAPTIONMIN, DFCS_CAPTIONMAX, DFCS_CAPTIONRESTORE, DFCS_CAPTIONHELP}) {
        Canvas canvas(16, 14, kEdgeMarker);
        RECT r{0, 0, 16, 14};
        ASSERT_TRUE(DrawFrameControl(canvas.Dc(), &r, DFC_CAPTION, kind)) << kind;
        EXPECT_EQ(canvas.At(0, 0), kEdgeHighlight) << kind;  // soft raised edge
        EXPECT_EQ(canvas.At(15, 13), kEdgeDark) << kind;
        EXPECT_GT(canvas.Count(RGB(0, 0, 0)), 3) << kind;
        EXPECT_EQ(canvas.Count(kEdgeMarker), 0) << kind;
        const RECT glyph = [&] {
            Canvas probe(16, 14, kEdgeMarker);
            RECT face{0, 0, 16, 14};
            DrawFrameControl(probe.Dc(), &face, DFC_CAPTION, kind);
            RECT box{16, 14, 0, 0};
            for (int y = 0; y < 14; ++y)
                for (int x = 0; x < 16; ++x)
                    if (probe.At(x, y) == RGB(0, 0, 0)) {
                        box.left = std::min<LONG>(box.left, x);
                        box.top = std::min<LONG>(box.top, y);
                        box.right = std::max<LONG>(box.right, x + 1);
                        box.bottom = std::max<LONG>(box.bottom, y + 1);
                    }
            return box;
        }();
        EXPECT_GE(glyph.left, 2) << kind;
        EXPECT_LE(glyph.right, 14) << kind;
    }
    Canvas canvas(16, 14);
    RECT r{0, 0, 16, 14};
    ASSERT_TRUE(DrawFrameControl(canvas.Dc(), &r, DFC_CAPTION, DFCS_CAPTIONCLOSE | DFCS_INACTIVE));
    EXPECT_EQ(canvas.Count(RGB(0, 0, 0)), 0);
    EXPECT_GT(canvas.Count(kEdgeShadow), 3);
    ASSERT_TRUE(DrawFrameControl(canvas.Dc(), &r, DFC_CAPTION, DFCS_CAPTIONCLOSE | DFCS_PUSHED));
    EXPECT_EQ(canvas.At(0, 0), kEdgeShadow);  // sunken
    EXPECT_FALSE(DrawFrameControl(canvas.Dc(), &r, DFC_CAPTION, 9));
    EXPECT_FALSE(DrawFrameControl(canvas.Dc(), &r, 77, 0));
}

TEST(FrameControlTest, ScrollArrowsPointTheirWay)
{
    struct ArrowCase {
        UINT kind;
        bool vertical;
        bool towardsStart;  // up or left
    };
    const ArrowCase cases[] = {{DFCS_SCROLLUP, true, true},
                               {DFCS_SCROLLDOWN, true, false},
                               {DFCS_SCROLLLEFT, false, true},
                               {DFCS_SCROLLRIGHT, false, false}};
    for (const ArrowCase& c : cases) {
        Canvas canvas(16, 16);
        RECT r{0, 0, 16, 16};
        ASSERT_TRUE(DrawFrameControl(canvas.Dc(), &r, DFC_SCROLL, c.kind));
        // Count glyph pixels on each half along the arrow's axis: the base is wider.
        int first = 0, second = 0;
        for (int y = 2; y < 14; ++y)
            for (int x = 2; x < 14; ++x) {
                if (canvas.At(x, y) != RGB(0, 0, 0))
                    continue;
                const int along = c.vertical ? y : x;
                (along < 8 ? first : second)++;
            }
        EXPECT_GT(first + second, 4) << c.kind;
        if (c.towardsStart)
            EXPECT_LT(first, second) << c.kind;
        else
            EXPECT_GT(first, second) << c.kind;
    }
    Canvas grip(16, 16, kEdgeMarker);
    RECT r{0, 0, 16, 16};
    ASSERT_TRUE(DrawFrameControl(grip.Dc(), &r, DFC_SCROLL, DFCS_SCROLLSIZEGRIP));
    EXPECT_EQ(grip.At(0, 0), kEdgeFace);
    EXPECT_GT(grip.Count(kEdgeShadow), 6);
    EXPECT_GT(grip.Count(kEdgeHighlight), 3);
    EXPECT_EQ(grip.At(2, 2), kEdgeFace);  // the lines keep to the corner
}

TEST(FrameControlTest, CheckBoxesAndMenuMarks)
{
    Canvas box(13, 13, kEdgeMarker);
    RECT r{0, 0, 13, 13};
    ASSERT_TRUE(DrawFrameControl(box.Dc(), &r, DFC_BUTTON, DFCS_BUTTONCHECK));
    EXPECT_EQ(box.At(0, 0), kEdgeShadow);
    EXPECT_EQ(box.At(6, 6), RGB(255, 255, 255));
    ASSERT_TRUE(DrawFrameControl(box.Dc(), &r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED));
    EXPECT_GT(box.Count(RGB(0, 0, 0)), 5);
    ASSERT_TRUE(DrawFrameControl(box.Dc(), &r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_INACTIVE));
    EXPECT_EQ(box.At(6, 6), kEdgeFace);

    Canvas menu(16, 16, kEdgeMarker);
    RECT m{0, 0, 16, 16};
    ASSERT_TRUE(DrawFrameControl(menu.Dc(), &m, DFC_MENU, DFCS_MENUCHECK));
    EXPECT_EQ(menu.Count(kEdgeMarker), 0);
    EXPECT_GT(menu.Count(RGB(0, 0, 0)), 5);
    EXPECT_EQ(menu.Count(RGB(0, 0, 0)) + menu.Count(RGB(255, 255, 255)), 256);
}

TEST(DrawEdgeTest, DiagonalEdgesRunCornerToCorner)
{
    Canvas canvas(10, 10, kEdgeMarker);
    RECT r{0, 0, 10, 10};
    ASSERT_TRUE(DrawEdge(canvas.Dc(), &r, EDGE_RAISED, BF_DIAGONAL_ENDTOPRIGHT));
    EXPECT_EQ(canvas.At(0, 9), kEdgeLight);
    EXPECT_EQ(canvas.At(9, 0), kEdgeLight);
    EXPECT_EQ(canvas.At(5, 4), kEdgeLight);
    EXPECT_EQ(canvas.At(9, 1), kEdgeHighlight);  // the inner line, one pixel in
    EXPECT_EQ(canvas.At(0, 0), kEdgeMarker);

    canvas.Fill(kEdgeMarker);
    ASSERT_TRUE(DrawEdge(canvas.Dc(), &r, EDGE_SUNKEN, BF_DIAGONAL_ENDBOTTOMRIGHT | BF_MIDDLE));
    EXPECT_EQ(canvas.At(0, 0), kEdgeHighlight);
    EXPECT_EQ(canvas.At(9, 9), kEdgeHighlight);
    EXPECT_EQ(canvas.At(0, 9), kEdgeFace);  // the half below the line
    EXPECT_EQ(canvas.At(9, 0), kEdgeMarker);
}
