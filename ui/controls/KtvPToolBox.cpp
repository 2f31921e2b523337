#include "ui/controls/KtvPToolBox.h"

#include <algorithm>

#include "platform/comctl/commctrl.h"
#include "platform/mfc/CWinApp.h"
#include "ui/controls/KtvPButton.h"
#include "ui/controls/KtvPOutlookWnd.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPVisualManager.h"

// --- CKtvPToolBoxPage ------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CKtvPToolBoxPage, CKtvPControlBar)

BEGIN_MESSAGE_MAP(CKtvPToolBoxPage, CKtvPControlBar)
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

CKtvPToolBoxPage::CKtvPToolBoxPage()
    : m_sizeToolImage(0, 0), m_iSelectedTool(-1), m_pToolBox(nullptr), m_iFirstVisibleTool(0), m_nOverflowRows(0)
{
}

// The page owns its tool buttons.
CKtvPToolBoxPage::~CKtvPToolBoxPage()
{
    for (INT_PTR i = 0; i < m_arToolButtons.GetSize(); i++)
        delete m_arToolButtons[i];
    m_arToolButtons.RemoveAll();
}

CKtvPButton* CKtvPToolBoxPage::GetButton(int iIndex) const
{
    if (iIndex < 0 || iIndex >= m_arToolButtons.GetSize())
        return nullptr;
    return m_arToolButtons[iIndex];
}

BOOL CKtvPToolBoxPage::SetImages(UINT uiBmpResID, int cxImage, const CStringList& lstLabels,
                                 CRuntimeClass* pButtonClass)
{
    HBITMAP hbmp = (HBITMAP)::LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(uiBmpResID), IMAGE_BITMAP, 0, 0,
                                        LR_CREATEDIBSECTION | LR_LOADMAP3DCOLORS);
    if (hbmp == nullptr || cxImage <= 0) {
        if (hbmp != nullptr)
            ::DeleteObject(hbmp);
        return FALSE;
    }
    BITMAP bmp{};
    ::GetObject(hbmp, sizeof bmp, &bmp);
    m_sizeToolImage = CSize(cxImage, bmp.bmHeight);

    UINT nColorFlag = ILC_COLOR4;
    switch (bmp.bmBitsPixel) {
    case 8: nColorFlag = ILC_COLOR8; break;
    case 16: nColorFlag = ILC_COLOR16; break;
    case 24: nColorFlag = ILC_COLOR24; break;
    case 32: nColorFlag = ILC_COLOR32; break;
    default: break;
    }
    HIMAGELIST hImages = ImageList_Create(cxImage, bmp.bmHeight, nColorFlag | ILC_MASK, 0, 0);
    if (hImages == nullptr) {
        ::DeleteObject(hbmp);
        return FALSE;
    }
    ImageList_AddMasked(hImages, hbmp, globalData.clrBtnFace);
    ::DeleteObject(hbmp);

    const int nTools = bmp.bmWidth / cxImage;
    POSITION posLabel = lstLabels.GetHeadPosition();
    for (int i = 0; i < nTools; i++) {
        CObject* pObject = pButtonClass != nullptr ? pButtonClass->CreateObject() : nullptr;
        CKtvPButton* pButton = DYNAMIC_DOWNCAST(CKtvPButton, pObject);
        if (pButton == nullptr) {
            delete pObject;
            ImageList_Destroy(hImages);
            return FALSE;
        }
        pButton->Create(_T(""), WS_CHILD | WS_VISIBLE | BS_CHECKBOX, CRect(0, 0, 0, 0), this, 0xFFFF);
        pButton->m_FlatStyle = CKtvPButton::BUTTONSTYLE_FLAT;
        pButton->m_TextAlign = CKtvPButton::ALIGN_LEFT;
        pButton->m_ParentBackground = TRUE;
        pButton->m_DrawFocus = FALSE;
        pButton->m_ClickOnButtonDown = TRUE;
        pButton->SetImage(ImageList_GetIcon(hImages, i, ILD_NORMAL), TRUE, nullptr, nullptr);
        if (posLabel != nullptr)
            pButton->SetWindowText(lstLabels.GetNext(posLabel));
        if (i == 0) {
            m_iSelectedTool = 0;
            pButton->SendMessage(BM_SETCHECK, 1);
        }
        m_arToolButtons.Add(pButton);
    }
    ImageList_Destroy(hImages);
    return TRUE;
}

void CKtvPToolBoxPage::AdjustLayout()
{
    m_nOverflowRows = 0;
    if (m_arToolButtons.GetSize() == 0 || GetSafeHwnd() == nullptr)
        return;
    CRect rectClient;
    GetClientRect(rectClient);
    const int nRowHeight = std::max(globalData.m_nTextHeight, (int)m_sizeToolImage.cy + 6);
    int y = rectClient.top + 6;
    const UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE;
    for (int i = 0; i < (int)m_arToolButtons.GetSize(); i++) {
        CKtvPButton* pButton = m_arToolButtons[i];
        if (i < m_iFirstVisibleTool) {
            pButton->SetWindowPos(nullptr, 0, 0, 0, 0, nFlags);
        } else {
            // A row that would cross the bottom is hidden, not clipped.
            if (rectClient.bottom >= y + nRowHeight)
                pButton->SetWindowPos(nullptr, rectClient.left, y, rectClient.Width(), nRowHeight, nFlags);
            else
                pButton->SetWindowPos(nullptr, 0, 0, 0, 0, nFlags);
            y += nRowHeight;
            if (y >= rectClient.bottom)
                m_nOverflowRows++;
        }
        pButton->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
}

BOOL CKtvPToolBoxPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    for (int i = 0; i < (int)m_arToolButtons.GetSize(); i++) {
        if (m_arToolButtons[i]->GetSafeHwnd() != (HWND)lParam)
            continue;
        // A mouse click notifies at the press and again at the release: the
        // press is the click, the release of the same tool is its echo.
        const bool bButtonDown = (::GetKeyState(VK_LBUTTON) & 0x8000) != 0;
        if (!bButtonDown && m_hwndPressedTool == (HWND)lParam) {
            m_hwndPressedTool = nullptr;
            return TRUE;
        }
        m_hwndPressedTool = bButtonDown ? (HWND)lParam : nullptr;
        if (m_iSelectedTool >= 0 && m_iSelectedTool < (int)m_arToolButtons.GetSize())
            m_arToolButtons[m_iSelectedTool]->SendMessage(BM_SETCHECK, 0);
        m_iSelectedTool = i;
        m_arToolButtons[i]->SendMessage(BM_SETCHECK, 1);
        if (m_pToolBox != nullptr)
            m_pToolBox->OnClickTool(m_pToolBox->GetPageIndex(this), i);
        return TRUE;
    }
    return CKtvPControlBar::OnCommand(wParam, lParam);
}

BOOL CKtvPToolBoxPage::OnEraseBkgnd(CDC* pDC)
{
    CRect rectClient;
    GetClientRect(rectClient);
    CKtvPVisualManager::GetInstance()->OnFillBarBackground(pDC, this, rectClient, rectClient);
    return TRUE;
}

void CKtvPToolBoxPage::OnSize(UINT nType, int cx, int cy)
{
    CKtvPControlBar::OnSize(nType, cx, cy);
    m_iFirstVisibleTool = 0;
    AdjustLayout();
}

void CKtvPToolBoxPage::OnNcDestroy()
{
    CKtvPControlBar::OnNcDestroy();
    delete this;
}

// --- CKtvPToolBoxOutlookBar ------------------------------------------------------------------------

CKtvPToolBoxOutlookBar::~CKtvPToolBoxOutlookBar() = default;

void CKtvPToolBoxOutlookBar::OnActiveTabChanged(int iNewTab)
{
    if (CKtvPToolBox* pToolBox = DYNAMIC_DOWNCAST(CKtvPToolBox, GetParent()))
        pToolBox->OnActivatePage(iNewTab);
}

void CKtvPToolBoxOutlookBar::OnPageScroll(BOOL bDown)
{
    if (CKtvPToolBox* pToolBox = DYNAMIC_DOWNCAST(CKtvPToolBox, GetParent()))
        pToolBox->ScrollActivePage(bDown);
}

// --- CKtvPToolBox ----------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CKtvPToolBox, CKtvPDockingControlBar)

BEGIN_MESSAGE_MAP(CKtvPToolBox, CKtvPDockingControlBar)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CKtvPToolBox::CKtvPToolBox() = default;

// The outlook bar member goes first, then the docking bar.
CKtvPToolBox::~CKtvPToolBox() = default;

void CKtvPToolBox::OnClickTool(int /*nPage*/, int /*nIndex*/)
{
    CWnd* pOwner = GetOwner();
    if (pOwner == nullptr)
        pOwner = GetParent();
    if (pOwner != nullptr)
        pOwner->PostMessage(WM_COMMAND, MAKEWPARAM(LOWORD(GetDlgCtrlID()), 0), (LPARAM)GetSafeHwnd());
}

namespace {

CKtvPOutlookWnd* ToolBoxOutlookWnd(CKtvPOutlookBar& bar)
{
    return DYNAMIC_DOWNCAST(CKtvPOutlookWnd, bar.GetUnderlinedWindow());
}

}  // namespace

void CKtvPToolBox::OnActivatePage(int /*nPage*/)
{
    CKtvPToolBoxPage* pPage = GetPage(GetActivePage());
    CKtvPOutlookWnd* pOutlook = ToolBoxOutlookWnd(m_wndPagesBar);
    if (pPage != nullptr && pOutlook != nullptr)
        pOutlook->EnableScrollButtons(TRUE, FALSE, pPage->m_nOverflowRows > 0);
}

void CKtvPToolBox::ScrollActivePage(BOOL bDown)
{
    CKtvPToolBoxPage* pPage = GetPage(GetActivePage());
    if (pPage == nullptr)
        return;
    pPage->m_iFirstVisibleTool += bDown ? 1 : -1;
    pPage->AdjustLayout();
    if (CKtvPOutlookWnd* pOutlook = ToolBoxOutlookWnd(m_wndPagesBar))
        pOutlook->EnableScrollButtons(TRUE, pPage->m_iFirstVisibleTool > 0, pPage->m_nOverflowRows > 0);
}

BOOL CKtvPToolBox::AddToolsPage(LPCTSTR lpszPageName, UINT uiBmpResID, int nImageWidth, LPCTSTR lpszLabels,
                                CRuntimeClass* pPageClass, CRuntimeClass* pButtonClass)
{
    CStringList lstLabels;
    SplitLabels(lpszLabels, lstLabels);
    return AddToolsPageFromList(lpszPageName, uiBmpResID, nImageWidth, lstLabels, pPageClass, pButtonClass);
}

BOOL CKtvPToolBox::AddToolsPageFromList(LPCTSTR lpszPageName, UINT uiBmpResID, int nImageWidth,
                                        const CStringList& lstLabels, CRuntimeClass* pPageClass,
                                        CRuntimeClass* pButtonClass)
{
    CObject* pObject = pPageClass != nullptr ? pPageClass->CreateObject() : nullptr;
    CKtvPToolBoxPage* pPage = DYNAMIC_DOWNCAST(CKtvPToolBoxPage, pObject);
    if (pPage == nullptr) {
        delete pObject;
        return FALSE;
    }
    pPage->Create(nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, 0, 9);
    pPage->SetWindowText(lpszPageName);
    if (!pPage->SetImages(uiBmpResID, nImageWidth, lstLabels, pButtonClass)) {
        // The page deletes itself as its window goes; a page without a window
        // is deleted here.
        if (pPage->GetSafeHwnd() != nullptr)
            pPage->DestroyWindow();
        else
            delete pPage;
        return FALSE;
    }
    m_wndPagesBar.AddTab(pPage, TRUE, TRUE, FALSE);
    pPage->m_pToolBox = this;
    OnActivatePage(m_wndPagesBar.GetTabsNum() - 1);
    return TRUE;
}

int CKtvPToolBox::GetActivePage() const
{
    CKtvPBaseTabWnd* pTabWnd = const_cast<CKtvPToolBoxOutlookBar&>(m_wndPagesBar).GetUnderlinedWindow();
    return pTabWnd != nullptr ? pTabWnd->GetActiveTab() : -1;
}

int CKtvPToolBox::GetPageIndex(CKtvPToolBoxPage* pPage) const
{
    CKtvPBaseTabWnd* pTabWnd = const_cast<CKtvPToolBoxOutlookBar&>(m_wndPagesBar).GetUnderlinedWindow();
    if (pTabWnd == nullptr)
        return -1;
    const HWND hwndPage = pPage != nullptr ? pPage->GetSafeHwnd() : nullptr;
    for (int i = 0; i < pTabWnd->GetTabsNum(); i++) {
        CKtvPToolBoxPage* pTabPage = DYNAMIC_DOWNCAST(CKtvPToolBoxPage, pTabWnd->GetTabWnd(i));
        const HWND hwndTab = pTabPage != nullptr ? pTabPage->GetSafeHwnd() : nullptr;
        if (hwndTab == hwndPage)
            return i;
    }
    return -1;
}

CKtvPToolBoxPage* CKtvPToolBox::GetPage(int nPage) const
{
    CKtvPBaseTabWnd* pTabWnd = const_cast<CKtvPToolBoxOutlookBar&>(m_wndPagesBar).GetUnderlinedWindow();
    if (pTabWnd == nullptr || nPage < 0 || nPage >= pTabWnd->GetTabsNum())
        return nullptr;
    return DYNAMIC_DOWNCAST(CKtvPToolBoxPage, pTabWnd->GetTabWnd(nPage));
}

void CKtvPToolBox::SplitLabels(LPCTSTR lpszLabels, CStringList& lstLabels)
{
    const CString strLabels = lpszLabels != nullptr ? lpszLabels : _T("");
    int iStart = 0;
    while (iStart < strLabels.GetLength()) {
        const int iEnd = strLabels.Find(_T('\n'), iStart);
        if (iEnd < 0) {
            lstLabels.AddTail(strLabels.Mid(iStart));
            break;
        }
        lstLabels.AddTail(strLabels.Mid(iStart, iEnd - iStart));
        iStart = iEnd + 1;
    }
}

int CKtvPToolBox::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKtvPDockingControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_wndPagesBar.Create(_T(""), this, CRect(0, 0, 0, 0), 0, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_LEFT, 0))
        return -1;
    m_wndPagesBar.SetBarStyle(CBRS_ALIGN_LEFT | CBRS_FLYBY | CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC);
    m_wndPagesBar.SetCaptionFromTab(FALSE);
    return 0;
}

void CKtvPToolBox::OnSize(UINT nType, int cx, int cy)
{
    CKtvPDockingControlBar::OnSize(nType, cx, cy);
    if (m_wndPagesBar.GetSafeHwnd() != nullptr)
        m_wndPagesBar.SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    OnActivatePage(GetActivePage());
}
