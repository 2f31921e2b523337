#include <string>
#include <vector>

#include "platform/win32/kernel/ProcessClock.h"
#include "platform/comctl/DragList.h"
#include "tests/platform/comctl/CommonControlTest.h"

namespace tw::comctl::test {
namespace {

// A list box of six items made a drag list; the parent writes each drag-list
// message as "NAME item-under-the-cursor" and starts drags when asked.
class DragListTest : public CommonControlTest {
protected:
    void SetUp() override
    {
        CommonControlTest::SetUp();
        listBox = Make("ListBox", LBS_NOTIFY | WS_BORDER, RECT{60, 20, 200, 160});
        for (const char* text : {"one", "two", "three", "four", "five", "six"})
            SendMessage(listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        ASSERT_TRUE(MakeDragList(listBox));
        dragMessage = RegisterWindowMessage(DRAGLISTMSGSTRING);
        onMessage = [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
            if (message != dragMessage)
                return false;
            const auto* info = reinterpret_cast<const DRAGLISTINFO*>(lParam);
            EXPECT_EQ(info->hWnd, listBox);
            EXPECT_EQ(int(wParam), 100);
            const int item = LBItemFromPt(info->hWnd, info->ptCursor, FALSE);
            static const char* names[] = {"BEGINDRAG", "DRAGGING", "DROPPED", "CANCELDRAG"};
            transcript.push_back(std::string(names[info->uNotification - DL_BEGINDRAG]) + " " + std::to_string(item));
            *result = info->uNotification == DL_BEGINDRAG ? allowDrag : DL_MOVECURSOR;
            return true;
        };
    }
    POINT ItemPoint(int index)
    {
        RECT item{};
        SendMessage(listBox, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
        return ScreenPointOf(listBox, 20, (item.top + item.bottom) / 2);
    }

    HWND listBox = nullptr;
    UINT dragMessage = 0;
    LRESULT allowDrag = TRUE;
    std::vector<std::string> transcript;
};

TEST_F(DragListTest, DraggingAnItemTellsTheParentThenDrops)
{
    tw::ProcessClock::Advance(GetDoubleClickTime() + 1);
    input.Drag(tw::display::MouseButton::Left, ItemPoint(0), ItemPoint(2), 2);
    Pump();
    ASSERT_GE(transcript.size(), 3u);
    EXPECT_EQ(transcript.front(), "BEGINDRAG 0");
    EXPECT_EQ(transcript[1].rfind("DRAGGING", 0), 0u);
    EXPECT_EQ(transcript.back(), "DROPPED 2");
    EXPECT_EQ(SendMessage(listBox, LB_GETCURSEL, 0, 0), 0) << "the list box selected the pressed item";
    EXPECT_NE(GetCapture(), listBox);
}

TEST_F(DragListTest, EscapeCancelsAndARefusedBeginIsNoDrag)
{
    SetFocus(listBox);
    const POINT from = ItemPoint(1);
    tw::ProcessClock::Advance(GetDoubleClickTime() + 1);
    input.MouseMove(from.x, from.y);
    input.ButtonDown(tw::display::MouseButton::Left, from.x, from.y);
    Pump();
    Key(VK_ESCAPE);
    EXPECT_EQ(transcript.back(), "CANCELDRAG 1");
    input.ButtonUp(tw::display::MouseButton::Left, from.x, from.y);
    Pump();
    EXPECT_EQ(transcript.back(), "CANCELDRAG 1") << "the release after a cancel drops nothing";

    transcript.clear();
    allowDrag = FALSE;
    tw::ProcessClock::Advance(GetDoubleClickTime() + 1);
    input.Drag(tw::display::MouseButton::Left, ItemPoint(0), ItemPoint(3), 2);
    Pump();
    EXPECT_EQ(transcript, (std::vector<std::string>{"BEGINDRAG 0"}));
}

TEST_F(DragListTest, ItemFromPointAndAutoScroll)
{
    EXPECT_EQ(LBItemFromPt(listBox, ItemPoint(3), FALSE), 3);
    const POINT left = ScreenPointOf(listBox, -5, 10);
    EXPECT_EQ(LBItemFromPt(listBox, left, FALSE), -1);
    // Make the list scroll: shrink it to two items' height.
    SetWindowPos(listBox, nullptr, 0, 0, 140, 40, SWP_NOMOVE | SWP_NOZORDER);
    SendMessage(listBox, LB_SETTOPINDEX, 2, 0);
    const POINT above = ScreenPointOf(listBox, 20, -5);
    EXPECT_EQ(LBItemFromPt(listBox, above, FALSE), -1);
    EXPECT_EQ(SendMessage(listBox, LB_GETTOPINDEX, 0, 0), 2) << "no scrolling unless asked";
    EXPECT_EQ(LBItemFromPt(listBox, above, TRUE), -1);
    EXPECT_EQ(SendMessage(listBox, LB_GETTOPINDEX, 0, 0), 1);
    LBItemFromPt(listBox, above, TRUE);
    EXPECT_EQ(SendMessage(listBox, LB_GETTOPINDEX, 0, 0), 1) << "too soon for the next step";
    Advance(tw::comctl::DragList::kAutoScrollMs);
    LBItemFromPt(listBox, above, TRUE);
    EXPECT_EQ(SendMessage(listBox, LB_GETTOPINDEX, 0, 0), 0);
}

TEST_F(DragListTest, InsertArrowIsDrawnLeftOfTheListAndErased)
{
    RECT item{};
    SendMessage(listBox, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
    POINT line{0, item.top};
    MapWindowPoints(listBox, parent, &line, 1);
    const COLORREF face = ScreenPixel(parent, 52, line.y);
    DrawInsert(parent, listBox, 2);
    EXPECT_EQ(ScreenPixel(parent, 52, line.y), GetSysColor(COLOR_WINDOWTEXT));
    DrawInsert(parent, listBox, -1);
    EXPECT_EQ(ScreenPixel(parent, 52, line.y), face);
}

}  // namespace
}  // namespace tw::comctl::test
