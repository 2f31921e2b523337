#include "ui/docking/KtvPOutlookBar.h"

#include <cstdlib>
#include <vector>

#include "platform/mfc/afxmsg.h"
#include "platform/mfc/CArchive.h"
#include "platform/mfc/CDC.h"
#include "platform/mfc/CException.h"
#include "platform/mfc/CMemFile.h"
#include "ui/commandbars/KtvPMemDC.h"
#include "ui/controls/KtvPOutlookBarDockingPane.h"
#include "ui/controls/KtvPOutlookBarPane.h"
#include "ui/controls/KtvPOutlookWnd.h"
#include "ui/docking/KtvPDockManager.h"
#include "ui/docking/KtvPGlobalUtils.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/frames/KtvPRegistryFactory.h"
#include "ui/frames/KtvPVisualManager.h"
#include "ui/frames/KtvPWorkspace.h"
#include "ui/frames/KtvRegPath.h"

IMPLEMENT_SERIAL(CKtvPOutlookBar, CKtvPBaseTabbedBar, 1)

const TCHAR CKtvPOutlookBar::m_szSection[] = "KtvPOutlookBars";
const TCHAR CKtvPOutlookBar::m_szCustomPagesValue[] = "KtvPOutlookCustomPages";

BEGIN_MESSAGE_MAP(CKtvPOutlookBar, CKtvPBaseTabbedBar)
    ON_WM_CREATE()
    ON_WM_PAINT()
END_MESSAGE_MAP()

CKtvPOutlookBar::CKtvPOutlookBar() : CKtvPBaseTabbedBar(FALSE), m_bNavigationPaneMode(FALSE), m_pFontButtons(nullptr)
{
}

CKtvPOutlookBar::~CKtvPOutlookBar()
{
    while (!m_lstCustomPages.IsEmpty())
        delete m_lstCustomPages.RemoveHead();
}

namespace {

CString OutlookBarKey(LPCTSTR lpszProfileName, int nIndex, UINT uiID)
{
    const CString strBase = KtvGetRegPath(CKtvPOutlookBar::m_szSection, lpszProfileName);
    CString strKey;
    if (uiID == (UINT)-1) {
        strKey.Format("%sKtvPOutlookBar-%d", (LPCTSTR)strBase, nIndex);
    } else {
        // The letter s after the path is part of the stored key.
        strKey.Format("%ssKtvPOutlookBar-%d%x", (LPCTSTR)strBase, nIndex, uiID);
    }
    return strKey;
}

// Streams stored before version 6.71 end after the pages.
BOOL StoredWithPageButtonCount()
{
    const CKtvPWorkspace* pWorkspace = KtvGetWorkspace();
    if (pWorkspace == nullptr) {
        return TRUE;
    }
    const int nMajor = pWorkspace->GetDataVersionMajor();
    return nMajor == -1 || (nMajor >= 6 && pWorkspace->GetDataVersionMinor() >= 71);
}

}  // namespace

// --- creation and painting --------------------------------------------------------------------------------

BOOL CKtvPOutlookBar::Create(LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect, UINT nID, DWORD dwStyle,
                             DWORD dwControlBarStyle, CCreateContext* pContext)
{
    if (!CKtvPBaseTabbedBar::Create(lpszCaption, pParentWnd, rect, FALSE, nID, dwStyle, 0x40, dwControlBarStyle,
                                    pContext)) {
        return FALSE;
    }
    if ((dwControlBarStyle & KTVP_CBRS_RESIZE) != 0) {
        EnableDocking(CBRS_ALIGN_ANY);
        DockToDockSite(FALSE);
    } else if (CKtvPDockManager* pDockManager = globalUtils.GetDockManager(pParentWnd)) {
        pDockManager->AddControlBar(this, TRUE, FALSE, FALSE);
    }
    return TRUE;
}

int CKtvPOutlookBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKtvPBaseTabbedBar::OnCreate(lpCreateStruct) == -1) {
        return -1;
    }
    auto* pOutlookWnd = new CKtvPOutlookWnd;
    pOutlookWnd->m_bEnableWrapping = TRUE;
    m_pTabWnd = pOutlookWnd;
    if (!pOutlookWnd->Create(CRect(0, 0, lpCreateStruct->cx, lpCreateStruct->cy), this, 101)) {
        delete pOutlookWnd;
        m_pTabWnd = nullptr;
        return -1;
    }
    // A torn-off page floats as a pane that can come back as a page.
    pOutlookWnd->SetDockingBarWrapperRTC(RUNTIME_CLASS(CKtvPOutlookBarDockingPane));
    if (CanFloat()) {
        pOutlookWnd->SetHideSingleTab(TRUE);
    }
    return 0;
}

void CKtvPOutlookBar::OnPaint()
{
    CPaintDC dcPaint(this);
    CKtvPMemDC memDC(dcPaint, this);
    CRect rectClient;
    GetClientRect(rectClient);
    CKtvPVisualManager::GetInstance()->OnFillBarBackground(&memDC.GetDC(), this, rectClient, rectClient, FALSE);
}

// --- docking ----------------------------------------------------------------------------------------------

// A fixed bar takes only outlook pages; one that can float takes any docking bar.
BOOL CKtvPOutlookBar::CanAcceptBar(const CKtvPBaseControlBar* pBar) const
{
    if (pBar == nullptr) {
        return FALSE;
    }
    if (CanFloat()) {
        CWnd* pParent = CWnd::GetSafeHwndOf(pBar) != nullptr ? pBar->GetParent() : nullptr;
        return pBar->IsKindOf(RUNTIME_CLASS(CKtvPDockingControlBar)) ||
               (pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CKtvPDockingControlBar)));
    }
    return pBar->IsKindOf(RUNTIME_CLASS(CKtvPOutlookBarDockingPane)) ||
           dynamic_cast<const CKtvPOutlookBarPane*>(pBar) != nullptr || pBar->IsKindOf(RUNTIME_CLASS(CKtvPOutlookBar));
}

void CKtvPOutlookBar::GetTabArea(CRect& rectTabAreaTop, CRect& rectTabAreaBottom) const
{
    rectTabAreaTop.SetRectEmpty();
    rectTabAreaBottom.SetRectEmpty();
    if (!CanFloat()) {
        // Anything dropped anywhere on a fixed bar becomes a page.
        GetClientRect(rectTabAreaTop);
        ClientToScreen(rectTabAreaTop);
        return;
    }
    if (m_pTabWnd != nullptr) {
        m_pTabWnd->GetTabArea(rectTabAreaTop, rectTabAreaBottom);
    }
}

int CKtvPOutlookBar::GetDockingStatus(CPoint pt, int nSensitivity)
{
    if (m_pTabWnd == nullptr) {
        return KTVP_CS_NOTHING;
    }
    if (m_pTabWnd->GetTabsNum() == 0 || m_pTabWnd->GetVisibleTabsNum() == 0) {
        return KTVP_CS_DELAY_DOCK_TO_TAB;
    }
    const int nHit = HitTestCaption(pt, TRUE);
    CRect rectTop;
    CRect rectBottom;
    GetTabArea(rectTop, rectBottom);
    if (!rectTop.IsRectEmpty()) {
        rectTop.bottom += nSensitivity;
    }
    if (!rectBottom.IsRectEmpty()) {
        rectBottom.top -= nSensitivity;
    }
    if (nHit == HTCAPTION || rectTop.PtInRect(pt) || rectBottom.PtInRect(pt)) {
        return KTVP_CS_DELAY_DOCK_TO_TAB;
    }
    const int nStatus = CKtvPBaseTabbedBar::GetDockingStatus(pt, nSensitivity);
    if (!CanFloat() && nStatus == KTVP_CS_DELAY_DOCK) {
        return KTVP_CS_NOTHING;
    }
    return nStatus;
}

BOOL CKtvPOutlookBar::IsCaptionFromTab() const { return m_bCaptionFromTab || m_bNavigationPaneMode; }

BOOL CKtvPOutlookBar::CanDetachTabs() const { return CanFloat(); }

// --- settings ---------------------------------------------------------------------------------------------

// The custom pages go into one raw-bytes value; the answer is FALSE when any
// part of the state could not be saved.
BOOL CKtvPOutlookBar::SaveState(LPCTSTR lpszProfileName, int nIndex, UINT uiID)
{
    BOOL bSaved = CKtvPBaseTabbedBar::SaveState(lpszProfileName, nIndex, uiID);
    for (POSITION pos = m_lstCustomPages.GetHeadPosition(); pos != nullptr;) {
        auto* pPage = static_cast<CKtvPOutlookBarPane*>(m_lstCustomPages.GetNext(pos));
        const UINT nPageID = (UINT)pPage->GetDlgCtrlID();
        bSaved = pPage->SaveState(lpszProfileName, (int)nPageID, nPageID) && bSaved;
    }

    std::vector<BYTE> stream;
    try {
        CMemFile file(1024);
        {
            CArchive ar(&file, CArchive::store, 4096);
            ar << (int)m_lstCustomPages.GetCount();
            for (POSITION pos = m_lstCustomPages.GetHeadPosition(); pos != nullptr;) {
                auto* pPage = static_cast<CKtvPOutlookBarPane*>(m_lstCustomPages.GetNext(pos));
                CString strName;
                if (pPage->IsTabbed() || pPage->GetParent() == nullptr) {
                    pPage->GetWindowText(strName);
                } else {
                    pPage->GetParent()->GetWindowText(strName);
                }
                ar << (int)pPage->GetDlgCtrlID();
                ar << strName;
            }
            auto* pOutlookWnd = dynamic_cast<CKtvPOutlookWnd*>(m_pTabWnd);
            ar << (int)(pOutlookWnd != nullptr ? pOutlookWnd->GetVisiblePageButtons() : -1);
            ar.Close();
        }
        const auto nLength = (size_t)file.GetLength();
        BYTE* pData = file.Detach();
        stream.assign(pData, pData + nLength);
        free(pData);
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }

    nIndex = nIndex == -1 ? GetDlgCtrlID() : nIndex;
    CKtvPRegistryFactory factory;
    CKtvPRegistry& reg = factory.Create(FALSE, FALSE);
    if (!reg.CreateKey(OutlookBarKey(lpszProfileName, nIndex, uiID))) {
        return FALSE;
    }
    return reg.Write(m_szCustomPagesValue, stream.data(), (UINT)stream.size()) && bSaved;
}

// Custom pages come back in their stored order. A damaged stream keeps the
// pages made before the damage and answers FALSE.
BOOL CKtvPOutlookBar::LoadState(LPCTSTR lpszProfileName, int nIndex, UINT uiID)
{
    CKtvPBaseTabbedBar::LoadState(lpszProfileName, nIndex, uiID);
    nIndex = nIndex == -1 ? GetDlgCtrlID() : nIndex;
    BYTE* pData = nullptr;
    UINT nBytes = 0;
    {
        CKtvPRegistryFactory factory;
        CKtvPRegistry& reg = factory.Create(FALSE, TRUE);
        if (!reg.Open(OutlookBarKey(lpszProfileName, nIndex, uiID)) ||
            !reg.Read(m_szCustomPagesValue, &pData, &nBytes)) {
            return FALSE;
        }
    }
    BOOL bLoaded = TRUE;
    try {
        CMemFile file(pData, nBytes);
        CArchive ar(&file, CArchive::load, 4096);
        int nCount = 0;
        ar >> nCount;
        for (int i = 0; i < nCount && bLoaded; i++) {
            int nPageID = 0;
            CString strName;
            ar >> nPageID;
            ar >> strName;
            bLoaded = AddCustomPage(lpszProfileName, (UINT)nPageID, strName);
        }
        if (bLoaded && StoredWithPageButtonCount()) {
            int nVisibleButtons = -1;
            ar >> nVisibleButtons;
            if (auto* pOutlookWnd = dynamic_cast<CKtvPOutlookWnd*>(m_pTabWnd)) {
                pOutlookWnd->SetVisiblePageButtons(nVisibleButtons);
            }
        }
    } catch (CException* e) {
        e->Delete();
        bLoaded = FALSE;
    }
    delete[] pData;
    return bLoaded;
}

BOOL CKtvPOutlookBar::AddCustomPage(LPCTSTR lpszProfileName, UINT nPageID, const CString& strName)
{
    auto* pPage = new CKtvPOutlookBarPane;
    if (!pPage->Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_HIDE_INPLACE, nPageID, 0)) {
        delete pPage;
        return FALSE;
    }
    CWnd* pOwner = GetOwner() != nullptr ? GetOwner() : GetParent();
    pPage->SetOwner(pOwner);
    pPage->LoadState(lpszProfileName, (int)nPageID, nPageID);
    // The page carries its name, so that saving the bar writes it back.
    pPage->SetWindowText(strName);
    m_lstCustomPages.AddTail(pPage);
    if (m_pTabWnd != nullptr) {
        m_pTabWnd->AddTab(pPage, strName, (UINT)-1, TRUE);
    }
    return TRUE;
}
