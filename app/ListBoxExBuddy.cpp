#include "app/ListBoxExBuddy.h"

#include <cstring>

#include "platform/mfc/CDC.h"

namespace {

const char* const kListBoxExBuddyTips[CListBoxExBuddy::kButtons] = {"New", "Delete", "Move Up", "Move Down"};

}  // namespace

BEGIN_MESSAGE_MAP(CListBoxExBuddy, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_NCMOUSEMOVE()
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXT, 0, 0xFFFF, OnNeedToolTipText)
END_MESSAGE_MAP()

HBITMAP CListBoxExBuddy::LoadButtonImages()
{
    return static_cast<HBITMAP>(::LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(IDB_TW_LISTBOXEX_BUDDY),
                                            IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
}

CListBoxExBuddy::CListBoxExBuddy()
    : m_pList(nullptr),
      m_hButtons(LoadButtonImages()),
      m_nHot(kNoButton),
      m_bPressed(FALSE),
      m_pButtonRects(new CRect[kButtons])
{
}

CListBoxExBuddy::~CListBoxExBuddy()
{
    if (m_hButtons != nullptr)
        ::DeleteObject(m_hButtons);
    delete[] m_pButtonRects;
    if (m_wndToolTip.GetSafeHwnd() != nullptr)
        m_wndToolTip.DestroyWindow();
}

const char* CListBoxExBuddy::ButtonTip(int nButton)
{
    return nButton >= 0 && nButton < kButtons ? kListBoxExBuddyTips[nButton] : "";
}

CRect CListBoxExBuddy::GetButtonRect(int nButton) const
{
    return nButton >= 0 && nButton < kButtons ? m_pButtonRects[nButton] : CRect(0, 0, 0, 0);
}

void CListBoxExBuddy::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    CreateToolTip();
    CRect client;
    GetClientRect(client);
    Layout(client.Width(), client.Height());
}

int CListBoxExBuddy::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    CreateToolTip();
    return 0;
}

void CListBoxExBuddy::CreateToolTip()
{
    if (m_wndToolTip.GetSafeHwnd() != nullptr || !m_wndToolTip.Create(this))
        return;
    for (int i = 0; i < kButtons; ++i) {
        TOOLINFO ti;
        std::memset(&ti, 0, sizeof ti);
        ti.cbSize = sizeof ti;
        ti.uFlags = TTF_SUBCLASS;
        ti.hwnd = m_hWnd;
        ti.uId = static_cast<UINT_PTR>(i + 1);
        ti.rect = m_pButtonRects[i];
        ti.lpszText = LPSTR_TEXTCALLBACK;
        m_wndToolTip.SendMessage(TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti));
    }
    m_wndToolTip.Activate(TRUE);
}

void CListBoxExBuddy::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    Layout(cx, cy);
}

// The buttons sit side by side, the last one ending at the right edge.
void CListBoxExBuddy::Layout(int cx, int cy)
{
    const int top = (cy - kButtonHeight) / 2;
    for (int i = 0; i < kButtons; ++i) {
        const int left = cx - (kButtons - i) * kButtonWidth;
        m_pButtonRects[i].SetRect(left, top, left + kButtonWidth, top + kButtonHeight);
        if (m_wndToolTip.GetSafeHwnd() != nullptr)
            m_wndToolTip.SetToolRect(this, static_cast<UINT_PTR>(i + 1), m_pButtonRects[i]);
    }
}

BOOL CListBoxExBuddy::OnEraseBkgnd(CDC*)
{
    return TRUE;  // the painting covers it all
}

void CListBoxExBuddy::OnPaint()
{
    CPaintDC paint(this);
    CRect client;
    GetClientRect(client);
    CDC buffer;
    buffer.CreateCompatibleDC(&paint);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&paint, client.Width(), client.Height());
    CBitmap* pOldBitmap = buffer.SelectObject(&bitmap);

    buffer.FillSolidRect(client, ::GetSysColor(COLOR_BTNFACE));
    CString text;
    GetWindowText(text);
    HGDIOBJ oldFont = ::SelectObject(buffer.GetSafeHdc(), ::GetStockObject(DEFAULT_GUI_FONT));
    buffer.SetBkMode(TRANSPARENT);
    buffer.SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
    CRect textRect = client;
    textRect.left += 2;
    buffer.DrawText(text, -1, textRect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    ::SelectObject(buffer.GetSafeHdc(), oldFont);

    // The images line up with the buttons the mouse finds, and so do the frames.
    // A strip made before the program's resources were reachable loads its
    // pictures on its first paint.
    if (m_hButtons == nullptr)
        m_hButtons = LoadButtonImages();
    if (m_hButtons != nullptr) {
        CDC images;
        images.CreateCompatibleDC(&paint);
        HGDIOBJ oldImages = ::SelectObject(images.GetSafeHdc(), m_hButtons);
        buffer.BitBlt(m_pButtonRects[0].left, m_pButtonRects[0].top, kButtons * kButtonWidth, kButtonHeight,
                      &images, 0, 0, SRCCOPY);
        ::SelectObject(images.GetSafeHdc(), oldImages);
    }
    if (m_nHot >= 0 && m_nHot < kButtons) {
        RECT hot = m_pButtonRects[m_nHot];
        ::DrawEdge(buffer.GetSafeHdc(), &hot, m_bPressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    }
    paint.BitBlt(0, 0, client.Width(), client.Height(), &buffer, 0, 0, SRCCOPY);
    buffer.SelectObject(pOldBitmap);
}

int CListBoxExBuddy::ButtonAt(CPoint point) const
{
    for (int i = 0; i < kButtons; ++i) {
        if (m_pButtonRects[i].PtInRect(point))
            return i;
    }
    return kNoButton;
}

void CListBoxExBuddy::RedrawButton(int nButton)
{
    if (nButton >= 0 && nButton < kButtons)
        InvalidateRect(m_pButtonRects[nButton], FALSE);
}

void CListBoxExBuddy::SetHot(int nButton)
{
    if (nButton == m_nHot)
        return;
    const int old = m_nHot;
    m_nHot = nButton;
    RedrawButton(old);
    RedrawButton(m_nHot);
}

void CListBoxExBuddy::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bPressed)
        SetHot(ButtonAt(point));
    CWnd::OnMouseMove(nFlags, point);
}

void CListBoxExBuddy::OnLButtonDown(UINT nFlags, CPoint point)
{
    SetCapture();
    const int nButton = ButtonAt(point);
    if (nButton != kNoButton) {
        m_nHot = nButton;
        m_bPressed = TRUE;
        RedrawButton(nButton);
    }
    CWnd::OnLButtonDown(nFlags, point);
}

void CListBoxExBuddy::OnLButtonUp(UINT nFlags, CPoint point)
{
    const int nPressed = m_bPressed ? m_nHot : kNoButton;
    m_bPressed = FALSE;
    if (nPressed != kNoButton && ButtonAt(point) == nPressed)
        RunButton(nPressed);
    Invalidate(FALSE);
    m_nHot = ButtonAt(point);
    if (GetCapture() == this)
        ReleaseCapture();
    CWnd::OnLButtonUp(nFlags, point);
}

void CListBoxExBuddy::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    SetHot(kNoButton);
    CWnd::OnNcMouseMove(nHitTest, point);
}

void CListBoxExBuddy::RunButton(int nButton)
{
    if (m_pList == nullptr || m_pList->GetSafeHwnd() == nullptr)
        return;
    // A row being edited keeps what was typed before the list changes under it.
    m_pList->CommitEdit();
    const int nSelected = m_pList->GetCurSel();
    switch (nButton) {
    case 0: m_pList->EditNew(); break;
    case 1:
        if (nSelected >= 0)
            m_pList->DeleteRow(nSelected);
        break;
    case 2:
        if (nSelected >= 0)
            m_pList->MoveItemUp(nSelected);
        break;
    case 3:
        if (nSelected >= 0)
            m_pList->MoveItemDown(nSelected);
        break;
    default: break;
    }
}

BOOL CListBoxExBuddy::OnNeedToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* info = reinterpret_cast<NMTTDISPINFO*>(pNMHDR);
    const int nButton = static_cast<int>(pNMHDR->idFrom) - 1;
    if (nButton < 0 || nButton >= kButtons)
        return FALSE;
    std::strncpy(info->szText, kListBoxExBuddyTips[nButton], sizeof info->szText - 1);
    info->szText[sizeof info->szText - 1] = '\0';
    info->lpszText = info->szText;
    if (pResult)
        *pResult = 0;
    return TRUE;
}
