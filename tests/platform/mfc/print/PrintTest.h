// The fixture of the dialog-wrapper and printing tests: the headless display
// on a frozen clock, an application object, a main frame that records the
// find dialog's registered message, and key helpers. Modal dialogs are
// driven from the main frame's WM_ENTERIDLE, once they are up.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/display/InputInjector.h"
#include "platform/mfc/afxdlgs.h"
#include "platform/mfc/afxwin.h"

namespace tw::mfc::print_test {

class PrintTestApp : public CWinApp {
public:
    PrintTestApp() : CWinApp("PrintTest") {}
    int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt) override;
    std::vector<std::string> prompts;
};

PrintTestApp& TheApp();

// The main frame: it hands WM_ENTERIDLE to the running test and keeps
// every find-dialog notification it gets.
class OwnerFrame : public CFrameWnd {
    DECLARE_DYNCREATE(OwnerFrame)
public:
    struct FindCall {
        CFindReplaceDialog* notifier;
        DWORD flags;
        std::string findText;
        std::string replaceText;
        bool terminating;
    };
    std::vector<FindCall> findCalls;
    std::vector<std::string> messageStrings;  // texts sent as WM_SETMESSAGESTRING
    std::function<void(HWND)> onIdle;

protected:
    LRESULT OnEnterIdle(WPARAM wParam, LPARAM lParam);
    LRESULT OnFindReplace(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetMessageStringRecorded(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

class PrintTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    static void Pump();
    void Key(UINT vk);
    // ASCII typed as keys on the US layout.
    void Type(const std::string& text);
    static std::string TextOf(HWND hwnd);
    // Runs `step` each time a modal dialog goes idle, with the idle dialog and the count so far.
    void OnIdle(std::function<void(HWND, int)> step);

    // Set before SetUp for a frame that shows this document in a view of this class.
    CDocument* doc = nullptr;
    CRuntimeClass* viewClass = nullptr;

    OwnerFrame* frame = nullptr;
    HWND frameHwnd = nullptr;
    tw::display::InputInjector input;

private:
    int idleCount_ = 0;
};

}  // namespace tw::mfc::print_test
