#include "app/OutputBar.h"

#include <cstring>

#include "platform/mfc/CArray.h"
#include "platform/mfc/CDC.h"
#include "platform/mfc/CFrameWnd.h"
#include "platform/mfc/afxmsg.h"
#include "platform/win32/kernel/GlobalMemory.h"
#include "ui/frames/KtvPGlobalData.h"

BEGIN_MESSAGE_MAP(COutputList, CListBox)
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

BOOL COutputList::CopySelection()
{
    const int nCount = GetSelCount();
    if (nCount <= 0)
        return FALSE;
    CArray<int, int> items;
    items.SetSize(nCount);
    GetSelItems(nCount, items.GetData());
    CString text;
    for (int i = 0; i < nCount; i++) {
        CString line;
        GetText(items[i], line);
        if (i > 0)
            text += "\r\n";
        text += line;
    }
    if (!::OpenClipboard(GetSafeHwnd()))
        return FALSE;
    ::EmptyClipboard();
    const size_t nBytes = static_cast<size_t>(text.GetLength()) + 1;
    HGLOBAL hMem = ::GlobalAlloc(GMEM_MOVEABLE, nBytes);
    BOOL bDone = FALSE;
    if (hMem != nullptr) {
        std::memcpy(::GlobalLock(hMem), static_cast<LPCTSTR>(text), nBytes);
        ::GlobalUnlock(hMem);
        bDone = ::SetClipboardData(CF_TEXT, hMem) != nullptr;
        if (!bDone)
            ::GlobalFree(hMem);
    }
    ::CloseClipboard();
    return bDone;
}

void COutputList::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if ((nChar == 'C' || nChar == VK_INSERT) && ::GetKeyState(VK_CONTROL) < 0) {
        CopySelection();
        return;
    }
    CListBox::OnKeyDown(nChar, nRepCnt, nFlags);
}

IMPLEMENT_DYNAMIC(COutputBar, CKtvPDockingControlBar)

BEGIN_MESSAGE_MAP(COutputBar, CKtvPDockingControlBar)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_PAINT()
END_MESSAGE_MAP()

int COutputBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKtvPDockingControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    // Lines stay in the order they were added; several can be selected to copy.
    const DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT | LBS_EXTENDEDSEL;
    if (!m_wndList.Create(dwStyle, CRect(0, 0, 0, 0), this, kListId))
        return -1;
    m_wndList.SetFont(&globalData.fontRegular);
    return 0;
}

void COutputBar::OnSize(UINT nType, int cx, int cy)
{
    CKtvPDockingControlBar::OnSize(nType, cx, cy);
    if (m_wndList.GetSafeHwnd() == nullptr)
        return;
    CRect client;
    GetClientRect(client);
    // A one-pixel frame is drawn around the list, inside the client area.
    m_wndList.SetWindowPos(nullptr, 1, 1, client.Width() - 2, client.Height() - 2,
                           SWP_NOACTIVATE | SWP_NOZORDER);
}

void COutputBar::OnPaint()
{
    CPaintDC dc(this);
    if (m_wndList.GetSafeHwnd() == nullptr)
        return;
    CRect rect;
    m_wndList.GetWindowRect(rect);
    ScreenToClient(rect);
    rect.InflateRect(1, 1);
    const COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    dc.Draw3dRect(rect, clrShadow, clrShadow);
}

int COutputBar::AddLine(LPCTSTR lpszLine)
{
    if (m_wndList.GetSafeHwnd() == nullptr)
        return LB_ERR;
    if (!IsVisible()) {
        ShowControlBar(TRUE, FALSE, TRUE);
        if (auto* pFrame = dynamic_cast<CFrameWnd*>(GetDockSiteFrameWnd()))
            pFrame->RecalcLayout();
    }
    return static_cast<int>(m_wndList.SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszLine)));
}
