#include "app/ListBoxEx.h"

#include <cstdint>

#include "platform/mfc/AfxThreadState.h"
#include "platform/mfc/CDC.h"

const UINT WM_IPC_CTRLMSG = ::RegisterWindowMessage("ipc_CtrlMsg");

// Window handles are small numbers here, as on the platform they stand for,
// so they fit the record's 32-bit fields.
DWORD CtrlMsgHandleField(HWND hwnd)
{
    return static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(hwnd));
}

HWND CtrlMsgFieldHandle(DWORD field)
{
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(field));
}

namespace {

LRESULT InPlaceReport(HWND hwndNotify, DWORD sender, DWORD code, DWORD param, POINT pt)
{
    CtrlMsgInfo info{sender, code, param, pt.x, pt.y};
    if (!::IsWindow(hwndNotify))
        return 0;
    return ::SendMessage(hwndNotify, WM_IPC_CTRLMSG, 0, reinterpret_cast<LPARAM>(&info));
}

POINT InPlaceCurrentMessagePoint()
{
    const MSG* pMsg = CWnd::GetCurrentMessage();
    return pMsg ? pMsg->pt : POINT{0, 0};
}

POINT InPlaceLastMessagePos()
{
    const DWORD pos = ::GetMessagePos();
    return POINT{static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
}

// Hides an in-place control without moving it and gives the focus back to
// the list, unless the focus is on its way elsewhere (a click on another
// control), which it must not be taken from.
void InPlaceHide(CWnd& wnd, HWND hwndNotify, BOOL bLosingFocus)
{
    if (!wnd.IsWindowVisible())
        return;
    const bool hadFocus = ::GetFocus() == wnd.GetSafeHwnd();
    wnd.SetWindowPos(nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
    if (hadFocus && !bLosingFocus && ::IsWindow(hwndNotify))
        ::SetFocus(hwndNotify);
}

// Moves an in-place control over the rectangle and shows it without redraw.
bool InPlaceShow(CWnd& wnd, const RECT& rect)
{
    if (wnd.IsWindowVisible() || ::IsRectEmpty(&rect))
        return false;
    wnd.SetWindowPos(&CWnd::wndTop, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                     SWP_SHOWWINDOW | SWP_NOREDRAW | SWP_NOACTIVATE);
    return true;
}

// The halftone pattern of the insert mark: every other pixel.
HBRUSH ListBoxExHalftoneBrush()
{
    static const WORD pattern[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
    static HBRUSH brush = [] {
        HBITMAP bitmap = ::CreateBitmap(8, 8, 1, 1, pattern);
        HBRUSH made = ::CreatePatternBrush(bitmap);
        ::DeleteObject(bitmap);
        return made;
    }();
    return brush;
}

}  // namespace

// --- the in-place edit --------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CInPlaceEdit, CEdit)

BEGIN_MESSAGE_MAP(CInPlaceEdit, CEdit)
    ON_WM_CREATE()
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

BOOL CInPlaceEdit::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CHILD | ES_MULTILINE | ES_AUTOHSCROLL | ES_NOHIDESEL | ES_WANTRETURN;
    return CEdit::PreCreateWindow(cs);
}

int CInPlaceEdit::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CEdit::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_hWndNotify = lpCreateStruct->hwndParent;
    return 0;
}

void CInPlaceEdit::Show(const RECT& rect)
{
    if (!InPlaceShow(*this, rect))
        return;
    SetMargins(2, 0);
    SetSel(0, -1);
    SendMessage(EM_SCROLLCARET, 0, 0);
    Invalidate();
    SetFocus();
}

void CInPlaceEdit::Hide()
{
    InPlaceHide(*this, m_hWndNotify, m_bLosingFocus);
}

BOOL CInPlaceEdit::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->hwnd == m_hWnd && pMsg->message == WM_KEYDOWN &&
        (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE)) {
        if (InPlaceReport(m_hWndNotify, CtrlMsgHandleField(m_hWnd), CtrlMsgInfo::KeyPressed,
                          static_cast<DWORD>(pMsg->wParam), pMsg->pt))
            Hide();
        return TRUE;
    }
    return CEdit::PreTranslateMessage(pMsg);
}

void CInPlaceEdit::OnKillFocus(CWnd* pNewWnd)
{
    m_bLosingFocus = TRUE;
    if (IsWindowVisible() &&
        InPlaceReport(m_hWndNotify, CtrlMsgHandleField(m_hWnd), CtrlMsgInfo::FocusLost,
                      CtrlMsgHandleField(pNewWnd ? pNewWnd->GetSafeHwnd() : nullptr), InPlaceCurrentMessagePoint()))
        Hide();
    m_bLosingFocus = FALSE;
    CEdit::OnKillFocus(pNewWnd);
}

// --- the in-place browse button -----------------------------------------------------------------

IMPLEMENT_DYNCREATE(CInPlaceButton, CButton)

BEGIN_MESSAGE_MAP(CInPlaceButton, CButton)
    ON_WM_CREATE()
    ON_WM_KILLFOCUS()
    ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClicked)
END_MESSAGE_MAP()

BOOL CInPlaceButton::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CHILD;
    return CButton::PreCreateWindow(cs);
}

int CInPlaceButton::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CButton::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_hWndNotify = lpCreateStruct->hwndParent;
    return 0;
}

void CInPlaceButton::Show(const RECT& rect)
{
    if (InPlaceShow(*this, rect))
        Invalidate();
}

void CInPlaceButton::Hide()
{
    InPlaceHide(*this, m_hWndNotify, m_bLosingFocus);
}

BOOL CInPlaceButton::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->hwnd == m_hWnd && pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE) {
        InPlaceReport(m_hWndNotify, CtrlMsgHandleField(m_hWnd), CtrlMsgInfo::KeyPressed, VK_ESCAPE, pMsg->pt);
        return TRUE;
    }
    return CButton::PreTranslateMessage(pMsg);
}

BOOL CInPlaceButton::OnClicked()
{
    m_bInClick = TRUE;
    const LRESULT result =
        InPlaceReport(m_hWndNotify, 0, CtrlMsgInfo::ButtonClicked, static_cast<DWORD>(GetDlgCtrlID()), InPlaceLastMessagePos());
    m_bInClick = FALSE;
    return result != 0;
}

void CInPlaceButton::OnKillFocus(CWnd* pNewWnd)
{
    m_bLosingFocus = TRUE;
    if (IsWindowVisible() && !m_bInClick &&
        InPlaceReport(m_hWndNotify, 0, CtrlMsgInfo::FocusLost,
                      CtrlMsgHandleField(pNewWnd ? pNewWnd->GetSafeHwnd() : nullptr), InPlaceCurrentMessagePoint()))
        Hide();
    m_bLosingFocus = FALSE;
    CButton::OnKillFocus(pNewWnd);
}

// --- the list -----------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CListBoxEx, CDragListBox)

BEGIN_MESSAGE_MAP(CListBoxEx, CDragListBox)
    ON_WM_CREATE()
    ON_WM_KEYDOWN()
    ON_WM_SYSKEYDOWN()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_REGISTERED_MESSAGE(WM_IPC_CTRLMSG, OnCtrlMsg)
END_MESSAGE_MAP()

namespace {
// Single selection: the move and select calls below assume it.
constexpr DWORD kListBoxExStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED |
                                  LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | LBS_WANTKEYBOARDINPUT |
                                  LBS_DISABLENOSCROLL;
constexpr UINT kListBoxExShowFlags =
    SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
}  // namespace

CListBoxEx::CListBoxEx()
    : m_dwEditStyle(kBrowseStyle),
      m_pEdit(nullptr),
      m_pBrowse(nullptr),
      m_nCurrent(-1),
      m_nEditing(-1),
      m_bAllowEdit(TRUE),
      m_bAllowReorder(TRUE)
{
}

CListBoxEx::~CListBoxEx()
{
    DestroyEditControls();
}

BOOL CListBoxEx::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= kListBoxExStyle;
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    return CDragListBox::PreCreateWindow(cs);
}

void CListBoxEx::PreSubclassWindow()
{
    // A list being created gets its styles from PreCreateWindow and its
    // controls on WM_CREATE; one subclassed from a template gets them here.
    if (tw::mfc::CurrentThreadState().pWndInit != nullptr) {
        CDragListBox::PreSubclassWindow();
        return;
    }
    if (ModifyStyle(0, kListBoxExStyle))
        SetWindowPos(nullptr, 0, 0, 0, 0, kListBoxExShowFlags);
    if (ModifyStyleEx(0, WS_EX_CLIENTEDGE))
        SetWindowPos(nullptr, 0, 0, 0, 0, kListBoxExShowFlags);
    CDragListBox::PreSubclassWindow();  // makes it a drag list
    // The template's list was measured before it was ours: measure it now.
    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_LISTBOX;
    measure.CtlID = static_cast<UINT>(GetDlgCtrlID());
    MeasureItem(&measure);
    if (measure.itemHeight > 0)
        SetItemHeight(0, measure.itemHeight);
    CreateEditControls();
}

int CListBoxEx::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CDragListBox::OnCreate(lpCreateStruct) == -1)
        return -1;
    CreateEditControls();
    return 0;
}

void CListBoxEx::CreateEditControls()
{
    if (m_pEdit != nullptr || m_hWnd == nullptr)
        return;
    const CRect none(0, 0, 0, 0);
    m_pEdit = new CInPlaceEdit;
    m_pEdit->Create(m_dwEditStyle | WS_CHILD | WS_BORDER, none, this, kEditId);
    m_pEdit->SetFont(GetFont());
    m_pBrowse = new CInPlaceButton;
    m_pBrowse->Create("...", WS_CHILD, none, this, kBrowseId);
}

void CListBoxEx::DestroyEditControls()
{
    for (CWnd* pWnd : {static_cast<CWnd*>(m_pEdit), static_cast<CWnd*>(m_pBrowse)}) {
        if (pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr)
            pWnd->DestroyWindow();
    }
    delete m_pEdit;
    delete m_pBrowse;
    m_pEdit = nullptr;
    m_pBrowse = nullptr;
}

void CListBoxEx::SetEditStyle(DWORD dwStyle)
{
    if (dwStyle == m_dwEditStyle)
        return;
    m_dwEditStyle = dwStyle;
    DestroyEditControls();
    CreateEditControls();
}

BOOL CListBoxEx::CanEdit(int)
{
    return TRUE;
}

BOOL CListBoxEx::OnEndEdit(int, BOOL)
{
    return TRUE;
}

void CListBoxEx::OnBrowse(int) {}

void CListBoxEx::BeginEdit(int nRow)
{
    if (!m_bAllowEdit || m_nEditing != -1 || m_pEdit == nullptr)
        return;
    if (nRow == -1)
        nRow = GetCurSel();
    if (nRow < 0)
        return;
    m_bEditingNewRow = FALSE;
    if (nRow >= GetCount()) {
        nRow = AddString("");
        m_bEditingNewRow = TRUE;
    }
    SetCurSel(nRow);
    m_nCurrent = nRow;
    m_nEditing = nRow;

    const bool browse = (m_dwEditStyle & kBrowseStyle) != 0;
    CRect item;
    GetItemRect(nRow, item);
    m_rcEdit = item;
    m_rcEdit.left += 5;
    m_rcEdit.right -= browse ? 30 : 5;
    m_rcEdit.InflateRect(0, 2);
    CString text;
    GetText(nRow, text);
    m_pEdit->SetWindowText(text);
    m_pEdit->Show(m_rcEdit);
    if (browse) {
        m_rcBrowse.SetRect(m_rcEdit.right, item.top, item.right - 5, item.bottom);
        m_rcBrowse.InflateRect(0, 2);
        m_pBrowse->Show(m_rcBrowse);
    }
}

void CListBoxEx::EditNew()
{
    BeginEdit(GetCount());
}

void CListBoxEx::EndEdit(BOOL bCancel)
{
    const int nRow = m_nEditing;
    if (nRow == -1)
        return;
    // Cleared first: hiding the controls moves the focus, which reports again.
    m_nEditing = -1;
    const BOOL bNewRow = m_bEditingNewRow;
    m_bEditingNewRow = FALSE;
    CString text;
    m_pEdit->GetWindowText(text);
    m_pBrowse->Hide();
    m_pEdit->Hide();

    if (bCancel) {
        // A cancelled edit leaves an existing row as it was; only the empty
        // row that EditNew made goes away.
        if (bNewRow)
            DeleteRow(nRow);
    } else if (text.IsEmpty()) {
        DeleteRow(nRow);
    } else {
        SetItemText(nRow, text);
        SetCurSel(nRow);
    }
    Invalidate();
}

void CListBoxEx::EndEditAsEnter()
{
    EndEdit(!OnEndEdit(m_nEditing, FALSE));
}

void CListBoxEx::CommitEdit()
{
    if (m_nEditing != -1)
        EndEditAsEnter();
}

void CListBoxEx::SetEditText(LPCTSTR lpszText)
{
    if (m_pEdit == nullptr || m_pEdit->GetSafeHwnd() == nullptr || !m_pEdit->IsWindowVisible())
        return;
    m_pEdit->SetWindowText(lpszText);
    m_pEdit->SetFocus();
}

void CListBoxEx::SetItemText(int nRow, LPCTSTR lpszText)
{
    if (nRow < 0 || nRow >= GetCount())
        return;
    const DWORD_PTR data = GetItemData(nRow);
    SetRedraw(FALSE);
    DeleteString(static_cast<UINT>(nRow));
    InsertString(nRow, lpszText);
    SetItemData(nRow, data);
    SetRedraw(TRUE);
    Invalidate();
}

void CListBoxEx::SwapItems(int nFirst, int nSecond)
{
    if (nFirst == nSecond)
        return;
    CString first, second;
    GetText(nFirst, first);
    GetText(nSecond, second);
    const DWORD_PTR firstData = GetItemData(nFirst);
    const DWORD_PTR secondData = GetItemData(nSecond);
    SetItemText(nFirst, second);
    SetItemData(nFirst, secondData);
    SetItemText(nSecond, first);
    SetItemData(nSecond, firstData);
}

int CListBoxEx::MoveItemUp(int nRow)
{
    if (nRow > 0 && nRow < GetCount()) {
        SwapItems(nRow, nRow - 1);
        SetCurSel(nRow - 1);
    }
    return nRow;
}

int CListBoxEx::MoveItemDown(int nRow)
{
    if (nRow >= 0 && nRow < GetCount() - 1) {
        SwapItems(nRow, nRow + 1);
        SetCurSel(nRow + 1);
    }
    return nRow;
}

void CListBoxEx::DeleteRow(int nRow)
{
    if (nRow < 0 || nRow >= GetCount())
        return;
    DeleteString(static_cast<UINT>(nRow));
    const int count = GetCount();
    if (count > 0)
        SetCurSel(nRow < count ? nRow : count - 1);
    m_nCurrent = GetCurSel();
}

int CListBoxEx::RowAt(CPoint point) const
{
    BOOL bOutside = TRUE;
    const UINT row = ItemFromPoint(point, bOutside);
    return bOutside ? -1 : static_cast<int>(row);
}

void CListBoxEx::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    CDragListBox::OnKeyDown(nChar, nRepCnt, nFlags);
    // Both act on the selected row: the row clicked last may have moved since.
    const int nRow = GetCurSel();
    if (nRow < 0)
        return;
    if (nChar == VK_F2 && m_bAllowEdit && CanEdit(nRow))
        BeginEdit(nRow);
    else if (nChar == VK_DELETE)
        DeleteRow(nRow);
}

void CListBoxEx::OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (m_bAllowReorder) {
        switch (nChar) {
        case VK_UP:
        case VK_LEFT: MoveItemUp(GetCurSel()); return;
        case VK_DOWN:
        case VK_RIGHT: MoveItemDown(GetCurSel()); return;
        default: break;
        }
    }
    CDragListBox::OnSysKeyDown(nChar, nRepCnt, nFlags);
}

void CListBoxEx::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_nCurrent = RowAt(point);
    CDragListBox::OnLButtonDown(nFlags, point);
}

void CListBoxEx::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    CDragListBox::OnLButtonDblClk(nFlags, point);
    const int nRow = RowAt(point);
    if (nRow >= 0 && m_bAllowEdit && CanEdit(nRow))
        BeginEdit(nRow);
}

LRESULT CListBoxEx::OnCtrlMsg(WPARAM, LPARAM lParam)
{
    const auto* info = reinterpret_cast<const CtrlMsgInfo*>(lParam);
    if (info == nullptr || m_nEditing == -1)
        return 1;
    switch (info->nCode) {
    case CtrlMsgInfo::KeyPressed:
        if (info->nParam == VK_ESCAPE) {
            OnEndEdit(m_nEditing, TRUE);
            EndEdit(TRUE);
        } else {
            EndEditAsEnter();
        }
        return 1;
    case CtrlMsgInfo::ButtonClicked: OnBrowse(m_nEditing); return 0;
    case CtrlMsgInfo::FocusLost: {
        const HWND hwndFocus = CtrlMsgFieldHandle(info->nParam);
        if (hwndFocus != nullptr &&
            (hwndFocus == m_pEdit->GetSafeHwnd() || hwndFocus == m_pBrowse->GetSafeHwnd()))
            return 0;
        EndEditAsEnter();
        return 1;
    }
    default: return 1;
    }
}

BOOL CListBoxEx::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    // The list wants its keys (F2, Delete): the list box moves the caret as usual.
    if (message == WM_VKEYTOITEM) {
        if (pResult)
            *pResult = -1;
        return TRUE;
    }
    static const UINT dragListMessage = ::RegisterWindowMessage(DRAGLISTMSGSTRING);
    if (message == dragListMessage && (m_nEditing != -1 || !m_bAllowReorder)) {
        if (pResult)
            *pResult = 0;  // no drag while a row is edited
        return TRUE;
    }
    return CDragListBox::OnChildNotify(message, wParam, lParam, pResult);
}

void CListBoxEx::DrawInsert(int nItem)
{
    if (nItem == m_nLast)
        return;
    DrawInsertMark(m_nLast);
    DrawInsertMark(nItem);
    m_nLast = nItem;
}

// A 4-pixel bar along the row's top edge with a taller tick at each end,
// inverted so that drawing it twice removes it.
void CListBoxEx::DrawInsertMark(int nRow)
{
    if (nRow < 0)
        return;
    CRect item;
    if (GetItemRect(nRow, item) == LB_ERR)
        return;
    CRect client;
    GetClientRect(client);
    CDC* pDC = GetDC();
    pDC->IntersectClipRect(client);
    HGDIOBJ old = ::SelectObject(pDC->GetSafeHdc(), ListBoxExHalftoneBrush());
    const int left = item.left + 5;
    const int right = item.right - 5;
    const int top = item.top - 2;
    pDC->PatBlt(left, top, right - left, 4, PATINVERT);
    pDC->PatBlt(left, top - 4, 3, 4, PATINVERT);
    pDC->PatBlt(left, top + 4, 3, 4, PATINVERT);
    pDC->PatBlt(right - 3, top - 4, 3, 4, PATINVERT);
    pDC->PatBlt(right - 3, top + 4, 3, 4, PATINVERT);
    ::SelectObject(pDC->GetSafeHdc(), old);
    ReleaseDC(pDC);
}

void CListBoxEx::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    CClientDC dc(this);
    CFont* pOld = dc.SelectObject(GetFont());
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    dc.SelectObject(pOld);
    lpMeasureItemStruct->itemHeight = static_cast<UINT>(tm.tmHeight + tm.tmExternalLeading);
}

void CListBoxEx::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    const int nRow = static_cast<int>(lpDrawItemStruct->itemID);
    if (nRow == -1 || !(lpDrawItemStruct->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)))
        return;
    const HDC hDC = lpDrawItemStruct->hDC;
    const RECT& item = lpDrawItemStruct->rcItem;
    const bool selected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    ::FillRect(hDC, &item,
               reinterpret_cast<HBRUSH>(static_cast<INT_PTR>((selected ? COLOR_ACTIVECAPTION : COLOR_WINDOW) + 1)));
    const int oldMode = ::SetBkMode(hDC, TRANSPARENT);
    const COLORREF oldColor = ::SetTextColor(hDC, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    CString text;
    GetText(nRow, text);
    RECT rcText = item;
    rcText.left += 8;
    ::DrawText(hDC, text, -1, &rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    ::SetTextColor(hDC, oldColor);
    ::SetBkMode(hDC, oldMode);
    if (selected)
        ::DrawFocusRect(hDC, &item);
}
