#include "tests/platform/mfc/frames/FramesTestApp.h"

#include <algorithm>

namespace tw::mfc::frames_test {

BEGIN_MESSAGE_MAP(FramesApp, CWinApp)
    ON_COMMAND_EX_RANGE(ID_APP_RANGE_FIRST, ID_APP_RANGE_LAST, OnAppCommand)
END_MESSAGE_MAP()

int FramesApp::DoMessageBox(LPCTSTR lpszPrompt, UINT, UINT)
{
    prompts.push_back(lpszPrompt);
    return answer;
}

BOOL FramesApp::OnAppCommand(UINT nID)
{
    if (std::find(ignored.begin(), ignored.end(), nID) != ignored.end())
        return FALSE;
    calls.push_back("app");
    return TRUE;
}

FramesApp& TheApp()
{
    static FramesApp app;
    return app;
}

}  // namespace tw::mfc::frames_test
