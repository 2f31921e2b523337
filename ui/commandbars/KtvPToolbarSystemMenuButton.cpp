#include "ui/commandbars/KtvPToolbarSystemMenuButton.h"

#include "ui/frames/KtvPNotBuilt.h"

IMPLEMENT_SERIAL(CKtvPToolbarSystemMenuButton, CKtvPToolbarMenuButton, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_DYNCREATE(CKtvPToolbarMenuButtonsButton, CKtvPToolbarButton)

CKtvPToolbarSystemMenuButton::CKtvPToolbarSystemMenuButton() = default;

CKtvPToolbarSystemMenuButton::CKtvPToolbarSystemMenuButton(HMENU hSystemMenu, HICON hSystemIcon)
    : CKtvPToolbarMenuButton(0, hSystemMenu, -1)
{
    m_hSysMenu = hSystemMenu;
    m_hDocIcon = hSystemIcon;
}

CKtvPToolbarSystemMenuButton::~CKtvPToolbarSystemMenuButton() = default;

// Neither button is stored with its bar: both are rebuilt from the maximised child.
void CKtvPToolbarSystemMenuButton::Serialize(CArchive&) {}

void CKtvPToolbarSystemMenuButton::CopyFrom(const CKtvPToolbarButton&)
{
    KTVP_NOT_BUILT("CKtvPToolbarSystemMenuButton::CopyFrom");
}

void CKtvPToolbarSystemMenuButton::OnDraw(CDC*, const CRect&, CKtvPToolBarImages*, BOOL, BOOL, BOOL, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPToolbarSystemMenuButton::OnDraw");
}

CSize CKtvPToolbarSystemMenuButton::OnCalculateSize(CDC*, const CSize&, BOOL)
{
    KTVP_NOT_BUILT("CKtvPToolbarSystemMenuButton::OnCalculateSize");
}

void CKtvPToolbarSystemMenuButton::OnDblClick(CWnd*) { KTVP_NOT_BUILT("CKtvPToolbarSystemMenuButton::OnDblClick"); }

BOOL CKtvPToolbarSystemMenuButton::CanBeStored() const { return FALSE; }

BOOL CKtvPToolbarSystemMenuButton::HaveHotBorder() const { return FALSE; }

void CKtvPToolbarSystemMenuButton::OnCancelMode() { KTVP_NOT_BUILT("CKtvPToolbarSystemMenuButton::OnCancelMode"); }

void CKtvPToolbarSystemMenuButton::CreateFromMenu(HMENU hMenu) { m_hSysMenu = hMenu; }

HMENU CKtvPToolbarSystemMenuButton::CreateMenu() const { KTVP_NOT_BUILT("CKtvPToolbarSystemMenuButton::CreateMenu"); }

BOOL CKtvPToolbarSystemMenuButton::IsConnectedToPopup() const { return FALSE; }

CKtvPToolbarMenuButtonsButton::CKtvPToolbarMenuButtonsButton() = default;
CKtvPToolbarMenuButtonsButton::CKtvPToolbarMenuButtonsButton(UINT uiSystemCommand) : m_uiSystemCommand(uiSystemCommand) {}
CKtvPToolbarMenuButtonsButton::~CKtvPToolbarMenuButtonsButton() = default;

void CKtvPToolbarMenuButtonsButton::Serialize(CArchive&) {}

void CKtvPToolbarMenuButtonsButton::CopyFrom(const CKtvPToolbarButton&)
{
    KTVP_NOT_BUILT("CKtvPToolbarMenuButtonsButton::CopyFrom");
}

void CKtvPToolbarMenuButtonsButton::OnDraw(CDC*, const CRect&, CKtvPToolBarImages*, BOOL, BOOL, BOOL, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPToolbarMenuButtonsButton::OnDraw");
}

CSize CKtvPToolbarMenuButtonsButton::OnCalculateSize(CDC*, const CSize&, BOOL)
{
    KTVP_NOT_BUILT("CKtvPToolbarMenuButtonsButton::OnCalculateSize");
}

BOOL CKtvPToolbarMenuButtonsButton::OnClick(CWnd*, BOOL) { return FALSE; }

BOOL CKtvPToolbarMenuButtonsButton::CanBeStored() const { return FALSE; }

BOOL CKtvPToolbarMenuButtonsButton::HaveHotBorder() const { return FALSE; }
