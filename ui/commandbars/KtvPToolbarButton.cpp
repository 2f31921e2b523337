#include "ui/commandbars/KtvPToolbarButton.h"

#include <algorithm>

#include "platform/mfc/CArchive.h"
#include "platform/mfc/CDC.h"
#include "platform/mfc/CFrameWnd.h"
#include "platform/mfc/COleDataObject.h"
#include "platform/mfc/COleDataSource.h"
#include "platform/mfc/CSharedFile.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/CWinThread.h"
#include "platform/mfc/CWnd.h"
#include "ui/commandbars/KtvPCommandManager.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/commandbars/KtvPToolBarImages.h"
#include "ui/commandbars/KtvPToolbarMenuButton.h"
#include "ui/commandbars/KtvPUserTool.h"
#include "ui/frames/KtvPFrameHooks.h"
#include "ui/frames/KtvPVisualManager.h"
#include "ui/frames/KtvPWorkspace.h"

IMPLEMENT_SERIAL(CKtvPToolbarButton, CObject, VERSIONABLE_SCHEMA | 1)

CString CKtvPToolbarButton::m_strClipboardFormatName;
UINT CKtvPToolbarButton::m_nClipboardFormat = 0;
CString CKtvPToolbarButton::m_strAmpersandPlaceholder("\x01\x01");
CList<UINT, UINT> CKtvPToolbarButton::m_lstProtectedCommands(10);
BOOL CKtvPToolbarButton::m_bRegisterImages = TRUE;

namespace ktvbutton {

// The label as it is measured: "&&" stands for one ampersand, other '&' go.
CString LabelWithoutMnemonic(const CString& strLabel, const CString& strPlaceholder, LPCTSTR lpszAmpersand)
{
    CString str = strLabel;
    str.Replace(_T("&&"), strPlaceholder);
    str.Remove(_T('&'));
    str.Replace(strPlaceholder, lpszAmpersand);
    return str;
}

// What the command's string resource gives as its short name: the part
// after the first line break, nothing when there is none.
CString CommandDefaultText(UINT uiCmd)
{
    CString strResource;
    if (!strResource.LoadString(uiCmd))
        return CString();
    const int iBreak = strResource.Find(_T('\n'));
    return iBreak < 0 ? CString() : strResource.Mid(iBreak + 1);
}

// The visible flag joined the stored record with library version 6.41; no
// loaded state (-1.-1) counts as the current version.
BOOL StoresVisibleFlag()
{
    const CKtvPWorkspace* pWorkspace = KtvGetWorkspace();
    if (pWorkspace == nullptr)
        return FALSE;
    const int nMajor = pWorkspace->GetDataVersionMajor();
    const int nMinor = pWorkspace->GetDataVersionMinor();
    if (nMajor == -1 && nMinor == -1)
        return TRUE;
    return (nMajor == 6 && nMinor >= 41) || nMajor >= 7;
}

CKtvPUserTool* FindUserTool(UINT uiCmd)
{
    return g_pUserToolsManager == nullptr ? nullptr : g_pUserToolsManager->FindTool(uiCmd);
}

CSize ExtraBorder(BOOL bExtraSize)
{
    return bExtraSize ? CKtvPVisualManager::GetInstance()->GetButtonExtraBorder() : CSize(0, 0);
}

}  // namespace ktvbutton

CKtvPToolbarButton::CKtvPToolbarButton() = default;

CKtvPToolbarButton::CKtvPToolbarButton(UINT uiID, int iImage, LPCTSTR lpszText, BOOL bUserImage, BOOL bLocked)
{
    m_bLocked = bLocked;
    m_bUserImage = bUserImage;
    m_nID = uiID;
    CKtvPToolbarButton::SetImage(iImage);
    m_strText = lpszText == nullptr ? _T("") : lpszText;
    if (m_nID == 0 || m_bLocked)
        return;

    const int iCurrent = GetImage();
    if (iCurrent == -1) {
        const int iFound = GetCmdMgr()->GetCmdImage(m_nID, m_bUserImage);
        if (m_bUserImage)
            m_iUserImage = iFound;
        else
            m_iImage = iFound;
    } else {
        GetCmdMgr()->SetCmdImage(m_nID, iCurrent, m_bUserImage);
    }
}

CKtvPToolbarButton::~CKtvPToolbarButton() = default;

void CKtvPToolbarButton::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    const BOOL bVisibleStored = ktvbutton::StoresVisibleFlag();

    if (ar.IsStoring()) {
        ar << m_nID << m_nStyle << GetImage() << m_strText << m_bUserImage << m_bStoredFlag << m_bTextShown
           << m_bImageShown;
        if (bVisibleStored)
            ar << m_bVisible;
        return;
    }

    int iImage = -1;
    ar >> m_nID >> m_nStyle >> iImage >> m_strText >> m_bUserImage >> m_bStoredFlag >> m_bTextShown >>
        m_bImageShown;
    if (bVisibleStored)
        ar >> m_bVisible;
    SetImage(iImage);
}

BOOL CKtvPToolbarButton::CanBeDropped(CKtvPToolBar*) { return TRUE; }

void CKtvPToolbarButton::CopyFrom(const CKtvPToolbarButton& src)
{
    m_nID = src.m_nID;
    m_bLocked = src.m_bLocked;
    m_bUserImage = src.m_bUserImage;
    m_nStyle = src.m_nStyle;
    SetImage(src.GetImage());
    m_strText = src.m_strText;
    m_bTextShown = src.m_bTextShown;
    m_bImageShown = src.m_bImageShown;
    m_bRowBreak = src.m_bRowBreak;
    m_strSecondText = src.m_strSecondText;
    m_bVisible = src.m_bVisible;
    m_bStoredFlag = FALSE;
}

void CKtvPToolbarButton::OnDraw(CDC* pDC, const CRect& rect, CKtvPToolBarImages* pImages, BOOL bHorz,
                                BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder, BOOL bGrayDisabledButtons)
{
    CKtvPVisualManager* pManager = CKtvPVisualManager::GetInstance();

    m_bHorz = bHorz;
    FillInterior(pDC, rect, bHighlight);

    const CSize sizeImage = pImages == nullptr ? CSize(0, 0) : pImages->GetImageSize();
    CKtvPUserTool* pUserTool = m_bUserImage ? nullptr : ktvbutton::FindUserTool(m_nID);

    CRect rectInternal = rect;
    const CSize sizeExtra = ktvbutton::ExtraBorder(m_bExtraSize);
    if (m_bExtraSize)
        rectInternal.DeflateRect(sizeExtra.cx / 2, sizeExtra.cy / 2);

    const BOOL bTextBelowHorz = m_bTextBelow && bHorz;
    const BOOL bTextBeside = m_bTextShown && !m_strText.IsEmpty() && !bTextBelowHorz;
    int iTextWidth = 0;
    if (bTextBeside)
        iTextWidth = pDC->GetTextExtent(ktvbutton::LabelWithoutMnemonic(m_strText, m_strAmpersandPlaceholder, _T("&"))).cx + 6;

    int iWidth = rectInternal.Width();
    int iHeight = rectInternal.Height();
    if (bTextBelowHorz)
        iHeight = sizeImage.cy + 6;
    else if (bHorz)
        iWidth -= iTextWidth;
    else
        iHeight -= iTextWidth;

    int x = (iWidth - sizeImage.cx) / 2;
    int y = (iHeight - sizeImage.cy) / 2;

    int tx = 3;
    int ty = 3;
    if (bTextBeside) {
        TEXTMETRIC tm{};
        pDC->GetTextMetrics(&tm);
        if (bHorz)
            ty = (iHeight - tm.tmHeight - 1) / 2;
        else
            tx = (iWidth - tm.tmHeight + 1) / 2;
    }

    const BOOL bCheckedOrPressed = (m_nStyle & (TBBS_CHECKED | TBBS_PRESSED)) != 0;
    const BOOL bShadow = bHighlight && !bCustomizeMode && !IsDroppedDown() && pManager->m_bShadowHotImages &&
                         (m_nStyle & (TBBS_CHECKED | TBBS_PRESSED | TBBS_DISABLED)) == 0;

    if (bCheckedOrPressed && !bCustomizeMode && !pManager->m_bShadowHotImages && pManager->IsOffsetPressedButton()) {
        x++;
        y++;
        ty++;
        tx += bHorz ? 1 : -1;
    }

    const BOOL bFadeImage = !bHighlight && pManager->m_bFadeImages;
    const int iImage = GetImage();
    const BOOL bImageDrawn = m_bImageShown && iImage >= 0;

    if (bImageDrawn && pImages != nullptr) {
        const CPoint ptImage(rectInternal.left + x, rectInternal.top + y);
        if (pUserTool != nullptr) {
            pUserTool->DrawToolIcon(pDC, CRect(ptImage, sizeImage));
        } else {
            const BOOL bDisabled = !bCustomizeMode && bGrayDisabledButtons && (m_nStyle & TBBS_DISABLED) != 0 &&
                                   (m_nStyle & TBBS_PRESSED) == 0;
            if (bShadow) {
                pImages->Draw(pDC, ptImage.x, ptImage.y, iImage, FALSE, TRUE);
                pImages->Draw(pDC, ptImage.x - 1, ptImage.y - 1, iImage, FALSE, FALSE, bFadeImage);
            } else {
                pImages->Draw(pDC, ptImage.x, ptImage.y, iImage, bDisabled, FALSE, bFadeImage);
            }
        }
    }

    if (bTextBelowHorz || (m_bTextShown && !m_strText.IsEmpty())) {
        const ButtonState state = bHighlight ? ButtonsIsHighlighted
                                  : bCheckedOrPressed ? ButtonsIsPressed
                                                      : ButtonsIsRegular;
        const COLORREF clrOldText = pDC->SetTextColor(pManager->GetToolbarButtonTextColor(this, state));
        const int nOldBkMode = pDC->SetBkMode(TRANSPARENT);

        CRect rectText = rectInternal;
        UINT uiFormat = 0;
        if (bTextBelowHorz) {
            ty += sizeImage.cy + 3;
            uiFormat = DT_CENTER | DT_WORDBREAK;
            rectText.left = (rectInternal.left + rectInternal.right - m_sizeText.cx) / 2 + tx;
            rectText.right = (rectInternal.left + rectInternal.right + m_sizeText.cx) / 2;
        } else {
            if (bImageDrawn) {
                if (bHorz)
                    tx += sizeImage.cx + 3;
                else
                    ty += sizeImage.cy + 3;
            }
            rectText.left = rectInternal.left + tx + 3;
            uiFormat = DT_SINGLELINE;
        }

        if (bHorz) {
            rectText.top += ty;
            if (bTextBelowHorz && m_bExtraSize)
                rectText.OffsetRect(0, sizeExtra.cy / 2);
            pDC->DrawText(m_strText, &rectText, uiFormat);
        } else {
            DrawVerticalLabel(pDC, rectInternal, tx, ty, uiFormat | DT_NOCLIP);
        }

        pDC->SetBkMode(nOldBkMode);
        pDC->SetTextColor(clrOldText);
    }

    if (!bCustomizeMode && HaveHotBorder() && bDrawBorder) {
        if (bCheckedOrPressed)
            pManager->OnDrawButtonBorder(pDC, this, rect, ButtonsIsPressed);
        else if (bHighlight && (m_nStyle & (TBBS_CHECKED | TBBS_DISABLED | TBBS_INDETERMINATE)) == 0)
            pManager->OnDrawButtonBorder(pDC, this, rect, ButtonsIsHighlighted);
    }
}

// A rotated font draws no mnemonic underline, so the label goes out without
// its marks and the underline is drawn by hand along the text.
void CKtvPToolbarButton::DrawVerticalLabel(CDC* pDC, const CRect& rectInternal, int tx, int ty, UINT uiFormat)
{
    CRect rectText = rectInternal;
    rectText.left = rectInternal.right - tx;
    rectText.top = rectInternal.top + ty + 3;

    CString strLabel = m_strText;
    strLabel.Replace(_T("&&"), m_strAmpersandPlaceholder);
    const int iMnemonic = strLabel.Find(_T('&'));
    strLabel.Remove(_T('&'));
    strLabel.Replace(m_strAmpersandPlaceholder, _T("&&"));

    if (iMnemonic < 0) {
        pDC->DrawText(strLabel, &rectText, uiFormat);
        return;
    }

    // Positions count the doubled ampersands before the mark as one character each.
    CString strPrefix = m_strText.Left(iMnemonic);
    strPrefix.Replace(_T("&&"), _T("&"));
    const int iPrefix = strPrefix.GetLength();
    const CString strPlain = ktvbutton::LabelWithoutMnemonic(m_strText, m_strAmpersandPlaceholder, _T("&"));

    CRect rectBefore = rectText;
    pDC->DrawText(strPlain.Left(iPrefix + 1), &rectBefore, uiFormat | DT_CALCRECT | DT_NOPREFIX);
    CRect rectUpTo = rectText;
    pDC->DrawText(strPlain.Left(iPrefix), &rectUpTo, uiFormat | DT_CALCRECT | DT_NOPREFIX);

    pDC->DrawText(strLabel, &rectText, uiFormat);
    pDC->MoveTo(rectInternal.left + 3, rectText.top + rectBefore.Width());
    pDC->LineTo(rectInternal.left + 3, rectText.top + rectUpTo.Width());
}

CSize CKtvPToolbarButton::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz)
{
    if (!m_bVisible)
        return CSize(0, 0);

    CSize size = sizeDefault;
    if (m_nStyle & TBBS_SEPARATOR) {
        if (bHorz)
            size.cx = m_iImage > 0 ? m_iImage : 8;
        else
            size.cy = 8;
        return size;
    }

    if (!m_bImageShown || GetImage() < 0) {
        const CSize sizeExtra = ktvbutton::ExtraBorder(m_bExtraSize);
        if (bHorz)
            size.cx = sizeExtra.cx;
        else
            size.cy = sizeExtra.cy;
    }

    m_sizeText = CSize(0, 0);
    if (m_strText.IsEmpty())
        return size;

    if (m_bTextBelow && bHorz) {
        CRect rectText(0, 0, sizeDefault.cx * 3, sizeDefault.cy);
        pDC->DrawText(m_strText, &rectText, DT_CALCRECT | DT_CENTER | DT_WORDBREAK);
        m_sizeText = CSize(rectText.Width() + 6, rectText.Height());
        size.cx = std::max<int>(size.cx, m_sizeText.cx) + 12;
        size.cy += m_sizeText.cy + 1;
    } else if (m_bTextShown) {
        const int iTextWidth =
            pDC->GetTextExtent(ktvbutton::LabelWithoutMnemonic(m_strText, m_strAmpersandPlaceholder, _T("&"))).cx;
        if (bHorz)
            size.cx += iTextWidth + 9;
        else
            size.cy += iTextWidth + 9;
    }
    return size;
}

BOOL CKtvPToolbarButton::OnClick(CWnd*, BOOL) { return FALSE; }
BOOL CKtvPToolbarButton::OnClickUp() { return FALSE; }

void CKtvPToolbarButton::OnChangeParentWnd(CWnd* pWndParent)
{
    auto* pToolBar = DYNAMIC_DOWNCAST(CKtvPToolBar, pWndParent);
    m_bExtraSize = pToolBar != nullptr && pToolBar->IsButtonExtraSizeAvailable();
}

BOOL CKtvPToolbarButton::ExportToMenuButton(CKtvPToolbarMenuButton& menuButton) const
{
    if (m_strText.IsEmpty() && m_nID != 0)
        menuButton.m_strText = ktvbutton::CommandDefaultText(m_nID);
    return TRUE;
}

void CKtvPToolbarButton::OnMove() {}
void CKtvPToolbarButton::OnSize(int) {}
HWND CKtvPToolbarButton::GetHwnd() { return nullptr; }
BOOL CKtvPToolbarButton::CanBeStretched() const { return FALSE; }
BOOL CKtvPToolbarButton::NotifyCommand(int) { return FALSE; }
void CKtvPToolbarButton::OnAddToCustomizePage() {}
HBRUSH CKtvPToolbarButton::OnCtlColor(CDC*, UINT) { return nullptr; }
void CKtvPToolbarButton::OnDblClick(CWnd*) {}
BOOL CKtvPToolbarButton::CanBeStored() const { return TRUE; }
BOOL CKtvPToolbarButton::HaveHotBorder() const { return TRUE; }
void CKtvPToolbarButton::OnCancelMode() {}
void CKtvPToolbarButton::OnGlobalFontsChanged() {}

BOOL CKtvPToolbarButton::IsEditable() const
{
    const UINT uiID = m_nID;
    if (uiID >= 0xE110 && uiID <= 0xE11F)   // recent files
        return FALSE;
    if (uiID >= 0xF000 && uiID <= 0xF1EF)   // system commands
        return FALSE;
    if ((int)uiID >= 0xFF00)                // window list; -1 (a sub-menu) stays editable
        return FALSE;
    if (uiID >= 0xE210 && uiID <= 0xE21F)   // OLE verbs
        return FALSE;
    if (g_pUserToolsManager != nullptr && uiID == g_pUserToolsManager->GetToolsEntryCmd())
        return FALSE;
    return m_lstProtectedCommands.Find(uiID) == nullptr;
}

BOOL CKtvPToolbarButton::OnContextHelp(CWnd*) { return FALSE; }
BOOL CKtvPToolbarButton::OnCustomizeMenu(CMenu*) { return FALSE; }

int CKtvPToolbarButton::OnDrawOnCustomizeList(CDC* pDC, const CRect& rect, BOOL bSelected)
{
    // The image is drawn through OnDraw, which must leave the label to this list.
    struct TextShownGuard {
        BOOL& flag;
        BOOL saved;
        ~TextShownGuard() { flag = saved; }
    } guard{m_bTextShown, m_bTextShown};
    m_bTextShown = FALSE;

    CKtvPToolBarImages* pImages = nullptr;
    if (m_bUserImage)
        pImages = CKtvPToolBar::m_pUserImages;
    else if (CKtvPToolBar::m_MenuImages.GetCount() == CKtvPToolBar::m_Images.GetCount())
        pImages = &CKtvPToolBar::m_MenuImages;
    else
        pImages = &CKtvPToolBar::m_Images;
    CKtvPUserTool* pUserTool = m_bUserImage ? nullptr : ktvbutton::FindUserTool(m_nID);

    const CSize sizeMenuImage = CKtvPToolBar::GetMenuImageSize();
    const int iImageColumn = sizeMenuImage.cx + 6;
    const BOOL bHasImage = GetImage() >= 0 && pImages != nullptr;

    CRect rectBackground = rect;
    if (bSelected && bHasImage)
        rectBackground.left += iImageColumn;
    const COLORREF clrText =
        CKtvPVisualManager::GetInstance()->OnFillCommandsListBackground(pDC, rectBackground, bSelected);

    if (bHasImage) {
        const CRect rectImage(rect.left, rect.top, rect.left + iImageColumn, rect.bottom);
        if (pUserTool != nullptr) {
            pUserTool->DrawToolIcon(pDC, rectImage);
        } else {
            CKtvPDrawState ds;
            pImages->PrepareDrawImage(ds, CSize(0, 0), CKtvPVisualManager::GetInstance()->m_bFadeImages);
            OnDraw(pDC, rectImage, pImages, TRUE, TRUE, bSelected, TRUE, TRUE);
            pImages->EndDrawImage(ds);
        }
    }

    if (m_strText.IsEmpty())
        return iImageColumn;

    CRect rectText = rect;
    rectText.left = rect.left + sizeMenuImage.cx + 10;
    const COLORREF clrOld = pDC->SetTextColor(clrText);
    const int nOldBkMode = pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(m_strText, &rectText, DT_SINGLELINE | DT_VCENTER);
    pDC->SetBkMode(nOldBkMode);
    pDC->SetTextColor(clrOld);

    const int iExtent = pDC->GetTextExtent(ktvbutton::LabelWithoutMnemonic(m_strText, m_strAmpersandPlaceholder, _T("&"))).cx;
    return iImageColumn + std::min<int>(rectText.Width(), iExtent);
}

BOOL CKtvPToolbarButton::IsDroppedDown() const { return FALSE; }
BOOL CKtvPToolbarButton::OnBeforeDrag() const { return TRUE; }
BOOL CKtvPToolbarButton::OnBeforeDrop(CKtvPToolBar*) { return TRUE; }

INT_PTR CKtvPToolbarButton::OnToolHitTest(const CWnd* pWnd, TOOLINFO* pTI)
{
    CWnd* pFrame = nullptr;
    if (pWnd != nullptr)
        pFrame = g_pKtvTopLevelFrameOverride != nullptr ? g_pKtvTopLevelFrameOverride : pWnd->GetTopLevelFrame();
    else
        pFrame = AfxGetMainWnd();

    CKtvPFrameHooks* pHooks = KtvGetFrameHooks(pFrame);
    return pHooks == nullptr ? 0 : pHooks->OnButtonToolHitTest(this, pTI);
}

void CKtvPToolbarButton::OnAfterAltDrop() {}
void CKtvPToolbarButton::OnShow(BOOL) {}
const CRect CKtvPToolbarButton::GetInvalidateRect() const { return m_rect; }
void CKtvPToolbarButton::SetStyle(UINT nStyle) { m_nStyle = nStyle; }

void CKtvPToolbarButton::ResetImageToDefault()
{
    if (m_bUserImage || (int)m_nID <= 0 || ktvbutton::FindUserTool(m_nID) != nullptr)
        return;

    int iImage = -1;
    if (GetCmdMgr()->m_CommandIndex.Lookup(m_nID, iImage) && iImage >= 0) {
        SetImage(iImage);
        return;
    }
    if (!m_bImageShown)
        return;
    m_bImageShown = FALSE;
    m_bTextShown = TRUE;
    if (m_strText.IsEmpty())
        m_strText = ktvbutton::CommandDefaultText(m_nID);
}

BOOL CKtvPToolbarButton::CompareWith(const CKtvPToolbarButton& other) const { return m_nID == other.m_nID; }

void CKtvPToolbarButton::EnableWindow(BOOL bEnable)
{
    if (HWND hwnd = GetHwnd())
        ::EnableWindow(hwnd, bEnable);
}

BOOL CKtvPToolbarButton::IsWindowVisible()
{
    HWND hwnd = GetHwnd();
    return hwnd != nullptr && (::GetWindowLong(hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

BOOL CKtvPToolbarButton::IsOwnerOf(HWND hwnd)
{
    HWND hwndOwn = GetHwnd();
    return hwndOwn != nullptr && (hwnd == hwndOwn || ::IsChild(hwndOwn, hwnd));
}

BOOL CKtvPToolbarButton::HasFocus() const
{
    HWND hwndOwn = const_cast<CKtvPToolbarButton*>(this)->GetHwnd();
    HWND hwndFocus = ::GetFocus();
    return hwndOwn != nullptr && (hwndFocus == hwndOwn || ::IsChild(hwndOwn, hwndFocus));
}

BOOL CKtvPToolbarButton::GetToolTipText(CString&) { return FALSE; }
BOOL CKtvPToolbarButton::AddToolTip(CKtvPToolBar*, int, CToolTipCtrl*, LPCTSTR) { return FALSE; }

void CKtvPToolbarButton::SetImage(int iImage)
{
    if (m_nStyle & TBBS_SEPARATOR) {
        m_iImage = iImage;   // a separator's width
        return;
    }

    if (m_bUserImage)
        m_iUserImage = iImage;
    else
        m_iImage = iImage;

    if (!m_bLocked && m_nID != 0) {
        if (iImage != -1) {
            // The workspace may pause registration through either switch while it loads.
            if ((m_bRegisterImages && g_bKtvRegisterCmdImages) || m_bUserImage)
                GetCmdMgr()->SetCmdImage(m_nID, iImage, m_bUserImage);
        } else {
            m_iImage = GetCmdMgr()->GetCmdImage(m_nID, FALSE);
            m_iUserImage = GetCmdMgr()->GetCmdImage(m_nID, TRUE);
            if (m_iImage == -1)
                m_bUserImage = !m_bUserImage;
        }
    }

    if (GetImage() < 0) {
        m_bImageShown = FALSE;
        m_bTextShown = TRUE;
    }
}

void CKtvPToolbarButton::SetRadio() {}
BOOL CKtvPToolbarButton::IsExtraSize() const { return m_bExtraSize; }

void CKtvPToolbarButton::FillInterior(CDC* pDC, const CRect& rect, BOOL bHighlight)
{
    if (m_bNoFill)
        return;
    ButtonState state = ButtonsIsRegular;
    if (!CKtvPToolBar::m_bCustomizeMode) {
        if (bHighlight)
            state = ButtonsIsHighlighted;
        else if (m_nStyle & (TBBS_CHECKED | TBBS_PRESSED))
            state = ButtonsIsPressed;
    }
    CKtvPVisualManager::GetInstance()->OnFillButtonInterior(pDC, this, rect, state);
}

UINT CKtvPToolbarButton::GetClipboardFormat()
{
    if (m_nClipboardFormat == 0) {
        if (m_strClipboardFormatName.IsEmpty())
            m_strClipboardFormatName.Format(_T("KtvToolbarButton%lx"), (unsigned long)(ULONG_PTR)AfxGetInstanceHandle());
        m_nClipboardFormat = ::RegisterClipboardFormat(m_strClipboardFormatName);
    }
    return m_nClipboardFormat;
}

BOOL CKtvPToolbarButton::PrepareDrag(COleDataSource& srcItem)
{
    if (!CanBeStored())
        return TRUE;

    try {
        CSharedFile file(GMEM_MOVEABLE | GMEM_DDESHARE, 4096);
        {
            CArchive ar(&file, CArchive::store, 4096);
            ar.WriteClass(GetRuntimeClass());
            Serialize(ar);
            ar.Close();
        }
        srcItem.CacheGlobalData((CLIPFORMAT)GetClipboardFormat(), file.Detach());
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

CKtvPToolbarButton* CKtvPToolbarButton::CreateFromOleData(COleDataObject* pDataObject)
{
    CFile* pFile = pDataObject->GetFileData((CLIPFORMAT)GetClipboardFormat());
    if (pFile == nullptr)
        return nullptr;

    CKtvPToolbarButton* pButton = nullptr;
    try {
        CArchive ar(pFile, CArchive::load);
        // Only a button kind is made: a record of any other class is refused before anything is built.
        CRuntimeClass* pClass = ar.ReadClass(RUNTIME_CLASS(CKtvPToolbarButton));
        pButton = pClass == nullptr ? nullptr : static_cast<CKtvPToolbarButton*>(pClass->CreateObject());
        if (pButton != nullptr)
            pButton->Serialize(ar);
        ar.Close();
    } catch (CException* e) {
        e->Delete();
        delete pButton;
        pButton = nullptr;
    }
    delete pFile;
    return pButton;
}
