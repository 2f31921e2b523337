// CDragListBox driven by injected mouse input: the drag reaches its virtuals
// through the host's reflection, and the default drop moves the item with its data.
#include "platform/display/Display.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "tests/platform/mfc/controls/ControlHost.h"

namespace tw::mfc::test {
namespace {

class RecordingDragList : public CDragListBox {
public:
    std::vector<std::string> calls;
    BOOL BeginDrag(CPoint pt) override
    {
        calls.push_back("begin " + std::to_string(ItemFromPt(pt)));
        return CDragListBox::BeginDrag(pt);
    }
    UINT Dragging(CPoint pt) override
    {
        if (calls.back() != "dragging")
            calls.push_back("dragging");
        return CDragListBox::Dragging(pt);
    }
    void Dropped(int nSrcIndex, CPoint pt) override
    {
        calls.push_back("dropped " + std::to_string(nSrcIndex) + " on " + std::to_string(ItemFromPt(pt, FALSE)));
        CDragListBox::Dropped(nSrcIndex, pt);
    }
    void CancelDrag(CPoint pt) override
    {
        calls.push_back("cancel");
        CDragListBox::CancelDrag(pt);
    }
    int Inserted() const { return m_nLast; }
};

class DragListBoxWrapper : public ControlsTest {
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_NOTIFY, CRect(20, 20, 220, 220), &Parent(),
                                IDC_DRAGLIST));
        for (const char* name : {"one", "two", "three", "four"}) {
            const int index = list.AddString(name);
            list.SetItemData(index, 10u + static_cast<DWORD_PTR>(index));
        }
        Pump();
    }
    virtual CWnd& Parent() { return host; }
    POINT ItemPoint(int index)
    {
        CRect item;
        list.GetItemRect(index, &item);
        CPoint pt(item.left + 20, item.CenterPoint().y);
        list.ClientToScreen(&pt);
        return pt;
    }
    std::vector<std::string> Items()
    {
        std::vector<std::string> items;
        for (int i = 0; i < list.GetCount(); ++i) {
            CString text;
            list.GetText(i, text);
            items.emplace_back(text);
        }
        return items;
    }
    RecordingDragList list;
};

TEST_F(DragListBoxWrapper, ADragByTheMouseMovesTheItemWithItsData)
{
    tw::ProcessClock::Advance(GetDoubleClickTime() + 1);
    input.Drag(tw::display::MouseButton::Left, ItemPoint(0), ItemPoint(3), 3);
    Pump();
    EXPECT_EQ(list.calls, (std::vector<std::string>{"begin 0", "dragging", "dropped 0 on 3"}));
    EXPECT_EQ(Items(), (std::vector<std::string>{"two", "three", "one", "four"}));
    EXPECT_EQ(list.GetItemData(2), 10u);
    EXPECT_EQ(list.GetCurSel(), 2);
    EXPECT_EQ(list.Inserted(), -1) << "the insert mark is gone after the drop";
}

TEST_F(DragListBoxWrapper, DroppingOnItselfOrEscapeLeavesTheOrder)
{
    tw::ProcessClock::Advance(GetDoubleClickTime() + 1);
    input.Drag(tw::display::MouseButton::Left, ItemPoint(1), ItemPoint(2), 3);
    Pump();
    EXPECT_EQ(Items(), (std::vector<std::string>{"one", "two", "three", "four"})) << "just below itself";

    list.calls.clear();
    list.SetFocus();
    const POINT from = ItemPoint(2);
    tw::ProcessClock::Advance(GetDoubleClickTime() + 1);
    input.MouseMove(from.x, from.y);
    input.ButtonDown(tw::display::MouseButton::Left, from.x, from.y);
    Pump();
    input.KeyStroke(VK_ESCAPE);
    Pump();
    input.ButtonUp(tw::display::MouseButton::Left, from.x, from.y);
    Pump();
    ASSERT_FALSE(list.calls.empty());
    EXPECT_EQ(list.calls.back(), "cancel");
    EXPECT_EQ(Items(), (std::vector<std::string>{"one", "two", "three", "four"}));
}

// A parent with no handler of its own for the drag report: the framework
// hands the report back to the list.
class DragListBoxInPlainParent : public DragListBoxWrapper {
protected:
    CWnd& Parent() override
    {
        if (!plain.m_hWnd)
            plain.CreateEx(0, nullptr, "Plain", WS_CHILD | WS_VISIBLE, 0, 0, 300, 300, host.m_hWnd, nullptr);
        return plain;
    }
    CWnd plain;
};

TEST_F(DragListBoxInPlainParent, TheListsOwnVirtualsStillDoTheDrag)
{
    ASSERT_NE(list.GetParent(), &host);
    tw::ProcessClock::Advance(GetDoubleClickTime() + 1);
    input.Drag(tw::display::MouseButton::Left, ItemPoint(0), ItemPoint(3), 3);
    Pump();
    EXPECT_EQ(list.calls, (std::vector<std::string>{"begin 0", "dragging", "dropped 0 on 3"}));
    EXPECT_EQ(Items(), (std::vector<std::string>{"two", "three", "one", "four"}));
}

// The insert mark is drawn inverted, so drawing it again takes it away.
TEST_F(DragListBoxWrapper, TheInsertMarkInvertsTheTopEdgeOfItsItem)
{
    list.UpdateWindow();
    CRect item;
    list.GetItemRect(2, &item);
    CPoint edge(item.left + 30, item.top);
    list.ClientToScreen(&edge);
    auto pixel = [&] { return tw::display::Display::Instance().GetScreen().PixelColor(edge.x, edge.y); };
    const COLORREF before = pixel();
    list.DrawInsert(2);
    EXPECT_EQ(pixel(), RGB(255, 255, 255) - before) << "inverted";
    list.DrawInsert(2);
    EXPECT_EQ(pixel(), RGB(255, 255, 255) - before) << "the same item again draws nothing";
    list.DrawInsert(-1);
    EXPECT_EQ(pixel(), before);
}

}  // namespace
}  // namespace tw::mfc::test
