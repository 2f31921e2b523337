#include "app/LabelCtrl.h"

#include <algorithm>
#include <cstring>

#include "platform/mfc/CWinApp.h"
#include "platform/shell/shellapi.h"

namespace {

// Face names hold 31 bytes and a terminator; a longer name is cut before the
// UTF-8 character that would not fit whole.
void CopyLabelFaceName(char (&target)[LF_FACESIZE], const char* source)
{
    size_t length = std::strlen(source);
    if (length > LF_FACESIZE - 1) {
        length = LF_FACESIZE - 1;
        while (length > 0 && (static_cast<unsigned char>(source[length]) & 0xC0) == 0x80)
            --length;
    }
    std::memset(target, 0, sizeof target);
    std::memcpy(target, source, length);
}

// Only web and mail addresses are handed to the desktop's opener.
bool IsLabelSafeLink(const CString& target)
{
    CString lower = target;
    lower.MakeLower();
    return lower.Find("http://") == 0 || lower.Find("https://") == 0 || lower.Find("mailto:") == 0;
}

COLORREF LabelBrushColor(HBRUSH hBrush)
{
    LOGBRUSH lb{};
    if (hBrush == nullptr || ::GetObject(hBrush, sizeof lb, &lb) == 0)
        return RGB(0, 0, 0);
    return lb.lbColor;
}

}  // namespace

BEGIN_MESSAGE_MAP(CLabelCtrl, CStatic)
    ON_WM_PAINT()
    ON_WM_TIMER()
    ON_WM_SETCURSOR()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CLabelCtrl::CLabelCtrl()
    : m_crText(::GetSysColor(COLOR_WINDOWTEXT)), m_crHilite(RGB(255, 255, 255)),
      m_hDefaultBrush(::CreateSolidBrush(::GetSysColor(COLOR_3DFACE))), m_hBackBrush(nullptr), m_lf{},
      m_bFlashState(FALSE), m_bTimer(FALSE), m_nLinkMode(0), m_bTransparent(FALSE), m_b3DText(FALSE),
      m_bNotifyParent(FALSE), m_bRotation(FALSE), m_nFlashType(0), m_hLinkCursor(nullptr), m_n3DType(0),
      m_nBackFillMode(0), m_crBackHigh(0), m_crBack(0)
{
}

CLabelCtrl::~CLabelCtrl()
{
    m_font.DeleteObject();
    if (m_hBackBrush != nullptr)
        ::DeleteObject(m_hBackBrush);
    if (m_hDefaultBrush != nullptr)
        ::DeleteObject(m_hDefaultBrush);
}

void CLabelCtrl::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    auto hFont = reinterpret_cast<HFONT>(::SendMessage(m_hWnd, WM_GETFONT, 0, 0));
    if (hFont == nullptr)
        hFont = static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
    ::GetObject(hFont, sizeof m_lf, &m_lf);
    ReconstructFont();
}

void CLabelCtrl::ReconstructFont()
{
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&m_lf);
}

void CLabelCtrl::RedrawLabel()
{
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd))
        return;
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    // A transparent label shows its parent through it: the parent repaints there too.
    CWnd* pParent = GetParent();
    if (pParent == nullptr)
        return;
    CRect rect;
    GetWindowRect(rect);
    pParent->ScreenToClient(rect);
    pParent->InvalidateRect(rect, TRUE);
    pParent->UpdateWindow();
}

CLabelCtrl& CLabelCtrl::SetBkColor(COLORREF crBkgnd, COLORREF crBkgndHigh, int nFillMode)
{
    m_crBack = crBkgnd;
    m_crBackHigh = crBkgndHigh;
    m_nBackFillMode = nFillMode;
    if (m_hBackBrush != nullptr)
        ::DeleteObject(m_hBackBrush);
    m_hBackBrush = nFillMode == 0 ? ::CreateSolidBrush(crBkgnd) : nullptr;
    RedrawLabel();
    return *this;
}

CLabelCtrl& CLabelCtrl::SetTextColor(COLORREF crText)
{
    m_crText = crText;
    RedrawLabel();
    return *this;
}

CLabelCtrl& CLabelCtrl::SetText(const CString& strText)
{
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd)) {
        SetWindowText(strText);
        RedrawLabel();
    }
    return *this;
}

CLabelCtrl& CLabelCtrl::SetFontBold(BOOL bBold)
{
    m_lf.lfWeight = bBold ? FW_BOLD : FW_NORMAL;
    ReconstructFont();
    RedrawLabel();
    return *this;
}

CLabelCtrl& CLabelCtrl::SetFontName(const CString& strFont, BYTE byCharSet)
{
    CopyLabelFaceName(m_lf.lfFaceName, strFont);
    m_lf.lfCharSet = byCharSet;
    ReconstructFont();
    RedrawLabel();
    return *this;
}

CLabelCtrl& CLabelCtrl::SetFontUnderline(BOOL bSet)
{
    m_lf.lfUnderline = static_cast<BYTE>(bSet ? TRUE : FALSE);
    ReconstructFont();
    RedrawLabel();
    return *this;
}

CLabelCtrl& CLabelCtrl::SetFontItalic(BOOL bSet)
{
    m_lf.lfItalic = static_cast<BYTE>(bSet ? TRUE : FALSE);
    ReconstructFont();
    RedrawLabel();
    return *this;
}

CLabelCtrl& CLabelCtrl::SetFontSize(int nSize)
{
    // The height a point size has on the screen, as the framework measures it.
    CFont pointFont;
    LOGFONT lfPoint{};
    if (pointFont.CreatePointFont(nSize * 10, m_lf.lfFaceName) && pointFont.GetLogFont(&lfPoint) != 0) {
        m_lf.lfHeight = lfPoint.lfHeight;
        m_lf.lfWidth = lfPoint.lfWidth;
    }
    ReconstructFont();
    RedrawLabel();
    return *this;
}

CLabelCtrl& CLabelCtrl::SetStaticEdge(BOOL bSet)
{
    ModifyStyleEx(bSet ? 0 : WS_EX_STATICEDGE, bSet ? WS_EX_STATICEDGE : 0, SWP_DRAWFRAME);
    return *this;
}

CLabelCtrl& CLabelCtrl::SetBorder(BOOL bSet)
{
    ModifyStyle(bSet ? 0 : WS_BORDER, bSet ? WS_BORDER : 0, SWP_DRAWFRAME);
    return *this;
}

CLabelCtrl& CLabelCtrl::SetTransparent(BOOL bSet)
{
    m_bTransparent = bSet;
    ModifyStyleEx(0, WS_EX_TRANSPARENT);
    RedrawLabel();
    return *this;
}

void CLabelCtrl::StartFlashing(BOOL bActivate, int nFlashType)
{
    if (m_bTimer)
        KillTimer(kFlashTimer);
    m_bTimer = FALSE;
    if (bActivate) {
        m_bFlashState = FALSE;
        m_bTimer = SetTimer(kFlashTimer, 500, nullptr) != 0;
        m_nFlashType = nFlashType;
    } else {
        m_nFlashType = 0;
    }
}

CLabelCtrl& CLabelCtrl::FlashText(BOOL bActivate)
{
    StartFlashing(bActivate, 1);
    return *this;
}

CLabelCtrl& CLabelCtrl::FlashBackground(BOOL bActivate)
{
    StartFlashing(bActivate, 2);
    return *this;
}

CLabelCtrl& CLabelCtrl::SetLink(BOOL bLink, BOOL bNotifyParent)
{
    m_nLinkMode = bLink ? 1 : 0;
    m_bNotifyParent = bNotifyParent;
    if (m_nLinkMode != 0)
        ModifyStyle(0, SS_NOTIFY);
    else
        ModifyStyle(SS_NOTIFY, 0);
    return *this;
}

CLabelCtrl& CLabelCtrl::SetLinkCursor(HCURSOR hCursor)
{
    m_hLinkCursor = hCursor;
    return *this;
}

CLabelCtrl& CLabelCtrl::SetText3D(BOOL b3DText, int n3DType)
{
    m_b3DText = b3DText;
    m_n3DType = n3DType;
    RedrawLabel();
    return *this;
}

CLabelCtrl& CLabelCtrl::SetRotationAngle(int nAngle, BOOL bRotation)
{
    m_lf.lfEscapement = nAngle * 10;
    m_lf.lfOrientation = nAngle * 10;
    m_bRotation = bRotation;
    ReconstructFont();
    RedrawLabel();
    return *this;
}

CLabelCtrl& CLabelCtrl::SetText3DHiliteColor(COLORREF cr3DHiliteColor)
{
    m_crHilite = cr3DHiliteColor;
    RedrawLabel();
    return *this;
}

CLabelCtrl& CLabelCtrl::SetFont(LOGFONT lf)
{
    m_lf = lf;
    ReconstructFont();
    RedrawLabel();
    return *this;
}

CLabelCtrl& CLabelCtrl::SetMailLink(BOOL bEnable, BOOL bNotifyParent)
{
    m_nLinkMode = bEnable ? 2 : 0;
    m_bNotifyParent = bNotifyParent;
    if (m_nLinkMode != 0)
        ModifyStyle(0, SS_NOTIFY);
    else
        ModifyStyle(SS_NOTIFY, 0);
    return *this;
}

CLabelCtrl& CLabelCtrl::SetLinkText(const CString& strLink)
{
    m_strLink = strLink;
    return *this;
}

// --- Messages --------------------------------------------------------------------------------

void CLabelCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kFlashTimer) {
        CStatic::OnTimer(nIDEvent);
        return;
    }
    m_bFlashState = !m_bFlashState;
    RedrawLabel();
}

BOOL CLabelCtrl::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_hLinkCursor != nullptr) {
        ::SetCursor(m_hLinkCursor);
        return TRUE;
    }
    return CStatic::OnSetCursor(pWnd, nHitTest, message);
}

void CLabelCtrl::OnSysColorChange()
{
    CStatic::OnSysColorChange();
    if (m_hDefaultBrush != nullptr)
        ::DeleteObject(m_hDefaultBrush);
    m_hDefaultBrush = ::CreateSolidBrush(::GetSysColor(COLOR_3DFACE));
    RedrawLabel();
}

void CLabelCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_bNotifyParent) {
        NMHDR nm{};
        nm.hwndFrom = m_hWnd;
        nm.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
        nm.code = kClickNotifyCode;
        if (CWnd* pParent = GetParent())
            pParent->SendMessage(WM_NOTIFY, nm.idFrom, reinterpret_cast<LPARAM>(&nm));
    } else if (m_nLinkMode != 0) {
        CString strText;
        GetWindowText(strText);
        CString target;
        if (m_nLinkMode == 1)
            target = m_strLink.IsEmpty() ? strText : m_strLink;
        else
            target = "mailto:" + strText;
        if (IsLabelSafeLink(target))
            ::ShellExecute(nullptr, "open", target, nullptr, nullptr, SW_SHOWNORMAL);
        else
            ::MessageBeep(MB_ICONEXCLAMATION);
    }
    CStatic::OnLButtonDown(nFlags, point);
}

// --- Painting --------------------------------------------------------------------------------

void CLabelCtrl::DrawBackground(HDC hDC, const RECT& rcClient) const
{
    if (m_nBackFillMode == 0) {
        ::FillRect(hDC, &rcClient, m_hBackBrush != nullptr ? m_hBackBrush : m_hDefaultBrush);
        return;
    }
    // A horizontal gradient in at most a hundred strips, the last one ending at the right edge.
    const int width = rcClient.right - rcClient.left;
    const int strips = std::max(1, std::min(100, width));
    const int r0 = GetRValue(m_crBack), g0 = GetGValue(m_crBack), b0 = GetBValue(m_crBack);
    const int rStep = ((GetRValue(m_crBackHigh) - r0) << 8) / strips;
    const int gStep = ((GetGValue(m_crBackHigh) - g0) << 8) / strips;
    const int bStep = ((GetBValue(m_crBackHigh) - b0) << 8) / strips;
    for (int i = 0; i < strips; ++i) {
        RECT strip = rcClient;
        strip.left = rcClient.left + i * width / strips;
        strip.right = i == strips - 1 ? rcClient.right : rcClient.left + (i + 1) * width / strips;
        const COLORREF color = RGB(r0 + ((rStep * i) >> 8), g0 + ((gStep * i) >> 8), b0 + ((bStep * i) >> 8));
        HBRUSH hBrush = ::CreateSolidBrush(color);
        ::FillRect(hDC, &strip, hBrush);
        ::DeleteObject(hBrush);
    }
}

UINT CLabelCtrl::TextFormat(const CString& strText) const
{
    const DWORD style = GetStyle();
    UINT format = 0;
    switch (style & SS_TYPEMASK) {
    case SS_CENTER: format = DT_CENTER | DT_WORDBREAK; break;
    case SS_RIGHT: format = DT_RIGHT | DT_WORDBREAK; break;
    case SS_LEFTNOWORDWRAP: format = DT_LEFT; break;
    default: format = DT_LEFT | DT_WORDBREAK; break;
    }
    if (strText.Find('\t') >= 0)
        format |= DT_EXPANDTABS;
    if ((style & SS_CENTERIMAGE) != 0) {
        format = DT_CENTER;
        if (strText.Find("\r\n") < 0)
            format |= DT_VCENTER | DT_SINGLELINE;
    }
    return format;
}

void CLabelCtrl::DrawLabelText(HDC hDC, const RECT& rcClient)
{
    CString strText;
    GetWindowText(strText);
    ::SetBkMode(hDC, TRANSPARENT);
    // Flashing text starts hidden: drawn in the colour of the background brush.
    COLORREF crText = m_crText;
    if (m_nFlashType == 1 && !m_bFlashState)
        crText = LabelBrushColor(m_hBackBrush);
    ::SetTextColor(hDC, crText);
    HGDIOBJ hOldFont = ::SelectObject(hDC, m_font.GetSafeHandle());

    if (m_bRotation) {
        const UINT oldAlign = ::SetTextAlign(hDC, TA_BASELINE | TA_LEFT);
        const int x = (rcClient.left + rcClient.right) / 2;
        const int y = (rcClient.top + rcClient.bottom) / 2;
        ::TextOut(hDC, x, y, strText, strText.GetLength());
        ::SetTextAlign(hDC, oldAlign);
    } else {
        const UINT format = TextFormat(strText);
        RECT rcText = rcClient;
        ::DrawText(hDC, strText, -1, &rcText, format);
        if (m_b3DText) {
            const int offset = m_n3DType != 0 ? 1 : -1;
            ::OffsetRect(&rcText, offset, offset);
            ::SetTextColor(hDC, m_crHilite);
            ::DrawText(hDC, strText, -1, &rcText, format);
        }
    }
    ::SelectObject(hDC, hOldFont);
}

void CLabelCtrl::OnPaint()
{
    PAINTSTRUCT ps;
    HDC hDC = ::BeginPaint(m_hWnd, &ps);
    RECT rcClient;
    ::GetClientRect(m_hWnd, &rcClient);

    if (m_bTransparent) {
        DrawLabelText(hDC, rcClient);
        ::EndPaint(m_hWnd, &ps);
        return;
    }
    // Drawn off-screen, then copied, so the label never flickers.
    const int cx = rcClient.right - rcClient.left;
    const int cy = rcClient.bottom - rcClient.top;
    HDC hMemDC = ::CreateCompatibleDC(hDC);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hDC, std::max(cx, 1), std::max(cy, 1));
    HGDIOBJ hOldBitmap = ::SelectObject(hMemDC, hBitmap);
    DrawBackground(hMemDC, rcClient);
    DrawLabelText(hMemDC, rcClient);
    ::BitBlt(hDC, 0, 0, cx, cy, hMemDC, 0, 0, SRCCOPY);
    ::SelectObject(hMemDC, hOldBitmap);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMemDC);
    ::EndPaint(m_hWnd, &ps);
}
