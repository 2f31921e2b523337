// A toolbar's stored state: its "Buttons" record byte for byte, damaged
// records, resource items merged into a customised bar, the reset prompt and
// the options shared by all bars.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/resource/ResourceLoader.h"
#include "platform/win32/resource/ToolbarResource.h"
#include "platform/win32/user/Hooks.h"
#include "tests/support/ui/KtvStoredValue.h"
#include "tests/ui/commandbars/KtvPToolBarTestSupport.h"
#include "ui/commandbars/CustomizeButton.h"
#include "ui/commandbars/KtvPCommandManager.h"
#include "ui/commandbars/KtvPMenuBar.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPSnapshotStore.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/frames/KtvPRegistry.h"
#include "ui/frames/KtvPVisualManager.h"
#include "ui/frames/KtvPWorkspace.h"

namespace ktvbarstatetest {

using tw::test::ToolBarTest;

constexpr UINT kOldResource = 0x7F41;   // 100 101 | 102
constexpr UINT kNewResource = 0x7F42;   // 100 | 102 103: 101 gone, 103 new
constexpr UINT kBarId = 0xE830;
constexpr const char* kProfile = "SOFTWARE\\KtvStateTest\\";
constexpr const char* kBarKey = "SOFTWARE\\KtvStateTest\\KtvToolBar-59440";   // 0xE830
constexpr const char* kParamsKey = "SOFTWARE\\KtvStateTest\\KtvToolbarParameters";

std::vector<BYTE> ToolbarBytes(std::vector<WORD> items)
{
    tw::res::ToolbarResource toolbar;
    toolbar.imageWidth = 16;
    toolbar.imageHeight = 15;
    toolbar.items = std::move(items);
    return tw::res::WriteToolbarResource(toolbar);
}

void RegisterTestToolbars()
{
    static const std::vector<BYTE> oldBytes = ToolbarBytes({100, 101, 0, 102});
    static const std::vector<BYTE> newBytes = ToolbarBytes({100, 0, 102, 103});
    static const tw::ResourceEntry entries[] = {
        {241, nullptr, kOldResource, nullptr, 0x0409, oldBytes.data(), static_cast<DWORD>(oldBytes.size())},
        {241, nullptr, kNewResource, nullptr, 0x0409, newBytes.data(), static_cast<DWORD>(newBytes.size())},
    };
    static const tw::ResourceTable table{entries, 2};
    static const bool registered = tw::RegisterResources(tw::ProgramInstance(), table);
    (void)registered;
}

class ToolBarStateTest : public ToolBarTest {
protected:
    void SetUp() override
    {
        ToolBarTest::SetUp();
        RegisterTestToolbars();
        ktvtest::ForgetKey("SOFTWARE\\KtvStateTest");
        GetCmdMgr()->ClearAllCmdImages();
    }

    // A bar of the frame built from one of the test resources (its images
    // count as loaded: only the items matter here).
    CKtvPToolBar* ResourceBar(UINT uiResource)
    {
        CKtvPToolBar* pBar = MakeBar({}, TRUE, kBarId);
        pBar->m_uiOriginalResID = uiResource;
        EXPECT_TRUE(pBar->LoadToolBar(uiResource));
        pBar->AdjustLayout();
        return pBar;
    }

    static std::string Buttons() { return ktvtest::StoredHex(kBarKey, "Buttons").value_or("none"); }
};

TEST_F(ToolBarStateTest, SavedBarLoadsBackAndSavesTheSameBytes)
{
    CKtvPWorkspace workspace;   // no state loaded yet: the current format
    CKtvPToolBar* pBar = ResourceBar(kOldResource);
    pBar->SetWindowText("Standard");
    pBar->m_bTextLabels = TRUE;
    CKtvPToolbarButton* pRun = pBar->GetButton(1);
    pRun->m_strText = "Run All";
    pRun->m_bTextShown = TRUE;
    pRun->m_nStyle |= TBBS_CHECKED;
    pBar->GetButton(3)->m_bVisible = FALSE;
    ASSERT_TRUE(pBar->SaveState(kProfile));
    const std::string saved = Buttons();
    EXPECT_EQ(ktvtest::StoredHex(kBarKey, "Name").value_or(""), "53 74 61 6e 64 61 72 64 00");

    CKtvPToolBar* pLoaded = MakeBar({7, 8}, TRUE, kBarId);
    pLoaded->LoadState(kProfile);
    EXPECT_EQ(Layout(pLoaded), "100 101 | 102");
    EXPECT_STREQ(pLoaded->GetButton(1)->m_strText, "Run All");
    EXPECT_TRUE(pLoaded->GetButton(1)->m_bTextShown);
    EXPECT_EQ(pLoaded->GetButton(1)->m_nStyle & TBBS_CHECKED, 0u);   // a stored check is not a state
    EXPECT_FALSE(pLoaded->GetButton(3)->m_bVisible);
    EXPECT_TRUE(pLoaded->m_bTextLabels);
    CString strName;
    pLoaded->GetWindowText(strName);
    EXPECT_STREQ(strName, "Standard");

    // Without the check, both bars store the same record.
    pRun->m_nStyle &= ~TBBS_CHECKED;
    ASSERT_TRUE(pBar->SaveState(kProfile));
    const std::string unchecked = Buttons();
    EXPECT_NE(unchecked, saved);
    ASSERT_TRUE(pLoaded->SaveState(kProfile));
    EXPECT_EQ(Buttons(), unchecked);
}

// The record as an older library wrote it: no visible flags, no MRU length.
const char* const kHandWritten =
    "00 20 00 00 01 00 00 00 "                           // docked at the top, visible
    "02 00 "                                              // two buttons
    "ff ff 01 00 12 00 43 4b 74 76 50 54 6f 6f 6c 62 61 72 42 75 74 74 6f 6e "   // class record
    "c8 00 00 00 00 00 00 00 02 00 00 00 02 47 6f 00 00 00 00 00 00 00 00 01 00 00 00 01 00 00 00 "
    "01 80 "                                              // the same class again
    "00 00 00 00 01 00 00 00 06 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
    "00 00 00 00 "                                        // no text labels
    "04 4d 69 6e 65";                                     // name "Mine"

TEST_F(ToolBarStateTest, HandWrittenRecordDecodes)
{
    CKtvPWorkspace workspace;
    workspace.m_nLoadedVersionMajor = 6;
    workspace.m_nLoadedVersionMinor = 1;
    ktvtest::StoreHex(kBarKey, "Buttons", kHandWritten);
    CKtvPToolBar* pBar = ResourceBar(kOldResource);
    pBar->LoadState(kProfile);
    ASSERT_EQ(Layout(pBar), "200 |");
    const CKtvPToolbarButton* pGo = pBar->GetButton(0);
    EXPECT_STREQ(pGo->m_strText, "Go");
    EXPECT_EQ(pGo->GetImage(), 2);
    EXPECT_TRUE(pGo->m_bTextShown);
    EXPECT_EQ(pBar->GetButton(1)->m_iImage, 6);   // a separator's width
    CString strName;
    pBar->GetWindowText(strName);
    EXPECT_STREQ(strName, "Mine");

    // Saved again under the same version, the record is what was read.
    ASSERT_TRUE(pBar->SaveState(kProfile));
    EXPECT_EQ(Buttons(), kHandWritten);
}

TEST_F(ToolBarStateTest, DamagedRecordsGiveTheResourceLayoutAndStayStoredUntilTheBarChanges)
{
    const std::string head = "00 20 00 00 01 00 00 00 ";
    const std::string good = std::string(kHandWritten).substr(head.size());
    struct Case {
        const char* name;
        std::string hex;
    } const cases[] = {
        {"truncated", std::string(kHandWritten).substr(0, 119)},
        {"over-counted", head + "09 00" + good.substr(5)},
        {"empty entry", head + "02 00 00 00 00 00 00 00 00 00 00 00"},
        {"foreign class", head + "01 00 ff ff 01 00 0d 00 43 4b 74 76 50 55 73 65 72 54 6f 6f 6c 00"},
        {"unknown class", head + "01 00 ff ff 01 00 08 00 43 4e 6f 77 68 65 72 65 00 00 00 00"},
    };
    CKtvPWorkspace workspace;
    workspace.m_nLoadedVersionMajor = 6;
    workspace.m_nLoadedVersionMinor = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ktvtest::StoreHex(kBarKey, "Buttons", c.hex);
        CKtvPToolBar* pBar = ResourceBar(kOldResource);
        pBar->RemoveButton(0);
        pBar->LoadState(kProfile);
        EXPECT_EQ(Layout(pBar), "100 101 | 102");

        ASSERT_TRUE(pBar->SaveState(kProfile));
        EXPECT_EQ(Buttons(), c.hex);

        pBar->RemoveButton(0);
        ASSERT_TRUE(pBar->SaveState(kProfile));
        EXPECT_NE(Buttons(), c.hex);
        pBar->DestroyWindow();
    }
}

TEST_F(ToolBarStateTest, ResourceChangesAreMergedIntoACustomisedBar)
{
    CKtvPWorkspace workspace(TRUE);   // tracks resource changes
    CKtvPToolBar* pOld = ResourceBar(kOldResource);
    pOld->RemoveButton(0);   // the user took 100 off
    ASSERT_EQ(Layout(pOld), "101 | 102");
    ASSERT_TRUE(pOld->SaveState(kProfile));
    pOld->DestroyWindow();

    // The same resource: the customised bar comes back as it was.
    CKtvPToolBar* pSame = ResourceBar(kOldResource);
    pSame->LoadState(kProfile);
    EXPECT_EQ(Layout(pSame), "101 | 102");
    EXPECT_FALSE(pSame->IsOriginalItemsChanged());
    pSame->DestroyWindow();

    // A newer resource lost 101 and gained 103 at its fourth place.
    CKtvPToolBar* pNew = ResourceBar(kNewResource);
    pNew->LoadState(kProfile);
    EXPECT_EQ(Layout(pNew), "| 102 103");
    EXPECT_TRUE(pNew->IsOriginalItemsChanged());
}

// Records every message box that opens and closes it with the chosen button.
class MessageBoxAnswerer {
public:
    explicit MessageBoxAnswerer(int nAnswer) : m_nAnswer(nAnswer)
    {
        s_self = this;
        m_hook = ::SetWindowsHookEx(WH_CBT, &Hook, nullptr, ::GetCurrentThreadId());
    }
    ~MessageBoxAnswerer()
    {
        ::UnhookWindowsHookEx(m_hook);
        s_self = nullptr;
    }

    std::string texts;
    int boxes = 0;

private:
    static LRESULT CALLBACK Hook(int nCode, WPARAM wParam, LPARAM lParam)
    {
        if (nCode == HCBT_CREATEWND && s_self != nullptr) {
            const auto* create = reinterpret_cast<CBT_CREATEWND*>(lParam)->lpcs;
            const HWND hwnd = reinterpret_cast<HWND>(wParam);
            if (create->hwndParent == nullptr || (create->style & WS_CHILD) == 0) {
                s_self->boxes++;
                ::PostMessage(hwnd, WM_COMMAND, s_self->m_nAnswer, 0);
            } else if (create->lpszName != nullptr) {
                s_self->texts += create->lpszName;
                s_self->texts += "\n";
            }
        }
        return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
    }

    static MessageBoxAnswerer* s_self;
    int m_nAnswer;
    HHOOK m_hook = nullptr;
};
MessageBoxAnswerer* MessageBoxAnswerer::s_self = nullptr;

TEST_F(ToolBarStateTest, ResetPromptNamesTheBarAndOnlyOkResets)
{
    struct Case {
        const char* title;
        int answer;
        const char* shownName;
        const char* layoutAfter;
    } const cases[] = {
        {"Standard", IDOK, "'Standard'", "100 101 | 102"},
        {"  ", IDCANCEL, "'<Untitled>'", "101 | 102"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        CKtvPToolBar* pBar = ResourceBar(kOldResource);
        pBar->SetWindowText(c.title);
        pBar->RemoveButton(0);
        std::string texts;
        {
            MessageBoxAnswerer answerer(c.answer);
            pBar->OnResetPrompt();
            texts = answerer.texts;
            EXPECT_EQ(answerer.boxes, 1);
        }
        EXPECT_NE(texts.find(std::string("All your changes will be lost! Do you really want to reset the toolbar ") +
                             c.shownName + "?"),
                  std::string::npos)
            << texts;
        EXPECT_EQ(Layout(pBar), c.layoutAfter);
        pBar->DestroyWindow();
    }
}

class ToolBarParametersTest : public ToolBarStateTest {
protected:
    void TearDown() override
    {
        CKtvPToolBar::m_bShowShortcutKeys = TRUE;
        CKtvPPopupMenu::m_nAnimationType = 0;
        CKtvPMenuBar::m_bRecentlyUsedMenus = TRUE;
        CKtvPMenuBar::m_bMenuShadows = TRUE;
        CKtvPMenuBar::m_bShowAllMenusAfterDelay = TRUE;
        CKtvPVisualManager::GetInstance()->SetLook2000(FALSE);
        CKtvPToolBar::m_UsageCount.Reset();
        ToolBarStateTest::TearDown();
    }
};

TEST_F(ToolBarParametersTest, OptionsRoundTripAndAPartialKeyChangesOnlyWhatItHolds)
{
    CKtvPToolBar::m_bShowTooltips = FALSE;
    CKtvPToolBar::m_bShowShortcutKeys = FALSE;
    CKtvPPopupMenu::m_nAnimationType = 2;
    CKtvPMenuBar::m_bMenuShadows = FALSE;
    CKtvPVisualManager::GetInstance()->SetLook2000(TRUE);
    CKtvPToolBar::m_UsageCount.AddCmd(300);
    CKtvPToolBar::m_UsageCount.AddCmd(300);
    ASSERT_TRUE(CKtvPToolBar::SaveParameters(kProfile));
    EXPECT_EQ(ktvtest::StoredHex(kParamsKey, "MenuAnimation").value_or(""), "02 00 00 00");

    CKtvPToolBar::m_bShowTooltips = TRUE;
    CKtvPToolBar::m_bShowShortcutKeys = TRUE;
    CKtvPPopupMenu::m_nAnimationType = 0;
    CKtvPMenuBar::m_bMenuShadows = TRUE;
    CKtvPVisualManager::GetInstance()->SetLook2000(FALSE);
    CKtvPToolBar::m_UsageCount.Reset();
    ASSERT_TRUE(CKtvPToolBar::LoadParameters(kProfile));
    EXPECT_FALSE(CKtvPToolBar::m_bShowTooltips);
    EXPECT_FALSE(CKtvPToolBar::m_bShowShortcutKeys);
    EXPECT_EQ(CKtvPPopupMenu::m_nAnimationType, 2);
    EXPECT_FALSE(CKtvPMenuBar::m_bMenuShadows);
    EXPECT_TRUE(CKtvPVisualManager::GetInstance()->IsLook2000());
    EXPECT_EQ(CKtvPToolBar::m_UsageCount.GetCount(300), 2u);

    // A key that holds only the tooltips: the look and the animation stay as chosen.
    ktvtest::ForgetKey(kParamsKey);
    {
        CKtvPRegistry reg(FALSE, FALSE);
        ASSERT_TRUE(reg.CreateKey(kParamsKey));
        ASSERT_TRUE(reg.Write("Tooltips", 1));
    }
    EXPECT_FALSE(CKtvPToolBar::LoadParameters(kProfile));
    EXPECT_TRUE(CKtvPToolBar::m_bShowTooltips);
    EXPECT_EQ(CKtvPPopupMenu::m_nAnimationType, 2);
    EXPECT_TRUE(CKtvPVisualManager::GetInstance()->IsLook2000());
    EXPECT_FALSE(CKtvPToolBar::m_bShowShortcutKeys);
    EXPECT_EQ(CKtvPToolBar::m_UsageCount.GetCount(300), 2u);

    // No key at all changes nothing.
    EXPECT_FALSE(CKtvPToolBar::LoadParameters("SOFTWARE\\KtvStateTest\\Missing\\"));
}

TEST_F(ToolBarParametersTest, LargeIconsStateReadsThatValueOnly)
{
    EXPECT_FALSE(CKtvPToolBar::LoadLargeIconsState(kProfile));
    {
        CKtvPRegistry reg(FALSE, FALSE);
        ASSERT_TRUE(reg.CreateKey(kParamsKey));
        ASSERT_TRUE(reg.Write("LargeIcons", 1));
    }
    const CSize sizeBefore = CKtvPToolBar::m_sizeCurButton;
    EXPECT_TRUE(CKtvPToolBar::LoadLargeIconsState(kProfile));
    EXPECT_TRUE(CKtvPToolBar::m_bLargeIcons);
    EXPECT_EQ(CKtvPToolBar::m_sizeCurButton, sizeBefore);
    CKtvPToolBar::m_bLargeIcons = FALSE;
}

TEST_F(ToolBarStateTest, RemovingTheStateDeletesTheBarsKey)
{
    CKtvPToolBar* pBar = ResourceBar(kOldResource);
    ASSERT_TRUE(pBar->SaveState(kProfile));
    ASSERT_TRUE(ktvtest::StoredHex(kBarKey, "Buttons").has_value());
    EXPECT_TRUE(pBar->RemoveStateFromRegistry(kProfile));
    EXPECT_FALSE(ktvtest::StoredHex(kBarKey, "Buttons").has_value());
    EXPECT_FALSE(pBar->LoadState(kProfile));
    EXPECT_EQ(Layout(pBar), "100 101 | 102");
}

TEST_F(ToolBarStateTest, MenuSnapshotCarriesABarsButtons)
{
    CKtvPToolBar* pBar = ResourceBar(kOldResource);
    pBar->RemoveButton(1);
    const HMENU hMenu = reinterpret_cast<HMENU>(0x5150);
    ASSERT_TRUE(g_SnapshotStore.SaveMenuBar(hMenu, pBar));

    CKtvPToolBar* pOther = MakeBar({7}, TRUE, kBarId + 1);
    ASSERT_TRUE(g_SnapshotStore.LoadMenuBar(hMenu, pOther));
    EXPECT_EQ(Layout(pOther), "100 | 102");

    CKtvPToolBar* pEmpty = MakeBar({}, TRUE, kBarId + 2);
    EXPECT_FALSE(g_SnapshotStore.SaveMenuBar(hMenu, pEmpty));
    EXPECT_TRUE(g_SnapshotStore.LoadMenuBar(hMenu, pOther));   // the snapshot stayed
    EXPECT_FALSE(g_SnapshotStore.LoadMenuBar(reinterpret_cast<HMENU>(0x5151), pOther));
    g_SnapshotStore.RemoveMenu(hMenu);
}


// A bar's buttons without its customize button, and whether that button is
// still the bar's last one with the command and text it was given.
std::string OrdinaryLayout(const CKtvPToolBar* pBar)
{
    std::string text;
    for (int i = 0; i < pBar->GetCount(); i++) {
        const CKtvPToolbarButton* pButton = pBar->GetButton(i);
        if (pButton == pBar->m_pCustomizeBtn)
            continue;
        if (!text.empty())
            text += ' ';
        text += (pButton->m_nStyle & TBBS_SEPARATOR) ? std::string("|") : std::to_string(pButton->m_nID);
    }
    return text;
}

void ExpectCustomizeButton(const CKtvPToolBar* pBar, int iCmd, const char* text)
{
    ASSERT_NE(pBar->m_pCustomizeBtn, nullptr);
    EXPECT_EQ(pBar->GetButton(pBar->GetCount() - 1), pBar->m_pCustomizeBtn) << "the customize button stays last";
    EXPECT_EQ(pBar->m_pCustomizeBtn->m_iCustomizeCmdId, iCmd);
    EXPECT_STREQ(pBar->m_pCustomizeBtn->m_strCustomizeText, text);
}

// The customize button is never stored: a saved bar loads back with the one
// the program gave it, and so does a bar whose record is damaged.
TEST_F(ToolBarStateTest, CustomizeButtonSurvivesLoadingAndDamagedRecords)
{
    CKtvPWorkspace workspace;
    CKtvPToolBar* pSaved = ResourceBar(kOldResource);
    pSaved->EnableCustomizeButton(TRUE, 32770, "Customize...", FALSE);
    pSaved->RemoveButton(0);
    ASSERT_TRUE(pSaved->SaveState(kProfile));
    const std::string stored = Buttons();
    pSaved->DestroyWindow();

    struct Case {
        const char* name;
        std::string hex;
        const char* layout;
    } const cases[] = {
        {"saved", stored, "101 | 102"},
        {"truncated", stored.substr(0, stored.size() / 2), "100 101 | 102"},
        {"unknown class", "00 20 00 00 01 00 00 00 01 00 ff ff 01 00 08 00 43 4e 6f 77 68 65 72 65 00 00 00 00",
         "100 101 | 102"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ktvtest::StoreHex(kBarKey, "Buttons", c.hex);
        CKtvPToolBar* pBar = ResourceBar(kOldResource);
        pBar->EnableCustomizeButton(TRUE, 32771, "Options", FALSE);
        pBar->LoadState(kProfile);
        EXPECT_EQ(OrdinaryLayout(pBar), c.layout);
        ExpectCustomizeButton(pBar, 32771, "Options");
        pBar->DestroyWindow();
    }
}

// Enabling twice keeps one button and takes the new command; disabling takes it
// off; a chevron without a command and with nothing hidden takes no room.
TEST_F(ToolBarStateTest, CustomizeButtonIsKeptOnceMeasuredAndHidden)
{
    CKtvPToolBar* pBar = ResourceBar(kOldResource);
    const CSize sizePlain = pBar->CalcFixedLayout(FALSE, TRUE);
    pBar->EnableCustomizeButton(TRUE, 32770, "Customize...", FALSE);
    pBar->EnableCustomizeButton(TRUE, 32771, "Options", TRUE);
    EXPECT_EQ(pBar->GetCount(), 5);
    ExpectCustomizeButton(pBar, 32771, "Options");
    EXPECT_TRUE(pBar->m_bQuickCustomize);
    EXPECT_GT(pBar->CalcFixedLayout(FALSE, TRUE).cx, sizePlain.cx) << "a chevron with a command takes room";

    pBar->m_pCustomizeBtn->m_iCustomizeCmdId = 0;
    EXPECT_EQ(pBar->CalcFixedLayout(FALSE, TRUE).cx, sizePlain.cx) << "nothing to show: no room";
    EXPECT_TRUE(pBar->m_pCustomizeBtn->m_bIsEmpty);

    // A copy, as the bar makes before it rebuilds its buttons, keeps what the button was given.
    pBar->m_pCustomizeBtn->m_iCustomizeCmdId = 32772;
    CCustomizeButton copy;
    copy.CopyFrom(*pBar->m_pCustomizeBtn);
    EXPECT_EQ(copy.m_iCustomizeCmdId, 32772);
    EXPECT_STREQ(copy.m_strCustomizeText, "Options");
    EXPECT_TRUE(copy.m_bIsEmpty);

    pBar->EnableCustomizeButton(FALSE, 0, "", FALSE);
    EXPECT_EQ(pBar->m_pCustomizeBtn, nullptr);
    EXPECT_EQ(Layout(pBar), "100 101 | 102");
}

}  // namespace ktvbarstatetest

namespace ktvbarstatetest {

TEST_F(ToolBarStateTest, CommandsNoLongerPermittedLeaveALoadedBar)
{
    CKtvPToolBar* pBar = ResourceBar(kOldResource);
    ASSERT_TRUE(pBar->SaveState(kProfile));
    pBar->DestroyWindow();

    CKtvPToolBar::m_NonPermittedCommands.AddTail(101);
    CKtvPToolBar* pLoaded = ResourceBar(kNewResource);
    pLoaded->LoadState(kProfile);
    EXPECT_EQ(Layout(pLoaded), "100 | 102");
}

// A bar that decides its text labels itself, as the menu bar does.
class OwnLabelsBar : public CKtvPToolBar {
public:
    BOOL AllowShowTextLabels() const override { return FALSE; }
};

TEST_F(ToolBarStateTest, BarThatDecidesItsLabelsKeepsItsOwnSwitch)
{
    CKtvPToolBar* pBar = ResourceBar(kOldResource);
    pBar->m_bTextLabels = TRUE;
    ASSERT_TRUE(pBar->SaveState(kProfile));
    pBar->DestroyWindow();

    OwnLabelsBar own;
    ASSERT_TRUE(own.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, kBarId));
    own.m_bTextLabels = FALSE;
    own.LoadState(kProfile);
    EXPECT_EQ(Layout(&own), "100 101 | 102");
    EXPECT_FALSE(own.m_bTextLabels);
    own.DestroyWindow();
}

}  // namespace ktvbarstatetest
