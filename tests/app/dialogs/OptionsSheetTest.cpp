// Tools/Options through the real main window: what the pages show for what
// is stored, how the look and layout radios keep each other exclusive, and
// what OK and Cancel leave in the settings file.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "app/OptionsSheet.h"
#include "tests/app/dialogs/DialogsFixture.h"
#include "ui/frames/KtvPWorkspace.h"

namespace tw::test {
namespace {

constexpr UINT kToolsOptions = 32816;
constexpr const char* kEnv = "EnvironmentGeneral";
constexpr const char* kFont = "SRTFontClr";

CKtvPWorkspace& Workspace() { return *dynamic_cast<CKtvPWorkspace*>(AfxGetApp()); }

class OptionsSheetTest : public ProgramDialogTest {
protected:
    // Opens Tools/Options; inside gets the sheet while it runs.
    void RunOptions(const std::function<void(COptionsMainDlg&)>& inside, UINT button)
    {
        closeWith = button;
        onDialog = [&](HWND hwnd) {
            auto* pSheet = dynamic_cast<COptionsMainDlg*>(CWnd::FromHandlePermanent(hwnd));
            ASSERT_NE(pSheet, nullptr);
            if (inside)
                inside(*pSheet);
        };
        RunCommand(kToolsOptions);
        ASSERT_EQ(dialogsSeen, 1) << "the sheet opened";
    }

    // The settings file written as at exit, then read back into an empty store.
    void ReloadSettingsFile()
    {
        std::filesystem::create_directories("data");
        ASSERT_TRUE(CXMLSettings::SaveToFile(FALSE, CTarnwickApp::kSettingsFile));
        CXMLSettings settings;
        settings.GetRootNode()->DeleteChildren();
        ASSERT_TRUE(CXMLSettings::LoadFromFile(FALSE, CTarnwickApp::kSettingsFile));
    }

    static HWND Item(CPropertyPage& page, UINT nID) { return ::GetDlgItem(page.GetSafeHwnd(), nID); }

    static std::string Checks(CPropertyPage& page)
    {
        std::string marks;
        for (UINT nID : {IDC_TW_OPT_TABBED, IDC_TW_OPT_MDI, IDC_TW_OPT_LOOK_NET, IDC_TW_OPT_LOOK_VS,
                         IDC_TW_OPT_LOOK_OFFICE2003})
            marks += IsChecked(Item(page, nID)) ? 'x' : '.';
        marks += ' ';
        for (UINT nID : {IDC_TW_OPT_ONENOTE_TABS, IDC_TW_OPT_TAB_COLOR})
            marks += ::IsWindowEnabled(Item(page, nID)) ? 'e' : '-';
        return marks;
    }
};

TEST_F(OptionsSheetTest, TheSheetShowsATreeOfTwoCategoriesWithoutApplyOrHelp)
{
    std::vector<std::string> labels;
    RunOptions(
        [&](COptionsMainDlg& sheet) {
            CTreeCtrl& tree = sheet.GetTree();
            ASSERT_TRUE(::IsWindow(tree.GetSafeHwnd()));
            for (HTREEITEM h = tree.GetRootItem(); h != nullptr; h = tree.GetNextSiblingItem(h)) {
                labels.emplace_back(tree.GetItemText(h));
                for (HTREEITEM c = tree.GetChildItem(h); c != nullptr; c = tree.GetNextSiblingItem(c))
                    labels.push_back("  " + std::string(tree.GetItemText(c)));
            }
            EXPECT_EQ(sheet.GetActivePage(), &sheet.m_pageEnvGeneral);
            EXPECT_EQ(::GetDlgItem(sheet.GetSafeHwnd(), ID_APPLY_NOW), nullptr) << "no Apply button";
            EXPECT_EQ(::GetDlgItem(sheet.GetSafeHwnd(), IDHELP), nullptr) << "no Help button";
            EXPECT_EQ(sheet.GetPageCount(), 2);
        },
        IDCANCEL);
    EXPECT_EQ(labels, (std::vector<std::string>{"Environment", "  General", "Script Editor", "  Fonts and Colors"}));
}

// What the Environment page shows for what is stored: tabbed/MDI, .Net, VS,
// Office 2003, then whether the two Office 2003 boxes are enabled.
struct StoredLook {
    const char* name;
    std::map<std::string, int> stored;
    const char* shown;
};

TEST_F(OptionsSheetTest, TheEnvironmentPageShowsWhatTheMainWindowUses)
{
    const StoredLook cases[] = {
        {"nothing stored", {}, "x..x. --"},
        {".Net", {{"APPLookVS", -1}, {"APPLookNet", 0}, {"APPLookOff2003", -1}}, "x.x.. --"},
        {"Office 2003, MDI",
         {{"APPLookVS", -1}, {"APPLookNet", -1}, {"APPLookOff2003", 0}, {"TabLayout", -1}, {"MDILayout", 0}},
         ".x..x ee"},
        {"Visual Studio", {{"APPLookVS", 0}, {"APPLookNet", -1}, {"APPLookOff2003", -1}}, "x..x. --"},
        {"no look selected: the fourth look", {{"APPLookVS", -1}, {"APPLookNet", -1}, {"APPLookOff2003", -1}},
         "x...x ee"},
    };
    for (const StoredLook& c : cases) {
        SCOPED_TRACE(c.name);
        for (const char* key : {"APPLookVS", "APPLookNet", "APPLookOff2003", "TabLayout", "MDILayout"})
            Workspace().WriteSectionInt(key, kEnv, 0);
        for (const auto& [key, value] : c.stored)
            Workspace().WriteSectionInt(key.c_str(), kEnv, value);
        std::string shown;
        dialogsSeen = 0;
        RunOptions([&](COptionsMainDlg& sheet) { shown = Checks(sheet.m_pageEnvGeneral); }, IDCANCEL);
        EXPECT_EQ(shown, c.shown);
    }
}

// Clicks on the five radios, from the page as it opens with nothing stored.
TEST_F(OptionsSheetTest, TheRadiosOfEachGroupExcludeEachOther)
{
    const struct {
        std::vector<UINT> clicks;
        const char* shown;
    } cases[] = {
        {{IDC_TW_OPT_MDI}, ".x.x. --"},
        {{IDC_TW_OPT_MDI, IDC_TW_OPT_TABBED}, "x..x. --"},
        {{IDC_TW_OPT_LOOK_OFFICE2003}, "x...x ee"},
        {{IDC_TW_OPT_LOOK_NET}, "x.x.. --"},
        {{IDC_TW_OPT_LOOK_OFFICE2003, IDC_TW_OPT_LOOK_NET}, "x.x.. --"},
        {{IDC_TW_OPT_LOOK_NET, IDC_TW_OPT_LOOK_VS}, "x..x. --"},
        {{IDC_TW_OPT_LOOK_OFFICE2003, IDC_TW_OPT_LOOK_VS}, "x..x. --"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.clicks));
        std::string shown;
        dialogsSeen = 0;
        RunOptions(
            [&](COptionsMainDlg& sheet) {
                for (UINT nID : c.clicks)
                    ClickButton(Item(sheet.m_pageEnvGeneral, nID));
                shown = Checks(sheet.m_pageEnvGeneral);
            },
            IDCANCEL);
        EXPECT_EQ(shown, c.shown);
    }
}

TEST_F(OptionsSheetTest, OkStoresTheEnvironmentAndLeavesTheEditorFontOfAnUnopenedPage)
{
    Workspace().WriteSectionString("SRTTextFont", kFont, "Times New Roman");
    RunOptions(
        [&](COptionsMainDlg& sheet) {
            ClickButton(Item(sheet.m_pageEnvGeneral, IDC_TW_OPT_LOOK_OFFICE2003));
            ClickButton(Item(sheet.m_pageEnvGeneral, IDC_TW_OPT_ONENOTE_TABS));
            ClickButton(Item(sheet.m_pageEnvGeneral, IDC_TW_OPT_HIDE_SYSOBJ));
        },
        IDOK);
    ReloadSettingsFile();
    EXPECT_STREQ(Workspace().GetSectionString("Startup", kEnv, "?"), "Open Object Explorer and new query");
    const std::map<std::string, int> expected = {
        {"HideSysObj", 1},      {"TabLayout", 0},       {"MDILayout", -1},           {"DockToolbarBehaviorClose", 0},
        {"DockToolbarBehaviorHide", 0}, {"APPLookVS", -1}, {"APPLookNet", -1}, {"APPLookOff2003", 0},
        {"APPLookOff23OneNote", 1}, {"APPLookOff23TabClr", 0}};
    for (const auto& [key, value] : expected)
        EXPECT_EQ(Workspace().GetSectionInt(key.c_str(), kEnv, 99), value) << key;
    EXPECT_STREQ(Workspace().GetSectionString("SRTTextFont", kFont, "?"), "Times New Roman");
    EXPECT_STREQ(Workspace().GetSectionString("SRTTextSize", kFont, "?"), "?") << "the page was never shown";
}

TEST_F(OptionsSheetTest, OkWithoutChangesKeepsWhatTheProgramUses)
{
    RunOptions([&](COptionsMainDlg& sheet) { sheet.SetActivePage(&sheet.m_pageScriptFont); }, IDOK);
    ReloadSettingsFile();
    EXPECT_EQ(Workspace().GetSectionInt("TabLayout", kEnv, 99), 0);
    EXPECT_EQ(Workspace().GetSectionInt("APPLookVS", kEnv, 99), 0);
    EXPECT_EQ(Workspace().GetSectionInt("APPLookNet", kEnv, 99), -1);
    EXPECT_EQ(Workspace().GetSectionInt("APPLookOff2003", kEnv, 99), -1);
    const std::map<std::string, std::string> expected = {
        {"SRTTextFont", "Courier New"}, {"SRTTextSize", "16"},       {"SRTTextForeClr", "000000"},
        {"SRTTextBackClr", "ffffff"},   {"SRTSelectedTextFont", "Courier New"},
        {"SRTSelectedTextForeClr", "000000"}, {"SRTSelectedTextBackClr", "ffffff"},
        {"SRTInactiveSelectedTextSize", "16"}, {"SRTInactiveSelectedTextBackClr", "ffffff"}};
    for (const auto& [key, value] : expected)
        EXPECT_STREQ(Workspace().GetSectionString(key.c_str(), kFont, "?"), value.c_str()) << key;
    for (const char* key : {"SRTTextBold", "SRTSelectedTextBold", "SRTInactiveSelectedTextBold"})
        EXPECT_EQ(Workspace().GetSectionInt(key, kFont, 99), 0) << key;
}

TEST_F(OptionsSheetTest, CancelWritesNothingEvenAfterChanges)
{
    RunOptions(
        [&](COptionsMainDlg& sheet) {
            ClickButton(Item(sheet.m_pageEnvGeneral, IDC_TW_OPT_MDI));
            sheet.SetActivePage(&sheet.m_pageScriptFont);
            ClickButton(Item(sheet.m_pageScriptFont, IDC_TW_OPT_BOLD));
        },
        IDCANCEL);
    ReloadSettingsFile();
    EXPECT_EQ(Workspace().GetSectionInt("MDILayout", kEnv, 99), 99);
    EXPECT_STREQ(Workspace().GetSectionString("Startup", kEnv, "?"), "?");
    EXPECT_EQ(Workspace().GetSectionInt("SRTTextBold", kFont, 99), 99);
}

// Stored colours of the wrong length load as the page's replacements.
TEST_F(OptionsSheetTest, TheFontPageLoadsAndRepairsStoredValues)
{
    const struct {
        const char* fore;
        const char* back;
        const char* foreShown;
        const char* backShown;
    } cases[] = {
        {"0580ff", "102030", "0580ff", "102030"},
        {"0", "0", "000000", "ffffff"},
        {"abcd", "abcd", "000000", "000000"},
        {"0011223344", "", "000000", "ffffff"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.fore) + "/" + c.back);
        Workspace().WriteSectionString("SRTTextForeClr", kFont, c.fore);
        Workspace().WriteSectionString("SRTTextBackClr", kFont, c.back);
        Workspace().WriteSectionString("SRTTextSize", kFont, "13");
        Workspace().WriteSectionInt("SRTTextBold", kFont, 1);
        dialogsSeen = 0;
        RunOptions(
            [&](COptionsMainDlg& sheet) {
                COptionsScriptFontPage& page = sheet.m_pageScriptFont;
                sheet.SetActivePage(&page);
                EXPECT_STREQ(page.m_items[0].m_strFore, c.foreShown);
                EXPECT_STREQ(page.m_items[0].m_strBack, c.backShown);
                EXPECT_EQ(page.m_wndFore.GetColor(), OptionsColorFromText(c.foreShown));
                EXPECT_EQ(page.m_wndBack.GetColor(), OptionsColorFromText(c.backShown));
                EXPECT_EQ(page.m_wndSize.GetCurSel(), -1) << "13 is not in the list";
                EXPECT_EQ(page.m_wndSize.GetCount(), 16);
                EXPECT_TRUE(IsChecked(page.m_wndBold.GetSafeHwnd()));
                EXPECT_EQ(page.m_wndSample.GetLogFont().lfWeight, FW_BOLD);
                CString face;
                page.m_wndFont.GetLBText(page.m_wndFont.GetCurSel(), face);
                EXPECT_STREQ(face, "Courier New");
            },
            IDCANCEL);
    }
}

TEST_F(OptionsSheetTest, FaceAndSizeChangeEveryItemBoldAndColoursOnlyTheSelectedOne)
{
    RunOptions(
        [&](COptionsMainDlg& sheet) {
            COptionsScriptFontPage& page = sheet.m_pageScriptFont;
            sheet.SetActivePage(&page);
            // "Selected Text" chosen in the list as the user chooses it.
            page.m_wndItems.SetCurSel(1);
            page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_TW_OPT_ITEMS, LBN_SELCHANGE),
                             reinterpret_cast<LPARAM>(page.m_wndItems.GetSafeHwnd()));
            const int iArial = page.m_wndFont.FindStringExact(-1, "Arial");
            ASSERT_GE(iArial, 0);
            page.m_wndFont.SetCurSel(iArial);
            page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_TW_OPT_FONT, CBN_SELENDOK),
                             reinterpret_cast<LPARAM>(page.m_wndFont.GetSafeHwnd()));
            page.m_wndSize.SetCurSel(page.m_wndSize.FindStringExact(-1, "20"));
            page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_TW_OPT_SIZE, CBN_SELENDOK),
                             reinterpret_cast<LPARAM>(page.m_wndSize.GetSafeHwnd()));
            ClickButton(page.m_wndBold.GetSafeHwnd());
            page.m_wndFore.UpdateColor(RGB(5, 128, 255));
            EXPECT_STREQ(page.m_wndSample.GetLogFont().lfFaceName, "Arial");
        },
        IDOK);
    ReloadSettingsFile();
    for (const char* item : {"Text", "SelectedText", "InactiveSelectedText"}) {
        const std::string prefix = std::string("SRT") + item;
        EXPECT_STREQ(Workspace().GetSectionString((prefix + "Font").c_str(), kFont, "?"), "Arial") << item;
        EXPECT_STREQ(Workspace().GetSectionString((prefix + "Size").c_str(), kFont, "?"), "20") << item;
    }
    EXPECT_EQ(Workspace().GetSectionInt("SRTSelectedTextBold", kFont, 99), 1);
    EXPECT_EQ(Workspace().GetSectionInt("SRTTextBold", kFont, 99), 0);
    EXPECT_STREQ(Workspace().GetSectionString("SRTSelectedTextForeClr", kFont, "?"), "0580ff");
    EXPECT_STREQ(Workspace().GetSectionString("SRTTextForeClr", kFont, "?"), "000000");
}

TEST(OptionsColorText, ConvertsBothWays)
{
    const struct {
        const char* text;
        COLORREF color;
    } cases[] = {
        {"0580ff", RGB(5, 128, 255)}, {"ffffff", RGB(255, 255, 255)}, {"000000", RGB(0, 0, 0)},
        {"A0b1C2", RGB(0xa0, 0xb1, 0xc2)}, {"0", RGB(0, 0, 0)},       {"", RGB(0, 0, 0)},
        {"abcd", RGB(0, 0, 0)},        {"0011223344", RGB(0, 0, 0)}, {"12345g", RGB(0, 0, 0)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(OptionsColorFromText(c.text), c.color) << c.text;
    EXPECT_STREQ(OptionsColorToText(RGB(5, 128, 255)), "0580ff");
    EXPECT_STREQ(OptionsColorToText(RGB(255, 0, 10)), "ff000a");
}

}  // namespace
}  // namespace tw::test
