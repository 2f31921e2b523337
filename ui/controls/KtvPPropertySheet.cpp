#include "ui/controls/KtvPPropertySheet.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "platform/mfc/CWinApp.h"

// --- CKtvPPropertyPage -----------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CKtvPPropertyPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CKtvPPropertyPage, CPropertyPage)
    ON_WM_ACTIVATE()
    ON_WM_NCACTIVATE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CKtvPPropertyPage::CKtvPPropertyPage()
    : m_Impl(*this), m_pCategory(nullptr), m_nIcon(-1), m_nSelIconNum(-1), m_hTreeNode(nullptr)
{
}

CKtvPPropertyPage::CKtvPPropertyPage(UINT nIDTemplate, UINT nIDCaption)
    : CPropertyPage(nIDTemplate, nIDCaption),
      m_Impl(*this),
      m_pCategory(nullptr),
      m_nIcon(-1),
      m_nSelIconNum(-1),
      m_hTreeNode(nullptr)
{
}

CKtvPPropertyPage::~CKtvPPropertyPage() = default;

void CKtvPPropertyPage::SetActiveMenu(CKtvPPopupMenu* pMenu) { m_Impl.SetActiveMenu(pMenu); }

BOOL CKtvPPropertyPage::OnSetActive()
{
    if (auto* pSheet = dynamic_cast<CKtvPPropertySheet*>(GetParentSheet()))
        pSheet->OnActivatePage(this);
    return CPropertyPage::OnSetActive();
}

BOOL CKtvPPropertyPage::PreTranslateMessage(MSG* pMsg)
{
    if (m_Impl.PreTranslateMessage(pMsg))
        return TRUE;
    return CPropertyPage::PreTranslateMessage(pMsg);
}

BOOL CKtvPPropertyPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (m_Impl.OnCommand(wParam, lParam))
        return TRUE;
    return CPropertyPage::OnCommand(wParam, lParam);
}

void CKtvPPropertyPage::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    m_Impl.OnActivate(nState, pWndOther);
    CPropertyPage::OnActivate(nState, pWndOther, bMinimized);
}

BOOL CKtvPPropertyPage::OnNcActivate(BOOL bActive)
{
    m_Impl.OnNcActivate(bActive);
    return (BOOL)DefWindowProc(WM_NCACTIVATE, bActive, 0L);
}

void CKtvPPropertyPage::OnDestroy()
{
    m_Impl.OnDestroy();
    CPropertyPage::OnDestroy();
}

// --- CKtvPPropSheetCategory ------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CKtvPPropSheetCategory, CObject)

CKtvPPropSheetCategory::CKtvPPropSheetCategory(LPCTSTR lpszName, int nIcon, int nSelectedIcon,
                                               const CKtvPPropSheetCategory* pParentCategory,
                                               CKtvPPropertySheet& propSheet)
    : m_strName(lpszName == nullptr ? "" : lpszName),
      m_nIcon(nIcon),
      m_nSelectedIcon(nSelectedIcon == -1 ? nIcon : nSelectedIcon),
      m_pParentCategory(const_cast<CKtvPPropSheetCategory*>(pParentCategory)),
      m_hTreeItem(nullptr),
      m_hLastSelectedItem(nullptr),
      m_propSheet(propSheet)
{
}

// Sub-categories go first; the pages leave a sheet whose window still exists,
// and the category leaves its parent's list.
CKtvPPropSheetCategory::~CKtvPPropSheetCategory()
{
    while (!m_lstSubCategories.IsEmpty())
        delete m_lstSubCategories.RemoveHead();
    if (m_propSheet.GetSafeHwnd() != nullptr) {
        while (!m_lstPages.IsEmpty())
            m_propSheet.RemovePage(m_lstPages.RemoveHead());
    }
    if (m_hTreeItem != nullptr && m_propSheet.m_wndTree.GetSafeHwnd() != nullptr)
        m_propSheet.m_wndTree.DeleteItem(m_hTreeItem);
    if (m_pParentCategory != nullptr) {
        POSITION pos = m_pParentCategory->m_lstSubCategories.Find(this);
        if (pos != nullptr)
            m_pParentCategory->m_lstSubCategories.RemoveAt(pos);
    }
}

// --- CKtvPPropertySheet ----------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CKtvPPropertySheet, CPropertySheet)

BEGIN_MESSAGE_MAP(CKtvPPropertySheet, CPropertySheet)
    ON_WM_ACTIVATE()
    ON_WM_NCACTIVATE()
    ON_WM_DESTROY()
    ON_MESSAGE(UM_AFTERACTIVATEPAGE, OnAfterActivatePage)
    ON_NOTIFY(TVN_SELCHANGED, idTree, OnSelectTree)
    ON_NOTIFY(TVN_GETDISPINFO, idTree, OnGetDispInfo)
END_MESSAGE_MAP()

CKtvPPropertySheet::CKtvPPropertySheet()
    : m_look(SHEETLOOK_TABS), m_nBarWidth(100), m_nActivePage(-1), m_bIsInSelectTree(FALSE), m_Impl(*this)
{
}

CKtvPPropertySheet::CKtvPPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(nIDCaption, pParentWnd, iSelectPage),
      m_look(SHEETLOOK_TABS),
      m_nBarWidth(100),
      m_nActivePage(-1),
      m_bIsInSelectTree(FALSE),
      m_Impl(*this)
{
}

CKtvPPropertySheet::CKtvPPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(pszCaption, pParentWnd, iSelectPage),
      m_look(SHEETLOOK_TABS),
      m_nBarWidth(100),
      m_nActivePage(-1),
      m_bIsInSelectTree(FALSE),
      m_Impl(*this)
{
}

// The sheet owns its top-level categories (each its sub-categories).
CKtvPPropertySheet::~CKtvPPropertySheet()
{
    while (!m_lstTreeCategories.IsEmpty())
        delete m_lstTreeCategories.RemoveHead();
}

// --- CKtvPPropSheetPane and CKtvPPropSheetTab ------------------------------------------------------

BOOL CKtvPPropSheetPane::OnSendCommand(const CKtvPToolbarButton* pButton)
{
    if (m_pParent == nullptr)
        return FALSE;
    CWaitCursor wait;
    m_pParent->SetActivePage(ButtonToIndex(pButton));
    return TRUE;
}

BOOL CKtvPPropSheetTab::SetActiveTab(int iTab)
{
    if (m_pParent != nullptr && GetSafeHwnd() != nullptr && m_pParent->GetActiveIndex() != iTab &&
        !m_pParent->SetActivePage(iTab))
        return FALSE;
    if (!CKtvPTabWnd::SetActiveTab(iTab))
        return FALSE;
    if (m_pParent != nullptr) {
        if (CPropertyPage* pPage = m_pParent->GetActivePage(); pPage != nullptr && pPage->GetSafeHwnd() != nullptr) {
            CRect rect;
            rect = m_rectWndArea;
            MapWindowPoints(m_pParent, rect);
            pPage->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                                SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    return TRUE;
}

// --- CKtvPPropertySheet: setting up -----------------------------------------------------------------

void CKtvPPropertySheet::SetLook(int look, int nNavBarWidth)
{
    m_look = look;
    m_nBarWidth = nNavBarWidth;
    if (look != SHEETLOOK_TABS)
        EnableStackedTabs(FALSE);
}

BOOL CKtvPPropertySheet::SetIconsList(UINT uiImageListResID, int cx, COLORREF clrTransparent)
{
    CBitmap bmp;
    if (!bmp.LoadBitmap(uiImageListResID))
        return FALSE;
    BITMAP bmpObj = {};
    bmp.GetBitmap(&bmpObj);
    UINT nFlags = ILC_COLOR4;
    switch (bmpObj.bmBitsPixel) {
    case 8:
        nFlags = ILC_COLOR8;
        break;
    case 16:
        nFlags = ILC_COLOR16;
        break;
    case 24:
        nFlags = ILC_COLOR24;
        break;
    case 32:
        nFlags = ILC_COLOR32;
        break;
    default:
        break;
    }
    if (clrTransparent != (COLORREF)-1)
        nFlags |= ILC_MASK;
    CImageList icons;
    if (!icons.Create(cx, bmpObj.bmHeight, nFlags, 0, 0))
        return FALSE;
    if (clrTransparent != (COLORREF)-1)
        icons.Add(&bmp, clrTransparent);
    else
        icons.Add(&bmp, (CBitmap*)nullptr);
    SetIconsList(icons.GetSafeHandle());
    return TRUE;
}

void CKtvPPropertySheet::SetIconsList(HIMAGELIST hIcons)
{
    m_Icons.DeleteImageList();
    if (hIcons != nullptr)
        m_Icons.Create(CImageList::FromHandle(hIcons));
}

CKtvPPropSheetCategory* CKtvPPropertySheet::AddTreeCategory(LPCTSTR lpszLabel, int nIconNum, int nSelectedIconNum,
                                                            const CKtvPPropSheetCategory* pParentCategory)
{
    auto* pCategory = new CKtvPPropSheetCategory(lpszLabel, nIconNum, nSelectedIconNum, pParentCategory, *this);
    if (m_wndTree.GetSafeHwnd() != nullptr)
        AddCategoryToTree(pCategory);
    if (pParentCategory != nullptr)
        pCategory->m_pParentCategory->m_lstSubCategories.AddTail(pCategory);
    else
        m_lstTreeCategories.AddTail(pCategory);
    return pCategory;
}

void CKtvPPropertySheet::AddCategoryToTree(CKtvPPropSheetCategory* pCategory)
{
    const HTREEITEM hParent =
        pCategory->m_pParentCategory != nullptr ? pCategory->m_pParentCategory->m_hTreeItem : TVI_ROOT;
    pCategory->m_hTreeItem = m_wndTree.InsertItem(TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE,
                                                  pCategory->m_strName, I_IMAGECALLBACK, I_IMAGECALLBACK, 0, 0,
                                                  (LPARAM)pCategory, hParent, TVI_LAST);
}

void CKtvPPropertySheet::AddPageToTree(CKtvPPropSheetCategory* pCategory, CKtvPPropertyPage* pPage, int nIconNum,
                                       int nSelIconNum)
{
    if (pCategory != nullptr)
        pCategory->m_lstPages.AddTail(pPage);
    pPage->m_pCategory = pCategory;
    pPage->m_nIcon = nIconNum;
    pPage->m_nSelIconNum = nSelIconNum;
    AddPage(pPage);
    if (GetSafeHwnd() != nullptr)
        AddPageToNavigation(GetPageCount() - 1);
}

void CKtvPPropertySheet::AddPageToNavigation(int nPage)
{
    CPropertyPage* pPage = GetPage(nPage);
    if (pPage == nullptr)
        return;
    CString strTitle;
    if (CTabCtrl* pTabs = GetTabControl(); pTabs != nullptr && pTabs->GetSafeHwnd() != nullptr) {
        TCHAR szText[256] = {};
        TCITEM item = {};
        item.mask = TCIF_TEXT;
        item.pszText = szText;
        item.cchTextMax = 255;
        if (pTabs->GetItem(nPage, &item))
            strTitle = szText;
    }
    if (m_wndPane1.GetSafeHwnd() != nullptr) {
        HICON hIcon = m_Icons.GetSafeHandle() != nullptr ? m_Icons.ExtractIcon(nPage) : nullptr;
        // Without an icon the button shows its title alone, so buttons and pages stay in step.
        if (hIcon == nullptr || !m_wndPane1.AddButton(hIcon, strTitle, (UINT)nPage + 1))
            m_wndPane1.AddImageButton(-1, strTitle, (UINT)nPage + 1);
        if (hIcon != nullptr)
            ::DestroyIcon(hIcon);
    }
    if (m_wndTree.GetSafeHwnd() != nullptr) {
        auto* pLibPage = dynamic_cast<CKtvPPropertyPage*>(pPage);
        if (pLibPage == nullptr)
            return;
        const HTREEITEM hParent = pLibPage->m_pCategory != nullptr ? pLibPage->m_pCategory->m_hTreeItem : TVI_ROOT;
        pLibPage->m_hTreeNode = m_wndTree.InsertItem(TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE,
                                                     strTitle, I_IMAGECALLBACK, I_IMAGECALLBACK, 0, 0,
                                                     (LPARAM)pLibPage, hParent, TVI_LAST);
    }
    if (m_wndTab.GetSafeHwnd() != nullptr)
        m_wndTab.AddTab(pPage, strTitle, m_Icons.GetSafeHandle() != nullptr ? (UINT)nPage : (UINT)-1, FALSE);
}

// --- CKtvPPropertySheet: creation and layout ---------------------------------------------------------

CWnd* CKtvPPropertySheet::CreateNavigationPane()
{
    switch (m_look) {
    case SHEETLOOK_OUTLOOK: {
        if (!m_wndOutlookBar.Create("", this, CRect(0, 0, 100, 100), 0xE800, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_LEFT,
                                    0))
            return nullptr;
        if (CKtvPBaseTabWnd* pTabs = m_wndOutlookBar.GetUnderlinedWindow())
            pTabs->SetHideSingleTab(TRUE);
        m_wndPane1.m_pParent = this;
        if (!m_wndPane1.Create(m_wndOutlookBar.GetUnderlinedWindow(), 0x50402808, 1, 0))
            return nullptr;
        m_wndPane1.SetOwner(this);
        m_wndPane1.EnableTextLabels(TRUE);
        m_wndOutlookBar.AddTab(&m_wndPane1, TRUE, TRUE, TRUE);
        for (int i = 0; i < GetPageCount(); i++)
            AddPageToNavigation(i);
        return &m_wndOutlookBar;
    }
    case SHEETLOOK_TREE: {
        CRect rect(0, 0, 100, 100);
        if (!m_wndTree.Create(WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_LINESATROOT | TVS_HASBUTTONS | TVS_SHOWSELALWAYS,
                              rect, this, idTree))
            return nullptr;
        m_wndTree.ModifyStyleEx(0, WS_EX_CLIENTEDGE);
        if (m_Icons.GetSafeHandle() != nullptr) {
            m_wndTree.SetImageList(&m_Icons, TVSIL_NORMAL);
            m_wndTree.SetImageList(&m_Icons, TVSIL_STATE);
        }
        for (POSITION pos = m_lstTreeCategories.GetHeadPosition(); pos != nullptr;)
            AddCategoryDepthFirst(m_lstTreeCategories.GetNext(pos));
        for (int i = 0; i < GetPageCount(); i++)
            AddPageToNavigation(i);
        return &m_wndTree;
    }
    case SHEETLOOK_SLANTED_TABS: {
        m_wndTab.m_pParent = this;
        if (!m_wndTab.Create(CKtvPTabWnd::TABSTYLE_SLANTED, CRect(0, 0, 100, 100), this, 102,
                             CKtvPTabWnd::LOCATION_TOP, FALSE))
            return nullptr;
        m_wndTab.m_bEnableTabSwap = FALSE;
        if (m_Icons.GetSafeHandle() != nullptr)
            m_wndTab.SetImageList(m_Icons.GetSafeHandle());
        for (int i = 0; i < GetPageCount(); i++)
            AddPageToNavigation(i);
        SetActivePage(GetActiveIndex());
        return &m_wndTab;
    }
    default:
        return nullptr;
    }
}

void CKtvPPropertySheet::AddCategoryDepthFirst(CKtvPPropSheetCategory* pCategory)
{
    AddCategoryToTree(pCategory);
    for (POSITION pos = pCategory->m_lstSubCategories.GetHeadPosition(); pos != nullptr;)
        AddCategoryDepthFirst(pCategory->m_lstSubCategories.GetNext(pos));
}

BOOL CKtvPPropertySheet::OnInitDialog()
{
    const BOOL bResult = CPropertySheet::OnInitDialog();
    CWnd* pNavigation = CreateNavigationPane();
    CTabCtrl* pTabs = GetTabControl();
    if (pNavigation == nullptr || pTabs == nullptr || pTabs->GetSafeHwnd() == nullptr)
        return bResult;

    if (m_look == SHEETLOOK_SLANTED_TABS) {
        CRect rectTabs;
        pTabs->GetWindowRect(rectTabs);
        ScreenToClient(rectTabs);
        rectTabs.InflateRect(2, 0);
        m_wndTab.MoveWindow(rectTabs);
        pTabs->ModifyStyle(WS_TABSTOP, 0);
        pTabs->ShowWindow(SW_HIDE);
        if (pTabs->GetItemCount() > 0)
            m_wndTab.SetActiveTab(GetActiveIndex());
        return bResult;
    }

    pTabs->ModifyStyle(WS_TABSTOP, 0);
    CRect rectItem;
    pTabs->GetItemRect(0, rectItem);
    const int h = rectItem.Height() + 5;
    CRect rectWindow;
    GetWindowRect(rectWindow);
    SetWindowPos(nullptr, 0, 0, rectWindow.Width() + m_nBarWidth, rectWindow.Height() + 15 - h,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CRect rectClient;
    GetClientRect(rectClient);
    pTabs->SetWindowPos(nullptr, m_nBarWidth, -h, rectClient.Width() - m_nBarWidth, rectClient.Height() - 10,
                        SWP_NOZORDER | SWP_NOACTIVATE);
    CRect rectTabs;
    pTabs->GetWindowRect(rectTabs);
    ScreenToClient(rectTabs);
    CRect rectNav(rectClient.left, rectClient.top, rectClient.left + m_nBarWidth, rectTabs.bottom);
    rectNav.DeflateRect(1, 1);
    pNavigation->SetWindowPos(nullptr, rectNav.left, rectNav.top, rectNav.Width(), rectNav.Height(),
                              SWP_NOZORDER | SWP_NOACTIVATE);
    SetActivePage(GetActivePage());

    // The buttons sit 5 pixels above the bottom, the last 5 pixels from the right.
    std::vector<CWnd*> buttons;
    std::vector<UINT> ids = {(UINT)IDOK, (UINT)IDCANCEL};
    if (!(m_psh.dwFlags & PSH_NOAPPLYNOW))
        ids.push_back((UINT)ID_APPLY_NOW);
    if (m_psh.dwFlags & PSH_HASHELP)
        ids.push_back((UINT)IDHELP);
    for (UINT nID : ids) {
        CWnd* pButton = GetDlgItem(nID);
        if (pButton != nullptr && pButton->GetSafeHwnd() != nullptr)
            buttons.push_back(pButton);
    }
    if (buttons.empty())
        return bResult;
    int nRight = INT_MIN;
    for (CWnd* pButton : buttons) {
        CRect rect;
        pButton->GetWindowRect(rect);
        ScreenToClient(rect);
        nRight = std::max<int>(nRight, rect.right);
    }
    const int dx = rectClient.right - 5 - nRight;
    for (CWnd* pButton : buttons) {
        CRect rect;
        pButton->GetWindowRect(rect);
        ScreenToClient(rect);
        pButton->SetWindowPos(nullptr, rect.left + dx, rectClient.bottom - 5 - rect.Height(), 0, 0,
                              SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return bResult;
}

// --- CKtvPPropertySheet: following the active page -------------------------------------------------

void CKtvPPropertySheet::OnActivatePage(CPropertyPage* pPage)
{
    if (m_wndPane1.GetSafeHwnd() != nullptr) {
        if (m_nActivePage >= 0) {
            if (CKtvPToolbarButton* pOld = m_wndPane1.GetButton(m_nActivePage)) {
                pOld->m_nStyle &= ~TBBS_CHECKED;
                m_wndPane1.InvalidateButton(m_nActivePage);
            }
        }
        m_nActivePage = GetPageIndex(pPage);
        PostMessage(UM_AFTERACTIVATEPAGE);
    }
    if (m_wndTree.GetSafeHwnd() != nullptr && !m_bIsInSelectTree) {
        if (auto* pLibPage = dynamic_cast<CKtvPPropertyPage*>(pPage); pLibPage != nullptr && pLibPage->m_hTreeNode) {
            m_wndTree.SelectItem(pLibPage->m_hTreeNode);
            m_wndTree.EnsureVisible(pLibPage->m_hTreeNode);
        }
    }
    if (m_wndTab.GetSafeHwnd() != nullptr) {
        const int iTab = GetPageIndex(pPage);
        if (iTab >= 0 && m_wndTab.GetActiveTab() != iTab) {
            m_wndTab.CKtvPTabWnd::SetActiveTab(iTab);
            m_wndTab.EnsureVisible(iTab);
        }
    }
}

LRESULT CKtvPPropertySheet::OnAfterActivatePage(WPARAM, LPARAM)
{
    CKtvPToolbarButton* pButton = m_wndPane1.GetSafeHwnd() != nullptr ? m_wndPane1.GetButton(m_nActivePage) : nullptr;
    if (pButton == nullptr)
        return 0;
    pButton->m_nStyle |= TBBS_CHECKED;
    m_wndPane1.InvalidateButton(m_nActivePage);
    CRect rectPane;
    m_wndPane1.GetClientRect(rectPane);
    if (pButton->m_rect.Height() >= rectPane.Height())
        return 0;
    // One step at a time until the button fits or the pane stops moving.
    for (;;) {
        const CRect rectBefore = pButton->m_rect;
        if (pButton->m_rect.top < rectPane.top)
            m_wndPane1.ScrollUp();
        else if (pButton->m_rect.bottom > rectPane.bottom)
            m_wndPane1.ScrollDown();
        else
            break;
        if (pButton->m_rect == rectBefore)
            break;
    }
    return 0;
}

void CKtvPPropertySheet::OnSelectTree(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    const HTREEITEM hItem = m_wndTree.GetSelectedItem();
    if (hItem == nullptr)
        return;
    m_bIsInSelectTree = TRUE;
    auto* pOldPage = dynamic_cast<CKtvPPropertyPage*>(GetActivePage());
    CKtvPPropSheetCategory* pOldCategory = pOldPage != nullptr ? pOldPage->m_pCategory : nullptr;

    CObject* pObject = reinterpret_cast<CObject*>(m_wndTree.GetItemData(hItem));
    CKtvPPropertyPage* pNewPage = nullptr;
    if (auto* pPage = dynamic_cast<CKtvPPropertyPage*>(pObject)) {
        if (pPage != pOldPage) {
            if (!SetActivePage(pPage)) {
                if (pOldPage != nullptr && pOldPage->m_hTreeNode != nullptr)
                    m_wndTree.SelectItem(pOldPage->m_hTreeNode);
                m_bIsInSelectTree = FALSE;
                return;
            }
        }
        pNewPage = pPage;
        // Every category on the way up remembers the way down to this page.
        HTREEITEM hBelow = pPage->m_hTreeNode;
        for (CKtvPPropSheetCategory* pCategory = pPage->m_pCategory; pCategory != nullptr;
             pCategory = pCategory->m_pParentCategory) {
            pCategory->m_hLastSelectedItem = hBelow;
            hBelow = pCategory->m_hTreeItem;
        }
    } else if (auto* pCategory = dynamic_cast<CKtvPPropSheetCategory*>(pObject)) {
        CKtvPPropSheetCategory* pLevel = pCategory;
        while (pNewPage == nullptr && pLevel != nullptr) {
            if (pLevel->m_hLastSelectedItem == nullptr) {
                // Never visited: the first page of the first leaf below.
                while (pLevel->m_lstPages.IsEmpty() && !pLevel->m_lstSubCategories.IsEmpty())
                    pLevel = pLevel->m_lstSubCategories.GetHead();
                if (!pLevel->m_lstPages.IsEmpty())
                    pNewPage = pLevel->m_lstPages.GetHead();
                break;
            }
            CObject* pNext = reinterpret_cast<CObject*>(m_wndTree.GetItemData(pLevel->m_hLastSelectedItem));
            if (auto* pPage = dynamic_cast<CKtvPPropertyPage*>(pNext))
                pNewPage = pPage;
            else
                pLevel = dynamic_cast<CKtvPPropSheetCategory*>(pNext);
        }
        if (pNewPage != nullptr && pNewPage != pOldPage && !SetActivePage(pNewPage))
            pNewPage = nullptr;
    }

    if (pNewPage != nullptr) {
        if (pOldPage != nullptr && pOldPage->m_hTreeNode != nullptr)
            InvalidateTreeItem(pOldPage->m_hTreeNode);
        if (pNewPage->m_hTreeNode != nullptr)
            InvalidateTreeItem(pNewPage->m_hTreeNode);
        if (pNewPage->m_pCategory != pOldCategory) {
            for (CKtvPPropSheetCategory* p = pOldCategory; p != nullptr; p = p->m_pParentCategory)
                m_wndTree.Expand(p->m_hTreeItem, TVE_COLLAPSE);
            for (CKtvPPropSheetCategory* p = pNewPage->m_pCategory; p != nullptr; p = p->m_pParentCategory)
                m_wndTree.Expand(p->m_hTreeItem, TVE_EXPAND);
        }
    }
    m_bIsInSelectTree = FALSE;
}

void CKtvPPropertySheet::InvalidateTreeItem(HTREEITEM hItem)
{
    CRect rect;
    if (m_wndTree.GetItemRect(hItem, rect, FALSE))
        m_wndTree.InvalidateRect(rect);
}

void CKtvPPropertySheet::OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    auto* pInfo = reinterpret_cast<NMTVDISPINFO*>(pNMHDR);
    CObject* pObject = reinterpret_cast<CObject*>(pInfo->item.lParam);
    int nImage = -1;
    if (auto* pPage = dynamic_cast<CKtvPPropertyPage*>(pObject))
        nImage = pPage == GetActivePage() ? pPage->m_nSelIconNum : pPage->m_nIcon;
    else if (auto* pCategory = dynamic_cast<CKtvPPropSheetCategory*>(pObject))
        nImage = (m_wndTree.GetItemState(pInfo->item.hItem, TVIS_EXPANDED) & TVIS_EXPANDED) ? pCategory->m_nSelectedIcon
                                                                                              : pCategory->m_nIcon;
    pInfo->item.iImage = nImage;
    pInfo->item.iSelectedImage = nImage;
}

// --- CKtvPPropertySheet: removing -------------------------------------------------------------------

void CKtvPPropertySheet::RemovePage(CPropertyPage* pPage)
{
    // The pane's button goes by the index the page had.
    const int nPage = GetPageIndex(pPage);
    CPropertySheet::RemovePage(pPage);
    if (m_wndPane1.GetSafeHwnd() != nullptr && nPage >= 0) {
        if (CKtvPToolbarButton* pButton = m_wndPane1.GetButton(nPage))
            m_wndPane1.RemoveButton(pButton->m_nID);
    }
    if (m_wndTab.GetSafeHwnd() != nullptr && nPage >= 0)
        m_wndTab.RemoveTab(nPage);
    if (m_look == SHEETLOOK_TREE)
        OnRemoveTreePage(pPage);
}

BOOL CKtvPPropertySheet::OnRemoveTreePage(CPropertyPage* pPage)
{
    auto* pLibPage = dynamic_cast<CKtvPPropertyPage*>(pPage);
    if (pLibPage == nullptr)
        return FALSE;
    if (pLibPage->m_hTreeNode != nullptr && m_wndTree.GetSafeHwnd() != nullptr)
        m_wndTree.DeleteItem(pLibPage->m_hTreeNode);
    pLibPage->m_hTreeNode = nullptr;
    if (CKtvPPropSheetCategory* pCategory = pLibPage->m_pCategory) {
        if (POSITION pos = pCategory->m_lstPages.Find(pLibPage))
            pCategory->m_lstPages.RemoveAt(pos);
    }
    return TRUE;
}

// --- CKtvPPropertySheet: keys and activation --------------------------------------------------------

BOOL CKtvPPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    if (m_Impl.PreTranslateMessage(pMsg))
        return TRUE;
    return CPropertySheet::PreTranslateMessage(pMsg);
}

void CKtvPPropertySheet::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    m_Impl.OnActivate(nState, pWndOther);
    CPropertySheet::OnActivate(nState, pWndOther, bMinimized);
}

BOOL CKtvPPropertySheet::OnNcActivate(BOOL bActive)
{
    m_Impl.OnNcActivate(bActive);
    return (BOOL)DefWindowProc(WM_NCACTIVATE, bActive, 0L);
}

void CKtvPPropertySheet::OnDestroy()
{
    m_Impl.OnDestroy();
    CPropertySheet::OnDestroy();
}
