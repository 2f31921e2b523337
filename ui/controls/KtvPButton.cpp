#include "ui/controls/KtvPButton.h"

#include "ui/frames/KtvPNotBuilt.h"

IMPLEMENT_DYNCREATE(CKtvPButton, CButton)

BOOL CKtvPButton::s_ThemedLook = FALSE;

BEGIN_MESSAGE_MAP(CKtvPButton, CButton)
    ON_WM_ERASEBKGND()
    ON_WM_CANCELMODE()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_SETCURSOR()
    ON_WM_ENABLE()
    ON_WM_SIZE()
    ON_WM_KILLFOCUS()
    ON_WM_TIMER()
    ON_MESSAGE(WM_SETFONT, OnSetFont)
    ON_MESSAGE(WM_GETFONT, OnGetFont)
    ON_MESSAGE(BM_GETCHECK, OnGetCheck)
    ON_MESSAGE(BM_SETCHECK, OnSetCheck)
    ON_MESSAGE(BM_SETIMAGE, OnSetImage)
    ON_MESSAGE(BM_GETIMAGE, OnGetImage)
END_MESSAGE_MAP()

CKtvPButton::CKtvPButton()
    : m_FlatStyle(BUTTONSTYLE_3D),
      m_TextAlign(ALIGN_CENTER),
      m_ImageOnRight(FALSE),
      m_ParentBackground(FALSE),
      m_DrawFocus(TRUE),
      m_HighlightChecked(TRUE),
      m_GrayDisabled(TRUE),
      m_ClickOnButtonDown(FALSE),
      m_Pushed(FALSE),
      m_ClickedInside(FALSE),
      m_Highlighted(FALSE),
      m_Captured(FALSE),
      m_Hover(FALSE),
      m_Checked(FALSE),
      m_IsCheckBox(FALSE),
      m_IsRadio(FALSE),
      m_AutoCheck(FALSE),
      m_ImageSize(0, 0),
      m_FullTextTooltip(FALSE),
      m_TooltipPending(FALSE),
      m_Glyph(-1),
      m_GlyphDisabled(-1),
      m_GlyphState(0),
      m_HoverCursor(nullptr),
      m_PushOffset(2, 2),
      m_TextColor((COLORREF)-1),
      m_HotTextColor((COLORREF)-1),
      m_FaceColor((COLORREF)-1),
      m_Font(nullptr),
      m_AutoRepeatDelay(0)
{
}

// The six image lists and the tooltip control go with their members.
CKtvPButton::~CKtvPButton() = default;

void CKtvPButton::CleanUp() { KTVP_NOT_BUILT("CKtvPButton::CleanUp"); }
CSize CKtvPButton::SizeToContent(BOOL) { KTVP_NOT_BUILT("CKtvPButton::SizeToContent"); }
void CKtvPButton::OnFillBackground(CDC*, const CRect&) { KTVP_NOT_BUILT("CKtvPButton::OnFillBackground"); }
void CKtvPButton::OnDrawBorder(CDC*, CRect&, UINT) { KTVP_NOT_BUILT("CKtvPButton::OnDrawBorder"); }
void CKtvPButton::OnDrawFocusRect(CDC*, const CRect&) { KTVP_NOT_BUILT("CKtvPButton::OnDrawFocusRect"); }
void CKtvPButton::OnDraw(CDC*, const CRect&, UINT) { KTVP_NOT_BUILT("CKtvPButton::OnDraw"); }
void CKtvPButton::OnDrawText(CDC*, const CRect&, const CString&, UINT, UINT)
{
    KTVP_NOT_BUILT("CKtvPButton::OnDrawText");
}
BOOL CKtvPButton::CreateDisabledImage(HBITMAP, BOOL) { KTVP_NOT_BUILT("CKtvPButton::CreateDisabledImage"); }
CFont* CKtvPButton::SelectFont(CDC*) { KTVP_NOT_BUILT("CKtvPButton::SelectFont"); }

BOOL CKtvPButton::PreTranslateMessage(MSG*) { KTVP_NOT_BUILT("CKtvPButton::PreTranslateMessage"); }
void CKtvPButton::DrawItem(LPDRAWITEMSTRUCT) { KTVP_NOT_BUILT("CKtvPButton::DrawItem"); }
BOOL CKtvPButton::PreCreateWindow(CREATESTRUCT&) { KTVP_NOT_BUILT("CKtvPButton::PreCreateWindow"); }
void CKtvPButton::PreSubclassWindow() { KTVP_NOT_BUILT("CKtvPButton::PreSubclassWindow"); }

void CKtvPButton::SetImage(HICON, BOOL, HICON, HICON) { KTVP_NOT_BUILT("CKtvPButton::SetImage"); }
void CKtvPButton::SetImage(HBITMAP, BOOL, HBITMAP, BOOL, HBITMAP) { KTVP_NOT_BUILT("CKtvPButton::SetImage"); }
void CKtvPButton::SetImage(UINT, UINT, UINT) { KTVP_NOT_BUILT("CKtvPButton::SetImage"); }
void CKtvPButton::SetCheckedImage(UINT, UINT, UINT) { KTVP_NOT_BUILT("CKtvPButton::SetCheckedImage"); }
void CKtvPButton::SetGlyph(int, int, int) { KTVP_NOT_BUILT("CKtvPButton::SetGlyph"); }
void CKtvPButton::SetTooltip(LPCTSTR) { KTVP_NOT_BUILT("CKtvPButton::SetTooltip"); }
void CKtvPButton::SetHandCursor() { KTVP_NOT_BUILT("CKtvPButton::SetHandCursor"); }

// The button paints all of itself in DrawItem.
BOOL CKtvPButton::OnEraseBkgnd(CDC*) { return TRUE; }
void CKtvPButton::OnCancelMode() { KTVP_NOT_BUILT("CKtvPButton::OnCancelMode"); }
void CKtvPButton::OnMouseMove(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPButton::OnMouseMove"); }
void CKtvPButton::OnLButtonDown(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPButton::OnLButtonDown"); }
void CKtvPButton::OnLButtonUp(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPButton::OnLButtonUp"); }
void CKtvPButton::OnLButtonDblClk(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPButton::OnLButtonDblClk"); }
BOOL CKtvPButton::OnSetCursor(CWnd*, UINT, UINT) { KTVP_NOT_BUILT("CKtvPButton::OnSetCursor"); }
void CKtvPButton::OnEnable(BOOL) { KTVP_NOT_BUILT("CKtvPButton::OnEnable"); }
void CKtvPButton::OnSize(UINT, int, int) { KTVP_NOT_BUILT("CKtvPButton::OnSize"); }
void CKtvPButton::OnKillFocus(CWnd*) { KTVP_NOT_BUILT("CKtvPButton::OnKillFocus"); }
void CKtvPButton::OnTimer(UINT_PTR) { KTVP_NOT_BUILT("CKtvPButton::OnTimer"); }
LRESULT CKtvPButton::OnSetFont(WPARAM, LPARAM) { KTVP_NOT_BUILT("CKtvPButton::OnSetFont"); }
LRESULT CKtvPButton::OnGetFont(WPARAM, LPARAM) { return (LRESULT)m_Font; }
LRESULT CKtvPButton::OnGetCheck(WPARAM, LPARAM) { KTVP_NOT_BUILT("CKtvPButton::OnGetCheck"); }
LRESULT CKtvPButton::OnSetCheck(WPARAM, LPARAM) { KTVP_NOT_BUILT("CKtvPButton::OnSetCheck"); }
LRESULT CKtvPButton::OnSetImage(WPARAM, LPARAM) { KTVP_NOT_BUILT("CKtvPButton::OnSetImage"); }
LRESULT CKtvPButton::OnGetImage(WPARAM, LPARAM) { KTVP_NOT_BUILT("CKtvPButton::OnGetImage"); }
