#include "ui/commandbars/KtvPToolBar.h"

#include <initializer_list>
#include <vector>

#include "platform/comctl/commctrl.h"
#include "platform/mfc/CFrameWnd.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/afxmsg.h"
#include "platform/win32/resource/ResourceLoader.h"
#include "platform/win32/resource/ToolbarResource.h"
#include "resources/resource.h"
#include "ui/commandbars/CustomizeButton.h"
#include "ui/commandbars/KtvPCommandManager.h"
#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/commandbars/KtvPToolbarDropSource.h"
#include "ui/commandbars/KtvPUserTool.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/frames/KtvPFrameHooks.h"
#include "ui/frames/KtvPFrameImpl.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPNotBuilt.h"
#include "ui/frames/KtvPVisualManager.h"

namespace {
void DeleteButtons(CObList& lst)
{
    while (!lst.IsEmpty())
        delete static_cast<CKtvPToolbarButton*>(lst.RemoveHead());
}
}  // namespace

IMPLEMENT_SERIAL(CKtvPToolBar, CKtvPBaseToolBar, VERSIONABLE_SCHEMA | 1)

CKtvPToolBarImages CKtvPToolBar::m_Images;
CKtvPToolBarImages CKtvPToolBar::m_ColdImages;
CKtvPToolBarImages CKtvPToolBar::m_DisabledImages;
CKtvPToolBarImages CKtvPToolBar::m_LargeImages;
CKtvPToolBarImages CKtvPToolBar::m_LargeColdImages;
CKtvPToolBarImages CKtvPToolBar::m_LargeDisabledImages;
CKtvPToolBarImages CKtvPToolBar::m_MenuImages;
CKtvPToolBarImages CKtvPToolBar::m_DisabledMenuImages;
CKtvPToolBarImages* CKtvPToolBar::m_pUserImages = nullptr;
CSize CKtvPToolBar::m_sizeButton(23, 22);
CSize CKtvPToolBar::m_sizeImage(16, 15);
CSize CKtvPToolBar::m_sizeCurButton(23, 22);
CSize CKtvPToolBar::m_sizeCurImage(16, 15);
CSize CKtvPToolBar::m_sizeMenuImage(-1, -1);
CSize CKtvPToolBar::m_sizeMenuButton(-1, -1);
CMap<UINT, UINT, int, int> CKtvPToolBar::m_DefaultImages;
CObList CKtvPToolBar::m_AllToolbars;
CList<UINT, UINT> CKtvPToolBar::m_BasicCommands;
CList<UINT, UINT> CKtvPToolBar::m_NonPermittedCommands;
CKtvPCommandUsage CKtvPToolBar::m_UsageCount;
BOOL CKtvPToolBar::m_bCustomizeMode = FALSE;
BOOL CKtvPToolBar::m_bAltCustomizeDrag = FALSE;
BOOL CKtvPToolBar::m_bAltCustomization = FALSE;
CKtvPToolBar* CKtvPToolBar::m_pSelToolbar = nullptr;
BOOL CKtvPToolBar::m_bLargeIcons = FALSE;
BOOL CKtvPToolBar::m_bShowTooltips = TRUE;
BOOL CKtvPToolBar::m_bShowShortcutKeys = TRUE;
HHOOK CKtvPToolBar::m_hookMouseHelp = nullptr;
CKtvPToolBar* CKtvPToolBar::m_pLastHookedToolbar = nullptr;
CKtvPToolbarDropSource CKtvPToolBar::m_DropSource;
COLORREF CKtvPToolBar::m_clrTextColor = (COLORREF)-1;
CString CKtvPToolBar::m_strToolTipText;

BEGIN_MESSAGE_MAP(CKtvPToolBar, CKtvPBaseToolBar)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_NCHITTEST()
    ON_WM_ERASEBKGND()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SETTINGCHANGE()
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXT, 0, 0xFFFF, OnNeedTipText)
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSELEAVE()
    ON_WM_CANCELMODE()
    ON_WM_SETCURSOR()
    ON_WM_CTLCOLOR()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
    ON_MESSAGE(TB_GETBUTTON, OnGetButton)
    ON_MESSAGE(TB_BUTTONCOUNT, OnGetButtonCount)
    ON_MESSAGE(TB_GETITEMRECT, OnGetItemRect)
    ON_MESSAGE(TB_GETBUTTONTEXT, OnGetButtonText)
    ON_WM_CONTEXTMENU()
    ON_WM_SHOWWINDOW()
    ON_COMMAND(ID_KTVP_TOOLBAR_RESET, OnToolbarReset)
    ON_COMMAND(ID_KTVP_TOOLBAR_COPY_IMAGE, OnCopyImage)
    ON_COMMAND(ID_KTVP_TOOLBAR_DELETE, OnToolbarDelete)
    ON_COMMAND(ID_KTVP_TOOLBAR_APPEARANCE, OnToolbarAppearance)
    ON_COMMAND(ID_KTVP_TOOLBAR_IMAGE, OnToolbarImage)
    ON_COMMAND(ID_KTVP_TOOLBAR_TEXT, OnToolbarText)
    ON_COMMAND(ID_KTVP_TOOLBAR_IMAGE_AND_TEXT, OnToolbarImageAndText)
    ON_COMMAND(ID_KTVP_TOOLBAR_START_GROUP, OnToolbarStartGroup)
    ON_COMMAND(ID_KTVP_TOOLBAR_NEW_MENU, OnToolbarNewMenu)
END_MESSAGE_MAP()

CKtvPToolBar::CKtvPToolBar() : m_AccelKeys(10)
{
    m_DropTarget.m_pOwner = this;
    m_cyTopBorder = 1;
    m_cyBottomBorder = 1;
}

CKtvPToolBar::~CKtvPToolBar()
{
    // A bar deleted while its window is alive never sees its own WM_DESTROY,
    // so it leaves the list of live toolbars here.
    if (POSITION pos = m_AllToolbars.Find(this); pos != nullptr)
        m_AllToolbars.RemoveAt(pos);
    DeleteButtons(m_OrigButtons);
    DeleteButtons(m_OrigResetButtons);
    m_iButtonCapture = m_iHighlighted = m_iSelected = -1;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;)
        static_cast<CKtvPToolbarButton*>(m_Buttons.GetNext(pos))->OnCancelMode();
    DeleteButtons(m_Buttons);
    m_pCustomizeBtn = nullptr;
    m_AccelKeys.RemoveAll();
    m_penDrag.DeleteObject();
    if (m_ToolTip.GetSafeHwnd() != nullptr)
        m_ToolTip.DestroyWindow();
    if (m_pSelToolbar == this)
        m_pSelToolbar = nullptr;
}


// --- creation -----------------------------------------------------------------------------------

BOOL CKtvPToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, TBSTYLE_FLAT, dwStyle, CRect(1, 1, 1, 1), nID);
}

BOOL CKtvPToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID)
{
    if (rcBorders.left < 1)
        rcBorders.left = 1;
    if (rcBorders.top < 1)
        rcBorders.top = 1;
    SetBordersFromRect(&rcBorders);

    DWORD dwBarStyle = (dwStyle & 0xFFFF) | CBRS_GRIPPER;
    if (nID == AFX_IDW_TOOLBAR)
        dwBarStyle |= CBRS_HIDE_INPLACE;
    SetBarStyle(dwBarStyle);

    dwStyle = ((dwStyle & 0xFFFF0000) & ~(DWORD)CBRS_GRIPPER) | dwCtrlStyle | 0x4E;
    dwStyle &= ~0x2u;

    ::InitCommonControls();
    CString strClass = KtvRegisterBarWndClass("KtvToolBar", CS_DBLCLKS);
    return CKtvPControlBar::Create(strClass, dwStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

int CKtvPToolBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKtvPBaseToolBar::OnCreate(lpCreateStruct) == -1)
        return -1;

    StretchCursor();
    m_DropTarget.Register(this);

    m_penDrag.CreatePen(PS_SOLID, 1, globalData.clrBtnText);

    if (m_ToolTip.Create(this, TTS_ALWAYSTIP)) {
        m_ToolTip.Activate(TRUE);
        if (globalData.m_nTooltipMaxWidth != -1)
            m_ToolTip.SendMessage(TTM_SETMAXTIPWIDTH, 0, globalData.m_nTooltipMaxWidth);
    }

    m_AllToolbars.AddTail(this);
    return 0;
}

void CKtvPToolBar::OnDestroy()
{
    m_penDrag.DeleteObject();
    if (m_ToolTip.GetSafeHwnd() != nullptr)
        m_ToolTip.DestroyWindow();
    m_nTooltipsCount = 0;

    CKtvPBaseToolBar::OnDestroy();

    if (m_pSelToolbar == this)
        m_pSelToolbar = nullptr;

    POSITION pos = m_AllToolbars.Find(this);
    if (pos != nullptr)
        m_AllToolbars.RemoveAt(pos);
}

HCURSOR CKtvPToolBar::StretchCursor()
{
    static HCURSOR hcurStretch = nullptr;
    if (hcurStretch == nullptr)
        hcurStretch = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(IDC_KTVP_SPLIT_HORZ));
    return hcurStretch != nullptr ? hcurStretch : ::LoadCursor(nullptr, IDC_SIZEWE);
}

void CKtvPToolBar::EnableDocking(DWORD dwAlignment) { CKtvPBaseToolBar::EnableDocking(dwAlignment); }

BOOL CKtvPToolBar::IsUserDefined() const
{
    CFrameWnd* pFrame = g_pKtvTopLevelFrameOverride != nullptr ? g_pKtvTopLevelFrameOverride
                                                               : GetTopLevelFrame();
    CKtvPFrameHooks* pHooks = KtvGetFrameHooks(pFrame);
    if (pHooks == nullptr || pHooks->GetFrameImpl() == nullptr)
        return FALSE;
    return pHooks->GetFrameImpl()->IsUserDefinedToolbar(this);
}

// --- the button list ----------------------------------------------------------------------------

CKtvPToolbarButton* CKtvPToolBar::GetButton(int iIndex) const
{
    if (iIndex < 0 || iIndex >= m_Buttons.GetCount())
        return nullptr;
    return static_cast<CKtvPToolbarButton*>(m_Buttons.GetAt(m_Buttons.FindIndex(iIndex)));
}

int CKtvPToolBar::CommandToIndex(UINT nIDFind, int iIndexFirst) const
{
    int i = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; i++) {
        auto* pButton = static_cast<CKtvPToolbarButton*>(m_Buttons.GetNext(pos));
        if (i >= iIndexFirst && pButton->m_nID == nIDFind)
            return i;
    }
    return -1;
}

int CKtvPToolBar::ButtonToIndex(const CKtvPToolbarButton* pButton) const
{
    int i = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; i++) {
        if (m_Buttons.GetNext(pos) == pButton)
            return i;
    }
    return -1;
}

UINT CKtvPToolBar::GetItemID(int nIndex) const
{
    CKtvPToolbarButton* pButton = GetButton(nIndex);
    return pButton == nullptr ? 0 : pButton->m_nID;
}

UINT CKtvPToolBar::GetButtonStyle(int nIndex) const
{
    CKtvPToolbarButton* pButton = GetButton(nIndex);
    return pButton == nullptr ? 0 : pButton->m_nStyle;
}

void CKtvPToolBar::SetButtonStyle(int nIndex, UINT nStyle)
{
    CKtvPToolbarButton* pButton = GetButton(nIndex);
    if (pButton == nullptr)
        return;
    const UINT nOldStyle = pButton->m_nStyle;
    if (nOldStyle == nStyle)
        return;
    if (nStyle & TBBS_DISABLED)
        nStyle &= ~TBBS_PRESSED;
    pButton->SetStyle(nStyle);
    if (!((nOldStyle & TBBS_PRESSED) && (nStyle & TBBS_PRESSED)))
        InvalidateButton(nIndex);
}

CString CKtvPToolBar::GetButtonText(int nIndex) const
{
    CKtvPToolbarButton* pButton = GetButton(nIndex);
    return pButton == nullptr ? CString() : pButton->m_strText;
}

BOOL CKtvPToolBar::SetButtonText(int nIndex, LPCTSTR lpszText)
{
    CKtvPToolbarButton* pButton = GetButton(nIndex);
    if (pButton == nullptr)
        return FALSE;
    pButton->m_strText = lpszText == nullptr ? _T("") : lpszText;
    return TRUE;
}

void CKtvPToolBar::SetButtonTextAndImage(int nIndex, LPCTSTR lpszText, BOOL bText, BOOL bImage)
{
    CKtvPToolbarButton* pButton = GetButton(nIndex);
    if (pButton == nullptr)
        return;
    if (bText) {
        if (lpszText == nullptr)
            SetDefaultButtonText(pButton);
        else
            pButton->m_strText = lpszText;
    }
    pButton->m_bTextShown = bText;
    pButton->m_bImageShown = bImage;
}

BOOL CKtvPToolBar::SetDefaultButtonText(CKtvPToolbarButton* pButton)
{
    if (pButton == nullptr || pButton->m_nID == 0 || pButton->m_nID == (UINT)-1)
        return FALSE;
    CString strText = CommandTipText(pButton->m_nID);
    if (strText.IsEmpty())
        return FALSE;
    pButton->m_strText = strText;
    return TRUE;
}

CString CKtvPToolBar::CommandTipText(UINT uiCmd)
{
    TCHAR szBuffer[256] = {};
    if (::LoadString(AfxGetResourceHandle(), uiCmd, szBuffer, 256) == 0)
        return CString();
    LPCTSTR pszTip = strchr(szBuffer, '\n');
    if (pszTip == nullptr)
        return CString();
    return CString(pszTip + 1);
}

int CKtvPToolBar::InsertButton(CKtvPToolbarButton* pButton, int iInsertAt)
{
    if (pButton == nullptr)
        return -1;
    if (pButton->m_nID != 0 && m_NonPermittedCommands.Find(pButton->m_nID) != nullptr)
        return -1;

    const int nCount = (int)m_Buttons.GetCount();
    if (iInsertAt != -1) {
        if (iInsertAt < 0 || iInsertAt > nCount)
            return -1;
        if (iInsertAt == nCount)
            iInsertAt = -1;
    }

    if (iInsertAt == -1) {
        if (m_pCustomizeBtn != nullptr) {
            m_Buttons.InsertBefore(m_Buttons.GetTailPosition(), pButton);
            iInsertAt = nCount - 1;
        } else {
            m_Buttons.AddTail(pButton);
            iInsertAt = nCount;
        }
    } else {
        m_Buttons.InsertBefore(m_Buttons.FindIndex(iInsertAt), pButton);
    }

    pButton->OnChangeParentWnd(this);
    return iInsertAt;
}

int CKtvPToolBar::InsertButtonCopy(const CKtvPToolbarButton& button, int iInsertAt)
{
    auto* pButton = static_cast<CKtvPToolbarButton*>(button.GetRuntimeClass()->CreateObject());
    if (pButton == nullptr)
        return -1;
    pButton->CopyFrom(button);
    const int iIndex = InsertButton(pButton, iInsertAt);
    if (iIndex < 0)
        delete pButton;
    return iIndex;
}

int CKtvPToolBar::InsertSeparator(int iInsertAt)
{
    if (m_Buttons.IsEmpty() || iInsertAt == 0)
        return -1;
    auto* pButton = new CKtvPToolbarButton;
    pButton->m_nStyle = TBBS_SEPARATOR;
    const int iIndex = InsertButton(pButton, iInsertAt);
    if (iIndex < 0)
        delete pButton;
    return iIndex;
}

namespace {
// An index that followed a removed element.
void ShiftAfterRemoval(int& iIndex, int iRemoved)
{
    if (iIndex == iRemoved)
        iIndex = -1;
    else if (iIndex > iRemoved)
        iIndex--;
}
}  // namespace

BOOL CKtvPToolBar::RemoveButton(int iIndex)
{
    POSITION pos = iIndex < 0 ? nullptr : m_Buttons.FindIndex(iIndex);
    if (pos == nullptr)
        return FALSE;
    auto* pButton = static_cast<CKtvPToolbarButton*>(m_Buttons.GetAt(pos));
    if (pButton == m_pCustomizeBtn)
        return FALSE;

    m_Buttons.RemoveAt(pos);
    pButton->OnCancelMode();
    delete pButton;

    ShiftAfterRemoval(m_iSelected, iIndex);
    ShiftAfterRemoval(m_iButtonCapture, iIndex);
    ShiftAfterRemoval(m_iHighlighted, iIndex);
    DropDownMenuButton(m_iHighlighted);

    // No separator may end the bar.
    for (;;) {
        const int nLast = (int)m_Buttons.GetCount() - (m_pCustomizeBtn != nullptr ? 2 : 1);
        if (nLast <= 0)
            break;
        POSITION posLast = m_Buttons.FindIndex(nLast);
        auto* pLast = static_cast<CKtvPToolbarButton*>(m_Buttons.GetAt(posLast));
        if (!IsSeparatorButton(pLast))
            break;
        m_Buttons.RemoveAt(posLast);
        ShiftAfterRemoval(m_iSelected, nLast);
        ShiftAfterRemoval(m_iButtonCapture, nLast);
        ShiftAfterRemoval(m_iHighlighted, nLast);
        delete pLast;
    }

    // Nor may two separators meet where the button was.
    if (iIndex > 0 && iIndex < m_Buttons.GetCount() && IsSeparatorButton(GetButton(iIndex - 1)) &&
        IsSeparatorButton(GetButton(iIndex))) {
        RemoveButton(iIndex);
    }

    RebuildAccelerationKeys();
    return TRUE;
}

void CKtvPToolBar::RemoveAllButtons()
{
    m_iButtonCapture = m_iHighlighted = m_iSelected = -1;
    while (!m_Buttons.IsEmpty()) {
        auto* pButton = static_cast<CKtvPToolbarButton*>(m_Buttons.RemoveHead());
        pButton->OnCancelMode();
        delete pButton;
    }
    m_pCustomizeBtn = nullptr;
}

int CKtvPToolBar::ReplaceButton(UINT uiCmd, const CKtvPToolbarButton& button, BOOL bAll)
{
    int nReplaced = 0;
    int i = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; i++) {
        POSITION posCur = pos;
        auto* pOld = static_cast<CKtvPToolbarButton*>(m_Buttons.GetNext(pos));
        if (pOld->m_nID != uiCmd || pOld == m_pCustomizeBtn)
            continue;
        m_Buttons.RemoveAt(posCur);
        pOld->OnCancelMode();
        delete pOld;
        if (InsertButtonCopy(button, i) < 0)
            return 0;
        nReplaced++;
        if (!bAll)
            break;
        pos = m_Buttons.FindIndex(i + 1);
    }
    return nReplaced;
}

BOOL CKtvPToolBar::SetButtons(const UINT* lpIDArray, int nIDCount, BOOL bRemapImages)
{
    CCustomizeButton* pCustomizeCopy = nullptr;
    if (m_pCustomizeBtn != nullptr) {
        pCustomizeCopy = new CCustomizeButton;
        pCustomizeCopy->CopyFrom(*m_pCustomizeBtn);
    }

    RemoveAllButtons();
    DeleteButtons(m_OrigButtons);

    if (lpIDArray == nullptr) {
        for (int i = 0; i < nIDCount; i++) {
            auto* pSeparator = new CKtvPToolbarButton;
            pSeparator->m_nStyle = TBBS_SEPARATOR;
            m_Buttons.AddTail(pSeparator);
            pSeparator->OnChangeParentWnd(this);
        }
        // The bar keeps its customize button whatever its buttons become.
        if (pCustomizeCopy != nullptr) {
            m_Buttons.AddTail(pCustomizeCopy);
            pCustomizeCopy->OnChangeParentWnd(this);
            m_pCustomizeBtn = pCustomizeCopy;
        }
        return TRUE;
    }

    int iImage = m_iImagesOffset;
    for (int i = 0; i < nIDCount; i++) {
        const UINT uiCmd = lpIDArray[i];
        auto* pOrig = new CKtvPToolbarButton;
        pOrig->m_nID = uiCmd;
        if (uiCmd == 0)
            pOrig->m_nStyle = TBBS_SEPARATOR;
        m_OrigButtons.AddTail(pOrig);

        if (uiCmd == 0) {
            // The first element may be a separator here: the resource says so.
            auto* pSeparator = new CKtvPToolbarButton;
            pSeparator->m_nStyle = TBBS_SEPARATOR;
            m_Buttons.AddTail(pSeparator);
            pSeparator->OnChangeParentWnd(this);
            continue;
        }

        int iButtonImage = -1;
        if (bRemapImages) {
            iButtonImage = iImage++;
        } else if (!m_DefaultImages.Lookup(uiCmd, iButtonImage)) {
            continue;
        }
        auto* pButton = new CKtvPToolbarButton(uiCmd, iButtonImage, nullptr, FALSE, m_bLocked);
        if (InsertButton(pButton) < 0) {
            delete pButton;
            continue;
        }
        if (bRemapImages && !m_bLocked)
            m_DefaultImages.SetAt(uiCmd, iButtonImage);
    }

    if (pCustomizeCopy != nullptr) {
        m_Buttons.AddTail(pCustomizeCopy);
        pCustomizeCopy->OnChangeParentWnd(this);
        m_pCustomizeBtn = pCustomizeCopy;
    }

    if (GetSafeHwnd() != nullptr) {
        OnReset();
        CWnd* pTarget = GetDockSiteFrameWnd();
        if (pTarget == nullptr)
            pTarget = GetParent();
        if (pTarget != nullptr)
            pTarget->SendMessage(KTVM_RESETTOOLBAR, (WPARAM)m_uiOriginalResID, 0);

        DeleteButtons(m_OrigResetButtons);
        for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
            auto* pButton = static_cast<CKtvPToolbarButton*>(m_Buttons.GetNext(pos));
            if (!pButton->IsKindOf(RUNTIME_CLASS(CKtvPToolbarButton)))
                continue;
            auto* pCopy = static_cast<CKtvPToolbarButton*>(pButton->GetRuntimeClass()->CreateObject());
            if (pCopy == nullptr)
                continue;
            pCopy->CopyFrom(*pButton);
            m_OrigResetButtons.AddTail(pCopy);
        }
    }
    return TRUE;
}

int CKtvPToolBar::GetCommandButtons(UINT uiCmd, CObList& listButtons)
{
    listButtons.RemoveAll();
    if (uiCmd == 0)
        return 0;
    for (POSITION pos = m_AllToolbars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKtvPToolBar*>(m_AllToolbars.GetNext(pos));
        if (CWnd::FromHandlePermanent(pBar->GetSafeHwnd()) == nullptr)
            continue;
        for (POSITION posBtn = pBar->m_Buttons.GetHeadPosition(); posBtn != nullptr;) {
            auto* pButton = static_cast<CKtvPToolbarButton*>(pBar->m_Buttons.GetNext(posBtn));
            if (pButton->m_nID == uiCmd)
                listButtons.AddTail(pButton);
        }
    }
    return (int)listButtons.GetCount();
}

// --- images and sizes ---------------------------------------------------------------------------

namespace {
// One set of sizes and its strips: the normal strips take the image size,
// the large ones twice that; the sizes in force double under large icons.
void ApplySizes(SIZE sizeButton, SIZE sizeImage, CSize& button, CSize& curButton, CSize& image, CSize& curImage,
                std::initializer_list<CKtvPToolBarImages*> normal, std::initializer_list<CKtvPToolBarImages*> large)
{
    const CSize sizeLarge(sizeImage.cx * 2, sizeImage.cy * 2);
    button = curButton = sizeButton;
    image = curImage = sizeImage;
    for (CKtvPToolBarImages* pStrip : normal)
        pStrip->SetImageSize(sizeImage);
    for (CKtvPToolBarImages* pStrip : large)
        pStrip->SetImageSize(sizeLarge);
    if (CKtvPToolBar::m_bLargeIcons) {
        curButton = CSize(sizeButton.cx * 2, sizeButton.cy * 2);
        curImage = sizeLarge;
    }
}
}  // namespace

void CKtvPToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage)
{
    ApplySizes(sizeButton, sizeImage, m_sizeButton, m_sizeCurButton, m_sizeImage, m_sizeCurImage,
               {&m_Images, &m_ColdImages, &m_DisabledImages},
               {&m_LargeImages, &m_LargeColdImages, &m_LargeDisabledImages});
    if (m_pUserImages != nullptr)
        m_pUserImages->SetImageSize(sizeImage);
}

void CKtvPToolBar::SetLockedSizes(SIZE sizeButton, SIZE sizeImage)
{
    ApplySizes(sizeButton, sizeImage, m_sizeButtonLocked, m_sizeCurButtonLocked, m_sizeImageLocked,
               m_sizeCurImageLocked, {&m_ImagesLocked, &m_ColdImagesLocked, &m_DisabledImagesLocked},
               {&m_LargeImagesLocked, &m_LargeColdImagesLocked, &m_LargeDisabledImagesLocked});
}

BOOL CKtvPToolBar::SetUserImages(CKtvPToolBarImages* pUserImages)
{
    if (pUserImages == nullptr || pUserImages->GetImageWell() == nullptr)
        return FALSE;
    if (pUserImages->GetImageSize() != m_sizeImage)
        return FALSE;
    m_pUserImages = pUserImages;
    return TRUE;
}

BOOL CKtvPToolBar::LoadBitmap(UINT uiResID, UINT uiColdResID, UINT uiMenuResID, BOOL bLocked,
                              UINT uiDisabledResID, UINT uiMenuDisabledResID)
{
    CKtvPToolBarParams params;
    params.m_uiColdResID = uiColdResID;
    params.m_uiHotResID = uiResID;
    params.m_uiMenuResID = uiMenuResID;
    params.m_uiDisabledResID = uiDisabledResID;
    params.m_uiMenuDisabledResID = uiMenuDisabledResID;
    return LoadBitmapEx(params, bLocked);
}

BOOL CKtvPToolBar::LoadToolBar(UINT uiResID, UINT uiColdResID, UINT uiMenuResID, BOOL bLocked,
                               UINT uiDisabledResID, UINT uiMenuDisabledResID, UINT uiBmpResID)
{
    CKtvPToolBarParams params;
    params.m_uiColdResID = uiColdResID;
    params.m_uiHotResID = uiBmpResID;
    params.m_uiMenuResID = uiMenuResID;
    params.m_uiDisabledResID = uiDisabledResID;
    params.m_uiMenuDisabledResID = uiMenuDisabledResID;
    return LoadToolBarEx(uiResID, params, bLocked);
}

namespace {
// Appends one bitmap resource to a strip; an id of 0 asks for nothing.
BOOL LoadStrip(CKtvPToolBarImages& strip, UINT uiResID)
{
    return uiResID == 0 || strip.Load(uiResID, AfxGetResourceHandle(), TRUE);
}
}  // namespace

BOOL CKtvPToolBar::LoadBitmapEx(CKtvPToolBarParams& params, BOOL bLocked)
{
    m_bLocked = bLocked;
    if (m_bLocked) {
        return params.m_uiHotResID != 0 && LoadStrip(m_ImagesLocked, params.m_uiHotResID) &&
               LoadStrip(m_ColdImagesLocked, params.m_uiColdResID) &&
               LoadStrip(m_DisabledImagesLocked, params.m_uiDisabledResID) &&
               LoadStrip(m_LargeImagesLocked, params.m_uiLargeHotResID) &&
               LoadStrip(m_LargeColdImagesLocked, params.m_uiLargeColdResID) &&
               LoadStrip(m_LargeDisabledImagesLocked, params.m_uiLargeDisabledResID) &&
               LoadStrip(m_MenuImagesLocked, params.m_uiMenuResID) &&
               LoadStrip(m_DisabledMenuImagesLocked, params.m_uiMenuDisabledResID);
    }

    if (params.m_uiHotResID == 0 || !LoadStrip(m_Images, params.m_uiHotResID))
        return FALSE;
    m_iImagesOffset = m_Images.GetResourceOffset(params.m_uiHotResID);
    if (m_iImagesOffset < 0)
        return FALSE;
    return LoadStrip(m_ColdImages, params.m_uiColdResID) && LoadStrip(m_MenuImages, params.m_uiMenuResID) &&
           LoadStrip(m_DisabledImages, params.m_uiDisabledResID) &&
           LoadStrip(m_DisabledMenuImages, params.m_uiMenuDisabledResID) &&
           LoadStrip(m_LargeImages, params.m_uiLargeHotResID) &&
           LoadStrip(m_LargeColdImages, params.m_uiLargeColdResID) &&
           LoadStrip(m_LargeDisabledImages, params.m_uiLargeDisabledResID);
}

BOOL CKtvPToolBar::LoadToolBarEx(UINT uiToolbarResID, CKtvPToolBarParams& params, BOOL bLocked)
{
    const BYTE* pData = nullptr;
    DWORD dwSize = 0;
    if (!tw::FindResourceBytes(AfxGetResourceHandle(), MAKEINTRESOURCE(uiToolbarResID), RT_TOOLBAR, &pData,
                               &dwSize))
        return FALSE;
    auto toolbar = tw::res::ParseToolbarResource(pData, dwSize);
    if (!toolbar)
        return FALSE;

    const CSize sizeImage(toolbar->imageWidth, toolbar->imageHeight);
    const CSize sizeButton(sizeImage.cx + 6, sizeImage.cy + 6);
    if (bLocked)
        SetLockedSizes(sizeButton, sizeImage);
    else
        SetSizes(sizeButton, sizeImage);

    if (params.m_uiHotResID == 0)
        params.m_uiHotResID = uiToolbarResID;

    // A bar whose images cannot be loaded has no buttons to show them with.
    if (m_uiOriginalResID == 0 && !LoadBitmapEx(params, bLocked))
        return FALSE;

    std::vector<UINT> ids(toolbar->items.begin(), toolbar->items.end());
    if (!m_bLocked) {
        int iImage = m_iImagesOffset;
        for (UINT uiCmd : ids) {
            if (uiCmd != 0)
                m_DefaultImages.SetAt(uiCmd, iImage++);
        }
    }

    m_uiOriginalResID = uiToolbarResID;
    const BOOL bResult = SetButtons(ids.data(), (int)ids.size(), TRUE);
    if (!bResult)
        m_uiOriginalResID = 0;
    return bResult;
}

BOOL CKtvPToolBar::AddToolBarForImageCollection(UINT uiResID, UINT uiBmpResID, UINT uiColdResID, UINT uiMenuResID,
                                                UINT uiDisabledResID, UINT uiMenuDisabledResID)
{
    CKtvPToolBar bar;
    return bar.LoadToolBar(uiResID, uiColdResID, uiMenuResID, FALSE, uiDisabledResID, uiMenuDisabledResID,
                           uiBmpResID);
}

void CKtvPToolBar::ResetAllImages()
{
    if (m_bLocked)
        return;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;)
        static_cast<CKtvPToolbarButton*>(m_Buttons.GetNext(pos))->ResetImageToDefault();
    if (IsFloating())
        AdjustLayout();
}

void CKtvPToolBar::CleanUpImages()
{
    m_Images.Clear();
    m_ColdImages.Clear();
    m_DisabledImages.Clear();
    m_LargeImages.Clear();
    m_LargeColdImages.Clear();
    m_LargeDisabledImages.Clear();
    m_MenuImages.Clear();
    m_DisabledMenuImages.Clear();
    m_DefaultImages.RemoveAll();
    m_UsageCount.Reset();
    CKtvPToolBarImages::CleanUpShared();
}

CSize CKtvPToolBar::GetMenuImageSize() { return m_sizeMenuImage.cx == -1 ? m_sizeImage : m_sizeMenuImage; }

CSize CKtvPToolBar::GetMenuButtonSize() { return m_sizeMenuButton.cx == -1 ? m_sizeButton : m_sizeMenuButton; }

void CKtvPToolBar::SetLook2000(BOOL bLook2000) { CKtvPVisualManager::GetInstance()->SetLook2000(bLook2000); }

COLORREF CKtvPToolBar::GetToolbarTextColor()
{
    return m_clrTextColor == (COLORREF)-1 ? globalData.clrBtnText : m_clrTextColor;
}

// --- commands of personalised menus -------------------------------------------------------------

void CKtvPToolBar::SetBasicCommands(CList<UINT, UINT>& lstCommands)
{
    m_BasicCommands.RemoveAll();
    m_BasicCommands.AddTail(&lstCommands);
}

void CKtvPToolBar::AddBasicCommand(UINT uiCmd)
{
    if (m_BasicCommands.Find(uiCmd) == nullptr)
        m_BasicCommands.AddTail(uiCmd);
}

BOOL CKtvPToolBar::IsCommandRarelyUsed(UINT uiCmd)
{
    if (m_bCustomizeMode || uiCmd == 0 || uiCmd == (UINT)-1)
        return FALSE;
    if ((uiCmd >= 0xE110 && uiCmd <= 0xE11F) || (uiCmd >= 0xF000 && uiCmd <= 0xF1EF) ||
        (uiCmd >= 0xE210 && uiCmd <= 0xE21F) || uiCmd > 0xFEFF)
        return FALSE;
    if (g_pUserToolsManager != nullptr && g_pUserToolsManager->GetToolsEntryCmd() == uiCmd)
        return FALSE;
    if (m_BasicCommands.IsEmpty() || m_BasicCommands.Find(uiCmd) != nullptr)
        return FALSE;
    return !m_UsageCount.IsFrequentlyUsedCmd(uiCmd);
}

void CKtvPToolBar::AddCommandUsage(UINT uiCommand) { m_UsageCount.AddCmd(uiCommand); }

BOOL CKtvPToolBar::IsUserToolCmd(UINT uiCmd)
{
    return g_pUserToolsManager != nullptr && uiCmd >= g_pUserToolsManager->GetFirstCmdId() &&
           uiCmd <= g_pUserToolsManager->GetLastCmdId();
}

BOOL CKtvPToolBar::IsSeparatorButton(const CKtvPToolbarButton* pButton)
{
    return pButton != nullptr && (pButton->m_nStyle & TBBS_SEPARATOR) != 0;
}

// --- the plain answers of the virtuals that other bars change -----------------------------------

int CKtvPToolBar::GetCount() const { return (int)m_Buttons.GetCount(); }

BOOL CKtvPToolBar::CanBeClosed() const { return TRUE; }

BOOL CKtvPToolBar::IsButtonExtraSizeAvailable() const { return TRUE; }

BOOL CKtvPToolBar::IsOriginalItemsChanged() const { return m_bOriginalItemsChanged; }

BOOL CKtvPToolBar::AllowShowTextLabels() const { return TRUE; }

BOOL CKtvPToolBar::OnBeforeRemoveButton(CKtvPToolbarButton*, DROPEFFECT) { return TRUE; }

BOOL CKtvPToolBar::CanBeRestored() const { return m_uiOriginalResID != 0; }

void CKtvPToolBar::OnReset() {}

void CKtvPToolBar::OnAfterFillBackground(CDC*) {}

BOOL CKtvPToolBar::OnSendCommand(const CKtvPToolbarButton*) { return FALSE; }

BOOL CKtvPToolBar::HighlightDisabledItems() const { return FALSE; }

BOOL CKtvPToolBar::AllowShowOnList() const { return TRUE; }

BOOL CKtvPToolBar::OnKey(UINT) { return FALSE; }

BOOL CKtvPToolBar::IsPureMenuButton(CKtvPToolbarButton*) const { return m_bMenuMode; }

BOOL CKtvPToolBar::AllowAltCustomization() const { return TRUE; }
