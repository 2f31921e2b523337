#include "ui/commandbars/KtvPMenuPage.h"

#include "resources/resource.h"
#include "ui/commandbars/KtvPMenuBar.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/frames/KtvPNotBuilt.h"

IMPLEMENT_DYNCREATE(CKtvPMenuPage, CPropertyPage)

CKtvPMenuPage::CKtvPMenuPage(CFrameWnd* pParentFrame, BOOL bAutoSet)
    : CPropertyPage(IDD_KTVP_MENU_PAGE),
      m_iMenuAnimationType(CKtvPPopupMenu::m_nAnimationType),
      m_bMenuShadows(CKtvPMenuBar::m_bMenuShadows),
      m_bAutoSet(bAutoSet),
      m_pParentFrame(pParentFrame)
{
}

CKtvPMenuPage::~CKtvPMenuPage() = default;

BOOL CKtvPMenuPage::SelectMenu(CMultiDocTemplate*, BOOL) { KTVP_NOT_BUILT("CKtvPMenuPage::SelectMenu"); }

void CKtvPMenuPage::OnContextMenuClosed() { KTVP_NOT_BUILT("CKtvPMenuPage::OnContextMenuClosed"); }
