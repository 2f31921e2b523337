#include <set>
#include <string>
#include <vector>

#include "platform/win32/kernel/ProcessClock.h"
#include "tests/platform/comctl/CommonControlTest.h"

namespace tw::comctl::test {
namespace {

std::string HeaderCodeName(UINT code)
{
    switch (code) {
    case HDN_ITEMCHANGING: return "ITEMCHANGING";
    case HDN_ITEMCHANGED: return "ITEMCHANGED";
    case HDN_ITEMCLICK: return "ITEMCLICK";
    case HDN_ITEMDBLCLICK: return "ITEMDBLCLICK";
    case HDN_DIVIDERDBLCLICK: return "DIVIDERDBLCLICK";
    case HDN_BEGINTRACK: return "BEGINTRACK";
    case HDN_ENDTRACK: return "ENDTRACK";
    case HDN_TRACK: return "TRACK";
    default: return std::to_string(int(code));
    }
}

// A header with columns of 100, 80 and 60 pixels whose notifications are
// written as "NAME item [width]".
class HeaderTest : public CommonControlTest {
protected:
    void SetUp() override
    {
        CommonControlTest::SetUp();
        header = Make(WC_HEADER, HDS_BUTTONS, RECT{0, 0, 300, 24});
        ASSERT_NE(header, nullptr);
        const char* names[] = {"Name", "Type", "Size"};
        const int widths[] = {100, 80, 60};
        for (int i = 0; i < 3; ++i) {
            HDITEM item{};
            item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
            item.pszText = const_cast<LPSTR>(names[i]);
            item.cxy = widths[i];
            item.fmt = HDF_LEFT | HDF_STRING;
            ASSERT_EQ(SendMessage(header, HDM_INSERTITEM, i, reinterpret_cast<LPARAM>(&item)), i);
        }
        onNotify = [this](NMHDR* nm) -> LRESULT {
            auto* hd = reinterpret_cast<NMHEADER*>(nm);
            std::string line = HeaderCodeName(nm->code) + " " + std::to_string(hd->iItem);
            if (hd->pitem && (hd->pitem->mask & HDI_WIDTH))
                line += " " + std::to_string(hd->pitem->cxy);
            transcript.push_back(line);
            return veto.count(nm->code) ? TRUE : FALSE;
        };
        Pump();
    }

    int Width(int index)
    {
        HDITEM item{};
        item.mask = HDI_WIDTH;
        SendMessage(header, HDM_GETITEM, index, reinterpret_cast<LPARAM>(&item));
        return item.cxy;
    }
    void DragDivider(int fromX, int toX)
    {
        tw::ProcessClock::Advance(GetDoubleClickTime() + 1);
        input.Drag(tw::display::MouseButton::Left, ScreenPointOf(header, fromX, 10), ScreenPointOf(header, toX, 10),
                   3);
        Pump();
    }

    HWND header = nullptr;
    std::vector<std::string> transcript;
    std::set<UINT> veto;
};

TEST_F(HeaderTest, ClickingAnItemReportsItOnRelease)
{
    Click(header, 140, 10);
    EXPECT_EQ(transcript, (std::vector<std::string>{"ITEMCLICK 1"}));

    // Released outside the item: no click.
    transcript.clear();
    tw::ProcessClock::Advance(GetDoubleClickTime() + 1);
    const POINT down = ScreenPointOf(header, 140, 10);
    const POINT up = ScreenPointOf(header, 140, 100);
    input.Drag(tw::display::MouseButton::Left, down, up, 2);
    Pump();
    EXPECT_TRUE(transcript.empty());
}

TEST_F(HeaderTest, DraggingADividerTracksThenChangesTheWidth)
{
    DragDivider(100, 130);
    ASSERT_GE(transcript.size(), 5u);
    EXPECT_EQ(transcript.front(), "BEGINTRACK 0 100");
    EXPECT_EQ(transcript[1].rfind("TRACK 0", 0), 0u);
    const std::vector<std::string> tail(transcript.end() - 3, transcript.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"ENDTRACK 0 130", "ITEMCHANGING 0 130", "ITEMCHANGED 0 130"}));
    EXPECT_EQ(Width(0), 130);
    RECT second{};
    SendMessage(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
    EXPECT_EQ(second.left, 130);

    // Dragged past the column's left edge, the width stops at zero.
    transcript.clear();
    DragDivider(210, 100);
    EXPECT_EQ(Width(1), 0);
}

TEST_F(HeaderTest, ParentCanRefuseTrackingAndChanges)
{
    veto = {HDN_BEGINTRACK};
    DragDivider(100, 150);
    EXPECT_EQ(transcript, (std::vector<std::string>{"BEGINTRACK 0 100"}));
    EXPECT_EQ(Width(0), 100);

    veto = {HDN_ITEMCHANGING};
    transcript.clear();
    HDITEM item{};
    item.mask = HDI_WIDTH;
    item.cxy = 10;
    EXPECT_FALSE(SendMessage(header, HDM_SETITEM, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(Width(0), 100);
    EXPECT_EQ(transcript, (std::vector<std::string>{"ITEMCHANGING 0 10"}));
}

TEST_F(HeaderTest, DoubleClicks)
{
    DoubleClick(header, 101, 10);
    DoubleClick(header, 40, 10);
    // The first click of a double click on a divider starts a drag that changes nothing.
    EXPECT_EQ(transcript, (std::vector<std::string>{"BEGINTRACK 0 100", "ENDTRACK 0 100", "DIVIDERDBLCLICK 0",
                                                   "ITEMCLICK 0", "ITEMDBLCLICK 0"}));
}

struct HeaderHitCase {
    int x;
    int item;
    UINT flags;
};

TEST_F(HeaderTest, HitTesting)
{
    const HeaderHitCase cases[] = {
        {50, 0, HHT_ONHEADER}, {98, 0, HHT_ONDIVIDER}, {103, 0, HHT_ONDIVIDER}, {150, 1, HHT_ONHEADER},
        {238, 2, HHT_ONDIVIDER}, {270, -1, HHT_NOWHERE}, {400, -1, HHT_TORIGHT},
    };
    for (const HeaderHitCase& c : cases) {
        HDHITTESTINFO info{};
        info.pt = POINT{c.x, 10};
        EXPECT_EQ(SendMessage(header, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)), c.item) << c.x;
        EXPECT_EQ(info.flags, c.flags) << c.x;
    }
}

TEST_F(HeaderTest, OrderArrayMovesColumnsAndRejectsNonPermutations)
{
    int order[3] = {2, 0, 1};
    ASSERT_TRUE(SendMessage(header, HDM_SETORDERARRAY, 3, reinterpret_cast<LPARAM>(order)));
    RECT rect{};
    SendMessage(header, HDM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&rect));
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.right, 60);
    EXPECT_EQ(SendMessage(header, HDM_ORDERTOINDEX, 0, 0), 2);

    int broken[3] = {0, 0, 1};
    EXPECT_FALSE(SendMessage(header, HDM_SETORDERARRAY, 3, reinterpret_cast<LPARAM>(broken)));
    int back[3] = {};
    ASSERT_TRUE(SendMessage(header, HDM_GETORDERARRAY, 3, reinterpret_cast<LPARAM>(back)));
    EXPECT_EQ(back[0], 2);

    ASSERT_TRUE(SendMessage(header, HDM_DELETEITEM, 0, 0));
    SendMessage(header, HDM_GETORDERARRAY, 2, reinterpret_cast<LPARAM>(back));
    EXPECT_EQ(back[0], 1) << "the old third column is now index 1, still first";
    EXPECT_EQ(back[1], 0);
}

TEST_F(HeaderTest, LayoutTakesTheFontHeightFromTheTop)
{
    RECT area{0, 0, 300, 200};
    WINDOWPOS pos{};
    HDLAYOUT layout{&area, &pos};
    ASSERT_TRUE(SendMessage(header, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout)));
    EXPECT_GT(pos.cy, 10);
    EXPECT_EQ(area.top, pos.cy);
    EXPECT_EQ(pos.cx, 300);
}

TEST_F(HeaderTest, TextIsCutToTheCallersBuffer)
{
    char buffer[3] = {};
    HDITEM item{};
    item.mask = HDI_TEXT;
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    ASSERT_TRUE(SendMessage(header, HDM_GETITEM, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_STREQ(buffer, "Na");
}

}  // namespace
}  // namespace tw::comctl::test
