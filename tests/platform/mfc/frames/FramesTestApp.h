// The application object of the frame tests: it records the commands it
// handles, and answers message boxes with a chosen button, keeping their texts.
#pragma once

#include <string>
#include <vector>

#include "platform/mfc/afxwin.h"

namespace tw::mfc::frames_test {

// Commands the application handles; each records "app".
constexpr UINT ID_APP_ONLY = 3004;
constexpr UINT ID_APP_RANGE_FIRST = 3001;
constexpr UINT ID_APP_RANGE_LAST = 3299;

class FramesApp : public CWinApp {
public:
    FramesApp() : CWinApp("Frames") {}
    int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt) override;

    std::vector<std::string> calls;    // handlers that ran, in order
    std::vector<std::string> prompts;  // message box texts
    int answer = IDNO;
    // Commands in the range that the application pretends not to handle.
    std::vector<UINT> ignored;

protected:
    BOOL OnAppCommand(UINT nID);
    DECLARE_MESSAGE_MAP()
};

FramesApp& TheApp();

}  // namespace tw::mfc::frames_test
