#include <vector>

#include "tests/platform/comctl/CommonControlTest.h"

namespace tw::comctl::test {
namespace {

class TabTest : public CommonControlTest {
protected:
    void SetUp() override
    {
        CommonControlTest::SetUp();
        tab = Make(WC_TABCONTROL, WS_TABSTOP, RECT{10, 10, 310, 210});
        for (const char* name : {"General", "Fonts", "Colors"})
            Add(name);
        onNotify = [this](NMHDR* nm) -> LRESULT {
            if (nm->code == TCN_SELCHANGING || nm->code == TCN_SELCHANGE)
                selAtNotify.push_back(int(SendMessage(tab, TCM_GETCURSEL, 0, 0)));
            if (nm->code == TCN_KEYDOWN)
                keys.push_back(reinterpret_cast<NMTCKEYDOWN*>(nm)->wVKey);
            return nm->code == TCN_SELCHANGING && refuse ? TRUE : FALSE;
        };
    }
    int Add(const char* name)
    {
        TCITEM item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<LPSTR>(name);
        return int(SendMessage(tab, TCM_INSERTITEM, SendMessage(tab, TCM_GETITEMCOUNT, 0, 0),
                               reinterpret_cast<LPARAM>(&item)));
    }
    RECT TabRect(int index)
    {
        RECT rect{};
        SendMessage(tab, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
        return rect;
    }
    int CurSel() { return int(SendMessage(tab, TCM_GETCURSEL, 0, 0)); }

    HWND tab = nullptr;
    bool refuse = false;
    std::vector<int> selAtNotify;
    std::vector<WORD> keys;
};

TEST_F(TabTest, FirstTabIsSelectedAndTabsSitSideBySide)
{
    EXPECT_EQ(CurSel(), 0);
    const RECT first = TabRect(0);
    const RECT second = TabRect(1);
    EXPECT_EQ(second.left, first.right);
    EXPECT_EQ(second.top, first.top);
    EXPECT_GT(first.right - first.left, second.right - second.left) << "\"General\" is wider than \"Fonts\"";
}

TEST_F(TabTest, OnlyTheTabsTakeTheMouse)
{
    // What lies in the display area (a property sheet's page) gets the clicks there.
    const RECT first = TabRect(0);
    const POINT onTab = ScreenPointOf(tab, (first.left + first.right) / 2, (first.top + first.bottom) / 2);
    const POINT inArea = ScreenPointOf(tab, 150, 150);
    EXPECT_EQ(SendMessage(tab, WM_NCHITTEST, 0, MAKELPARAM(onTab.x, onTab.y)), HTCLIENT);
    EXPECT_EQ(SendMessage(tab, WM_NCHITTEST, 0, MAKELPARAM(inArea.x, inArea.y)), HTTRANSPARENT);
}

TEST_F(TabTest, ClickingATabAsksThenTellsTheParent)
{
    const RECT second = TabRect(1);
    Click(tab, (second.left + second.right) / 2, (second.top + second.bottom) / 2);
    EXPECT_EQ(codes, (std::vector<UINT>{TCN_SELCHANGING, TCN_SELCHANGE, NM_CLICK}));
    EXPECT_EQ(selAtNotify, (std::vector<int>{0, 1})) << "the selection changes between the two";
    EXPECT_EQ(CurSel(), 1);
    EXPECT_EQ(GetFocus(), tab);
}

TEST_F(TabTest, RefusedChangeKeepsTheSelection)
{
    refuse = true;
    const RECT third = TabRect(2);
    Click(tab, (third.left + third.right) / 2, (third.top + third.bottom) / 2);
    EXPECT_EQ(CurSel(), 0);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), TCN_SELCHANGE), 0);
}

TEST_F(TabTest, ArrowKeysMoveTheSelection)
{
    SetFocus(tab);
    Clear();
    Key(VK_RIGHT);
    Key(VK_RIGHT);
    Key(VK_RIGHT);  // already on the last tab
    Key(VK_HOME);
    EXPECT_EQ(CurSel(), 0);
    EXPECT_EQ(keys, (std::vector<WORD>{VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_HOME}));
    EXPECT_EQ(std::count(codes.begin(), codes.end(), TCN_SELCHANGE), 3);
}

TEST_F(TabTest, SetCurSelIsSilentAndDeletingTheSelectionLeavesNone)
{
    EXPECT_EQ(SendMessage(tab, TCM_SETCURSEL, 2, 0), 0);
    EXPECT_EQ(SendMessage(tab, TCM_SETCURSEL, 7, 0), -1);
    EXPECT_TRUE(codes.empty());
    SendMessage(tab, TCM_DELETEITEM, 0, 0);
    EXPECT_EQ(CurSel(), 1) << "the selected tab moved down with the deletion";
    SendMessage(tab, TCM_DELETEITEM, 1, 0);
    EXPECT_EQ(CurSel(), -1);
}

TEST_F(TabTest, AdjustRectConvertsBetweenWindowAndDisplayArea)
{
    RECT window{0, 0, 300, 200};
    RECT display = window;
    SendMessage(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    EXPECT_GT(display.top, TabRect(0).bottom - 1) << "the display area starts under the tabs";
    EXPECT_LT(display.right, window.right);
    SendMessage(tab, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&display));
    EXPECT_EQ(display.left, window.left);
    EXPECT_EQ(display.top, window.top);
    EXPECT_EQ(display.right, window.right);
    EXPECT_EQ(display.bottom, window.bottom);
}

TEST_F(TabTest, MultiLineTabsWrapIntoRows)
{
    HWND narrow = Make(WC_TABCONTROL, TCS_MULTILINE, RECT{10, 220, 110, 380}, 101);
    for (const char* name : {"General", "Fonts", "Colors", "Keyboard"}) {
        TCITEM item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<LPSTR>(name);
        SendMessage(narrow, TCM_INSERTITEM, 99, reinterpret_cast<LPARAM>(&item));
    }
    EXPECT_GT(SendMessage(narrow, TCM_GETROWCOUNT, 0, 0), 1);
    EXPECT_EQ(SendMessage(tab, TCM_GETROWCOUNT, 0, 0), 1);
}

}  // namespace
}  // namespace tw::comctl::test
