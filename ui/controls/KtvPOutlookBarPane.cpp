#include "ui/controls/KtvPOutlookBarPane.h"

#include <algorithm>

#include "platform/mfc/CDC.h"
#include "platform/mfc/CWinApp.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/frames/KtvPDrawManager.h"
#include "ui/commandbars/KtvPMemDC.h"
#include "ui/commandbars/KtvPMenuImages.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/controls/KtvPBaseTabWnd.h"
#include "ui/docking/KtvPMiniFrameWnd.h"
#include "ui/docking/KtvPOutlookBar.h"
#include "ui/frames/KtvPCodes.h"
#include "platform/mfc/CMenu.h"
#include "ui/frames/KtvPVisualManager.h"

// --- CKtvPOutlookButton ----------------------------------------------------------------------------

// Serialisable: an outlook bar stores its custom panes with their buttons.
IMPLEMENT_SERIAL(CKtvPOutlookButton, CKtvPToolbarButton, VERSIONABLE_SCHEMA | 1)

CKtvPOutlookButton::CKtvPOutlookButton() : m_pWndParentBar(nullptr), m_sizeImage(0, 0), m_bIsWholeText(TRUE) {}

CKtvPOutlookButton::~CKtvPOutlookButton() = default;

BOOL CKtvPOutlookButton::CanBeDropped(CKtvPToolBar* pToolbar)
{
    return dynamic_cast<CKtvPOutlookBarPane*>(pToolbar) != nullptr;
}

BOOL CKtvPOutlookButton::IsDraggedOutlookButton(COleDataObject* pDataObject)
{
    CKtvPToolbarButton* pButton = CKtvPToolbarButton::CreateFromOleData(pDataObject);
    const BOOL bOutlook = pButton != nullptr && pButton->IsKindOf(RUNTIME_CLASS(CKtvPOutlookButton));
    delete pButton;
    return bOutlook;
}

void CKtvPOutlookButton::OnChangeParentWnd(CWnd* pWndParent)
{
    CKtvPToolbarButton::OnChangeParentWnd(pWndParent);
    m_pWndParentBar = dynamic_cast<CKtvPOutlookBarPane*>(pWndParent);
}

CSize CKtvPOutlookButton::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz)
{
    CSize sizeText(0, 0);
    if (m_bTextShown && !m_strText.IsEmpty()) {
        CRect rectText(0, 0, sizeDefault.cx - pDC->GetTextExtent("   ").cx, 0);
        pDC->DrawText(m_strText, rectText, DT_CALCRECT | DT_WORDBREAK);
        sizeText = rectText.Size();
    }
    if (!bHorz) {
        m_bIsWholeText = sizeText.cx <= sizeDefault.cx;
        return CSize(std::max<int>(m_sizeImage.cx + 4, std::min<int>(sizeDefault.cx, sizeText.cx)),
                     sizeDefault.cy + sizeText.cy + 10);
    }
    // Beside the image: the narrowest label no taller than one line.
    int nWidth = sizeText.cx;
    if (m_bTextShown && !m_strText.IsEmpty()) {
        const int nLine = std::max<int>(pDC->GetTextExtent("Wg").cy, sizeDefault.cy);
        CRect rectFull(0, 0, 32767, 0);
        pDC->DrawText(m_strText, rectFull, DT_CALCRECT | DT_WORDBREAK);
        nWidth = rectFull.Width();
        for (int w = nWidth; w > 0; w--) {
            CRect rect(0, 0, w, 0);
            pDC->DrawText(m_strText, rect, DT_CALCRECT | DT_WORDBREAK);
            if (rect.Height() > nLine)
                break;
            nWidth = w;
        }
    }
    m_bIsWholeText = TRUE;
    return CSize(sizeDefault.cx + nWidth + 10, std::max<int>(m_sizeImage.cy, sizeDefault.cy));
}

void CKtvPOutlookButton::OnDraw(CDC* pDC, const CRect& rect, CKtvPToolBarImages* pImages, BOOL bHorz,
                                BOOL bCustomizeMode, BOOL bHighlight, BOOL, BOOL bGrayDisabledButtons)
{
    CKtvPVisualManager* pLook = CKtvPVisualManager::GetInstance();
    const BOOL bPressed = !bCustomizeMode && bHighlight && (m_nStyle & TBBS_PRESSED);
    const BOOL bShaded = m_pWndParentBar != nullptr && m_pWndParentBar->IsDrawShadedHighlight();
    const BOOL bDisabled = (m_nStyle & TBBS_DISABLED) != 0;

    CRect rectBtn = rect;
    const CSize sizeExtra = pLook->GetButtonExtraBorder();
    if (sizeExtra != CSize(0, 0)) {
        rectBtn.DeflateRect(sizeExtra.cx / 2 + 1, sizeExtra.cy / 2 + 1);
        rectBtn.OffsetRect(sizeExtra.cx / 2, sizeExtra.cy / 2);
    }

    CSize sizeImage = m_sizeImage;
    if (pImages != nullptr && sizeImage == CSize(0, 0))
        sizeImage = pImages->GetImageSize();
    CRect rectText = rectBtn;
    CPoint ptImage;
    if (!bHorz) {
        ptImage = CPoint(rectBtn.left + (rectBtn.Width() - sizeImage.cx) / 2, rectBtn.top + 5);
        rectText.top = ptImage.y + sizeImage.cy + 2;
    } else {
        ptImage = CPoint(rectBtn.left + 5, rectBtn.top + (rectBtn.Height() - sizeImage.cy) / 2);
        rectText.left = ptImage.x + sizeImage.cx + 10;
        CRect rectCalc = rectText;
        pDC->DrawText(m_strText, rectCalc, DT_CALCRECT | DT_WORDBREAK);
        rectText.top += (rectText.Height() - rectCalc.Height()) / 2;
    }

    CRect rectImage(ptImage, sizeImage);
    rectImage.InflateRect(2, 2);
    if (bShaded && bHighlight && !bCustomizeMode)
        CKtvPDrawManager(*pDC).HighlightRect(rectImage, 85);
    else
        FillInterior(pDC, rectImage, bHighlight);
    if (pImages != nullptr && m_iImage >= 0)
        pImages->Draw(pDC, ptImage.x, ptImage.y, m_iImage, FALSE, bDisabled && bGrayDisabledButtons);

    if (!bCustomizeMode && (bHighlight || bPressed || (m_nStyle & TBBS_CHECKED))) {
        const BOOL bDown = bPressed || (m_nStyle & TBBS_CHECKED);
        if (bDown && bShaded)
            CKtvPDrawManager(*pDC).HighlightRect(rectImage, 85);
        pLook->OnDrawButtonBorder(pDC, this, rectImage,
                                  bDown ? ButtonsIsPressed
                                        : ButtonsIsHighlighted);
    }

    if (!m_bTextShown || m_strText.IsEmpty())
        return;
    const BOOL bBackImage = m_pWndParentBar != nullptr && m_pWndParentBar->IsBackgroundTexture();
    COLORREF clrText;
    if (bDisabled) {
        clrText = bBackImage ? globalData.clrGrayedText
                             : pLook->GetToolbarButtonTextColor(this, ButtonsIsRegular);
    } else if (m_pWndParentBar != nullptr && m_pWndParentBar->GetRegularColor() != (COLORREF)-1) {
        clrText = m_pWndParentBar->GetRegularColor();
    } else if (bBackImage) {
        clrText = globalData.clrWindowText;
    } else {
        const auto state = bHighlight ? ButtonsIsHighlighted
                           : (bPressed || (m_nStyle & TBBS_CHECKED)) ? ButtonsIsPressed
                                                                      : ButtonsIsRegular;
        clrText = pLook->GetToolbarButtonTextColor(this, state);
    }
    pDC->SetTextColor(clrText);
    pDC->DrawText(m_strText, rectText,
                  m_bIsWholeText ? (DT_CENTER | DT_WORDBREAK) : (DT_WORDBREAK | DT_END_ELLIPSIS));
}

// --- CKtvPOutlookBarPane ---------------------------------------------------------------------------

CKtvPToolBarImages* CKtvPOutlookBarPane::m_pSharedImages = nullptr;
CSize CKtvPOutlookBarPane::m_csImage(0, 0);

BEGIN_MESSAGE_MAP(CKtvPOutlookBarPane, CKtvPToolBar)
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_CREATE()
    ON_WM_NCCALCSIZE()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_TIMER()
    ON_WM_LBUTTONUP()
    ON_WM_SETFOCUS()
END_MESSAGE_MAP()

CKtvPOutlookBarPane::CKtvPOutlookBarPane()
    : m_clrRegText((COLORREF)-1),
      m_clrTransparent(RGB(255, 0, 255)),
      m_clrBackColor(globalData.clrBtnShadow),
      m_uiBackImageId(0),
      m_nScrollOffset(0),
      m_iFirstVisibleButton(0),
      m_bScrollDown(FALSE),
      m_bDrawShadedHighlight(FALSE),
      m_nExtraSpace(0),
      m_hRecentOutlookBar(nullptr),
      m_bUserChange(FALSE),
      m_bPageScroll(FALSE)
{
    m_btnUp.m_FlatStyle = CKtvPButton::BUTTONSTYLE_3D;
    m_btnUp.m_DrawFocus = FALSE;
    m_btnDown.m_FlatStyle = CKtvPButton::BUTTONSTYLE_3D;
    m_btnDown.m_DrawFocus = FALSE;
    m_bDisableControlsIfNoHandler = FALSE;
}

// The background strip and both scroll buttons go with their members; the
// shared strip outlives every pane.
CKtvPOutlookBarPane::~CKtvPOutlookBarPane() = default;

CKtvPToolBarImages& CKtvPOutlookBarPane::GetSharedImages()
{
    if (m_pSharedImages == nullptr) {
        static bool s_bCleanUpJoined = false;
        if (!s_bCleanUpJoined) {
            KtvAddCleanUpStep(CleanUpSharedImages);
            s_bCleanUpJoined = true;
        }
        m_pSharedImages = new CKtvPToolBarImages;
        m_pSharedImages->SetTransparentColor(RGB(255, 0, 255));
    }
    return *m_pSharedImages;
}

void CKtvPOutlookBarPane::CleanUpSharedImages()
{
    delete m_pSharedImages;
    m_pSharedImages = nullptr;
    m_csImage = CSize(0, 0);
}

// --- creation ---------------------------------------------------------------------------------------

BOOL CKtvPOutlookBarPane::Create(CWnd* pParentWnd, DWORD dwStyle, UINT uiID, DWORD dwKtvStyle)
{
    if (!CKtvPToolBar::Create(pParentWnd, dwStyle, uiID))
        return FALSE;
    SetControlBarStyle(dwKtvStyle);
    return TRUE;
}

int CKtvPOutlookBarPane::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKtvPToolBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    SetBarStyle(GetBarStyle() & ~(0x400000 | 0xF00));
    m_cxLeftBorder = m_cxRightBorder = m_cyTopBorder = m_cyBottomBorder = 0;
    SetWindowPos(&CWnd::wndBottom, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    const CSize sizeButton = CKtvPMenuImages::Size() + CSize(6, 6);
    struct {
        CKtvPButton* pButton;
        UINT nID;
        int nGlyph;
    } buttons[] = {{&m_btnUp, 1, CKtvPMenuImages::IdArowUp}, {&m_btnDown, 2, CKtvPMenuImages::IdArowDown}};
    for (auto& b : buttons) {
        if (!b.pButton->Create("", WS_CHILD, CRect(CPoint(0, 0), sizeButton), this, b.nID))
            return -1;
        b.pButton->SetGlyph(b.nGlyph);
    }
    return 0;
}

void CKtvPOutlookBarPane::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp)
{
    CRect rect;
    rect.SetRectEmpty();
    CalcInsideRect(rect, FALSE);
    lpncsp->rgrc[0].left -= rect.left;
    lpncsp->rgrc[0].top -= rect.top;
    lpncsp->rgrc[0].right -= rect.right;
    lpncsp->rgrc[0].bottom -= rect.bottom;
}

CSize CKtvPOutlookBarPane::CalcFixedLayout(BOOL, BOOL)
{
    CRect rect;
    GetClientRect(rect);
    return rect.Size();
}

void CKtvPOutlookBarPane::OnSysColorChange()
{
    CKtvPToolBar::OnSysColorChange();
    m_clrBackColor = globalData.clrBtnShadow;
    Invalidate();
}

void CKtvPOutlookBarPane::OnSetFocus(CWnd* pOldWnd) { CWnd::OnSetFocus(pOldWnd); }

// The background is painted with the buttons.
BOOL CKtvPOutlookBarPane::OnEraseBkgnd(CDC*) { return TRUE; }

// --- buttons ----------------------------------------------------------------------------------------

BOOL CKtvPOutlookBarPane::AddButton(HICON hIcon, LPCTSTR lpszLabel, UINT iIdCommand, int iInsertAt)
{
    ICONINFO info = {};
    if (hIcon == nullptr || !::GetIconInfo(hIcon, &info))
        return FALSE;
    BITMAP bmp = {};
    ::GetObject(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof(bmp), &bmp);
    const CSize size(bmp.bmWidth, info.hbmColor != nullptr ? bmp.bmHeight : bmp.bmHeight / 2);
    if (info.hbmColor != nullptr)
        ::DeleteObject(info.hbmColor);
    if (info.hbmMask != nullptr)
        ::DeleteObject(info.hbmMask);

    CWindowDC dcScreen(nullptr);
    CDC dc;
    dc.CreateCompatibleDC(&dcScreen);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dcScreen, size.cx, size.cy);
    CBitmap* pOld = dc.SelectObject(&bitmap);
    dc.FillSolidRect(CRect(CPoint(0, 0), size), m_clrTransparent);
    ::DrawIconEx(dc.GetSafeHdc(), 0, 0, hIcon, size.cx, size.cy, 0, nullptr, DI_NORMAL);
    dc.SelectObject(pOld);

    CKtvPToolBarImages& images = GetSharedImages();
    if (images.GetCount() == 0) {
        m_csImage = size;
        images.SetImageSize(size);
    }
    const int iImage = images.AddImage((HBITMAP)bitmap.Detach());
    if (iImage < 0)
        return FALSE;
    return AddImageButton(iImage, lpszLabel, iIdCommand, iInsertAt);
}

BOOL CKtvPOutlookBarPane::AddImageButton(int iImage, LPCTSTR lpszLabel, UINT iIdCommand, int iInsertAt)
{
    auto* pButton = new CKtvPOutlookButton;
    pButton->m_nID = iIdCommand;
    pButton->m_strText = lpszLabel != nullptr ? lpszLabel : "";
    pButton->SetImage(iImage);
    pButton->m_bTextShown = m_bTextLabels;
    if (InsertButton(pButton, iInsertAt) < 0) {
        delete pButton;
        return FALSE;
    }
    AdjustLayout();
    return TRUE;
}

BOOL CKtvPOutlookBarPane::RemoveButton(UINT iIdCommand)
{
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        const POSITION posCur = pos;
        auto* pButton = static_cast<CKtvPToolbarButton*>(m_Buttons.GetNext(pos));
        if (pButton->m_nID != iIdCommand)
            continue;
        m_Buttons.RemoveAt(posCur);
        delete pButton;
        if (GetSafeHwnd() != nullptr) {
            AdjustLocations();
            UpdateWindow();
            Invalidate();
        }
        return TRUE;
    }
    return FALSE;
}

void CKtvPOutlookBarPane::RemoveAllButtons()
{
    CKtvPToolBar::RemoveAllButtons();
    m_iFirstVisibleButton = 0;
    m_nScrollOffset = 0;
    AdjustLocations();
    if (GetSafeHwnd() != nullptr) {
        UpdateWindow();
        Invalidate();
    }
}

void CKtvPOutlookBarPane::SetBackImage(UINT uiImageID)
{
    if (m_uiBackImageId == uiImageID)
        return;
    m_BackImages.Clear();
    m_uiBackImageId = 0;
    m_bDrawShadedHighlight = FALSE;
    if (uiImageID != 0) {
        HBITMAP hbmp = (HBITMAP)::LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(uiImageID), IMAGE_BITMAP, 0, 0,
                                            LR_CREATEDIBSECTION | LR_LOADMAP3DCOLORS);
        if (hbmp != nullptr) {
            BITMAP bmp = {};
            ::GetObject(hbmp, sizeof(bmp), &bmp);
            m_BackImages.SetImageSize(CSize(bmp.bmWidth, bmp.bmHeight));
            m_BackImages.AddImage(hbmp);
            m_uiBackImageId = uiImageID;
            m_bDrawShadedHighlight = globalData.m_nBitsPerPixel > 8;
        }
    }
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

// --- layout -----------------------------------------------------------------------------------------

void CKtvPOutlookBarPane::AdjustLocations()
{
    if (GetSafeHwnd() == nullptr)
        return;
    const CSize sizeScroll = CKtvPMenuImages::Size() + CSize(6, 6);
    CRect rectClient;
    GetClientRect(rectClient);
    CClientDC dc(this);
    CFont* pOldFont = dc.SelectObject(&globalData.fontRegular);

    CSize sizeDefault(rectClient.Width() - 2, m_csImage.cy);
    if (IsButtonExtraSizeAvailable())
        sizeDefault += CKtvPVisualManager::GetInstance()->GetButtonExtraBorder();
    const BOOL bRoom = rectClient.Width() >= sizeScroll.cx + 5 && rectClient.Height() >= sizeScroll.cy + 5;

    if (m_iFirstVisibleButton > 0 && bRoom) {
        m_btnUp.SetWindowPos(nullptr, rectClient.right - sizeScroll.cx - 5, rectClient.top + 5, sizeScroll.cx,
                             sizeScroll.cy, SWP_NOZORDER | SWP_NOACTIVATE);
        m_btnUp.ShowWindow(SW_SHOWNOACTIVATE);
    } else {
        m_btnUp.ShowWindow(SW_HIDE);
    }

    int y = rectClient.top - m_nScrollOffset + m_nExtraSpace;
    const int nWidth = rectClient.Width() - 1;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        auto* pButton = static_cast<CKtvPToolbarButton*>(m_Buttons.GetNext(pos));
        pButton->m_bTextShown = m_bTextLabels;
        if (auto* pOutlook = dynamic_cast<CKtvPOutlookButton*>(pButton))
            pOutlook->m_sizeImage = m_csImage;
        CSize size = pButton->OnCalculateSize(&dc, sizeDefault, FALSE);
        size.cx = std::min<int>(size.cx, nWidth);
        const int x = rectClient.left + (nWidth - size.cx) / 2;
        const CRect rect(x, y, x + size.cx, y + size.cy);
        if (rect != pButton->m_rect) {
            pButton->m_rect = rect;
            pButton->OnMove();
        }
        y += size.cy + m_nExtraSpace;
    }

    m_bScrollDown = y > rectClient.bottom;
    if (m_bScrollDown && bRoom) {
        m_btnDown.SetWindowPos(&CWnd::wndTop, rectClient.right - sizeScroll.cx - 5,
                               rectClient.bottom - sizeScroll.cy - 5, sizeScroll.cx, sizeScroll.cy, SWP_NOACTIVATE);
        m_btnDown.ShowWindow(SW_SHOWNOACTIVATE);
    } else {
        m_btnDown.ShowWindow(SW_HIDE);
    }
    dc.SelectObject(pOldFont);
    m_btnUp.RedrawWindow();
    m_btnDown.RedrawWindow();
    m_iHighlighted = -1;
    UpdateTooltips();
}

void CKtvPOutlookBarPane::OnSize(UINT nType, int cx, int cy)
{
    CKtvPToolBar::OnSize(nType, cx, cy);
    if (m_bUserChange)
        AdjustLocations();
    else
        AdjustLayout();
    // A taller pane brings scrolled buttons back down.
    while (m_nScrollOffset > 0 && !m_Buttons.IsEmpty()) {
        const auto* pLast = static_cast<CKtvPToolbarButton*>(m_Buttons.GetTail());
        if (pLast->m_rect.bottom >= cy)
            break;
        const int nOffset = m_nScrollOffset;
        ScrollUp();
        if (m_nScrollOffset == nOffset)
            break;
    }
}

// --- scrolling --------------------------------------------------------------------------------------

int CKtvPOutlookBarPane::ButtonHeightAt(int iButton) const
{
    const CKtvPToolbarButton* pButton = GetButton(iButton);
    return pButton != nullptr ? pButton->m_rect.Height() : -1;
}

void CKtvPOutlookBarPane::ScrollUp()
{
    const int nHeight = ButtonHeightAt(m_iFirstVisibleButton);
    if (nHeight < 0) {
        // Nothing left to scroll to: the up timer stops.
        KillTimer(idScrollUp);
        return;
    }
    if (m_nScrollOffset <= 0 || m_iFirstVisibleButton <= 0) {
        m_nScrollOffset = 0;
        m_iFirstVisibleButton = 0;
        KillTimer(idScrollUp);
        return;
    }
    m_iFirstVisibleButton--;
    m_nScrollOffset -= ButtonHeightAt(m_iFirstVisibleButton) + m_nExtraSpace;
    if (m_iFirstVisibleButton == 0 || m_nScrollOffset < 0)
        m_nScrollOffset = 0;
    AdjustLocations();
    InvalidateRect(nullptr);
    UpdateWindow();
}

void CKtvPOutlookBarPane::ScrollDown()
{
    if (!m_bScrollDown || m_iFirstVisibleButton + 1 >= GetCount()) {
        KillTimer(idScrollDn);
        return;
    }
    m_nScrollOffset += ButtonHeightAt(m_iFirstVisibleButton) + m_nExtraSpace;
    m_iFirstVisibleButton++;
    AdjustLocations();
    InvalidateRect(nullptr);
    UpdateWindow();
}

int CKtvPOutlookBarPane::ButtonsPerPage() const
{
    CRect rect;
    GetClientRect(rect);
    const int nHeight = ButtonHeightAt(m_iFirstVisibleButton) + m_nExtraSpace;
    return nHeight > 0 ? std::max(1, rect.Height() / nHeight) : 1;
}

void CKtvPOutlookBarPane::ScrollPageUp()
{
    if (m_nScrollOffset <= 0 || m_iFirstVisibleButton <= 0) {
        m_nScrollOffset = 0;
        m_iFirstVisibleButton = 0;
        KillTimer(idScrollUp);
        return;
    }
    for (int i = ButtonsPerPage(); i > 0; i--)
        ScrollUp();
}

void CKtvPOutlookBarPane::ScrollPageDown()
{
    if (!m_bScrollDown) {
        KillTimer(idScrollDn);
        return;
    }
    for (int i = ButtonsPerPage(); i > 0; i--)
        ScrollDown();
}

void CKtvPOutlookBarPane::ScrollOnce(BOOL bDown)
{
    if (bDown)
        m_bPageScroll ? ScrollPageDown() : ScrollDown();
    else
        m_bPageScroll ? ScrollPageUp() : ScrollUp();
}

// The scroll buttons sit over the pane's buttons: the mouse over them goes to
// them as well, and a press starts the repeat.
BOOL CKtvPOutlookBarPane::PreTranslateMessage(MSG* pMsg)
{
    const UINT message = pMsg->message;
    if (message == WM_LBUTTONUP) {
        KillTimer(idScrollUp);
        KillTimer(idScrollDn);
    }
    if ((message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN || message == WM_LBUTTONUP) &&
        m_btnUp.GetSafeHwnd() != nullptr) {
        CPoint ptScreen;
        ::GetCursorPos(&ptScreen);
        for (CKtvPButton* pButton : {&m_btnDown, &m_btnUp}) {
            if (!pButton->IsWindowVisible())
                continue;
            CRect rect;
            pButton->GetWindowRect(rect);
            if (!rect.PtInRect(ptScreen))
                continue;
            CPoint pt = ptScreen;
            pButton->ScreenToClient(&pt);
            pButton->SendMessage(message, pMsg->wParam, MAKELPARAM(pt.x, pt.y));
            if (message == WM_LBUTTONDOWN) {
                const BOOL bDown = pButton == &m_btnDown;
                SetTimer(bDown ? idScrollDn : idScrollUp, 200, nullptr);
                ScrollOnce(bDown);
            }
            break;
        }
    }
    return CKtvPToolBar::PreTranslateMessage(pMsg);
}

void CKtvPOutlookBarPane::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == idScrollUp) {
        if (m_btnUp.IsPushed() && m_btnUp.IsHighlighted())
            ScrollOnce(FALSE);
        return;
    }
    if (nIDEvent == idScrollDn) {
        if (m_btnDown.IsPushed() && m_btnDown.IsHighlighted())
            ScrollOnce(TRUE);
        return;
    }
    CKtvPToolBar::OnTimer(nIDEvent);
}

void CKtvPOutlookBarPane::OnLButtonUp(UINT nFlags, CPoint point)
{
    const HWND hwnd = GetSafeHwnd();
    CKtvPToolBar::OnLButtonUp(nFlags, point);
    if (::IsWindow(hwnd))
        OnMouseLeave();
}

// --- painting ---------------------------------------------------------------------------------------

void CKtvPOutlookBarPane::OnFillBackground(CDC* pDC, CRect rectClient)
{
    if (m_uiBackImageId == 0 || m_BackImages.GetCount() == 0) {
        CBrush brush(m_clrBackColor);
        pDC->FillRect(rectClient, &brush);
        return;
    }
    const CSize size = m_BackImages.GetImageSize();
    if (size.cx <= 0 || size.cy <= 0)
        return;
    CKtvPDrawState ds;
    if (!m_BackImages.PrepareDrawImage(ds))
        return;
    for (int y = rectClient.top; y < rectClient.bottom; y += size.cy)
        for (int x = rectClient.left; x < rectClient.right; x += size.cx)
            m_BackImages.Draw(pDC, x, y, 0);
    m_BackImages.EndDrawImage(ds);
}

void CKtvPOutlookBarPane::DoPaint(CDC* pDCPaint)
{
    CRect rectClip;
    pDCPaint->GetClipBox(rectClip);
    CRect rectClient;
    GetClientRect(rectClient);
    CKtvPMemDC memDC(*pDCPaint, this);
    CDC* pDC = &memDC.GetDC();
    CKtvPVisualManager::GetInstance()->OnFillBarBackground(pDC, this, rectClient, rectClip, FALSE);
    if (m_Buttons.IsEmpty())
        return;

    pDC->SetTextColor(globalData.clrBtnText);
    pDC->SetBkMode(TRANSPARENT);
    CKtvPToolBarImages& images = GetSharedImages();
    CKtvPDrawState ds;
    if (!images.PrepareDrawImage(ds, m_csImage))
        return;
    CFont* pOldFont = pDC->SelectObject(&globalData.fontRegular);
    const BOOL bCustomize = m_bCustomizeMode && !m_bLocked;
    int iButton = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; iButton++) {
        auto* pButton = static_cast<CKtvPToolbarButton*>(m_Buttons.GetNext(pos));
        CRect rectInter;
        if (!rectInter.IntersectRect(pButton->m_rect, rectClip))
            continue;
        const BOOL bHot = (!bCustomize) && (iButton == m_iHighlighted || iButton == m_iButtonCapture) &&
                          (m_iButtonCapture == -1 || iButton == m_iButtonCapture);
        pButton->OnDraw(pDC, pButton->m_rect, &images, FALSE, bCustomize, bHot, TRUE, TRUE);
    }
    if (bCustomize && m_iSelected >= 0) {
        if (m_iSelected >= GetCount()) {
            m_iSelected = -1;
        } else if (CKtvPToolbarButton* pSelected = GetButton(m_iSelected); pSelected->CanBeStored()) {
            CRect rect = pSelected->m_rect;
            pDC->DrawDragRect(rect, CSize(2, 2), nullptr, CSize(2, 2));
        }
    }
    pDC->SelectObject(pOldFont);
    images.EndDrawImage(ds);
}

// --- customisation and docking ----------------------------------------------------------------------

DROPEFFECT CKtvPOutlookBarPane::OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (!CKtvPOutlookButton::IsDraggedOutlookButton(pDataObject))
        return DROPEFFECT_NONE;
    for (CKtvPButton* pScroll : {&m_btnUp, &m_btnDown}) {
        if (!pScroll->IsWindowVisible())
            continue;
        CRect rect;
        pScroll->GetWindowRect(rect);
        ScreenToClient(rect);
        if (rect.PtInRect(point)) {
            ScrollOnce(pScroll == &m_btnDown);
            return DROPEFFECT_NONE;
        }
    }
    return CKtvPToolBar::OnDragOver(pDataObject, dwKeyState, point);
}

CKtvPToolbarButton* CKtvPOutlookBarPane::CreateDroppedButton(COleDataObject* pDataObject)
{
    CKtvPToolbarButton* pButton = CKtvPToolbarButton::CreateFromOleData(pDataObject);
    if (pButton != nullptr && !pButton->IsKindOf(RUNTIME_CLASS(CKtvPOutlookButton))) {
        delete pButton;
        return nullptr;
    }
    return pButton;
}

// Only an outlook bar under the cursor takes the pane.
BOOL CKtvPOutlookBarPane::GetDockTargetAtCursor(int nSensitivity, CWnd*& pTarget)
{
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    pTarget = ControlBarFromPointInDockSite(ptCursor, nSensitivity, TRUE, nullptr);
    if (pTarget != nullptr && dynamic_cast<CKtvPOutlookBar*>(pTarget) == nullptr)
        pTarget = nullptr;
    return TRUE;
}

// Dragged by the mouse the pane stays put while the cursor is over its parent;
// once out it remembers the outlook bar it came from.
BOOL CKtvPOutlookBarPane::OnBeforeFloat(CRect&, int dockMethod)
{
    if (dockMethod != KTVP_DM_MOUSE)
        return TRUE;
    CWnd* pParent = GetParent();
    if (pParent != nullptr) {
        CRect rectParent;
        pParent->GetWindowRect(rectParent);
        CPoint ptCursor;
        ::GetCursorPos(&ptCursor);
        if (rectParent.PtInRect(ptCursor))
            return FALSE;
    }
    CWnd* pBar = pParent;
    if (pBar != nullptr && dynamic_cast<CKtvPOutlookBar*>(pBar) == nullptr)
        pBar = pBar->GetParent();
    m_hRecentOutlookBar = pBar != nullptr ? pBar->GetSafeHwnd() : nullptr;
    return TRUE;
}

BOOL CKtvPOutlookBarPane::Dock(CKtvPBaseControlBar* pDockBar, LPCRECT, int dockMethod)
{
    CWnd* pTarget = nullptr;
    if (dockMethod == KTVP_DM_MOUSE)
        pTarget = pDockBar;
    else if (dockMethod == KTVP_DM_DBL_CLICK && m_hRecentOutlookBar != nullptr)
        pTarget = CWnd::FromHandlePermanent(m_hRecentOutlookBar);
    auto* pOutlookBar = dynamic_cast<CKtvPOutlookBar*>(pTarget);
    if (pOutlookBar == nullptr)
        return FALSE;
    CString strText;
    GetWindowText(strText);
    if (CKtvPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE))
        pMiniFrame->RemoveControlBar(this);
    pOutlookBar->AddTab(this, TRUE, TRUE, TRUE);
    if (CKtvPBaseTabWnd* pTabs = pOutlookBar->GetUnderlinedWindow()) {
        const int iLast = pTabs->GetTabsNum() - 1;
        pTabs->SetTabLabel(iLast, strText);
        pTabs->SetActiveTab(iLast);
    }
    return TRUE;
}

BOOL CKtvPOutlookBarPane::CanBeRestored() const { return !m_OrigButtons.IsEmpty(); }

BOOL CKtvPOutlookBarPane::RestoreOriginalState()
{
    if (m_OrigButtons.IsEmpty())
        return FALSE;
    CKtvPToolBar::RemoveAllButtons();
    for (POSITION pos = m_OrigButtons.GetHeadPosition(); pos != nullptr;) {
        auto* pOriginal = static_cast<CKtvPToolbarButton*>(m_OrigButtons.GetNext(pos));
        auto* pButton = static_cast<CKtvPToolbarButton*>(pOriginal->GetRuntimeClass()->CreateObject());
        if (pButton == nullptr)
            continue;
        pButton->CopyFrom(*pOriginal);
        if (InsertButton(pButton) < 0)
            delete pButton;
    }
    AdjustLayout();
    if (GetSafeHwnd() != nullptr)
        Invalidate();
    return TRUE;
}

BOOL CKtvPOutlookBarPane::MergeOriginalItems(CObList& lstOrigButtons)
{
    if (lstOrigButtons.IsEmpty())
        return FALSE;
    if (lstOrigButtons.GetCount() == m_OrigButtons.GetCount()) {
        BOOL bSame = TRUE;
        POSITION posNew = lstOrigButtons.GetHeadPosition();
        for (POSITION pos = m_OrigButtons.GetHeadPosition(); pos != nullptr && bSame;) {
            auto* pOld = static_cast<CKtvPToolbarButton*>(m_OrigButtons.GetNext(pos));
            auto* pNew = static_cast<CKtvPToolbarButton*>(lstOrigButtons.GetNext(posNew));
            bSame = pOld->CompareWith(*pNew);
        }
        if (bSame)
            return FALSE;
    }
    RestoreOriginalState();
    return TRUE;
}

// The appearance commands do not apply to an outlook button.
BOOL CKtvPOutlookBarPane::EnableContextMenuItems(CKtvPToolbarButton* pButton, CMenu* pPopup)
{
    if (m_bCustomizeMode && pPopup != nullptr) {
        for (UINT nID : {16914u, 16915u, 16916u, 16913u, 16917u, 16910u, 16911u})
            pPopup->EnableMenuItem(nID, MF_BYCOMMAND | MF_GRAYED);
    }
    CKtvPToolBar::EnableContextMenuItems(pButton, pPopup);
    return TRUE;
}
