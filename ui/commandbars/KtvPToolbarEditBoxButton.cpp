#include "ui/commandbars/KtvPToolbarEditBoxButton.h"

#include <algorithm>

#include "platform/mfc/CArchive.h"
#include "platform/mfc/CDC.h"
#include "platform/mfc/CToolTipCtrl.h"
#include "platform/mfc/afxmsg.h"
#include "ui/commandbars/KtvPBoxButtonSupport.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPVisualManager.h"

IMPLEMENT_SERIAL(CKtvPToolbarEditBoxButton, CKtvPToolbarButton, 1)

namespace {

BOOL HasWindow(const CWnd* pWnd) { return pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr; }

BOOL HasLabelBelow(const CKtvPToolbarButton& button) { return button.m_bTextBelow && !button.m_strText.IsEmpty(); }

}  // namespace

CKtvPToolbarEditBoxButton::CKtvPToolbarEditBoxButton() = default;

CKtvPToolbarEditBoxButton::~CKtvPToolbarEditBoxButton() { DestroyEdit(); }

void CKtvPToolbarEditBoxButton::DestroyEdit()
{
    if (m_pWndEdit == nullptr)
        return;
    if (m_pWndEdit->GetSafeHwnd() != nullptr)
        m_pWndEdit->DestroyWindow();
    delete m_pWndEdit;
    m_pWndEdit = nullptr;
}

BOOL CKtvPToolbarEditBoxButton::IsDisabled() const
{
    return CKtvPToolBar::m_bCustomizeMode ? !IsEditable() : (m_nStyle & TBBS_DISABLED) != 0;
}

// --- storing and copying -------------------------------------------------------------------------

void CKtvPToolbarEditBoxButton::Serialize(CArchive& ar)
{
    CKtvPToolbarButton::Serialize(ar);

    if (ar.IsStoring()) {
        // A button without a window keeps and stores what it holds.
        if (HasWindow(m_pWndEdit))
            m_pWndEdit->GetWindowText(m_strContents);
        ar << (DWORD)m_nWidth << m_dwStyle;
        ar << m_strContents;
        if (ktvbox::StoresMenuResID())
            ar << (DWORD)m_uiMenuResID;
        if (ktvbox::StoresCalculatorFlag())
            ar << m_bCalculator;
        return;
    }

    DWORD dwWidth = 0;
    ar >> dwWidth >> m_dwStyle;
    m_nWidth = (int)dwWidth;
    m_rect.right = m_rect.left + m_nWidth;
    CString strContents;
    ar >> strContents;
    SetContents(strContents);
    if (ktvbox::StoresMenuResID()) {
        DWORD dwMenu = 0;
        ar >> dwMenu;
        m_uiMenuResID = dwMenu;
    }
    if (ktvbox::StoresCalculatorFlag())
        ar >> m_bCalculator;
}

void CKtvPToolbarEditBoxButton::CopyFrom(const CKtvPToolbarButton& s)
{
    CKtvPToolbarButton::CopyFrom(s);
    const auto& src = static_cast<const CKtvPToolbarEditBoxButton&>(s);
    m_dwStyle = src.m_dwStyle;
    m_nWidth = src.m_nWidth;
    m_strContents = src.m_strContents;
    m_uiMenuResID = src.m_uiMenuResID;
    m_bCalculator = src.m_bCalculator;
}

// --- the window ----------------------------------------------------------------------------------

CEdit* CKtvPToolbarEditBoxButton::CreateEdit(CWnd* pWndParent, const CRect& rect)
{
    auto* pEdit = new CKtvPEditBoxEdit(*this);
    if (!pEdit->Create(m_dwStyle, rect, pWndParent, m_nID)) {
        delete pEdit;
        return nullptr;
    }
    if (m_bCalculator)
        pEdit->EnableCalculatorButton();
    return pEdit;
}

void CKtvPToolbarEditBoxButton::SetContents(const CString& sContents)
{
    if (m_strContents == sContents)
        return;
    m_strContents = sContents;
    if (HasWindow(m_pWndEdit)) {
        m_bChangingText = TRUE;
        m_pWndEdit->SetWindowText(m_strContents);
        m_bChangingText = FALSE;
    }
}

void CKtvPToolbarEditBoxButton::GetEditBorder(CRect& rectBorder)
{
    m_pWndEdit->GetWindowRect(rectBorder);
    m_pWndEdit->GetParent()->ScreenToClient(rectBorder);
    rectBorder.InflateRect(1, 1);
}

void CKtvPToolbarEditBoxButton::OnChangeParentWnd(CWnd* pWndParent)
{
    CKtvPToolbarButton::OnChangeParentWnd(pWndParent);
    if (HasWindow(m_pWndEdit)) {
        if (m_pWndEdit->GetParent() == pWndParent)
            return;
        m_pWndEdit->GetWindowText(m_strContents);
    }
    DestroyEdit();
    if (pWndParent == nullptr || pWndParent->GetSafeHwnd() == nullptr)
        return;

    CRect rect = m_rect;
    rect.DeflateRect(3, 1);
    rect.bottom = rect.top + globalData.m_nTextHeight;
    CEdit* pEdit = CreateEdit(pWndParent, rect);
    if (pEdit == nullptr)
        return;
    m_pWndEdit = static_cast<CKtvPEditBoxEdit*>(pEdit);
    OnMove();
    m_pWndEdit->SetFont(&globalData.fontRegular);

    if (m_pWndEdit->GetWindowTextLength() > 0) {
        m_pWndEdit->GetWindowText(m_strContents);
    } else {
        m_bChangingText = TRUE;
        m_pWndEdit->SetWindowText(m_strContents);
        m_bChangingText = FALSE;
    }
}

void CKtvPToolbarEditBoxButton::OnMove()
{
    if (!HasWindow(m_pWndEdit) || (m_pWndEdit->GetStyle() & WS_VISIBLE) == 0)
        return;
    const int cyText = globalData.m_nTextHeight;
    const int y = std::max(0, m_rect.top + (m_rect.Height() - m_sizeText.cy - cyText) / 2);
    m_pWndEdit->SetWindowPos(nullptr, m_rect.left + 3, y, m_rect.Width() - 6, cyText,
                             SWP_NOZORDER | SWP_NOACTIVATE);
    m_pWndEdit->SetSel(-1, 0);
    m_pWndEdit->SendMessage(EM_SCROLLCARET);
}

void CKtvPToolbarEditBoxButton::OnSize(int iSize)
{
    m_nWidth = iSize;
    m_rect.right = m_rect.left + iSize;
    OnMove();
}

HWND CKtvPToolbarEditBoxButton::GetHwnd() { return HasWindow(m_pWndEdit) ? m_pWndEdit->GetSafeHwnd() : nullptr; }

BOOL CKtvPToolbarEditBoxButton::CanBeStretched() const { return TRUE; }

CSize CKtvPToolbarEditBoxButton::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz)
{
    if (!m_bVisible) {
        if (HasWindow(m_pWndEdit))
            m_pWndEdit->ShowWindow(SW_HIDE);
        return CSize(0, 0);
    }
    m_bHorzMeasured = bHorz;
    if (!bHorz) {
        if (HasWindow(m_pWndEdit))
            m_pWndEdit->ShowWindow(SW_HIDE);
        m_sizeText = CSize(0, 0);
        return CKtvPToolbarButton::OnCalculateSize(pDC, sizeDefault, bHorz);
    }
    if (HasWindow(m_pWndEdit) && !m_bOverflow && (m_pWndEdit->GetStyle() & WS_VISIBLE) == 0)
        m_pWndEdit->ShowWindow(SW_SHOWNOACTIVATE);

    m_sizeText = CSize(0, 0);
    if (HasLabelBelow(*this)) {
        CRect rectText(0, 0, m_nWidth, sizeDefault.cy);
        pDC->DrawText(m_strText, rectText, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
        m_sizeText = rectText.Size();
    }
    return CSize(m_nWidth, sizeDefault.cy + m_sizeText.cy);
}

void CKtvPToolbarEditBoxButton::OnShow(BOOL bShow)
{
    if (!HasWindow(m_pWndEdit))
        return;
    // On a vertical bar the button shows as a plain one, without its box.
    if (!bShow || !m_bHorzMeasured) {
        m_pWndEdit->ShowWindow(SW_HIDE);
        return;
    }
    m_pWndEdit->ShowWindow(SW_SHOWNOACTIVATE);
    OnMove();
}

BOOL CKtvPToolbarEditBoxButton::OnClick(CWnd*, BOOL) { return IsWindowVisible(); }

void CKtvPToolbarEditBoxButton::SetStyle(UINT nStyle)
{
    m_nStyle = nStyle;
    if (HasWindow(m_pWndEdit))
        m_pWndEdit->EnableWindow(!IsDisabled());
}

void CKtvPToolbarEditBoxButton::EnableWindow(BOOL bEnable)
{
    if (HasWindow(m_pWndEdit))
        m_pWndEdit->EnableWindow(bEnable);
}

BOOL CKtvPToolbarEditBoxButton::IsWindowVisible()
{
    return HasWindow(m_pWndEdit) && (m_pWndEdit->GetStyle() & WS_VISIBLE) != 0;
}

BOOL CKtvPToolbarEditBoxButton::IsOwnerOf(HWND hwnd)
{
    HWND hwndEdit = GetHwnd();
    return hwndEdit != nullptr && hwnd != nullptr && (hwnd == hwndEdit || ::IsChild(hwndEdit, hwnd));
}

BOOL CKtvPToolbarEditBoxButton::HasFocus() const
{
    return const_cast<CKtvPToolbarEditBoxButton*>(this)->IsOwnerOf(::GetFocus());
}

BOOL CKtvPToolbarEditBoxButton::HaveHotBorder() const
{
    return !const_cast<CKtvPToolbarEditBoxButton*>(this)->IsWindowVisible();
}

void CKtvPToolbarEditBoxButton::SetHotEdit(BOOL bHot)
{
    if (m_bIsHotEdit == bHot)
        return;
    m_bIsHotEdit = bHot;
    if (HasWindow(m_pWndEdit)) {
        CWnd* pParent = m_pWndEdit->GetParent();
        pParent->InvalidateRect(m_rect, TRUE);
        pParent->UpdateWindow();
    }
}

// --- notifications -------------------------------------------------------------------------------

BOOL CKtvPToolbarEditBoxButton::NotifyCommand(int iNotifyCode)
{
    if (iNotifyCode != EN_UPDATE || !HasWindow(m_pWndEdit))
        return FALSE;
    m_pWndEdit->GetWindowText(m_strContents);

    CObList lstButtons;
    CKtvPToolBar::GetCommandButtons(m_nID, lstButtons);
    for (POSITION pos = lstButtons.GetHeadPosition(); pos != nullptr;) {
        auto* pOther = DYNAMIC_DOWNCAST(CKtvPToolbarEditBoxButton, lstButtons.GetNext(pos));
        if (pOther != nullptr && pOther != this)
            pOther->SetContents(m_strContents);
    }
    // A change the button made itself is no command of the user's.
    return !m_bChangingText;
}

// --- drawing -------------------------------------------------------------------------------------

void CKtvPToolbarEditBoxButton::OnDraw(CDC* pDC, const CRect& rect, CKtvPToolBarImages* pImages, BOOL bHorz,
                                       BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder,
                                       BOOL bGrayDisabledButtons)
{
    if (!IsWindowVisible()) {
        CKtvPToolbarButton::OnDraw(pDC, rect, pImages, bHorz, bCustomizeMode, bHighlight, bDrawBorder,
                                   bGrayDisabledButtons);
        return;
    }
    const BOOL bDisabled = IsDisabled();
    CRect rectBorder;
    GetEditBorder(rectBorder);
    CKtvPVisualManager::GetInstance()->OnDrawEditBorder(pDC, rectBorder, bDisabled, TRUE, this);

    if (HasLabelBelow(*this) && bHorz) {
        const COLORREF clrText = bDisabled    ? globalData.clrGrayedText
                                 : bHighlight ? CKtvPToolBar::GetToolbarTextColor()
                                              : globalData.clrBtnText;
        CRect rectLabel = rect;
        rectLabel.top = (rect.bottom + rectBorder.bottom - m_sizeText.cy) / 2;
        const COLORREF clrOld = pDC->SetTextColor(clrText);
        pDC->DrawText(m_strText, rectLabel, DT_CENTER | DT_WORDBREAK);
        pDC->SetTextColor(clrOld);
    }
}

// With a label under the box, the label's width centred on the button, down
// to the label's bottom.
const CRect CKtvPToolbarEditBoxButton::GetInvalidateRect() const
{
    if (!HasLabelBelow(*this) || !m_bHorzMeasured)
        return m_rect;
    CRect rect = m_rect;
    const int cxLabel = std::max(m_sizeText.cx, m_rect.Width());
    rect.left = (m_rect.left + m_rect.right - cxLabel) / 2;
    rect.right = (m_rect.left + m_rect.right + cxLabel) / 2;
    rect.bottom = std::max(m_rect.bottom, m_rect.top + m_rect.Height() + m_sizeText.cy);
    return rect;
}

int CKtvPToolbarEditBoxButton::OnDrawOnCustomizeList(CDC* pDC, const CRect& rect, BOOL bSelected)
{
    const int cxLabel = CKtvPToolbarButton::OnDrawOnCustomizeList(pDC, rect, bSelected);
    CRect rectBox = rect;
    rectBox.left = rectBox.right - std::max(rect.Width() - cxLabel, 8);
    rectBox.DeflateRect(2, 3);
    pDC->FillSolidRect(rectBox, globalData.clrWindow);
    pDC->DrawEdge(rectBox, EDGE_SUNKEN, BF_RECT);
    return rect.Width();
}

// --- the rest ------------------------------------------------------------------------------------

void CKtvPToolbarEditBoxButton::OnAddToCustomizePage()
{
    CObList lstButtons;
    CKtvPToolBar::GetCommandButtons(m_nID, lstButtons);
    for (POSITION pos = lstButtons.GetHeadPosition(); pos != nullptr;) {
        auto* pOther = DYNAMIC_DOWNCAST(CKtvPToolbarEditBoxButton, lstButtons.GetNext(pos));
        if (pOther != nullptr && pOther != this) {
            CopyFrom(*pOther);
            return;
        }
    }
}

HBRUSH CKtvPToolbarEditBoxButton::OnCtlColor(CDC* pDC, UINT) { return ktvbox::CtlColor(pDC); }

void CKtvPToolbarEditBoxButton::OnGlobalFontsChanged()
{
    CKtvPToolbarButton::OnGlobalFontsChanged();
    if (HasWindow(m_pWndEdit))
        m_pWndEdit->SetFont(&globalData.fontRegular);
}

BOOL CKtvPToolbarEditBoxButton::AddToolTip(CKtvPToolBar*, int, CToolTipCtrl* pToolTip, LPCTSTR lpszText)
{
    if (!HasWindow(m_pWndEdit))
        return FALSE;
    CString strTip;
    if (!GetToolTipText(strTip))
        strTip = lpszText;
    pToolTip->AddTool(m_pWndEdit, strTip);
    return TRUE;
}

// --- the hosted window ---------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CKtvPEditBoxEdit, CKtvPBrowseEdit)
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

CKtvPEditBoxEdit::CKtvPEditBoxEdit(CKtvPToolbarEditBoxButton& edit) : m_buttonEdit(edit) {}
CKtvPEditBoxEdit::~CKtvPEditBoxEdit() = default;

// Editing keys stay in the box: the frame's accelerators never see them.
BOOL CKtvPEditBoxEdit::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message != WM_KEYDOWN)
        return CKtvPBrowseEdit::PreTranslateMessage(pMsg);

    switch (pMsg->wParam) {
    case VK_TAB:
        if (CWnd* pParent = GetParent()) {
            if (CWnd* pNext = pParent->GetNextDlgTabItem(this))
                pNext->SetFocus();
        }
        return TRUE;
    case VK_ESCAPE:
        if (CWnd* pFrame = GetTopLevelFrame())
            pFrame->SetFocus();
        return TRUE;
    default:
        break;
    }

    if (CWnd::GetFocus() == this && ::GetKeyState(VK_CONTROL) < 0) {
        UINT nMessage = 0;
        switch (pMsg->wParam) {
        case VK_DELETE: nMessage = WM_CLEAR; break;
        case 'C': nMessage = WM_COPY; break;
        case 'V': nMessage = WM_PASTE; break;
        case 'X': nMessage = WM_CUT; break;
        case 'Z': nMessage = EM_UNDO; break;
        default: break;
        }
        if (nMessage != 0) {
            SendMessage(nMessage);
            return TRUE;
        }
    }
    return CKtvPBrowseEdit::PreTranslateMessage(pMsg);
}

void CKtvPEditBoxEdit::OnSetFocus(CWnd* pOldWnd)
{
    CKtvPBrowseEdit::OnSetFocus(pOldWnd);
    m_buttonEdit.SetHotEdit(TRUE);
}

void CKtvPEditBoxEdit::OnKillFocus(CWnd* pNewWnd)
{
    CKtvPBrowseEdit::OnKillFocus(pNewWnd);
    m_buttonEdit.SetHotEdit(FALSE);
}

void CKtvPEditBoxEdit::OnMouseMove(UINT nFlags, CPoint point)
{
    CKtvPBrowseEdit::OnMouseMove(nFlags, point);
    m_buttonEdit.SetHotEdit(TRUE);
    ktvbox::TrackMouseLeave(this, m_bTracked);
}

void CKtvPEditBoxEdit::OnMouseLeave()
{
    m_bTracked = FALSE;
    if (CWnd::GetFocus() != this)
        m_buttonEdit.SetHotEdit(FALSE);
}

void CKtvPEditBoxEdit::OnContextMenu(CWnd* pWnd, CPoint point)
{
    if (!ktvbox::ShowContextMenu(m_buttonEdit.m_uiMenuResID, point, GetParent()))
        CKtvPBrowseEdit::OnContextMenu(pWnd, point);
}
