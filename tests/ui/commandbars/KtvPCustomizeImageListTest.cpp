// The image list button: buttons in wrapping rows, picked by mouse and keys,
// the parent told only of changes, and its own scroll bar when rows overflow.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/mfc/CWinApp.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "tests/ui/commandbars/CustomizeTestSupport.h"
#include "tests/ui/commandbars/KtvPToolBarTestSupport.h"
#include "ui/commandbars/KtvPImageListButton.h"
#include "ui/commandbars/KtvPToolBarImages.h"
#include "ui/commandbars/KtvPToolbarButton.h"

namespace {

namespace custtest = tw::test::custtest;
namespace tbres = tw::test::tbres;

constexpr UINT kListId = 16508;

class ImageListTest : public tw::test::HeadlessWindowTest {
protected:
    void SetUp() override
    {
        HeadlessWindowTest::SetUp();
        KtvPrepareUiTest();
        tbres::Register();
        images.SetImageSize(CSize(16, 15));
        ASSERT_TRUE(images.Load(tbres::kBar));
        // Three buttons a row, four whole rows visible.
        const int cx = 4 + 3 * (22 + 4) + 4 + ::GetSystemMetrics(SM_CXVSCROLL) + 1;
        const int cy = 10 + 4 * (22 + 5);
        ASSERT_TRUE(list.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW | WS_TABSTOP, CRect(10, 10, 10 + cx, 10 + cy),
                                CWnd::FromHandle(parent), kListId));
        list.SetImages(&images);
    }
    void TearDown() override
    {
        list.RemoveButtons();
        list.DestroyWindow();
        HeadlessWindowTest::TearDown();
    }
    LRESULT HandleParentMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND && LOWORD(wParam) == kListId && HIWORD(wParam) == BN_CLICKED)
            notices++;
        return HeadlessWindowTest::HandleParentMessage(hwnd, message, wParam, lParam);
    }

    void Fill(int nButtons)
    {
        // The list lets go of its buttons before they are deleted.
        list.RemoveButtons();
        buttons.clear();
        for (int i = 0; i < nButtons; i++) {
            // Command 0: the list's buttons register no image with the command manager.
            buttons.push_back(std::make_unique<CKtvPToolbarButton>(0, i, nullptr, TRUE));
            list.AddButton(buttons.back().get());
        }
        notices = 0;
    }
    int Selected()
    {
        for (size_t i = 0; i < buttons.size(); i++)
            if (buttons[i].get() == list.GetSelectedButton())
                return static_cast<int>(i);
        return -1;
    }
    void Press(UINT vk)
    {
        input.KeyStroke(vk);
        custtest::PumpTranslated();
    }

    CKtvPToolBarImages images;
    CKtvPImageListButton list;
    std::vector<std::unique_ptr<CKtvPToolbarButton>> buttons;
    int notices = 0;
};

TEST_F(ImageListTest, ButtonsWrapIntoRowsOfTheItemHeight)
{
    Fill(7);
    EXPECT_EQ(list.m_sizeButton, CSize(22, 22));
    const CPoint expected[] = {{4, 5}, {30, 5}, {56, 5}, {4, 32}, {30, 32}, {56, 32}, {4, 59}};
    for (int i = 0; i < 7; i++) {
        EXPECT_EQ(buttons[i]->m_rect.TopLeft(), expected[i]) << i;
        EXPECT_EQ(buttons[i]->m_rect.Height(), 22) << i;
    }
    // Fewer rows than fit: no scroll bar window.
    EXPECT_EQ(list.m_wndScrollBar.GetSafeHwnd(), nullptr);
    EXPECT_EQ(list.HitTest(buttons[4]->m_rect.CenterPoint()), buttons[4].get());
    EXPECT_EQ(list.HitTest(CPoint(2, 2)), nullptr);
}

TEST_F(ImageListTest, KeysMoveTheSelectionAndTellTheParentOnlyOfChanges)
{
    Fill(5);
    list.SetFocus();
    custtest::PumpTranslated();
    // Focus selects the first button.
    EXPECT_EQ(Selected(), 0);
    EXPECT_EQ(notices, 1);
    struct Step {
        UINT vk;
        int selected;
        int notices;
    } const steps[] = {
        {VK_LEFT, 0, 1}, {VK_UP, 0, 1}, {VK_RIGHT, 1, 2}, {VK_DOWN, 2, 3}, {VK_END, 4, 4},
        {VK_RIGHT, 4, 4}, {VK_DOWN, 4, 4}, {VK_HOME, 0, 5}, {VK_HOME, 0, 5},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.vk);
        Press(step.vk);
        EXPECT_EQ(Selected(), step.selected);
        EXPECT_EQ(notices, step.notices);
    }
    // Selecting by image: none known keeps the selection; a negative image selects none, once.
    EXPECT_FALSE(list.SelectButton(42));
    EXPECT_EQ(Selected(), 0);
    EXPECT_TRUE(list.SelectButton(3));
    EXPECT_EQ(Selected(), 3);
    const int before = notices;
    EXPECT_TRUE(list.SelectButton(-1));
    EXPECT_EQ(Selected(), -1);
    EXPECT_EQ(notices, before + 1);
    EXPECT_TRUE(list.SelectButton(-1));
    EXPECT_EQ(notices, before + 1);

    // A click picks the button under it; a click beside every button changes nothing.
    custtest::ClickTranslated(input, list.GetSafeHwnd(), buttons[2]->m_rect.CenterPoint().x,
                              buttons[2]->m_rect.CenterPoint().y);
    EXPECT_EQ(Selected(), 2);
    custtest::ClickTranslated(input, list.GetSafeHwnd(), 2, 2);
    EXPECT_EQ(Selected(), 2);
}

TEST_F(ImageListTest, KeysOnAnEmptyListDoNothing)
{
    Fill(0);
    list.SetFocus();
    for (UINT vk : {VK_HOME, VK_END, VK_LEFT, VK_RIGHT})
        Press(vk);
    EXPECT_EQ(list.GetSelectedButton(), nullptr);
    EXPECT_EQ(notices, 0);
}

TEST_F(ImageListTest, OverflowingRowsScrollWithTheirOwnBar)
{
    Fill(21);  // seven rows, four fit
    ASSERT_NE(list.m_wndScrollBar.GetSafeHwnd(), nullptr);
    const int step = 22 + 5;
    EXPECT_EQ(list.m_nScrollPage, 4);
    EXPECT_EQ(list.m_nScrollTotal, 3 * step);
    EXPECT_TRUE(list.m_wndScrollBar.IsWindowEnabled());
    int nMin = -1, nMax = -1;
    list.m_wndScrollBar.GetScrollRange(&nMin, &nMax);
    EXPECT_EQ(nMax, 3 * step);

    // The thumb snaps to a whole row on release; exactly halfway goes to the larger one.
    struct Case {
        UINT code;
        int pos;
        int expected;
    } const cases[] = {
        {SB_THUMBTRACK, 40, 0},
        {SB_THUMBPOSITION, step / 2 - 1 + step, step},
        {SB_THUMBPOSITION, step + (step + 1) / 2, 2 * step},
        {SB_LINEUP, 0, step},
        {SB_BOTTOM, 0, 3 * step},
        {SB_LINEDOWN, 0, 3 * step},
        {SB_PAGEUP, 0, 0},
        {SB_PAGEDOWN, 0, 3 * step},
        {SB_TOP, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        list.SendMessage(WM_VSCROLL, MAKEWPARAM(c.code, c.pos), reinterpret_cast<LPARAM>(list.m_wndScrollBar.GetSafeHwnd()));
        EXPECT_EQ(list.m_nScrollOffset, c.expected);
    }

    // Down past the visible rows scrolls so the selected button's bottom meets the control's bottom.
    list.SetFocus();
    custtest::PumpTranslated();
    list.SelectButton(buttons[14].get());
    EXPECT_EQ(list.m_nScrollOffset, 0);
    Press(VK_RIGHT);
    CRect rectClient;
    list.GetClientRect(&rectClient);
    ASSERT_GE(buttons[15]->m_rect.top, rectClient.bottom) << "the next row starts below the control";
    EXPECT_EQ(list.m_nScrollOffset, buttons[15]->m_rect.bottom - rectClient.Height());

    // Refilled with few rows the bar is disabled at 0; refilled with many it works again.
    Fill(3);
    EXPECT_FALSE(list.m_wndScrollBar.IsWindowEnabled());
    EXPECT_EQ(list.m_wndScrollBar.GetScrollPos(), 0);
    list.m_wndScrollBar.GetScrollRange(&nMin, &nMax);
    EXPECT_EQ(nMax, 0);
    Fill(21);
    EXPECT_TRUE(list.m_wndScrollBar.IsWindowEnabled());
    list.m_wndScrollBar.GetScrollRange(&nMin, &nMax);
    EXPECT_EQ(nMax, 3 * step);
}

}  // namespace
