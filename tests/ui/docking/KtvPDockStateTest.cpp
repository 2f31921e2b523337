// The docking layout saved as one binary value and restored in a new frame:
// docked split panes, tabbed groups, floating single and multi-pane frames and
// auto-hidden panes come back where they were and save to the same bytes; damaged values
// (cut short anywhere, unknown ids, a tabbed bar that no longer exists) never
// crash, leave no stray window, and either load what they can or leave the
// default layout untouched.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "tests/ui/docking/DockingPaneTest.h"
#include "ui/controls/KtvPBaseTabWnd.h"
#include "ui/docking/KtvPAutoHideDockBar.h"
#include "ui/docking/KtvPAutoHideToolBar.h"
#include "ui/docking/KtvPBaseTabbedBar.h"
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
    int nTabs = 0;        // tabs of the tabbed bar it is a tab of
    bool operator==(const Place& o) const
    {
        return bFloating == o.bFloating && bAutoHidden == o.bAutoHidden && bVisible == o.bVisible &&
               dwAlignment == o.dwAlignment && rect == o.rect && nFrameMates == o.nFrameMates && nTabs == o.nTabs;
    }
};

std::ostream& operator<<(std::ostream& os, const Place& p)
{
    return os << (p.bFloating ? "floating" : p.bAutoHidden ? "auto-hidden" : "docked") << " side " << p.dwAlignment
              << (p.bVisible ? " visible" : " hidden") << " (" << p.rect.left << "," << p.rect.top << ","
              << p.rect.right << "," << p.rect.bottom << ") mates " << p.nFrameMates << " tabs " << p.nTabs;
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
        Pane(8, CBRS_ALIGN_RIGHT);
    }

    // Split docked panes, a floating pane, two panes floating together, an
    // auto-hidden pane and, unless told otherwise, a tabbed pair.
    void ArrangeEveryKind(bool bTabs = true)
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
        if (!bTabs) {
            return;
        }
        m_panes[8]->UndockControlBar(FALSE);
        ASSERT_NE(nullptr, m_panes[8]->AttachToTabbedBar(m_panes[3], KTVP_DM_MOUSE, TRUE));
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
        CWnd* pPlaced = pPane;
        if (CKtvPBaseTabbedBar* pTabbed = pPane->GetParentTabbedBar()) {
            place.nTabs = pTabbed->GetTabsNum();
            pPlaced = pTabbed;
            place.bFloating = pTabbed->GetParentMiniFrame(TRUE) != nullptr;
            place.dwAlignment = pTabbed->GetCurrentAlignment();
        }
        place.rect = place.bFloating || place.bAutoHidden ? Rect(pPlaced) : ClientRectOf(pPlaced);
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

TEST_F(DockStateTest, EveryKindOfLayoutComesBackInANewFrame)
{
    for (bool bTabs : {false, true}) {
        SCOPED_TRACE(bTabs ? "with a tabbed pair" : "without tabs");
        const CString strProfile = bTabs ? "EveryKindTabbed" : "EveryKind";
        DefaultPanes();
        ArrangeEveryKind(bTabs);
        const std::map<UINT, Place> before = Places();
        ASSERT_TRUE(manager->SaveState(strProfile, kFrameID));
        const std::vector<BYTE> bytesBefore = StoredBytes(strProfile);
        ASSERT_FALSE(bytesBefore.empty());

        NewFrame();
        DefaultPanes();
        ASSERT_TRUE(manager->LoadState(strProfile, kFrameID));
        manager->SetDockState();
        Pump();
        const std::map<UINT, Place> after = Places();
        for (const auto& [nID, place] : before) {
            EXPECT_EQ(place, after.at(nID)) << "pane " << nID;
        }
        EXPECT_EQ(m_panes[5]->GetParentMiniFrame(), m_panes[6]->GetParentMiniFrame());
        if (bTabs) {
            EXPECT_EQ(m_panes[3]->GetParentTabbedBar(), m_panes[8]->GetParentTabbedBar());
        }
        ASSERT_TRUE(manager->SaveState(strProfile, kFrameID));
        EXPECT_EQ(bytesBefore, StoredBytes(strProfile)) << "saving again gives the same bytes";
        NewFrame();
    }
}

}  // namespace

namespace {

class DamagedStateTest : public DockStateTest {
protected:
    // The stored bytes of every kind of layout, and a new frame with the panes at their default places.
    std::vector<BYTE> EveryKindThenDefaults(LPCTSTR lpszProfile)
    {
        DefaultPanes();
        ArrangeEveryKind();
        EXPECT_TRUE(manager->SaveState(lpszProfile, kFrameID));
        std::vector<BYTE> bytes = StoredBytes(lpszProfile);
        NewFrame();
        DefaultPanes();
        return bytes;
    }

    static void Append(std::vector<BYTE>& bytes, int n)
    {
        const BYTE* p = reinterpret_cast<const BYTE*>(&n);
        bytes.insert(bytes.end(), p, p + 4);
    }
};

TEST_F(DamagedStateTest, AValueCutShortAnywhereFailsAndLeavesTheDefaultLayout)
{
    const std::vector<BYTE> bytes = EveryKindThenDefaults("CutShort");
    ASSERT_GT(bytes.size(), 100u);
    const std::map<UINT, Place> places = Places();
    const int nWindows = WindowCount(frame);
    for (UINT n = 0; n < bytes.size(); n++) {
        std::vector<BYTE> cut(bytes.begin(), bytes.begin() + n);
        cut.push_back(0);  // the buffer is never empty; only n bytes are given
        ASSERT_FALSE(manager->LoadLayoutBytes(cut.data(), n)) << "cut at " << n;
        EXPECT_TRUE(manager->IsLastLoadFailed());
        manager->SetDockState();
        Pump();
        ASSERT_EQ(nWindows, WindowCount(frame)) << "cut at " << n;
        ASSERT_TRUE(places == Places()) << "cut at " << n;
    }
    // A later good load is applied again.
    ASSERT_TRUE(manager->LoadLayoutBytes(const_cast<BYTE*>(bytes.data()), (UINT)bytes.size()));
    manager->SetDockState();
    Pump();
    EXPECT_TRUE(PlaceOf(7).bAutoHidden);
}

TEST_F(DamagedStateTest, AValueOfOtherPanesLeavesTheDefaultLayoutAndNoStrayWindow)
{
    DefaultPanes();
    ArrangeEveryKind();
    ASSERT_TRUE(manager->SaveState("OtherPanes", kFrameID));
    const std::vector<BYTE> bytes = StoredBytes("OtherPanes");
    NewFrame();
    for (UINT nID : {11u, 12u, 13u}) {
        Pane(nID, nID == 13 ? CBRS_ALIGN_RIGHT : CBRS_ALIGN_LEFT);
    }
    const std::map<UINT, Place> places = Places();
    const int nWindows = WindowCount(frame);
    manager->LoadLayoutBytes(const_cast<BYTE*>(bytes.data()), (UINT)bytes.size());
    manager->SetDockState();
    Pump();
    EXPECT_EQ(nWindows, WindowCount(frame));
    for (const auto& [nID, place] : places) {
        EXPECT_EQ(place, PlaceOf(nID)) << "pane " << nID;
    }
    EXPECT_EQ(0, (int)manager->GetMiniFrames().GetCount());
}

// A tabbed bar of the stored layout that the frame no longer has: its record is
// passed over and the rest of the layout still comes back.
TEST_F(DamagedStateTest, AStoredTabbedBarThatIsGoneIsPassedOver)
{
    std::vector<BYTE> bytes = EveryKindThenDefaults("GoneTabs");
    ASSERT_GE(bytes.size(), 4u);
    std::vector<BYTE> patched;
    Append(patched, 1);     // one tabbed bar
    Append(patched, 4242);  // that no bar answers to
    Append(patched, 2);     // its tab window: two tabs
    for (const char* lpszLabel : {"Gone", "Also gone"}) {
        const BYTE nLength = (BYTE)strlen(lpszLabel);
        patched.push_back(nLength);
        patched.insert(patched.end(), lpszLabel, lpszLabel + nLength);
        for (int nValue : {1, 4243, 1, -1, -1}) {
            Append(patched, nValue);
        }
    }
    Append(patched, 0);  // active tab
    Append(patched, 0);  // location
    patched.insert(patched.end(), bytes.begin() + 4, bytes.end());

    ASSERT_TRUE(manager->LoadLayoutBytes(patched.data(), (UINT)patched.size()));
    manager->SetDockState();
    Pump();
    EXPECT_TRUE(PlaceOf(7).bAutoHidden);
    EXPECT_TRUE(PlaceOf(4).bFloating);
    EXPECT_EQ(m_panes[5]->GetParentMiniFrame(), m_panes[6]->GetParentMiniFrame());
    EXPECT_EQ(m_panes[1]->GetDefaultSlider(), m_panes[2]->GetDefaultSlider());
}

TEST(AutoHideRecordTest, SiblingIdsComeBackReversedWithoutTheEmptyOnes)
{
    KtvAutoHideBarInfo info;
    info.m_nBarID = 7;
    info.m_dwBarAlignment = CBRS_ALIGN_BOTTOM;
    info.m_bIsVisible = TRUE;
    for (UINT nID : {3u, (UINT)-1, 5u, 9u}) {
        info.m_lstSiblingBars.AddTail(nID);
    }
    info.m_rectBar = CRect(1, 2, 3, 4);
    info.m_bFirstInGroup = TRUE;
    info.m_bLastInGroup = FALSE;
    info.m_bActiveInGroup = FALSE;
    const std::vector<BYTE> bytes = tw::test::StoreObject(info);
    EXPECT_EQ(15u * 4, bytes.size());

    KtvAutoHideBarInfo loaded;
    tw::test::LoadObject(loaded, bytes);
    EXPECT_EQ(7, loaded.m_nBarID);
    EXPECT_EQ((DWORD)CBRS_ALIGN_BOTTOM, loaded.m_dwBarAlignment);
    std::vector<UINT> ids;
    for (POSITION pos = loaded.m_lstSiblingBars.GetHeadPosition(); pos != nullptr;) {
        ids.push_back(loaded.m_lstSiblingBars.GetNext(pos));
    }
    EXPECT_EQ((std::vector<UINT>{9, 5, 3}), ids);
    EXPECT_EQ(CRect(1, 2, 3, 4), loaded.m_rectBar);
    EXPECT_TRUE(loaded.m_bFirstInGroup);
    EXPECT_FALSE(loaded.m_bLastInGroup);
    EXPECT_FALSE(loaded.m_bActiveInGroup);
}

}  // namespace

namespace {

// The screen after a restore in a new frame is the screen before: split panes,
// a tabbed pair, a floating frame of two panes, a floating pane and the strip
// with the button of an auto-hidden pane.
TEST_F(DockStateTest, TheRestoredLayoutLooksExactlyAsBefore)
{
    auto settle = [&] {
        // The focus in the frame, and the floating frames told so as at idle time.
        frame->SetFocus();
        manager->SendMessageToMiniFrames(WM_IDLEUPDATECMDUI, TRUE, 0);
        Pump();
        ::RedrawWindow(nullptr, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        Pump();
    };
    DefaultPanes();
    ArrangeEveryKind();
    settle();
    const std::vector<uint32_t> before = tw::test::ScreenPixels();
    ASSERT_TRUE(manager->SaveState("Looks", kFrameID));

    NewFrame();
    DefaultPanes();
    ASSERT_TRUE(manager->LoadState("Looks", kFrameID));
    manager->SetDockState();
    settle();
    const std::vector<uint32_t> after = tw::test::ScreenPixels();
    ASSERT_EQ(before.size(), after.size());
    size_t nDiffering = 0;
    for (size_t i = 0; i < before.size(); i++) {
        nDiffering += before[i] != after[i] ? 1 : 0;
    }
    EXPECT_EQ(0u, nDiffering);
}

}  // namespace

namespace {

// Panes pinned as one group of a tabbed bar come back as one group, and
// unpinned after the restore they are tabs of one bar again.
TEST_F(DockStateTest, AnAutoHiddenGroupComesBackAsOneGroup)
{
    auto pinnedGroup = [&] {
        Pane(1, CBRS_ALIGN_LEFT);
        Pane(2, CBRS_ALIGN_LEFT);
        Pane(3, CBRS_ALIGN_LEFT);
        for (UINT nID : {2u, 3u}) {
            m_panes[nID]->UndockControlBar(FALSE);
            EXPECT_NE(nullptr, m_panes[nID]->AttachToTabbedBar(m_panes[1], KTVP_DM_MOUSE, TRUE));
        }
        Pump();
    };
    pinnedGroup();
    CKtvPBaseTabbedBar* pTabbed = m_panes[1]->GetParentTabbedBar();
    ASSERT_NE(nullptr, pTabbed);
    ClickCaptionButton(pTabbed, KTVP_HTPIN);
    frame->SetFocus();
    Pump();
    auto groupFlags = [&] {
        std::vector<int> flags;
        for (UINT nID : {1u, 2u, 3u}) {
            CKtvPAutoHideToolBar* pToolBar = m_panes[nID]->GetAutoHideToolBar();
            EXPECT_NE(nullptr, pToolBar);
            if (pToolBar != nullptr) {
                flags.push_back(pToolBar->IsFirstInGroup() * 4 + pToolBar->IsLastInGroup() * 2 +
                                pToolBar->IsActiveInGroup());
            }
        }
        return flags;
    };
    const std::vector<int> flagsBefore = groupFlags();
    ASSERT_EQ(3u, flagsBefore.size());
    ASSERT_TRUE(manager->SaveState("PinnedGroup", kFrameID));

    NewFrame();
    Pane(1, CBRS_ALIGN_LEFT);
    Pane(2, CBRS_ALIGN_RIGHT);
    Pane(3, CBRS_ALIGN_TOP);
    ASSERT_TRUE(manager->LoadState("PinnedGroup", kFrameID));
    manager->SetDockState();
    frame->SetFocus();
    Pump();
    for (UINT nID : {1u, 2u, 3u}) {
        EXPECT_TRUE(m_panes[nID]->IsAutoHideMode()) << "pane " << nID;
        EXPECT_EQ((DWORD)CBRS_ALIGN_LEFT, m_panes[nID]->GetCurrentAlignment()) << "pane " << nID;
    }
    EXPECT_EQ(flagsBefore, groupFlags());

    auto* pStrip = dynamic_cast<CKtvPAutoHideDockBar*>(manager->FindDockBar(CBRS_ALIGN_LEFT, FALSE));
    ASSERT_NE(nullptr, pStrip);
    pStrip->UnSetAutoHideMode(nullptr);
    Pump();
    CKtvPBaseTabbedBar* pBack = m_panes[1]->GetParentTabbedBar();
    ASSERT_NE(nullptr, pBack);
    EXPECT_EQ(pBack, m_panes[2]->GetParentTabbedBar());
    EXPECT_EQ(pBack, m_panes[3]->GetParentTabbedBar());
    EXPECT_EQ(3, pBack->GetTabsNum());
}

}  // namespace

namespace {

// A floating frame of several panes, one place of it a tabbed pair, comes back
// whole: the same panes and split, the same active tab, and the same bytes when
// saved again.
TEST_F(DockStateTest, AFloatingFrameWithATabbedPairComesBackWhole)
{
    auto panes = [&] {
        Pane(5, CBRS_ALIGN_RIGHT, true);
        Pane(6, CBRS_ALIGN_RIGHT, true);
        Pane(9, CBRS_ALIGN_LEFT, true);
    };
    panes();
    ASSERT_TRUE(m_panes[5]->FloatControlBar(CRect(300, 150, 480, 330), KTVP_DM_DBL_CLICK, TRUE));
    ASSERT_TRUE(m_panes[6]->FloatControlBar(CRect(100, 300, 200, 380), KTVP_DM_DBL_CLICK, TRUE));
    Pump();
    auto* pMulti = dynamic_cast<CKtvPMultiMiniFrameWnd*>(m_panes[5]->GetParentMiniFrame());
    ASSERT_NE(nullptr, pMulti);
    const CRect rect5 = Rect(m_panes[5]);
    ::SetCursorPos(rect5.right - 5, rect5.CenterPoint().y);
    ASSERT_FALSE(pMulti->DockBarIntoFrame(m_panes[6]));
    Pump();
    m_panes[9]->UndockControlBar(FALSE);
    ASSERT_NE(nullptr, m_panes[9]->AttachToTabbedBar(m_panes[6], KTVP_DM_MOUSE, TRUE));
    Pump();
    ASSERT_EQ(pMulti, m_panes[9]->GetParentTabbedBar()->GetParentMiniFrame());
    const CRect rectFrame = Rect(pMulti);
    const bool bFiveLeft = Rect(m_panes[5]).right <= Rect(m_panes[6]->GetParentTabbedBar()).left;
    const CRect rect5Before = Rect(m_panes[5]);
    const CRect rectTabsBefore = Rect(m_panes[6]->GetParentTabbedBar());
    ASSERT_TRUE(manager->SaveState("FloatingTabs", kFrameID));
    const std::vector<BYTE> bytesBefore = StoredBytes("FloatingTabs");

    NewFrame();
    panes();
    ASSERT_TRUE(manager->LoadState("FloatingTabs", kFrameID));
    manager->SetDockState();
    Pump();
    CKtvPBaseTabbedBar* pTabbed = m_panes[9]->GetParentTabbedBar();
    ASSERT_NE(nullptr, pTabbed);
    EXPECT_EQ(pTabbed, m_panes[6]->GetParentTabbedBar());
    CKtvPMiniFrameWnd* pFrame = m_panes[5]->GetParentMiniFrame();
    ASSERT_NE(nullptr, pFrame);
    EXPECT_EQ(pFrame, pTabbed->GetParentMiniFrame());
    EXPECT_EQ(2, pTabbed->GetTabsNum());
    EXPECT_EQ(2, pFrame->GetControlBarCount());
    EXPECT_EQ(rectFrame, Rect(pFrame));
    EXPECT_EQ(bFiveLeft, Rect(m_panes[5]).right <= Rect(pTabbed).left) << "the split keeps its sides";
    EXPECT_EQ(1, (int)manager->GetMiniFrames().GetCount());
    EXPECT_EQ(rect5Before, Rect(m_panes[5])) << "the split keeps its proportions";
    EXPECT_EQ(rectTabsBefore, Rect(pTabbed));
    EXPECT_EQ(1, pTabbed->GetUnderlinedWindow()->GetActiveTab()) << "the last attached tab stays active";
    ASSERT_TRUE(manager->SaveState("FloatingTabs", kFrameID));
    EXPECT_EQ(bytesBefore, StoredBytes("FloatingTabs")) << "saving again gives the same bytes";
}

}  // namespace

namespace {

// Two panes of the program share one control id; a layout with both, one of
// them floating, still saves, loads and applies, and neither pane is lost.
TEST_F(DockStateTest, TwoPanesSharingAnIdStillLoadTheirLayout)
{
    constexpr UINT kSharedID = 40267;
    auto twoPanes = [&] {
        std::vector<TestPane*> panes;
        for (DWORD dwSide : {(DWORD)CBRS_ALIGN_LEFT, (DWORD)CBRS_ALIGN_RIGHT}) {
            auto* pPane = new TestPane(RGB(90, 90, 160));
            EXPECT_TRUE(pPane->Create("Shared", frame, CRect(0, 0, 140, 110), TRUE, kSharedID,
                                      WS_CHILD | WS_VISIBLE | CBRS_LEFT, 0x20, tw::test::kPaneStyle));
            pPane->EnableDocking(CBRS_ALIGN_ANY);
            EXPECT_TRUE(pPane->DockToFrameWindow(dwSide));
            panes.push_back(pPane);
        }
        Pump();
        return panes;
    };
    std::vector<TestPane*> panes = twoPanes();
    ASSERT_TRUE(panes[1]->FloatControlBar(CRect(250, 150, 400, 280), KTVP_DM_DBL_CLICK, TRUE));
    Pump();
    ASSERT_TRUE(manager->SaveState("SharedId", kFrameID));

    NewFrame();
    panes = twoPanes();
    const int nWindowsBefore = WindowCount(frame);
    ASSERT_TRUE(manager->LoadState("SharedId", kFrameID));
    EXPECT_FALSE(manager->IsLastLoadFailed());
    manager->SetDockState();
    Pump();
    int nFloating = 0;
    for (TestPane* pPane : panes) {
        ASSERT_TRUE(::IsWindow(pPane->GetSafeHwnd()));
        EXPECT_TRUE(pPane->IsVisible());
        nFloating += pPane->GetParentMiniFrame(TRUE) != nullptr ? 1 : 0;
    }
    EXPECT_EQ(nFloating, 1) << "one of the two floats, as one did";
    EXPECT_LE(WindowCount(frame), nWindowsBefore + 1) << "at most the floating frame is new";
}

}  // namespace
