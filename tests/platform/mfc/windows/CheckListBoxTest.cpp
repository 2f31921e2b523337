// The check list box: check states and enabling kept per item beside the
// program's own item data, a click on the box or the space bar toggling it
// with CLBN_CHKCHANGE to the parent, disabled items refusing, and the
// program's data handed back when items go.
#include <vector>

#include "platform/display/InputInjector.h"
#include "tests/platform/mfc/windows/WindowTestFixture.h"

namespace tw::mfc::test {
namespace {

constexpr UINT IDC_LIST = 600;

class ListParent : public CWnd {
public:
    int changes = 0;

protected:
    void OnCheckChange() { ++changes; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ListParent, CWnd)
    ON_CONTROL(CLBN_CHKCHANGE, IDC_LIST, OnCheckChange)
END_MESSAGE_MAP()

class RecordingCheckList : public CCheckListBox {
public:
    std::vector<DWORD_PTR> deletedData;
    void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct) override { deletedData.push_back(lpDeleteItemStruct->itemData); }
};

class CheckList : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        ASSERT_TRUE(parent.CreateEx(0, nullptr, "Parent", WS_POPUP | WS_VISIBLE, CRect(100, 100, 400, 300), nullptr, 0));
        ASSERT_TRUE(list.Create(WS_VISIBLE | WS_BORDER | LBS_NOTIFY, CRect(10, 10, 210, 150), &parent, IDC_LIST));
        for (const char* name : {"Databases", "Tables", "Views"})
            list.AddString(name);
        Pump();
    }
    // The screen point of an item's box, or of its text.
    POINT PointOf(int nIndex, bool onBox)
    {
        CRect item;
        list.GetItemRect(nIndex, &item);
        CPoint pt(onBox ? item.left + 7 : item.left + 60, item.CenterPoint().y);
        list.ClientToScreen(&pt);
        return pt;
    }
    void ClickAt(POINT pt)
    {
        input.Click(tw::display::MouseButton::Left, pt.x, pt.y);
        Pump();
    }
    ListParent parent;
    RecordingCheckList list;
    tw::display::InputInjector input;
};

TEST_F(CheckList, ChecksAndDataLiveSideBySide)
{
    EXPECT_TRUE(list.GetStyle() & LBS_OWNERDRAWFIXED);
    EXPECT_TRUE(list.GetStyle() & LBS_HASSTRINGS);
    list.SetItemData(1, 0xBEEF);
    list.SetCheck(1, 1);
    list.SetCheck(2, 2);
    EXPECT_EQ(list.GetCheck(0), 0);
    EXPECT_EQ(list.GetCheck(1), 1);
    EXPECT_EQ(list.GetCheck(2), 2);
    EXPECT_EQ(list.GetItemData(1), 0xBEEFu);
    EXPECT_EQ(list.GetItemData(0), 0u);
    EXPECT_EQ(list.SetItemData(7, 1), LB_ERR);
    EXPECT_TRUE(list.IsEnabled(2));
    list.Enable(2, FALSE);
    EXPECT_FALSE(list.IsEnabled(2));
    EXPECT_EQ(list.GetCheck(2), 2);
}

TEST_F(CheckList, ClickOnTheBoxTogglesAndTellsTheParent)
{
    ClickAt(PointOf(0, true));
    EXPECT_EQ(list.GetCheck(0), 1);
    EXPECT_EQ(parent.changes, 1);
    ClickAt(PointOf(0, true));
    EXPECT_EQ(list.GetCheck(0), 0);
    EXPECT_EQ(parent.changes, 2);

    // A click on the text selects without checking.
    ClickAt(PointOf(1, false));
    EXPECT_EQ(list.GetCheck(1), 0);
    EXPECT_EQ(list.GetCurSel(), 1);
    EXPECT_EQ(parent.changes, 2);
}

TEST_F(CheckList, ThreeStateStyleCyclesThroughIndeterminate)
{
    list.SetCheckStyle(BS_AUTO3STATE);
    std::vector<int> seen;
    for (int i = 0; i < 3; ++i) {
        ClickAt(PointOf(0, true));
        seen.push_back(list.GetCheck(0));
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 0}));
}

TEST_F(CheckList, DisabledItemAndManualStyleRefuseClicks)
{
    list.Enable(0, FALSE);
    ClickAt(PointOf(0, true));
    EXPECT_EQ(list.GetCheck(0), 0);
    list.SetCheckStyle(BS_CHECKBOX);
    ClickAt(PointOf(1, true));
    EXPECT_EQ(list.GetCheck(1), 0);
    EXPECT_EQ(parent.changes, 0);
}

TEST_F(CheckList, SpaceTogglesTheItemWithTheCaret)
{
    list.SetFocus();
    list.SetCurSel(2);
    input.KeyStroke(VK_SPACE);
    Pump();
    EXPECT_EQ(list.GetCheck(2), 1);
    EXPECT_EQ(parent.changes, 1);
}

TEST_F(CheckList, DeletedItemsHandBackTheProgramsData)
{
    list.SetItemData(0, 11);
    list.SetCheck(1, 1);  // check data, no program data
    list.DeleteString(0);
    EXPECT_EQ(list.deletedData, (std::vector<DWORD_PTR>{11}));
    EXPECT_EQ(list.GetCheck(0), 1);  // "Tables" moved up with its check
    list.ResetContent();
    EXPECT_EQ(list.deletedData, (std::vector<DWORD_PTR>{11, 0}));
}

}  // namespace
}  // namespace tw::mfc::test
