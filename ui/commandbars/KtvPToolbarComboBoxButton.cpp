#include "ui/commandbars/KtvPToolbarComboBoxButton.h"

#include <cstring>

#include "platform/mfc/CArchive.h"
#include "platform/mfc/CDC.h"
#include "platform/mfc/CToolTipCtrl.h"
#include "platform/mfc/afxmsg.h"
#include "ui/commandbars/KtvPBoxButtonSupport.h"
#include "ui/commandbars/KtvPMenuImages.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/commandbars/KtvPToolbarMenuButton.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPVisualManager.h"

IMPLEMENT_SERIAL(CKtvPToolbarComboBoxButton, CKtvPToolbarButton, 1)

BOOL CKtvPToolbarComboBoxButton::m_bFlat = TRUE;

CKtvPToolbarComboBoxButton::CKtvPToolbarComboBoxButton() : m_lstItems(10), m_lstItemData(10) {}

CKtvPToolbarComboBoxButton::CKtvPToolbarComboBoxButton(UINT uiID, int iImage, DWORD dwStyle, int iWidth)
    : CKtvPToolbarButton(uiID, iImage), m_lstItems(10), m_lstItemData(10)
{
    m_dwStyle = dwStyle | WS_CHILD | WS_VISIBLE | WS_VSCROLL;
    m_nWidth = iWidth == 0 ? 150 : iWidth;
}

CKtvPToolbarComboBoxButton::~CKtvPToolbarComboBoxButton() { DestroyWindows(); }

namespace {

// The buttons of the same command on every bar, this one left out.
template <typename Fn>
void ForOtherCombos(CKtvPToolbarComboBoxButton* pThis, Fn fn)
{
    CObList lstButtons;
    if (CKtvPToolBar::GetCommandButtons(pThis->m_nID, lstButtons) == 0)
        return;
    for (POSITION pos = lstButtons.GetHeadPosition(); pos != nullptr;) {
        auto* pOther = DYNAMIC_DOWNCAST(CKtvPToolbarComboBoxButton, lstButtons.GetNext(pos));
        if (pOther != nullptr && pOther != pThis)
            fn(pOther);
    }
}

BOOL HasLabelBelow(const CKtvPToolbarButton& button) { return button.m_bTextBelow && !button.m_strText.IsEmpty(); }

void SetTextIfDifferent(CWnd* pWnd, const CString& strText)
{
    if (pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr && ktvbox::WindowText(pWnd) != strText)
        pWnd->SetWindowText(strText);
}

BOOL IsWindowShown(const CWnd* pWnd) { return pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr && (pWnd->GetStyle() & WS_VISIBLE); }

void ShowIfHidden(CWnd* pWnd, BOOL bShow)
{
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr || IsWindowShown(pWnd) == bShow)
        return;
    pWnd->ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
}

// Set while a change is copied to the other boxes of a command, so that the
// copies do not copy themselves back.
BOOL g_bCopyingToOthers = FALSE;

}  // namespace

void CKtvPToolbarComboBoxButton::DestroyWindows()
{
    if (m_pWndEdit != nullptr) {
        if (m_pWndEdit->GetSafeHwnd() != nullptr)
            m_pWndEdit->DestroyWindow();
        delete m_pWndEdit;
        m_pWndEdit = nullptr;
    }
    if (m_pWndCombo != nullptr) {
        if (m_pWndCombo->GetSafeHwnd() != nullptr)
            m_pWndCombo->DestroyWindow();
        delete m_pWndCombo;
        m_pWndCombo = nullptr;
    }
}

BOOL CKtvPToolbarComboBoxButton::HasCombo() const
{
    return m_pWndCombo != nullptr && m_pWndCombo->GetSafeHwnd() != nullptr;
}

BOOL CKtvPToolbarComboBoxButton::IsDisabled() const
{
    return CKtvPToolBar::m_bCustomizeMode ? !IsEditable() : (m_nStyle & TBBS_DISABLED) != 0;
}

// --- storing and copying -------------------------------------------------------------------------

void CKtvPToolbarComboBoxButton::Serialize(CArchive& ar)
{
    CKtvPToolbarButton::Serialize(ar);

    if (ar.IsStoring()) {
        // The window holds the truth while it exists.
        if (HasCombo()) {
            m_lstItems.RemoveAll();
            m_lstItemData.RemoveAll();
            for (int i = 0; i < m_pWndCombo->GetCount(); i++) {
                CString strItem;
                m_pWndCombo->GetLBText(i, strItem);
                m_lstItems.AddTail(strItem);
                m_lstItemData.AddTail(m_pWndCombo->GetItemData(i));
            }
        }
        ar << (DWORD)m_nWidth << m_dwStyle << (DWORD)m_iSelIndex;
        ar << m_strEdit;
        ar << (DWORD)m_nDropDownHeight;
        if (ktvbox::StoresMenuResID())
            ar << (DWORD)m_uiMenuResID;
        m_lstItems.Serialize(ar);
        for (POSITION pos = m_lstItemData.GetHeadPosition(); pos != nullptr;)
            ar << (DWORD)m_lstItemData.GetNext(pos);
        return;
    }

    DWORD dwWidth = 0, dwSel = 0, dwDropDown = 0;
    ar >> dwWidth >> m_dwStyle >> dwSel;
    m_nWidth = (int)dwWidth;
    m_rect.right = m_rect.left + m_nWidth;
    m_iSelIndex = (int)dwSel;
    ar >> m_strEdit;
    ar >> dwDropDown;
    m_nDropDownHeight = (int)dwDropDown;
    if (ktvbox::StoresMenuResID()) {
        DWORD dwMenu = 0;
        ar >> dwMenu;
        m_uiMenuResID = dwMenu;
    }
    m_lstItems.Serialize(ar);
    m_lstItemData.RemoveAll();
    for (INT_PTR i = 0; i < m_lstItems.GetCount(); i++) {
        DWORD dwData = 0;
        ar >> dwData;
        m_lstItemData.AddTail(dwData);
    }
    OnItemListReplaced();
    SelectItem(m_iSelIndex, TRUE);
}

void CKtvPToolbarComboBoxButton::CopyFrom(const CKtvPToolbarButton& s)
{
    CKtvPToolbarButton::CopyFrom(s);
    const auto& src = static_cast<const CKtvPToolbarComboBoxButton&>(s);

    m_lstItems.RemoveAll();
    m_lstItems.AddTail(const_cast<CStringList*>(&src.m_lstItems));
    ClearData();
    m_lstItemData.RemoveAll();
    for (POSITION pos = src.m_lstItemData.GetHeadPosition(); pos != nullptr;)
        m_lstItemData.AddTail(src.m_lstItemData.GetNext(pos));
    OnItemListReplaced();

    m_dwStyle = src.m_dwStyle;
    m_nWidth = src.m_nWidth;
    m_iSelIndex = src.m_iSelIndex;
    m_nDropDownHeight = src.m_nDropDownHeight;
    m_uiMenuResID = src.m_uiMenuResID;
}

// --- items ---------------------------------------------------------------------------------------

int CKtvPToolbarComboBoxButton::AddItem(LPCTSTR lpszItem, DWORD_PTR dwData)
{
    if (m_strEdit.IsEmpty()) {
        m_strEdit = lpszItem;
        SetTextIfDifferent(m_pWndEdit, m_strEdit);
    }

    // A string listed already takes the new data, as the window's item does.
    if (POSITION pos = m_lstItems.Find(lpszItem)) {
        int iIndex = 0;
        for (POSITION p = m_lstItems.GetHeadPosition(); p != pos; m_lstItems.GetNext(p))
            iIndex++;
        if (POSITION posData = m_lstItemData.FindIndex(iIndex))
            m_lstItemData.SetAt(posData, dwData);
    } else {
        m_lstItems.AddTail(lpszItem);
        m_lstItemData.AddTail(dwData);
    }

    if (HasCombo()) {
        int iWnd = m_pWndCombo->FindStringExact(-1, lpszItem);
        if (iWnd == CB_ERR)
            iWnd = m_pWndCombo->AddString(lpszItem);
        m_pWndCombo->SetCurSel(iWnd);
        m_pWndCombo->SetItemData(iWnd, dwData);
        m_pWndCombo->SetEditSel(-1, 0);
    }
    return (int)m_lstItems.GetCount() - 1;
}

LPCTSTR CKtvPToolbarComboBoxButton::GetItem(int iIndex) const
{
    if (iIndex == -1)
        iIndex = HasCombo() ? m_pWndCombo->GetCurSel() : m_iSelIndex;
    if (iIndex < 0)
        return nullptr;
    POSITION pos = m_lstItems.FindIndex(iIndex);
    return pos == nullptr ? nullptr : (LPCTSTR)m_lstItems.GetAt(pos);
}

DWORD_PTR CKtvPToolbarComboBoxButton::GetItemData(int iIndex) const
{
    if (iIndex == -1)
        iIndex = HasCombo() ? m_pWndCombo->GetCurSel() : m_iSelIndex;
    if (iIndex < 0)
        return 0;
    if (HasCombo())
        return iIndex < m_pWndCombo->GetCount() ? m_pWndCombo->GetItemData(iIndex) : 0;
    POSITION pos = m_lstItemData.FindIndex(iIndex);
    return pos == nullptr ? 0 : m_lstItemData.GetAt(pos);
}

void CKtvPToolbarComboBoxButton::RemoveAllItems()
{
    m_lstItems.RemoveAll();
    ClearData();
    m_lstItemData.RemoveAll();
    if (HasCombo())
        m_pWndCombo->ResetContent();
    // No item is left to be selected.
    m_iSelIndex = -1;
    m_strEdit.Empty();
    SetTextIfDifferent(m_pWndEdit, m_strEdit);
}

int CKtvPToolbarComboBoxButton::GetCount() const { return (int)m_lstItems.GetCount(); }

BOOL CKtvPToolbarComboBoxButton::SelectItem(int iIndex, BOOL bNotify)
{
    if (iIndex < 0 || iIndex >= GetCount())
        return FALSE;
    m_iSelIndex = iIndex;
    if (!HasCombo())
        return TRUE;

    m_pWndCombo->GetLBText(iIndex, m_strEdit);
    SetTextIfDifferent(m_pWndEdit, m_strEdit);
    if (m_pWndCombo->GetCurSel() == iIndex)
        return TRUE;
    if (m_pWndCombo->SetCurSel(iIndex) == CB_ERR)
        return FALSE;
    if (bNotify)
        NotifyCommand(CBN_SELENDOK);
    return TRUE;
}

BOOL CKtvPToolbarComboBoxButton::SelectItemByText(LPCTSTR lpszText)
{
    int iIndex = 0;
    for (POSITION pos = m_lstItems.GetHeadPosition(); pos != nullptr; iIndex++) {
        if (Compare(m_lstItems.GetNext(pos), lpszText) == 0)
            return SelectItem(iIndex, TRUE);
    }
    return FALSE;
}

int CKtvPToolbarComboBoxButton::Compare(LPCTSTR lpszItem1, LPCTSTR lpszItem2)
{
    return strcmp(lpszItem1, lpszItem2);
}

// --- windows -------------------------------------------------------------------------------------

CComboBox* CKtvPToolbarComboBoxButton::CreateCombo(CWnd* pWndParent, const CRect& rect)
{
    auto* pCombo = new CComboBox;
    if (!pCombo->Create(m_dwStyle, rect, pWndParent, m_nID)) {
        delete pCombo;
        return nullptr;
    }
    return pCombo;
}

void CKtvPToolbarComboBoxButton::OnChangeParentWnd(CWnd* pWndParent)
{
    CKtvPToolbarButton::OnChangeParentWnd(pWndParent);
    if (HasCombo() && m_pWndCombo->GetParent() == pWndParent)
        return;
    DestroyWindows();
    if (pWndParent == nullptr || pWndParent->GetSafeHwnd() == nullptr)
        return;

    const BOOL bDisabled = CKtvPToolBar::m_bCustomizeMode || (m_nStyle & TBBS_DISABLED);
    CRect rect = m_rect;
    rect.DeflateRect(2, 0);
    rect.bottom = rect.top + m_nDropDownHeight;
    m_pWndCombo = CreateCombo(pWndParent, rect);
    if (m_pWndCombo == nullptr)
        return;
    // The flat box is drawn by the button; the real one only lends its list.
    if (m_bFlat)
        m_pWndCombo->ShowWindow(SW_HIDE);
    m_pWndCombo->EnableWindow(!bDisabled);
    m_pWndCombo->RedrawWindow();

    if (m_bFlat && (m_dwStyle & 0x0003) == CBS_DROPDOWN) {
        m_pWndEdit = new CKtvPComboEdit(*this);
        const DWORD dwEditStyle = WS_CHILD | WS_VISIBLE | ES_WANTRETURN | ES_AUTOHSCROLL | (m_dwStyle & WS_TABSTOP);
        if (!m_pWndEdit->Create(dwEditStyle, rect, pWndParent, m_nID)) {
            delete m_pWndEdit;
            m_pWndEdit = nullptr;
        } else {
            m_pWndEdit->SetFont(&globalData.fontRegular);
            CWnd* pOwner = pWndParent->GetOwner();
            m_pWndEdit->SetOwner(pOwner != nullptr ? pOwner : pWndParent->GetParent());
            m_pWndEdit->EnableWindow(!bDisabled);
        }
    }

    AdjustRect();
    m_pWndCombo->SetFont(&globalData.fontRegular);

    if (m_pWndCombo->GetCount() <= 0) {
        POSITION posData = m_lstItemData.GetHeadPosition();
        for (POSITION pos = m_lstItems.GetHeadPosition(); pos != nullptr;) {
            const int iWnd = m_pWndCombo->AddString(m_lstItems.GetNext(pos));
            m_pWndCombo->SetItemData(iWnd, posData != nullptr ? m_lstItemData.GetNext(posData) : 0);
        }
        m_pWndCombo->SetCurSel(m_iSelIndex);
    } else {
        // A derived CreateCombo filled the window itself: its items are the lists now.
        m_lstItems.RemoveAll();
        ClearData();
        m_lstItemData.RemoveAll();
        for (int i = 0; i < m_pWndCombo->GetCount(); i++) {
            CString strItem;
            m_pWndCombo->GetLBText(i, strItem);
            m_lstItems.AddTail(strItem);
            m_lstItemData.AddTail(m_pWndCombo->GetItemData(i));
        }
        m_iSelIndex = m_pWndCombo->GetCurSel();
    }

    if (m_iSelIndex >= 0 && m_iSelIndex < m_pWndCombo->GetCount()) {
        m_pWndCombo->GetLBText(m_iSelIndex, m_strEdit);
        SetTextIfDifferent(m_pWndCombo, m_strEdit);
        SetTextIfDifferent(m_pWndEdit, m_strEdit);
    } else {
        SetTextIfDifferent(m_pWndEdit, m_strEdit);
    }
}

void CKtvPToolbarComboBoxButton::AdjustRect()
{
    if (!HasCombo())
        return;
    if (m_rect.IsRectEmpty()) {
        m_rectCombo.SetRectEmpty();
        m_rectButton.SetRectEmpty();
        return;
    }
    m_pWndCombo->SetWindowPos(nullptr, m_rect.left + 1, m_rect.top, m_rect.Width() - 2, m_nDropDownHeight,
                              SWP_NOZORDER | SWP_NOACTIVATE);
    m_pWndCombo->SetEditSel(-1, 0);
    m_pWndCombo->GetWindowRect(m_rectCombo);
    m_pWndCombo->GetParent()->ScreenToClient(m_rectCombo);

    if (!m_bFlat) {
        m_rectButton.SetRectEmpty();
        return;
    }
    m_rectButton = m_rectCombo;
    m_rectButton.left = m_rectButton.right - CKtvPMenuImages::Size().cx * 2;
    m_rectButton.DeflateRect(2, 2);

    m_rect.left = m_rectCombo.left - 1;
    m_rect.right = m_rectCombo.right + 1;
    if (!HasLabelBelow(*this)) {
        m_rect.top = m_rectCombo.top;
        m_rect.bottom = m_rectCombo.bottom;
    }
    if (m_pWndEdit != nullptr && m_pWndEdit->GetSafeHwnd() != nullptr) {
        m_pWndEdit->SetWindowPos(nullptr, m_rectCombo.left + 3, m_rect.top + 3,
                                 m_rect.right + m_rectButton.left - m_rectButton.right - m_rect.left - 8,
                                 m_rectCombo.Height() - 6, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// On a vertical bar the button is a plain one: its rectangle is the bar's to give.
void CKtvPToolbarComboBoxButton::OnMove()
{
    if (m_bHorzMeasured)
        AdjustRect();
}

void CKtvPToolbarComboBoxButton::OnSize(int iSize)
{
    m_nWidth = iSize;
    m_rect.right = m_rect.left + iSize;
    OnMove();
}

HWND CKtvPToolbarComboBoxButton::GetHwnd() { return HasCombo() ? m_pWndCombo->GetSafeHwnd() : nullptr; }

CSize CKtvPToolbarComboBoxButton::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz)
{
    m_sizeText = CSize(0, 0);
    m_bHorzMeasured = bHorz;

    if (!m_bVisible) {
        ShowIfHidden(m_pWndCombo, FALSE);
        ShowIfHidden(m_pWndEdit, FALSE);
        return CSize(0, 0);
    }
    if (m_bFlat)
        ShowIfHidden(m_pWndCombo, FALSE);
    if (!bHorz) {
        // A plain button on a vertical bar: no box window stands over it.
        ShowIfHidden(m_pWndCombo, FALSE);
        ShowIfHidden(m_pWndEdit, FALSE);
        return CKtvPToolbarButton::OnCalculateSize(pDC, sizeDefault, bHorz);
    }
    if (!m_bFlat && !m_bOverflow)
        ShowIfHidden(m_pWndCombo, TRUE);
    if (!m_bOverflow)
        ShowIfHidden(m_pWndEdit, TRUE);

    if (HasLabelBelow(*this)) {
        CRect rectText(0, 0, m_nWidth, sizeDefault.cy);
        pDC->DrawText(m_strText, rectText, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
        m_sizeText = rectText.Size();
    }
    int cy = sizeDefault.cy;
    if (HasCombo()) {
        CRect rectCombo;
        m_pWndCombo->GetWindowRect(rectCombo);
        cy = rectCombo.Height();
    }
    return CSize(m_nWidth, cy + m_sizeText.cy);
}

void CKtvPToolbarComboBoxButton::OnShow(BOOL bShow)
{
    if (bShow && m_bHorzMeasured) {
        AdjustRect();
        ShowIfHidden(m_pWndCombo, !m_bFlat);
        ShowIfHidden(m_pWndEdit, TRUE);
    } else {
        ShowIfHidden(m_pWndCombo, FALSE);
        ShowIfHidden(m_pWndEdit, FALSE);
    }
}

void CKtvPToolbarComboBoxButton::SetStyle(UINT nStyle)
{
    m_nStyle = nStyle;
    EnableWindow(!IsDisabled());
}

void CKtvPToolbarComboBoxButton::EnableWindow(BOOL bEnable)
{
    for (CWnd* pWnd : {static_cast<CWnd*>(m_pWndCombo), static_cast<CWnd*>(m_pWndEdit)}) {
        if (pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr) {
            pWnd->EnableWindow(bEnable);
            pWnd->RedrawWindow();
        }
    }
}

BOOL CKtvPToolbarComboBoxButton::IsWindowVisible() { return IsWindowShown(m_pWndCombo) || IsWindowShown(m_pWndEdit); }

BOOL CKtvPToolbarComboBoxButton::IsOwnerOf(HWND hwnd)
{
    for (CWnd* pWnd : {static_cast<CWnd*>(m_pWndCombo), static_cast<CWnd*>(m_pWndEdit)}) {
        HWND hwndOwn = pWnd != nullptr ? pWnd->GetSafeHwnd() : nullptr;
        if (hwndOwn != nullptr && (hwnd == hwndOwn || ::IsChild(hwndOwn, hwnd)))
            return TRUE;
    }
    return FALSE;
}

BOOL CKtvPToolbarComboBoxButton::HasFocus() const
{
    if (!HasCombo())
        return FALSE;
    if (m_pWndCombo->GetDroppedState())
        return TRUE;
    HWND hwndFocus = ::GetFocus();
    return const_cast<CKtvPToolbarComboBoxButton*>(this)->IsOwnerOf(hwndFocus) && hwndFocus != nullptr;
}

void CKtvPToolbarComboBoxButton::SetHotEdit(BOOL bHot)
{
    if (m_bIsHotEdit == bHot)
        return;
    m_bIsHotEdit = bHot;
    if (HasCombo()) {
        CWnd* pParent = m_pWndCombo->GetParent();
        pParent->InvalidateRect(m_rectCombo, TRUE);
        pParent->UpdateWindow();
    }
}

BOOL CKtvPToolbarComboBoxButton::OnClick(CWnd*, BOOL)
{
    if (!HasCombo() || !m_bHorzMeasured)
        return FALSE;
    if (!m_bFlat)
        return TRUE;
    if (m_pWndEdit != nullptr && m_pWndEdit->GetSafeHwnd() != nullptr)
        m_pWndEdit->SetFocus();
    else
        m_pWndCombo->SetFocus();
    m_pWndCombo->ShowDropDown(TRUE);
    m_pWndCombo->GetParent()->InvalidateRect(m_rectCombo);
    return TRUE;
}

// --- notifications -------------------------------------------------------------------------------

BOOL CKtvPToolbarComboBoxButton::NotifyCommand(int iNotifyCode)
{
    if (!HasCombo())
        return FALSE;
    if (m_bFlat) {
        if (iNotifyCode == 0)
            return TRUE;
        m_pWndCombo->GetParent()->InvalidateRect(m_rectCombo);
    }

    switch (iNotifyCode) {
    case CBN_SELCHANGE: {
        const int iSel = m_pWndCombo->GetCurSel();
        if (iSel >= 0 && m_pWndEdit != nullptr) {
            CString strItem;
            m_pWndCombo->GetLBText(iSel, strItem);
            SetTextIfDifferent(m_pWndEdit, strItem);
        }
        return TRUE;
    }
    case CBN_SETFOCUS:
        if (m_pWndEdit != nullptr && m_pWndEdit->GetSafeHwnd() != nullptr)
            m_pWndEdit->SetFocus();
        return TRUE;
    case CBN_KILLFOCUS:
    case CBN_EDITUPDATE:
        return TRUE;
    case CBN_EDITCHANGE:
        OnEditChange();
        return TRUE;
    case CBN_SELENDOK: {
        m_iSelIndex = m_pWndCombo->GetCurSel();
        if (m_iSelIndex < 0)
            return FALSE;
        m_pWndCombo->GetLBText(m_iSelIndex, m_strEdit);
        SetTextIfDifferent(m_pWndEdit, m_strEdit);
        const int iSel = m_iSelIndex;
        ForOtherCombos(this, [iSel](CKtvPToolbarComboBoxButton* pOther) { pOther->SelectItem(iSel, FALSE); });
        if (m_pWndEdit != nullptr && m_pWndEdit->GetSafeHwnd() != nullptr)
            m_pWndEdit->SetFocus();
        return TRUE;
    }
    default:
        return FALSE;
    }
}

// Typing in the box: the text is kept, the list points at the first item in
// list order that the text names (the same, else one it begins), and every
// other box of the command shows the same text.
void CKtvPToolbarComboBoxButton::OnEditChange()
{
    m_pWndCombo->GetWindowText(m_strEdit);
    if (m_pWndEdit != nullptr && m_pWndEdit->GetSafeHwnd() != nullptr) {
        const CString strTyped = ktvbox::WindowText(m_pWndEdit);
        int iMatch = m_pWndCombo->FindStringExact(-1, strTyped);
        if (iMatch == CB_ERR && !strTyped.IsEmpty())
            iMatch = m_pWndCombo->FindString(-1, strTyped);
        // The text first: the hidden box drops its selection when given a text of its own.
        m_pWndCombo->SetWindowText(strTyped);
        if (iMatch != CB_ERR)
            m_pWndCombo->SetCurSel(iMatch);
        m_strEdit = strTyped;
    }
    if (g_bCopyingToOthers)
        return;
    g_bCopyingToOthers = TRUE;
    const CString strText = m_strEdit;
    ForOtherCombos(this, [&strText](CKtvPToolbarComboBoxButton* pOther) {
        pOther->m_strEdit = strText;
        if (pOther->HasCombo())
            SetTextIfDifferent(pOther->m_pWndCombo, strText);
        SetTextIfDifferent(pOther->m_pWndEdit, strText);
    });
    g_bCopyingToOthers = FALSE;
}

// --- drawing -------------------------------------------------------------------------------------

void CKtvPToolbarComboBoxButton::OnDraw(CDC* pDC, const CRect& rect, CKtvPToolBarImages* pImages, BOOL bHorz,
                                        BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder,
                                        BOOL bGrayDisabledButtons)
{
    if (!HasCombo() || !bHorz) {
        CKtvPToolbarButton::OnDraw(pDC, rect, pImages, bHorz, bCustomizeMode, bHighlight, bDrawBorder,
                                   bGrayDisabledButtons);
        return;
    }
    const BOOL bDisabled = IsDisabled();
    const COLORREF clrText = bDisabled    ? globalData.clrGrayedText
                             : bHighlight ? CKtvPToolBar::GetToolbarTextColor()
                                          : globalData.clrBarText;
    CKtvPVisualManager* pManager = CKtvPVisualManager::GetInstance();

    if (m_bFlat) {
        const BOOL bHot = bHighlight || m_bIsHotEdit;
        const BOOL bDropped = m_pWndCombo->GetDroppedState();
        pManager->OnDrawComboBorder(pDC, m_rectCombo, bDisabled, bDropped, bHot, this);

        CRect rectInside = m_rectCombo;
        rectInside.DeflateRect(2, 2);
        pDC->FillSolidRect(rectInside, bDisabled ? globalData.clrBarFace : globalData.clrWindow);
        if (bDisabled)
            pDC->Draw3dRect(rectInside, globalData.clrBarHilite, globalData.clrBarHilite);
        pManager->OnDrawComboDropButton(pDC, m_rectButton, bDisabled, bDropped, bHot, this);

        if (!m_strEdit.IsEmpty() && m_pWndEdit == nullptr) {
            CRect rectText = rectInside;
            rectText.right = m_rectButton.left;
            rectText.DeflateRect(2, 2);
            if (m_dwStyle & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) {
                DRAWITEMSTRUCT dis{};
                dis.CtlType = ODT_COMBOBOX;
                dis.CtlID = m_nID;
                dis.itemID = (UINT)m_pWndCombo->GetCurSel();
                dis.hwndItem = m_pWndCombo->GetSafeHwnd();
                dis.hDC = pDC->GetSafeHdc();
                dis.rcItem = rectText;
                dis.itemData = m_pWndCombo->GetItemData((int)dis.itemID);
                m_pWndCombo->DrawItem(&dis);
            } else {
                const COLORREF clrOld = pDC->SetTextColor(clrText);
                pDC->DrawText(m_strEdit, rectText, DT_SINGLELINE | DT_VCENTER);
                pDC->SetTextColor(clrOld);
            }
        }
    }

    if (HasLabelBelow(*this)) {
        CRect rectLabel = rect;
        rectLabel.top = (m_rectCombo.bottom + rect.bottom - m_sizeText.cy) / 2;
        const COLORREF clrOld = pDC->SetTextColor(clrText);
        pDC->DrawText(m_strText, rectLabel, DT_CENTER | DT_WORDBREAK);
        pDC->SetTextColor(clrOld);
    }
}

int CKtvPToolbarComboBoxButton::OnDrawOnCustomizeList(CDC* pDC, const CRect& rect, BOOL bSelected)
{
    const int cxLabel = CKtvPToolbarButton::OnDrawOnCustomizeList(pDC, rect, bSelected);
    const int cxSpace = rect.Width() - cxLabel - 5;
    if (cxSpace < 10)
        return rect.Width();

    CRect rectBox = rect;
    rectBox.DeflateRect(2, 2);
    rectBox.left = rectBox.right - cxSpace;
    pDC->FillSolidRect(rectBox, globalData.clrWindow);
    CKtvPVisualManager* pManager = CKtvPVisualManager::GetInstance();
    pManager->OnDrawComboBorder(pDC, rectBox, FALSE, FALSE, TRUE, this);

    CRect rectDrop = rectBox;
    rectDrop.left = rectDrop.right - rectDrop.Height();
    rectDrop.DeflateRect(2, 2);
    pManager->OnDrawComboDropButton(pDC, rectDrop, FALSE, FALSE, FALSE, this);
    return rect.Width();
}

// --- the rest ------------------------------------------------------------------------------------

BOOL CKtvPToolbarComboBoxButton::CanBeStretched() const { return TRUE; }

CEdit* CKtvPToolbarComboBoxButton::GetEditCtrl() { return m_pWndEdit; }

void CKtvPToolbarComboBoxButton::OnItemListReplaced() {}

void CKtvPToolbarComboBoxButton::ClearData() {}

CString CKtvPToolbarComboBoxButton::GetPrompt() const { return CString(); }

// ----------------------------------------------------------------------

BOOL CKtvPToolbarComboBoxButton::ExportToMenuButton(CKtvPToolbarMenuButton& menuButton) const
{
    CString strResource;
    if (strResource.LoadString(m_nID)) {
        const int iBreak = strResource.Find(_T('\n'));
        menuButton.m_strText = iBreak < 0 ? CString() : strResource.Mid(iBreak + 1);
    }
    return TRUE;
}

void CKtvPToolbarComboBoxButton::OnAddToCustomizePage()
{
    CObList lstButtons;
    if (CKtvPToolBar::GetCommandButtons(m_nID, lstButtons) == 0)
        return;
    for (POSITION pos = lstButtons.GetHeadPosition(); pos != nullptr;) {
        auto* pOther = DYNAMIC_DOWNCAST(CKtvPToolbarComboBoxButton, lstButtons.GetNext(pos));
        if (pOther != nullptr && pOther != this) {
            CopyFrom(*pOther);
            return;
        }
    }
}

HBRUSH CKtvPToolbarComboBoxButton::OnCtlColor(CDC* pDC, UINT) { return ktvbox::CtlColor(pDC); }

void CKtvPToolbarComboBoxButton::OnGlobalFontsChanged()
{
    CKtvPToolbarButton::OnGlobalFontsChanged();
    for (CWnd* pWnd : {static_cast<CWnd*>(m_pWndCombo), static_cast<CWnd*>(m_pWndEdit)}) {
        if (pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr)
            pWnd->SetFont(&globalData.fontRegular);
    }
}

BOOL CKtvPToolbarComboBoxButton::AddToolTip(CKtvPToolBar* pWndBar, int iIndex, CToolTipCtrl* pToolTip,
                                            LPCTSTR lpszText)
{
    if (!m_bHorzMeasured)
        return FALSE;
    CString strTip = lpszText;
    CString strOwn;
    if (GetToolTipText(strOwn))
        strTip = strOwn;

    if (m_bFlat) {
        if ((m_dwStyle & 0x0003) == CBS_DROPDOWN) {
            if (m_pWndEdit != nullptr && m_pWndEdit->GetSafeHwnd() != nullptr)
                pToolTip->AddTool(m_pWndEdit, strTip);
        } else {
            pToolTip->AddTool(pWndBar, strTip, m_rect, iIndex + 1);
        }
    } else if (HasCombo()) {
        pToolTip->AddTool(m_pWndCombo, strTip);
    }
    return TRUE;
}

BEGIN_MESSAGE_MAP(CKtvPComboEdit, CEdit)
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_CONTROL_REFLECT(EN_CHANGE, OnChange)
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_CONTEXTMENU()
    ON_WM_PAINT()
END_MESSAGE_MAP()

CKtvPComboEdit::CKtvPComboEdit(CKtvPToolbarComboBoxButton& combo) : m_combo(combo) {}
CKtvPComboEdit::~CKtvPComboEdit() = default;

BOOL CKtvPComboEdit::PreTranslateMessage(MSG* pMsg)
{
    CComboBox* pCombo = m_combo.m_pWndCombo;
    const BOOL bDropped = pCombo != nullptr && pCombo->GetSafeHwnd() != nullptr && pCombo->GetDroppedState();

    if (pMsg->message == WM_MOUSEWHEEL && bDropped) {
        pCombo->SendMessage(pMsg->message, pMsg->wParam, pMsg->lParam);
        return TRUE;
    }
    if (pMsg->message != WM_KEYDOWN)
        return CEdit::PreTranslateMessage(pMsg);

    const UINT nKey = (UINT)pMsg->wParam;
    const BOOL bPlain = ::GetKeyState(VK_MENU) >= 0 && ::GetKeyState(VK_CONTROL) >= 0;
    if (bPlain) {
        switch (nKey) {
        case VK_PRIOR:
        case VK_NEXT:
        case VK_END:
        case VK_HOME:
        case VK_UP:
        case VK_DOWN:
        case VK_RETURN:
            if (bDropped) {
                SetFocus();
                pCombo->SendMessage(WM_KEYDOWN, pMsg->wParam, pMsg->lParam);
                return TRUE;
            }
            if (nKey == VK_RETURN && pCombo != nullptr && pCombo->GetSafeHwnd() != nullptr) {
                GetWindowText(m_combo.m_strEdit);
                CWnd* pTarget = pCombo->GetOwner();
                if (pTarget == nullptr)
                    pTarget = pCombo->GetParent();
                if (pTarget != nullptr)
                    pTarget->PostMessage(WM_COMMAND, m_combo.m_nID, (LPARAM)pCombo->GetSafeHwnd());
                return TRUE;
            }
            break;
        default:
            break;
        }
    }

    switch (nKey) {
    case VK_TAB:
        if (CWnd* pParent = GetParent()) {
            if (CWnd* pNext = pParent->GetNextDlgTabItem(this))
                pNext->SetFocus();
        }
        return TRUE;
    case VK_ESCAPE:
        if (bDropped)
            pCombo->ShowDropDown(FALSE);
        if (CWnd* pFrame = GetTopLevelFrame())
            pFrame->SetFocus();
        return TRUE;
    case VK_UP:
    case VK_DOWN:
        if (bPlain) {
            if (!bDropped && pCombo != nullptr && pCombo->GetSafeHwnd() != nullptr) {
                pCombo->ShowDropDown(TRUE);
                pCombo->GetParent()->InvalidateRect(m_combo.m_rectCombo);
            }
            return TRUE;
        }
        break;
    default:
        break;
    }
    return CEdit::PreTranslateMessage(pMsg);
}

void CKtvPComboEdit::OnSetFocus(CWnd* pOldWnd)
{
    CEdit::OnSetFocus(pOldWnd);
    m_combo.SetHotEdit(TRUE);
    m_combo.NotifyCommand(CBN_SETFOCUS);
}

void CKtvPComboEdit::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
    if (m_combo.m_pWndCombo != nullptr && m_combo.m_pWndCombo->GetSafeHwnd() != nullptr) {
        m_combo.SetHotEdit(FALSE);
        m_combo.NotifyCommand(CBN_KILLFOCUS);
    }
}

void CKtvPComboEdit::OnChange() { m_combo.NotifyCommand(CBN_EDITCHANGE); }

void CKtvPComboEdit::OnMouseMove(UINT nFlags, CPoint point)
{
    CEdit::OnMouseMove(nFlags, point);
    m_combo.SetHotEdit(TRUE);
    ktvbox::TrackMouseLeave(this, m_bTracked);
}

void CKtvPComboEdit::OnMouseLeave()
{
    m_bTracked = FALSE;
    if (CWnd::GetFocus() != this)
        m_combo.SetHotEdit(FALSE);
}

void CKtvPComboEdit::OnContextMenu(CWnd* pWnd, CPoint point)
{
    if (!ktvbox::ShowContextMenu(m_combo.m_uiMenuResID, point, GetParent()))
        CEdit::OnContextMenu(pWnd, point);
}

// An empty box without the focus shows its button's prompt in grey.
void CKtvPComboEdit::OnPaint()
{
    const CString strPrompt = m_combo.GetPrompt();
    if (GetWindowTextLength() > 0 || CWnd::GetFocus() == this || strPrompt.IsEmpty()) {
        Default();
        return;
    }
    CPaintDC dc(this);
    CRect rect;
    GetClientRect(rect);
    dc.FillRect(rect, &globalData.brWindow);
    rect.DeflateRect(1, 1);
    CFont* pOldFont = dc.SelectObject(&globalData.fontRegular);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(globalData.clrGrayedText);
    dc.DrawText(strPrompt, rect, DT_SINGLELINE | DT_VCENTER);
    dc.SelectObject(pOldFont);
}
