// The server list: the embedded server first, then the servers the TDS
// configuration names, picked by OK or a double click; and the logon
// dialog's "..." taking the pick into its server box.
#include <cstdlib>
#include <fstream>

#include "platform/comctl/commctrl.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "session/LogonDlg.h"
#include "session/LogonIds.h"
#include "session/ServerListDlg.h"
#include "tests/session/LogonTestSupport.h"

namespace {

using logontest::ComboItems;
using logontest::ListItems;
using logontest::LogonTest;
using logontest::Scripted;

class ServerListTest : public LogonTest {
protected:
    void SetUp() override
    {
        LogonTest::SetUp();
        const char* previous = std::getenv("FREETDSCONF");
        saved = previous ? previous : "";
        hadConf = previous != nullptr;
        std::ofstream("servers.conf") << "[global]\n  tds version = 7.4\n[zulu]\n  host = z\n[alpha]\n  host = a\n"
                                         "[alpha]\n  host = again\n";
        ::setenv("FREETDSCONF", "servers.conf", 1);
    }
    void TearDown() override
    {
        if (hadConf)
            ::setenv("FREETDSCONF", saved.c_str(), 1);
        else
            ::unsetenv("FREETDSCONF");
        LogonTest::TearDown();
    }
    std::string saved;
    bool hadConf = false;
};

TEST_F(ServerListTest, ListsTheEmbeddedServerFirstThenTheConfiguredOnesOnce)
{
    Scripted<CSelectServerDlg> dlg;
    dlg.steps.push_back([&](Scripted<CSelectServerDlg>& d) {
        std::vector<std::string> items = ListItems(d.Item(IDC_TW_SERVER_LIST));
        ASSERT_GE(items.size(), 3u);
        EXPECT_EQ("(embedded)", items[0]);
        EXPECT_EQ(1, std::count(items.begin(), items.end(), "alpha"));
        EXPECT_EQ(1, std::count(items.begin(), items.end(), "zulu"));
        EXPECT_EQ(0, std::count(items.begin(), items.end(), "global"));
        d.Press(IDOK);
    });
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_STREQ("", dlg.m_strServer) << "OK without a row names no server";
}

TEST_F(ServerListTest, DoubleClickOnARowPicksIt)
{
    Scripted<CSelectServerDlg> dlg;
    dlg.steps.push_back([&](Scripted<CSelectServerDlg>& d) {
        const HWND hList = d.Item(IDC_TW_SERVER_LIST);
        const std::vector<std::string> items = ListItems(hList);
        const int row = static_cast<int>(std::find(items.begin(), items.end(), "zulu") - items.begin());
        RECT rect{LVIR_LABEL, 0, 0, 0};
        ASSERT_TRUE(::SendMessage(hList, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rect)));
        tw::ProcessClock::Advance(::GetDoubleClickTime() + 1);
        const POINT pt = ScreenPointOf(hList, rect.left + 4, (rect.top + rect.bottom) / 2);
        input.Click(tw::display::MouseButton::Left, pt.x, pt.y);
        input.Click(tw::display::MouseButton::Left, pt.x, pt.y);
    });
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_STREQ("zulu", dlg.m_strServer);
}

TEST_F(ServerListTest, LogonBrowsePutsThePickedServerIntoTheServerBox)
{
    // The server list comes up inside the logon dialog: its list is picked
    // from, then its OK pressed, as soon as its window exists.
    static HWND s_pickedFrom = nullptr;
    HHOOK hook = ::SetWindowsHookEx(
        WH_CBT,
        [](int nCode, WPARAM wParam, LPARAM lParam) -> LRESULT {
            if (nCode == HCBT_CREATEWND) {
                const auto* create = reinterpret_cast<CBT_CREATEWND*>(lParam)->lpcs;
                if (create->hMenu == reinterpret_cast<HMENU>(IDC_TW_SERVER_LIST) && (create->style & WS_CHILD)) {
                    static LVITEM item{};
                    item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
                    s_pickedFrom = reinterpret_cast<HWND>(wParam);
                    ::PostMessage(s_pickedFrom, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&item));
                    ::PostMessage(create->hwndParent, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                }
            }
            return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
        },
        nullptr, ::GetCurrentThreadId());
    Scripted<CConnectDlg> dlg;
    dlg.m_NickName = "typed";
    dlg.m_ServerName = "elsewhere";
    dlg.steps.push_back([&](Scripted<CConnectDlg>& d) {
        d.Press(IDC_TW_LOGON_BROWSE);
        EXPECT_NE(nullptr, s_pickedFrom);
        EXPECT_EQ("(embedded)", d.Text(IDC_TW_LOGON_SERVER));
        EXPECT_EQ((std::vector<std::string>{"(embedded)"}), ComboItems(d.Item(IDC_TW_LOGON_SERVER)));
        d.Press(IDCANCEL);
    });
    dlg.DoModal();
    ::UnhookWindowsHookEx(hook);
}

}  // namespace
