// The keyboard map: each command with its keys and prompt, sorting by a
// column header, the rows copied as text, printing to the PDF printer, and
// the window reopening where it was closed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "platform/mfc/CMenu.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/afxole.h"
#include "platform/win32/kernel/GlobalMemory.h"
#include "platform/win32/kernel/Threads.h"
#include "platform/win32/menu/AcceleratorStore.h"
#include "platform/win32/user/BeepTrace.h"
#include "tests/support/ScopedAppNames.h"
#include "tests/ui/commandbars/CustomizeTestSupport.h"
#include "tests/ui/commandbars/KtvPToolBarTestSupport.h"
#include "ui/commandbars/KtvPKeyMapDlg.h"
#include "ui/frames/KtvPWorkspace.h"

namespace {

using tw::test::ToolBarTest;
namespace custtest = tw::test::custtest;
namespace fs = std::filesystem;
namespace tbres = tw::test::tbres;

// Ids without a string of the program's, so their descriptions are empty.
constexpr UINT kNew = 7701;
constexpr UINT kClose = 7702;

// Records the page numbers of the page headers it prints.
class RecordingKeyMapDlg : public CKtvPKeyMapDlg {
public:
    using CKtvPKeyMapDlg::CKtvPKeyMapDlg;
    int OnPrintHeader(CDC& dc, int nPage, int cx) const override
    {
        pages.push_back(nPage);
        return CKtvPKeyMapDlg::OnPrintHeader(dc, nPage, cx);
    }
    int OnPrintItem(CDC& dc, int nItem, int y, int cx, BOOL bCalcHeight) const override
    {
        if (!bCalcHeight)
            printed.push_back(static_cast<LPCTSTR>(m_KeymapList.GetItemText(nItem, 0)));
        return CKtvPKeyMapDlg::OnPrintItem(dc, nItem, y, cx, bCalcHeight);
    }
    mutable std::vector<int> pages;
    mutable std::vector<std::string> printed;
};

int KeyMapPdfPages(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return -1;
    std::stringstream bytes;
    bytes << file.rdbuf();
    const std::string text = bytes.str();
    static const std::regex page(R"(/Type\s*/Page(?![s\w]))");
    return static_cast<int>(std::distance(std::sregex_iterator(text.begin(), text.end(), page), std::sregex_iterator()));
}

class KeyMapTest : public ToolBarTest {
protected:
    void SetUp() override
    {
        ToolBarTest::SetUp();
        ASSERT_TRUE(AfxOleInit());
        ACCEL entries[] = {{FVIRTKEY | FCONTROL, 'N', kNew},
                           {FVIRTKEY | FCONTROL, 'O', tbres::kOpenCommand},
                           {FVIRTKEY | FCONTROL | FSHIFT, 'N', kNew}};
        frame->m_hAccelTable = ::CreateAcceleratorTable(entries, 3);
        tw::menu::AcceleratorStore::Instance().Hold(frame->m_hAccelTable);
    }
    void TearDown() override
    {
        tw::test::DestroyTopLevelWindows();
        Pump();
        if (menu.GetSafeHmenu() != nullptr)
            menu.DestroyMenu();
        ToolBarTest::TearDown();
    }

    // The frame's menu: File with New, Open and Close, and a Long menu of as many commands as asked.
    void MakeMenu(int nLongCommands = 0)
    {
        menu.CreateMenu();
        CMenu file;
        file.CreatePopupMenu();
        file.AppendMenu(MF_STRING, kNew, "&New\tCtrl+N");
        file.AppendMenu(MF_STRING, tbres::kOpenCommand, "&Open");
        file.AppendMenu(MF_STRING, kClose, "&Close");
        menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(file.Detach()), "&File");
        if (nLongCommands > 0) {
            CMenu more;
            more.CreatePopupMenu();
            for (int i = 0; i < nLongCommands; i++) {
                CString strName;
                strName.Format("Command %03d", i);
                more.AppendMenu(MF_STRING, 1000 + static_cast<UINT>(i), strName);
            }
            menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(more.Detach()), "&Long");
        }
        frame->m_hMenuDefault = menu.GetSafeHmenu();
    }
    void Open(RecordingKeyMapDlg& dlg)
    {
        ASSERT_TRUE(dlg.Create(frame));
        dlg.ShowWindow(SW_SHOW);
        custtest::PumpTranslated();
    }
    std::vector<std::string> Column(CKtvPKeyMapDlg& dlg, int iColumn)
    {
        std::vector<std::string> texts;
        for (int i = 0; i < dlg.m_KeymapList.GetItemCount(); i++)
            texts.push_back(static_cast<LPCTSTR>(dlg.m_KeymapList.GetItemText(i, iColumn)));
        return texts;
    }
    int Row(CKtvPKeyMapDlg& dlg, const std::string& name)
    {
        const std::vector<std::string> names = Column(dlg, 0);
        for (size_t i = 0; i < names.size(); i++)
            if (names[i] == name)
                return static_cast<int>(i);
        return -1;
    }
    void ClickHeader(CKtvPKeyMapDlg& dlg, int iColumn)
    {
        CWnd* pHeader = dlg.m_KeymapList.GetDlgItem(0);
        ASSERT_NE(pHeader, nullptr);
        RECT rect{};
        pHeader->SendMessage(HDM_GETITEMRECT, iColumn, reinterpret_cast<LPARAM>(&rect));
        custtest::ClickTranslated(input, pHeader->GetSafeHwnd(), (rect.left + rect.right) / 2,
                                  (rect.top + rect.bottom) / 2);
    }
    void ClickRow(CKtvPKeyMapDlg& dlg, int iItem, bool bControl)
    {
        CRect rect;
        dlg.m_KeymapList.GetItemRect(iItem, &rect, LVIR_LABEL);
        if (bControl)
            input.KeyDown(VK_CONTROL);
        custtest::ClickTranslated(input, dlg.m_KeymapList.GetSafeHwnd(), rect.left + 4, rect.CenterPoint().y);
        if (bControl)
            input.KeyUp(VK_CONTROL);
        custtest::PumpTranslated();
    }
    static std::string ClipboardText()
    {
        std::string text;
        if (!::OpenClipboard(nullptr))
            return "(closed)";
        if (HANDLE hData = ::GetClipboardData(CF_TEXT)) {
            text = static_cast<const char*>(::GlobalLock(hData));
            ::GlobalUnlock(hData);
        }
        ::CloseClipboard();
        return text;
    }
    // Prints with the print dialog answered by Enter as soon as it is made.
    void Print(RecordingKeyMapDlg& dlg)
    {
        static tw::display::InputInjector* s_input = nullptr;
        s_input = &input;
        HHOOK hook = ::SetWindowsHookEx(
            WH_CBT,
            [](int nCode, WPARAM wParam, LPARAM lParam) -> LRESULT {
                if (nCode == HCBT_CREATEWND && s_input != nullptr &&
                    (reinterpret_cast<CBT_CREATEWND*>(lParam)->lpcs->style & WS_CHILD) == 0) {
                    s_input->KeyStroke(VK_RETURN);
                    s_input = nullptr;
                }
                return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
            },
            nullptr, ::GetCurrentThreadId());
        fs::remove(Pdf());
        custtest::ClickCentre(input, dlg.m_ButtonPrint.GetSafeHwnd());
        ::UnhookWindowsHookEx(hook);
    }
    // The printer writes into the documents folder, which the test points beside the test program.
    static std::string Pdf() { return std::string(TW_COMMANDBARS_TEST_BINARY_DIR) + "/KtvKeyMapDlg.pdf"; }

    CMenu menu;
};

TEST_F(KeyMapTest, RowsShowEveryKeyOfACommandAndItsPrompt)
{
    MakeMenu();
    RecordingKeyMapDlg dlg(frame, TRUE);
    Open(dlg);
    CString strCategory;
    dlg.m_wndCategoryList.GetLBText(dlg.m_wndCategoryList.GetCurSel(), strCategory);
    EXPECT_STREQ(strCategory, "File");
    // Sorted by the command column at first.
    EXPECT_EQ(Column(dlg, 0), (std::vector<std::string>{"FileClose", "FileNew", "FileOpen"}));
    EXPECT_EQ(Column(dlg, 1), (std::vector<std::string>{"", "Ctrl+N; Ctrl+Shift+N", "Ctrl+O"}));
    EXPECT_EQ(Column(dlg, 2)[2], "Open a file");
    CString strTable;
    dlg.m_wndViewTypeList.GetWindowText(strTable);
    EXPECT_STREQ(strTable, "Default");
    EXPECT_TRUE(dlg.m_ButtonPrint.IsWindowVisible());
}

TEST_F(KeyMapTest, TwoHeaderClicksSortAscendingThenDescending)
{
    MakeMenu();
    RecordingKeyMapDlg dlg(frame);
    Open(dlg);
    EXPECT_FALSE(dlg.m_ButtonPrint.IsWindowVisible());
    ClickHeader(dlg, 1);
    EXPECT_EQ(Column(dlg, 1), (std::vector<std::string>{"", "Ctrl+N; Ctrl+Shift+N", "Ctrl+O"}));
    EXPECT_EQ(dlg.m_nSortColumn, 1);
    EXPECT_TRUE(dlg.m_bSortAscending);
    ClickHeader(dlg, 1);
    EXPECT_EQ(Column(dlg, 1), (std::vector<std::string>{"Ctrl+O", "Ctrl+N; Ctrl+Shift+N", ""}));
    EXPECT_FALSE(dlg.m_bSortAscending);
    ClickHeader(dlg, 0);
    EXPECT_EQ(Column(dlg, 0), (std::vector<std::string>{"FileClose", "FileNew", "FileOpen"}));
    EXPECT_TRUE(dlg.m_bSortAscending);
}

TEST_F(KeyMapTest, CopyPutsTheSelectedRowsOnTheClipboardAsPaddedLines)
{
    MakeMenu();
    RecordingKeyMapDlg dlg(frame);
    Open(dlg);

    tw::user::ResetBeepTrace();
    custtest::ClickCentre(input, dlg.m_ButtonCopy.GetSafeHwnd());
    EXPECT_EQ(tw::user::BeepTrace().size(), 1u) << "nothing selected";

    ClickRow(dlg, Row(dlg, "FileClose"), false);
    ClickRow(dlg, Row(dlg, "FileNew"), true);
    custtest::ClickCentre(input, dlg.m_ButtonCopy.GetSafeHwnd());
    char expected[256];
    std::snprintf(expected, sizeof expected, "%-30s\t%-20s\t%s\r\n%-30s\t%-20s\t%s\r\n", "FileClose", "-", "", "FileNew",
                  "Ctrl+N; Ctrl+Shift+N", "");
    EXPECT_EQ(ClipboardText(), expected);
    EXPECT_EQ(::GetFocus(), dlg.m_KeymapList.GetSafeHwnd());
}

TEST_F(KeyMapTest, PrintingGoesPageByPageWithAHeaderEach)
{
    MakeMenu(600);
    const char* documents = std::getenv("XDG_DOCUMENTS_DIR");
    const std::string oldDocuments = documents != nullptr ? documents : "";
    ::setenv("XDG_DOCUMENTS_DIR", TW_COMMANDBARS_TEST_BINARY_DIR, 1);
    RecordingKeyMapDlg dlg(frame, TRUE);
    Open(dlg);
    // The long menu's category.
    dlg.m_wndCategoryList.SetCurSel(1);
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(dlg.m_wndCategoryList.GetDlgCtrlID(), CBN_SELCHANGE),
                    reinterpret_cast<LPARAM>(dlg.m_wndCategoryList.GetSafeHwnd()));
    ASSERT_EQ(dlg.m_KeymapList.GetItemCount(), 600);

    // Nothing selected: every row, over several pages.
    Print(dlg);
    ASSERT_GE(dlg.pages.size(), 2u);
    for (size_t i = 0; i < dlg.pages.size(); i++)
        EXPECT_EQ(dlg.pages[i], static_cast<int>(i) + 1);
    EXPECT_EQ(dlg.printed.size(), 600u);
    EXPECT_EQ(KeyMapPdfPages(Pdf()), static_cast<int>(dlg.pages.size()));

    // With a selection: only the selected rows, on one page.
    dlg.pages.clear();
    dlg.printed.clear();
    ClickRow(dlg, 3, false);
    ClickRow(dlg, 5, true);
    Print(dlg);
    EXPECT_EQ(dlg.pages, std::vector<int>{1});
    EXPECT_EQ(dlg.printed, (std::vector<std::string>{"LongCommand003", "LongCommand005"}));
    EXPECT_EQ(KeyMapPdfPages(Pdf()), 1);
    if (documents != nullptr)
        ::setenv("XDG_DOCUMENTS_DIR", oldDocuments.c_str(), 1);
    else
        ::unsetenv("XDG_DOCUMENTS_DIR");
}

TEST_F(KeyMapTest, ReopensWhereItWasClosed)
{
    MakeMenu();
    tw::test::ScopedAppNames names("KeyMapTest", "TarnwickTests");
    CKtvPWorkspace workspace(TRUE);
    CRect rectClosed;
    {
        RecordingKeyMapDlg dlg(frame);
        Open(dlg);
        dlg.MoveWindow(120, 90, 520, 380);
        custtest::PumpTranslated();
        dlg.GetWindowRect(&rectClosed);
        dlg.DestroyWindow();
    }
    RecordingKeyMapDlg dlg(frame);
    Open(dlg);
    CRect rectOpened;
    dlg.GetWindowRect(&rectOpened);
    EXPECT_EQ(rectOpened, rectClosed);
    // The list follows the window's size; its columns never go negative.
    dlg.MoveWindow(120, 90, 60, 60);
    custtest::PumpTranslated();
    for (int i = 0; i < 3; i++)
        EXPECT_GE(dlg.m_KeymapList.GetColumnWidth(i), 0) << i;
    dlg.DestroyWindow();
}

TEST_F(KeyMapTest, Screenshot)
{
    MakeMenu();
    RecordingKeyMapDlg dlg(frame, TRUE);
    Open(dlg);
    dlg.MoveWindow(40, 40, 560, 300);
    ClickRow(dlg, 1, false);
    dlg.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
    EXPECT_TRUE(custtest::SaveWindowShot(&dlg, "keyboard-map.png"));
}

}  // namespace
