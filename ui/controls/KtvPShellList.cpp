#include "ui/controls/KtvPShellList.h"

#include <sys/stat.h>

#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "platform/mfc/AfxThreadState.h"
#include "platform/mfc/CWinApp.h"
#include "platform/shell/shellapi.h"
#include "platform/win32/menu/winmenu.h"
#include "ui/frames/KtvPShellManager.h"

IMPLEMENT_DYNAMIC(CKtvPShellList, CKtvPListCtrl)

IContextMenu2* CKtvPShellList::s_pContextMenu2 = nullptr;

namespace {

constexpr UINT kShellListLastCommand = 0x7FFF;

std::string ShellListPathOf(LPCITEMIDLIST pidl)
{
    char path[MAX_PATH] = {};
    if (!pidl || !SHGetPathFromIDList(pidl, path))
        return {};
    return path;
}

struct ShellListFacts {
    bool known = false;
    bool folder = false;
    long long size = 0;
    time_t modified = 0;
};

ShellListFacts ShellListFactsOf(LPCITEMIDLIST pidl)
{
    ShellListFacts facts;
    const std::string path = ShellListPathOf(pidl);
    struct stat info{};
    if (path.empty() || ::stat(path.c_str(), &info) != 0)
        return facts;
    facts.known = true;
    facts.folder = S_ISDIR(info.st_mode);
    facts.size = info.st_size;
    facts.modified = info.st_mtime;
    return facts;
}

// "0 KB", "1 KB", "1,234 KB": kilobytes rounded up, in thousands.
std::string ShellListSizeText(long long bytes)
{
    long long kb = (bytes + 1023) / 1024;
    std::string digits = std::to_string(kb);
    for (int at = int(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(size_t(at), ",");
    return digits + " KB";
}

std::string ShellListDateText(time_t when)
{
    std::tm local{};
    localtime_r(&when, &local);
    char text[32] = {};
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
    return text;
}

LPKTVP_SHELLITEMINFO ShellListInfoOf(const CKtvPShellList& list, int item)
{
    return reinterpret_cast<LPKTVP_SHELLITEMINFO>(list.GetItemData(item));
}

}  // namespace

CKtvPShellList::CKtvPShellList()
    : m_psfCurFolder(nullptr),
      m_pidlCurFQ(nullptr),
      m_bContextMenu(TRUE),
      m_hwndRelatedTree(nullptr),
      m_bNoNotify(FALSE),
      m_nTypes(SHCONTF_FOLDERS | SHCONTF_NONFOLDERS)
{
}

CKtvPShellList::~CKtvPShellList()
{
    ReleaseCurrFolder();
}

BEGIN_MESSAGE_MAP(CKtvPShellList, CKtvPListCtrl)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_CONTEXTMENU()
    ON_NOTIFY_REFLECT(LVN_DELETEITEM, OnDeleteItem)
    ON_NOTIFY_REFLECT(NM_DBLCLK, OnDblClk)
END_MESSAGE_MAP()

int CKtvPShellList::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKtvPListCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;
    return InitShellList() ? 0 : -1;
}

BOOL CKtvPShellList::InitShellList()
{
    if (!g_pShellManager)
        return FALSE;
    ModifyStyle(0, LVS_SHAREIMAGELISTS);
    SHFILEINFO info{};
    auto large = reinterpret_cast<HIMAGELIST>(SHGetFileInfo("/", 0, &info, sizeof info, SHGFI_SYSICONINDEX));
    auto small = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfo("/", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    if (large)
        SendMessage(LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(large));
    if (small)
        SendMessage(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(small));
    OnSetColumns();
    if (!m_psfCurFolder) {
        LPITEMIDLIST desktop = nullptr;
        if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &desktop))) {
            KTVP_SHELLITEMINFO item{nullptr, desktop, nullptr};
            DisplayFolder(&item);
            g_pShellManager->FreeItem(desktop);
        }
    }
    return TRUE;
}

void CKtvPShellList::OnSetColumns()
{
    static const struct {
        const char* title;
        int format;
        int width;
    } kColumns[kColumnCount] = {
        {"Name", LVCFMT_LEFT, 200}, {"Size", LVCFMT_RIGHT, 80}, {"Type", LVCFMT_LEFT, 100},
        {"Date Modified", LVCFMT_LEFT, 120}};
    for (int i = 0; i < kColumnCount; ++i)
        InsertColumn(i, kColumns[i].title, kColumns[i].format, kColumns[i].width);
}

void CKtvPShellList::ReleaseCurrFolder()
{
    if (m_psfCurFolder) {
        m_psfCurFolder->Release();
        m_psfCurFolder = nullptr;
    }
    if (m_pidlCurFQ) {
        if (g_pShellManager)
            g_pShellManager->FreeItem(m_pidlCurFQ);
        else
            ILFree(m_pidlCurFQ);
        m_pidlCurFQ = nullptr;
    }
}

HRESULT CKtvPShellList::DisplayFolder(LPKTVP_SHELLITEMINFO pItemInfo)
{
    if (!g_pShellManager)
        return E_FAIL;
    LPSHELLFOLDER folder = nullptr;
    HRESULT hr = E_FAIL;
    if (!pItemInfo || !pItemInfo->pParentFolder) {
        LPSHELLFOLDER desktop = nullptr;
        hr = SHGetDesktopFolder(&desktop);
        if (SUCCEEDED(hr) && pItemInfo && pItemInfo->pidlFQ && ILGetSize(pItemInfo->pidlFQ) > sizeof(USHORT)) {
            hr = desktop->BindToObject(pItemInfo->pidlFQ, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&folder));
            desktop->Release();
        } else {
            folder = desktop;
        }
    } else {
        hr = pItemInfo->pParentFolder->BindToObject(pItemInfo->pidlRel, nullptr, IID_IShellFolder,
                                                    reinterpret_cast<void**>(&folder));
    }
    if (FAILED(hr) || !folder)
        return FAILED(hr) ? hr : E_FAIL;
    LPITEMIDLIST pidl = pItemInfo && pItemInfo->pidlFQ ? g_pShellManager->CopyItem(pItemInfo->pidlFQ) : nullptr;
    if (!pidl)
        SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &pidl);
    hr = DisplayFolderList(folder, pidl);
    folder->Release();
    g_pShellManager->FreeItem(pidl);
    return hr;
}

HRESULT CKtvPShellList::DisplayFolder(LPCTSTR lpszPath)
{
    if (!lpszPath || !*lpszPath)
        return E_INVALIDARG;
    LPITEMIDLIST pidl = ILCreateFromPath(lpszPath);
    if (!pidl)
        return E_FAIL;
    KTVP_SHELLITEMINFO item{nullptr, pidl, nullptr};
    const HRESULT hr = DisplayFolder(&item);
    ILFree(pidl);
    return hr;
}

HRESULT CKtvPShellList::DisplayParentFolder()
{
    const std::string path = ShellListPathOf(m_pidlCurFQ);
    if (path.empty())
        return E_FAIL;
    if (path == "/") {
        LPITEMIDLIST desktop = nullptr;
        if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &desktop)))
            return E_FAIL;
        KTVP_SHELLITEMINFO item{nullptr, desktop, nullptr};
        const HRESULT hr = DisplayFolder(&item);
        ILFree(desktop);
        return hr;
    }
    const auto slash = path.find_last_of('/');
    return DisplayFolder(slash == 0 ? "/" : path.substr(0, slash).c_str());
}

HRESULT CKtvPShellList::DisplayFolderList(LPSHELLFOLDER pFolder, LPCITEMIDLIST pidlFQ)
{
    IEnumIDList* items = nullptr;
    HRESULT hr = pFolder->EnumObjects(GetSafeHwnd(), m_nTypes, &items);
    if (FAILED(hr) || !items)
        return FAILED(hr) ? hr : E_FAIL;
    SetRedraw(FALSE);
    DeleteAllItems();
    ReleaseCurrFolder();
    m_psfCurFolder = pFolder;
    m_psfCurFolder->AddRef();
    m_pidlCurFQ = g_pShellManager->CopyItem(pidlFQ);

    LPITEMIDLIST pidl = nullptr;
    ULONG fetched = 0;
    int row = 0;
    while (items->Next(1, &pidl, &fetched) == S_OK && fetched == 1) {
        LPKTVP_SHELLITEMINFO info = KtvPNewShellItemInfo();
        if (!info) {
            g_pShellManager->FreeItem(pidl);
            break;
        }
        info->pParentFolder = pFolder;
        pFolder->AddRef();
        info->pidlFQ = g_pShellManager->ConcatenateItem(pidlFQ, pidl);
        info->pidlRel = pidl;

        SHFILEINFO shell{};
        SHGetFileInfo(reinterpret_cast<LPCSTR>(info->pidlFQ), 0, &shell, sizeof shell,
                      SHGFI_PIDL | SHGFI_DISPLAYNAME | SHGFI_TYPENAME | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
        const ShellListFacts facts = ShellListFactsOf(info->pidlFQ);
        const int index = InsertItem(LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM, row, shell.szDisplayName, 0, 0,
                                     shell.iIcon, reinterpret_cast<LPARAM>(info));
        if (index < 0) {
            KtvPFreeShellItemInfo(info);
            continue;
        }
        if (facts.known) {
            if (!facts.folder)
                SetItemText(index, kColumnSize, ShellListSizeText(facts.size).c_str());
            SetItemText(index, kColumnModified, ShellListDateText(facts.modified).c_str());
        }
        SetItemText(index, kColumnType, shell.szTypeName);
        ++row;
        pidl = nullptr;
    }
    items->Release();
    SetRedraw(TRUE);
    Invalidate();
    return S_OK;
}

BOOL CKtvPShellList::GetCurrentFolder(CString& strPath) const
{
    const std::string path = ShellListPathOf(m_pidlCurFQ);
    strPath = path.c_str();
    return !path.empty();
}

BOOL CKtvPShellList::GetItemPath(CString& strPath, int iItem) const
{
    LPKTVP_SHELLITEMINFO info = iItem >= 0 ? ShellListInfoOf(*this, iItem) : nullptr;
    const std::string path = info ? ShellListPathOf(info->pidlFQ) : std::string();
    strPath = path.c_str();
    return !path.empty();
}

int CKtvPShellList::OnCompareItems(LPARAM lParam1, LPARAM lParam2, int iColumn)
{
    auto* left = reinterpret_cast<LPKTVP_SHELLITEMINFO>(lParam1);
    auto* right = reinterpret_cast<LPKTVP_SHELLITEMINFO>(lParam2);
    if (!left || !right || !m_psfCurFolder)
        return 0;
    const HRESULT byName = m_psfCurFolder->CompareIDs(0, left->pidlRel, right->pidlRel);
    const int nameOrder = SUCCEEDED(byName) ? short(HRESULT_CODE(byName)) : 0;
    if (iColumn == kColumnName || iColumn == kColumnType)
        return nameOrder;
    const ShellListFacts a = ShellListFactsOf(left->pidlFQ);
    const ShellListFacts b = ShellListFactsOf(right->pidlFQ);
    if (a.folder != b.folder)
        return a.folder ? -1 : 1;
    const long long va = iColumn == kColumnSize ? a.size : (long long)a.modified;
    const long long vb = iColumn == kColumnSize ? b.size : (long long)b.modified;
    if (va != vb)
        return va < vb ? -1 : 1;
    return nameOrder;
}

void CKtvPShellList::OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* notify = reinterpret_cast<LPNMLISTVIEW>(pNMHDR);
    KtvPFreeShellItemInfo(reinterpret_cast<LPKTVP_SHELLITEMINFO>(notify->lParam));
    *pResult = 0;
}

void CKtvPShellList::OnDblClk(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    const int item = GetNextItem(-1, LVNI_FOCUSED);
    if (item >= 0)
        DoDefault(item);
}

void CKtvPShellList::ShowFolderOnItsOwn(LPKTVP_SHELLITEMINFO pItemInfo)
{
    // The item belongs to the list being emptied: keep its absolute list.
    LPITEMIDLIST pidl = g_pShellManager->CopyItem(pItemInfo->pidlFQ);
    KTVP_SHELLITEMINFO item{nullptr, pidl, nullptr};
    if (SUCCEEDED(DisplayFolder(&item))) {
        if (CKtvPShellTree* tree = GetRelatedTree())
            tree->SelectPath(pidl);
        // Posted to the parent after the list moved to another folder on its own.
        KtvRegisterLibraryMessages();
        if (CWnd* parent = GetParent())
            parent->PostMessage(KTVPM_CHANGE_CURRENT_FOLDER, 0, 0);
    }
    g_pShellManager->FreeItem(pidl);
}

void CKtvPShellList::DoDefault(int iItem)
{
    LPKTVP_SHELLITEMINFO info = ShellListInfoOf(*this, iItem);
    if (!info || !info->pParentFolder)
        return;
    SFGAOF attributes = SFGAO_FOLDER;
    LPCITEMIDLIST asked[] = {info->pidlRel};
    if (FAILED(info->pParentFolder->GetAttributesOf(1, asked, &attributes)))
        return;
    if (attributes & SFGAO_FOLDER) {
        ShowFolderOnItsOwn(info);
        return;
    }
    IContextMenu* menu = nullptr;
    if (FAILED(info->pParentFolder->GetUIObjectOf(GetSafeHwnd(), 1, asked, IID_IContextMenu, nullptr,
                                                  reinterpret_cast<void**>(&menu))))
        return;
    CWaitCursor wait;
    CMINVOKECOMMANDINFO invoke{};
    invoke.cbSize = sizeof invoke;
    invoke.hwnd = ::GetParent(GetSafeHwnd());
    invoke.lpVerb = "open";
    invoke.nShow = SW_SHOWNORMAL;
    menu->InvokeCommand(&invoke);
    menu->Release();
}

void CKtvPShellList::OnContextMenu(CWnd*, CPoint point)
{
    if (s_pContextMenu2)
        return;
    if (!m_bContextMenu) {
        Default();
        return;
    }
    if (!m_psfCurFolder)
        return;
    std::vector<int> chosen;
    if (point.x == -1 && point.y == -1) {
        for (int i = GetNextItem(-1, LVNI_SELECTED); i >= 0; i = GetNextItem(i, LVNI_SELECTED))
            chosen.push_back(i);
    } else {
        CPoint client = point;
        ScreenToClient(&client);
        UINT flags = 0;
        const int hit = HitTest(client, &flags);
        if (hit < 0 || !(flags & LVHT_ONITEM))
            return;
        chosen.push_back(hit);
        for (int i = GetNextItem(-1, LVNI_SELECTED); i >= 0; i = GetNextItem(i, LVNI_SELECTED))
            if (i != hit)
                chosen.push_back(i);
    }
    if (chosen.empty())
        return;
    auto* lists = static_cast<LPCITEMIDLIST*>(g_pShellManager->m_pMalloc->Alloc(chosen.size() * sizeof(LPCITEMIDLIST)));
    if (!lists)
        return;
    UINT count = 0;
    for (int i : chosen)
        if (LPKTVP_SHELLITEMINFO info = ShellListInfoOf(*this, i))
            lists[count++] = info->pidlRel;
    IContextMenu* menu = nullptr;
    if (count && SUCCEEDED(m_psfCurFolder->GetUIObjectOf(GetSafeHwnd(), count, lists, IID_IContextMenu, nullptr,
                                                          reinterpret_cast<void**>(&menu)))) {
        HMENU popup = CreatePopupMenu();
        if (popup && SUCCEEDED(menu->QueryContextMenu(popup, 0, 1, kShellListLastCommand, CMF_EXPLORE))) {
            menu->QueryInterface(IID_IContextMenu2, reinterpret_cast<void**>(&s_pContextMenu2));
            HWND self = GetSafeHwnd();
            const int command =
                ::TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x, point.y, 0, self, nullptr);
            if (s_pContextMenu2) {
                s_pContextMenu2->Release();
                s_pContextMenu2 = nullptr;
            }
            if (command > 0 && ::IsWindow(self)) {
                bool shown = false;
                if (count == 1 && UINT(command) == GetMenuDefaultItem(popup, FALSE, 0)) {
                    SFGAOF attributes = SFGAO_FOLDER;
                    LPCITEMIDLIST one[] = {lists[0]};
                    if (SUCCEEDED(m_psfCurFolder->GetAttributesOf(1, one, &attributes)) &&
                        (attributes & SFGAO_FOLDER)) {
                        ShowFolderOnItsOwn(ShellListInfoOf(*this, chosen.front()));
                        shown = true;
                    }
                }
                if (!shown)
                    KtvPInvokeShellCommand(menu, ::GetParent(self), command);
            }
        }
        if (popup)
            DestroyMenu(popup);
        menu->Release();
    }
    g_pShellManager->m_pMalloc->Free(lists);
}

LRESULT CKtvPShellList::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (s_pContextMenu2 && (message == WM_DRAWITEM || message == WM_MEASUREITEM || message == WM_INITMENUPOPUP)) {
        s_pContextMenu2->HandleMenuMsg(message, wParam, lParam);
        return 0;
    }
    return CKtvPListCtrl::WindowProc(message, wParam, lParam);
}

void CKtvPShellList::OnDestroy()
{
    if (CKtvPShellTree* tree = GetRelatedTree())
        tree->m_hwndRelatedList = nullptr;
    DeleteAllItems();
    ReleaseCurrFolder();
    CKtvPListCtrl::OnDestroy();
}

CKtvPShellTree* CKtvPShellList::GetRelatedTree() const
{
    if (!m_hwndRelatedTree || !::IsWindow(m_hwndRelatedTree))
        return nullptr;
    return DYNAMIC_DOWNCAST(CKtvPShellTree, CWnd::FromHandlePermanent(m_hwndRelatedTree));
}
