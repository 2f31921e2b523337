#include "ui/controls/KtvPListCtrl.h"

#include "ui/frames/KtvPNotBuilt.h"

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

void CKtvPListCtrl::Sort(int, BOOL, BOOL) { KTVP_NOT_BUILT("CKtvPListCtrl::Sort"); }
COLORREF CKtvPListCtrl::OnGetCellTextColor(int, int) { KTVP_NOT_BUILT("CKtvPListCtrl::OnGetCellTextColor"); }
COLORREF CKtvPListCtrl::OnGetCellBkColor(int, int) { KTVP_NOT_BUILT("CKtvPListCtrl::OnGetCellBkColor"); }
BOOL CKtvPListCtrl::InitHeader() { KTVP_NOT_BUILT("CKtvPListCtrl::InitHeader"); }

void CKtvPListCtrl::SetSortColumn(int, BOOL, BOOL) { KTVP_NOT_BUILT("CKtvPListCtrl::SetSortColumn"); }
void CKtvPListCtrl::RemoveSortColumn(int) { KTVP_NOT_BUILT("CKtvPListCtrl::RemoveSortColumn"); }
void CKtvPListCtrl::EnableMultipleSort(BOOL) { KTVP_NOT_BUILT("CKtvPListCtrl::EnableMultipleSort"); }
BOOL CKtvPListCtrl::IsMultipleSort() const { KTVP_NOT_BUILT("CKtvPListCtrl::IsMultipleSort"); }
void CKtvPListCtrl::EnableMarkSortedColumn(BOOL, BOOL) { KTVP_NOT_BUILT("CKtvPListCtrl::EnableMarkSortedColumn"); }
BOOL CKtvPListCtrl::InitList() { KTVP_NOT_BUILT("CKtvPListCtrl::InitList"); }
void CKtvPListCtrl::InitColors() { KTVP_NOT_BUILT("CKtvPListCtrl::InitColors"); }
void CKtvPListCtrl::PreSubclassWindow() { KTVP_NOT_BUILT("CKtvPListCtrl::PreSubclassWindow"); }

int CKtvPListCtrl::OnCreate(LPCREATESTRUCT) { KTVP_NOT_BUILT("CKtvPListCtrl::OnCreate"); }
BOOL CKtvPListCtrl::OnEraseBkgnd(CDC*) { KTVP_NOT_BUILT("CKtvPListCtrl::OnEraseBkgnd"); }
void CKtvPListCtrl::OnSysColorChange() { KTVP_NOT_BUILT("CKtvPListCtrl::OnSysColorChange"); }
void CKtvPListCtrl::OnSize(UINT, int, int) { KTVP_NOT_BUILT("CKtvPListCtrl::OnSize"); }
void CKtvPListCtrl::OnStyleChanged(int, LPSTYLESTRUCT) { KTVP_NOT_BUILT("CKtvPListCtrl::OnStyleChanged"); }
void CKtvPListCtrl::OnColumnClick(NMHDR*, LRESULT*) { KTVP_NOT_BUILT("CKtvPListCtrl::OnColumnClick"); }
void CKtvPListCtrl::OnCustomDraw(NMHDR*, LRESULT*) { KTVP_NOT_BUILT("CKtvPListCtrl::OnCustomDraw"); }
