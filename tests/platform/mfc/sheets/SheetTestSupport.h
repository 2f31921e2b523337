// What the property-sheet tests share: an application object that answers
// message boxes itself (keeping their texts), pages that log what their sheet
// tells them, a sheet that runs one scripted step each time its modal loop
// goes idle, and a fixture with an owner window and the application's loop.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/mfc/afxdlgs.h"
#include "platform/mfc/afxwin.h"
#include "tests/platform/mfc/sheets/fixtures/SheetFixtures.h"
#include "tests/support/window/HeadlessWindowTest.h"

namespace tw::mfc::sheets_test {

class SheetsApp : public CWinApp {
public:
    SheetsApp() : CWinApp("Sheets") {}
    int DoMessageBox(LPCTSTR lpszPrompt, UINT, UINT) override
    {
        prompts.push_back(lpszPrompt);
        return IDOK;
    }
    // Claims an ID_HELP handler while helpEnabled is set, so that sheets offer help.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (helpEnabled && nID == ID_HELP && nCode == CN_COMMAND && pHandlerInfo) {
            pHandlerInfo->pTarget = this;
            pHandlerInfo->pmf = nullptr;
            return TRUE;
        }
        return CWinApp::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
    std::vector<std::string> prompts;
    bool helpEnabled = false;
};

SheetsApp& TheApp();

// Lines such as "Limits APPLY 7", in the order the pages wrote them.
std::vector<std::string>& Log();

// A page with one edit box (text, or a number that must lie in 1..10) and a button.
class LogPage : public CPropertyPage {
public:
    LogPage(UINT nIDTemplate, std::string name, bool numeric = false, UINT nIDCaption = 0);

    std::string name;
    bool numeric;
    CString text = "abc";
    int number = 3;
    bool refuseApply = false;      // OnApply answers FALSE
    bool validateOnApply = false;  // OnApply takes the values in again, with their checks
    bool allowCancel = true;
    bool handlesHelp = false;     // ID_HELP is this page's
    LRESULT siblingAnswer = 0;    // what it answers PSM_QUERYSIBLINGS
    int oks = 0;                  // OnOK and OnCancel, reached through the defaults of OnApply and OnReset
    int cancels = 0;

    HWND Edit() const { return ::GetDlgItem(m_hWnd, IDC_PAGE_EDIT); }
    HWND Button() const { return ::GetDlgItem(m_hWnd, IDC_PAGE_BUTTON); }

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    BOOL OnApply() override;
    void OnReset() override;
    BOOL OnQueryCancel() override;
    void OnOK() override;
    void OnCancel() override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

protected:
    LRESULT OnQuerySiblings(WPARAM wParam, LPARAM lParam);
    void DoDataExchange(CDataExchange* pDX) override;
    void OnEditChange();
    void OnButton();
    void Write(const std::string& what) const;
    std::string Value() const;
    DECLARE_MESSAGE_MAP()
};

class ScriptedSheet : public CPropertySheet {
public:
    using CPropertySheet::CPropertySheet;

    std::vector<std::function<void(ScriptedSheet&)>> steps;
    int keysSeen = 0;  // key messages that reached this sheet's PreTranslateMessage

    HWND Item(int nID) const { return ::GetDlgItem(m_hWnd, nID); }
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    LRESULT OnKickIdle(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    size_t next_ = 0;
};

class SheetTest : public tw::test::HeadlessWindowTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Every waiting message, through the application's PreTranslateMessage.
    // (The base's Key and Click pump without it, so these tests inject input
    // and let the sheet's loop or this pump take it.)
    static void PumpThroughApp();
    void CtrlKey(UINT vk, bool shift = false);
    void AltKey(UINT vk);
    static std::string Text(HWND hWnd);
    static std::string TabText(CPropertySheet& sheet, int index);
    // The top-level windows of this thread, the test's parent among them.
    static size_t TopLevelCount();

    CWnd owner;
};

using Lines = std::vector<std::string>;

}  // namespace tw::mfc::sheets_test
