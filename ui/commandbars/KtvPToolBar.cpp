#include "ui/commandbars/KtvPToolBar.h"

#include "platform/comctl/commctrl.h"
#include "platform/mfc/afxmsg.h"
#include "resources/resource.h"
#include "ui/commandbars/CustomizeButton.h"
#include "ui/commandbars/KtvPCommandManager.h"
#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/commandbars/KtvPToolbarDropSource.h"
#include "ui/frames/KtvPNotBuilt.h"

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
}

INT_PTR CKtvPToolBar::OnToolHitTest(CPoint, TOOLINFO*) const { KTVP_NOT_BUILT("CKtvPToolBar::OnToolHitTest"); }

BOOL CKtvPToolBar::PreTranslateMessage(MSG*) { KTVP_NOT_BUILT("CKtvPToolBar::PreTranslateMessage"); }

void CKtvPToolBar::EnableDocking(DWORD) { KTVP_NOT_BUILT("CKtvPToolBar::EnableDocking"); }

BOOL CKtvPToolBar::CanBeClosed() const { return TRUE; }

CSize CKtvPToolBar::CalcLayoutForLength(int, BOOL) { KTVP_NOT_BUILT("CKtvPToolBar::CalcLayoutForLength"); }

void CKtvPToolBar::AdjustLayout() { KTVP_NOT_BUILT("CKtvPToolBar::AdjustLayout"); }

CSize CKtvPToolBar::CalcFixedLayout(BOOL, BOOL) { KTVP_NOT_BUILT("CKtvPToolBar::CalcFixedLayout"); }

CSize CKtvPToolBar::CalcMaxButtonSize(BOOL) { KTVP_NOT_BUILT("CKtvPToolBar::CalcMaxButtonSize"); }

void CKtvPToolBar::OnAfterFloat() { KTVP_NOT_BUILT("CKtvPToolBar::OnAfterFloat"); }

void CKtvPToolBar::OnUpdateCmdUI(CFrameWnd*, BOOL) { KTVP_NOT_BUILT("CKtvPToolBar::OnUpdateCmdUI"); }

void CKtvPToolBar::DoPaint(CDC*) { KTVP_NOT_BUILT("CKtvPToolBar::DoPaint"); }

BOOL CKtvPToolBar::Create(CWnd*, DWORD, UINT) { KTVP_NOT_BUILT("CKtvPToolBar::Create"); }

BOOL CKtvPToolBar::CreateEx(CWnd*, DWORD, DWORD, CRect, UINT) { KTVP_NOT_BUILT("CKtvPToolBar::CreateEx"); }

void CKtvPToolBar::ResetAllImages() { KTVP_NOT_BUILT("CKtvPToolBar::ResetAllImages"); }

BOOL CKtvPToolBar::LoadBitmap(UINT, UINT, UINT, BOOL, UINT, UINT) { KTVP_NOT_BUILT("CKtvPToolBar::LoadBitmap"); }

BOOL CKtvPToolBar::LoadToolBar(UINT, UINT, UINT, BOOL, UINT, UINT, UINT)
{
    KTVP_NOT_BUILT("CKtvPToolBar::LoadToolBar");
}

BOOL CKtvPToolBar::LoadBitmapEx(CKtvPToolBarParams&, BOOL) { KTVP_NOT_BUILT("CKtvPToolBar::LoadBitmapEx"); }

BOOL CKtvPToolBar::LoadToolBarEx(UINT, CKtvPToolBarParams&, BOOL) { KTVP_NOT_BUILT("CKtvPToolBar::LoadToolBarEx"); }

int CKtvPToolBar::InsertButton(CKtvPToolbarButton*, int) { KTVP_NOT_BUILT("CKtvPToolBar::InsertButton"); }

int CKtvPToolBar::InsertButtonCopy(const CKtvPToolbarButton&, int)
{
    KTVP_NOT_BUILT("CKtvPToolBar::InsertButtonCopy");
}

BOOL CKtvPToolBar::RemoveButton(int) { KTVP_NOT_BUILT("CKtvPToolBar::RemoveButton"); }

void CKtvPToolBar::RemoveAllButtons() { KTVP_NOT_BUILT("CKtvPToolBar::RemoveAllButtons"); }

int CKtvPToolBar::GetRowHeight() const { KTVP_NOT_BUILT("CKtvPToolBar::GetRowHeight"); }

int CKtvPToolBar::GetColumnWidth() const { KTVP_NOT_BUILT("CKtvPToolBar::GetColumnWidth"); }

BOOL CKtvPToolBar::IsButtonExtraSizeAvailable() const { return TRUE; }

void CKtvPToolBar::Deactivate() { KTVP_NOT_BUILT("CKtvPToolBar::Deactivate"); }

BOOL CKtvPToolBar::RestoreFocus() { KTVP_NOT_BUILT("CKtvPToolBar::RestoreFocus"); }

BOOL CKtvPToolBar::IsOriginalItemsChanged() const { return m_bOriginalItemsChanged; }

void CKtvPToolBar::GetItemRect(int, LPRECT) const { KTVP_NOT_BUILT("CKtvPToolBar::GetItemRect"); }

void CKtvPToolBar::GetInvalidateItemRect(int, LPRECT) const { KTVP_NOT_BUILT("CKtvPToolBar::GetInvalidateItemRect"); }

void CKtvPToolBar::SetButtonStyle(int, UINT) { KTVP_NOT_BUILT("CKtvPToolBar::SetButtonStyle"); }

BOOL CKtvPToolBar::AllowShowTextLabels() const { return TRUE; }

BOOL CKtvPToolBar::OnBeforeRemoveButton(CKtvPToolbarButton*, DROPEFFECT) { return TRUE; }

BOOL CKtvPToolBar::CanBeRestored() const { return m_uiOriginalResID != 0; }

void CKtvPToolBar::OnReset() {}

int CKtvPToolBar::HitTest(CPoint) { KTVP_NOT_BUILT("CKtvPToolBar::HitTest"); }

BOOL CKtvPToolBar::TranslateChar(UINT) { KTVP_NOT_BUILT("CKtvPToolBar::TranslateChar"); }

BOOL CKtvPToolBar::PrevMenu() { KTVP_NOT_BUILT("CKtvPToolBar::PrevMenu"); }

BOOL CKtvPToolBar::NextMenu() { KTVP_NOT_BUILT("CKtvPToolBar::NextMenu"); }

BOOL CKtvPToolBar::SetDefaultButtonText(CKtvPToolbarButton*) { KTVP_NOT_BUILT("CKtvPToolBar::SetDefaultButtonText"); }

void CKtvPToolBar::OnAfterFillBackground(CDC*) {}

void CKtvPToolBar::OnGlobalFontsChanged() { KTVP_NOT_BUILT("CKtvPToolBar::OnGlobalFontsChanged"); }

void CKtvPToolBar::DropDownMenuButton(int) { KTVP_NOT_BUILT("CKtvPToolBar::DropDownMenuButton"); }

CSize CKtvPToolBar::CalcLayout(DWORD, int) { KTVP_NOT_BUILT("CKtvPToolBar::CalcLayout"); }

BOOL CKtvPToolBar::DrawButton(CDC*, CKtvPToolbarButton*, CKtvPToolBarImages*, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPToolBar::DrawButton");
}

CWnd* CKtvPToolBar::GetCommandTarget() const { KTVP_NOT_BUILT("CKtvPToolBar::GetCommandTarget"); }

BOOL CKtvPToolBar::NotifyControlCommand(CKtvPToolbarButton*, BOOL, int, WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPToolBar::NotifyControlCommand");
}

void CKtvPToolBar::AdjustLocations() { KTVP_NOT_BUILT("CKtvPToolBar::AdjustLocations"); }

BOOL CKtvPToolBar::OnSendCommand(const CKtvPToolbarButton*) { return FALSE; }

BOOL CKtvPToolBar::HighlightDisabledItems() const { return FALSE; }

BOOL CKtvPToolBar::AllowShowOnList() const { return TRUE; }

void CKtvPToolBar::DrawSeparator(CDC*, const CRect&, BOOL) { KTVP_NOT_BUILT("CKtvPToolBar::DrawSeparator"); }

BOOL CKtvPToolBar::OnKey(UINT) { return FALSE; }

void CKtvPToolBar::OnCustomizeMode(BOOL) { KTVP_NOT_BUILT("CKtvPToolBar::OnCustomizeMode"); }

BOOL CKtvPToolBar::EnableContextMenuItems(CKtvPToolbarButton*, CMenu*)
{
    KTVP_NOT_BUILT("CKtvPToolBar::EnableContextMenuItems");
}

BOOL CKtvPToolBar::IsPureMenuButton(CKtvPToolbarButton*) const { return m_bMenuMode; }

void CKtvPToolBar::GetSeparatorRect(const CKtvPToolbarButton*, RECT*, BOOL) const
{
    KTVP_NOT_BUILT("CKtvPToolBar::GetSeparatorRect");
}

void CKtvPToolBar::ShowCommandMessageString(UINT) { KTVP_NOT_BUILT("CKtvPToolBar::ShowCommandMessageString"); }

int CKtvPToolBar::CalcMaxButtonHeight() { KTVP_NOT_BUILT("CKtvPToolBar::CalcMaxButtonHeight"); }

BOOL CKtvPToolBar::OnUserToolTip(CKtvPToolbarButton*, CString&) const
{
    KTVP_NOT_BUILT("CKtvPToolBar::OnUserToolTip");
}

BOOL CKtvPToolBar::AllowAltCustomization() const { return TRUE; }

int CKtvPToolBar::GetCount() const { return (int)m_Buttons.GetCount(); }

CKtvPToolbarButton* CKtvPToolBar::GetButton(int) const { KTVP_NOT_BUILT("CKtvPToolBar::GetButton"); }

int CKtvPToolBar::CommandToIndex(UINT, int) const { KTVP_NOT_BUILT("CKtvPToolBar::CommandToIndex"); }

int CKtvPToolBar::ButtonToIndex(const CKtvPToolbarButton*) const { KTVP_NOT_BUILT("CKtvPToolBar::ButtonToIndex"); }

UINT CKtvPToolBar::GetItemID(int) const { KTVP_NOT_BUILT("CKtvPToolBar::GetItemID"); }

UINT CKtvPToolBar::GetButtonStyle(int) const { KTVP_NOT_BUILT("CKtvPToolBar::GetButtonStyle"); }

CString CKtvPToolBar::GetButtonText(int) const { KTVP_NOT_BUILT("CKtvPToolBar::GetButtonText"); }

BOOL CKtvPToolBar::SetButtonText(int, LPCTSTR) { KTVP_NOT_BUILT("CKtvPToolBar::SetButtonText"); }

void CKtvPToolBar::SetButtonTextAndImage(int, LPCTSTR, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPToolBar::SetButtonTextAndImage");
}

int CKtvPToolBar::InsertSeparator(int) { KTVP_NOT_BUILT("CKtvPToolBar::InsertSeparator"); }

int CKtvPToolBar::ReplaceButton(UINT, const CKtvPToolbarButton&, BOOL)
{
    KTVP_NOT_BUILT("CKtvPToolBar::ReplaceButton");
}

BOOL CKtvPToolBar::SetButtons(const UINT*, int, BOOL) { KTVP_NOT_BUILT("CKtvPToolBar::SetButtons"); }

int CKtvPToolBar::GetCommandButtons(UINT, CObList&) { KTVP_NOT_BUILT("CKtvPToolBar::GetCommandButtons"); }

BOOL CKtvPToolBar::IsUserDefined() const { KTVP_NOT_BUILT("CKtvPToolBar::IsUserDefined"); }

void CKtvPToolBar::SetSizes(SIZE, SIZE) { KTVP_NOT_BUILT("CKtvPToolBar::SetSizes"); }

void CKtvPToolBar::SetLockedSizes(SIZE, SIZE) { KTVP_NOT_BUILT("CKtvPToolBar::SetLockedSizes"); }

BOOL CKtvPToolBar::SetUserImages(CKtvPToolBarImages*) { KTVP_NOT_BUILT("CKtvPToolBar::SetUserImages"); }

BOOL CKtvPToolBar::AddToolBarForImageCollection(UINT, UINT, UINT, UINT, UINT, UINT)
{
    KTVP_NOT_BUILT("CKtvPToolBar::AddToolBarForImageCollection");
}

void CKtvPToolBar::CleanUpImages() { KTVP_NOT_BUILT("CKtvPToolBar::CleanUpImages"); }

CSize CKtvPToolBar::GetMenuImageSize() { KTVP_NOT_BUILT("CKtvPToolBar::GetMenuImageSize"); }

CSize CKtvPToolBar::GetMenuButtonSize() { KTVP_NOT_BUILT("CKtvPToolBar::GetMenuButtonSize"); }

void CKtvPToolBar::SetLargeIcons(BOOL) { KTVP_NOT_BUILT("CKtvPToolBar::SetLargeIcons"); }

void CKtvPToolBar::SetLook2000(BOOL) { KTVP_NOT_BUILT("CKtvPToolBar::SetLook2000"); }

COLORREF CKtvPToolBar::GetToolbarTextColor() { KTVP_NOT_BUILT("CKtvPToolBar::GetToolbarTextColor"); }

int CKtvPToolBar::WrapToolBar(int, int) { KTVP_NOT_BUILT("CKtvPToolBar::WrapToolBar"); }

int CKtvPToolBar::SizeToolBar(int, BOOL) { KTVP_NOT_BUILT("CKtvPToolBar::SizeToolBar"); }

void CKtvPToolBar::EnableTextLabels(BOOL) { KTVP_NOT_BUILT("CKtvPToolBar::EnableTextLabels"); }

void CKtvPToolBar::EnableCustomizeButton(BOOL, int, const CString&, BOOL)
{
    KTVP_NOT_BUILT("CKtvPToolBar::EnableCustomizeButton");
}

void CKtvPToolBar::EnableCustomizeButtonResId(BOOL, int, UINT, BOOL)
{
    KTVP_NOT_BUILT("CKtvPToolBar::EnableCustomizeButtonResId");
}

BOOL CKtvPToolBar::IsOneRowWithSibling() { KTVP_NOT_BUILT("CKtvPToolBar::IsOneRowWithSibling"); }

void CKtvPToolBar::SetOneRowWithSibling() { KTVP_NOT_BUILT("CKtvPToolBar::SetOneRowWithSibling"); }

void CKtvPToolBar::SetTwoRowsWithSibling() { KTVP_NOT_BUILT("CKtvPToolBar::SetTwoRowsWithSibling"); }

BOOL CKtvPToolBar::CanHaveSibling() { KTVP_NOT_BUILT("CKtvPToolBar::CanHaveSibling"); }

BOOL CKtvPToolBar::CanHandleSiblings() { KTVP_NOT_BUILT("CKtvPToolBar::CanHandleSiblings"); }

BOOL CKtvPToolBar::IsButtonHighlighted(int) const { KTVP_NOT_BUILT("CKtvPToolBar::IsButtonHighlighted"); }

CKtvPToolbarButton* CKtvPToolBar::InvalidateButton(int) { KTVP_NOT_BUILT("CKtvPToolBar::InvalidateButton"); }

CKtvPToolbarButton* CKtvPToolBar::GetHighlightedButton() const
{
    KTVP_NOT_BUILT("CKtvPToolBar::GetHighlightedButton");
}

void CKtvPToolBar::UpdateTooltips() { KTVP_NOT_BUILT("CKtvPToolBar::UpdateTooltips"); }

BOOL CKtvPToolBar::DropDownMenu(CKtvPToolbarButton*) { KTVP_NOT_BUILT("CKtvPToolBar::DropDownMenu"); }

BOOL CKtvPToolBar::SetDroppedMenuButton(CKtvPToolbarMenuButton*)
{
    KTVP_NOT_BUILT("CKtvPToolBar::SetDroppedMenuButton");
}

CKtvPToolbarMenuButton* CKtvPToolBar::GetDroppedDownMenu(int*) const
{
    KTVP_NOT_BUILT("CKtvPToolBar::GetDroppedDownMenu");
}

BOOL CKtvPToolBar::ProcessCommand(CKtvPToolbarButton*) { KTVP_NOT_BUILT("CKtvPToolBar::ProcessCommand"); }

void CKtvPToolBar::RebuildAccelerationKeys() { KTVP_NOT_BUILT("CKtvPToolBar::RebuildAccelerationKeys"); }

BOOL CKtvPToolBar::IsLastCommandFromButton(CKtvPToolbarButton*)
{
    KTVP_NOT_BUILT("CKtvPToolBar::IsLastCommandFromButton");
}

void CKtvPToolBar::UpdateButton(int) { KTVP_NOT_BUILT("CKtvPToolBar::UpdateButton"); }

void CKtvPToolBar::SetHelpMode(BOOL) { KTVP_NOT_BUILT("CKtvPToolBar::SetHelpMode"); }

BOOL CKtvPToolBar::SetCustomizeMode(BOOL) { KTVP_NOT_BUILT("CKtvPToolBar::SetCustomizeMode"); }

void CKtvPToolBar::MoveButtonGroup(CKtvPToolbarButton*, CPoint, CPoint)
{
    KTVP_NOT_BUILT("CKtvPToolBar::MoveButtonGroup");
}

void CKtvPToolBar::SetBasicCommands(CList<UINT, UINT>&) { KTVP_NOT_BUILT("CKtvPToolBar::SetBasicCommands"); }

void CKtvPToolBar::AddBasicCommand(UINT) { KTVP_NOT_BUILT("CKtvPToolBar::AddBasicCommand"); }

BOOL CKtvPToolBar::IsCommandRarelyUsed(UINT) { KTVP_NOT_BUILT("CKtvPToolBar::IsCommandRarelyUsed"); }

void CKtvPToolBar::AddCommandUsage(UINT uiCommand) { m_UsageCount.AddCmd(uiCommand); }

void CKtvPToolBar::RecalcLayoutInParent() { KTVP_NOT_BUILT("CKtvPToolBar::RecalcLayoutInParent"); }

CKtvPToolBarImages* CKtvPToolBar::GetImageList(CKtvPToolBarImages&, CKtvPToolBarImages&, CKtvPToolBarImages&,
                                               CKtvPToolBarImages&) const
{
    KTVP_NOT_BUILT("CKtvPToolBar::GetImageList");
}

LRESULT CALLBACK CKtvPToolBar::ToolBarMouseHookProc(int, WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPToolBar::ToolBarMouseHookProc");
}

int CKtvPToolBar::OnCreate(LPCREATESTRUCT) { KTVP_NOT_BUILT("CKtvPToolBar::OnCreate"); }

void CKtvPToolBar::OnDestroy() { KTVP_NOT_BUILT("CKtvPToolBar::OnDestroy"); }

void CKtvPToolBar::OnSize(UINT, int, int) { KTVP_NOT_BUILT("CKtvPToolBar::OnSize"); }

void CKtvPToolBar::OnWindowPosChanging(WINDOWPOS*) { KTVP_NOT_BUILT("CKtvPToolBar::OnWindowPosChanging"); }

void CKtvPToolBar::OnWindowPosChanged(WINDOWPOS*) { KTVP_NOT_BUILT("CKtvPToolBar::OnWindowPosChanged"); }

void CKtvPToolBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { KTVP_NOT_BUILT("CKtvPToolBar::OnNcCalcSize"); }

void CKtvPToolBar::OnNcPaint() { KTVP_NOT_BUILT("CKtvPToolBar::OnNcPaint"); }

LRESULT CKtvPToolBar::OnNcHitTest(CPoint) { KTVP_NOT_BUILT("CKtvPToolBar::OnNcHitTest"); }

BOOL CKtvPToolBar::OnEraseBkgnd(CDC*) { KTVP_NOT_BUILT("CKtvPToolBar::OnEraseBkgnd"); }

void CKtvPToolBar::OnSysColorChange() { KTVP_NOT_BUILT("CKtvPToolBar::OnSysColorChange"); }

void CKtvPToolBar::OnSettingChange(UINT, LPCTSTR) { KTVP_NOT_BUILT("CKtvPToolBar::OnSettingChange"); }

BOOL CKtvPToolBar::OnNeedTipText(UINT, NMHDR*, LRESULT*) { KTVP_NOT_BUILT("CKtvPToolBar::OnNeedTipText"); }

void CKtvPToolBar::OnLButtonDown(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPToolBar::OnLButtonDown"); }

void CKtvPToolBar::OnMouseMove(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPToolBar::OnMouseMove"); }

void CKtvPToolBar::OnLButtonUp(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPToolBar::OnLButtonUp"); }

void CKtvPToolBar::OnLButtonDblClk(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPToolBar::OnLButtonDblClk"); }

void CKtvPToolBar::OnMouseLeave() { KTVP_NOT_BUILT("CKtvPToolBar::OnMouseLeave"); }

void CKtvPToolBar::OnCancelMode() { KTVP_NOT_BUILT("CKtvPToolBar::OnCancelMode"); }

BOOL CKtvPToolBar::OnSetCursor(CWnd*, UINT, UINT) { KTVP_NOT_BUILT("CKtvPToolBar::OnSetCursor"); }

HBRUSH CKtvPToolBar::OnCtlColor(CDC*, CWnd*, UINT) { KTVP_NOT_BUILT("CKtvPToolBar::OnCtlColor"); }

void CKtvPToolBar::OnSetFocus(CWnd*) { KTVP_NOT_BUILT("CKtvPToolBar::OnSetFocus"); }

void CKtvPToolBar::OnKillFocus(CWnd*) { KTVP_NOT_BUILT("CKtvPToolBar::OnKillFocus"); }

LRESULT CKtvPToolBar::OnHelpHitTest(WPARAM, LPARAM) { KTVP_NOT_BUILT("CKtvPToolBar::OnHelpHitTest"); }

LRESULT CKtvPToolBar::OnGetButton(WPARAM, LPARAM) { KTVP_NOT_BUILT("CKtvPToolBar::OnGetButton"); }

LRESULT CKtvPToolBar::OnGetButtonCount(WPARAM, LPARAM) { KTVP_NOT_BUILT("CKtvPToolBar::OnGetButtonCount"); }

LRESULT CKtvPToolBar::OnGetItemRect(WPARAM, LPARAM) { KTVP_NOT_BUILT("CKtvPToolBar::OnGetItemRect"); }

LRESULT CKtvPToolBar::OnGetButtonText(WPARAM, LPARAM) { KTVP_NOT_BUILT("CKtvPToolBar::OnGetButtonText"); }

void CKtvPToolBar::OnContextMenu(CWnd*, CPoint) { KTVP_NOT_BUILT("CKtvPToolBar::OnContextMenu"); }

void CKtvPToolBar::OnShowWindow(BOOL, UINT) { KTVP_NOT_BUILT("CKtvPToolBar::OnShowWindow"); }

void CKtvPToolBar::OnToolbarReset() { KTVP_NOT_BUILT("CKtvPToolBar::OnToolbarReset"); }

void CKtvPToolBar::OnCopyImage() { KTVP_NOT_BUILT("CKtvPToolBar::OnCopyImage"); }

void CKtvPToolBar::OnToolbarDelete() { KTVP_NOT_BUILT("CKtvPToolBar::OnToolbarDelete"); }

void CKtvPToolBar::OnToolbarAppearance() { KTVP_NOT_BUILT("CKtvPToolBar::OnToolbarAppearance"); }

void CKtvPToolBar::OnToolbarImage() { KTVP_NOT_BUILT("CKtvPToolBar::OnToolbarImage"); }

void CKtvPToolBar::OnToolbarText() { KTVP_NOT_BUILT("CKtvPToolBar::OnToolbarText"); }

void CKtvPToolBar::OnToolbarImageAndText() { KTVP_NOT_BUILT("CKtvPToolBar::OnToolbarImageAndText"); }

void CKtvPToolBar::OnToolbarStartGroup() { KTVP_NOT_BUILT("CKtvPToolBar::OnToolbarStartGroup"); }

void CKtvPToolBar::OnToolbarNewMenu() { KTVP_NOT_BUILT("CKtvPToolBar::OnToolbarNewMenu"); }

BOOL CKtvPToolBar::OnCommand(WPARAM, LPARAM) { KTVP_NOT_BUILT("CKtvPToolBar::OnCommand"); }

void CKtvPToolCmdUI::Enable(BOOL) { KTVP_NOT_BUILT("CKtvPToolCmdUI::Enable"); }

void CKtvPToolCmdUI::SetCheck(int) { KTVP_NOT_BUILT("CKtvPToolCmdUI::SetCheck"); }

void CKtvPToolCmdUI::SetRadio(BOOL) { KTVP_NOT_BUILT("CKtvPToolCmdUI::SetRadio"); }

void CKtvPToolCmdUI::SetText(LPCTSTR) { KTVP_NOT_BUILT("CKtvPToolCmdUI::SetText"); }
