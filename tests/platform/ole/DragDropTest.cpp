#include <gtest/gtest.h>

#include "platform/ole/DragCursors.h"
#include "tests/platform/ole/OleTestFixture.h"

namespace tw::ole::test {
namespace {

class DragDropTest : public OleTest {
protected:
    void SetUp() override
    {
        OleTest::SetUp();
        left = MakeWindow(RECT{100, 100, 300, 300});
        right = MakeWindow(RECT{400, 100, 600, 300});
        leftTarget = new RecordingTarget;
        rightTarget = new RecordingTarget;
        ASSERT_EQ(RegisterDragDrop(left, leftTarget), S_OK);
        ASSERT_EQ(RegisterDragDrop(right, rightTarget), S_OK);
        source = new RecordingSource;
        data = TextData("dragged");
    }
    void TearDown() override
    {
        data->Release();
        source->Release();
        leftTarget->Release();
        rightTarget->Release();
        OleTest::TearDown();
    }

    // Presses the left button over `from` and queues the moves to `to`
    // (with the modifiers), then an Esc if asked, then the release.
    void QueueGesture(POINT from, POINT to, unsigned modifiers = 0, bool escape = false)
    {
        input.MouseMove(from.x, from.y);
        input.ButtonDown(tw::display::MouseButton::Left, from.x, from.y);
        Pump();
        input.SetModifiers(modifiers);
        for (int step = 1; step <= 4; ++step)
            input.MouseMove(from.x + (to.x - from.x) * step / 4, from.y + (to.y - from.y) * step / 4);
        if (escape)
            input.KeyStroke(VK_ESCAPE);
        input.ButtonUp(tw::display::MouseButton::Left, to.x, to.y);
        input.SetModifiers(0);
    }

    HRESULT Run(DWORD okEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE)
    {
        const HRESULT hr = DoDragDrop(data, source, okEffects, &effect);
        Pump();
        return hr;
    }

    HWND left = nullptr;
    HWND right = nullptr;
    RecordingTarget* leftTarget = nullptr;
    RecordingTarget* rightTarget = nullptr;
    RecordingSource* source = nullptr;
    IDataObject* data = nullptr;
    DWORD effect = 0xFFFF;
};

using Events = std::vector<std::string>;

TEST_F(DragDropTest, PlainDragMovesAndTheLeftWindowIsLeft)
{
    QueueGesture(Centre(left), Centre(right));
    EXPECT_EQ(Run(), DRAGDROP_S_DROP);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_MOVE));
    EXPECT_EQ(leftTarget->events, (Events{"enter", "over", "leave"}));
    EXPECT_EQ(rightTarget->events, (Events{"enter", "over", "drop"}));
    EXPECT_EQ(rightTarget->droppedText, "dragged");
}

TEST_F(DragDropTest, CtrlHeldCopies)
{
    QueueGesture(Centre(left), Centre(right), tw::display::ModControl);
    EXPECT_EQ(Run(), DRAGDROP_S_DROP);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(rightTarget->events.back(), "drop");
}

TEST_F(DragDropTest, EscCancelsWithoutADrop)
{
    QueueGesture(Centre(left), Centre(right), 0, true);
    EXPECT_EQ(Run(), DRAGDROP_S_CANCEL);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(rightTarget->events, (Events{"enter", "over", "leave"}));
    EXPECT_TRUE(rightTarget->droppedText.empty());
}

TEST_F(DragDropTest, ReleaseOverNoTargetDropsNothing)
{
    QueueGesture(Centre(left), POINT{350, 500});
    EXPECT_EQ(Run(), DRAGDROP_S_DROP);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(leftTarget->events.back(), "leave");
    EXPECT_TRUE(rightTarget->events.empty());
}

TEST_F(DragDropTest, RefusingTargetGetsLeaveInsteadOfDrop)
{
    rightTarget->refuse = true;
    QueueGesture(Centre(left), Centre(right));
    EXPECT_EQ(Run(), DRAGDROP_S_DROP);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(rightTarget->events, (Events{"enter", "over", "leave"}));
}

TEST_F(DragDropTest, EffectsNotOfferedAreNotTaken)
{
    QueueGesture(Centre(left), Centre(right));
    EXPECT_EQ(Run(DROPEFFECT_COPY), DRAGDROP_S_DROP);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
}

TEST_F(DragDropTest, ChildWindowDropsOnItsRegisteredParent)
{
    HWND child = MakeChild(right, RECT{20, 20, 120, 120});
    QueueGesture(Centre(left), Centre(child));
    EXPECT_EQ(Run(), DRAGDROP_S_DROP);
    EXPECT_EQ(rightTarget->events.back(), "drop");
}

TEST_F(DragDropTest, DefaultCursorsFollowTheEffect)
{
    QueueGesture(Centre(left), POINT{350, 500});
    Run();
    ASSERT_FALSE(source->feedback.empty());
    EXPECT_EQ(source->feedback.front(), static_cast<DWORD>(DROPEFFECT_MOVE));
    EXPECT_EQ(source->feedback.back(), static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_NO));
    const HCURSOR move = DragCursorFor(DROPEFFECT_MOVE);
    const HCURSOR copy = DragCursorFor(DROPEFFECT_COPY);
    EXPECT_NE(move, nullptr);
    EXPECT_NE(copy, nullptr);
    EXPECT_NE(move, copy);
    EXPECT_EQ(DragCursorFor(DROPEFFECT_COPY | DROPEFFECT_MOVE), move);
}

TEST_F(DragDropTest, BadArgumentsAreRefused)
{
    EXPECT_EQ(DoDragDrop(nullptr, source, DROPEFFECT_COPY, &effect), E_INVALIDARG);
    EXPECT_EQ(DoDragDrop(data, nullptr, DROPEFFECT_COPY, &effect), E_INVALIDARG);
    EXPECT_EQ(DoDragDrop(data, source, DROPEFFECT_COPY, nullptr), E_INVALIDARG);
}

TEST_F(DragDropTest, RegistrationErrors)
{
    auto* target = new RecordingTarget;
    HWND other = MakeWindow(RECT{0, 400, 50, 450});
    EXPECT_EQ(RegisterDragDrop(left, target), DRAGDROP_E_ALREADYREGISTERED);
    EXPECT_EQ(RegisterDragDrop(nullptr, target), DRAGDROP_E_INVALIDHWND);
    EXPECT_EQ(RegisterDragDrop(other, nullptr), E_INVALIDARG);
    EXPECT_EQ(RevokeDragDrop(other), DRAGDROP_E_NOTREGISTERED);
    OleUninitialize();
    EXPECT_EQ(RegisterDragDrop(other, target), E_OUTOFMEMORY);
    OleInitialize(nullptr);
    EXPECT_EQ(RegisterDragDrop(other, target), S_OK);
    EXPECT_EQ(RevokeDragDrop(other), S_OK);
    EXPECT_EQ(target->RefCount(), 1u);
    target->Release();
}

}  // namespace
}  // namespace tw::ole::test
