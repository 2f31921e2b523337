// Data exchange with combo and list boxes: by prefix, by exact text and by
// index, both ways.
#include <string>

#include "platform/win32/resource/DialogTemplate.h"
#include "tests/platform/mfc/windows/WindowTestFixture.h"

namespace tw::mfc::test {
namespace {

constexpr int IDC_DROPLIST = 200;
constexpr int IDC_DROPDOWN = 201;
constexpr int IDC_NAMES = 202;

std::vector<BYTE> ListTemplate()
{
    tw::res::DialogTemplate dialog;
    dialog.style = WS_POPUP | WS_CAPTION;
    dialog.cx = 200;
    dialog.cy = 150;
    auto item = [&](const char* cls, int id, DWORD style, short y, short cy) {
        tw::res::DialogItemTemplate it;
        it.style = style | WS_CHILD | WS_VISIBLE | WS_TABSTOP;
        it.x = 10;
        it.y = y;
        it.cx = 120;
        it.cy = cy;
        it.id = static_cast<DWORD>(id);
        it.windowClass = tw::res::NameOrOrdinal::FromOrdinal(tw::res::AtomOfClassName(cls));
        it.title = tw::res::NameOrOrdinal::FromText("");
        dialog.items.push_back(it);
    };
    item("ComboBox", IDC_DROPLIST, CBS_DROPDOWNLIST, 5, 60);
    item("ComboBox", IDC_DROPDOWN, CBS_DROPDOWN | CBS_AUTOHSCROLL, 25, 60);
    item("ListBox", IDC_NAMES, LBS_NOTIFY | WS_BORDER, 45, 60);
    return tw::res::WriteDialogTemplate(dialog);
}

class ListDialog : public CDialog {
public:
    CString dropList;
    CString dropDown;
    int dropListIndex = -1;
    CString listText;
    int listIndex = -1;
    bool exact = false;

protected:
    BOOL OnInitDialog() override
    {
        for (const char* name : {"master", "model", "tempdb"}) {
            SendDlgItemMessage(IDC_DROPLIST, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
            SendDlgItemMessage(IDC_DROPDOWN, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
            SendDlgItemMessage(IDC_NAMES, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
        }
        return CDialog::OnInitDialog();
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        if (exact)
            DDX_CBStringExact(pDX, IDC_DROPDOWN, dropDown);
        else
            DDX_CBString(pDX, IDC_DROPDOWN, dropDown);
        DDX_CBString(pDX, IDC_DROPLIST, dropList);
        if (!pDX->m_bSaveAndValidate)
            return;
        DDX_CBIndex(pDX, IDC_DROPLIST, dropListIndex);
        DDX_LBString(pDX, IDC_NAMES, listText);
        DDX_LBIndex(pDX, IDC_NAMES, listIndex);
    }
};

class ListExchange : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        bytes = ListTemplate();
    }
    bool Make(ListDialog& dlg)
    {
        return dlg.CreateIndirect(reinterpret_cast<LPCDLGTEMPLATE>(bytes.data()), nullptr);
    }
    static std::string Text(HWND hwnd)
    {
        char text[64] = {};
        ::GetWindowText(hwnd, text, sizeof text);
        return text;
    }
    std::vector<BYTE> bytes;
};

TEST_F(ListExchange, ShowingSelectsByPrefixOrKeepsTheTextInTheEditField)
{
    ListDialog dlg;
    dlg.dropList = "te";        // the first item starting with it
    dlg.dropDown = "pubs";      // no such item: the edit field holds it
    ASSERT_TRUE(Make(dlg));
    EXPECT_EQ(dlg.SendDlgItemMessage(IDC_DROPLIST, CB_GETCURSEL), 2);
    EXPECT_EQ(Text(dlg.GetDlgItem(IDC_DROPDOWN)->m_hWnd), "pubs");
    EXPECT_EQ(dlg.SendDlgItemMessage(IDC_DROPDOWN, CB_GETCURSEL), CB_ERR);
}

TEST_F(ListExchange, ExactFormNeverTakesAPrefix)
{
    ListDialog dlg;
    dlg.exact = true;
    dlg.dropDown = "mod";
    ASSERT_TRUE(Make(dlg));
    EXPECT_EQ(dlg.SendDlgItemMessage(IDC_DROPDOWN, CB_GETCURSEL), CB_ERR);
    EXPECT_EQ(Text(dlg.GetDlgItem(IDC_DROPDOWN)->m_hWnd), "mod");
    dlg.dropDown = "model";
    dlg.UpdateData(FALSE);
    EXPECT_EQ(dlg.SendDlgItemMessage(IDC_DROPDOWN, CB_GETCURSEL), 1);
}

TEST_F(ListExchange, SavingReadsTextsAndIndexes)
{
    ListDialog dlg;
    ASSERT_TRUE(Make(dlg));
    dlg.SendDlgItemMessage(IDC_DROPLIST, CB_SETCURSEL, 1);
    dlg.SendDlgItemMessage(IDC_NAMES, LB_SETCURSEL, 2);
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_STREQ(dlg.dropList, "model");
    EXPECT_EQ(dlg.dropListIndex, 1);
    EXPECT_STREQ(dlg.listText, "tempdb");
    EXPECT_EQ(dlg.listIndex, 2);

    dlg.SendDlgItemMessage(IDC_NAMES, LB_SETCURSEL, static_cast<WPARAM>(-1));
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_STREQ(dlg.listText, "");
    EXPECT_EQ(dlg.listIndex, LB_ERR);
}

}  // namespace
}  // namespace tw::mfc::test
