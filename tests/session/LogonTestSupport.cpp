#include "tests/session/LogonTestSupport.h"

#include <filesystem>

#include "platform/comctl/commctrl.h"
#include "platform/dmo/DmoInterfaces.h"
#include "platform/win32/kernel/Files.h"
#include "platform/mfc/CWinApp.h"
#include "tests/session/ProfileFileRows.h"
#include "tests/support/ui/KtvUiTestSetup.h"

namespace logontest {

namespace {

MessageBoxes* g_messageBoxes = nullptr;

bool IsMessageBoxCaption(LPCSTR caption)
{
    const CWinApp* app = AfxGetApp();
    const char* expected = app != nullptr && app->m_pszAppName != nullptr ? app->m_pszAppName : "Error";
    return caption != nullptr && std::string(caption) == expected;
}

}  // namespace

MessageBoxes::MessageBoxes(std::deque<int> answers) : answers_(std::move(answers)), outer_(g_messageBoxes)
{
    g_messageBoxes = this;
    // One hook serves them all: it asks the innermost.
    if (outer_ == nullptr)
        hook_ = ::SetWindowsHookEx(WH_CBT, &Hook, nullptr, ::GetCurrentThreadId());
}

MessageBoxes::~MessageBoxes()
{
    if (hook_ != nullptr)
        ::UnhookWindowsHookEx(hook_);
    g_messageBoxes = outer_;
}

LRESULT CALLBACK MessageBoxes::Hook(int nCode, WPARAM wParam, LPARAM lParam)
{
    MessageBoxes* self = g_messageBoxes;
    if (nCode == HCBT_CREATEWND && self != nullptr) {
        const auto* create = reinterpret_cast<CBT_CREATEWND*>(lParam)->lpcs;
        const HWND hwnd = reinterpret_cast<HWND>(wParam);
        if ((create->style & WS_CHILD) == 0 && IsMessageBoxCaption(create->lpszName)) {
            self->boxes_.push_back(hwnd);
            int answer = IDOK;
            if (!self->answers_.empty()) {
                answer = self->answers_.front();
                self->answers_.pop_front();
            }
            ::PostMessage(hwnd, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
        } else if ((create->style & WS_CHILD) != 0 && create->lpszName != nullptr && create->lpszName[0] != 0 &&
                   !self->boxes_.empty() && create->hwndParent == self->boxes_.back() &&
                   std::string(create->lpszClass ? create->lpszClass : "") != "Button") {
            self->texts.push_back(create->lpszName);
        }
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

std::vector<std::string> ComboItems(HWND hCombo)
{
    std::vector<std::string> items;
    const int count = static_cast<int>(::SendMessage(hCombo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; i++) {
        char text[1100] = {};
        ::SendMessage(hCombo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        items.emplace_back(text);
    }
    return items;
}

void ChooseComboEntry(HWND hCombo, const std::string& entry)
{
    const int index = static_cast<int>(::SendMessage(hCombo, CB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(entry.c_str())));
    ASSERT_GE(index, 0) << entry;
    ::SendMessage(hCombo, CB_SETCURSEL, index, 0);
    const HWND hParent = ::GetParent(hCombo);
    const int id = ::GetDlgCtrlID(hCombo);
    ::SendMessage(hParent, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(hCombo));
    ::SendMessage(hParent, WM_COMMAND, MAKEWPARAM(id, CBN_SELENDOK), reinterpret_cast<LPARAM>(hCombo));
}

std::vector<std::string> ListItems(HWND hList)
{
    std::vector<std::string> items;
    const int count = static_cast<int>(::SendMessage(hList, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; i++) {
        char text[1100] = {};
        LVITEM item{};
        item.iSubItem = 0;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        ::SendMessage(hList, LVM_GETITEMTEXT, i, reinterpret_cast<LPARAM>(&item));
        items.emplace_back(text);
    }
    return items;
}

void RunAsAdministrator(const char* batch)
{
    ADODB::_ConnectionPtr connection("ADODB.Connection");
    connection->Open("Provider=SQLOLEDB.1;Trusted_Connection=yes;Initial Catalog=master;Data Source=(embedded)", "",
                     "", ADODB::adConnectUnspecified);
    connection->Execute(batch, nullptr, ADODB::adCmdText);
    connection->Close();
}

void LogonTest::SetUp()
{
    HeadlessWindowTest::SetUp();
    KtvPrepareUiTest();
    ::InitCommonControls();
    tw::ado::RegisterClasses();
    tw::dmo::RegisterClasses();
    std::filesystem::remove(tw::MapPath(kProfileFile));
    std::filesystem::remove(tw::MapPath(kProfileFileAside));
}

void LogonTest::TearDown() { HeadlessWindowTest::TearDown(); }

void LogonTest::WriteProfiles(const std::vector<CProfileRow>& rows) { WriteProfileRows(rows); }

std::vector<CProfileRow> LogonTest::ReadProfiles() { return ReadProfileRows(); }

CProfileRow LogonTest::Row(const char* nick, const char* server, const char* database, BOOL identified,
                           const char* user, const char* password)
{
    CProfileRow row;
    row.m_NickName = nick;
    row.m_ServerName = server;
    row.m_DatabaseName = database;
    row.m_Identified = identified;
    row.m_UserName = user;
    row.m_PasswordName = password;
    return row;
}

}  // namespace logontest
