// Customise mode driven by the mouse through the OLE drag loop: moving,
// copying and deleting buttons, groups from short drags, locked bars,
// Alt-drag, stretching and the button context menu's commands.
#include <gtest/gtest.h>

#include "platform/mfc/CMenu.h"
#include "platform/mfc/afxole.h"
#include "platform/win32/user/BeepTrace.h"
#include "resources/resource.h"
#include "tests/ui/commandbars/KtvPToolBarTestSupport.h"
#include "ui/commandbars/KtvPToolbarButton.h"

namespace tw::test {
namespace {

using display::MouseButton;

// A button whose width the user may drag, as a combo box's.
class StretchButton : public CKtvPToolbarButton {
public:
    StretchButton() : CKtvPToolbarButton(300, 0, nullptr, FALSE, TRUE) {}
    BOOL CanBeStretched() const override { return TRUE; }
    CSize OnCalculateSize(CDC*, const CSize& sizeDefault, BOOL) override { return CSize(width, sizeDefault.cy); }
    void OnSize(int iSize) override { width = iSize; }
    int width = 60;
};

class ToolBarCustomizeTest : public ToolBarTest {
protected:
    void SetUp() override
    {
        ToolBarTest::SetUp();
        ASSERT_TRUE(AfxOleInit());
        bar = MakeBar({1, 2, 3});
        other = MakeBar({4, 5}, TRUE, 0xE821);
        Pump();
    }
    POINT At(CKtvPToolBar* pBar, int i, int dx = 0)
    {
        const CPoint c = Centre(pBar, i);
        return ScreenPointOf(pBar->GetSafeHwnd(), c.x + dx, c.y);
    }
    // The whole gesture, queued before the press reaches the bar.
    void Drag(POINT from, POINT to, bool ctrl = false, bool escape = false)
    {
        input.MouseMove(from.x, from.y);
        if (ctrl)
            input.KeyDown(VK_CONTROL);
        input.ButtonDown(MouseButton::Left, from.x, from.y);
        for (int step = 1; step <= 5; ++step)
            input.MouseMove(from.x + (to.x - from.x) * step / 5, from.y + (to.y - from.y) * step / 5);
        if (escape)
            input.KeyStroke(VK_ESCAPE);
        input.ButtonUp(MouseButton::Left, to.x, to.y);
        if (ctrl)
            input.KeyUp(VK_CONTROL);
        Pump();
    }

    CKtvPToolBar* bar = nullptr;
    CKtvPToolBar* other = nullptr;
};

TEST_F(ToolBarCustomizeTest, CustomiseModeIsEnteredOnceAndEveryBarDropsItsState)
{
    bar->m_iHighlighted = 1;
    bar->m_iButtonCapture = 1;
    EXPECT_TRUE(CKtvPToolBar::SetCustomizeMode(TRUE));
    EXPECT_FALSE(CKtvPToolBar::SetCustomizeMode(TRUE));
    EXPECT_TRUE(CKtvPToolBar::m_bCustomizeMode);
    EXPECT_EQ(bar->m_iHighlighted, -1);
    EXPECT_EQ(bar->m_iButtonCapture, -1);

    CKtvPToolBar::m_pSelToolbar = bar;
    EXPECT_TRUE(CKtvPToolBar::SetCustomizeMode(FALSE));
    EXPECT_EQ(CKtvPToolBar::m_pSelToolbar, nullptr);
}

// A bar that makes another bar when it is switched: the walk still switches every bar once.
class SpawningBar : public CKtvPToolBar {
public:
    void OnCustomizeMode(BOOL bSet) override
    {
        calls++;
        CKtvPToolBar::OnCustomizeMode(bSet);
        if (spawned == nullptr) {
            spawned = new SpawningBar;
            spawned->spawned = spawned;   // makes no further bar
            spawned->Create(GetParent(), WS_CHILD | CBRS_TOP, 0xE830);
        }
    }
    int calls = 0;
    SpawningBar* spawned = nullptr;
};

TEST_F(ToolBarCustomizeTest, BarsMadeDuringTheSwitchAreSwitchedExactlyOnce)
{
    SpawningBar spawning;
    ASSERT_TRUE(spawning.Create(frame, WS_CHILD | CBRS_TOP, 0xE831));
    CKtvPToolBar::SetCustomizeMode(TRUE);
    EXPECT_EQ(spawning.calls, 1);
    ASSERT_NE(spawning.spawned, nullptr);
    EXPECT_EQ(spawning.spawned->calls, 1);
    spawning.spawned->DestroyWindow();
    delete spawning.spawned;
    spawning.DestroyWindow();
}

struct GroupCase {
    const char* name;
    int dx;
    std::string expected;
};

TEST_F(ToolBarCustomizeTest, ShortDragsStartAndEndAGroup)
{
    CKtvPToolBar::SetCustomizeMode(TRUE);
    const GroupCase cases[] = {
        {"five pixels change nothing", 5, "1 2 3"},
        {"ten pixels right start a group", 10, "1 | 2 3"},
        {"ten pixels left end it", -10, "1 2 3"},
    };
    for (const GroupCase& c : cases) {
        SCOPED_TRACE(c.name);
        const int i = bar->CommandToIndex(2);
        Drag(At(bar, i), At(bar, i, c.dx));
        EXPECT_EQ(Layout(bar), c.expected);
    }
}

TEST_F(ToolBarCustomizeTest, DraggingToAnotherBarMovesOrCopiesTheButton)
{
    CKtvPToolBar::SetCustomizeMode(TRUE);
    Drag(At(bar, 0), At(other, 1, 6));
    EXPECT_EQ(Layout(bar), "2 3");
    EXPECT_EQ(Layout(other), "4 5 1");

    Drag(At(bar, 0), At(other, 0, -6), true);
    EXPECT_EQ(Layout(bar), "2 3") << "Ctrl copies";
    EXPECT_EQ(Layout(other), "2 4 5 1");
}

TEST_F(ToolBarCustomizeTest, ADropOutsideEveryBarDeletes_EscapeKeeps)
{
    CKtvPToolBar::SetCustomizeMode(TRUE);
    const POINT nowhere = ScreenPointOf(frame->GetSafeHwnd(), 300, 300);
    Drag(At(bar, 1), nowhere, false, true);
    EXPECT_EQ(Layout(bar), "1 2 3");
    Drag(At(bar, 1), nowhere);
    EXPECT_EQ(Layout(bar), "1 3");
}

TEST_F(ToolBarCustomizeTest, ALockedBarRefusesTheDropAndTheSourceKeepsItsButton)
{
    other->m_bLocked = TRUE;
    CKtvPToolBar::SetCustomizeMode(TRUE);
    Drag(At(bar, 2), At(other, 0));
    EXPECT_EQ(Layout(bar), "1 2 3");
    EXPECT_EQ(Layout(other), "4 5");

    ::SendMessage(other->GetSafeHwnd(), WM_CONTEXTMENU, (WPARAM)other->GetSafeHwnd(),
                  MAKELPARAM(At(other, 0).x, At(other, 0).y));
    EXPECT_EQ(tw::user::BeepTrace(), std::vector<UINT>{(UINT)-1}) << "a locked bar's menu only beeps";
}

TEST_F(ToolBarCustomizeTest, AltDragMovesButtonsWithoutTheCustomiseSheet)
{
    CKtvPToolBar::m_bAltCustomization = TRUE;
    input.KeyDown(VK_MENU);
    Drag(At(bar, 0), At(other, 1, 6));
    input.KeyUp(VK_MENU);
    Pump();
    EXPECT_EQ(Layout(bar), "2 3");
    EXPECT_EQ(Layout(other), "4 5 1");
    EXPECT_FALSE(CKtvPToolBar::m_bCustomizeMode) << "the mode lasts for the drag alone";
    EXPECT_FALSE(CKtvPToolBar::m_bAltCustomizeDrag);
    EXPECT_TRUE(frame->commands.empty()) << "nothing ran";
}

TEST_F(ToolBarCustomizeTest, TheRightEdgeOfAStretchableButtonDragsItsWidth)
{
    auto* pStretch = new StretchButton;
    bar->InsertButton(pStretch);
    bar->AdjustLayout();
    CKtvPToolBar::SetCustomizeMode(TRUE);
    const CRect rect = pStretch->m_rect;

    struct Case {
        int releaseX;   // client x of the release
        int width;
    };
    const Case cases[] = {
        {rect.left + 3, 60},     // narrower than 5 pixels: nothing
        {rect.right - 2 - 4, 60},  // within 6 pixels of the old edge: nothing
        {rect.left + 40, 40},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.releaseX);
        const POINT to = ScreenPointOf(bar->GetSafeHwnd(), c.releaseX, rect.top + 5);
        const POINT from = ScreenPointOf(bar->GetSafeHwnd(), pStretch->m_rect.right - 2, rect.top + 5);
        input.MouseMove(from.x, from.y);
        input.ButtonDown(MouseButton::Left, from.x, from.y);
        input.MouseMove(to.x, to.y);
        input.ButtonUp(MouseButton::Left, to.x, to.y);
        Pump();
        EXPECT_EQ(pStretch->width, c.width);
        EXPECT_FALSE(bar->m_bStretchButton);
        EXPECT_EQ(::GetCapture(), nullptr);
    }
}

TEST_F(ToolBarCustomizeTest, TheContextMenuOffersWhatFitsTheSelectedButton)
{
    CKtvPToolBar::SetCustomizeMode(TRUE);
    bar->InsertSeparator(2);
    struct Case {
        int button;
        UINT startGroup;   // the Start Group item's state
    };
    for (const Case& c : {Case{0, MF_GRAYED}, Case{3, MF_CHECKED}, Case{1, 0}}) {
        SCOPED_TRACE(c.button);
        CMenu fresh;
        ASSERT_TRUE(fresh.LoadMenu(IDR_KTVP_POPUP_TOOLBAR));
        CMenu* pPopup = fresh.GetSubMenu(0);
        EXPECT_TRUE(bar->EnableContextMenuItems(bar->GetButton(c.button), pPopup));
        EXPECT_EQ(pPopup->GetMenuState(ID_KTVP_TOOLBAR_START_GROUP, MF_BYCOMMAND) & (MF_GRAYED | MF_CHECKED),
                  c.startGroup);
        EXPECT_TRUE(pPopup->GetMenuState(ID_KTVP_TOOLBAR_IMAGE, MF_BYCOMMAND) & MF_CHECKED);
        // Button Appearance is offered for every button.
        EXPECT_FALSE(pPopup->GetMenuState(ID_KTVP_TOOLBAR_APPEARANCE, MF_BYCOMMAND) & MF_GRAYED);
    }
}

TEST_F(ToolBarCustomizeTest, TheContextMenuCommandsChangeTheSelectedButton)
{
    CKtvPToolBar::SetCustomizeMode(TRUE);
    auto command = [&](int iSelected, UINT uiCmd) {
        bar->m_iSelected = iSelected;
        bar->SendMessage(WM_COMMAND, uiCmd, 0);
    };

    command(1, ID_KTVP_TOOLBAR_START_GROUP);
    EXPECT_EQ(Layout(bar), "1 | 2 3");
    EXPECT_EQ(bar->m_iSelected, 2) << "the selection stays on the button";
    command(2, ID_KTVP_TOOLBAR_START_GROUP);
    EXPECT_EQ(Layout(bar), "1 2 3");

    command(2, ID_KTVP_TOOLBAR_TEXT);
    EXPECT_EQ(tw::user::BeepTrace().size(), 1u) << "a button without any text cannot show text";
    EXPECT_TRUE(bar->GetButton(2)->m_bImageShown);
    EXPECT_FALSE(bar->GetButton(2)->m_bTextShown);

    bar->SetButtonText(2, "Three");
    command(2, ID_KTVP_TOOLBAR_IMAGE_AND_TEXT);
    EXPECT_TRUE(bar->GetButton(2)->m_bImageShown && bar->GetButton(2)->m_bTextShown);
    const int nWithText = bar->GetButton(2)->m_rect.Width();
    EXPECT_GT(nWithText, 23);
    command(2, ID_KTVP_TOOLBAR_IMAGE);
    EXPECT_EQ(bar->GetButton(2)->m_rect.Width(), 23);

    command(0, ID_KTVP_TOOLBAR_DELETE);
    EXPECT_EQ(Layout(bar), "2 3");
    EXPECT_EQ(bar->m_iSelected, -1);
}

}  // namespace
}  // namespace tw::test
