#include "ui/controls/KtvPButton.h"

#include <algorithm>

#include "platform/mfc/CDC.h"
#include "ui/commandbars/KtvPMenuImages.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPToolBarImages.h"
#include "ui/frames/KtvPDrawManager.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPVisualManager.h"

IMPLEMENT_DYNCREATE(CKtvPButton, CButton)

BOOL CKtvPButton::s_ThemedLook = FALSE;

BEGIN_MESSAGE_MAP(CKtvPButton, CButton)
    ON_WM_ERASEBKGND()
    ON_WM_CANCELMODE()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_SETCURSOR()
    ON_WM_ENABLE()
    ON_WM_SIZE()
    ON_WM_KILLFOCUS()
    ON_WM_TIMER()
    ON_MESSAGE(WM_SETFONT, OnSetFont)
    ON_MESSAGE(WM_GETFONT, OnGetFont)
    ON_MESSAGE(BM_GETCHECK, OnGetCheck)
    ON_MESSAGE(BM_SETCHECK, OnSetCheck)
    ON_MESSAGE(BM_SETIMAGE, OnSetImage)
    ON_MESSAGE(BM_GETIMAGE, OnGetImage)
END_MESSAGE_MAP()

namespace {

BITMAP BitmapInfo(HBITMAP hbmp)
{
    BITMAP bmp{};
    if (hbmp == nullptr || ::GetObject(hbmp, sizeof(bmp), &bmp) == 0)
        bmp = BITMAP{};
    return bmp;
}

// A copy of the bitmap filled with the face colour, ready to be drawn on.
HBITMAP FaceFilledCopy(const BITMAP& bmp)
{
    CClientDC dcScreen(nullptr);
    CBitmap bmpCopy;
    if (!bmpCopy.CreateCompatibleBitmap(&dcScreen, bmp.bmWidth, bmp.bmHeight))
        return nullptr;
    CDC dcMem;
    dcMem.CreateCompatibleDC(&dcScreen);
    CBitmap* pOld = dcMem.SelectObject(&bmpCopy);
    dcMem.FillRect(CRect(0, 0, bmp.bmWidth, bmp.bmHeight), &globalData.brBtnFace);
    dcMem.SelectObject(pOld);
    return static_cast<HBITMAP>(bmpCopy.Detach());
}

}  // namespace

UINT KtvImageListColorFlag(int nBitsPerPixel)
{
    switch (nBitsPerPixel) {
    case 8:
        return ILC_COLOR8;
    case 16:
        return ILC_COLOR16;
    case 24:
        return ILC_COLOR24;
    case 32:
        return ILC_COLOR32;
    default:
        return ILC_COLOR4;
    }
}

CKtvPButton::CKtvPButton()
    : m_FlatStyle(BUTTONSTYLE_3D),
      m_TextAlign(ALIGN_CENTER),
      m_ImageOnRight(FALSE),
      m_ParentBackground(FALSE),
      m_DrawFocus(TRUE),
      m_HighlightChecked(TRUE),
      m_GrayDisabled(TRUE),
      m_ClickOnButtonDown(FALSE),
      m_Pushed(FALSE),
      m_ClickedInside(FALSE),
      m_Highlighted(FALSE),
      m_Captured(FALSE),
      m_Hover(FALSE),
      m_Checked(FALSE),
      m_IsCheckBox(FALSE),
      m_IsRadio(FALSE),
      m_AutoCheck(FALSE),
      m_ImageSize(0, 0),
      m_FullTextTooltip(FALSE),
      m_TooltipPending(FALSE),
      m_Glyph(-1),
      m_GlyphDisabled(-1),
      m_GlyphState(0),
      m_HoverCursor(nullptr),
      m_PushOffset(2, 2),
      m_TextColor((COLORREF)-1),
      m_HotTextColor((COLORREF)-1),
      m_FaceColor((COLORREF)-1),
      m_Font(nullptr),
      m_AutoRepeatDelay(0)
{
}

CKtvPButton::~CKtvPButton()
{
    CleanUp();
    if (m_Tooltip.GetSafeHwnd() != nullptr)
        m_Tooltip.DestroyWindow();
}

void CKtvPButton::CleanUp()
{
    m_Glyph = -1;
    m_GlyphDisabled = -1;
    m_ImageSize = CSize(0, 0);
    for (CImageList* pList : {&m_Image, &m_ImageHot, &m_ImageDisabled, &m_ImageChecked, &m_ImageCheckedHot,
                              &m_ImageCheckedDisabled})
        pList->DeleteImageList();
}

// --- style ------------------------------------------------------------------------------------------

void CKtvPButton::RecordStyle(DWORD dwStyle)
{
    switch (dwStyle & BS_TYPEMASK) {
    case BS_CHECKBOX:
        m_IsCheckBox = TRUE;
        break;
    case BS_AUTOCHECKBOX:
        m_IsCheckBox = m_AutoCheck = TRUE;
        break;
    case BS_RADIOBUTTON:
        m_IsRadio = TRUE;
        break;
    case BS_AUTORADIOBUTTON:
        m_IsRadio = m_AutoCheck = TRUE;
        break;
    default:
        break;
    }
    if (!m_IsCheckBox && !m_IsRadio)
        return;
    switch (dwStyle & BS_CENTER) {
    case BS_LEFT:
        m_TextAlign = ALIGN_LEFT;
        break;
    case BS_RIGHT:
        m_TextAlign = ALIGN_RIGHT;
        break;
    case BS_CENTER:
        m_TextAlign = ALIGN_CENTER;
        break;
    default:
        break;
    }
}

BOOL CKtvPButton::PreCreateWindow(CREATESTRUCT& cs)
{
    RecordStyle(cs.style);
    cs.style = (cs.style & ~BS_TYPEMASK) | BS_OWNERDRAW;
    return CButton::PreCreateWindow(cs);
}

void CKtvPButton::PreSubclassWindow()
{
    RecordStyle(GetStyle());
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
    CButton::PreSubclassWindow();
}

// --- painting ---------------------------------------------------------------------------------------

void CKtvPButton::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CRect rect = lpDIS->rcItem;
    OnFillBackground(pDC, rect);
    OnDrawBorder(pDC, rect, lpDIS->itemState);
    OnDraw(pDC, rect, lpDIS->itemState);
    if ((lpDIS->itemState & ODS_FOCUS) && m_DrawFocus)
        OnDrawFocusRect(pDC, rect);
}

void CKtvPButton::OnFillBackground(CDC* pDC, const CRect& rectClient)
{
    if (m_ParentBackground) {
        globalData.DrawParentBackground(this, pDC);
    } else if (m_FaceColor == (COLORREF)-1) {
        pDC->FillRect(rectClient, &globalData.brBtnFace);
    } else {
        pDC->FillSolidRect(rectClient, m_FaceColor);
    }
    if (m_Checked && m_HighlightChecked && !(m_Pushed && m_Highlighted)) {
        CKtvPDrawManager dm(*pDC);
        dm.HighlightRect(rectClient);
    }
}

void CKtvPButton::OnDrawBorder(CDC* pDC, CRect& rectClient, UINT uiState)
{
    if (m_FlatStyle == BUTTONSTYLE_NOBORDERS) {
        rectClient.DeflateRect(2, 2);
        return;
    }
    const BOOL bThemed =
        s_ThemedLook && CKtvPVisualManager::GetInstance()->DrawPushButtonWinXP(pDC, rectClient, this, uiState);
    const BOOL bPressed = (m_Pushed && m_Highlighted) || (uiState & ODS_SELECTED) || m_Checked;
    if (bPressed) {
        if (bThemed) {
            rectClient.DeflateRect(2, 2);
        } else {
            pDC->Draw3dRect(rectClient, globalData.clrBtnDkShadow, globalData.clrBtnHilite);
            rectClient.DeflateRect(1, 1);
            if (m_FlatStyle != BUTTONSTYLE_FLAT) {
                pDC->Draw3dRect(rectClient, globalData.clrBtnShadow, globalData.clrBtnLight);
                rectClient.DeflateRect(1, 1);
            }
        }
        rectClient.left += m_PushOffset.cx;
        rectClient.top += m_PushOffset.cy;
        return;
    }
    if (bThemed || (m_FlatStyle == BUTTONSTYLE_FLAT && !m_Highlighted)) {
        rectClient.DeflateRect(2, 2);
        return;
    }
    pDC->Draw3dRect(rectClient, globalData.clrBtnHilite, globalData.clrBtnDkShadow);
    rectClient.DeflateRect(1, 1);
    if (m_FlatStyle == BUTTONSTYLE_3D || (m_FlatStyle == BUTTONSTYLE_SEMIFLAT && m_Highlighted))
        pDC->Draw3dRect(rectClient, globalData.clrBtnLight, globalData.clrBtnShadow);
    rectClient.DeflateRect(1, 1);
}

void CKtvPButton::OnDrawFocusRect(CDC* pDC, const CRect& rectClient)
{
    CRect rect = rectClient;
    rect.DeflateRect(2, 2);
    const COLORREF clrFace = m_FaceColor == (COLORREF)-1 ? globalData.clrBtnFace : m_FaceColor;
    pDC->Draw3dRect(rect, clrFace, clrFace);
    pDC->DrawFocusRect(rect);
}

void CKtvPButton::OnDraw(CDC* pDC, const CRect& rect, UINT uiState)
{
    CString strText;
    GetWindowText(strText);
    CRect rectText = rect;
    CRect rectImage = rect;
    const int M = GetImageHorzMargin();

    if (m_ImageSize.cx != 0) {
        if (!strText.IsEmpty()) {
            if (m_ImageOnRight) {
                rectText.right -= m_ImageSize.cx + M / 2;
                rectImage.left = rectText.right;
                rectImage.right -= M / 2;
            } else {
                rectText.left += m_ImageSize.cx + M / 2;
                rectImage.left += M / 2;
                rectImage.right = rectText.left;
            }
        }
        rectImage.DeflateRect(std::max(0, (rectImage.Width() - (int)m_ImageSize.cx) / 2),
                              std::max(0, (rectImage.Height() - (int)m_ImageSize.cy) / 2));
    } else {
        rectImage.SetRectEmpty();
    }

    CFont* pOldFont = SelectFont(pDC);
    pDC->SetBkMode(TRANSPARENT);
    COLORREF clrText = m_TextColor == (COLORREF)-1 ? globalData.clrBtnText : m_TextColor;
    if (m_Highlighted && m_HotTextColor != (COLORREF)-1)
        clrText = m_HotTextColor;

    UINT uiFormat = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
    switch (m_TextAlign) {
    case ALIGN_LEFT:
        uiFormat |= DT_LEFT;
        rectText.left += M / 2;
        break;
    case ALIGN_RIGHT:
        uiFormat |= DT_RIGHT;
        rectText.right -= M / 2;
        break;
    default:
        uiFormat |= DT_CENTER;
        break;
    }

    const BOOL bGrayed = (uiState & ODS_DISABLED) && m_GrayDisabled;
    if (bGrayed) {
        pDC->SetTextColor(globalData.clrBtnHilite);
        CRect rectShadow = rectText;
        rectShadow.OffsetRect(1, 1);
        OnDrawText(pDC, rectShadow, strText, uiFormat, uiState);
        clrText = globalData.clrGrayedText;
    }
    if (m_TooltipPending) {
        const CSize sizeText = pDC->GetTextExtent(strText);
        SetTooltip(sizeText.cx > rectText.Width() ? (LPCTSTR)strText : nullptr);
        m_TooltipPending = FALSE;
    }
    pDC->SetTextColor(clrText);
    OnDrawText(pDC, rectText, strText, uiFormat, uiState);

    if (!rectImage.IsRectEmpty())
        DrawImage(pDC, rectImage.TopLeft(), bGrayed);
    pDC->SelectObject(pOldFont);
}

void CKtvPButton::DrawImage(CDC* pDC, CPoint pt, BOOL bGrayed)
{
    if (m_Glyph >= 0) {
        const int glyph = (bGrayed && m_GlyphDisabled != 0) ? m_GlyphDisabled : m_Glyph;
        CKtvPMenuImages::Draw(pDC, glyph, pt, m_GlyphState);
        return;
    }
    auto choose = [&](CImageList& normal, CImageList& hot, CImageList& disabled) -> CImageList& {
        if (bGrayed && disabled.GetSafeHandle() != nullptr)
            return disabled;
        if (m_Highlighted && hot.GetSafeHandle() != nullptr)
            return hot;
        return normal;
    };
    CImageList& checked = choose(m_ImageChecked, m_ImageCheckedHot, m_ImageCheckedDisabled);
    CImageList& normal = choose(m_Image, m_ImageHot, m_ImageDisabled);
    CImageList* pImages = nullptr;
    if (m_Checked && checked.GetSafeHandle() != nullptr && checked.GetImageCount() > 0)
        pImages = &checked;
    else if (normal.GetSafeHandle() != nullptr && normal.GetImageCount() > 0)
        pImages = &normal;
    if (pImages != nullptr)
        pImages->Draw(pDC, 0, pt, ILD_NORMAL);
}

void CKtvPButton::OnDrawText(CDC* pDC, const CRect& rect, const CString& strText, UINT uiDTFlags, UINT)
{
    CRect rectText = rect;
    pDC->DrawText(strText, rectText, uiDTFlags);
}

CFont* CKtvPButton::SelectFont(CDC* pDC)
{
    if (m_Font != nullptr)
        return pDC->SelectObject(CFont::FromHandle(m_Font));
    return pDC->SelectObject(CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))));
}

CSize CKtvPButton::SizeToContent(BOOL bCalcOnly)
{
    CString strText;
    GetWindowText(strText);
    CClientDC dc(this);
    CFont* pOldFont = SelectFont(&dc);
    const CSize sizeText = strText.IsEmpty() ? CSize(0, dc.GetTextExtent("A").cy) : dc.GetTextExtent(strText);
    dc.SelectObject(pOldFont);

    const int textWidth = strText.IsEmpty() ? 0 : sizeText.cx;
    CSize size(GetImageHorzMargin() + m_ImageSize.cx + textWidth + (textWidth > 0 ? GetImageHorzMargin() : 0),
               std::max<int>(strText.IsEmpty() ? 0 : sizeText.cy, m_ImageSize.cy) + 2 * GetVertMargin());
    if (!bCalcOnly)
        SetWindowPos(nullptr, -1, -1, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return size;
}

// --- images -----------------------------------------------------------------------------------------

BOOL CKtvPButton::AddBitmapToList(CImageList& list, HBITMAP hbmp, COLORREF clrTransparent)
{
    const BITMAP bmp = BitmapInfo(hbmp);
    if (bmp.bmWidth == 0)
        return FALSE;
    HBITMAP hCopy = static_cast<HBITMAP>(::CopyImage(hbmp, IMAGE_BITMAP, 0, 0, 0));
    if (hCopy == nullptr)
        return FALSE;
    list.Create(bmp.bmWidth, bmp.bmHeight, ILC_MASK | KtvImageListColorFlag(bmp.bmBitsPixel), 0, 0);
    CBitmap bmpCopy;
    bmpCopy.Attach(hCopy);
    list.Add(&bmpCopy, clrTransparent);
    return TRUE;
}

void CKtvPButton::DeleteImageSet(BOOL bChecked)
{
    CImageList* lists[3] = {bChecked ? &m_ImageChecked : &m_Image, bChecked ? &m_ImageCheckedHot : &m_ImageHot,
                            bChecked ? &m_ImageCheckedDisabled : &m_ImageDisabled};
    for (CImageList* pList : lists)
        pList->DeleteImageList();
    m_ImageSize = CSize(0, 0);
}

void CKtvPButton::SetImage(HICON hIcon, BOOL bAutoDestroy, HICON hIconHot, HICON hIconDisabled)
{
    SetIconSet(FALSE, hIcon, bAutoDestroy, hIconHot, hIconDisabled);
}

void CKtvPButton::SetIconSet(BOOL bChecked, HICON hIcon, BOOL bAutoDestroy, HICON hIconHot, HICON hIconDisabled)
{
    DeleteImageSet(bChecked);
    if (hIcon == nullptr)
        return;
    CImageList* lists[3] = {bChecked ? &m_ImageChecked : &m_Image, bChecked ? &m_ImageCheckedHot : &m_ImageHot,
                            bChecked ? &m_ImageCheckedDisabled : &m_ImageDisabled};
    const HICON icons[3] = {hIcon, hIconHot, hIconDisabled};
    for (int i = 0; i < 3 && icons[i] != nullptr; i++) {
        ICONINFO info{};
        if (!::GetIconInfo(icons[i], &info))
            break;
        const BITMAP bmp = BitmapInfo(info.hbmColor);
        if (i == 0)
            m_ImageSize = CSize(bmp.bmWidth, bmp.bmHeight);
        lists[i]->Create(bmp.bmWidth, bmp.bmHeight, ILC_MASK | KtvImageListColorFlag(bmp.bmBitsPixel), 0, 0);
        lists[i]->Add(icons[i]);
        if (i == 0 && hIconDisabled == nullptr) {
            // The disabled look is made from the icon drawn on the face colour.
            HBITMAP hPicture = FaceFilledCopy(bmp);
            if (hPicture != nullptr) {
                CDC dcMem;
                dcMem.CreateCompatibleDC(nullptr);
                HGDIOBJ hOld = ::SelectObject(dcMem.GetSafeHdc(), hPicture);
                ::DrawIconEx(dcMem.GetSafeHdc(), 0, 0, icons[i], bmp.bmWidth, bmp.bmHeight, 0, nullptr, DI_NORMAL);
                ::SelectObject(dcMem.GetSafeHdc(), hOld);
                CreateDisabledImage(hPicture, bChecked);
                ::DeleteObject(hPicture);
            }
        }
        ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
    }
    if (bAutoDestroy) {
        ::DestroyIcon(hIcon);
        if (hIconHot != nullptr)
            ::DestroyIcon(hIconHot);
    }
}

void CKtvPButton::SetImage(HBITMAP hBitmap, BOOL bAutoDestroy, HBITMAP hBitmapHot, BOOL bMap3dColors,
                           HBITMAP hBitmapDisabled)
{
    SetBitmapSet(FALSE, hBitmap, bAutoDestroy, hBitmapHot, bMap3dColors, hBitmapDisabled);
}

void CKtvPButton::SetBitmapSet(BOOL bChecked, HBITMAP hBitmap, BOOL bAutoDestroy, HBITMAP hBitmapHot,
                               BOOL bMap3dColors, HBITMAP hBitmapDisabled)
{
    DeleteImageSet(bChecked);
    if (hBitmap == nullptr)
        return;
    CImageList* lists[3] = {bChecked ? &m_ImageChecked : &m_Image, bChecked ? &m_ImageCheckedHot : &m_ImageHot,
                            bChecked ? &m_ImageCheckedDisabled : &m_ImageDisabled};
    const HBITMAP bitmaps[3] = {hBitmap, hBitmapHot, hBitmapDisabled};
    const COLORREF clrTransparent = bMap3dColors ? RGB(192, 192, 192) : globalData.clrBtnFace;
    const BITMAP bmp = BitmapInfo(hBitmap);
    m_ImageSize = CSize(bmp.bmWidth, bmp.bmHeight);
    for (int i = 0; i < 3 && bitmaps[i] != nullptr; i++)
        AddBitmapToList(*lists[i], bitmaps[i], clrTransparent);
    if (hBitmapDisabled == nullptr)
        CreateDisabledImage(hBitmap, bChecked);
    if (bAutoDestroy) {
        if (hBitmapHot != nullptr)
            ::DeleteObject(hBitmapHot);
        ::DeleteObject(hBitmap);
    }
}

void CKtvPButton::SetImage(UINT uiBmpResId, UINT uiBmpHotResId, UINT uiBmpDsblResID)
{
    SetResourceSet(FALSE, uiBmpResId, uiBmpHotResId, uiBmpDsblResID);
}

void CKtvPButton::SetCheckedImage(UINT uiBmpResId, UINT uiBmpHotResId, UINT uiBmpDsblResID)
{
    SetResourceSet(TRUE, uiBmpResId, uiBmpHotResId, uiBmpDsblResID);
}

void CKtvPButton::SetResourceSet(BOOL bChecked, UINT uiBmpResId, UINT uiBmpHotResId, UINT uiBmpDsblResID)
{
    DeleteImageSet(bChecked);
    if (uiBmpResId == 0)
        return;
    // Loaded the way toolbar strips are, with the 3-D colours mapped; the strip keeps its own bitmap.
    auto load = [](UINT uiID) -> HBITMAP {
        if (uiID == 0)
            return nullptr;
        CKtvPToolBarImages images;
        if (!images.Load(uiID))
            return nullptr;
        return static_cast<HBITMAP>(::CopyImage(images.GetImageWell(), IMAGE_BITMAP, 0, 0, 0));
    };
    HBITMAP hNormal = load(uiBmpResId);
    if (hNormal == nullptr)
        return;
    HBITMAP hHot = load(uiBmpHotResId);
    HBITMAP hDisabled = load(uiBmpDsblResID);
    SetBitmapSet(bChecked, hNormal, TRUE, hHot, FALSE, hDisabled);
    if (hDisabled != nullptr)
        ::DeleteObject(hDisabled);
}

BOOL CKtvPButton::CreateDisabledImage(HBITMAP hBitmapOrig, BOOL bChecked)
{
    CImageList& target = bChecked ? m_ImageCheckedDisabled : m_ImageDisabled;
    target.DeleteImageList();
    const BITMAP bmp = BitmapInfo(hBitmapOrig);
    if (bmp.bmWidth == 0)
        return FALSE;
    HBITMAP hCopy = FaceFilledCopy(bmp);
    if (hCopy == nullptr)
        return FALSE;

    CKtvPToolBarImages images;
    images.SetImageSize(CSize(bmp.bmWidth, bmp.bmHeight));
    HBITMAP hOrigCopy = static_cast<HBITMAP>(::CopyImage(hBitmapOrig, IMAGE_BITMAP, 0, 0, 0));
    if (hOrigCopy == nullptr || images.AddImage(hOrigCopy) < 0) {
        if (hOrigCopy != nullptr)
            ::DeleteObject(hOrigCopy);
        ::DeleteObject(hCopy);
        return FALSE;
    }
    ::DeleteObject(hOrigCopy);

    CDC dcMem;
    dcMem.CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(dcMem.GetSafeHdc(), hCopy);
    CKtvPDrawState ds;
    if (images.PrepareDrawImage(ds)) {
        images.Draw(&dcMem, 0, 0, 0, TRUE);
        images.EndDrawImage(ds);
    }
    ::SelectObject(dcMem.GetSafeHdc(), hOld);

    target.Create(bmp.bmWidth, bmp.bmHeight, ILC_MASK | KtvImageListColorFlag(bmp.bmBitsPixel), 0, 0);
    CBitmap bmpCopy;
    bmpCopy.Attach(hCopy);
    target.Add(&bmpCopy, globalData.clrBtnFace);
    return TRUE;
}

void CKtvPButton::SetGlyph(int nGlyph, int nGlyphState, int nGlyphDisabled)
{
    CleanUp();
    CKtvPMenuImages::Initialize();
    m_ImageSize = CKtvPMenuImages::Size();
    m_Glyph = nGlyph;
    m_GlyphState = nGlyphState;
    m_GlyphDisabled = nGlyphDisabled;
}

// --- tooltip and cursor -----------------------------------------------------------------------------

void CKtvPButton::SetTooltip(LPCTSTR lpszToolTipText)
{
    if (lpszToolTipText == nullptr) {
        if (m_Tooltip.GetSafeHwnd() != nullptr)
            m_Tooltip.Activate(FALSE);
        return;
    }
    if (m_Tooltip.GetSafeHwnd() != nullptr) {
        m_Tooltip.UpdateTipText(lpszToolTipText, this, kTooltipTool);
    } else {
        if (!m_Tooltip.Create(this, TTS_ALWAYSTIP))
            return;
        if (globalData.m_nTooltipMaxWidth != -1)
            m_Tooltip.SetMaxTipWidth(globalData.m_nTooltipMaxWidth);
        CRect rectClient;
        GetClientRect(rectClient);
        m_Tooltip.AddTool(this, lpszToolTipText, rectClient, kTooltipTool);
    }
    m_Tooltip.Activate(TRUE);
}

CString CKtvPButton::GetTooltipText() const
{
    CString str;
    if (m_Tooltip.GetSafeHwnd() != nullptr)
        m_Tooltip.GetText(str, const_cast<CKtvPButton*>(this), kTooltipTool);
    return str;
}

void CKtvPButton::SetHandCursor() { m_HoverCursor = globalData.GetHandCursor(); }

BOOL CKtvPButton::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_HoverCursor != nullptr) {
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        CRect rectClient;
        GetClientRect(rectClient);
        if (rectClient.PtInRect(pt)) {
            ::SetCursor(m_HoverCursor);
            return TRUE;
        }
    }
    return CButton::OnSetCursor(pWnd, nHitTest, message);
}

// --- mouse ------------------------------------------------------------------------------------------

void CKtvPButton::ClearMouseState()
{
    m_Pushed = FALSE;
    m_ClickedInside = FALSE;
    m_Highlighted = FALSE;
    m_Hover = FALSE;
}

void CKtvPButton::ReleaseOwnCapture()
{
    if (GetCapture() == this)
        ReleaseCapture();
    m_Captured = FALSE;
}

void CKtvPButton::SendCommandToParent(CWnd* pButton)
{
    CWnd* pParent = pButton->GetParent();
    if (pParent != nullptr)
        pParent->SendMessage(WM_COMMAND, (WPARAM)pButton->GetDlgCtrlID(), (LPARAM)pButton->GetSafeHwnd());
}

void CKtvPButton::OnMouseMove(UINT nFlags, CPoint point)
{
    m_Hover = FALSE;
    if (!(nFlags & MK_LBUTTON) && m_FlatStyle == BUTTONSTYLE_3D && !s_ThemedLook) {
        CButton::OnMouseMove(nFlags, point);
        return;
    }
    const BOOL bWasPushed = m_Pushed;
    const BOOL bWasHighlighted = m_Highlighted;
    CRect rectClient;
    GetClientRect(rectClient);
    if (rectClient.PtInRect(point)) {
        m_Hover = TRUE;
        m_Highlighted = TRUE;
        if ((nFlags & MK_LBUTTON) && !m_Pushed && m_ClickedInside)
            m_Pushed = TRUE;
        if (!m_Captured) {
            SetCapture();
            m_Captured = TRUE;
            RedrawWindow();
        } else if (bWasPushed != m_Pushed || bWasHighlighted != m_Highlighted) {
            RedrawWindow();
        }
    } else {
        if (nFlags & MK_LBUTTON)
            m_Pushed = FALSE;
        else
            m_Highlighted = FALSE;
        if (m_Captured && nFlags == 0) {
            ReleaseOwnCapture();
            RedrawWindow();
        } else if (bWasPushed != m_Pushed || bWasHighlighted != m_Highlighted) {
            RedrawWindow();
        }
    }
    CButton::OnMouseMove(nFlags, point);
}

void CKtvPButton::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_ClickOnButtonDown) {
        SendCommandToParent(this);
    } else {
        m_Pushed = m_ClickedInside = m_Highlighted = TRUE;
        SetCapture();
        m_Captured = TRUE;
        RedrawWindow();
        if (m_AutoRepeatDelay > 0)
            SetTimer(kAutoRepeatTimer, (UINT)m_AutoRepeatDelay, nullptr);
    }
    CButton::OnLButtonDown(nFlags, point);
}

void CKtvPButton::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    m_Pushed = m_ClickedInside = m_Highlighted = TRUE;
    RedrawWindow();
    CButton::OnLButtonDblClk(nFlags, point);
}

void CKtvPButton::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kAutoRepeatTimer && m_Pushed && m_Highlighted)
        SendCommandToParent(this);
    CButton::OnTimer(nIDEvent);
}

void CKtvPButton::OnLButtonUp(UINT nFlags, CPoint point)
{
    const BOOL bClicked = m_Pushed && m_ClickedInside && m_Highlighted;
    m_Pushed = m_ClickedInside = m_Highlighted = FALSE;
    if (bClicked && m_AutoCheck) {
        if (m_IsCheckBox) {
            m_Checked = !m_Checked;
        } else if (m_IsRadio && !m_Checked) {
            m_Checked = TRUE;
            UncheckRadioButtonsInGroup();
        }
    }
    RedrawWindow();
    CButton::OnLButtonUp(nFlags, point);
    ReleaseOwnCapture();
    if (m_AutoRepeatDelay > 0)
        KillTimer(kAutoRepeatTimer);
}

void CKtvPButton::OnCancelMode()
{
    CButton::OnCancelMode();
    if (m_Captured) {
        ReleaseOwnCapture();
        ClearMouseState();
        RedrawWindow();
    }
    if (m_AutoRepeatDelay >= 0)
        KillTimer(kAutoRepeatTimer);
}

void CKtvPButton::OnKillFocus(CWnd* pNewWnd)
{
    CButton::OnKillFocus(pNewWnd);
    ReleaseOwnCapture();
    ClearMouseState();
    RedrawWindow();
}

void CKtvPButton::OnEnable(BOOL bEnable)
{
    if (!bEnable) {
        m_Pushed = m_ClickedInside = m_Highlighted = FALSE;
        ReleaseOwnCapture();
    }
    RedrawWindow();
    CButton::OnEnable(bEnable);
}

void CKtvPButton::OnSize(UINT nType, int cx, int cy)
{
    m_TooltipPending = m_FullTextTooltip;
    if (m_Tooltip.GetSafeHwnd() != nullptr)
        m_Tooltip.SetToolRect(this, kTooltipTool, CRect(0, 0, cx, cy));
    CButton::OnSize(nType, cx, cy);
}

// --- check state and radio groups -------------------------------------------------------------------

LRESULT CKtvPButton::OnGetCheck(WPARAM, LPARAM)
{
    return (m_IsCheckBox || m_IsRadio) && m_Checked ? BST_CHECKED : BST_UNCHECKED;
}

LRESULT CKtvPButton::OnSetCheck(WPARAM fCheck, LPARAM)
{
    if (!m_IsCheckBox && !m_IsRadio)
        return 0;
    const BOOL bChecked = fCheck != 0;
    if (bChecked == m_Checked)
        return 0;
    m_Checked = bChecked;
    if (m_IsRadio && m_Checked)
        UncheckRadioButtonsInGroup();
    RedrawWindow();
    return 0;
}

// Radio buttons of this one's group, walked from the one after it and back round.
template <typename Visit>
static CKtvPButton* WalkRadioGroup(CKtvPButton* pStart, BOOL bPrevious, Visit visit)
{
    CWnd* pParent = pStart->GetParent();
    if (pParent == nullptr)
        return nullptr;
    for (CWnd* pWnd = pParent->GetNextDlgGroupItem(pStart, bPrevious); pWnd != nullptr && pWnd != pStart;
         pWnd = pParent->GetNextDlgGroupItem(pWnd, bPrevious)) {
        CKtvPButton* pButton = dynamic_cast<CKtvPButton*>(CWnd::FromHandlePermanent(pWnd->GetSafeHwnd()));
        if (pButton != nullptr && pButton->IsRadio() && visit(pButton))
            return pButton;
    }
    return nullptr;
}

void CKtvPButton::UncheckRadioButtonsInGroup()
{
    WalkRadioGroup(this, FALSE, [](CKtvPButton* pButton) {
        if (pButton->m_Checked) {
            pButton->m_Checked = FALSE;
            pButton->RedrawWindow();
        }
        return FALSE;
    });
}

BOOL CKtvPButton::MoveRadioCheck(BOOL bPrevious)
{
    CKtvPButton* pNext = WalkRadioGroup(this, bPrevious, [](CKtvPButton* pButton) {
        return pButton->IsWindowVisible() && pButton->IsWindowEnabled();
    });
    if (pNext == nullptr || pNext->m_Checked)
        return FALSE;
    pNext->SendMessage(BM_SETCHECK, 1);
    pNext->SetFocus();
    SendCommandToParent(pNext);
    return TRUE;
}

// --- keys -------------------------------------------------------------------------------------------

BOOL CKtvPButton::PreTranslateMessage(MSG* pMsg)
{
    if (m_Tooltip.GetSafeHwnd() != nullptr &&
        (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_LBUTTONDOWN || pMsg->message == WM_LBUTTONUP)) {
        m_Tooltip.RelayEvent(pMsg);
        if (pMsg->message == WM_LBUTTONUP) {
            // The open tip goes and comes back with the same text.
            const CString strTip = GetTooltipText();
            m_Tooltip.Pop();
            m_Tooltip.UpdateTipText(strTip, this, kTooltipTool);
        }
    }
    if (pMsg->message == WM_KEYDOWN && pMsg->hwnd == GetSafeHwnd() && HandleKeyDown((UINT)pMsg->wParam))
        return TRUE;
    return CButton::PreTranslateMessage(pMsg);
}

BOOL CKtvPButton::HandleKeyDown(UINT nChar)
{
    if (nChar == VK_RETURN && CKtvPPopupMenu::m_pActivePopupMenu == nullptr) {
        SendCommandToParent(this);
        return TRUE;
    }
    if (!m_AutoCheck || GetParent() == nullptr)
        return FALSE;
    switch (nChar) {
    case VK_SPACE:
        if (!m_IsCheckBox)
            return FALSE;
        m_Checked = !m_Checked;
        RedrawWindow();
        SendCommandToParent(this);
        return TRUE;
    case VK_LEFT:
    case VK_UP:
        return m_IsRadio && MoveRadioCheck(TRUE);
    case VK_RIGHT:
    case VK_DOWN:
        return m_IsRadio && MoveRadioCheck(FALSE);
    default:
        return FALSE;
    }
}

// --- fonts and images by message ----------------------------------------------------------------------

BOOL CKtvPButton::OnEraseBkgnd(CDC*) { return TRUE; }

LRESULT CKtvPButton::OnSetFont(WPARAM wParam, LPARAM lParam)
{
    m_Font = (HFONT)wParam;
    if (LOWORD(lParam))
        RedrawWindow();
    return 0;
}

LRESULT CKtvPButton::OnGetFont(WPARAM, LPARAM) { return (LRESULT)m_Font; }

LRESULT CKtvPButton::OnSetImage(WPARAM wParam, LPARAM lParam)
{
    if (wParam == IMAGE_BITMAP)
        SetImage((HBITMAP)lParam, FALSE, nullptr, TRUE, nullptr);
    else if (wParam == IMAGE_ICON)
        SetImage((HICON)lParam, FALSE, nullptr, nullptr);
    return 0;
}

LRESULT CKtvPButton::OnGetImage(WPARAM wParam, LPARAM)
{
    if (m_Image.GetSafeHandle() == nullptr)
        return 0;
    if (wParam == IMAGE_ICON)
        return (LRESULT)m_Image.ExtractIcon(0);
    if (wParam == IMAGE_BITMAP) {
        IMAGEINFO info{};
        return m_Image.GetImageInfo(0, &info) ? (LRESULT)info.hbmImage : 0;
    }
    return 0;
}
