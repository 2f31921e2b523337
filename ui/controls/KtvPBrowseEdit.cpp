#include "ui/controls/KtvPBrowseEdit.h"

#include "ui/frames/KtvPNotBuilt.h"

BEGIN_MESSAGE_MAP(CKtvPBrowseEdit, CEdit)
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_NCHITTEST()
    ON_WM_NCLBUTTONDBLCLK()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCMOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_CANCELMODE()
END_MESSAGE_MAP()

CKtvPBrowseEdit::CKtvPBrowseEdit()
    : m_bIsButtonPressed(FALSE),
      m_bIsButtonHighlighted(FALSE),
      m_bIsButtonCaptured(FALSE),
      m_nBrowseMode(BrowseMode_None),
      m_sizeImage(0, 0),
      m_nBrowseButtonWidth(20),
      m_pCalcPopup(nullptr)
{
}

CKtvPBrowseEdit::~CKtvPBrowseEdit() = default;

void CKtvPBrowseEdit::DoBrowse() { KTVP_NOT_BUILT("CKtvPBrowseEdit::DoBrowse"); }
void CKtvPBrowseEdit::DrawBrowseButton(CDC*, CRect, BOOL, BOOL) { KTVP_NOT_BUILT("CKtvPBrowseEdit::DrawBrowseButton"); }
void CKtvPBrowseEdit::RecalcButton() { KTVP_NOT_BUILT("CKtvPBrowseEdit::RecalcButton"); }
void CKtvPBrowseEdit::NotifyTextChanged() { KTVP_NOT_BUILT("CKtvPBrowseEdit::NotifyTextChanged"); }
BOOL CKtvPBrowseEdit::CheckCalculatorChar(UINT) { KTVP_NOT_BUILT("CKtvPBrowseEdit::CheckCalculatorChar"); }
BOOL CKtvPBrowseEdit::PreTranslateMessage(MSG*) { KTVP_NOT_BUILT("CKtvPBrowseEdit::PreTranslateMessage"); }

void CKtvPBrowseEdit::EnableBrowseButton(BOOL, LPCTSTR) { KTVP_NOT_BUILT("CKtvPBrowseEdit::EnableBrowseButton"); }
void CKtvPBrowseEdit::EnableFileBrowseButton(LPCTSTR, LPCTSTR)
{
    KTVP_NOT_BUILT("CKtvPBrowseEdit::EnableFileBrowseButton");
}
void CKtvPBrowseEdit::EnableFolderBrowseButton() { KTVP_NOT_BUILT("CKtvPBrowseEdit::EnableFolderBrowseButton"); }
void CKtvPBrowseEdit::EnableCalculatorButton(const CStringList*)
{
    KTVP_NOT_BUILT("CKtvPBrowseEdit::EnableCalculatorButton");
}

void CKtvPBrowseEdit::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { KTVP_NOT_BUILT("CKtvPBrowseEdit::OnNcCalcSize"); }
void CKtvPBrowseEdit::OnNcPaint() { KTVP_NOT_BUILT("CKtvPBrowseEdit::OnNcPaint"); }
LRESULT CKtvPBrowseEdit::OnNcHitTest(CPoint) { KTVP_NOT_BUILT("CKtvPBrowseEdit::OnNcHitTest"); }
void CKtvPBrowseEdit::OnNcLButtonDblClk(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPBrowseEdit::OnNcLButtonDblClk"); }
void CKtvPBrowseEdit::OnNcLButtonDown(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPBrowseEdit::OnNcLButtonDown"); }
void CKtvPBrowseEdit::OnNcMouseMove(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPBrowseEdit::OnNcMouseMove"); }
void CKtvPBrowseEdit::OnLButtonDown(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPBrowseEdit::OnLButtonDown"); }
void CKtvPBrowseEdit::OnMouseMove(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPBrowseEdit::OnMouseMove"); }
void CKtvPBrowseEdit::OnLButtonUp(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPBrowseEdit::OnLButtonUp"); }
void CKtvPBrowseEdit::OnCancelMode() { KTVP_NOT_BUILT("CKtvPBrowseEdit::OnCancelMode"); }
