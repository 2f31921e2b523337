#include "platform/mfc/CCheckListBox.h"

#include "platform/mfc/CDC.h"
#include "platform/win32/gdi/SystemColors.h"

IMPLEMENT_DYNAMIC(CCheckListBox, CListBox)

BEGIN_MESSAGE_MAP(CCheckListBox, CListBox)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

namespace tw::mfc::checklist_detail {
constexpr int kCheckSize = 13;
constexpr int kCheckMargin = 2;
}  // namespace tw::mfc::checklist_detail

namespace cld = tw::mfc::checklist_detail;

CCheckListBox::~CCheckListBox()
{
    // The item data go with the items; the window may still be up.
    if (m_hWnd && CWnd::FromHandlePermanent(m_hWnd) == this)
        ResetContent();
}

BOOL CCheckListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!(dwStyle & LBS_OWNERDRAWVARIABLE))
        dwStyle |= LBS_OWNERDRAWFIXED;
    return CListBox::Create(dwStyle | LBS_HASSTRINGS, rect, pParentWnd, nID);
}

CCheckListBox::CheckData* CCheckListBox::DataOf(int nIndex) const
{
    const LRESULT data = SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(nIndex));
    if (data == LB_ERR || data == 0)
        return nullptr;
    return reinterpret_cast<CheckData*>(data);
}

CCheckListBox::CheckData* CCheckListBox::EnsureData(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return nullptr;
    if (CheckData* data = DataOf(nIndex))
        return data;
    auto* data = new CheckData;
    if (SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(data)) == LB_ERR) {
        delete data;
        return nullptr;
    }
    return data;
}

void CCheckListBox::SetCheckStyle(UINT nStyle)
{
    m_nStyle = nStyle;
}

void CCheckListBox::SetCheck(int nIndex, int nCheck)
{
    if (CheckData* data = EnsureData(nIndex)) {
        data->nCheck = nCheck;
        InvalidateCheck(nIndex);
    }
}

int CCheckListBox::GetCheck(int nIndex) const
{
    const CheckData* data = DataOf(nIndex);
    return data ? data->nCheck : 0;
}

void CCheckListBox::Enable(int nIndex, BOOL bEnabled)
{
    if (CheckData* data = EnsureData(nIndex)) {
        data->bEnabled = bEnabled;
        InvalidateCheck(nIndex);
    }
}

BOOL CCheckListBox::IsEnabled(int nIndex) const
{
    const CheckData* data = DataOf(nIndex);
    return data ? data->bEnabled : TRUE;
}

DWORD_PTR CCheckListBox::GetItemData(int nIndex) const
{
    const CheckData* data = DataOf(nIndex);
    return data ? data->dwUserData : 0;
}

int CCheckListBox::SetItemData(int nIndex, DWORD_PTR dwItemData)
{
    CheckData* data = EnsureData(nIndex);
    if (!data)
        return LB_ERR;
    data->dwUserData = dwItemData;
    return 0;
}

void* CCheckListBox::GetItemDataPtr(int nIndex) const
{
    return reinterpret_cast<void*>(GetItemData(nIndex));
}

int CCheckListBox::SetItemDataPtr(int nIndex, void* pData)
{
    return SetItemData(nIndex, reinterpret_cast<DWORD_PTR>(pData));
}

CRect CCheckListBox::OnGetCheckPosition(CRect, CRect rectCheckBox)
{
    return rectCheckBox;
}

CRect CCheckListBox::CheckRectOf(const CRect& rectItem)
{
    CRect box(rectItem.left + cld::kCheckMargin, rectItem.top, rectItem.left + cld::kCheckMargin + cld::kCheckSize,
              rectItem.top + cld::kCheckSize);
    box.OffsetRect(0, (rectItem.Height() - cld::kCheckSize) / 2);
    return OnGetCheckPosition(rectItem, box);
}

void CCheckListBox::InvalidateCheck(int nIndex)
{
    CRect rectItem;
    if (GetItemRect(nIndex, &rectItem) != LB_ERR)
        InvalidateRect(&rectItem, FALSE);
}

int CCheckListBox::CheckFromPoint(CPoint point, BOOL& bInCheck) const
{
    bInCheck = FALSE;
    BOOL bOutside = TRUE;
    const int nIndex = static_cast<int>(ItemFromPoint(point, bOutside));
    if (bOutside || nIndex >= GetCount())
        return -1;
    CRect rectItem;
    GetItemRect(nIndex, &rectItem);
    const CRect box = const_cast<CCheckListBox*>(this)->CheckRectOf(rectItem);
    // The whole strip left of the text counts as the box.
    bInCheck = point.x >= rectItem.left && point.x < box.right + cld::kCheckMargin;
    return nIndex;
}

void CCheckListBox::ToggleFrom(int nIndex)
{
    const int nModulo = (m_nStyle == BS_AUTO3STATE) ? 3 : 2;
    int nCheck = GetCheck(nIndex);
    if (nCheck >= nModulo)
        nCheck = nModulo - 1;
    const int nNewCheck = (nCheck + 1) % nModulo;
    // With several items selected, the one clicked speaks for all of them.
    const bool several = (GetStyle() & (LBS_EXTENDEDSEL | LBS_MULTIPLESEL)) && GetSel(nIndex) > 0;
    if (several) {
        for (int i = 0, n = GetCount(); i < n; ++i) {
            if (GetSel(i) > 0 && IsEnabled(i))
                SetCheck(i, nNewCheck);
        }
    } else {
        SetCheck(nIndex, nNewCheck);
    }
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CLBN_CHKCHANGE), reinterpret_cast<LPARAM>(m_hWnd));
}

void CCheckListBox::OnLButtonDown(UINT, CPoint point)
{
    SetFocus();
    BOOL bInCheck = FALSE;
    const int nIndex = CheckFromPoint(point, bInCheck);
    if (nIndex >= 0 && !IsEnabled(nIndex))
        return;
    if (nIndex >= 0 && bInCheck && m_nStyle != BS_CHECKBOX && m_nStyle != BS_3STATE) {
        ToggleFrom(nIndex);
        return;
    }
    Default();
}

void CCheckListBox::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    // A double click on the box is two clicks on it.
    BOOL bInCheck = FALSE;
    const int nIndex = CheckFromPoint(point, bInCheck);
    if (nIndex >= 0 && bInCheck) {
        OnLButtonDown(nFlags, point);
        return;
    }
    Default();
}

void CCheckListBox::OnKeyDown(UINT nChar, UINT, UINT)
{
    if (nChar == VK_SPACE && m_nStyle != BS_CHECKBOX && m_nStyle != BS_3STATE) {
        const int nIndex = GetCaretIndex();
        if (nIndex != LB_ERR && nIndex < GetCount()) {
            if (IsEnabled(nIndex))
                ToggleFrom(nIndex);
            return;
        }
    }
    Default();
}

void CCheckListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    CClientDC dc(this);
    CFont* pOld = dc.SelectObject(GetFont());
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    dc.SelectObject(pOld);
    const UINT textHeight = static_cast<UINT>(tm.tmHeight);
    lpMeasureItemStruct->itemHeight = textHeight > static_cast<UINT>(cld::kCheckSize + 2)
                                          ? textHeight
                                          : static_cast<UINT>(cld::kCheckSize + 2);
}

void CCheckListBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    const CRect rectItem(lpDrawItemStruct->rcItem);
    const int nIndex = static_cast<int>(lpDrawItemStruct->itemID);
    const bool selected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    const bool focused = (lpDrawItemStruct->itemState & ODS_FOCUS) != 0;

    CRect box = CheckRectOf(rectItem);
    CRect rectText(box.right + cld::kCheckMargin, rectItem.top, rectItem.right, rectItem.bottom);
    pDC->FillSolidRect(&rectItem, ::GetSysColor(COLOR_WINDOW));
    if (nIndex < 0 || nIndex >= GetCount()) {
        if (focused)
            pDC->DrawFocusRect(&rectText);
        return;
    }

    UINT state = DFCS_BUTTONCHECK;
    const int nCheck = GetCheck(nIndex);
    if (nCheck == 1)
        state |= DFCS_CHECKED;
    else if (nCheck == 2)
        state |= DFCS_BUTTON3STATE | DFCS_CHECKED;
    const BOOL enabled = IsEnabled(nIndex) && IsWindowEnabled();
    if (!enabled)
        state |= DFCS_INACTIVE;
    pDC->DrawFrameControl(&box, DFC_BUTTON, state);

    pDC->FillSolidRect(&rectText, ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(::GetSysColor(!enabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    CString text;
    GetText(nIndex, text);
    CRect rectLabel = rectText;
    rectLabel.left += 2;
    pDC->DrawText(text, &rectLabel, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (focused)
        pDC->DrawFocusRect(&rectText);
}

BOOL CCheckListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_DELETEITEM) {
        // Free our part; the program's data go on to DeleteItem as its own.
        auto* deleted = reinterpret_cast<LPDELETEITEMSTRUCT>(lParam);
        auto* data = reinterpret_cast<CheckData*>(deleted->itemData);
        DELETEITEMSTRUCT forOwner = *deleted;
        forOwner.itemData = data ? data->dwUserData : 0;
        delete data;
        DeleteItem(&forOwner);
        if (pResult)
            *pResult = TRUE;
        return TRUE;
    }
    return CListBox::OnChildNotify(message, wParam, lParam, pResult);
}
