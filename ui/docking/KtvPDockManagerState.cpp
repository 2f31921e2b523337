// The docking layout: saved as one binary value per frame, read into pending
// objects, then applied to the live bars.
#include <cstdlib>
#include <memory>

#include "platform/mfc/CArchive.h"
#include "platform/mfc/CException.h"
#include "platform/mfc/CFrameWnd.h"
#include "platform/mfc/CMemFile.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/controls/KtvPBaseTabWnd.h"
#include "ui/docking/KtvPAutoHideToolBar.h"
#include "ui/docking/KtvPBarContainer.h"
#include "ui/docking/KtvPBarContainerManager.h"
#include "ui/docking/KtvPBaseTabbedBar.h"
#include "ui/docking/KtvPDockBar.h"
#include "ui/docking/KtvPDockBarRow.h"
#include "ui/docking/KtvPDockManager.h"
#include "ui/docking/KtvPDockingControlBar.h"
#include "ui/docking/KtvPLayoutSteps.h"
#include "ui/docking/KtvPMiniFrameWnd.h"
#include "ui/docking/KtvPMultiMiniFrameWnd.h"
#include "ui/docking/KtvPSlider.h"
#include "ui/frames/KtvPRegistry.h"
#include "ui/frames/KtvRegPath.h"

KtvAutoHideBarInfo::KtvAutoHideBarInfo()
    : m_nBarID(-1),
      m_dwBarAlignment(0),
      m_bIsVisible(FALSE),
      m_bFirstInGroup(TRUE),
      m_bLastInGroup(TRUE),
      m_bActiveInGroup(TRUE),
      m_pSavedBar(nullptr)
{
}

KtvAutoHideBarInfo::KtvAutoHideBarInfo(const KtvAutoHideBarInfo& src) : CObject()
{
    *this = src;
}

KtvAutoHideBarInfo& KtvAutoHideBarInfo::operator=(const KtvAutoHideBarInfo& src)
{
    if (this == &src)
        return *this;
    m_nBarID = src.m_nBarID;
    m_dwBarAlignment = src.m_dwBarAlignment;
    m_bIsVisible = src.m_bIsVisible;
    m_lstSiblingBars.RemoveAll();
    m_lstSiblingBars.AddTail(const_cast<CList<UINT, UINT>*>(&src.m_lstSiblingBars));
    m_rectBar = src.m_rectBar;
    m_bFirstInGroup = src.m_bFirstInGroup;
    m_bLastInGroup = src.m_bLastInGroup;
    m_bActiveInGroup = src.m_bActiveInGroup;
    m_pSavedBar = src.m_pSavedBar;
    return *this;
}

KtvAutoHideBarInfo::~KtvAutoHideBarInfo() = default;

void KtvAutoHideBarInfo::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_nBarID << (int)m_dwBarAlignment << (int)m_bIsVisible << (int)m_lstSiblingBars.GetCount();
        for (POSITION pos = m_lstSiblingBars.GetHeadPosition(); pos != nullptr;) {
            ar << (int)m_lstSiblingBars.GetNext(pos);
        }
        ar << m_rectBar.left << m_rectBar.top << m_rectBar.right << m_rectBar.bottom;
        ar << (int)m_bFirstInGroup << (int)m_bLastInGroup << (int)m_bActiveInGroup;
        return;
    }
    int nAlignment = 0;
    int nVisible = 0;
    int nSiblings = 0;
    ar >> m_nBarID >> nAlignment >> nVisible >> nSiblings;
    m_dwBarAlignment = (DWORD)nAlignment;
    m_bIsVisible = nVisible;
    if (nSiblings < 0) {
        AfxThrowArchiveException(CArchiveException::badIndex);
    }
    m_lstSiblingBars.RemoveAll();
    for (int i = 0; i < nSiblings; i++) {
        int nID = 0;
        ar >> nID;
        if (nID != -1) {
            m_lstSiblingBars.AddHead((UINT)nID);
        }
    }
    ar >> m_rectBar.left >> m_rectBar.top >> m_rectBar.right >> m_rectBar.bottom;
    int nFirst = 1;
    int nLast = 1;
    int nActive = 1;
    ar >> nFirst >> nLast >> nActive;
    m_bFirstInGroup = nFirst;
    m_bLastInGroup = nLast;
    m_bActiveInGroup = nActive;
}

using ktvlayout::AsDockingBar;
using ktvlayout::LeaveAutoHide;
using ktvlayout::TakeOutOfTabbedBar;

namespace {

BOOL HasOwnID(const CWnd* pWnd)
{
    const int nID = pWnd->GetDlgCtrlID();
    return nID != -1 && (UINT)nID != 0xFFFF;
}

// The bars that keep their own settings beside the layout: panes and control
// bars other than toolbars (the workspace saves those).
BOOL KeepsOwnState(CObject* pObject)
{
    return pObject->IsKindOf(RUNTIME_CLASS(CKtvPDockingControlBar)) ||
           (pObject->IsKindOf(RUNTIME_CLASS(CKtvPControlBar)) && !pObject->IsKindOf(RUNTIME_CLASS(CKtvPToolBar)));
}

template <class Call>
void ForEachBarKeepingOwnState(const CObList& lstBars, Call call)
{
    for (POSITION pos = lstBars.GetHeadPosition(); pos != nullptr;) {
        CObject* pObject = lstBars.GetNext(pos);
        if (KeepsOwnState(pObject)) {
            call(static_cast<CKtvPControlBar*>(pObject));
        }
    }
}

CString LayoutKey(LPCTSTR lpszProfileName, UINT uiID)
{
    const CString strBase = KtvGetRegPath(CKtvPDockManager::m_szSection, lpszProfileName);
    CString strKey;
    strKey.Format("%sKtvPDockManager-%d", (LPCTSTR)strBase, (int)uiID);
    return strKey;
}

// A tab window's record read and dropped: its stored tabbed bar is gone, the
// rest of the layout still follows it.
void SkipTabWindowRecord(CArchive& ar)
{
    int nTabs = 0;
    ar >> nTabs;
    if (nTabs < 0) {
        AfxThrowArchiveException(CArchiveException::badIndex);
    }
    for (int i = 0; i < nTabs; i++) {
        CString strLabel;
        int nValue = 0;
        ar >> strLabel;
        for (int j = 0; j < 5; j++) {
            ar >> nValue;
        }
    }
    int nActive = 0;
    int nLocation = 0;
    ar >> nActive >> nLocation;
}

// The record of one auto-hidden bar, from the bar and the toolbar that shows its button.
void FillAutoHideRecord(KtvAutoHideBarInfo& info, CKtvPDockingControlBar* pBar)
{
    info.m_nBarID = pBar->GetDlgCtrlID();
    info.m_dwBarAlignment = pBar->GetCurrentAlignment();
    info.m_bIsVisible = CKtvPDockingControlBar::m_bHideInAutoHideMode ? pBar->IsVisible() : TRUE;
    pBar->GetWindowRect(info.m_rectBar);
    if (info.m_rectBar.IsRectEmpty()) {
        info.m_rectBar = pBar->GetRecentDockInfo().GetLayoutRect(TRUE);
    }
    CKtvPAutoHideToolBar* pToolBar = pBar->GetAutoHideToolBar();
    if (pToolBar == nullptr) {
        return;
    }
    info.m_bFirstInGroup = pToolBar->IsFirstInGroup();
    info.m_bLastInGroup = pToolBar->IsLastInGroup();
    info.m_bActiveInGroup = pToolBar->IsActiveInGroup();
    CKtvPDockBar* pStrip = pToolBar->GetParentDockBar();
    CKtvPDockBarRow* pRow = pStrip != nullptr ? pStrip->FindRowOfBar(pToolBar) : nullptr;
    if (pRow == nullptr || (info.m_bFirstInGroup && info.m_bLastInGroup)) {
        return;
    }
    CObList lstGroup;
    pRow->GetGroupBars(pToolBar, lstGroup);
    for (POSITION pos = lstGroup.GetHeadPosition(); pos != nullptr;) {
        auto* pOther = dynamic_cast<CKtvPAutoHideToolBar*>(lstGroup.GetNext(pos));
        CKtvPDockingControlBar* pSibling = pOther != nullptr ? pOther->GetFirstAttachedBar() : nullptr;
        if (pSibling != nullptr && pSibling != pBar) {
            info.m_lstSiblingBars.AddTail((UINT)pSibling->GetDlgCtrlID());
        }
    }
}

void DeleteRecords(CObList& lst)
{
    while (!lst.IsEmpty()) {
        delete static_cast<KtvAutoHideBarInfo*>(lst.RemoveHead());
    }
}

}  // namespace

// --- the archive ----------------------------------------------------------------------------------------

void CKtvPDockManager::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        StoreLayout(ar);
    } else {
        LoadLayout(ar);
    }
}

void CKtvPDockManager::StoreLayout(CArchive& ar)
{
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        CObject* pObject = m_lstControlBars.GetNext(pos);  // the walk goes on from the neighbour
        auto* pTabbed = dynamic_cast<CKtvPBaseTabbedBar*>(pObject);
        if (pTabbed != nullptr && pTabbed->GetTabsNum() == 0 && pTabbed->CanFloat()) {
            pTabbed->UndockControlBar(TRUE);
        }
    }
    for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != nullptr;) {
        static_cast<CKtvPMiniFrameWnd*>(m_lstMiniFrames.GetNext(pos))->CheckControlBarValid();
    }

    CObList lstTabbed;
    CObList lstDocked;  // from the tail
    for (POSITION pos = m_lstControlBars.GetTailPosition(); pos != nullptr;) {
        CObject* pObject = m_lstControlBars.GetPrev(pos);
        if (auto* pSlider = dynamic_cast<CKtvPSlider*>(pObject)) {
            if (pSlider->HasFloatableBar()) {
                lstDocked.AddTail(pSlider);
            }
            continue;
        }
        auto* pBar = AsDockingBar(pObject);
        if (pBar == nullptr) {
            continue;
        }
        if (pBar->CanFloat()) {
            lstDocked.AddTail(pBar);
        } else if (pBar->IsKindOf(RUNTIME_CLASS(CKtvPBaseTabbedBar))) {
            lstTabbed.AddHead(pBar);
        }
    }

    ar << (int)lstTabbed.GetCount();
    for (POSITION pos = lstTabbed.GetHeadPosition(); pos != nullptr;) {
        auto* pTabbed = static_cast<CKtvPBaseTabbedBar*>(lstTabbed.GetNext(pos));
        ar << (int)pTabbed->GetDlgCtrlID();
        pTabbed->SerializeTabWindow(ar);
    }

    ar << (int)lstDocked.GetCount();
    for (POSITION pos = lstDocked.GetHeadPosition(); pos != nullptr;) {
        CObject* pObject = lstDocked.GetNext(pos);
        if (auto* pSlider = dynamic_cast<CKtvPSlider*>(pObject)) {
            ar << (int)0;
            pSlider->Serialize(ar);
            continue;
        }
        auto* pBar = static_cast<CKtvPDockingControlBar*>(pObject);
        ar << (int)1;
        if (HasOwnID(pBar) || !pBar->IsKindOf(RUNTIME_CLASS(CKtvPBaseTabbedBar))) {
            ar << (int)pBar->GetDlgCtrlID();
            continue;
        }
        int iTab = 0;
        CWnd* pTab = static_cast<CKtvPBaseTabbedBar*>(pBar)->GetFirstVisibleTab(iTab);
        ar << (int)-1 << (int)(pTab != nullptr ? pTab->GetDlgCtrlID() : 0);
    }

    CObList lstFrames;
    for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != nullptr;) {
        auto* pFrame = static_cast<CKtvPMiniFrameWnd*>(m_lstMiniFrames.GetNext(pos));
        if (pFrame->GetControlBarCount() > 0) {
            lstFrames.AddTail(pFrame);
        }
    }
    ar << (int)lstFrames.GetCount();
    for (POSITION pos = lstFrames.GetHeadPosition(); pos != nullptr;) {
        ar.WriteObject(lstFrames.GetNext(pos));
    }

    // The count is the number of records that follow, so the reader never runs past them.
    CObList lstAutoHidden;
    for (POSITION pos = m_lstAutoHideSliders.GetHeadPosition(); pos != nullptr;) {
        auto* pSlider = static_cast<CKtvPSlider*>(m_lstAutoHideSliders.GetNext(pos));
        if (CKtvPDockingControlBar* pBar = AsDockingBar(pSlider->GetFirstControlBar())) {
            lstAutoHidden.AddTail(pBar);
        }
    }
    ar << (int)lstAutoHidden.GetCount();
    for (POSITION pos = lstAutoHidden.GetHeadPosition(); pos != nullptr;) {
        KtvAutoHideBarInfo info;
        FillAutoHideRecord(info, static_cast<CKtvPDockingControlBar*>(lstAutoHidden.GetNext(pos)));
        info.Serialize(ar);
    }
}

void CKtvPDockManager::LoadLayout(CArchive& ar)
{
    m_lstPendingBars.RemoveAll();
    m_lstPendingTabbedBars.RemoveAll();
    m_lstPendingMiniFrames.RemoveAll();
    DeleteRecords(m_lstPendingAutoHideRecords);

    int nTabbed = 0;
    ar >> nTabbed;
    for (int i = 0; i < nTabbed; i++) {
        int nID = 0;
        ar >> nID;
        auto* pTabbed = dynamic_cast<CKtvPBaseTabbedBar*>(FindBarByID((UINT)nID, TRUE));
        if (pTabbed == nullptr) {
            SkipTabWindowRecord(ar);
            continue;
        }
        pTabbed->SerializeTabWindow(ar);
        m_lstPendingTabbedBars.AddTail(pTabbed);
    }

    int nDocked = 0;
    ar >> nDocked;
    CKtvPSlider* pCurrentSlider = nullptr;
    CList<UINT, UINT> lstPendingIDs;
    for (int i = 0; i < nDocked; i++) {
        int nKind = 0;
        ar >> nKind;
        if (nKind == 0) {
            auto* pSlider = new CKtvPSlider(TRUE, m_pParentWnd);
            m_lstPendingBars.AddHead(pSlider);  // listed first, so a failed read still takes it away
            pSlider->Serialize(ar);
            pCurrentSlider = pSlider;
            for (POSITION pos = lstPendingIDs.GetHeadPosition(); pos != nullptr;) {
                const POSITION posID = pos;
                const UINT nID = lstPendingIDs.GetNext(pos);
                if (CKtvPDockingControlBar* pBar = AsDockingBar(pSlider->FindControlBarByID(nID))) {
                    BindLoadedBar(pBar, pSlider);
                    lstPendingIDs.RemoveAt(posID);
                }
            }
            continue;
        }
        if (nKind != 1) {
            AfxThrowArchiveException(CArchiveException::badIndex);
        }
        int nID = 0;
        ar >> nID;
        CKtvPDockingControlBar* pBar = nullptr;
        if (nID == -1) {
            ar >> nID;
            pBar = pCurrentSlider != nullptr ? AsDockingBar(pCurrentSlider->FindControlBarByID((UINT)nID)) : nullptr;
        } else {
            pBar = AsDockingBar(FindBarByID((UINT)nID, TRUE));
        }
        if (pBar != nullptr && pCurrentSlider != nullptr) {
            BindLoadedBar(pBar, pCurrentSlider);
        } else {
            lstPendingIDs.AddTail((UINT)nID);
        }
    }

    int nFrames = 0;
    ar >> nFrames;
    CWnd* pParentBefore = CKtvPMiniFrameWnd::m_pParentForLoad;
    CKtvPMiniFrameWnd::m_pParentForLoad = m_pParentWnd;
    try {
        for (int i = 0; i < nFrames; i++) {
            m_lstPendingMiniFrames.AddTail(ar.ReadObject(RUNTIME_CLASS(CKtvPMiniFrameWnd)));
        }
    } catch (...) {
        CKtvPMiniFrameWnd::m_pParentForLoad = pParentBefore;
        throw;
    }
    CKtvPMiniFrameWnd::m_pParentForLoad = pParentBefore;

    int nRecords = 0;
    ar >> nRecords;
    for (int i = 0; i < nRecords; i++) {
        auto record = std::make_unique<KtvAutoHideBarInfo>();
        record->Serialize(ar);
        m_lstPendingAutoHideRecords.AddTail(record.release());
    }
}

// A stored bar found while loading is listed with the sliders. Nothing of the live
// bar changes before the layout is applied, so a load that fails leaves it as it was:
// it leaves auto-hide and takes its slider and side then.
void CKtvPDockManager::BindLoadedBar(CKtvPDockingControlBar* pBar, CKtvPSlider*)
{
    if (m_lstPendingBars.Find(pBar) == nullptr) {
        m_lstPendingBars.AddHead(pBar);
    }
}

// --- saving and loading ---------------------------------------------------------------------------------

BOOL CKtvPDockManager::SaveState(LPCTSTR lpszProfileName, UINT uiID)
{
    ForEachBarKeepingOwnState(m_lstControlBars,
                              [&](CKtvPControlBar* pBar) { pBar->SaveState(lpszProfileName, -1, (UINT)-1); });
    for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != nullptr;) {
        static_cast<CKtvPMiniFrameWnd*>(m_lstMiniFrames.GetNext(pos))->SaveState(lpszProfileName, (UINT)-1);
    }
    try {
        CMemFile file(1024);
        {
            CArchive ar(&file, CArchive::store, 4096);
            Serialize(ar);
            ar.Close();
        }
        const UINT nBytes = (UINT)file.GetLength();
        BYTE* pData = file.Detach();
        CKtvPRegistryFactory factory;
        CKtvPRegistry& reg = factory.Create(FALSE, FALSE);
        const BOOL bResult = reg.CreateKey(LayoutKey(lpszProfileName, uiID)) &&
                             reg.Write("DockingCBAndSliders", pData, nBytes);
        std::free(pData);
        return bResult;
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
}

BOOL CKtvPDockManager::LoadState(LPCTSTR lpszProfileName, UINT uiID)
{
    ForEachBarKeepingOwnState(m_lstControlBars,
                              [&](CKtvPControlBar* pBar) { pBar->LoadState(lpszProfileName, -1, (UINT)-1); });
    for (POSITION pos = m_lstAutoHideSliders.GetHeadPosition(); pos != nullptr;) {
        auto* pSlider = static_cast<CKtvPSlider*>(m_lstAutoHideSliders.GetNext(pos));
        if (CKtvPDockingControlBar* pBar = AsDockingBar(pSlider->GetFirstControlBar())) {
            pBar->LoadState(lpszProfileName, -1, (UINT)-1);
        }
    }
    for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != nullptr;) {
        static_cast<CKtvPMiniFrameWnd*>(m_lstMiniFrames.GetNext(pos))->LoadState(lpszProfileName, (UINT)-1);
    }

    BYTE* pData = nullptr;
    UINT nBytes = 0;
    {
        CKtvPRegistryFactory factory;
        CKtvPRegistry& reg = factory.Create(FALSE, TRUE);
        if (!reg.Open(LayoutKey(lpszProfileName, uiID)) || !reg.Read("DockingCBAndSliders", &pData, &nBytes)) {
            return FALSE;
        }
    }
    const std::unique_ptr<BYTE[]> data(pData);
    return LoadLayoutBytes(data.get(), nBytes);
}

// Reads a stored layout into the pending lists. Whatever goes wrong, the windows
// the reading made are destroyed and the live layout is left as it was.
BOOL CKtvPDockManager::LoadLayoutBytes(BYTE* pData, UINT nBytes)
{
    CObList lstFramesBefore;
    lstFramesBefore.AddTail(&m_lstMiniFrames);
    CList<HWND, HWND> lstChildrenBefore;
    if (m_pParentWnd != nullptr) {
        for (HWND h = ::GetWindow(m_pParentWnd->GetSafeHwnd(), GW_CHILD); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT)) {
            lstChildrenBefore.AddTail(h);
        }
    }
    try {
        CMemFile file(pData, nBytes);
        CArchive ar(&file, CArchive::load, 4096);
        Serialize(ar);
        m_bLastLoadFailed = FALSE;
        return TRUE;
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    DiscardFailedLoad(lstFramesBefore, lstChildrenBefore);
    return FALSE;
}

void CKtvPDockManager::DiscardFailedLoad(const CObList& lstFramesBefore, const CList<HWND, HWND>& lstChildrenBefore)
{
    for (POSITION pos = m_lstPendingBars.GetHeadPosition(); pos != nullptr;) {
        CObject* pObject = m_lstPendingBars.GetNext(pos);
        if (auto* pSlider = dynamic_cast<CKtvPSlider*>(pObject)) {
            if (pSlider->GetSafeHwnd() != nullptr) {
                pSlider->DestroyWindow();
            } else {
                delete pSlider;
            }
        } else if (auto* pBar = dynamic_cast<CKtvPBaseControlBar*>(pObject)) {
            pBar->SetRestoredFromRegistry(FALSE);
        }
    }
    m_lstPendingBars.RemoveAll();
    m_lstPendingTabbedBars.RemoveAll();
    m_lstPendingMiniFrames.RemoveAll();
    DeleteRecords(m_lstPendingAutoHideRecords);
    // Inner sliders and tabbed bars of a stored layout are children of the frame too.
    if (m_pParentWnd != nullptr) {
        CList<HWND, HWND> lstStray;
        for (HWND h = ::GetWindow(m_pParentWnd->GetSafeHwnd(), GW_CHILD); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT)) {
            CWnd* pChild = CWnd::FromHandlePermanent(h);
            if (lstChildrenBefore.Find(h) == nullptr && (dynamic_cast<CKtvPSlider*>(pChild) != nullptr ||
                                                         dynamic_cast<CKtvPBaseTabbedBar*>(pChild) != nullptr)) {
                lstStray.AddTail(h);
            }
        }
        for (POSITION pos = lstStray.GetHeadPosition(); pos != nullptr;) {
            const HWND h = lstStray.GetNext(pos);
            if (::IsWindow(h)) {
                ::DestroyWindow(h);
            }
        }
    }
    CObList lstNewFrames;
    for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != nullptr;) {
        CObject* pFrame = m_lstMiniFrames.GetNext(pos);
        if (lstFramesBefore.Find(pFrame) == nullptr) {
            lstNewFrames.AddTail(pFrame);
        }
    }
    for (POSITION pos = lstNewFrames.GetHeadPosition(); pos != nullptr;) {
        static_cast<CWnd*>(lstNewFrames.GetNext(pos))->DestroyWindow();
    }
    m_bLastLoadFailed = TRUE;
}

// --- applying -------------------------------------------------------------------------------------------

void CKtvPDockManager::SetDockState()
{
    if (m_bLastLoadFailed) {
        return;
    }
    if (m_lstPendingBars.IsEmpty() && m_lstPendingTabbedBars.IsEmpty() && m_lstPendingMiniFrames.IsEmpty() &&
        m_lstPendingAutoHideRecords.IsEmpty() && m_lstControlBars.IsEmpty()) {
        return;
    }
    const BOOL bRestoringBefore = g_bKtvRestoringDockState;
    g_bKtvRestoringDockState = TRUE;

    UnpinLiveAutoHiddenBars();
    BindPendingBarsToSliders();
    for (POSITION pos = m_lstPendingMiniFrames.GetHeadPosition(); pos != nullptr;) {
        auto* pFrame = static_cast<CKtvPMiniFrameWnd*>(m_lstPendingMiniFrames.GetNext(pos));
        const HWND hFrame = pFrame->GetSafeHwnd();
        pFrame->SetWindowPos(nullptr, 0, 0, 0, 0,
                             SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        if (::IsWindow(hFrame)) {
            pFrame->SetDockState(this);
        }
    }
    RestoreToolbarLikeBars();
    // From here until the auto-hidden panes are on their strips the docked layout
    // is laid out once, at the end: panes passing through the frame's edges on
    // their way to the strips would otherwise squeeze and regrow it, and its
    // splits would move by rounding.
    const BOOL bAdjustBefore = m_bEnableAdjustLayout;
    m_bEnableAdjustLayout = FALSE;
    PlacePendingBars();
    for (POSITION pos = m_lstPendingBars.GetHeadPosition(); pos != nullptr;) {
        m_lstControlBars.AddTail(m_lstPendingBars.GetNext(pos));
    }
    ApplyAutoHideRecords();
    m_bEnableAdjustLayout = bAdjustBefore;
    AdjustDockingLayout(nullptr);
    for (POSITION pos = m_lstPendingTabbedBars.GetHeadPosition(); pos != nullptr;) {
        auto* pTabbed = static_cast<CKtvPBaseTabbedBar*>(m_lstPendingTabbedBars.GetNext(pos));
        if (CKtvPBaseTabWnd* pTabWnd = pTabbed->GetUnderlinedWindow()) {
            pTabWnd->ApplySavedTabState(TRUE);
        }
    }
    RemoveEmptyLeftovers();
    RecalcLayout(TRUE);
    m_lstPendingBars.RemoveAll();
    m_lstPendingMiniFrames.RemoveAll();
    m_lstPendingTabbedBars.RemoveAll();
    g_bKtvRestoringDockState = bRestoringBefore;
}

void CKtvPDockManager::UnpinLiveAutoHiddenBars()
{
    CObList lstBars;
    for (POSITION pos = m_lstAutoHideSliders.GetHeadPosition(); pos != nullptr;) {
        auto* pSlider = static_cast<CKtvPSlider*>(m_lstAutoHideSliders.GetNext(pos));
        CKtvPDockingControlBar* pBar = AsDockingBar(pSlider->GetFirstControlBar());
        if (pBar != nullptr && pBar->IsAutoHideMode() && pBar->GetAutoHideToolBar() != nullptr &&
            pBar->GetAutoHideToolBar()->IsFirstInGroup()) {
            lstBars.AddTail(pBar);
        }
    }
    for (POSITION pos = lstBars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKtvPDockingControlBar*>(lstBars.GetNext(pos));
        if (pBar->IsAutoHideMode()) {
            pBar->SetAutoHideMode(FALSE, CBRS_ALIGN_ANY, nullptr, TRUE);
        }
    }
}

// Each loaded bar takes the loaded slider whose layout holds it.
void CKtvPDockManager::BindPendingBarsToSliders()
{
    for (POSITION pos = m_lstPendingBars.GetHeadPosition(); pos != nullptr;) {
        CKtvPDockingControlBar* pBar = AsDockingBar(m_lstPendingBars.GetNext(pos));
        if (pBar == nullptr) {
            continue;
        }
        LeaveAutoHide(pBar);
        for (POSITION posSlider = m_lstPendingBars.GetHeadPosition(); posSlider != nullptr;) {
            auto* pSlider = dynamic_cast<CKtvPSlider*>(m_lstPendingBars.GetNext(posSlider));
            BOOL bLeft = FALSE;
            if (pSlider != nullptr && pSlider->FindContainer(pBar, bLeft) != nullptr) {
                pBar->SetDefaultSlider(pSlider->GetSafeHwnd());
                break;
            }
        }
    }
}

void CKtvPDockManager::RestoreToolbarLikeBars()
{
    CObList lstWork;
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        CObject* pObject = m_lstControlBars.GetNext(pos);
        if (auto* pDockBar = dynamic_cast<CKtvPDockBar*>(pObject)) {
            lstWork.AddTail(const_cast<CObList*>(&pDockBar->GetControlBarList()));
            continue;
        }
        auto* pBar = dynamic_cast<CKtvPControlBar*>(pObject);
        if (pBar == nullptr || pBar->IsKindOf(RUNTIME_CLASS(CKtvPDockingControlBar))) {
            continue;
        }
        if (pBar->CanFloat()) {
            lstWork.AddTail(pBar);
        } else if (pBar->IsRestoredFromRegistry()) {
            const CRect rect = pBar->GetRecentDockInfo().GetLayoutRect(TRUE);
            pBar->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                               SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
            pBar->ShowControlBar(pBar->GetRecentVisibleState(), TRUE, FALSE);
        }
    }
    for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != nullptr;) {
        CWnd* pBar = static_cast<CKtvPMiniFrameWnd*>(m_lstMiniFrames.GetNext(pos))->GetControlBar();
        if (pBar != nullptr && pBar->IsKindOf(RUNTIME_CLASS(CKtvPBaseToolBar))) {
            lstWork.AddTail(pBar);
        }
    }
    CObList lstRestored;
    for (POSITION pos = lstWork.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = dynamic_cast<CKtvPControlBar*>(lstWork.GetNext(pos));
        if (pBar != nullptr && pBar->IsRestoredFromRegistry() && !pBar->IsKindOf(RUNTIME_CLASS(CKtvPBaseTabbedBar)) &&
            lstRestored.Find(pBar) == nullptr) {
            lstRestored.AddTail(pBar);
        }
    }
    for (POSITION pos = lstRestored.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKtvPControlBar*>(lstRestored.GetNext(pos));
        pBar->FloatControlBar(pBar->GetRecentDockInfo().m_rectLastFloat, KTVP_DM_SHOW, FALSE);
    }
    for (POSITION pos = lstRestored.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKtvPControlBar*>(lstRestored.GetNext(pos));
        if (!pBar->IsKindOf(RUNTIME_CLASS(CKtvPDockingControlBar))) {
            pBar->RestoreRecentDockPos(this);
            pBar->UpdateVirtualRect();
        }
    }
}

void CKtvPDockManager::PlacePendingBars()
{
    for (POSITION pos = m_lstPendingBars.GetHeadPosition(); pos != nullptr;) {
        auto* pWnd = static_cast<CKtvPBaseControlBar*>(m_lstPendingBars.GetNext(pos));
        TakeOutOfTabbedBar(pWnd, m_pParentWnd);
        if (CKtvPMiniFrameWnd* pFrame = pWnd->GetParentMiniFrame(TRUE)) {
            pFrame->RemoveControlBar(pWnd, FALSE, FALSE);
        }
        pWnd->SetParent(m_pParentWnd);
        CKtvPDockingControlBar* pBar = AsDockingBar(pWnd);
        if (pBar == nullptr) {
            continue;
        }
        const CRect rect = pBar->GetRecentDockInfo().GetLayoutRect(TRUE);
        pBar->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        pBar->ShowWindow(pBar->GetRecentVisibleState() ? SW_SHOWNORMAL : SW_HIDE);
        CKtvPSlider* pSlider = pBar->GetDefaultSlider();
        if (pSlider != nullptr) {
            pBar->SetBarAlignment(pSlider->GetCurrentAlignment());
        }
        if (pSlider != nullptr && pBar->IsKindOf(RUNTIME_CLASS(CKtvPBaseTabbedBar))) {
            GatherTabsOf(static_cast<CKtvPBaseTabbedBar*>(pBar), pSlider);
        }
    }
}

// A loaded tabbed bar takes back the tabs its node lists, from wherever they are now.
void CKtvPDockManager::GatherTabsOf(CKtvPBaseTabbedBar* pTabbed, CKtvPSlider* pSlider)
{
    BOOL bLeft = FALSE;
    CKtvPBarContainer* pNode = pSlider->FindContainer(pTabbed, bLeft);
    CList<UINT, UINT>* pIDs = pNode != nullptr ? pNode->GetSiblingBarIDs(pTabbed) : nullptr;
    if (pIDs == nullptr) {
        return;
    }
    for (POSITION pos = pIDs->GetHeadPosition(); pos != nullptr;) {
        CKtvPDockingControlBar* pBar = AsDockingBar(FindBarByID(pIDs->GetNext(pos), TRUE));
        if (pBar == nullptr || pBar == pTabbed) {
            continue;
        }
        TakeOutOfTabbedBar(pBar, m_pParentWnd);
        LeaveAutoHide(pBar);
        pBar->AttachToTabbedBar(pTabbed, KTVP_DM_UNKNOWN, FALSE, nullptr);
    }
    if (pTabbed->GetTabsNum() > 0) {
        pTabbed->ApplyRestoredTabInfo();
        pTabbed->RecalcLayout();
    }
}

void CKtvPDockManager::ApplyAutoHideRecords()
{
    for (POSITION pos = m_lstPendingAutoHideRecords.GetHeadPosition(); pos != nullptr;) {
        auto* pInfo = static_cast<KtvAutoHideBarInfo*>(m_lstPendingAutoHideRecords.GetNext(pos));
        pInfo->m_pSavedBar = nullptr;
        CKtvPDockingControlBar* pBar = AsDockingBar(FindBarByID((UINT)pInfo->m_nBarID, TRUE));
        const DWORD dwAlignment = pInfo->m_dwBarAlignment & CBRS_ALIGN_ANY;
        if (pBar == nullptr || dwAlignment == 0) {
            continue;
        }
        if (pBar->IsAutoHideMode()) {
            pBar->SetAutoHideMode(FALSE, CBRS_ALIGN_ANY, nullptr, TRUE);
        }
        TakeOutOfTabbedBar(pBar, m_pParentWnd);
        if (!pBar->DockToFrameWindow(dwAlignment, nullptr, KTVP_DT_DOCK_LAST, nullptr, -1, FALSE)) {
            continue;
        }
        CRect rect = pInfo->m_rectBar;
        if (CWnd* pParent = pBar->GetParent()) {
            pParent->ScreenToClient(rect);
        }
        pBar->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        // Pinned, the pane lines up with its strip in a layout that no longer holds it.
        const BOOL bAdjustBefore = m_bEnableAdjustLayout;
        m_bEnableAdjustLayout = TRUE;
        CKtvPAutoHideToolBar* pToolBar = pBar->SetAutoHideMode(TRUE, dwAlignment, nullptr, FALSE);
        m_bEnableAdjustLayout = bAdjustBefore;
        if (pToolBar == nullptr) {
            continue;
        }
        pToolBar->m_bFirstInGroup = pInfo->m_bFirstInGroup;
        pToolBar->m_bLastInGroup = pInfo->m_bLastInGroup;
        pToolBar->m_bActiveInGroup = pInfo->m_bActiveInGroup;
        pInfo->m_pSavedBar = pBar;
        static_cast<CKtvPBaseControlBar*>(pToolBar)->m_bRecentVisibleState = pInfo->m_bIsVisible;
    }
    if (!CKtvPDockingControlBar::m_bHideInAutoHideMode) {
        return;
    }
    for (POSITION pos = m_lstPendingAutoHideRecords.GetHeadPosition(); pos != nullptr;) {
        auto* pInfo = static_cast<KtvAutoHideBarInfo*>(m_lstPendingAutoHideRecords.GetNext(pos));
        if (pInfo->m_pSavedBar != nullptr) {
            pInfo->m_pSavedBar->ShowControlBar(pInfo->m_bIsVisible, FALSE, FALSE);
        }
    }
}

void CKtvPDockManager::RemoveEmptyLeftovers()
{
    CObList lstCopy;
    lstCopy.AddTail(&m_lstControlBars);
    for (POSITION pos = lstCopy.GetTailPosition(); pos != nullptr;) {
        CObject* pObject = lstCopy.GetPrev(pos);
        if (auto* pSlider = dynamic_cast<CKtvPSlider*>(pObject)) {
            if (pSlider->IsDefault()) {
                pSlider->CheckVisibility();
            }
            continue;
        }
        auto* pTabbed = dynamic_cast<CKtvPBaseTabbedBar*>(pObject);
        if (pTabbed != nullptr && pTabbed->GetTabsNum() == 0 && pTabbed->CanFloat()) {
            pTabbed->UndockControlBar(FALSE);
            pTabbed->DestroyWindow();
        }
    }
}
