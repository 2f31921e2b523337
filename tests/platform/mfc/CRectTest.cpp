#include <gtest/gtest.h>

#include "platform/mfc/CRect.h"

namespace {

TEST(CPointAndCSize, Arithmetic)
{
    CPoint p(3, 4);
    p += CSize(1, 1);
    p -= CPoint(2, 2);
    EXPECT_EQ(p, CPoint(2, 3));
    EXPECT_EQ(p + CSize(10, 10), CPoint(12, 13));
    EXPECT_EQ(p - CSize(1, 1), CPoint(1, 2));
    EXPECT_EQ(-p, CPoint(-2, -3));
    const CSize delta = CPoint(10, 10) - p;
    EXPECT_EQ(delta, CSize(8, 7));
    EXPECT_EQ(CSize(1, 2) + CSize(3, 4), CSize(4, 6));
    EXPECT_EQ(-CSize(1, 2), CSize(-1, -2));
    EXPECT_EQ(CSize(1, 2) + CPoint(5, 5), CPoint(6, 7));
    p.Offset(1, -1);
    EXPECT_TRUE(p == CPoint(3, 2) && p != CPoint(2, 3));

    // A packed mouse position carries signed 16-bit coordinates.
    EXPECT_EQ(CPoint(static_cast<DWORD>(MAKELONG(-5, 300))), CPoint(-5, 300));
}

TEST(CRectBasics, MeasuresAndCorners)
{
    CRect r(10, 20, 110, 70);
    EXPECT_EQ(r.Width(), 100);
    EXPECT_EQ(r.Height(), 50);
    EXPECT_EQ(r.Size(), CSize(100, 50));
    EXPECT_EQ(r.CenterPoint(), CPoint(60, 45));
    EXPECT_EQ(CRect(0, 0, 3, 3).CenterPoint(), CPoint(1, 1));

    // The corners are the rectangle's own fields: writing them moves the edges.
    r.TopLeft() = CPoint(0, 0);
    r.BottomRight().x = 5;
    EXPECT_EQ(r, CRect(0, 0, 5, 70));
    const CRect& constant = r;
    EXPECT_EQ(constant.BottomRight(), CPoint(5, 70));

    EXPECT_EQ(CRect(CPoint(1, 2), CSize(3, 4)), CRect(1, 2, 4, 6));
    EXPECT_EQ(CRect(CPoint(1, 2), CPoint(3, 4)), CRect(1, 2, 3, 4));
    EXPECT_TRUE(CRect().IsRectNull());
    EXPECT_TRUE(CRect(static_cast<LPCRECT>(nullptr)).IsRectNull());
    EXPECT_TRUE(CRect(5, 5, 5, 9).IsRectEmpty());
    EXPECT_FALSE(CRect(5, 5, 5, 9).IsRectNull());
    EXPECT_TRUE(CRect(0, 0, 2, 2).PtInRect(CPoint(1, 1)));
    EXPECT_FALSE(CRect(0, 0, 2, 2).PtInRect(CPoint(2, 1)));
}

TEST(CRectBasics, PassesAsAPlainRect)
{
    CRect r(1, 2, 3, 4);
    LPRECT writable = r;
    writable->right = 30;
    LPCRECT readable = static_cast<const CRect&>(r);
    EXPECT_EQ(readable->right, 30);
    RECT plain{0, 0, 1, 1};
    r = plain;
    EXPECT_TRUE(r.EqualRect(&plain));
    EXPECT_TRUE(plain == r);
}

TEST(CRectEdits, InflateDeflateOffsetNormalize)
{
    CRect r(10, 10, 20, 20);
    r.InflateRect(1, 2);
    EXPECT_EQ(r, CRect(9, 8, 21, 22));
    r.DeflateRect(CSize(1, 2));
    EXPECT_EQ(r, CRect(10, 10, 20, 20));
    r.InflateRect(1, 2, 3, 4);
    EXPECT_EQ(r, CRect(9, 8, 23, 24));
    r.DeflateRect(1, 2, 3, 4);
    const RECT sides{1, 2, 3, 4};
    r.InflateRect(&sides);
    EXPECT_EQ(r, CRect(9, 8, 23, 24));
    r.DeflateRect(&sides);
    EXPECT_EQ(r, CRect(10, 10, 20, 20));
    r.InflateRect(static_cast<LPCRECT>(nullptr));
    r.DeflateRect(static_cast<LPCRECT>(nullptr));
    EXPECT_EQ(r, CRect(10, 10, 20, 20));
    r.OffsetRect(5, -5);
    r.OffsetRect(CPoint(1, 1));
    r.OffsetRect(CSize(-1, -1));
    EXPECT_EQ(r, CRect(15, 5, 25, 15));

    CRect flipped(20, 30, 10, 5);
    flipped.NormalizeRect();
    EXPECT_EQ(flipped, CRect(10, 5, 20, 30));
    flipped.SetRectEmpty();
    EXPECT_TRUE(flipped.IsRectNull());
    flipped.SetRect(CPoint(1, 1), CPoint(2, 2));
    flipped.CopyRect(CRect(4, 4, 8, 8));
    EXPECT_EQ(flipped, CRect(4, 4, 8, 8));
}

TEST(CRectOperators, OffsetInflateIntersectUnion)
{
    const CRect r(0, 0, 10, 10);
    EXPECT_EQ(r + CPoint(1, 2), CRect(1, 2, 11, 12));
    EXPECT_EQ(r - CSize(1, 2), CRect(-1, -2, 9, 8));
    const RECT sides{1, 1, 2, 2};
    EXPECT_EQ(r + &sides, CRect(-1, -1, 12, 12));
    EXPECT_EQ(r - &sides, CRect(1, 1, 8, 8));
    EXPECT_EQ(r & CRect(5, 5, 20, 20), CRect(5, 5, 10, 10));
    EXPECT_EQ(r & CRect(10, 10, 20, 20), CRect());
    EXPECT_EQ(r | CRect(5, 5, 20, 20), CRect(0, 0, 20, 20));
    EXPECT_EQ(CPoint(1, 1) + static_cast<LPCRECT>(r), CRect(1, 1, 11, 11));

    CRect acc(r);
    acc += CPoint(1, 1);
    acc -= CSize(1, 1);
    acc += &sides;
    acc -= &sides;
    EXPECT_EQ(acc, r);
    acc &= CRect(2, 2, 4, 40);
    EXPECT_EQ(acc, CRect(2, 2, 4, 10));
    acc |= acc; // the operand may be the rectangle itself
    EXPECT_EQ(acc, CRect(2, 2, 4, 10));
    acc &= acc;
    EXPECT_EQ(acc, CRect(2, 2, 4, 10));
    acc |= CRect(0, 0, 1, 1);
    EXPECT_EQ(acc, CRect(0, 0, 4, 10));

    CRect out;
    EXPECT_TRUE(out.SubtractRect(r, CRect(0, 0, 10, 3)));
    EXPECT_EQ(out, CRect(0, 3, 10, 10));
    EXPECT_FALSE(out.IntersectRect(r, CRect(20, 20, 30, 30)));
    EXPECT_TRUE(out.IsRectNull());
    EXPECT_TRUE(out.UnionRect(r, CRect(20, 20, 30, 30)));
    EXPECT_EQ(out, CRect(0, 0, 30, 30));
}

} // namespace
