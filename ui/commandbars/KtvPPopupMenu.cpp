#include "ui/commandbars/KtvPPopupMenu.h"

#include "platform/mfc/afxmsg.h"
#include "platform/win32/menu/winmenu.h"
#include "ui/commandbars/KtvPMenuBar.h"
#include "ui/commandbars/KtvPMenuImages.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPNotBuilt.h"
#include "ui/frames/KtvPVisualManager.h"

IMPLEMENT_SERIAL(CKtvPPopupMenu, CMiniFrameWnd, VERSIONABLE_SCHEMA | 1)

CKtvPPopupMenu* CKtvPPopupMenu::m_pActivePopupMenu = nullptr;
int CKtvPPopupMenu::m_nAnimationType = CKtvPPopupMenu::NO_ANIMATION;
BOOL CKtvPPopupMenu::m_bForceShadow = FALSE;
int CKtvPPopupMenu::m_nAnimationSpeed = 30;
clock_t CKtvPPopupMenu::m_nAnimTimeStart = 0;
BOOL CKtvPPopupMenu::m_bFocusOwnerBar = TRUE;

BEGIN_MESSAGE_MAP(CKtvPPopupMenu, CMiniFrameWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_MOUSEACTIVATE()
    ON_WM_DESTROY()
    ON_WM_KEYDOWN()
    ON_WM_ERASEBKGND()
    ON_WM_TIMER()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_SHOWWINDOW()
    ON_WM_SETCURSOR()
    ON_WM_ACTIVATEAPP()
END_MESSAGE_MAP()

CKtvPPopupMenu::CKtvPPopupMenu() { Initialize(); }

CKtvPPopupMenu::CKtvPPopupMenu(CKtvPMenuPage* pMenuPage, LPCTSTR lpszTitle)
    : m_pEditPage(pMenuPage), m_strTitle(lpszTitle)
{
    Initialize();
}

void CKtvPPopupMenu::Initialize()
{
    // Animation costs too much over a remote session, and fading needs true colour.
    if (globalData.bIsRemoteSession)
        m_nAnimationType = NO_ANIMATION;
    if (m_nAnimationType == FADE && globalData.m_nBitsPerPixel <= 8)
        m_nAnimationType = NO_ANIMATION;
    m_bAnimationDone = m_nAnimationType == NO_ANIMATION;

    CKtvPVisualManager* pLook = CKtvPVisualManager::GetInstance();
    m_nScrollButtonHeight = CKtvPMenuImages::Size().cy + 2 * pLook->GetPopupMenuBorderSize();
    const BOOL bShadow =
        CKtvPMenuBar::m_bMenuShadows && !CKtvPToolBar::m_bCustomizeMode && globalData.m_nBitsPerPixel > 8;
    m_nShadowDepth = bShadow ? pLook->m_nMenuShadowDepth : 0;
}

CKtvPPopupMenu::~CKtvPPopupMenu()
{
    if (m_bOwnsMenu && m_hMenu != nullptr)
        ::DestroyMenu(m_hMenu);
    m_hMenu = nullptr;
}

BOOL CKtvPPopupMenu::OnCmdMsg(UINT, int, void*, AFX_CMDHANDLERINFO*) { KTVP_NOT_BUILT("CKtvPPopupMenu::OnCmdMsg"); }

BOOL CKtvPPopupMenu::OnNotify(WPARAM, LPARAM, LRESULT*) { KTVP_NOT_BUILT("CKtvPPopupMenu::OnNotify"); }

BOOL CKtvPPopupMenu::PreTranslateMessage(MSG*) { KTVP_NOT_BUILT("CKtvPPopupMenu::PreTranslateMessage"); }

void CKtvPPopupMenu::PostNcDestroy() { KTVP_NOT_BUILT("CKtvPPopupMenu::PostNcDestroy"); }

void CKtvPPopupMenu::RecalcLayout(BOOL) { KTVP_NOT_BUILT("CKtvPPopupMenu::RecalcLayout"); }

CKtvPPopupMenuBar* CKtvPPopupMenu::GetMenuBar() { return &m_menuBar; }

BOOL CKtvPPopupMenu::InCommand() { return m_menuBar.m_bInCommand; }

BOOL CKtvPPopupMenu::InitMenuBar() { KTVP_NOT_BUILT("CKtvPPopupMenu::InitMenuBar"); }

BOOL CKtvPPopupMenu::TearOff(CPoint) { KTVP_NOT_BUILT("CKtvPPopupMenu::TearOff"); }

CKtvPControlBar* CKtvPPopupMenu::CreateTearOffBar(CFrameWnd*, UINT, LPCTSTR)
{
    KTVP_NOT_BUILT("CKtvPPopupMenu::CreateTearOffBar");
}

BOOL CKtvPPopupMenu::Create(CWnd*, int, int, HMENU, BOOL, BOOL) { KTVP_NOT_BUILT("CKtvPPopupMenu::Create"); }

int CKtvPPopupMenu::InsertItem(const CKtvPToolbarButton&, int) { KTVP_NOT_BUILT("CKtvPPopupMenu::InsertItem"); }

int CKtvPPopupMenu::InsertSeparator(int) { KTVP_NOT_BUILT("CKtvPPopupMenu::InsertSeparator"); }

int CKtvPPopupMenu::GetMenuItemCount() const { KTVP_NOT_BUILT("CKtvPPopupMenu::GetMenuItemCount"); }

CKtvPToolbarButton* CKtvPPopupMenu::GetMenuItem(int) const { KTVP_NOT_BUILT("CKtvPPopupMenu::GetMenuItem"); }

BOOL CKtvPPopupMenu::RemoveItem(int) { KTVP_NOT_BUILT("CKtvPPopupMenu::RemoveItem"); }

void CKtvPPopupMenu::RemoveAllItems() { KTVP_NOT_BUILT("CKtvPPopupMenu::RemoveAllItems"); }

BOOL CKtvPPopupMenu::ActivatePopupMenu(CFrameWnd*, CKtvPPopupMenu*)
{
    KTVP_NOT_BUILT("CKtvPPopupMenu::ActivatePopupMenu");
}

void CKtvPPopupMenu::CloseMenu(BOOL) { KTVP_NOT_BUILT("CKtvPPopupMenu::CloseMenu"); }

CKtvPPopupMenu* CKtvPPopupMenu::GetParentPopupMenu() const { KTVP_NOT_BUILT("CKtvPPopupMenu::GetParentPopupMenu"); }

CKtvPToolBar* CKtvPPopupMenu::GetParentToolBar() const { KTVP_NOT_BUILT("CKtvPPopupMenu::GetParentToolBar"); }

CKtvPToolbarMenuButton* CKtvPPopupMenu::GetSelItem() { KTVP_NOT_BUILT("CKtvPPopupMenu::GetSelItem"); }

int CKtvPPopupMenu::HitTest(CPoint) const { KTVP_NOT_BUILT("CKtvPPopupMenu::HitTest"); }

void CKtvPPopupMenu::ShowAllCommands() { KTVP_NOT_BUILT("CKtvPPopupMenu::ShowAllCommands"); }

void CKtvPPopupMenu::ShowAllItems() { KTVP_NOT_BUILT("CKtvPPopupMenu::ShowAllItems"); }

BOOL CKtvPPopupMenu::PostCommand(UINT) { KTVP_NOT_BUILT("CKtvPPopupMenu::PostCommand"); }

void CKtvPPopupMenu::CancelAllItems() { KTVP_NOT_BUILT("CKtvPPopupMenu::CancelAllItems"); }

void CKtvPPopupMenu::WriteBackToParentButtons() { KTVP_NOT_BUILT("CKtvPPopupMenu::WriteBackToParentButtons"); }

void CKtvPPopupMenu::DrawFrame(CDC*) { KTVP_NOT_BUILT("CKtvPPopupMenu::DrawFrame"); }

BOOL CKtvPPopupMenu::UpdateScrollButtons(BOOL) { KTVP_NOT_BUILT("CKtvPPopupMenu::UpdateScrollButtons"); }

BOOL CKtvPPopupMenu::CanScrollUp() { KTVP_NOT_BUILT("CKtvPPopupMenu::CanScrollUp"); }

BOOL CKtvPPopupMenu::CanScrollDown() { KTVP_NOT_BUILT("CKtvPPopupMenu::CanScrollDown"); }

void CKtvPPopupMenu::CheckShadowFits(BOOL) { KTVP_NOT_BUILT("CKtvPPopupMenu::CheckShadowFits"); }

void CKtvPPopupMenu::UpdateShadow(LPCRECT) { KTVP_NOT_BUILT("CKtvPPopupMenu::UpdateShadow"); }

void CKtvPPopupMenu::UpdateAllShadows(LPCRECT) { KTVP_NOT_BUILT("CKtvPPopupMenu::UpdateAllShadows"); }

int CKtvPPopupMenu::OnCreate(LPCREATESTRUCT) { KTVP_NOT_BUILT("CKtvPPopupMenu::OnCreate"); }

void CKtvPPopupMenu::OnSize(UINT, int, int) { KTVP_NOT_BUILT("CKtvPPopupMenu::OnSize"); }

void CKtvPPopupMenu::OnPaint() { KTVP_NOT_BUILT("CKtvPPopupMenu::OnPaint"); }

int CKtvPPopupMenu::OnMouseActivate(CWnd*, UINT, UINT) { return MA_NOACTIVATE; }

void CKtvPPopupMenu::OnDestroy() { KTVP_NOT_BUILT("CKtvPPopupMenu::OnDestroy"); }

void CKtvPPopupMenu::OnKeyDown(UINT, UINT, UINT) { KTVP_NOT_BUILT("CKtvPPopupMenu::OnKeyDown"); }

BOOL CKtvPPopupMenu::OnEraseBkgnd(CDC*) { return TRUE; }

void CKtvPPopupMenu::OnTimer(UINT_PTR) { KTVP_NOT_BUILT("CKtvPPopupMenu::OnTimer"); }

void CKtvPPopupMenu::OnMouseMove(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPPopupMenu::OnMouseMove"); }

void CKtvPPopupMenu::OnLButtonDown(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPPopupMenu::OnLButtonDown"); }

void CKtvPPopupMenu::OnLButtonUp(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPPopupMenu::OnLButtonUp"); }

void CKtvPPopupMenu::OnShowWindow(BOOL, UINT) { KTVP_NOT_BUILT("CKtvPPopupMenu::OnShowWindow"); }

BOOL CKtvPPopupMenu::OnSetCursor(CWnd*, UINT, UINT) { KTVP_NOT_BUILT("CKtvPPopupMenu::OnSetCursor"); }

void CKtvPPopupMenu::OnActivateApp(BOOL, DWORD) { KTVP_NOT_BUILT("CKtvPPopupMenu::OnActivateApp"); }
