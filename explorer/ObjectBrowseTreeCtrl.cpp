#include "explorer/ObjectBrowseTreeCtrl.h"

#include "app/MainFrame.h"
#include "platform/mfc/CMenu.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/afxmsg.h"
#include "ui/commandbars/KtvPPopupMenu.h"

IMPLEMENT_DYNAMIC(CObjectBrowseTreeCtrl, CTreeCtrl)

BEGIN_MESSAGE_MAP(CObjectBrowseTreeCtrl, CTreeCtrl)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_CONTEXTMENU()
    ON_WM_CTLCOLOR()
    ON_NOTIFY_REFLECT_EX(TVN_ITEMEXPANDING, OnItemExpanding)
END_MESSAGE_MAP()

namespace {

// Stands for the texts of levels the root does not have: it matches no folder name.
constexpr const char* kObjectTreeNoText = "\x01";

struct ObjectTreeSubFolderKind {
    const char* text;
    const char* kind;
};

const ObjectTreeSubFolderKind kTableSubFolderKinds[] = {
    {"Columns", "Columns"}, {"Index", "Index1"},   {"Restriction", "Restriction"},
    {"Depend", "Depend"},   {"Trigger", "Trigger1"}, {"Foreign Key", "Foreign Key"},
};

BOOL ObjectTreeIsFolderName(const CString& text)
{
    for (const char* name : {"User Table", "System Table", "View", "Procedure", "Extend Procedure", "Function"})
        if (text == name)
            return TRUE;
    return FALSE;
}

}  // namespace

CObjectBrowseTreeCtrl::CObjectBrowseTreeCtrl()
{
    if (FAILED(m_pCatalogRecordset.CreateInstance("ADODB.Recordset")))
        m_pCatalogRecordset = nullptr;
}

CObjectBrowseTreeCtrl::~CObjectBrowseTreeCtrl() = default;

void CObjectBrowseTreeCtrl::OnExpandItem(HTREEITEM hItem)
{
    if (hItem == nullptr)
        return;
    HTREEITEM hRoot = GetRootItem();
    HTREEITEM hParent = GetParentItem(hItem);
    HTREEITEM hGrand = hParent != nullptr ? GetParentItem(hParent) : nullptr;
    HTREEITEM hFourth = nullptr;
    if (hGrand != nullptr) {
        HTREEITEM hThird = GetParentItem(hGrand);
        hFourth = hThird != nullptr ? GetParentItem(hThird) : nullptr;
    }
    CString strText = kObjectTreeNoText;
    CString strGrand = kObjectTreeNoText;
    if (hItem != hRoot) {
        strText = GetItemText(hItem);
        if (hGrand != nullptr)
            strGrand = GetItemText(hGrand);
    }

    if (hGrand != nullptr && hGrand == hRoot && ObjectTreeIsFolderName(strText)) {
        ExpandNode(strText, 0, hItem);
        return;
    }
    if (hFourth == nullptr || hFourth != hRoot)
        return;
    if (strGrand == "User Table" || strGrand == "System Table" || strGrand == "View") {
        for (const ObjectTreeSubFolderKind& sub : kTableSubFolderKinds) {
            if (strText != sub.text)
                continue;
            const int nFlag = CString(sub.kind) == "Index1" && strGrand == "View" ? 1 : 0;
            ExpandNode(sub.kind, nFlag, hItem);
            return;
        }
        return;
    }
    if (strGrand == "Procedure" || strGrand == "Extend Procedure") {
        if (strText == "Parameter")
            ExpandNode("Parameter", 1, hItem);
        else if (strText == "Depend")
            ExpandNode("Depend", 1, hItem);
        else if (strText == "DLL Name")
            ExpandNode("DLL", 1, hItem);
        return;
    }
    if (strGrand == "Function") {
        if (strText == "Parameter")
            ExpandNode("Parameter", 0, hItem);
        else if (strText == "Depend")
            ExpandNode("Depend", 0, hItem);
    }
}

BOOL CObjectBrowseTreeCtrl::ChooseContextMenu(HTREEITEM hItem, int& nPopup, int nRemove[], int& nRemoveCount) const
{
    nRemoveCount = 0;
    if (hItem == nullptr)
        return FALSE;
    HTREEITEM hRoot = GetRootItem();
    HTREEITEM hParent = GetParentItem(hItem);
    HTREEITEM hGrand = hParent != nullptr ? GetParentItem(hParent) : nullptr;
    auto remove = [&](std::initializer_list<int> positions) {
        for (int nPosition : positions)
            nRemove[nRemoveCount++] = nPosition;
    };
    if (hItem == hRoot) {
        nPopup = 10;
        remove({0});
        return TRUE;
    }
    if (hParent == hRoot) {
        nPopup = 9;
        remove({0, 0, 0, 0, 0, 0, 0, 0});
        return TRUE;
    }
    if (hGrand == hRoot) {
        nPopup = 10;
        remove({0});
        return TRUE;
    }
    const CString strParent = GetItemText(hParent);
    struct ObjectMenuChoice {
        const char* parent;
        int popup;
        int removals[2];
        int count;
    };
    static const ObjectMenuChoice kChoices[] = {
        {"User Table", 2, {3, 0}, 1}, {"System Table", 2, {3, 3}, 2}, {"Procedure", 3, {0, 8}, 2},
        {"Extend Procedure", 3, {0, 0}, 1}, {"View", 4, {3, 0}, 1},   {"Trigger", 5, {0, 0}, 1},
        {"Function", 6, {0, 0}, 1},       {"Index", 7, {0, 0}, 1},
    };
    for (const ObjectMenuChoice& choice : kChoices) {
        if (strParent != choice.parent)
            continue;
        nPopup = choice.popup;
        for (int i = 0; i < choice.count; ++i)
            nRemove[nRemoveCount++] = choice.removals[i];
        return TRUE;
    }
    return FALSE;
}

void CObjectBrowseTreeCtrl::ShowContextMenu(CPoint point)
{
    int nPopup = 0;
    int nRemove[8] = {};
    int nRemoveCount = 0;
    if (!ChooseContextMenu(GetSelectedItem(), nPopup, nRemove, nRemoveCount))
        return;
    CMenu menu;
    if (!menu.LoadMenu(IDR_OBJTREE_POPUP))
        return;
    CMenu* pSubMenu = menu.GetSubMenu(nPopup);
    if (pSubMenu == nullptr)
        return;
    CWnd* pFrameWnd = AfxGetMainWnd();
    auto* pMenu = new CKtvPPopupMenu;
    // The popup builds its items from the sub-menu when it is created; the
    // resource menu is ours to free.
    pMenu->m_bOwnsMenu = FALSE;
    if (!pMenu->Create(pFrameWnd, point.x, point.y, pSubMenu->GetSafeHmenu(), FALSE, FALSE))
        return;
    for (int i = 0; i < nRemoveCount; ++i)
        pMenu->RemoveItem(nRemove[i]);
    pMenu->RecalcLayout();
    pMenu->UpdateShadow();
    if (auto* pFrame = dynamic_cast<CMainFrame*>(pFrameWnd))
        pFrame->OnShowPopupMenu(pMenu);
}

void CObjectBrowseTreeCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    UINT nHit = 0;
    HTREEITEM hItem = HitTest(point, &nHit);
    if (hItem != nullptr && (nHit & (TVHT_ONITEM | TVHT_ONITEMBUTTON | TVHT_ONITEMINDENT | TVHT_ONITEMRIGHT)) != 0)
        OnExpandItem(hItem);
    CTreeCtrl::OnLButtonDown(nFlags, point);
}

void CObjectBrowseTreeCtrl::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    OnExpandItem(GetSelectedItem());
    CTreeCtrl::OnLButtonDblClk(nFlags, point);
}

void CObjectBrowseTreeCtrl::OnRButtonDown(UINT /*nFlags*/, CPoint point)
{
    UINT nHit = 0;
    HTREEITEM hItem = HitTest(point, &nHit);
    if (hItem == nullptr || (nHit & (TVHT_ONITEM | TVHT_ONITEMSTATEICON)) == 0)
        return;
    SetItemState(hItem, 0, TVIS_DROPHILITED);
    SelectItem(hItem);
}

void CObjectBrowseTreeCtrl::OnContextMenu(CWnd* pWnd, CPoint point)
{
    CPoint client = point;
    ScreenToClient(&client);
    UINT nHit = 0;
    HTREEITEM hItem = HitTest(client, &nHit);
    if (hItem == nullptr || (nHit & (TVHT_ONITEM | TVHT_ONITEMSTATEICON)) == 0) {
        CTreeCtrl::OnContextMenu(pWnd, point);
        return;
    }
    // The menu is for the item under the pointer, which the right press has selected.
    SetItemState(hItem, 0, TVIS_DROPHILITED);
    SelectItem(hItem);
    CPoint cursor;
    ::GetCursorPos(&cursor);
    ShowContextMenu(cursor);
}

HBRUSH CObjectBrowseTreeCtrl::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    return CTreeCtrl::OnCtlColor(pDC, pWnd, nCtlColor);
}

BOOL CObjectBrowseTreeCtrl::OnItemExpanding(NMHDR* pHeader, LRESULT* pResult)
{
    // Opened from the keyboard (or by a click the button handled first), the
    // node is filled before it opens, so its placeholder never shows.
    auto* pInfo = reinterpret_cast<NMTREEVIEW*>(pHeader);
    *pResult = 0;
    if ((pInfo->action & TVE_ACTIONMASK) == TVE_EXPAND && ObjectTreeIsUnfilled(*this, pInfo->itemNew.hItem))
        OnExpandItem(pInfo->itemNew.hItem);
    return FALSE;
}
