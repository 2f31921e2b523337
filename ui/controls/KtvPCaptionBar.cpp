#include "ui/controls/KtvPCaptionBar.h"

#include "ui/frames/KtvPNotBuilt.h"

IMPLEMENT_DYNCREATE(CKtvPCaptionBar, CKtvPControlBar)

BEGIN_MESSAGE_MAP(CKtvPCaptionBar, CKtvPControlBar)
    ON_WM_CREATE()
    ON_WM_ERASEBKGND()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_RBUTTONUP()
    ON_WM_PAINT()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_SIZE()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSELEAVE()
    ON_MESSAGE(WM_SETFONT, OnSetFont)
    ON_MESSAGE(WM_GETFONT, OnGetFont)
END_MESSAGE_MAP()

CKtvPCaptionBar::CKtvPCaptionBar()
    : m_clrBarText((COLORREF)-1),
      m_clrBarBackground((COLORREF)-1),
      m_clrBarBorder((COLORREF)-1),
      m_hIcon(nullptr),
      m_bStretchImage(FALSE),
      m_bmpAlignment(ALIGN_LEFT),
      m_hFont(nullptr),
      m_textAlignment(ALIGN_LEFT),
      m_uiBtnID(0),
      m_btnAlignment(ALIGN_LEFT),
      m_bIsBtnPressed(FALSE),
      m_bIsBtnHighlighted(FALSE),
      m_bIsBtnForcePressed(FALSE),
      m_bTracked(FALSE),
      m_bBtnEnabled(TRUE),
      m_nBorderSize(4),
      m_nMargin(4),
      m_nHorzElementOffset(4),
      m_nDefaultHeight(-1),
      m_nCurrentHeight(0),
      m_bFlatBorder(FALSE),
      m_clrTransparent((COLORREF)-1)
{
}

// The strip frees its copy of the bitmap; the icon and the font are the caller's.
CKtvPCaptionBar::~CKtvPCaptionBar() = default;

BOOL CKtvPCaptionBar::Create(DWORD, CWnd*, UINT, int) { KTVP_NOT_BUILT("CKtvPCaptionBar::Create"); }
void CKtvPCaptionBar::AdjustLayout() { KTVP_NOT_BUILT("CKtvPCaptionBar::AdjustLayout"); }
void CKtvPCaptionBar::RecalcLayout() { KTVP_NOT_BUILT("CKtvPCaptionBar::RecalcLayout"); }
CSize CKtvPCaptionBar::CalcFixedLayout(BOOL, BOOL) { KTVP_NOT_BUILT("CKtvPCaptionBar::CalcFixedLayout"); }

void CKtvPCaptionBar::OnEraseBarBackground(CDC*, CRect) { KTVP_NOT_BUILT("CKtvPCaptionBar::OnEraseBarBackground"); }
void CKtvPCaptionBar::OnDrawBarEdge(CDC*, CRect) { KTVP_NOT_BUILT("CKtvPCaptionBar::OnDrawBarEdge"); }
void CKtvPCaptionBar::OnDrawBarText(CDC*, CRect, const CString&) { KTVP_NOT_BUILT("CKtvPCaptionBar::OnDrawBarText"); }
void CKtvPCaptionBar::OnDrawBarImage(CDC*, CRect) { KTVP_NOT_BUILT("CKtvPCaptionBar::OnDrawBarImage"); }
void CKtvPCaptionBar::OnDrawBarButton(CDC*, CRect, const CString&, BOOL)
{
    KTVP_NOT_BUILT("CKtvPCaptionBar::OnDrawBarButton");
}

void CKtvPCaptionBar::SetBitmap(HBITMAP, COLORREF, BOOL, int) { KTVP_NOT_BUILT("CKtvPCaptionBar::SetBitmap"); }
void CKtvPCaptionBar::RemoveBitmap() { KTVP_NOT_BUILT("CKtvPCaptionBar::RemoveBitmap"); }
void CKtvPCaptionBar::SetText(const CString&, int) { KTVP_NOT_BUILT("CKtvPCaptionBar::SetText"); }
void CKtvPCaptionBar::RemoveText() { KTVP_NOT_BUILT("CKtvPCaptionBar::RemoveText"); }
void CKtvPCaptionBar::SetIcon(HICON, int) { KTVP_NOT_BUILT("CKtvPCaptionBar::SetIcon"); }
void CKtvPCaptionBar::RemoveIcon() { KTVP_NOT_BUILT("CKtvPCaptionBar::RemoveIcon"); }
void CKtvPCaptionBar::SetButton(LPCTSTR, UINT, int) { KTVP_NOT_BUILT("CKtvPCaptionBar::SetButton"); }
void CKtvPCaptionBar::RemoveButton() { KTVP_NOT_BUILT("CKtvPCaptionBar::RemoveButton"); }
void CKtvPCaptionBar::EnableButton(BOOL) { KTVP_NOT_BUILT("CKtvPCaptionBar::EnableButton"); }
void CKtvPCaptionBar::SetButtonPressed(BOOL) { KTVP_NOT_BUILT("CKtvPCaptionBar::SetButtonPressed"); }

int CKtvPCaptionBar::OnCreate(LPCREATESTRUCT) { KTVP_NOT_BUILT("CKtvPCaptionBar::OnCreate"); }
// The client area is painted whole in OnPaint.
BOOL CKtvPCaptionBar::OnEraseBkgnd(CDC*) { return TRUE; }
void CKtvPCaptionBar::OnRButtonUp(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPCaptionBar::OnRButtonUp"); }
void CKtvPCaptionBar::OnPaint() { KTVP_NOT_BUILT("CKtvPCaptionBar::OnPaint"); }
void CKtvPCaptionBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { KTVP_NOT_BUILT("CKtvPCaptionBar::OnNcCalcSize"); }
void CKtvPCaptionBar::OnNcPaint() { KTVP_NOT_BUILT("CKtvPCaptionBar::OnNcPaint"); }
void CKtvPCaptionBar::OnSize(UINT, int, int) { KTVP_NOT_BUILT("CKtvPCaptionBar::OnSize"); }
void CKtvPCaptionBar::OnMouseMove(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPCaptionBar::OnMouseMove"); }
void CKtvPCaptionBar::OnLButtonDown(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPCaptionBar::OnLButtonDown"); }
void CKtvPCaptionBar::OnLButtonUp(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPCaptionBar::OnLButtonUp"); }
void CKtvPCaptionBar::OnMouseLeave() { KTVP_NOT_BUILT("CKtvPCaptionBar::OnMouseLeave"); }
LRESULT CKtvPCaptionBar::OnSetFont(WPARAM, LPARAM) { KTVP_NOT_BUILT("CKtvPCaptionBar::OnSetFont"); }
LRESULT CKtvPCaptionBar::OnGetFont(WPARAM, LPARAM) { return (LRESULT)m_hFont; }
