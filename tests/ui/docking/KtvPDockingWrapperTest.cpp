// The docking wrapper: a window that is not a pane becomes one. Its name is
// stored under the wrapper's key beside the pane state; the wrapped window
// always fills it; a tab window wraps detachable windows that are not panes,
// so that torn off they float as panes.
#include <gtest/gtest.h>

#include <memory>

#include "platform/mfc/CStatic.h"
#include "tests/support/ScopedAppNames.h"
#include "tests/ui/docking/DockingPaneTest.h"
#include "ui/controls/KtvPBaseTabWnd.h"
#include "ui/docking/KtvPBaseTabbedBar.h"
#include "ui/docking/KtvPDockingCBWrapper.h"
#include "ui/frames/KtvPRegistry.h"
#include "ui/frames/KtvRegPath.h"

namespace {

using tw::test::DockingPaneTest;
using tw::test::TestPane;

class DockingWrapperTest : public DockingPaneTest {
protected:
    // A wrapper created as the tab window creates one, round a static window.
    CKtvPDockingCBWrapper* MakeWrapper(UINT nID, LPCTSTR lpszName)
    {
        auto* pWrapper = new CKtvPDockingCBWrapper;
        pWrapper->m_bAutoDelete = TRUE;
        EXPECT_TRUE(pWrapper->Create(lpszName, frame, pWrapper->m_rectInitial, TRUE, nID,
                                     WS_CHILD | WS_VISIBLE | CBRS_LEFT, 0x20, tw::test::kPaneStyle));
        content = std::make_unique<CStatic>();
        EXPECT_TRUE(content->Create("content", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), frame, nID + 1));
        EXPECT_TRUE(pWrapper->SetWrappedWnd(content.get()));
        return pWrapper;
    }

    static CString Text(const CWnd* pWnd)
    {
        CString str;
        pWnd->GetWindowText(str);
        return str;
    }

    std::unique_ptr<CStatic> content;
};

TEST_F(DockingWrapperTest, TheNameIsStoredUnderTheWrappersKeyAndReadBack)
{
    tw::test::ScopedAppNames names("Tarnwick", "TarnwickWrapperTest");
    struct Case {
        LPCTSTR lpszProfile;
        int nIndex;
        UINT uiID;
        const char* suffix;
    };
    const Case cases[] = {
        {nullptr, 3, (UINT)-1, "KtvPDockingCBWrapper-3"},
        {"Profile", 3, 0x1F, "KtvPDockingCBWrapper-31f"},
        {nullptr, -1, (UINT)-1, "KtvPDockingCBWrapper-4660"},
    };
    CKtvPDockingCBWrapper* pWrapper = MakeWrapper(0x1234, "Results");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.suffix);
        pWrapper->SetWindowText("Results");
        EXPECT_TRUE(pWrapper->SaveState(c.lpszProfile, c.nIndex, c.uiID));
        {
            CKtvPRegistry reg(FALSE, TRUE);
            ASSERT_TRUE(reg.Open(KtvGetRegPath(CKtvPControlBar::m_szSection, c.lpszProfile) + c.suffix));
            CString strName;
            EXPECT_TRUE(reg.Read("BarName", strName));
            EXPECT_EQ("Results", strName);
        }
        pWrapper->SetWindowText("Renamed");
        EXPECT_TRUE(pWrapper->LoadState(c.lpszProfile, c.nIndex, c.uiID));
        EXPECT_EQ("Results", Text(pWrapper));
    }
}

TEST_F(DockingWrapperTest, LoadingKeepsTheNameWhenNothingOrAnEmptyNameWasStored)
{
    CKtvPDockingCBWrapper* pWrapper = MakeWrapper(0x1240, "Kept");
    // A key that cannot be made is a failed save.
    EXPECT_FALSE(pWrapper->SaveState("", 79, (UINT)-1));

    tw::test::ScopedAppNames names("Tarnwick", "TarnwickWrapperTest");
    EXPECT_FALSE(pWrapper->LoadState(nullptr, 77, (UINT)-1));
    EXPECT_EQ("Kept", Text(pWrapper));

    ASSERT_TRUE(pWrapper->SaveState(nullptr, 78, (UINT)-1));
    {
        CKtvPRegistry reg(FALSE, FALSE);
        ASSERT_TRUE(reg.Open(KtvGetRegPath(CKtvPControlBar::m_szSection, nullptr) + "KtvPDockingCBWrapper-78"));
        ASSERT_TRUE(reg.Write("BarName", CString()));
    }
    EXPECT_TRUE(pWrapper->LoadState(nullptr, 78, (UINT)-1));
    EXPECT_EQ("Kept", Text(pWrapper));
}

TEST_F(DockingWrapperTest, TheWrappedWindowFillsTheWrapper)
{
    CKtvPDockingCBWrapper* pWrapper = MakeWrapper(0x1250, "Fills");
    ASSERT_TRUE(pWrapper->DockToFrameWindow(CBRS_ALIGN_LEFT));
    Pump();
    EXPECT_EQ(pWrapper, content->GetParent());
    EXPECT_EQ(content.get(), pWrapper->GetWrappedWnd());
    for (CSize size : {CSize(180, 120), CSize(90, 300)}) {
        pWrapper->CWnd::SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        CRect rectClient;
        pWrapper->GetClientRect(rectClient);
        CRect rectContent;
        content->GetWindowRect(rectContent);
        pWrapper->ScreenToClient(rectContent);
        EXPECT_EQ(rectClient, rectContent);
    }
}

// A wrapped bar lends the wrapper its docking sides and stored places; any
// other window gets every side.
TEST_F(DockingWrapperTest, AWrappedBarLendsItsSidesAndRestoredState)
{
    auto* pWrapper = new CKtvPDockingCBWrapper;
    pWrapper->m_bAutoDelete = TRUE;
    ASSERT_TRUE(pWrapper->Create("Bar", frame, pWrapper->m_rectInitial, TRUE, 0x1260, WS_CHILD | CBRS_LEFT, 0x20,
                                 tw::test::kPaneStyle));
    tw::test::KtvTestBar* pBar = AddBar(0x1261, 100, 24, CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM);
    pBar->SetRestoredFromRegistry(TRUE);
    pBar->GetRecentDockInfo().m_dockedLayout.m_rectBar = CRect(1, 2, 103, 26);
    ASSERT_TRUE(pWrapper->SetWrappedWnd(pBar));
    EXPECT_EQ((DWORD)(CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM), pWrapper->GetEnabledAlignment());
    EXPECT_TRUE(pWrapper->IsRestoredFromRegistry());
    EXPECT_EQ(CRect(1, 2, 103, 26), pWrapper->GetRecentDockInfo().m_dockedLayout.m_rectBar);

    CKtvPDockingCBWrapper* pPlain = MakeWrapper(0x1270, "Plain");
    EXPECT_EQ((DWORD)CBRS_ALIGN_ANY, pPlain->GetEnabledAlignment());
}

// A detachable window that is not a pane is wrapped when it becomes a tab; its
// tab still answers for it; dragged off, it floats as a pane.
TEST_F(DockingWrapperTest, ATabWindowWrapsADetachableWindowThatFloatsAsAPane)
{
    TestPane* pFirst = DockedPane(1, CBRS_ALIGN_LEFT, 200, 150);
    TestPane* pSecond = AddPane(2, 200, 150);
    ASSERT_EQ(pSecond, pSecond->AttachToTabbedBar(pFirst, KTVP_DM_STANDARD, TRUE));
    CKtvPBaseTabbedBar* pTabbed = pFirst->GetParentTabbedBar();
    CKtvPBaseTabWnd* pTabs = pTabbed->GetUnderlinedWindow();
    content = std::make_unique<CStatic>();
    ASSERT_TRUE(content->Create("Notes", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), pTabs, 3));
    pTabs->AddTab(content.get(), "Notes", (UINT)-1, TRUE);
    CStatic fixedContent;
    ASSERT_TRUE(fixedContent.Create("Fixed", WS_CHILD, CRect(0, 0, 10, 10), pTabs, 4));
    pTabs->AddTab(&fixedContent, "Fixed", (UINT)-1, FALSE);
    Pump();

    ASSERT_EQ(4, pTabs->GetTabsNum());
    CWnd* pWrapped = pTabs->GetTabWnd(2);
    ASSERT_TRUE(pWrapped->IsKindOf(RUNTIME_CLASS(CKtvPDockingCBWrapper)));
    EXPECT_EQ(3, pWrapped->GetDlgCtrlID());
    EXPECT_EQ(content.get(), pTabs->GetTabContentWnd(2));
    EXPECT_EQ(2, pTabs->GetTabFromHwnd(content->GetSafeHwnd()));
    EXPECT_EQ(content.get(), pTabbed->FindBarByTabNumber(2, TRUE));
    EXPECT_EQ(&fixedContent, pTabs->GetTabWnd(3)) << "a tab that cannot leave is not wrapped";
    EXPECT_FALSE(pTabs->IsTabDetachable(3));

    pTabs->SetActiveTab(2);
    Pump();
    CRect rectTab;
    pTabs->GetTabRect(2, rectTab);
    pTabs->ClientToScreen(rectTab);
    Drag(rectTab.CenterPoint(), {CPoint(0, -4), CPoint(150, -60)});
    auto* pWrapper = static_cast<CKtvPDockingCBWrapper*>(pWrapped);
    EXPECT_TRUE(pWrapper->IsFloating());
    EXPECT_EQ(pWrapper, content->GetParent());
    EXPECT_EQ("Notes", Text(pWrapper));
    EXPECT_EQ(3, pTabs->GetTabsNum());
    pTabs->RemoveTab(2);
    pWrapper->GetParentMiniFrame()->DestroyWindow();
    Pump();
}

}  // namespace
