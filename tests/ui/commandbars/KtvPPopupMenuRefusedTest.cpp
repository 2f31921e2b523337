// A frame may refuse a popup menu when it is about to open: the popup then
// closes and deletes itself while it is still being created, and its
// creation reports the refusal.
#include <gtest/gtest.h>

#include "platform/mfc/CMenu.h"
#include "tests/support/ui/KtvControlTest.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPTearOffManager.h"
#include "ui/frames/KtvPFrameWnd.h"

namespace {

class RefusingFrame : public CKtvPFrameWnd {
public:
    BOOL OnShowPopupMenu(CKtvPPopupMenu* pMenuPopup) override
    {
        asked++;
        return pMenuPopup == nullptr || !refuse;
    }
    int asked = 0;
    BOOL refuse = TRUE;
};

class PopupMenuRefusedTest : public tw::test::KtvControlTest {
protected:
    void SetUp() override
    {
        KtvPrepareUiTest();
        KtvControlTest::SetUp();
        CKtvPPopupMenu::m_nAnimationType = CKtvPPopupMenu::NO_ANIMATION;
        frame = new RefusingFrame;
        ASSERT_TRUE(frame->Create(nullptr, "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 400, 300)));
        ASSERT_TRUE(menu.CreatePopupMenu());
        menu.AppendMenu(MF_STRING, 100, "&Open");
    }
    void TearDown() override
    {
        if (::IsWindow(frame->GetSafeHwnd()))
            frame->DestroyWindow();
        menu.DestroyMenu();
        // Menus play their sounds on a worker; it ends with the test, not at exit.
        CKtvPMenuSound::Terminate();
        KtvControlTest::TearDown();
    }

    RefusingFrame* frame = nullptr;
    CMenu menu;
};

TEST_F(PopupMenuRefusedTest, ARefusedPopupReportsItAndLeavesNoWindow)
{
    for (BOOL bRefuse : {TRUE, FALSE}) {
        frame->refuse = bRefuse;
        frame->asked = 0;
        auto* pPopup = new CKtvPPopupMenu;
        pPopup->m_bOwnsMenu = FALSE;
        const BOOL bShown = pPopup->Create(frame, 100, 100, menu.GetSafeHmenu());
        EXPECT_GT(frame->asked, 0);
        EXPECT_EQ(bShown, !bRefuse);
        if (bShown) {
            EXPECT_TRUE(::IsWindow(pPopup->GetSafeHwnd()));
            pPopup->CloseMenu();
        }
    }
}

}  // namespace
