#include <string>
#include <vector>

#include "platform/win32/resource/DialogTemplate.h"
#include "tests/platform/comctl/CommonControlTest.h"

namespace tw::comctl::test {
namespace {

std::vector<std::string> g_pageLog;
bool g_refuseLeave = false;
int g_released = 0;
DWORD g_precreateStyle = 0;

UINT CALLBACK CountRelease(HWND, UINT message, LPPROPSHEETPAGE)
{
    if (message == PSPCB_RELEASE)
        ++g_released;
    return 1;
}

int CALLBACK Restyle(HWND, UINT message, LPARAM lParam)
{
    if (message == PSCB_PRECREATE)
        reinterpret_cast<DLGTEMPLATE*>(lParam)->style = g_precreateStyle;
    return 0;
}

std::string PageCodeName(UINT code)
{
    switch (code) {
    case PSN_SETACTIVE: return "SETACTIVE";
    case PSN_KILLACTIVE: return "KILLACTIVE";
    case PSN_APPLY: return "APPLY";
    case PSN_RESET: return "RESET";
    case PSN_QUERYCANCEL: return "QUERYCANCEL";
    default: return std::to_string(int(code));
    }
}

// Each page writes "number NAME[ lParam]" for what its sheet tells it.
INT_PTR CALLBACK PageProc(HWND hwnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        const auto* page = reinterpret_cast<const PROPSHEETPAGE*>(lParam);
        SetWindowLongPtr(hwnd, DWLP_USER, page->lParam);
        g_pageLog.push_back(std::to_string(page->lParam) + " INIT");
        return TRUE;
    }
    if (message != WM_NOTIFY)
        return FALSE;
    const auto* nm = reinterpret_cast<const PSHNOTIFY*>(lParam);
    std::string line = std::to_string(GetWindowLongPtr(hwnd, DWLP_USER)) + " " + PageCodeName(nm->hdr.code);
    if (nm->hdr.code == PSN_APPLY)
        line += " " + std::to_string(nm->lParam);
    g_pageLog.push_back(line);
    SetWindowLongPtr(hwnd, DWLP_MSGRESULT, nm->hdr.code == PSN_KILLACTIVE && g_refuseLeave ? TRUE : FALSE);
    return TRUE;
}

class PropertySheetTest : public CommonControlTest {
protected:
    void SetUp() override
    {
        CommonControlTest::SetUp();
        g_pageLog.clear();
        g_refuseLeave = false;
        g_released = 0;
        for (const char* title : {"General", "Fonts"}) {
            tw::res::DialogTemplate page;
            page.style = WS_CHILD | DS_SETFONT;
            page.title = title;
            page.cx = 150;
            page.cy = 80;
            page.pointSize = 8;
            page.typeface = "MS Sans Serif";
            templates.push_back(tw::res::WriteDialogTemplate(page));
        }
        for (size_t i = 0; i < templates.size(); ++i) {
            PROPSHEETPAGE page{};
            page.dwSize = sizeof page;
            page.dwFlags = PSP_DLGINDIRECT;
            page.pResource = templates[i].data();
            page.pfnDlgProc = PageProc;
            page.lParam = LPARAM(i + 1);
            pages.push_back(page);
        }
    }

    PROPSHEETHEADER Header(DWORD flags)
    {
        PROPSHEETHEADER header{};
        header.dwSize = sizeof header;
        header.dwFlags = PSH_PROPSHEETPAGE | flags;
        header.hwndParent = parent;
        header.pszCaption = "Options";
        header.nPages = UINT(pages.size());
        header.ppsp = pages.data();
        return header;
    }
    HWND Modeless(DWORD flags = 0)
    {
        PROPSHEETHEADER header = Header(PSH_MODELESS | flags);
        HWND sheet = reinterpret_cast<HWND>(::PropertySheet(&header));
        Pump();
        return sheet;
    }
    void ClickTab(HWND sheet, int index)
    {
        HWND tab = reinterpret_cast<HWND>(SendMessage(sheet, PSM_GETTABCONTROL, 0, 0));
        RECT rect{};
        SendMessage(tab, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
        Click(tab, (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    }
    using Lines = std::vector<std::string>;

    std::vector<std::vector<BYTE>> templates;
    std::vector<PROPSHEETPAGE> pages;
};

TEST_F(PropertySheetTest, PagesAreCreatedWhenFirstShown)
{
    HWND sheet = Modeless();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(g_pageLog, (Lines{"1 INIT", "1 SETACTIVE"}));
    HWND tab = reinterpret_cast<HWND>(SendMessage(sheet, PSM_GETTABCONTROL, 0, 0));
    ASSERT_NE(tab, nullptr);
    EXPECT_EQ(GetDlgCtrlID(tab), ID_PSTABCONTROL);
    EXPECT_EQ(SendMessage(tab, TCM_GETITEMCOUNT, 0, 0), 2);
    char title[32] = {};
    TCITEM item{};
    item.mask = TCIF_TEXT;
    item.pszText = title;
    item.cchTextMax = sizeof title;
    SendMessage(tab, TCM_GETITEM, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(title, "Fonts") << "the tab shows the page template's caption";

    HWND first = reinterpret_cast<HWND>(SendMessage(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(GetParent(first), sheet);
    EXPECT_TRUE(GetWindowLong(first, GWL_STYLE) & WS_CHILD);

    g_pageLog.clear();
    ClickTab(sheet, 1);
    EXPECT_EQ(g_pageLog, (Lines{"1 KILLACTIVE", "2 INIT", "2 SETACTIVE"}));
    HWND second = reinterpret_cast<HWND>(SendMessage(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    EXPECT_NE(second, first);
    EXPECT_FALSE(IsWindowVisible(first));
    EXPECT_TRUE(IsWindowVisible(second));
}

TEST_F(PropertySheetTest, APageThatRefusesToBeLeftStays)
{
    HWND sheet = Modeless();
    g_refuseLeave = true;
    g_pageLog.clear();
    EXPECT_FALSE(SendMessage(sheet, PSM_SETCURSEL, 1, 0));
    ClickTab(sheet, 1);
    EXPECT_EQ(g_pageLog, (Lines{"1 KILLACTIVE", "1 KILLACTIVE"}));
    HWND tab = reinterpret_cast<HWND>(SendMessage(sheet, PSM_GETTABCONTROL, 0, 0));
    EXPECT_EQ(SendMessage(tab, TCM_GETCURSEL, 0, 0), 0);
}

TEST_F(PropertySheetTest, ButtonsFollowTheHeaderFlags)
{
    HWND plain = Modeless();
    EXPECT_NE(GetDlgItem(plain, IDOK), nullptr);
    EXPECT_NE(GetDlgItem(plain, IDCANCEL), nullptr);
    EXPECT_NE(GetDlgItem(plain, ID_APPLY_NOW), nullptr);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(plain, ID_APPLY_NOW))) << "nothing changed yet";
    EXPECT_EQ(GetDlgItem(plain, IDHELP), nullptr);

    HWND options = Modeless(PSH_NOAPPLYNOW | PSH_HASHELP);
    EXPECT_EQ(GetDlgItem(options, ID_APPLY_NOW), nullptr);
    EXPECT_NE(GetDlgItem(options, IDHELP), nullptr);
}

TEST_F(PropertySheetTest, ChangedEnablesApplyWhichAppliesEveryCreatedPage)
{
    HWND sheet = Modeless();
    SendMessage(sheet, PSM_CHANGED, 0, 0);
    HWND apply = GetDlgItem(sheet, ID_APPLY_NOW);
    ASSERT_TRUE(IsWindowEnabled(apply));
    g_pageLog.clear();
    SendMessage(sheet, WM_COMMAND, MAKEWPARAM(ID_APPLY_NOW, BN_CLICKED), reinterpret_cast<LPARAM>(apply));
    EXPECT_EQ(g_pageLog, (Lines{"1 KILLACTIVE", "1 APPLY 0"})) << "page 2 was never shown";
    EXPECT_FALSE(IsWindowEnabled(apply));
}

int CALLBACK PressOnInit(HWND sheet, UINT message, LPARAM)
{
    if (message == PSCB_INITIALIZED)
        PostMessage(sheet, PSM_PRESSBUTTON, g_refuseLeave ? PSBTN_CANCEL : PSBTN_OK, 0);
    return 0;
}

TEST_F(PropertySheetTest, ModalOkAppliesAndCancelResets)
{
    PROPSHEETHEADER header = Header(PSH_USECALLBACK);
    header.pfnCallback = PressOnInit;
    EXPECT_EQ(::PropertySheet(&header), 1);
    EXPECT_EQ(g_pageLog, (Lines{"1 INIT", "1 SETACTIVE", "1 KILLACTIVE", "1 APPLY 1"}));

    g_pageLog.clear();
    g_refuseLeave = true;  // here: press Cancel
    EXPECT_EQ(::PropertySheet(&header), 0);
    EXPECT_EQ(g_pageLog, (Lines{"1 INIT", "1 SETACTIVE", "1 QUERYCANCEL", "1 RESET"}));
}

TEST_F(PropertySheetTest, ControlTabAndControlPageKeysChangePages)
{
    HWND sheet = Modeless();
    HWND tab = reinterpret_cast<HWND>(SendMessage(sheet, PSM_GETTABCONTROL, 0, 0));
    auto press = [&](UINT vk, bool shift) {
        BYTE keys[256] = {};
        keys[VK_CONTROL] = 0x80;
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
        MSG msg{tab, WM_KEYDOWN, vk, 0, 0, {}};
        const LRESULT handled = SendMessage(sheet, PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(&msg));
        BYTE none[256] = {};
        SetKeyboardState(none);
        return handled;
    };
    auto current = [&] { return int(SendMessage(tab, TCM_GETCURSEL, 0, 0)); };
    EXPECT_TRUE(press(VK_TAB, false));
    EXPECT_EQ(current(), 1);
    EXPECT_TRUE(press(VK_NEXT, false));
    EXPECT_EQ(current(), 0) << "the last page wraps to the first";
    EXPECT_TRUE(press(VK_TAB, true));
    EXPECT_EQ(current(), 1);
    EXPECT_TRUE(press(VK_PRIOR, false));
    EXPECT_EQ(current(), 0);
    g_refuseLeave = true;
    g_pageLog.clear();
    EXPECT_TRUE(press(VK_TAB, false));
    EXPECT_EQ(current(), 0);
    EXPECT_EQ(g_pageLog, (Lines{"1 KILLACTIVE"}));
}

TEST_F(PropertySheetTest, APrecreateCallbackRestylesTheSheet)
{
    PROPSHEETHEADER header = Header(PSH_MODELESS | PSH_USECALLBACK);
    header.pfnCallback = Restyle;
    g_precreateStyle = WS_CHILD | WS_VISIBLE | DS_SETFONT;
    HWND child = reinterpret_cast<HWND>(::PropertySheet(&header));
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(GetParent(child), parent);
    EXPECT_TRUE(GetWindowLong(child, GWL_STYLE) & WS_CHILD);
    EXPECT_TRUE(IsWindowVisible(child));

    g_precreateStyle = WS_POPUP | WS_CAPTION | DS_SETFONT;
    HWND hidden = reinterpret_cast<HWND>(::PropertySheet(&header));
    ASSERT_NE(hidden, nullptr);
    EXPECT_FALSE(IsWindowVisible(hidden)) << "without WS_VISIBLE the sheet waits to be shown";
    DestroyWindow(hidden);
}

TEST_F(PropertySheetTest, ApplyFollowsThePagesThatHoldChanges)
{
    HWND sheet = Modeless();
    HWND first = reinterpret_cast<HWND>(SendMessage(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    SendMessage(sheet, PSM_SETCURSEL, 1, 0);
    HWND second = reinterpret_cast<HWND>(SendMessage(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    ASSERT_NE(first, second);
    HWND apply = GetDlgItem(sheet, ID_APPLY_NOW);
    SendMessage(sheet, PSM_CHANGED, reinterpret_cast<WPARAM>(first), 0);
    SendMessage(sheet, PSM_CHANGED, reinterpret_cast<WPARAM>(second), 0);
    SendMessage(sheet, PSM_UNCHANGED, reinterpret_cast<WPARAM>(first), 0);
    EXPECT_TRUE(IsWindowEnabled(apply)) << "the second page still holds a change";
    SendMessage(sheet, PSM_UNCHANGED, reinterpret_cast<WPARAM>(second), 0);
    EXPECT_FALSE(IsWindowEnabled(apply));
}

TEST_F(PropertySheetTest, TheSheetReleasesEveryPageItHolds)
{
    for (PROPSHEETPAGE& page : pages) {
        page.dwFlags |= PSP_USECALLBACK;
        page.pfnCallback = CountRelease;
    }
    HWND sheet = Modeless();
    HPROPSHEETPAGE later = CreatePropertySheetPage(&pages[0]);
    ASSERT_TRUE(SendMessage(sheet, PSM_ADDPAGE, 0, reinterpret_cast<LPARAM>(later)));
    SendMessage(sheet, PSM_REMOVEPAGE, 1, 0);
    EXPECT_EQ(g_released, 1);
    DestroyWindow(sheet);
    EXPECT_EQ(g_released, 3) << "the page added later goes with the sheet too";
}

TEST_F(PropertySheetTest, RemovingTheActivePageShowsTheNextWithoutAskingIt)
{
    HWND sheet = Modeless();
    g_refuseLeave = true;
    g_pageLog.clear();
    SendMessage(sheet, PSM_REMOVEPAGE, 0, 0);
    EXPECT_EQ(g_pageLog, (Lines{"2 INIT", "2 SETACTIVE"}));
    HWND shown = reinterpret_cast<HWND>(SendMessage(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(IsWindowVisible(shown));
}

TEST_F(PropertySheetTest, AStartPageThatCannotBeMadeFailsTheSheet)
{
    tw::res::DialogTemplate broken;
    broken.style = WS_CHILD;
    broken.title = "Broken";
    broken.cx = 100;
    broken.cy = 50;
    tw::res::DialogItemTemplate item;
    item.style = WS_CHILD | WS_VISIBLE;
    item.cx = 20;
    item.cy = 10;
    item.id = 5;
    item.windowClass = tw::res::NameOrOrdinal::FromText("NoSuchClassAnywhere");
    broken.items.push_back(item);
    const std::vector<BYTE> bytes = tw::res::WriteDialogTemplate(broken);
    pages[0].pResource = bytes.data();
    const size_t before = tw::test::TopLevelWindows(true).size();
    for (DWORD flags : {DWORD(0), DWORD(PSH_MODELESS)}) {
        PROPSHEETHEADER header = Header(flags);
        EXPECT_EQ(::PropertySheet(&header), -1);
        EXPECT_EQ(tw::test::TopLevelWindows(true).size(), before) << "no half-built sheet is left";
    }
}

}  // namespace
}  // namespace tw::comctl::test
