#include <gtest/gtest.h>

#include "platform/win32/kernel/RectFunctions.h"

namespace {

bool Same(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Text(const RECT& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

enum class Op { Intersect, Union, Subtract };

struct RectCase {
    Op op;
    RECT a;
    RECT b;
    RECT expected;
    BOOL result;
};

class RectCombine : public testing::TestWithParam<RectCase> {};

TEST_P(RectCombine, GivesThePlatformResult)
{
    const RectCase& c = GetParam();
    RECT out{-9, -9, -9, -9};
    BOOL result = FALSE;
    switch (c.op) {
    case Op::Intersect:
        result = IntersectRect(&out, &c.a, &c.b);
        break;
    case Op::Union:
        result = UnionRect(&out, &c.a, &c.b);
        break;
    case Op::Subtract:
        result = SubtractRect(&out, &c.a, &c.b);
        break;
    }
    EXPECT_EQ(result, c.result);
    EXPECT_TRUE(Same(out, c.expected)) << Text(out) << " expected " << Text(c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RectCombine,
    testing::Values(
        RectCase{Op::Intersect, {0, 0, 10, 10}, {5, 5, 20, 20}, {5, 5, 10, 10}, TRUE},
        // Touching edges share no point: the right and bottom edges are outside.
        RectCase{Op::Intersect, {0, 0, 10, 10}, {10, 0, 20, 10}, {0, 0, 0, 0}, FALSE},
        RectCase{Op::Intersect, {0, 0, 10, 10}, {3, 3, 3, 8}, {0, 0, 0, 0}, FALSE},
        RectCase{Op::Union, {0, 0, 10, 10}, {20, 5, 30, 30}, {0, 0, 30, 30}, TRUE},
        // An empty rectangle adds nothing, wherever it lies.
        RectCase{Op::Union, {5, 5, 5, 50}, {0, 0, 10, 10}, {0, 0, 10, 10}, TRUE},
        RectCase{Op::Union, {5, 5, 5, 50}, {1, 1, 0, 0}, {0, 0, 0, 0}, FALSE},
        RectCase{Op::Subtract, {0, 0, 10, 10}, {0, 0, 10, 4}, {0, 4, 10, 10}, TRUE},
        RectCase{Op::Subtract, {0, 0, 10, 10}, {-5, 6, 15, 20}, {0, 0, 10, 6}, TRUE},
        RectCase{Op::Subtract, {0, 0, 10, 10}, {0, -1, 3, 11}, {3, 0, 10, 10}, TRUE},
        RectCase{Op::Subtract, {0, 0, 10, 10}, {7, 0, 10, 10}, {0, 0, 7, 10}, TRUE},
        // A hole in the middle leaves no rectangle: the source comes back whole.
        RectCase{Op::Subtract, {0, 0, 10, 10}, {2, 2, 4, 4}, {0, 0, 10, 10}, TRUE},
        RectCase{Op::Subtract, {0, 0, 10, 10}, {-1, -1, 11, 11}, {0, 0, 0, 0}, FALSE},
        RectCase{Op::Subtract, {0, 0, 10, 10}, {20, 20, 30, 30}, {0, 0, 10, 10}, TRUE}));

TEST(RectFunctions, PointsOnTheFarEdgesAreOutside)
{
    const RECT r{0, 0, 10, 5};
    EXPECT_TRUE(PtInRect(&r, POINT{0, 0}));
    EXPECT_TRUE(PtInRect(&r, POINT{9, 4}));
    EXPECT_FALSE(PtInRect(&r, POINT{10, 4}));
    EXPECT_FALSE(PtInRect(&r, POINT{9, 5}));
    EXPECT_FALSE(PtInRect(&r, POINT{-1, 0}));
    EXPECT_FALSE(PtInRect(nullptr, POINT{0, 0}));
}

TEST(RectFunctions, SimpleEditsAndNullArguments)
{
    RECT r;
    ASSERT_TRUE(SetRect(&r, 1, 2, 3, 4));
    ASSERT_TRUE(OffsetRect(&r, 10, 20));
    EXPECT_TRUE(Same(r, RECT{11, 22, 13, 24}));
    ASSERT_TRUE(InflateRect(&r, 1, -1));
    EXPECT_TRUE(Same(r, RECT{10, 23, 14, 23}));
    EXPECT_TRUE(IsRectEmpty(&r));
    RECT copy;
    ASSERT_TRUE(CopyRect(&copy, &r));
    EXPECT_TRUE(EqualRect(&copy, &r));
    ASSERT_TRUE(SetRectEmpty(&copy));
    EXPECT_FALSE(EqualRect(&copy, &r));

    EXPECT_FALSE(SetRect(nullptr, 0, 0, 1, 1));
    EXPECT_FALSE(CopyRect(&r, nullptr));
    EXPECT_TRUE(IsRectEmpty(nullptr));
    EXPECT_FALSE(EqualRect(nullptr, nullptr));
    EXPECT_FALSE(IntersectRect(nullptr, &r, &r));
}

} // namespace
