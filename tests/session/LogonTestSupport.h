// What the logon and profile tests share: a fresh profile file per test,
// message boxes answered and read, modal dialogs driven step by step from
// their own message loop, and a login or an offline database on the
// embedded server.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/ado/AdoInterfaces.h"
#include "platform/mfc/afxwin.h"
#include "session/ProfileFile.h"
#include "tests/support/window/HeadlessWindowTest.h"

namespace logontest {

// Answers the thread's message boxes, in turn with the queued answers (then
// IDOK), and keeps their texts. The innermost one answers.
class MessageBoxes {
public:
    explicit MessageBoxes(std::deque<int> answers = {});
    ~MessageBoxes();
    MessageBoxes(const MessageBoxes&) = delete;
    MessageBoxes& operator=(const MessageBoxes&) = delete;

    std::vector<std::string> texts;

private:
    static LRESULT CALLBACK Hook(int nCode, WPARAM wParam, LPARAM lParam);
    std::deque<int> answers_;
    std::vector<HWND> boxes_;
    MessageBoxes* outer_;
    HHOOK hook_ = nullptr;
};

// A dialog class whose modal loop runs one step each time it goes idle.
// When the steps are spent and the dialog is still open it ends with
// IDABORT, so a failed step never hangs the test.
template <class TDialog>
class Scripted : public TDialog {
public:
    using TDialog::TDialog;
    std::vector<std::function<void(Scripted&)>> steps;

    HWND Item(int nID) const { return ::GetDlgItem(this->m_hWnd, nID); }
    void Press(int nID)
    {
        this->SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), reinterpret_cast<LPARAM>(Item(nID)));
    }
    std::string Text(int nID) const
    {
        char text[1100] = {};
        ::GetWindowText(Item(nID), text, sizeof text);
        return text;
    }
    bool Checked(int nID) const { return ::SendMessage(Item(nID), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    bool Enabled(int nID) const { return ::IsWindowEnabled(Item(nID)) != FALSE; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_KICKIDLE) {
            // Asking for more idle time brings the next step as soon as what
            // this one caused has been handled.
            if (next_ < steps.size()) {
                steps[next_++](*this);
                return TRUE;
            }
            this->EndDialog(IDABORT);
            return FALSE;
        }
        return TDialog::WindowProc(message, wParam, lParam);
    }

private:
    size_t next_ = 0;
};

// The strings of a combo box's list, in list order.
std::vector<std::string> ComboItems(HWND hCombo);
// Picks the entry as a click in the dropped list does: selection, then the
// notifications the parent gets.
void ChooseComboEntry(HWND hCombo, const std::string& entry);
// The texts of a list view's first column.
std::vector<std::string> ListItems(HWND hList);

// A run of the embedded server as an administrator.
void RunAsAdministrator(const char* batch);

class LogonTest : public tw::test::HeadlessWindowTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Replaces the profile file by one that holds these rows.
    static void WriteProfiles(const std::vector<CProfileRow>& rows);
    static std::vector<CProfileRow> ReadProfiles();
    static CProfileRow Row(const char* nick, const char* server, const char* database, BOOL identified,
                           const char* user = "", const char* password = "");
};

}  // namespace logontest
