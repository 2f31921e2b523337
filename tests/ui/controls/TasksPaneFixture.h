// The fixture of the tasks pane tests: a pane in the docking test frame, the
// commands and message strings the frame receives, and helpers that point and
// click inside the pane as a user does.
#pragma once

#include <vector>

#include "platform/mfc/afxmsg.h"
#include "tests/ui/docking/DockingPaneTest.h"
#include "ui/controls/KtvPTasksPane.h"
#include "ui/frames/KtvPVisualManager.h"

namespace tw::test {

constexpr UINT kTasksPaneId = 4040;

class TestTasksPane : public CKtvPTasksPane {
public:
    using CKtvPTasksPane::m_bMenuShown;

protected:
    void PostNcDestroy() override { delete this; }
};

class TasksPaneTest : public DockingPaneTest {
protected:
    void SetUp() override
    {
        DockingPaneTest::SetUp();
        frame->m_onMessage = [this](UINT message, WPARAM wParam, LPARAM) {
            if (message == WM_COMMAND)
                commands.push_back((UINT)LOWORD(wParam));
            else if (message == WM_SETMESSAGESTRING)
                messageStrings.push_back((UINT)wParam);
        };
    }
    void TearDown() override
    {
        frame->m_onMessage = nullptr;
        if (pane != nullptr && ::IsWindow(paneHwnd))
            pane->DestroyWindow();
        pane = nullptr;
        CKtvPVisualManager::SetDefaultManager(nullptr);
        DockingPaneTest::TearDown();
    }

    // A pane of the frame whose client area is cx x cy, undocked at the frame's top-left.
    TestTasksPane* MakePane(int cx = 200, int cy = 300, DWORD dwStyle = kPaneStyle)
    {
        pane = new TestTasksPane;
        EXPECT_TRUE(pane->Create("Tasks", frame, CRect(0, 0, cx, cy), TRUE, kTasksPaneId,
                                 WS_CHILD | WS_VISIBLE | CBRS_LEFT, 0x20, dwStyle));
        paneHwnd = pane->GetSafeHwnd();
        pane->EnableAnimation(FALSE);
        SetClientSize(cx, cy);
        return pane;
    }
    void SetClientSize(int cx, int cy)
    {
        CRect rectWindow, rectClient;
        pane->GetWindowRect(rectWindow);
        pane->GetClientRect(rectClient);
        pane->SetWindowPos(nullptr, 0, 0, cx + rectWindow.Width() - rectClient.Width(),
                           cy + rectWindow.Height() - rectClient.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        Pump();
    }
    CPoint ScreenOf(CPoint ptClient)
    {
        pane->ClientToScreen(&ptClient);
        return ptClient;
    }
    void MoveTo(CPoint ptClient)
    {
        const CPoint pt = ScreenOf(ptClient);
        input.MouseMove(pt.x, pt.y);
        Pump();
    }
    // A user's click: the mouse comes over the point, presses and lets go.
    void ClickAt(CPoint ptClient)
    {
        Advance(1000);
        MoveTo(ptClient);
        const CPoint pt = ScreenOf(ptClient);
        input.ButtonDown(tw::display::MouseButton::Left, pt.x, pt.y);
        Pump();
        input.ButtonUp(tw::display::MouseButton::Left, pt.x, pt.y);
        Pump();
    }
    void ClickTask(int nGroup, int nTask) { ClickAt(pane->GetTask(nGroup, nTask)->m_rect.CenterPoint()); }
    void ClickCaption(int nGroup) { ClickAt(pane->GetGroup(nGroup)->m_rect.CenterPoint()); }

    TestTasksPane* pane = nullptr;
    HWND paneHwnd = nullptr;
    std::vector<UINT> commands;
    std::vector<UINT> messageStrings;
};

}  // namespace tw::test
