// The navigation pane as a docking bar: what a fixed and a resizable bar
// accept, the docking status over its pages, and the custom-page stream in
// its settings key with the version gate of the trailing button count. The
// page window here is a plain tab window that reports its strip in screen
// coordinates, as the outlook window reports its page buttons.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/mfc/CStatic.h"
#include "tests/support/ScopedAppNames.h"
#include "tests/support/ui/KtvStoredValue.h"
#include "tests/ui/docking/DockingPaneTest.h"
#include "ui/controls/KtvPOutlookBarDockingPane.h"
#include "ui/controls/KtvPTabWnd.h"
#include "ui/docking/KtvPOutlookBar.h"
#include "ui/frames/KtvPWorkspace.h"
#include "ui/frames/KtvRegPath.h"

namespace {

using tw::test::DockingPaneTest;
using tw::test::TestPane;

class ScreenStripTabWnd : public CKtvPTabWnd {
public:
    void GetTabArea(CRect& rectTabAreaTop, CRect& rectTabAreaBottom) const override
    {
        CKtvPTabWnd::GetTabArea(rectTabAreaTop, rectTabAreaBottom);
        if (!rectTabAreaTop.IsRectEmpty())
            ClientToScreen(rectTabAreaTop);
        if (!rectTabAreaBottom.IsRectEmpty())
            ClientToScreen(rectTabAreaBottom);
    }
};

// The outlook bar with a plain tab window for its pages.
class PagedOutlookBar : public CKtvPOutlookBar {
public:
    ~PagedOutlookBar() override { pages.clear(); }

    void AddPage(UINT nID, LPCTSTR lpszLabel)
    {
        auto page = std::make_unique<CStatic>();
        page->Create(lpszLabel, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), m_pTabWnd, nID);
        m_pTabWnd->AddTab(page.get(), lpszLabel, (UINT)-1, FALSE);
        pages.push_back(std::move(page));
    }

    std::vector<std::unique_ptr<CStatic>> pages;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (CKtvPDockingControlBar::OnCreate(lpCreateStruct) == -1)
            return -1;
        auto* pTabs = new ScreenStripTabWnd;
        m_pTabWnd = pTabs;
        if (!pTabs->Create(CKtvPTabWnd::TABSTYLE_3D, CRect(0, 0, lpCreateStruct->cx, lpCreateStruct->cy), this, 101)) {
            delete pTabs;
            m_pTabWnd = nullptr;
            return -1;
        }
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PagedOutlookBar, CKtvPOutlookBar)
    ON_WM_CREATE()
END_MESSAGE_MAP()

class OutlookBarTest : public DockingPaneTest {
protected:
    PagedOutlookBar* MakeBar(DWORD dwControlBarStyle, int nPages)
    {
        bar = std::make_unique<PagedOutlookBar>();
        EXPECT_TRUE(bar->Create("Snippets", frame, CRect(0, 0, 180, 300), 40267,
                                WS_CHILD | WS_VISIBLE | CBRS_LEFT | WS_CAPTION, dwControlBarStyle));
        for (int i = 0; i < nPages; i++)
            bar->AddPage(300 + i, i == 0 ? "Mail" : "Tasks");
        Pump();
        return bar.get();
    }

    std::unique_ptr<PagedOutlookBar> bar;
};

// Which bars each kind of outlook bar takes: a fixed one only outlook pages.
TEST_F(OutlookBarTest, AFixedBarTakesOnlyOutlookPagesAResizableOneAnyPane)
{
    TestPane* pPane = AddPane(1, 100, 100);
    tw::test::KtvTestBar* pToolBar = AddBar(2, 100, 24);
    CKtvPOutlookBarDockingPane page;
    CKtvPOutlookBar otherOutlook;
    struct Case {
        const char* name;
        CKtvPBaseControlBar* pBar;
        bool bFixedTakes;
        bool bResizableTakes;
    };
    const Case cases[] = {
        {"docking pane", pPane, false, true},
        {"toolbar", pToolBar, false, false},
        {"torn-off page", &page, true, true},
        {"outlook bar", &otherOutlook, true, true},
        {"nothing", nullptr, false, false},
    };
    CKtvPOutlookBar fixedBar;
    fixedBar.SetControlBarStyle(KTVP_CBRS_RESIZE);
    CKtvPOutlookBar resizableBar;
    resizableBar.SetControlBarStyle(KTVP_CBRS_FLOAT | KTVP_CBRS_RESIZE);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.bFixedTakes, (bool)fixedBar.CanAcceptBar(c.pBar));
        EXPECT_EQ(c.bResizableTakes, (bool)resizableBar.CanAcceptBar(c.pBar));
    }
    EXPECT_FALSE(fixedBar.CanDetachTabs());
    EXPECT_TRUE(resizableBar.CanDetachTabs());
}

// Over a fixed bar a dragged pane becomes a page or nothing, never a neighbour.
TEST_F(OutlookBarTest, AFixedBarMakesEveryDropAPage)
{
    PagedOutlookBar* pBar = MakeBar(0, 2);
    EXPECT_FALSE(pBar->CanFloat());
    const CRect rectBar = Rect(pBar);
    CRect rectClient;
    pBar->GetClientRect(rectClient);
    pBar->ClientToScreen(rectClient);
    for (CPoint pt : {rectClient.CenterPoint(), CPoint(rectClient.left + 1, rectClient.top + 1),
                      CPoint(rectClient.right - 2, rectClient.bottom - 2)}) {
        EXPECT_EQ(KTVP_CS_DELAY_DOCK_TO_TAB, pBar->GetDockingStatus(pt, CKtvPDockManager::m_nDockSensitivity));
    }
    // Its own borders, outside the pages, never dock at a side.
    for (int y = rectBar.top; y < rectBar.bottom; y += 7) {
        for (int x = rectBar.left; x < rectBar.right; x += 7) {
            EXPECT_NE(KTVP_CS_DELAY_DOCK, pBar->GetDockingStatus(CPoint(x, y), CKtvPDockManager::m_nDockSensitivity));
        }
    }
}

TEST_F(OutlookBarTest, AResizableBarDocksBesideItsEdgesAndTabsOnItsPageButtons)
{
    PagedOutlookBar* pBar = MakeBar(KTVP_CBRS_FLOAT | KTVP_CBRS_RESIZE, 2);
    ASSERT_TRUE(pBar->IsDocked());
    const CRect rectBar = Rect(pBar);
    const int nSensitivity = CKtvPDockManager::m_nDockSensitivity;
    CRect rectStrip;
    pBar->GetUnderlinedWindow()->GetTabsRect(rectStrip);
    pBar->GetUnderlinedWindow()->ClientToScreen(rectStrip);
    ASSERT_FALSE(rectStrip.IsRectEmpty());
    EXPECT_EQ(KTVP_CS_DELAY_DOCK_TO_TAB, pBar->GetDockingStatus(rectStrip.CenterPoint(), nSensitivity));
    EXPECT_EQ(KTVP_CS_DELAY_DOCK_TO_TAB, pBar->GetDockingStatus(CaptionPoint(pBar), nSensitivity));
    // The page-button area reaches up by the sensitivity.
    EXPECT_EQ(KTVP_CS_DELAY_DOCK_TO_TAB,
              pBar->GetDockingStatus(CPoint(rectStrip.CenterPoint().x, rectStrip.top - nSensitivity + 1), nSensitivity));
    const CPoint ptMiddle(rectBar.CenterPoint().x, rectBar.top + (rectStrip.top - rectBar.top) / 2);
    EXPECT_EQ(KTVP_CS_NOTHING, pBar->GetDockingStatus(ptMiddle, nSensitivity));
    EXPECT_EQ(KTVP_CS_DELAY_DOCK, pBar->GetDockingStatus(CPoint(rectBar.left + 2, ptMiddle.y), nSensitivity));

    // Without a visible page everything becomes a page.
    pBar->GetUnderlinedWindow()->ShowTab(0, FALSE);
    pBar->GetUnderlinedWindow()->ShowTab(1, FALSE);
    EXPECT_EQ(KTVP_CS_DELAY_DOCK_TO_TAB, pBar->GetDockingStatus(ptMiddle, nSensitivity));
}

class OutlookStreamTest : public OutlookBarTest {
protected:
    void SetUp() override
    {
        OutlookBarTest::SetUp();
        names = std::make_unique<tw::test::ScopedAppNames>("Tarnwick", "TarnwickOutlookTest");
    }
    void TearDown() override
    {
        names.reset();
        OutlookBarTest::TearDown();
    }

    static std::string Key(const char* suffix)
    {
        return std::string((LPCTSTR)KtvGetRegPath(CKtvPOutlookBar::m_szSection, nullptr)) + suffix;
    }

    std::unique_ptr<tw::test::ScopedAppNames> names;
};

// The key takes the index and, after an extra letter s, the sub id in
// hexadecimal; the stream holds the page count and the visible page buttons.
TEST_F(OutlookStreamTest, TheStreamGoesUnderTheBarsKey)
{
    PagedOutlookBar* pBar = MakeBar(KTVP_CBRS_FLOAT | KTVP_CBRS_RESIZE, 0);
    struct Case {
        int nIndex;
        UINT uiID;
        const char* suffix;
    };
    for (const Case& c : {Case{2, 5, "sKtvPOutlookBar-25"}, Case{2, 0x1F, "sKtvPOutlookBar-21f"},
                          Case{2, (UINT)-1, "KtvPOutlookBar-2"}, Case{-1, (UINT)-1, "KtvPOutlookBar-40267"}}) {
        SCOPED_TRACE(c.suffix);
        EXPECT_TRUE(pBar->SaveState(nullptr, c.nIndex, c.uiID));
        EXPECT_EQ("00 00 00 00 ff ff ff ff", ktvtest::StoredHex(Key(c.suffix).c_str(), "KtvPOutlookCustomPages"));
    }
}

// Loading: a missing value and a damaged stream fail; the trailing button
// count is read only from streams of 6.71 on, or with no stored version.
TEST_F(OutlookStreamTest, LoadingFollowsTheStoredVersion)
{
    PagedOutlookBar* pBar = MakeBar(KTVP_CBRS_FLOAT | KTVP_CBRS_RESIZE, 0);
    EXPECT_FALSE(pBar->LoadState(nullptr, 9, (UINT)-1));

    const std::string key = Key("KtvPOutlookBar-9");
    ktvtest::StoreHex(key.c_str(), "KtvPOutlookCustomPages", "05 00 00 00 3c");
    EXPECT_FALSE(pBar->LoadState(nullptr, 9, (UINT)-1)) << "a damaged stream";

    CKtvPWorkspace workspace(TRUE);
    struct Case {
        int nMajor;
        int nMinor;
        const char* stream;
        bool bLoads;
    };
    const Case cases[] = {
        {6, 70, "00 00 00 00", true},
        {6, 74, "00 00 00 00 04 00 00 00", true},
        {6, 74, "00 00 00 00", false},
        {-1, -1, "00 00 00 00 04 00 00 00", true},
        {-1, -1, "00 00 00 00", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.nMajor) + "." + std::to_string(c.nMinor) + ": " + c.stream);
        workspace.m_nLoadedVersionMajor = c.nMajor;
        workspace.m_nLoadedVersionMinor = c.nMinor;
        ktvtest::StoreHex(key.c_str(), "KtvPOutlookCustomPages", c.stream);
        EXPECT_EQ(c.bLoads, (bool)pBar->LoadState(nullptr, 9, (UINT)-1));
    }
}

}  // namespace

namespace {

// The first load records the pages in the order the application added them,
// before a stored order moves them; later loads keep that first record.
TEST_F(OutlookStreamTest, TheFirstLoadRecordsTheApplicationsPageOrder)
{
    PagedOutlookBar* pBar = MakeBar(KTVP_CBRS_FLOAT | KTVP_CBRS_RESIZE, 2);
    CKtvPBaseTabWnd* pTabs = pBar->GetUnderlinedWindow();
    const int nFirst = pTabs->GetTabID(0);
    const int nSecond = pTabs->GetTabID(1);
    ASSERT_NE(nFirst, nSecond);
    EXPECT_EQ(pBar->m_arDefaultTabsOrder.GetSize(), 0);

    pBar->LoadState(nullptr, 9, (UINT)-1);
    ASSERT_EQ(pBar->m_arDefaultTabsOrder.GetSize(), 2);
    EXPECT_EQ(pBar->m_arDefaultTabsOrder[0], nFirst);
    EXPECT_EQ(pBar->m_arDefaultTabsOrder[1], nSecond);

    pBar->AddPage(302, "Notes");
    pBar->LoadState(nullptr, 9, (UINT)-1);
    ASSERT_EQ(pBar->m_arDefaultTabsOrder.GetSize(), 2) << "a later load keeps the first record";
    EXPECT_EQ(pBar->m_arDefaultTabsOrder[0], nFirst) << "a later load keeps the first order";
}

}  // namespace
