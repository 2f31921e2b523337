#include "ui/commandbars/KtvPKeyMapDlg.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "platform/mfc/CDC.h"
#include "platform/mfc/CDataExchange.h"
#include "platform/mfc/CDocTemplate.h"
#include "platform/mfc/CFrameWnd.h"
#include "platform/mfc/CPrintDialog.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/afxmsg.h"
#include "platform/win32/kernel/GlobalMemory.h"
#include "resources/CustomizeIds.h"
#include "resources/resource.h"
#include "ui/commandbars/KtvPKeyboardPage.h"
#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/commandbars/KtvPToolbarCustomize.h"
#include "ui/frames/KtvPKeyHelper.h"
#include "ui/frames/KtvPRegistry.h"
#include "ui/frames/KtvPRegistryFactory.h"
#include "ui/frames/KtvPWorkspace.h"

namespace {

constexpr char kKeyMapPlacementSection[] = "KeyMapWindowPlacement";
constexpr char kKeyMapRectValue[] = "KeyMapWindowRect";
constexpr char kKeyMapWidestKeys[] = "Ctrl+Shift+W";

// The sorted column's text of every row, by the row's data: rows move while the list sorts.
struct KeyMapSortContext {
    std::map<LPARAM, CString> texts;
    BOOL bAscending;
};

}  // namespace

void CKtvPKeyMapList::Sort(int iColumn, BOOL, BOOL)
{
    if (m_pDlg != nullptr)
        m_pDlg->OnColumnHeaderClick(iColumn);
}

BEGIN_MESSAGE_MAP(CKtvPKeyMapDlg, CDialog)
    ON_CBN_SELCHANGE(IDC_KTVP_KEYMAP_TABLE, OnSelchangeViewType)
    ON_CBN_SELCHANGE(IDC_KTVP_KEYMAP_CATEGORY, OnSelchangeCategory)
    ON_BN_CLICKED(IDC_KTVP_KEYMAP_COPY, OnCopy)
    ON_BN_CLICKED(IDC_KTVP_KEYMAP_PRINT, OnPrint)
    ON_WM_SIZE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CKtvPKeyMapDlg::CKtvPKeyMapDlg(CFrameWnd* pWndParentFrame, BOOL bEnablePrint)
    : CDialog(IDD_KTVP_KEYMAP, pWndParentFrame), m_pWndParentFrame(pWndParentFrame), m_bEnablePrint(bEnablePrint)
{
    // The template holds a list view.
    ::InitCommonControls();
    m_KeymapList.m_pDlg = this;
}

CKtvPKeyMapDlg::~CKtvPKeyMapDlg()
{
    delete m_pDlgCustomize;
    delete[] m_lpAccel;
}

INT_PTR CKtvPKeyMapDlg::DoModal()
{
    m_hInstDefault = AfxGetResourceHandle();
    return CDialog::DoModal();
}

BOOL CKtvPKeyMapDlg::Create(CWnd* pParentWnd)
{
    m_hInstDefault = AfxGetResourceHandle();
    return CDialog::Create(IDD_KTVP_KEYMAP, pParentWnd);
}

void CKtvPKeyMapDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_KTVP_KEYMAP_TABLE_LABEL, m_wndAccelLabel);
    DDX_Control(pDX, IDC_KTVP_KEYMAP_LIST, m_KeymapList);
    DDX_Control(pDX, IDC_KTVP_KEYMAP_CATEGORY, m_wndCategoryList);
    DDX_Control(pDX, IDC_KTVP_KEYMAP_ICON, m_wndIcon);
    DDX_Control(pDX, IDC_KTVP_KEYMAP_TABLE, m_wndViewTypeList);
    DDX_Control(pDX, IDC_KTVP_KEYMAP_PRINT, m_ButtonPrint);
    DDX_Control(pDX, IDC_KTVP_KEYMAP_COPY, m_ButtonCopy);
}

BOOL CKtvPKeyMapDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    if (auto hIcon = static_cast<HICON>(::LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(IDI_KTVP_KEYMAP),
                                                     IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                                     ::GetSystemMetrics(SM_CYSMICON), LR_SHARED)))
        SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(hIcon));

    const struct {
        CKtvPButton& button;
        UINT uiBitmap;
    } buttons[] = {{m_ButtonPrint, IDB_KTVP_KEYMAP_PRINT}, {m_ButtonCopy, IDB_KTVP_KEYMAP_COPY}};
    for (const auto& entry : buttons) {
        CString strTip;
        entry.button.GetWindowText(strTip);
        entry.button.m_FlatStyle = CKtvPButton::BUTTONSTYLE_FLAT;
        entry.button.SetImage(entry.uiBitmap);
        entry.button.SetWindowText(_T(""));
        entry.button.SetTooltip(strTip);
        entry.button.m_DrawFocus = FALSE;
        const CSize size = entry.button.SizeToContent();
        (void)size;
    }
    if (!m_bEnablePrint)
        m_ButtonPrint.ShowWindow(SW_HIDE);

    SetColumns();
    SetColumnWidths();

    KtvPAddAcceleratorTemplates(m_wndViewTypeList, FALSE);
    if (m_pWndParentFrame != nullptr && m_pWndParentFrame->m_hAccelTable != nullptr) {
        CString strDefault;
        strDefault.LoadString(IDS_KTVP_DEFAULT);
        const int iItem = m_wndViewTypeList.AddString(strDefault);
        m_wndViewTypeList.SetItemDataPtr(iItem, nullptr);
        m_wndViewTypeList.SetCurSel(iItem);
    }

    m_KeymapList.SetExtendedStyle(m_KeymapList.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    OnSelchangeViewType();

    m_pDlgCustomize = new CKtvPToolbarCustomize(m_pWndParentFrame, TRUE,
                                                KTVCUSTOMIZE_MENU_SHADOWS | KTVCUSTOMIZE_TEXT_LABELS |
                                                    KTVCUSTOMIZE_LOOK_2000 | KTVCUSTOMIZE_MENU_ANIMATIONS);
    m_pDlgCustomize->EnableUserDefinedToolbars();
    m_pDlgCustomize->FillCategoriesComboBox(m_wndCategoryList);
    m_wndCategoryList.SetCurSel(0);
    OnSelchangeCategory();

    if (KtvGetWorkspace() != nullptr) {
        CKtvPRegistryFactory factory;
        CKtvPRegistry& reg = factory.Create(FALSE, TRUE);
        CRect rect;
        if (reg.Open(KtvGetWorkspace()->GetRegSectionPath(kKeyMapPlacementSection)) &&
            reg.Read(kKeyMapRectValue, rect) && !rect.IsRectEmpty()) {
            // A place off the work area (another screen then) is not used.
            CRect rectWork;
            ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rectWork, 0);
            CRect rectCommon;
            if (rectCommon.IntersectRect(rect, rectWork) && rectCommon == rect)
                MoveWindow(rect);
        }
    }
    return TRUE;
}

void CKtvPKeyMapDlg::SetColumns()
{
    const UINT headings[] = {IDS_KTVP_COLUMN_COMMAND, IDS_KTVP_COLUMN_KEYS, IDS_KTVP_COLUMN_DESCRIPTION};
    for (int i = 0; i < 3; i++) {
        CString strHeading;
        strHeading.LoadString(headings[i]);
        m_KeymapList.InsertColumn(i, strHeading);
    }
}

void CKtvPKeyMapDlg::SetColumnWidths()
{
    if (m_KeymapList.GetSafeHwnd() == nullptr)
        return;
    const int nKeysWidth = m_KeymapList.GetStringWidth(kKeyMapWidestKeys);
    CRect rectClient;
    m_KeymapList.GetClientRect(&rectClient);
    // Never below 0, however narrow the list gets.
    const int nRest = std::max(0, rectClient.Width() - nKeysWidth - ::GetSystemMetrics(SM_CXHSCROLL) - 10);
    m_KeymapList.SetColumnWidth(0, nRest / 3);
    m_KeymapList.SetColumnWidth(1, nKeysWidth + 10);
    m_KeymapList.SetColumnWidth(2, nRest * 2 / 3);
}

void CKtvPKeyMapDlg::OnSelchangeViewType()
{
    delete[] m_lpAccel;
    m_lpAccel = nullptr;
    m_nAccelSize = 0;
    m_hAccelTable = nullptr;

    const int iSel = m_wndViewTypeList.GetCurSel();
    if (iSel < 0) {
        m_wndIcon.SetIcon(nullptr);
        return;
    }
    auto* pTemplate = static_cast<CMultiDocTemplate*>(m_wndViewTypeList.GetItemDataPtr(iSel));
    m_wndIcon.SetIcon(KtvPLoadAcceleratorOwner(m_pWndParentFrame, pTemplate, m_hAccelTable, m_lpAccel, m_nAccelSize));
    OnSelchangeCategory();
}

void CKtvPKeyMapDlg::OnSelchangeCategory()
{
    const int iCategory = m_wndCategoryList.GetCurSel();
    if (iCategory < 0 || m_KeymapList.GetSafeHwnd() == nullptr)
        return;
    auto* pButtons = static_cast<CObList*>(m_wndCategoryList.GetItemDataPtr(iCategory));
    const HINSTANCE hInstOld = AfxGetResourceHandle();
    if (m_hInstDefault != nullptr)
        AfxSetResourceHandle(m_hInstDefault);
    m_KeymapList.DeleteAllItems();
    int nItem = 0;
    if (pButtons != nullptr) {
        for (POSITION pos = pButtons->GetHeadPosition(); pos != nullptr;) {
            auto* pButton = static_cast<CKtvPToolbarButton*>(pButtons->GetNext(pos));
            if (pButton != nullptr && pButton->m_nID != 0 && pButton->m_nID != static_cast<UINT>(-1))
                OnInsertItem(pButton, nItem++);
        }
    }
    SortList();
    AfxSetResourceHandle(hInstOld);
}

void CKtvPKeyMapDlg::OnInsertItem(CKtvPToolbarButton* pButton, int nItem)
{
    const CString& strName = pButton->m_strSecondText.IsEmpty() ? pButton->m_strText : pButton->m_strSecondText;
    const int iItem = m_KeymapList.InsertItem(LVIF_TEXT | LVIF_PARAM, nItem, strName, 0, 0, 0,
                                              reinterpret_cast<LPARAM>(pButton));
    m_KeymapList.SetItemText(iItem, 1, GetCommandKeys(pButton->m_nID));
    CString strDescription;
    if (m_pWndParentFrame != nullptr)
        m_pWndParentFrame->GetMessageString(pButton->m_nID, strDescription);
    m_KeymapList.SetItemText(iItem, 2, strDescription);
}

CString CKtvPKeyMapDlg::GetCommandKeys(UINT uiCmdID) const
{
    CString strKeys;
    for (int i = 0; i < m_nAccelSize; i++) {
        if (m_lpAccel[i].cmd != uiCmdID)
            continue;
        CString strKey;
        CKtvPKeyHelper(&m_lpAccel[i]).Format(strKey);
        if (!strKeys.IsEmpty())
            strKeys += _T("; ");
        strKeys += strKey;
    }
    return strKeys;
}

int CALLBACK CKtvPKeyMapDlg::CompareItems(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort)
{
    const auto* pContext = reinterpret_cast<const KeyMapSortContext*>(lParamSort);
    const auto it1 = pContext->texts.find(lParam1);
    const auto it2 = pContext->texts.find(lParam2);
    const LPCTSTR lpsz1 = it1 != pContext->texts.end() ? static_cast<LPCTSTR>(it1->second) : _T("");
    const LPCTSTR lpsz2 = it2 != pContext->texts.end() ? static_cast<LPCTSTR>(it2->second) : _T("");
    // Byte by byte, so multi-byte names keep a fixed order.
    const int nResult = std::strcmp(lpsz1, lpsz2);
    return pContext->bAscending ? nResult : -nResult;
}

void CKtvPKeyMapDlg::SortList()
{
    KeyMapSortContext context{{}, m_bSortAscending};
    for (int i = 0; i < m_KeymapList.GetItemCount(); i++)
        context.texts[static_cast<LPARAM>(m_KeymapList.GetItemData(i))] = m_KeymapList.GetItemText(i, m_nSortColumn);
    m_KeymapList.SortItems(CompareItems, reinterpret_cast<DWORD_PTR>(&context));
}

void CKtvPKeyMapDlg::OnColumnHeaderClick(int iColumn)
{
    if (iColumn == m_nSortColumn) {
        m_bSortAscending = !m_bSortAscending;
    } else {
        m_bSortAscending = TRUE;
        m_nSortColumn = iColumn;
    }
    SortList();
    m_KeymapList.SetSortColumn(m_nSortColumn, m_bSortAscending, FALSE);
}

BOOL CKtvPKeyMapDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return CDialog::OnNotify(wParam, lParam, pResult);
}

void CKtvPKeyMapDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    if (m_KeymapList.GetSafeHwnd() == nullptr)
        return;
    CRect rectList;
    m_KeymapList.GetWindowRect(&rectList);
    ScreenToClient(&rectList);
    m_KeymapList.SetWindowPos(nullptr, 0, 0, std::max(0, cx - rectList.left - 7),
                              std::max(0, cy - rectList.top - 7), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetColumnWidths();
}

void CKtvPKeyMapDlg::OnDestroy()
{
    if (KtvGetWorkspace() != nullptr) {
        CRect rect;
        GetWindowRect(&rect);
        CKtvPRegistryFactory factory;
        CKtvPRegistry& reg = factory.Create(FALSE, FALSE);
        if (reg.CreateKey(KtvGetWorkspace()->GetRegSectionPath(kKeyMapPlacementSection)))
            reg.Write(kKeyMapRectValue, rect);
    }
    CDialog::OnDestroy();
}

CString CKtvPKeyMapDlg::FormatItem(int nItem) const
{
    CString strKeys = m_KeymapList.GetItemText(nItem, 1);
    if (strKeys.IsEmpty())
        strKeys = _T("-");
    CString strItem;
    strItem.Format(_T("%-30s\t%-20s\t%s"), static_cast<LPCTSTR>(m_KeymapList.GetItemText(nItem, 0)),
                   static_cast<LPCTSTR>(strKeys), static_cast<LPCTSTR>(m_KeymapList.GetItemText(nItem, 2)));
    return strItem;
}

void CKtvPKeyMapDlg::OnCopy()
{
    m_KeymapList.SetFocus();
    CopyKeyMap();
}

void CKtvPKeyMapDlg::CopyKeyMap()
{
    if (m_KeymapList.GetSelectedCount() == 0) {
        ::MessageBeep(static_cast<UINT>(-1));
        return;
    }
    CString strText;
    for (int i = m_KeymapList.GetNextItem(-1, LVNI_SELECTED); i >= 0; i = m_KeymapList.GetNextItem(i, LVNI_SELECTED))
        strText += FormatItem(i) + _T("\r\n");

    if (!::OpenClipboard(GetSafeHwnd()))
        return;
    if (::EmptyClipboard()) {
        const size_t nBytes = static_cast<size_t>(strText.GetLength()) + 1;
        if (HGLOBAL hData = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, nBytes)) {
            if (auto* pData = static_cast<char*>(::GlobalLock(hData))) {
                std::memcpy(pData, static_cast<LPCTSTR>(strText), nBytes);
                ::GlobalUnlock(hData);
                if (::SetClipboardData(CF_TEXT, hData) == nullptr)
                    ::GlobalFree(hData);
            } else {
                ::GlobalFree(hData);
            }
        }
    }
    ::CloseClipboard();
}

void CKtvPKeyMapDlg::OnPrint()
{
    m_KeymapList.SetFocus();
    PrintKeyMap();
}

void CKtvPKeyMapDlg::PrintKeyMap()
{
    CWaitCursor wait;
    CPrintDialog dlgPrint(FALSE, PD_ALLPAGES | PD_RETURNDC | PD_NOSELECTION, this);
    if (dlgPrint.DoModal() != IDOK || dlgPrint.GetPrinterDC() == nullptr)
        return;
    CDC dc;
    dc.Attach(dlgPrint.GetPrinterDC());
    const int cx = dc.GetDeviceCaps(HORZRES);
    const int cy = dc.GetDeviceCaps(VERTRES);

    DOCINFO docInfo{};
    docInfo.cbSize = sizeof(docInfo);
    docInfo.lpszDocName = _T("KtvKeyMapDlg");
    if (::StartDoc(dc.GetSafeHdc(), &docInfo) <= 0) {
        dc.DeleteDC();
        return;
    }
    ::StartPage(dc.GetSafeHdc());
    int nPage = 1;
    int y = OnPrintHeader(dc, nPage, cx);

    const BOOL bSelectedOnly = m_KeymapList.GetSelectedCount() > 0;
    for (int i = 0; i < m_KeymapList.GetItemCount(); i++) {
        if (bSelectedOnly && !(m_KeymapList.GetItemState(i, LVIS_SELECTED) & LVIS_SELECTED))
            continue;
        const int cyItem = OnPrintItem(dc, i, y, cx, TRUE);
        if (cy < y + cyItem) {
            ::EndPage(dc.GetSafeHdc());
            ::StartPage(dc.GetSafeHdc());
            y = OnPrintHeader(dc, ++nPage, cx);
        }
        y += OnPrintItem(dc, i, y, cx, FALSE);
    }
    ::EndPage(dc.GetSafeHdc());
    ::EndDoc(dc.GetSafeHdc());
    dc.DeleteDC();
}

int CKtvPKeyMapDlg::OnPrintHeader(CDC& dc, int nPage, int cx) const
{
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    const int cyText = tm.tmHeight;
    CString strTitle;
    GetWindowText(strTitle);
    const LPCTSTR lpszApp = AfxGetAppName();
    CString strHeader;
    strHeader.Format(_T("- %d -\r\n%s: %s"), nPage, lpszApp != nullptr ? lpszApp : _T(""),
                     static_cast<LPCTSTR>(strTitle));
    CRect rect(0, 2 * cyText, cx, 32767);
    const int cyDrawn = dc.DrawText(strHeader, rect, DT_CENTER | DT_WORDBREAK);
    return cyDrawn + 4 * cyText;
}

int CKtvPKeyMapDlg::OnPrintItem(CDC& dc, int nItem, int y, int cx, BOOL bCalcHeight) const
{
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    const int cxChar = tm.tmMaxCharWidth;
    const int cxGap = 2 * cxChar;
    const int cxKeys = dc.GetTextExtent(kKeyMapWidestKeys).cx;

    CRect rectName(cxGap, y, cxGap + (cx - 6 * cxChar - cxKeys) / 3, y + 32676);
    CRect rectKeys(rectName.right + cxGap, y, rectName.right + cxGap + cxKeys + cxGap, y + 32676);
    CRect rectDescription(rectKeys.right + cxGap, y, cx, y + 32676);

    auto* pButton = reinterpret_cast<CKtvPToolbarButton*>(m_KeymapList.GetItemData(nItem));
    const CString strTexts[3] = {pButton != nullptr ? pButton->m_strText : m_KeymapList.GetItemText(nItem, 0),
                                 m_KeymapList.GetItemText(nItem, 1), m_KeymapList.GetItemText(nItem, 2)};
    CRect* rects[3] = {&rectName, &rectKeys, &rectDescription};
    int cyMax = 0;
    for (int i = 0; i < 3; i++) {
        CRect rectCalc = *rects[i];
        dc.DrawText(strTexts[i], rectCalc, DT_CALCRECT | DT_WORDBREAK);
        cyMax = std::max(cyMax, rectCalc.Height());
        if (!bCalcHeight)
            dc.DrawText(strTexts[i], *rects[i], DT_WORDBREAK | DT_END_ELLIPSIS);
    }
    return cyMax;
}
