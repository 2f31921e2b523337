#include "ui/commandbars/KtvPCustomizePage.h"

#include "platform/mfc/CDC.h"
#include "platform/mfc/CDataExchange.h"
#include "platform/mfc/CFrameWnd.h"
#include "platform/mfc/COleDataSource.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/afxmsg.h"
#include "resources/CustomizeIds.h"
#include "resources/resource.h"
#include "ui/commandbars/KtvPCommandManager.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/commandbars/KtvPToolbarCustomize.h"
#include "ui/commandbars/KtvPToolbarDropSource.h"
#include "ui/frames/KtvPVisualManager.h"

// --- the command list ----------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CKtvPCommandsListBox, CListBox)
    ON_WM_LBUTTONDOWN()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

void CKtvPCommandsListBox::PreSubclassWindow()
{
    CListBox::PreSubclassWindow();
    const CSize sizeImage = CKtvPToolBar::GetMenuImageSize();
    m_iItemWidth = sizeImage.cx + 6;
    m_iItemHeight = sizeImage.cy + 6;
}

void CKtvPCommandsListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMIS)
{
    if (lpMIS != nullptr && static_cast<int>(lpMIS->itemHeight) < m_iItemHeight)
        lpMIS->itemHeight = static_cast<UINT>(m_iItemHeight);
}

void CKtvPCommandsListBox::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    if (lpDIS == nullptr || static_cast<int>(lpDIS->itemID) < 0 || static_cast<int>(lpDIS->itemID) >= GetCount())
        return;
    auto* pButton = reinterpret_cast<CKtvPToolbarButton*>(GetItemDataPtr(static_cast<int>(lpDIS->itemID)));
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CRect rect = lpDIS->rcItem;
    if (pButton == nullptr) {
        CKtvPVisualManager::GetInstance()->OnFillCommandsListBackground(pDC, rect, FALSE);
        return;
    }
    // The list may show the command's path instead of its name.
    const CString strSaved = pButton->m_strText;
    GetText(static_cast<int>(lpDIS->itemID), pButton->m_strText);
    const BOOL bSelected = (lpDIS->itemState & ODS_SELECTED) && (lpDIS->itemState & ODS_FOCUS);
    CKtvPVisualManager::GetInstance()->OnFillCommandsListBackground(pDC, rect, FALSE);
    pButton->OnDrawOnCustomizeList(pDC, rect, bSelected);
    pButton->m_strText = strSaved;
}

BOOL CKtvPCommandsListBox::OnEraseBkgnd(CDC* pDC)
{
    CRect rectClient;
    GetClientRect(&rectClient);
    CKtvPVisualManager::GetInstance()->OnFillCommandsListBackground(pDC, rectClient, FALSE);
    return TRUE;
}

void CKtvPCommandsListBox::OnLButtonDown(UINT nFlags, CPoint point)
{
    Default();
    const int iSel = GetCurSel();
    if (iSel < 0)
        return;
    CRect rectItem;
    if (GetItemRect(iSel, &rectItem) == LB_ERR || !rectItem.PtInRect(point))
        return;
    // The list ends its own capture before the drag takes the mouse.
    SendMessage(WM_LBUTTONUP, nFlags, MAKELPARAM(point.x, point.y));

    auto* pButton = reinterpret_cast<CKtvPToolbarButton*>(GetItemDataPtr(iSel));
    if (pButton == nullptr)
        return;
    COleDataSource srcItem;
    if (!pButton->PrepareDrag(srcItem))
        return;
    if (HCURSOR hCursor = AfxGetApp() != nullptr ? AfxGetApp()->LoadCursor(IDC_KTVP_DELETE) : nullptr)
        ::SetCursor(hCursor);
    CKtvPToolbarDropSource dropSource;
    srcItem.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE, &rectItem, &dropSource);
}

// --- the page ------------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CKtvPCustomizePage, CPropertyPage)

BEGIN_MESSAGE_MAP(CKtvPCustomizePage, CPropertyPage)
    ON_LBN_SELCHANGE(IDC_KTVP_CATEGORY_LIST, OnSelchangeCategory)
    ON_LBN_SELCHANGE(IDC_KTVP_COMMANDS_LIST, OnSelchangeCommands)
END_MESSAGE_MAP()

CKtvPCustomizePage::CKtvPCustomizePage() : CPropertyPage(IDD_KTVP_COMMANDS_PAGE) {}

CKtvPCustomizePage::~CKtvPCustomizePage() = default;

void CKtvPCustomizePage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_KTVP_CATEGORY_LIST, m_wndCategory);
    DDX_Control(pDX, IDC_KTVP_COMMANDS_LIST, m_wndTools);
    DDX_Text(pDX, IDC_KTVP_COMMAND_DESCRIPTION, m_strButtonDescription);
}

BOOL CKtvPCustomizePage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    if (auto* pSheet = dynamic_cast<CKtvPToolbarCustomize*>(GetParent()))
        pSheet->FillCategoriesListBox(m_wndCategory, TRUE);
    m_wndCategory.SetCurSel(0);
    OnSelchangeCategory();
    return TRUE;
}

void CKtvPCustomizePage::OnSelchangeCategory()
{
    UpdateData();
    const int iCategory = m_wndCategory.GetCurSel();
    if (iCategory < 0)
        return;
    auto* pSheet = dynamic_cast<CKtvPToolbarCustomize*>(GetParent());

    CWaitCursor wait;
    m_wndTools.SetRedraw(FALSE);
    m_wndTools.ResetContent();
    m_pSelButton = nullptr;
    m_strButtonDescription.Empty();
    UpdateData(FALSE);

    CString strCategory;
    m_wndCategory.GetText(iCategory, strCategory);
    const BOOL bAllCommands = strCategory == m_strAllCategory;
    auto* pButtons = static_cast<CObList*>(m_wndCategory.GetItemDataPtr(iCategory));
    if (pButtons != nullptr) {
        for (POSITION pos = pButtons->GetHeadPosition(); pos != nullptr;) {
            auto* pButton = static_cast<CKtvPToolbarButton*>(pButtons->GetNext(pos));
            pButton->m_bUserImage = pButton->m_nID != (UINT)-1 && GetCmdMgr()->GetCmdImage(pButton->m_nID, FALSE) < 0;

            CString strText = pButton->m_strText;
            if (!pButton->m_strSecondText.IsEmpty() &&
                (bAllCommands ||
                 (pSheet != nullptr && pSheet->GetCountInCategory(pButton->m_strText, *pButtons) > 1)))
                strText = pButton->m_strSecondText;

            int iInsertAt = -1;
            if (bAllCommands) {
                const int nCount = m_wndTools.GetCount();
                for (int i = 0; i < nCount; i++) {
                    CString strItem;
                    m_wndTools.GetText(i, strItem);
                    if (strItem.Compare(strText) > 0) {
                        iInsertAt = i;
                        break;
                    }
                }
            }
            const int iItem = m_wndTools.InsertString(iInsertAt, strText);
            m_wndTools.SetItemDataPtr(iItem, pButton);
        }
    }
    m_wndTools.SetRedraw(TRUE);
    m_wndTools.Invalidate();
}

void CKtvPCustomizePage::OnSelchangeCommands()
{
    m_pSelButton = nullptr;
    m_strButtonDescription.Empty();
    const int iSel = m_wndTools.GetCurSel();
    if (iSel >= 0) {
        m_pSelButton = reinterpret_cast<CKtvPToolbarButton*>(m_wndTools.GetItemDataPtr(iSel));
        if (m_pSelButton != nullptr) {
            if (m_pSelButton->m_nID == 0) {
                m_strButtonDescription = m_pSelButton->m_strText;
            } else {
                auto* pSheet = dynamic_cast<CKtvPToolbarCustomize*>(GetParent());
                CFrameWnd* pFrame = pSheet != nullptr && pSheet->m_pParentFrame != nullptr ? pSheet->m_pParentFrame
                                                                                            : GetParentFrame();
                if (pFrame != nullptr)
                    pFrame->GetMessageString(m_pSelButton->m_nID, m_strButtonDescription);
            }
        }
    }
    UpdateData(FALSE);
}
