#include "ui/controls/KtvPShellTree.h"

#include <cstring>
#include <string>

#include "platform/mfc/AfxThreadState.h"
#include "platform/mfc/CWinApp.h"
#include "platform/shell/shellapi.h"
#include "platform/win32/kernel/GlobalMemory.h"
#include "platform/win32/menu/winmenu.h"
#include "ui/controls/KtvPShellList.h"
#include "ui/frames/KtvPShellManager.h"

IMPLEMENT_DYNAMIC(CKtvPShellTree, CTreeCtrl)

IContextMenu2* CKtvPShellTree::s_pContextMenu2 = nullptr;

namespace {

// The attributes a tree item is asked for.
constexpr SFGAOF kShellTreeAttributes = SFGAO_HASSUBFOLDER | SFGAO_FOLDER | SFGAO_LINK | SFGAO_SHARE |
                                        SFGAO_READONLY | SFGAO_GHOSTED | SFGAO_CANRENAME;
constexpr UINT kShellTreeLastCommand = 0x7FFF;

std::string ShellTreePathOf(LPCITEMIDLIST pidl)
{
    char path[MAX_PATH] = {};
    if (!pidl || !SHGetPathFromIDList(pidl, path))
        return {};
    return path;
}

// Whether `folder` is `path` or a folder above it.
bool ShellTreeLeadsTo(const std::string& folder, const std::string& path)
{
    if (folder.empty() || path.compare(0, folder.size(), folder) != 0)
        return false;
    return path.size() == folder.size() || folder == "/" || path[folder.size()] == '/';
}

}  // namespace

LPKTVP_SHELLITEMINFO KtvPNewShellItemInfo()
{
    return static_cast<LPKTVP_SHELLITEMINFO>(GlobalAlloc(GPTR, sizeof(KTVP_SHELLITEMINFO)));
}

void KtvPFreeShellItemInfo(LPKTVP_SHELLITEMINFO pInfo)
{
    if (!pInfo)
        return;
    if (g_pShellManager) {
        g_pShellManager->FreeItem(pInfo->pidlFQ);
        g_pShellManager->FreeItem(pInfo->pidlRel);
    } else {
        ILFree(pInfo->pidlFQ);
        ILFree(pInfo->pidlRel);
    }
    if (pInfo->pParentFolder)
        pInfo->pParentFolder->Release();
    GlobalFree(pInfo);
}

HRESULT KtvPInvokeShellCommand(IContextMenu* pMenu, HWND hwndOwner, int nCommand)
{
    CWaitCursor wait;
    CMINVOKECOMMANDINFO invoke{};
    invoke.cbSize = sizeof invoke;
    invoke.hwnd = hwndOwner;
    invoke.lpVerb = MAKEINTRESOURCE(nCommand - 1);
    invoke.nShow = SW_SHOWNORMAL;
    return pMenu->InvokeCommand(&invoke);
}

CKtvPShellTree::CKtvPShellTree()
    : m_bContextMenu(TRUE), m_hwndRelatedList(nullptr), m_bNoNotify(FALSE), m_dwFlags(SHCONTF_FOLDERS),
      m_bCollapsing(FALSE)
{
}

CKtvPShellTree::~CKtvPShellTree() = default;

BEGIN_MESSAGE_MAP(CKtvPShellTree, CTreeCtrl)
    ON_WM_CREATE()
    ON_WM_RBUTTONDOWN()
    ON_WM_CONTEXTMENU()
    ON_WM_DESTROY()
    ON_NOTIFY_REFLECT(TVN_ITEMEXPANDING, OnItemExpanding)
    ON_NOTIFY_REFLECT(TVN_DELETEITEM, OnDeleteItem)
    ON_NOTIFY_REFLECT(NM_RCLICK, OnRightClick)
END_MESSAGE_MAP()

int CKtvPShellTree::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CTreeCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!g_pShellManager)
        return -1;
    InitTree();
    return 0;
}

void CKtvPShellTree::PreSubclassWindow()
{
    CTreeCtrl::PreSubclassWindow();
    if (tw::mfc::CurrentThreadState().pWndInit == nullptr && g_pShellManager)
        InitTree();
}

BOOL CKtvPShellTree::InitTree()
{
    SHFILEINFO info{};
    auto images = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfo("/", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    if (images)
        SendMessage(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
    Refresh();
    return TRUE;
}

void CKtvPShellTree::Refresh()
{
    DeleteAllItems();
    GetRootItems();
    SendMessage(TVM_SETSCROLLTIME, 100);
}

void CKtvPShellTree::SetFlags(DWORD dwFlags, BOOL bRefresh)
{
    m_dwFlags = dwFlags;
    if (bRefresh && GetSafeHwnd())
        Refresh();
}

BOOL CKtvPShellTree::GetRootItems()
{
    if (!g_pShellManager)
        return FALSE;
    LPITEMIDLIST pidl = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &pidl)))
        return FALSE;
    LPSHELLFOLDER desktop = nullptr;
    if (FAILED(SHGetDesktopFolder(&desktop))) {
        g_pShellManager->FreeItem(pidl);
        return FALSE;
    }
    desktop->Release();
    LPKTVP_SHELLITEMINFO info = KtvPNewShellItemInfo();
    if (!info) {
        g_pShellManager->FreeItem(pidl);
        return FALSE;
    }
    info->pidlFQ = g_pShellManager->CopyItem(pidl);
    info->pidlRel = pidl;

    const CString text = OnGetItemText(info);
    TVINSERTSTRUCT insert{};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_CHILDREN;
    insert.item.pszText = const_cast<LPSTR>(static_cast<LPCTSTR>(text));
    insert.item.iImage = OnGetItemIcon(info, FALSE);
    insert.item.iSelectedImage = OnGetItemIcon(info, TRUE);
    insert.item.cChildren = 1;
    insert.item.lParam = reinterpret_cast<LPARAM>(info);
    HTREEITEM root = InsertItem(&insert);
    if (!root) {
        KtvPFreeShellItemInfo(info);
        return FALSE;
    }
    Expand(root, TVE_EXPAND);
    return TRUE;
}

CString CKtvPShellTree::OnGetItemText(LPKTVP_SHELLITEMINFO pItem)
{
    SHFILEINFO info{};
    if (!pItem || !SHGetFileInfo(reinterpret_cast<LPCSTR>(pItem->pidlFQ), 0, &info, sizeof info,
                                 SHGFI_PIDL | SHGFI_DISPLAYNAME))
        return CString("???");
    return CString(info.szDisplayName);
}

int CKtvPShellTree::OnGetItemIcon(LPKTVP_SHELLITEMINFO pItem, BOOL bSelected)
{
    SHFILEINFO info{};
    UINT flags = SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON;
    flags |= bSelected ? SHGFI_OPENICON : SHGFI_LINKOVERLAY;
    if (!pItem || !SHGetFileInfo(reinterpret_cast<LPCSTR>(pItem->pidlFQ), 0, &info, sizeof info, flags))
        return -1;
    return info.iIcon;
}

void CKtvPShellTree::OnItemExpanding(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* notify = reinterpret_cast<LPNMTREEVIEW>(pNMHDR);
    HTREEITEM item = notify->itemNew.hItem;
    *pResult = 0;
    if (!item)
        return;
    if (notify->action == TVE_COLLAPSE) {
        // The children go, so the next expansion reads the folder afresh. The
        // reset asks again; that inner request is the one being served.
        if (!m_bCollapsing) {
            m_bCollapsing = TRUE;
            Expand(item, TVE_COLLAPSE | TVE_COLLAPSERESET);
            m_bCollapsing = FALSE;
        }
        return;
    }
    if (notify->action != TVE_EXPAND || GetChildItem(item))
        return;
    GetChildItems(item);
    if (!GetChildItem(item)) {
        TVITEM tvItem{};
        tvItem.mask = TVIF_CHILDREN;
        tvItem.hItem = item;
        tvItem.cChildren = 0;
        SetItem(&tvItem);
    }
}

BOOL CKtvPShellTree::GetChildItems(HTREEITEM hParentItem)
{
    CWaitCursor wait;
    auto* info = reinterpret_cast<LPKTVP_SHELLITEMINFO>(GetItemData(hParentItem));
    if (!info)
        return FALSE;
    SetRedraw(FALSE);
    LPSHELLFOLDER folder = nullptr;
    HRESULT hr = E_FAIL;
    if (info->pParentFolder)
        hr = info->pParentFolder->BindToObject(info->pidlRel, nullptr, IID_IShellFolder,
                                               reinterpret_cast<void**>(&folder));
    else
        hr = SHGetDesktopFolder(&folder);
    if (FAILED(hr) || !folder) {
        SetRedraw(TRUE);
        return FALSE;
    }
    EnumObjects(hParentItem, folder, info->pidlFQ);

    TVSORTCB sort{};
    sort.hParent = hParentItem;
    sort.lpfnCompare = CompareProc;
    sort.lParam = reinterpret_cast<LPARAM>(folder);
    SortChildrenCB(&sort);
    SetRedraw(TRUE);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    folder->Release();
    return TRUE;
}

int CALLBACK CKtvPShellTree::CompareProc(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort)
{
    auto* folder = reinterpret_cast<LPSHELLFOLDER>(lParamSort);
    auto* left = reinterpret_cast<LPKTVP_SHELLITEMINFO>(lParam1);
    auto* right = reinterpret_cast<LPKTVP_SHELLITEMINFO>(lParam2);
    if (!folder || !left || !right)
        return 0;
    const HRESULT hr = folder->CompareIDs(0, left->pidlRel, right->pidlRel);
    return SUCCEEDED(hr) ? short(HRESULT_CODE(hr)) : 0;
}

HRESULT CKtvPShellTree::EnumObjects(HTREEITEM hParentItem, LPSHELLFOLDER pParentFolder, LPITEMIDLIST pidlParent)
{
    IEnumIDList* items = nullptr;
    HRESULT hr = pParentFolder->EnumObjects(nullptr, m_dwFlags, &items);
    if (FAILED(hr) || !items)
        return hr;
    LPITEMIDLIST pidl = nullptr;
    ULONG fetched = 0;
    while (items->Next(1, &pidl, &fetched) == S_OK && fetched == 1) {
        LPKTVP_SHELLITEMINFO info = KtvPNewShellItemInfo();
        if (!info) {
            g_pShellManager->FreeItem(pidl);
            break;
        }
        info->pParentFolder = pParentFolder;
        pParentFolder->AddRef();
        info->pidlFQ = g_pShellManager->ConcatenateItem(pidlParent, pidl);
        info->pidlRel = pidl;

        const CString text = OnGetItemText(info);
        TVINSERTSTRUCT insert{};
        insert.hParent = hParentItem;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_CHILDREN;
        insert.item.pszText = const_cast<LPSTR>(static_cast<LPCTSTR>(text));
        insert.item.iImage = OnGetItemIcon(info, FALSE);
        insert.item.iSelectedImage = OnGetItemIcon(info, TRUE);
        insert.item.lParam = reinterpret_cast<LPARAM>(info);
        SFGAOF attributes = kShellTreeAttributes;
        LPCITEMIDLIST asked[] = {pidl};
        pParentFolder->GetAttributesOf(1, asked, &attributes);
        insert.item.cChildren = (attributes & SFGAO_HASSUBFOLDER) ? 1 : 0;
        if (attributes & SFGAO_SHARE) {
            insert.item.mask |= TVIF_STATE;
            insert.item.stateMask |= TVIS_OVERLAYMASK;
            insert.item.state |= INDEXTOOVERLAYMASK(1);
        }
        if (!InsertItem(&insert))
            KtvPFreeShellItemInfo(info);
        pidl = nullptr;
    }
    items->Release();
    return S_OK;
}

void CKtvPShellTree::OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* notify = reinterpret_cast<LPNMTREEVIEW>(pNMHDR);
    KtvPFreeShellItemInfo(reinterpret_cast<LPKTVP_SHELLITEMINFO>(notify->itemOld.lParam));
    *pResult = 0;
}

void CKtvPShellTree::OnRButtonDown(UINT, CPoint point)
{
    SetFocus();
    if (HTREEITEM item = HitTest(point))
        Select(item, TVGN_CARET);
}

// The tree reports a right click without asking for a context menu: the
// request is made here, at the point of the click, and the click is handled.
void CKtvPShellTree::OnRightClick(NMHDR*, LRESULT* pResult)
{
    const DWORD pos = ::GetMessagePos();
    SendMessage(WM_CONTEXTMENU, (WPARAM)GetSafeHwnd(), MAKELPARAM(GET_X_LPARAM(pos), GET_Y_LPARAM(pos)));
    *pResult = 1;
}

void CKtvPShellTree::OnContextMenu(CWnd* pWnd, CPoint point)
{
    if (!m_bContextMenu) {
        Default();
        return;
    }
    (void)pWnd;
    OnShowContextMenu(point);
}

void CKtvPShellTree::OnShowContextMenu(CPoint point)
{
    if (s_pContextMenu2)
        return;
    HTREEITEM item = nullptr;
    if (point.x == -1 && point.y == -1) {
        item = GetSelectedItem();
    } else {
        CPoint client = point;
        ScreenToClient(&client);
        item = HitTest(client);
    }
    if (!item)
        return;
    auto* info = reinterpret_cast<LPKTVP_SHELLITEMINFO>(GetItemData(item));
    if (!info)
        return;
    LPSHELLFOLDER folder = info->pParentFolder;
    if (!folder) {
        if (FAILED(SHGetDesktopFolder(&folder)))
            return;
    } else {
        folder->AddRef();
    }
    HWND owner = ::GetParent(GetSafeHwnd());
    IContextMenu* menu = nullptr;
    LPCITEMIDLIST items[] = {info->pidlRel};
    HRESULT hr = folder->GetUIObjectOf(owner, 1, items, IID_IContextMenu, nullptr, reinterpret_cast<void**>(&menu));
    folder->Release();
    if (FAILED(hr) || !menu)
        return;
    HMENU popup = CreatePopupMenu();
    if (popup && SUCCEEDED(menu->QueryContextMenu(popup, 0, 1, kShellTreeLastCommand, CMF_EXPLORE))) {
        menu->QueryInterface(IID_IContextMenu2, reinterpret_cast<void**>(&s_pContextMenu2));
        HWND self = GetSafeHwnd();
        const int command =
            ::TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x, point.y, 0, self, nullptr);
        if (s_pContextMenu2) {
            s_pContextMenu2->Release();
            s_pContextMenu2 = nullptr;
        }
        if (::IsWindow(self) && command > 0) {
            KtvPInvokeShellCommand(menu, owner, command);
            SetFocus();
        }
    }
    if (popup)
        DestroyMenu(popup);
    menu->Release();
}

LRESULT CKtvPShellTree::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (s_pContextMenu2 && (message == WM_DRAWITEM || message == WM_MEASUREITEM || message == WM_INITMENUPOPUP)) {
        s_pContextMenu2->HandleMenuMsg(message, wParam, lParam);
        return 0;
    }
    return CTreeCtrl::WindowProc(message, wParam, lParam);
}

BOOL CKtvPShellTree::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pLResult)
{
    if (message == WM_NOTIFY && reinterpret_cast<LPNMHDR>(lParam)->code == TVN_SELCHANGED && !m_bNoNotify) {
        CKtvPShellList* list = GetRelatedList();
        HTREEITEM item = GetSelectedItem();
        if (list && item) {
            auto* info = reinterpret_cast<LPKTVP_SHELLITEMINFO>(GetItemData(item));
            list->m_bNoNotify = TRUE;
            list->DisplayFolder(info);
            list->m_bNoNotify = FALSE;
            if (pLResult)
                *pLResult = 0;
            return TRUE;
        }
    }
    return CTreeCtrl::OnChildNotify(message, wParam, lParam, pLResult);
}

void CKtvPShellTree::SetRelatedList(CKtvPShellList* pShellList)
{
    m_hwndRelatedList = pShellList ? pShellList->GetSafeHwnd() : nullptr;
    if (pShellList)
        pShellList->m_hwndRelatedTree = GetSafeHwnd();
}

CKtvPShellList* CKtvPShellTree::GetRelatedList() const
{
    if (!m_hwndRelatedList || !::IsWindow(m_hwndRelatedList))
        return nullptr;
    return DYNAMIC_DOWNCAST(CKtvPShellList, CWnd::FromHandlePermanent(m_hwndRelatedList));
}

void CKtvPShellTree::OnDestroy()
{
    if (CKtvPShellList* list = GetRelatedList())
        list->m_hwndRelatedTree = nullptr;
    // Each item owns its shell information; deleting the items while the
    // window is still ours frees it through TVN_DELETEITEM.
    DeleteAllItems();
    CTreeCtrl::OnDestroy();
}

BOOL CKtvPShellTree::GetItemPath(CString& strPath, HTREEITEM htreeItem) const
{
    strPath.Empty();
    HTREEITEM item = htreeItem ? htreeItem : GetSelectedItem();
    if (!item)
        return FALSE;
    auto* info = reinterpret_cast<LPKTVP_SHELLITEMINFO>(GetItemData(item));
    const std::string path = info ? ShellTreePathOf(info->pidlFQ) : std::string();
    if (path.empty())
        return FALSE;
    strPath = path.c_str();
    return TRUE;
}

BOOL CKtvPShellTree::SelectPath(LPCITEMIDLIST pidl)
{
    const std::string path = ShellTreePathOf(pidl);
    return !path.empty() && SelectPath(path.c_str());
}

BOOL CKtvPShellTree::SelectPath(LPCTSTR lpszPath)
{
    if (!lpszPath || !*lpszPath)
        return FALSE;
    std::string target = lpszPath;
    while (target.size() > 1 && target.back() == '/')
        target.pop_back();
    HTREEITEM item = GetRootItem();
    while (item) {
        CString path;
        const std::string here = GetItemPath(path, item) ? std::string(path) : std::string();
        if (here == target)
            break;
        Expand(item, TVE_EXPAND);
        // The child that leads deepest towards the target ("Home" before "/").
        HTREEITEM next = nullptr;
        size_t best = 0;
        for (HTREEITEM child = GetChildItem(item); child; child = GetNextSiblingItem(child)) {
            CString childPath;
            if (!GetItemPath(childPath, child))
                continue;
            const std::string candidate(childPath);
            if (ShellTreeLeadsTo(candidate, target) && candidate.size() > best) {
                best = candidate.size();
                next = child;
            }
        }
        if (!next)
            return FALSE;
        item = next;
    }
    if (!item)
        return FALSE;
    m_bNoNotify = TRUE;
    Select(item, TVGN_CARET);
    EnsureVisible(item);
    m_bNoNotify = FALSE;
    return TRUE;
}
