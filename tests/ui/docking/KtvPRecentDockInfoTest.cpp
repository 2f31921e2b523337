// A bar's recent places: copying the docked or the floating part between
// bars, with the record's rectangle, share, side flag and sibling list.
#include <gtest/gtest.h>

#include "ui/docking/KtvPControlBar.h"
#include "ui/docking/KtvPRecentDockInfo.h"

namespace {

void FillSource(CKtvPRecentDockInfo& src)
{
    src.m_dwLastAlignment = CBRS_ALIGN_RIGHT;
    src.m_hLastDefaultSlider = reinterpret_cast<HWND>(0x1234);
    src.m_rectLastFloat.SetRect(5, 6, 205, 306);
    src.m_hLastMiniFrame = reinterpret_cast<HWND>(0x5678);
    for (BOOL bDocked : {TRUE, FALSE}) {
        CKtvPRecentLayoutRecord& record = src.GetRecord(bDocked);
        record.m_rectBar.SetRect(1, 2, bDocked ? 300 : 400, 4);
        record.m_nBarPercent = bDocked ? 30 : 70;
        record.m_bWasLeftPart = FALSE;
        CList<HWND, HWND> siblings;
        siblings.AddTail(reinterpret_cast<HWND>(bDocked ? 0x10 : 0x20));
        siblings.AddTail(reinterpret_cast<HWND>(0x30));
        src.SetSiblingWnds(siblings, bDocked);
    }
}

TEST(KtvPRecentDockInfoTest, CopyPartTakesOnlyTheChosenPart)
{
    CKtvPControlBar ownerA;
    CKtvPControlBar ownerB;
    CKtvPRecentDockInfo src(&ownerA);
    FillSource(src);

    CKtvPRecentDockInfo docked(&ownerB);
    docked.CopyPart(TRUE, src);
    EXPECT_EQ((DWORD)CBRS_ALIGN_RIGHT, docked.m_dwLastAlignment);
    EXPECT_EQ(src.m_hLastDefaultSlider, docked.m_hLastDefaultSlider);
    EXPECT_EQ(CRect(1, 2, 300, 4), docked.GetLayoutRect(TRUE));
    EXPECT_EQ(30, docked.GetLayoutPercent(TRUE));
    EXPECT_FALSE(docked.WasLeftPart(TRUE)) << "the side flag travels with the node";
    ASSERT_EQ(2, docked.GetSiblingWnds(TRUE).GetCount());
    EXPECT_EQ(reinterpret_cast<HWND>(0x10), docked.GetSiblingWnds(TRUE).GetHead());
    // The floating part is untouched.
    EXPECT_EQ(CRect(10, 10, 110, 110), docked.m_rectLastFloat);
    EXPECT_EQ(nullptr, docked.m_hLastMiniFrame);
    EXPECT_EQ(50, docked.GetLayoutPercent(FALSE));

    CKtvPRecentDockInfo floating(&ownerB);
    floating.CopyPart(FALSE, src);
    EXPECT_EQ(CRect(5, 6, 205, 306), floating.m_rectLastFloat);
    EXPECT_EQ(src.m_hLastMiniFrame, floating.m_hLastMiniFrame);
    EXPECT_EQ(70, floating.GetLayoutPercent(FALSE));
    EXPECT_EQ(reinterpret_cast<HWND>(0x20), floating.GetSiblingWnds(FALSE).GetHead());
    EXPECT_EQ((DWORD)CBRS_ALIGN_LEFT, floating.m_dwLastAlignment);
    EXPECT_EQ(nullptr, floating.m_hLastDefaultSlider);
}

TEST(KtvPRecentDockInfoTest, SetSiblingWndsReplacesTheList)
{
    CKtvPControlBar owner;
    CKtvPRecentDockInfo info(&owner);
    CList<HWND, HWND> first;
    first.AddTail(reinterpret_cast<HWND>(1));
    first.AddTail(reinterpret_cast<HWND>(2));
    info.SetSiblingWnds(first, TRUE);
    CList<HWND, HWND> second;
    second.AddTail(reinterpret_cast<HWND>(3));
    info.SetSiblingWnds(second, TRUE);
    ASSERT_EQ(1, info.GetSiblingWnds(TRUE).GetCount());
    EXPECT_EQ(reinterpret_cast<HWND>(3), info.GetSiblingWnds(TRUE).GetHead());
    EXPECT_EQ(0, info.GetSiblingWnds(FALSE).GetCount());
    EXPECT_EQ(nullptr, info.GetLastDefaultSlider());
}

}  // namespace
