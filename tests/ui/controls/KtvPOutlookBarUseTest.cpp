// An outlook bar used as its user uses it: the options dialog opened from the
// chevron runs modally over the real bar (OK applies, Reset then Cancel
// changes nothing), the page scroll buttons reach the bar, and a pane of
// large buttons paints its icons and its own fill or tiled picture in every look.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/mfc/CDC.h"
#include "platform/mfc/CListBox.h"
#include "platform/mfc/CWinApp.h"
#include "resources/resource.h"
#include "tests/support/ui/KtvControlTest.h"
#include "tests/support/ui/KtvLookSample.h"
#include "tests/ui/controls/KtvPOutlookBarFixture.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/controls/KtvPNavigationPaneOptionsDlg.h"
#include "ui/controls/KtvPOutlookBarPane.h"
#include "ui/controls/KtvPOutlookWnd.h"
#include "ui/docking/KtvPOutlookBar.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPVisualManager.h"
#include "ui/frames/KtvPVisualManager2003.h"
#include "ui/frames/KtvPVisualManagerXP.h"

namespace {

constexpr UINT kOutlookUseScript = WM_APP + 71;

// The bar records the scroll buttons' clicks.
class RecordingOutlookBar : public CKtvPOutlookBar {
public:
    void OnPageScroll(BOOL bSecond) override { scrolls.push_back(bSecond != FALSE); }
    std::vector<bool> scrolls;
};

class OutlookBarUseTest : public tw::test::KtvOutlookBarFixture<RecordingOutlookBar> {
protected:
    void MakeBar(int nPages, BOOL bNavigationPane)
    {
        std::vector<std::string> labels;
        for (int i = 0; i < nPages; i++)
            labels.push_back("Group " + std::to_string(i));
        MakeListBar(labels, bNavigationPane);
    }
    std::vector<std::string> Labels()
    {
        std::vector<std::string> labels;
        for (int i = 0; i < wnd->GetTabsNum(); i++) {
            CString str;
            wnd->GetTabLabel(i, str);
            labels.push_back((LPCTSTR)str);
        }
        return labels;
    }
    // Runs the dialog modally as the chevron's menu command does; the script acts inside its loop.
    void RunOptionsDialog(std::function<void(CKtvPNavigationPaneOptionsDlg&)> fn)
    {
        script = std::move(fn);
        scriptRan = false;
        scriptTries = 0;
        ::PostMessage(parent, kOutlookUseScript, 0, 0);
        wnd->SendMessage(WM_COMMAND, CKtvPOutlookWnd::idNavigationPaneOptions, 0);
        EXPECT_TRUE(scriptRan);
    }
    LRESULT HandleParentMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != kOutlookUseScript)
            return KtvOutlookBarFixture::HandleParentMessage(hwnd, message, wParam, lParam);
        for (HWND h : tw::test::TopLevelWindows(true)) {
            auto* pDlg = dynamic_cast<CKtvPNavigationPaneOptionsDlg*>(CWnd::FromHandlePermanent(h));
            if (pDlg == nullptr)
                continue;
            scriptRan = true;
            script(*pDlg);
            return 0;
        }
        // The dialog is not there yet: try again from the modal loop, a bounded number of times.
        if (++scriptTries < 100)
            ::PostMessage(parent, kOutlookUseScript, 0, 0);
        return 0;
    }

    std::function<void(CKtvPNavigationPaneOptionsDlg&)> script;
    bool scriptRan = false;
    int scriptTries = 0;
};

TEST_F(OutlookBarUseTest, TheChevronsOptionsRunModallyAndOkApplies)
{
    MakeBar(4, TRUE);
    // The chevron is the bar's customise button, in its outlook form, once however often the bar is rebuilt.
    for (int i = 0; i < 2; i++) {
        wnd->RecalcLayout();
        CKtvPOutlookWndToolBar& toolbar = wnd->GetToolBar();
        int nChevrons = 0;
        for (int k = 0; k < toolbar.GetCount(); k++)
            nChevrons += dynamic_cast<CCustomizeButton*>(toolbar.GetButton(k)) != nullptr;
        EXPECT_EQ(1, nChevrons);
        auto* pChevron = dynamic_cast<COutlookCustomizeButton*>(toolbar.GetButton(toolbar.GetCount() - 1));
        ASSERT_NE(nullptr, pChevron);
        EXPECT_EQ(0, pChevron->m_iCustomizeCmdId);
    }

    RunOptionsDialog([](CKtvPNavigationPaneOptionsDlg& dlg) {
        EXPECT_NE(0u, dlg.m_btnReset.GetStyle() & WS_VISIBLE) << "a real bar can be reset";
        ASSERT_EQ(4, dlg.m_wndList.GetCount());
        dlg.m_wndList.SetCheck(1, 0);
        dlg.SendMessage(WM_COMMAND, IDOK, 0);
    });
    EXPECT_FALSE(wnd->IsTabVisible(1));
    EXPECT_TRUE(wnd->IsTabVisible(0));
    EXPECT_EQ((std::vector<std::string>{"Group 0", "Group 1", "Group 2", "Group 3"}), Labels());
}

TEST_F(OutlookBarUseTest, ResetThenCancelChangesNothing)
{
    MakeBar(3, TRUE);
    // The order before any saved state: reversed, so that Reset visibly reorders the list.
    bar->m_arDefaultTabsOrder.RemoveAll();
    for (int i = 2; i >= 0; i--)
        bar->m_arDefaultTabsOrder.Add(wnd->GetTabID(i));
    wnd->ShowTab(2, FALSE);
    RunOptionsDialog([](CKtvPNavigationPaneOptionsDlg& dlg) {
        EXPECT_EQ(0, dlg.m_wndList.GetCheck(2));
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_KTVP_NAV_RESET, BN_CLICKED), (LPARAM)dlg.m_btnReset.GetSafeHwnd());
        ASSERT_EQ(3, dlg.m_wndList.GetCount());
        for (int i = 0; i < 3; i++) {
            EXPECT_EQ(2 - i, (int)dlg.m_wndList.GetItemData(i)) << i;
            EXPECT_EQ(1, dlg.m_wndList.GetCheck(i)) << i;
        }
        dlg.SendMessage(WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ((std::vector<std::string>{"Group 0", "Group 1", "Group 2"}), Labels());
    EXPECT_FALSE(wnd->IsTabVisible(2));
    EXPECT_TRUE(wnd->IsTabVisible(0));
}

// Without a record of the first order Reset has nothing to go back to: the list stays as it is.
TEST_F(OutlookBarUseTest, ResetWithoutARecordedOrderKeepsTheList)
{
    MakeBar(3, TRUE);
    bar->m_arDefaultTabsOrder.RemoveAll();
    RunOptionsDialog([](CKtvPNavigationPaneOptionsDlg& dlg) {
        dlg.m_wndList.SetCheck(1, 0);
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_KTVP_NAV_RESET, BN_CLICKED), (LPARAM)dlg.m_btnReset.GetSafeHwnd());
        EXPECT_EQ(3, dlg.m_wndList.GetCount());
        EXPECT_EQ(0, dlg.m_wndList.GetCheck(1));
        dlg.SendMessage(WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(3, wnd->GetTabsNum());
    EXPECT_FALSE(wnd->IsTabVisible(1));
}

TEST_F(OutlookBarUseTest, TheScrollButtonsTellTheBar)
{
    MakeBar(3, FALSE);
    wnd->SetActiveTab(0);
    wnd->EnableScrollButtons(TRUE, TRUE, TRUE);
    wnd->RecalcLayout();
    Pump();
    CRect rectActive, rectNext;
    wnd->GetTabRect(0, rectActive);
    wnd->GetTabRect(1, rectNext);
    HWND up = nullptr, down = nullptr;
    for (HWND h = ::GetWindow(wnd->GetSafeHwnd(), GW_CHILD); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (dynamic_cast<CKtvPOutlookScrollButton*>(CWnd::FromHandlePermanent(h)) == nullptr || !::IsWindowVisible(h))
            continue;
        CRect rect;
        ::GetWindowRect(h, rect);
        wnd->ScreenToClient(rect);
        // Each sits at the right end of its page button, which gives up that square.
        const int y = rect.CenterPoint().y;
        if (y >= rectActive.top && y < rectActive.bottom && rect.left >= rectActive.right)
            up = h;
        else if (y >= rectNext.top && y < rectNext.bottom && rect.left >= rectNext.right)
            down = h;
    }
    ASSERT_NE(nullptr, up);
    ASSERT_NE(nullptr, down);
    Click(up, 3, 3);
    Click(down, 3, 3);
    Click(up, 3, 3);
    EXPECT_EQ((std::vector<bool>{false, true, false}), bar->scrolls);
}

// --- the pane of large buttons ------------------------------------------------------------------------

// A square icon of one colour.
HICON SolidIcon(int size, COLORREF clr)
{
    std::vector<DWORD> bits((size_t)size * size, 0xFF000000u | (GetRValue(clr) << 16) | (GetGValue(clr) << 8) | GetBValue(clr));
    HBITMAP color = ::CreateBitmap(size, size, 1, 32, bits.data());
    std::vector<BYTE> maskBits((size_t)((size + 15) / 16 * 2) * size, 0);
    HBITMAP mask = ::CreateBitmap(size, size, 1, 1, maskBits.data());
    ICONINFO info = {};
    info.fIcon = TRUE;
    info.hbmColor = color;
    info.hbmMask = mask;
    HICON hIcon = ::CreateIconIndirect(&info);
    ::DeleteObject(color);
    ::DeleteObject(mask);
    return hIcon;
}

class OutlookPanePaintTest : public tw::test::KtvControlTest {
protected:
    void SetUp() override
    {
        KtvControlTest::SetUp();
        KtvPrepareUiTest();
        CKtvPOutlookBarPane::CleanUpSharedImages();
    }
    void TearDown() override
    {
        if (pane != nullptr)
            pane->DestroyWindow();
        pane.reset();
        CKtvPOutlookBarPane::CleanUpSharedImages();
        CKtvPVisualManager::SetDefaultManager(nullptr);
        KtvControlTest::TearDown();
    }
    void MakePane()
    {
        pane = std::make_unique<CKtvPOutlookBarPane>();
        ASSERT_TRUE(pane->Create(&host, WS_CHILD | WS_VISIBLE | CBRS_LEFT, 1234, 0));
        pane->SetWindowPos(nullptr, 10, 10, 120, 200, SWP_NOZORDER | SWP_NOACTIVATE);
        Pump();
    }
    void Repaint()
    {
        pane->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        Pump();
    }
    std::unique_ptr<CKtvPOutlookBarPane> pane;
};

TEST_F(OutlookPanePaintTest, AnIconButtonOnThePanesOwnFillInEveryLook)
{
    MakePane();
    HICON hIcon = SolidIcon(32, RGB(200, 0, 0));
    ASSERT_TRUE(pane->AddButton(hIcon, "Tables", 700));
    ::DestroyIcon(hIcon);
    EXPECT_EQ(CSize(32, 32), CKtvPOutlookBarPane::GetSharedImageSize());
    ASSERT_EQ(1, pane->GetCount());
    EXPECT_EQ(700u, pane->GetButton(0)->m_nID);
    EXPECT_STREQ("Tables", (LPCTSTR)pane->GetButton(0)->m_strText);

    CRuntimeClass* looks[] = {RUNTIME_CLASS(CKtvPVisualManager), RUNTIME_CLASS(CKtvPVisualManagerXP),
                              RUNTIME_CLASS(CKtvPVisualManager2003)};
    for (CRuntimeClass* pLook : looks) {
        CKtvPVisualManager::SetDefaultManager(pLook);
        Repaint();
        const CRect rectButton = pane->GetButton(0)->m_rect;
        // The image is centred at the top of its button; below the button the pane shows its own colour.
        EXPECT_EQ(RGB(200, 0, 0), ScreenPixel(pane->GetSafeHwnd(), rectButton.CenterPoint().x, rectButton.top + 5 + 16))
            << pLook->m_lpszClassName;
        if (pLook == RUNTIME_CLASS(CKtvPVisualManager))
            EXPECT_EQ(pane->GetBackColor(), ScreenPixel(pane->GetSafeHwnd(), 3, 190));
        else  // a plain pane takes the bar fill of the XP and 2003 looks, the colour their toolbar text suits
            EXPECT_EQ(KtvLookBarFillAt(pane.get(), CPoint(3, 190)), ScreenPixel(pane->GetSafeHwnd(), 3, 190)) << pLook->m_lpszClassName;
    }
    EXPECT_FALSE(pane->AddButton(nullptr, "None", 701)) << "no icon, no button";
    EXPECT_EQ(1, pane->GetCount());
}

TEST_F(OutlookPanePaintTest, ABackImageIsTiledOverThePane)
{
    MakePane();
    const UINT uiImage = 131;  // the Standard toolbar's strip: any picture of the resources will do
    pane->SetBackImage(uiImage);
    ASSERT_TRUE(pane->IsBackgroundTexture());
    EXPECT_TRUE(pane->IsDrawShadedHighlight());

    HBITMAP hbmp = (HBITMAP)::LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(uiImage), IMAGE_BITMAP, 0, 0,
                                        LR_CREATEDIBSECTION | LR_LOADMAP3DCOLORS);
    ASSERT_NE(nullptr, hbmp);
    BITMAP bm = {};
    ::GetObject(hbmp, sizeof(bm), &bm);
    HDC hdc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(hdc, hbmp);
    CRect client;
    pane->GetClientRect(client);
    // Every look leaves a pane with a picture to fill itself.
    CRuntimeClass* looks[] = {RUNTIME_CLASS(CKtvPVisualManager), RUNTIME_CLASS(CKtvPVisualManagerXP),
                              RUNTIME_CLASS(CKtvPVisualManager2003)};
    for (CRuntimeClass* pLook : looks) {
        CKtvPVisualManager::SetDefaultManager(pLook);
        Repaint();
        int nWrong = 0;
        for (int y = 0; y < client.bottom && y < bm.bmHeight * 3; y += 4)
            for (int x = 0; x < client.right; x += 9)
                nWrong += ::GetPixel(hdc, x % bm.bmWidth, y % bm.bmHeight) != ScreenPixel(pane->GetSafeHwnd(), x, y);
        EXPECT_EQ(0, nWrong) << pLook->m_lpszClassName;
    }
    CKtvPVisualManager::SetDefaultManager(nullptr);
    ::SelectObject(hdc, old);
    ::DeleteDC(hdc);
    ::DeleteObject(hbmp);

    // No image again: the plain fill.
    pane->SetBackImage(0);
    EXPECT_FALSE(pane->IsBackgroundTexture());
    Repaint();
    EXPECT_EQ(pane->GetBackColor(), ScreenPixel(pane->GetSafeHwnd(), 5, 5));
}

}  // namespace
