#include "ui/controls/KtvPListCtrl.h"

#include "platform/mfc/AfxThreadState.h"
#include "platform/mfc/CDC.h"
#include "ui/frames/KtvPDrawManager.h"

IMPLEMENT_DYNAMIC(CKtvPListCtrl, CListCtrl)

BEGIN_MESSAGE_MAP(CKtvPListCtrl, CListCtrl)
    ON_WM_CREATE()
    ON_WM_ERASEBKGND()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SIZE()
    ON_WM_STYLECHANGED()
    ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, OnColumnClick)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
END_MESSAGE_MAP()

CKtvPListCtrl::CKtvPListCtrl()
    : m_iSortedColumn(-1),
      m_bAscending(TRUE),
      m_bMarkSortedColumn(FALSE),
      m_clrSortedColumn((COLORREF)-1),
      m_hOldFont(nullptr)
{
}

CKtvPListCtrl::~CKtvPListCtrl() = default;

namespace {

struct SortContext {
    CKtvPListCtrl* pList;
    int iColumn;
    BOOL bAscending;
};

int CALLBACK CompareListItems(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort)
{
    const SortContext* pContext = reinterpret_cast<const SortContext*>(lParamSort);
    const int nResult = pContext->pList->OnCompareItems(lParam1, lParam2, pContext->iColumn);
    return pContext->bAscending ? nResult : -nResult;
}

}  // namespace

void CKtvPListCtrl::Sort(int iColumn, BOOL bAscending, BOOL bAdd)
{
    BeginWaitCursor();
    m_wndHeader.SetSortColumn(iColumn, bAscending, bAdd);
    m_iSortedColumn = iColumn;
    m_bAscending = bAscending;
    SortContext context{this, iColumn, bAscending};
    SortItems(CompareListItems, (DWORD_PTR)&context);
    EndWaitCursor();
}

COLORREF CKtvPListCtrl::OnGetCellTextColor(int, int) { return GetTextColor(); }
COLORREF CKtvPListCtrl::OnGetCellBkColor(int, int) { return GetBkColor(); }

BOOL CKtvPListCtrl::InitHeader()
{
    CWnd* pHeader = GetDlgItem(0);
    if (pHeader == nullptr) return FALSE;
    return m_wndHeader.SubclassWindow(pHeader->GetSafeHwnd());
}

void CKtvPListCtrl::SetSortColumn(int iColumn, BOOL bAscending, BOOL bAdd)
{
    m_wndHeader.SetSortColumn(iColumn, bAscending, bAdd);
    m_iSortedColumn = iColumn;
    m_bAscending = bAscending;
}

void CKtvPListCtrl::RemoveSortColumn(int iColumn) { m_wndHeader.RemoveSortColumn(iColumn); }
void CKtvPListCtrl::EnableMultipleSort(BOOL bEnable) { m_wndHeader.EnableMultipleSort(bEnable); }
BOOL CKtvPListCtrl::IsMultipleSort() const { return m_wndHeader.IsMultipleSort(); }

void CKtvPListCtrl::EnableMarkSortedColumn(BOOL bMark, BOOL bRedraw)
{
    m_bMarkSortedColumn = bMark;
    if (bRedraw && GetSafeHwnd() != nullptr) RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

BOOL CKtvPListCtrl::InitList()
{
    // A list outside report view has no header yet: it is taken when the view changes.
    if (m_wndHeader.GetSafeHwnd() == nullptr && GetDlgItem(0) != nullptr && !InitHeader()) return FALSE;
    InitColors();
    return TRUE;
}

void CKtvPListCtrl::InitColors()
{
    m_clrSortedColumn = CKtvPDrawManager::ScaleColorChannels(GetBkColor(), .97);
}

void CKtvPListCtrl::PreSubclassWindow()
{
    CListCtrl::PreSubclassWindow();
    // A window being created is set up in WM_CREATE, once its header exists.
    if (tw::mfc::CurrentThreadState().pWndInit == nullptr && m_wndHeader.GetSafeHwnd() == nullptr) InitList();
}

int CKtvPListCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CListCtrl::OnCreate(lpCreateStruct) == -1) return -1;
    if (!InitList()) return -1;
    return 0;
}

BOOL CKtvPListCtrl::OnEraseBkgnd(CDC* pDC)
{
    const BOOL bRes = CListCtrl::OnEraseBkgnd(pDC);
    if (m_iSortedColumn >= 0 && m_bMarkSortedColumn && m_wndHeader.GetSafeHwnd() != nullptr) {
        CRect rectClient;
        GetClientRect(rectClient);
        CRect rectHeaderItem;
        if (m_wndHeader.GetItemRect(m_iSortedColumn, rectHeaderItem)) {
            CRect rectColumn = rectClient;
            rectColumn.left = rectHeaderItem.left;
            rectColumn.right = rectHeaderItem.right;
            CBrush br(m_clrSortedColumn);
            pDC->FillRect(rectColumn, &br);
        }
    }
    return bRes;
}

void CKtvPListCtrl::OnSysColorChange()
{
    CListCtrl::OnSysColorChange();
    InitColors();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CKtvPListCtrl::OnSize(UINT nType, int cx, int cy)
{
    CListCtrl::OnSize(nType, cx, cy);
    InvalidateRect(nullptr, FALSE);
}

void CKtvPListCtrl::OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyleStruct)
{
    CListCtrl::OnStyleChanged(nStyleType, lpStyleStruct);
    if ((lpStyleStruct->styleNew & LVS_TYPEMASK) == LVS_REPORT &&
        (lpStyleStruct->styleOld & LVS_TYPEMASK) != LVS_REPORT && m_wndHeader.GetSafeHwnd() == nullptr)
        InitHeader();
}

void CKtvPListCtrl::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMLISTVIEW* pNMListView = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    const int iColumn = pNMListView->iSubItem;
    const BOOL bShift = ::GetAsyncKeyState(VK_SHIFT) & 0x8000;
    const int nState = m_wndHeader.GetSortColumnState(iColumn);
    const BOOL bAscending = nState < 0;  // none or ascending: descending next
    Sort(iColumn, bAscending, bShift && IsMultipleSort());
    *pResult = 0;
}

void CKtvPListCtrl::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMLVCUSTOMDRAW* lplvcd = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
    *pResult = CDRF_DODEFAULT;
    switch (lplvcd->nmcd.dwDrawStage) {
    case CDDS_PREPAINT: *pResult = CDRF_NOTIFYITEMDRAW; break;
    case CDDS_ITEMPREPAINT: *pResult = CDRF_NOTIFYSUBITEMDRAW; break;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        const int iRow = (int)lplvcd->nmcd.dwItemSpec;
        const int iColumn = lplvcd->iSubItem;
        lplvcd->clrText = OnGetCellTextColor(iRow, iColumn);
        lplvcd->clrTextBk = OnGetCellBkColor(iRow, iColumn);
        if (iColumn == m_iSortedColumn && m_bMarkSortedColumn && lplvcd->clrTextBk == GetBkColor())
            lplvcd->clrTextBk = m_clrSortedColumn;
        HFONT hFont = OnGetCellFont(iRow, iColumn, lplvcd->nmcd.lItemlParam);
        if (hFont != nullptr) {
            m_hOldFont = (HFONT)::SelectObject(lplvcd->nmcd.hdc, hFont);
            *pResult = CDRF_NEWFONT | CDRF_NOTIFYPOSTPAINT;
        }
        break;
    }
    case CDDS_ITEMPOSTPAINT | CDDS_SUBITEM:
        if (m_hOldFont != nullptr) {
            ::SelectObject(lplvcd->nmcd.hdc, m_hOldFont);
            m_hOldFont = nullptr;
        }
        break;
    default: break;
    }
}
