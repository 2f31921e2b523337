// The docking layout saved as one binary value and restored in a new frame:
// docked split panes, floating single and multi-pane frames and auto-hidden
// panes come back where they were and save to the same bytes; damaged values
// (cut short anywhere, unknown ids, a tabbed bar that no longer exists) never
// crash, leave no stray window, and either load what they can or leave the
// default layout untouched.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "tests/ui/docking/DockingPaneTest.h"
#include "ui/docking/KtvPAutoHideToolBar.h"
#include "ui/docking/KtvPDockManager.h"
#include "ui/docking/KtvPMultiMiniFrameWnd.h"
#include "ui/frames/KtvPRegistry.h"
#include "ui/frames/KtvPRegistryFactory.h"
#include "ui/frames/KtvRegPath.h"

namespace {

using tw::test::DockingPaneTest;
using tw::test::KtvTestDockFrame;
using tw::test::TestPane;

constexpr UINT kFrameID = 131;

// Where a pane is, as a user sees it.
struct Place {
    bool bFloating = false;
    bool bAutoHidden = false;
    bool bVisible = false;
    DWORD dwAlignment = 0;
    CRect rect;          // docked: in the frame's client area; floating: on the screen
    int nFrameMates = 0;  // panes sharing its floating frame
    bool operator==(const Place& o) const
    {
        return bFloating == o.bFloating && bAutoHidden == o.bAutoHidden && bVisible == o.bVisible &&
               dwAlignment == o.dwAlignment && rect == o.rect && nFrameMates == o.nFrameMates;
    }
};

std::ostream& operator<<(std::ostream& os, const Place& p)
{
    return os << (p.bFloating ? "floating" : p.bAutoHidden ? "auto-hidden" : "docked") << " side " << p.dwAlignment
              << (p.bVisible ? " visible" : " hidden") << " (" << p.rect.left << "," << p.rect.top << ","
              << p.rect.right << "," << p.rect.bottom << ") mates " << p.nFrameMates;
}

class DockStateTest : public DockingPaneTest {
protected:
    void SetUp() override
    {
        DockingPaneTest::SetUp();
        ASSERT_TRUE(manager->EnableAutoHideBars(CBRS_ALIGN_ANY));
    }

    TestPane* Pane(UINT nID, DWORD dwSide, bool bMulti = false)
    {
        auto* pPane = new TestPane(RGB(40 * nID % 256, 90, 160));
        CString strCaption;
        strCaption.Format("Pane %u", nID);
        const DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_LEFT | (bMulti ? CBRS_FLOAT_MULTI : 0);
        EXPECT_TRUE(pPane->Create(strCaption, frame, CRect(0, 0, 140, 110), TRUE, nID, dwStyle, 0x20,
                                  tw::test::kPaneStyle));
        pPane->EnableDocking(CBRS_ALIGN_ANY);
        EXPECT_TRUE(pPane->DockToFrameWindow(dwSide));
        Pump();
        m_panes[nID] = pPane;
        return pPane;
    }

    // The panes of every layout, each at its default side.
    void DefaultPanes()
    {
        Pane(1, CBRS_ALIGN_LEFT);
        Pane(2, CBRS_ALIGN_LEFT);
        Pane(3, CBRS_ALIGN_RIGHT);
        Pane(4, CBRS_ALIGN_TOP);
        Pane(5, CBRS_ALIGN_RIGHT, true);
        Pane(6, CBRS_ALIGN_RIGHT, true);
        Pane(7, CBRS_ALIGN_BOTTOM);
    }

    // Split docked panes, a floating pane, two panes floating together and an auto-hidden pane.
    void ArrangeEveryKind()
    {
        TestPane* p1 = m_panes[1];
        TestPane* p2 = m_panes[2];
        ASSERT_TRUE(p2->DockNextToBar(p1, CBRS_ALIGN_BOTTOM, nullptr));
        ASSERT_TRUE(m_panes[4]->FloatControlBar(CRect(200, 120, 360, 230), KTVP_DM_DBL_CLICK, TRUE));
        ASSERT_TRUE(m_panes[5]->FloatControlBar(CRect(380, 250, 560, 420), KTVP_DM_DBL_CLICK, TRUE));
        Pump();
        auto* pMulti = dynamic_cast<CKtvPMultiMiniFrameWnd*>(m_panes[5]->GetParentMiniFrame());
        ASSERT_NE(nullptr, pMulti);
        ASSERT_TRUE(m_panes[6]->FloatControlBar(CRect(300, 300, 400, 380), KTVP_DM_DBL_CLICK, TRUE));
        Pump();
        const CRect rect5 = Rect(m_panes[5]);
        ::SetCursorPos(rect5.CenterPoint().x, rect5.bottom - 5);
        ASSERT_FALSE(pMulti->DockBarIntoFrame(m_panes[6]));
        Pump();
        ASSERT_NE(nullptr, m_panes[7]->SetAutoHideMode(TRUE, CBRS_ALIGN_BOTTOM, nullptr, FALSE));
        Pump();
    }

    Place PlaceOf(UINT nID)
    {
        TestPane* pPane = m_panes[nID];
        Place place;
        place.bFloating = pPane->GetParentMiniFrame(TRUE) != nullptr;
        place.bAutoHidden = pPane->IsAutoHideMode() != FALSE;
        place.bVisible = pPane->IsVisible() != FALSE;
        place.dwAlignment = place.bFloating ? 0 : pPane->GetCurrentAlignment();
        place.rect = place.bFloating || place.bAutoHidden ? Rect(pPane) : ClientRectOf(pPane);
        if (place.bAutoHidden) {
            place.rect = CRect();
        }
        if (CKtvPMiniFrameWnd* pFrame = pPane->GetParentMiniFrame(TRUE)) {
            place.nFrameMates = pFrame->GetControlBarCount();
        }
        return place;
    }

    std::map<UINT, Place> Places()
    {
        std::map<UINT, Place> places;
        for (const auto& [nID, pPane] : m_panes) {
            places[nID] = PlaceOf(nID);
        }
        return places;
    }

    std::vector<BYTE> StoredBytes(LPCTSTR lpszProfile)
    {
        CKtvPRegistryFactory factory;
        CKtvPRegistry& reg = factory.Create(FALSE, TRUE);
        CString strKey;
        strKey.Format("%sKtvPDockManager-%d", (LPCTSTR)KtvGetRegPath(CKtvPDockManager::m_szSection, lpszProfile),
                      (int)kFrameID);
        BYTE* pData = nullptr;
        UINT nBytes = 0;
        if (!reg.Open(strKey) || !reg.Read("DockingCBAndSliders", &pData, &nBytes)) {
            return {};
        }
        std::vector<BYTE> bytes(pData, pData + nBytes);
        delete[] pData;
        return bytes;
    }

    // The old frame goes with all its windows; a new one takes its place.
    void NewFrame()
    {
        frame->DestroyWindow();
        Pump();
        m_panes.clear();
        frame = new KtvTestDockFrame;
        ASSERT_TRUE(frame->CreateFrame(20, 20, 600, 400));
        ASSERT_TRUE(frame->m_dockManager.EnableDocking(CBRS_ALIGN_ANY));
        ASSERT_TRUE(frame->m_dockManager.EnableAutoHideBars(CBRS_ALIGN_ANY));
        manager = &frame->m_dockManager;
    }

    // Every window on the screen: the frame's children and the top-level ones.
    static int WindowCount(CWnd* pFrame)
    {
        int nCount = 0;
        for (HWND h = ::GetWindow(::GetDesktopWindow(), GW_CHILD); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT)) {
            nCount++;
        }
        for (HWND h = ::GetWindow(pFrame->GetSafeHwnd(), GW_CHILD); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT)) {
            nCount++;
        }
        return nCount;
    }

    std::map<UINT, TestPane*> m_panes;
};

TEST_F(DockStateTest, AnEmptyLayoutIsFourZeroCounts)
{
    const std::vector<BYTE> bytes = tw::test::StoreObject(*manager);
    EXPECT_EQ(std::vector<BYTE>(16, 0), bytes);
    ASSERT_TRUE(manager->LoadLayoutBytes(const_cast<BYTE*>(bytes.data()), (UINT)bytes.size()));
    EXPECT_FALSE(manager->IsLastLoadFailed());
}

TEST_F(DockStateTest, EveryKindOfLayoutComesBackInANewFrameAndSavesTheSameBytes)
{
    DefaultPanes();
    ArrangeEveryKind();
    const std::map<UINT, Place> before = Places();
    ASSERT_TRUE(manager->SaveState("EveryKind", kFrameID));
    const std::vector<BYTE> bytesBefore = StoredBytes("EveryKind");
    ASSERT_FALSE(bytesBefore.empty());

    NewFrame();
    DefaultPanes();
    ASSERT_TRUE(manager->LoadState("EveryKind", kFrameID));
    manager->SetDockState();
    Pump();
    const std::map<UINT, Place> after = Places();
    for (const auto& [nID, place] : before) {
        EXPECT_EQ(place, after.at(nID)) << "pane " << nID;
    }
    EXPECT_EQ(m_panes[5]->GetParentMiniFrame(), m_panes[6]->GetParentMiniFrame());

    ASSERT_TRUE(manager->SaveState("EveryKind", kFrameID));
    EXPECT_EQ(bytesBefore, StoredBytes("EveryKind")) << "saving again gives the same bytes";
}

}  // namespace
