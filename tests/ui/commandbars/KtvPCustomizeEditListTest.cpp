// The edit-list box: its caption buttons with their keys, items created,
// renamed, deleted and moved by keys, buttons and the mouse, and labels
// edited in place.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/mfc/CListCtrl.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/afxwin.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "tests/support/window/HeadlessWindowTest.h"
#include "tests/ui/commandbars/CustomizeTestSupport.h"
#include "ui/commandbars/KtvPEditListBox.h"
#include "ui/controls/KtvPButton.h"

namespace {

namespace custtest = tw::test::custtest;

// Records the hooks the base calls; refuses a removal when told to.
class RecordingEditList : public CKtvPEditListCtrl {
public:
    BOOL OnBeforeRemoveItem(int iItem) override
    {
        events.push_back("before-remove " + std::to_string(iItem));
        return allowRemove;
    }
    void OnAfterAddItem(int iItem) override { events.push_back("added " + std::to_string(iItem)); }
    void OnAfterRenameItem(int iItem) override { events.push_back("renamed " + std::to_string(iItem)); }
    void OnAfterMoveItemUp(int iItem) override { events.push_back("up " + std::to_string(iItem)); }
    void OnAfterMoveItemDown(int iItem) override { events.push_back("down " + std::to_string(iItem)); }

    std::vector<std::string> events;
    BOOL allowRemove = TRUE;
};

class EditListTest : public tw::test::HeadlessWindowTest {
protected:
    void SetUp() override
    {
        HeadlessWindowTest::SetUp();
        KtvPrepareUiTest();
        ::InitCommonControls();
        host = CWnd::FromHandle(parent);
        ASSERT_TRUE(list.Create("&Menu contents:", WS_CHILD | WS_VISIBLE | SS_NOTIFY, CRect(10, 10, 310, 160), host,
                                100));
        ASSERT_TRUE(list.SetStandardButtons());
        for (const char* name : {"alpha", "beta", "gamma"})
            list.AddItem(name, 0);
        list.m_pWndList->SetFocus();
        custtest::PumpTranslated();
    }
    void TearDown() override
    {
        list.DestroyWindow();
        HeadlessWindowTest::TearDown();
    }

    std::vector<std::string> Items()
    {
        std::vector<std::string> items;
        for (int i = 0; i < list.GetCount(); i++)
            items.push_back(static_cast<LPCTSTR>(list.GetItemText(i)));
        return items;
    }
    CRect LabelRect(int iItem)
    {
        CRect rect;
        list.m_pWndList->GetItemRect(iItem, &rect, LVIR_LABEL);
        return rect;
    }
    void PressKeys(std::initializer_list<UINT> modifiers, UINT vk)
    {
        for (UINT m : modifiers)
            input.KeyDown(m);
        input.KeyStroke(vk);
        for (UINT m : modifiers)
            input.KeyUp(m);
        custtest::PumpTranslated();
    }
    bool Editing() { return list.m_pWndList->GetEditControl() != nullptr; }
    // Types a label into the open editor and ends it with Enter.
    void TypeLabel(const std::string& text)
    {
        ASSERT_TRUE(Editing());
        input.KeyDown(VK_CONTROL);
        input.KeyStroke('A');
        input.KeyUp(VK_CONTROL);
        if (text.empty())
            input.KeyStroke(VK_DELETE);
        else
            TypeKeys(text);
        input.KeyStroke(VK_RETURN);
        custtest::PumpTranslated();
    }

    CWnd* host = nullptr;
    RecordingEditList list;
};

TEST_F(EditListTest, CaptionButtonsNameTheirKeysAndFitTheCaption)
{
    ASSERT_EQ(list.GetButtonsCount(), 4);
    const char* tooltips[] = {"New (Insert)", "Delete (Delete)", "Move Item Up (Alt+Up)", "Move Item Down (Alt+Down)"};
    for (int i = 0; i < 4; i++)
        EXPECT_STREQ(list.GetButton(i)->GetTooltipText(), tooltips[i]) << i;

    // Right to left from the last added; the list fills the rest below the caption.
    CRect rectClient;
    list.GetClientRect(&rectClient);
    CRect rectLast;
    list.GetButton(3)->GetWindowRect(&rectLast);
    list.ScreenToClient(&rectLast);
    EXPECT_EQ(rectLast.right, rectClient.right - 1);
    CRect rectFirst;
    list.GetButton(0)->GetWindowRect(&rectFirst);
    list.ScreenToClient(&rectFirst);
    EXPECT_EQ(rectFirst.left, rectLast.left - 3 * list.m_sizeButton.cx);

    TEXTMETRIC tm{};
    {
        CClientDC dc(&list);
        CFont* pOld = dc.SelectObject(CFont::FromHandle(reinterpret_cast<HFONT>(host->SendMessage(WM_GETFONT))));
        dc.GetTextMetrics(&tm);
        dc.SelectObject(pOld);
    }
    EXPECT_GE(list.m_rectCaption.Height(), list.m_sizeButton.cy);
    EXPECT_GE(list.m_rectCaption.Height(), tm.tmHeight * 4 / 3);
    CRect rectList;
    list.m_pWndList->GetWindowRect(&rectList);
    list.ScreenToClient(&rectList);
    EXPECT_EQ(rectList.top, list.m_rectCaption.bottom);
    EXPECT_EQ(rectList.bottom, rectClient.bottom);
}

TEST_F(EditListTest, KeysCreateDeleteAndMoveItems)
{
    // Insert makes a new item at the end and edits it; its name keeps it.
    PressKeys({}, VK_INSERT);
    TypeLabel("delta");
    EXPECT_EQ(Items(), (std::vector<std::string>{"alpha", "beta", "gamma", "delta"}));
    EXPECT_EQ(list.events, std::vector<std::string>{"added 3"});
    EXPECT_FALSE(list.m_bNewItem);

    // A new item left without a name goes again, and nothing is added.
    list.events.clear();
    PressKeys({}, VK_INSERT);
    TypeLabel("");
    EXPECT_EQ(Items(), (std::vector<std::string>{"alpha", "beta", "gamma", "delta"}));
    EXPECT_TRUE(list.events.empty());
    EXPECT_FALSE(list.m_bNewItem);

    // Delete asks first: refused, the item stays; allowed, it goes and its neighbour is selected.
    list.SelectItem(1);
    list.allowRemove = FALSE;
    PressKeys({}, VK_DELETE);
    EXPECT_EQ(Items().size(), 4u);
    list.allowRemove = TRUE;
    PressKeys({}, VK_DELETE);
    EXPECT_EQ(Items(), (std::vector<std::string>{"alpha", "gamma", "delta"}));
    EXPECT_EQ(list.GetSelItem(), 1);
    EXPECT_EQ(list.events, (std::vector<std::string>{"before-remove 1", "before-remove 1"}));

    // Alt+Up and Alt+Down move the selected item; at the ends they do nothing.
    struct Case {
        int iSelect;
        UINT vk;
        std::vector<std::string> items;
        int iSelected;
        const char* event;
    } const cases[] = {
        {0, VK_UP, {"alpha", "gamma", "delta"}, 0, nullptr},
        {2, VK_DOWN, {"alpha", "gamma", "delta"}, 2, nullptr},
        {2, VK_UP, {"alpha", "delta", "gamma"}, 1, "up 1"},
        {0, VK_DOWN, {"delta", "alpha", "gamma"}, 1, "down 1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.iSelect * 100 + static_cast<int>(c.vk));
        list.events.clear();
        list.SelectItem(c.iSelect);
        PressKeys({VK_MENU}, c.vk);
        EXPECT_EQ(Items(), c.items);
        EXPECT_EQ(list.GetSelItem(), c.iSelected);
        EXPECT_EQ(list.events, c.event ? std::vector<std::string>{c.event} : std::vector<std::string>{});
    }

    // F2 renames the selected item.
    list.events.clear();
    list.SelectItem(0);
    PressKeys({}, VK_F2);
    TypeLabel("epsilon");
    EXPECT_EQ(Items()[0], "epsilon");
    EXPECT_EQ(list.events, std::vector<std::string>{"renamed 0"});
}

TEST_F(EditListTest, CaptionButtonsWorkAndAreGreyedWhileEditing)
{
    list.SelectItem(2);
    custtest::ClickCentre(input, list.GetButton(2)->GetSafeHwnd());
    EXPECT_EQ(Items(), (std::vector<std::string>{"alpha", "gamma", "beta"}));
    EXPECT_EQ(::GetFocus(), list.m_pWndList->GetSafeHwnd());

    custtest::ClickCentre(input, list.GetButton(0)->GetSafeHwnd());
    ASSERT_TRUE(Editing());
    for (int i = 0; i < 4; i++)
        EXPECT_FALSE(list.GetButton(i)->IsWindowEnabled()) << i;
    TypeLabel("zeta");
    for (int i = 0; i < 4; i++)
        EXPECT_TRUE(list.GetButton(i)->IsWindowEnabled()) << i;
    EXPECT_EQ(Items().back(), "zeta");
}

TEST_F(EditListTest, DoubleClickBelowTheItemsCreatesOne)
{
    // Clicking the empty part first leaves no item selected.
    CRect rectClient;
    list.m_pWndList->GetClientRect(&rectClient);
    const CRect rectLast = LabelRect(2);
    const int y = rectLast.bottom + (rectClient.bottom - rectLast.bottom) / 2;
    custtest::ClickTranslated(input, list.m_pWndList->GetSafeHwnd(), 20, y);
    ASSERT_EQ(list.GetSelItem(), -1);
    DoubleClick(list.m_pWndList->GetSafeHwnd(), 20, y);
    custtest::PumpTranslated();
    ASSERT_TRUE(Editing());
    TypeLabel("omega");
    EXPECT_EQ(Items(), (std::vector<std::string>{"alpha", "beta", "gamma", "omega"}));
    EXPECT_EQ(list.events, std::vector<std::string>{"added 3"});
}

TEST_F(EditListTest, ClickOnTheSelectedLabelEditsOnlyWithinTheDragThreshold)
{
    list.SelectItem(1);
    custtest::PumpTranslated();
    const CRect rect = LabelRect(1);
    const HWND hList = list.m_pWndList->GetSafeHwnd();
    POINT pt{rect.left + 5, rect.CenterPoint().y};
    ::ClientToScreen(hList, &pt);

    // Moved further than the threshold between press and release: no editing.
    tw::ProcessClock::Advance(::GetDoubleClickTime() + 1);
    input.MouseMove(pt.x, pt.y);
    input.ButtonDown(tw::display::MouseButton::Left, pt.x, pt.y);
    const int dx = ::GetSystemMetrics(SM_CXDRAG) + 3;
    input.MouseMove(pt.x + dx, pt.y);
    input.ButtonUp(tw::display::MouseButton::Left, pt.x + dx, pt.y);
    custtest::PumpTranslated();
    EXPECT_FALSE(Editing());
    EXPECT_EQ(::GetCapture(), nullptr);

    // Within it: the label is edited.
    tw::ProcessClock::Advance(::GetDoubleClickTime() + 1);
    input.ButtonDown(tw::display::MouseButton::Left, pt.x, pt.y);
    input.MouseMove(pt.x + 1, pt.y);
    input.ButtonUp(tw::display::MouseButton::Left, pt.x + 1, pt.y);
    custtest::PumpTranslated();
    ASSERT_TRUE(Editing());
    TypeLabel("bravo");
    EXPECT_EQ(Items()[1], "bravo");
}

// Removing an item reports success whenever it went, selected or not.
TEST_F(EditListTest, RemoveItemAnswersTrueWheneverTheItemWent)
{
    list.SelectItem(0);
    EXPECT_TRUE(list.RemoveItem(2));
    EXPECT_EQ(Items(), (std::vector<std::string>{"alpha", "beta"}));
    EXPECT_EQ(list.GetSelItem(), 0);
    EXPECT_TRUE(list.RemoveItem(0));
    EXPECT_EQ(list.GetSelItem(), 0);
    EXPECT_FALSE(list.RemoveItem(5));
}

}  // namespace
