#include "editctrl/KtvPIntelliSenseWnd.h"

#include <algorithm>

#include "editctrl/KtvPEditCtrl.h"
#include "editctrl/KtvPIntelliSenseData.h"
#include "editctrl/KtvPIntelliSenseLB.h"
#include "platform/win32/controls/stdctrl.h"
#include "platform/win32/gdi/SystemMetrics.h"

IMPLEMENT_DYNCREATE(CKtvPIntelliSenseWnd, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CKtvPIntelliSenseWnd, CMiniFrameWnd)
    ON_WM_CLOSE()
    ON_WM_NCHITTEST()
END_MESSAGE_MAP()

namespace ktvp_intellisense_wnd_detail {

constexpr UINT kListBoxId = 1;
constexpr int kInitialSize = 100;
// WS_CHILD | WS_VSCROLL | LBS_OWNERDRAWVARIABLE | LBS_SORT | LBS_NOTIFY
constexpr DWORD kListBoxStyle = 0x40200023;

RECT WorkAreaNear(POINT pt)
{
    RECT work{};
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    HMONITOR monitor = MonitorFromPoint(pt, MONITOR_DEFAULTTONEAREST);
    if (monitor != nullptr && GetMonitorInfo(monitor, &info))
        return info.rcWork;
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

}  // namespace ktvp_intellisense_wnd_detail

namespace kisw = ktvp_intellisense_wnd_detail;

CKtvPIntelliSenseWnd::~CKtvPIntelliSenseWnd() = default;

BOOL CKtvPIntelliSenseWnd::Create(CObList* pList, DWORD dwStyle, int x, int y, CWnd* pEditCtrl, CFont* pFont,
                                  HIMAGELIST hImageList, CRuntimeClass* pListBoxClass)
{
    // Like any frame, a popup that cannot be made is gone afterwards.
    auto* pEdit = dynamic_cast<CKtvPEditCtrl*>(pEditCtrl);
    if (pEdit == nullptr || pEdit->m_hWnd == nullptr) {
        PostNcDestroy();
        return FALSE;
    }
    m_pEditCtrl = pEdit;
    const CRect rect(x, y, x + kisw::kInitialSize, y + kisw::kInitialSize);
    LPCTSTR className = AfxRegisterWndClass(CS_SAVEBITS, ::LoadCursor(nullptr, IDC_ARROW));
    if (!CMiniFrameWnd::CreateEx(0, className, "", dwStyle & ~WS_VISIBLE, rect, pEdit, 0))
        return FALSE;
    if (!CreateListBox(pListBoxClass, hImageList)) {
        DestroyWindow();
        return FALSE;
    }
    m_pEditCtrl->m_bIntelliSenseOpen = TRUE;
    m_pEditCtrl->m_pIntelliSenseWnd = this;
    CreateListFont(pFont);
    FillList(pList);
    PlaceAt(x, y);
    ShowWindow(SW_SHOW);
    m_pListBox->ShowWindow(SW_SHOW);
    m_pListBox->SetFocus();
    m_pListBox->Invalidate();
    m_pListBox->UpdateWindow();
    m_pListBox->SelectTypedWord();
    return TRUE;
}

BOOL CKtvPIntelliSenseWnd::CreateListBox(CRuntimeClass* pListBoxClass, HIMAGELIST hImageList)
{
    if (pListBoxClass == nullptr)
        pListBoxClass = RUNTIME_CLASS(CKtvPIntelliSenseLB);
    CObject* pObject = pListBoxClass->CreateObject();
    auto* pListBox = dynamic_cast<CKtvPBaseIntelliSenseLB*>(pObject);
    if (pListBox == nullptr) {
        delete pObject;
        return FALSE;
    }
    pListBox->m_hImageList = hImageList;
    tw::RegisterStandardControlClasses();
    const CRect rect(0, 0, kisw::kInitialSize, kisw::kInitialSize);
    // A list box that fails to be made has deleted itself.
    if (!pListBox->Create(kisw::kListBoxStyle, rect, this, kisw::kListBoxId))
        return FALSE;
    m_pListBox = pListBox;
    return TRUE;
}

void CKtvPIntelliSenseWnd::CreateListFont(CFont* pFont)
{
    LOGFONT logFont{};
    if (pFont != nullptr && pFont->GetSafeHandle() != nullptr && pFont->GetLogFont(&logFont) != 0)
        m_Font.CreateFontIndirect(&logFont);
    else
        m_Font.CreatePointFont(80, "MS Sans Serif");
    m_pListBox->m_pFont = &m_Font;
    m_pListBox->SetFont(&m_Font, FALSE);
}

void CKtvPIntelliSenseWnd::FillList(CObList* pList)
{
    if (pList == nullptr)
        return;
    POSITION pos = pList->GetHeadPosition();
    while (pos != nullptr) {
        auto* pItem = dynamic_cast<CKtvPIntelliSenseData*>(pList->GetNext(pos));
        if (pItem == nullptr)
            continue;
        const int index = m_pListBox->AddString(reinterpret_cast<LPCTSTR>(pItem));
        if (index < 0) {
            delete pItem;
            continue;
        }
        m_pListBox->SetItemData(index, reinterpret_cast<DWORD_PTR>(pItem));
    }
    pList->RemoveAll();
}

void CKtvPIntelliSenseWnd::PlaceAt(int x, int y)
{
    const CSize maxItem = m_pListBox->GetMaxItemSize();
    int listWidth = maxItem.cx;
    if (m_pListBox->GetCount() > CKtvPBaseIntelliSenseLB::nMaxVisibleItems)
        listWidth += ::GetSystemMetrics(SM_CXVSCROLL);
    const int listHeight = m_pListBox->m_nTotalHeight;
    m_pListBox->SetWindowPos(nullptr, 0, 0, listWidth, listHeight, SWP_NOZORDER | SWP_NOACTIVATE);

    // The frame around the list, as this popup's style draws it.
    CRect window;
    CRect client;
    GetWindowRect(&window);
    GetClientRect(&client);
    const int width = listWidth + window.Width() - client.Width();
    const int height = listHeight + window.Height() - client.Height();

    int imageWidth = 0;
    int imageHeight = 0;
    if (m_pListBox->m_hImageList != nullptr)
        ImageList_GetIconSize(m_pListBox->m_hImageList, &imageWidth, &imageHeight);
    const int textOffset = ::GetSystemMetrics(SM_CXBORDER) + CKtvPBaseIntelliSenseLB::nTextMarginLeft +
                           CKtvPBaseIntelliSenseLB::nImageTextGap + imageWidth + 1;
    int left = x - textOffset;
    int top = y + m_pEditCtrl->m_nRowHeight;
    const RECT work = kisw::WorkAreaNear(POINT{x, y});
    if (top + height > work.bottom)
        top = y - height;
    if (left + width > work.right)
        left = x - width;
    SetWindowPos(nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CKtvPIntelliSenseWnd::OnClose()
{
    // Closed by a key or a choice, the popup still holds the focus: it goes
    // back to the text. Closed by focus loss, the focus is already elsewhere.
    const HWND focus = ::GetFocus();
    if (m_pEditCtrl != nullptr && focus != nullptr && (focus == m_hWnd || ::IsChild(m_hWnd, focus)))
        m_pEditCtrl->SetFocus();
    DestroyWindow();
}

LRESULT CKtvPIntelliSenseWnd::OnNcHitTest(CPoint)
{
    return HTCLIENT;
}

void CKtvPIntelliSenseWnd::PostNcDestroy()
{
    if (m_pEditCtrl != nullptr)
        m_pEditCtrl->OnIntelliSenseWndGone(this);
    CMiniFrameWnd::PostNcDestroy();
}
