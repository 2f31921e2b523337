// The customise sheet and its Menu page as the toolbars, the menu bar and the
// popup menus see them: their records along the framework's sheet and page
// chains, the open-sheet pointer, and the options a new Menu page starts from.
#include <gtest/gtest.h>

#include "platform/mfc/CDialog.h"
#include "platform/mfc/CPropertyPage.h"
#include "platform/mfc/CPropertySheet.h"
#include "tests/support/ui/KtvClassTable.h"
#include "ui/commandbars/KtvPMenuBar.h"
#include "ui/commandbars/KtvPMenuPage.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPToolbarCustomize.h"

namespace {

using tw::test::KtvClassRow;

TEST(CustomizeClasses, RecordsFollowTheFrameworksSheetAndPage)
{
    const KtvClassRow rows[] = {
        KTV_CLASS_ROW(CKtvPToolbarCustomize, CPropertySheet, Dynamic),
        KTV_CLASS_ROW(CKtvPMenuPage, CPropertyPage, DynCreate),
    };
    for (const KtvClassRow& row : rows) {
        EXPECT_TRUE(tw::test::CheckClassRecord(row)) << row.lpszName;
        EXPECT_TRUE(tw::test::CheckCreatesByName(row)) << row.lpszName;
    }
    // The frames ask for a dialog parent by kind; a page is one.
    EXPECT_TRUE(tw::test::CheckDerivesFrom(RUNTIME_CLASS(CKtvPMenuPage), RUNTIME_CLASS(CDialog)));
    EXPECT_FALSE(RUNTIME_CLASS(CKtvPToolbarCustomize)->IsDerivedFrom(RUNTIME_CLASS(CDialog)));
}

// The toolbars tell the open sheet when one of them is shown or hidden; with
// no sheet made yet there is none to tell.
TEST(CustomizeClasses, NoSheetIsOpenBeforeOneIsCreated)
{
    EXPECT_EQ(CKtvPToolbarCustomize::m_pCustomizeSheet, nullptr);
}

// A Menu page starts from the popup menus' animation kind and the menu bar's
// shadow option (it writes both back when it goes), and shows no menu yet.
TEST(CustomizeClasses, MenuPageStartsFromTheMenuOptions)
{
    const int nAnimationSaved = CKtvPPopupMenu::m_nAnimationType;
    const BOOL bShadowsSaved = CKtvPMenuBar::m_bMenuShadows;
    const struct {
        int nAnimation;
        BOOL bShadows;
    } cases[] = {{CKtvPPopupMenu::NO_ANIMATION, TRUE}, {CKtvPPopupMenu::FADE, FALSE}, {CKtvPPopupMenu::SLIDE, TRUE}};
    for (const auto& c : cases) {
        CKtvPPopupMenu::m_nAnimationType = c.nAnimation;
        CKtvPMenuBar::m_bMenuShadows = c.bShadows;
        CKtvPMenuPage page(nullptr, TRUE);
        EXPECT_EQ(page.m_iMenuAnimationType, c.nAnimation);
        EXPECT_EQ(page.m_bMenuShadows, c.bShadows);
        EXPECT_TRUE(page.m_bAutoSet);
        EXPECT_EQ(page.m_pMenuBar, nullptr);
        EXPECT_EQ(page.m_hmenuCurr, nullptr);
        EXPECT_EQ(page.m_pContextMenu, nullptr);
        EXPECT_EQ(page.m_uiContextMenuResId, 0u);
    }
    CKtvPPopupMenu::m_nAnimationType = nAnimationSaved;
    CKtvPMenuBar::m_bMenuShadows = bShadowsSaved;
}

}  // namespace
