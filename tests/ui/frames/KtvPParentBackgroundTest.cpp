#include <gtest/gtest.h>

#include "platform/mfc/afxwin.h"
#include "ui/frames/KtvPGlobalData.h"

namespace {

const COLORREF kParentRed = RGB(255, 0, 0);
const COLORREF kChildBlue = RGB(0, 0, 255);

// Erases a 10 x 10 square at its own client origin, so a child sees where
// the parent's coordinates landed.
class ErasingParent : public CWnd {
public:
    int erases = 0;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_ERASEBKGND)
            return CWnd::WindowProc(message, wParam, lParam);
        erases++;
        RECT square{0, 0, 10, 10};
        HBRUSH red = CreateSolidBrush(kParentRed);
        FillRect(reinterpret_cast<HDC>(wParam), &square, red);
        DeleteObject(red);
        return TRUE;
    }
};

TEST(KtvPParentBackgroundTest, ParentErasesThroughTheChildsDcAtItsOwnOrigin)
{
    static CWinApp app("Tarnwick");
    KtvInitGlobalData();
    ErasingParent parent;
    CWnd child;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "Parent", WS_POPUP | WS_VISIBLE, CRect(0, 0, 100, 100), nullptr, 0));
    ASSERT_TRUE(child.CreateEx(0, nullptr, "Child", WS_CHILD | WS_VISIBLE, CRect(4, 6, 40, 40), &parent, 1));
    {
        CClientDC dc(&child);
        dc.FillSolidRect(0, 0, 36, 34, kChildBlue);
        parent.erases = 0;
        EXPECT_TRUE(globalData.DrawParentBackground(&child, &dc));
        EXPECT_EQ(parent.erases, 1);
        EXPECT_EQ(dc.GetPixel(0, 0), kParentRed);
        EXPECT_EQ(dc.GetPixel(5, 3), kParentRed);
        EXPECT_EQ(dc.GetPixel(6, 3), kChildBlue);
        EXPECT_EQ(dc.GetPixel(5, 4), kChildBlue);
        EXPECT_EQ(dc.GetWindowOrg(), CPoint(0, 0));  // put back

        // A clip rectangle limits the erase and is removed afterwards.
        dc.FillSolidRect(0, 0, 36, 34, kChildBlue);
        RECT clip{0, 0, 2, 2};
        EXPECT_TRUE(globalData.DrawParentBackground(&child, &dc, &clip));
        EXPECT_EQ(dc.GetPixel(1, 1), kParentRed);
        EXPECT_EQ(dc.GetPixel(3, 1), kChildBlue);
        dc.FillSolidRect(20, 20, 2, 2, kParentRed);
        EXPECT_EQ(dc.GetPixel(21, 21), kParentRed);
    }
    EXPECT_EQ(globalData.m_hUxTheme, nullptr);  // no theme library here
    parent.DestroyWindow();
    KtvCleanUp();
}

}  // namespace
