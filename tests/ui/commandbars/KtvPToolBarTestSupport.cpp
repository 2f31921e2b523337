#include "tests/ui/commandbars/KtvPToolBarTestSupport.h"

#include "platform/mfc/afxmsg.h"
#include "platform/win32/user/BeepTrace.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "ui/frames/KtvPCodes.h"

namespace tw::test {

BEGIN_MESSAGE_MAP(KtvRecordingFrame, KtvTestDockFrame)
    ON_UPDATE_COMMAND_UI_RANGE(1, 0xEFFF, OnUpdateAny)
END_MESSAGE_MAP()

void KtvRecordingFrame::OnUpdateAny(CCmdUI* pCmdUI)
{
    auto it = updates.find(pCmdUI->m_nID);
    if (it != updates.end())
        it->second(pCmdUI);
    else
        pCmdUI->Enable(TRUE);
}

BOOL KtvRecordingFrame::OnCommand(WPARAM wParam, LPARAM)
{
    commands.push_back(LOWORD(wParam));
    return TRUE;
}

LRESULT KtvRecordingFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETMESSAGESTRING)
        prompts.push_back((UINT)wParam);
    if (KTVM_RESETTOOLBAR != 0 && message == KTVM_RESETTOOLBAR)
        resets.push_back((UINT)wParam);
    return KtvTestDockFrame::WindowProc(message, wParam, lParam);
}

void ToolBarTest::SetUp()
{
    KtvPrepareUiTest();
    HeadlessWindowTest::SetUp();
    tw::user::ResetBeepTrace();
    CKtvPToolBar::SetSizes(CSize(23, 22), CSize(16, 15));
    frame = new KtvRecordingFrame;
    ASSERT_TRUE(frame->CreateFrame(20, 20, 600, 400));
    ASSERT_TRUE(frame->m_dockManager.EnableDocking(CBRS_ALIGN_ANY));
}

void ToolBarTest::TearDown()
{
    CKtvPToolBar::m_bCustomizeMode = FALSE;
    CKtvPToolBar::m_bAltCustomization = FALSE;
    CKtvPToolBar::m_bShowTooltips = TRUE;
    CKtvPToolBar::m_pSelToolbar = nullptr;
    CKtvPToolBar::SetLargeIcons(FALSE);
    CKtvPToolBar::m_BasicCommands.RemoveAll();
    CKtvPToolBar::m_NonPermittedCommands.RemoveAll();
    HeadlessWindowTest::TearDown();
    bars.clear();
    CKtvPToolBar::CleanUpImages();
}

CKtvPToolBar* ToolBarTest::MakeBar(const std::vector<UINT>& ids, BOOL bDock, UINT nID)
{
    auto owned = std::make_unique<CKtvPToolBar>();
    CKtvPToolBar* pBar = owned.get();
    bars.push_back(std::move(owned));
    EXPECT_TRUE(pBar->Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC, nID));
    int iImage = 0;
    for (UINT id : ids) {
        auto* pButton = new CKtvPToolbarButton(id, id == 0 ? -1 : iImage++, nullptr, FALSE, TRUE);
        if (id == 0)
            pButton->m_nStyle = TBBS_SEPARATOR;
        EXPECT_GE(pBar->InsertButton(pButton), 0);
    }
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    if (bDock)
        frame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
    pBar->AdjustLayout();
    Pump();
    return pBar;
}

std::string ToolBarTest::Layout(const CKtvPToolBar* pBar)
{
    std::string text;
    for (int i = 0; i < pBar->GetCount(); i++) {
        if (!text.empty())
            text += ' ';
        const CKtvPToolbarButton* pButton = pBar->GetButton(i);
        text += (pButton->m_nStyle & TBBS_SEPARATOR) ? std::string("|") : std::to_string(pButton->m_nID);
    }
    return text;
}

CPoint ToolBarTest::Centre(const CKtvPToolBar* pBar, int i) { return pBar->GetButton(i)->m_rect.CenterPoint(); }

void ToolBarTest::Pump(int n)
{
    for (int i = 0; i < n; i++)
        HeadlessWindowTest::Pump();
}

}  // namespace tw::test
