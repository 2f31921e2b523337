// The docking hit tests and rectangle helpers of globalUtils: side strips,
// rotation, keeping a rectangle on the work area, and the dock manager of a window.
#include <gtest/gtest.h>

#include "platform/mfc/CDialog.h"
#include "platform/mfc/afxbarcodes.h"
#include "platform/win32/user/winuser.h"
#include "ui/docking/KtvPGlobalUtils.h"

namespace {

struct AlignmentCase {
    const char* name;
    CPoint pt;
    BOOL bOuterEdge;
    DWORD dwEnabled;
    BOOL bExpected;
    DWORD dwExpected;
};

// The rectangle (100, 100, 200, 160) with sensitivity 10.
const AlignmentCase kAlignmentCases[] = {
    {"top row inside, inner edge", CPoint(150, 100), FALSE, 0xF000, TRUE, CBRS_ALIGN_TOP},
    {"top row inside, outer edge: not in the strip", CPoint(150, 100), TRUE, 0xF000, FALSE, 0},
    {"just above, outer edge", CPoint(150, 99), TRUE, 0xF000, TRUE, CBRS_ALIGN_TOP},
    {"sensitivity reached above", CPoint(150, 90), TRUE, 0xF000, TRUE, CBRS_ALIGN_TOP},
    {"beyond sensitivity above", CPoint(150, 89), TRUE, 0xF000, FALSE, 0},
    {"inner top strip ends at T+s", CPoint(150, 110), FALSE, 0xF000, FALSE, 0},
    {"inner top strip last row", CPoint(150, 109), FALSE, 0xF000, TRUE, CBRS_ALIGN_TOP},
    {"left edge, outer", CPoint(95, 130), TRUE, 0xF000, TRUE, CBRS_ALIGN_LEFT},
    {"left column, inner", CPoint(100, 130), FALSE, 0xF000, TRUE, CBRS_ALIGN_LEFT},
    {"bottom: B is outside the rectangle, outer", CPoint(150, 160), TRUE, 0xF000, TRUE, CBRS_ALIGN_BOTTOM},
    {"bottom last row inside, outer: no", CPoint(150, 159), TRUE, 0xF000, FALSE, 0},
    {"bottom last row inside, inner", CPoint(150, 159), FALSE, 0xF000, TRUE, CBRS_ALIGN_BOTTOM},
    {"right: R is outside, outer", CPoint(200, 130), TRUE, 0xF000, TRUE, CBRS_ALIGN_RIGHT},
    {"right strip ends before R+s", CPoint(210, 130), TRUE, 0xF000, FALSE, 0},
    {"corner: top wins over left", CPoint(95, 95), TRUE, 0xF000, TRUE, CBRS_ALIGN_TOP},
    {"corner with top disabled: left", CPoint(95, 95), TRUE, CBRS_ALIGN_LEFT, TRUE, CBRS_ALIGN_LEFT},
    {"side not enabled", CPoint(150, 95), TRUE, CBRS_ALIGN_BOTTOM, FALSE, 0},
    {"middle of the rectangle", CPoint(150, 130), FALSE, 0xF000, FALSE, 0},
};

TEST(KtvPGlobalUtilsTest, CheckAlignmentStripsFollowTheTable)
{
    const CRect rect(100, 100, 200, 160);
    for (const AlignmentCase& c : kAlignmentCases) {
        DWORD dwAlignment = 0;
        EXPECT_EQ(c.bExpected, globalUtils.CheckAlignment(c.pt, nullptr, 10, c.bOuterEdge, dwAlignment,
                                                          c.dwEnabled, rect))
            << c.name;
        EXPECT_EQ(c.dwExpected, dwAlignment) << c.name;
    }
}

TEST(KtvPGlobalUtilsTest, CheckAlignmentWithoutBarOrRectangleKeepsTheAlignment)
{
    DWORD dwAlignment = CBRS_ALIGN_RIGHT;
    EXPECT_FALSE(globalUtils.CheckAlignment(CPoint(0, 0), nullptr, 10, TRUE, dwAlignment, 0xF000, nullptr));
    EXPECT_EQ((DWORD)CBRS_ALIGN_RIGHT, dwAlignment);
}

TEST(KtvPGlobalUtilsTest, RotateRect)
{
    struct {
        int nAngle;
        CRect expected;
    } cases[] = {
        {90, CRect(20, 0, 0, 10)},  {-90, CRect(0, 10, 20, 0)}, {270, CRect(0, 10, 20, 0)},
        {180, CRect(0, 20, 10, 0)}, {45, CRect(0, 0, 10, 20)},  {0, CRect(0, 0, 10, 20)},
    };
    for (const auto& c : cases) {
        CRect rect(0, 0, 10, 20);
        CRect& result = globalUtils.RotateRect(rect, c.nAngle);
        EXPECT_EQ(&rect, &result);
        EXPECT_EQ(c.expected, rect) << c.nAngle;
    }
}

CRect PrimaryWorkArea()
{
    MONITORINFO mi{};
    mi.cbSize = sizeof(mi);
    EXPECT_TRUE(::GetMonitorInfo(::MonitorFromPoint(CPoint(0, 0), MONITOR_DEFAULTTONEAREST), &mi));
    return CRect(mi.rcWork);
}

TEST(KtvPGlobalUtilsTest, AdjustRectToWorkAreaKeepsMarginsOnTheWorkArea)
{
    const CRect w = PrimaryWorkArea();
    const CRect margins(16, 16, 16, 16);
    struct {
        const char* name;
        CRect rect;
        CRect expected;
    } cases[] = {
        {"wholly left", CRect(w.left - 300, w.top + 50, w.left - 200, w.top + 150),
         CRect(w.left - 16, w.top + 50, w.left + 84, w.top + 150)},
        {"right edge within the left margin", CRect(w.left - 84, w.top + 50, w.left + 16, w.top + 150),
         CRect(w.left - 16, w.top + 50, w.left + 84, w.top + 150)},
        {"wholly right", CRect(w.right + 10, w.top + 50, w.right + 110, w.top + 150),
         CRect(w.right - 116, w.top + 50, w.right - 16, w.top + 150)},
        {"wholly below", CRect(w.left + 50, w.bottom + 40, w.left + 150, w.bottom + 140),
         CRect(w.left + 50, w.bottom - 16, w.left + 150, w.bottom + 84)},
        {"wholly above", CRect(w.left + 50, w.top - 300, w.left + 150, w.top - 200),
         CRect(w.left + 50, w.top - 84, w.left + 150, w.top + 16)},
        {"inside stays", CRect(w.left + 50, w.top + 50, w.left + 150, w.top + 150),
         CRect(w.left + 50, w.top + 50, w.left + 150, w.top + 150)},
    };
    for (const auto& c : cases) {
        CRect rect = c.rect;
        globalUtils.AdjustRectToWorkArea(rect, &margins);
        EXPECT_EQ(c.expected, rect) << c.name;
    }
    CRect rect(w.left - 300, w.top + 50, w.left - 200, w.top + 150);
    globalUtils.AdjustRectToWorkArea(rect);
    EXPECT_EQ(w.left, rect.left) << "no margins: the left edge on the work area";
}

TEST(KtvPGlobalUtilsTest, GetDockManagerOfOtherWindowsIsNull)
{
    EXPECT_EQ(nullptr, globalUtils.GetDockManager(nullptr));
    CWnd plain;
    EXPECT_EQ(nullptr, globalUtils.GetDockManager(&plain));
    EXPECT_FALSE(globalUtils.m_bDialogParent);
    CDialog dialog;
    EXPECT_EQ(nullptr, globalUtils.GetDockManager(&dialog));
    EXPECT_TRUE(globalUtils.m_bDialogParent);
    globalUtils.m_bDialogParent = FALSE;
}

}  // namespace
