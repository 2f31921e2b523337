// Button Appearance: the label kept apart from its accelerator, the checks
// before OK, and new user images entering the strip only on OK.
#include <gtest/gtest.h>

#include <string>

#include "platform/mfc/CDC.h"
#include "platform/mfc/CWinApp.h"
#include "platform/win32/gdi/SystemColors.h"
#include "platform/win32/kernel/GlobalMemory.h"
#include "platform/win32/kernel/Threads.h"
#include "resources/CustomizeIds.h"
#include "resources/resource.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "tests/ui/commandbars/CustomizeTestSupport.h"
#include "tests/ui/commandbars/KtvPToolBarTestSupport.h"
#include "ui/commandbars/KtvPButtonAppearanceDlg.h"
#include "ui/commandbars/KtvPCommandManager.h"
#include "ui/commandbars/KtvPToolBarImages.h"
#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/frames/KtvPGlobalData.h"

namespace {

namespace custtest = tw::test::custtest;
namespace tbres = tw::test::tbres;

class AppearanceTest : public tw::test::HeadlessWindowTest {
protected:
    void SetUp() override
    {
        HeadlessWindowTest::SetUp();
        KtvPrepareUiTest();
        tbres::Register();
        userImages.SetImageSize(CSize(16, 15));
        ASSERT_TRUE(userImages.Load(tbres::kBar));
        button.m_bImageShown = TRUE;
        button.m_bTextShown = TRUE;
    }
    void TearDown() override
    {
        if (dlg != nullptr && dlg->GetSafeHwnd() != nullptr)
            dlg->DestroyWindow();
        delete dlg;
        if (GetCmdMgr() != nullptr)
            GetCmdMgr()->ClearCmdImage(kCommand);
        HeadlessWindowTest::TearDown();
    }
    void Open(BOOL bMenuMode = FALSE)
    {
        dlg = new CKtvPButtonAppearanceDlg(&button, &userImages, CWnd::FromHandle(parent), 0, bMenuMode);
        ASSERT_TRUE(dlg->Create(IDD_KTVP_BUTTON_APPEARANCE, CWnd::FromHandle(parent)));
        dlg->ShowWindow(SW_SHOW);
        custtest::PumpTranslated();
    }
    void Click(int nID) { custtest::ClickCentre(input, ::GetDlgItem(dlg->GetSafeHwnd(), nID)); }
    void ReplaceLabel(const std::string& text)
    {
        Click(IDC_KTVP_APP_TEXT);
        input.KeyDown(VK_CONTROL);
        input.KeyStroke('A');
        input.KeyUp(VK_CONTROL);
        input.KeyStroke(VK_DELETE);
        TypeKeys(text);
        custtest::PumpTranslated();
    }
    std::string Label()
    {
        CString strText;
        dlg->m_wndButtonText.GetWindowText(strText);
        return static_cast<LPCTSTR>(strText);
    }
    bool Enabled(int nID) { return ::IsWindowEnabled(::GetDlgItem(dlg->GetSafeHwnd(), nID)) != FALSE; }
    // Runs New with the image editor answered by the given button as soon as it is made.
    void NewImageAnswered(int nAnswer)
    {
        static int s_answer = 0;
        s_answer = nAnswer;
        HHOOK hook = ::SetWindowsHookEx(
            WH_CBT,
            [](int nCode, WPARAM wParam, LPARAM lParam) -> LRESULT {
                if (nCode == HCBT_CREATEWND && s_answer != 0 &&
                    (reinterpret_cast<CBT_CREATEWND*>(lParam)->lpcs->style & WS_CHILD) == 0) {
                    ::PostMessage(reinterpret_cast<HWND>(wParam), WM_COMMAND, s_answer, 0);
                    s_answer = 0;
                }
                return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
            },
            nullptr, ::GetCurrentThreadId());
        Click(IDC_KTVP_APP_NEW);
        ::UnhookWindowsHookEx(hook);
    }

    CKtvPToolBarImages userImages;
    // A command of this test only: the button registers its image with the command manager.
    static constexpr UINT kCommand = 7851;
    CKtvPToolbarButton button{kCommand, 1, "Save\tCtrl+S", TRUE};
    CKtvPButtonAppearanceDlg* dlg = nullptr;
};

TEST_F(AppearanceTest, LabelIsEditedWithoutItsAcceleratorAndKeepsItOnOk)
{
    Open();
    EXPECT_EQ(Label(), "Save");
    EXPECT_TRUE(dlg->IsDlgButtonChecked(IDC_KTVP_APP_IMAGE_TEXT));
    EXPECT_TRUE(dlg->IsDlgButtonChecked(IDC_KTVP_APP_USER_IMAGE));
    ASSERT_NE(dlg->m_wndButtonList.GetSelectedButton(), nullptr);
    EXPECT_EQ(dlg->m_wndButtonList.GetSelectedButton()->GetImage(), 1);
    ReplaceLabel("Store");
    Click(IDOK);
    EXPECT_STREQ(button.m_strText, "Store\tCtrl+S");
    EXPECT_TRUE(button.m_bUserImage);
    EXPECT_EQ(button.GetImage(), 1);
}

TEST_F(AppearanceTest, MissingTextOrImageIsRefusedWithTheFocusOnIt)
{
    Open();
    struct Case {
        const char* name;
        int mode;
        bool pickNoImage;
        const char* label;
        const char* message;
        int focus;
    } const cases[] = {
        {"text only without a label", IDC_KTVP_APP_TEXT_ONLY, false, "", "You should enter a text!", IDC_KTVP_APP_TEXT},
        {"image only without an image", IDC_KTVP_APP_IMAGE_ONLY, true, "Save", "You should select an image!",
         IDC_KTVP_APP_IMAGE_LIST},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Click(c.mode);
        if (c.pickNoImage)
            Click(IDC_KTVP_APP_USER_IMAGE);
        ReplaceLabel(c.label);
        custtest::MessageBoxAnswerer answerer(IDOK);
        Click(IDOK);
        ASSERT_EQ(answerer.boxes, 1);
        ASSERT_FALSE(answerer.texts.empty());
        EXPECT_EQ(answerer.texts[0], c.message);
        custtest::PumpTranslated();
        EXPECT_TRUE(dlg->IsWindowVisible()) << "stays open";
        EXPECT_EQ(::GetFocus(), ::GetDlgItem(dlg->GetSafeHwnd(), c.focus));
    }
    EXPECT_STREQ(button.m_strText, "Save\tCtrl+S") << "the button is untouched";
}

TEST_F(AppearanceTest, NewImageEntersTheStripOnlyOnOk)
{
    const int nBefore = userImages.GetCount();
    Open();
    NewImageAnswered(IDOK);
    EXPECT_EQ(dlg->m_wndButtonList.m_Buttons.GetCount(), nBefore + 1);
    ASSERT_NE(dlg->m_wndButtonList.GetSelectedButton(), nullptr);
    EXPECT_EQ(dlg->m_wndButtonList.GetSelectedButton()->GetImage(), nBefore);
    Click(IDCANCEL);
    EXPECT_EQ(userImages.GetCount(), nBefore) << "Cancel leaves the strip as it was";
    EXPECT_EQ(button.GetImage(), 1);
    dlg->DestroyWindow();
    delete dlg;
    dlg = nullptr;

    Open();
    NewImageAnswered(IDCANCEL);
    EXPECT_EQ(dlg->m_wndButtonList.m_Buttons.GetCount(), nBefore) << "a cancelled editor adds nothing";
    NewImageAnswered(IDOK);
    Click(IDOK);
    EXPECT_EQ(userImages.GetCount(), nBefore + 1);
    EXPECT_EQ(button.GetImage(), nBefore);
    EXPECT_TRUE(button.m_bUserImage);
}

// A new image is drawn in the system colours and kept in the standard ones: under a
// button face of another colour the file still holds the standard grey, and reads back equal.
TEST_F(AppearanceTest, NewImageIsStoredInTheStandardColoursUnderAnotherButtonFace)
{
    // The user images come from their file, as the program keeps them.
    std::string path = TW_COMMANDBARS_TEST_BINARY_DIR;
    path += "/appearance-user-images.bmp";
    {
        HANDLE hDib = CKtvPToolBarImages::CopyBitmapToDIB(userImages.GetImageWell(), BI_RGB, 24);
        ASSERT_NE(hDib, nullptr);
        ASSERT_TRUE(CKtvPToolBarImages::WriteBitmapFile(path.c_str(), hDib));
        ::GlobalFree(hDib);
    }
    userImages.Clear();
    userImages.SetImageSize(CSize(16, 15));
    ASSERT_TRUE(userImages.LoadFromFile(path.c_str()));

    const int index[] = {COLOR_BTNFACE};
    const COLORREF classic[] = {::GetSysColor(COLOR_BTNFACE)};
    const COLORREF odd[] = {RGB(200, 100, 50)};
    ASSERT_TRUE(::SetSysColors(1, index, odd));
    globalData.UpdateSysColors();
    userImages.OnSysColorChange();
    const int nBefore = userImages.GetCount();
    Open();
    NewImageAnswered(IDOK);
    Click(IDOK);
    const BOOL bSaved = userImages.Save(path.c_str());
    ::SetSysColors(1, index, classic);
    globalData.UpdateSysColors();
    ASSERT_TRUE(bSaved);
    ASSERT_EQ(userImages.GetCount(), nBefore + 1);

    // The file as written, colours untouched by loading.
    const auto hFile = static_cast<HBITMAP>(::LoadImage(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    ASSERT_NE(hFile, nullptr);
    BITMAP bmp{};
    ::GetObject(hFile, sizeof(bmp), &bmp);
    EXPECT_EQ(bmp.bmWidth, (nBefore + 1) * 16);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    const HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), hFile);
    EXPECT_EQ(dc.GetPixel(nBefore * 16 + 5, 5), RGB(192, 192, 192));
    // The older images are as they were.
    EXPECT_EQ(dc.GetPixel(1 * 16 + 8, 7), tbres::kImage[1]);
    ::SelectObject(dc.GetSafeHdc(), hOld);
    ::DeleteObject(hFile);

    // Read back as a strip, it holds the same number of images.
    CKtvPToolBarImages reread;
    reread.SetImageSize(CSize(16, 15));
    ASSERT_TRUE(reread.LoadFromFile(path.c_str()));
    EXPECT_EQ(reread.GetCount(), nBefore + 1);
}

TEST_F(AppearanceTest, MenuModeOffersNoImageOnlyAndKeepsTheButtonsImageFlag)
{
    Open(TRUE);
    EXPECT_FALSE(Enabled(IDC_KTVP_APP_IMAGE_ONLY));
    EXPECT_FALSE(Enabled(IDC_KTVP_APP_USER_IMAGE));
    Click(IDC_KTVP_APP_TEXT_ONLY);
    EXPECT_FALSE(Enabled(IDC_KTVP_APP_IMAGE_LIST));
    Click(IDOK);
    EXPECT_TRUE(button.m_bImageShown) << "menus record the choice elsewhere";
    EXPECT_TRUE(button.m_bTextShown);
}

TEST_F(AppearanceTest, Screenshot)
{
    Open();
    dlg->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    custtest::PumpTranslated();
    EXPECT_TRUE(custtest::SaveWindowShot(dlg, "button-appearance.png"));
}

}  // namespace

namespace {

// The toolbar's customise commands that open Button Appearance, answered by Cancel.
class AppearanceFromBarTest : public tw::test::ToolBarTest {
protected:
    // Sends the command to the bar with the first window it opens cancelled; the window's caption.
    std::string CommandCancelled(CKtvPToolBar* pBar, UINT uiCmd)
    {
        static std::string s_caption;
        static bool s_armed = false;
        s_caption.clear();
        s_armed = true;
        HHOOK hook = ::SetWindowsHookEx(
            WH_CBT,
            [](int nCode, WPARAM wParam, LPARAM lParam) -> LRESULT {
                const auto* create = nCode == HCBT_CREATEWND ? reinterpret_cast<CBT_CREATEWND*>(lParam)->lpcs : nullptr;
                if (create != nullptr && s_armed && (create->style & WS_CHILD) == 0) {
                    s_caption = create->lpszName != nullptr ? create->lpszName : "";
                    ::PostMessage(reinterpret_cast<HWND>(wParam), WM_COMMAND, IDCANCEL, 0);
                    s_armed = false;
                }
                return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
            },
            nullptr, ::GetCurrentThreadId());
        pBar->SendMessage(WM_COMMAND, uiCmd, 0);
        ::UnhookWindowsHookEx(hook);
        s_armed = false;
        return s_caption;
    }
};

TEST_F(AppearanceFromBarTest, ImageCommandsOnAButtonWithoutImageAskFirstAndCancelKeepsTheButton)
{
    CKtvPToolBar* pBar = MakeBar({100, 101});
    ASSERT_GE(pBar->InsertButton(new CKtvPToolbarButton(7852, -1, "Run")), 0);
    CKtvPToolBar::SetCustomizeMode(TRUE);
    const int iRun = pBar->CommandToIndex(7852);
    CKtvPToolbarButton* pRun = pBar->GetButton(iRun);
    pRun->m_bTextShown = TRUE;
    pRun->m_bImageShown = FALSE;
    for (UINT uiCmd : {static_cast<UINT>(ID_KTVP_TOOLBAR_IMAGE), static_cast<UINT>(ID_KTVP_TOOLBAR_IMAGE_AND_TEXT),
                       static_cast<UINT>(ID_KTVP_TOOLBAR_APPEARANCE)}) {
        SCOPED_TRACE(uiCmd);
        pBar->m_iSelected = iRun;
        EXPECT_EQ(CommandCancelled(pBar, uiCmd), "Button Appearance");
        EXPECT_TRUE(pRun->m_bTextShown);
        EXPECT_FALSE(pRun->m_bImageShown);
    }
    // A new menu left unnamed is not added.
    const int nButtons = pBar->GetCount();
    pBar->m_iSelected = 0;
    EXPECT_EQ(CommandCancelled(pBar, ID_KTVP_TOOLBAR_NEW_MENU), "Button Appearance");
    EXPECT_EQ(pBar->GetCount(), nButtons);
}

}  // namespace
