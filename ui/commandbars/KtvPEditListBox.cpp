#include "ui/commandbars/KtvPEditListBox.h"

#include <algorithm>

#include "platform/mfc/CDC.h"
#include "platform/mfc/CListCtrl.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/afxmsg.h"
#include "resources/CustomizeIds.h"
#include "resources/resource.h"
#include "ui/controls/KtvPButton.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPKeyHelper.h"

namespace {

struct EditListStandardButton {
    UINT uiFlag;
    UINT uiBitmap;
    UINT uiTooltip;
    WORD wKey;
    BYTE fVirt;
    int iCommand;
};

constexpr EditListStandardButton kEditListStandardButtons[] = {
    {KTVEDITLIST_NEW, IDB_KTVP_EDITLIST_NEW, IDS_KTVP_TOOLS_NEW, VK_INSERT, 0, -11},
    {KTVEDITLIST_DELETE, IDB_KTVP_EDITLIST_DELETE, IDS_KTVP_TOOLS_DELETE, VK_DELETE, 0, -12},
    {KTVEDITLIST_MOVE_UP, IDB_KTVP_EDITLIST_UP, IDS_KTVP_TOOLS_MOVE_UP, VK_UP, FALT, -13},
    {KTVEDITLIST_MOVE_DOWN, IDB_KTVP_EDITLIST_DOWN, IDS_KTVP_TOOLS_MOVE_DOWN, VK_DOWN, FALT, -14},
};

constexpr UINT kEditListNew = static_cast<UINT>(-11);
constexpr UINT kEditListDelete = static_cast<UINT>(-12);
constexpr UINT kEditListMoveUp = static_cast<UINT>(-13);
constexpr UINT kEditListMoveDown = static_cast<UINT>(-14);
constexpr UINT kEditListListId = 1;

// The modifiers held now, as accelerator bits.
BYTE EditListHeldModifiers()
{
    BYTE fVirt = 0;
    if (::GetAsyncKeyState(VK_CONTROL) & 0x8000)
        fVirt |= FCONTROL;
    if (::GetAsyncKeyState(VK_MENU) & 0x8000)
        fVirt |= FALT;
    if (::GetAsyncKeyState(VK_SHIFT) & 0x8000)
        fVirt |= FSHIFT;
    return fVirt;
}

}  // namespace

// --- the base -----------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CKtvPEditListBox, CStatic)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_SETFOCUS()
    ON_WM_ENABLE()
    ON_MESSAGE(WM_SETFONT, OnSetFont)
    ON_MESSAGE(WM_GETFONT, OnGetFont)
END_MESSAGE_MAP()

CKtvPEditListBox::CKtvPEditListBox() : m_sizeButton(0, 0), m_rectCaption(0, 0, 0, 0) {}

CKtvPEditListBox::~CKtvPEditListBox()
{
    while (!m_lstButtons.IsEmpty())
        delete m_lstButtons.RemoveHead();
}

void CKtvPEditListBox::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    // A window made by Create builds itself on WM_CREATE.
    if (GetSafeHwnd() != nullptr && GetDlgCtrlID() >= 0 && ::IsWindow(GetSafeHwnd()))
        Init();
}

int CKtvPEditListBox::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CStatic::OnCreate(lpCreateStruct) == -1)
        return -1;
    Init();
    return 0;
}

void CKtvPEditListBox::Init()
{
    if (GetListHwnd() == nullptr)
        CreateList();
    // The caption receives the clicks of its buttons; the static must notify.
    ModifyStyle(0, SS_NOTIFY | WS_CLIPCHILDREN);
    AdjustLayout();
}

CKtvPButton* CKtvPEditListBox::GetButton(int iIndex) const
{
    POSITION pos = m_lstButtons.FindIndex(iIndex);
    return pos == nullptr ? nullptr : m_lstButtons.GetAt(pos);
}

BOOL CKtvPEditListBox::SetStandardButtons(UINT uiBtns)
{
    if (GetSafeHwnd() == nullptr)
        return FALSE;
    for (const EditListStandardButton& button : kEditListStandardButtons) {
        if (!(uiBtns & button.uiFlag))
            continue;
        CString strTooltip;
        strTooltip.LoadString(button.uiTooltip);
        if (!AddButton(button.uiBitmap, strTooltip, button.wKey, button.fVirt, static_cast<UINT>(button.iCommand)))
            return FALSE;
    }
    m_uiStandardBtns |= uiBtns;
    return TRUE;
}

BOOL CKtvPEditListBox::AddButton(UINT uiImageId, LPCTSTR lpszTooltip, WORD wKeyAccelerator, BYTE fVirt,
                                 UINT uiButtonID)
{
    if (GetSafeHwnd() == nullptr)
        return FALSE;
    const int iIndex = static_cast<int>(m_lstButtons.GetCount());
    auto* pButton = new CKtvPButton;
    if (!pButton->Create(_T(""), WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 0, 0), this,
                         static_cast<UINT>(iIndex + 2))) {
        delete pButton;
        return FALSE;
    }
    pButton->m_FlatStyle = CKtvPButton::BUTTONSTYLE_FLAT;
    pButton->m_DrawFocus = FALSE;
    pButton->m_GrayDisabled = m_bGrayDisabledButtons;
    pButton->SetImage(uiImageId);

    if (lpszTooltip != nullptr) {
        CString strTooltip = lpszTooltip;
        if (wKeyAccelerator != 0) {
            ACCEL accel{static_cast<BYTE>(fVirt | FVIRTKEY), wKeyAccelerator, 0};
            CString strKey;
            CKtvPKeyHelper(&accel).Format(strKey);
            strTooltip += _T(" (") + strKey + _T(")");
        }
        pButton->SetTooltip(strTooltip);
    }

    const CSize size = pButton->SizeToContent();
    if (iIndex == 0)
        m_sizeButton = size;

    m_lstButtons.AddTail(pButton);
    m_lstKeyAccell.AddTail(wKeyAccelerator == 0 ? 0 : (static_cast<DWORD>(fVirt) << 16) | wKeyAccelerator);
    if (uiButtonID != 0)
        m_mapButtonIDs.SetAt(iIndex, uiButtonID);
    AdjustLayout();
    return TRUE;
}

CFont* CKtvPEditListBox::CaptionFont()
{
    if (m_font.GetSafeHandle() != nullptr)
        return &m_font;
    CWnd* pParent = GetParent();
    if (pParent == nullptr)
        return nullptr;
    return CFont::FromHandle(reinterpret_cast<HFONT>(pParent->SendMessage(WM_GETFONT)));
}

void CKtvPEditListBox::AdjustLayout()
{
    HWND hList = GetListHwnd();
    if (GetSafeHwnd() == nullptr || hList == nullptr)
        return;
    CRect rectClient;
    GetClientRect(&rectClient);
    m_rectCaption = rectClient;

    CFont* pFont = CaptionFont();
    if (pFont != nullptr && pFont->GetSafeHandle() != nullptr)
        ::SendMessage(hList, WM_SETFONT, reinterpret_cast<WPARAM>(pFont->GetSafeHandle()), FALSE);

    int cyText = 0;
    {
        CClientDC dc(this);
        CFont* pOldFont = pFont != nullptr && pFont->GetSafeHandle() != nullptr ? dc.SelectObject(pFont) : nullptr;
        TEXTMETRIC tm{};
        dc.GetTextMetrics(&tm);
        cyText = tm.tmHeight;
        if (pOldFont != nullptr)
            dc.SelectObject(pOldFont);
    }
    const int cyCaption = std::max(static_cast<int>(m_sizeButton.cy), cyText * 4 / 3);
    m_rectCaption.bottom = m_rectCaption.top + cyCaption;

    int x = rectClient.right - m_sizeButton.cx - 1;
    for (POSITION pos = m_lstButtons.GetTailPosition(); pos != nullptr;) {
        CKtvPButton* pButton = m_lstButtons.GetPrev(pos);
        pButton->MoveWindow(x, m_rectCaption.top + 1, m_sizeButton.cx, cyCaption - 2);
        x -= m_sizeButton.cx;
    }
    ::SetWindowPos(hList, nullptr, rectClient.left, m_rectCaption.bottom, rectClient.Width(),
                   rectClient.bottom - m_rectCaption.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    OnSizeList();
}

void CKtvPEditListBox::OnSize(UINT nType, int cx, int cy)
{
    CStatic::OnSize(nType, cx, cy);
    AdjustLayout();
}

void CKtvPEditListBox::OnPaint()
{
    CPaintDC dc(this);
    dc.FillRect(m_rectCaption, &globalData.brBtnFace);
    dc.Draw3dRect(m_rectCaption, globalData.clrBtnShadow, globalData.clrBtnHilite);

    CString strText;
    GetWindowText(strText);
    CRect rectText = m_rectCaption;
    rectText.DeflateRect(5, 0);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(IsWindowEnabled() ? globalData.clrBtnText : globalData.clrGrayedText);
    CFont* pFont = CaptionFont();
    CFont* pOldFont = pFont != nullptr && pFont->GetSafeHandle() != nullptr ? dc.SelectObject(pFont) : nullptr;
    dc.DrawText(strText, rectText, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
    if (pOldFont != nullptr)
        dc.SelectObject(pOldFont);
}

void CKtvPEditListBox::OnSetFocus(CWnd* pOldWnd)
{
    CStatic::OnSetFocus(pOldWnd);
    if (HWND hList = GetListHwnd())
        ::SetFocus(hList);
}

void CKtvPEditListBox::OnEnable(BOOL bEnable)
{
    CStatic::OnEnable(bEnable);
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr;) {
        CKtvPButton* pButton = m_lstButtons.GetNext(pos);
        pButton->m_GrayDisabled = !bEnable || m_bGrayDisabledButtons;
        pButton->EnableWindow(bEnable);
    }
    if (HWND hList = GetListHwnd())
        ::EnableWindow(hList, bEnable);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

LRESULT CKtvPEditListBox::OnSetFont(WPARAM wParam, LPARAM lParam)
{
    const LRESULT lResult = Default();
    LOGFONT lf{};
    if (wParam != 0 && ::GetObject(reinterpret_cast<HFONT>(wParam), sizeof(lf), &lf) != 0) {
        m_font.DeleteObject();
        m_font.CreateFontIndirect(&lf);
    }
    AdjustLayout();
    if (LOWORD(lParam) != 0) {
        Invalidate();
        UpdateWindow();
    }
    return lResult;
}

LRESULT CKtvPEditListBox::OnGetFont(WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>(m_font.GetSafeHandle());
}

BOOL CKtvPEditListBox::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const HWND hControl = reinterpret_cast<HWND>(lParam);
    int iButton = 0;
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr; iButton++) {
        if (m_lstButtons.GetNext(pos)->GetSafeHwnd() == hControl && hControl != nullptr) {
            if (HWND hList = GetListHwnd())
                ::SetFocus(hList);
            OnClickButton(iButton);
            return TRUE;
        }
    }
    return CStatic::OnCommand(wParam, lParam);
}

int CKtvPEditListBox::FindButtonOfKey(WORD wKey, BYTE fFlags) const
{
    const DWORD dwKey = (static_cast<DWORD>(fFlags) << 16) | wKey;
    int iButton = 0;
    for (POSITION pos = m_lstKeyAccell.GetHeadPosition(); pos != nullptr; iButton++) {
        if (m_lstKeyAccell.GetNext(pos) == dwKey)
            return iButton;
    }
    return -1;
}

void CKtvPEditListBox::OnClickButton(int iButton)
{
    UINT uiCmd = 0;
    if (m_uiStandardBtns == 0 || !m_mapButtonIDs.Lookup(iButton, uiCmd))
        return;
    const int iSelItem = GetSelItem();
    switch (uiCmd) {
    case kEditListNew:
        CreateNewItem();
        return;
    case kEditListDelete:
        if (iSelItem >= 0 && OnBeforeRemoveItem(iSelItem))
            RemoveItem(iSelItem);
        return;
    case kEditListMoveUp:
    case kEditListMoveDown: {
        const BOOL bUp = uiCmd == kEditListMoveUp;
        if (iSelItem < 0 || (bUp && iSelItem == 0) || (!bUp && iSelItem == GetCount() - 1))
            return;
        SetRedraw(FALSE);
        const CString strText = GetItemText(iSelItem);
        const DWORD_PTR dwData = GetItemData(iSelItem);
        RemoveItem(iSelItem);
        const int iNew = AddItem(strText, dwData, bUp ? iSelItem - 1 : iSelItem + 1);
        SelectItem(iNew);
        SetRedraw(TRUE);
        if (HWND hList = GetListHwnd())
            ::InvalidateRect(hList, nullptr, TRUE);
        Invalidate();
        if (bUp)
            OnAfterMoveItemUp(iNew);
        else
            OnAfterMoveItemDown(iNew);
        return;
    }
    default:
        return;
    }
}

void CKtvPEditListBox::OnKey(WORD wKey, BYTE fFlags)
{
    const int iSelItem = GetSelItem();
    if (fFlags != 0 || iSelItem < 0)
        return;
    if (wKey == VK_SPACE || wKey == VK_F2)
        EditItem(iSelItem);
}

void CKtvPEditListBox::OnEndEditLabel(LPCTSTR lpszLabel)
{
    const int iSelItem = GetSelItem();
    const BOOL bNewItem = m_bNewItem;
    m_bNewItem = FALSE;
    if (iSelItem < 0)
        return;
    const CString strLabel = lpszLabel != nullptr ? lpszLabel : _T("");
    if (!strLabel.IsEmpty()) {
        SetItemText(iSelItem, strLabel);
        if (bNewItem)
            OnAfterAddItem(iSelItem);
        else
            OnAfterRenameItem(iSelItem);
    } else if (bNewItem) {
        // A new item left without a name does not stay.
        RemoveItem(iSelItem);
    }
}

void CKtvPEditListBox::CreateNewItem()
{
    const int iItem = AddItem(_T(""), 0, -1);
    if (iItem < 0)
        return;
    m_bNewItem = TRUE;
    SelectItem(iItem);
    EditItem(iItem);
}

// --- the label edit -----------------------------------------------------------------------------

void CKtvPEditListLabelEdit::DoBrowse()
{
    if (m_pParentList != nullptr) {
        m_pParentList->OnBrowse();
        SetFocus();
    }
}

LRESULT CKtvPEditListLabelEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_WINDOWPOSCHANGING:
        if (m_bIsActive) {
            // The list cannot make the edit narrower than the control wants it.
            reinterpret_cast<WINDOWPOS*>(lParam)->flags |= SWP_NOSIZE;
            return DefWindowProc(message, wParam, lParam);
        }
        break;
    case WM_NCCALCSIZE:
        if (m_bIsActive)
            return 0;
        break;
    case WM_WINDOWPOSCHANGED:
    case WM_NCLBUTTONDOWN:
        return DefWindowProc(message, wParam, lParam);
    default:
        break;
    }
    return CKtvPBrowseEdit::WindowProc(message, wParam, lParam);
}

// --- the list-view implementation ---------------------------------------------------------------

BEGIN_MESSAGE_MAP(CKtvPEditListCtrl, CKtvPEditListBox)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CKtvPEditListCtrl::CKtvPEditListCtrl() = default;

CKtvPEditListCtrl::~CKtvPEditListCtrl()
{
    delete m_pWndList;
}

void CKtvPEditListCtrl::OnDestroy()
{
    if (m_wndEdit.GetSafeHwnd() != nullptr)
        m_wndEdit.UnsubclassWindow();
    CKtvPEditListBox::OnDestroy();
}

CWnd* CKtvPEditListCtrl::CreateList()
{
    if (GetSafeHwnd() == nullptr || m_pWndList != nullptr)
        return m_pWndList;
    m_pWndList = new CListCtrl;
    if (!m_pWndList->CreateEx(WS_EX_CLIENTEDGE, _T("SysListView32"), _T(""),
                              WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                                  LVS_EDITLABELS | LVS_NOCOLUMNHEADER,
                              CRect(0, 0, 0, 0), this, kEditListListId)) {
        delete m_pWndList;
        m_pWndList = nullptr;
        return nullptr;
    }
    m_pWndList->SetExtendedStyle(m_pWndList->GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    m_pWndList->InsertColumn(0, _T(""), LVCFMT_LEFT);
    return m_pWndList;
}

HWND CKtvPEditListCtrl::GetListHwnd() const
{
    return m_pWndList != nullptr ? m_pWndList->GetSafeHwnd() : nullptr;
}

void CKtvPEditListCtrl::OnSizeList()
{
    if (GetListHwnd() == nullptr)
        return;
    CRect rectClient;
    GetClientRect(&rectClient);
    m_pWndList->SetColumnWidth(0, rectClient.Width() - 2 * ::GetSystemMetrics(SM_CXEDGE) -
                                      ::GetSystemMetrics(SM_CXVSCROLL));
}

int CKtvPEditListCtrl::AddItem(const CString& strIext, DWORD_PTR dwData, int iIndex)
{
    if (GetListHwnd() == nullptr)
        return -1;
    if (iIndex < 0)
        iIndex = m_pWndList->GetItemCount();
    const int iItem = m_pWndList->InsertItem(LVIF_TEXT | LVIF_PARAM, iIndex, strIext, 0, 0, 0,
                                             static_cast<LPARAM>(dwData));
    if (iItem == 0)
        SelectItem(0);
    return iItem;
}

BOOL CKtvPEditListCtrl::RemoveItem(int iIndex)
{
    if (GetListHwnd() == nullptr || iIndex < 0 || iIndex >= m_pWndList->GetItemCount())
        return FALSE;
    const BOOL bWasSelected = GetSelItem() == iIndex;
    if (!m_pWndList->DeleteItem(iIndex))
        return FALSE;
    const int nCount = m_pWndList->GetItemCount();
    if (bWasSelected && nCount > 0)
        SelectItem(std::min(iIndex, nCount - 1));
    // The item is gone whatever was selected.
    return TRUE;
}

int CKtvPEditListCtrl::GetCount() const
{
    return GetListHwnd() == nullptr ? -1 : m_pWndList->GetItemCount();
}

int CKtvPEditListCtrl::GetSelItem() const
{
    return GetListHwnd() == nullptr ? -1 : m_pWndList->GetNextItem(-1, LVNI_SELECTED);
}

BOOL CKtvPEditListCtrl::SelectItem(int iItem)
{
    if (GetListHwnd() == nullptr)
        return FALSE;
    if (!m_pWndList->SetItemState(iItem, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED))
        return FALSE;
    return m_pWndList->EnsureVisible(iItem, FALSE);
}

CString CKtvPEditListCtrl::GetItemText(int iIndex) const
{
    return GetListHwnd() == nullptr ? CString() : m_pWndList->GetItemText(iIndex, 0);
}

void CKtvPEditListCtrl::SetItemText(int iIndex, const CString& strText)
{
    if (GetListHwnd() != nullptr)
        m_pWndList->SetItemText(iIndex, 0, strText);
}

DWORD_PTR CKtvPEditListCtrl::GetItemData(int iIndex) const
{
    return GetListHwnd() == nullptr ? 0 : m_pWndList->GetItemData(iIndex);
}

void CKtvPEditListCtrl::SetItemData(int iIndex, DWORD_PTR dwData)
{
    if (GetListHwnd() != nullptr)
        m_pWndList->SetItemData(iIndex, dwData);
}

void CKtvPEditListCtrl::EnableCaptionButtons(BOOL bEnable)
{
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr;)
        m_lstButtons.GetNext(pos)->EnableWindow(bEnable);
}

BOOL CKtvPEditListCtrl::EditItem(int iIndex)
{
    if (GetListHwnd() == nullptr)
        return FALSE;
    if (m_wndEdit.GetSafeHwnd() != nullptr)
        m_wndEdit.UnsubclassWindow();
    m_wndEdit.m_pParentList = nullptr;
    m_wndEdit.m_bIsActive = FALSE;

    m_pWndList->SetFocus();
    CEdit* pEdit = m_pWndList->EditLabel(iIndex);
    if (pEdit == nullptr || pEdit->GetSafeHwnd() == nullptr)
        return FALSE;
    const HWND hEdit = pEdit->GetSafeHwnd();
    m_wndEdit.SubclassWindow(hEdit);
    m_wndEdit.EnableBrowseButton(FALSE);

    CRect rectClient;
    GetClientRect(&rectClient);
    CRect rectEdit;
    m_wndEdit.GetWindowRect(&rectEdit);
    m_wndEdit.SetWindowPos(nullptr, 0, 0,
                           rectClient.Width() - 4 * ::GetSystemMetrics(SM_CXBORDER) -
                               ::GetSystemMetrics(SM_CXVSCROLL),
                           rectEdit.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_wndEdit.m_pParentList = this;
    m_wndEdit.m_bIsActive = TRUE;
    EnableCaptionButtons(FALSE);
    return TRUE;
}

BOOL CKtvPEditListCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* pHeader = reinterpret_cast<NMHDR*>(lParam);
    if (pHeader == nullptr || pHeader->idFrom != kEditListListId || pHeader->hwndFrom != GetListHwnd())
        return CKtvPEditListBox::OnNotify(wParam, lParam, pResult);
    *pResult = 0;
    switch (pHeader->code) {
    case LVN_KEYDOWN: {
        const auto* pKey = reinterpret_cast<NMLVKEYDOWN*>(lParam);
        const BYTE fFlags = EditListHeldModifiers();
        const int iButton = FindButtonOfKey(pKey->wVKey, fFlags);
        if (iButton >= 0)
            OnClickButton(iButton);
        else
            OnKey(pKey->wVKey, fFlags);
        return TRUE;
    }
    case NM_DBLCLK: {
        const int iSelItem = GetSelItem();
        if ((m_uiStandardBtns & KTVEDITLIST_NEW) && iSelItem < 0)
            CreateNewItem();
        else if (iSelItem >= 0)
            EditItem(iSelItem);
        return TRUE;
    }
    case LVN_GETDISPINFO: {
        auto* pInfo = reinterpret_cast<NMLVDISPINFO*>(lParam);
        if (pInfo->item.mask & LVIF_IMAGE)
            pInfo->item.iImage = OnGetItemImage(&pInfo->item);
        return TRUE;
    }
    case LVN_ENDLABELEDIT: {
        const auto* pInfo = reinterpret_cast<NMLVDISPINFO*>(lParam);
        if (m_wndEdit.GetSafeHwnd() != nullptr) {
            m_wndEdit.m_bIsActive = FALSE;
            m_wndEdit.UnsubclassWindow();
        }
        m_wndEdit.m_pParentList = nullptr;
        OnEndEditLabel(pInfo->item.pszText);
        EnableCaptionButtons(TRUE);
        return TRUE;
    }
    case LVN_ITEMCHANGED: {
        const auto* pChange = reinterpret_cast<NMLISTVIEW*>(lParam);
        if ((pChange->uChanged & LVIF_STATE) &&
            ((pChange->uOldState ^ pChange->uNewState) & LVIS_SELECTED))
            OnSelectionChanged();
        return TRUE;
    }
    default:
        return TRUE;
    }
}

BOOL CKtvPEditListCtrl::PreTranslateMessage(MSG* pMsg)
{
    const HWND hList = GetListHwnd();
    if (hList != nullptr && pMsg->hwnd == hList && pMsg->message == WM_SYSKEYDOWN) {
        // The list tells of plain keys only; a button's Alt key is found here.
        const int iButton = FindButtonOfKey(static_cast<WORD>(pMsg->wParam), EditListHeldModifiers());
        if (iButton >= 0) {
            OnClickButton(iButton);
            return TRUE;
        }
    }
    if (hList != nullptr && pMsg->hwnd == hList) {
        const BOOL bEditing = m_wndEdit.GetSafeHwnd() != nullptr && m_wndEdit.m_bIsActive;
        if (pMsg->message == WM_LBUTTONDOWN && !bEditing && ::GetFocus() == hList) {
            const CPoint point(static_cast<short>(LOWORD(pMsg->lParam)), static_cast<short>(HIWORD(pMsg->lParam)));
            UINT uFlags = 0;
            const int iItem = m_pWndList->HitTest(point, &uFlags);
            const UINT uState = LVIS_SELECTED | LVIS_FOCUSED;
            if (iItem >= 0 && (uFlags & LVHT_ONITEMLABEL) && m_pWndList->GetItemState(iItem, uState) == uState) {
                m_ptClick = point;
                m_pWndList->SetCapture();
                return TRUE;
            }
        } else if (pMsg->message == WM_LBUTTONUP && m_ptClick.x != -1) {
            const CPoint point(static_cast<short>(LOWORD(pMsg->lParam)), static_cast<short>(HIWORD(pMsg->lParam)));
            const CPoint ptPressed = m_ptClick;
            m_ptClick = CPoint(-1, -1);
            ::ReleaseCapture();
            const int iItem = m_pWndList->HitTest(point);
            if (iItem >= 0 && std::abs(point.x - ptPressed.x) <= ::GetSystemMetrics(SM_CXDRAG) &&
                std::abs(point.y - ptPressed.y) <= ::GetSystemMetrics(SM_CYDRAG)) {
                EditItem(iItem);
                return TRUE;
            }
        }
    }
    return CKtvPEditListBox::PreTranslateMessage(pMsg);
}
