// Dragging between two framework windows by injected mouse input: the source
// window starts the drag from its button press, each window's drop target
// records what it saw.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/win32/kernel/ProcessClock.h"
#include "tests/platform/mfc/ole/OleWindowTest.h"

namespace tw::mfc::ole_test {
namespace {

using Events = std::vector<std::string>;

class RecordingDropTarget : public COleDropTarget {
public:
    DROPEFFECT OnDragEnter(CWnd*, COleDataObject* pDataObject, DWORD dwKeyState, CPoint) override
    {
        events.push_back("enter");
        return Effect(pDataObject, dwKeyState);
    }
    DROPEFFECT OnDragOver(CWnd*, COleDataObject* pDataObject, DWORD dwKeyState, CPoint) override
    {
        if (events.empty() || events.back() != "over")
            events.push_back("over");
        return Effect(pDataObject, dwKeyState);
    }
    void OnDragLeave(CWnd*) override { events.push_back("leave"); }
    BOOL OnDrop(CWnd*, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override
    {
        events.push_back("drop");
        dropped = OleWindowTest::TextOfPublic(pDataObject->GetGlobalData(CF_TEXT), true);
        droppedEffect = dropEffect;
        droppedAt = point;
        return TRUE;
    }

    Events events;
    std::string dropped;
    DROPEFFECT droppedEffect = DROPEFFECT_NONE;
    CPoint droppedAt;

private:
    static DROPEFFECT Effect(COleDataObject* pDataObject, DWORD keys)
    {
        if (!pDataObject->IsDataAvailable(CF_TEXT))
            return DROPEFFECT_NONE;
        return (keys & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
    }
};

// Starts dragging its text when pressed.
class SourceWnd : public CWnd {
public:
    DROPEFFECT result = 0xFFFF;
    bool pressed = false;

protected:
    void OnLButtonDown(UINT, CPoint)
    {
        pressed = true;
        COleDataSource source;
        source.CacheGlobalData(CF_TEXT, OleWindowTest::TextBlockPublic("dragged text"));
        result = source.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE);
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(SourceWnd, CWnd)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

class FrameworkDragDropTest : public OleWindowTest {
protected:
    void SetUp() override
    {
        OleWindowTest::SetUp();
        LPCTSTR cls = AfxRegisterWndClass(0, LoadCursor(nullptr, IDC_ARROW));
        ASSERT_TRUE(source.CreateEx(0, cls, "Source", WS_POPUP | WS_VISIBLE, 50, 50, 200, 200, nullptr, nullptr));
        ASSERT_TRUE(target.CreateEx(0, cls, "Target", WS_POPUP | WS_VISIBLE, 350, 50, 200, 200, nullptr, nullptr));
        ASSERT_TRUE(sourceDrop.Register(&source));
        ASSERT_TRUE(targetDrop.Register(&target));
    }
    void TearDown() override
    {
        sourceDrop.Revoke();
        targetDrop.Revoke();
        source.DestroyWindow();
        target.DestroyWindow();
        OleWindowTest::TearDown();
    }

    // The whole gesture, queued before the press reaches the source.
    void Drag(POINT to, unsigned modifiers = 0, bool escape = false)
    {
        const POINT from = Centre(source.m_hWnd);
        input.MouseMove(from.x, from.y);
        input.ButtonDown(tw::display::MouseButton::Left, from.x, from.y);
        input.SetModifiers(modifiers);
        for (int step = 1; step <= 5; ++step)
            input.MouseMove(from.x + (to.x - from.x) * step / 5, from.y + (to.y - from.y) * step / 5);
        if (escape)
            input.KeyStroke(VK_ESCAPE);
        input.ButtonUp(tw::display::MouseButton::Left, to.x, to.y);
        input.SetModifiers(0);
        Pump();
    }

    SourceWnd source;
    CWnd target;
    RecordingDropTarget sourceDrop;
    RecordingDropTarget targetDrop;
};

TEST_F(FrameworkDragDropTest, PlainDragMovesAndLeavesTheSource)
{
    Drag(Centre(target.m_hWnd));
    EXPECT_EQ(source.result, static_cast<DROPEFFECT>(DROPEFFECT_MOVE));
    // The first move left the press's rectangle, the next one the source.
    EXPECT_EQ(sourceDrop.events, (Events{"enter", "leave"}));
    EXPECT_EQ(targetDrop.events, (Events{"enter", "over", "drop"}));
    EXPECT_EQ(targetDrop.dropped, "dragged text");
    EXPECT_EQ(targetDrop.droppedEffect, static_cast<DROPEFFECT>(DROPEFFECT_MOVE));
    // Client coordinates of the target window.
    EXPECT_EQ(targetDrop.droppedAt, CPoint(100, 100));
}

TEST_F(FrameworkDragDropTest, CtrlCopies)
{
    Drag(Centre(target.m_hWnd), tw::display::ModControl);
    EXPECT_EQ(source.result, static_cast<DROPEFFECT>(DROPEFFECT_COPY));
    EXPECT_EQ(targetDrop.droppedEffect, static_cast<DROPEFFECT>(DROPEFFECT_COPY));
}

TEST_F(FrameworkDragDropTest, EscCancelsAndNothingIsDropped)
{
    Drag(Centre(target.m_hWnd), 0, true);
    EXPECT_EQ(source.result, static_cast<DROPEFFECT>(DROPEFFECT_NONE));
    EXPECT_EQ(targetDrop.events, (Events{"enter", "over", "leave"}));
    EXPECT_TRUE(targetDrop.dropped.empty());
}

TEST_F(FrameworkDragDropTest, PressAndReleaseWithoutMovingStartsNoDrag)
{
    const POINT at = Centre(source.m_hWnd);
    input.Click(tw::display::MouseButton::Left, at.x, at.y);
    Pump();
    EXPECT_TRUE(source.pressed);
    EXPECT_EQ(source.result, static_cast<DROPEFFECT>(DROPEFFECT_NONE));
    EXPECT_TRUE(sourceDrop.events.empty());
    EXPECT_TRUE(targetDrop.events.empty());
}

// Takes every drop in OnDropEx as a copy, so OnDrop never runs.
class DropExTarget : public RecordingDropTarget {
public:
    DROPEFFECT OnDropEx(CWnd*, COleDataObject*, DROPEFFECT dropDefault, DROPEFFECT dropList, CPoint) override
    {
        offeredDefault = dropDefault;
        offeredList = dropList;
        return DROPEFFECT_COPY;
    }
    DROPEFFECT offeredDefault = 0;
    DROPEFFECT offeredList = 0;
};

TEST_F(FrameworkDragDropTest, OnDropExDecidesTheEffectInsteadOfOnDrop)
{
    targetDrop.Revoke();
    DropExTarget exTarget;
    ASSERT_TRUE(exTarget.Register(&target));
    Drag(Centre(target.m_hWnd));
    EXPECT_EQ(source.result, static_cast<DROPEFFECT>(DROPEFFECT_COPY));
    EXPECT_EQ(exTarget.offeredDefault, static_cast<DROPEFFECT>(DROPEFFECT_MOVE));
    EXPECT_EQ(exTarget.offeredList, static_cast<DROPEFFECT>(DROPEFFECT_COPY | DROPEFFECT_MOVE));
    EXPECT_EQ(exTarget.events, (Events{"enter", "over"}));
    exTarget.Revoke();
}

TEST_F(FrameworkDragDropTest, RegisteringTwiceOrWithoutAWindowFails)
{
    RecordingDropTarget other;
    EXPECT_FALSE(other.Register(&target));
    EXPECT_FALSE(other.Register(nullptr));
    CWnd none;
    EXPECT_FALSE(other.Register(&none));
}

// A scroll view near whose lower edge the drag rests.
class ScrollingView : public CScrollView {
public:
protected:
    void OnDraw(CDC*) override {}
};

// Releases the button once the clock has advanced far enough: each call to
// the source moves the clock on, so the drag loop's repeat timer fires.
class ClockSource : public COleDropSource {
public:
    ClockSource(tw::display::InputInjector& input, POINT releaseAt) : input_(input), releaseAt_(releaseAt) {}
    SCODE QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState) override
    {
        if (m_bDragStarted && ++calls_ < 40) {
            tw::ProcessClock::Advance(60);
        } else if (calls_ == 40) {
            input_.ButtonUp(tw::display::MouseButton::Left, releaseAt_.x, releaseAt_.y);
        }
        return COleDropSource::QueryContinueDrag(bEscapePressed, dwKeyState);
    }

private:
    tw::display::InputInjector& input_;
    POINT releaseAt_;
    int calls_ = 0;
};

TEST_F(FrameworkDragDropTest, RestingNearAViewsEdgeScrollsItOnTheClock)
{
    auto* view = new ScrollingView;
    ASSERT_TRUE(view->Create(nullptr, "View", WS_CHILD | WS_VISIBLE | WS_VSCROLL, CRect(0, 0, 200, 200), &target,
                             1));
    view->SetScrollSizes(MM_TEXT, CSize(200, 2000));
    RecordingDropTarget viewDrop;
    ASSERT_TRUE(viewDrop.Register(view));
    CRect client;
    view->GetClientRect(&client);
    POINT nearBottom{client.CenterPoint().x, client.bottom - 3};
    view->ClientToScreen(&nearBottom);

    // Pressed where no window starts a drag of its own; the drag starts at once.
    input.MouseMove(10, 500);
    input.ButtonDown(tw::display::MouseButton::Left, 10, 500);
    Pump();
    input.MouseMove(nearBottom.x, nearBottom.y);
    COleDataSource data;
    data.CacheGlobalData(CF_TEXT, TextBlockPublic("x"));
    ClockSource dropSource(input, nearBottom);
    const CRect atOnce(0, 0, 0, 0);
    const DROPEFFECT result = data.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE, &atOnce, &dropSource);
    Pump();

    EXPECT_GT(view->GetScrollPosition().y, 0);
    // Scrolling turns the target's own handling off and on again: a leave on
    // entering the edge, and the drop still goes to the target.
    EXPECT_EQ(viewDrop.events.front(), "enter");
    EXPECT_NE(std::find(viewDrop.events.begin(), viewDrop.events.end(), "leave"), viewDrop.events.end());
    EXPECT_EQ(viewDrop.events.back(), "drop");
    EXPECT_EQ(result, static_cast<DROPEFFECT>(DROPEFFECT_MOVE));
    viewDrop.Revoke();
}

}  // namespace
}  // namespace tw::mfc::ole_test
